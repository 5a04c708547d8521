#include "dfe/codes_tax.h"

#include "dfe/codetable.h"

namespace dfe {

namespace {

constexpr TCodeRow<TpcnOrigemMercadoria> kOrig[] = {
    {oeNacional, "0"},
    {oeEstrangeiraImportacaoDireta, "1"},
    {oeEstrangeiraAdquiridaBrasil, "2"},
    {oeNacionalConteudoImportacaoSuperior40, "3"},
    {oeNacionalProcessosBasicos, "4"},
    {oeNacionalConteudoImportacaoInferiorIgual40, "5"},
    {oeEstrangeiraImportacaoDiretaSemSimilar, "6"},
    {oeEstrangeiraAdquiridaBrasilSemSimilar, "7"},
    {oeNacionalConteudoImportacaoSuperior70, "8"},
};

// The ICMS situation has one table per direction: the XML has no code of its own for the
// partition, repass and other-state situations, so they are written with their kind's
// plain code, while the reading table keeps distinct codes the readers may hand in.
constexpr TCodeRow<TpcnCSTIcms> kCSTICMSWrite[] = {
    {cstVazio, ""},
    {cst00, "00"},
    {cst10, "10"},
    {cst20, "20"},
    {cst30, "30"},
    {cst40, "40"},
    {cst41, "41"},
    {cst45, "45"},
    {cst50, "50"},
    {cst51, "51"},
    {cst60, "60"},
    {cst70, "70"},
    {cst80, "80"},
    {cst81, "81"},
    {cst90, "90"},
    {cstICMSOutraUF, "90"},
    {cstICMSSN, "SN"},
    {cstPart10, "10"},
    {cstPart90, "90"},
    {cstRep41, "41"},
    {cstRep60, "60"},
};

constexpr TCodeRow<TpcnCSTIcms> kCSTICMSRead[] = {
    {cstVazio, ""},
    {cst00, "00"},
    {cst10, "10"},
    {cst20, "20"},
    {cst30, "30"},
    {cst40, "40"},
    {cst41, "41"},
    {cst45, "45"},
    {cst50, "50"},
    {cst51, "51"},
    {cst60, "60"},
    {cst70, "70"},
    {cst80, "80"},
    {cst81, "81"},
    {cst90, "90"},
    {cstICMSOutraUF, "91"},
    {cstICMSSN, "SN"},
    {cstPart10, "10part"},
    {cstPart90, "90part"},
    {cstRep41, "41rep"},
    {cstRep60, "60rep"},
};

constexpr TCodeRow<TpcnCSTIcms> kCSTICMSTagPos[] = {
    {cst00, "02"}, {cst10, "03"}, {cst20, "04"}, {cst30, "05"}, {cst40, "06"}, {cst41, "06"},
    {cst50, "06"}, {cst51, "07"}, {cst60, "08"}, {cst70, "09"}, {cst80, "10"}, {cst81, "11"},
    {cst90, "12"}, {cstPart10, "10a"}, {cstPart90, "10a"}, {cstRep41, "10b"}, {cstRep60, "10b"},
};

constexpr TCodeRow<TpcnCSTIcms> kCSTICMSText[] = {
    {cstVazio, "VAZIO"},
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
    // A degree sign after the 3 (third party), as the printed form has always shown it.
    {cst80, "80 - RESPONSABILIDADE DO RECOLHIMENTO DO ICMS ATRIBUÍDO AO TOMADOR OU 3\u00B0 POR ST"},
    {cst81, "81 - ICMS DEVIDO À OUTRA UF"},
    {cst90, "90 - ICMS OUTROS"},
    {cstICMSOutraUF, "90 - ICMS DEVIDO A UF DE ORIGEM DA PRESTACAO, QUANDO DIFERENTE DA UF DO EMITENTE"},
    {cstICMSSN, "90 - SIMPLES NACIONAL"},
    {cstPart10, "10 - TRIBUTADA E COM COBRANÇA DO ICMS POR SUBSTITUIÇÃO TRIBUTÁRIA - PARTILHA"},
    {cstPart90, "90 - OUTROS - PARTILHA"},
    {cstRep41, "41 - NÃO TRIBUTADO - REPASSE"},
    {cstRep60, "60 - COBRADO ANTERIORMENTE POR SUBSTITUIÇÃO TRIBUTÁRIA - REPASSE"},
};

// "0" is written for an empty situation but never read: only "" reads as csosnVazio with ok.
constexpr TCodeRow<TpcnCSOSNIcms> kCSOSNWrite[] = {
    {csosnVazio, "0"}, {csosn101, "101"}, {csosn102, "102"}, {csosn103, "103"},
    {csosn201, "201"}, {csosn202, "202"}, {csosn203, "203"}, {csosn300, "300"},
    {csosn400, "400"}, {csosn500, "500"}, {csosn900, "900"},
};

constexpr TCodeRow<TpcnCSOSNIcms> kCSOSNRead[] = {
    {csosnVazio, ""}, {csosn101, "101"}, {csosn102, "102"}, {csosn103, "103"},
    {csosn201, "201"}, {csosn202, "202"}, {csosn203, "203"}, {csosn300, "300"},
    {csosn400, "400"}, {csosn500, "500"}, {csosn900, "900"},
};

constexpr TCodeRow<TpcnCSOSNIcms> kCSOSNTagPos[] = {
    {csosn101, "101"}, {csosn102, "102"}, {csosn103, "102"}, {csosn201, "201"},
    {csosn202, "202"}, {csosn203, "202"}, {csosn300, "102"}, {csosn400, "102"},
    {csosn500, "500"}, {csosn900, "900"},
};

constexpr TCodeRow<TpcnCSOSNIcms> kCSOSNID[] = {
    {csosn101, "10c"}, {csosn102, "10d"}, {csosn103, "10d"}, {csosn201, "10e"},
    {csosn202, "10f"}, {csosn203, "10f"}, {csosn300, "10d"}, {csosn400, "10d"},
    {csosn500, "10g"}, {csosn900, "10h"},
};

constexpr TCodeRow<TpcnDeterminacaoBaseIcms> kModBC[] = {
    {dbiMargemValorAgregado, "0"}, {dbiPauta, "1"}, {dbiPrecoTabelado, "2"}, {dbiValorOperacao, "3"}, {dbiNenhum, ""},
};

constexpr TCodeRow<TpcnDeterminacaoBaseIcmsST> kModBCST[] = {
    {dbisPrecoTabelado, "0"}, {dbisListaNegativa, "1"}, {dbisListaPositiva, "2"}, {dbisListaNeutra, "3"},
    {dbisMargemValorAgregado, "4"}, {dbisPauta, "5"}, {dbisValordaOperacao, "6"},
};

constexpr TCodeRow<TpcnMotivoDesoneracaoICMS> kMotDesICMS[] = {
    {mdiTaxi, "1"},
    {mdiDeficienteFisico, "2"},
    {mdiProdutorAgropecuario, "3"},
    {mdiFrotistaLocadora, "4"},
    {mdiDiplomaticoConsular, "5"},
    {mdiAmazoniaLivreComercio, "6"},
    {mdiSuframa, "7"},
    {mdiVendaOrgaosPublicos, "8"},
    {mdiOutros, "9"},
    {mdiDeficienteCondutor, "10"},
    {mdiDeficienteNaoCondutor, "11"},
    {mdiOrgaoFomento, "12"},
    {mdiOlimpiadaRio2016, "16"},
    {mdiSolicitadoFisco, "90"},
};

constexpr TCodeRow<TpcnCstIpi> kCSTIPI[] = {
    {ipi00, "00"}, {ipi49, "49"}, {ipi50, "50"}, {ipi99, "99"}, {ipi01, "01"}, {ipi02, "02"}, {ipi03, "03"},
    {ipi04, "04"}, {ipi05, "05"}, {ipi51, "51"}, {ipi52, "52"}, {ipi53, "53"}, {ipi54, "54"}, {ipi55, "55"},
};

constexpr TCodeRow<TpcnCstPis> kCSTPIS[] = {
    {pis01, "01"}, {pis02, "02"}, {pis03, "03"}, {pis04, "04"}, {pis05, "05"}, {pis06, "06"},
    {pis07, "07"}, {pis08, "08"}, {pis09, "09"}, {pis49, "49"}, {pis50, "50"}, {pis51, "51"},
    {pis52, "52"}, {pis53, "53"}, {pis54, "54"}, {pis55, "55"}, {pis56, "56"}, {pis60, "60"},
    {pis61, "61"}, {pis62, "62"}, {pis63, "63"}, {pis64, "64"}, {pis65, "65"}, {pis66, "66"},
    {pis67, "67"}, {pis70, "70"}, {pis71, "71"}, {pis72, "72"}, {pis73, "73"}, {pis74, "74"},
    {pis75, "75"}, {pis98, "98"}, {pis99, "99"},
};

constexpr TCodeRow<TpcnCstCofins> kCSTCOFINS[] = {
    {cof01, "01"}, {cof02, "02"}, {cof03, "03"}, {cof04, "04"}, {cof05, "05"}, {cof06, "06"},
    {cof07, "07"}, {cof08, "08"}, {cof09, "09"}, {cof49, "49"}, {cof50, "50"}, {cof51, "51"},
    {cof52, "52"}, {cof53, "53"}, {cof54, "54"}, {cof55, "55"}, {cof56, "56"}, {cof60, "60"},
    {cof61, "61"}, {cof62, "62"}, {cof63, "63"}, {cof64, "64"}, {cof65, "65"}, {cof66, "66"},
    {cof67, "67"}, {cof70, "70"}, {cof71, "71"}, {cof72, "72"}, {cof73, "73"}, {cof74, "74"},
    {cof75, "75"}, {cof98, "98"}, {cof99, "99"},
};

constexpr TCodeRow<TpcnISSQNcSitTrib> kISSQNcSitTrib[] = {
    {ISSQNcSitTribVazio, ""},
    {ISSQNcSitTribNORMAL, "N"},
    {ISSQNcSitTribRETIDA, "R"},
    {ISSQNcSitTribSUBSTITUTA, "S"},
    {ISSQNcSitTribISENTA, "I"},
};

constexpr TCodeRow<TpcnRegTribISSQN> kRegTribISSQN[] = {
    {RTISSNenhum, "0"},
    {RTISSMicroempresaMunicipal, "1"},
    {RTISSEstimativa, "2"},
    {RTISSSociedadeProfissionais, "3"},
    {RTISSCooperativa, "4"},
    {RTISSMEI, "5"},
    {RTISSMEEPP, "6"},
};

constexpr TCodeRow<TpcnindRatISSQN> kIndRatISSQN[] = {{irSim, "S"}, {irNao, "N"}};

constexpr TCodeRow<TpcnindISS> kIndISS[] = {
    {iiExigivel, "1"},
    {iiNaoIncidencia, "2"},
    {iiIsencao, "3"},
    {iiExportacao, "4"},
    {iiImunidade, "5"},
    {iiExigSuspDecisaoJudicial, "6"},
    {iiExigSuspProcessoAdm, "7"},
};

constexpr TCodeRow<TpcnindIncentivo> kIndIncentivo[] = {{iiSim, "1"}, {iiNao, "2"}};

constexpr TCodeRow<TpcnIndicadorTotal> kIndTot[] = {{itNaoSomaTotalNFe, "0"}, {itSomaTotalNFe, "1"}};

constexpr TCodeRow<TpcnindRegra> kIndRegra[] = {{irArredondamento, "A"}, {irTruncamento, "T"}};

} // namespace

std::string OrigToStr(TpcnOrigemMercadoria t) { return EnumeradoToStr(t, kOrig); }
TpcnOrigemMercadoria StrToOrig(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kOrig); }

