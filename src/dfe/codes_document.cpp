#include "dfe/codes_document.h"

#include "dfe/codetable.h"

namespace dfe {

namespace {

constexpr TCodeRow<TpcnTipoAmbiente> kTpAmb[] = {{taProducao, "1"}, {taHomologacao, "2"}};

constexpr TCodeRow<TpcnTipoEmissao> kTpEmis[] = {
    {teNormal, "1"}, {teContingencia, "2"}, {teSCAN, "3"}, {teDPEC, "4"}, {teFSDA, "5"},
    {teSVCAN, "6"}, {teSVCRS, "7"}, {teSVCSP, "8"}, {teOffLine, "9"},
};

constexpr TCodeRow<TpcnProcessoEmissao> kProcEmi[] = {
    {peAplicativoContribuinte, "0"},
    {peAvulsaFisco, "1"},
    {peAvulsaContribuinte, "2"},
    {peContribuinteAplicativoFisco, "3"},
};

constexpr TCodeRow<TpcnTipoImpressao> kTpImp[] = {
    {tiSemGeracao, "0"}, {tiRetrato, "1"}, {tiPaisagem, "2"},
    {tiSimplificado, "3"}, {tiNFCe, "4"}, {tiMsgEletronica, "5"},
};

constexpr TCodeRow<TpcnTipoNFe> kTpNF[] = {{tnEntrada, "0"}, {tnSaida, "1"}};

constexpr TCodeRow<TpcnIndicadorPagamento> kIndPag[] = {
    {ipVista, "0"}, {ipPrazo, "1"}, {ipOutras, "2"}, {ipNenhum, ""},
};

constexpr TCodeRow<TpcnDestinoOperacao> kIdDest[] = {
    {doInterna, "1"}, {doInterestadual, "2"}, {doExterior, "3"},
};

constexpr TCodeRow<TpcnConsumidorFinal> kIndFinal[] = {{cfNao, "0"}, {cfConsumidorFinal, "1"}};

constexpr TCodeRow<TpcnPresencaComprador> kIndPres[] = {
    {pcNao, "0"},
    {pcPresencial, "1"},
    {pcInternet, "2"},
    {pcTeleatendimento, "3"},
    {pcEntregaDomicilio, "4"},
    {pcPresencialForaEstabelecimento, "5"},
    {pcOutros, "9"},
};

constexpr TCodeRow<TpcnindIEDest> kIndIEDest[] = {
    {inContribuinte, "1"}, {inIsento, "2"}, {inNaoContribuinte, "9"},
};

// The empty code comes first so that a missing CRT, and any unknown one, reads as the
// normal regime; the later "3" is what gets written.
constexpr TCodeRow<TpcnCRT> kCRT[] = {
    {crtRegimeNormal, ""},
    {crtSimplesNacional, "1"},
    {crtSimplesExcessoReceita, "2"},
    {crtRegimeNormal, "3"},
};

// "0" first: the fall-back is the normal regime; "3" is what gets written.
constexpr TCodeRow<TpcnRegTrib> kRegTrib[] = {
    {RTRegimeNormal, "0"}, {RTSimplesNacional, "1"}, {RTRegimeNormal, "3"},
};

constexpr TCodeRow<TpcnECFModRef> kECFModRef[] = {
    {ECFModRefVazio, ""}, {ECFModRef2B, "2B"}, {ECFModRef2C, "2C"}, {ECFModRef2D, "2D"},
};

constexpr TCodeRow<TpcteModeloNF> kModeloNF[] = {{moNF011AAvulsa, "01"}, {moNFProdutor, "04"}};

constexpr TCodeRow<TpcnIndicadorProcesso> kIndProc[] = {
    {ipSEFAZ, "0"}, {ipJusticaFederal, "1"}, {ipJusticaEstadual, "2"}, {ipSecexRFB, "3"}, {ipOutros, "9"},
};

constexpr TCodeRow<TpcnIndicadorProcesso> kIndProcDescr[] = {
    {ipSEFAZ, "SEFAZ"},
    {ipJusticaFederal, "JUSTIÇA FEDERAL"},
    {ipJusticaEstadual, "JUSTIÇA ESTADUAL"},
    {ipSecexRFB, "SECEX / RFB"},
    {ipOutros, "OUTROS"},
};

constexpr TCodeRow<TpcnTipoViaTransp> kTpViaTransp[] = {
    {tvMaritima, "1"},
    {tvFluvial, "2"},
    {tvLacustre, "3"},
    {tvAerea, "4"},
    {tvPostal, "5"},
    {tvFerroviaria, "6"},
    {tvRodoviaria, "7"},
    {tvConduto, "8"},
    {tvMeiosProprios, "9"},
    {tvEntradaSaidaFicta, "10"},
    {tvCourier, "11"},
    {tvHandcarry, "12"},
};

constexpr TCodeRow<TpcnTipoIntermedio> kTpIntermedio[] = {
    {tiContaPropria, "1"}, {tiContaOrdem, "2"}, {tiEncomenda, "3"},
};

constexpr TCodeRow<TIndicador> kIndicador[] = {{tiSim, "1"}, {tiNao, "0"}};

} // namespace

std::string TpAmbToStr(TpcnTipoAmbiente t) { return EnumeradoToStr(t, kTpAmb); }
TpcnTipoAmbiente StrToTpAmb(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpAmb); }

