#include "rtl/datetime.h"

#include "rtl/exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using rtl::TDateTime;

constexpr double OneMs = 1.0 / 86'400'000.0;

struct Fields {
    int year, month, day, hour, min, sec, msec;
    bool operator==(const Fields &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Fields &f)
{
    return os << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.min << ':'
              << f.sec << '.' << f.msec;
}

Fields Decoded(TDateTime value)
{
    Fields f{};
    rtl::DecodeDateTime(value, f.year, f.month, f.day, f.hour, f.min, f.sec, f.msec);
    return f;
}

rtl::TFormatSettings Settings(const char *dateSeparator, const char *timeSeparator,
                              const char *shortDate = "dd/mm/yyyy", const char *longTime = "hh:nn:ss")
{
    rtl::TFormatSettings s;
    s.DateSeparator = dateSeparator;
    s.TimeSeparator = timeSeparator;
    s.ShortDateFormat = shortDate;
    s.LongTimeFormat = longTime;
    s.ShortTimeFormat = "hh:nn";
    s.DecimalSeparator = ",";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.TwoDigitYearCenturyWindow = 50;
    return s;
}

std::string Message(const std::function<void()> &action)
{
    try {
        action();
    } catch (const rtl::EConvertError &e) {
        return e.Message();
    }
    return "(no error)";
}

// ---- Calendar -----------------------------------------------------------------------

TEST(DateTime, EncodeAndDecodeRoundTrip)
{
    struct Row {
        const char *name;
        Fields fields;
        TDateTime serial;
    } rows[] = {
        {"origin", {1899, 12, 30, 0, 0, 0, 0}, 0},
        {"first of 1900", {1900, 1, 1, 0, 0, 0, 0}, 2},
        {"1900 has no leap day", {1900, 3, 1, 0, 0, 0, 0}, 61},
        {"leap day of a 400th year", {2000, 2, 29, 0, 0, 0, 0}, 36585},
        {"leap day of 1600", {1600, 2, 29, 0, 0, 0, 0}, -109512},
        {"afternoon", {2019, 3, 15, 18, 30, 0, 0}, 43539 + 18.5 / 24},
        {"last millisecond of a day", {2019, 3, 15, 23, 59, 59, 999}, 43540 - OneMs},
        {"last day", {9999, 12, 31, 0, 0, 0, 0}, 2958465},
        {"first day", {1, 1, 1, 0, 0, 0, 0}, -693593},
        {"before the origin keeps the time positive", {1899, 12, 29, 6, 0, 0, 0}, -1.25},
        {"first day with a time", {1, 1, 1, 12, 0, 0, 0}, -693593.5},
    };
    for (const auto &row : rows) {
        const Fields &f = row.fields;
        EXPECT_NEAR(rtl::EncodeDateTime(f.year, f.month, f.day, f.hour, f.min, f.sec, f.msec), row.serial,
                    1e-9)
            << row.name;
        EXPECT_EQ(Decoded(row.serial), f) << row.name;
        EXPECT_EQ(rtl::YearOf(row.serial), f.year) << row.name;
        EXPECT_EQ(rtl::MonthOf(row.serial), f.month) << row.name;
        EXPECT_EQ(rtl::DayOf(row.serial), f.day) << row.name;
    }
    // The date part alone is an exact whole number.
    EXPECT_EQ(rtl::EncodeDate(2019, 3, 15), 43539.0);
}

TEST(DateTime, ImpossibleDatesAndTimesRaise)
{
    struct DateRow {
        const char *name;
        int year, month, day;
    } dates[] = {
        {"29 February of a common year", 2019, 2, 29},
        {"29 February of 1900", 1900, 2, 29},
        {"31 April", 2019, 4, 31},
        {"month 13", 2019, 13, 1},
        {"month 0", 2019, 0, 1},
        {"day 0", 2019, 3, 0},
        {"year 0", 0, 1, 1},
        {"year 10000", 10000, 1, 1},
    };
    for (const auto &row : dates) {
        EXPECT_EQ(Message([&] { rtl::EncodeDate(row.year, row.month, row.day); }),
                  "Invalid argument to date encode")
            << row.name;
        EXPECT_EQ(Message([&] { rtl::EncodeDateTime(row.year, row.month, row.day, 0, 0, 0, 0); }),
                  "Invalid argument to date encode")
            << row.name;
        TDateTime out = 7;
        EXPECT_FALSE(rtl::TryEncodeDate(row.year, row.month, row.day, out)) << row.name;
        EXPECT_FALSE(rtl::TryEncodeDateTime(row.year, row.month, row.day, 0, 0, 0, 0, out)) << row.name;
        EXPECT_EQ(out, 7) << row.name;
    }

    struct TimeRow {
        const char *name;
        int hour, min, sec, msec;
    } times[] = {
        {"hour 24", 24, 0, 0, 0},
        {"minute 60", 10, 60, 0, 0},
        {"second 60", 10, 0, 60, 0},
        {"millisecond 1000", 10, 0, 0, 1000},
        {"negative hour", -1, 0, 0, 0},
        {"negative millisecond", 10, 0, 0, -1},
    };
    for (const auto &row : times) {
        EXPECT_EQ(Message([&] { rtl::EncodeTime(row.hour, row.min, row.sec, row.msec); }),
                  "Invalid argument to time encode")
            << row.name;
        EXPECT_EQ(Message([&] { rtl::EncodeDateTime(2019, 3, 15, row.hour, row.min, row.sec, row.msec); }),
                  "Invalid argument to time encode")
            << row.name;
        TDateTime out = 7;
        EXPECT_FALSE(rtl::TryEncodeTime(row.hour, row.min, row.sec, row.msec, out)) << row.name;
        EXPECT_FALSE(rtl::TryEncodeDateTime(2019, 3, 15, row.hour, row.min, row.sec, row.msec, out))
            << row.name;
        EXPECT_EQ(out, 7) << row.name;
    }
}

TEST(DateTime, DecodingRoundsToTheMillisecondFirst)
{
    struct Row {
        const char *name;
        TDateTime value;
        Fields expected;
        int dayOfWeek;
    } rows[] = {
        {"a hair before midnight is the next day", 0.999999999, {1899, 12, 31, 0, 0, 0, 0}, 1},
        {"0.864 ms short of midnight is still the last millisecond", 0.99999999, {1899, 12, 30, 23, 59, 59, 999}, 7},
        {"same late in the range", 43539.999999999, {2019, 3, 16, 0, 0, 0, 0}, 7},
        {"just under half a millisecond rounds down", 43539 + 0.4 * OneMs, {2019, 3, 15, 0, 0, 0, 0}, 6},
        {"just over half a millisecond rounds up", 43539 + 0.6 * OneMs, {2019, 3, 15, 0, 0, 0, 1}, 6},
        {"last millisecond stays", 1 - OneMs, {1899, 12, 30, 23, 59, 59, 999}, 7},
        {"negative near midnight rounds away from the origin", -1.999999999, {1899, 12, 28, 0, 0, 0, 0}, 5},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(Decoded(row.value), row.expected) << row.name;
        EXPECT_EQ(rtl::DayOfWeek(row.value), row.dayOfWeek) << row.name;
        // Formatting reads the same rounded value.
        EXPECT_EQ(rtl::FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", row.value, Settings("/", ":")),
                  rtl::FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz",
                                      rtl::EncodeDateTime(row.expected.year, row.expected.month,
                                                          row.expected.day, row.expected.hour,
                                                          row.expected.min, row.expected.sec,
                                                          row.expected.msec),
                                      Settings("/", ":")))
            << row.name;
    }
}

