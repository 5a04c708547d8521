#include "dfe/accesskey.h"
#include "dfe/exception.h"
#include "dfe/helpers.h"

#include "rtl/datetime.h"
#include "rtl/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using rtl::EncodeDate;
using rtl::EncodeDateTime;

// Keys written for these tests; each check digit was worked out separately from the
// weights 2..9 taken from the right (0 when the remainder is 0 or 1).
constexpr const char *KeySP = "35190311222333000181550010000001231123456789";
constexpr const char *KeySPFormatted = "3519 0311 2223 3300 0181 5500 1000 0001 2311 2345 6789";

std::string EightDigits(int code)
{
    std::string text = std::to_string(code);
    return std::string(8 - text.size(), '0') + text;
}

// ---- Building the key --------------------------------------------------------------

TEST(ChaveAcesso, GerarChaveAcessoJoinsThePartsAndTheCheckDigit)
{
    const rtl::TDateTime march2019 = EncodeDateTime(2019, 3, 10, 14, 30, 0, 0);
    struct Row {
        const char *name;
        int uf;
        rtl::TDateTime date;
        const char *cnpj;
        int serie, numero, tpEmis, codigo, modelo;
        const char *key;
    } rows[] = {
        {"CNPJ written with punctuation", 35, march2019, "11.222.333/0001-81", 1, 123, 1,
         12345678, 55, KeySP},
        {"CPF zero-filled to fourteen", 41, EncodeDateTime(2023, 12, 31, 23, 59, 59, 0),
         "111.444.777-35", 2, 4567, 9, 87654321, 65,
         "41231200011144477735650020000045679876543210"},
        {"parts too long keep their first digits", 123, EncodeDate(2024, 2, 1),
         "123456789012345", 1234, 1234567890, 12, 123456789, 550,
         "12240212345678901234551231234567891123456782"},
        {"code below -1 becomes zeros", 35, march2019, "11222333000181", 1, 123, 1, -2, 55,
         "35190311222333000181550010000001231000000000"},
        {"far below -1 as well", 35, march2019, "11222333000181", 1, 123, 1, -5, 55,
         "35190311222333000181550010000001231000000000"},
        {"remainder 0 gives check digit 0", 35, march2019, "11222333000181", 1, 3, 1,
         12345678, 55, "35190311222333000181550010000000031123456780"},
        {"remainder 1 gives check digit 0", 35, march2019, "11222333000181", 1, 7, 1,
         12345678, 55, "35190311222333000181550010000000071123456780"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::GerarChaveAcesso(row.uf, row.date, row.cnpj, row.serie, row.numero,
                                        row.tpEmis, row.codigo, row.modelo),
                  row.key)
            << row.name;
}

TEST(ChaveAcesso, MissingCodeIsDrawnFromTheProcessGenerator)
{
    constexpr std::uint32_t seed = 20240615;
    for (int missing : {0, -1}) {
        rtl::RandSeed(seed);
        const int expected = rtl::Random(99999999);
        ASSERT_TRUE(dfe::ValidarCodigoDFe(expected, 123)) << "pick another seed";

        rtl::RandSeed(seed);
        const std::string key = dfe::GerarChaveAcesso(35, EncodeDate(2019, 3, 10),
                                                      "11222333000181", 1, 123, 1, missing, 55);
        ASSERT_EQ(key.size(), 44u) << missing;
        EXPECT_EQ(key.substr(0, 35), std::string(KeySP).substr(0, 35)) << missing;
        EXPECT_EQ(key.substr(35, 8), EightDigits(expected)) << missing;
        EXPECT_TRUE(dfe::ValidarChave(key)) << missing << ": check digit of " << key;
    }
}

TEST(ChaveAcesso, GerarCodigoDFeDrawsAgainWhenTheCodeIsTheNumber)
{
    rtl::RandSeed(7);
    const int first = rtl::Random(99999999);
    const int second = rtl::Random(99999999);
    ASSERT_TRUE(dfe::ValidarCodigoDFe(second, first)) << "pick another seed";

    // With the document number equal to the first draw, the second one is taken.
    rtl::RandSeed(7);
    EXPECT_EQ(dfe::GerarCodigoDFe(first), second);
}

TEST(ChaveAcesso, ValidarCodigoDFe)
{
    struct Row {
        const char *name;
        int codigo, numero;
        bool valid;
    } rows[] = {
        {"ordinary code", 12345679, 1, true},
        {"largest drawable code", 99999998, 1, true},
        {"code equal to the number", 4567, 4567, false},
        {"zero", 0, 1, false},
        {"all ones", 11111111, 1, false},
        {"all nines", 99999999, 1, false},
        {"ascending from 1", 12345678, 1, false},
        {"ascending wrapping past 9", 90123456, 1, false},
        {"seven-digit ascending run", 1234567, 1, false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarCodigoDFe(row.codigo, row.numero), row.valid) << row.name;
}

// ---- Formatting --------------------------------------------------------------------

TEST(ChaveAcesso, FormatarChaveAcessoGroupsDigitsByFour)
{
    struct Row {
        const char *name;
        std::string in, out;
    } rows[] = {
        {"44 digits", KeySP, KeySPFormatted},
        {"blanks and dots ignored", "3519.0311.2223 3300-0181/5500 1000 0001 2311 2345 6789",
         KeySPFormatted},
        {"45th digit alone at the end", std::string(KeySP) + "7",
         std::string(KeySPFormatted) + " 7"},
        {"short", "12345", "1234 5"},
        {"exactly four", "1234", "1234"},
        {"no digits", "abc", ""},
        {"empty", "", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::FormatarChaveAcesso(row.in), row.out) << row.name;
    EXPECT_EQ(dfe::FormatarChaveAcesso(KeySP).size(), 54u);
}

TEST(ChaveAcesso, FormatarNumeroDocumentoFiscal)
{
    struct Row {
        const char *name;
        const char *in, *out;
    } rows[] = {
        {"short number zero-filled", "1234", "000.001.234"},
        {"trimmed first", "  1234 ", "000.001.234"},
        {"nine digits", "123456789", "123.456.789"},
        {"longer keeps the first nine", "1234567890", "123.456.789"},
        {"empty", "", "000.000.000"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::FormatarNumeroDocumentoFiscal(row.in), row.out) << row.name;
}

// ---- Import and export identifiers (current year 2024) -----------------------------

struct CheckRow {
    const char *name;
    const char *in;
    bool valid;
};

TEST(ChaveAcesso, ImportAndExportIdentifiers)
{
    rtl::ScopedClock clock(EncodeDateTime(2024, 6, 15, 10, 0, 0, 0));
    const struct {
        const char *routine;
        bool (*check)(std::string_view);
        std::vector<CheckRow> rows;
    } groups[] = {
        {"ValidaDIDSI",
         dfe::ValidaDIDSI,
         {
             {"DI of this year", "22400001234", true},
             {"punctuation ignored", "22/4000012-34", true},
             {"twelve digits, last year", "423012345673", true},
             {"two years ahead", "22600001238", false},
             {"two years back", "22212345673", false},
             {"first digit 3", "32400001231", false},
             {"wrong check digit", "22400001235", false},
             {"ten digits", "2240000123", false},
         }},
        {"ValidaDIRE",
         dfe::ValidaDIRE,
         {
             {"this year", "240000000001", true},
             {"next year", "250000000001", true},
             {"last year", "230000000001", true},
             {"two years back", "220000000001", false},
             {"eleven digits", "24000000000", false},
             {"punctuation is not ignored", "24.000000001", false},
             {"letter", "24000000000a", false},
         }},
        {"ValidaRE",
         dfe::ValidaRE,
         {
             {"empty", "", true},
             {"twelve zeros", "000000000000", true},
             {"first of the year", "241234567001", true},
             {"last of the year", "241234567999", true},
             {"sequence zero", "241234567000", false},
             {"thirteen digits", "2412345670010", false},
             {"three years back", "211234567001", false},
         }},
        {"ValidaDrawback",
         dfe::ValidaDrawback,
         {
             {"this year", "241234565", true},
             {"two years back", "220000018", true},
             {"two years ahead", "260000019", true},
             {"three years back", "210000015", false},
             {"eleven digits lose the first two", "99241234565", true},
             {"punctuation ignored", "2412345-65", true},
             {"wrong check digit", "241234566", false},
             {"eight digits", "24123456", false},
             {"ten digits", "0241234565", false},
         }},
        {"ValidaRECOPI",
         dfe::ValidaRECOPI,
         {
             {"valid", "12345678901234567837", true},
             {"punctuation ignored", "1234.5678.9012.3456.7837", true},
             {"mostly zeros", "00000000000000000109", true},
             {"wrong last digit", "12345678901234567838", false},
             {"wrong 19th digit", "12345678901234567847", false},
             {"nineteen digits", "1234567890123456783", false},
         }},
        {"ValidaNVE",
         dfe::ValidaNVE,
         {
             {"upper-case letters", "AB1234", true},
             {"lower-case letters", "ab1234", true},
             {"digit for a letter", "A11234", false},
             {"letter for a digit", "AB123C", false},
             {"five characters", "AB123", false},
             {"seven characters", "AB12345", false},
             {"accented letter", "\xc3\x81" "B1234", false},
         }},
    };
    for (const auto &group : groups)
        for (const auto &row : group.rows)
            EXPECT_EQ(group.check(row.in), row.valid) << group.routine << ": " << row.name;
}

TEST(ChaveAcesso, CurrentYearFollowsTheClock)
{
    // A DI of 2024 is within a year in 2025 and too old in 2026.
    {
        rtl::ScopedClock clock(EncodeDate(2025, 1, 1));
        EXPECT_TRUE(dfe::ValidaDIDSI("22400001234"));
    }
    rtl::ScopedClock clock(EncodeDate(2026, 1, 1));
    EXPECT_FALSE(dfe::ValidaDIDSI("22400001234"));
}

// ---- Signature test, CSRT hash, exception --------------------------------------------

TEST(ChaveAcesso, XmlEstaAssinado)
{
    const CheckRow rows[] = {
        {"signature element", "<NFe><Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">", true},
        {"upper case", "<SIGNATURE>", true},
        {"prefixed element is not found", "<ds:Signature>", false},
        {"word without the bracket", "Signature", false},
        {"empty", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::XmlEstaAssinado(row.in), row.valid) << row.name;
}

TEST(ChaveAcesso, CalcularHashCSRT)
{
    struct Row {
        const char *name;
        const char *csrt;
        const char *hash;
    } rows[] = {
        {"ASCII code", "G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO", "adu5/xN9bS3G76i1aMI2Hk3uMsU="},
        // The bytes hashed are Windows-1252, not UTF-8.
        {"accented code", "A\xc3\xa7\xc3\xa3o", "j23aSVg7yfDcv47Oqq+RKIwxxW0="},
    };
    for (const auto &row : rows) {
        const std::string hash = dfe::CalcularHashCSRT(row.csrt, KeySP);
        EXPECT_EQ(hash, row.hash) << row.name;
        EXPECT_EQ(hash.size(), 28u) << row.name;
    }
}

TEST(ChaveAcesso, EOvixDFeExceptionKeepsTheMessage)
{
    const std::string message = "Arquivo de Parâmetro não encontrado: x.ini";
    EXPECT_EQ(dfe::EOvixDFeException(message).Message(), message);
    EXPECT_EQ(dfe::EOvixDFeException::CreateDef(message).Message(), message);

    try {
        throw dfe::EOvixDFeExceptionNoPrivateKey("sem chave privada");
    } catch (const dfe::EOvixDFeException &e) {
        EXPECT_EQ(e.Message(), "sem chave privada");
        EXPECT_NE(dynamic_cast<const rtl::Exception *>(&e), nullptr);
    }
}

} // namespace
