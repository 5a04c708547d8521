#include "nfe/codes.h"

#include "dfe/codes.h"
#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace nfe;
using dfe_test::ReadCode;

TEST(NFeCodeTables, EveryTableBothWays)
{
    dfe_test::ExpectCodeTable("finNFe", FinNFeToStr, StrToFinNFe,
                              {{fnNormal, "1"}, {fnComplementar, "2"}, {fnAjuste, "3"}, {fnDevolucao, "4"}});
    dfe_test::ExpectCodeTable("mod", ModeloDFToStr, StrToModeloDF, {{moNFe, "55"}, {moNFCe, "65"}});
    dfe_test::ExpectCodeTable("tpOp", tpOPToStr, StrTotpOP,
                              {{toVendaConcessionaria, "1"}, {toFaturamentoDireto, "2"}, {toVendaDireta, "3"},
                               {toOutros, "0"}});
    dfe_test::ExpectCodeTable("condVeic", condVeicToStr, StrTocondVeic,
                              {{cvAcabado, "1"}, {cvInacabado, "2"}, {cvSemiAcabado, "3"}});
    dfe_test::ExpectCodeTable("tpArma", tpArmaToStr, StrTotpArma, {{taUsoPermitido, "0"}, {taUsoRestrito, "1"}});
    dfe_test::ExpectCodeTable("indEscala", IndEscalaToStr, StrToIndEscala,
                              {{ieRelevante, "S"}, {ieNaoRelevante, "N"}, {ieNenhum, ""}});
    dfe_test::ExpectCodeTable("modFrete", modFreteToStr, StrTomodFrete,
                              {{mfContaEmitente, "0"}, {mfContaDestinatario, "1"}, {mfContaTerceiros, "2"},
                               {mfProprioRemetente, "3"}, {mfProprioDestinatario, "4"}, {mfSemFrete, "9"}});
    dfe_test::ExpectCodeTables("service", LayOutToServico, ServicoToLayOut, LayNFCeEPEC,
                               {{LayNfeRecepcao, "NfeRecepcao"},
                                {LayNfeRetRecepcao, "NfeRetRecepcao"},
                                {LayNfeCancelamento, "NfeCancelamento"},
                                {LayNfeInutilizacao, "NfeInutilizacao"},
                                {LayNfeConsulta, "NfeConsultaProtocolo"},
                                {LayNfeStatusServico, "NfeStatusServico"},
                                {LayNfeCadastro, "NfeConsultaCadastro"},
                                {LayNFeCCe, "RecepcaoEvento"},
                                {LayNFeEvento, "RecepcaoEvento"},
                                {LayNFeEventoAN, "RecepcaoEvento"},
                                {LayNFeConsNFeDest, "NfeConsultaDest"},
                                {LayNFeDownloadNFe, "NfeDownloadNF"},
                                {LayNfeAutorizacao, "NfeAutorizacao"},
                                {LayNfeRetAutorizacao, "NfeRetAutorizacao"},
                                {LayAdministrarCSCNFCe, "AdministrarCSCNFCe"},
                                {LayDistDFeInt, "NFeDistribuicaoDFe"},
                                {LayNFCeEPEC, "EventoEPEC"}});
    dfe_test::ExpectReadTable<dfe::TpcnTpEvento>("NF-e event type", StrToTpEventoNFe,
                                                 {{dfe::teNaoMapeado, "-99999"},
                                                  {dfe::teCCe, "110110"},
                                                  {dfe::teCancelamento, "110111"},
                                                  {dfe::teCancSubst, "110112"},
                                                  {dfe::teEPECNFe, "110140"},
                                                  {dfe::tePedProrrog1, "111500"},
                                                  {dfe::tePedProrrog2, "111501"},
                                                  {dfe::teCanPedProrrog1, "111502"},
                                                  {dfe::teCanPedProrrog2, "111503"},
                                                  {dfe::teManifDestConfirmacao, "210200"},
                                                  {dfe::teManifDestCiencia, "210210"},
                                                  {dfe::teManifDestDesconhecimento, "210220"},
                                                  {dfe::teManifDestOperNaoRealizada, "210240"},
                                                  {dfe::teRegistroCTe, "610600"},
                                                  {dfe::teMDFeAutorizadoComCTe, "610614"},
                                                  {dfe::teAverbacaoExportacao, "790700"},
                                                  {dfe::teVistoriaSuframa, "990900"},
                                                  {dfe::teConfInternalizacao, "990910"}});
}

