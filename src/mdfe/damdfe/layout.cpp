#include "mdfe/damdfe/layout.h"

#include "mdfe/damdfe/component.h"

#include "dfe/accesskey.h"
#include "dfe/codes_transport.h"
#include "dfe/report/layout_construcao.h"
#include "dfe/report/pecas.h"
#include "dfe/report/routines.h"
#include "rtl/datetime.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cctype>

namespace mdfe {

namespace {

using report::Band;
using report::BandKind;
using report::HAlign;
using report::PrintContext;

constexpr double kLargura = 742;
constexpr double kMeio = kLargura / 2;
// Where the road band's lower half (toll vouchers, insurance) starts as designed.
constexpr double kTopoMetadeInferior = 104;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// The bottom of a memo at the top given, as tall as its text.
double Fundo(const report::Memo &AMemo, const PrintContext &AContexto, const report::Font &AFonteRelatorio)
{
    return AMemo.bounds.top() + (AMemo.visible ? AMemo.neededHeight(AContexto.measurer(), AFonteRelatorio) : 0);
}

void Juntar(std::string &ATexto, std::string_view ALinha)
{
    if (!ATexto.empty())
        ATexto += '\n';
    ATexto += ALinha;
}

std::string Trocar(std::string ATexto, std::string_view ADe, std::string_view APara, bool AIgnorarCaixa)
{
    if (ADe.empty())
        return ATexto;
    const auto igual = [AIgnorarCaixa](char a, char b) {
        return AIgnorarCaixa ? std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b))
                             : a == b;
    };
    std::string out;
    out.reserve(ATexto.size());
    std::size_t i = 0;
    while (i < ATexto.size()) {
        if (i + ADe.size() <= ATexto.size() &&
            std::equal(ADe.begin(), ADe.end(), ATexto.begin() + static_cast<std::ptrdiff_t>(i), igual)) {
            out += APara;
            i += ADe.size();
        } else {
            out += ATexto[i++];
        }
    }
    return out;
}

std::string TextoModal(TModalMDFe AModal)
{
    switch (AModal) {
    case moRodoviario: return "MODAL RODOVIÁRIO DE CARGA";
    case moAereo: return "MODAL AÉREO DE CARGA";
    case moAquaviario: return "MODAL AQUAVIÁRIO DE CARGA";
    case moFerroviario: return "MODAL FERROVIÁRIO DE CARGA";
    }
    return {};
}

// What the tables' values are read from.
struct TDadosDAMDFe {
    const TMDFe &mdfe;
    const TOvixMDFeDAMDFeRL &damdfe;
};
using TPeca = dfe::TPeca<TDadosDAMDFe>;

constexpr dfe::TFontePeca TimesPeca(int pixels, bool negrito = false)
{
    return {pixels, negrito, "Times New Roman"};
}

// A caption: Times of the given size, one line.
constexpr dfe::TDadosPeca LegendaPeca(const char *nome, double x, double y, double w, const char *texto,
                                      int tamanho, bool negrito = false, HAlign alinhamento = HAlign::Left)
{
    return dfe::Rotulo(nome, x, y, w, tamanho + 3, texto, TimesPeca(tamanho, negrito), alinhamento);
}

// The strip of captions over values at the foot of the header: each cell runs from x0 to
// x1, its divider (none on the first) on x0.
constexpr double kTopoFaixa = 230 - 31;

constexpr dfe::TDadosPeca LegendaFaixa(const char *nome, const char *texto, double x0, double x1)
{
    return LegendaPeca(nome, x0 + 3, kTopoFaixa + 2, x1 - x0 - 6, texto, 7);
}

constexpr dfe::TDadosPeca DivisorFaixa(const char *nome, double x0)
{
    return dfe::LinhaV(nome, x0, kTopoFaixa, 31);
}

constexpr dfe::TDadosPeca ValorFaixa(const char *nome, double x0, double x1, int tamanho,
                                     HAlign alinhamento = HAlign::Left)
{
    return dfe::Rotulo(nome, x0 + 4, kTopoFaixa + 12, x1 - x0 - 8, tamanho + 4, "", TimesPeca(tamanho, true),
                       alinhamento);
}

