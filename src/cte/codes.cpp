#include "cte/codes.h"

#include "dfe/codetable.h"

#include <cstddef>
#include <iterator>

namespace cte {

namespace {

using dfe::LookUp;
using dfe::TCodeRow;
using dfe::TKeyRow;

constexpr TCodeRow<TVersaoCTe> kVersaoCTe[] = {{ve200, "2.00"}, {ve300, "3.00"}};

constexpr TKeyRow<TVersaoCTe, double> kVersaoCTeNumero[] = {{ve200, 2.0}, {ve300, 3.0}};

constexpr TCodeRow<TModeloCTe> kModeloCTe[] = {{moCTe, "57"}, {moCTeOS, "67"}};

constexpr TCodeRow<TModeloCTe> kModeloCTePrefixo[] = {{moCTe, "CTe"}, {moCTeOS, "CTeOS"}};

constexpr TCodeRow<TpcteTipoCTe> kTpCTe[] = {
    {tcNormal, "0"}, {tcComplemento, "1"}, {tcAnulacao, "2"}, {tcSubstituto, "3"},
};

constexpr TCodeRow<TpcteTipoCTe> kTpCTeTexto[] = {
    {tcNormal, "NORMAL"}, {tcComplemento, "COMPLEMENTO"}, {tcAnulacao, "ANULAÇÃO"}, {tcSubstituto, "SUBSTITUTO"},
};

constexpr TCodeRow<TpcteFormaPagamento> kForPag[] = {{fpPago, "0"}, {fpAPagar, "1"}, {fpOutros, "2"}};

constexpr TCodeRow<TpcteFormaPagamento> kForPagTexto[] = {{fpPago, "PAGO"}, {fpAPagar, "A PAGAR"}, {fpOutros, "OUTROS"}};

constexpr TCodeRow<TpcteTipoServico> kTpServ[] = {
    {tsNormal, "0"},      {tsSubcontratacao, "1"}, {tsRedespacho, "2"},    {tsIntermediario, "3"},
    {tsMultimodal, "4"},  {tsTranspPessoas, "6"},  {tsTranspValores, "7"}, {tsExcessoBagagem, "8"},
};

constexpr TCodeRow<TpcteTipoServico> kTpServTexto[] = {
    {tsNormal, "NORMAL"},
    {tsSubcontratacao, "SUBCONTRATAÇÃO"},
    {tsRedespacho, "REDESPACHO"},
    {tsIntermediario, "REDESP. INTERMEDIÁRIO"},
    {tsMultimodal, "VINC. A MULTIMODAL"},
    {tsTranspPessoas, "TRANSP. PESSOAS"},
    {tsTranspValores, "TRANSP. VALORES"},
    {tsExcessoBagagem, "EXCESSO BAGAGEM"},
};

constexpr TCodeRow<TpcteRetira> kRetira[] = {{rtSim, "0"}, {rtNao, "1"}};

constexpr TCodeRow<TpcteTomador> kTomador[] = {
    {tmRemetente, "0"}, {tmExpedidor, "1"}, {tmRecebedor, "2"}, {tmDestinatario, "3"}, {tmOutros, "4"},
};

constexpr TCodeRow<TpcteTomador> kTomadorTexto[] = {
    {tmRemetente, "REMETENTE"},       {tmExpedidor, "EXPEDIDOR"}, {tmRecebedor, "RECEBEDOR"},
    {tmDestinatario, "DESTINATARIO"}, {tmOutros, "OUTROS"},
};

constexpr TCodeRow<TpcteLotacao> kLotacao[] = {{ltNao, "0"}, {ltSim, "1"}};

constexpr TCodeRow<TpcteDirecao> kDirecao[] = {{drNorte, "N"}, {drLeste, "L"}, {drSul, "S"}, {drOeste, "O"}};

constexpr TCodeRow<TpcteTipoTrafego> kTrafego[] = {
    {ttProprio, "0"}, {ttMutuo, "1"}, {ttRodoferroviario, "2"}, {ttRodoviario, "3"},
};

constexpr TCodeRow<TpcteTipoDataPeriodo> kDataPeriodo[] = {
    {tdSemData, "0"},     {tdNaData, "1"},    {tdAteData, "2"},
    {tdApartirData, "3"}, {tdNoPeriodo, "4"}, {tdNaoInformado, "N"},
};

constexpr TCodeRow<TpcteTipoHorarioIntervalo> kHorarioIntervalo[] = {
    {thSemHorario, "0"},     {thNoHorario, "1"},   {thAteHorario, "2"},
    {thApartirHorario, "3"}, {thNoIntervalo, "4"}, {thNaoInformado, "N"},
};

constexpr TCodeRow<TpcteTipoDocumento> kDocumento[] = {
    {tdDeclaracao, "00"}, {tdDutoviario, "10"}, {tdCFeSAT, "59"}, {tdNFCe, "65"}, {tdOutros, "99"},
};

constexpr TCodeRow<TpcteTipoDocumentoAnterior> kDocumentoAnterior[] = {
    {daCTRC, "00"}, {daCTAC, "01"}, {daACT, "02"},  {daNF7, "03"}, {daNF27, "04"},
    {daCAN, "05"},  {daCTMC, "06"}, {daATRE, "07"}, {daDTA, "08"}, {daCAI, "09"},
    {daCCPI, "10"}, {daCA, "11"},   {daTIF, "12"},  {daBL, "13"},  {daOutros, "99"},
};

constexpr TCodeRow<TpcteTipoPropriedade> kPropriedade[] = {{tpProprio, "P"}, {tpTerceiro, "T"}};

constexpr TCodeRow<TpcteTrafegoMutuo> kTrafegoMutuo[] = {{tmOrigem, "1"}, {tmDestino, "2"}};

constexpr TCodeRow<TpcnindNegociavel> kNegociavel[] = {{inNaoNegociavel, "0"}, {inNegociavel, "1"}};

constexpr TCodeRow<TpcteTipoVeiculo> kVeiculo[] = {{tvTracao, "0"}, {tvReboque, "1"}};

constexpr TCodeRow<TpcteRspSeg> kRspSeg[] = {
    {rsRemetente, "0"},    {rsExpedidor, "1"},   {rsRecebedor, "2"},
    {rsDestinatario, "3"}, {rsEmitenteCTe, "4"}, {rsTomadorServico, "5"},
};

constexpr TCodeRow<TpcteRspSeg> kRspSegTexto[] = {
    {rsRemetente, "REMETENTE"},       {rsExpedidor, "EXPEDIDOR"},   {rsRecebedor, "RECEBEDOR"},
    {rsDestinatario, "DESTINATARIO"}, {rsEmitenteCTe, "EMITENTE"}, {rsTomadorServico, "TOMADOR SERVICO"},
};

constexpr TCodeRow<TpInfManu> kInfManu[] = {
    {imCEEAV, "01"}, {imAPCDEA, "02"}, {imSAC, "03"},   {imAPDENR, "04"}, {imAPQI, "05"}, {imGSR, "06"},
    {imNR, "07"},    {imAPCC, "08"},   {imAAGA, "09"},  {imPI965, "10"},  {imPI966, "11"}, {imPI967, "12"},
    {imPI968, "13"}, {imPI969, "14"},  {imPI970, "15"}, {imOUTRO, "99"},
};

// The older layout: the special-provision values have no row, so they write as "".
constexpr TCodeRow<TpInfManu> kInfManuV2[] = {
    {imCEEAV, "1"}, {imAPCDEA, "2"}, {imSAC, "3"},  {imAPDENR, "4"}, {imAPQI, "5"},
    {imGSR, "6"},   {imNR, "7"},     {imAPCC, "8"}, {imAAGA, "9"},   {imOUTRO, "99"},
};

constexpr TCodeRow<TpUniMed> kUniMed[] = {
    {umKG, "1"}, {umKGG, "2"}, {umLitros, "3"}, {umTI, "4"}, {umUnidades, "5"},
};

constexpr TCodeRow<TtpFretamento> kFretamento[] = {{tfNenhum, ""}, {tfEventual, "1"}, {tpContinuo, "2"}};

constexpr TCodeRow<TEspecie> kEspecie[] = {{teNumerario, "1"}, {teCheque, "2"}, {teMoeda, "3"}, {teOutros, "4"}};

constexpr TCodeRow<TLayOutCTe> kLayOut[] = {
    {LayCTeRecepcao, "CTeRecepcao"},
    {LayCTeRetRecepcao, "CTeRetRecepcao"},
    {LayCTeCancelamento, "CTeCancelamento"},
    {LayCTeInutilizacao, "CTeInutilizacao"},
    {LayCTeConsulta, "CTeConsultaProtocolo"},
    {LayCTeStatusServico, "CTeStatusServico"},
    {LayCTeCadastro, "CTeConsultaCadastro"},
    {LayCTeEvento, "RecepcaoEvento"},
    {LayCTeEventoAN, "RecepcaoEventoAN"},
    {LayCTeDistDFeInt, "CTeDistribuicaoDFe"},
    {LayCTeRecepcaoOS, "CTeRecepcaoOS"},
    {LayCTeRecepcaoSinc, "CTeRecepcaoSinc"},
};

constexpr TKeyRow<TLayOutCTe, TSchemaCTe> kLayOutSchema[] = {
    {LayCTeRecepcao, schCTe},
    {LayCTeRetRecepcao, schconsReciCTe},
    {LayCTeCancelamento, schcancCTe},
    {LayCTeInutilizacao, schInutCTe},
    {LayCTeConsulta, schconsSitCTe},
    {LayCTeStatusServico, schconsStatServCTe},
    {LayCTeCadastro, schconsCad},
    {LayCTeEvento, schEventoCTe},
    {LayCTeEventoAN, schEventoCTe},
    {LayCTeDistDFeInt, schdistDFeInt},
    {LayCTeRecepcaoOS, schCTeOS},
    {LayCTeRecepcaoSinc, schCTe},
};

// One name per schema, at the schema's ordinal.
constexpr std::string_view kSchemaNomes[] = {
    "Erro",
    "CTe",
    "CTeOS",
    "cancCTe",
    "InutCTe",
    "EventoCTe",
    "consReciCTe",
    "consSitCTe",
    "consStatServCTe",
    "consCad",
    "cteModalAereo",
    "cteModalAquaviario",
    "cteModalDutoviario",
    "cteModalFerroviario",
    "cteModalRodoviario",
    "cteMultiModal",
    "evEPECCTe",
    "evCancCTe",
    "evRegMultimodal",
    "evCCeCTe",
    "distDFeInt",
    "cteModalRodoviarioOS",
    "evPrestDesacordo",
    "evGTV",
    "evCECTe",
    "evCancCECTe",
};
static_assert(std::size(kSchemaNomes) == schevCancCECTe + 1, "one name per schema");

constexpr TCodeRow<dfe::TpcnTpEvento> kTpEventoCTe[] = {
    {dfe::teNaoMapeado, "-99999"},
    {dfe::teCCe, "110110"},
    {dfe::teCancelamento, "110111"},
    {dfe::teEPEC, "110113"},
    {dfe::teMultiModal, "110160"},
    {dfe::teGTV, "110170"},
    {dfe::teComprEntrega, "110180"},
    {dfe::teCancComprEntrega, "110181"},
    {dfe::tePrestDesacordo, "610110"},
    {dfe::teMDFeAutorizado2, "310610"},
};

} // namespace

std::string VersaoCTeToStr(TVersaoCTe t) { return dfe::EnumeradoToStr(t, kVersaoCTe); }
TVersaoCTe StrToVersaoCTe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kVersaoCTe); }
double VersaoCTeToDbl(TVersaoCTe t) { return LookUp(t, kVersaoCTeNumero, 0.0); }

