// Printing through the components: the document list's operations, the chain of one
// layout per document, the preview or the printer, and the PDF files.

#include "support.h"

#include "nfe/exception.h"
#include "nfe/list.h"
#include "nfe/settings.h"

#include "report/outputs.h"
#include "rtl/files.h"
#include "rtl/formatsettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

using danfe_test::Componentes;
using danfe_test::kChave;
using danfe_test::NotaAutorizada;
using danfe_test::TextoDe;
using nfe::TNFe;

std::string ErroDe(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const rtl::Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

TNFe NotaComItens(int itens)
{
    TNFe nfe = NotaAutorizada();
    for (int i = nfe.Det.Count(); i < itens; ++i)
        nfe.Det.New().Prod.xProd = "ITEM";
    return nfe;
}

TEST(DANFePrinting, TheListPrintsEveryDocumentInOneJobWithPageNumbersRestarting)
{
    Componentes c;
    TNFe segunda = NotaAutorizada();
    segunda.Ide.nNF = 1235;
    c.Carregar(NotaComItens(80));
    c.Carregar(segunda);
    c.nfe->NotasFiscais().Imprimir();

    ASSERT_EQ(c.impressos.size(), 1u) << "one preview for the whole list";
    const report::PreparedReport &r = c.impressos[0];
    ASSERT_EQ(r.pages.size(), 3u) << report::dump(r);
    struct Row {
        const char *name;
        std::string numero, folha, total;
        int documento;
    } rows[] = {
        {"first document, page 1", "Nº 000001234", "fl. 1", "/2", 0},
        {"first document, page 2", "Nº 000001234", "fl. 2", "/2", 0},
        {"second document starts again", "Nº 000001235", "fl. 1", "/1", 1},
    };
    for (std::size_t i = 0; i < r.pages.size(); ++i) {
        const Row &row = rows[i];
        EXPECT_EQ(TextoDe(r.pages[i], "rllNumNF1"), row.numero) << row.name;
        EXPECT_EQ(TextoDe(r.pages[i], "rllPageNumber"), row.folha) << row.name;
        EXPECT_EQ(TextoDe(r.pages[i], "rllLastPage"), row.total) << row.name;
        EXPECT_EQ(r.pages[i].reportIndex, row.documento) << row.name;
    }
    EXPECT_TRUE(danfe_test::BandaNaPagina(r.pages[2], "rlbReciboHeader")) << "each document has its stub";

    const report::PreviewOptions &o = c.opcoes[0];
    EXPECT_EQ(o.caption, "DANFe");
    EXPECT_TRUE(o.stayOnTop);
    EXPECT_EQ(r.title, kChave) << "the export proposes the first document's key";
}

TEST(DANFePrinting, ALoadedFileIsPrintedFromItsXml)
{
    Componentes c;
    c.nfe->NotasFiscais().LoadFromFile(std::string(TEST_SOURCE_DIR) + "/../fixtures/nfe400_proc.xml");
    c.nfe->NotasFiscais().Imprimir();
    ASSERT_EQ(c.impressos.size(), 1u);
    const report::PreparedPage &p = c.impressos[0].pages.at(0);
    // Loading regenerates the document, and the DANFE prints the key regeneration computed:
    // the fixture's own check digit (7) is wrong, the right one is 9.
    EXPECT_EQ(TextoDe(p, "rllChave"), "3520 1212 3456 7800 0195 5500 1000 0012 3410 0001 2349");
    EXPECT_EQ(TextoDe(p, "rlmEmitente"), "EMPRESA EXEMPLO LTDA");
    EXPECT_EQ(TextoDe(p, "rllNatOperacao"), "VENDA DE MERCADORIA & SERVIÇO");
    EXPECT_EQ(TextoDe(p, "rllDadosVariaveis3"), "135200000012345 01/12/2020 10:25:00");
    EXPECT_EQ(TextoDe(p, "rllNumNF1"), "Nº 000001234");
    EXPECT_EQ(TextoDe(p, "rllXmotivo"), "<none>");
}

TEST(DANFePrinting, NothingToPrintShowsNothing)
{
    Componentes c;
    c.nfe->NotasFiscais().Imprimir();
    EXPECT_TRUE(c.impressos.empty());

    // Without an NF-e component a print of "every document" has none either.
    c.danfe->SetOvixNFe(nullptr);
    c.danfe->ImprimirDANFE();
    EXPECT_TRUE(c.impressos.empty());
}

TEST(DANFePrinting, PrintingNeedsALinkedDANFE)
{
    auto nfeSemDanfe = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
    nfe::TNotasFiscais &notas = nfeSemDanfe->NotasFiscais();
    nfe::NotaFiscal &nota = notas.Add();
    struct Row {
        const char *name;
        std::function<void()> acao;
        std::string mensagem;
    } rows[] = {
        {"the list", [&] { notas.Imprimir(); }, "Componente DANFE não associado."},
        {"the list, cancelled", [&] { notas.ImprimirCancelado(); }, "Componente DANFE não associado."},
        {"the list, to PDF", [&] { notas.ImprimirPDF(); }, "Componente DANFE não associado."},
        {"one document", [&] { nota.Imprimir(); }, "Componente DANFe não associado."},
        {"one NFC-e", [&] {
             nfeSemDanfe->Configuracoes().Geral().SetModeloDF(nfe::moNFCe);
             nota.ImprimirPDF();
         }, "Componente DANFCe não associado."},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ErroDe(row.acao), row.mensagem) << row.name;
}

TEST(DANFePrinting, WithoutPreviewTheJobGoesToThePrinter)
{
    Componentes c;
    std::vector<report::PrintOptions> impressoras;
    std::size_t paginas = 0;
    c.danfe->SetImprimirPaginas([&](const report::PreparedReport &r, const report::PrintOptions &o) {
        impressoras.push_back(o);
        paginas = r.pages.size();
    });
    c.danfe->SetMostraPreview(false);
    c.danfe->SetMostraSetup(true);
    c.danfe->SetImpressora("Escritorio");
    c.danfe->SetNumCopias(2);
    const TNFe nfe = NotaAutorizada();
    c.danfe->ImprimirDANFE(&nfe);

    EXPECT_TRUE(c.impressos.empty()) << "no preview";
    ASSERT_EQ(impressoras.size(), 1u);
    EXPECT_EQ(paginas, 1u);
    EXPECT_TRUE(impressoras[0].showDialog);
    EXPECT_EQ(impressoras[0].printerName, "Escritorio");
    EXPECT_EQ(impressoras[0].copies, 2);
}

TEST(DANFePrinting, TheCancelledPrintMarksTheDocumentOnlyForItsDuration)
{
    Componentes c;
    c.Carregar(NotaAutorizada());
    c.nfe->NotasFiscais().ImprimirCancelado();
    ASSERT_EQ(c.impressos.size(), 1u);
    EXPECT_EQ(TextoDe(c.impressos[0].pages.at(0), "RLLCanceladaDenegada"), "NF-e CANCELADA");
    EXPECT_FALSE(c.danfe->Cancelada());

    c.danfe->SetMostrarPreview([](report::PreparedReport, const report::PreviewOptions &) {
        throw std::runtime_error("janela recusada");
    });
    EXPECT_EQ(ErroDe([&] { c.danfe->ImprimirDANFECancelado(); }), "other exception: janela recusada");
    EXPECT_FALSE(c.danfe->Cancelada()) << "cleared on the failed path too";
}

TEST(DANFePrinting, APortraitDANFEHasNoEANColumn)
{
    Componentes c;
    c.danfe->SetExibeEAN(true);
    EXPECT_FALSE(c.danfe->ExibeEAN());
    c.danfe->SetTipoDANFE(dfe::tiPaisagem);
    c.danfe->SetExibeEAN(true);
    EXPECT_TRUE(c.danfe->ExibeEAN());
    c.danfe->SetTipoDANFE(dfe::tiRetrato);
    EXPECT_FALSE(c.danfe->ExibeEAN());

    // The landscape type prints the one layout there is.
    c.danfe->SetTipoDANFE(dfe::tiPaisagem);
    const TNFe nfe = NotaAutorizada();
    c.danfe->ImprimirDANFE(&nfe);
    ASSERT_EQ(c.impressos.size(), 1u);
    EXPECT_EQ(TextoDe(c.impressos[0].pages.at(0), "rllNumNF1"), "Nº 000001234");
}

TEST(DANFePrinting, PDFFilesAreNamedByTheKeyAndDescribeTheDocument)
{
    if (!report::test::havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    Componentes c;
    c.danfe->SetPathPDF(pasta.path().toStdString() + "/");
    TNFe segunda = NotaAutorizada();
    segunda.infNFe.ID = "NFe35240512345678000195550010000012351123456781";
    c.Carregar(NotaAutorizada());
    c.Carregar(segunda);

    c.nfe->NotasFiscais().ImprimirPDF();
    const std::string primeiro = pasta.path().toStdString() + "/" + kChave + "-nfe.pdf";
    const std::string segundo = pasta.path().toStdString() + "/35240512345678000195550010000012351123456781-nfe.pdf";
    EXPECT_EQ(c.danfe->ArquivoPDF(), primeiro + "\r\n" + segundo);
    EXPECT_TRUE(rtl::FileExists(primeiro));
    EXPECT_TRUE(rtl::FileExists(segundo));
    EXPECT_TRUE(c.impressos.empty()) << "no preview";

    const std::string info = report::test::pdfInfoOf(QString::fromStdString(primeiro));
    EXPECT_EQ(report::test::infoValue(info, "Title"), "DANFE - Nota fiscal nº 000.001.234") << info;
    EXPECT_EQ(report::test::infoValue(info, "Keywords"),
              "Número:000.001.234; Data de emissão: 17/05/2024; Destinatário: CLIENTE DESTINO S/A; "
              "CNPJ: 99888777000166; Valor total: 20,00")
        << info;
    const auto texto = report::test::pdfText(QString::fromStdString(primeiro), 1);
    ASSERT_TRUE(texto.has_value());
    EXPECT_NE(texto->find("3524 0512 3456 7800 0195 5500 1000 0012 3411 2345 6786"), std::string::npos) << *texto;
    EXPECT_NE(texto->find("Nº 000001234"), std::string::npos) << *texto;

    // One document by name.
    c.danfe->SetNomeDocumento("nota");
    const TNFe nfe = NotaAutorizada();
    c.danfe->ImprimirDANFEPDF(&nfe);
    EXPECT_EQ(c.danfe->ArquivoPDF(), pasta.path().toStdString() + "/nota.pdf");
    EXPECT_TRUE(rtl::FileExists(c.danfe->ArquivoPDF()));
}

TEST(DANFePrinting, ThePDFFolderFollowsTheFirstDocumentsIssuerAndDate)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string base = pasta.path().toStdString() + "/";
    Componentes c;
    nfe::TArquivosConfNFe &arquivos = c.nfe->Configuracoes().Arquivos();
    arquivos.SetSepararPorCNPJ(true);
    arquivos.SetSepararPorAno(false);
    arquivos.SetSepararPorMes(true);
    arquivos.SetAdicionarLiteral(true);
    arquivos.SetEmissaoPathNFe(true);
    c.danfe->SetPathPDF(base);

    EXPECT_EQ(c.danfe->GetSeparadorPathPDF(base), base) << "no document loaded";
    c.Carregar(NotaAutorizada());
    EXPECT_EQ(c.danfe->GetSeparadorPathPDF(base), base + "12345678000195/202405/NFe");
    c.danfe->SetUsaSeparadorPathPDF(true);
    EXPECT_EQ(c.danfe->PathPDF(), base + "12345678000195/202405/NFe/");
}

} // namespace