constexpr TPeca kDadosManifesto[] = {
    dfe::Memo("rlmEmitente", 4, 4, 586, 16, "", TimesPeca(11, true), HAlign::Center),
    dfe::Retangulo(dfe::TTipoPeca::Imagem, "rliLogo", 4, 26, 94, 62),
    dfe::Memo("rlmDadosEmitente", 104, 26, 484, 128, "", TimesPeca(9)),
    dfe::Retangulo(dfe::TTipoPeca::QRCode, "imgQRCode", kLargura - 115, 4, 111, 107),
    LegendaPeca("rlLabel17", 4, 160, 150, "DAMDFE", 19, true),
    LegendaPeca("rlLabel1", 150, 166, 588, "Documento Auxiliar de Manifesto Eletrônico de Documentos Fiscais", 11),

    dfe::LinhaH("rlsLinhaFaixa", 0, kTopoFaixa, kLargura),
    LegendaFaixa("rlLabel2", "MODELO", 0, 62),
    LegendaFaixa("rlLabel3", "SÉRIE", 62, 124),
    DivisorFaixa("rlsDiv_rlLabel3", 62),
    LegendaFaixa("rlLabel4", "NÚMERO", 124, 262),
    DivisorFaixa("rlsDiv_rlLabel4", 124),
    LegendaFaixa("rlLabel5", "FOLHA", 262, 342),
    DivisorFaixa("rlsDiv_rlLabel5", 262),
    LegendaFaixa("rlLabel6", "DATA E HORA DE EMISSÃO", 342, 532),
    DivisorFaixa("rlsDiv_rlLabel6", 342),
    LegendaFaixa("rlLabel7", "UF Carrega", 532, 637),
    DivisorFaixa("rlsDiv_rlLabel7", 532),
    LegendaFaixa("rlLabel8", "UF Descar.", 637, kLargura),
    DivisorFaixa("rlsDiv_rlLabel8", 637),
    {ValorFaixa("rllModelo", 0, 62, 11), [](const TDadosDAMDFe &d) { return d.mdfe.Ide.modelo; }},
    {ValorFaixa("rllSerie", 62, 124, 11),
     [](const TDadosDAMDFe &d) { return util::IntToStrZero(d.mdfe.Ide.serie, 3); }},
    {ValorFaixa("rllNumMDFe", 124, 262, 13, HAlign::Right),
     [](const TDadosDAMDFe &d) { return dfe::FormatarNumeroDocumentoFiscal(std::to_string(d.mdfe.Ide.nMDF)); }},
    dfe::CampoPagina(dfe::TTipoPeca::PaginaDeTotal, "rlsFolha", 262 + 4, kTopoFaixa + 12, 72, 15, "0#/0#",
                     TimesPeca(11, true)),
    {ValorFaixa("rllEmissao", 342, 532, 11),
     [](const TDadosDAMDFe &d) { return util::FormatDateTimeBr(d.mdfe.Ide.dhEmi); }},
    {ValorFaixa("rllUFCarrega", 532, 637, 9), [](const TDadosDAMDFe &d) { return d.mdfe.Ide.UFIni; }},
    {ValorFaixa("rllUFDescarrega", 637, kLargura, 9), [](const TDadosDAMDFe &d) { return d.mdfe.Ide.UFFim; }},
};

// The totals: the modal over four cells of a caption over its value, the protocol under
// them; the key's block on the right.
constexpr double kDireitaTotais = 444;

constexpr dfe::TDadosPeca LegendaTotal(const char *nome, const char *texto, double x0, double x1)
{
    return LegendaPeca(nome, x0 + 2, 24, x1 - x0 - 4, texto, 11, false, HAlign::Center);
}

constexpr dfe::TDadosPeca ValorTotal(const char *nome, double x0, double x1)
{
    return dfe::Rotulo(nome, x0 + 2, 40, x1 - x0 - 4, 17, "", TimesPeca(13, true), HAlign::Center);
}

// The key: the 44 characters after "MDFe".
std::string ChaveDAMDFe(const TDadosDAMDFe &d)
{
    const std::string &id = d.mdfe.infMDFe.Id;
    return id.size() > 4 ? id.substr(4, 44) : std::string();
}

constexpr TPeca kTotais[] = {
    {dfe::Rotulo("rllModal", 0, 4, kDireitaTotais, 16, "", TimesPeca(11, true), HAlign::Center),
     [](const TDadosDAMDFe &d) { return TextoModal(d.mdfe.Ide.modal); }},
    LegendaTotal("rlLabel10", "QTDE CT-e", 0, 82),
    {ValorTotal("rllqCTe", 0, 82), [](const TDadosDAMDFe &d) { return util::FormatFloatBr(d.mdfe.tot.qCTe, "#0"); }},
    {LegendaTotal("lblQTDENFeMDFe", "", 82, 166),
     [](const TDadosDAMDFe &d) { return std::string(d.mdfe.tot.qMDFe > 0 ? "QTDE MDF-e" : "QTDE NF-e"); }},
    {ValorTotal("rllqNFeMDFe", 82, 166),
     [](const TDadosDAMDFe &d) {
         const Ttot &tot = d.mdfe.tot;
         return util::FormatFloatBr(tot.qMDFe > 0 ? tot.qMDFe : tot.qNFe, "#0");
     }},
    {LegendaTotal("rlLabel12", "", 166, 284),
     [](const TDadosDAMDFe &d) {
         return std::string(d.mdfe.tot.cUnid == dfe::uTON ? "PESO TOTAL (Ton)" : "PESO TOTAL (Kg)");
     }},
    {ValorTotal("rllPesoTotal", 166, 284),
     [](const TDadosDAMDFe &d) { return util::FormatFloatBr(d.mdfe.tot.qCarga, ",#0.0000"); }},
    LegendaTotal("rllTituloValorMerc", "VALOR DA MERCADORIA R$", 284, kDireitaTotais),
    {ValorTotal("rllValorMercadoria", 284, kDireitaTotais),
     [](const TDadosDAMDFe &d) { return util::FormatFloatBr(d.mdfe.tot.vCarga, ",#0.00"); }},

    LegendaPeca("rlLabel14", 0, 66, kDireitaTotais, "PROTOCOLO DE AUTORIZAÇÃO DE USO", 7, true, HAlign::Center),
    {dfe::Memo("rllProtocolo", 4, 78, kDireitaTotais - 8, 14, "", TimesPeca(11, true), HAlign::Center).AutoAltura(),
     [](const TDadosDAMDFe &d) { return ProtocoloDAMDFe(d.mdfe, d.damdfe.Protocolo()); }},

    // The divider runs to the band's bottom, whatever height the band takes.
    dfe::LinhaV("rlsDivChave", kDireitaTotais, 0, 1).Esticada(),
    LegendaPeca("rlLabel15", kDireitaTotais, 4, kLargura - kDireitaTotais, "Controle do Fisco", 8, true,
                HAlign::Center),
    {dfe::CodigoBarras("RLBarcode1", kDireitaTotais, 18, kLargura - kDireitaTotais, 39, kModuloCodigoBarrasMDFe),
     ChaveDAMDFe},
    LegendaPeca("rlLabel16", kDireitaTotais, 62, kLargura - kDireitaTotais, "Chave de acesso", 8, true, HAlign::Center),
    {dfe::Memo("rllChave", kDireitaTotais + 2, 76, kLargura - kDireitaTotais - 4, 16, "", TimesPeca(11, true),
               HAlign::Center)
         .SemQuebra(),
     [](const TDadosDAMDFe &d) { return dfe::FormatarChaveAcesso(ChaveDAMDFe(d)); }},
};

