#pragma once
// Numbers to text and back, in the old run-time's forms. Every routine has an overload
// taking explicit settings; the plain one uses the process-wide FormatSettings().

#include "rtl/currency.h"
#include "rtl/formatsettings.h"

#include <string>
#include <string_view>

namespace rtl {

// The number-format mask language:
//   '0'  a digit, always printed;  '#'  a digit printed only when significant;
//   '.'  where the decimal separator goes (the first one; later ones are ignored), printed
//        only when a decimal digit follows;
//   ','  anywhere in the integer part: group thousands with the ThousandSeparator;
//   'E+0', 'E-0' (or 'e'): scientific form, the zeros giving the exponent's least width;
//        with '+' the exponent always has a sign, with '-' only when negative;
//   '...' and "..." literal text; any other character is copied as it stands (a '%' does
//        not scale the value);
//   up to three sections "positive;negative;zero". The negative section prints the
//        magnitude (it writes its own sign if it wants one); the zero section is used when
//        the value rounds to zero; an empty section falls back to the first.
// The value is rounded half away from zero at the mask's last decimal, applied to the
// shortest decimal text that reads back as the same double (2.675 -> "2.68" with "0.00").
// Integer digits beyond the mask's all print, at its first digit. A minus sign goes just
// before the first digit place and never on a result that prints as zero. NaN and the
// infinities print as "NAN", "INF" and "-INF". An empty mask gives FloatToStr.
std::string FormatFloat(std::string_view format, double value);
std::string FormatFloat(std::string_view format, double value, const TFormatSettings &settings);

// General form: up to 15 significant digits, no thousands separators; exponent form
// ("1E15", "1.5E-6") from 1E15 up and below 1E-4.
std::string FloatToStr(double value);
std::string FloatToStr(double value, const TFormatSettings &settings);

// Strict reading: blanks (<= ' ') around are ignored; then an optional sign, digits with
// at most one DecimalSeparator (at least one digit), an optional exponent (E or e, sign,
// digits). No grouping, no NaN/infinity, no hex. Too large raises; too small gives zero.
// Errors raise EConvertError "'x' is not a valid floating point value".
double StrToFloat(std::string_view text);
double StrToFloat(std::string_view text, const TFormatSettings &settings);
double StrToFloatDef(std::string_view text, double fallback);
double StrToFloatDef(std::string_view text, double fallback, const TFormatSettings &settings);
// Leaves `value` untouched when the text is not a number.
bool TryStrToFloat(std::string_view text, double &value);
bool TryStrToFloat(std::string_view text, double &value, const TFormatSettings &settings);

// General form of an amount: every significant digit of the four decimals, no grouping.
std::string CurrToStr(Currency value);
std::string CurrToStr(Currency value, const TFormatSettings &settings);
// The mask language of FormatFloat applied to the exact amount. An empty mask gives
// CurrToStr.
std::string FormatCurr(std::string_view format, Currency value);
std::string FormatCurr(std::string_view format, Currency value, const TFormatSettings &settings);

namespace detail {

// A number as decimal digits: 0.Digits x 10^PointPos. Digits has no leading or trailing
// zeros and is empty for zero. Shared by the float and currency conversions.
struct DecimalDigits {
    bool Negative = false;
    std::string Digits;
    int PointPos = 0;
};

// Reads the strict syntax of StrToFloat; false when the text does not follow it.
bool ParseDecimal(std::string_view text, const TFormatSettings &settings, DecimalDigits &out);

} // namespace detail

} // namespace rtl
