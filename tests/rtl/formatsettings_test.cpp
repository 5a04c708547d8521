#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

namespace {

using rtl::TFormatSettings;

TEST(FormatSettings, BrazilIsFixed)
{
    const TFormatSettings s = TFormatSettings::Brazil();
    EXPECT_EQ(s.DecimalSeparator, ",");
    EXPECT_EQ(s.ThousandSeparator, ".");
    EXPECT_EQ(s.DateSeparator, "/");
    EXPECT_EQ(s.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(s.LongDateFormat, "dddd, d' de 'mmmm' de 'yyyy");
    EXPECT_EQ(s.TimeSeparator, ":");
    EXPECT_EQ(s.ShortTimeFormat, "hh:nn");
    EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(s.CurrencyString, "R$");
    EXPECT_EQ(s.CurrencyDecimals, 2);
    EXPECT_EQ(s.ListSeparator, ";");
    EXPECT_EQ(s.TimeAMString, "AM");
    EXPECT_EQ(s.TimePMString, "PM");
    EXPECT_EQ(s.TwoDigitYearCenturyWindow, 50);
}

TEST(FormatSettings, CAndUnknownLocalesGiveTheDefaults)
{
    for (const char *name : {"C", "POSIX", "xx_YY"})
        EXPECT_EQ(TFormatSettings::FromLocaleName(name), TFormatSettings()) << name;
    EXPECT_EQ(TFormatSettings().DecimalSeparator, ".");
    EXPECT_EQ(TFormatSettings().ThousandSeparator, ",");
}

TEST(FormatSettings, LocalesTranslateIntoOurFormatLetters)
{
    struct Row {
        const char *name;
        std::string actual;
        std::string expected;
    };
    const TFormatSettings br = TFormatSettings::FromLocaleName("pt_BR");
    const TFormatSettings us = TFormatSettings::FromLocaleName("en_US");
    const TFormatSettings de = TFormatSettings::FromLocaleName("de_DE");
    const TFormatSettings fr = TFormatSettings::FromLocaleName("fr_FR");
    const TFormatSettings ja = TFormatSettings::FromLocaleName("ja_JP");
    const Row rows[] = {
        {"br decimal", br.DecimalSeparator, ","},
        {"br thousands", br.ThousandSeparator, "."},
        {"br currency", br.CurrencyString, "R$"},
        {"br short date", br.ShortDateFormat, "dd/mm/yyyy"},
        {"br long date keeps quoted words", br.LongDateFormat, "dddd, d 'de' mmmm 'de' yyyy"},
        {"br date separator", br.DateSeparator, "/"},
        {"br short time: H to h, m to n", br.ShortTimeFormat, "hh:nn"},
        {"br long time drops the zone", br.LongTimeFormat, "hh:nn:ss"},
        {"br time separator", br.TimeSeparator, ":"},
        {"br list separator", br.ListSeparator, ";"},
        {"br AM", br.TimeAMString, "AM"},
        {"us short date", us.ShortDateFormat, "m/d/yy"},
        {"us long date", us.LongDateFormat, "dddd, mmmm d, yyyy"},
        {"us short time: AP to AMPM", us.ShortTimeFormat, "h:nn AMPM"},
        {"us long time", us.LongTimeFormat, "h:nn:ss AMPM"},
        {"us list separator", us.ListSeparator, ","},
        {"de date separator", de.DateSeparator, "."},
        {"de short date", de.ShortDateFormat, "dd.mm.yy"},
        {"fr narrow no-break space thousands", fr.ThousandSeparator, "\u202F"},
        {"ja long time keeps its characters", ja.LongTimeFormat, "h時nn分ss秒"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;

    // Currency layouts: 0 "$1", 2 "$ 1", 3 "1 $"; negative 0 "($1)", 8 "-1 $", 12 "$ -1".
    EXPECT_EQ(br.CurrencyFormat, 2);
    EXPECT_EQ(br.NegCurrFormat, 12);
    EXPECT_EQ(us.CurrencyFormat, 0);
    EXPECT_EQ(us.NegCurrFormat, 0);
    EXPECT_EQ(de.CurrencyFormat, 3);
    EXPECT_EQ(de.NegCurrFormat, 8);
}

TEST(FormatSettings, ScopedSettingsRestoreTheProcessSettings)
{
    const TFormatSettings before = rtl::FormatSettings();
    {
        const rtl::ScopedFormatSettings scoped(TFormatSettings::Brazil());
        EXPECT_EQ(rtl::FormatSettings(), TFormatSettings::Brazil());
    }
    EXPECT_EQ(rtl::FormatSettings(), before);
}

} // namespace