std::string TpEmisToStr(TpcnTipoEmissao t) { return EnumeradoToStr(t, kTpEmis); }
TpcnTipoEmissao StrToTpEmis(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpEmis); }

std::string procEmiToStr(TpcnProcessoEmissao t) { return EnumeradoToStr(t, kProcEmi); }
TpcnProcessoEmissao StrToprocEmi(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kProcEmi); }

std::string TpImpToStr(TpcnTipoImpressao t) { return EnumeradoToStr(t, kTpImp); }
TpcnTipoImpressao StrToTpImp(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpImp); }

std::string tpNFToStr(TpcnTipoNFe t) { return EnumeradoToStr(t, kTpNF); }
TpcnTipoNFe StrToTpNF(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpNF); }

std::string IndpagToStr(TpcnIndicadorPagamento t) { return EnumeradoToStr(t, kIndPag); }
TpcnIndicadorPagamento StrToIndpag(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndPag); }

std::string DestinoOperacaoToStr(TpcnDestinoOperacao t) { return EnumeradoToStr(t, kIdDest); }
TpcnDestinoOperacao StrToDestinoOperacao(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIdDest); }

std::string ConsumidorFinalToStr(TpcnConsumidorFinal t) { return EnumeradoToStr(t, kIndFinal); }
TpcnConsumidorFinal StrToConsumidorFinal(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndFinal); }

std::string PresencaCompradorToStr(TpcnPresencaComprador t) { return EnumeradoToStr(t, kIndPres); }
TpcnPresencaComprador StrToPresencaComprador(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndPres); }

std::string indIEDestToStr(TpcnindIEDest t) { return EnumeradoToStr(t, kIndIEDest); }
TpcnindIEDest StrToindIEDest(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndIEDest); }

std::string CRTToStr(TpcnCRT t) { return EnumeradoToStr(t, kCRT); }
TpcnCRT StrToCRT(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCRT); }

std::string RegTribToStr(TpcnRegTrib t) { return EnumeradoToStr(t, kRegTrib); }
TpcnRegTrib StrToRegTrib(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kRegTrib); }

std::string ECFModRefToStr(TpcnECFModRef t) { return EnumeradoToStr(t, kECFModRef); }
TpcnECFModRef StrToECFModRef(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kECFModRef); }

std::string ModeloNFToStr(TpcteModeloNF t) { return EnumeradoToStr(t, kModeloNF); }
TpcteModeloNF StrToModeloNF(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kModeloNF); }

std::string indProcToStr(TpcnIndicadorProcesso t) { return EnumeradoToStr(t, kIndProc); }
TpcnIndicadorProcesso StrToindProc(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndProc); }
std::string indProcToDescrStr(TpcnIndicadorProcesso t) { return EnumeradoToStr(t, kIndProcDescr); }

std::string TipoViaTranspToStr(TpcnTipoViaTransp t) { return EnumeradoToStr(t, kTpViaTransp); }
TpcnTipoViaTransp StrToTipoViaTransp(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpViaTransp); }

std::string TipoIntermedioToStr(TpcnTipoIntermedio t) { return EnumeradoToStr(t, kTpIntermedio); }
TpcnTipoIntermedio StrToTipoIntermedio(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpIntermedio); }

std::string TIndicadorToStr(TIndicador t) { return EnumeradoToStr(t, kIndicador); }
TIndicador StrToTIndicador(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndicador); }

} // namespace dfe