TEST(DateTime, DayOfWeekRunsFromSunday)
{
    struct Row {
        const char *name;
        TDateTime value;
        int expected;
    } rows[] = {
        {"origin was a Saturday", 0, 7},
        {"next day a Sunday", 1, 1},
        {"a Friday afternoon", 43539.75, 6},
        {"the Friday before the origin", -1.25, 6},
        {"first day was a Monday", -693593, 2},
        {"last day is a Friday", 2958465.5, 6},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::DayOfWeek(row.value), row.expected) << row.name;
}

TEST(DateTime, CalendarRules)
{
    struct Row {
        const char *name;
        int year, month;
        bool leap;
        int days;
    } rows[] = {
        {"common year February", 2019, 2, false, 28},
        {"leap year February", 2024, 2, true, 29},
        {"century is common", 1900, 2, false, 28},
        {"400th year is leap", 2000, 2, true, 29},
        {"thirty days", 2019, 4, false, 30},
        {"December", 2019, 12, false, 31},
        {"no month 13", 2019, 13, false, 0},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::IsLeapYear(row.year), row.leap) << row.name;
        EXPECT_EQ(rtl::DaysInAMonth(row.year, row.month), row.days) << row.name;
    }
}

TEST(DateTime, IncDayDateOfTimeOfKeepTheTimeOfDay)
{
    struct Row {
        const char *name;
        TDateTime value;
        int days;
        TDateTime expected;
    } rows[] = {
        {"forward", 43539.75, 1, 43540.75},
        {"backward", 43539.75, -31, 43508.75},
        {"from before the origin to after it", -1.25, 2, 1.25},
        {"from after the origin to before it", 0.25, -1, -1.25},
        {"before the origin both ways", -3.75, 1, -2.75},
    };
    for (const auto &row : rows) {
        const TDateTime moved = rtl::IncDay(row.value, row.days);
        EXPECT_NEAR(moved, row.expected, 1e-9) << row.name;
        int h1, n1, s1, z1, h2, n2, s2, z2;
        rtl::DecodeTime(row.value, h1, n1, s1, z1);
        rtl::DecodeTime(moved, h2, n2, s2, z2);
        EXPECT_EQ(h1 * 60 + n1, h2 * 60 + n2) << row.name;
    }
    EXPECT_EQ(rtl::IncDay(43539.5), 43540.5);
    EXPECT_EQ(rtl::DateOf(43539.75), 43539);
    EXPECT_EQ(rtl::TimeOf(43539.75), 0.75);
    EXPECT_EQ(rtl::DateOf(-1.25), -1);
    EXPECT_EQ(rtl::TimeOf(-1.25), 0.25);
}

