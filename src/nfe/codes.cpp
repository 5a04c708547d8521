#include "nfe/codes.h"

#include "dfe/codes.h"
#include "dfe/codetable.h"
#include "rtl/text.h"

#include <cstddef>
#include <iterator>

namespace nfe {

namespace {

using dfe::TCodeRow;

using dfe::LookUp;
using dfe::TKeyRow;

// A printed text of an integer code, or the code followed by the fall-back word.
template <std::size_t N>
std::string IntCodeText(int code, const TKeyRow<int, std::string_view> (&rows)[N], std::string_view undefined)
{
    const std::string_view text = LookUp(code, rows, std::string_view());
    return text.empty() ? rtl::IntToStr(code) + std::string(undefined) : std::string(text);
}

// The same for a code held as text and read as a whole number; the fall-back keeps the text.
template <std::size_t N>
std::string TextCodeText(std::string_view code, const TKeyRow<int, std::string_view> (&rows)[N],
                         std::string_view undefined)
{
    const std::string_view text = LookUp(rtl::StrToIntDef(code, 0), rows, std::string_view());
    return text.empty() ? std::string(code) + std::string(undefined) : std::string(text);
}

constexpr std::string_view kNaoDefinido = "NÃO DEFINIDO";
constexpr std::string_view kNaoDefinida = "NÃO DEFINIDA";

constexpr TCodeRow<TpcnFinalidadeNFe> kFinNFe[] = {
    {fnNormal, "1"}, {fnComplementar, "2"}, {fnAjuste, "3"}, {fnDevolucao, "4"},
};

constexpr TCodeRow<TpcnModeloDF> kModeloDF[] = {{moNFe, "55"}, {moNFCe, "65"}};

constexpr TCodeRow<TpcnVersaoDF> kVersaoDF[] = {{ve200, "2.00"}, {ve300, "3.00"}, {ve310, "3.10"}, {ve400, "4.00"}};

// In ascending order: reading a number takes the last row not above it.
constexpr TKeyRow<TpcnVersaoDF, double> kVersaoDFNumero[] = {{ve200, 2.0}, {ve300, 3.0}, {ve310, 3.1}, {ve400, 4.0}};

constexpr TCodeRow<TpcnVersaoQrCode> kVersaoQrCode[] = {{veqr000, "0"}, {veqr100, "1"}, {veqr200, "2"}};

constexpr TKeyRow<TpcnVersaoQrCode, double> kVersaoQrCodeNumero[] = {{veqr000, 0.0}, {veqr100, 1.0}, {veqr200, 2.0}};

constexpr TCodeRow<TpcnTipoOperacao> kTpOp[] = {
    {toVendaConcessionaria, "1"}, {toFaturamentoDireto, "2"}, {toVendaDireta, "3"}, {toOutros, "0"},
};

constexpr TCodeRow<TpcnTipoOperacao> kTpOpTexto[] = {
    {toVendaConcessionaria, "1-VENDA CONCESSIONÁRIA"},
    {toFaturamentoDireto, "2-FAT. DIRETO CONS. FINAL"},
    {toVendaDireta, "3-VENDA DIRETA"},
    {toOutros, "0-OUTROS"},
};

constexpr TCodeRow<TpcnCondicaoVeiculo> kCondVeic[] = {{cvAcabado, "1"}, {cvInacabado, "2"}, {cvSemiAcabado, "3"}};

constexpr TCodeRow<TpcnCondicaoVeiculo> kCondVeicTexto[] = {
    {cvAcabado, "1-ACABADO"}, {cvInacabado, "2-INACABADO"}, {cvSemiAcabado, "3-SEMI-ACABADO"},
};

constexpr TCodeRow<TpcnTipoArma> kTpArma[] = {{taUsoPermitido, "0"}, {taUsoRestrito, "1"}};

constexpr TCodeRow<TpcnTipoArma> kTpArmaTexto[] = {{taUsoPermitido, "0-USO PERMITIDO"}, {taUsoRestrito, "1-USO RESTRITO"}};

constexpr TCodeRow<TpcnIndEscala> kIndEscala[] = {{ieRelevante, "S"}, {ieNaoRelevante, "N"}, {ieNenhum, ""}};

constexpr TCodeRow<TpcnModalidadeFrete> kModFrete[] = {
    {mfContaEmitente, "0"}, {mfContaDestinatario, "1"}, {mfContaTerceiros, "2"},
    {mfProprioRemetente, "3"}, {mfProprioDestinatario, "4"}, {mfSemFrete, "9"},
};

constexpr TCodeRow<TpcnModalidadeFrete> kModFreteTexto[] = {
    {mfContaEmitente, "0 - EMITENTE"},      {mfContaDestinatario, "1 - DEST/REM"},
    {mfContaTerceiros, "2 - TERCEIROS"},    {mfProprioRemetente, "3 - PROP/REMT"},
    {mfProprioDestinatario, "4 - PROP/DEST"}, {mfSemFrete, "9 - SEM FRETE"},
};

constexpr TCodeRow<TpcnModalidadeFrete> kModFreteTexto400[] = {
    {mfContaEmitente, "0 - REMETENTE"},     {mfContaDestinatario, "1 - DESTINATARIO"},
    {mfContaTerceiros, "2 - TERCEIROS"},    {mfProprioRemetente, "3 - PROP/REMT"},
    {mfProprioDestinatario, "4 - PROP/DEST"}, {mfSemFrete, "9 - SEM FRETE"},
};

constexpr TCodeRow<TLayOut> kLayOut[] = {
    {LayNfeRecepcao, "NfeRecepcao"},
    {LayNfeRetRecepcao, "NfeRetRecepcao"},
    {LayNfeCancelamento, "NfeCancelamento"},
    {LayNfeInutilizacao, "NfeInutilizacao"},
    {LayNfeConsulta, "NfeConsultaProtocolo"},
    {LayNfeStatusServico, "NfeStatusServico"},
    {LayNfeCadastro, "NfeConsultaCadastro"},
    {LayNFeCCe, "RecepcaoEvento"},
    {LayNFeEvento, "RecepcaoEvento"},
    {LayNFeEventoAN, "RecepcaoEvento"},
    {LayNFeConsNFeDest, "NfeConsultaDest"},
    {LayNFeDownloadNFe, "NfeDownloadNF"},
    {LayNfeAutorizacao, "NfeAutorizacao"},
    {LayNfeRetAutorizacao, "NfeRetAutorizacao"},
    {LayAdministrarCSCNFCe, "AdministrarCSCNFCe"},
    {LayDistDFeInt, "NFeDistribuicaoDFe"},
    {LayNFCeEPEC, "EventoEPEC"},
};

constexpr TKeyRow<TLayOut, TSchemaNFe> kLayOutSchema[] = {
    {LayNfeRecepcao, schNfe},
    {LayNfeRetRecepcao, schconsReciNFe},
    {LayNfeCancelamento, schcancNFe},
    {LayNfeInutilizacao, schInutNFe},
    {LayNfeConsulta, schconsSitNFe},
    {LayNfeStatusServico, schconsStatServ},
    {LayNfeCadastro, schconsCad},
    {LayNFeCCe, schenvEvento},
    {LayNFeEvento, schenvEvento},
    {LayNFeEventoAN, schenvEvento},
    {LayNFeConsNFeDest, schconsNFeDest},
    {LayNFeDownloadNFe, schdownloadNFe},
    {LayNfeAutorizacao, schNfe},
    {LayNfeRetAutorizacao, schretEnviNFe},
    {LayAdministrarCSCNFCe, schadmCscNFCe},
    {LayDistDFeInt, schdistDFeInt},
    {LayNFCeEPEC, scheventoEPEC},
};

// One name per schema, at the schema's ordinal.
constexpr std::string_view kSchemaNomes[] = {
    "Erro",
    "Nfe",
    "cancNFe",
    "InutNFe",
    "EnvCCe",
    "EnvEventoCancNFe",
    "EnvConfRecebto",
    "EnvEPEC",
    "consReciNFe",
    "consSitNFe",
    "consStatServ",
    "consCad",
    "envEvento",
    "consNFeDest",
    "downloadNFe",
    "retEnviNFe",
    "admCscNFCe",
    "distDFeInt",
    "eventoEPEC",
    "CancSubst",
    "PedProrrog1",
    "PedProrrog2",
    "CanPedProrrog1",
    "CanPedProrrog2",
    "ManifDestConfirmacao",
    "ManifDestCiencia",
    "ManifDestDesconhecimento",
    "ManifDestOperNaoRealizada",
};
static_assert(std::size(kSchemaNomes) == schManifDestOperNaoRealizada + 1, "one name per schema");

constexpr TCodeRow<TSchemaNFe> kSchemaEvento[] = {
    {schEnvCCe, "e110110"},
    {schcancNFe, "e110111"},
    {schCancSubst, "e110112"},
    {schEnvEPEC, "e110140"},
    {schPedProrrog1, "e111500"},
    {schPedProrrog2, "e111501"},
    {schCanPedProrrog1, "e111502"},
    {schCanPedProrrog2, "e111503"},
    {schManifDestConfirmacao, "e210200"},
    {schManifDestCiencia, "e210210"},
    {schManifDestDesconhecimento, "e210220"},
    {schManifDestOperNaoRealizada, "e210240"},
};

constexpr TCodeRow<dfe::TpcnTpEvento> kTpEventoNFe[] = {
    {dfe::teNaoMapeado, "-99999"},
    {dfe::teCCe, "110110"},
    {dfe::teCancelamento, "110111"},
    {dfe::teCancSubst, "110112"},
    {dfe::teEPECNFe, "110140"},
    {dfe::tePedProrrog1, "111500"},
    {dfe::tePedProrrog2, "111501"},
    {dfe::teCanPedProrrog1, "111502"},
    {dfe::teCanPedProrrog2, "111503"},
    {dfe::teManifDestConfirmacao, "210200"},
    {dfe::teManifDestCiencia, "210210"},
    {dfe::teManifDestDesconhecimento, "210220"},
    {dfe::teManifDestOperNaoRealizada, "210240"},
    {dfe::teRegistroCTe, "610600"},
    {dfe::teMDFeAutorizadoComCTe, "610614"},
    {dfe::teAverbacaoExportacao, "790700"},
    {dfe::teVistoriaSuframa, "990900"},
    {dfe::teConfInternalizacao, "990910"},
};

constexpr TKeyRow<int, std::string_view> kRestricao[] = {
    {0, "0-NÃO HÁ"},
    {1, "1-ALIENAÇÃO FIDUCIÁRIA"},
    {2, "2-RESERVA DE DOMICÍLIO"},
    {3, "3-RESERVA DE DOMÍNIO"},
    {4, "4-PENHOR DE VEÍCULOS"},
    {9, "9-OUTRAS"},
};

constexpr TKeyRow<int, std::string_view> kCorDENATRAN[] = {
    {1, "01-AMARELO"}, {2, "02-AZUL"},     {3, "03-BEGE"},     {4, "04-BRANCA"},
    {5, "05-CINZA"},   {6, "06-DOURADA"},  {7, "07-GRENÁ"},    {8, "08-LARANJA"},
    {9, "09-MARROM"},  {10, "10-PRATA"},   {11, "11-PRETA"},   {12, "12-ROSA"},
    {13, "13-ROXA"},   {14, "14-VERDE"},   {15, "15-VERMELHA"}, {16, "16-FANTASIA"},
};

// Exact text, letter case included: not a code table, whose rule ignores case.
constexpr TKeyRow<std::string_view, std::string_view> kVin[] = {{"R", "R-REMARCADO"}, {"N", "N-NORMAL"}};

constexpr TKeyRow<int, std::string_view> kEspecie[] = {
    {1, "01-PASSAGEIRO"}, {2, "02-CARGA"},    {3, "03-MISTO"},   {4, "04-CORRIDA"},
    {5, "05-TRAÇÃO"},     {6, "06-ESPECIAL"}, {7, "07-COLEÇÃO"},
};

constexpr TKeyRow<int, std::string_view> kTipoVeiculo[] = {
    {1, "01-BICICLETA"},
    {2, "02-CICLOMOTOR"},
    {3, "03-MOTONETA"},
    {4, "04-MOTOCICLETA"},
    {5, "05-TRICICLO"},
    {6, "06-AUTOMÓVEL"},
    {7, "07-MICROONIBUS"},
    {8, "08-ONIBUS"},
    {9, "09-BONDE"},
    {10, "10-REBOQUE"},
    {11, "11-SEMI-REBOQUE"},
    {12, "12-CHARRETE"},
    {13, "13-CAMIONETA"},
    {14, "14-CAMINHÃO"},
    {15, "15-CARROÇA"},
    {16, "16-CARRO DE MÃO"},
    {17, "17-CAMINHÃO TRATOR"},
    {18, "18-TRATOR DE RODAS"},
    {19, "19-TRATOR DE ESTEIRAS"},
    {20, "20-TRATOR MISTO"},
    {21, "21-QUADRICICLO"},
    {22, "22-CHASSI/PLATAFORMA"},
    {23, "23-CAMINHONETE"},
    {24, "24-SIDE-CAR"},
    {25, "25-UTILITÁRIO"},
    {26, "26-MOTOR-CASA"},
};

constexpr TKeyRow<int, std::string_view> kCombustivel[] = {
    {1, "01-ÁLCOOL"},
    {2, "02-GASOLINA"},
    {3, "03-DIESEL"},
    {4, "04-GASOGÊNIO"},
    {5, "05-GÁS METANO"},
    {6, "06-ELETRICO/F INTERNA"},
    {7, "07-ELETRICO/F EXTERNA"},
    {8, "08-GASOLINA/GNC"},
    {9, "09-ÁLCOOL/GNC"},
    {10, "10-DIESEL / GNC"},
    {11, "11-VIDE CAMPO OBSERVAÇÃO"},
    {12, "12-ÁLCOOL/GNV"},
    {13, "13-GASOLINA/GNV"},
    {14, "14-DIESEL/GNV"},
    {15, "15-GÁS NATURAL VEICULAR"},
    {16, "16-ÁLCOOL/GASOLINA"},
    {17, "17-GASOLINA/ÁLCOOL/GNV"},
    {18, "18-GASOLINA/ELÉTRICO"},
};

} // namespace

std::string FinNFeToStr(TpcnFinalidadeNFe t) { return dfe::EnumeradoToStr(t, kFinNFe); }
TpcnFinalidadeNFe StrToFinNFe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kFinNFe); }

