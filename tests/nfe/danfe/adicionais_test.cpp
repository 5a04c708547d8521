// The foot of the portrait DANFE on prepared pages: ISSQN totals, the additional data and
// its continuation after the items, the growing footer, the footer lines and the
// watermark.

#include "itens_fixtures.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using danfe_test::BandaNaPagina;
using danfe_test::Componentes;
using danfe_test::RunDe;
using danfe_test::ContarPalavras;
using danfe_test::NotaComDadosLongos;
using danfe_test::NotaComItens;
using danfe_test::Termo;
using danfe_test::TextoDe;
using danfe_test::TextosDe;
using danfe_test::TextosNasPaginas;
using danfe_test::Valor;
using nfe::TNFe;

// The font of the additional-data memos with the default font settings.
const report::Font kFonteInformacoes{"Times New Roman", report::pointsToPixels(8)};

// The lines the footer's memo shows (120 pixels of whole lines).
int LinhasDoRodape()
{
    return static_cast<int>(std::floor(120 / report::QtTextMeasurer().lineHeight(kFonteInformacoes)));
}

// Every word of the additional data: the footer's, then the continuation's page after page.
std::vector<std::string> PalavrasImpressas(const report::PreparedReport &r)
{
    std::vector<std::string> palavras;
    for (const char *controle : {"rlmDadosAdicionais", "rlmContinuacaoDadosAdicionais"})
        for (const std::string &linha : TextosNasPaginas(r, {controle})) {
            std::istringstream fluxo(linha);
            for (std::string palavra; fluxo >> palavra;)
                palavras.push_back(palavra);
        }
    return palavras;
}

std::vector<std::string> Termos(int quantos)
{
    std::vector<std::string> termos;
    for (int i = 1; i <= quantos; ++i)
        termos.push_back(Termo(i));
    return termos;
}

// ---- ISSQN -----------------------------------------------------------------------------------

TEST(DANFeAdicionais, ISSQNTotalsPrintWhenSetOrWhenThereAreTotalsAndARegistration)
{
    struct Row {
        const char *name;
        std::function<void(TNFe &, nfe::TOvixNFeDANFeRL &)> ajuste;
        bool impresso;
        std::string inscricao, servicos, base, iss;
    } rows[] = {
        {"totals and the municipal registration",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.Emit.IM = "4455667";
             n.Total.ISSQNtot.vServ = Valor(1500);
             n.Total.ISSQNtot.vBC = Valor(1450.5);
             n.Total.ISSQNtot.vISS = Valor(72.53);
         },
         true, "4455667", "1.500,00", "1.450,50", "72,53"},
        {"shown by the setting with zero totals", [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetExibeDadosISSQN(true); },
         true, "<none>", "0,00", "0,00", "0,00"},
        {"totals without a registration",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.Total.ISSQNtot.vServ = Valor(1500); }, false, "", "", "", ""},
        {"a registration without totals", [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.Emit.IM = "4455667"; }, false, "",
         "", "", ""},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaComItens(1);
        row.ajuste(nfe, *c.danfe);
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        ASSERT_EQ(BandaNaPagina(p, "rlbISSQN"), row.impresso) << row.name;
        if (!row.impresso)
            continue;
        EXPECT_EQ(TextoDe(p, "lblTituloISSQN"), "CÁLCULO DO ISSQN") << row.name;
        EXPECT_EQ(TextoDe(p, "rllISSQNInscricao"), row.inscricao) << row.name;
        EXPECT_EQ(TextoDe(p, "rllISSQNValorServicos"), row.servicos) << row.name;
        EXPECT_EQ(TextoDe(p, "rllISSQNBaseCalculo"), row.base) << row.name;
        EXPECT_EQ(TextoDe(p, "rllISSQNValorISSQN"), row.iss) << row.name;
        const auto issqn = report::placements(p, "rlbISSQN");
        const auto dados = report::placements(p, "rlbDadosAdicionais");
        EXPECT_DOUBLE_EQ(issqn[0].top + issqn[0].height, dados[0].top) << row.name << ": right above the data";
    }
}

// ---- Additional data ---------------------------------------------------------------------------

