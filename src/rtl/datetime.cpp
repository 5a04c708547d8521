#include "rtl/datetime.h"

#include "rtl/exceptions.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

namespace rtl {

namespace {

constexpr long long MSecsPerDay = 86'400'000;
constexpr long long Serial1970 = 25569; // 1970-01-01
// Beyond this many days the millisecond count would not fit a long long.
constexpr double MaxDecodableDays = 1e10;

constexpr std::string_view ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::string_view LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr std::string_view ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::string_view LongMonthNames[12] = {"January", "February", "March",     "April",
                                                 "May",     "June",     "July",      "August",
                                                 "September", "October", "November", "December"};

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Days between 1970-01-01 and the date on the proleptic Gregorian calendar. The year is
// counted from March so that the leap day falls at the end.
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int &year, int &month, int &day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// A value rounded to the millisecond and split into its day and time of day.
struct Split {
    long long day = 0;
    long long msec = 0; // 0 .. MSecsPerDay-1
    bool valid = false;
};

Split SplitValue(TDateTime value)
{
    if (!std::isfinite(value) || std::fabs(value) > MaxDecodableDays)
        return {};
    const long long total = std::llround(value * static_cast<double>(MSecsPerDay));
    const long long rest = total % MSecsPerDay;
    return {total / MSecsPerDay, rest < 0 ? -rest : rest, true};
}

struct Parts {
    int year = 0, month = 0, day = 0;
    int hour = 0, min = 0, sec = 0, msec = 0;
    int dow = 0; // 1 = Sunday
};

Parts DecodeParts(TDateTime value)
{
    Parts p;
    const Split s = SplitValue(value);
    if (!s.valid)
        return p;
    CivilFromDays(s.day - Serial1970, p.year, p.month, p.day);
    p.dow = static_cast<int>(((s.day - 1) % 7 + 7) % 7) + 1;
    long long ms = s.msec;
    p.hour = static_cast<int>(ms / 3'600'000);
    ms %= 3'600'000;
    p.min = static_cast<int>(ms / 60'000);
    ms %= 60'000;
    p.sec = static_cast<int>(ms / 1000);
    p.msec = static_cast<int>(ms % 1000);
    return p;
}

// The date and the time joined the way negative values keep them.
TDateTime Compose(TDateTime date, TDateTime time) { return date >= 0 ? date + time : date - time; }

// Continuous day count (time always adds) and back.
double ToLinear(TDateTime value)
{
    if (value >= 0)
        return value;
    const double day = std::trunc(value);
    return day + (day - value);
}

TDateTime FromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    const double day = std::floor(linear);
    return day - (linear - day);
}

// ---- Formatting ---------------------------------------------------------------------

void AppendNumber(std::string &out, long long value, int width)
{
    if (value < 0) {
        out += '-';
        value = -value;
    }
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const int length = static_cast<int>(result.ptr - buffer);
    if (length < width)
        out.append(static_cast<std::size_t>(width - length), '0');
    out.append(buffer, result.ptr);
}

// Length of the am/pm token starting at `i` ("am/pm", "a/p", "ampm"), 0 when none.
std::size_t AmPmLength(std::string_view format, std::size_t i)
{
    auto matches = [&](std::string_view token) {
        if (format.size() - i < token.size())
            return false;
        for (std::size_t k = 0; k < token.size(); ++k)
            if (Upper(format[i + k]) != token[k])
                return false;
        return true;
    };
    if (matches("AM/PM"))
        return 5;
    if (matches("A/P"))
        return 3;
    if (matches("AMPM"))
        return 4;
    return 0;
}

// Position of the last am/pm token outside quotes; an h token before it uses the 12-hour
// clock. One pass keeps formatting linear in the length of the format.
std::size_t LastAmPm(std::string_view format)
{
    std::size_t last = std::string_view::npos;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = format.find(c, i + 1);
            i = close == std::string_view::npos ? format.size() : close + 1;
        } else if (Upper(c) == 'A') {
            const std::size_t length = AmPmLength(format, i);
            if (length > 0)
                last = i;
            i += length > 0 ? length : 1;
        } else {
            ++i;
        }
    }
    return last;
}

class DateFormatter {
public:
    DateFormatter(TDateTime value, const TFormatSettings &settings, std::string &out)
        : FParts(DecodeParts(value)), FSettings(settings), FOut(out)
    {
    }

