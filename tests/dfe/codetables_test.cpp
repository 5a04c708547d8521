#include "dfe/codes.h"

#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using dfe_test::Read;
using dfe_test::ReadCode;

enum TFruta { frMaca, frPera, frUva, frKiwi, frFigo };

// Every twist the rule allows, in one table.
constexpr dfe::TCodeRow<TFruta> kFrutas[] = {
    {frPera, "P"},  // row 0, the fall-back, is not the enumeration's first value
    {frMaca, "M"},
    {frKiwi, ""},   // an empty code
    {frMaca, "MA"}, // frMaca listed twice: the later code is written
    {frUva, "u"},
    {frPera, "U"},  // "u" listed twice, case ignored: the later value is read
};                  // frFigo is not listed

std::string FrutaToStr(TFruta t) { return dfe::EnumeradoToStr(t, kFrutas); }
TFruta StrToFruta(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kFrutas); }
// The same table where a code no row lists is frFigo rather than row 0's value.
TFruta StrToFrutaOuFigo(bool &ok, std::string_view s) { return dfe::StrToEnumeradoDef(ok, s, kFrutas, frFigo); }

TEST(CodeTableRule, ValueToCodeTakesTheLastRowListingTheValue)
{
    const dfe_test::WriteCase cases[] = {
        {"listed twice", FrutaToStr(frMaca), "MA"},
        {"listed under the fall-back row and a later one", FrutaToStr(frPera), "U"},
        {"listed once", FrutaToStr(frUva), "u"},
        {"listed with the empty code", FrutaToStr(frKiwi), ""},
        {"not listed", FrutaToStr(frFigo), ""},
        {"default for a value not listed", dfe::EnumeradoToStrDef(frFigo, kFrutas, "?"), "?"},
        {"default not used for a listed value", dfe::EnumeradoToStrDef(frKiwi, kFrutas, "?"), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

TEST(CodeTableRule, CodeToValueTakesTheLastMatchingRowOrFallsBackOnRowZero)
{
    dfe_test::ExpectReads({
        {"exact", ReadCode(StrToFruta, "M"), {frMaca, 1}},
        {"lower case", ReadCode(StrToFruta, "m"), {frMaca, 1}},
        {"mixed case", ReadCode(StrToFruta, "mA"), {frMaca, 1}},
        {"code listed twice, later row wins", ReadCode(StrToFruta, "u"), {frPera, 1}},
        {"same in the other case", ReadCode(StrToFruta, "U"), {frPera, 1}},
        {"empty text matches the empty code", ReadCode(StrToFruta, ""), {frKiwi, 1}},
        {"unknown code: row 0, not the first value", ReadCode(StrToFruta, "Q"), {frPera, 0}},
        {"leading blank not trimmed", ReadCode(StrToFruta, " M"), {frPera, 0}},
        {"trailing blank not trimmed", ReadCode(StrToFruta, "M "), {frPera, 0}},
        {"no prefix match", ReadCode(StrToFruta, "MAX"), {frPera, 0}},
        {"no partial match", ReadCode(StrToFruta, "A"), {frPera, 0}},
    });
}

TEST(CodeTableRule, CodeToValueWithADefaultGivesItOnlyWhenNoRowMatches)
{
    dfe_test::ExpectReads({
        {"unknown code", ReadCode(StrToFrutaOuFigo, "Q"), {frFigo, 0}},
        {"blank not trimmed", ReadCode(StrToFrutaOuFigo, " M"), {frFigo, 0}},
        {"later row still wins", ReadCode(StrToFrutaOuFigo, "u"), {frPera, 1}},
        {"row 0's own code", ReadCode(StrToFrutaOuFigo, "P"), {frPera, 1}},
        {"empty code", ReadCode(StrToFrutaOuFigo, ""), {frKiwi, 1}},
    });
}

TEST(CodeTableRule, EmptyTextWithoutAnEmptyCodeFallsBack)
{
    constexpr dfe::TCodeRow<TFruta> noEmpty[] = {{frUva, "1"}, {frMaca, "2"}};
    bool ok = true;
    EXPECT_EQ(dfe::StrToEnumerado(ok, "", noEmpty), frUva);
    EXPECT_FALSE(ok);
}

TEST(CodeTableRule, OrdinalPickerIndexesWithoutSearching)
{
    constexpr std::string_view codes[] = {"a", "b", "a"};
    EXPECT_EQ(dfe::EnumeradoToStr2(frMaca, codes), "a");
    EXPECT_EQ(dfe::EnumeradoToStr2(frPera, codes), "b");
    EXPECT_EQ(dfe::EnumeradoToStr2(frUva, codes), "a");
    EXPECT_EQ(dfe::EnumeradoToStr2(frKiwi, codes), "") << "ordinal past the list";
}

TEST(CodeTableRule, ParallelListsOfTaggedValuesFollowTheSameRule)
{
    const std::string_view codes[] = {"P", "M", "", "MA"};
    const rtl::Variant values[] = {1, 0, 3, 0};

    bool ok = false;
    EXPECT_EQ(dfe::StrToEnumerado(ok, "m", codes, values).AsInteger(), 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToEnumerado(ok, "", codes, values).AsInteger(), 3);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToEnumerado(ok, "Q", codes, values).AsInteger(), 1);
    EXPECT_FALSE(ok);

    EXPECT_EQ(dfe::EnumeradoToStr(rtl::Variant(0), codes, values).AsString(), "MA");
    EXPECT_EQ(dfe::EnumeradoToStr(rtl::Variant(0LL), codes, values).AsString(), "MA") << "ordinals compare as numbers";
    EXPECT_EQ(dfe::EnumeradoToStr(rtl::Variant(7), codes, values).AsString(), "");
    EXPECT_EQ(dfe::EnumeradoToStr(rtl::Variant(7), codes, values).VarType(), rtl::Variant::varString);

    EXPECT_EQ(dfe::EnumeradoToStr2(rtl::Variant(3), codes).AsString(), "MA");
    EXPECT_EQ(dfe::EnumeradoToStr2(rtl::Variant(4), codes).AsString(), "");
    EXPECT_EQ(dfe::EnumeradoToStr2(rtl::Variant(-1), codes).AsString(), "");

    // Lists of unequal length are read up to the shorter one, never past it.
    EXPECT_EQ(dfe::StrToEnumerado(ok, "MA", codes, std::span(values, 3)).AsInteger(), 1);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(dfe::StrToEnumerado(ok, "P", {}, {}).IsEmpty());
    EXPECT_FALSE(ok);
}

TEST(States, EveryStateCodeGivesItsAbbreviation)
{
    struct Row {
        const char *uf;
        int code;
    } const states[] = {
        {"AC", 12}, {"AL", 27}, {"AP", 16}, {"AM", 13}, {"BA", 29}, {"CE", 23}, {"DF", 53},
        {"ES", 32}, {"GO", 52}, {"MA", 21}, {"MT", 51}, {"MS", 50}, {"MG", 31}, {"PA", 15},
        {"PB", 25}, {"PR", 41}, {"PE", 26}, {"PI", 22}, {"RJ", 33}, {"RN", 24}, {"RS", 43},
        {"RO", 11}, {"RR", 14}, {"SC", 42}, {"SP", 35}, {"SE", 28}, {"TO", 17},
    };
    ASSERT_EQ(std::size(states), dfe::DFeUF.size());
    for (std::size_t i = 0; i < std::size(states); ++i) {
        EXPECT_EQ(dfe::DFeUF[i], states[i].uf) << "index " << i;
        EXPECT_EQ(dfe::DFeUFCodigo[i], states[i].code) << states[i].uf;
        EXPECT_EQ(dfe::CUFtoUF(states[i].code), states[i].uf);
    }
    EXPECT_EQ(std::set<int>(dfe::DFeUFCodigo.begin(), dfe::DFeUFCodigo.end()).size(), 27u) << "a code listed twice";

    // Foreign (90, 91) and invalid codes have no state.
    for (int code : {0, 90, 91, -35, 10, 54, 350})
        EXPECT_EQ(dfe::CUFtoUF(code), "") << code;
}

// Parsers standing in for the families'.
dfe::TpcnTpEvento ParserCCe(bool &ok, std::string_view s)
{
    ok = s == "110110";
    return ok ? dfe::teCCe : dfe::teNaoMapeado;
}

dfe::TpcnTpEvento ParserCancelamento(bool &ok, std::string_view)
{
    ok = true;
    return dfe::teCancelamento;
}

const dfe::TStrToTpEventoDFe *Registered(std::string_view name)
{
    const auto &list = dfe::StrToTpEventoDFeList();
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto &e) { return e.NomeDFe == name; });
    return it == list.end() ? nullptr : &*it;
}