TEST(DANFeAdicionais, AShortTextStaysInTheFooterBesideTheFiscoText)
{
    Componentes c;
    c.danfe->SetSistema("SISTEMA DE GESTÃO");
    TNFe nfe = NotaComItens(2);
    nfe.InfAdic.infCpl = "PEDIDO 123;ENTREGAR NO PORTÃO 2";
    nfe.procNFe.xMsg = "MENSAGEM DO FISCO";
    const report::PreparedReport r = c.Imprimir(nfe);
    ASSERT_EQ(r.pages.size(), 1u);
    const report::PreparedPage &p = r.pages[0];
    EXPECT_EQ(TextosDe(p, "rlmDadosAdicionais"), (std::vector<std::string>{"PEDIDO 123", "ENTREGAR NO PORTÃO 2"}));
    EXPECT_EQ(TextoDe(p, "rlmDadosFisco"), "MENSAGEM DO FISCO");
    EXPECT_EQ(TextoDe(p, "lblInformacoesComplementares"), "INFORMAÇÕES COMPLEMENTARES");
    EXPECT_EQ(TextoDe(p, "lblReservadoFisco"), "RESERVADO AO FISCO");
    EXPECT_FALSE(BandaNaPagina(p, "rlbContinuacaoInformacoesComplementares"));
    EXPECT_EQ(report::placements(p, "rlbDadosAdicionais").at(0).height, 169);

    const report::TextRun *sistema = RunDe(p, "rllSistema");
    ASSERT_NE(sistema, nullptr);
    EXPECT_EQ(sistema->text, "SISTEMA DE GESTÃO");
    EXPECT_EQ(sistema->align, report::HAlign::Right);
    EXPECT_NEAR(sistema->box.right(), report::mmToPx(c.danfe->MargemEsquerda()) + 742, 0.01) << "at the right edge";
}

TEST(DANFeAdicionais, ALongTextFillsTheFooterWithWholeWordsAndContinuesAfterTheItems)
{
    Componentes c;
    const report::PreparedReport r = c.Imprimir(NotaComDadosLongos(3, 400));
    ASSERT_EQ(r.pages.size(), 2u);
    const report::PreparedPage &p1 = r.pages[0];
    const report::PreparedPage &p2 = r.pages[1];

    EXPECT_EQ(static_cast<int>(TextosDe(p1, "rlmDadosAdicionais").size()), LinhasDoRodape())
        << "the footer is full";
    EXPECT_EQ(report::placements(p1, "rlbItens").size(), 3u);
    EXPECT_FALSE(BandaNaPagina(p1, "rlbContinuacaoInformacoesComplementares"));

    // A page of its own: the header, no item titles (the items are done), no footers.
    const auto continuacao = report::placements(p2, "rlbContinuacaoInformacoesComplementares");
    ASSERT_EQ(continuacao.size(), 1u);
    EXPECT_TRUE(BandaNaPagina(p2, "rlbEmitente"));
    EXPECT_FALSE(BandaNaPagina(p2, "rlbCabecalhoItens"));
    EXPECT_FALSE(BandaNaPagina(p2, "rlbDadosAdicionais"));
    EXPECT_EQ(TextoDe(p2, "lblContinuacao"), "CONTINUAÇÃO DAS INFORMAÇÕES COMPLEMENTARES");
    EXPECT_EQ(TextoDe(p2, "rllPageNumber"), "fl. 2");
    EXPECT_EQ(TextoDe(p2, "rllLastPage"), "/2");

    EXPECT_EQ(PalavrasImpressas(r), Termos(400)) << "every word once, in order, none cut";

    // The box closes 2 pixels under the text, its sides running from its top line to it.
    const auto linhas = TextosDe(p2, "rlmContinuacaoDadosAdicionais");
    const report::TextRun *ultima = nullptr;
    for (const report::Primitive *item : report::bySource(p2, "rlmContinuacaoDadosAdicionais"))
        ultima = &std::get<report::TextRun>(*item);
    ASSERT_NE(ultima, nullptr);
    const auto &inferior = std::get<report::LineItem>(*report::bySource(p2, "LinhaDCInferior").at(0));
    const auto &superior = std::get<report::LineItem>(*report::bySource(p2, "LinhaDCSuperior").at(0));
    EXPECT_DOUBLE_EQ(inferior.from.y(), ultima->box.bottom() + 2 + 0.5);
    for (const char *lado : {"LinhaDCEsquerda", "LinhaDCDireita"}) {
        const auto &l = std::get<report::LineItem>(*report::bySource(p2, lado).at(0));
        EXPECT_DOUBLE_EQ(l.from.y(), superior.from.y() - 0.5) << lado;
        EXPECT_DOUBLE_EQ(l.to.y(), inferior.from.y() + 0.5) << lado;
    }
    EXPECT_DOUBLE_EQ(continuacao[0].top + continuacao[0].height, inferior.from.y() + 0.5)
        << "the band ends with its box";
}

