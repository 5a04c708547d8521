#pragma once
// A fixed-point amount with four decimals, exact in sums: the type money is kept in.

#include "rtl/formatsettings.h"

#include <compare>
#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>
#include <string_view>

namespace rtl {

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() noexcept = default;
    // Whole units. Values beyond the range raise EConvertError.
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    constexpr Currency(T units) : FRaw(UnitsToRaw(units)) {}
    // A double must go through FromDouble, which says how it rounds.
    template <std::floating_point T>
    Currency(T) = delete;

    // The amount times 10,000.
    static constexpr Currency FromRaw(std::int64_t raw) noexcept
    {
        Currency c;
        c.FRaw = raw;
        return c;
    }
    constexpr std::int64_t Raw() const noexcept { return FRaw; }

    // The exact value of the double times 10,000, rounded to the nearest integer with ties
    // to even. NaN, infinities and values out of range raise EConvertError.
    static Currency FromDouble(double value);
    // The double nearest to the amount.
    double ToDouble() const noexcept;

    static constexpr Currency Min() noexcept { return FromRaw(INT64_MIN); }
    static constexpr Currency Max() noexcept { return FromRaw(INT64_MAX); }

    // Arithmetic raises EConvertError when the result leaves the range.
    Currency operator-() const;
    Currency operator+() const noexcept { return *this; }
    Currency &operator+=(Currency other);
    Currency &operator-=(Currency other);
    // Products are rounded to four decimals with ties to even.
    Currency &operator*=(Currency other);
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Currency &operator*=(T factor)
    {
        return *this = MultiplyByInteger(*this, factor);
    }

    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }
    friend Currency operator*(Currency a, Currency b) { return a *= b; }
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    friend Currency operator*(Currency a, T factor)
    {
        return MultiplyByInteger(a, factor);
    }
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    friend Currency operator*(T factor, Currency a)
    {
        return MultiplyByInteger(a, factor);
    }

    friend constexpr bool operator==(const Currency &, const Currency &) = default;
    friend constexpr std::strong_ordering operator<=>(const Currency &, const Currency &) = default;

private:
    template <std::integral T>
    static constexpr std::int64_t UnitsToRaw(T units)
    {
        if constexpr (sizeof(T) >= sizeof(std::int64_t)) {
            const bool outOfRange = std::is_signed_v<T>
                ? static_cast<long long>(units) < INT64_MIN / Scale || static_cast<long long>(units) > INT64_MAX / Scale
                : static_cast<unsigned long long>(units) > static_cast<unsigned long long>(INT64_MAX / Scale);
            if (outOfRange)
                RaiseOverflow(std::to_string(units));
        }
        return static_cast<std::int64_t>(units) * Scale;
    }
    template <std::integral T>
    static Currency MultiplyByInteger(Currency a, T factor)
    {
        if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(std::int64_t)) {
            // Only a zero amount survives a factor beyond the signed range.
            if (factor > static_cast<unsigned long long>(INT64_MAX)) {
                if (a.FRaw != 0)
                    RaiseOverflow(std::to_string(factor));
                return a;
            }
        }
        return Multiply(a, static_cast<std::int64_t>(factor));
    }
    static Currency Multiply(Currency a, std::int64_t factor);
    [[noreturn]] static void RaiseOverflow(const std::string &text);

    std::int64_t FRaw = 0;
};

// Number text to Currency: the syntax of StrToFloat (blanks around, sign, digits with the
// settings' decimal separator, exponent), read exactly and rounded to four decimals with
// ties to even. A text that is not a number raises EConvertError "'x' is not a valid
// floating point value"; one out of range "'x' is not a valid currency value".
Currency StrToCurr(std::string_view text);
Currency StrToCurr(std::string_view text, const TFormatSettings &settings);
Currency StrToCurrDef(std::string_view text, Currency fallback);
Currency StrToCurrDef(std::string_view text, Currency fallback, const TFormatSettings &settings);
// Leaves `value` untouched when the text is not a currency value.
bool TryStrToCurr(std::string_view text, Currency &value);
bool TryStrToCurr(std::string_view text, Currency &value, const TFormatSettings &settings);

} // namespace rtl
