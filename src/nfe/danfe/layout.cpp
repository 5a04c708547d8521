#include "nfe/danfe/layout.h"

#include "dfe/report/layout_construcao.h"
#include "nfe/danfe/component.h"

#include "dfe/report/routines.h"
#include "rtl/files.h"
#include "util/toolbox.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace nfe {

namespace {

// The controls a pre-printed form already carries: with FormularioContinuo only the
// variable data print.
constexpr std::array<std::string_view, 25> kFormularioPreImpresso = {
    "rllRecebemosDe", "rllResumo",     "rllDataRecebimento", "rllIdentificacao", "rllNFe",
    "rliCanhoto",     "rliCanhoto1",   "rliCanhoto2",        "rliCanhoto3",      "rliDivisao",
    "rliTipoEntrada", "rllDANFE",      "rllDocumento1",      "rllDocumento2",    "rllTipoEntrada",
    "rllTipoSaida",   "rllEmitente",   "rliLogo",            "rlmEmitente",      "rlmEndereco",
    "rliEmitente",    "rllChaveAcesso", "rliChave",          "rliChave2",        "rliChave3",
};

bool AlinhadoAEsquerda(const report::Control &controle)
{
    if (const auto *rotulo = dynamic_cast<const report::Label *>(&controle))
        return rotulo->align == report::HAlign::Left;
    if (const auto *memo = dynamic_cast<const report::Memo *>(&controle))
        return memo->align == report::HAlign::Left;
    return false;
}

// The pixel size of a font made some points smaller. Sizes are whole points first, as
// the fonts of the settings are.
int PixelsMenosPontos(int pixels, int pontos)
{
    const int tamanho = static_cast<int>(std::lround(pixels * 72.0 / 96.0)) - pontos;
    return std::max(1, report::pointsToPixels(tamanho));
}

} // namespace

TfrlDANFeRLRetrato::TfrlDANFeRLRetrato()
{
    PreviewSempreVisivel = true;
    using report::BandKind;
    // Added in the order they print within their kind.
    rlbReciboHeader = &RLNFe.addBand(BandKind::PageHeader, 57, "rlbReciboHeader");
    rlbReciboHeaderBarra = &RLNFe.addBand(BandKind::PageHeader, 88, "rlbReciboHeaderBarra");
    rlbDivisaoRecibo = &RLNFe.addBand(BandKind::PageHeader, 16, "rlbDivisaoRecibo");
    rlbEmitente = &RLNFe.addBand(BandKind::PageHeader, 182, "rlbEmitente");
    rlbDestinatario = &RLNFe.addBand(BandKind::Title, 107, "rlbDestinatario");
    rlbRetirada = &RLNFe.addBand(BandKind::Title, 107, "rlbRetirada");
    rlbEntrega = &RLNFe.addBand(BandKind::Title, 107, "rlbEntrega");
    rlbFaturaReal = &RLNFe.addBand(BandKind::Title, 46, "rlbFaturaReal");
    rlbFatura = &RLNFe.addBand(BandKind::Title, 44, "rlbFatura");
    rlbPagamentoReal = &RLNFe.addBand(BandKind::Title, 44, "rlbPagamentoReal");
    rlbImposto = &RLNFe.addBand(BandKind::Title, 76, "rlbImposto");
    rlbTransp = &RLNFe.addBand(BandKind::Title, 106, "rlbTransp");
    rlbCanceladaDenegada = &RLNFe.addBand(BandKind::ColumnHeader, 30, "rlbCanceladaDenegada");
    rlbAvisoContingencia = &RLNFe.addBand(BandKind::ColumnHeader, 36, "rlbAvisoContingencia");
    rlbCabecalhoItens = &RLNFe.addBand(BandKind::ColumnHeader, 31, "rlbCabecalhoItens");
    subItens = &RLNFe.addSubReport("subItens");
    rlbItens = &subItens->addBand(BandKind::Detail, 12, "rlbItens");
    RLBandInfAd = &subItens->addBand(BandKind::Detail, 14, "RLBandInfAd");
    rlbContinuacaoInformacoesComplementares =
        &RLNFe.addBand(BandKind::Summary, 40, "rlbContinuacaoInformacoesComplementares");
    rlbISSQN = &RLNFe.addBand(BandKind::PageFooter, 52, "rlbISSQN");
    rlbDadosAdicionais = &RLNFe.addBand(BandKind::PageFooter, 169, "rlbDadosAdicionais");

    // The stub and its cut line print on page 1 only, at its top or at its foot.
    rlbReciboHeader->pageRule = report::PageRule::FirstOnly;
    rlbReciboHeaderBarra->pageRule = report::PageRule::FirstOnly;
    rlbDivisaoRecibo->pageRule = report::PageRule::FirstOnly;
    rlbReciboHeader->autoSize = true;
    rlbEmitente->beforePrint = [this](report::Band &, report::PrintContext &contexto) {
        return rlbEmitenteBeforePrint(contexto);
    };
    rlbCanceladaDenegada->visible = false;
    rlbCabecalhoItens->autoSize = true;
    rlbItens->autoSize = true;
    RLBandInfAd->autoSize = true;
    RLBandInfAd->visible = false;
    rlbContinuacaoInformacoesComplementares->autoSize = true;
    rlbContinuacaoInformacoesComplementares->visible = false;

    // One record per item, numbered from 1.
    subItens->onRecord = [this](int registro, report::PrintContext &) {
        if (fpNFe == nullptr || registro > fpNFe->Det.Count())
            return false;
        FNumItem = registro - 1;
        return true;
    };

    rliMarcaDagua1 = &RLNFe.addBackground<report::Image>("rliMarcaDagua1", QRectF(241, 300, 327, 234));
    rliMarcaDagua1->fit = report::Image::Proportional;
    rliMarcaDagua1->center = true;

    CriarCanhoto();
    CriarCabecalho();
    CriarDestinatario();
    CriarTotais();
    CriarItens();
    CriarAdicionais();

    RLNFe.beforePrint = [this](report::Report &, report::PrintContext &contexto) { RLNFeBeforePrint(contexto); };
}