// The registry lives as long as the process and cannot be emptied, so each test below uses
// family names of its own.

TEST(EventParserRegistry, FirstRegistrationOfANameWinsWhateverTheCase)
{
    const auto before = dfe::StrToTpEventoDFeList().size();
    dfe::RegisterStrToTpEventoDFe(ParserCCe, "xfe");
    dfe::RegisterStrToTpEventoDFe(ParserCancelamento, "XFe");
    ASSERT_EQ(dfe::StrToTpEventoDFeList().size(), before + 1);
    const auto &entry = dfe::StrToTpEventoDFeList().back();
    EXPECT_EQ(entry.NomeDFe, "XFE");
    EXPECT_EQ(entry.StrToTpEventoMethod, &ParserCCe);

    bool ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110110", "xFe"), dfe::teCCe);
    EXPECT_TRUE(ok);
    // The parser decides ok and the value for codes it does not know.
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "999999", "XFE"), dfe::teNaoMapeado);
    EXPECT_FALSE(ok);
}

TEST(EventParserRegistry, UnknownFamilyLeavesOkUntouched)
{
    dfe::RegisterStrToTpEventoDFe(ParserCancelamento, "yfe");
    for (std::string_view family : {"zfe", "", "yfe ", " yfe"}) {
        for (bool preset : {false, true}) {
            bool ok = preset;
            EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110111", family), dfe::teNaoMapeado) << "\"" << family << "\"";
            EXPECT_EQ(ok, preset) << "\"" << family << "\"";
        }
    }
}

TEST(EventParserRegistry, KeepsRegistrationOrderAndUpperCasesAsciiOnly)
{
    dfe::RegisterStrToTpEventoDFe(ParserCCe, "ordem-b");
    dfe::RegisterStrToTpEventoDFe(ParserCCe, "ordem-a");
    const auto &list = dfe::StrToTpEventoDFeList();
    ASSERT_TRUE(Registered("ORDEM-B") && Registered("ORDEM-A"));
    EXPECT_LT(Registered("ORDEM-B") - list.data(), Registered("ORDEM-A") - list.data());

    // Non-ASCII letters keep their case, in the name and in the lookup.
    dfe::RegisterStrToTpEventoDFe(ParserCCe, "çfe");
    EXPECT_NE(Registered("çFE"), nullptr);
    bool ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110110", "çFe"), dfe::teCCe);
    EXPECT_TRUE(ok);
    ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110110", "ÇFE"), dfe::teNaoMapeado);
    EXPECT_FALSE(ok);

    // A null parser is not registered, so the name stays free for a real one.
    dfe::RegisterStrToTpEventoDFe(nullptr, "wfe");
    EXPECT_EQ(Registered("WFE"), nullptr);
}

} // namespace
