#pragma once
// The run-time's tagged value: what the XML leaf reader hands back, converted on demand.

#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <cstdint>
#include <string>
#include <variant>

namespace rtl {

// A date-time is kept apart from a plain double so that it converts to text as a date.
struct TVariantDateTime {
    TDateTime Value = 0;
    bool operator==(const TVariantDateTime &) const = default;
};

class Variant {
public:
    enum TVarType { varEmpty, varInteger, varInt64, varDouble, varCurrency, varString, varBoolean, varDate };

    Variant() = default;
    Variant(int value) : FValue(std::int32_t(value)) {}
    Variant(long long value) : FValue(std::int64_t(value)) {}
    Variant(double value) : FValue(value) {}
    Variant(Currency value) : FValue(value) {}
    Variant(std::string value) : FValue(std::move(value)) {}
    Variant(const char *value) : FValue(std::string(value)) {}
    Variant(bool value) : FValue(value) {}
    static Variant FromDateTime(TDateTime value) { Variant v; v.FValue = TVariantDateTime{value}; return v; }

    TVarType VarType() const { return static_cast<TVarType>(FValue.index()); }
    bool IsEmpty() const { return VarType() == varEmpty; }
    // The type's name as the run-time prints it in cast errors ("String", "Double"...).
    static const char *TypeName(TVarType type);

    // Conversions raise EVariantTypeCastError when the value cannot become the type.
    std::string AsString() const;
    int AsInteger() const;
    long long AsInt64() const;
    double AsDouble() const;
    Currency AsCurrency() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;

    bool operator==(const Variant &) const = default;

private:
    long long ToInt64(TVarType target) const;

    std::variant<std::monostate, std::int32_t, std::int64_t, double, Currency, std::string, bool, TVariantDateTime> FValue;
};

} // namespace rtl
