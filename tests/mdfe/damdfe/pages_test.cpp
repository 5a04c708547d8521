// How the DAMDFE spreads over pages: the bands of each modal, a document list that fills
// several pages, lists of vehicles long enough to push or split their band, and the
// observations in the last page's footer.
#include "support.h"

#include "mdfe/damdfe/layout.h"

#include "dfe/accesskey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using damdfe_test::BandaNaPagina;
using damdfe_test::ChaveNFe;
using damdfe_test::Componentes;
using damdfe_test::Manifesto;
using damdfe_test::TextoDe;
using mdfe::TMDFe;

// The band's placements on the page, one "top-bottom" pair each.
std::vector<std::pair<double, double>> Faixas(const report::PreparedPage &p, std::string_view banda)
{
    std::vector<std::pair<double, double>> out;
    for (const report::PlacedBand &b : report::placements(p, banda))
        out.emplace_back(b.top, b.top + b.height);
    return out;
}

// No two bands of a page overlap, and none runs past the page.
void SemSobreposicao(const report::PreparedPage &p, const std::string &nome)
{
    EXPECT_FALSE(p.overflow) << nome << " page " << p.number;
    for (std::size_t i = 0; i + 1 < p.bands.size(); ++i)
        for (std::size_t j = i + 1; j < p.bands.size(); ++j) {
            const report::PlacedBand &a = p.bands[i], &b = p.bands[j];
            EXPECT_TRUE(a.top + a.height <= b.top + 0.01 || b.top + b.height <= a.top + 0.01)
                << nome << " page " << p.number << ": " << a.name << " and " << b.name;
        }
}

TEST(DAMDFePaginas, ADocumentListOfSeveralPagesRepeatsTheHeadersAndEndsWithTheFooter)
{
    Componentes c;
    TMDFe m = Manifesto();
    m.infDoc.infMunDescarga.Clear();
    int n = 0;
    for (int municipio = 1; municipio <= 4; ++municipio) {
        mdfe::TinfMunDescargaCollectionItem &mun = m.infDoc.infMunDescarga.New();
        mun.xMunDescarga = "MUNICIPIO " + std::to_string(municipio);
        for (int i = 0; i < 60; ++i)
            mun.infNFe.New().chNFe = ChaveNFe(++n);
    }
    m.Ide.tpAmb = dfe::taHomologacao;
    const report::PreparedReport r = c.Imprimir(m);
    const std::size_t paginas = r.pages.size();
    ASSERT_GE(paginas, 3u) << report::dump(r);

    std::string esquerda, direita;
    for (const report::PreparedPage &p : r.pages) {
        const bool primeira = p.number == 1, ultima = p.number == static_cast<int>(paginas);
        const std::string folha = (p.number < 10 ? "0" : "") + std::to_string(p.number) + "/" +
                                  (paginas < 10 ? "0" : "") + std::to_string(paginas);
        EXPECT_EQ(TextoDe(p, "rlsFolha"), folha);
        EXPECT_TRUE(BandaNaPagina(p, "rlb_1_DadosManifesto")) << p.number;
        EXPECT_TRUE(BandaNaPagina(p, "rlb_7_Documentos_Titulos")) << p.number;
        EXPECT_EQ(BandaNaPagina(p, "rlb_2"), primeira) << p.number;
        EXPECT_EQ(BandaNaPagina(p, "rlb_2_Rodo"), primeira) << p.number;
        EXPECT_EQ(BandaNaPagina(p, "rlb_6_Observacao"), ultima) << p.number;
        EXPECT_EQ(TextoDe(p, "rllMsg1") != "<none>", ultima) << p.number;
        SemSobreposicao(p, "list");
        if (ultima) {
            // At the foot of the page.
            const auto rodape = Faixas(p, "rlb_6_Observacao");
            ASSERT_EQ(rodape.size(), 1u);
            EXPECT_NEAR(rodape[0].second, p.size.height() - report::mmToPx(8), 0.5);
        }
        const std::string e = TextoDe(p, "rlmChave1"), d = TextoDe(p, "rlmChave2");
        if (e != "<none>")
            esquerda += e + "\n";
        if (d != "<none>")
            direita += d + "\n";
    }
    // Every document once, none lost at a page break, alternating between the columns.
    for (int i = 1; i <= n; ++i) {
        const std::string linha = "NF-e          " + dfe::FormatarChaveAcesso(ChaveNFe(i)) + "\n";
        const std::string &coluna = i % 2 == 1 ? esquerda : direita;
        EXPECT_EQ(coluna.find(linha), coluna.rfind(linha)) << i;
        EXPECT_NE(coluna.find(linha), std::string::npos) << i;
    }
}

