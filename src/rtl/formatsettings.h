#pragma once
// Number and date format settings. One process-wide instance is taken at start from the
// system locale the program assumes, Brazilian Portuguese; routines that need fixed
// separators build their own copy.

#include <cstdint>
#include <string>

namespace rtl {

struct TFormatSettings {
    std::string CurrencyString = "$";
    std::uint8_t CurrencyFormat = 0;
    std::uint8_t NegCurrFormat = 0;
    std::string ThousandSeparator = ",";   // one character, UTF-8
    std::string DecimalSeparator = ".";    // one character, UTF-8
    std::uint8_t CurrencyDecimals = 2;
    std::string DateSeparator = "/";
    std::string ShortDateFormat = "MM/dd/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string TimeSeparator = ":";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::uint16_t TwoDigitYearCenturyWindow = 50;
    std::string ListSeparator = ",";

    // Settings translated from a locale name such as "pt_BR" (Qt's names); "C", "POSIX"
    // and names Qt does not know give the defaults above. Date and time formats come in
    // this run-time's letters (m months, n minutes, AMPM); the thousands separator is
    // the locale's even when it is a no-break space.
    static TFormatSettings FromLocaleName(const std::string &localeName);
    // Settings of the system locale, as the process takes them at start: Brazil(),
    // whatever LANG/LC_* say. The program prints Brazilian documents for Brazilian users;
    // a machine set to another language (or to "C", as servers and containers often are)
    // must not turn "15:32" into "3:32 PM" on a DANFE, nor its separators around.
    static TFormatSettings FromSystemLocale();
    // Brazilian settings: ',' decimals, '.' thousands, "dd/mm/yyyy", "hh:nn:ss".
    static TFormatSettings Brazil();

    bool operator==(const TFormatSettings &) const = default;
};

// The process-wide settings. Taken from the system locale on first use.
TFormatSettings &FormatSettings();

// Sets the process up as the program starts, after the toolkit's application object: the
// process-wide settings become the system locale's, and the C library's numeric
// conventions go back to "C". Qt's application object takes LC_* into the C library,
// where printf's "%f" would then write a decimal comma under a German or a generated
// Brazilian locale; our own formatting goes through the settings above instead.
void InitFormatSettings();

// Replaces the process-wide settings (tests install fixed settings this way).
void SetFormatSettings(const TFormatSettings &settings);

// Installs settings for a scope and restores the previous ones on exit.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const TFormatSettings &settings);
    ~ScopedFormatSettings();
    ScopedFormatSettings(const ScopedFormatSettings &) = delete;
    ScopedFormatSettings &operator=(const ScopedFormatSettings &) = delete;

private:
    TFormatSettings FSaved;
};

} // namespace rtl
