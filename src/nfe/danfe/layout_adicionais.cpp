// The foot of page 1 (ISSQN totals, additional data with the homologation mark and the
// printing line), the continuation of the additional data after the items, and the
// watermark behind the page.

#include "dfe/report/pecas.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace nfe {

namespace {

using report::HAlign;

// The additional-data footer as designed: the memo's top and height, the room between
// the memo's bottom and the box's, and the height of the printing lines under the box.
constexpr double kTopoMemo = 34;
constexpr double kAlturaMemo = 120;
constexpr double kMargemCaixa = 10;
constexpr double kAlturaLinhaRodape = 10;

bool Separador(char c)
{
    return c == ' ' || c == '\r' || c == '\n';
}

using TCelula = TCelulaDANFe;

// A cell of the ISSQN box: captions 180 pixels wide, values 177; the registration reads
// from the left, the amounts from the right.
constexpr TCelula ISSQN(const char *nomeLegenda, const char *legenda, const char *nome, double x0, double xValor,
                        HAlign alinhamento, const char *nomeDivisor, dfe::TValorCelula<TDadosDANFe> valor)
{
    TCelula c = CampoDANFe(0, nomeLegenda, legenda, nome, x0, x0 + 185, valor, alinhamento);
    c.larguraLegenda = 180;
    c.xValor = xValor;
    c.larguraValor = 177;
    c.nomeDivisor = nomeDivisor;
    return c;
}
std::string Valor(const rtl::Currency &valor)
{
    return util::FormatFloatBr(valor.ToDouble());
}
constexpr TCelula kISSQN[] = {
    ISSQN("lblISSQNInscricao", "INSCRIÇÃO MUNICIPAL", "rllISSQNInscricao", 0, 5, HAlign::Left, nullptr,
          [](const TDadosDANFe &d) { return d.nfe.Emit.IM; }),
    ISSQN("lblISSQNValorServicos", "VALOR TOTAL DOS SERVIÇOS", "rllISSQNValorServicos", 185, 188, HAlign::Right,
          "rliDivISSQN185", [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ISSQNtot.vServ); }),
    ISSQN("lblISSQNBaseCalculo", "BASE DE CÁLCULO DO ISSQN", "rllISSQNBaseCalculo", 370, 373, HAlign::Right,
          "rliDivISSQN370", [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ISSQNtot.vBC); }),
    ISSQN("lblISSQNValorISSQN", "VALOR DO ISSQN", "rllISSQNValorISSQN", 555, 558, HAlign::Right, "rliDivISSQN555",
          [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ISSQNtot.vISS); }),
};

using TPeca = TPecaDANFe;
using dfe::TFontePeca;

constexpr TFontePeca kFonteTitulo{8, true};
constexpr TFontePeca kFonteLegenda{7};
constexpr TFontePeca kFonteInformacoes{9, false, "Times New Roman"};

// The ISSQN box under its title; its cells are kISSQN.
constexpr TPeca kTituloISSQN[] = {
    dfe::Rotulo("lblTituloISSQN", 0, 8, 300, 11, "CÁLCULO DO ISSQN", kFonteTitulo, HAlign::Left, tagTituloCaixa),
    dfe::Caixa("rliISSQN", 0, 20, 740, 31),
};

// The additional data: the homologation mark in the middle of the band, made first so
// that it lies behind everything else of the band, and light so that the texts over it
// read; the box of the complementary information and of the tax authority's; the
// printing lines under it. The memos take whole lines only: what does not fit goes to
// the continuation.
constexpr TPeca kDadosAdicionais[] = {
    dfe::Rotulo("rllHomologacao", 0, 75, 742, 24, "AMBIENTE DE HOMOLOGAÇÃO - NF-E SEM VALOR FISCAL", {19, true},
                HAlign::Center)
        .Cor(0xFFC8C8C8)
        .Oculta(),
    dfe::Rotulo("lblDadosAdicionais", 0, 8, 300, 11, "DADOS ADICIONAIS", kFonteTitulo, HAlign::Left, tagTituloCaixa),
    dfe::Caixa("rliDadosAdicionais", 0, 20, 740, 136),
    dfe::LinhaV("rliDivDadosAdicionais", 468, 20, 136),
    dfe::Rotulo("lblInformacoesComplementares", 3, 22, 460, 9, "INFORMAÇÕES COMPLEMENTARES", kFonteLegenda,
                HAlign::Left, tagLegenda),
    dfe::Rotulo("lblReservadoFisco", 471, 22, 265, 9, "RESERVADO AO FISCO", kFonteLegenda, HAlign::Left, tagLegenda),
    dfe::Memo("rlmDadosAdicionais", 8, kTopoMemo, 458, kAlturaMemo, "", kFonteInformacoes, HAlign::Left,
              tagInfComplementar),
    {dfe::Memo("rlmDadosFisco", 475, kTopoMemo, 261, kAlturaMemo, "", kFonteInformacoes, HAlign::Left,
               tagInfComplementar),
     [](const TDadosDANFe &d) { return d.nfe.procNFe.xMsg; }},
    {dfe::Rotulo("rllUsuario", 0, 158, 400, kAlturaLinhaRodape, "", {7}),
     [](const TDadosDANFe &d) {
         return "DATA / HORA DA IMPRESSÃO: " + util::FormatDateTimeBr(rtl::Now()) + " - " + d.danfe.Usuario();
     }},
    {dfe::Rotulo("rllSistema", 342, 158, 400, kAlturaLinhaRodape, "", {7}, HAlign::Right),
     [](const TDadosDANFe &d) { return d.danfe.Sistema(); }},
};