std::string ModeloDFToStr(TpcnModeloDF t) { return dfe::EnumeradoToStr(t, kModeloDF); }
TpcnModeloDF StrToModeloDF(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kModeloDF); }
std::string ModeloDFToPrefixo(TpcnModeloDF t) { return t == moNFCe ? "NFCe" : "NFe"; }

std::string VersaoDFToStr(TpcnVersaoDF t) { return dfe::EnumeradoToStr(t, kVersaoDF); }
double VersaoDFToDbl(TpcnVersaoDF t) { return LookUp(t, kVersaoDFNumero, 0.0); }

TpcnVersaoDF DblToVersaoDF(bool &ok, double d)
{
    ok = true;
    // 3.10 as read from a file is the double just above 3.1, so it is not below the row 3.1.
    const auto i = dfe::LastMatchingEntry(std::size(kVersaoDFNumero),
                                          [&](std::size_t k) { return kVersaoDFNumero[k].value <= d; });
    return kVersaoDFNumero[i < 0 ? 0 : i].key;
}

std::string VersaoQrCodeToStr(TpcnVersaoQrCode t) { return dfe::EnumeradoToStr(t, kVersaoQrCode); }
double VersaoQrCodeToDbl(TpcnVersaoQrCode t) { return LookUp(t, kVersaoQrCodeNumero, 0.0); }