TEST(NFeCodeTables, OneWayCodesAndPrintedTexts)
{
    dfe_test::ExpectTextTable("versao", VersaoDFToStr, ve400,
                              {{ve200, "2.00"}, {ve300, "3.00"}, {ve310, "3.10"}, {ve400, "4.00"}});
    dfe_test::ExpectTextTable("QR Code version", VersaoQrCodeToStr, veqr200,
                              {{veqr000, "0"}, {veqr100, "1"}, {veqr200, "2"}});
    dfe_test::ExpectTextTable("family prefix", ModeloDFToPrefixo, moNFCe, {{moNFe, "NFe"}, {moNFCe, "NFCe"}});
    dfe_test::ExpectTextTable("tpOp printed", VeiculosTipoOperStr, toOutros,
                              {{toVendaConcessionaria, "1-VENDA CONCESSIONÁRIA"},
                               {toFaturamentoDireto, "2-FAT. DIRETO CONS. FINAL"},
                               {toVendaDireta, "3-VENDA DIRETA"},
                               {toOutros, "0-OUTROS"}});
    dfe_test::ExpectTextTable("condVeic printed", VeiculosCondicaoStr, cvSemiAcabado,
                              {{cvAcabado, "1-ACABADO"}, {cvInacabado, "2-INACABADO"}, {cvSemiAcabado, "3-SEMI-ACABADO"}});
    dfe_test::ExpectTextTable("tpArma printed", ArmaTipoStr, taUsoRestrito,
                              {{taUsoPermitido, "0-USO PERMITIDO"}, {taUsoRestrito, "1-USO RESTRITO"}});
    dfe_test::ExpectTextTable("schema event code", SchemaEventoToStr, schManifDestOperNaoRealizada,
                              {{schEnvCCe, "e110110"},
                               {schcancNFe, "e110111"},
                               {schCancSubst, "e110112"},
                               {schEnvEPEC, "e110140"},
                               {schPedProrrog1, "e111500"},
                               {schPedProrrog2, "e111501"},
                               {schCanPedProrrog1, "e111502"},
                               {schCanPedProrrog2, "e111503"},
                               {schManifDestConfirmacao, "e210200"},
                               {schManifDestCiencia, "e210210"},
                               {schManifDestDesconhecimento, "e210220"},
                               {schManifDestOperNaoRealizada, "e210240"}});
}

TEST(NFeCodeTables, FreightTextDependsOnTheLayoutVersion)
{
    const dfe_test::Rows<TpcnModalidadeFrete> older = {
        {mfContaEmitente, "0 - EMITENTE"},      {mfContaDestinatario, "1 - DEST/REM"},
        {mfContaTerceiros, "2 - TERCEIROS"},    {mfProprioRemetente, "3 - PROP/REMT"},
        {mfProprioDestinatario, "4 - PROP/DEST"}, {mfSemFrete, "9 - SEM FRETE"}};
    const dfe_test::Rows<TpcnModalidadeFrete> v400 = {
        {mfContaEmitente, "0 - REMETENTE"},     {mfContaDestinatario, "1 - DESTINATARIO"},
        {mfContaTerceiros, "2 - TERCEIROS"},    {mfProprioRemetente, "3 - PROP/REMT"},
        {mfProprioDestinatario, "4 - PROP/DEST"}, {mfSemFrete, "9 - SEM FRETE"}};
    for (const TpcnVersaoDF versao : {ve200, ve300, ve310, ve400})
        for (int ordinal = mfContaEmitente; ordinal <= mfSemFrete; ++ordinal) {
            const auto mode = static_cast<TpcnModalidadeFrete>(ordinal);
            EXPECT_EQ(modFreteToDesStr(mode, versao),
                      dfe_test::ExpectedText<TpcnModalidadeFrete>(versao == ve400 ? v400 : older, mode))
                << "version " << VersaoDFToStr(versao) << ", ordinal " << ordinal;
        }
}