// The continuation after the items: a box of lines around its title and memo.
constexpr TPeca kContinuacao[] = {
    dfe::LinhaH("LinhaDCSuperior", 0, 10, 740),
    dfe::Rotulo("lblContinuacao", 3, 13, 500, 11, "CONTINUAÇÃO DAS INFORMAÇÕES COMPLEMENTARES", kFonteTitulo,
                HAlign::Left, tagTituloCaixa),
    dfe::Memo("rlmContinuacaoDadosAdicionais", 8, 24, 673, 12, "", kFonteInformacoes, HAlign::Left,
              tagInfComplementar)
        .AutoAltura(),
    dfe::LinhaH("LinhaDCInferior", 0, 38, 740),
    dfe::LinhaV("LinhaDCEsquerda", 0, 10, 29),
    dfe::LinhaV("LinhaDCDireita", 739, 10, 29),
};

} // namespace

void TfrlDANFeRLRetrato::CriarAdicionais()
{
    // ---- ISSQN ---------------------------------------------------------------------------
    report::Band &i = *rlbISSQN;
    const dfe::TPecasCriadas issqn = dfe::CriarPecas<TDadosDANFe>(i, kTituloISSQN);
    // One row of the common height, whatever the settings make the other boxes' rows:
    // its lines first, then its captions and its values.
    dfe::TCaixaCampos &caixa = NovaCaixa(i, issqn.De<report::Box>("rliISSQN"));
    caixa.fixa = true;
    dfe::TEstiloCaixa estilo = EstiloCaixaDANFe();
    estilo.linhasPrimeiro = true;
    estilo.porTipo = true;
    dfe::CriarCelulas<TDadosDANFe>(caixa, estilo, kISSQN);
    FCaixaISSQN = &caixa;

    // ---- Additional data -----------------------------------------------------------------
    FPecasDadosAdicionais = dfe::CriarPecas<TDadosDANFe>(*rlbDadosAdicionais, kDadosAdicionais);
    const dfe::TPecasCriadas &b = FPecasDadosAdicionais;
    rllHomologacao = &b.De<report::Label>("rllHomologacao");
    rliDadosAdicionais = &b.De<report::Box>("rliDadosAdicionais");
    rliDivDadosAdicionais = &b.De<report::Line>("rliDivDadosAdicionais");
    lblInformacoesComplementares = &b.De<report::Label>("lblInformacoesComplementares");
    rlmDadosAdicionais = &b.De<report::Memo>("rlmDadosAdicionais");
    rlmDadosFisco = &b.De<report::Memo>("rlmDadosFisco");
    rllUsuario = &b.De<report::Label>("rllUsuario");
    rllSistema = &b.De<report::Label>("rllSistema");
    // The watermark is centred between the item titles and this footer, known once the
    // footer has its place on the page.
    rlbDadosAdicionais->afterPrint = [this](report::Band &, report::PrintContext &contexto) {
        PosicionarMarcaDagua(contexto);
    };

    // ---- Continuation ----------------------------------------------------------------------
    report::Band &c = *rlbContinuacaoInformacoesComplementares;
    // The continuation has a page of its own after the items, unless the settings let it
    // start on page 1.
    c.beforePrint = [this](report::Band &, report::PrintContext &contexto) {
        if (contexto.page() == 1 && !DANFe().ImprimeContinuacaoDadosAdicionaisPrimeiraPagina())
            contexto.requestNewPage();
        return true;
    };
    // A long rest runs on over the next pages, from wherever the items end.
    c.canSplit = true;
    const dfe::TPecasCriadas continuacao = dfe::CriarPecas<TDadosDANFe>(c, kContinuacao);
    LinhaDCSuperior = &continuacao.De<report::Line>("LinhaDCSuperior");
    rlmContinuacaoDadosAdicionais = &continuacao.De<report::Memo>("rlmContinuacaoDadosAdicionais");
    LinhaDCInferior = &continuacao.De<report::Line>("LinhaDCInferior");
    LinhaDCEsquerda = &continuacao.De<report::Line>("LinhaDCEsquerda");
    LinhaDCDireita = &continuacao.De<report::Line>("LinhaDCDireita");
}

