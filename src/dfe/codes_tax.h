#pragma once
// Codes of the item tax groups (ICMS, IPI, PIS, COFINS, ISSQN) and of the item calculation
// flags, shared by the document families. Pairs follow the rule of codetable.h.

#include <string>
#include <string_view>

namespace dfe {

// orig of the ICMS groups; the DANFE prints it before the CST or CSOSN.
enum TpcnOrigemMercadoria {
    oeNacional,
    oeEstrangeiraImportacaoDireta,
    oeEstrangeiraAdquiridaBrasil,
    oeNacionalConteudoImportacaoSuperior40,
    oeNacionalProcessosBasicos,
    oeNacionalConteudoImportacaoInferiorIgual40,
    oeEstrangeiraImportacaoDiretaSemSimilar,
    oeEstrangeiraAdquiridaBrasilSemSimilar,
    oeNacionalConteudoImportacaoSuperior70
};
std::string OrigToStr(TpcnOrigemMercadoria t);
TpcnOrigemMercadoria StrToOrig(bool &ok, std::string_view s);

// CST of the ICMS groups. The partition, repass and other-state values are written with the
// plain two-digit code of their kind ("10", "90", "41", "60", "90"), so reading the plain
// code gives the plain value; they are read back only from their own codes ("10part",
// "90part", "41rep", "60rep", "91"). A reader that needs them sets them from the XML group.
enum TpcnCSTIcms {
    cst00,
    cst10,
    cst20,
    cst30,
    cst40,
    cst41,
    cst45,
    cst50,
    cst51,
    cst60,
    cst70,
    cst80,
    cst81,
    cst90,
    cstPart10,
    cstPart90,
    cstRep41,
    cstVazio,
    cstICMSOutraUF,
    cstICMSSN,
    cstRep60
};
std::string CSTICMSToStr(TpcnCSTIcms t);
TpcnCSTIcms StrToCSTICMS(bool &ok, std::string_view s);
// Suffix of the field identifier "N.." of the NF-e ICMS group; "" for the values that have
// no group of their own.
std::string CSTICMSToStrTagPos(TpcnCSTIcms t);
// The situation as the CT-e's auxiliary document prints it.
std::string CSTICMSToStrTagPosText(TpcnCSTIcms t);

// CSOSN of the ICMS groups under the Simples Nacional. csosnVazio is written "0" but read
// from "" only.
enum TpcnCSOSNIcms {
    csosnVazio,
    csosn101,
    csosn102,
    csosn103,
    csosn201,
    csosn202,
    csosn203,
    csosn300,
    csosn400,
    csosn500,
    csosn900
};
std::string CSOSNIcmsToStr(TpcnCSOSNIcms t);
TpcnCSOSNIcms StrToCSOSNIcms(bool &ok, std::string_view s);
// The NF-e writer's Simples Nacional group: its name ("ICMSSN" + CSOSNToStrTagPos) and its
// identifier ("N" + CSOSNToStrID). Several situations share one group.
std::string CSOSNToStrTagPos(TpcnCSOSNIcms t);
std::string CSOSNToStrID(TpcnCSOSNIcms t);

// modBC; dbiNenhum has the empty code.
enum TpcnDeterminacaoBaseIcms { dbiMargemValorAgregado, dbiPauta, dbiPrecoTabelado, dbiValorOperacao, dbiNenhum };
std::string modBCToStr(TpcnDeterminacaoBaseIcms t);
TpcnDeterminacaoBaseIcms StrTomodBC(bool &ok, std::string_view s);

// modBCST.
enum TpcnDeterminacaoBaseIcmsST {
    dbisPrecoTabelado,
    dbisListaNegativa,
    dbisListaPositiva,
    dbisListaNeutra,
    dbisMargemValorAgregado,
    dbisPauta,
    dbisValordaOperacao
};
std::string modBCSTToStr(TpcnDeterminacaoBaseIcmsST t);
TpcnDeterminacaoBaseIcmsST StrTomodBCST(bool &ok, std::string_view s);

// motDesICMS.
enum TpcnMotivoDesoneracaoICMS {
    mdiTaxi,
    mdiDeficienteFisico,
    mdiProdutorAgropecuario,
    mdiFrotistaLocadora,
    mdiDiplomaticoConsular,
    mdiAmazoniaLivreComercio,
    mdiSuframa,
    mdiVendaOrgaosPublicos,
    mdiOutros,
    mdiDeficienteCondutor,
    mdiDeficienteNaoCondutor,
    mdiOrgaoFomento,
    mdiOlimpiadaRio2016,
    mdiSolicitadoFisco
};
std::string motDesICMSToStr(TpcnMotivoDesoneracaoICMS t);
TpcnMotivoDesoneracaoICMS StrTomotDesICMS(bool &ok, std::string_view s);

// CST of IPITrib and IPINT; the code is the two digits of the name.
enum TpcnCstIpi {
    ipi00,
    ipi49,
    ipi50,
    ipi99,
    ipi01,
    ipi02,
    ipi03,
    ipi04,
    ipi05,
    ipi51,
    ipi52,
    ipi53,
    ipi54,
    ipi55
};
std::string CSTIPIToStr(TpcnCstIpi t);
TpcnCstIpi StrToCSTIPI(bool &ok, std::string_view s);

// CST of the PIS groups; the code is the two digits of the name.
enum TpcnCstPis {
    pis01, pis02, pis03, pis04, pis05, pis06, pis07, pis08, pis09,
    pis49, pis50, pis51, pis52, pis53, pis54, pis55, pis56,
    pis60, pis61, pis62, pis63, pis64, pis65, pis66, pis67,
    pis70, pis71, pis72, pis73, pis74, pis75,
    pis98, pis99
};
std::string CSTPISToStr(TpcnCstPis t);
TpcnCstPis StrToCSTPIS(bool &ok, std::string_view s);

// CST of the COFINS groups; the code is the two digits of the name.
enum TpcnCstCofins {
    cof01, cof02, cof03, cof04, cof05, cof06, cof07, cof08, cof09,
    cof49, cof50, cof51, cof52, cof53, cof54, cof55, cof56,
    cof60, cof61, cof62, cof63, cof64, cof65, cof66, cof67,
    cof70, cof71, cof72, cof73, cof74, cof75,
    cof98, cof99
};
std::string CSTCOFINSToStr(TpcnCstCofins t);
TpcnCstCofins StrToCSTCOFINS(bool &ok, std::string_view s);

// cSitTrib of the NF-e's ISSQN; the empty code for ISSQNcSitTribVazio.
enum TpcnISSQNcSitTrib {
    ISSQNcSitTribVazio,
    ISSQNcSitTribNORMAL,
    ISSQNcSitTribRETIDA,
    ISSQNcSitTribSUBSTITUTA,
    ISSQNcSitTribISENTA
};
std::string ISSQNcSitTribToStr(TpcnISSQNcSitTrib t);
TpcnISSQNcSitTrib StrToISSQNcSitTrib(bool &ok, std::string_view s);

// The special ISSQN regime; "0" (RTISSNenhum, the last value) is the table's first row, so an
// unknown code reads as RTISSNenhum.
enum TpcnRegTribISSQN {
    RTISSMicroempresaMunicipal,
    RTISSEstimativa,
    RTISSSociedadeProfissionais,
    RTISSCooperativa,
    RTISSMEI,
    RTISSMEEPP,
    RTISSNenhum
};
std::string RegTribISSQNToStr(TpcnRegTribISSQN t);
TpcnRegTribISSQN StrToRegTribISSQN(bool &ok, std::string_view s);

// indRatISSQN of the CF-e issuer.
enum TpcnindRatISSQN { irSim, irNao };
std::string indRatISSQNToStr(TpcnindRatISSQN t);
TpcnindRatISSQN StrToindRatISSQN(bool &ok, std::string_view s);

// indISS of the NF-e's ISSQN.
enum TpcnindISS {
    iiExigivel,
    iiNaoIncidencia,
    iiIsencao,
    iiExportacao,
    iiImunidade,
    iiExigSuspDecisaoJudicial,
    iiExigSuspProcessoAdm
};
std::string indISSToStr(TpcnindISS t);
TpcnindISS StrToindISS(bool &ok, std::string_view s);

// indIncentivo of the NF-e, indIncFisc of the CF-e.
enum TpcnindIncentivo { iiSim, iiNao };
std::string indIncentivoToStr(TpcnindIncentivo t);
TpcnindIncentivo StrToindIncentivo(bool &ok, std::string_view s);

// indTot; "0" is the table's first row, so an unknown code reads as itNaoSomaTotalNFe.
enum TpcnIndicadorTotal { itSomaTotalNFe, itNaoSomaTotalNFe };
std::string indTotToStr(TpcnIndicadorTotal t);
TpcnIndicadorTotal StrToindTot(bool &ok, std::string_view s);

// indRegra of the CF-e item.
enum TpcnindRegra { irArredondamento, irTruncamento };
std::string indRegraToStr(TpcnindRegra t);
TpcnindRegra StrToindRegra(bool &ok, std::string_view s);

// Whether ISS is withheld; held by the model, never converted.
enum TpcnindISSRet { iirSim, iirNao };

} // namespace dfe