TEST(NFeCodeTables, RuleCornerCases)
{
    dfe_test::ExpectReads({
        {"NFC-e model", ReadCode(StrToModeloDF, "65"), {moNFCe, 1}},
        {"a CT-e model is no NF-e model", ReadCode(StrToModeloDF, "57"), {moNFe, 0}},
        {"empty scale indicator is a code", ReadCode(StrToIndEscala, ""), {ieNenhum, 1}},
        {"scale indicator ignores case", ReadCode(StrToIndEscala, "s"), {ieRelevante, 1}},
        {"shared service name: the last operation", ReadCode(ServicoToLayOut, "RecepcaoEvento"), {LayNFeEventoAN, 1}},
        {"service name ignores case", ReadCode(ServicoToLayOut, "recepcaoevento"), {LayNFeEventoAN, 1}},
        {"cancellation event", ReadCode(StrToTpEventoNFe, "110111"), {dfe::teCancelamento, 1}},
        {"manifestation event", ReadCode(StrToTpEventoNFe, "210200"), {dfe::teManifDestConfirmacao, 1}},
        {"event of no NF-e", ReadCode(StrToTpEventoNFe, "999999"), {dfe::teNaoMapeado, 0}},
        {"a CT-e event is not the NF-e's", ReadCode(StrToTpEventoNFe, "110113"), {dfe::teNaoMapeado, 0}},
    });
}

TEST(NFeCodeTables, VersionNumbers)
{
    struct Case {
        const char *name;
        double number;
        TpcnVersaoDF versao;
    };
    const Case cases[] = {
        {"below every layout", 1.1, ve200},
        {"zero", 0.0, ve200},
        {"negative", -4.0, ve200},
        {"2.00", 2.0, ve200},
        {"2.50", 2.5, ve200},
        {"just below 3.0", std::nextafter(3.0, 0.0), ve200},
        {"3.00", 3.0, ve300},
        {"3.05", 3.05, ve300},
        {"the double just below the one read from 3.10", std::nextafter(3.1, 0.0), ve300},
        {"3.10 as read from a file", 3.10, ve310},
        {"3.99", 3.99, ve310},
        {"4.00", 4.0, ve400},
        {"4.10", 4.1, ve400},
        {"far above", 99.0, ve400},
        {"NaN reads as the oldest", std::numeric_limits<double>::quiet_NaN(), ve200},
    };
    for (const Case &c : cases) {
        bool ok = false;
        EXPECT_EQ(DblToVersaoDF(ok, c.number), c.versao) << c.name;
        EXPECT_TRUE(ok) << c.name;
    }

    struct Number {
        const char *name;
        double got;
        double expected;
    };
    const Number numbers[] = {
        {"ve200", VersaoDFToDbl(ve200), 2.0},     {"ve300", VersaoDFToDbl(ve300), 3.0},
        {"ve310", VersaoDFToDbl(ve310), 3.1},     {"ve400", VersaoDFToDbl(ve400), 4.0},
        {"veqr000", VersaoQrCodeToDbl(veqr000), 0}, {"veqr100", VersaoQrCodeToDbl(veqr100), 1},
        {"veqr200", VersaoQrCodeToDbl(veqr200), 2},
    };
    for (const Number &n : numbers)
        EXPECT_EQ(n.got, n.expected) << n.name;
    for (const TpcnVersaoDF v : {ve200, ve300, ve310, ve400}) {
        bool ok = false;
        EXPECT_EQ(DblToVersaoDF(ok, VersaoDFToDbl(v)), v) << "round trip of " << VersaoDFToStr(v);
    }
}

