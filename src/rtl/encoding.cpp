#include "rtl/encoding.h"

#include "rtl/text.h"

#include <cstdint>
#include <cstring>

namespace rtl {

namespace {

// Code points of the bytes 0x80..0x9F. The bytes Windows-1252 leaves undefined keep
// their own value, which makes the code page a bijection.
constexpr char32_t kAnsiHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char32_t AnsiCodePoint(unsigned char b) noexcept
{
    return (b >= 0x80 && b < 0xA0) ? kAnsiHigh[b - 0x80] : b;
}

// The cp1252 byte of a code point, or -1 when the code page has none.
int AnsiByteOf(char32_t cp) noexcept
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kAnsiHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

// The offset of the first byte at or after `de` that is not ASCII; s.size() when none.
// Documents are nearly all ASCII, so the runs between other bytes are looked at eight
// bytes at a time and copied whole.
std::size_t FimAscii(std::string_view s, std::size_t de) noexcept
{
    constexpr std::uint64_t Altos = 0x8080808080808080ull;
    std::size_t i = de;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        if (w & Altos)
            break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

// Walks text: fAscii(run) for each run of ASCII bytes, f(cp, bytes) for every other code
// point, a malformed byte standing for its own value.
template <typename FAscii, typename F>
void ForEachRun(std::string_view text, FAscii fAscii, F f)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t fim = FimAscii(text, pos);
        if (fim > pos)
            fAscii(text.substr(pos, fim - pos));
        pos = fim;
        if (pos == text.size())
            break;
        char32_t cp = 0;
        int len = DecodeUtf8At(text, pos, cp);
        if (len == 0) {
            cp = static_cast<unsigned char>(text[pos]);
            len = 1;
        }
        f(cp, text.substr(pos, static_cast<std::size_t>(len)));
        pos += static_cast<std::size_t>(len);
    }
}

} // namespace

std::string AnsiToUtf8(std::string_view ansi)
{
    std::size_t pos = FimAscii(ansi, 0);
    if (pos == ansi.size())
        return std::string(ansi);
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    out.append(ansi.substr(0, pos));
    while (pos < ansi.size()) {
        AppendUtf8(out, AnsiCodePoint(static_cast<unsigned char>(ansi[pos])));
        const std::size_t fim = FimAscii(ansi, ++pos);
        out.append(ansi.substr(pos, fim - pos));
        pos = fim;
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view text)
{
    if (FimAscii(text, 0) == text.size())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    ForEachRun(
        text, [&out](std::string_view ascii) { out.append(ascii); },
        [&out](char32_t cp, std::string_view) {
            const int b = AnsiByteOf(cp);
            out.push_back(b < 0 ? '?' : static_cast<char>(b));
        });
    return out;
}

std::string HeldInAnsi(std::string_view text)
{
    if (FimAscii(text, 0) == text.size())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    ForEachRun(
        text, [&out](std::string_view ascii) { out.append(ascii); },
        [&out](char32_t cp, std::string_view bytes) {
            const int b = AnsiByteOf(cp);
            if (b < 0)
                out.push_back('?');
            else if (bytes.size() > 1 || cp < 0x80)
                out.append(bytes); // well-formed and in the code page: reads the same
            else
                AppendUtf8(out, cp); // a malformed byte comes back as its Latin-1 character
        });
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        char32_t cp = 0;
        const int len = DecodeUtf8At(bytes, pos, cp);
        if (len == 0)
            return false;
        pos += static_cast<std::size_t>(len);
    }
    return true;
}

bool TryUtf8Decode(std::string_view bytes, std::string &text)
{
    if (!IsValidUtf8(bytes))
        return false;
    text.assign(bytes);
    return true;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? char32_t(b0 << 8 | b1) : char32_t(b1 << 8 | b0);
    };
    std::string out;
    out.reserve(units + units / 2);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, u); // a lone surrogate comes out as U+FFFD
    }
    return out;
}

TBomEncoding DetectBom(std::string_view bytes, std::size_t &bomLength)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bomLength = 3;
        return TBomEncoding::Utf8;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        bomLength = 2;
        return TBomEncoding::Utf16LE;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        bomLength = 2;
        return TBomEncoding::Utf16BE;
    }
    bomLength = 0;
    return TBomEncoding::None;
}

std::string DecodeWithBom(std::string_view bytes)
{
    std::size_t bomLength = 0;
    const TBomEncoding encoding = DetectBom(bytes, bomLength);
    const std::string_view rest = bytes.substr(bomLength);
    switch (encoding) {
    case TBomEncoding::Utf8:
        return IsValidUtf8(rest) ? std::string(rest) : AnsiToUtf8(rest);
    case TBomEncoding::Utf16LE:
        return Utf16ToUtf8(rest, false);
    case TBomEncoding::Utf16BE:
        return Utf16ToUtf8(rest, true);
    case TBomEncoding::None:
        break;
    }
    return AnsiToUtf8(rest);
}

} // namespace rtl
