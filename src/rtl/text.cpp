#include "rtl/text.h"

#include "rtl/exceptions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <vector>

namespace rtl {

namespace {

bool IsContinuation(unsigned char b) noexcept { return (b & 0xC0) == 0x80; }

// The code point at pos with the ASCII case kept inline; most text is ASCII.
inline char32_t Next(std::string_view s, std::size_t &pos) noexcept
{
    const auto b = static_cast<unsigned char>(s[pos]);
    if (b < 0x80) {
        ++pos;
        return b;
    }
    return NextCodePoint(s, pos);
}

// Byte offset reached after moving up to n code points from pos (stops at the end).
std::size_t Advance(std::string_view s, std::size_t pos, long long n) noexcept
{
    while (n > 0 && pos < s.size()) {
        Next(s, pos);
        --n;
    }
    return pos;
}

// Streaming Knuth-Morris-Pratt over code points: linear in the text whatever the
// pattern, and matches can only start and end on code-point boundaries.
class TCodePointMatcher {
public:
    TCodePointMatcher(std::string_view pattern, bool ignoreCase) : FIgnoreCase(ignoreCase)
    {
        FPattern = ToUcs4(pattern);
        if (FIgnoreCase)
            for (auto &c : FPattern)
                c = AnsiUpperChar(c);
        FFail.assign(FPattern.size(), 0);
        std::size_t k = 0;
        for (std::size_t i = 1; i < FPattern.size(); ++i) {
            while (k > 0 && FPattern[i] != FPattern[k])
                k = FFail[k - 1];
            if (FPattern[i] == FPattern[k])
                ++k;
            FFail[i] = k;
        }
    }

    std::size_t Size() const noexcept { return FPattern.size(); }

    // Feeds the next code point of the text; true when a match ends with it.
    bool Feed(char32_t c) noexcept
    {
        if (FIgnoreCase)
            c = AnsiUpperChar(c);
        while (FMatched > 0 && FPattern[FMatched] != c)
            FMatched = FFail[FMatched - 1];
        if (FPattern[FMatched] == c)
            ++FMatched;
        if (FMatched == FPattern.size()) {
            FMatched = 0; // matches never overlap
            return true;
        }
        return false;
    }

private:
    std::u32string FPattern;
    std::vector<std::size_t> FFail;
    std::size_t FMatched = 0;
    bool FIgnoreCase;
};

bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= 0x20; }

char AsciiUpper(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

template <typename Map>
std::string MapCodePoints(std::string_view s, Map map)
{
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        const auto b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(map(b)));
            ++pos;
            continue;
        }
        char32_t c = 0;
        const int len = DecodeUtf8At(s, pos, c);
        if (len == 0) { // a malformed byte is not ours to reinterpret
            out.push_back(s[pos]);
            ++pos;
            continue;
        }
        const char32_t mapped = map(c);
        if (mapped == c)
            out.append(s.substr(pos, static_cast<std::size_t>(len)));
        else
            AppendUtf8(out, mapped);
        pos += static_cast<std::size_t>(len);
    }
    return out;
}

bool ParseInteger(std::string_view s, long long &out) noexcept
{
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size())
        return false;
    const unsigned long long limit =
        negative ? 0ULL - static_cast<unsigned long long>(LLONG_MIN) : static_cast<unsigned long long>(LLONG_MAX);
    unsigned long long value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        const unsigned digit = static_cast<unsigned>(s[i] - '0');
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    out = negative ? static_cast<long long>(0ULL - value) : static_cast<long long>(value);
    return true;
}

} // namespace

// ---- Code points -------------------------------------------------------------------

int DecodeUtf8At(std::string_view bytes, std::size_t pos, char32_t &cp) noexcept
{
    if (pos >= bytes.size())
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data()) + pos;
    const std::size_t avail = bytes.size() - pos;
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (avail < 2 || !IsContinuation(p[1]))
            return 0;
        cp = (char32_t(b0 & 0x1F) << 6) | (p[1] & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (avail < 3)
            return 0;
        // E0 needs A0..BF (no overlong forms), ED needs 80..9F (no surrogates).
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        if (p[1] < lo || p[1] > hi || !IsContinuation(p[2]))
            return 0;
        cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (avail < 4)
            return 0;
        // F0 needs 90..BF (no overlong forms), F4 needs 80..8F (nothing above U+10FFFF).
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        if (p[1] < lo || p[1] > hi || !IsContinuation(p[2]) || !IsContinuation(p[3]))
            return 0;
        cp = (char32_t(b0 & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) |
             (p[3] & 0x3F);
        return 4;
    }
    return 0; // continuation byte, C0, C1, F5..FF
}

