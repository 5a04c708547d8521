#pragma once
// Checks that walk a whole code table both ways. The expected results are worked out here
// from the lists as the documentation of the XML layouts gives them, by the lookup rule
// (last matching row wins, ASCII case ignored, row 0 as the fall-back), independently of the
// tables compiled into the library.

#include "rtl/text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

namespace dfe_test {

// A code, or a printed text, listed for a value.
template <class E>
struct Row {
    E value;
    std::string_view code;
};

template <class E>
using Rows = std::initializer_list<Row<std::type_identity_t<E>>>;

// What a code-to-value function gave: the ordinal, and ok as 1 or 0, or -1 when the function
// left ok as the caller had it.
struct Read {
    int value;
    int ok;
    bool operator==(const Read &) const = default;
};

inline void PrintTo(const Read &r, std::ostream *os)
{
    *os << "{value " << r.value << ", ok " << (r.ok < 0 ? "untouched" : r.ok ? "true" : "false") << "}";
}

template <class E>
Read ReadCode(E (*strTo)(bool &, std::string_view), std::string_view s)
{
    bool fromFalse = false, fromTrue = true;
    const E value = strTo(fromFalse, s);
    strTo(fromTrue, s);
    return {static_cast<int>(value), fromFalse == fromTrue ? int(fromFalse) : -1};
}

template <class E>
std::string ExpectedText(Rows<E> rows, E value, std::string_view otherwise = "")
{
    std::string_view found = otherwise;
    for (const auto &row : rows)
        if (row.value == value)
            found = row.code;
    return std::string(found);
}

// `unlisted`: what a code no row lists reads as, with ok false.
template <class E>
Read ExpectedRead(Rows<E> rows, std::string_view s, E unlisted)
{
    Read result{static_cast<int>(unlisted), 0};
    for (const auto &row : rows)
        if (rtl::SameText(row.code, s))
            result = {static_cast<int>(row.value), 1};
    return result;
}

// A code-to-value function over its list: every code is read as given, in upper and in
// lower case, and with a blank before or after it (never trimmed); an unknown code gives
// `unlisted`.
template <class E>
void ExpectReadTable(const char *table, E (*strTo)(bool &, std::string_view), Rows<E> rows, E unlisted)
{
    const Read fallBack{static_cast<int>(unlisted), 0};
    for (const auto &row : rows) {
        for (const std::string &code : {std::string(row.code), rtl::UpperCase(row.code), rtl::LowerCase(row.code)})
            EXPECT_EQ(ReadCode(strTo, code), ExpectedRead<E>(rows, code, unlisted)) << table << " reads \"" << code << "\"";
        EXPECT_EQ(ReadCode(strTo, " " + std::string(row.code)), fallBack) << table << " reads \" " << row.code << "\"";
        EXPECT_EQ(ReadCode(strTo, std::string(row.code) + " "), fallBack) << table << " reads \"" << row.code << " \"";
    }
    EXPECT_EQ(ReadCode(strTo, "?"), fallBack) << table << " reads an unknown code";
}

// The usual rule: an unknown code falls back on row 0.
template <class E>
void ExpectReadTable(const char *table, E (*strTo)(bool &, std::string_view), Rows<E> rows)
{
    ExpectReadTable<E>(table, strTo, rows, rows.begin()->value);
}

// A table whose two directions use different lists; every ordinal up to `last` is written.
template <class E>
void ExpectCodeTables(const char *table, std::string (*toStr)(E), E (*strTo)(bool &, std::string_view), E last,
                      Rows<E> writeRows, Rows<E> readRows)
{
    for (int ordinal = 0; ordinal <= static_cast<int>(last); ++ordinal) {
        const E value = static_cast<E>(ordinal);
        EXPECT_EQ(toStr(value), ExpectedText<E>(writeRows, value)) << table << " writes ordinal " << ordinal;
    }
    ExpectReadTable<E>(table, strTo, readRows);
}

// A table used both ways whose rows are not simply the values in declared order.
template <class E>
void ExpectCodeTables(const char *table, std::string (*toStr)(E), E (*strTo)(bool &, std::string_view), E last,
                      Rows<E> rows)
{
    ExpectCodeTables<E>(table, toStr, strTo, last, rows, rows);
}

// The common case: one row per value, in declared order, used both ways; every value then
// reads back from the code it is written with. An unknown code reads as `unlisted`.
template <class E>
void ExpectCodeTable(const char *table, std::string (*toStr)(E), E (*strTo)(bool &, std::string_view), Rows<E> rows,
                     E unlisted)
{
    int ordinal = 0;
    for (const auto &row : rows) {
        EXPECT_EQ(static_cast<int>(row.value), ordinal) << table << ": row " << ordinal << " is not in declared order";
        EXPECT_EQ(ReadCode(strTo, toStr(row.value)), (Read{ordinal, 1})) << table << " round trip of ordinal " << ordinal;
        ++ordinal;
    }
    for (int i = 0; i < ordinal; ++i) {
        const E value = static_cast<E>(i);
        EXPECT_EQ(toStr(value), ExpectedText<E>(rows, value)) << table << " writes ordinal " << i;
    }
    ExpectReadTable<E>(table, strTo, rows, unlisted);
}

// ... and an unknown code falls back on row 0.
template <class E>
void ExpectCodeTable(const char *table, std::string (*toStr)(E), E (*strTo)(bool &, std::string_view), Rows<E> rows)
{
    ExpectCodeTable<E>(table, toStr, strTo, rows, rows.begin()->value);
}

// A value-to-text function over every ordinal up to `last`; unlisted values give `otherwise`.
template <class E>
void ExpectTextTable(const char *table, std::string (*toText)(E), E last, Rows<E> rows, std::string_view otherwise = "")
{
    for (int ordinal = 0; ordinal <= static_cast<int>(last); ++ordinal) {
        const E value = static_cast<E>(ordinal);
        EXPECT_EQ(toText(value), ExpectedText<E>(rows, value, otherwise)) << table << " of ordinal " << ordinal;
    }
}

// For tables of edge cases mixing enumerations.
struct ReadCase {
    const char *name;
    Read got;
    Read expected;
};

struct WriteCase {
    const char *name;
    std::string got;
    std::string expected;
};

inline void ExpectReads(std::initializer_list<ReadCase> cases)
{
    for (const auto &c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

inline void ExpectWrites(std::initializer_list<WriteCase> cases)
{
    for (const auto &c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

} // namespace dfe_test