// A memo that grows with its text.
constexpr dfe::TDadosPeca MemoCrescentePeca(const char *nome, double x, double y, double w, int tamanho)
{
    return dfe::Memo(nome, x, y, w, tamanho + 3, "", TimesPeca(tamanho)).AutoAltura();
}

// A vertical line from y to the band's bottom, whatever height the band takes.
constexpr dfe::TDadosPeca DivisorAteOFimPeca(const char *nome, double x, double y)
{
    return dfe::LinhaV(nome, x, y, 1).Esticada();
}

// Vehicles and drivers; under them (kTopoMetadeInferior down) toll vouchers and insurance.
constexpr TPeca kRodoviario[] = {
    LegendaPeca("rlLabel20", 4, 2, kMeio - 8, "Veículo", 11, true),
    LegendaPeca("rlLabel21", 4, 18, 180, "Placa", 11),
    LegendaPeca("rlLabel22", 188, 18, 180, "RNTRC", 11),
    MemoCrescentePeca("rlmPlaca", 4, 34, 180, 9),
    MemoCrescentePeca("rlmRNTRC", 188, 34, 180, 9),

    LegendaPeca("rlLabel23", kMeio + 4, 2, kMeio - 8, "Condutor", 11, true),
    LegendaPeca("rlLabel24", kMeio + 4, 18, 110, "CPF", 11),
    LegendaPeca("rlLabel25", kMeio + 118, 18, 250, "Nome", 11),
    MemoCrescentePeca("rlmCPF", kMeio + 4, 34, 110, 9),
    MemoCrescentePeca("rlmCondutor", kMeio + 118, 34, 250, 9),

    dfe::LinhaH("rlsLinhaRodo", 0, kTopoMetadeInferior, kLargura),
    LegendaPeca("rlLabel26", 4, 106, kMeio - 8, "Vale Pedágio", 11, true),
    LegendaPeca("rlLabel27", 4, 122, 120, "Responsável CNPJ", 11),
    LegendaPeca("rlLabel28", 126, 122, 120, "Fornecedor CNPJ", 11),
    LegendaPeca("rlLabel29", 248, 122, 120, "N. Comprovante", 11),
    MemoCrescentePeca("rlmRespCNPJ", 4, 138, 120, 9),
    MemoCrescentePeca("rlmFornCNPJ", 126, 138, 120, 9),
    MemoCrescentePeca("rlmNumComprovante", 248, 138, 120, 9),

    LegendaPeca("rlLabel30", kMeio + 4, 106, 150, "Responsável pelo Seguro - ", 11, true),
    LegendaPeca("rlmRespSeguro", kMeio + 154, 106, 210, "", 11, true),
    LegendaPeca("rlLabel31", kMeio + 4, 122, 200, "Nome da Seguradora", 11),
    LegendaPeca("rlLabel32", kMeio + 208, 122, 160, "Número da Apólice", 11),
    MemoCrescentePeca("rlmRespSeguradora", kMeio + 4, 138, 200, 9),
    MemoCrescentePeca("rlmRespApolice", kMeio + 208, 138, 160, 9),

    DivisorAteOFimPeca("rlsDivRodo", kMeio, 0),
};

// The vessel; the loading and unloading terminals side by side.
constexpr TPeca kAquaviario[] = {
    LegendaPeca("rlLabel40", 4, 4, 200, "Código da Embarcação", 11),
    dfe::Rotulo("rllCodEmbar", 4, 20, 200, 17, "", TimesPeca(13, true)),
    LegendaPeca("rlLabel41", 212, 4, 526, "Nome da Embarcação", 11),
    dfe::Rotulo("rllNomeEmbar", 212, 20, 526, 17, "", TimesPeca(13, true)),
    dfe::LinhaH("rlsLinhaAquav", 0, 42, kLargura),

    LegendaPeca("rlLabel42", 4, 46, 80, "Código", 11),
    LegendaPeca("rlLabel43", 88, 46, kMeio - 92, "Nome do Terminal de Carregamento", 11),
    MemoCrescentePeca("rlmCodCarreg", 4, 62, 80, 9),
    MemoCrescentePeca("rlmNomeCarreg", 88, 62, kMeio - 92, 9),
    LegendaPeca("rlLabel44", kMeio + 4, 46, 80, "Código", 11),
    LegendaPeca("rlLabel45", kMeio + 88, 46, kMeio - 92, "Nome do Terminal de Descarregamento", 11),
    MemoCrescentePeca("rlmCodDescarreg", kMeio + 4, 62, 80, 9),
    MemoCrescentePeca("rlmNomeDescarreg", kMeio + 88, 62, kMeio - 92, 9),
    DivisorAteOFimPeca("rlsDivAquav", kMeio, 42),
};