// ---- Footer lines and homologation mark -------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararRodape()
{
    const TOvixNFeDANFeRL &danfe = DANFe();
    dfe::PreencherPecas(FPecasDadosAdicionais, kDadosAdicionais, Dados());
    rllSistema->visible = !danfe.Sistema().empty();
    rllUsuario->visible = !danfe.Usuario().empty();
}

void TfrlDANFeRLRetrato::PrepararHomologacao()
{
    rllHomologacao->visible = NFe().Ide.tpAmb == dfe::taHomologacao;
}

// ---- ISSQN -------------------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararISSQN()
{
    const TNFe &nfe = NFe();
    const TISSQNtot &iss = nfe.Total.ISSQNtot;
    rlbISSQN->visible = DANFe().ExibeDadosISSQN() ||
                        ((iss.vServ + iss.vBC + iss.vISS) > rtl::Currency() && !nfe.Emit.IM.empty());
    if (!rlbISSQN->visible)
        return;
    dfe::PreencherCelulas(*FCaixaISSQN, kISSQN, Dados());
}

// ---- Additional data and its continuation -------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararDadosAdicionais()
{
    FDadosAdicionais = DANFe().ManterInformacoesDadosAdicionais(NFe());
}

void TfrlDANFeRLRetrato::PrepararQuebraDadosAdicionais()
{
    if (DANFe().ExpandirDadosAdicionaisAuto()) {
        // The footer grows instead (ExpandirDadosAdicionais), as far as page 1 allows.
        rlbContinuacaoInformacoesComplementares->visible = false;
        rlmDadosAdicionais->text = FDadosAdicionais;
        return;
    }
    DividirDadosAdicionais(rlmDadosAdicionais->visibleLines(*FMedidor, RLNFe.font));
}

void TfrlDANFeRLRetrato::DividirDadosAdicionais(int linhas)
{
    const std::string_view texto = FDadosAdicionais;
    const report::Font fonte = rlmDadosAdicionais->fontOr(RLNFe.font);
    const double largura = rlmDadosAdicionais->bounds.width();
    const auto cabe = [&](std::string_view parte) {
        return FMedidor->wrap(parte, fonte, largura).size() <= static_cast<std::size_t>(std::max(linhas, 0));
    };

    report::Band &continuacao = *rlbContinuacaoInformacoesComplementares;
    if (cabe(texto)) {
        rlmDadosAdicionais->text = FDadosAdicionais;
        rlmContinuacaoDadosAdicionais->text.clear();
        continuacao.visible = false;
        return;
    }

    // The longest text up to a blank or line break that fits. Lines are filled word by
    // word, so a longer text never takes fewer lines: the cut is found by halving.
    std::vector<std::size_t> separadores;
    for (std::size_t p = 0; p < texto.size(); ++p)
        if (Separador(texto[p]))
            separadores.push_back(p);
    std::size_t corte = std::string_view::npos;
    std::size_t baixo = 0, alto = separadores.size();
    while (baixo < alto) {
        const std::size_t meio = baixo + (alto - baixo) / 2;
        if (cabe(texto.substr(0, separadores[meio]))) {
            corte = separadores[meio];
            baixo = meio + 1;
        } else {
            alto = meio;
        }
    }

    // The separator at the cut is dropped; without a cut the whole text continues.
    const std::string_view cabeca = corte == std::string_view::npos ? std::string_view() : texto.substr(0, corte);
    const std::string_view resto = corte == std::string_view::npos ? texto : texto.substr(corte + 1);
    rlmDadosAdicionais->text.assign(cabeca);
    rlmContinuacaoDadosAdicionais->text.assign(resto);
    continuacao.visible = !rtl::Trim(resto).empty();
}

