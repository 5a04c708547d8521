#include "dfe/timezone.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/timezone.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rtl::EncodeDate;
using rtl::EncodeDateTime;

// The machine's offset now, "-03:00" form, straight from the run-time: the tests never
// assume the zone of the machine they run on.
std::string MachineOffset()
{
    std::string text = rtl::FormatOffsetText(rtl::LocalUtcOffsetMinutesNow());
    return text.substr(0, 3) + ":" + text.substr(3);
}

// Sets the process-wide mode for a test and puts the previous setting back afterwards.
class ProcessZone : public ::testing::Test {
protected:
    void SetUp() override { FSaved.Assign(dfe::TimeZoneConf()); }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

    static void UseManual(const char *zone)
    {
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr(zone);
    }

private:
    dfe::TTimeZoneConf FSaved;
};

// ---- The setting -------------------------------------------------------------------

TEST(TimeZoneConf, StartsInSystemModeAndIsOneInstance)
{
    const dfe::TTimeZoneConf conf;
    EXPECT_EQ(conf.ModoDeteccao(), dfe::tzSistema);
    EXPECT_EQ(conf.TimeZoneStr(), "");
    EXPECT_EQ(conf.ClassName(), "TTimeZoneConf");
    EXPECT_EQ(&dfe::TimeZoneConf(), &dfe::TimeZoneConf());
}

TEST(TimeZoneConf, ModeAndTextSettersKeepEachOtherConsistent)
{
    rtl::ScopedClock clock(EncodeDateTime(2024, 6, 15, 12, 0, 0, 0));
    dfe::TTimeZoneConf conf;

    // Outside manual mode a text is not kept.
    conf.SetTimeZoneStr("-03:00");
    EXPECT_EQ(conf.TimeZoneStr(), "") << "text set in system mode";

    // Entering manual mode with no text takes the machine's offset.
    conf.SetModoDeteccao(dfe::tzManual);
    EXPECT_EQ(conf.TimeZoneStr(), MachineOffset()) << "entering manual mode";

    conf.SetTimeZoneStr("+05:30");
    EXPECT_EQ(conf.TimeZoneStr(), "+05:30") << "typed zone";

    // Setting the same mode again changes nothing.
    conf.SetModoDeteccao(dfe::tzManual);
    EXPECT_EQ(conf.TimeZoneStr(), "+05:30") << "same mode again";

    // A blank text in manual mode falls back to the machine's offset.
    conf.SetTimeZoneStr("   ");
    EXPECT_EQ(conf.TimeZoneStr(), MachineOffset()) << "blank text";

    conf.SetTimeZoneStr("-02:00");
    conf.SetModoDeteccao(dfe::tzPCN);
    EXPECT_EQ(conf.ModoDeteccao(), dfe::tzPCN);
    EXPECT_EQ(conf.TimeZoneStr(), "") << "leaving manual mode";

    conf.SetModoDeteccao(dfe::tzManual);
    EXPECT_EQ(conf.TimeZoneStr(), MachineOffset()) << "back to manual mode";
}

TEST(TimeZoneConf, ManualTextIsCheckedAndARefusalKeepsTheOldText)
{
    const std::string tamanho = "Tamanho de TimeZone deve ser 6. Ex: -03:00";
    const std::string primeiro = "Primeiro caractere deve ser \"+,-\". Ex: -03:00";
    const std::string quarto = "Quarto caractere deve ser \":\". Ex: -03:00";
    const std::string hora = "Hora deve estar entre -11 a +14. Ex: -03:00";
    const std::string minuto = "Minuto deve estar entre 0 a 59. Ex: -03:00";
    struct Row {
        const char *name;
        const char *value;
        std::string error; // empty: accepted
    } rows[] = {
        {"highest hour", "+14:00", ""},
        {"lowest hour", "-11:00", ""},
        {"last minute", "-11:59", ""},
        {"zero with minus sign", "-00:00", ""},
        {"half hour", "+05:30", ""},
        {"hour above +14", "+15:00", hora},
        {"hour below -11", "-12:00", hora},
        {"+14 is the limit only with plus", "-14:00", hora},
        {"minute 60", "-03:60", minuto},
        {"no sign, trailing blank", "03:00 ", primeiro},
        {"five characters", "-3:00", tamanho},
        {"seven characters", "-03:000", tamanho},
        {"blanks around", " -03:00 ", tamanho},
        {"dash for colon", "-03-00", quarto},
        {"letter in hour", "-0a:00", hora},
        {"blank in hour", "+ 3:00", hora},
        {"sign in hour", "+-3:00", hora},
        {"letter in minute", "-03:5x", minuto},
        // Characters, not bytes, are counted: this is six characters and seven bytes.
        {"accented minute", "-03:0\xc3\xa9", minuto},
    };
    for (const auto &row : rows) {
        dfe::TTimeZoneConf conf;
        conf.SetModoDeteccao(dfe::tzManual);
        conf.SetTimeZoneStr("-01:00");
        if (row.error.empty()) {
            EXPECT_NO_THROW(conf.SetTimeZoneStr(row.value)) << row.name;
            EXPECT_EQ(conf.TimeZoneStr(), row.value) << row.name;
            continue;
        }
        try {
            conf.SetTimeZoneStr(row.value);
            ADD_FAILURE() << row.name << ": accepted";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), row.error) << row.name;
        }
        EXPECT_EQ(conf.TimeZoneStr(), "-01:00") << row.name << ": old text kept";
    }
}