// The titles of the documents' list, over each of its two columns ('%': the column, from 1).
constexpr TPeca kTituloDocumentos[] = {
    LegendaPeca("rlLabel50", 0, 2, kLargura, "RELAÇÃO DOS DOCUMENTOS FISCAIS ELETRÔNICOS", 9, true, HAlign::Center),
};
constexpr TPeca kTitulosColuna[] = {
    LegendaPeca("rlLabelTpDoc%", 4, 18, 90, "TP DOC.", 7),
    LegendaPeca("rlLabelCNPJ%", 96, 18, 120, "CNPJ/CPF EMITENTE", 7),
    LegendaPeca("rlLabelSerie%", 218, 18, 150, "SÉRIE/NRO. DOCUMENTO", 7),
};

// An unloading municipality over its documents in two columns.
constexpr TPeca kItens[] = {
    LegendaPeca("rlbMunicipio", 4, 2, kLargura - 8, "", 11),
    dfe::LinhaH("rlsLinhaMunicipio", 0, 18, kLargura),
    MemoCrescentePeca("rlmChave1", 4, 22, kMeio - 8, 11),
    MemoCrescentePeca("rlmChave2", kMeio + 4, 22, kMeio - 8, 11),
    DivisorAteOFimPeca("rlsDivItens", kMeio, 18),
};

// Observations, the status lines and the print line; PrepararObservacao moves them under
// the observations.
constexpr TPeca kObservacao[] = {
    LegendaPeca("rlLabel60", 4, 2, 200, "Observação", 9, true),
    MemoCrescentePeca("rlmObservacao", 4, 16, 734, 9),
    dfe::Rotulo("rllMsg1", 0, 60, kLargura, 31, "", TimesPeca(27, true), HAlign::Center),
    dfe::Rotulo("rllMsg2", 0, 92, kLargura, 31, "", TimesPeca(27, true), HAlign::Center),
    dfe::Rotulo("rllDataHoraImpressao", 4, 138, 440, 12, "", TimesPeca(8)),
    dfe::Rotulo("rllSistema", 444, 138, 294, 12, "", TimesPeca(8), HAlign::Right),
};

} // namespace

// ---- Texts -----------------------------------------------------------------------------------

std::string QuebrarLinhasObservacao(std::string_view AinfCpl)
{
    // The marker reaches the model escaped or not, depending on how the issuer wrote it.
    std::string texto = Trocar(std::string(AinfCpl), "&lt;BR&gt;", "\n", true);
    texto = Trocar(std::move(texto), "<BR>", "\n", true);
    return Trocar(std::move(texto), ";", "\n", false);
}

TStatusDAMDFe StatusDAMDFe(const TMDFe &AMDFe, bool ACancelada, bool AEncerrado)
{
    TStatusDAMDFe status;
    const int cStat = AMDFe.procMDFe.cStat;
    if (cStat < 1) {
        status.Msg1 = "MDF-E NÃO ENVIADO PARA SEFAZ";
        return status;
    }
    if (AMDFe.Ide.tpAmb == dfe::taHomologacao)
        status.Msg1 = "AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL";
    // In order: a later test replaces what an earlier one set.
    if (cStat == 101 || ACancelada)
        status.Msg2 = "MDF-e CANCELADO";
    if (cStat == 100 && AEncerrado)
        status.Msg2 = "MDF-e ENCERRADO";
    if (cStat == 110)
        status.Msg2 = "MDF-e DENEGADO";
    if (cStat != 100 && cStat != 101 && cStat != 110)
        status.Msg2 = AMDFe.procMDFe.xMotivo;
    return status;
}

std::string ProtocoloDAMDFe(const TMDFe &AMDFe, std::string_view AProtocolo)
{
    if (AMDFe.Ide.tpEmis != dfe::teNormal)
        return "EMISSÃO EM CONTINGÊNCIA. Obrigatória a autorização em 168 horas após esta Emissão (" +
               rtl::FormatDateTime("dd/mm/yyyy hh:nn", AMDFe.Ide.dhEmi) + ")";
    if (!AProtocolo.empty())
        return std::string(AProtocolo);
    const TProcMDFe &proc = AMDFe.procMDFe;
    return proc.nProt + "   " + (proc.dhRecbto == 0 ? std::string() : rtl::DateTimeToStr(proc.dhRecbto));
}

// ---- Construction ------------------------------------------------------------------------------