TEST(DANFeAdicionais, TextsWithoutRoomForAWordOrWithLineBreaksSplitAtTheirSeparators)
{
    struct Row {
        const char *name;
        std::string texto;
        std::vector<std::string> rodape;
        std::string primeiraContinuacao;
    } rows[] = {
        {"one endless word: nothing in the footer", std::string(3000, 'x'), {}, std::string(1, 'x')},
        {"line breaks: the footer ends on a whole line", "", {}, ""},
    };
    // A text of lines: 40 numbered lines of two words each.
    for (int i = 1; i <= 40; ++i)
        rows[1].texto += (i > 1 ? ";" : "") + std::string("linha ") + std::to_string(i);
    for (int i = 1; i <= LinhasDoRodape(); ++i)
        rows[1].rodape.push_back("linha " + std::to_string(i));
    rows[1].primeiraContinuacao = "linha " + std::to_string(LinhasDoRodape() + 1);

    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaComItens(1);
        nfe.InfAdic.infCpl = row.texto;
        const report::PreparedReport r = c.Imprimir(nfe);
        EXPECT_EQ(TextosDe(r.pages.at(0), "rlmDadosAdicionais"), row.rodape) << row.name;
        const std::vector<std::string> continuacao = TextosNasPaginas(r, {"rlmContinuacaoDadosAdicionais"});
        ASSERT_FALSE(continuacao.empty()) << row.name;
        EXPECT_EQ(continuacao[0].substr(0, row.primeiraContinuacao.size()), row.primeiraContinuacao) << row.name;
        std::string impresso;
        for (const std::string &linha : TextosNasPaginas(r, {"rlmDadosAdicionais", "rlmContinuacaoDadosAdicionais"}))
            impresso += linha;
        std::string esperado = row.texto;
        esperado.erase(std::remove_if(esperado.begin(), esperado.end(), [](char ch) { return ch == ';'; }),
                       esperado.end());
        EXPECT_EQ(impresso, esperado) << row.name << ": nothing lost, nothing repeated";
    }
}

TEST(DANFeAdicionais, WithTheSettingTheContinuationFollowsTheItemsOnPageOne)
{
    Componentes c;
    c.danfe->SetImprimeContinuacaoDadosAdicionaisPrimeiraPagina(true);
    const report::PreparedReport r = c.Imprimir(NotaComDadosLongos(1, 150));
    ASSERT_EQ(r.pages.size(), 1u);
    const report::PreparedPage &p = r.pages[0];
    const auto item = report::placements(p, "rlbItens");
    const auto continuacao = report::placements(p, "rlbContinuacaoInformacoesComplementares");
    const auto rodape = report::placements(p, "rlbDadosAdicionais");
    ASSERT_EQ(item.size(), 1u);
    ASSERT_EQ(continuacao.size(), 1u);
    EXPECT_DOUBLE_EQ(continuacao[0].top, item[0].top + item[0].height) << "right after the items";
    EXPECT_LE(continuacao[0].top + continuacao[0].height, rodape.at(0).top);
    EXPECT_EQ(PalavrasImpressas(r), Termos(150));
}