TEST(DAMDFePaginas, EachModalPrintsItsOwnBand)
{
    struct Row {
        const char *name;
        mdfe::TModalMDFe modal;
        bool rodo, aquav;
        const char *texto;
    } rows[] = {
        {"road", mdfe::moRodoviario, true, false, "MODAL RODOVIÁRIO DE CARGA"},
        {"air: no modal band", mdfe::moAereo, false, false, "MODAL AÉREO DE CARGA"},
        {"rail: no modal band", mdfe::moFerroviario, false, false, "MODAL FERROVIÁRIO DE CARGA"},
        {"waterway", mdfe::moAquaviario, false, true, "MODAL AQUAVIÁRIO DE CARGA"},
    };
    for (const Row &row : rows) {
        Componentes c;
        TMDFe m = Manifesto();
        m.Ide.modal = row.modal;
        m.aquav.cEmbar = "EMB01";
        m.aquav.xEmbar = "NAVIO AZUL";
        m.aquav.infTermCarreg.New() = {"T01", "TERMINAL SANTOS"};
        m.aquav.infTermDescarreg.New() = {"T02", "TERMINAL RIO"};
        const report::PreparedPage p = c.Imprimir(m).pages.at(0);
        EXPECT_EQ(TextoDe(p, "rllModal"), row.texto) << row.name;
        EXPECT_EQ(BandaNaPagina(p, "rlb_2_Rodo"), row.rodo) << row.name;
        EXPECT_EQ(BandaNaPagina(p, "rlb_4_Aquav"), row.aquav) << row.name;
        EXPECT_FALSE(BandaNaPagina(p, "rlb_3_Aereo")) << row.name;
        EXPECT_FALSE(BandaNaPagina(p, "rlb_5_Ferrov")) << row.name;
        if (row.aquav) {
            EXPECT_EQ(TextoDe(p, "rllNomeEmbar"), "NAVIO AZUL");
            EXPECT_EQ(TextoDe(p, "rlmNomeCarreg"), "TERMINAL SANTOS");
            EXPECT_EQ(TextoDe(p, "rlmCodDescarreg"), "T02");
        }
        SemSobreposicao(p, row.name);
    }
}

TEST(DAMDFePaginas, TheWaterwayBandRepeatsOnEveryPage)
{
    Componentes c;
    TMDFe m = Manifesto();
    m.Ide.modal = mdfe::moAquaviario;
    m.aquav.xEmbar = "NAVIO AZUL";
    for (int i = 0; i < 150; ++i)
        m.infDoc.infMunDescarga[0].infNFe.New().chNFe = ChaveNFe(i + 10);
    const report::PreparedReport r = c.Imprimir(m);
    ASSERT_GE(r.pages.size(), 2u);
    for (const report::PreparedPage &p : r.pages) {
        EXPECT_TRUE(BandaNaPagina(p, "rlb_4_Aquav")) << p.number;
        EXPECT_EQ(TextoDe(p, "rllNomeEmbar"), "NAVIO AZUL") << p.number;
        SemSobreposicao(p, "waterway");
    }
}