TEST(TimeZoneConf, AssignCopiesAnotherSettingOnly)
{
    dfe::TTimeZoneConf source;
    source.SetModoDeteccao(dfe::tzManual);
    source.SetTimeZoneStr("+01:00");

    dfe::TTimeZoneConf target;
    target.Assign(source);
    EXPECT_EQ(target.ModoDeteccao(), dfe::tzManual);
    EXPECT_EQ(target.TimeZoneStr(), "+01:00");

    // Any other object is ignored, without the run-time's assignment error.
    const rtl::TPersistent other;
    EXPECT_NO_THROW(target.Assign(other));
    EXPECT_EQ(target.ModoDeteccao(), dfe::tzManual);
    EXPECT_EQ(target.TimeZoneStr(), "+01:00");
}

// ---- The zone of a date-time -------------------------------------------------------

TEST_F(ProcessZone, ManualModeGivesTheTypedZoneForEveryStateAndDate)
{
    UseManual("-03:00");
    EXPECT_EQ(dfe::GetUTC("SP", EncodeDate(2019, 1, 1)), "-03:00");
    EXPECT_EQ(dfe::GetUTC("AC", EncodeDate(2019, 1, 1)), "-03:00");
    EXPECT_EQ(dfe::GetUTC("", 0), "-03:00");

    dfe::TimeZoneConf().SetTimeZoneStr("+09:30");
    EXPECT_EQ(dfe::GetUTC("RS", EncodeDate(2024, 7, 1)), "+09:30");
}

TEST_F(ProcessZone, SystemModeGivesTheMachineOffsetNow)
{
    rtl::ScopedClock clock(EncodeDateTime(2024, 6, 15, 12, 0, 0, 0));
    dfe::TimeZoneConf().SetModoDeteccao(dfe::tzSistema);
    const std::string offset = dfe::GetUTCSistema();
    EXPECT_EQ(offset, MachineOffset());
    ASSERT_EQ(offset.size(), 6u);
    EXPECT_EQ(offset[3], ':');
    // The state and the date do not matter: the offset is the one in force now.
    EXPECT_EQ(dfe::GetUTC("AC", EncodeDate(2019, 1, 1)), offset);
    EXPECT_EQ(dfe::GetUTC("SP", EncodeDate(2000, 7, 1)), offset);
}