TfrlDAMDFeRLRetrato::TfrlDAMDFeRLRetrato()
{
    RLMDFe.font = dfe::CriarFonte(8, false, "Courier New");
    RLMDFe.caption = "Manifesto - Retrato";
    RLMDFe.title = "Manifesto Eletrônico de Documentos Fiscais - MDF-e";
    RLMDFe.frame = report::Borders::all();

    CriarDadosManifesto();
    CriarTotais();
    CriarRodoviario();
    CriarAquaviario();
    CriarDocumentos();
    CriarObservacao();

    RLMDFe.beforePrint = [this](report::Report &, PrintContext &contexto) { AntesDeImprimir(contexto); };
}

TfrlDAMDFeRLRetrato::~TfrlDAMDFeRLRetrato() = default;

std::unique_ptr<TfrlDAMDFeRL> TfrlDAMDFeRLRetrato::Criar()
{
    return std::make_unique<TfrlDAMDFeRLRetrato>();
}

void TfrlDAMDFeRLRetrato::CriarDadosManifesto()
{
    Band &b = RLMDFe.addBand(BandKind::PageHeader, 230, "rlb_1_DadosManifesto");
    rlb_1_DadosManifesto = &b;
    FPecasManifesto = dfe::CriarPecas<TDadosDAMDFe>(b, kDadosManifesto);
    const dfe::TPecasCriadas &p = FPecasManifesto;
    rlmEmitente = &p.De<report::Memo>("rlmEmitente");
    rliLogo = &p.De<report::Image>("rliLogo");
    rlmDadosEmitente = &p.De<report::Memo>("rlmDadosEmitente");
    imgQRCode = &p.De<report::QRCode>("imgQRCode");
}

void TfrlDAMDFeRLRetrato::CriarTotais()
{
    Band &b = RLMDFe.addBand(BandKind::Title, 112, "rlb_2");
    rlb_2 = &b;
    b.borders.top = true;
    b.autoSize = true;
    FPecasTotais = dfe::CriarPecas<TDadosDAMDFe>(b, kTotais);
    const dfe::TPecasCriadas &p = FPecasTotais;
    rllTituloValorMerc = &p.De<report::Label>("rllTituloValorMerc");
    rllValorMercadoria = &p.De<report::Label>("rllValorMercadoria");
    rllChave = &p.De<report::Memo>("rllChave");
}

void TfrlDAMDFeRLRetrato::CriarRodoviario()
{
    Band &b = RLMDFe.addBand(BandKind::Title, 208, "rlb_2_Rodo");
    rlb_2_Rodo = &b;
    b.borders.top = true;
    b.autoSize = true;
    // Many trailers or drivers may make it taller than the room left: it continues.
    b.canSplit = true;

    const dfe::TPecasCriadas p = dfe::CriarPecas<TDadosDAMDFe>(b, kRodoviario);
    rlmPlaca = &p.De<report::Memo>("rlmPlaca");
    rlmRNTRC = &p.De<report::Memo>("rlmRNTRC");
    rlmCPF = &p.De<report::Memo>("rlmCPF");
    rlmCondutor = &p.De<report::Memo>("rlmCondutor");
    rlmRespCNPJ = &p.De<report::Memo>("rlmRespCNPJ");
    rlmFornCNPJ = &p.De<report::Memo>("rlmFornCNPJ");
    rlmNumComprovante = &p.De<report::Memo>("rlmNumComprovante");
    rlmRespSeguro = &p.De<report::Label>("rlmRespSeguro");
    rlmRespSeguradora = &p.De<report::Memo>("rlmRespSeguradora");
    rlmRespApolice = &p.De<report::Memo>("rlmRespApolice");
    // The lower half; PrepararRodoviario moves it below the longest list above.
    for (const auto &controle : b.controls())
        if (controle->bounds.top() >= kTopoMetadeInferior)
            FMetadeInferiorRodo.emplace_back(controle.get(), controle->bounds.top());

    // Air and rail manifests print no modal band.
    rlb_3_Aereo = &RLMDFe.addBand(BandKind::Title, 20, "rlb_3_Aereo");
    rlb_3_Aereo->visible = false;
    rlb_5_Ferrov = &RLMDFe.addBand(BandKind::Title, 20, "rlb_5_Ferrov");
    rlb_5_Ferrov->visible = false;
}

void TfrlDAMDFeRLRetrato::CriarAquaviario()
{
    Band &b = RLMDFe.addBand(BandKind::ColumnHeader, 121, "rlb_4_Aquav");
    rlb_4_Aquav = &b;
    b.borders = report::Borders::all();
    b.autoSize = true;

    const dfe::TPecasCriadas p = dfe::CriarPecas<TDadosDAMDFe>(b, kAquaviario);
    rllCodEmbar = &p.De<report::Label>("rllCodEmbar");
    rllNomeEmbar = &p.De<report::Label>("rllNomeEmbar");
    rlmCodCarreg = &p.De<report::Memo>("rlmCodCarreg");
    rlmNomeCarreg = &p.De<report::Memo>("rlmNomeCarreg");
    rlmCodDescarreg = &p.De<report::Memo>("rlmCodDescarreg");
    rlmNomeDescarreg = &p.De<report::Memo>("rlmNomeDescarreg");
}