TEST(NFeCodeTables, SchemasOfTheOperations)
{
    // Every schema's name, in declared order; the text is the name without "sch".
    const char *const names[] = {
        "schErro", "schNfe", "schcancNFe", "schInutNFe", "schEnvCCe", "schEnvEventoCancNFe", "schEnvConfRecebto",
        "schEnvEPEC", "schconsReciNFe", "schconsSitNFe", "schconsStatServ", "schconsCad", "schenvEvento",
        "schconsNFeDest", "schdownloadNFe", "schretEnviNFe", "schadmCscNFCe", "schdistDFeInt", "scheventoEPEC",
        "schCancSubst", "schPedProrrog1", "schPedProrrog2", "schCanPedProrrog1", "schCanPedProrrog2",
        "schManifDestConfirmacao", "schManifDestCiencia", "schManifDestDesconhecimento",
        "schManifDestOperNaoRealizada"};
    static_assert(std::size(names) == schManifDestOperNaoRealizada + 1);
    for (std::size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(SchemaNFeToStr(static_cast<TSchemaNFe>(i)), std::string(names[i]).substr(3)) << names[i];
    EXPECT_EQ(SchemaNFeToStr(static_cast<TSchemaNFe>(schManifDestOperNaoRealizada + 1)), "");

    struct Case {
        const char *name;
        TLayOut layOut;
        TSchemaNFe schema;
    };
    const Case cases[] = {
        {"reception", LayNfeRecepcao, schNfe},
        {"receipt query", LayNfeRetRecepcao, schconsReciNFe},
        {"cancellation", LayNfeCancelamento, schcancNFe},
        {"number voiding", LayNfeInutilizacao, schInutNFe},
        {"status query", LayNfeConsulta, schconsSitNFe},
        {"service status", LayNfeStatusServico, schconsStatServ},
        {"registry query", LayNfeCadastro, schconsCad},
        {"correction letter", LayNFeCCe, schenvEvento},
        {"event", LayNFeEvento, schenvEvento},
        {"national event", LayNFeEventoAN, schenvEvento},
        {"recipient query", LayNFeConsNFeDest, schconsNFeDest},
        {"download", LayNFeDownloadNFe, schdownloadNFe},
        {"authorization", LayNfeAutorizacao, schNfe},
        {"authorization answer", LayNfeRetAutorizacao, schretEnviNFe},
        {"security code", LayAdministrarCSCNFCe, schadmCscNFCe},
        {"distribution", LayDistDFeInt, schdistDFeInt},
        {"NFC-e EPEC", LayNFCeEPEC, scheventoEPEC},
        {"outside the enumeration", static_cast<TLayOut>(LayNFCeEPEC + 1), schErro},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LayOutToSchema(c.layOut), c.schema) << c.name;
}

TEST(NFeCodeTables, EventParserIsRegisteredUnderNFe)
{
    const auto registered = [] {
        return std::count_if(dfe::StrToTpEventoDFeList().begin(), dfe::StrToTpEventoDFeList().end(),
                             [](const dfe::TStrToTpEventoDFe &e) { return e.NomeDFe == "NFE"; });
    };
    RegistrarConversaoNFe();
    RegistrarConversaoNFe(); // a second call changes nothing
    ASSERT_EQ(registered(), 1);

    bool ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110111", "NFe"), dfe::teCancelamento);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110112", "nfe"), dfe::teCancSubst) << "the family's own reading of 110112";
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110113", "NFE"), dfe::teNaoMapeado);
    EXPECT_FALSE(ok);
}

// ---- Vehicle texts ------------------------------------------------------------------------

struct IntText {
    int code;
    const char *text;
};

// The expected text of an integer code by the rule: the listed text, else the number
// followed directly by the fall-back word.
template <std::size_t N>
std::string Expected(const IntText (&rows)[N], int code, const char *undefined)
{
    for (const IntText &row : rows)
        if (row.code == code)
            return row.text;
    return std::to_string(code) + undefined;
}

constexpr IntText kRestricao[] = {
    {0, "0-NÃO HÁ"},
    {1, "1-ALIENAÇÃO FIDUCIÁRIA"},
    {2, "2-RESERVA DE DOMICÍLIO"},
    {3, "3-RESERVA DE DOMÍNIO"},
    {4, "4-PENHOR DE VEÍCULOS"},
    {9, "9-OUTRAS"},
};

constexpr IntText kEspecie[] = {
    {1, "01-PASSAGEIRO"}, {2, "02-CARGA"},    {3, "03-MISTO"},   {4, "04-CORRIDA"},
    {5, "05-TRAÇÃO"},     {6, "06-ESPECIAL"}, {7, "07-COLEÇÃO"},
};

constexpr IntText kTipo[] = {
    {1, "01-BICICLETA"},         {2, "02-CICLOMOTOR"},       {3, "03-MOTONETA"},
    {4, "04-MOTOCICLETA"},       {5, "05-TRICICLO"},         {6, "06-AUTOMÓVEL"},
    {7, "07-MICROONIBUS"},       {8, "08-ONIBUS"},           {9, "09-BONDE"},
    {10, "10-REBOQUE"},          {11, "11-SEMI-REBOQUE"},    {12, "12-CHARRETE"},
    {13, "13-CAMIONETA"},        {14, "14-CAMINHÃO"},        {15, "15-CARROÇA"},
    {16, "16-CARRO DE MÃO"},     {17, "17-CAMINHÃO TRATOR"}, {18, "18-TRATOR DE RODAS"},
    {19, "19-TRATOR DE ESTEIRAS"}, {20, "20-TRATOR MISTO"},  {21, "21-QUADRICICLO"},
    {22, "22-CHASSI/PLATAFORMA"}, {23, "23-CAMINHONETE"},    {24, "24-SIDE-CAR"},
    {25, "25-UTILITÁRIO"},       {26, "26-MOTOR-CASA"},
};

