#pragma once
// The one rule by which every enumerated field of the fiscal XML converts between the value
// the models hold and the short code the XML carries. A table is data, rows of
// {value, code}; the routines below are the only code that reads tables.
//
// Both directions walk the whole table and let the LAST matching row win. Tables rely on
// that: several codes may read as one value, one code may be written for several values,
// and a value listed twice is written with its later code. Row 0 is the fall-back of the
// reading direction, and it is not always the enumeration's first value.

#include "rtl/text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace dfe {

// One row of a code table. Tables of printed texts use the same row, the text in `code`.
template <class E>
struct TCodeRow {
    E value;
    std::string_view code;
};

// Index of the last of `count` entries for which matches(i) holds; -1 when none does.
// Never stops early: a later entry must be able to override an earlier one.
template <class Matches>
constexpr std::ptrdiff_t LastMatchingEntry(std::size_t count, Matches matches)
{
    std::ptrdiff_t found = -1;
    for (std::size_t i = 0; i < count; ++i)
        if (matches(i))
            found = static_cast<std::ptrdiff_t>(i);
    return found;
}

// A row of a table that maps a key to something other than an XML code (a number, a
// printed text, another enumeration); read by the same last-row-wins rule.
template <class K, class V>
struct TKeyRow {
    K key;
    V value;
};

// The value of the last row whose key equals `key`; `otherwise` when no row does.
template <class K, class V, std::size_t N>
V LookUp(const K &key, const TKeyRow<K, V> (&rows)[N], V otherwise)
{
    const auto i = LastMatchingEntry(N, [&](std::size_t k) { return rows[k].key == key; });
    return i < 0 ? otherwise : rows[i].value;
}

// Value to code: the code of the last row that lists the value; "" when no row does.
template <class E, std::size_t N>
    requires std::is_enum_v<E>
std::string EnumeradoToStr(E value, const TCodeRow<E> (&table)[N])
{
    const auto i = LastMatchingEntry(N, [&](std::size_t k) { return table[k].value == value; });
    return i < 0 ? std::string() : std::string(table[i].code);
}

// As EnumeradoToStr, with the text to give for a value that no row lists.
template <class E, std::size_t N>
    requires std::is_enum_v<E>
std::string EnumeradoToStrDef(E value, const TCodeRow<E> (&table)[N], std::string_view otherwise)
{
    const auto i = LastMatchingEntry(N, [&](std::size_t k) { return table[k].value == value; });
    return std::string(i < 0 ? otherwise : table[i].code);
}

// Code to value: the value of the last row whose code equals `code` with ASCII letter case
// ignored, and ok = true. When no row matches: row 0's value and ok = false. The text is
// compared as given (" 1" matches no code), and "" matches a row with an empty code.
template <class E, std::size_t N>
    requires std::is_enum_v<E>
E StrToEnumerado(bool &ok, std::string_view code, const TCodeRow<E> (&table)[N])
{
    static_assert(N > 0, "a code table needs a row 0 to fall back on");
    const auto i = LastMatchingEntry(N, [&](std::size_t k) { return rtl::SameText(code, table[k].code); });
    ok = i >= 0;
    return table[ok ? i : 0].value;
}

// As StrToEnumerado, with the value to give (and ok = false) for a code that no row lists.
// For the tables whose row 0 means something a code the program does not know must never
// pose as: a means of payment newer than the table is some other payment, not cash.
template <class E, std::size_t N>
    requires std::is_enum_v<E>
E StrToEnumeradoDef(bool &ok, std::string_view code, const TCodeRow<E> (&table)[N], E otherwise)
{
    const auto i = LastMatchingEntry(N, [&](std::size_t k) { return rtl::SameText(code, table[k].code); });
    ok = i >= 0;
    return ok ? table[i].value : otherwise;
}

// The entry at the value's ordinal, for a list holding exactly one code per value in the
// enumeration's order; no search. An ordinal outside the list gives "".
template <class E, std::size_t N>
    requires std::is_enum_v<E>
std::string EnumeradoToStr2(E value, const std::string_view (&codes)[N])
{
    const auto ordinal = static_cast<std::size_t>(value);
    return ordinal < N ? std::string(codes[ordinal]) : std::string();
}

} // namespace dfe
