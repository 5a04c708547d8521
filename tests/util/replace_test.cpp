#include "util/replace.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using util::FastStringReplace;
constexpr rtl::TReplaceFlags All = rtl::rfReplaceAll;
constexpr rtl::TReplaceFlags Case = rtl::rfIgnoreCase;

TEST(FastStringReplace, ReplacesFirstOrEveryMatchWithoutOverlap)
{
    struct Row {
        const char *name;
        const char *text;
        const char *oldPattern;
        const char *newPattern;
        rtl::TReplaceFlags flags;
        const char *expected;
    } rows[] = {
        {"all, ignoring case", "aXbxc", "x", "-", All | Case, "a-b-c"},
        {"first only, ignoring case", "aXbxc", "x", "-", Case, "a-bxc"},
        {"case-sensitive", "aXbxc", "x", "-", All, "aXb-c"},
        {"no overlap", "aaaa", "aa", "b", All, "bb"},
        {"no overlap, odd", "aaa", "aa", "b", All, "ba"},
        {"longer replacement", "a.b.c", ".", "::", All, "a::b::c"},
        {"shorter replacement", "a<br>b<br>", "<br>", "\n", All, "a\nb\n"},
        {"equal lengths", "abcabc", "bc", "XY", All, "aXYaXY"},
        {"deleting", "a-b-c", "-", "", All, "abc"},
        {"no match", "abc", "d", "x", All, "abc"},
        {"empty pattern", "abc", "", "x", All, "abc"},
        {"empty text", "", "a", "x", All, ""},
        {"match at both ends", "xax", "x", "yy", All, "yyayy"},
        {"partial match restarts", "aabaab", "aab", "-", All, "--"},
        {"accents, ignoring case", "ação e AÇÃO", "ÇÃO", "cao", All | Case, "acao e Acao"},
        {"accents, case-sensitive", "ação e AÇÃO", "ÇÃO", "cao", All, "ação e Acao"},
        {"replacement inserted as given", "Abc", "a", "Zz", Case, "Zzbc"},
        {"pattern without letters", "1.2.3", ".", ",", All | Case, "1,2,3"},
        {"accented pattern outside Latin-1", "ÿxŸ", "ÿ", "-", All | Case, "-x-"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FastStringReplace(row.text, row.oldPattern, row.newPattern, row.flags),
                  row.expected)
            << row.name;
}

TEST(FastStringReplace, StrayBytesMatchOnlyThemselves)
{
    // A lone 0xE9 byte is not the character 'é'.
    const std::string text = "a\xE9" "b" "é";
    EXPECT_EQ(FastStringReplace(text, "é", "e", All | Case), "a\xE9" "be");
    EXPECT_EQ(FastStringReplace(text, "\xE9", "?", All | Case), "a?bé");
}

TEST(FastStringReplace, HandlesLongTexts)
{
    std::string text;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        text += "ab";
        expected += "a--";
    }
    EXPECT_EQ(FastStringReplace(text, "B", "--", All | Case), expected);
}

} // namespace
