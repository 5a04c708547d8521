#include "dfe/codes.h"

#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

namespace {

using namespace dfe;
using dfe_test::ReadCode;

// Tables whose rows are not the values in declared order; the ordinals still are.
static_assert(crtSimplesNacional == 0 && crtSimplesExcessoReceita == 1 && crtRegimeNormal == 2);
static_assert(RTSimplesNacional == 0 && RTRegimeNormal == 1);

TEST(DocumentCodeTables, EveryTableBothWays)
{
    dfe_test::ExpectCodeTable("tpAmb", TpAmbToStr, StrToTpAmb, {{taProducao, "1"}, {taHomologacao, "2"}});
    dfe_test::ExpectCodeTable("tpEmis", TpEmisToStr, StrToTpEmis,
                              {{teNormal, "1"}, {teContingencia, "2"}, {teSCAN, "3"}, {teDPEC, "4"}, {teFSDA, "5"},
                               {teSVCAN, "6"}, {teSVCRS, "7"}, {teSVCSP, "8"}, {teOffLine, "9"}});
    dfe_test::ExpectCodeTable("procEmi", procEmiToStr, StrToprocEmi,
                              {{peAplicativoContribuinte, "0"}, {peAvulsaFisco, "1"}, {peAvulsaContribuinte, "2"},
                               {peContribuinteAplicativoFisco, "3"}});
    dfe_test::ExpectCodeTable("tpImp", TpImpToStr, StrToTpImp,
                              {{tiSemGeracao, "0"}, {tiRetrato, "1"}, {tiPaisagem, "2"}, {tiSimplificado, "3"},
                               {tiNFCe, "4"}, {tiMsgEletronica, "5"}});
    dfe_test::ExpectCodeTable("tpNF", tpNFToStr, StrToTpNF, {{tnEntrada, "0"}, {tnSaida, "1"}});
    dfe_test::ExpectCodeTable("indPag", IndpagToStr, StrToIndpag,
                              {{ipVista, "0"}, {ipPrazo, "1"}, {ipOutras, "2"}, {ipNenhum, ""}});
    dfe_test::ExpectCodeTable("idDest", DestinoOperacaoToStr, StrToDestinoOperacao,
                              {{doInterna, "1"}, {doInterestadual, "2"}, {doExterior, "3"}});
    dfe_test::ExpectCodeTable("indFinal", ConsumidorFinalToStr, StrToConsumidorFinal,
                              {{cfNao, "0"}, {cfConsumidorFinal, "1"}});
    dfe_test::ExpectCodeTable("indPres", PresencaCompradorToStr, StrToPresencaComprador,
                              {{pcNao, "0"}, {pcPresencial, "1"}, {pcInternet, "2"}, {pcTeleatendimento, "3"},
                               {pcEntregaDomicilio, "4"}, {pcPresencialForaEstabelecimento, "5"}, {pcOutros, "9"}});
    dfe_test::ExpectCodeTable("indIEDest", indIEDestToStr, StrToindIEDest,
                              {{inContribuinte, "1"}, {inIsento, "2"}, {inNaoContribuinte, "9"}});
    dfe_test::ExpectCodeTables("CRT", CRTToStr, StrToCRT, crtRegimeNormal,
                               {{crtRegimeNormal, ""}, {crtSimplesNacional, "1"}, {crtSimplesExcessoReceita, "2"},
                                {crtRegimeNormal, "3"}});
    dfe_test::ExpectCodeTables("cRegTrib", RegTribToStr, StrToRegTrib, RTRegimeNormal,
                               {{RTRegimeNormal, "0"}, {RTSimplesNacional, "1"}, {RTRegimeNormal, "3"}});
    dfe_test::ExpectCodeTable("refECF mod", ECFModRefToStr, StrToECFModRef,
                              {{ECFModRefVazio, ""}, {ECFModRef2B, "2B"}, {ECFModRef2C, "2C"}, {ECFModRef2D, "2D"}});
    dfe_test::ExpectCodeTable("infNF mod", ModeloNFToStr, StrToModeloNF, {{moNF011AAvulsa, "01"}, {moNFProdutor, "04"}});
    dfe_test::ExpectCodeTable("indProc", indProcToStr, StrToindProc,
                              {{ipSEFAZ, "0"}, {ipJusticaFederal, "1"}, {ipJusticaEstadual, "2"}, {ipSecexRFB, "3"},
                               {ipOutros, "9"}});
    dfe_test::ExpectCodeTable("tpViaTransp", TipoViaTranspToStr, StrToTipoViaTransp,
                              {{tvMaritima, "1"}, {tvFluvial, "2"}, {tvLacustre, "3"}, {tvAerea, "4"}, {tvPostal, "5"},
                               {tvFerroviaria, "6"}, {tvRodoviaria, "7"}, {tvConduto, "8"}, {tvMeiosProprios, "9"},
                               {tvEntradaSaidaFicta, "10"}, {tvCourier, "11"}, {tvHandcarry, "12"}});
    dfe_test::ExpectCodeTable("tpIntermedio", TipoIntermedioToStr, StrToTipoIntermedio,
                              {{tiContaPropria, "1"}, {tiContaOrdem, "2"}, {tiEncomenda, "3"}});
    dfe_test::ExpectCodeTable("yes/no", TIndicadorToStr, StrToTIndicador, {{tiSim, "1"}, {tiNao, "0"}});

    dfe_test::ExpectTextTable("indProc printed", indProcToDescrStr, ipOutros,
                              {{ipSEFAZ, "SEFAZ"}, {ipJusticaFederal, "JUSTIÇA FEDERAL"},
                               {ipJusticaEstadual, "JUSTIÇA ESTADUAL"}, {ipSecexRFB, "SECEX / RFB"},
                               {ipOutros, "OUTROS"}});
}

TEST(DocumentCodeTables, FallBacksEmptyCodesAndDoubleListings)
{
    dfe_test::ExpectReads({
        {"tpAmb: empty text, no empty code", ReadCode(StrToTpAmb, ""), {taProducao, 0}},
        {"tpAmb: leading blank", ReadCode(StrToTpAmb, " 1"), {taProducao, 0}},
        {"tpEmis: two digits", ReadCode(StrToTpEmis, "10"), {teNormal, 0}},
        {"tpImp: last code", ReadCode(StrToTpImp, "5"), {tiMsgEletronica, 1}},
        {"indPag: empty text", ReadCode(StrToIndpag, ""), {ipNenhum, 1}},
        {"indPag: unknown", ReadCode(StrToIndpag, "9"), {ipVista, 0}},
        {"CRT: empty text is the normal regime", ReadCode(StrToCRT, ""), {crtRegimeNormal, 1}},
        {"CRT: 3", ReadCode(StrToCRT, "3"), {crtRegimeNormal, 1}},
        {"CRT: unknown falls back on row 0, not the first value", ReadCode(StrToCRT, "7"), {crtRegimeNormal, 0}},
        {"CRT: 4", ReadCode(StrToCRT, "4"), {crtRegimeNormal, 0}},
        {"cRegTrib: 0", ReadCode(StrToRegTrib, "0"), {RTRegimeNormal, 1}},
        {"cRegTrib: 3", ReadCode(StrToRegTrib, "3"), {RTRegimeNormal, 1}},
        {"cRegTrib: 2", ReadCode(StrToRegTrib, "2"), {RTRegimeNormal, 0}},
        {"refECF mod: lower case", ReadCode(StrToECFModRef, "2b"), {ECFModRef2B, 1}},
        {"refECF mod: empty text", ReadCode(StrToECFModRef, ""), {ECFModRefVazio, 1}},
        {"tpViaTransp: 1", ReadCode(StrToTipoViaTransp, "1"), {tvMaritima, 1}},
        {"tpViaTransp: 10 is whole-text, not 1", ReadCode(StrToTipoViaTransp, "10"), {tvEntradaSaidaFicta, 1}},
        {"yes/no: yes is the fall-back", ReadCode(StrToTIndicador, "2"), {tiSim, 0}},
    });
    dfe_test::ExpectWrites({
        {"tpEmis: off-line", TpEmisToStr(teOffLine), "9"},
        {"tpImp: none", TpImpToStr(tiSemGeracao), "0"},
        {"indPag: none is empty", IndpagToStr(ipNenhum), ""},
        {"CRT: normal regime takes its later code", CRTToStr(crtRegimeNormal), "3"},
        {"cRegTrib: normal regime takes its later code", RegTribToStr(RTRegimeNormal), "3"},
        {"refECF mod: empty", ECFModRefToStr(ECFModRefVazio), ""},
    });
}

} // namespace
