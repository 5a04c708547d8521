#pragma once
// A list of text lines with the run-time's behaviour: case-insensitive search and sort
// (accents included), name=value lines, and files read and written in the encoding their
// byte-order mark names (the ANSI code page when there is none).

#include <string>
#include <string_view>
#include <vector>

#include "rtl/encoding.h"

namespace rtl {

class TStream;

class TStringList {
public:
    using const_iterator = std::vector<std::string>::const_iterator;

    TStringList() = default;
    TStringList(const TStringList &) = default;
    TStringList(TStringList &&) noexcept = default;
    TStringList &operator=(const TStringList &) = default;
    TStringList &operator=(TStringList &&) noexcept = default;
    virtual ~TStringList();

    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }

    // An index outside 0..Count-1 raises EListError::IndexOutOfBounds.
    const std::string &operator[](int index) const { return Strings(index); }
    std::string &operator[](int index);
    const std::string &Strings(int index) const;
    void Put(int index, std::string text);

    // Returns the new line's index.
    int Add(std::string text);
    // index may be Count (appends).
    void Insert(int index, std::string text);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);

    // First line equal to text regardless of case (AnsiSameText); -1 when none.
    int IndexOf(std::string_view text) const;
    // Case-insensitive order (AnsiCompareText); equal lines keep their order.
    void Sort();

    // Copies the lines and the remembered encoding.
    void Assign(const TStringList &source);
    void AddStrings(const TStringList &source);

    const_iterator begin() const { return FItems.begin(); }
    const_iterator end() const { return FItems.end(); }

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the lines: breaks are CR LF, LF or CR; a break at the end adds no line.
    void SetText(std::string_view text);

    // Name=value lines, split at the first '='. A line without '=' has no name and no
    // value. Names compare regardless of case.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    // The value of the first line with that name; "" when there is none.
    std::string Values(std::string_view name) const;
    // Sets the first line with that name (adding one when there is none); an empty value
    // deletes the line.
    void SetValue(std::string_view name, std::string_view value);
    int IndexOfName(std::string_view name) const;

    // Replaces the lines with the text of the bytes from the stream's position to its end
    // (or of the whole file). A UTF-8 or UTF-16 byte-order mark selects that encoding,
    // otherwise the ANSI code page; the encoding found is remembered for saving.
    // LoadFromFile raises EFOpenError when the file cannot be read.
    void LoadFromFile(const std::string &fileName);
    void LoadFromStream(TStream &stream);
    // Text() in the remembered encoding, preceded by its byte-order mark. SaveToFile
    // replaces the file at once (EFCreateError on failure).
    void SaveToFile(const std::string &fileName) const;
    void SaveToStream(TStream &stream) const;
    // The bytes SaveToStream writes.
    std::string EncodedText() const;

    // TBomEncoding::None is the ANSI code page (the default).
    TBomEncoding Encoding() const { return FEncoding; }
    void SetEncoding(TBomEncoding encoding) { FEncoding = encoding; }

private:
    void CheckIndex(int index) const;
    void LoadFromBytes(std::string_view bytes);

    std::vector<std::string> FItems;
    TBomEncoding FEncoding = TBomEncoding::None;
};

} // namespace rtl
