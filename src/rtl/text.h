#pragma once
// Text routines of the run-time. Text is UTF-8; every position, index and count is in
// code points and 1-based, so "characters 1 to 4" means the same thing whatever the
// accents. A byte that does not start well-formed UTF-8 counts as one code point whose
// value is the byte (as if it were Latin-1); nothing here throws on bad bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// ---- Code points -------------------------------------------------------------------

// Decodes the well-formed UTF-8 sequence at bytes[pos]: stores its code point in cp and
// returns its length (1..4); returns 0 and leaves cp alone when the bytes there are not
// well-formed (overlong, surrogate, above U+10FFFF, truncated, stray continuation) or pos
// is at the end.
int DecodeUtf8At(std::string_view bytes, std::size_t pos, char32_t &cp) noexcept;

// The code point at byte pos (pos < s.size()); moves pos past it. A malformed byte yields
// its own value and advances one byte.
char32_t NextCodePoint(std::string_view s, std::size_t &pos) noexcept;

// Appends cp as UTF-8. Surrogates and values above U+10FFFF become U+FFFD.
void AppendUtf8(std::string &out, char32_t cp);

std::u32string ToUcs4(std::string_view utf8);
std::string FromUcs4(std::u32string_view text);

// The code point at 1-based index; 0 when the index is out of range.
char32_t CharAt(std::string_view s, int index);

constexpr bool IsAsciiDigit(char32_t c) noexcept { return c >= '0' && c <= '9'; }

// ---- Length, search, cutting -------------------------------------------------------

int Length(std::string_view s);

// 1-based code-point position of the first match at or after offset; 0 when there is none,
// when sub is empty, or when offset is below 1 or beyond the end.
int Pos(std::string_view sub, std::string_view s);
int PosEx(std::string_view sub, std::string_view s, int offset = 1);

// count code points from index. Never fails: an index below 1 counts from 1, a negative
// count or an index beyond the end gives "", a count beyond the end stops at the end.
std::string Copy(std::string_view s, int index, int count);
std::string Copy(std::string_view s, int index);

// Remove characters with code point <= 0x20 (controls and space) only; U+00A0 and the
// other Unicode blanks stay.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// The same, as views into s.
std::string_view TrimView(std::string_view s) noexcept;
std::string_view TrimLeftView(std::string_view s) noexcept;
std::string_view TrimRightView(std::string_view s) noexcept;

// ---- Case --------------------------------------------------------------------------

// ASCII letters only; everything else is copied unchanged.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);

// Accent-aware case of one code point (Latin-1, Latin Extended-A, Latin Extended
// Additional, Greek, Cyrillic). Strictly one code point to one: a letter whose other case
// is not a single code point ('ß', 'ŉ', 'ΐ') stays as it is.
char32_t AnsiUpperChar(char32_t c) noexcept;
char32_t AnsiLowerChar(char32_t c) noexcept;

// Never change the number of code points, so a position found on the converted copy
// applies to the original. Malformed bytes are copied unchanged.
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// ---- Comparison --------------------------------------------------------------------

// ASCII case-insensitive; other bytes compare as they are.
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0, comparing the ASCII upper case of each byte (code-point order for UTF-8).
int CompareText(std::string_view a, std::string_view b);

// Accent-aware case-insensitive: code points compared through AnsiUpperChar, in
// code-point order (not a language's collation), the shorter text first on a tie.
bool AnsiSameText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);

// ---- Replace -----------------------------------------------------------------------

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;

// Replaces the first match of oldPattern (every match with rfReplaceAll, scanning left to
// right without overlap). rfIgnoreCase matches through AnsiUpperChar. An empty oldPattern
// leaves s unchanged.
std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags);

// ---- Integers ----------------------------------------------------------------------
// Strict form: leading characters <= 0x20 allowed, an optional '+' or '-', then one or more
// ASCII decimal digits and nothing else. Out of the type's range is an error. The throwing
// forms raise EConvertError::InvalidInteger with the text as given.

int StrToInt(std::string_view s);
long long StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int def);
long long StrToInt64Def(std::string_view s, long long def);
bool TryStrToInt(std::string_view s, int &out);
bool TryStrToInt64(std::string_view s, long long &out);
std::string IntToStr(long long value);

} // namespace rtl
