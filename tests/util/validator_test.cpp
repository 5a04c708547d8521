#include "util/validator.h"

#include "rtl/classes.h"
#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using util::TOvixCalcDigito;
using util::TOvixValidador;

// ---- Check-digit calculator --------------------------------------------------------

TEST(OvixCalcDigito, WeightsRunFromTheRightAndCycleInEitherDirection)
{
    // A lone '1' at a given distance from the right end shows the weight of that place.
    struct Row {
        const char *name;
        int first;
        int last;
        int current;
        const char *document;
        int sum;
    } rows[] = {
        {"rightmost takes the first weight", 2, 9, 0, "1", 2},
        {"eighth from the right takes the last weight", 2, 9, 0, "10000000", 9},
        {"ninth starts over at the first weight", 2, 9, 0, "100000000", 2},
        {"all places add up", 2, 9, 0, "1111", 2 + 3 + 4 + 5},
        {"downwards: rightmost weighs 9", 9, 2, 0, "1", 9},
        {"downwards: next weighs 8", 9, 2, 0, "10", 8},
        {"downwards: eighth weighs 2", 9, 2, 0, "10000000", 2},
        {"downwards: ninth weighs 9 again", 9, 2, 0, "100000000", 9},
        {"downwards 2 to 1 alternates", 2, 1, 0, "111", 2 + 1 + 2},
        {"current weight inside the range starts", 2, 9, 5, "1", 5},
        {"current weight then cycles", 2, 9, 9, "11", 9 + 2},
        {"current weight beyond the range is ignored", 2, 9, 10, "1", 2},
        {"current weight inside a downward range starts", 9, 2, 4, "11", 4 + 3},
        {"non-digit weighs 0 but takes its weight", 2, 9, 0, "1A", 3},
        {"blank weighs 0 but takes its weight", 2, 9, 0, "1 0", 4},
        {"accented letter takes a single weight", 2, 9, 0, "1é", 3},
        {"CPF weights reach 11", 2, 11, 0, "1000000000", 11},
    };
    for (const auto &row : rows) {
        TOvixCalcDigito calc;
        calc.SetMultiplicadorInicial(row.first);
        calc.SetMultiplicadorFinal(row.last);
        calc.SetMultiplicadorAtual(row.current);
        calc.SetDocumento(row.document);
        calc.Calcular();
        EXPECT_EQ(calc.SomaDigitos(), row.sum) << row.name;
    }
}

TEST(OvixCalcDigito, FormulasTurnTheSumIntoADigit)
{
    struct Row {
        const char *name;
        util::TOvixCalcDigFormula formula;
        int first;
        int last;
        const char *document;
        int sum;
        int remainder;
        int digit;
    } rows[] = {
        {"mod 11: 11 minus the remainder", util::frModulo11, 2, 9, "9", 18, 7, 4},
        {"mod 11: remainder 1 gives 0", util::frModulo11, 2, 9, "6", 12, 1, 0},
        {"mod 11: remainder 0 gives 0", util::frModulo11, 2, 9, "0", 0, 0, 0},
        {"mod 11: remainder 10 gives 1", util::frModulo11, 2, 9, "5", 10, 10, 1},
        {"mod 11: big products stay whole", util::frModulo11, 2, 9, "99", 45, 1, 0},
        {"PIS: 11 minus the remainder", util::frModulo10PIS, 2, 9, "9", 18, 7, 4},
        {"PIS: 10 becomes 0", util::frModulo10PIS, 2, 9, "6", 12, 1, 0},
        {"PIS: 11 becomes 0", util::frModulo10PIS, 2, 9, "0", 0, 0, 0},
        {"mod 10: product 18 counts 1+8", util::frModulo10, 2, 9, "9", 9, 9, 1},
        {"mod 10: product 10 counts 1+0", util::frModulo10, 2, 9, "5", 1, 1, 9},
        {"mod 10: product 9 counts whole", util::frModulo10, 2, 9, "3", 6, 6, 4},
        {"mod 10: remainder 0 gives 0", util::frModulo10, 2, 9, "0", 0, 0, 0},
        {"mod 10: three-figure product counts its first two", util::frModulo10, 12, 12, "9", 1,
         1, 9},
        {"mod 10: card number with weights 2,1", util::frModulo10, 2, 1, "7992739871", 67, 7, 3},
    };
    for (const auto &row : rows) {
        TOvixCalcDigito calc;
        calc.SetFormulaDigito(row.formula);
        calc.SetMultiplicadorInicial(row.first);
        calc.SetMultiplicadorFinal(row.last);
        calc.SetDocumento(row.document);
        calc.Calcular();
        EXPECT_EQ(calc.SomaDigitos(), row.sum) << row.name;
        EXPECT_EQ(calc.ModuloFinal(), row.remainder) << row.name;
        EXPECT_EQ(calc.DigitoFinal(), row.digit) << row.name;
    }
}

