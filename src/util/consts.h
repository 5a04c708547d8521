#pragma once
// A copy of the user's number and date settings taken once at start; later changes of
// the system's regional settings do not reach it.

#include "rtl/formatsettings.h"

namespace util {

struct TOvixConsts {
    rtl::TFormatSettings fmtst;
    std::string CurrencyString;
    std::uint8_t CurrencyFormat = 0;
    std::uint8_t NegCurrFormat = 0;
    std::string ThousandSeparator;
    std::string DecimalSeparator;
    std::uint8_t CurrencyDecimals = 0;
    std::string DateSeparator;
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string TimeSeparator;
    std::string TimeAMString;
    std::string TimePMString;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    std::uint16_t TwoDigitYearCenturyWindow = 0;
    std::string ListSeparator;
};

// The snapshot, taken from the process-wide settings on first use.
const TOvixConsts &OvixConsts();

} // namespace util
