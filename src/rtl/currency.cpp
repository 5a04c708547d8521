#include "rtl/currency.h"

#include "rtl/exceptions.h"
#include "rtl/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace rtl {

namespace {

using Int128 = __int128;

constexpr Int128 RawMin = std::numeric_limits<std::int64_t>::min();
constexpr Int128 RawMax = std::numeric_limits<std::int64_t>::max();

// An exact raw amount as text with its four decimals, for overflow messages.
std::string RawText(Int128 raw)
{
    const bool negative = raw < 0;
    unsigned __int128 magnitude = negative ? -static_cast<unsigned __int128>(raw) : static_cast<unsigned __int128>(raw);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    digits.insert(digits.size() - 4, 1, '.');
    while (digits.back() == '0')
        digits.pop_back();
    if (digits.back() == '.')
        digits.pop_back();
    return negative ? "-" + digits : digits;
}

Currency Checked(Int128 raw)
{
    if (raw < RawMin || raw > RawMax)
        throw EConvertError::CurrencyOverflow(RawText(raw));
    return Currency::FromRaw(static_cast<std::int64_t>(raw));
}

// n / d rounded to the nearest integer, ties to even; d > 0.
Int128 DivideHalfEven(Int128 n, Int128 d)
{
    Int128 q = n / d;
    const Int128 r = n % d;  // same sign as n
    const Int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && (q & 1) != 0))
        q += n < 0 ? -1 : 1;
    return q;
}

enum class ParseResult { Ok, Syntax, Overflow };

ParseResult ParseCurrency(std::string_view text, const TFormatSettings &settings, Currency &out)
{
    detail::DecimalDigits d;
    if (!detail::ParseDecimal(text, settings, d))
        return ParseResult::Syntax;
    if (d.Digits.empty()) {
        out = Currency();
        return ParseResult::Ok;
    }
    // Nineteen integer digits is already past the range; stop before Int128 could overflow.
    if (d.PointPos > 19)
        return ParseResult::Overflow;
    // The digits down to the fourth decimal make the raw value; the rest only rounds it.
    const long keep = static_cast<long>(d.PointPos) + 4;
    Int128 raw = 0;
    for (long i = 0; i < keep; ++i)
        raw = raw * 10 + (i < static_cast<long>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(i)] - '0' : 0);
    if (keep >= 0 && keep < static_cast<long>(d.Digits.size())) {
        const char first = d.Digits[static_cast<std::size_t>(keep)];
        // Digits carries no trailing zeros, so a '5' with anything after it is above the tie.
        const bool exactHalf = first == '5' && static_cast<std::size_t>(keep) + 1 == d.Digits.size();
        if (first > '5' || (first == '5' && (!exactHalf || (raw & 1) != 0)))
            ++raw;
    } else if (keep < 0) {
        raw = 0;  // below half of the fourth decimal
    }
    if (d.Negative)
        raw = -raw;
    if (raw < RawMin || raw > RawMax)
        return ParseResult::Overflow;
    out = Currency::FromRaw(static_cast<std::int64_t>(raw));
    return ParseResult::Ok;
}

} // namespace

void Currency::RaiseOverflow(const std::string &text)
{
    throw EConvertError::CurrencyOverflow(text);
}

Currency Currency::FromDouble(double value)
{
    // Anything this large is out of range; checking first keeps the shifts below small.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        throw EConvertError::CurrencyOverflow(FloatToStr(value));
    if (value == 0)
        return Currency();
    // value = mantissa * 2^exponent exactly, with a 53-bit integer mantissa.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    // |value| < 1e15 < 2^50 keeps the exponent at -3 or below: the scaled mantissa is
    // shifted right and the bits shifted out decide the rounding.
    const Int128 scaled = static_cast<Int128>(mantissa) * Scale;  // below 2^67
    const int shift = -exponent;
    Int128 raw = 0;  // a shift of 70 or more leaves less than an eighth of a step
    if (shift < 70) {
        raw = scaled >> shift;
        const Int128 rest = scaled - (raw << shift);
        const Int128 half = static_cast<Int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (raw & 1) != 0))
            ++raw;
    }
    if (value < 0)
        raw = -raw;
    if (raw < RawMin || raw > RawMax)
        throw EConvertError::CurrencyOverflow(FloatToStr(value));
    return FromRaw(static_cast<std::int64_t>(raw));
}

double Currency::ToDouble() const noexcept
{
    // Both operands are exact below 2^53, so the one division rounds correctly.
    constexpr std::int64_t exactLimit = std::int64_t{1} << 53;
    if (FRaw > -exactLimit && FRaw < exactLimit)
        return static_cast<double>(FRaw) / Scale;
    // Larger amounts go through their decimal text to avoid rounding twice.
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, FRaw).ptr;
    static constexpr char suffix[] = "e-4";
    for (const char c : std::string_view(suffix))
        *end++ = c;
    double result = 0;
    std::from_chars(buffer, end, result);
    return result;
}

Currency Currency::operator-() const
{
    return Checked(-static_cast<Int128>(FRaw));
}

Currency &Currency::operator+=(Currency other)
{
    return *this = Checked(static_cast<Int128>(FRaw) + other.FRaw);
}

Currency &Currency::operator-=(Currency other)
{
    return *this = Checked(static_cast<Int128>(FRaw) - other.FRaw);
}

Currency &Currency::operator*=(Currency other)
{
    return *this = Checked(DivideHalfEven(static_cast<Int128>(FRaw) * other.FRaw, Scale));
}

Currency Currency::Multiply(Currency a, std::int64_t factor)
{
    return Checked(static_cast<Int128>(a.FRaw) * factor);
}

Currency StrToCurr(std::string_view text)
{
    return StrToCurr(text, FormatSettings());
}

Currency StrToCurr(std::string_view text, const TFormatSettings &settings)
{
    Currency value;
    switch (ParseCurrency(text, settings, value)) {
    case ParseResult::Ok:
        return value;
    case ParseResult::Syntax:
        throw EConvertError::InvalidFloat(std::string(text));
    case ParseResult::Overflow:
        break;
    }
    throw EConvertError::CurrencyOverflow(std::string(text));
}

Currency StrToCurrDef(std::string_view text, Currency fallback)
{
    return StrToCurrDef(text, fallback, FormatSettings());
}

Currency StrToCurrDef(std::string_view text, Currency fallback, const TFormatSettings &settings)
{
    Currency value;
    return ParseCurrency(text, settings, value) == ParseResult::Ok ? value : fallback;
}

bool TryStrToCurr(std::string_view text, Currency &value)
{
    return TryStrToCurr(text, value, FormatSettings());
}

bool TryStrToCurr(std::string_view text, Currency &value, const TFormatSettings &settings)
{
    Currency parsed;
    if (ParseCurrency(text, settings, parsed) != ParseResult::Ok)
        return false;
    value = parsed;
    return true;
}

} // namespace rtl
