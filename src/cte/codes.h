#pragma once
// The enumerations that belong to the CT-e family alone, their XML codes, the texts the
// DACTE prints for five of them, the layout version and document model helpers, and the
// family's parser of event-type codes. Every pair follows the rule of dfe/codetable.h:
// value to code gives "" for a value its table does not list; code to value ignores ASCII
// letter case, sets ok, and falls back on the table's first row. The tables the CT-e shares
// with the other families (modal, ICMS situation, emission type, units, vehicle and body
// types...) live in dfe/codes*.h.

#include "dfe/codes.h"

#include <string>
#include <string_view>

namespace cte {

// The layout version.
enum TVersaoCTe { ve200, ve300 };
std::string VersaoCTeToStr(TVersaoCTe t);
TVersaoCTe StrToVersaoCTe(bool &ok, std::string_view s);
// 2.0 or 3.0; 0 for a value outside the enumeration.
double VersaoCTeToDbl(TVersaoCTe t);
// Exactly 2 gives ve200 and exactly 3 ve300, with ok true; any other number (1.04, 3.1,
// 4.0, NaN) gives ve200 with ok false. No rounding: a layout the family does not know
// must never pass for one it does.
TVersaoCTe DblToVersaoCTe(bool &ok, double d);
// versaoModal of the modal group: the layout version's text for each of the six modals;
// "" for a version or a modal outside its enumeration.
std::string GetVersaoModalCTe(TVersaoCTe versao, dfe::TpcteModal modal);

// mod: CT-e (57) or CT-e OS (67).
enum TModeloCTe { moCTe, moCTeOS };
std::string ModeloCTeToStr(TModeloCTe t);
TModeloCTe StrToModeloCTe(bool &ok, std::string_view s);
// The family's name in file and folder names: "CTeOS" for moCTeOS, "CTe" for anything else.
std::string ModeloCTeToPrefixo(TModeloCTe t);

// tpCTe.
enum TpcteTipoCTe { tcNormal, tcComplemento, tcAnulacao, tcSubstituto };
std::string tpCTePagToStr(TpcteTipoCTe t);
TpcteTipoCTe StrTotpCTe(bool &ok, std::string_view s);
std::string tpCTToStrText(TpcteTipoCTe t);

// forPag (layout 2.00).
enum TpcteFormaPagamento { fpPago, fpAPagar, fpOutros };
std::string tpforPagToStr(TpcteFormaPagamento t);
TpcteFormaPagamento StrTotpforPag(bool &ok, std::string_view s);
std::string tpforPagToStrText(TpcteFormaPagamento t);

// tpServ. No value has the code 5: passenger transport is 6.
enum TpcteTipoServico {
    tsNormal,
    tsSubcontratacao,
    tsRedespacho,
    tsIntermediario,
    tsMultimodal,
    tsTranspPessoas,
    tsTranspValores,
    tsExcessoBagagem
};
std::string TpServPagToStr(TpcteTipoServico t);
TpcteTipoServico StrToTpServ(bool &ok, std::string_view s);
std::string TpServToStrText(TpcteTipoServico t);

// retira: whether the receiver collects the cargo.
enum TpcteRetira { rtSim, rtNao };
std::string TpRetiraPagToStr(TpcteRetira t);
TpcteRetira StrToTpRetira(bool &ok, std::string_view s);

// toma of toma03/toma3 and toma4: who takes the service.
enum TpcteTomador { tmRemetente, tmExpedidor, tmRecebedor, tmDestinatario, tmOutros };
std::string TpTomadorToStr(TpcteTomador t);
TpcteTomador StrToTpTomador(bool &ok, std::string_view s);
std::string TpTomadorToStrText(TpcteTomador t);

// lota of the road modal.
enum TpcteLotacao { ltNao, ltSim };
std::string TpLotacaoToStr(TpcteLotacao t);
TpcteLotacao StrToTpLotacao(bool &ok, std::string_view s);

// direc of the waterway modal.
enum TpcteDirecao { drNorte, drLeste, drSul, drOeste };
std::string TpDirecaoToStr(TpcteDirecao t);
TpcteDirecao StrToTpDirecao(bool &ok, std::string_view s);

// tpTraf of the rail modal.
enum TpcteTipoTrafego { ttProprio, ttMutuo, ttRodoferroviario, ttRodoviario };
std::string TpTrafegoToStr(TpcteTipoTrafego t);
TpcteTipoTrafego StrToTpTrafego(bool &ok, std::string_view s);

// tpPer of the delivery forecast.
enum TpcteTipoDataPeriodo { tdSemData, tdNaData, tdAteData, tdApartirData, tdNoPeriodo, tdNaoInformado };
std::string TpDataPeriodoToStr(TpcteTipoDataPeriodo t);
TpcteTipoDataPeriodo StrToTpDataPeriodo(bool &ok, std::string_view s);

// tpHor of the delivery forecast.
enum TpcteTipoHorarioIntervalo { thSemHorario, thNoHorario, thAteHorario, thApartirHorario, thNoIntervalo, thNaoInformado };
std::string TpHorarioIntervaloToStr(TpcteTipoHorarioIntervalo t);
TpcteTipoHorarioIntervalo StrToTpHorarioIntervalo(bool &ok, std::string_view s);

// tpDoc of the other transported documents.
enum TpcteTipoDocumento { tdDeclaracao, tdDutoviario, tdCFeSAT, tdNFCe, tdOutros };
std::string TpDocumentoToStr(TpcteTipoDocumento t);
TpcteTipoDocumento StrToTpDocumento(bool &ok, std::string_view s);

// tpDoc of a previous paper document.
enum TpcteTipoDocumentoAnterior {
    daCTRC,
    daCTAC,
    daACT,
    daNF7,
    daNF27,
    daCAN,
    daCTMC,
    daATRE,
    daDTA,
    daCAI,
    daCCPI,
    daCA,
    daTIF,
    daBL,
    daOutros
};
std::string TpDocumentoAnteriorToStr(TpcteTipoDocumentoAnterior t);
TpcteTipoDocumentoAnterior StrToTpDocumentoAnterior(bool &ok, std::string_view s);

// tpProp of a road vehicle: the carrier's own or a third party's.
enum TpcteTipoPropriedade { tpProprio, tpTerceiro };
std::string TpPropriedadeToStr(TpcteTipoPropriedade t);
TpcteTipoPropriedade StrToTpPropriedade(bool &ok, std::string_view s);

// respFat and ferrEmi of the rail modal's mutual traffic.
enum TpcteTrafegoMutuo { tmOrigem, tmDestino };
std::string TrafegoMutuoToStr(TpcteTrafegoMutuo t);
TpcteTrafegoMutuo StrToTrafegoMutuo(bool &ok, std::string_view s);

// indNegociavel of the multimodal group.
enum TpcnindNegociavel { inNaoNegociavel, inNegociavel };
std::string indNegociavelToStr(TpcnindNegociavel t);
TpcnindNegociavel StrToindNegociavel(bool &ok, std::string_view s);

// tpVeic of a road vehicle.
enum TpcteTipoVeiculo { tvTracao, tvReboque };
std::string TpVeiculoToStr(TpcteTipoVeiculo t);
TpcteTipoVeiculo StrToTpVeiculo(bool &ok, std::string_view s);

// respSeg of the insurance.
enum TpcteRspSeg { rsRemetente, rsExpedidor, rsRecebedor, rsDestinatario, rsEmitenteCTe, rsTomadorServico };
std::string TpRspSeguroToStr(TpcteRspSeg t);
TpcteRspSeg StrToTpRspSeguro(bool &ok, std::string_view s);
std::string TpRspSeguroToStrText(TpcteRspSeg t);

// cInfManu of the air modal. Layout 3.00 codes them "01".."15" and "99"; layout 2.00 had
// "1".."9" and "99", and no code for the six special-provision values.
enum TpInfManu {
    imCEEAV,
    imAPCDEA,
    imSAC,
    imAPDENR,
    imAPQI,
    imGSR,
    imNR,
    imAPCC,
    imAAGA,
    imPI965,
    imPI966,
    imPI967,
    imPI968,
    imPI969,
    imPI970,
    imOUTRO
};
std::string TpInfManuToStr(TpInfManu t);
TpInfManu StrToTpInfManu(bool &ok, std::string_view s);
std::string TpInfManuToStrV2(TpInfManu t);
TpInfManu StrToTpInfManuV2(bool &ok, std::string_view s);

// uniAP of the dangerous goods.
enum TpUniMed { umKG, umKGG, umLitros, umTI, umUnidades };
std::string UniMedToStr(TpUniMed t);
TpUniMed StrToUniMed(bool &ok, std::string_view s);

// tpFretamento of a CT-e OS. tfNenhum has the empty code, so an absent tag reads as it.
enum TtpFretamento { tfNenhum, tfEventual, tpContinuo };
std::string TpFretamentoToStr(TtpFretamento t);
TtpFretamento StrToTpFretamento(bool &ok, std::string_view s);

// The cash species of the value-transport event.
enum TEspecie { teNumerario, teCheque, teMoeda, teOutros };
std::string TEspecieToStr(TEspecie t);
TEspecie StrToTEspecie(bool &ok, std::string_view s);

// The web-service operations.
enum TLayOutCTe {
    LayCTeRecepcao,
    LayCTeRetRecepcao,
    LayCTeCancelamento,
    LayCTeInutilizacao,
    LayCTeConsulta,
    LayCTeStatusServico,
    LayCTeCadastro,
    LayCTeEvento,
    LayCTeEventoAN,
    LayCTeDistDFeInt,
    LayCTeRecepcaoOS,
    LayCTeRecepcaoSinc
};
std::string LayOutToServico(TLayOutCTe t);
TLayOutCTe ServicoToLayOut(bool &ok, std::string_view s);

// The schema files of the messages.
enum TSchemaCTe {
    schErro,
    schCTe,
    schCTeOS,
    schcancCTe,
    schInutCTe,
    schEventoCTe,
    schconsReciCTe,
    schconsSitCTe,
    schconsStatServCTe,
    schconsCad,
    schcteModalAereo,
    schcteModalAquaviario,
    schcteModalDutoviario,
    schcteModalFerroviario,
    schcteModalRodoviario,
    schcteMultiModal,
    schevEPECCTe,
    schevCancCTe,
    schevRegMultimodal,
    schevCCeCTe,
    schdistDFeInt,
    schcteModalRodoviarioOS,
    schevPrestDesacordo,
    schevGTV,
    schevCECTe,
    schevCancCECTe
};
// The schema an operation's message follows; schErro for an operation without one.
TSchemaCTe LayOutToSchema(TLayOutCTe t);
// The value's name without "sch" ("CTe", "consReciCTe"); "" outside the enumeration.
std::string SchemaCTeToStr(TSchemaCTe t);

// The CT-e component's status. The viewer calls no web service, so it stays stCTeIdle.
enum TStatusOvixCTe {
    stCTeIdle,
    stCTeStatusServico,
    stCTeRecepcao,
    stCTeRetRecepcao,
    stCTeConsulta,
    stCTeCancelamento,
    stCTeInutilizacao,
    stCTeRecibo,
    stCTeCadastro,
    stCTeEmail,
    stCTeCCe,
    stCTeEvento,
    stCTeDistDFeInt,
    stCTeEnvioWebService
};

// The CT-e's event-type codes; an unknown code gives teNaoMapeado with ok false.
dfe::TpcnTpEvento StrToTpEventoCTe(bool &ok, std::string_view s);

// Offers StrToTpEventoCTe to the shared registry under "CTe". The program's start calls it
// (app::RegistrarConversoes), before anything parses event types; calling it again changes
// nothing.
void RegistrarConversaoCTe();

} // namespace cte