// The road band grows with its lists: the lower half moves below the longest list of the
// upper half, the next band comes after it, and a band taller than a page continues on the
// next one instead of running off the page.
TEST(DAMDFePaginas, TheRoadBandGrowsWithItsListsAndSplitsWhenTallerThanAPage)
{
    struct Row {
        const char *name;
        int reboques;
        int condutores;
        std::size_t paginasMinimas;
    } rows[] = {
        {"design size", 1, 1, 1},
        {"twelve drivers", 1, 12, 1},
        {"two hundred drivers", 3, 200, 2},
    };
    for (const Row &row : rows) {
        Componentes c;
        TMDFe m = Manifesto();
        for (int i = 1; i < row.reboques; ++i)
            m.rodo.veicReboque.New().placa = "REB" + std::to_string(1000 + i);
        for (int i = 1; i < row.condutores; ++i) {
            mdfe::TcondutorCollectionItem &cond = m.rodo.veicTracao.condutor.New();
            cond.xNome = "CONDUTOR " + std::to_string(i);
            cond.CPF = "12345678909";
        }
        const report::PreparedReport r = c.Imprimir(m);
        ASSERT_GE(r.pages.size(), row.paginasMinimas) << row.name;
        const report::PreparedPage &p = r.pages[0];
        for (const report::PreparedPage &pagina : r.pages)
            SemSobreposicao(pagina, row.name);

        // The lower half's line lies below every driver line on the first page.
        const report::TextRun *ultimo = nullptr;
        for (const report::Primitive *pr : report::bySource(p, "rlmCondutor"))
            if (const auto *run = std::get_if<report::TextRun>(pr))
                ultimo = run;
        ASSERT_NE(ultimo, nullptr) << row.name;
        const auto linha = report::bySource(p, "rlsLinhaRodo");
        if (r.pages.size() == 1) {
            ASSERT_EQ(linha.size(), 1u) << row.name;
            EXPECT_GT(std::get<report::LineItem>(*linha[0]).from.y(), ultimo->box.bottom()) << row.name;
        }
        // Every driver printed once.
        std::string nomes;
        for (const report::PreparedPage &pagina : r.pages)
            nomes += TextoDe(pagina, "rlmCondutor") + "\n";
        for (int i = 1; i < row.condutores; ++i)
            EXPECT_NE(nomes.find("CONDUTOR " + std::to_string(i) + "\n"), std::string::npos) << row.name << i;
    }
}

TEST(DAMDFePaginas, TheObservationsBreakTheirLinesAndTheFooterGrowsWithThem)
{
    const struct Row {
        const char *infCpl;
        const char *esperado;
    } rows[] = {
        {"UM;DOIS", "UM\nDOIS"},
        {"UM&lt;BR&gt;DOIS&lt;br&gt;TRES", "UM\nDOIS\nTRES"},
        {"UM<br>DOIS<Br>TRES", "UM\nDOIS\nTRES"},
        {"SEM QUEBRA", "SEM QUEBRA"},
        {"", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(mdfe::QuebrarLinhasObservacao(row.infCpl), row.esperado) << row.infCpl;

    Componentes c;
    TMDFe m = Manifesto();
    m.procMDFe.cStat = 0;
    std::string longo;
    for (int i = 1; i <= 40; ++i)
        longo += "OBSERVACAO " + std::to_string(i) + ";";
    m.infAdic.infCpl = longo;
    const report::PreparedReport r = c.Imprimir(m);
    const report::PreparedPage &p = r.pages.back();
    EXPECT_NE(TextoDe(p, "rlmObservacao").find("OBSERVACAO 40"), std::string::npos);
    EXPECT_EQ(TextoDe(p, "rllMsg1"), "MDF-E NÃO ENVIADO PARA SEFAZ");
    SemSobreposicao(p, "long observations");
    // The status and print lines come after the observations.
    const report::TextRun *fim = nullptr;
    for (const report::Primitive *pr : report::bySource(p, "rlmObservacao"))
        fim = std::get_if<report::TextRun>(pr);
    const report::TextRun *msg = report::findText(p, "MDF-E NÃO ENVIADO PARA SEFAZ");
    ASSERT_NE(fim, nullptr);
    ASSERT_NE(msg, nullptr);
    EXPECT_GE(msg->box.top(), fim->box.bottom());
}

} // namespace