char32_t NextCodePoint(std::string_view s, std::size_t &pos) noexcept
{
    char32_t cp = 0;
    const int len = DecodeUtf8At(s, pos, cp);
    if (len == 0) {
        cp = static_cast<unsigned char>(s[pos]);
        ++pos;
        return cp;
    }
    pos += static_cast<std::size_t>(len);
    return cp;
}

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp <= 0x10FFFF) {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        AppendUtf8(out, 0xFFFD);
    }
}

std::u32string ToUcs4(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size())
        out.push_back(Next(utf8, pos));
    return out;
}

std::string FromUcs4(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

char32_t CharAt(std::string_view s, int index)
{
    if (index < 1)
        return 0;
    std::size_t pos = Advance(s, 0, index - 1);
    return pos < s.size() ? Next(s, pos) : 0;
}

// ---- Length, search, cutting -------------------------------------------------------

int Length(std::string_view s)
{
    int n = 0;
    std::size_t pos = 0;
    while (pos < s.size()) {
        Next(s, pos);
        ++n;
    }
    return n;
}

int Pos(std::string_view sub, std::string_view s)
{
    return PosEx(sub, s, 1);
}

int PosEx(std::string_view sub, std::string_view s, int offset)
{
    if (sub.empty() || offset < 1)
        return 0;
    std::size_t pos = Advance(s, 0, offset - 1);
    if (pos >= s.size())
        return 0;
    TCodePointMatcher matcher(sub, false);
    int index = offset;
    while (pos < s.size()) {
        if (matcher.Feed(Next(s, pos)))
            return index - static_cast<int>(matcher.Size()) + 1;
        ++index;
    }
    return 0;
}

std::string Copy(std::string_view s, int index, int count)
{
    if (count <= 0)
        return {};
    if (index < 1)
        index = 1;
    const std::size_t begin = Advance(s, 0, index - 1);
    if (begin >= s.size())
        return {};
    const std::size_t end = Advance(s, begin, count);
    return std::string(s.substr(begin, end - begin));
}

std::string Copy(std::string_view s, int index)
{
    if (index < 1)
        index = 1;
    return std::string(s.substr(Advance(s, 0, index - 1)));
}

// Characters <= 0x20 are single ASCII bytes, and UTF-8 never uses such a byte inside
// another character, so trimming can work on bytes.
std::string_view TrimView(std::string_view s) noexcept
{
    return TrimRightView(TrimLeftView(s));
}

std::string_view TrimLeftView(std::string_view s) noexcept
{
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return s.substr(b);
}

std::string_view TrimRightView(std::string_view s) noexcept
{
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return s.substr(0, e);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }
std::string TrimLeft(std::string_view s) { return std::string(TrimLeftView(s)); }
std::string TrimRight(std::string_view s) { return std::string(TrimRightView(s)); }

// ---- Case --------------------------------------------------------------------------

std::string UpperCase(std::string_view s)
{
    std::string out(s);
    for (auto &c : out)
        c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (auto &c : out)
        c = AsciiLower(c);
    return out;
}

// The pairs below follow the blocks' own layout: either a fixed distance between the
// cases or alternating upper/lower code points. 'ı', 'İ' and 'ſ' are left alone so that
// every mapping is a pair that maps back, and 'µ' stays in Latin-1 (its upper case is
// Greek, outside the ANSI code page).
char32_t AnsiUpperChar(char32_t c) noexcept
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            return c - 0x20;
        return c == 0xFF ? 0x178 : c;
    }
    if (c < 0x180) { // Latin Extended-A
        if (c <= 0x137)
            return ((c & 1) && c != 0x131) ? c - 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) ? c : c - 1;
        if (c >= 0x14A && c <= 0x177)
            return (c & 1) ? c - 1 : c;
        return c;
    }
    if (c >= 0x370 && c < 0x400) { // Greek
        if (c == 0x3C2)
            return 0x3A3; // final sigma
        if (c >= 0x3B1 && c <= 0x3CB)
            return c - 0x20;
        if (c == 0x3AC)
            return 0x386;
        if (c >= 0x3AD && c <= 0x3AF)
            return c - 0x25;
        if (c == 0x3CC)
            return 0x38C;
        if (c == 0x3CD || c == 0x3CE)
            return c - 0x3F;
        return c;
    }
    if (c >= 0x400 && c < 0x530) { // Cyrillic and its supplement
        if (c >= 0x430 && c <= 0x44F)
            return c - 0x20;
        if (c >= 0x450 && c <= 0x45F)
            return c - 0x50;
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || c >= 0x4D0)
            return (c & 1) ? c - 1 : c;
        if (c >= 0x4C1 && c <= 0x4CE)
            return (c & 1) ? c : c - 1;
        return c == 0x4CF ? 0x4C0 : c;
    }
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) // Latin Extended Additional
        return (c & 1) ? c - 1 : c;
    return c;
}