    void Append(std::string_view format, int depth);

private:
    // Nested formats (c, ddddd, t...) may name each other; two levels are enough for any
    // sensible settings and stop a format that names itself.
    static constexpr int MaxDepth = 2;

    void AppendNested(const std::string &format, int depth)
    {
        if (depth < MaxDepth)
            Append(format, depth + 1);
    }
    bool TimeIsZero() const
    {
        return FParts.hour == 0 && FParts.min == 0 && FParts.sec == 0 && FParts.msec == 0;
    }

    Parts FParts;
    const TFormatSettings &FSettings;
    std::string &FOut;
};

void DateFormatter::Append(std::string_view format, int depth)
{
    const std::size_t lastAmPm = LastAmPm(format);
    bool afterHour = false; // m/mm mean minutes right after h/hh
    std::size_t i = 0;
    const std::size_t n = format.size();
    while (i < n) {
        const char c = format[i];
        const char token = Upper(c);
        switch (token) {
        case '"':
        case '\'': {
            const std::size_t close = format.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close;
            FOut.append(format.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? n : close + 1;
            continue;
        }
        case '/':
            FOut += FSettings.DateSeparator;
            ++i;
            continue;
        case ':':
            FOut += FSettings.TimeSeparator;
            ++i;
            continue;
        case 'A': {
            const std::size_t length = AmPmLength(format, i);
            if (length == 0) {
                FOut += c;
                ++i;
                continue;
            }
            const bool am = FParts.hour < 12;
            if (length == 5)
                FOut.append(format.substr(am ? i : i + 3, 2));
            else if (length == 3)
                FOut += format[am ? i : i + 2];
            else
                FOut += am ? FSettings.TimeAMString : FSettings.TimePMString;
            i += length;
            afterHour = false;
            continue;
        }
        case 'C': case 'D': case 'M': case 'Y': case 'H': case 'N': case 'S': case 'Z': case 'T':
            break;
        default:
            FOut += c;
            ++i;
            continue;
        }

        std::size_t count = 1;
        while (i + count < n && Upper(format[i + count]) == token)
            ++count;
        const bool wasAfterHour = afterHour;
        afterHour = false;
        switch (token) {
        case 'C':
            AppendNested(FSettings.ShortDateFormat, depth);
            if (!TimeIsZero()) {
                FOut += ' ';
                AppendNested(FSettings.LongTimeFormat, depth);
            }
            break;
        case 'D':
            if (count <= 2)
                AppendNumber(FOut, FParts.day, static_cast<int>(count));
            else if (count <= 4) {
                if (FParts.dow >= 1)
                    FOut += count == 3 ? ShortDayNames[FParts.dow - 1] : LongDayNames[FParts.dow - 1];
            } else
                AppendNested(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, depth);
            break;
        case 'M':
            if (count <= 2 && wasAfterHour)
                AppendNumber(FOut, FParts.min, static_cast<int>(count));
            else if (count <= 2)
                AppendNumber(FOut, FParts.month, static_cast<int>(count));
            else if (FParts.month >= 1)
                FOut += count == 3 ? ShortMonthNames[FParts.month - 1] : LongMonthNames[FParts.month - 1];
            break;
        case 'Y':
            if (count == 2)
                AppendNumber(FOut, ((FParts.year % 100) + 100) % 100, 2);
            else
                AppendNumber(FOut, FParts.year, 4);
            break;
        case 'H': {
            int hour = FParts.hour;
            if (lastAmPm != std::string_view::npos && lastAmPm > i) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            AppendNumber(FOut, hour, count >= 2 ? 2 : 1);
            afterHour = true;
            break;
        }
        case 'N':
            AppendNumber(FOut, FParts.min, count >= 2 ? 2 : 1);
            break;
        case 'S':
            AppendNumber(FOut, FParts.sec, count >= 2 ? 2 : 1);
            break;
        case 'Z':
            AppendNumber(FOut, FParts.msec, count >= 3 ? 3 : 1);
            break;
        case 'T':
            AppendNested(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth);
            break;
        }
        i += count;
    }
}

// ---- Parsing ------------------------------------------------------------------------

enum class DateOrder { DMY, MDY, YMD };

DateOrder OrderOf(std::string_view shortDateFormat)
{
    for (const char c : shortDateFormat) {
        switch (Upper(c)) {
        case 'D': return DateOrder::DMY;
        case 'M': return DateOrder::MDY;
        case 'Y': return DateOrder::YMD;
        default: break;
        }
    }
    return DateOrder::MDY;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FPos == FText.size(); }
    std::size_t Pos() const { return FPos; }
    void Rewind(std::size_t pos) { FPos = pos; }

    // Decimal digits; `digits` receives how many were read. At most nine, so no overflow.
    bool Number(int &value, int &digits)
    {
        value = 0;
        digits = 0;
        while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') {
            if (++digits > 9)
                return false;
            value = value * 10 + (FText[FPos] - '0');
            ++FPos;
        }
        return digits > 0;
    }
    bool Number(int &value)
    {
        int digits;
        return Number(value, digits);
    }

    bool Text(std::string_view expected)
    {
        if (expected.empty() || FText.substr(FPos, expected.size()) != expected)
            return false;
        FPos += expected.size();
        return true;
    }

    bool TextIgnoringCase(std::string_view expected)
    {
        if (expected.empty() || FText.size() - FPos < expected.size())
            return false;
        for (std::size_t k = 0; k < expected.size(); ++k)
            if (Upper(FText[FPos + k]) != Upper(expected[k]))
                return false;
        FPos += expected.size();
        return true;
    }

    // Skips blanks; false when there were none.
    bool Blanks()
    {
        const std::size_t start = FPos;
        while (FPos < FText.size() && IsBlank(FText[FPos]))
            ++FPos;
        return FPos > start;
    }

