#pragma once
// The local time zone's offset from UTC, as the system's zone rules give it.

#include <string>

#include "rtl/datetime.h"

namespace rtl {

// Minutes to add to UTC to get local time (-180 in Brasília) in force at that local
// date and time. A local time skipped or repeated by a daylight-saving change takes the
// offset the C library chooses.
int LocalUtcOffsetMinutes(TDateTime localDateTime);
// The offset in force at Now() (so it follows a clock installed by a test).
int LocalUtcOffsetMinutesNow();
// "-0300", "+0000", "+0530": sign, two digits of hours, two of minutes.
std::string FormatOffsetText(int minutes);
// FormatOffsetText(LocalUtcOffsetMinutesNow()).
std::string TimeZoneOffsetText();

} // namespace rtl
