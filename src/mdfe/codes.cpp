#include "mdfe/codes.h"

#include "dfe/codes.h"
#include "dfe/codetable.h"

#include <cstddef>
#include <iterator>
#include <utility>

namespace mdfe {

namespace {

using dfe::LookUp;
using dfe::TCodeRow;
using dfe::TKeyRow;

constexpr TCodeRow<TTpEmitenteMDFe> kTpEmitente[] = {
    {teTransportadora, "1"}, {teTranspCargaPropria, "2"}, {teTranspCTeGlobalizado, "3"},
};

constexpr TCodeRow<TModalMDFe> kModal[] = {
    {moRodoviario, "1"}, {moAereo, "2"}, {moAquaviario, "3"}, {moFerroviario, "4"},
};

constexpr TCodeRow<TVersaoMDFe> kVersao[] = {{ve100, "1.00"}, {ve300, "3.00"}};

constexpr TKeyRow<TVersaoMDFe, double> kVersaoNumero[] = {{ve100, 1.0}, {ve300, 3.0}};

// Every modal group follows the manifest's own layout version.
constexpr TKeyRow<std::pair<TVersaoMDFe, TModalMDFe>, std::string_view> kVersaoModal[] = {
    {{ve100, moRodoviario}, "1.00"}, {{ve100, moAereo}, "1.00"},
    {{ve100, moAquaviario}, "1.00"}, {{ve100, moFerroviario}, "1.00"},
    {{ve300, moRodoviario}, "3.00"}, {{ve300, moAereo}, "3.00"},
    {{ve300, moAquaviario}, "3.00"}, {{ve300, moFerroviario}, "3.00"},
};

constexpr TCodeRow<TTransportadorMDFe> kTransportador[] = {
    {ttNenhum, "0"}, {ttETC, "1"}, {ttTAC, "2"}, {ttCTC, "3"},
};

constexpr TCodeRow<TRspSegMDFe> kRspSeg[] = {{rsEmitente, "1"}, {rsTomadorServico, "2"}};

constexpr TCodeRow<TRspSegMDFe> kRspSegTexto[] = {{rsEmitente, "EMITENTE"}, {rsTomadorServico, "TOMADOR SERVICO"}};

constexpr TCodeRow<TCarga> kCarga[] = {
    {tcGranelSolido, "01"},
    {tcGranelLiquido, "02"},
    {tcFrigorificada, "03"},
    {tcConteinerizada, "04"},
    {tcCargaGeral, "05"},
    {tcNeogranel, "06"},
    {tcPerigosaGranelSolido, "07"},
    {tcPerigosaGranelLiquido, "08"},
    {tcPerigosaCargaFrigorificada, "09"},
    {tcPerigosaConteinerizada, "10"},
    {tcPerigosaCargaGeral, "11"},
};

constexpr TCodeRow<TIndPag> kIndPag[] = {{ipVista, "0"}, {ipPrazo, "1"}};

constexpr TCodeRow<TComp> kComp[] = {
    {tcValePedagio, "01"}, {tcImpostos, "02"}, {tcDespesas, "03"}, {tcOutros, "99"},
};

constexpr TCodeRow<TLayOutMDFe> kLayOut[] = {
    {LayMDFeRecepcao, "MDFeRecepcao"},
    {LayMDFeRetRecepcao, "MDFeRetRecepcao"},
    {LayMDFeConsulta, "MDFeConsultaProtocolo"},
    {LayMDFeStatusServico, "MDFeStatusServico"},
    {LayMDFeEvento, "RecepcaoEvento"},
    {LayMDFeConsNaoEnc, "MDFeConsNaoEnc"},
    {LayMDFeDistDFeInt, "MDFeDistDFeInt"},
    {LayMDFeRecepcaoSinc, "MDFeRecepcaoSinc"},
};

constexpr TKeyRow<TLayOutMDFe, TSchemaMDFe> kLayOutSchema[] = {
    {LayMDFeRecepcao, schMDFe},
    {LayMDFeRetRecepcao, schconsReciMDFe},
    {LayMDFeConsulta, schconsSitMDFe},
    {LayMDFeStatusServico, schconsStatServMDFe},
    {LayMDFeEvento, schEventoMDFe},
    {LayMDFeConsNaoEnc, schconsMDFeNaoEnc},
    {LayMDFeDistDFeInt, schdistDFeInt},
    {LayMDFeRecepcaoSinc, schMDFe},
};

// One name per schema, at the schema's ordinal.
constexpr std::string_view kSchemaNomes[] = {
    "Erro",
    "MDFe",
    "EventoMDFe",
    "consReciMDFe",
    "consSitMDFe",
    "consStatServMDFe",
    "mdfeModalAereo",
    "mdfeModalAquaviario",
    "mdfeModalFerroviario",
    "mdfeModalRodoviario",
    "evCancMDFe",
    "evEncMDFe",
    "evIncCondutorMDFe",
    "distDFeInt",
    "consMDFeNaoEnc",
    "evInclusaoDFeMDFe",
    "evPagtoOperMDFe",
};
static_assert(std::size(kSchemaNomes) == schevPagtoOperMDFe + 1, "one name per schema");

constexpr TCodeRow<dfe::TpcnTpEvento> kTpEventoMDFe[] = {
    {dfe::teNaoMapeado, "-99999"},
    {dfe::teCancelamento, "110111"},
    {dfe::teEncerramento, "110112"},
    {dfe::teInclusaoCondutor, "110114"},
    {dfe::teInclusaoDFe, "110115"},
    {dfe::tePagamentoOperacao, "110116"},
};

} // namespace

std::string TpEmitenteToStr(TTpEmitenteMDFe t) { return dfe::EnumeradoToStr(t, kTpEmitente); }
TTpEmitenteMDFe StrToTpEmitente(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpEmitente); }