std::string CSTICMSToStr(TpcnCSTIcms t) { return EnumeradoToStr(t, kCSTICMSWrite); }
TpcnCSTIcms StrToCSTICMS(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCSTICMSRead); }
std::string CSTICMSToStrTagPos(TpcnCSTIcms t) { return EnumeradoToStr(t, kCSTICMSTagPos); }
std::string CSTICMSToStrTagPosText(TpcnCSTIcms t) { return EnumeradoToStr(t, kCSTICMSText); }

std::string CSOSNIcmsToStr(TpcnCSOSNIcms t) { return EnumeradoToStr(t, kCSOSNWrite); }
TpcnCSOSNIcms StrToCSOSNIcms(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCSOSNRead); }
std::string CSOSNToStrTagPos(TpcnCSOSNIcms t) { return EnumeradoToStr(t, kCSOSNTagPos); }
std::string CSOSNToStrID(TpcnCSOSNIcms t) { return EnumeradoToStr(t, kCSOSNID); }

std::string modBCToStr(TpcnDeterminacaoBaseIcms t) { return EnumeradoToStr(t, kModBC); }
TpcnDeterminacaoBaseIcms StrTomodBC(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kModBC); }

std::string modBCSTToStr(TpcnDeterminacaoBaseIcmsST t) { return EnumeradoToStr(t, kModBCST); }
TpcnDeterminacaoBaseIcmsST StrTomodBCST(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kModBCST); }

