#include "rtl/text.h"

#include "rtl/exceptions.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// A: 1  ç: 2  ã: 3  o: 4  ' ': 5  S: 6  ã: 7  o: 8  ' ': 9  J: 10  o: 11  ã: 12  o: 13
constexpr std::string_view kSaoJoao = "Ação São João";

TEST(Text, PositionsCountCodePoints)
{
    EXPECT_EQ(rtl::Length(kSaoJoao), 13);
    EXPECT_EQ(rtl::Length(""), 0);
    EXPECT_EQ(rtl::Length("😀€"), 2);
    // A truncated sequence is two code points, one per byte.
    EXPECT_EQ(rtl::Length("\xE2\x82"), 2);

    struct Row {
        const char *name;
        std::string_view sub, s;
        int offset, expected;
    } rows[] = {
        {"first", "ão", kSaoJoao, 1, 3},
        {"after accents", "São", kSaoJoao, 1, 6},
        {"offset on a match", "ão", kSaoJoao, 3, 3},
        {"offset past a match", "ão", kSaoJoao, 4, 7},
        {"last", "ão", kSaoJoao, 8, 12},
        {"last code point", "o", kSaoJoao, 13, 13},
        {"none after offset", "ão", kSaoJoao, 13, 0},
        {"offset zero", "A", kSaoJoao, 0, 0},
        {"offset beyond end", "o", kSaoJoao, 14, 0},
        {"empty sub", "", kSaoJoao, 1, 0},
        {"empty text", "a", "", 1, 0},
        {"sub longer than text", "Ação São João!", kSaoJoao, 1, 0},
        {"case sensitive", "são", kSaoJoao, 1, 0},
        {"partial prefix restarts", "aab", "aaab", 1, 2},
        {"four-byte characters", "b", "😀a😀b", 1, 4},
        // The byte A9 ends 'é' (C3 A9); as a code point of its own it must not match there.
        {"no match inside a character", "\xA9", "é\xA9", 1, 2},
        {"no match ending inside a character", "\xE2\x82", "\xE2\x82\xAC\xE2\x82", 1, 2},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::PosEx(row.sub, row.s, row.offset), row.expected) << row.name;
        if (row.offset == 1) {
            EXPECT_EQ(rtl::Pos(row.sub, row.s), row.expected) << row.name;
        }
    }
}

