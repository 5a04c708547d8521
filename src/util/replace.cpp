#include "util/replace.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace util {

namespace {

// A byte that does not start well-formed UTF-8 is its own unit, outside the code-point
// range, so it matches only the same stray byte and is never case-mapped.
constexpr char32_t kStrayByte = 0x110000;

char32_t NextUnit(std::string_view s, std::size_t &pos, bool upper)
{
    char32_t cp = 0;
    const int size = rtl::DecodeUtf8At(s, pos, cp);
    if (size == 0)
        return kStrayByte + static_cast<unsigned char>(s[pos++]);
    pos += static_cast<std::size_t>(size);
    return upper ? rtl::AnsiUpperChar(cp) : cp;
}

std::u32string Units(std::string_view s, bool upper)
{
    std::u32string units;
    units.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();)
        units.push_back(NextUnit(s, pos, upper));
    return units;
}

// Knuth-Morris-Pratt prefix table: border[i] is the length of the longest proper prefix
// of pattern[0..i] that is also its suffix.
std::vector<std::size_t> Borders(const std::u32string &pattern)
{
    std::vector<std::size_t> border(pattern.size(), 0);
    for (std::size_t i = 1, k = 0; i < pattern.size(); ++i) {
        while (k > 0 && pattern[i] != pattern[k])
            k = border[k - 1];
        if (pattern[i] == pattern[k])
            ++k;
        border[i] = k;
    }
    return border;
}

using Match = std::pair<std::size_t, std::size_t>; // byte offsets [first, second) in S

std::vector<Match> FindMatches(std::string_view s, const std::u32string &pattern, bool upper,
                               bool all)
{
    std::vector<Match> matches;
    const std::size_t m = pattern.size();
    const std::vector<std::size_t> border = Borders(pattern);
    // Byte offsets where the last m units started, so a match ending at unit k starts at
    // starts[(k + 1) % m].
    std::vector<std::size_t> starts(m);
    std::size_t pos = 0, k = 0, q = 0;
    while (pos < s.size()) {
        starts[k % m] = pos;
        const char32_t unit = NextUnit(s, pos, upper);
        while (q > 0 && unit != pattern[q])
            q = border[q - 1];
        if (unit == pattern[q])
            ++q;
        if (q == m) {
            matches.emplace_back(starts[(k + 1) % m], pos);
            if (!all)
                break;
            q = 0; // the next match starts after this one
        }
        ++k;
    }
    return matches;
}

} // namespace

std::string FastStringReplace(std::string_view S, std::string_view OldPattern,
                              std::string_view NewPattern, rtl::TReplaceFlags Flags)
{
    if (S.empty())
        return {};
    if (OldPattern.empty())
        return std::string(S);

    const bool ignoreCase = (Flags & rtl::rfIgnoreCase) != 0;
    // Upper-casing S only pays off when the pattern has letters at all.
    const bool upperS =
        ignoreCase && rtl::AnsiUpperCase(OldPattern) != rtl::AnsiLowerCase(OldPattern);
    const std::u32string pattern = Units(OldPattern, ignoreCase);
    const std::vector<Match> matches =
        FindMatches(S, pattern, upperS, (Flags & rtl::rfReplaceAll) != 0);
    if (matches.empty())
        return std::string(S);

    // Matches are measured in S itself: with rfIgnoreCase a match may differ in case, and
    // so in bytes, from OldPattern.
    std::size_t size = S.size();
    for (const Match &match : matches)
        size = size - (match.second - match.first) + NewPattern.size();
    std::string result;
    result.reserve(size);
    std::size_t copied = 0;
    for (const Match &match : matches) {
        result.append(S.substr(copied, match.first - copied));
        result.append(NewPattern);
        copied = match.second;
    }
    result.append(S.substr(copied));
    return result;
}

} // namespace util
