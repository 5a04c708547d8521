#include "rtl/variant.h"

#include "rtl/exceptions.h"
#include "rtl/numbers.h"
#include "rtl/text.h"

#include <cmath>
#include <limits>

namespace rtl {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

[[noreturn]] void CastError(Variant::TVarType from, Variant::TVarType to)
{
    throw EVariantTypeCastError(Variant::TypeName(from), Variant::TypeName(to));
}

// The run-time rounds doubles to integers half to even.
long long RoundToInt64(double value, Variant::TVarType from, Variant::TVarType to)
{
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        CastError(from, to);
    return static_cast<long long>(r);
}

} // namespace

const char *Variant::TypeName(TVarType type)
{
    switch (type) {
    case varEmpty: return "Empty";
    case varInteger: return "Integer";
    case varInt64: return "Int64";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varString: return "String";
    case varBoolean: return "Boolean";
    case varDate: return "Date";
    }
    return "Unknown";
}

std::string Variant::AsString() const
{
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](std::int32_t v) { return IntToStr(v); },
                          [](std::int64_t v) { return IntToStr(v); },
                          [](double v) { return FloatToStr(v); },
                          [](const Currency &v) { return CurrToStr(v); },
                          [](const std::string &v) { return v; },
                          [](bool v) { return std::string(v ? "True" : "False"); },
                          [](const TVariantDateTime &v) { return DateTimeToStr(v.Value); },
                      },
                      FValue);
}

long long Variant::AsInt64() const
{
    return ToInt64(varInt64);
}

long long Variant::ToInt64(TVarType target) const
{
    const TVarType type = VarType();
    return std::visit(Overloaded{
                          [](std::monostate) { return 0LL; },
                          [](std::int32_t v) { return static_cast<long long>(v); },
                          [](std::int64_t v) { return static_cast<long long>(v); },
                          [type, target](double v) { return RoundToInt64(v, type, target); },
                          [type, target](const Currency &v) { return RoundToInt64(v.ToDouble(), type, target); },
                          [type, target](const std::string &v) {
                              long long out = 0;
                              if (!TryStrToInt64(v, out))
                                  CastError(type, target);
                              return out;
                          },
                          [](bool v) { return v ? -1LL : 0LL; },
                          [type, target](const TVariantDateTime &v) { return RoundToInt64(v.Value, type, target); },
                      },
                      FValue);
}

int Variant::AsInteger() const
{
    const long long value = ToInt64(varInteger);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        CastError(VarType(), varInteger);
    return static_cast<int>(value);
}

double Variant::AsDouble() const
{
    const TVarType type = VarType();
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](std::int32_t v) { return static_cast<double>(v); },
                          [](std::int64_t v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](const Currency &v) { return v.ToDouble(); },
                          [type](const std::string &v) {
                              double out = 0;
                              if (!TryStrToFloat(v, out))
                                  CastError(type, varDouble);
                              return out;
                          },
                          [](bool v) { return v ? -1.0 : 0.0; },
                          [](const TVariantDateTime &v) { return v.Value; },
                      },
                      FValue);
}

Currency Variant::AsCurrency() const
{
    if (const auto *c = std::get_if<Currency>(&FValue))
        return *c;
    if (const auto *s = std::get_if<std::string>(&FValue)) {
        Currency out;
        if (!TryStrToCurr(*s, out))
            CastError(varString, varCurrency);
        return out;
    }
    try {
        return Currency::FromDouble(AsDouble());
    } catch (const EConvertError &) {
        CastError(VarType(), varCurrency);
    }
}

TDateTime Variant::AsDateTime() const
{
    if (const auto *d = std::get_if<TVariantDateTime>(&FValue))
        return d->Value;
    if (const auto *s = std::get_if<std::string>(&FValue)) {
        TDateTime out = 0;
        if (!TryStrToDateTime(*s, out))
            CastError(varString, varDate);
        return out;
    }
    return AsDouble();
}

bool Variant::AsBoolean() const
{
    const TVarType type = VarType();
    return std::visit(Overloaded{
                          [](std::monostate) { return false; },
                          [](std::int32_t v) { return v != 0; },
                          [](std::int64_t v) { return v != 0; },
                          [](double v) { return v != 0; },
                          [](const Currency &v) { return v.Raw() != 0; },
                          [type](const std::string &v) {
                              if (SameText(v, "True"))
                                  return true;
                              if (SameText(v, "False"))
                                  return false;
                              double number = 0;
                              if (!TryStrToFloat(v, number))
                                  CastError(type, varBoolean);
                              return number != 0;
                          },
                          [](bool v) { return v; },
                          [](const TVariantDateTime &v) { return v.Value != 0; },
                      },
                      FValue);
}

} // namespace rtl
