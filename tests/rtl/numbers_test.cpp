#include "rtl/exceptions.h"
#include "rtl/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using rtl::TFormatSettings;

const TFormatSettings Brazil = TFormatSettings::Brazil();
const TFormatSettings Plain;  // '.' decimals, ',' thousands

TEST(FormatFloat, MasksRoundGroupAndPlaceDigits)
{
    struct Row {
        const char *name;
        const char *format;
        double value;
        const TFormatSettings &settings;
        const char *expected;
    } rows[] = {
        {"grouping brazil", ",0.00", 1234.5, Brazil, "1.234,50"},
        {"grouping plain", ",0.00", 1234.5, Plain, "1,234.50"},
        {"negative millions", ",0.00", -1234567, Brazil, "-1.234.567,00"},
        {"zero", ",0.00", 0, Brazil, "0,00"},
        {"2.675 rounds up", ",0.00", 2.675, Brazil, "2,68"},
        {"1.005 rounds up", ",0.00", 1.005, Brazil, "1,01"},
        {"0.125 rounds up", ",0.00", 0.125, Brazil, "0,13"},
        {"0.05 to one decimal", "0.0", 0.05, Plain, "0.1"},
        {"half away, positive", "0", 2.5, Plain, "3"},
        {"half away, negative", "0", -0.5, Plain, "-1"},
        {"below half", ",0.00", 2.674999, Brazil, "2,67"},
        {"rounded to zero has no minus", ",0.00", -0.004, Brazil, "0,00"},
        {"rounded to zero has no minus, plain", "0.00", -0.001, Plain, "0.00"},
        {"carry into a new group", "#,##0.00", 999.995, Brazil, "1.000,00"},
        {"three decimals grouped", ",0.000", 1234.5678, Plain, "1,234.568"},
        {"long mask, small value", "###,###,##0.00", 0.5, Brazil, "0,50"},
        {"long mask, big value", "###,###,##0.00", 1234567890.125, Brazil, "1.234.567.890,13"},
        {"long mask, more digits than places", "###,###,##0.00", 98765432109876.5, Brazil,
         "98.765.432.109.876,50"},
        {"percent does not scale", "#00%", 5, Plain, "05%"},
        {"percent rounds", "#00%", 12.5, Plain, "13%"},
        {"extra integer digits all print", "#00%", 1234567, Plain, "1234567%"},
        {"'#' prints nothing for zero", "#", 0, Plain, ""},
        {"'#.##' prints nothing for zero", "#.##", 0, Plain, ""},
        {"optional decimals dropped with the point", "0.##", 1, Plain, "1"},
        {"optional decimals kept when significant", "0.##", 1.5, Plain, "1.5"},
        {"no integer digit", "#.00", 0.5, Plain, ".50"},
        {"no integer digit, negative", "#.00", -0.5, Plain, "-.50"},
        {"no integer places at all", ".00", 12.5, Plain, "12.50"},
        {"large value prints every digit", "0.00", 1e20, Plain, "100000000000000000000.00"},
        {"literal between digits", "00000-000", 1234567, Plain, "01234-567"},
        {"double-quoted prefix", "\"R$ \"#,##0.00", 1234.5, Brazil, "R$ 1.234,50"},
        {"minus goes before the first digit", "\"R$ \"0.00", -5, Plain, "R$ -5.00"},
        {"single-quoted special characters", "'#.;'0", 7, Plain, "#.;7"},
        {"quoted point is not the decimal point", "00\".\"000", 12345, Brazil, "12.345"},
        {"unquoted suffix", "0.0 kg", 3.25, Brazil, "3,3 kg"},
        {"no-break space thousands", ",0", 1234567, TFormatSettings::FromLocaleName("pt_PT"),
         "1\u00A0234\u00A0567"},
        {"scientific", "0.00E+00", 1234.5, Plain, "1.23E+03"},
        {"scientific, small", "0.00E+00", 0.000123, Plain, "1.23E-04"},
        {"scientific, sign only when negative", "0.0E-0", 12345, Plain, "1.2E4"},
        {"scientific, carry moves the exponent", "0.00E+00", 9.999, Plain, "1.00E+01"},
        {"scientific, zero", "0.00E+00", 0, Plain, "0.00E+00"},
        {"scientific, negative", "0.0e-00", -0.0125, Brazil, "-1,3e-02"},
        {"empty mask is the general form", "", 12.5, Brazil, "12,5"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatFloat(row.format, row.value, row.settings), row.expected) << row.name;
}

TEST(FormatFloat, SectionsChooseByValue)
{
    struct Row {
        const char *name;
        const char *format;
        double value;
        const char *expected;
    } rows[] = {
        {"positive", "0.00;(0.00);\"nada\"", 5, "5.00"},
        {"negative prints the magnitude", "0.00;(0.00);\"nada\"", -5, "(5.00)"},
        {"zero section", "0.00;(0.00);\"nada\"", 0, "nada"},
        {"rounds to zero uses the zero section", "0.00;(0.00);\"nada\"", -0.001, "nada"},
        {"rounds to zero without a zero section", "0.00;(0.00)", -0.001, "0.00"},
        {"negative section rounding to zero", "0.000;0.0", -0.004, "0.000"},
        {"empty negative section falls back with a sign", "0.00;;\"nada\"", -5, "-5.00"},
        {"empty zero section falls back", "0.00;(0.00);", 0, "0.00"},
        {"quoted ';' does not split", "0' ; '0;x", 12, "1 ; 2"},
        {"empty first section is the general form", ";(0)", 2.5, "2.5"},
        {"empty first section, negative", ";(0)", -2.5, "(3)"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatFloat(row.format, row.value, Plain), row.expected) << row.name;
}

// The masks amounts are written with ("0.00") are printed without the general mask
// machinery; a second, empty section leaves a mask's meaning as it is but takes the
// general road, which must print the same text.
TEST(FormatFloat, PlainMasksPrintAsTheGeneralMasks)
{
    const char *mascaras[] = {"0", "0.", "0.0", "0.00", "0.000", "0.0000", "0.000000",
                              "0.00000000", "0.0000000000", "00.00", "000", "0000.0"};
    std::mt19937_64 gerador(99);
    std::vector<double> valores = {0.0, -0.0, 0.5, -0.5, 1.005, 2.675, 0.125, -0.125, 0.0049,
                                   -0.0049, 9.995, 99.5, 999999.995, 1e20, -1e-20, 5e-11, 123456789.123456789};
    for (int n = 0; n < 3000; ++n) {
        const double base = std::ldexp(static_cast<double>(gerador() >> 11), -53);
        const int escala = static_cast<int>(gerador() % 24) - 12;
        valores.push_back((gerador() & 1 ? -1 : 1) * base * std::pow(10.0, escala));
        valores.push_back(static_cast<double>(static_cast<long long>(gerador() % 2000001) - 1000000) / 1000);
    }
    for (const TFormatSettings *settings : {&Plain, &Brazil})
        for (const char *mascara : mascaras)
            for (const double v : valores)
                ASSERT_EQ(rtl::FormatFloat(mascara, v, *settings),
                          rtl::FormatFloat(std::string(mascara) + ";", v, *settings))
                    << mascara << " " << v;
}

TEST(FormatFloat, NonFiniteValuesAndProcessSettings)
{
    EXPECT_EQ(rtl::FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN(), Plain), "NAN");
    EXPECT_EQ(rtl::FormatFloat("0.00", std::numeric_limits<double>::infinity(), Plain), "INF");
    EXPECT_EQ(rtl::FormatFloat("0.00", -std::numeric_limits<double>::infinity(), Plain), "-INF");

    const rtl::ScopedFormatSettings scoped(Brazil);
    EXPECT_EQ(rtl::FormatFloat(",0.00", 1234.5), "1.234,50");
    EXPECT_EQ(rtl::FloatToStr(0.5), "0,5");
}

TEST(FloatToStr, GeneralForm)
{
    struct Row {
        const char *name;
        double value;
        const TFormatSettings &settings;
        const char *expected;
    } rows[] = {
        {"zero", 0, Plain, "0"},
        {"negative zero", -0.0, Plain, "0"},
        {"decimal", 12.5, Plain, "12.5"},
        {"brazilian separator", 12.5, Brazil, "12,5"},
        {"negative", -2.5, Plain, "-2.5"},
        {"whole", 100, Plain, "100"},
        {"one third", 1.0 / 3, Plain, "0.333333333333333"},
        {"two thirds rounds", 2.0 / 3, Plain, "0.666666666666667"},
        {"binary noise is rounded away", 0.1 + 0.2, Plain, "0.3"},
        {"fifteen digits stay plain", 123456789012345, Plain, "123456789012345"},
        {"1E15 is an exponent", 1e15, Plain, "1E15"},
        {"rounding up to 1E15", 999999999999999.9, Plain, "1E15"},
        {"long mantissa", -1.23456789012346e20, Plain, "-1.23456789012346E20"},
        {"small plain", 0.0001, Plain, "0.0001"},
        {"small exponent", 0.00001, Plain, "1E-5"},
        {"small with decimals", 1.5e-6, Plain, "1.5E-6"},
        {"exponent with brazilian separator", 1.5e-6, Brazil, "1,5E-6"},
        {"nan", std::numeric_limits<double>::quiet_NaN(), Plain, "NAN"},
        {"minus infinity", -std::numeric_limits<double>::infinity(), Plain, "-INF"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FloatToStr(row.value, row.settings), row.expected) << row.name;
}

TEST(StrToFloat, StrictSyntax)
{
    struct Row {
        const char *name;
        const char *text;
        const TFormatSettings &settings;
        bool valid;
        double expected;
    } rows[] = {
        {"plain decimal", "12.5", Plain, true, 12.5},
        {"blanks around", " 12,5 ", Brazil, true, 12.5},
        {"tabs and newlines around", "\t3\n", Plain, true, 3},
        {"exponent", "1e3", Plain, true, 1000},
        {"exponent with sign", "-2.5E-3", Plain, true, -0.0025},
        {"plus sign", "+7", Plain, true, 7},
        {"leading point", ".5", Plain, true, 0.5},
        {"trailing point", "5.", Plain, true, 5},
        {"exact nearest double", "2.675", Plain, true, 2.675},
        {"long digits round correctly", "3.14159265358979323846264338327950288", Plain, true,
         std::numbers::pi},
        {"underflow is zero", "1e-400", Plain, true, 0},
        {"other separator", "12,5", Plain, false, 0},
        {"grouping", "1.234,56", Brazil, false, 0},
        {"grouping plain", "1,234.56", Plain, false, 0},
        {"two separators", "1..2", Plain, false, 0},
        {"empty", "", Plain, false, 0},
        {"blank", "   ", Plain, false, 0},
        {"sign only", "-", Plain, false, 0},
        {"point only", ".", Plain, false, 0},
        {"exponent only", "e5", Plain, false, 0},
        {"exponent without digits", "1e", Plain, false, 0},
        {"exponent sign without digits", "1e+", Plain, false, 0},
        {"inner blank", "1 2", Plain, false, 0},
        {"nan", "nan", Plain, false, 0},
        {"inf", "inf", Plain, false, 0},
        {"infinity", "Infinity", Plain, false, 0},
        {"hex", "0x1p3", Plain, false, 0},
        {"overflow", "1e400", Plain, false, 0},
    };
    for (const auto &row : rows) {
        double value = -99;
        EXPECT_EQ(rtl::TryStrToFloat(row.text, value, row.settings), row.valid) << row.name;
        if (row.valid) {
            EXPECT_EQ(value, row.expected) << row.name;
            EXPECT_EQ(rtl::StrToFloat(row.text, row.settings), row.expected) << row.name;
        } else {
            EXPECT_EQ(value, -99) << row.name << ": left untouched";
            EXPECT_THROW(rtl::StrToFloat(row.text, row.settings), rtl::EConvertError) << row.name;
            EXPECT_EQ(rtl::StrToFloatDef(row.text, 7, row.settings), 7) << row.name;
        }
    }
}

// Short decimals are read by arithmetic instead of the standard conversion; every text,
// short or long, must still read as the nearest double, as from_chars reads it.
TEST(StrToFloat, ReadsTheNearestDoubleOfEveryDecimal)
{
    std::mt19937_64 gerador(1234);
    const auto sorteio = [&](int n) { return static_cast<int>(gerador() % static_cast<unsigned>(n)); };
    for (int n = 0; n < 20000; ++n) {
        std::string texto = sorteio(4) == 0 ? "-" : "";
        const int digitos = 1 + sorteio(20);
        const int ponto = sorteio(digitos + 1);
        for (int k = 0; k < digitos; ++k) {
            if (k == ponto && k > 0)
                texto += '.';
            texto += static_cast<char>('0' + sorteio(10));
        }
        if (sorteio(3) == 0)
            texto += "e" + std::to_string(sorteio(61) - 30);
        double esperado = 0;
        const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), esperado);
        ASSERT_EQ(r.ec, std::errc()) << texto;
        double lido = 0;
        ASSERT_TRUE(rtl::TryStrToFloat(texto, lido, Plain)) << texto;
        ASSERT_EQ(lido, esperado) << texto;
        ASSERT_EQ(std::signbit(lido), std::signbit(esperado)) << texto;
    }
}