private:
    std::string_view FText;
    std::size_t FPos = 0;
};

int ExpandTwoDigitYear(int year, int window)
{
    const int threshold = YearOf(Now()) - window;
    year += threshold - threshold % 100;
    if (window > 0 && year < threshold)
        year += 100;
    return year;
}

bool ScanDate(Scanner &scan, const TFormatSettings &settings, TDateTime &out)
{
    int first, second, third = 0, firstDigits, thirdDigits = 0;
    if (!scan.Number(first, firstDigits) || !scan.Text(settings.DateSeparator) || !scan.Number(second))
        return false;
    const bool hasYear = scan.Text(settings.DateSeparator);
    if (hasYear && !scan.Number(third, thirdDigits))
        return false;

    int year = 0, month, day, yearDigits = 0;
    const DateOrder order = OrderOf(settings.ShortDateFormat);
    if (!hasYear) {
        year = YearOf(Now());
        yearDigits = 4;
        if (order == DateOrder::DMY) {
            day = first;
            month = second;
        } else {
            month = first;
            day = second;
        }
    } else if (order == DateOrder::DMY) {
        day = first;
        month = second;
        year = third;
        yearDigits = thirdDigits;
    } else if (order == DateOrder::MDY) {
        month = first;
        day = second;
        year = third;
        yearDigits = thirdDigits;
    } else {
        year = first;
        yearDigits = firstDigits;
        month = second;
        day = third;
    }
    if (yearDigits <= 2)
        year = ExpandTwoDigitYear(year, settings.TwoDigitYearCenturyWindow);
    return TryEncodeDate(year, month, day, out);
}

bool ScanTime(Scanner &scan, const TFormatSettings &settings, TDateTime &out)
{
    int hour, min, sec = 0, msec = 0;
    if (!scan.Number(hour) || !scan.Text(settings.TimeSeparator) || !scan.Number(min))
        return false;
    if (scan.Text(settings.TimeSeparator)) {
        if (!scan.Number(sec))
            return false;
        if (scan.Text(settings.DecimalSeparator) || scan.Text(".")) {
            // A fraction of the second: ".5" is 500 ms.
            int digits;
            if (!scan.Number(msec, digits) || digits > 3)
                return false;
            for (; digits < 3; ++digits)
                msec *= 10;
        }
    }
    const std::size_t beforeBlanks = scan.Pos();
    scan.Blanks();
    int amPm = 0; // 1 = AM, 2 = PM
    if (scan.TextIgnoringCase(settings.TimeAMString) || scan.TextIgnoringCase("AM"))
        amPm = 1;
    else if (scan.TextIgnoringCase(settings.TimePMString) || scan.TextIgnoringCase("PM"))
        amPm = 2;
    else
        scan.Rewind(beforeBlanks);
    if (amPm != 0) {
        if (hour > 12)
            return false;
        if (hour == 12)
            hour = 0;
        if (amPm == 2)
            hour += 12;
    }
    return TryEncodeTime(hour, min, sec, msec, out);
}

