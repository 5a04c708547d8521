#pragma once
// Dates and times as the run-time keeps them: a double whose whole part counts the days
// since 1899-12-30 and whose fraction is the time of day. Before 1899-12-30 the whole
// part is still the day and the fraction's absolute value is the time, so -1.25 is
// 1899-12-29 06:00 (not 1899-12-28 18:00).
//
// Decoding rounds to the nearest millisecond first and splits afterwards, so a value a
// hair short of midnight reads as the next day at 00:00:00.000 everywhere (Decode*,
// *Of, DayOfWeek, FormatDateTime).

#include <functional>
#include <string>
#include <string_view>

#include "rtl/formatsettings.h"

namespace rtl {

using TDateTime = double;

bool IsLeapYear(int year);
// Days in the month (28..31); 0 when the month is not 1..12.
int DaysInAMonth(int year, int month);

// Years 1..9999 on the Gregorian calendar. The raising forms throw
// EConvertError::DateEncode() / TimeEncode(); the Try forms leave `out` untouched on failure.
bool TryEncodeDate(int year, int month, int day, TDateTime &out);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &out);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec,
                       TDateTime &out);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);

// A value that is not finite (or absurdly far from 1899) decodes as all zeros.
void DecodeDate(TDateTime value, int &year, int &month, int &day);
void DecodeTime(TDateTime value, int &hour, int &min, int &sec, int &msec);
void DecodeDateTime(TDateTime value, int &year, int &month, int &day, int &hour, int &min,
                    int &sec, int &msec);
int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// Moves by whole days keeping the time of day, across 1899-12-30 as well.
TDateTime IncDay(TDateTime value, int days = 1);
// The whole days (truncated) and the time of day (the fraction's absolute value).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// The clock, in local time unless a test has installed its own.
TDateTime Now();
TDateTime Date(); // today at 00:00
TDateTime Time(); // the time of day now
// Replaces the clock behind Now/Date/Time; an empty function restores the system clock.
void SetNowFunction(std::function<TDateTime()> now);

// Freezes the clock at `fixed` for a scope and restores the previous clock on exit.
class ScopedClock {
public:
    explicit ScopedClock(TDateTime fixed);
    ~ScopedClock();
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;

private:
    std::function<TDateTime()> FSaved;
};

// Format tokens (any case): d dd ddd dddd ddddd(short date) dddddd(long date), m mm mmm
// mmmm (m/mm right after an h/hh token mean minutes), yy, y/yyy/yyyy (four digits), h hh,
// n nn, s ss, z zzz, t(short time) tt(long time), c (short date, plus ' ' and the long
// time when the time is not zero), am/pm, a/p, ampm (12-hour clock), '/' and ':' (the
// settings' separators), "quoted" or 'quoted' text; any other character is copied.
// An empty format behaves as "c". Day and month names are English.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings &settings);

std::string DateTimeToStr(TDateTime value); // "c"
std::string DateTimeToStr(TDateTime value, const TFormatSettings &settings);
std::string DateToStr(TDateTime value); // ShortDateFormat
std::string DateToStr(TDateTime value, const TFormatSettings &settings);
std::string TimeToStr(TDateTime value); // LongTimeFormat
std::string TimeToStr(TDateTime value, const TFormatSettings &settings);

// Strict conversions. A date is two or three numbers joined by the DateSeparator, in the
// day/month/year order of ShortDateFormat; a missing year is the current one and a year
// of one or two digits is placed by TwoDigitYearCenturyWindow around the current year.
// A time is h:n[:s[.zzz]] with the TimeSeparator (the milliseconds after the
// DecimalSeparator or '.'), optionally followed by AM/PM or the settings' strings.
// StrToDateTime takes a date, a date and a time separated by blanks, or a time alone.
// Blanks around the text are ignored. Errors are EConvertError::InvalidDate /
// InvalidDateTime / InvalidTime carrying the text as given.
TDateTime StrToDate(std::string_view text);
TDateTime StrToDate(std::string_view text, const TFormatSettings &settings);
TDateTime StrToDateDef(std::string_view text, TDateTime defaultValue);
TDateTime StrToDateDef(std::string_view text, TDateTime defaultValue,
                       const TFormatSettings &settings);
bool TryStrToDate(std::string_view text, TDateTime &out);
bool TryStrToDate(std::string_view text, TDateTime &out, const TFormatSettings &settings);

TDateTime StrToDateTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text, const TFormatSettings &settings);
TDateTime StrToDateTimeDef(std::string_view text, TDateTime defaultValue);
TDateTime StrToDateTimeDef(std::string_view text, TDateTime defaultValue,
                           const TFormatSettings &settings);
bool TryStrToDateTime(std::string_view text, TDateTime &out);
bool TryStrToDateTime(std::string_view text, TDateTime &out, const TFormatSettings &settings);

TDateTime StrToTime(std::string_view text);
TDateTime StrToTime(std::string_view text, const TFormatSettings &settings);
TDateTime StrToTimeDef(std::string_view text, TDateTime defaultValue);
TDateTime StrToTimeDef(std::string_view text, TDateTime defaultValue,
                       const TFormatSettings &settings);
bool TryStrToTime(std::string_view text, TDateTime &out);
bool TryStrToTime(std::string_view text, TDateTime &out, const TFormatSettings &settings);

} // namespace rtl
