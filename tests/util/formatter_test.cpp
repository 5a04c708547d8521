#include "util/formatter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    const char *name;
    std::string actual;
    const char *expected;
};

TEST(OvixFormatador, CPFAndCNPJFillOnTheLeftAndKeepTheFirstDigits)
{
    const Row rows[] = {
        {"CPF of 11 digits", util::FormatarCPF("12345678909"), "123.456.789-09"},
        {"CPF already formatted", util::FormatarCPF("123.456.789-09"), "123.456.789-09"},
        {"CPF short", util::FormatarCPF("1234"), "000.000.012-34"},
        {"CPF long keeps the first 11", util::FormatarCPF("123456789012"), "123.456.789-01"},
        {"CPF without digits", util::FormatarCPF("abc"), "000.000.000-00"},
        {"CNPJ formatted", util::FormatarCNPJ("12.345.678/0001-95"), "12.345.678/0001-95"},
        {"CNPJ short", util::FormatarCNPJ("123"), "00.000.000/0001-23"},
        {"CNPJ long keeps the first 14", util::FormatarCNPJ("123456789012345"),
         "12.345.678/9012-34"},
        {"CNPJouCPF empty", util::FormatarCNPJouCPF(""), ""},
        {"CNPJouCPF no digits", util::FormatarCNPJouCPF("-"), ""},
        {"CNPJouCPF 14 digits", util::FormatarCNPJouCPF("12345678000195"), "12.345.678/0001-95"},
        {"CNPJouCPF 11 digits", util::FormatarCNPJouCPF("123.456.789-09"), "123.456.789-09"},
        {"CNPJouCPF 12 digits as CPF", util::FormatarCNPJouCPF("123456789012"), "123.456.789-01"},
        {"CNPJouCPF 13 digits as CPF", util::FormatarCNPJouCPF("1234567890123"), "123.456.789-01"},
        {"CNPJouCPF 15 digits as CPF", util::FormatarCNPJouCPF("123456789012345"),
         "123.456.789-01"},
        {"CNPJouCPF short as CPF", util::FormatarCNPJouCPF("1234"), "000.000.012-34"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(OvixFormatador, CEP)
{
    const Row rows[] = {
        {"4 digits filled to 5, then 000", util::FormatarCEP("1234"), "01234-000"},
        {"5 digits get 000", util::FormatarCEP("12345"), "12345-000"},
        {"6 digits filled to 8", util::FormatarCEP("123456"), "00123-456"},
        {"7 digits filled to 8", util::FormatarCEP("1234567"), "01234-567"},
        {"8 digits", util::FormatarCEP("12345678"), "12345-678"},
        {"already formatted", util::FormatarCEP("01310-100"), "01310-100"},
        {"long keeps the first 8", util::FormatarCEP("123456789"), "12345-678"},
        {"no digits", util::FormatarCEP(""), "00000-000"},
        {"integer of 7 digits", util::FormatarCEP(1234567), "01234-567"},
        {"integer of 5 digits", util::FormatarCEP(12345), "12345-000"},
        {"integer zero", util::FormatarCEP(0), "00000-000"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(OvixFormatador, Placa)
{
    const Row rows[] = {
        {"trimmed and upper-cased", util::FormatarPlaca(" abc1234 "), "ABC-1234"},
        {"Mercosul plate", util::FormatarPlaca("ABC1D23"), "ABC-1D23"},
        {"short", util::FormatarPlaca("AB"), "AB-"},
        {"empty", util::FormatarPlaca(""), "-"},
        {"long cut at 7", util::FormatarPlaca("abc12345"), "ABC-1234"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(OvixFormatador, MascaraNumericaFillsFromTheRight)
{
    const Row rows[] = {
        {"short value gets zeros on the left", util::FormatarMascaraNumerica("123", "**-**"),
         "01-23"},
        {"literals around", util::FormatarMascaraNumerica("12345", "(**)**-**"), "(01)23-45"},
        {"long value loses its left", util::FormatarMascaraNumerica("123456", "**-**"), "34-56"},
        {"value trimmed", util::FormatarMascaraNumerica(" 12 ", "****"), "0012"},
        {"empty value", util::FormatarMascaraNumerica("", "**-**"), "00-00"},
        {"any character fills", util::FormatarMascaraNumerica("AB", "**-**"), "00-AB"},
        {"characters counted, not bytes", util::FormatarMascaraNumerica("é1", "***"), "0é1"},
        {"accented literal", util::FormatarMascaraNumerica("12", "nº **"), "nº 12"},
        {"mask without stars", util::FormatarMascaraNumerica("12", "--"), "--"},
        {"empty mask", util::FormatarMascaraNumerica("12", ""), ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(OvixFormatador, Fone)
{
    const Row rows[] = {
        {"mobile with area code", util::FormatarFone("(11) 98765-4321"), "(11)98765-4321"},
        {"0800 number", util::FormatarFone("08001234567"), "0800-123-4567"},
        {"0800 written with blanks", util::FormatarFone("0800 123 4567", "11"), "0800-123-4567"},
        {"8 digits take the default area code", util::FormatarFone("3456-7890", "11"),
         "(11)3456-7890"},
        {"9 digits take the default area code", util::FormatarFone("98765-4321", "11"),
         "(11)98765-4321"},
        {"only two characters of the default", util::FormatarFone("3456-7890", "119"),
         "(11)3456-7890"},
        {"10 digits ignore the default", util::FormatarFone("1134567890", "21"), "(11)3456-7890"},
        {"8 digits without default", util::FormatarFone("34567890"), "3456-7890"},
        {"9 digits without default", util::FormatarFone("987654321"), "98765-4321"},
        {"short number filled", util::FormatarFone("123"), "0000-0123"},
        {"trunk zero before area code", util::FormatarFone("0 11 3456-7890"), "(11)3456-7890"},
        {"digits 2 to 3 are 00 without a leading zero", util::FormatarFone("3001234567"),
         "(30)0123-4567"},
        {"country and area code, 12 digits", util::FormatarFone("+55 11 3456-7890"),
         "+55(11)3456-7890"},
        {"country and area code, 13 digits", util::FormatarFone("+55 (11) 98765-4321"),
         "+55(11)98765-4321"},
        {"trunk zero after the country code", util::FormatarFone("55 0 11 98765-4321"),
         "+55(11)98765-4321"},
        {"12 digits keep a zero after the country code", util::FormatarFone("550134567890"),
         "+55(01)3456-7890"},
        {"zero", util::FormatarFone("0"), ""},
        {"zeros", util::FormatarFone("000", "11"), ""},
        {"no digits", util::FormatarFone("sem fone", "11"), ""},
        {"empty", util::FormatarFone(""), ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

} // namespace
