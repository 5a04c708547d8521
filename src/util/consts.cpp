#include "util/consts.h"

namespace util {

namespace {

TOvixConsts TakeSnapshot()
{
    TOvixConsts c;
    c.fmtst = rtl::TFormatSettings::FromSystemLocale();
    const rtl::TFormatSettings &f = c.fmtst;
    c.CurrencyString = f.CurrencyString;
    c.CurrencyFormat = f.CurrencyFormat;
    c.NegCurrFormat = f.NegCurrFormat;
    c.ThousandSeparator = f.ThousandSeparator;
    c.DecimalSeparator = f.DecimalSeparator;
    c.CurrencyDecimals = f.CurrencyDecimals;
    c.DateSeparator = f.DateSeparator;
    c.ShortDateFormat = f.ShortDateFormat;
    c.LongDateFormat = f.LongDateFormat;
    c.TimeSeparator = f.TimeSeparator;
    c.TimeAMString = f.TimeAMString;
    c.TimePMString = f.TimePMString;
    c.ShortTimeFormat = f.ShortTimeFormat;
    c.LongTimeFormat = f.LongTimeFormat;
    c.TwoDigitYearCenturyWindow = f.TwoDigitYearCenturyWindow;
    c.ListSeparator = f.ListSeparator;
    return c;
}

} // namespace

const TOvixConsts &OvixConsts()
{
    static const TOvixConsts snapshot = TakeSnapshot();
    return snapshot;
}

} // namespace util