TfrlDANFeRLRetrato::~TfrlDANFeRLRetrato() = default;

std::unique_ptr<TfrlDANFeRL> TfrlDANFeRLRetrato::Criar()
{
    return std::make_unique<TfrlDANFeRLRetrato>();
}

dfe::TCaixaCampos &TfrlDANFeRLRetrato::NovaCaixa(report::Band &banda, report::Box &caixa)
{
    dfe::TCaixaCampos &nova = FCaixas.emplace_back();
    nova.banda = &banda;
    nova.caixa = &caixa;
    return nova;
}

// ---- Preparation ---------------------------------------------------------------------------

void TfrlDANFeRLRetrato::RLNFeBeforePrint(report::PrintContext &contexto)
{
    FMedidor = &contexto.measurer();
    InicializarDados();
    RLNFe.title = util::OnlyNumber(NFe().infNFe.ID);
    if (DANFe().LogoemCima()) {
        rliLogo->bounds = QRectF(8, 16, 258, 42);
        rlmEmitente->bounds = QRectF(8, 58, 255, 28);
        rlmEndereco->bounds = QRectF(8, 80, 255, 25);
    }
}

void TfrlDANFeRLRetrato::InicializarDados()
{
    TOvixNFeDANFeRL &danfe = DANFe();
    FValoresItem.Limpar(); // the number format may have changed since the last preparation
    dfe::TDFeReportFortes::AjustarMargem(RLNFe, danfe);
    rlbCanceladaDenegada->visible = false;
    rlbItens->height = danfe.EspacoEntreProdutos() > 12 ? danfe.EspacoEntreProdutos() : 12;

    if (!dfe::TDFeReportFortes::CarregarLogo(*rliLogo, danfe.Logo())) {
        rlmEndereco->bounds.setLeft(rlmEmitente->bounds.left());
        rlmEndereco->bounds.setWidth(rlmEmitente->bounds.width());
    }
    CarregarMarcaDagua();
    PrepararResumoCanhoto();
    PrepararRodape();
    PrepararHomologacao();
    PrepararMarcasSituacao();
    PrepararColunasItens();
    if (danfe.FormularioContinuo())
        OcultarFormulario();
    if (danfe.ExpandeLogoMarca())
        ExpandirLogo();
    AplicarFontes();
    AjustarCaixas();
    PrepararDadosAdicionais();
    PrepararCabecalho();
    PrepararEmitente();
    PrepararDestinatario();
    PrepararImposto();
    PrepararISSQN();
    PrepararTransporte();
    PrepararLocais();
    PrepararFaturaPagamentos();
    PrepararTitulosItens();
    PrepararQuebraDadosAdicionais();
    PosicionarCanhoto();
    if (rlbContinuacaoInformacoesComplementares->visible)
        FecharContinuacao();
    fpQuantItens = NFe().Det.Count();
    if (danfe.ExpandirDadosAdicionaisAuto())
        ExpandirDadosAdicionais();
}

void TfrlDANFeRLRetrato::CarregarMarcaDagua()
{
    // Only a picture file: a name that is no file leaves no watermark.
    const std::string &arquivo = DANFe().MarcadAgua();
    if (!arquivo.empty() && rtl::FileExists(arquivo))
        dfe::TDFeReportFortes::CarregarLogo(*rliMarcaDagua1, arquivo);
}

