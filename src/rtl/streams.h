#pragma once
// Byte streams: an abstract stream with the run-time's read/write/seek contract, a stream
// in memory and a stream on a file. Bytes are held in std::string; nothing here converts
// text.

#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/exceptions.h"

namespace rtl {

// 'Stream read error': fewer bytes than required were available.
class EReadError : public EStreamError {
public:
    EReadError();
};

// 'Stream write error': fewer bytes than given could be written.
class EWriteError : public EStreamError {
public:
    EWriteError();
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    TStream(const TStream &) = delete;
    TStream &operator=(const TStream &) = delete;
    virtual ~TStream();

    // Up to count bytes from the position; returns how many were read (0 at the end or for
    // count <= 0).
    virtual std::int64_t Read(void *buffer, std::int64_t count) = 0;
    // Returns how many bytes were written (0 for count <= 0).
    virtual std::int64_t Write(const void *buffer, std::int64_t count) = 0;
    // Returns the new position, or -1 when the target lies before the start (the position
    // is then unchanged). A position beyond the end is allowed: reading there gives
    // nothing, writing there fills the gap with zeros.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size();
    // Truncates or extends (with zeros); a position beyond the new end moves to the end.
    virtual void SetSize(std::int64_t newSize) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }

    // Exactly count bytes or EReadError / EWriteError.
    void ReadBuffer(void *buffer, std::int64_t count);
    void WriteBuffer(const void *buffer, std::int64_t count);

    // Copies count bytes from the source's position; count <= 0 copies the whole source
    // from its start. Returns the number of bytes copied; EReadError when the source
    // holds fewer.
    std::int64_t CopyFrom(TStream &source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : FData(std::move(bytes)) {}

    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::int64_t Write(const void *buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t newSize) override;

    void Clear();
    // Replaces the content with the whole source (read from its start); position 0.
    void LoadFromStream(TStream &source);
    // EFOpenError when the file cannot be read.
    void LoadFromFile(const std::string &fileName);
    // Writes the whole content whatever the position.
    void SaveToStream(TStream &target) const;
    // Replaces the file at once (see WriteFileBytes); EFCreateError on failure.
    void SaveToFile(const std::string &fileName) const;

    char *Memory() { return FData.data(); }
    const char *Memory() const { return FData.data(); }
    const std::string &DataString() const { return FData; }
    // Hands the bytes over and leaves the stream empty.
    std::string TakeDataString();

private:
    std::string FData;
    std::int64_t FPosition = 0;
};

// A memory stream built from a string; DataString() gives the bytes back.
class TStringStream : public TMemoryStream {
public:
    using TMemoryStream::TMemoryStream;
};

// Open modes. fmCreate creates or truncates and opens for reading and writing; the share
// flags are accepted and ignored (the file system does not lock).
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;
inline constexpr unsigned fmCreate = 0xFF00;

class TFileStream : public TStream {
public:
    // EFCreateError (fmCreate) or EFOpenError with the system's reason, e.g.
    // 'Cannot open file "x". No such file or directory'. A folder cannot be opened.
    TFileStream(const std::string &fileName, unsigned mode);
    ~TFileStream() override;

    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::int64_t Write(const void *buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;
    // EWriteError when the file cannot be resized.
    void SetSize(std::int64_t newSize) override;

    const std::string &FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    std::string FFileName;
    int FHandle = -1;
};

// Up to len bytes from the stream's position.
std::string ReadStrFromStream(TStream &stream, std::int64_t len);
// All the bytes at the stream's position (EWriteError when they do not fit).
void WriteStrToStream(TStream &stream, std::string_view bytes);
// The whole stream, read from position 0 (the position ends at the end).
std::string StreamToBytes(TStream &stream);

} // namespace rtl