// ---- Clock --------------------------------------------------------------------------

TEST(DateTime, ClockCanBeInjected)
{
    const TDateTime fixed = 43539.75;
    {
        rtl::ScopedClock clock(fixed);
        EXPECT_EQ(rtl::Now(), fixed);
        EXPECT_EQ(rtl::Date(), 43539);
        EXPECT_EQ(rtl::Time(), 0.75);
        {
            rtl::ScopedClock inner(100.5);
            EXPECT_EQ(rtl::Now(), 100.5);
        }
        EXPECT_EQ(rtl::Now(), fixed); // the outer clock is back
    }

    int calls = 0;
    rtl::SetNowFunction([&calls] { return 45818.0 + ++calls; });
    EXPECT_EQ(rtl::Now(), 45819.0);
    EXPECT_EQ(rtl::Date(), 45820.0);
    rtl::SetNowFunction({});
    EXPECT_EQ(calls, 2);

    // Back on the system clock: a real date of this century, not the injected ones.
    const TDateTime now = rtl::Now();
    EXPECT_GE(rtl::YearOf(now), 2024);
    EXPECT_LE(rtl::YearOf(now), 2200);
    EXPECT_EQ(calls, 2);
}

// ---- Formatting ---------------------------------------------------------------------

TEST(FormatDateTime, MinutesFollowHoursMonthsOtherwise)
{
    // 2019-03-15 08:47:05.042: month 3 and minute 47 cannot be mistaken for each other.
    const TDateTime value = rtl::EncodeDateTime(2019, 3, 15, 8, 47, 5, 42);
    const auto settings = Settings("/", ":");
    struct Row {
        const char *name;
        const char *format;
        const char *expected;
    } rows[] = {
        {"hh:mm", "hh:mm", "08:47"},
        {"h:m", "h:m", "8:47"},
        {"timestamp with mm for minutes", "yyyymmddhhmmss", "20190315084705"},
        {"mm/dd is the month", "mm/dd", "03/15"},
        {"quoted text between hour and minute", "hh'h'mm", "08h47"},
        {"blank between hour and minute", "hh mm", "08 47"},
        {"after a minute token mm is the month again", "hh:nn mm", "08:47 03"},
        {"before the hour mm is the month", "mm hh", "03 08"},
        {"mmm after hh is still the month name", "hh mmm", "08 Mar"},
        {"upper case", "HH:MM", "08:47"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatDateTime(row.format, value, settings), row.expected) << row.name;
}

TEST(FormatDateTime, SystemFormsTakeSeparatorsFromTheSettings)
{
    const TDateTime value = rtl::EncodeDateTime(2019, 3, 5, 8, 7, 9, 42);
    const auto settings = Settings("-", ".");
    struct Row {
        const char *name;
        const char *format;
        const char *expected;
    } rows[] = {
        {"date", "DD/MM/YYYY", "05-03-2019"},
        {"date and time", "DD/MM/YYYY hh:nn:ss", "05-03-2019 08.07.09"},
        {"timestamp with nn", "yyyymmddhhnnss", "20190305080709"},
        {"timestamp with mm", "yyyymmddhhmmss", "20190305080709"},
        {"year and month", "YYMM", "1903"},
        {"time with milliseconds", "hhnnsszzz", "080709042"},
        {"date and short time", "dd/mm/yyyy hh:nn", "05-03-2019 08.07"},
        {"date, dash, time", "DD/MM/YYYY - hh:nn:ss", "05-03-2019 - 08.07.09"},
        {"quoted T", "yyyy-mm-dd\"T\"hh:nn:ss", "2019-03-05T08.07.09"},
        {"quoted separators and letters stay", "'d/m:' dd\"y:\"", "d/m: 05y:"},
        {"unterminated quote runs to the end", "dd 'h:n", "05 h:n"},
        {"other characters and UTF-8 copied", "dd·mm º x", "05·03 º x"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatDateTime(row.format, value, settings), row.expected) << row.name;
}

TEST(FormatDateTime, Tokens)
{
    const TDateTime morning = rtl::EncodeDateTime(2019, 3, 5, 8, 7, 9, 42);
    const TDateTime evening = rtl::EncodeDateTime(2019, 3, 5, 20, 7, 9, 0);
    const TDateTime midnight = rtl::EncodeDate(2019, 3, 5);
    const TDateTime noon = midnight + 0.5;
    const TDateTime oldYear = rtl::EncodeDate(7, 1, 2);
    auto settings = Settings("-", ".");
    settings.TimeAMString = "manhã";
    settings.TimePMString = "tarde";
    settings.LongDateFormat = "dddd, d mmmm yyyy";
    struct Row {
        const char *name;
        const char *format;
        TDateTime value;
        const char *expected;
    } rows[] = {
        {"day and month without zeros", "d/m", morning, "5-3"},
        {"day names", "ddd dddd", morning, "Tue Tuesday"},
        {"month names", "mmm mmmm", morning, "Mar March"},
        {"two-digit year", "yy", oldYear, "07"},
        {"lone y is four digits", "y", morning, "2019"},
        {"yyy is four digits", "yyy", oldYear, "0007"},
        {"hour minute second without zeros", "h n s", morning, "8 7 9"},
        {"milliseconds", "z|zzz", morning, "42|042"},
        {"am/pm keeps the format's case", "h:nn am/pm", evening, "8.07 pm"},
        {"AM/PM upper", "hh AM/PM", morning, "08 AM"},
        {"a/p", "h a/p", evening, "8 p"},
        {"ampm uses the settings", "h ampm", morning, "8 manhã"},
        {"noon is 12 pm", "h am/pm", noon, "12 pm"},
        {"midnight is 12 am", "h am/pm", midnight, "12 am"},
        {"24-hour clock without am/pm", "hh", evening, "20"},
        {"am/pm before the hour does not change it", "am/pm hh", evening, "pm 20"},
        {"c with a time", "c", evening, "05-03-2019 20.07.09"},
        {"c without a time", "c", midnight, "05-03-2019"},
        {"empty format is c", "", evening, "05-03-2019 20.07.09"},
        {"short and long date", "ddddd|dddddd", morning, "05-03-2019|Tuesday, 5 March 2019"},
        {"short and long time", "t|tt", morning, "08.07|08.07.09"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::FormatDateTime(row.format, row.value, settings), row.expected) << row.name;
}

TEST(FormatDateTime, StrConversionsUseTheSettingsFormats)
{
    const TDateTime value = rtl::EncodeDateTime(2019, 3, 15, 18, 0, 0, 0);
    // The defaults are the US ones, whose long time needs mm-as-minutes and AMPM.
    const rtl::TFormatSettings us;
    EXPECT_EQ(rtl::DateTimeToStr(value, us), "03/15/2019 6:00:00 PM");
    EXPECT_EQ(rtl::DateToStr(value, us), "03/15/2019");
    EXPECT_EQ(rtl::TimeToStr(value, us), "6:00:00 PM");

    const auto settings = Settings(".", ":");
    {
        rtl::ScopedFormatSettings installed(settings);
        EXPECT_EQ(rtl::DateTimeToStr(value), "15.03.2019 18:00:00");
        EXPECT_EQ(rtl::DateToStr(value), "15.03.2019");
        EXPECT_EQ(rtl::TimeToStr(value), "18:00:00");
        EXPECT_EQ(rtl::FormatDateTime("dd/mm", value), "15.03");
    }
}

// ---- Parsing ------------------------------------------------------------------------

TEST(StrToDate, FollowsTheShortDateOrder)
{
    rtl::ScopedClock clock(rtl::EncodeDate(2025, 6, 10));
    auto window0 = Settings("/", ":");
    window0.TwoDigitYearCenturyWindow = 0;
    struct Row {
        const char *name;
        rtl::TFormatSettings settings;
        const char *text;
        int year, month, day;
    } rows[] = {
        {"day month year", Settings("/", ":"), "15/03/2019", 2019, 3, 15},
        {"single digits", Settings("/", ":"), "5/3/2019", 2019, 3, 5},
        {"blanks around", Settings("/", ":"), " \t15/03/2019  ", 2019, 3, 15},
        {"month day year", Settings("/", ":", "MM/dd/yyyy"), "03/15/2019", 2019, 3, 15},
        {"year month day", Settings("-", ":", "yyyy-MM-dd"), "2019-03-15", 2019, 3, 15},
        {"dot separator", Settings(".", ":"), "15.03.2019", 2019, 3, 15},
        {"missing year is this year", Settings("/", ":"), "15/03", 2025, 3, 15},
        {"missing year, year-first order", Settings("-", ":", "yyyy-MM-dd"), "03-15", 2025, 3, 15},
        {"two digits inside the window", Settings("/", ":"), "15/03/19", 2019, 3, 15},
        {"two digits late in the window", Settings("/", ":"), "15/03/74", 2074, 3, 15},
        {"two digits at the window start", Settings("/", ":"), "15/03/75", 1975, 3, 15},
        {"two digits, year first", Settings("-", ":", "yy-mm-dd"), "80-03-15", 1980, 3, 15},
        {"window 0 means this century", window0, "15/03/80", 2080, 3, 15},
        {"four digits are taken as written", Settings("/", ":"), "15/03/0080", 80, 3, 15},
    };
    for (const auto &row : rows) {
        const TDateTime value = rtl::StrToDate(row.text, row.settings);
        EXPECT_EQ(value, rtl::EncodeDate(row.year, row.month, row.day)) << row.name;
    }
}

TEST(StrToDate, RejectsWhatIsNotADate)
{
    rtl::ScopedClock clock(rtl::EncodeDate(2025, 6, 10));
    const auto settings = Settings("/", ":");
    struct Row {
        const char *name;
        const char *text;
    } rows[] = {
        {"empty", ""},
        {"blank", "   "},
        {"words", "abc"},
        {"one number", "15"},
        {"month 13", "15/13/2019"},
        {"31 February", "31/02/2019"},
        {"year 0", "15/03/0000"},
        {"trailing separator", "15/03/"},
        {"trailing text", "15/03/2019x"},
        {"other separator", "15-03-2019"},
        {"a time is not part of a date", "15/03/2019 18:30"},
        {"sign", "-15/03/2019"},
        {"too many digits", "15/03/00000002019"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(Message([&] { rtl::StrToDate(row.text, settings); }),
                  "'" + std::string(row.text) + "' is not a valid date")
            << row.name;
        TDateTime out = 7;
        EXPECT_FALSE(rtl::TryStrToDate(row.text, out, settings)) << row.name;
        EXPECT_EQ(out, 7) << row.name;
        EXPECT_EQ(rtl::StrToDateDef(row.text, -5, settings), -5) << row.name;
    }
    {
        rtl::ScopedFormatSettings installed(settings);
        EXPECT_EQ(rtl::StrToDate("15/03/2019"), 43539);
        EXPECT_EQ(rtl::StrToDateDef("15/13/2019", 1), 1);
        EXPECT_EQ(Message([] { rtl::StrToDate("x"); }), "'x' is not a valid date");
    }
}

TEST(StrToDateTime, DateTimeOrTimeAlone)
{
    rtl::ScopedClock clock(rtl::EncodeDate(2025, 6, 10));
    auto dashDot = Settings("-", ".");
    dashDot.TimeAMString = "manhã";
    dashDot.TimePMString = "tarde";
    struct Row {
        const char *name;
        rtl::TFormatSettings settings;
        const char *text;
        TDateTime expected;
    } rows[] = {
        {"date only", Settings("/", ":"), "15/03/2019", 43539},
        {"hours and minutes", Settings("/", ":"), "15/03/2019 18:30", 43539 + 18.5 / 24},
        {"seconds and milliseconds", Settings("/", ":"), "15/03/2019 18:30:05.250",
         rtl::EncodeDateTime(2019, 3, 15, 18, 30, 5, 250)},
        {"milliseconds after the decimal separator", Settings("/", ":"), "15/03/2019 18:30:05,5",
         rtl::EncodeDateTime(2019, 3, 15, 18, 30, 5, 500)},
        {"pm", Settings("/", ":"), "15/03/2019 06:30 pm", 43539 + 18.5 / 24},
        {"12 am is midnight", Settings("/", ":"), "15/03/2019 12:00 AM", 43539},
        {"12 pm is noon", Settings("/", ":"), "15/03/2019 12:00PM", 43539.5},
        {"settings' am/pm strings", dashDot, "15-03-2019 6.30 TARDE", 43539 + 18.5 / 24},
        {"settings' separators", dashDot, "15-03-2019 18.30.00", 43539 + 18.5 / 24},
        {"several blanks between", Settings("/", ":"), "15/03/2019   18:30", 43539 + 18.5 / 24},
        {"before the origin", Settings("/", ":"), "29/12/1899 06:00", -1.25},
        {"time alone", Settings("/", ":"), "18:30", 18.5 / 24},
    };
    for (const auto &row : rows)
        EXPECT_NEAR(rtl::StrToDateTime(row.text, row.settings), row.expected, 1e-9) << row.name;

    const char *bad[] = {"", "15/03/2019 25:00", "15/03/2019 18", "15/03/2019T18:30", "15/03/2019 18:30 xx",
                         "15/03/2019 13:00 PM", "15/03/2019 18:30:05.1234"};
    for (const char *text : bad) {
        EXPECT_EQ(Message([&] { rtl::StrToDateTime(text, Settings("/", ":")); }),
                  "'" + std::string(text) + "' is not a valid date and time")
            << text;
        EXPECT_EQ(rtl::StrToDateTimeDef(text, 3, Settings("/", ":")), 3) << text;
    }
}

TEST(StrToDateTime, ReadsBackWhatDateTimeToStrWrites)
{
    struct Row {
        const char *name;
        rtl::TFormatSettings settings;
    } rows[] = {
        {"Brazilian style", Settings("/", ":")},
        {"dots and dashes", Settings("-", ".")},
        {"US defaults with AM/PM", rtl::TFormatSettings{}},
    };
    const TDateTime values[] = {43539, 43539 + 18.5 / 24, rtl::EncodeDateTime(2019, 12, 31, 0, 0, 1, 0),
                                rtl::EncodeDateTime(2000, 2, 29, 12, 59, 59, 0), -1.25};
    for (const auto &row : rows)
        for (const TDateTime value : values) {
            const std::string text = rtl::DateTimeToStr(value, row.settings);
            EXPECT_NEAR(rtl::StrToDateTime(text, row.settings), value, OneMs) << row.name << ": " << text;
        }
}

TEST(StrToTime, ParsesTheTimeOfDay)
{
    struct Row {
        const char *name;
        rtl::TFormatSettings settings;
        const char *text;
        TDateTime expected;
    } rows[] = {
        {"hours and minutes", Settings("/", ":"), "18:30", 18.5 / 24},
        {"dot separator", Settings("-", "."), " 18.30.05 ", rtl::EncodeTime(18, 30, 5, 0)},
        {"lower-case pm", Settings("/", ":"), "6:30 pm", 18.5 / 24},
        {"milliseconds", Settings("/", ":"), "00:00:00.007", rtl::EncodeTime(0, 0, 0, 7)},
    };
    for (const auto &row : rows)
        EXPECT_NEAR(rtl::StrToTime(row.text, row.settings), row.expected, 1e-12) << row.name;

    const char *bad[] = {"", "18", "24:00", "18:60", "13:00 PM", "18:30:", "15/03/2019 18:30", "18:30 x"};
    for (const char *text : bad) {
        EXPECT_EQ(Message([&] { rtl::StrToTime(text, Settings("/", ":")); }),
                  "'" + std::string(text) + "' is not a valid time")
            << text;
        TDateTime out = 7;
        EXPECT_FALSE(rtl::TryStrToTime(text, out, Settings("/", ":"))) << text;
        EXPECT_EQ(rtl::StrToTimeDef(text, 0.5, Settings("/", ":")), 0.5) << text;
    }
}

} // namespace
