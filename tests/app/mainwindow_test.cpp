#include "app/mainwindow.h"
#include "recordingbox.h"

#include "cte/component.h"
#include "cte/dacte/component.h"
#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "report/prepared.h"
#include "report/preview.h"
#include "sat/component.h"
#include "sat/extrato/component.h"

#include "rtl/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {

using app::TForm1;

std::string Fixture(const char *name)
{
    return QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../nfe/fixtures/") + name).toStdString();
}

// Presses "Visualizar" as the user would: with kind and file chosen, through the button.
void Visualizar(TForm1 &window, int kind, const std::string &file)
{
    window.rgTipoDoc.SetItemIndex(kind);
    window.edNomeArquivo.setText(QString::fromStdString(file));
    window.btVisualiza.click();
}

// The window with its DANFE preview replaced by a recorder: pressing "Visualizar" prepares
// the whole print job, and the test looks at it instead of a modal window.
class MainWindow : public ::testing::Test {
protected:
    MainWindow()
    {
        window.Danfe->SetMostrarPreview(
            [this](report::PreparedReport pages, const report::PreviewOptions &options) {
                previews.push_back({std::move(pages), options.caption});
            });
        window.DaMDFe->SetMostrarPreview(
            [this](report::PreparedReport pages, const report::PreviewOptions &options) {
                previews.push_back({std::move(pages), options.caption});
            });
        window.DaCTe->SetMostrarPreview(
            [this](report::PreparedReport pages, const report::PreviewOptions &options) {
                previews.push_back({std::move(pages), options.caption});
            });
        window.ExtratoSAT->SetMostrarPreview(
            [this](report::PreparedReport pages, const report::PreviewOptions &options) {
                previews.push_back({std::move(pages), options.caption});
            });
    }

    struct Preview {
        report::PreparedReport pages;
        std::string caption;
    };
    apptest::RecordingBox box;
    TForm1 window;
    std::vector<Preview> previews;
};

TEST_F(MainWindow, IsBuiltAsDesigned)
{
    EXPECT_EQ(window.windowTitle(), "Visualizador de XML");
    EXPECT_EQ(window.size(), QSize(742, 239));
    EXPECT_EQ(window.Panel1.geometry(), window.rect());

    EXPECT_EQ(window.rgTipoDoc.title(), "Tipo de Documento");
    EXPECT_EQ(window.rgTipoDoc.Columns(), 2);
    ASSERT_EQ(window.rgTipoDoc.Count(), 4);
    const char *kinds[] = {"NF-e", "CT-e", "MDF-e", "SAT"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.rgTipoDoc.Item(i), kinds[i]);
    EXPECT_EQ(window.rgTipoDoc.ItemIndex(), 0);

    EXPECT_EQ(window.Label1.text(), "Localizar o Arquivo XML");
    EXPECT_EQ(window.edNomeArquivo.text(), "/");
    EXPECT_TRUE(window.sbLocaliza.text().isEmpty());
    EXPECT_FALSE(window.sbLocaliza.icon().isNull());
    EXPECT_EQ(window.btVisualiza.text(), "Visualizar");
    EXPECT_FALSE(window.btVisualiza.icon().isNull());
    EXPECT_EQ(window.Image1.pixmap().size(), QSize(256, 256));
    EXPECT_EQ(window.Label2.text(), "Visualizador de XML");

    EXPECT_EQ(window.odArquivo.DefaultExt, "*.xml");
    EXPECT_EQ(window.odArquivo.Filter,
              "(Todos XMLs)|*.xml|NFe|*-nfe.xml|CTe|*-cte.xml|MDFe|*-mdfe.xml|SAT|AD*.xml");
    EXPECT_EQ(window.odArquivo.FilterIndex, 1);
    EXPECT_EQ(window.odArquivo.InitialDir, "/");

    ASSERT_NE(window.Nfe, nullptr);
    EXPECT_EQ(window.Nfe->Name(), "Nfe");
    const auto &config = window.Nfe->Configuracoes();
    EXPECT_EQ(config.Geral().SSLLib(), dfe::libNone);
    EXPECT_EQ(config.Geral().SSLXmlSignLib(), dfe::xsNone);
    EXPECT_EQ(config.Geral().FormatoAlerta(), "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.");
    EXPECT_EQ(config.Arquivos().OrdenacaoPath().Count(), 0);
    EXPECT_EQ(config.WebServices().UF(), "SP");
    EXPECT_EQ(config.WebServices().QuebradeLinha(), "|");
    EXPECT_EQ(window.Nfe->NotasFiscais().Count(), 0);
}