TEST(StrToFloat, ErrorNamesTheTextAsGiven)
{
    try {
        rtl::StrToFloat(" 1.234,56 ", Brazil);
        FAIL() << "no error";
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), "' 1.234,56 ' is not a valid floating point value");
    }
    EXPECT_TRUE(std::signbit(rtl::StrToFloat("-0", Plain)));
}

TEST(CurrToStr, ExactDigits)
{
    struct Row {
        const char *name;
        rtl::Currency value;
        const TFormatSettings &settings;
        const char *expected;
    } rows[] = {
        {"zero", rtl::Currency(), Plain, "0"},
        {"whole", rtl::Currency(42), Plain, "42"},
        {"trailing zeros dropped", rtl::Currency::FromRaw(12345000), Plain, "1234.5"},
        {"brazilian separator", rtl::Currency::FromRaw(12345000), Brazil, "1234,5"},
        {"smallest step", rtl::Currency::FromRaw(-5), Plain, "-0.0005"},
        {"max", rtl::Currency::Max(), Plain, "922337203685477.5807"},
        {"min", rtl::Currency::Min(), Plain, "-922337203685477.5808"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::CurrToStr(row.value, row.settings), row.expected) << row.name;
}

TEST(FormatCurr, MaskOnTheExactAmount)
{
    struct Row {
        const char *name;
        const char *format;
        rtl::Currency value;
        const char *expected;
    } rows[] = {
        {"exact tie rounds away", ",0.00", rtl::Currency::FromRaw(26750), "2,68"},
        {"below the tie", ",0.00", rtl::Currency::FromRaw(26749), "2,67"},
        {"negative tie rounds away", ",0.00", rtl::Currency::FromRaw(-50), "-0,01"},
        {"negative rounding to zero", ",0.00", rtl::Currency::FromRaw(-49), "0,00"},
        {"every digit of the max", "#,##0.0000", rtl::Currency::Max(), "922.337.203.685.477,5807"},
        {"the min", "#,##0.00", rtl::Currency::Min(), "-922.337.203.685.477,58"},
        {"sections", "0.00;(0.00)", rtl::Currency(-3), "(3,00)"},
        {"empty mask is CurrToStr", "", rtl::Currency::FromRaw(15), "0,0015"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatCurr(row.format, row.value, Brazil), row.expected) << row.name;
}

} // namespace
