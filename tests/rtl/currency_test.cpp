#include "rtl/currency.h"
#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <type_traits>

namespace {

using rtl::Currency;

static_assert(std::is_convertible_v<int, Currency>, "whole units convert");
static_assert(!std::is_convertible_v<double, Currency>, "doubles go through FromDouble");
static_assert(!std::is_constructible_v<Currency, double>, "doubles go through FromDouble");

const rtl::TFormatSettings Brazil = rtl::TFormatSettings::Brazil();

TEST(Currency, FromDoubleRoundsTheExactValueHalfToEven)
{
    struct Row {
        const char *name;
        double value;
        std::int64_t raw;
    } rows[] = {
        {"tie to even, down", 1.03125, 10312},
        {"tie to even, up", 1.09375, 10938},
        {"negative tie", -1.03125, -10312},
        {"small tie down", 0.03125, 312},
        {"small tie up", 0.09375, 938},
        {"0.00005 is slightly above the tie", 0.00005, 1},
        {"0.1 is slightly above 0.1", 0.1, 1000},
        // value * 10000.0 would round to a tie first and then the wrong way.
        {"0.00035 is slightly below the tie", 0.00035, 3},
        {"0.00025 is slightly above the tie", 0.00025, 3},
        {"whole and half", 2.5, 25000},
        {"far below the last decimal", 1e-9, 0},
        {"negative zero", -0.0, 0},
        {"near the top", 922337203685477.5, 9223372036854775000},
        {"near the bottom", -922337203685477.5, -9223372036854775000},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Currency::FromDouble(row.value).Raw(), row.raw) << row.name;
}

TEST(Currency, FromDoubleRefusesWhatDoesNotFit)
{
    struct Row {
        const char *name;
        double value;
    } rows[] = {
        {"nan", std::numeric_limits<double>::quiet_NaN()},
        {"infinity", std::numeric_limits<double>::infinity()},
        {"minus infinity", -std::numeric_limits<double>::infinity()},
        {"just above the max", 922337203685477.625},
        {"just below the min", -922337203685477.625},
        {"huge", 1e300},
    };
    for (const auto &row : rows)
        EXPECT_THROW(Currency::FromDouble(row.value), rtl::EConvertError) << row.name;

    const rtl::ScopedFormatSettings plain{rtl::TFormatSettings()};
    try {
        Currency::FromDouble(1e20);
        FAIL() << "no error";
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), "'1E20' is not a valid currency value");
    }
}

TEST(Currency, ToDouble)
{
    EXPECT_EQ(Currency::FromRaw(12345).ToDouble(), 1.2345);
    EXPECT_EQ(Currency::FromRaw(-25000).ToDouble(), -2.5);
    EXPECT_EQ(Currency::Max().ToDouble(), 922337203685477.5807);
    EXPECT_EQ(Currency::Min().ToDouble(), -922337203685477.5808);
    // Above 2^53 the division alone would round twice.
    EXPECT_EQ(Currency::FromRaw(9007199254740993).ToDouble(), 900719925474.0993);
}