TEST(Text, CopyClampsLikeTheOldRunTime)
{
    struct Row {
        const char *name;
        int index, count;
        std::string expected;
    } rows[] = {
        {"middle", 6, 3, "São"},
        {"from first", 1, 4, "Ação"},
        {"index zero counts from 1", 0, 3, "Açã"},
        {"negative index counts from 1", -5, 2, "Aç"},
        {"negative count", 2, -1, ""},
        {"zero count", 2, 0, ""},
        {"index beyond end", 14, 1, ""},
        {"count beyond end", 12, 100, "ão"},
        {"huge count", 10, INT_MAX, "João"},
        {"huge index", INT_MAX, 1, ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::Copy(kSaoJoao, row.index, row.count), row.expected) << row.name;

    EXPECT_EQ(rtl::Copy(kSaoJoao, 10), "João");
    EXPECT_EQ(rtl::Copy(kSaoJoao, 0), kSaoJoao);
    EXPECT_EQ(rtl::Copy(kSaoJoao, 14), "");
}

TEST(Text, CodePointHelpers)
{
    EXPECT_EQ(rtl::CharAt(kSaoJoao, 3), U'ã');
    EXPECT_EQ(rtl::CharAt("a😀", 2), U'😀');
    EXPECT_EQ(rtl::CharAt(kSaoJoao, 0), 0U);
    EXPECT_EQ(rtl::CharAt(kSaoJoao, 14), 0U);

    EXPECT_EQ(rtl::ToUcs4("Aç€😀"), U"Aç€😀");
    EXPECT_EQ(rtl::FromUcs4(U"Aç€😀"), "Aç€😀");
    // Malformed bytes become code points of their value, never an exception or U+FFFD.
    EXPECT_EQ(rtl::ToUcs4("a\xFF\xC3"), U"a\u00FF\u00C3");
    EXPECT_EQ(rtl::ToUcs4("\xED\xA0\x80"), U"\u00ED\u00A0\u0080");

    std::string out;
    rtl::AppendUtf8(out, 0xD800);
    rtl::AppendUtf8(out, 0x110000);
    EXPECT_EQ(out, "\uFFFD\uFFFD");
}

TEST(Text, TrimRemovesOnlyControlsAndSpace)
{
    struct Row {
        const char *name;
        std::string s, trim, left, right;
    } rows[] = {
        {"blanks", " \t\r\n x y \x01", "x y", "x y \x01", " \t\r\n x y"},
        {"only blanks", "\x1F \x00 "s, "", "", ""},
        {"nbsp stays", "\u00A0x\u00A0", "\u00A0x\u00A0", "\u00A0x\u00A0", "\u00A0x\u00A0"},
        {"em space stays", " \u2003x ", "\u2003x", "\u2003x ", " \u2003x"},
        {"accents at the edges", " ção ", "ção", "ção ", " ção"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::Trim(row.s), row.trim) << row.name;
        EXPECT_EQ(rtl::TrimLeft(row.s), row.left) << row.name;
        EXPECT_EQ(rtl::TrimRight(row.s), row.right) << row.name;
    }
}

TEST(Text, CaseConversion)
{
    EXPECT_EQ(rtl::UpperCase("ação ok"), "AçãO OK");
    EXPECT_EQ(rtl::LowerCase("AÇÃO OK"), "aÇÃo ok");

    struct Row {
        const char *name;
        std::string lower, upper;
    } rows[] = {
        {"portuguese", "ação são joão", "AÇÃO SÃO JOÃO"},
        {"latin-1", "àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ", "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"},
        {"latin extended-a", "łódź žluťoučký œuvre", "ŁÓDŹ ŽLUŤOUČKÝ ŒUVRE"},
        {"vietnamese", "tiếng việt", "TIẾNG VIỆT"},
        {"greek", "αβγ άέώ", "ΑΒΓ ΆΈΏ"},
        {"cyrillic", "привет ёж ђ", "ПРИВЕТ ЁЖ Ђ"},
        {"no case", "123 ×÷ € 中", "123 ×÷ € 中"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::AnsiUpperCase(row.lower), row.upper) << row.name;
        EXPECT_EQ(rtl::AnsiLowerCase(row.upper), row.lower) << row.name;
    }
    // One code point to one, even where a full mapping would grow; the Turkish dotless and
    // dotted i keep their form, as they do not pair with each other.
    EXPECT_EQ(rtl::AnsiUpperCase("ÿ ß ς ŉ ı"), "Ÿ ß Σ ŉ ı");
    EXPECT_EQ(rtl::AnsiLowerCase("İ"), "İ");
    EXPECT_EQ(rtl::AnsiUpperCase("a\xE9z"), "A\xE9Z"); // a malformed byte is copied
}

TEST(Text, AnsiCaseIsOneToOneEverywhere)
{
    // Positions found on an upper-cased copy must apply to the original.
    for (char32_t c = 1; c < 0x3000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string s = rtl::FromUcs4(std::u32string(1, c));
        ASSERT_EQ(rtl::Length(rtl::AnsiUpperCase(s)), 1) << std::hex << unsigned(c);
        ASSERT_EQ(rtl::Length(rtl::AnsiLowerCase(s)), 1) << std::hex << unsigned(c);
        // Every lower-casing is undone by upper-casing, so the pairs are consistent.
        const char32_t lower = rtl::AnsiLowerChar(c);
        if (lower != c) {
            ASSERT_EQ(rtl::AnsiUpperChar(lower), c) << std::hex << unsigned(c);
        }
    }
}

TEST(Text, Comparison)
{
    struct Row {
        const char *name;
        std::string_view a, b;
        int ascii, ansi; // expected sign of CompareText and AnsiCompareText
    } rows[] = {
        {"equal", "abc", "abc", 0, 0},
        {"ascii case", "ABC", "abc", 0, 0},
        {"accent case", "AÇÃO", "ação", -1, 0},
        {"accents differ from plain", "acao", "ação", -1, -1},
        {"prefix first", "ab", "abc", -1, -1},
        {"order ignores case", "apple", "BANANA", -1, -1},
        {"underscore after letters", "A_", "az", 1, 1},
        {"above Z after accents", "éclair", "zebra", 1, 1},
        {"empty", "", "", 0, 0},
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto &row : rows) {
        EXPECT_EQ(sign(rtl::CompareText(row.a, row.b)), row.ascii) << row.name;
        EXPECT_EQ(sign(rtl::CompareText(row.b, row.a)), -row.ascii) << row.name;
        EXPECT_EQ(rtl::SameText(row.a, row.b), row.ascii == 0) << row.name;
        EXPECT_EQ(sign(rtl::AnsiCompareText(row.a, row.b)), row.ansi) << row.name;
        EXPECT_EQ(sign(rtl::AnsiCompareText(row.b, row.a)), -row.ansi) << row.name;
        EXPECT_EQ(rtl::AnsiSameText(row.a, row.b), row.ansi == 0) << row.name;
    }
}

TEST(Text, StringReplace)
{
    using rtl::rfIgnoreCase;
    using rtl::rfReplaceAll;
    struct Row {
        const char *name;
        std::string_view s, from, to;
        rtl::TReplaceFlags flags;
        std::string expected;
    } rows[] = {
        {"first only", "a-b-c", "-", "+", 0, "a+b-c"},
        {"all", "a-b-c", "-", "+", rfReplaceAll, "a+b+c"},
        {"no overlap", "aaaa", "aa", "b", rfReplaceAll, "bb"},
        {"odd overlap", "aaa", "aa", "b", rfReplaceAll, "ba"},
        {"case sensitive", "São são", "são", "X", rfReplaceAll, "São X"},
        {"ignore case accents", "SÃO são São", "são", "X", rfReplaceAll | rfIgnoreCase, "X X X"},
        {"ignore case first", "ÇA ça", "ça", "x", rfIgnoreCase, "x ça"},
        {"multi-byte pattern in ascii", "a€b€", "€", "EUR", rfReplaceAll, "aEURbEUR"},
        {"grows and shrinks", "Ação", "ção", "", 0, "A"},
        {"replacement not rescanned", "ab", "a", "aa", rfReplaceAll, "aab"},
        {"empty pattern", "abc", "", "x", rfReplaceAll, "abc"},
        {"no match", "abc", "d", "x", rfReplaceAll, "abc"},
        {"match at end", "xyz", "yz", "!", 0, "x!"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::StringReplace(row.s, row.from, row.to, row.flags), row.expected) << row.name;
}

TEST(Text, StrictIntegers)
{
    struct Row {
        const char *name;
        std::string_view text;
        bool ok32;
        int value32;
        bool ok64;
        long long value64;
    } rows[] = {
        {"plain", "12", true, 12, true, 12},
        {"leading blanks", " \t12", true, 12, true, 12},
        {"plus", "+7", true, 7, true, 7},
        {"minus zero", "-0", true, 0, true, 0},
        {"leading zeros", "007", true, 7, true, 7},
        {"int max", "2147483647", true, INT_MAX, true, INT_MAX},
        {"int min", "-2147483648", true, INT_MIN, true, INT_MIN},
        {"above int", "2147483648", false, 0, true, 2147483648LL},
        {"below int", "-2147483649", false, 0, true, -2147483649LL},
        {"int64 max", "9223372036854775807", false, 0, true, LLONG_MAX},
        {"int64 min", "-9223372036854775808", false, 0, true, LLONG_MIN},
        {"above int64", "9223372036854775808", false, 0, false, 0},
        {"far above int64", "99999999999999999999", false, 0, false, 0},
        {"trailing blank", "12 ", false, 0, false, 0},
        {"decimals", "1.5", false, 0, false, 0},
        {"hex 0x", "0x10", false, 0, false, 0},
        {"hex $", "$10", false, 0, false, 0},
        {"grouping", "1,000", false, 0, false, 0},
        {"empty", "", false, 0, false, 0},
        {"blanks only", "  ", false, 0, false, 0},
        {"sign only", "-", false, 0, false, 0},
        {"two signs", "+-1", false, 0, false, 0},
        {"blank after sign", "- 1", false, 0, false, 0},
        {"non-ascii digit", "１", false, 0, false, 0},
    };
    for (const auto &row : rows) {
        int v32 = -99;
        long long v64 = -99;
        EXPECT_EQ(rtl::TryStrToInt(row.text, v32), row.ok32) << row.name;
        EXPECT_EQ(rtl::TryStrToInt64(row.text, v64), row.ok64) << row.name;
        EXPECT_EQ(rtl::StrToIntDef(row.text, -1), row.ok32 ? row.value32 : -1) << row.name;
        EXPECT_EQ(rtl::StrToInt64Def(row.text, -1), row.ok64 ? row.value64 : -1) << row.name;
        if (row.ok32) {
            EXPECT_EQ(rtl::StrToInt(row.text), row.value32) << row.name;
        } else {
            EXPECT_THROW(rtl::StrToInt(row.text), rtl::EConvertError) << row.name;
        }
        if (row.ok64) {
            EXPECT_EQ(rtl::StrToInt64(row.text), row.value64) << row.name;
        } else {
            EXPECT_THROW(rtl::StrToInt64(row.text), rtl::EConvertError) << row.name;
        }
    }
}

TEST(Text, InvalidIntegerMessageQuotesTheTextAsGiven)
{
    try {
        rtl::StrToInt(" 12 ");
        FAIL() << "no exception";
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), "' 12 ' is not a valid integer value");
    }
    try {
        rtl::StrToInt64("abc");
        FAIL() << "no exception";
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
}

TEST(Text, IntToStr)
{
    EXPECT_EQ(rtl::IntToStr(0), "0");
    EXPECT_EQ(rtl::IntToStr(-42), "-42");
    EXPECT_EQ(rtl::IntToStr(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(rtl::StrToInt64(rtl::IntToStr(LLONG_MAX)), LLONG_MAX);
}

} // namespace