TEST_F(MainWindow, VisualizarLoadsTheNFeFileAfresh)
{
    const std::string path = Fixture("nfe400_proc.xml");
    Visualizar(window, 0, path);
    // A second press clears the list first instead of adding the same document again.
    window.btVisualiza.click();

    EXPECT_TRUE(box.Shown.empty());
    const nfe::TNotasFiscais &notas = window.Nfe->NotasFiscais();
    ASSERT_EQ(notas.Count(), 1);
    EXPECT_EQ(notas.Items(0).NFe().Ide.nNF, 1234);
    EXPECT_EQ(notas.Items(0).NFe().Emit.xNome, "EMPRESA EXEMPLO LTDA");
    EXPECT_EQ(notas.Items(0).NomeArq(), path);

    // Each press previews the DANFE of the loaded document, linked both ways.
    EXPECT_EQ(window.Nfe->DANFE(), window.Danfe);
    EXPECT_EQ(window.Danfe->OvixNFe(), window.Nfe);
    ASSERT_EQ(previews.size(), 2u);
    const Preview &p = previews.back();
    EXPECT_EQ(p.pages.caption.empty() ? p.caption : p.pages.caption, "DANFe");
    ASSERT_FALSE(p.pages.pages.empty());
    EXPECT_NE(report::findText(p.pages.pages[0], "EMPRESA EXEMPLO LTDA"), nullptr);
    EXPECT_NE(report::findText(p.pages.pages[0], "Nº 000001234"), nullptr);
}

// The exit time prints with the process-wide settings: under an English or "C" locale it
// once came out as "2:30:00 PM".
TEST_F(MainWindow, TheDANFEWritesTheExitTimeTheBrazilianWay)
{
    Visualizar(window, 0, Fixture("nfe200_apos.xml"));
    EXPECT_TRUE(box.Shown.empty());
    ASSERT_EQ(previews.size(), 1u);
    ASSERT_FALSE(previews[0].pages.pages.empty());
    EXPECT_NE(report::findText(previews[0].pages.pages[0], "14:30:00"), nullptr);
}

TEST_F(MainWindow, AFolderInsteadOfAFileShowsTheFileOpenErrorAndTheWindowGoesOn)
{
    Visualizar(window, 0, Fixture("nfe400_proc.xml"));
    window.edNomeArquivo.setText("/");
    window.btVisualiza.click();

    ASSERT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(box.Shown[0].owner, &window);
    EXPECT_EQ(box.Shown[0].caption, "Visualizador de XML");
    EXPECT_EQ(box.Shown[0].text, "Cannot open file \"/\". Is a directory.");
    // The list was cleared before the load failed.
    EXPECT_EQ(window.Nfe->NotasFiscais().Count(), 0);

    // The same window takes the next press.
    Visualizar(window, 0, Fixture("nfe400_proc.xml"));
    EXPECT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(window.Nfe->NotasFiscais().Count(), 1);
}