TEST(OvixCalcDigito, CalculoPadraoRestoresTheUsualSettingsAndResultsRestartEachTime)
{
    TOvixCalcDigito calc;
    calc.SetMultiplicadorInicial(5);
    calc.SetMultiplicadorFinal(7);
    calc.SetMultiplicadorAtual(6);
    calc.SetFormulaDigito(util::frModulo10);
    calc.CalculoPadrao();
    EXPECT_EQ(calc.MultiplicadorInicial(), 2);
    EXPECT_EQ(calc.MultiplicadorFinal(), 9);
    EXPECT_EQ(calc.MultiplicadorAtual(), 0);
    EXPECT_EQ(calc.FormulaDigito(), util::frModulo11);

    calc.SetDocumento("9");
    calc.Calcular();
    calc.Calcular();
    EXPECT_EQ(calc.SomaDigitos(), 18) << "a second run does not add to the first";
    calc.SetDocumento("");
    calc.Calcular();
    EXPECT_EQ(calc.SomaDigitos(), 0);
    EXPECT_EQ(calc.DigitoFinal(), 0);
}

TEST(OvixCalcDigito, Modulo11)
{
    struct Row {
        const char *name;
        const char *document;
        int first;
        int last;
        const char *digit;
    } rows[] = {
        {"zeros", "000", 2, 9, "0"},
        {"access key of 43 digits", "3524010123456700019155001000000123100000123", 2, 9, "1"},
        {"CNPJ body", "112223330001", 2, 9, "8"},
        {"downward weights", "1", 9, 2, "2"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::Modulo11(row.document, row.first, row.last), row.digit) << row.name;
}

// ---- The validator component -------------------------------------------------------

TEST(OvixValidador, IsAnOwnedComponentWithItsDefaults)
{
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *validador = rtl::TComponent::Create<TOvixValidador>(form.get());
    EXPECT_EQ(validador->Owner(), form.get());
    EXPECT_EQ(validador->ClassName(), "TOvixValidador");
    EXPECT_EQ(validador->IgnorarChar(), "./-");
    EXPECT_EQ(validador->TipoDocto(), util::docCPF);
    EXPECT_EQ(validador->MsgErro(), "");
    EXPECT_FALSE(validador->RaiseExcept());
    EXPECT_FALSE(validador->PermiteVazio());
    EXPECT_FALSE(validador->AjustarTamanho());
    EXPECT_FALSE(validador->ExibeDigitoCorreto());
    EXPECT_EQ(validador->Modulo().MultiplicadorInicial(), 2);
    EXPECT_EQ(validador->Modulo().MultiplicadorFinal(), 9);
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST(OvixValidador, SettingADifferentDocumentForgetsTheLastCheck)
{
    auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
    validador->SetDocumento("123.456.789-09");
    EXPECT_EQ(validador->MsgErro(), "Função Validar não foi chamada");
    EXPECT_EQ(validador->DoctoValidado(), "12345678909");

    EXPECT_TRUE(validador->Validar());
    EXPECT_EQ(validador->MsgErro(), "");
    EXPECT_EQ(validador->DigitoCalculado(), "09");

    validador->SetDocumento("123.456.789-09");
    EXPECT_EQ(validador->MsgErro(), "") << "the same document keeps the result";
    EXPECT_EQ(validador->DigitoCalculado(), "09");

    validador->SetDocumento("52998224725");
    EXPECT_EQ(validador->MsgErro(), "Função Validar não foi chamada");
    EXPECT_EQ(validador->DigitoCalculado(), "");
    EXPECT_EQ(validador->DoctoValidado(), "52998224725");
}

TEST(OvixValidador, LimpaDoctoDropsIgnoredCharactersUpperCasesAndTrims)
{
    struct Row {
        const char *name;
        util::TOvixValTipoDocto kind;
        const char *ignore;
        const char *text;
        const char *expected;
    } rows[] = {
        {"punctuation dropped", util::docCNPJ, "./-", "11.222.333/0001-81", "11222333000181"},
        {"trimmed after dropping", util::docCPF, "./-", "- 123 .", "123"},
        {"inner blanks stay", util::docCPF, "./-", "123 456", "123 456"},
        {"letters upper-cased", util::docPlacaMercosul, "./-", "abc-1d23", "ABC1D23"},
        {"accented letters upper-cased", util::docUF, "", "são", "SÃO"},
        {"own set of ignored characters", util::docCPF, " ", "1 2.3", "12.3"},
        {"accented ignored character", util::docCPF, "é", "1é2", "12"},
        {"e-mail only trimmed", util::docEmail, "./-", " Ana.Silva-1@Mail.com ",
         "Ana.Silva-1@Mail.com"},
    };
    for (const auto &row : rows) {
        auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
        validador->SetTipoDocto(row.kind);
        validador->SetIgnorarChar(row.ignore);
        EXPECT_EQ(validador->LimpaDocto(row.text), row.expected) << row.name;
    }
}

TEST(OvixValidador, ValidarCleansWithTheSettingsInForceWhenItRuns)
{
    auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
    validador->SetDocumento("123 456 789 09");
    validador->SetIgnorarChar(" ");
    EXPECT_TRUE(validador->Validar()) << validador->MsgErro();
    EXPECT_EQ(validador->DoctoValidado(), "12345678909");
}

std::string ValidarIEdeSP(std::string_view ie)
{
    return util::ValidarIE(ie, "SP");
}

TEST(OvixValidador, FreeFunctionsGiveAnEmptyTextOrTheMessage)
{
    const std::string cpfLength = "CPF deve ter 11 dígitos. (Apenas números)";
    const std::string cnpjLength = "CNPJ deve ter 14 dígitos. (Apenas números)";
    const std::string gtinDigits = "Código GTIN inválido, o código GTIN deve conter somente números.";
    const std::string gtinLength =
        "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres.";
    struct Row {
        const char *name;
        std::string (*check)(std::string_view);
        const char *document;
        std::string expected;
    } rows[] = {
        {"CPF with points and dash", util::ValidarCPF, "123.456.789-09", ""},
        {"CPF bare", util::ValidarCPF, "52998224725", ""},
        {"CPF with check digits 00", util::ValidarCPF, "98765432100", ""},
        {"CPF one repeated digit", util::ValidarCPF, "11111111111", "CPF inválido !"},
        {"CPF all zeros", util::ValidarCPF, "000.000.000-00", "CPF inválido !"},
        {"CPF 10 digits", util::ValidarCPF, "1234567890", cpfLength},
        {"CPF 12 digits", util::ValidarCPF, "123456789090", cpfLength},
        {"CPF with a letter", util::ValidarCPF, "1234567890X", cpfLength},
        {"CPF with inner blanks", util::ValidarCPF, "123 456 789 09", cpfLength},
        {"CPF wrong second digit", util::ValidarCPF, "12345678901", "CPF inválido."},
        {"CPF wrong first digit", util::ValidarCPF, "12345678919", "CPF inválido."},
        {"CPF empty", util::ValidarCPF, "", "CPF não pode ser vazio."},
        {"CPF only ignored characters", util::ValidarCPF, " .-. ", "CPF não pode ser vazio."},
        {"CNPJ with points, slash and dash", util::ValidarCNPJ, "11.222.333/0001-81", ""},
        {"CNPJ bare", util::ValidarCNPJ, "12345678000195", ""},
        {"CNPJ fourteen zeros", util::ValidarCNPJ, "00000000000000", "CNPJ inválido."},
        {"CNPJ zeros written out", util::ValidarCNPJ, "00.000.000/0000-00", "CNPJ inválido."},
        {"CNPJ other repeated digit is checked", util::ValidarCNPJ, "11111111111111",
         "CNPJ inválido."},
        {"CNPJ with inner blanks", util::ValidarCNPJ, "11 222 333 0001 81", cnpjLength},
        {"CNPJ 13 digits", util::ValidarCNPJ, "1122233300018", cnpjLength},
        {"CNPJ with a letter", util::ValidarCNPJ, "1122233300018A", cnpjLength},
        {"CNPJ wrong digits", util::ValidarCNPJ, "11222333000180", "CNPJ inválido."},
        {"CNPJ empty", util::ValidarCNPJ, "", "CNPJ não pode ser vazio."},
        {"GTIN-13", util::ValidarGTIN, "7891000315507", ""},
        {"GTIN-13 weighed from its right end", util::ValidarGTIN, "4006381333931", ""},
        {"GTIN-8", util::ValidarGTIN, "12345670", ""},
        {"GTIN-12", util::ValidarGTIN, "123456789012", ""},
        {"GTIN-14", util::ValidarGTIN, "78912345678954", ""},
        {"GTIN with an ignored dash", util::ValidarGTIN, "789-1000315507", ""},
        {"GTIN wrong digit", util::ValidarGTIN, "7891000315508", "Código GTIN inválido."},
        {"GTIN-8 wrong digit", util::ValidarGTIN, "12345678", "Código GTIN inválido."},
        {"GTIN as SEM GTIN", util::ValidarGTIN, "SEM GTIN", gtinDigits},
        {"GTIN 11 digits", util::ValidarGTIN, "12345678901", gtinLength},
        {"GTIN 15 digits", util::ValidarGTIN, "123456789012345", gtinLength},
        {"GTIN empty", util::ValidarGTIN, "", "GTIN não pode ser vazio."},
        {"state registration unchecked", ValidarIEdeSP, "ISENTO", ""},
        {"state registration empty", ValidarIEdeSP, "", "Inscrição Estadual não pode ser vazio."},
        {"GTIN prefix unchecked", util::ValidarPrefixoGTIN, "789", ""},
        {"GTIN prefix empty", util::ValidarPrefixoGTIN, "", "Prefixo do Código GTIN não pode ser vazio."},
        {"CNPJouCPF: 11 digits is a CPF", util::ValidarCNPJouCPF, "123.456.789-09", ""},
        {"CNPJouCPF: 14 digits is a CNPJ", util::ValidarCNPJouCPF, "11.222.333/0001-81", ""},
        {"CNPJouCPF: 12 digits is a CNPJ", util::ValidarCNPJouCPF, "123456789012", cnpjLength},
        {"CNPJouCPF: 10 digits is a CPF", util::ValidarCNPJouCPF, "1234567890", cpfLength},
        {"CNPJouCPF: wrong CNPJ", util::ValidarCNPJouCPF, "11222333000180", "CNPJ inválido."},
        {"CNPJouCPF: letters stay in the CPF check", util::ValidarCNPJouCPF, "AB123456789-09",
         cpfLength},
        {"CNPJouCPF: empty is a CPF", util::ValidarCNPJouCPF, "", "CPF não pode ser vazio."},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.check(row.document), row.expected) << row.name;
}

TEST(OvixValidador, EveryKindNamesItselfWhenEmptyAndKindsWithoutRulesAcceptAnyText)
{
    struct Row {
        const char *name;
        util::TOvixValTipoDocto kind;
        const char *label;
        bool hasRules;
    } rows[] = {
        {"CPF", util::docCPF, "CPF", true},
        {"CNPJ", util::docCNPJ, "CNPJ", true},
        {"UF", util::docUF, "UF", false},
        {"state registration", util::docInscEst, "Inscrição Estadual", false},
        {"cheque", util::docNumCheque, "Número de Cheque", false},
        {"PIS", util::docPIS, "PIS", false},
        {"CEP", util::docCEP, "CEP", false},
        {"card", util::docCartaoCredito, "Número de Cartão", false},
        {"SUFRAMA", util::docSuframa, "SUFRAMA", false},
        {"GTIN", util::docGTIN, "GTIN", true},
        {"Renavam", util::docRenavam, "Renavam", false},
        {"e-mail", util::docEmail, "E-Mail", false},
        {"driving licence", util::docCNH, "Carteira Nacional de Habilitação", false},
        {"GTIN prefix", util::docPrefixoGTIN, "Prefixo do Código GTIN", false},
        {"CAEPF", util::docCAEPF, "CAEPF", false},
        {"plate", util::docPlacaMercosul, "Placa", false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::ValidarDocumento(row.kind, ""), std::string(row.label) + " não pode ser vazio.")
            << row.name;
        if (!row.hasRules) {
            EXPECT_EQ(util::ValidarDocumento(row.kind, "x?1"), "") << row.name;
        }
    }
}

TEST(OvixValidador, ExibeDigitoCorretoAppendsTheComputedDigits)
{
    struct Row {
        const char *name;
        util::TOvixValTipoDocto kind;
        const char *document;
        const char *message;
        const char *digits;
    } rows[] = {
        {"CPF: three points, accented", util::docCPF, "123.456.789-00",
         "CPF inválido... Dígito calculado: 09", "09"},
        {"CNPJ: three points, no accent", util::docCNPJ, "11.222.333/0001-80",
         "CNPJ inválido... Digito calculado: 81", "81"},
        {"GTIN: blank, accented", util::docGTIN, "4006381333937",
         "Código GTIN inválido. Dígito calculado: 1", "1"},
        {"length message has no digits", util::docCPF, "1234", "CPF deve ter 11 dígitos. (Apenas números)",
         ""},
        {"valid CPF keeps its digits", util::docCPF, "52998224725", "", "25"},
        {"valid GTIN keeps its digit", util::docGTIN, "12345670", "", "0"},
    };
    for (const auto &row : rows) {
        auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
        validador->SetExibeDigitoCorreto(true);
        validador->SetTipoDocto(row.kind);
        validador->SetDocumento(row.document);
        EXPECT_EQ(validador->Validar(), std::string(row.message).empty()) << row.name;
        EXPECT_EQ(validador->MsgErro(), row.message) << row.name;
        EXPECT_EQ(validador->DigitoCalculado(), row.digits) << row.name;
    }
}

TEST(OvixValidador, AjustarTamanhoZeroFillsOnTheLeft)
{
    struct Row {
        const char *name;
        util::TOvixValTipoDocto kind;
        bool adjust;
        const char *document;
        const char *message;
        const char *checked;
    } rows[] = {
        {"short CPF filled", util::docCPF, true, "191", "", "00000000191"},
        {"short CPF refused unadjusted", util::docCPF, false, "191",
         "CPF deve ter 11 dígitos. (Apenas números)", "191"},
        {"long CPF keeps its first 11", util::docCPF, true, "123456789099", "", "12345678909"},
        {"short CNPJ filled", util::docCNPJ, true, "191", "", "00000000000191"},
        {"short CNPJ refused unadjusted", util::docCNPJ, false, "191",
         "CNPJ deve ter 14 dígitos. (Apenas números)", "191"},
        {"GTIN never filled", util::docGTIN, true, "1234570",
         "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres.", "1234570"},
    };
    for (const auto &row : rows) {
        auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
        validador->SetAjustarTamanho(row.adjust);
        validador->SetTipoDocto(row.kind);
        validador->SetDocumento(row.document);
        validador->Validar();
        EXPECT_EQ(validador->MsgErro(), row.message) << row.name;
        EXPECT_EQ(validador->DoctoValidado(), row.checked) << row.name;
    }
}

TEST(OvixValidador, FailedChecksReachTheEventThenRaiseWhenAsked)
{
    auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
    std::vector<std::string> heard;
    validador->SetOnMsgErro([&heard](const std::string &msg) { heard.push_back(msg); });

    validador->SetDocumento("52998224725");
    EXPECT_TRUE(validador->Validar());
    EXPECT_TRUE(heard.empty()) << "a valid document is not reported";

    validador->SetDocumento("52998224700");
    EXPECT_FALSE(validador->Validar());
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard.back(), "CPF inválido.");

    validador->SetRaiseExcept(true);
    try {
        validador->Validar();
        ADD_FAILURE() << "an invalid document must raise";
    } catch (const rtl::Exception &e) {
        EXPECT_EQ(e.Message(), "CPF inválido.");
    }
    EXPECT_EQ(heard.size(), 2u) << "the event hears it before the exception";

    validador->SetDocumento("");
    validador->SetPermiteVazio(true);
    EXPECT_TRUE(validador->Validar()) << "an allowed empty document does not raise";
    EXPECT_EQ(validador->MsgErro(), "");
}

TEST(OvixValidador, AKindOutsideTheEnumerationRaisesWhateverRaiseExcept)
{
    const auto unknown = static_cast<util::TOvixValTipoDocto>(util::docPlacaMercosul + 1);
    for (const char *document : {"123", ""}) {
        auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
        validador->SetTipoDocto(unknown);
        validador->SetDocumento(document);
        try {
            validador->Validar();
            ADD_FAILURE() << "document '" << document << "'";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), "Tipo de documento informado inválido!") << document;
        }
    }
}

} // namespace