char32_t AnsiLowerChar(char32_t c) noexcept
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
    if (c < 0x100)
        return (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
    if (c < 0x180) {
        if (c <= 0x137)
            return (!(c & 1) && c != 0x130) ? c + 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) ? c + 1 : c;
        if (c >= 0x14A && c <= 0x177)
            return (c & 1) ? c : c + 1;
        return c == 0x178 ? 0xFF : c;
    }
    if (c >= 0x370 && c < 0x400) {
        if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
            return c + 0x20;
        if (c == 0x386)
            return 0x3AC;
        if (c >= 0x388 && c <= 0x38A)
            return c + 0x25;
        if (c == 0x38C)
            return 0x3CC;
        if (c == 0x38E || c == 0x38F)
            return c + 0x3F;
        return c;
    }
    if (c >= 0x400 && c < 0x530) {
        if (c >= 0x410 && c <= 0x42F)
            return c + 0x20;
        if (c <= 0x40F)
            return c + 0x50;
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || c >= 0x4D0)
            return (c & 1) ? c : c + 1;
        if (c >= 0x4C1 && c <= 0x4CE)
            return (c & 1) ? c + 1 : c;
        return c == 0x4C0 ? 0x4CF : c;
    }
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF))
        return (c & 1) ? c : c + 1;
    return c;
}

std::string AnsiUpperCase(std::string_view s)
{
    return MapCodePoints(s, AnsiUpperChar);
}

std::string AnsiLowerCase(std::string_view s)
{
    return MapCodePoints(s, AnsiLowerChar);
}

// ---- Comparison --------------------------------------------------------------------

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    return true;
}

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool AnsiSameText(std::string_view a, std::string_view b)
{
    return AnsiCompareText(a, b) == 0;
}

int AnsiCompareText(std::string_view a, std::string_view b)
{
    std::size_t pa = 0, pb = 0;
    while (pa < a.size() && pb < b.size()) {
        const char32_t ca = AnsiUpperChar(Next(a, pa));
        const char32_t cb = AnsiUpperChar(Next(b, pb));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (pa < a.size())
        return 1;
    return pb < b.size() ? -1 : 0;
}

// ---- Replace -----------------------------------------------------------------------

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags)
{
    if (oldPattern.empty())
        return std::string(s);
    // An ASCII byte is always a code point of its own (no UTF-8 sequence, valid or not,
    // takes it in), so an ASCII pattern matched with its case is found by a plain byte
    // search, at the same places as the code-point matcher below finds it.
    if (!(flags & rfIgnoreCase) &&
        std::all_of(oldPattern.begin(), oldPattern.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string out;
        out.reserve(s.size());
        std::size_t copied = 0;
        for (std::size_t p = s.find(oldPattern); p != std::string_view::npos;
             p = s.find(oldPattern, copied)) {
            out.append(s.substr(copied, p - copied));
            out.append(newPattern);
            copied = p + oldPattern.size();
            if (!(flags & rfReplaceAll))
                break;
        }
        out.append(s.substr(copied));
        return out;
    }
    TCodePointMatcher matcher(oldPattern, (flags & rfIgnoreCase) != 0);
    const std::size_t n = matcher.Size();
    // Byte offsets where the last n code points start, so a match ending at code point k
    // finds its first byte at starts[(k - n + 1) % n].
    std::vector<std::size_t> starts(n);
    std::string out;
    out.reserve(s.size());
    std::size_t copied = 0, pos = 0, k = 0;
    while (pos < s.size()) {
        starts[k % n] = pos;
        if (matcher.Feed(Next(s, pos))) {
            const std::size_t matchStart = starts[(k + 1) % n];
            out.append(s.substr(copied, matchStart - copied));
            out.append(newPattern);
            copied = pos;
            if (!(flags & rfReplaceAll))
                break;
        }
        ++k;
    }
    out.append(s.substr(copied));
    return out;
}

// ---- Integers ----------------------------------------------------------------------

bool TryStrToInt64(std::string_view s, long long &out)
{
    return ParseInteger(s, out);
}

bool TryStrToInt(std::string_view s, int &out)
{
    long long value = 0;
    if (!ParseInteger(s, value) || value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

long long StrToInt64(std::string_view s)
{
    long long value = 0;
    if (!ParseInteger(s, value))
        throw EConvertError::InvalidInteger(std::string(s));
    return value;
}

int StrToInt(std::string_view s)
{
    int value = 0;
    if (!TryStrToInt(s, value))
        throw EConvertError::InvalidInteger(std::string(s));
    return value;
}

int StrToIntDef(std::string_view s, int def)
{
    int value = 0;
    return TryStrToInt(s, value) ? value : def;
}

long long StrToInt64Def(std::string_view s, long long def)
{
    long long value = 0;
    return ParseInteger(s, value) ? value : def;
}

std::string IntToStr(long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace rtl