// The MDF-e road: every manifest of the file in one DAMDFE preview; a second press loads
// the file afresh; a file holding no MDF-e says so instead of showing nothing.
TEST_F(MainWindow, MDFeLoadsEveryManifestAndPreviewsTheDAMDFE)
{
    EXPECT_EQ(window.MDFe->DAMDFE(), window.DaMDFe);
    EXPECT_EQ(window.DaMDFe->OvixMDFe(), window.MDFe);
    const std::string um =
        QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../mdfe/fixtures/mdfe300-rodo-proc.xml")).toStdString();
    Visualizar(window, 2, um);
    window.btVisualiza.click();
    EXPECT_TRUE(box.Shown.empty()) << (box.Shown.empty() ? "" : box.Shown[0].text);
    ASSERT_EQ(window.MDFe->Manifestos().Count(), 1);
    EXPECT_EQ(window.MDFe->Manifestos().Items(0).NomeArq(), um);
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[1].caption, "Manifesto - Retrato");
    ASSERT_FALSE(previews[1].pages.pages.empty());
    const report::PreparedPage &p = previews[1].pages.pages[0];
    EXPECT_NE(report::findText(p, "DAMDFE"), nullptr);
    EXPECT_NE(report::findText(p, "Transportes Exemplo Ação Ltda"), nullptr);
    EXPECT_NE(report::findText(p, "MODAL RODOVIÁRIO DE CARGA"), nullptr);

    // Two files' manifests in one: two documents, each from page 1.
    QTemporaryDir pasta;
    const std::string dois = pasta.filePath("dois-mdfe.xml").toStdString();
    const std::string aquav =
        QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../mdfe/fixtures/mdfe300-aquav.xml")).toStdString();
    rtl::WriteFileBytes(dois, rtl::ReadFileBytes(um) + rtl::ReadFileBytes(aquav));
    Visualizar(window, 2, dois);
    EXPECT_TRUE(box.Shown.empty()) << (box.Shown.empty() ? "" : box.Shown[0].text);
    EXPECT_EQ(window.MDFe->Manifestos().Count(), 2);
    ASSERT_EQ(previews.size(), 3u);
    EXPECT_EQ(previews[2].pages.pages.front().number, 1);
    EXPECT_EQ(previews[2].pages.pages.back().number, 1);
    EXPECT_EQ(previews[2].pages.pages.back().reportIndex, 1);

    // An NF-e file holds no MDF-e.
    const std::string nfe = Fixture("nfe400_proc.xml");
    Visualizar(window, 2, nfe);
    ASSERT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(box.Shown[0].text, "Nenhum MDF-e encontrado no arquivo \"" + nfe + "\"");
    EXPECT_EQ(previews.size(), 3u);
    EXPECT_EQ(window.MDFe->Manifestos().Count(), 0);
}

// A CT-e or CT-e OS file loads afresh into the CT-e component and every document previews
// through its DACTE; a file with no CT-e says so by name and previews nothing.
TEST_F(MainWindow, CTeLoadsTheFileAndPreviewsItsDACTE)
{
    EXPECT_EQ(window.CTe->DACTE(), window.DaCTe);
    EXPECT_EQ(window.DaCTe->OvixCTe(), window.CTe);
    EXPECT_EQ(window.DaCTe->Sistema(), "Visualizador Vexa XML - Vexa Software");
    struct Row {
        const char *file;
        int modelo;
        int nCT;
    } rows[] = {
        {"F1-cte300-rodo-proc.xml", 57, 123},
        {"F2-cteos300-proc.xml", 67, 45},
    };
    for (const Row &row : rows) {
        previews.clear();
        const std::string path =
            QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../cte/fixtures/") + row.file).toStdString();
        Visualizar(window, 1, path);
        window.btVisualiza.click();
        EXPECT_TRUE(box.Shown.empty()) << row.file << (box.Shown.empty() ? "" : ": " + box.Shown[0].text);
        const cte::TConhecimentos &lista = window.CTe->Conhecimentos();
        ASSERT_EQ(lista.Count(), 1) << row.file;
        EXPECT_EQ(lista.Items(0).CTe().ide.modelo, row.modelo) << row.file;
        EXPECT_EQ(lista.Items(0).CTe().ide.nCT, row.nCT) << row.file;
        EXPECT_EQ(lista.Items(0).NomeArq(), path) << row.file;
        EXPECT_FALSE(window.DaCTe->ExibeICMS()) << row.file;
        ASSERT_EQ(previews.size(), 2u) << row.file;
        EXPECT_EQ(previews.back().caption, "DACT-e ") << row.file;
        ASSERT_FALSE(previews.back().pages.pages.empty()) << row.file;
        EXPECT_NE(report::findText(previews.back().pages.pages[0], "Transportes Modelo Ltda"), nullptr) << row.file;
    }

    previews.clear();
    const std::string nfe = Fixture("nfe400_proc.xml");
    Visualizar(window, 1, nfe);
    ASSERT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(box.Shown[0].caption, "Visualizador de XML");
    EXPECT_EQ(box.Shown[0].text, "Nenhum CT-e encontrado no arquivo \"" + nfe + "\"");
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(window.CTe->Conhecimentos().Count(), 0);
}