TVersaoCTe DblToVersaoCTe(bool &ok, double d)
{
    const auto i = dfe::LastMatchingEntry(std::size(kVersaoCTeNumero),
                                          [&](std::size_t k) { return kVersaoCTeNumero[k].value == d; });
    ok = i >= 0;
    return kVersaoCTeNumero[ok ? i : 0].key;
}

std::string GetVersaoModalCTe(TVersaoCTe versao, dfe::TpcteModal modal)
{
    // Every modal group of a layout carries the layout's own version.
    if (dfe::TpModalToStr(modal).empty())
        return {};
    return VersaoCTeToStr(versao);
}

std::string ModeloCTeToStr(TModeloCTe t) { return dfe::EnumeradoToStr(t, kModeloCTe); }
TModeloCTe StrToModeloCTe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kModeloCTe); }
std::string ModeloCTeToPrefixo(TModeloCTe t) { return dfe::EnumeradoToStrDef(t, kModeloCTePrefixo, "CTe"); }

std::string tpCTePagToStr(TpcteTipoCTe t) { return dfe::EnumeradoToStr(t, kTpCTe); }
TpcteTipoCTe StrTotpCTe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpCTe); }
std::string tpCTToStrText(TpcteTipoCTe t) { return dfe::EnumeradoToStr(t, kTpCTeTexto); }

