#include "rtl/variant.h"

#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

namespace {

rtl::TFormatSettings BrazilianSettings()
{
    return rtl::TFormatSettings::Brazil();
}

TEST(Variant, ConvertsToTextWithTheProcessSettings)
{
    rtl::ScopedFormatSettings settings(BrazilianSettings());
    struct Row {
        const char *name;
        rtl::Variant value;
        std::string expected;
    } rows[] = {
        {"empty", rtl::Variant(), ""},
        {"integer", rtl::Variant(-42), "-42"},
        {"int64", rtl::Variant(12345678901LL), "12345678901"},
        {"double", rtl::Variant(12.5), "12,5"},
        {"currency", rtl::Variant(rtl::Currency::FromRaw(15000)), "1,5"},
        {"boolean", rtl::Variant(true), "True"},
        {"date", rtl::Variant::FromDateTime(43539.75), "15/03/2019 18:00:00"},
        {"string", rtl::Variant("Ação"), "Ação"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.value.AsString(), row.expected) << row.name;
}

TEST(Variant, NumbersFromTextAreStrictAndDoublesRoundHalfToEven)
{
    rtl::ScopedFormatSettings settings(BrazilianSettings());
    EXPECT_EQ(rtl::Variant(" 17").AsInteger(), 17);
    EXPECT_EQ(rtl::Variant(2.5).AsInteger(), 2);
    EXPECT_EQ(rtl::Variant(3.5).AsInteger(), 4);
    EXPECT_DOUBLE_EQ(rtl::Variant("3,25").AsDouble(), 3.25);
    EXPECT_EQ(rtl::Variant("1,25").AsCurrency().Raw(), 12500);
    EXPECT_TRUE(rtl::Variant("true").AsBoolean());
    EXPECT_FALSE(rtl::Variant("0").AsBoolean());
    EXPECT_DOUBLE_EQ(rtl::Variant::FromDateTime(2.5).AsDouble(), 2.5);
}

TEST(Variant, ImpossibleConversionsRaiseTheCastError)
{
    rtl::ScopedFormatSettings settings(BrazilianSettings());
    try {
        (void)rtl::Variant("12a").AsInteger();
        FAIL() << "no error";
    } catch (const rtl::EVariantTypeCastError &e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Integer)");
    }
    EXPECT_THROW((void)rtl::Variant("3.25").AsDouble(), rtl::EVariantTypeCastError);
    EXPECT_THROW((void)rtl::Variant(1e300).AsInt64(), rtl::EVariantTypeCastError);
    EXPECT_THROW((void)rtl::Variant(5000000000LL).AsInteger(), rtl::EVariantTypeCastError);
    EXPECT_THROW((void)rtl::Variant("31/02/2019").AsDateTime(), rtl::EVariantTypeCastError);
    EXPECT_THROW((void)rtl::Variant("talvez").AsBoolean(), rtl::EVariantTypeCastError);
}

} // namespace
