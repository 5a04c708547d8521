#pragma once
// Codes of the identification, issuer, recipient and reference groups shared by the
// document families. Every pair follows the rule of codetable.h: value to code gives ""
// for a value its table does not list; code to value sets ok and falls back on the table's
// first row.

#include <string>
#include <string_view>

namespace dfe {

// tpAmb of every document and message; also the settings' environment.
enum TpcnTipoAmbiente { taProducao, taHomologacao };
std::string TpAmbToStr(TpcnTipoAmbiente t);
TpcnTipoAmbiente StrToTpAmb(bool &ok, std::string_view s);

// tpEmis, and the emission-type digit of the access key.
enum TpcnTipoEmissao { teNormal, teContingencia, teSCAN, teDPEC, teFSDA, teSVCAN, teSVCRS, teSVCSP, teOffLine };
std::string TpEmisToStr(TpcnTipoEmissao t);
TpcnTipoEmissao StrToTpEmis(bool &ok, std::string_view s);

// procEmi.
enum TpcnProcessoEmissao { peAplicativoContribuinte, peAvulsaFisco, peAvulsaContribuinte, peContribuinteAplicativoFisco };
std::string procEmiToStr(TpcnProcessoEmissao t);
TpcnProcessoEmissao StrToprocEmi(bool &ok, std::string_view s);

// tpImp, and the layout settings of the auxiliary documents.
enum TpcnTipoImpressao { tiSemGeracao, tiRetrato, tiPaisagem, tiSimplificado, tiNFCe, tiMsgEletronica };
std::string TpImpToStr(TpcnTipoImpressao t);
TpcnTipoImpressao StrToTpImp(bool &ok, std::string_view s);

// tpNF: incoming or outgoing.
enum TpcnTipoNFe { tnEntrada, tnSaida };
std::string tpNFToStr(TpcnTipoNFe t);
TpcnTipoNFe StrToTpNF(bool &ok, std::string_view s);

// indPag; ipNenhum is written as "" and "" reads as ipNenhum.
enum TpcnIndicadorPagamento { ipVista, ipPrazo, ipOutras, ipNenhum };
std::string IndpagToStr(TpcnIndicadorPagamento t);
TpcnIndicadorPagamento StrToIndpag(bool &ok, std::string_view s);

// idDest.
enum TpcnDestinoOperacao { doInterna, doInterestadual, doExterior };
std::string DestinoOperacaoToStr(TpcnDestinoOperacao t);
TpcnDestinoOperacao StrToDestinoOperacao(bool &ok, std::string_view s);

// indFinal.
enum TpcnConsumidorFinal { cfNao, cfConsumidorFinal };
std::string ConsumidorFinalToStr(TpcnConsumidorFinal t);
TpcnConsumidorFinal StrToConsumidorFinal(bool &ok, std::string_view s);

// indPres.
enum TpcnPresencaComprador {
    pcNao,
    pcPresencial,
    pcInternet,
    pcTeleatendimento,
    pcEntregaDomicilio,
    pcPresencialForaEstabelecimento,
    pcOutros
};
std::string PresencaCompradorToStr(TpcnPresencaComprador t);
TpcnPresencaComprador StrToPresencaComprador(bool &ok, std::string_view s);

// indIEDest of the NF-e recipient, indIEToma of the CT-e.
enum TpcnindIEDest { inContribuinte, inIsento, inNaoContribuinte };
std::string indIEDestToStr(TpcnindIEDest t);
TpcnindIEDest StrToindIEDest(bool &ok, std::string_view s);

// CRT of the NF-e issuer. Both "" and "3" read as crtRegimeNormal, which is written "3";
// an unknown code also falls back on crtRegimeNormal.
enum TpcnCRT { crtSimplesNacional, crtSimplesExcessoReceita, crtRegimeNormal };
std::string CRTToStr(TpcnCRT t);
TpcnCRT StrToCRT(bool &ok, std::string_view s);

// cRegTrib of the CF-e issuer. Both "0" and "3" read as RTRegimeNormal, written "3".
enum TpcnRegTrib { RTSimplesNacional, RTRegimeNormal };
std::string RegTribToStr(TpcnRegTrib t);
TpcnRegTrib StrToRegTrib(bool &ok, std::string_view s);

// mod of a referenced fiscal coupon.
enum TpcnECFModRef { ECFModRefVazio, ECFModRef2B, ECFModRef2C, ECFModRef2D };
std::string ECFModRefToStr(TpcnECFModRef t);
TpcnECFModRef StrToECFModRef(bool &ok, std::string_view s);

// mod of a paper invoice referenced by a CT-e.
enum TpcteModeloNF { moNF011AAvulsa, moNFProdutor };
std::string ModeloNFToStr(TpcteModeloNF t);
TpcteModeloNF StrToModeloNF(bool &ok, std::string_view s);

// indProc of a legal process reference.
enum TpcnIndicadorProcesso { ipSEFAZ, ipJusticaFederal, ipJusticaEstadual, ipSecexRFB, ipOutros };
std::string indProcToStr(TpcnIndicadorProcesso t);
TpcnIndicadorProcesso StrToindProc(bool &ok, std::string_view s);
// The origin as the DANFE prints it next to each process reference.
std::string indProcToDescrStr(TpcnIndicadorProcesso t);

// tpViaTransp of an import declaration.
enum TpcnTipoViaTransp {
    tvMaritima,
    tvFluvial,
    tvLacustre,
    tvAerea,
    tvPostal,
    tvFerroviaria,
    tvRodoviaria,
    tvConduto,
    tvMeiosProprios,
    tvEntradaSaidaFicta,
    tvCourier,
    tvHandcarry
};
std::string TipoViaTranspToStr(TpcnTipoViaTransp t);
TpcnTipoViaTransp StrToTipoViaTransp(bool &ok, std::string_view s);

// tpIntermedio of an import declaration.
enum TpcnTipoIntermedio { tiContaPropria, tiContaOrdem, tiEncomenda };
std::string TipoIntermedioToStr(TpcnTipoIntermedio t);
TpcnTipoIntermedio StrToTipoIntermedio(bool &ok, std::string_view s);

// The yes/no indicators of the CT-e and MDF-e; yes comes first.
enum TIndicador { tiSim, tiNao };
std::string TIndicadorToStr(TIndicador t);
TIndicador StrToTIndicador(bool &ok, std::string_view s);

} // namespace dfe