std::string motDesICMSToStr(TpcnMotivoDesoneracaoICMS t) { return EnumeradoToStr(t, kMotDesICMS); }
TpcnMotivoDesoneracaoICMS StrTomotDesICMS(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kMotDesICMS); }

std::string CSTIPIToStr(TpcnCstIpi t) { return EnumeradoToStr(t, kCSTIPI); }
TpcnCstIpi StrToCSTIPI(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCSTIPI); }

std::string CSTPISToStr(TpcnCstPis t) { return EnumeradoToStr(t, kCSTPIS); }
TpcnCstPis StrToCSTPIS(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCSTPIS); }

std::string CSTCOFINSToStr(TpcnCstCofins t) { return EnumeradoToStr(t, kCSTCOFINS); }
TpcnCstCofins StrToCSTCOFINS(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCSTCOFINS); }

std::string ISSQNcSitTribToStr(TpcnISSQNcSitTrib t) { return EnumeradoToStr(t, kISSQNcSitTrib); }
TpcnISSQNcSitTrib StrToISSQNcSitTrib(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kISSQNcSitTrib); }

std::string RegTribISSQNToStr(TpcnRegTribISSQN t) { return EnumeradoToStr(t, kRegTribISSQN); }
TpcnRegTribISSQN StrToRegTribISSQN(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kRegTribISSQN); }

std::string indRatISSQNToStr(TpcnindRatISSQN t) { return EnumeradoToStr(t, kIndRatISSQN); }
TpcnindRatISSQN StrToindRatISSQN(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndRatISSQN); }

std::string indISSToStr(TpcnindISS t) { return EnumeradoToStr(t, kIndISS); }
TpcnindISS StrToindISS(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndISS); }

std::string indIncentivoToStr(TpcnindIncentivo t) { return EnumeradoToStr(t, kIndIncentivo); }
TpcnindIncentivo StrToindIncentivo(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndIncentivo); }

std::string indTotToStr(TpcnIndicadorTotal t) { return EnumeradoToStr(t, kIndTot); }
TpcnIndicadorTotal StrToindTot(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndTot); }

std::string indRegraToStr(TpcnindRegra t) { return EnumeradoToStr(t, kIndRegra); }
TpcnindRegra StrToindRegra(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndRegra); }

} // namespace dfe
