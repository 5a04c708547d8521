#include "rtl/streams.h"

#include "rtl/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

EReadError::EReadError() : EStreamError("Stream read error") {}

EWriteError::EWriteError() : EStreamError("Stream write error") {}

// ---- TStream -----------------------------------------------------------------------

TStream::~TStream() = default;

std::int64_t TStream::Size()
{
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void *buffer, std::int64_t count)
{
    if (count > 0 && Read(buffer, count) != count)
        throw EReadError();
}

void TStream::WriteBuffer(const void *buffer, std::int64_t count)
{
    if (count > 0 && Write(buffer, count) != count)
        throw EWriteError();
}

std::int64_t TStream::CopyFrom(TStream &source, std::int64_t count)
{
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    // A memory source lends its bytes directly.
    if (auto *memory = dynamic_cast<TMemoryStream *>(&source)) {
        const std::int64_t position = memory->Position();
        if (position < 0 || memory->Size() - position < count)
            throw EReadError();
        WriteBuffer(memory->Memory() + position, count);
        memory->Seek(count, soCurrent);
        return count;
    }
    constexpr std::int64_t ChunkSize = 64 * 1024;
    std::string chunk(static_cast<std::size_t>(std::min(count, ChunkSize)), '\0');
    for (std::int64_t left = count; left > 0;) {
        const std::int64_t n = std::min(left, ChunkSize);
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream -----------------------------------------------------------------

std::int64_t TMemoryStream::Read(void *buffer, std::int64_t count)
{
    const std::int64_t available = Size() - FPosition;
    if (count <= 0 || available <= 0)
        return 0;
    const std::int64_t n = std::min(count, available);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void *buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    const std::int64_t end = FPosition + count;
    if (end > Size())
        FData.resize(static_cast<std::size_t>(end), '\0');
    std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
    FPosition = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case soBeginning:
        break;
    case soCurrent:
        base = FPosition;
        break;
    case soEnd:
        base = Size();
        break;
    }
    if (offset < -base)
        return -1;
    FPosition = base + offset;
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t newSize)
{
    FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(newSize, 0)), '\0');
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream &source)
{
    if (&source == this) {
        FPosition = 0;
        return;
    }
    FData = StreamToBytes(source);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string &fileName)
{
    FData = ReadFileBytes(fileName);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream &target) const
{
    target.WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string &fileName) const
{
    WriteFileBytes(fileName, FData);
}

std::string TMemoryStream::TakeDataString()
{
    std::string bytes = std::move(FData);
    Clear();
    return bytes;
}

// ---- TFileStream -------------------------------------------------------------------

TFileStream::TFileStream(const std::string &fileName, unsigned mode) : FFileName(fileName)
{
    const bool create = (mode & fmCreate) == fmCreate;
    int flags = O_CLOEXEC;
    if (create)
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    else if ((mode & 3) == fmOpenWrite)
        flags |= O_WRONLY;
    else if ((mode & 3) == fmOpenReadWrite)
        flags |= O_RDWR;
    else
        flags |= O_RDONLY;

    auto fail = [&](int error) {
        if (create)
            throw EFCreateError(fileName, SysErrorMessage(error));
        throw EFOpenError(fileName, SysErrorMessage(error));
    };
    do
        FHandle = ::open(fileName.c_str(), flags, 0666);
    while (FHandle < 0 && errno == EINTR);
    if (FHandle < 0)
        fail(errno);
    // Reading a folder as a file succeeds on this system; the run-time refuses it.
    struct stat st {};
    if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        fail(EISDIR);
    }
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

std::int64_t TFileStream::Read(void *buffer, std::int64_t count)
{
    std::int64_t done = 0;
    auto *out = static_cast<char *>(buffer);
    while (done < count) {
        const std::size_t chunk = static_cast<std::size_t>(
            std::min<std::int64_t>(count - done, std::numeric_limits<int>::max()));
        const ssize_t n = ::read(FHandle, out + done, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void *buffer, std::int64_t count)
{
    std::int64_t done = 0;
    const auto *in = static_cast<const char *>(buffer);
    while (done < count) {
        const std::size_t chunk = static_cast<std::size_t>(
            std::min<std::int64_t>(count - done, std::numeric_limits<int>::max()));
        const ssize_t n = ::write(FHandle, in + done, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(FHandle, offset, whence);
}

std::int64_t TFileStream::Size()
{
    struct stat st {};
    if (::fstat(FHandle, &st) != 0)
        return TStream::Size();
    return st.st_size;
}

void TFileStream::SetSize(std::int64_t newSize)
{
    if (newSize < 0 || ::ftruncate(FHandle, newSize) != 0)
        throw EWriteError();
    if (Position() > newSize)
        Seek(newSize, soBeginning);
}

// ---- Helpers -----------------------------------------------------------------------

std::string ReadStrFromStream(TStream &stream, std::int64_t len)
{
    // Never allocate more than the stream can give.
    const std::int64_t available = stream.Size() - stream.Position();
    const std::int64_t wanted = std::min(len, available);
    if (wanted <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(wanted), '\0');
    const std::int64_t n = stream.Read(bytes.data(), wanted);
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)));
    return bytes;
}

void WriteStrToStream(TStream &stream, std::string_view bytes)
{
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

std::string StreamToBytes(TStream &stream)
{
    stream.SetPosition(0);
    return ReadStrFromStream(stream, stream.Size());
}

} // namespace rtl