std::string tpforPagToStr(TpcteFormaPagamento t) { return dfe::EnumeradoToStr(t, kForPag); }
TpcteFormaPagamento StrTotpforPag(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kForPag); }
std::string tpforPagToStrText(TpcteFormaPagamento t) { return dfe::EnumeradoToStr(t, kForPagTexto); }

std::string TpServPagToStr(TpcteTipoServico t) { return dfe::EnumeradoToStr(t, kTpServ); }
TpcteTipoServico StrToTpServ(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpServ); }
std::string TpServToStrText(TpcteTipoServico t) { return dfe::EnumeradoToStr(t, kTpServTexto); }

std::string TpRetiraPagToStr(TpcteRetira t) { return dfe::EnumeradoToStr(t, kRetira); }
TpcteRetira StrToTpRetira(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kRetira); }

std::string TpTomadorToStr(TpcteTomador t) { return dfe::EnumeradoToStr(t, kTomador); }
TpcteTomador StrToTpTomador(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTomador); }
std::string TpTomadorToStrText(TpcteTomador t) { return dfe::EnumeradoToStr(t, kTomadorTexto); }

std::string TpLotacaoToStr(TpcteLotacao t) { return dfe::EnumeradoToStr(t, kLotacao); }
TpcteLotacao StrToTpLotacao(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kLotacao); }

