#include "cte/codes.h"

#include "dfe/codes.h"
#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

namespace {

using namespace cte;
using dfe_test::ReadCode;

TEST(CTeCodeTables, EveryTableBothWays)
{
    dfe_test::ExpectCodeTable("versao", VersaoCTeToStr, StrToVersaoCTe, {{ve200, "2.00"}, {ve300, "3.00"}});
    dfe_test::ExpectCodeTable("mod", ModeloCTeToStr, StrToModeloCTe, {{moCTe, "57"}, {moCTeOS, "67"}});
    dfe_test::ExpectCodeTable("tpCTe", tpCTePagToStr, StrTotpCTe,
                              {{tcNormal, "0"}, {tcComplemento, "1"}, {tcAnulacao, "2"}, {tcSubstituto, "3"}});
    dfe_test::ExpectCodeTable("forPag", tpforPagToStr, StrTotpforPag, {{fpPago, "0"}, {fpAPagar, "1"}, {fpOutros, "2"}});
    dfe_test::ExpectCodeTable("tpServ", TpServPagToStr, StrToTpServ,
                              {{tsNormal, "0"}, {tsSubcontratacao, "1"}, {tsRedespacho, "2"}, {tsIntermediario, "3"},
                               {tsMultimodal, "4"}, {tsTranspPessoas, "6"}, {tsTranspValores, "7"},
                               {tsExcessoBagagem, "8"}});
    dfe_test::ExpectCodeTable("retira", TpRetiraPagToStr, StrToTpRetira, {{rtSim, "0"}, {rtNao, "1"}});
    dfe_test::ExpectCodeTable("toma", TpTomadorToStr, StrToTpTomador,
                              {{tmRemetente, "0"}, {tmExpedidor, "1"}, {tmRecebedor, "2"}, {tmDestinatario, "3"},
                               {tmOutros, "4"}});
    dfe_test::ExpectCodeTable("lota", TpLotacaoToStr, StrToTpLotacao, {{ltNao, "0"}, {ltSim, "1"}});
    dfe_test::ExpectCodeTable("direc", TpDirecaoToStr, StrToTpDirecao,
                              {{drNorte, "N"}, {drLeste, "L"}, {drSul, "S"}, {drOeste, "O"}});
    dfe_test::ExpectCodeTable("tpTraf", TpTrafegoToStr, StrToTpTrafego,
                              {{ttProprio, "0"}, {ttMutuo, "1"}, {ttRodoferroviario, "2"}, {ttRodoviario, "3"}});
    dfe_test::ExpectCodeTable("tpPer", TpDataPeriodoToStr, StrToTpDataPeriodo,
                              {{tdSemData, "0"}, {tdNaData, "1"}, {tdAteData, "2"}, {tdApartirData, "3"},
                               {tdNoPeriodo, "4"}, {tdNaoInformado, "N"}});
    dfe_test::ExpectCodeTable("tpHor", TpHorarioIntervaloToStr, StrToTpHorarioIntervalo,
                              {{thSemHorario, "0"}, {thNoHorario, "1"}, {thAteHorario, "2"}, {thApartirHorario, "3"},
                               {thNoIntervalo, "4"}, {thNaoInformado, "N"}});
    dfe_test::ExpectCodeTable("tpDoc of infOutros", TpDocumentoToStr, StrToTpDocumento,
                              {{tdDeclaracao, "00"}, {tdDutoviario, "10"}, {tdCFeSAT, "59"}, {tdNFCe, "65"},
                               {tdOutros, "99"}});
    dfe_test::ExpectCodeTable("tpDoc of idDocAntPap", TpDocumentoAnteriorToStr, StrToTpDocumentoAnterior,
                              {{daCTRC, "00"}, {daCTAC, "01"}, {daACT, "02"}, {daNF7, "03"}, {daNF27, "04"},
                               {daCAN, "05"}, {daCTMC, "06"}, {daATRE, "07"}, {daDTA, "08"}, {daCAI, "09"},
                               {daCCPI, "10"}, {daCA, "11"}, {daTIF, "12"}, {daBL, "13"}, {daOutros, "99"}});
    dfe_test::ExpectCodeTable("tpProp", TpPropriedadeToStr, StrToTpPropriedade, {{tpProprio, "P"}, {tpTerceiro, "T"}});
    dfe_test::ExpectCodeTable("respFat", TrafegoMutuoToStr, StrToTrafegoMutuo, {{tmOrigem, "1"}, {tmDestino, "2"}});
    dfe_test::ExpectCodeTable("indNegociavel", indNegociavelToStr, StrToindNegociavel,
                              {{inNaoNegociavel, "0"}, {inNegociavel, "1"}});
    dfe_test::ExpectCodeTable("tpVeic", TpVeiculoToStr, StrToTpVeiculo, {{tvTracao, "0"}, {tvReboque, "1"}});
    dfe_test::ExpectCodeTable("respSeg", TpRspSeguroToStr, StrToTpRspSeguro,
                              {{rsRemetente, "0"}, {rsExpedidor, "1"}, {rsRecebedor, "2"}, {rsDestinatario, "3"},
                               {rsEmitenteCTe, "4"}, {rsTomadorServico, "5"}});
    dfe_test::ExpectCodeTable("cInfManu", TpInfManuToStr, StrToTpInfManu,
                              {{imCEEAV, "01"}, {imAPCDEA, "02"}, {imSAC, "03"}, {imAPDENR, "04"}, {imAPQI, "05"},
                               {imGSR, "06"}, {imNR, "07"}, {imAPCC, "08"}, {imAAGA, "09"}, {imPI965, "10"},
                               {imPI966, "11"}, {imPI967, "12"}, {imPI968, "13"}, {imPI969, "14"},
                               {imPI970, "15"}, {imOUTRO, "99"}});
    // The older layout lists no code for the six special provisions.
    dfe_test::ExpectCodeTables("cInfManu 2.00", TpInfManuToStrV2, StrToTpInfManuV2, imOUTRO,
                               {{imCEEAV, "1"}, {imAPCDEA, "2"}, {imSAC, "3"}, {imAPDENR, "4"}, {imAPQI, "5"},
                                {imGSR, "6"}, {imNR, "7"}, {imAPCC, "8"}, {imAAGA, "9"}, {imOUTRO, "99"}});
    dfe_test::ExpectCodeTable("uniAP", UniMedToStr, StrToUniMed,
                              {{umKG, "1"}, {umKGG, "2"}, {umLitros, "3"}, {umTI, "4"}, {umUnidades, "5"}});
    dfe_test::ExpectCodeTable("tpFretamento", TpFretamentoToStr, StrToTpFretamento,
                              {{tfNenhum, ""}, {tfEventual, "1"}, {tpContinuo, "2"}});
    dfe_test::ExpectCodeTable("species", TEspecieToStr, StrToTEspecie,
                              {{teNumerario, "1"}, {teCheque, "2"}, {teMoeda, "3"}, {teOutros, "4"}});
    dfe_test::ExpectCodeTable("service", LayOutToServico, ServicoToLayOut,
                              {{LayCTeRecepcao, "CTeRecepcao"},
                               {LayCTeRetRecepcao, "CTeRetRecepcao"},
                               {LayCTeCancelamento, "CTeCancelamento"},
                               {LayCTeInutilizacao, "CTeInutilizacao"},
                               {LayCTeConsulta, "CTeConsultaProtocolo"},
                               {LayCTeStatusServico, "CTeStatusServico"},
                               {LayCTeCadastro, "CTeConsultaCadastro"},
                               {LayCTeEvento, "RecepcaoEvento"},
                               {LayCTeEventoAN, "RecepcaoEventoAN"},
                               {LayCTeDistDFeInt, "CTeDistribuicaoDFe"},
                               {LayCTeRecepcaoOS, "CTeRecepcaoOS"},
                               {LayCTeRecepcaoSinc, "CTeRecepcaoSinc"}});
    dfe_test::ExpectReadTable<dfe::TpcnTpEvento>("CT-e event type", StrToTpEventoCTe,
                                                 {{dfe::teNaoMapeado, "-99999"},
                                                  {dfe::teCCe, "110110"},
                                                  {dfe::teCancelamento, "110111"},
                                                  {dfe::teEPEC, "110113"},
                                                  {dfe::teMultiModal, "110160"},
                                                  {dfe::teGTV, "110170"},
                                                  {dfe::teComprEntrega, "110180"},
                                                  {dfe::teCancComprEntrega, "110181"},
                                                  {dfe::tePrestDesacordo, "610110"},
                                                  {dfe::teMDFeAutorizado2, "310610"}});
}

TEST(CTeCodeTables, PrintedTexts)
{
    dfe_test::ExpectTextTable("tpCTe printed", tpCTToStrText, tcSubstituto,
                              {{tcNormal, "NORMAL"}, {tcComplemento, "COMPLEMENTO"}, {tcAnulacao, "ANULAÇÃO"},
                               {tcSubstituto, "SUBSTITUTO"}});
    dfe_test::ExpectTextTable("forPag printed", tpforPagToStrText, fpOutros,
                              {{fpPago, "PAGO"}, {fpAPagar, "A PAGAR"}, {fpOutros, "OUTROS"}});
    dfe_test::ExpectTextTable("tpServ printed", TpServToStrText, tsExcessoBagagem,
                              {{tsNormal, "NORMAL"},
                               {tsSubcontratacao, "SUBCONTRATAÇÃO"},
                               {tsRedespacho, "REDESPACHO"},
                               {tsIntermediario, "REDESP. INTERMEDIÁRIO"},
                               {tsMultimodal, "VINC. A MULTIMODAL"},
                               {tsTranspPessoas, "TRANSP. PESSOAS"},
                               {tsTranspValores, "TRANSP. VALORES"},
                               {tsExcessoBagagem, "EXCESSO BAGAGEM"}});
    dfe_test::ExpectTextTable("toma printed", TpTomadorToStrText, tmOutros,
                              {{tmRemetente, "REMETENTE"}, {tmExpedidor, "EXPEDIDOR"}, {tmRecebedor, "RECEBEDOR"},
                               {tmDestinatario, "DESTINATARIO"}, {tmOutros, "OUTROS"}});
    dfe_test::ExpectTextTable("respSeg printed", TpRspSeguroToStrText, rsTomadorServico,
                              {{rsRemetente, "REMETENTE"}, {rsExpedidor, "EXPEDIDOR"}, {rsRecebedor, "RECEBEDOR"},
                               {rsDestinatario, "DESTINATARIO"}, {rsEmitenteCTe, "EMITENTE"},
                               {rsTomadorServico, "TOMADOR SERVICO"}});

    // A value outside its enumeration has neither code nor text.
    dfe_test::ExpectWrites({
        {"respSeg code beyond the last", TpRspSeguroToStr(static_cast<TpcteRspSeg>(rsTomadorServico + 1)), ""},
        {"respSeg text beyond the last", TpRspSeguroToStrText(static_cast<TpcteRspSeg>(rsTomadorServico + 1)), ""},
    });
}

TEST(CTeCodeTables, RuleCornerCases)
{
    dfe_test::ExpectReads({
        {"withdrawn service code", ReadCode(StrToTpServ, "5"), {tsNormal, 0}},
        {"passenger transport", ReadCode(StrToTpServ, "6"), {tsTranspPessoas, 1}},
        {"date kind in lower case", ReadCode(StrToTpDataPeriodo, "n"), {tdNaoInformado, 1}},
        {"time kind in lower case", ReadCode(StrToTpHorarioIntervalo, "n"), {thNaoInformado, 1}},
        {"absent charter kind", ReadCode(StrToTpFretamento, ""), {tfNenhum, 1}},
        {"an empty code is no direction", ReadCode(StrToTpDirecao, ""), {drNorte, 0}},
        {"3.00 handling code in a 2.00 document", ReadCode(StrToTpInfManuV2, "10"), {imCEEAV, 0}},
        {"2.00 handling code in a 3.00 document", ReadCode(StrToTpInfManu, "1"), {imCEEAV, 0}},
        {"direction in lower case", ReadCode(StrToTpDirecao, "o"), {drOeste, 1}},
        {"owner in lower case", ReadCode(StrToTpPropriedade, "t"), {tpTerceiro, 1}},
        {"an NF-e model is no CT-e model", ReadCode(StrToModeloCTe, "55"), {moCTe, 0}},
        {"national event service", ReadCode(ServicoToLayOut, "recepcaoeventoan"), {LayCTeEventoAN, 1}},
        {"an NF-e event is not the CT-e's", ReadCode(StrToTpEventoCTe, "110112"), {dfe::teNaoMapeado, 0}},
        {"EPEC", ReadCode(StrToTpEventoCTe, "110113"), {dfe::teEPEC, 1}},
    });
    dfe_test::ExpectWrites({
        {"passenger transport code", TpServPagToStr(tsTranspPessoas), "6"},
        {"no charter", TpFretamentoToStr(tfNenhum), ""},
        {"special provision has no 2.00 code", TpInfManuToStrV2(imPI967), ""},
        {"CT-e OS model", ModeloCTeToStr(moCTeOS), "67"},
    });
}

TEST(CTeCodeTables, VersionNumbersAreExact)
{
    struct Case {
        const char *name;
        double number;
        TVersaoCTe versao;
        bool ok;
    };
    const Case cases[] = {
        {"2.00", 2.0, ve200, true},
        {"3.00", 3.0, ve300, true},
        {"the old 1.04", 1.04, ve200, false},
        {"zero", 0.0, ve200, false},
        {"2.50", 2.5, ve200, false},
        {"just below 3.00", std::nextafter(3.0, 0.0), ve200, false},
        {"just above 3.00", std::nextafter(3.0, 4.0), ve200, false},
        {"3.10", 3.1, ve200, false},
        {"4.00", 4.0, ve200, false},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), ve200, false},
    };
    for (const Case &c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(DblToVersaoCTe(ok, c.number), c.versao) << c.name;
        EXPECT_EQ(ok, c.ok) << c.name;
    }

    EXPECT_EQ(VersaoCTeToDbl(ve200), 2.0);
    EXPECT_EQ(VersaoCTeToDbl(ve300), 3.0);
    for (const TVersaoCTe v : {ve200, ve300}) {
        bool ok = false;
        EXPECT_EQ(DblToVersaoCTe(ok, VersaoCTeToDbl(v)), v) << "round trip of " << VersaoCTeToStr(v);
        EXPECT_TRUE(ok);
    }
}

