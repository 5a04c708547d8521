#include "dfe/codes_events.h"

#include "dfe/codetable.h"
#include "rtl/exceptions.h"

#include <iterator>

namespace dfe {

namespace {

// One code per event type, at the type's ordinal. Six codes appear twice (the newer event
// type reuses an older code), which is why this list only converts from value to code.
constexpr std::string_view kTpEventoCodes[] = {
    "-99999", "110110", "110111", "210200", "210210", "210220", "210240", "110112", "110113", "110114",
    "110160", "310620", "510620", "110140", "610600", "610501", "610550", "610601", "610611", "990900",
    "111500", "111501", "111502", "111503", "411500", "411501", "411502", "411503", "610500", "990910",
    "000000", "610610", "610110", "110170", "310610", "110115", "310611", "610614", "610510", "610514",
    "610554", "610615", "790700", "240130", "240131", "240140", "240150", "240160", "240170", "440130",
    "440140", "440150", "440160", "110112", "110116", "110180", "110181", "110115", "240140", "240150",
    "240170", "110116", "110117",
};
static_assert(std::size(kTpEventoCodes) == teExcessoBagagem + 1, "one code per event type");

// The event types added last have no descriptive name and are left out.
constexpr TCodeRow<TpcnTpEvento> kTpEventoDesc[] = {
    {teNaoMapeado, "NaoMapeado"},
    {teCCe, "CCe"},
    {teCancelamento, "Cancelamento"},
    {teManifDestConfirmacao, "ManifDestConfirmacao"},
    {teManifDestCiencia, "ManifDestCiencia"},
    {teManifDestDesconhecimento, "ManifDestDesconhecimento"},
    {teManifDestOperNaoRealizada, "ManifDestOperNaoRealizada"},
    {teEncerramento, "Encerramento"},
    {teEPEC, "EPEC"},
    {teInclusaoCondutor, "InclusaoCondutor"},
    {teMultiModal, "MultiModal"},
    {teRegistroPassagem, "RegistroPassagem"},
    {teRegistroPassagemBRId, "RegistroPassagemBRId"},
    {teEPECNFe, "EPECNFe"},
    {teRegistroCTe, "RegistroCTe"},
    {teRegistroPassagemNFeCancelado, "RegistroPassagemNFeCancelado"},
    {teRegistroPassagemNFeRFID, "RegistroPassagemNFeRFID"},
    {teCTeCancelado, "CTeCancelado"},
    {teMDFeCancelado, "MDFeCancelado"},
    {teVistoriaSuframa, "VistoriaSuframa"},
    {tePedProrrog1, "PedProrrog1"},
    {tePedProrrog2, "PedProrrog2"},
    {teCanPedProrrog1, "CanPedProrrog1"},
    {teCanPedProrrog2, "CanPedProrrog2"},
    {teEventoFiscoPP1, "EventoFiscoPP1"},
    {teEventoFiscoPP2, "EventoFiscoPP2"},
    {teEventoFiscoCPP1, "EventoFiscoCPP1"},
    {teEventoFiscoCPP2, "EventoFiscoCPP2"},
    {teRegistroPassagemNFe, "RegistroPassagemNFe"},
    {teConfInternalizacao, "ConfInternalizacao"},
    {teCTeAutorizado, "CTeAutorizado"},
    {teMDFeAutorizado, "MDFeAutorizado"},
    {tePrestDesacordo, "PrestDesacordo"},
    {teGTV, "GTV"},
    {teMDFeAutorizado2, "MDFeAutorizado2"},
    {teNaoEmbarque, "NaoEmbarque"},
    {teMDFeCancelado2, "MDFeCancelado2"},
    {teMDFeAutorizadoComCTe, "MDFeAutorizadoComCTe"},
    {teRegPasNfeProMDFe, "RegPasNfeProMDFe"},
    {teRegPasNfeProMDFeCte, "RegPasNfeProMDFeCte"},
    {teRegPasAutMDFeComCte, "RegPasAutMDFeComCte"},
    {teCancelamentoMDFeAutComCTe, "CancelamentoMDFeAutComCTe"},
    {teAverbacaoExportacao, "AverbacaoExportacao"},
    {teAutCteComplementar, "AutCteComplementar"},
    {teCancCteComplementar, "CancCteComplementar"},
    {teCTeSubstituicao, "CTeSubstituicao"},
    {teCTeAnulacao, "CTeAnulacao"},
    {teLiberacaoEPEC, "LiberacaoEPEC"},
    {teLiberacaoPrazoCanc, "LiberacaoPrazoCanc"},
    {teAutorizadoRedespacho, "AutorizadoRedespacho"},
    {teautorizadoRedespIntermed, "AutorizadoRedespIntermed"},
    {teAutorizadoSubcontratacao, "AutorizadoSubcontratacao"},
    {teautorizadoServMultimodal, "AutorizadoServMultimodal"},
    {teCancSubst, "CancelamentoPorSubstituicao"},
    {teAlteracaoPoltrona, "AlteracaoPoltrona"},
    {teExcessoBagagem, "ExcessoBagagem"},
};
static_assert(std::size(kTpEventoDesc) == 56);

// The schema attribute names the value itself, so the lookup is by the values' names.
constexpr TCodeRow<TSchemaDFe> kSchemaNames[] = {
    {schresNFe, "schresNFe"},
    {schresEvento, "schresEvento"},
    {schprocNFe, "schprocNFe"},
    {schprocEventoNFe, "schprocEventoNFe"},
    {schresCTe, "schresCTe"},
    {schprocCTe, "schprocCTe"},
    {schprocCTeOS, "schprocCTeOS"},
    {schprocEventoCTe, "schprocEventoCTe"},
    {schresMDFe, "schresMDFe"},
    {schprocMDFe, "schprocMDFe"},
    {schprocEventoMDFe, "schprocEventoMDFe"},
    {schresBPe, "schresBPe"},
    {schprocBPe, "schprocBPe"},
    {schprocEventoBPe, "schprocEventoBPe"},
};

constexpr TCodeRow<TSituacaoDFe> kCSitNFe[] = {
    {snAutorizado, "1"}, {snDenegado, "2"}, {snCancelado, "3"}, {snEncerrado, "4"},
};

constexpr TCodeRow<TpcnTipoAutor> kTpAutor[] = {
    {taEmpresaEmitente, "1"}, {taEmpresaDestinataria, "2"}, {taEmpresa, "3"},
    {taFisco, "5"}, {taRFB, "6"}, {taOutros, "9"},
};

constexpr TCodeRow<TpcnIndOperacao> kIndOp[] = {{ioConsultaCSC, "1"}, {ioNovoCSC, "2"}, {ioRevogaCSC, "3"}};

} // namespace

std::string TpEventoToStr(TpcnTpEvento t) { return EnumeradoToStr2(t, kTpEventoCodes); }
std::string TpEventoToDescStr(TpcnTpEvento t) { return EnumeradoToStr(t, kTpEventoDesc); }

TSchemaDFe StrToSchemaDFe(std::string_view s)
{
    std::string name(s.substr(0, s.find('_')));
    // The prefix test counts letter case while the name lookup does not: "SCHresNFe" gets a
    // second prefix and is then unknown.
    if (name.compare(0, 3, "sch") != 0)
        name.insert(0, "sch");
    bool ok = false;
    const TSchemaDFe result = StrToEnumerado(ok, name, kSchemaNames);
    if (!ok)
        throw rtl::Exception("\"" + name + "\" não é um valor TSchemaDFe válido.");
    return result;
}

TSituacaoDFe StrToSituacaoDFe(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCSitNFe); }

std::string TipoAutorToStr(TpcnTipoAutor t) { return EnumeradoToStr(t, kTpAutor); }
TpcnTipoAutor StrToTipoAutor(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpAutor); }

std::string IndOperacaoToStr(TpcnIndOperacao t) { return EnumeradoToStr(t, kIndOp); }
TpcnIndOperacao StrToIndOperacao(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kIndOp); }

} // namespace dfe
