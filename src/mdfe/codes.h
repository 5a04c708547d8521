#pragma once
// The enumerations that belong to the MDF-e family alone, their XML codes, the layout
// versions as numbers, the printed name of the insurance party, and the family's parser of
// event-type codes. The environment, emission type, vehicle, owner, unit and indicator
// codes the MDF-e shares with other families live in dfe/codes.h. Every pair follows the
// rule of dfe/codetable.h: value to code gives "" for a value its table does not list; code
// to value ignores ASCII letter case, sets ok, and falls back on the table's first row.
// The enumerations have a fixed underlying type, so that a number outside the list is still
// a value the conversions can answer ("", 0, schErro) rather than undefined behaviour.

#include "dfe/codes_events.h"

#include <string>
#include <string_view>

namespace mdfe {

// tpEmit: who issues the manifest; decides which document lists are written.
enum TTpEmitenteMDFe : int { teTransportadora, teTranspCargaPropria, teTranspCTeGlobalizado };
std::string TpEmitenteToStr(TTpEmitenteMDFe t);
TTpEmitenteMDFe StrToTpEmitente(bool &ok, std::string_view s);

// modal: the mode of transport, which names the one modal group the document uses.
enum TModalMDFe : int { moRodoviario, moAereo, moAquaviario, moFerroviario };
std::string ModalToStr(TModalMDFe t);
TModalMDFe StrToModal(bool &ok, std::string_view s);

// The layout version.
enum TVersaoMDFe : int { ve100, ve300 };
std::string VersaoMDFeToStr(TVersaoMDFe t);
TVersaoMDFe StrToVersaoMDFe(bool &ok, std::string_view s);
// Exactly 1.0 gives ve100 and exactly 3.0 ve300, with ok; any other number (3.0000001
// included) gives ve100 with ok false: the layouts have no versions in between.
TVersaoMDFe DblToVersaoMDFe(bool &ok, double d);
// 1.0 or 3.0; 0 for a value outside the enumeration.
double VersaoMDFeToDbl(TVersaoMDFe t);
// The version of a modal group's layout: the same as the manifest's for every mode; "" for
// a version or mode outside its enumeration.
std::string GetVersaoModalMDFe(TVersaoMDFe AVersaoDF, TModalMDFe AModal);

// tpTransp: the carrier's type.
enum TTransportadorMDFe : int { ttNenhum, ttETC, ttTAC, ttCTC };
std::string TTransportadorToStr(TTransportadorMDFe t);
TTransportadorMDFe StrToTTransportador(bool &ok, std::string_view s);

// respSeg: the party responsible for the insurance.
enum TRspSegMDFe : int { rsEmitente, rsTomadorServico };
std::string RspSeguroMDFeToStr(TRspSegMDFe t);
TRspSegMDFe StrToRspSeguroMDFe(bool &ok, std::string_view s);
// The DAMDFE's name of the party: "EMITENTE", "TOMADOR SERVICO".
std::string RspSeguroMDFeToStrText(TRspSegMDFe t);

// tpCarga of the predominant product: "01" to "11" in declared order.
enum TCarga : int {
    tcGranelSolido,
    tcGranelLiquido,
    tcFrigorificada,
    tcConteinerizada,
    tcCargaGeral,
    tcNeogranel,
    tcPerigosaGranelSolido,
    tcPerigosaGranelLiquido,
    tcPerigosaCargaFrigorificada,
    tcPerigosaConteinerizada,
    tcPerigosaCargaGeral
};
std::string TCargaToStr(TCarga t);
TCarga StrToTCarga(bool &ok, std::string_view s);

// indPag of a freight payment.
enum TIndPag : int { ipVista, ipPrazo };
std::string TIndPagToStr(TIndPag t);
TIndPag StrToTIndPag(bool &ok, std::string_view s);

// tpComp of a freight component.
enum TComp : int { tcValePedagio, tcImpostos, tcDespesas, tcOutros };
std::string TCompToStr(TComp t);
TComp StrToTComp(bool &ok, std::string_view s);

// The web-service operations.
enum TLayOutMDFe : int {
    LayMDFeRecepcao,
    LayMDFeRetRecepcao,
    LayMDFeConsulta,
    LayMDFeStatusServico,
    LayMDFeEvento,
    LayMDFeConsNaoEnc,
    LayMDFeDistDFeInt,
    LayMDFeRecepcaoSinc
};
std::string LayOutToServico(TLayOutMDFe t);
TLayOutMDFe ServicoToLayOut(bool &ok, std::string_view s);

// The schema files of the messages.
enum TSchemaMDFe : int {
    schErro,
    schMDFe,
    schEventoMDFe,
    schconsReciMDFe,
    schconsSitMDFe,
    schconsStatServMDFe,
    schmdfeModalAereo,
    schmdfeModalAquaviario,
    schmdfeModalFerroviario,
    schmdfeModalRodoviario,
    schevCancMDFe,
    schevEncMDFe,
    schevIncCondutorMDFe,
    schdistDFeInt,
    schconsMDFeNaoEnc,
    schevInclusaoDFeMDFe,
    schevPagtoOperMDFe
};
// The schema an operation's message follows; schErro for a value outside the enumeration.
TSchemaMDFe LayOutToSchema(TLayOutMDFe t);
// The value's name without "sch" ("MDFe", "consReciMDFe"); "" outside the enumeration.
std::string SchemaMDFeToStr(TSchemaMDFe t);

// The MDF-e component's status. The viewer calls no web service, so it stays stMDFeIdle.
enum TStatusOvixMDFe : int {
    stMDFeIdle,
    stMDFeStatusServico,
    stMDFeRecepcao,
    stMDFeRetRecepcao,
    stMDFeConsulta,
    stMDFeRecibo,
    stMDFeEmail,
    stMDFeEvento,
    stMDFeDistDFeInt,
    stMDFeEnvioWebService
};

// The MDF-e's event-type codes; an unknown code gives teNaoMapeado with ok false.
dfe::TpcnTpEvento StrToTpEventoMDFe(bool &ok, std::string_view s);

// Offers StrToTpEventoMDFe to the shared registry under "MDFe". The program's start calls it
// (app::RegistrarConversoes), before anything parses event types; calling it again changes
// nothing.
void RegistrarConversaoMDFe();

} // namespace mdfe