TEST(CTeCodeTables, ModalVersionAndFamilyPrefix)
{
    for (int modal = dfe::mdRodoviario; modal <= dfe::mdMultimodal; ++modal) {
        const auto m = static_cast<dfe::TpcteModal>(modal);
        EXPECT_EQ(GetVersaoModalCTe(ve200, m), "2.00") << "modal " << modal;
        EXPECT_EQ(GetVersaoModalCTe(ve300, m), "3.00") << "modal " << modal;
    }
    EXPECT_EQ(GetVersaoModalCTe(ve300, static_cast<dfe::TpcteModal>(dfe::mdMultimodal + 1)), "");

    dfe_test::ExpectTextTable("family prefix", ModeloCTeToPrefixo, moCTeOS, {{moCTe, "CTe"}, {moCTeOS, "CTeOS"}});
}

TEST(CTeCodeTables, SchemasOfTheOperations)
{
    // Every schema's name, in declared order; the text is the name without "sch".
    const char *const names[] = {
        "schErro", "schCTe", "schCTeOS", "schcancCTe", "schInutCTe", "schEventoCTe", "schconsReciCTe",
        "schconsSitCTe", "schconsStatServCTe", "schconsCad", "schcteModalAereo", "schcteModalAquaviario",
        "schcteModalDutoviario", "schcteModalFerroviario", "schcteModalRodoviario", "schcteMultiModal",
        "schevEPECCTe", "schevCancCTe", "schevRegMultimodal", "schevCCeCTe", "schdistDFeInt",
        "schcteModalRodoviarioOS", "schevPrestDesacordo", "schevGTV", "schevCECTe", "schevCancCECTe"};
    static_assert(std::size(names) == schevCancCECTe + 1);
    for (std::size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(SchemaCTeToStr(static_cast<TSchemaCTe>(i)), std::string(names[i]).substr(3)) << names[i];
    EXPECT_EQ(SchemaCTeToStr(static_cast<TSchemaCTe>(schevCancCECTe + 1)), "");

    struct Case {
        TLayOutCTe layOut;
        TSchemaCTe schema;
    };
    const Case cases[] = {
        {LayCTeRecepcao, schCTe},
        {LayCTeRetRecepcao, schconsReciCTe},
        {LayCTeCancelamento, schcancCTe},
        {LayCTeInutilizacao, schInutCTe},
        {LayCTeConsulta, schconsSitCTe},
        {LayCTeStatusServico, schconsStatServCTe},
        {LayCTeCadastro, schconsCad},
        {LayCTeEvento, schEventoCTe},
        {LayCTeEventoAN, schEventoCTe},
        {LayCTeDistDFeInt, schdistDFeInt},
        {LayCTeRecepcaoOS, schCTeOS},
        {LayCTeRecepcaoSinc, schCTe},
        {static_cast<TLayOutCTe>(LayCTeRecepcaoSinc + 1), schErro},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LayOutToSchema(c.layOut), c.schema) << "operation " << static_cast<int>(c.layOut);
}

TEST(CTeCodeTables, EventParserIsRegisteredUnderCTe)
{
    const auto registered = [] {
        return std::count_if(dfe::StrToTpEventoDFeList().begin(), dfe::StrToTpEventoDFeList().end(),
                             [](const dfe::TStrToTpEventoDFe &e) { return e.NomeDFe == "CTE"; });
    };
    RegistrarConversaoCTe();
    RegistrarConversaoCTe(); // a second call changes nothing
    ASSERT_EQ(registered(), 1);

    bool ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110160", "cte"), dfe::teMultiModal);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110112", "CTe"), dfe::teNaoMapeado);
    EXPECT_FALSE(ok);
}

} // namespace