TEST_F(ProcessZone, StateTableWithSummerTime)
{
    dfe::TimeZoneConf().SetModoDeteccao(dfe::tzPCN);
    const rtl::TDateTime summer = EncodeDate(2019, 1, 1);
    const rtl::TDateTime winter = EncodeDate(2019, 3, 1);
    struct Row {
        const char *name;
        const char *uf;
        rtl::TDateTime when;
        const char *zone;
    } rows[] = {
        {"SP in summer", "SP", summer, "-02:00"},
        {"SP after the season", "SP", winter, "-03:00"},
        {"SP when there is no more summer time", "SP", EncodeDate(2020, 1, 1), "-03:00"},
        {"MT in summer", "MT", summer, "-03:00"},
        {"MS out of summer", "MS", winter, "-04:00"},
        {"AM in summer", "AM", summer, "-04:00"},
        {"RO out of summer", "RO", winter, "-04:00"},
        {"AC", "AC", summer, "-05:00"},
        {"BA never changes", "BA", summer, "-03:00"},
        {"DF in summer", "DF", summer, "-02:00"},
        {"91 is DF", "91", summer, "-02:00"},
        {"90 is DF", "90", summer, "-02:00"},
        {"empty state is DF", "", summer, "-02:00"},
        {"abroad", "EX", summer, "-03:00"},
        {"not a state", "XX", summer, "-03:00"},
        {"lower case is not a state", "sp", summer, "-03:00"},
        // A fragment of the list passes the summer test but has no row of its own.
        {"fragment of the list", "S", summer, "-03:00"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::GetUTC(row.uf, row.when), row.zone) << row.name;
}

// ---- Summer-time calendar ----------------------------------------------------------

TEST(SummerTime, SeasonLimits)
{
    struct Row {
        const char *name;
        rtl::TDateTime actual, expected;
    } rows[] = {
        {"start up to 2017: third Sunday of October (month begins on Sunday)",
         dfe::GetInicioDoHorarioDeVerao(2017), EncodeDate(2017, 10, 15)},
        {"start 2012", dfe::GetInicioDoHorarioDeVerao(2012), EncodeDate(2012, 10, 21)},
        {"start 2018: first Sunday of November", dfe::GetInicioDoHorarioDeVerao(2018),
         EncodeDate(2018, 11, 4)},
        {"no start after 2018", dfe::GetInicioDoHorarioDeVerao(2019), 0},
        {"end 2019: third Sunday of February", dfe::GetFimDoHorarioDeVerao(2019),
         EncodeDate(2019, 2, 17)},
        {"end 2017: Carnival later in the month, no shift", dfe::GetFimDoHorarioDeVerao(2017),
         EncodeDate(2017, 2, 19)},
        {"end 2012: Carnival Sunday moves it a week", dfe::GetFimDoHorarioDeVerao(2012),
         EncodeDate(2012, 2, 26)},
        {"end 2015: Carnival Sunday moves it a week", dfe::GetFimDoHorarioDeVerao(2015),
         EncodeDate(2015, 2, 22)},
        {"no end from 2020", dfe::GetFimDoHorarioDeVerao(2020), 0},
        {"first Sunday, month begins on Sunday", dfe::GetPrimeiroDomingoDoMes(2015, 2),
         EncodeDate(2015, 2, 1)},
        {"first Sunday on the 7th", dfe::GetPrimeiroDomingoDoMes(2019, 4),
         EncodeDate(2019, 4, 7)},
        {"third Sunday", dfe::GetTerceiroDomingoDoMes(2019, 4), EncodeDate(2019, 4, 21)},
        {"Easter in April", dfe::GetDataDaPascoa(2019), EncodeDate(2019, 4, 21)},
        {"Easter in March", dfe::GetDataDaPascoa(2024), EncodeDate(2024, 3, 31)},
        {"Easter: a + b of 10 gives 1 April", dfe::GetDataDaPascoa(2018),
         EncodeDate(2018, 4, 1)},
        // The late-April correction is not applied (the true date is 19 April).
        {"Easter without correction", dfe::GetDataDaPascoa(1981), EncodeDate(1981, 4, 26)},
        {"Carnival Tuesday", dfe::GetDataDoCarnaval(2012), EncodeDate(2012, 2, 21)},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(SummerTime, IsHorarioDeVeraoAtTheEdgesOfASeason)
{
    struct Row {
        const char *name;
        const char *uf;
        rtl::TDateTime when;
        bool summer;
    } rows[] = {
        {"eve of the 2018 start", "SP", EncodeDateTime(2018, 11, 3, 23, 59, 59, 0), false},
        {"2018 start", "SP", EncodeDate(2018, 11, 4), true},
        {"third Sunday of October 2018 is not a start", "SP", EncodeDate(2018, 10, 21), false},
        {"new year inside the season", "RJ", EncodeDate(2019, 1, 1), true},
        {"end Sunday at midnight", "SP", EncodeDate(2019, 2, 17), true},
        {"end Sunday one second later", "SP", EncodeDateTime(2019, 2, 17, 0, 0, 1, 0), false},
        {"2017 start", "PR", EncodeDate(2017, 10, 15), true},
        {"day before the 2017 start", "PR", EncodeDateTime(2017, 10, 14, 12, 0, 0, 0), false},
        {"Carnival week 2012", "SP", EncodeDateTime(2012, 2, 25, 12, 0, 0, 0), true},
        {"2012 end at midnight", "SP", EncodeDate(2012, 2, 26), true},
        {"2012 end later that day", "SP", EncodeDateTime(2012, 2, 26, 1, 0, 0, 0), false},
        {"none in November 2019", "SP", EncodeDate(2019, 11, 10), false},
        {"none in January 2020", "SP", EncodeDate(2020, 1, 5), false},
        {"none in January 2021", "SP", EncodeDate(2021, 1, 5), false},
        {"winter", "SP", EncodeDate(2017, 7, 1), false},
        {"state without summer time", "BA", EncodeDate(2019, 1, 1), false},
        {"91 is DF", "91", EncodeDate(2019, 1, 1), true},
        {"empty state is DF", "", EncodeDate(2019, 1, 1), true},
        {"abroad", "EX", EncodeDate(2019, 1, 1), false},
        // The state is searched as plain text in the list of states.
        {"fragment of the list", "S", EncodeDate(2019, 1, 1), true},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::IsHorarioDeVerao(row.uf, row.when), row.summer) << row.name;
}

} // namespace