constexpr IntText kCor[] = {
    {1, "01-AMARELO"}, {2, "02-AZUL"},    {3, "03-BEGE"},    {4, "04-BRANCA"},   {5, "05-CINZA"},
    {6, "06-DOURADA"}, {7, "07-GRENÁ"},   {8, "08-LARANJA"}, {9, "09-MARROM"},   {10, "10-PRATA"},
    {11, "11-PRETA"},  {12, "12-ROSA"},   {13, "13-ROXA"},   {14, "14-VERDE"},   {15, "15-VERMELHA"},
    {16, "16-FANTASIA"},
};

constexpr IntText kCombustivel[] = {
    {1, "01-ÁLCOOL"},           {2, "02-GASOLINA"},           {3, "03-DIESEL"},
    {4, "04-GASOGÊNIO"},        {5, "05-GÁS METANO"},         {6, "06-ELETRICO/F INTERNA"},
    {7, "07-ELETRICO/F EXTERNA"}, {8, "08-GASOLINA/GNC"},     {9, "09-ÁLCOOL/GNC"},
    {10, "10-DIESEL / GNC"},    {11, "11-VIDE CAMPO OBSERVAÇÃO"}, {12, "12-ÁLCOOL/GNV"},
    {13, "13-GASOLINA/GNV"},    {14, "14-DIESEL/GNV"},        {15, "15-GÁS NATURAL VEICULAR"},
    {16, "16-ÁLCOOL/GASOLINA"}, {17, "17-GASOLINA/ÁLCOOL/GNV"}, {18, "18-GASOLINA/ELÉTRICO"},
};

TEST(NFeVehicleTexts, IntegerCodesOverTheirWholeRange)
{
    for (int code = -2; code <= 30; ++code) {
        EXPECT_EQ(VeiculosRestricaoStr(code), Expected(kRestricao, code, "NÃO DEFINIDO")) << "tpRest " << code;
        EXPECT_EQ(VeiculosEspecieStr(code), Expected(kEspecie, code, "NÃO DEFINIDA")) << "espVeic " << code;
        EXPECT_EQ(VeiculosTipoStr(code), Expected(kTipo, code, "NÃO DEFINIDO")) << "tpVeic " << code;
    }
}

TEST(NFeVehicleTexts, TextCodesReadAsNumbersFallBackOnTheirOwnText)
{
    for (int code = 0; code <= 20; ++code) {
        const std::string text = std::to_string(code);
        EXPECT_EQ(VeiculosCorDENATRANStr(text), Expected(kCor, code, "NÃO DEFINIDA")) << "colour " << code;
        EXPECT_EQ(VeiculosCombustivelStr(text), Expected(kCombustivel, code, "NÃO DEFINIDO")) << "fuel " << code;
    }
    dfe_test::ExpectWrites({
        {"colour with a leading zero", VeiculosCorDENATRANStr("07"), "07-GRENÁ"},
        {"colour beyond the list keeps its text", VeiculosCorDENATRANStr("017"), "017NÃO DEFINIDA"},
        {"empty colour", VeiculosCorDENATRANStr(""), "NÃO DEFINIDA"},
        {"colour that is no number", VeiculosCorDENATRANStr("azul"), "azulNÃO DEFINIDA"},
        {"colour with a decimal point is no whole number", VeiculosCorDENATRANStr("1.0"), "1.0NÃO DEFINIDA"},
        {"fuel with a leading zero", VeiculosCombustivelStr("02"), "02-GASOLINA"},
        {"empty fuel", VeiculosCombustivelStr(""), "NÃO DEFINIDO"},
        {"fuel that is no number", VeiculosCombustivelStr("GNV"), "GNVNÃO DEFINIDO"},
        {"negative fuel", VeiculosCombustivelStr("-1"), "-1NÃO DEFINIDO"},
    });
}

TEST(NFeVehicleTexts, VinConditionCountsLetterCase)
{
    dfe_test::ExpectWrites({
        {"remarked", VeiculosVinStr("R"), "R-REMARCADO"},
        {"normal", VeiculosVinStr("N"), "N-NORMAL"},
        {"lower-case r", VeiculosVinStr("r"), "NÃO DEFINIDA"},
        {"lower-case n", VeiculosVinStr("n"), "NÃO DEFINIDA"},
        {"empty", VeiculosVinStr(""), "NÃO DEFINIDA"},
        {"with a blank", VeiculosVinStr("R "), "NÃO DEFINIDA"},
        {"longer", VeiculosVinStr("RN"), "NÃO DEFINIDA"},
    });
}

} // namespace
