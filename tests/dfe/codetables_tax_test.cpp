#include "dfe/codes.h"

#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

namespace {

using namespace dfe;
using dfe_test::ReadCode;

// Ordinals the tables do not show, since their rows are in another order.
static_assert(cst00 == 0 && cst90 == 13 && cstPart10 == 14 && cstPart90 == 15 && cstRep41 == 16 &&
              cstVazio == 17 && cstICMSOutraUF == 18 && cstICMSSN == 19 && cstRep60 == 20);
static_assert(RTISSMicroempresaMunicipal == 0 && RTISSMEEPP == 5 && RTISSNenhum == 6);
static_assert(itSomaTotalNFe == 0 && itNaoSomaTotalNFe == 1);

TEST(TaxCodeTables, EveryTableBothWays)
{
    dfe_test::ExpectCodeTable("orig", OrigToStr, StrToOrig,
                              {{oeNacional, "0"},
                               {oeEstrangeiraImportacaoDireta, "1"},
                               {oeEstrangeiraAdquiridaBrasil, "2"},
                               {oeNacionalConteudoImportacaoSuperior40, "3"},
                               {oeNacionalProcessosBasicos, "4"},
                               {oeNacionalConteudoImportacaoInferiorIgual40, "5"},
                               {oeEstrangeiraImportacaoDiretaSemSimilar, "6"},
                               {oeEstrangeiraAdquiridaBrasilSemSimilar, "7"},
                               {oeNacionalConteudoImportacaoSuperior70, "8"}});
    dfe_test::ExpectCodeTables(
        "CST ICMS", CSTICMSToStr, StrToCSTICMS, cstRep60,
        {{cstVazio, ""}, {cst00, "00"}, {cst10, "10"}, {cst20, "20"}, {cst30, "30"},
         {cst40, "40"}, {cst41, "41"}, {cst45, "45"}, {cst50, "50"}, {cst51, "51"},
         {cst60, "60"}, {cst70, "70"}, {cst80, "80"}, {cst81, "81"}, {cst90, "90"},
         {cstICMSOutraUF, "90"}, {cstICMSSN, "SN"}, {cstPart10, "10"}, {cstPart90, "90"}, {cstRep41, "41"},
         {cstRep60, "60"}},
        {{cstVazio, ""}, {cst00, "00"}, {cst10, "10"}, {cst20, "20"}, {cst30, "30"},
         {cst40, "40"}, {cst41, "41"}, {cst45, "45"}, {cst50, "50"}, {cst51, "51"},
         {cst60, "60"}, {cst70, "70"}, {cst80, "80"}, {cst81, "81"}, {cst90, "90"},
         {cstICMSOutraUF, "91"}, {cstICMSSN, "SN"}, {cstPart10, "10part"}, {cstPart90, "90part"}, {cstRep41, "41rep"},
         {cstRep60, "60rep"}});
    dfe_test::ExpectCodeTables("CSOSN", CSOSNIcmsToStr, StrToCSOSNIcms, csosn900,
                               {{csosnVazio, "0"}, {csosn101, "101"}, {csosn102, "102"}, {csosn103, "103"},
                                {csosn201, "201"}, {csosn202, "202"}, {csosn203, "203"}, {csosn300, "300"},
                                {csosn400, "400"}, {csosn500, "500"}, {csosn900, "900"}},
                               {{csosnVazio, ""}, {csosn101, "101"}, {csosn102, "102"}, {csosn103, "103"},
                                {csosn201, "201"}, {csosn202, "202"}, {csosn203, "203"}, {csosn300, "300"},
                                {csosn400, "400"}, {csosn500, "500"}, {csosn900, "900"}});
    dfe_test::ExpectCodeTable("modBC", modBCToStr, StrTomodBC,
                              {{dbiMargemValorAgregado, "0"}, {dbiPauta, "1"}, {dbiPrecoTabelado, "2"},
                               {dbiValorOperacao, "3"}, {dbiNenhum, ""}});
    dfe_test::ExpectCodeTable("modBCST", modBCSTToStr, StrTomodBCST,
                              {{dbisPrecoTabelado, "0"}, {dbisListaNegativa, "1"}, {dbisListaPositiva, "2"},
                               {dbisListaNeutra, "3"}, {dbisMargemValorAgregado, "4"}, {dbisPauta, "5"},
                               {dbisValordaOperacao, "6"}});
    dfe_test::ExpectCodeTable("motDesICMS", motDesICMSToStr, StrTomotDesICMS,
                              {{mdiTaxi, "1"}, {mdiDeficienteFisico, "2"}, {mdiProdutorAgropecuario, "3"},
                               {mdiFrotistaLocadora, "4"}, {mdiDiplomaticoConsular, "5"},
                               {mdiAmazoniaLivreComercio, "6"}, {mdiSuframa, "7"}, {mdiVendaOrgaosPublicos, "8"},
                               {mdiOutros, "9"}, {mdiDeficienteCondutor, "10"}, {mdiDeficienteNaoCondutor, "11"},
                               {mdiOrgaoFomento, "12"}, {mdiOlimpiadaRio2016, "16"}, {mdiSolicitadoFisco, "90"}});
    dfe_test::ExpectCodeTable("CST IPI", CSTIPIToStr, StrToCSTIPI,
                              {{ipi00, "00"}, {ipi49, "49"}, {ipi50, "50"}, {ipi99, "99"}, {ipi01, "01"},
                               {ipi02, "02"}, {ipi03, "03"}, {ipi04, "04"}, {ipi05, "05"}, {ipi51, "51"},
                               {ipi52, "52"}, {ipi53, "53"}, {ipi54, "54"}, {ipi55, "55"}});
    dfe_test::ExpectCodeTable(
        "CST PIS", CSTPISToStr, StrToCSTPIS,
        {{pis01, "01"}, {pis02, "02"}, {pis03, "03"}, {pis04, "04"}, {pis05, "05"}, {pis06, "06"}, {pis07, "07"},
         {pis08, "08"}, {pis09, "09"}, {pis49, "49"}, {pis50, "50"}, {pis51, "51"}, {pis52, "52"}, {pis53, "53"},
         {pis54, "54"}, {pis55, "55"}, {pis56, "56"}, {pis60, "60"}, {pis61, "61"}, {pis62, "62"}, {pis63, "63"},
         {pis64, "64"}, {pis65, "65"}, {pis66, "66"}, {pis67, "67"}, {pis70, "70"}, {pis71, "71"}, {pis72, "72"},
         {pis73, "73"}, {pis74, "74"}, {pis75, "75"}, {pis98, "98"}, {pis99, "99"}});
    dfe_test::ExpectCodeTable(
        "CST COFINS", CSTCOFINSToStr, StrToCSTCOFINS,
        {{cof01, "01"}, {cof02, "02"}, {cof03, "03"}, {cof04, "04"}, {cof05, "05"}, {cof06, "06"}, {cof07, "07"},
         {cof08, "08"}, {cof09, "09"}, {cof49, "49"}, {cof50, "50"}, {cof51, "51"}, {cof52, "52"}, {cof53, "53"},
         {cof54, "54"}, {cof55, "55"}, {cof56, "56"}, {cof60, "60"}, {cof61, "61"}, {cof62, "62"}, {cof63, "63"},
         {cof64, "64"}, {cof65, "65"}, {cof66, "66"}, {cof67, "67"}, {cof70, "70"}, {cof71, "71"}, {cof72, "72"},
         {cof73, "73"}, {cof74, "74"}, {cof75, "75"}, {cof98, "98"}, {cof99, "99"}});
    dfe_test::ExpectCodeTable("ISSQN cSitTrib", ISSQNcSitTribToStr, StrToISSQNcSitTrib,
                              {{ISSQNcSitTribVazio, ""}, {ISSQNcSitTribNORMAL, "N"}, {ISSQNcSitTribRETIDA, "R"},
                               {ISSQNcSitTribSUBSTITUTA, "S"}, {ISSQNcSitTribISENTA, "I"}});
    dfe_test::ExpectCodeTables("ISSQN cRegTrib", RegTribISSQNToStr, StrToRegTribISSQN, RTISSNenhum,
                               {{RTISSNenhum, "0"}, {RTISSMicroempresaMunicipal, "1"}, {RTISSEstimativa, "2"},
                                {RTISSSociedadeProfissionais, "3"}, {RTISSCooperativa, "4"}, {RTISSMEI, "5"},
                                {RTISSMEEPP, "6"}});
    dfe_test::ExpectCodeTable("indRatISSQN", indRatISSQNToStr, StrToindRatISSQN, {{irSim, "S"}, {irNao, "N"}});
    dfe_test::ExpectCodeTable("indISS", indISSToStr, StrToindISS,
                              {{iiExigivel, "1"}, {iiNaoIncidencia, "2"}, {iiIsencao, "3"}, {iiExportacao, "4"},
                               {iiImunidade, "5"}, {iiExigSuspDecisaoJudicial, "6"}, {iiExigSuspProcessoAdm, "7"}});
    dfe_test::ExpectCodeTable("indIncentivo", indIncentivoToStr, StrToindIncentivo, {{iiSim, "1"}, {iiNao, "2"}});
    dfe_test::ExpectCodeTables("indTot", indTotToStr, StrToindTot, itNaoSomaTotalNFe,
                               {{itNaoSomaTotalNFe, "0"}, {itSomaTotalNFe, "1"}});
    dfe_test::ExpectCodeTable("indRegra", indRegraToStr, StrToindRegra,
                              {{irArredondamento, "A"}, {irTruncamento, "T"}});

    dfe_test::ExpectTextTable("ICMS group identifier", CSTICMSToStrTagPos, cstRep60,
                              {{cst00, "02"}, {cst10, "03"}, {cst20, "04"}, {cst30, "05"}, {cst40, "06"},
                               {cst41, "06"}, {cst50, "06"}, {cst51, "07"}, {cst60, "08"}, {cst70, "09"},
                               {cst80, "10"}, {cst81, "11"}, {cst90, "12"}, {cstPart10, "10a"},
                               {cstPart90, "10a"}, {cstRep41, "10b"}, {cstRep60, "10b"}});
    dfe_test::ExpectTextTable(
        "ICMS printed", CSTICMSToStrTagPosText, cstRep60,
        {{cstVazio, "VAZIO"},
         {cst00, "00 - TRIBUTAÇÃO NORMAL DO ICMS"},
         {cst10, "10 - TRIBUTAÇÃO COM COBRANÇA DO ICMS POR SUBST. TRIBUTÁRIA"},
         {cst20, "20 - TRIBUTAÇÃO COM REDUÇÃO DE BC DO ICMS"},
         {cst30, "30 - TRIBUTAÇÃO ISENTA E COM COBRANÇA DO ICMS POR SUBST. TRIBUTÁRIA"},
         {cst40, "40 - ICMS ISENÇÃO"},
         {cst41, "41 - ICMS NÃO TRIBUTADO"},
         {cst45, "45 - ICMS ISENTO, NÃO TRIBUTADO OU DIFERIDO"},
         {cst50, "50 - ICMS SUSPENSÃO"},
         {cst51, "51 - ICMS DIFERIDO"},
         {cst60, "60 - ICMS COBRADO POR SUBSTITUIÇÃO TRIBUTÁRIA"},
         {cst70, "70 - TRIBUTAÇÃO COM REDUÇÃO DE BC E COBRANÇA DO ICMS POR SUBST. TRIBUTÁRIA"},
         {cst80, "80 - RESPONSABILIDADE DO RECOLHIMENTO DO ICMS ATRIBUÍDO AO TOMADOR OU 3\u00B0 POR ST"},
         {cst81, "81 - ICMS DEVIDO À OUTRA UF"},
         {cst90, "90 - ICMS OUTROS"},
         {cstICMSOutraUF, "90 - ICMS DEVIDO A UF DE ORIGEM DA PRESTACAO, QUANDO DIFERENTE DA UF DO EMITENTE"},
         {cstICMSSN, "90 - SIMPLES NACIONAL"},
         {cstPart10, "10 - TRIBUTADA E COM COBRANÇA DO ICMS POR SUBSTITUIÇÃO TRIBUTÁRIA - PARTILHA"},
         {cstPart90, "90 - OUTROS - PARTILHA"},
         {cstRep41, "41 - NÃO TRIBUTADO - REPASSE"},
         {cstRep60, "60 - COBRADO ANTERIORMENTE POR SUBSTITUIÇÃO TRIBUTÁRIA - REPASSE"}});
    dfe_test::ExpectTextTable("Simples Nacional group name", CSOSNToStrTagPos, csosn900,
                              {{csosn101, "101"}, {csosn102, "102"}, {csosn103, "102"}, {csosn300, "102"},
                               {csosn400, "102"}, {csosn201, "201"}, {csosn202, "202"}, {csosn203, "202"},
                               {csosn500, "500"}, {csosn900, "900"}});
    dfe_test::ExpectTextTable("Simples Nacional group identifier", CSOSNToStrID, csosn900,
                              {{csosn101, "10c"}, {csosn102, "10d"}, {csosn103, "10d"}, {csosn300, "10d"},
                               {csosn400, "10d"}, {csosn201, "10e"}, {csosn202, "10f"}, {csosn203, "10f"},
                               {csosn500, "10g"}, {csosn900, "10h"}});
}

TEST(TaxCodeTables, IcmsSituationIsWrittenPlainAndReadSpecial)
{
    dfe_test::ExpectWrites({
        {"partition 10", CSTICMSToStr(cstPart10), "10"},
        {"partition 90", CSTICMSToStr(cstPart90), "90"},
        {"repass 41", CSTICMSToStr(cstRep41), "41"},
        {"repass 60", CSTICMSToStr(cstRep60), "60"},
        {"other state", CSTICMSToStr(cstICMSOutraUF), "90"},
        {"empty", CSTICMSToStr(cstVazio), ""},
        {"CSOSN empty is written 0", CSOSNIcmsToStr(csosnVazio), "0"},
        {"no ICMS group for 45", CSTICMSToStrTagPos(cst45), ""},
        {"41 shares the group of 40", CSTICMSToStrTagPos(cst41), "06"},
        {"repass group", CSTICMSToStrTagPos(cstRep60), "10b"},
        {"CSOSN 400 in the group of 102", CSOSNToStrTagPos(csosn400), "102"},
        {"CSOSN 400 identifier", CSOSNToStrID(csosn400), "10d"},
        {"no Simples Nacional group when empty", CSOSNToStrTagPos(csosnVazio), ""},
        {"no Simples Nacional identifier when empty", CSOSNToStrID(csosnVazio), ""},
    });
    dfe_test::ExpectReads({
        {"91 is the other state", ReadCode(StrToCSTICMS, "91"), {cstICMSOutraUF, 1}},
        {"10part", ReadCode(StrToCSTICMS, "10part"), {cstPart10, 1}},
        {"10PART in capitals", ReadCode(StrToCSTICMS, "10PART"), {cstPart10, 1}},
        {"41REP in capitals", ReadCode(StrToCSTICMS, "41REP"), {cstRep41, 1}},
        {"sn in lower case", ReadCode(StrToCSTICMS, "sn"), {cstICMSSN, 1}},
        {"90 is the plain value", ReadCode(StrToCSTICMS, "90"), {cst90, 1}},
        {"60 is the plain value", ReadCode(StrToCSTICMS, "60"), {cst60, 1}},
        {"unknown falls back on row 0, not cst00", ReadCode(StrToCSTICMS, "99"), {cstVazio, 0}},
        {"7", ReadCode(StrToCSTICMS, "7"), {cstVazio, 0}},
        {"empty text", ReadCode(StrToCSTICMS, ""), {cstVazio, 1}},
        {"CSOSN 0 only falls through", ReadCode(StrToCSOSNIcms, "0"), {csosnVazio, 0}},
        {"CSOSN empty text", ReadCode(StrToCSOSNIcms, ""), {csosnVazio, 1}},
    });
    // What a writer's code reads back as: the special values turn plain.
    for (auto value : {cstPart90, cstICMSOutraUF})
        EXPECT_EQ(ReadCode(StrToCSTICMS, CSTICMSToStr(value)), (dfe_test::Read{cst90, 1})) << value;
    EXPECT_EQ(ReadCode(StrToCSTICMS, CSTICMSToStr(cstRep41)), (dfe_test::Read{cst41, 1}));
}

TEST(TaxCodeTables, FallBacksAndEmptyCodes)
{
    dfe_test::ExpectReads({
        {"modBC: empty text", ReadCode(StrTomodBC, ""), {dbiNenhum, 1}},
        {"modBCST: empty text", ReadCode(StrTomodBCST, ""), {dbisPrecoTabelado, 0}},
        {"motDesICMS: 16", ReadCode(StrTomotDesICMS, "16"), {mdiOlimpiadaRio2016, 1}},
        {"motDesICMS: 13", ReadCode(StrTomotDesICMS, "13"), {mdiTaxi, 0}},
        {"CST IPI: 49 is the second value", ReadCode(StrToCSTIPI, "49"), {ipi49, 1}},
        {"CST IPI: unknown", ReadCode(StrToCSTIPI, "48"), {ipi00, 0}},
        {"CST PIS: unknown", ReadCode(StrToCSTPIS, "00"), {pis01, 0}},
        {"CST COFINS: unknown", ReadCode(StrToCSTCOFINS, "00"), {cof01, 0}},
        {"ISSQN cRegTrib: 0", ReadCode(StrToRegTribISSQN, "0"), {RTISSNenhum, 1}},
        {"ISSQN cRegTrib: 7 falls back on the last value", ReadCode(StrToRegTribISSQN, "7"), {RTISSNenhum, 0}},
        {"indTot: 1", ReadCode(StrToindTot, "1"), {itSomaTotalNFe, 1}},
        {"indTot: 7 falls back on the second value", ReadCode(StrToindTot, "7"), {itNaoSomaTotalNFe, 0}},
        {"indRegra: lower case", ReadCode(StrToindRegra, "t"), {irTruncamento, 1}},
        {"ISSQN cSitTrib: empty text", ReadCode(StrToISSQNcSitTrib, ""), {ISSQNcSitTribVazio, 1}},
    });
    dfe_test::ExpectWrites({
        {"CST IPI 49", CSTIPIToStr(ipi49), "49"},
        {"ISSQN cRegTrib none", RegTribISSQNToStr(RTISSNenhum), "0"},
        {"indTot not summed", indTotToStr(itNaoSomaTotalNFe), "0"},
    });
}

} // namespace