TEST(DANFeAdicionais, AGrowingFooterHoldsTheWholeTextOnPageOne)
{
    Componentes c;
    c.danfe->SetExpandirDadosAdicionaisAuto(true);
    c.danfe->SetUsuario("JOSÉ");
    TNFe nfe = NotaComDadosLongos(3, 120);
    nfe.Ide.tpAmb = dfe::taHomologacao;
    const report::PreparedReport r = c.Imprimir(nfe);
    ASSERT_EQ(r.pages.size(), 1u);
    const report::PreparedPage &p = r.pages[0];
    EXPECT_FALSE(p.overflow);
    EXPECT_FALSE(BandaNaPagina(p, "rlbContinuacaoInformacoesComplementares"));
    EXPECT_EQ(PalavrasImpressas(r), Termos(120));

    const report::PlacedBand rodape = report::placements(p, "rlbDadosAdicionais").at(0);
    EXPECT_GT(rodape.height, 169) << "grown";
    const std::vector<const report::Primitive *> linhas = report::bySource(p, "rlmDadosAdicionais");
    const double fundoTexto = std::get<report::TextRun>(*linhas.back()).box.bottom();
    const auto &caixa = std::get<report::RectItem>(*report::bySource(p, "rliDadosAdicionais").at(0));
    EXPECT_DOUBLE_EQ(caixa.rect.bottom(), fundoTexto + 8) << "10 pixels under the text, counted from the caption";
    const auto &divisor = std::get<report::LineItem>(*report::bySource(p, "rliDivDadosAdicionais").at(0));
    EXPECT_DOUBLE_EQ(divisor.to.y() - divisor.from.y(), caixa.rect.height());
    EXPECT_DOUBLE_EQ(RunDe(p, "rllUsuario")->box.top(), caixa.rect.bottom()) << "the printing line under the box";
    EXPECT_LE(RunDe(p, "rllUsuario")->box.bottom(), rodape.top + rodape.height + 0.01);
    const report::TextRun *homologacao = RunDe(p, "rllHomologacao");
    ASSERT_NE(homologacao, nullptr);
    EXPECT_NEAR(homologacao->box.center().y(), rodape.top + rodape.height / 2, 2) << "still in the middle";
}

TEST(DANFeAdicionais, AGrowingFooterStopsAtTheRoomOfPageOneAndTheRestContinues)
{
    Componentes c;
    c.danfe->SetExpandirDadosAdicionaisAuto(true);
    const report::PreparedReport r = c.Imprimir(NotaComDadosLongos(3, 3000));
    ASSERT_GE(r.pages.size(), 3u) << "the rest is longer than a page";
    const report::PreparedPage &p1 = r.pages[0];
    EXPECT_FALSE(p1.overflow) << "nothing pushed off page 1";
    for (const char *banda : {"rlbReciboHeader", "rlbEmitente", "rlbDestinatario", "rlbImposto", "rlbTransp",
                              "rlbCabecalhoItens", "rlbItens", "rlbDadosAdicionais"})
        EXPECT_TRUE(BandaNaPagina(p1, banda)) << banda;
    const report::PlacedBand rodape = report::placements(p1, "rlbDadosAdicionais").at(0);
    EXPECT_NEAR(rodape.top + rodape.height, p1.size.height() - report::mmToPx(c.danfe->MargemInferior()), 0.01);
    const auto itens = report::placements(p1, "rlbItens");
    EXPECT_LE(itens.back().top + itens.back().height, rodape.top + 0.01);
    EXPECT_LT(rodape.top - (itens.back().top + itens.back().height),
              2 * report::QtTextMeasurer().lineHeight(kFonteInformacoes))
        << "the footer took the room there was";

    EXPECT_EQ(PalavrasImpressas(r), Termos(3000)) << "every word once, in order";
    // The other items on page 2, the rest of the text right after them and on.
    for (std::size_t i = 1; i < r.pages.size(); ++i) {
        EXPECT_FALSE(r.pages[i].overflow) << i;
        EXPECT_TRUE(BandaNaPagina(r.pages[i], "rlbContinuacaoInformacoesComplementares")) << i;
    }
    EXPECT_EQ(report::placements(r.pages[1], "rlbItens").size() + itens.size(), 3u);
}