std::string tpOPToStr(TpcnTipoOperacao t) { return dfe::EnumeradoToStr(t, kTpOp); }
TpcnTipoOperacao StrTotpOP(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpOp); }
std::string VeiculosTipoOperStr(TpcnTipoOperacao t) { return dfe::EnumeradoToStr(t, kTpOpTexto); }

std::string condVeicToStr(TpcnCondicaoVeiculo t) { return dfe::EnumeradoToStr(t, kCondVeic); }
TpcnCondicaoVeiculo StrTocondVeic(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kCondVeic); }
std::string VeiculosCondicaoStr(TpcnCondicaoVeiculo t) { return dfe::EnumeradoToStr(t, kCondVeicTexto); }

std::string tpArmaToStr(TpcnTipoArma t) { return dfe::EnumeradoToStr(t, kTpArma); }
TpcnTipoArma StrTotpArma(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpArma); }
std::string ArmaTipoStr(TpcnTipoArma t) { return dfe::EnumeradoToStr(t, kTpArmaTexto); }

std::string IndEscalaToStr(TpcnIndEscala t) { return dfe::EnumeradoToStr(t, kIndEscala); }
TpcnIndEscala StrToIndEscala(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kIndEscala); }

std::string modFreteToStr(TpcnModalidadeFrete t) { return dfe::EnumeradoToStr(t, kModFrete); }
TpcnModalidadeFrete StrTomodFrete(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kModFrete); }
std::string modFreteToDesStr(TpcnModalidadeFrete t, TpcnVersaoDF versao)
{
    return versao == ve400 ? dfe::EnumeradoToStr(t, kModFreteTexto400) : dfe::EnumeradoToStr(t, kModFreteTexto);
}