std::string ModalToStr(TModalMDFe t) { return dfe::EnumeradoToStr(t, kModal); }
TModalMDFe StrToModal(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kModal); }

std::string VersaoMDFeToStr(TVersaoMDFe t) { return dfe::EnumeradoToStr(t, kVersao); }
TVersaoMDFe StrToVersaoMDFe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kVersao); }

TVersaoMDFe DblToVersaoMDFe(bool &ok, double d)
{
    const auto i = dfe::LastMatchingEntry(std::size(kVersaoNumero),
                                          [&](std::size_t k) { return kVersaoNumero[k].value == d; });
    ok = i >= 0;
    return ok ? kVersaoNumero[i].key : ve100;
}

double VersaoMDFeToDbl(TVersaoMDFe t) { return LookUp(t, kVersaoNumero, 0.0); }

std::string GetVersaoModalMDFe(TVersaoMDFe AVersaoDF, TModalMDFe AModal)
{
    return std::string(LookUp(std::pair(AVersaoDF, AModal), kVersaoModal, std::string_view()));
}

std::string TTransportadorToStr(TTransportadorMDFe t) { return dfe::EnumeradoToStr(t, kTransportador); }
TTransportadorMDFe StrToTTransportador(bool &ok, std::string_view s)
{
    return dfe::StrToEnumerado(ok, s, kTransportador);
}

std::string RspSeguroMDFeToStr(TRspSegMDFe t) { return dfe::EnumeradoToStr(t, kRspSeg); }
TRspSegMDFe StrToRspSeguroMDFe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kRspSeg); }
std::string RspSeguroMDFeToStrText(TRspSegMDFe t) { return dfe::EnumeradoToStr(t, kRspSegTexto); }

std::string TCargaToStr(TCarga t) { return dfe::EnumeradoToStr(t, kCarga); }
TCarga StrToTCarga(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kCarga); }

std::string TIndPagToStr(TIndPag t) { return dfe::EnumeradoToStr(t, kIndPag); }
TIndPag StrToTIndPag(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kIndPag); }

std::string TCompToStr(TComp t) { return dfe::EnumeradoToStr(t, kComp); }
TComp StrToTComp(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kComp); }

std::string LayOutToServico(TLayOutMDFe t) { return dfe::EnumeradoToStr(t, kLayOut); }
TLayOutMDFe ServicoToLayOut(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kLayOut); }

TSchemaMDFe LayOutToSchema(TLayOutMDFe t) { return LookUp(t, kLayOutSchema, schErro); }
std::string SchemaMDFeToStr(TSchemaMDFe t) { return dfe::EnumeradoToStr2(t, kSchemaNomes); }

dfe::TpcnTpEvento StrToTpEventoMDFe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpEventoMDFe); }

void RegistrarConversaoMDFe()
{
    // The registry keeps the first registration of a name, which makes this idempotent.
    dfe::RegisterStrToTpEventoDFe(StrToTpEventoMDFe, "MDFe");
}

} // namespace mdfe
