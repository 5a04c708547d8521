#include "rtl/timezone.h"

#include <cstdlib>
#include <ctime>

namespace rtl {

int LocalUtcOffsetMinutes(TDateTime localDateTime)
{
    int year, month, day, hour, min, sec, msec;
    DecodeDateTime(localDateTime, year, month, day, hour, min, sec, msec);
    struct tm local {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = min;
    local.tm_sec = sec;
    local.tm_isdst = -1;
    // mktime settles daylight saving for that moment and fills in its offset (left at 0
    // when the moment cannot be represented).
    ::mktime(&local);
    return static_cast<int>(local.tm_gmtoff / 60);
}

int LocalUtcOffsetMinutesNow()
{
    return LocalUtcOffsetMinutes(Now());
}

std::string FormatOffsetText(int minutes)
{
    const int magnitude = std::abs(minutes);
    const int hours = magnitude / 60, rest = magnitude % 60;
    std::string text(1, minutes < 0 ? '-' : '+');
    if (hours < 10)
        text += '0';
    text += std::to_string(hours);
    text += static_cast<char>('0' + rest / 10);
    text += static_cast<char>('0' + rest % 10);
    return text;
}

std::string TimeZoneOffsetText()
{
    return FormatOffsetText(LocalUtcOffsetMinutesNow());
}

} // namespace rtl