bool ParseDate(std::string_view text, const TFormatSettings &settings, TDateTime &out)
{
    Scanner scan(TrimBlanks(text));
    TDateTime value;
    if (!ScanDate(scan, settings, value) || !scan.AtEnd())
        return false;
    out = value;
    return true;
}

bool ParseTime(std::string_view text, const TFormatSettings &settings, TDateTime &out)
{
    Scanner scan(TrimBlanks(text));
    TDateTime value;
    if (!ScanTime(scan, settings, value) || !scan.AtEnd())
        return false;
    out = value;
    return true;
}

bool ParseDateTime(std::string_view text, const TFormatSettings &settings, TDateTime &out)
{
    Scanner scan(TrimBlanks(text));
    TDateTime date;
    if (ScanDate(scan, settings, date)) {
        if (scan.AtEnd()) {
            out = date;
            return true;
        }
        TDateTime time;
        if (scan.Blanks() && ScanTime(scan, settings, time) && scan.AtEnd()) {
            out = Compose(date, time);
            return true;
        }
    }
    return ParseTime(text, settings, out);
}

// ---- Clock --------------------------------------------------------------------------

TDateTime SystemNow()
{
    using namespace std::chrono;
    const long long ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    const int msec = static_cast<int>(ms - static_cast<long long>(seconds) * 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    TDateTime date = 0, time = 0;
    TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
    // A leap second reads as the last second of the minute.
    TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, msec, time);
    return date + time;
}

std::mutex &ClockMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::function<TDateTime()> &ClockFunction()
{
    static std::function<TDateTime()> clock;
    return clock;
}

} // namespace

// ---- Calendar -----------------------------------------------------------------------

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime &out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    out = static_cast<TDateTime>(DaysFromCivil(year, month, day) + Serial1970);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError::DateEncode();
    return result;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime &out)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    const long long ms = ((hour * 60LL + min) * 60 + sec) * 1000 + msec;
    out = static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime result;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError::TimeEncode();
    return result;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec,
                       TDateTime &out)
{
    TDateTime date, time;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, min, sec, msec, time))
        return false;
    out = Compose(date, time);
    return true;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec)
{
    return Compose(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

void DecodeDate(TDateTime value, int &year, int &month, int &day)
{
    const Parts p = DecodeParts(value);
    year = p.year;
    month = p.month;
    day = p.day;
}

void DecodeTime(TDateTime value, int &hour, int &min, int &sec, int &msec)
{
    const Parts p = DecodeParts(value);
    hour = p.hour;
    min = p.min;
    sec = p.sec;
    msec = p.msec;
}

void DecodeDateTime(TDateTime value, int &year, int &month, int &day, int &hour, int &min,
                    int &sec, int &msec)
{
    const Parts p = DecodeParts(value);
    year = p.year;
    month = p.month;
    day = p.day;
    hour = p.hour;
    min = p.min;
    sec = p.sec;
    msec = p.msec;
}

int YearOf(TDateTime value) { return DecodeParts(value).year; }
int MonthOf(TDateTime value) { return DecodeParts(value).month; }
int DayOf(TDateTime value) { return DecodeParts(value).day; }
int DayOfWeek(TDateTime value) { return DecodeParts(value).dow; }

TDateTime IncDay(TDateTime value, int days)
{
    if (value >= 0 && value + days >= 0)
        return value + days;
    return FromLinear(ToLinear(value) + days);
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }
TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

// ---- Clock --------------------------------------------------------------------------

TDateTime Now()
{
    std::function<TDateTime()> clock;
    {
        const std::lock_guard lock(ClockMutex());
        clock = ClockFunction();
    }
    return clock ? clock() : SystemNow();
}

TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }

void SetNowFunction(std::function<TDateTime()> now)
{
    const std::lock_guard lock(ClockMutex());
    ClockFunction() = std::move(now);
}

ScopedClock::ScopedClock(TDateTime fixed)
{
    const std::lock_guard lock(ClockMutex());
    FSaved = std::move(ClockFunction());
    ClockFunction() = [fixed] { return fixed; };
}

ScopedClock::~ScopedClock() { SetNowFunction(std::move(FSaved)); }

// ---- Formatting ---------------------------------------------------------------------

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings &settings)
{
    std::string out;
    out.reserve(format.size() + 16);
    DateFormatter formatter(value, settings, out);
    formatter.Append(format.empty() ? std::string_view("c") : format, 0);
    return out;
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    return FormatDateTime(format, value, FormatSettings());
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings &settings)
{
    return FormatDateTime("c", value, settings);
}
std::string DateTimeToStr(TDateTime value) { return DateTimeToStr(value, FormatSettings()); }