TEST(DANFeAdicionais, TheHomologationMarkLiesBehindTheTextsInLightGreyWithinItsBand)
{
    struct Row {
        const char *name;
        std::function<void(nfe::TOvixNFeDANFeRL &)> ajuste;
        int palavras;
    } rows[] = {
        {"a full footer", [](nfe::TOvixNFeDANFeRL &) {}, 400},
        {"a grown footer", [](nfe::TOvixNFeDANFeRL &d) { d.SetExpandirDadosAdicionaisAuto(true); }, 150},
        {"the stub under the footer", [](nfe::TOvixNFeDANFeRL &d) { d.SetPosCanhoto(dfe::prRodape); }, 400},
    };
    for (const Row &row : rows) {
        Componentes c;
        row.ajuste(*c.danfe);
        TNFe nfe = NotaComDadosLongos(3, row.palavras);
        nfe.Ide.tpAmb = dfe::taHomologacao;
        nfe.procNFe.xMsg = "MENSAGEM RESERVADA AO FISCO";
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const report::TextRun *marca = RunDe(p, "rllHomologacao");
        ASSERT_NE(marca, nullptr) << row.name;

        EXPECT_TRUE(marca->color.red() == marca->color.green() && marca->color.green() == marca->color.blue())
            << row.name << ": grey";
        EXPECT_GE(marca->color.red(), 0xB0) << row.name << ": light enough for black text over it";
        EXPECT_LE(marca->color.red(), 0xE0) << row.name << ": still seen on paper";

        // Behind everything else of its band, under the texts it crosses.
        std::size_t ordem = p.items.size();
        for (std::size_t i = 0; i < p.items.size(); ++i)
            if (report::base(p.items[i]).source == "rllHomologacao")
                ordem = std::min(ordem, i);
        bool cruza = false;
        for (std::size_t i = 0; i < p.items.size(); ++i) {
            const report::PrimitiveBase &item = report::base(p.items[i]);
            if (item.band != "rlbDadosAdicionais" || item.source == "rllHomologacao")
                continue;
            EXPECT_GT(i, ordem) << row.name << ": " << item.source;
            if (const auto *texto = std::get_if<report::TextRun>(&p.items[i]))
                cruza |= texto->box.intersects(marca->box) && item.source == "rlmDadosAdicionais";
        }
        EXPECT_TRUE(cruza) << row.name << ": the mark does lie under the additional data";

        const report::PlacedBand banda = report::placements(p, "rlbDadosAdicionais").at(0);
        const QRectF areaBanda(report::mmToPx(c.danfe->MargemEsquerda()), banda.top, 742, banda.height);
        const QRectF tinta(report::textLeft(*marca, marca->width), marca->box.top(), marca->width, marca->box.height());
        EXPECT_TRUE(areaBanda.contains(tinta)) << row.name;
    }
}

// ---- Watermark ---------------------------------------------------------------------------------

TEST(DANFeAdicionais, TheWatermarkSitsBetweenTheItemTitlesAndTheFooterThenAt300)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string figura = pasta.filePath("marca.png").toStdString();
    QImage marca(327, 234, QImage::Format_RGB32);
    marca.fill(Qt::gray);
    ASSERT_TRUE(marca.save(QString::fromStdString(figura)));

    Componentes c;
    c.danfe->SetMarcadAgua(figura);
    const report::PreparedReport r = c.Imprimir(NotaComItens(60));
    ASSERT_GE(r.pages.size(), 2u);
    const auto alvo = [](const report::PreparedPage &p) {
        for (const report::Primitive &item : p.background)
            if (const auto *imagem = std::get_if<report::ImageItem>(&item);
                imagem && imagem->source == "rliMarcaDagua1")
                return imagem->target;
        return QRectF();
    };
    const report::PreparedPage &p1 = r.pages[0];
    const double titulos = report::placements(p1, "rlbCabecalhoItens").at(0).top;
    const double rodape = report::placements(p1, "rlbDadosAdicionais").at(0).top;
    const QRectF primeira = alvo(p1);
    ASSERT_FALSE(primeira.isNull());
    EXPECT_DOUBLE_EQ(primeira.top(), titulos + std::trunc((rodape - titulos) / 2) - 117);
    EXPECT_DOUBLE_EQ(primeira.left(), report::mmToPx(c.danfe->MargemEsquerda()) + 241);
    for (std::size_t i = 1; i < r.pages.size(); ++i)
        EXPECT_DOUBLE_EQ(alvo(r.pages[i]).top(), report::mmToPx(c.danfe->MargemSuperior()) + 300) << i;
}

} // namespace