void TfrlDAMDFeRLRetrato::CriarDocumentos()
{
    Band &t = RLMDFe.addBand(BandKind::ColumnHeader, 32, "rlb_7_Documentos_Titulos");
    rlb_7_Documentos_Titulos = &t;
    t.borders.top = true;
    t.borders.bottom = true;
    dfe::CriarPecas<TDadosDAMDFe>(t, kTituloDocumentos);
    dfe::CriarPecas<TDadosDAMDFe>(t, kTitulosColuna, {0, 0, "1"});
    dfe::CriarPecas<TDadosDAMDFe>(t, kTitulosColuna, {kMeio, 0, "2"});

    subItens = &RLMDFe.addSubReport("subItens");
    subItens->onRecord = [this](int registro, PrintContext &) {
        return fpMDFe != nullptr && registro <= fpMDFe->infDoc.infMunDescarga.Count();
    };
    Band &b = subItens->addBand(BandKind::Detail, 49, "rlbItens");
    rlbItens = &b;
    b.autoSize = true;
    b.canSplit = true;
    b.borders.bottom = true;
    const dfe::TPecasCriadas p = dfe::CriarPecas<TDadosDAMDFe>(b, kItens);
    rlbMunicipio = &p.De<report::Label>("rlbMunicipio");
    rlmChave1 = &p.De<report::Memo>("rlmChave1");
    rlmChave2 = &p.De<report::Memo>("rlmChave2");
    b.beforePrint = [this](Band &, PrintContext &contexto) {
        PrepararItens(contexto);
        return true;
    };
    b.afterPrint = [this](Band &, PrintContext &) {
        rlmChave1->text.clear();
        rlmChave2->text.clear();
    };
}

void TfrlDAMDFeRLRetrato::CriarObservacao()
{
    Band &b = RLMDFe.addBand(BandKind::PageFooter, 152, "rlb_6_Observacao");
    rlb_6_Observacao = &b;
    b.pageRule = report::PageRule::LastOnly;
    b.borders.top = true;
    const dfe::TPecasCriadas p = dfe::CriarPecas<TDadosDAMDFe>(b, kObservacao);
    rlmObservacao = &p.De<report::Memo>("rlmObservacao");
    rllMsg1 = &p.De<report::Label>("rllMsg1");
    rllMsg2 = &p.De<report::Label>("rllMsg2");
    rllDataHoraImpressao = &p.De<report::Label>("rllDataHoraImpressao");
    rllSistema = &p.De<report::Label>("rllSistema");
}

// ---- Preparation ---------------------------------------------------------------------------------

void TfrlDAMDFeRLRetrato::AntesDeImprimir(PrintContext &AContexto)
{
    dfe::TDFeReportFortes::AjustarMargem(RLMDFe, *fpDAMDFe);
    // The lines across the bands meet the frame whatever the margins leave between them.
    const double largura = std::max(kLargura, RLMDFe.contentWidth());
    const auto alargar = [largura](const Band &banda) {
        for (const auto &controle : banda.controls())
            if (const auto *linha = dynamic_cast<const report::Line *>(controle.get());
                linha != nullptr && linha->orientation == report::Line::Horizontal && controle->bounds.left() == 0 &&
                controle->bounds.width() == kLargura)
                controle->bounds.setWidth(largura);
    };
    for (const auto &banda : RLMDFe.bands())
        alargar(*banda);
    for (const auto &banda : subItens->bands())
        alargar(*banda);
    PrepararDadosManifesto(AContexto);
    PrepararTotais(AContexto);
    PrepararRodoviario(AContexto);
    PrepararAquaviario(AContexto);

    const bool relacao = fpDAMDFe->ImprimeDadosExtras().test(deRelacaoDFe);
    rlb_7_Documentos_Titulos->visible = relacao;
    subItens->visible = relacao;
    rlmChave1->text.clear();
    rlmChave2->text.clear();

    PrepararObservacao(AContexto);
}

void TfrlDAMDFeRLRetrato::PrepararDadosManifesto(PrintContext &)
{
    const TMDFe &mdfe = *fpMDFe;
    const TOvixMDFeDAMDFeRL &damdfe = *fpDAMDFe;

    // The QR Code carries the address exactly: a byte-order mark in front of it would
    // keep a phone from opening it.
    imgQRCode->visible = !rtl::Trim(mdfe.infMDFeSupl.qrCodMDFe).empty();
    imgQRCode->data = imgQRCode->visible ? mdfe.infMDFeSupl.qrCodMDFe : std::string();

    const bool temLogo = dfe::TDFeReportFortes::CarregarLogo(*rliLogo, damdfe.Logo());
    rliLogo->visible = temLogo;
    if (!temLogo)
        rlmDadosEmitente->bounds = QRectF(rlmEmitente->bounds.left(), rlmDadosEmitente->bounds.top(),
                                          rlmEmitente->bounds.width(), rlmDadosEmitente->bounds.height());
    if (damdfe.ExpandeLogoMarca()) {
        rliLogo->bounds = QRectF(2, 3, 317, 163);
        dfe::TDFeReportFortes::AjustarLogo(*rliLogo, damdfe.ExpandeLogoMarcaConfig());
        rlmEmitente->visible = false;
        rlmDadosEmitente->visible = false;
    } else {
        rlmEmitente->text = mdfe.emit.xNome;
        const TenderEmit &ender = mdfe.emit.enderEmit;
        std::string dados = ender.xLgr + (ender.nro == "0" ? std::string() : ", " + ender.nro);
        if (!ender.xCpl.empty())
            Juntar(dados, ender.xCpl);
        if (!ender.xBairro.empty())
            Juntar(dados, ender.xBairro);
        Juntar(dados, "CEP: " + util::FormatarCEP(ender.CEP) + " - " + ender.xMun + " - " + ender.UF);
        Juntar(dados, "CNPJ: " + util::FormatarCNPJouCPF(mdfe.emit.CNPJCPF));
        Juntar(dados, "INSCRIÇÃO ESTADUAL: " + mdfe.emit.IE);
        Juntar(dados, "TELEFONE: " + util::FormatarFone(ender.fone));
        if (!rtl::Trim(damdfe.Site()).empty())
            Juntar(dados, "SITE: " + damdfe.Site());
        if (!rtl::Trim(damdfe.Email()).empty())
            Juntar(dados, "E-MAIL: " + damdfe.Email());
        rlmDadosEmitente->text = std::move(dados);
    }

    dfe::PreencherPecas(FPecasManifesto, kDadosManifesto, TDadosDAMDFe{mdfe, damdfe});
}