std::string DateToStr(TDateTime value, const TFormatSettings &settings)
{
    return FormatDateTime("ddddd", value, settings);
}
std::string DateToStr(TDateTime value) { return DateToStr(value, FormatSettings()); }

std::string TimeToStr(TDateTime value, const TFormatSettings &settings)
{
    return FormatDateTime("tt", value, settings);
}
std::string TimeToStr(TDateTime value) { return TimeToStr(value, FormatSettings()); }

// ---- Parsing ------------------------------------------------------------------------

bool TryStrToDate(std::string_view text, TDateTime &out, const TFormatSettings &settings)
{
    return ParseDate(text, settings, out);
}
bool TryStrToDate(std::string_view text, TDateTime &out)
{
    return ParseDate(text, FormatSettings(), out);
}
TDateTime StrToDate(std::string_view text, const TFormatSettings &settings)
{
    TDateTime result;
    if (!ParseDate(text, settings, result))
        throw EConvertError::InvalidDate(std::string(text));
    return result;
}
TDateTime StrToDate(std::string_view text) { return StrToDate(text, FormatSettings()); }
TDateTime StrToDateDef(std::string_view text, TDateTime defaultValue, const TFormatSettings &settings)
{
    TDateTime result;
    return ParseDate(text, settings, result) ? result : defaultValue;
}
TDateTime StrToDateDef(std::string_view text, TDateTime defaultValue)
{
    return StrToDateDef(text, defaultValue, FormatSettings());
}

bool TryStrToDateTime(std::string_view text, TDateTime &out, const TFormatSettings &settings)
{
    return ParseDateTime(text, settings, out);
}
bool TryStrToDateTime(std::string_view text, TDateTime &out)
{
    return ParseDateTime(text, FormatSettings(), out);
}
TDateTime StrToDateTime(std::string_view text, const TFormatSettings &settings)
{
    TDateTime result;
    if (!ParseDateTime(text, settings, result))
        throw EConvertError::InvalidDateTime(std::string(text));
    return result;
}
TDateTime StrToDateTime(std::string_view text) { return StrToDateTime(text, FormatSettings()); }
TDateTime StrToDateTimeDef(std::string_view text, TDateTime defaultValue,
                           const TFormatSettings &settings)
{
    TDateTime result;
    return ParseDateTime(text, settings, result) ? result : defaultValue;
}
TDateTime StrToDateTimeDef(std::string_view text, TDateTime defaultValue)
{
    return StrToDateTimeDef(text, defaultValue, FormatSettings());
}

bool TryStrToTime(std::string_view text, TDateTime &out, const TFormatSettings &settings)
{
    return ParseTime(text, settings, out);
}
bool TryStrToTime(std::string_view text, TDateTime &out)
{
    return ParseTime(text, FormatSettings(), out);
}
TDateTime StrToTime(std::string_view text, const TFormatSettings &settings)
{
    TDateTime result;
    if (!ParseTime(text, settings, result))
        throw EConvertError::InvalidTime(std::string(text));
    return result;
}
TDateTime StrToTime(std::string_view text) { return StrToTime(text, FormatSettings()); }
TDateTime StrToTimeDef(std::string_view text, TDateTime defaultValue, const TFormatSettings &settings)
{
    TDateTime result;
    return ParseTime(text, settings, result) ? result : defaultValue;
}
TDateTime StrToTimeDef(std::string_view text, TDateTime defaultValue)
{
    return StrToTimeDef(text, defaultValue, FormatSettings());
}

} // namespace rtl
