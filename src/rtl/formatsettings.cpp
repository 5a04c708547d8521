#include "rtl/formatsettings.h"

namespace rtl {
// Placeholder until the locale translation lands.
TFormatSettings TFormatSettings::FromLocaleName(const std::string &) { return {}; }
TFormatSettings TFormatSettings::FromSystemLocale() { return {}; }
TFormatSettings TFormatSettings::Brazil() { return {}; }
TFormatSettings &FormatSettings() { static TFormatSettings s = TFormatSettings::FromSystemLocale(); return s; }
void SetFormatSettings(const TFormatSettings &settings) { FormatSettings() = settings; }
ScopedFormatSettings::ScopedFormatSettings(const TFormatSettings &settings) : FSaved(FormatSettings()) { SetFormatSettings(settings); }
ScopedFormatSettings::~ScopedFormatSettings() { SetFormatSettings(FSaved); }
}
