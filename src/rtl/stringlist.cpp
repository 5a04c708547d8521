#include "rtl/stringlist.h"

#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/streams.h"
#include "rtl/text.h"

#include <algorithm>

namespace rtl {

namespace {

void AppendUnit(std::string &out, char16_t unit, bool bigEndian)
{
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    if (bigEndian)
        out.append({high, low});
    else
        out.append({low, high});
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = NextCodePoint(text, pos);
        if (cp >= 0x10000) {
            AppendUnit(bytes, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), bigEndian);
            AppendUnit(bytes, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), bigEndian);
        } else {
            AppendUnit(bytes, static_cast<char16_t>(cp), bigEndian);
        }
    }
    return bytes;
}

std::string_view NameOf(std::string_view line)
{
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

} // namespace

TStringList::~TStringList() = default;

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError::IndexOutOfBounds(index);
}

std::string &TStringList::operator[](int index)
{
    CheckIndex(index);
    return FItems[static_cast<std::size_t>(index)];
}

const std::string &TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, std::string text)
{
    CheckIndex(index);
    FItems[static_cast<std::size_t>(index)] = std::move(text);
}

int TStringList::Add(std::string text)
{
    FItems.push_back(std::move(text));
    return Count() - 1;
}

void TStringList::Insert(int index, std::string text)
{
    if (index < 0 || index > Count())
        throw EListError::IndexOutOfBounds(index);
    FItems.insert(FItems.begin() + index, std::move(text));
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

void TStringList::Clear()
{
    FItems.clear();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FItems[static_cast<std::size_t>(index1)], FItems[static_cast<std::size_t>(index2)]);
}

int TStringList::IndexOf(std::string_view text) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (AnsiSameText(FItems[i], text))
            return static_cast<int>(i);
    return -1;
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(), [](const std::string &a, const std::string &b) {
        return AnsiCompareText(a, b) < 0;
    });
}

void TStringList::Assign(const TStringList &source)
{
    if (&source == this)
        return;
    FItems = source.FItems;
    FEncoding = source.FEncoding;
}

void TStringList::AddStrings(const TStringList &source)
{
    if (&source == this) {
        const std::size_t n = FItems.size();
        FItems.reserve(2 * n);
        for (std::size_t i = 0; i < n; ++i)
            FItems.push_back(FItems[i]);
        return;
    }
    FItems.insert(FItems.end(), source.FItems.begin(), source.FItems.end());
}

std::string TStringList::Text() const
{
    std::size_t size = 0;
    for (const std::string &line : FItems)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string &line : FItems)
        text.append(line).append("\r\n");
    return text;
}

void TStringList::SetText(std::string_view text)
{
    FItems.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        FItems.emplace_back(text.substr(start, end - start));
        // One break: CR, LF or CR LF.
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
}

std::string TStringList::Names(int index) const
{
    return std::string(NameOf(Strings(index)));
}

std::string TStringList::ValueFromIndex(int index) const
{
    const std::string &line = Strings(index);
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStringList::Values(std::string_view name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::SetValue(std::string_view name, std::string_view value)
{
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line.append(name).append("=").append(value);
    if (index < 0)
        Add(std::move(line));
    else
        FItems[static_cast<std::size_t>(index)] = std::move(line);
}

int TStringList::IndexOfName(std::string_view name) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const std::size_t eq = FItems[i].find('=');
        if (eq != std::string::npos && AnsiSameText(std::string_view(FItems[i]).substr(0, eq), name))
            return static_cast<int>(i);
    }
    return -1;
}

// ---- Files and streams -------------------------------------------------------------

void TStringList::LoadFromBytes(std::string_view bytes)
{
    std::size_t bomLength = 0;
    TBomEncoding encoding = DetectBom(bytes, bomLength);
    // A UTF-8 mark before bytes that are not UTF-8 is read (and kept) as ANSI.
    if (encoding == TBomEncoding::Utf8 && !IsValidUtf8(bytes.substr(bomLength)))
        encoding = TBomEncoding::None;
    SetText(DecodeWithBom(bytes));
    FEncoding = encoding;
}

void TStringList::LoadFromFile(const std::string &fileName)
{
    LoadFromBytes(ReadFileBytes(fileName));
}

void TStringList::LoadFromStream(TStream &stream)
{
    LoadFromBytes(ReadStrFromStream(stream, stream.Size() - stream.Position()));
}

std::string TStringList::EncodedText() const
{
    switch (FEncoding) {
    case TBomEncoding::Utf8:
        return "\xEF\xBB\xBF" + Text();
    case TBomEncoding::Utf16LE:
        return "\xFF\xFE" + Utf8ToUtf16(Text(), false);
    case TBomEncoding::Utf16BE:
        return "\xFE\xFF" + Utf8ToUtf16(Text(), true);
    case TBomEncoding::None:
        break;
    }
    return Utf8ToAnsi(Text());
}

void TStringList::SaveToFile(const std::string &fileName) const
{
    WriteFileBytes(fileName, EncodedText());
}

void TStringList::SaveToStream(TStream &stream) const
{
    WriteStrToStream(stream, EncodedText());
}

} // namespace rtl