std::string LayOutToServico(TLayOut t) { return dfe::EnumeradoToStr(t, kLayOut); }
TLayOut ServicoToLayOut(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kLayOut); }

TSchemaNFe LayOutToSchema(TLayOut t) { return LookUp(t, kLayOutSchema, schErro); }
std::string SchemaNFeToStr(TSchemaNFe t) { return dfe::EnumeradoToStr2(t, kSchemaNomes); }
std::string SchemaEventoToStr(TSchemaNFe t) { return dfe::EnumeradoToStr(t, kSchemaEvento); }

dfe::TpcnTpEvento StrToTpEventoNFe(bool &ok, std::string_view s) { return dfe::StrToEnumerado(ok, s, kTpEventoNFe); }

void RegistrarConversaoNFe()
{
    // The registry keeps the first registration of a name, which makes this idempotent.
    dfe::RegisterStrToTpEventoDFe(StrToTpEventoNFe, "NFe");
}

std::string VeiculosRestricaoStr(int code) { return IntCodeText(code, kRestricao, kNaoDefinido); }
std::string VeiculosCorDENATRANStr(std::string_view code) { return TextCodeText(code, kCorDENATRAN, kNaoDefinida); }

std::string VeiculosVinStr(std::string_view code)
{
    return std::string(LookUp(code, kVin, kNaoDefinida));
}

std::string VeiculosEspecieStr(int code) { return IntCodeText(code, kEspecie, kNaoDefinida); }
std::string VeiculosTipoStr(int code) { return IntCodeText(code, kTipoVeiculo, kNaoDefinido); }
std::string VeiculosCombustivelStr(std::string_view code) { return TextCodeText(code, kCombustivel, kNaoDefinido); }

} // namespace nfe
