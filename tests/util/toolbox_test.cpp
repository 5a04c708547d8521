#include "util/toolbox.h"

#include "rtl/datetime.h"
#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"
#include "util/consts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rtl::TFormatSettings;

const TFormatSettings Brazil = TFormatSettings::Brazil();
const TFormatSettings Plain; // '.' decimals, ',' thousands

// ---- Filling and cutting -----------------------------------------------------------

TEST(OvixUtilPad, FillsOrKeepsTheLeftmostCharacters)
{
    struct Row {
        const char *name;
        std::string actual;
        const char *expected;
    } rows[] = {
        {"PadRight fills", util::PadRight("ab", 4, '*'), "ab**"},
        {"PadRight cuts", util::PadRight("abcdef", 3), "abc"},
        {"PadRight default blank", util::PadRight("ab", 3), "ab "},
        {"PadRight counts accents as one", util::PadRight("ação", 6, '.'), "ação.."},
        {"PadRight cuts accented text by characters", util::PadRight("çãõé", 2), "çã"},
        {"PadRight accented fill", util::PadRight("a", 3, U'é'), "aéé"},
        {"PadRight negative width", util::PadRight("ab", -1), ""},
        {"PadLeft fills", util::PadLeft("12", 5, '0'), "00012"},
        {"PadLeft keeps the first characters", util::PadLeft("12345", 3, '0'), "123"},
        {"PadLeft width 0", util::PadLeft("12345", 0, '0'), ""},
        {"PadLeft counts accents as one", util::PadLeft("ñ", 3), "  ñ"},
        {"Poem_Zeros trims first", util::Poem_Zeros("  42 ", 5), "00042"},
        {"Poem_Zeros keeps the first digits", util::Poem_Zeros("12345", 3), "123"},
        {"Poem_Zeros integer", util::Poem_Zeros(std::int64_t{7}, 3), "007"},
        {"IntToStrZero fills", util::IntToStrZero(42, 6), "000042"},
        {"IntToStrZero keeps the first digits", util::IntToStrZero(12345, 3), "123"},
        {"IntToStrZero 64-bit", util::IntToStrZero(9876543210123LL, 15), "009876543210123"},
        {"Space", util::Space(3), "   "},
        {"Space negative", util::Space(-2), ""},
        {"LeftStrNativeString counts characters", util::LeftStrNativeString("ÁÉÍÓ", 3),
         "ÁÉÍ"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(OvixUtilPad, PadSpaceWidensSeparatorsRightmostFirstWithTheRemainder)
{
    struct Row {
        const char *name;
        const char *text;
        int width;
        const char *separator;
        char32_t fill;
        bool trim;
        const char *expected;
    } rows[] = {
        {"even runs", "A|B|C", 9, "|", ' ', true, "A   B   C"},
        {"remainder to the last separator", "A|B|C", 10, "|", ' ', true, "A   B    C"},
        {"remainder to the rightmost two", "A|B|C|D", 12, "|", '.', true, "A..B...C...D"},
        {"no separator pads right", "ABC", 6, "|", '-', true, "ABC---"},
        {"cut to the width first", "AB|CD|EF", 5, "|", '.', true, "AB.CD"},
        {"trimmed after counting", " A|B ", 6, "|", '.', true, "A....B"},
        {"untrimmed blanks count", " A|B ", 6, "|", '.', false, " A..B "},
        {"accented letters count once", "ção|é", 8, "|", ' ', true, "ção    é"},
        {"separator equal to the fill", "A B C", 7, " ", ' ', true, "A  B  C"},
        {"separator equal to the fill, remainder", "A B C", 8, " ", ' ', true, "A  B   C"},
        {"blank separators are not trimmed away", " A B", 6, " ", ' ', true, "  A  B"},
        {"text holding U+00FF with blank separators", "AÿB C", 7, " ", ' ', true, "A  B  C"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::PadSpace(row.text, row.width, row.separator, row.fill, row.trim),
                  row.expected)
            << row.name;
}

TEST(OvixUtilSearch, CountStrAndPosLastCountCharacters)
{
    struct Row {
        const char *name;
        const char *text;
        const char *sub;
        int count;
        int last;
    } rows[] = {
        {"separators", "a|b|c", "|", 2, 4},
        {"overlapping", "aaa", "aa", 2, 2},
        {"absent", "abc", "x", 0, 0},
        {"empty needle", "abc", "", 0, 0},
        {"empty text", "", "a", 0, 0},
        {"accents before the match", "ção/é/ü", "/", 2, 6},
        {"accented needle", "ãxãyã", "ã", 3, 5},
        {"case-sensitive", "aAa", "A", 1, 2},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::CountStr(row.text, row.sub), row.count) << row.name;
        EXPECT_EQ(util::PosLast(row.sub, row.text), row.last) << row.name;
    }
}

TEST(OvixUtilSearch, LengthNativeStringCountsUtf16Units)
{
    EXPECT_EQ(util::LengthNativeString(""), 0);
    EXPECT_EQ(util::LengthNativeString("ação"), 4);
    EXPECT_EQ(util::LengthNativeString("a\U0001F600b"), 4);
}

// ---- Filters and tests -------------------------------------------------------------

TEST(OvixUtilFilter, DigitsLettersAndZeros)
{
    struct Row {
        const char *name;
        std::string actual;
        const char *expected;
    } rows[] = {
        {"zeros all but the last", util::RemoveZerosEsquerda("0000"), "0"},
        {"leading zeros", util::RemoveZerosEsquerda("00120"), "120"},
        {"empty stays empty", util::RemoveZerosEsquerda(""), ""},
        {"inner zeros stay", util::RemoveZerosEsquerda("1002"), "1002"},
        {"only digits", util::OnlyNumber("12.345.678/0001-9é"), "1234567800019"},
        {"only alphanumerics", util::OnlyAlphaNum("Ação-12 b!"), "Ao12b"},
        {"empty default trimmed", util::IfEmptyThen("  ", "x"), "x"},
        {"blanks kept untrimmed", util::IfEmptyThen("  ", "x", false), "  "},
        {"value returned untrimmed", util::IfEmptyThen(" v ", "x"), " v "},
        {"empty value", util::IfEmptyThen("", "x", false), "x"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(OvixUtilFilter, CharacterAndTextClassesAreAsciiOnly)
{
    struct Row {
        const char *name;
        const char *text;
        bool number, alphaNum, hexa;
    } rows[] = {
        {"empty", "", false, true, true},
        {"digits", "0129", true, true, true},
        {"hex letters", "aF09", false, true, true},
        {"letters beyond F", "aG", false, true, false},
        {"accented letter", "ação", false, false, false},
        {"blank", "1 2", false, false, false},
        {"sign", "-1", false, false, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::StrIsNumber(row.text), row.number) << row.name;
        EXPECT_EQ(util::StrIsAlphaNum(row.text), row.alphaNum) << row.name;
        EXPECT_EQ(util::StrIsHexa(row.text), row.hexa) << row.name;
    }
    EXPECT_TRUE(util::CharIsAlpha('z'));
    EXPECT_FALSE(util::CharIsAlpha(U'é'));
    EXPECT_FALSE(util::CharIsAlphaNum(U'\u0661')); // Arabic-Indic digit one
    EXPECT_FALSE(util::CharIsNum(U'\uFF11'));      // full-width digit one
    EXPECT_FALSE(util::CharIsHexa(U'\uFF21'));     // full-width A
    EXPECT_FALSE(util::CharIsAlpha(U'A' + 0x100)); // not cut down to a byte
}

TEST(OvixUtilFilter, EmptinessAndZero)
{
    EXPECT_TRUE(util::EstaVazio(""));
    EXPECT_FALSE(util::EstaVazio(" "));
    EXPECT_TRUE(util::NaoEstaVazio(" "));
    EXPECT_TRUE(util::EstaZerado(0.0));
    EXPECT_TRUE(util::EstaZerado(-0.0));
    EXPECT_FALSE(util::EstaZerado(1e-300));
    EXPECT_TRUE(util::EstaZerado(0));
    EXPECT_FALSE(util::EstaZerado(3LL));
    EXPECT_TRUE(util::NaoEstaZerado(0.001));
    EXPECT_FALSE(util::NaoEstaZerado(0));
}

// ---- Hexadecimal, escapes, scrambling ----------------------------------------------

TEST(OvixUtilHex, ReadsPairsAndRefusesNonHexPairs)
{
    struct Row {
        const char *name;
        const char *hex;
        std::string bytes;
    } rows[] = {
        {"odd last digit ignored", "414", "A"},
        {"trimmed", "  4142\t", "AB"},
        {"lower case", "ff00", std::string("\xFF\x00", 2)},
        {"empty", "", ""},
        {"odd last non-hex ignored", "41Z", "A"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::HexToAscii(row.hex), row.bytes) << row.name;
        std::string value = "stale";
        EXPECT_TRUE(util::TryHexToAscii(row.hex, value)) << row.name;
        EXPECT_EQ(value, row.bytes) << row.name;
    }

    try {
        util::HexToAscii("41G2");
        ADD_FAILURE() << "a non-hex pair must raise";
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), "'$G2' is not a valid integer value");
    }
    std::string value = "stale";
    EXPECT_FALSE(util::TryHexToAscii("4é", value));
    EXPECT_EQ(value, "");
}

TEST(OvixUtilHex, AsciiToHexRoundTrips)
{
    const std::string bytes("A\x00\xFF\x7f", 4);
    EXPECT_EQ(util::AsciiToHex(bytes), "4100FF7F");
    EXPECT_EQ(util::HexToAscii(util::AsciiToHex(bytes)), bytes);
    EXPECT_EQ(util::AsciiToHex(""), "");
}

TEST(OvixUtilHex, StringToBinaryStringTurnsEscapesIntoBytes)
{
    struct Row {
        const char *name;
        const char *text;
        std::string bytes;
    } rows[] = {
        {"incomplete escape stays", "A\\x41\\x4", "AA\\x4"},
        {"every copy of an escape", "\\x41-\\x41", "A-A"},
        {"non-hex escape stays", "\\xZZ\\x42", "\\xZZB"},
        {"search resumes four bytes after a bad escape", "\\x\\x41", "\\x\\x41"},
        {"zero byte", "a\\x00b", std::string("a\0b", 3)},
        {"text goes to the ANSI code page", "é\\xE9", "\xE9\xE9"},
        {"byte forming a new escape is not re-read in place", "\\x5cx41", "\\x41"},
        {"a later pass of that escape picks it up", "\\x5cx41 \\x41", "A A"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::StringToBinaryString(row.text), row.bytes) << row.name;
}

TEST(OvixUtilCrypt, ScramblesWithTheKeyAndUndoesItself)
{
    EXPECT_EQ(util::StrCrypt("abc", ""), "abc");
    EXPECT_EQ(util::StrCrypt("", "key"), "");
    // 'a' meets key byte 'a' and stays; 'b' ^ 'c' = 0x01; 'c' ^ 'a' = 0x02 (key cycles).
    EXPECT_EQ(util::StrCrypt("abc", "ac"), std::string("a\x01\x02", 3));

    struct Row {
        const char *name;
        std::string text;
        std::string key;
    } rows[] = {
        {"password", "s3nh@Forte", "123456789"},
        {"key longer than text", "ab", "a much longer key"},
        {"bytes equal to the key", "kkkk", "k"},
        {"high bytes", rtl::Utf8ToAnsi("çãõ€"), "\xFF\x80"},
    };
    for (const auto &row : rows) {
        const std::string scrambled = util::StrCrypt(row.text, row.key);
        EXPECT_EQ(scrambled.size(), row.text.size()) << row.name;
        EXPECT_EQ(util::StrCrypt(scrambled, row.key), row.text) << row.name;
    }
}

// ---- Numbers -----------------------------------------------------------------------

TEST(OvixUtilNumbers, CreateFormatSettingsIsTheStartUpSnapshot)
{
    const TFormatSettings before = util::CreateFormatSettings();
    EXPECT_EQ(before.DecimalSeparator, util::OvixConsts().DecimalSeparator);
    EXPECT_EQ(before.ShortDateFormat, util::OvixConsts().ShortDateFormat);
    EXPECT_EQ(before.TwoDigitYearCenturyWindow, util::OvixConsts().TwoDigitYearCenturyWindow);
    TFormatSettings odd = Brazil;
    odd.DecimalSeparator = "#";
    odd.ShortDateFormat = "yyyy!mm!dd";
    rtl::ScopedFormatSettings scope(odd);
    EXPECT_EQ(util::CreateFormatSettings(), before);
}

TEST(OvixUtilNumbers, StringToFloatReadsPointOrCommaUnderAnySettings)
{
    struct Row {
        const char *name;
        const TFormatSettings &settings;
    } settingsRows[] = {{"brazil", Brazil}, {"plain", Plain}};
    struct Case {
        const char *name;
        const char *text;
        double value;
    } cases[] = {
        {"comma, blanks around", " 3,5 ", 3.5},
        {"point", "12.5", 12.5},
        {"negative", "-0,25", -0.25},
        {"integer", "7", 7},
    };
    for (const auto &s : settingsRows) {
        rtl::ScopedFormatSettings scope(s.settings);
        for (const auto &c : cases)
            EXPECT_DOUBLE_EQ(util::StringToFloat(c.text), c.value) << s.name << ": " << c.name;
        EXPECT_THROW(util::StringToFloat("1.234,56"), rtl::EConvertError) << s.name;
        EXPECT_THROW(util::StringToFloat("abc"), rtl::EConvertError) << s.name;
        EXPECT_DOUBLE_EQ(util::StringToFloatDef("", 7), 7) << s.name;
        EXPECT_DOUBLE_EQ(util::StringToFloatDef("abc", 7), 7) << s.name;
        EXPECT_DOUBLE_EQ(util::StringToFloatDef("1.234,56", 7), 7) << s.name;
        EXPECT_DOUBLE_EQ(util::StringToFloatDef(" 2,5", 7), 2.5) << s.name;
    }
}

TEST(OvixUtilNumbers, FloatToStringGivesTheChosenSeparatorWithoutGrouping)
{
    struct Settings {
        const char *name;
        const TFormatSettings &settings;
    } settingsRows[] = {{"brazil", Brazil}, {"plain", Plain}};
    struct Case {
        const char *name;
        double value;
        char32_t separator;
        const char *format;
        const char *expected;
    } cases[] = {
        {"mask with point", 12.5, '.', "0.00", "12.50"},
        {"grouping removed", 1234567.5, '.', ",0.00", "1234567.50"},
        {"general form", 12.5, '.', "", "12.5"},
        {"general form, comma", 0.125, ',', "", "0,125"},
        {"whole number", 3, '.', "", "3"},
        {"version mask", 4, '.', "#0.00", "4.00"},
        {"negative", -1234.5, ',', "#,##0.00", "-1234,50"},
    };
    for (const auto &s : settingsRows) {
        rtl::ScopedFormatSettings scope(s.settings);
        for (const auto &c : cases)
            EXPECT_EQ(util::FloatToString(c.value, c.separator, c.format), c.expected)
                << s.name << ": " << c.name;
    }
    EXPECT_EQ(util::FloatToString(2.5), "2.5");
}

TEST(OvixUtilNumbers, FloatToStringKeepsGroupingWhenBothSeparatorsAreEqual)
{
    TFormatSettings same = Plain;
    same.ThousandSeparator = ".";
    rtl::ScopedFormatSettings scope(same);
    // Nothing can be told apart, so nothing is removed: the points all become commas.
    EXPECT_EQ(util::FloatToString(1234.5, ',', ",0.00"), "1,234,50");
}

TEST(OvixUtilNumbers, FloatMaskBuildsMasks)
{
    EXPECT_EQ(util::FloatMask(0, true), "0");
    EXPECT_EQ(util::FloatMask(-3, false), "0");
    EXPECT_EQ(util::FloatMask(4, false), "0.0000");
    EXPECT_EQ(util::FloatMask(3, false), "0.000");
    EXPECT_EQ(util::FloatMask(2, true), ",0.00");
    EXPECT_EQ(util::FloatMask(), ",0.00");
}

TEST(OvixUtilNumbers, FormatFloatBrUsesCommaAndPointWhateverTheSettings)
{
    struct Case {
        const char *name;
        std::string actual;
        const char *expected;
    };
    for (const TFormatSettings *settings : {&Brazil, &Plain}) {
        rtl::ScopedFormatSettings scope(*settings);
        const Case cases[] = {
            {"default mask", util::FormatFloatBr(1234), "1.234,00"},
            {"negative millions", util::FormatFloatBr(-1234567), "-1.234.567,00"},
            {"zero", util::FormatFloatBr(0), "0,00"},
            {"rounded", util::FormatFloatBr(2.675), "2,68"},
            {"given mask", util::FormatFloatBr(1234.5678, ",0.000"), "1.234,568"},
            {"msk4x2", util::FormatFloatBr(util::msk4x2, 1234567.891), "1.234.567,89"},
            {"msk7x2", util::FormatFloatBr(util::msk7x2, 0.5), "0,50"},
            {"msk9x2", util::FormatFloatBr(util::msk9x2, 1234.5), "1.234,50"},
            {"msk10x2", util::FormatFloatBr(util::msk10x2, 12), "12,00"},
            {"msk13x2", util::FormatFloatBr(util::msk13x2, 1e9), "1.000.000.000,00"},
            {"msk15x2", util::FormatFloatBr(util::msk15x2, -0.004), "0,00"},
            {"msk6x3", util::FormatFloatBr(util::msk6x3, 1.0005), "1,001"},
            {"msk6x4", util::FormatFloatBr(util::msk6x4, 12345.6), "12.345,6000"},
            {"mskAliq does not scale", util::FormatFloatBr(util::mskAliq, 7), "07%"},
            {"mskAliq rounds", util::FormatFloatBr(util::mskAliq, 17.5), "18%"},
        };
        for (const auto &c : cases)
            EXPECT_EQ(c.actual, c.expected) << settings->DecimalSeparator << ": " << c.name;
    }
}

// ---- Dates -------------------------------------------------------------------------

TEST(OvixUtilDates, BrazilianDateTextsAndTheCompactStamp)
{
    TFormatSettings dashes = Plain;
    dashes.DateSeparator = "-";
    dashes.TimeSeparator = ".";
    rtl::ScopedFormatSettings scope(dashes);

    const rtl::TDateTime value = rtl::EncodeDateTime(2019, 3, 15, 18, 30, 0, 0);
    const rtl::TDateTime early = rtl::EncodeDateTime(2001, 1, 2, 3, 4, 5, 0);
    struct Row {
        const char *name;
        std::string actual;
        const char *expected;
    } rows[] = {
        {"date only", util::FormatDateBr(value), "15/03/2019"},
        {"date and time", util::FormatDateTimeBr(value), "15/03/2019 18:30:00"},
        {"given format", util::FormatDateTimeBr(value, "YYYY/MM hh:nn"), "2019/03 18:30"},
        {"date drops the time", util::FormatDateBr(value, "DD/MM/YYYY hh:nn"),
         "15/03/2019 00:00"},
        {"zero-padded fields", util::FormatDateTimeBr(early), "02/01/2001 03:04:05"},
        {"stamp", util::DTtoS(value), "20190315183000"},
        {"stamp pads", util::DTtoS(early), "20010102030405"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

} // namespace