void TfrlDAMDFeRLRetrato::PrepararTotais(PrintContext &AContexto)
{
    dfe::PreencherPecas(FPecasTotais, kTotais, TDadosDAMDFe{*fpMDFe, *fpDAMDFe});
    rllChave->font = Times(11, true);
    dfe::TDFeReportFortes::DiminuirFonteSeNecessario(*rllChave, 8, AContexto.measurer(), RLMDFe.font);
    const bool valor = fpDAMDFe->ImprimeDadosExtras().test(deValorTotal);
    rllTituloValorMerc->visible = valor;
    rllValorMercadoria->visible = valor;
}

void TfrlDAMDFeRLRetrato::PrepararRodoviario(PrintContext &AContexto)
{
    const TMDFe &mdfe = *fpMDFe;
    rlb_2_Rodo->visible = mdfe.Ide.modal == moRodoviario;
    if (!rlb_2_Rodo->visible)
        return;
    const Trodo &rodo = mdfe.rodo;
    const std::string &rntrcDoDocumento = mdfe.infMDFe.versao >= 3 ? rodo.infANTT.RNTRC : rodo.RNTRC;
    const auto rntrc = [&](const Tprop &prop) { return prop.RNTRC.empty() ? rntrcDoDocumento : prop.RNTRC; };

    std::string placas = util::FormatarPlaca(rodo.veicTracao.placa) + " - " + rodo.veicTracao.UF;
    std::string rntrcs = rntrc(rodo.veicTracao.prop);
    for (int i = 0; i < rodo.veicReboque.Count(); ++i) {
        const TveicReboqueCollectionItem &reboque = rodo.veicReboque[i];
        Juntar(placas, util::FormatarPlaca(reboque.placa) + " - " + reboque.UF);
        Juntar(rntrcs, rntrc(reboque.prop));
    }
    // One line each, even an empty one, so the two columns stay side by side.
    rlmPlaca->text = placas;
    rlmRNTRC->text = rntrcs;

    std::string cpfs, nomes;
    for (int i = 0; i < rodo.veicTracao.condutor.Count(); ++i) {
        const TcondutorCollectionItem &condutor = rodo.veicTracao.condutor[i];
        cpfs += (i > 0 ? "\n" : "") + util::FormatarCPF(condutor.CPF);
        nomes += (i > 0 ? "\n" : "") + condutor.xNome;
    }
    rlmCPF->text = cpfs;
    rlmCondutor->text = nomes;

    const TdispCollection &vales = rodo.valePed.disp.Count() > 0 ? rodo.valePed.disp : rodo.infANTT.valePed.disp;
    std::string resp, forn, comprovantes;
    for (int i = 0; i < vales.Count(); ++i) {
        const char *quebra = i > 0 ? "\n" : "";
        resp += quebra + util::FormatarCNPJ(vales[i].CNPJPg);
        forn += quebra + util::FormatarCNPJ(vales[i].CNPJForn);
        comprovantes += quebra + vales[i].nCompra;
    }
    rlmRespCNPJ->text = resp;
    rlmFornCNPJ->text = forn;
    rlmNumComprovante->text = comprovantes;

    rlmRespSeguro->text = mdfe.seg.Count() > 0 ? RspSeguroMDFeToStrText(mdfe.seg[0].respSeg) : std::string();
    std::string seguradoras, apolices;
    for (int i = 0; i < mdfe.seg.Count(); ++i) {
        const char *quebra = i > 0 ? "\n" : "";
        seguradoras += quebra + mdfe.seg[i].xSeg;
        apolices += quebra + mdfe.seg[i].nApol;
    }
    rlmRespSeguradora->text = seguradoras;
    rlmRespApolice->text = apolices;

    // The lower half starts below the longest list of the upper half, so a long list of
    // trailers or drivers pushes it down instead of running over it.
    const report::Font &fonte = RLMDFe.font;
    double fundo = 0;
    for (const report::Memo *memo : {rlmPlaca, rlmRNTRC, rlmCPF, rlmCondutor})
        fundo = std::max(fundo, Fundo(*memo, AContexto, fonte));
    const double deslocamento = std::max(0.0, fundo + 4 - kTopoMetadeInferior);
    for (const auto &[controle, topo] : FMetadeInferiorRodo)
        controle->bounds.moveTop(topo + deslocamento);
}