TEST(Currency, ArithmeticIsExactAndChecked)
{
    EXPECT_EQ(Currency(2) + Currency::FromRaw(5000), Currency::FromRaw(25000));
    EXPECT_EQ(Currency(2) - Currency::FromRaw(5000), Currency::FromRaw(15000));
    EXPECT_EQ(-Currency::FromRaw(5), Currency::FromRaw(-5));
    EXPECT_EQ(Currency::FromRaw(12345) * 3, Currency::FromRaw(37035));
    EXPECT_EQ(3 * Currency::FromRaw(12345), Currency::FromRaw(37035));
    Currency c = Currency::FromRaw(12345);
    c *= -2;
    EXPECT_EQ(c, Currency::FromRaw(-24690));
    c += 1;
    EXPECT_EQ(c, Currency::FromRaw(-14690));

    EXPECT_THROW(Currency::Max() + Currency::FromRaw(1), rtl::EConvertError);
    EXPECT_THROW(Currency::Min() - 1, rtl::EConvertError);
    EXPECT_THROW(-Currency::Min(), rtl::EConvertError);
    EXPECT_THROW(Currency::Max() * 2, rtl::EConvertError);
    EXPECT_THROW(Currency::Max() * Currency(2), rtl::EConvertError);
    EXPECT_THROW(Currency(std::int64_t{1'000'000'000'000'000}), rtl::EConvertError);
    EXPECT_EQ(Currency(std::int64_t{922'337'203'685'477}).Raw(), 9'223'372'036'854'770'000);
    try {
        (void)(Currency::Max() + Currency::FromRaw(1));
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), "'922337203685477.5808' is not a valid currency value");
    }
}

TEST(Currency, ProductsRoundHalfToEven)
{
    struct Row {
        const char *name;
        Currency a, b;
        std::int64_t raw;
    } rows[] = {
        {"exact", Currency::FromRaw(15000), Currency::FromRaw(15000), 22500},
        {"tie to even, down", Currency::FromRaw(1), Currency::FromRaw(5000), 0},
        {"tie to even, up", Currency::FromRaw(3), Currency::FromRaw(5000), 2},
        {"negative tie", Currency::FromRaw(-3), Currency::FromRaw(5000), -2},
        {"above the tie", Currency::FromRaw(1), Currency::FromRaw(5001), 1},
        {"large operands", Currency(1'000'000), Currency(1'000'000), 1'000'000'000'000LL * 10000},
    };
    for (const auto &row : rows)
        EXPECT_EQ((row.a * row.b).Raw(), row.raw) << row.name;
}

TEST(Currency, Ordering)
{
    EXPECT_LT(Currency(1), Currency::FromRaw(10001));
    EXPECT_GT(Currency(-1), Currency::Min());
    EXPECT_EQ(Currency::FromRaw(10000), 1);
    EXPECT_NE(Currency::FromRaw(10001), 1);
    EXPECT_TRUE(Currency::FromRaw(-1) < 0);
}

TEST(StrToCurr, ExactDecimalsRoundedHalfToEven)
{
    struct Row {
        const char *name;
        const char *text;
        bool valid;
        std::int64_t raw;
    } rows[] = {
        {"plain", " 12,5 ", true, 125000},
        {"tie to even, up", "1,23455", true, 12346},
        {"tie to even, down", "1,23445", true, 12344},
        {"above the tie", "1,234451", true, 12345},
        {"negative tie", "-1,23455", true, -12346},
        {"tie at zero", "0,00005", true, 0},
        {"tie from the exponent", "1,5e-4", true, 2},
        {"exponent", "1e3", true, 10000000},
        {"zero with a huge exponent", "0e999999", true, 0},
        {"max", "922337203685477,5807", true, std::numeric_limits<std::int64_t>::max()},
        {"min", "-922337203685477,5808", true, std::numeric_limits<std::int64_t>::min()},
        {"past the max", "922337203685477,5808", false, 0},
        {"far past the max", "99999999999999999999999", false, 0},
        {"exponent past the max", "1e20", false, 0},
        {"grouping", "1.234,56", false, 0},
        {"not a number", "abc", false, 0},
        {"empty", "", false, 0},
    };
    for (const auto &row : rows) {
        Currency value = Currency::FromRaw(-99);
        EXPECT_EQ(rtl::TryStrToCurr(row.text, value, Brazil), row.valid) << row.name;
        if (row.valid) {
            EXPECT_EQ(value.Raw(), row.raw) << row.name;
            EXPECT_EQ(rtl::StrToCurr(row.text, Brazil).Raw(), row.raw) << row.name;
        } else {
            EXPECT_EQ(value.Raw(), -99) << row.name << ": left untouched";
            EXPECT_THROW(rtl::StrToCurr(row.text, Brazil), rtl::EConvertError) << row.name;
            EXPECT_EQ(rtl::StrToCurrDef(row.text, 7, Brazil), 7) << row.name;
        }
    }
}

TEST(StrToCurr, MessagesTellSyntaxFromRange)
{
    auto message = [](const char *text) {
        try {
            rtl::StrToCurr(text, Brazil);
        } catch (const rtl::EConvertError &e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("abc"), "'abc' is not a valid floating point value");
    EXPECT_EQ(message("1e20"), "'1e20' is not a valid currency value");
}

} // namespace