void TfrlDANFeRLRetrato::OcultarFormulario()
{
    const auto ocultar = [](const report::Band &banda) {
        for (const auto &controle : banda.controls())
            if (std::find(kFormularioPreImpresso.begin(), kFormularioPreImpresso.end(), controle->name) !=
                kFormularioPreImpresso.end())
                controle->visible = false;
    };
    for (const auto &banda : RLNFe.bands())
        ocultar(*banda);
}

void TfrlDANFeRLRetrato::ExpandirLogo()
{
    rlmEmitente->visible = false;
    rlmEndereco->visible = false;
    rliLogo->bounds = QRectF(2, 14, 268, 101);
    dfe::TDFeReportFortes::AjustarLogo(*rliLogo, DANFe().ExpandeLogoMarcaConfig());
}

void TfrlDANFeRLRetrato::AplicarFontes()
{
    const TFonte &fonte = DANFe().Fonte();
    rlmEmitente->font = rlmEmitente->fontOr(RLNFe.font);
    rlmEmitente->font->pixelSize = report::pointsToPixels(fonte.TamanhoFonteRazaoSocial());

    // The bands on the report only: the item rows keep the fonts they were built with.
    // Hundreds of controls: each font is changed where it is, the sizes and family worked
    // out once.
    const std::string familia = NomeFonteToFamilia(fonte.Nome());
    const int tamanhoValores = report::pointsToPixels(fonte.TamanhoFonteDemaisCampos());
    const int tamanhoInformacoes = report::pointsToPixels(fonte.TamanhoFonteInformacoesComplementares());
    for (const auto &banda : RLNFe.bands()) {
        for (const auto &controle : banda->controls()) {
            if (!controle->hasText())
                continue;
            if (!controle->font)
                controle->font = RLNFe.font;
            report::Font &f = *controle->font;
            const int tag = controle->tag;
            if (tag == tagValorCampo) {
                f.bold = fonte.Negrito();
                f.italic = false;
                f.pixelSize = tamanhoValores;
            } else if (tag == tagInfComplementar) {
                f.pixelSize = tamanhoInformacoes;
            }
            if (fonte.Nome() == nfCourierNew) {
                f.family = familia;
                if (tag == tagDemais || tag == tagValorCampo || tag == tagPortal)
                    f.pixelSize = PixelsMenosPontos(f.pixelSize, 1);
            } else if (tag != tagInfComplementar) {
                f.family = familia;
            }
            if (tag == tagValorCampo && AlinhadoAEsquerda(*controle))
                controle->bounds.setWidth(controle->bounds.width() - fpAuxDiferencaPDF);
        }
    }

    if (fonte.Nome() == nfCourierNew) {
        rllNumNF1->font->pixelSize = PixelsMenosPontos(rllNumNF1->font->pixelSize, 3);
        rllNumNF1->bounds.translate(0, 1);
        rllChave->font->pixelSize = PixelsMenosPontos(rllChave->font->pixelSize, 1);
    }
    rlmEndereco->font = rlmEndereco->fontOr(RLNFe.font);
    rlmEndereco->font->pixelSize =
        report::pointsToPixels(fonte.TamanhoFonteEndereco() > 0 ? fonte.TamanhoFonteEndereco() : 7);
}

void TfrlDANFeRLRetrato::AjustarCaixas()
{
    const double h = DANFe().AltLinhaComun();
    for (dfe::TCaixaCampos &caixa : FCaixas)
        dfe::AjustarCaixa(caixa, h);
    // The lower box of the header overlaps the issuer box's bottom line.
    rlbEmitente->height = RLDraw6->bounds.height() + rliEmitente->bounds.height() + 2;
}

// ---- Every page ------------------------------------------------------------------------------

bool TfrlDANFeRLRetrato::rlbEmitenteBeforePrint(report::PrintContext &contexto)
{
    rlbEmitente->bringToFront(*rlbCodigoBarras);
    // A status printed over the key must stay readable: it goes in front of the barcode,
    // on its own white ground.
    PosicionarMotivo(contexto.measurer());
    if (contexto.page() >= 2) {
        rlbISSQN->visible = false;
        rlbDadosAdicionais->visible = false;
        rlbCabecalhoItens->visible = fpQuantItens > 0;
        if (fpQuantItens > 0) {
            lblDadosDoProduto->text = "CONTINUAÇÃO DOS DADOS DO PRODUTO / SERVIÇOS";
            rliMarcaDagua1->bounds.moveTop(300);
        }
    }
    return true;
}

} // namespace nfe