void TfrlDAMDFeRLRetrato::PrepararAquaviario(PrintContext &)
{
    const TMDFe &mdfe = *fpMDFe;
    rlb_4_Aquav->visible = mdfe.Ide.modal == moAquaviario;
    if (!rlb_4_Aquav->visible)
        return;
    const Taquav &aquav = mdfe.aquav;
    rllCodEmbar->text = aquav.cEmbar;
    rllNomeEmbar->text = aquav.xEmbar;
    std::string codigos, nomes;
    for (int i = 0; i < aquav.infTermCarreg.Count(); ++i) {
        const char *quebra = i > 0 ? "\n" : "";
        codigos += quebra + aquav.infTermCarreg[i].cTermCarreg;
        nomes += quebra + aquav.infTermCarreg[i].xTermCarreg;
    }
    rlmCodCarreg->text = codigos;
    rlmNomeCarreg->text = nomes;
    codigos.clear();
    nomes.clear();
    for (int i = 0; i < aquav.infTermDescarreg.Count(); ++i) {
        const char *quebra = i > 0 ? "\n" : "";
        codigos += quebra + aquav.infTermDescarreg[i].cTermDescarreg;
        nomes += quebra + aquav.infTermDescarreg[i].xTermDescarreg;
    }
    rlmCodDescarreg->text = codigos;
    rlmNomeDescarreg->text = nomes;
}

void TfrlDAMDFeRLRetrato::PrepararItens(PrintContext &AContexto)
{
    const TMDFe &mdfe = *fpMDFe;
    const TinfMunDescargaCollectionItem &mun = mdfe.infDoc.infMunDescarga[AContexto.record() - 1];
    rlbMunicipio->text = "Município de Descarregamento: " + mun.xMunDescarga + " ";

    // One running index over every kind: the lines alternate between the columns.
    std::string colunas[2];
    int n = 0;
    const auto linha = [&](std::string texto) {
        Juntar(colunas[n % 2], texto);
        ++n;
    };
    for (int i = 0; i < mun.infCTe.Count(); ++i)
        linha(util::PadRight("CT-e", 14) + dfe::FormatarChaveAcesso(mun.infCTe[i].chCTe));
    for (int i = 0; i < mun.infCT.Count(); ++i)
        linha(util::PadRight("CT", 14) + util::FormatarCNPJouCPF(mdfe.emit.CNPJCPF) + " - " +
              std::to_string(mun.infCT[i].serie) + "-" + mun.infCT[i].nCT);
    for (int i = 0; i < mun.infNFe.Count(); ++i)
        linha(util::PadRight("NF-e", 14) + dfe::FormatarChaveAcesso(mun.infNFe[i].chNFe));
    for (int i = 0; i < mun.infNF.Count(); ++i)
        linha(util::PadRight("NF", 14) + util::FormatarCNPJouCPF(mun.infNF[i].CNPJ) + " - " +
              std::to_string(mun.infNF[i].serie) + "-" + std::to_string(mun.infNF[i].nNF));
    for (int i = 0; i < mun.infMDFeTransp.Count(); ++i)
        linha(util::PadRight("MDF-e", 14) + dfe::FormatarChaveAcesso(mun.infMDFeTransp[i].chMDFe));
    rlmChave1->text = std::move(colunas[0]);
    rlmChave2->text = std::move(colunas[1]);
}

void TfrlDAMDFeRLRetrato::PrepararObservacao(PrintContext &AContexto)
{
    const TMDFe &mdfe = *fpMDFe;
    const TOvixMDFeDAMDFeRL &damdfe = *fpDAMDFe;
    rlmObservacao->text = QuebrarLinhasObservacao(mdfe.infAdic.infCpl);

    const TStatusDAMDFe status = StatusDAMDFe(mdfe, damdfe.Cancelada(), damdfe.Encerrado());
    rllMsg1->text = status.Msg1;
    rllMsg1->visible = !status.Msg1.empty();
    rllMsg2->text = status.Msg2;
    rllMsg2->visible = !status.Msg2.empty();

    rllDataHoraImpressao->text = "DATA E HORA DA IMPRESSÃO: " + rtl::FormatDateTime("dd/mm/yyyy hh:nn", AContexto.now());
    if (!damdfe.Usuario().empty())
        rllDataHoraImpressao->text += "   USUÁRIO: " + damdfe.Usuario();
    rllSistema->text = damdfe.Sistema().empty() ? std::string() : "Desenvolvido por " + damdfe.Sistema();

    // The observations grow; the status lines and the print line follow them, so the
    // band's height is known before the engine keeps room for it on the last page.
    double y = std::max(Fundo(*rlmObservacao, AContexto, RLMDFe.font), 56.0) + 4;
    for (report::Label *msg : {rllMsg1, rllMsg2})
        if (msg->visible) {
            msg->bounds.moveTop(y);
            y += msg->bounds.height() + 1;
        }
    y = std::max(y + 4, 138.0);
    rllDataHoraImpressao->bounds.moveTop(y);
    rllSistema->bounds.moveTop(y);
    rlb_6_Observacao->height = y + 14;
}

} // namespace mdfe