TEST_F(MainWindow, SATLoadsTheCFeAndPreviewsItsReceiptOnRollPaper)
{
    const std::string path =
        QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../sat/fixtures/cfe008-venda-utf8.xml")).toStdString();
    EXPECT_EQ(window.Sat->Extrato(), window.ExtratoSAT);
    EXPECT_EQ(window.ExtratoSAT->OvixSAT(), window.Sat);
    Visualizar(window, 3, path);
    EXPECT_TRUE(box.Shown.empty()) << (box.Shown.empty() ? "" : box.Shown[0].text);
    ASSERT_EQ(previews.size(), 1u);
    const report::PreparedReport &r = previews[0].pages;
    ASSERT_EQ(r.pages.size(), 1u);
    // One continuous page 80 mm wide.
    EXPECT_NEAR(r.pages[0].size.width(), report::mmToPx(80), 0.01);
    EXPECT_EQ(r.title, sat::TOvixSATExtratoFortes::FormatarTitulo("CFe", window.Sat->CFe().infCFe.ID));
    EXPECT_NE(report::findText(r.pages[0], "TOTAL R$"), nullptr);
    EXPECT_NE(report::findText(r.pages[0], "Visualizador Vexa XML - Vexa Software"), nullptr);

    // A file that cannot be read goes to the error handler; the window takes the next press.
    window.edNomeArquivo.setText("/");
    window.btVisualiza.click();
    ASSERT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(box.Shown[0].caption, "Visualizador de XML");
    EXPECT_EQ(previews.size(), 1u);
    Visualizar(window, 3, path);
    EXPECT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(previews.size(), 2u);
}

TEST_F(MainWindow, NoKindChosenDoesNothing)
{
    Visualizar(window, -1, "/");
    EXPECT_EQ(window.rgTipoDoc.ItemIndex(), -1);
    EXPECT_TRUE(box.Shown.empty());
}

TEST_F(MainWindow, BrowseStartsInTheTypedTextAndTakesOnlyAConfirmedFile)
{
    struct Row {
        const char *name;
        const char *typed;
        std::optional<std::string> chosen;
        const char *initialDir; // the folder the dialog was opened with
        const char *edit;       // the file box afterwards
    };
    const Row rows[] = {
        {"folder typed, file chosen", "/tmp", "/tmp/a-nfe.xml", "/tmp", "/tmp/a-nfe.xml"},
        {"file typed opens at the file", "/tmp/b.xml", "/tmp/c.xml", "/tmp/b.xml", "/tmp/c.xml"},
        {"blanks around are kept", " /tmp ", "/tmp/d.xml", " /tmp ", "/tmp/d.xml"},
        {"blank box keeps the last folder", "   ", "/x.xml", "/", "/x.xml"},
        {"cancel changes nothing", "/tmp", std::nullopt, "/tmp", "/tmp"},
    };
    for (const Row &row : rows) {
        TForm1 fresh;
        std::string seenDir;
        std::string seenFilter;
        fresh.odArquivo.Runner = [&](const app::TOpenDialog &od, QWidget *) {
            seenDir = od.InitialDir;
            seenFilter = od.Filter;
            return row.chosen;
        };
        fresh.edNomeArquivo.setText(row.typed);
        fresh.sbLocaliza.click();

        EXPECT_EQ(seenDir, row.initialDir) << row.name;
        EXPECT_EQ(seenFilter, fresh.odArquivo.Filter) << row.name;
        EXPECT_EQ(fresh.edNomeArquivo.text().toStdString(), row.edit) << row.name;
    }
    EXPECT_TRUE(box.Shown.empty());
}

TEST_F(MainWindow, AnErrorWhileBrowsingReachesTheDefaultHandler)
{
    window.odArquivo.Runner = [](const app::TOpenDialog &, QWidget *) -> std::optional<std::string> {
        throw rtl::Exception("Sem acesso à pasta");
    };
    window.sbLocaliza.click();
    ASSERT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(box.Shown[0].text, "Sem acesso à pasta.");
    EXPECT_EQ(window.edNomeArquivo.text(), "/");
}

} // namespace
