#pragma once
// The enumerations that belong to the NF-e family alone, their XML codes, the layout
// versions as numbers, the texts the DANFE prints for vehicle, weapon and freight codes, and
// the family's parser of event-type codes. Every pair follows the rule of dfe/codetable.h:
// value to code gives "" for a value its table does not list; code to value ignores ASCII
// letter case, sets ok, and falls back on the table's first row.

#include "dfe/codes_events.h"

#include <string>
#include <string_view>

namespace nfe {

// finNFe, the purpose of the document.
enum TpcnFinalidadeNFe { fnNormal, fnComplementar, fnAjuste, fnDevolucao };
std::string FinNFeToStr(TpcnFinalidadeNFe t);
TpcnFinalidadeNFe StrToFinNFe(bool &ok, std::string_view s);

// mod: NF-e (55) or NFC-e (65).
enum TpcnModeloDF { moNFe, moNFCe };
std::string ModeloDFToStr(TpcnModeloDF t);
TpcnModeloDF StrToModeloDF(bool &ok, std::string_view s);
// The family's name in messages and file names: "NFCe" for moNFCe, "NFe" for anything else.
std::string ModeloDFToPrefixo(TpcnModeloDF t);

// The layout version.
enum TpcnVersaoDF { ve200, ve300, ve310, ve400 };
std::string VersaoDFToStr(TpcnVersaoDF t);
// 2.0, 3.0, 3.1 or 4.0; 0 for a value outside the enumeration.
double VersaoDFToDbl(TpcnVersaoDF t);
// The version whose number is the greatest not above d: below 3.0 (and NaN) ve200, then
// ve300 up to below 3.1, ve310 up to below 4.0, ve400 from there. ok is always true.
TpcnVersaoDF DblToVersaoDF(bool &ok, double d);

// The version of the NFC-e QR Code.
enum TpcnVersaoQrCode { veqr000, veqr100, veqr200 };
std::string VersaoQrCodeToStr(TpcnVersaoQrCode t);
// 0, 1 or 2; 0 for a value outside the enumeration.
double VersaoQrCodeToDbl(TpcnVersaoQrCode t);

// tpOp of a new vehicle.
enum TpcnTipoOperacao { toVendaConcessionaria, toFaturamentoDireto, toVendaDireta, toOutros };
std::string tpOPToStr(TpcnTipoOperacao t);
TpcnTipoOperacao StrTotpOP(bool &ok, std::string_view s);
std::string VeiculosTipoOperStr(TpcnTipoOperacao t);

// condVeic of a new vehicle.
enum TpcnCondicaoVeiculo { cvAcabado, cvInacabado, cvSemiAcabado };
std::string condVeicToStr(TpcnCondicaoVeiculo t);
TpcnCondicaoVeiculo StrTocondVeic(bool &ok, std::string_view s);
std::string VeiculosCondicaoStr(TpcnCondicaoVeiculo t);

// tpArma of a weapon.
enum TpcnTipoArma { taUsoPermitido, taUsoRestrito };
std::string tpArmaToStr(TpcnTipoArma t);
TpcnTipoArma StrTotpArma(bool &ok, std::string_view s);
std::string ArmaTipoStr(TpcnTipoArma t);

// indEscala of a product. ieNenhum has the empty code, so an absent tag reads as ieNenhum
// with ok, and ieNenhum is written as "".
enum TpcnIndEscala { ieRelevante, ieNaoRelevante, ieNenhum };
std::string IndEscalaToStr(TpcnIndEscala t);
TpcnIndEscala StrToIndEscala(bool &ok, std::string_view s);

// modFrete of the transport group.
enum TpcnModalidadeFrete {
    mfContaEmitente,
    mfContaDestinatario,
    mfContaTerceiros,
    mfProprioRemetente,
    mfProprioDestinatario,
    mfSemFrete
};
std::string modFreteToStr(TpcnModalidadeFrete t);
TpcnModalidadeFrete StrTomodFrete(bool &ok, std::string_view s);
// The DANFE's text; layout 4.00 names the first two modes differently from the older ones.
std::string modFreteToDesStr(TpcnModalidadeFrete t, TpcnVersaoDF versao);

// The web-service operations. Three of them share the service name "RecepcaoEvento", which
// reads back as the last of them, LayNFeEventoAN.
enum TLayOut {
    LayNfeRecepcao,
    LayNfeRetRecepcao,
    LayNfeCancelamento,
    LayNfeInutilizacao,
    LayNfeConsulta,
    LayNfeStatusServico,
    LayNfeCadastro,
    LayNFeCCe,
    LayNFeEvento,
    LayNFeEventoAN,
    LayNFeConsNFeDest,
    LayNFeDownloadNFe,
    LayNfeAutorizacao,
    LayNfeRetAutorizacao,
    LayAdministrarCSCNFCe,
    LayDistDFeInt,
    LayNFCeEPEC
};
std::string LayOutToServico(TLayOut t);
TLayOut ServicoToLayOut(bool &ok, std::string_view s);

// The schema files of the messages.
enum TSchemaNFe {
    schErro,
    schNfe,
    schcancNFe,
    schInutNFe,
    schEnvCCe,
    schEnvEventoCancNFe,
    schEnvConfRecebto,
    schEnvEPEC,
    schconsReciNFe,
    schconsSitNFe,
    schconsStatServ,
    schconsCad,
    schenvEvento,
    schconsNFeDest,
    schdownloadNFe,
    schretEnviNFe,
    schadmCscNFCe,
    schdistDFeInt,
    scheventoEPEC,
    schCancSubst,
    schPedProrrog1,
    schPedProrrog2,
    schCanPedProrrog1,
    schCanPedProrrog2,
    schManifDestConfirmacao,
    schManifDestCiencia,
    schManifDestDesconhecimento,
    schManifDestOperNaoRealizada
};
// The schema an operation's message follows; schErro for an operation without one.
TSchemaNFe LayOutToSchema(TLayOut t);
// The value's name without "sch" ("Nfe", "consReciNFe").
std::string SchemaNFeToStr(TSchemaNFe t);
// The event code of an event's schema ("e110110"); "" for the other schemas.
std::string SchemaEventoToStr(TSchemaNFe t);

// The NF-e component's status. The viewer calls no web service, so it stays stIdle.
enum TStatusOvixNFe {
    stIdle,
    stNFeStatusServico,
    stNFeRecepcao,
    stNFeRetRecepcao,
    stNFeConsulta,
    stNFeCancelamento,
    stNFeInutilizacao,
    stNFeRecibo,
    stNFeCadastro,
    stNFeEmail,
    stNFeCCe,
    stNFeEvento,
    stConsNFeDest,
    stDownloadNFe,
    stAdmCSCNFCe,
    stDistDFeInt,
    stEnvioWebService
};

// The NF-e's event-type codes; an unknown code gives teNaoMapeado with ok false.
dfe::TpcnTpEvento StrToTpEventoNFe(bool &ok, std::string_view s);

// Offers StrToTpEventoNFe to the shared registry under "NFe". The program's start calls it
// (app::RegistrarConversoes), before anything parses event types; calling it again changes
// nothing.
void RegistrarConversaoNFe();

// ---- The DANFE's texts of vehicle codes ---------------------------------------------------
// Each takes the code as the model holds it. A code without a text gives the code followed
// directly by "NÃO DEFINIDO" or "NÃO DEFINIDA" (the noun's gender), with no blank between.

// tpRest: 0 "0-NÃO HÁ" ... 9 "9-OUTRAS".
std::string VeiculosRestricaoStr(int code);
// cCorDENATRAN, read as a whole number (0 when it is not one); the fall-back keeps the
// text as given, so "" gives "NÃO DEFINIDA".
std::string VeiculosCorDENATRANStr(std::string_view code);
// VIN: exactly "R" or "N" (letter case counts); anything else "NÃO DEFINIDA".
std::string VeiculosVinStr(std::string_view code);
// espVeic: 1 "01-PASSAGEIRO" ... 7 "07-COLEÇÃO".
std::string VeiculosEspecieStr(int code);
// tpVeic: 1 "01-BICICLETA" ... 26 "26-MOTOR-CASA".
std::string VeiculosTipoStr(int code);
// tpComb, read as a whole number (0 when it is not one); the fall-back keeps the text as
// given. A different list from the vehicle model's CombDescricao.
std::string VeiculosCombustivelStr(std::string_view code);

} // namespace nfe