void TfrlDANFeRLRetrato::FecharContinuacao()
{
    const report::Memo &memo = *rlmContinuacaoDadosAdicionais;
    const double fundo = memo.bounds.top() + memo.neededHeight(*FMedidor, RLNFe.font);
    LinhaDCInferior->bounds.moveTop(fundo + 2);
    const double topo = LinhaDCSuperior->bounds.top();
    const double altura = LinhaDCInferior->bounds.top() - topo + 1;
    for (report::Line *lado : {LinhaDCEsquerda, LinhaDCDireita}) {
        lado->bounds.moveTop(topo);
        lado->bounds.setHeight(altura);
    }
}

double TfrlDANFeRLRetrato::AlturaMaximaDadosAdicionais(const report::TextMeasurer &medidor) const
{
    // Everything else page 1 holds: its headers, titles and column titles, the other
    // footers, and at least one item row when there are items.
    double livre = RLNFe.pageHeight() - report::mmToPx(RLNFe.margins.top) - report::mmToPx(RLNFe.margins.bottom);
    for (const auto &banda : RLNFe.bands()) {
        if (!banda->visible || banda.get() == rlbDadosAdicionais || banda->pageRule == report::PageRule::LastOnly)
            continue;
        switch (banda->kind) {
        case report::BandKind::PageHeader:
        case report::BandKind::Title:
        case report::BandKind::ColumnHeader:
        case report::BandKind::PageFooter:
            livre -= banda->preparedHeight(medidor, RLNFe.font);
            break;
        default:
            break;
        }
    }
    if (NFe().Det.Count() > 0)
        livre -= rlbItens->height;
    return std::max(livre, rlbDadosAdicionais->height);
}

void TfrlDANFeRLRetrato::ExpandirDadosAdicionais()
{
    const report::TextMeasurer &medidor = *FMedidor;
    report::Memo &memo = *rlmDadosAdicionais;
    const report::Font fonte = memo.fontOr(RLNFe.font);
    const double linha = medidor.lineHeight(fonte);
    if (!(linha > 0))
        return;

    // The footer grows with its text, never below its design and never beyond what page 1
    // can give it: what does not fit then continues after the items.
    const double rodapeMaximo = AlturaMaximaDadosAdicionais(medidor);
    const double sobraAbaixo = kMargemCaixa - (lblInformacoesComplementares->bounds.top() -
                                               rliDadosAdicionais->bounds.top()) + kAlturaLinhaRodape;
    const int maximoLinhas =
        static_cast<int>(std::floor((rodapeMaximo - memo.bounds.top() - sobraAbaixo) / linha + 1e-6));
    const int linhasTexto = static_cast<int>(medidor.wrap(FDadosAdicionais, fonte, memo.bounds.width()).size());
    int linhas = linhasTexto;
    if (linhasTexto > maximoLinhas) {
        DividirDadosAdicionais(maximoLinhas);
        if (rlbContinuacaoInformacoesComplementares->visible)
            FecharContinuacao();
        linhas = maximoLinhas;
    }
    const double altura = std::max(kAlturaMemo, linhas * linha);
    memo.bounds.setHeight(altura);
    rlmDadosFisco->bounds.setHeight(altura);

    const double fundoMemo = memo.bounds.bottom();
    rliDadosAdicionais->bounds.setHeight(fundoMemo + kMargemCaixa - lblInformacoesComplementares->bounds.top());
    rliDivDadosAdicionais->bounds.setHeight(rliDadosAdicionais->bounds.height());
    const double fundoCaixa = rliDadosAdicionais->bounds.bottom();
    rllUsuario->bounds.moveTop(fundoCaixa);
    rllSistema->bounds.moveTop(fundoCaixa);

    rlbDadosAdicionais->height = std::max(rlbDadosAdicionais->height, fundoCaixa + kAlturaLinhaRodape);
    rllHomologacao->bounds.moveTop(std::trunc((rlbDadosAdicionais->height - rllHomologacao->bounds.height()) / 2));
}

// ---- Watermark -----------------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PosicionarMarcaDagua(const report::PrintContext &contexto)
{
    const std::optional<double> rodape = contexto.placedTop(*rlbDadosAdicionais);
    const std::optional<double> titulos = contexto.placedTop(*rlbCabecalhoItens);
    if (!rodape || !titulos)
        return;
    // Page positions; the image lies in the printable area, below the top margin.
    const double topo = *titulos + std::trunc((*rodape - *titulos) / 2) -
                        std::trunc(rliMarcaDagua1->bounds.height() / 2);
    rliMarcaDagua1->bounds.moveTop(topo - report::mmToPx(RLNFe.margins.top));
}

} // namespace nfe