std::string TpDirecaoToStr(TpcteDirecao t) { return dfe::EnumeradoToStr(t, kDirecao); }
TpcteDirecao StrToTpDirecao(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kDirecao); }

std::string TpTrafegoToStr(TpcteTipoTrafego t) { return dfe::EnumeradoToStr(t, kTrafego); }
TpcteTipoTrafego StrToTpTrafego(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTrafego); }

std::string TpDataPeriodoToStr(TpcteTipoDataPeriodo t) { return dfe::EnumeradoToStr(t, kDataPeriodo); }
TpcteTipoDataPeriodo StrToTpDataPeriodo(bool &ok, std::string_view s)
{
    return dfe::StrToEnumerado(ok, s, kDataPeriodo);
}

std::string TpHorarioIntervaloToStr(TpcteTipoHorarioIntervalo t) { return dfe::EnumeradoToStr(t, kHorarioIntervalo); }
TpcteTipoHorarioIntervalo StrToTpHorarioIntervalo(bool &ok, std::string_view s)
{
    return dfe::StrToEnumerado(ok, s, kHorarioIntervalo);
}

std::string TpDocumentoToStr(TpcteTipoDocumento t) { return dfe::EnumeradoToStr(t, kDocumento); }
TpcteTipoDocumento StrToTpDocumento(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kDocumento); }

std::string TpDocumentoAnteriorToStr(TpcteTipoDocumentoAnterior t)
{
    return dfe::EnumeradoToStr(t, kDocumentoAnterior);
}
TpcteTipoDocumentoAnterior StrToTpDocumentoAnterior(bool &ok, std::string_view s)
{
    return dfe::StrToEnumerado(ok, s, kDocumentoAnterior);
}

std::string TpPropriedadeToStr(TpcteTipoPropriedade t) { return dfe::EnumeradoToStr(t, kPropriedade); }
TpcteTipoPropriedade StrToTpPropriedade(bool &ok, std::string_view s)
{
    return dfe::StrToEnumerado(ok, s, kPropriedade);
}

std::string TrafegoMutuoToStr(TpcteTrafegoMutuo t) { return dfe::EnumeradoToStr(t, kTrafegoMutuo); }
TpcteTrafegoMutuo StrToTrafegoMutuo(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTrafegoMutuo); }

std::string indNegociavelToStr(TpcnindNegociavel t) { return dfe::EnumeradoToStr(t, kNegociavel); }
TpcnindNegociavel StrToindNegociavel(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kNegociavel); }

std::string TpVeiculoToStr(TpcteTipoVeiculo t) { return dfe::EnumeradoToStr(t, kVeiculo); }
TpcteTipoVeiculo StrToTpVeiculo(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kVeiculo); }

std::string TpRspSeguroToStr(TpcteRspSeg t) { return dfe::EnumeradoToStr(t, kRspSeg); }
TpcteRspSeg StrToTpRspSeguro(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kRspSeg); }
std::string TpRspSeguroToStrText(TpcteRspSeg t) { return dfe::EnumeradoToStr(t, kRspSegTexto); }

std::string TpInfManuToStr(TpInfManu t) { return dfe::EnumeradoToStr(t, kInfManu); }
TpInfManu StrToTpInfManu(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kInfManu); }
std::string TpInfManuToStrV2(TpInfManu t) { return dfe::EnumeradoToStr(t, kInfManuV2); }
TpInfManu StrToTpInfManuV2(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kInfManuV2); }

std::string UniMedToStr(TpUniMed t) { return dfe::EnumeradoToStr(t, kUniMed); }
TpUniMed StrToUniMed(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kUniMed); }

std::string TpFretamentoToStr(TtpFretamento t) { return dfe::EnumeradoToStr(t, kFretamento); }
TtpFretamento StrToTpFretamento(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kFretamento); }

std::string TEspecieToStr(TEspecie t) { return dfe::EnumeradoToStr(t, kEspecie); }
TEspecie StrToTEspecie(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kEspecie); }

std::string LayOutToServico(TLayOutCTe t) { return dfe::EnumeradoToStr(t, kLayOut); }
TLayOutCTe ServicoToLayOut(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kLayOut); }

TSchemaCTe LayOutToSchema(TLayOutCTe t) { return LookUp(t, kLayOutSchema, schErro); }
std::string SchemaCTeToStr(TSchemaCTe t) { return dfe::EnumeradoToStr2(t, kSchemaNomes); }

dfe::TpcnTpEvento StrToTpEventoCTe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpEventoCTe); }

void RegistrarConversaoCTe()
{
    // The registry keeps the first registration of a name, which makes this idempotent.
    dfe::RegisterStrToTpEventoDFe(StrToTpEventoCTe, "CTe");
}

} // namespace cte
