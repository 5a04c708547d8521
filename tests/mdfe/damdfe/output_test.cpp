// The DAMDFE leaving the program: several documents chained into one preview, the PDF
// route, the key barcode and QR Code read back from a 200-dpi rendering, and every
// manifest file loaded, previewed and written to PDF.
#include "support.h"

#include "mdfe/damdfe/form.h"

#include "report/outputs.h"
#include "report/painter.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

using damdfe_test::Componentes;
using damdfe_test::Manifesto;
using damdfe_test::TextoDe;
using mdfe::TMDFe;

TMDFe Numero(int nMDF)
{
    TMDFe m = Manifesto();
    m.Ide.nMDF = nMDF;
    m.infMDFe.Id = "MDFe3524051234567800019558001000000" + std::to_string(nMDF) + "1123456780";
    return m;
}

TEST(DAMDFeImpressao, EveryLoadedManifestInOnePreviewEachNumberedFromOne)
{
    Componentes c;
    for (int n : {101, 102, 103})
        c.mdfe->Manifestos().Add().MDFe() = Numero(n);
    // A long list makes the second document take two pages.
    for (int i = 0; i < 200; ++i)
        c.mdfe->Manifestos().Items(1).MDFe().infDoc.infMunDescarga[0].infNFe.New().chNFe =
            damdfe_test::ChaveNFe(i + 3);

    c.mdfe->Manifestos().Imprimir();
    ASSERT_EQ(c.impressos.size(), 1u);
    const report::PreparedReport &r = c.impressos[0];
    std::vector<std::string> vistos;
    for (const report::PreparedPage &p : r.pages)
        vistos.push_back(TextoDe(p, "rllNumMDFe") + " " + TextoDe(p, "rlsFolha"));
    ASSERT_GE(vistos.size(), 4u);
    EXPECT_EQ(vistos.front(), "000.000.101 01/01");
    EXPECT_EQ(vistos[1], "000.000.102 01/0" + std::to_string(vistos.size() - 2));
    EXPECT_EQ(vistos.back(), "000.000.103 01/01");

    // One document given: that one alone.
    c.damdfe->ImprimirDAMDFe(&c.mdfe->Manifestos().Items(2).MDFe());
    ASSERT_EQ(c.impressos.size(), 2u);
    ASSERT_EQ(c.impressos[1].pages.size(), 1u);
    EXPECT_EQ(TextoDe(c.impressos[1].pages[0], "rllNumMDFe"), "000.000.103");

    // No document: nothing at all.
    c.mdfe->Manifestos().Clear();
    c.mdfe->Manifestos().Imprimir();
    EXPECT_EQ(c.impressos.size(), 2u);
}

TEST(DAMDFeImpressao, TheBaseComponentPrintsNothingAndTheLinkRefusesAnotherClass)
{
    auto base = rtl::TComponent::CreateFree<mdfe::TOvixMDFeDAMDFeClass>();
    const auto erro = [](auto &&acao) {
        try {
            acao();
        } catch (const rtl::Exception &e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(erro([&] { base->ImprimirDAMDFe(); }), "ImprimirDAMDFe");
    EXPECT_EQ(erro([&] { base->ImprimirDAMDFePDF(); }), "ImprimirDAMDFePDF");
    EXPECT_EQ(erro([&] { base->ImprimirEVENTO(); }), "ImprimirEVENTO");
    EXPECT_EQ(erro([&] { base->ImprimirEVENTOPDF(); }), "ImprimirEVENTOPDF");

    Componentes c;
    EXPECT_EQ(c.mdfe->DAMDFE(), c.damdfe);
    auto outro = rtl::TComponent::CreateFree<rtl::TComponent>();
    EXPECT_EQ(erro([&] { c.damdfe->SetOvixMDFe(outro.get()); }), "DAMDFe deve ser do tipo TOvixMDFe");
    EXPECT_EQ(c.damdfe->OvixMDFe(), c.mdfe);
}

// The key barcode and the QR Code scan from a 200-dpi rendering of the page: the key's
// digits, and the QR text exactly as the manifest holds it, with nothing in front.
TEST(DAMDFeImpressao, KeyBarcodeAndQRCodeScanAt200Dpi)
{
    constexpr double dpi = 200;
    Componentes c;
    const report::PreparedPage p = c.Imprimir(Manifesto()).pages.at(0);
    const QImage pagina = report::renderPage(p, dpi / 96);
    const auto recorte = [&](const QRectF &area) {
        const QRectF a = area.adjusted(-8, -8, 8, 8);
        return pagina.copy(QRectF(a.topLeft() * dpi / 96, a.size() * dpi / 96).toAlignedRect());
    };

    const auto barras = report::bySource(p, "RLBarcode1");
    ASSERT_EQ(barras.size(), 1u);
    const auto &codigo = std::get<report::BarsItem>(*barras[0]);
    const ZXing::Result chave = report::test::readSymbol(recorte(codigo.box), ZXing::BarcodeFormat::Code128);
    ASSERT_TRUE(chave.isValid());
    EXPECT_EQ(report::test::bytesOf(chave), damdfe_test::kChave);

    const auto qr = report::bySource(p, "imgQRCode");
    ASSERT_EQ(qr.size(), 1u);
    const auto &simbolo = std::get<report::BarsItem>(*qr[0]);
    const ZXing::Result lido = report::test::readSymbol(recorte(simbolo.box), ZXing::BarcodeFormat::QRCode);
    ASSERT_TRUE(lido.isValid());
    EXPECT_EQ(report::test::bytesOf(lido), damdfe_test::kQRCode);

    // A blank QR text leaves the area empty.
    TMDFe semQR = Manifesto();
    semQR.infMDFeSupl.qrCodMDFe = "  ";
    EXPECT_TRUE(report::bySource(c.Imprimir(semQR).pages.at(0), "imgQRCode").empty());
}

// The PDF route of one given document: one file named by the key in the PDF folder, its
// title and keywords with the user's separators.
TEST(DAMDFeImpressao, OneDocumentToPDFWithItsNumberDateAndIssuerInTheInformation)
{
    if (!report::test::havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    QTemporaryDir saida;
    Componentes c;
    c.mdfe->Manifestos().Add().MDFe() = Numero(101);
    c.damdfe->SetPathPDF(saida.path().toStdString() + "/");
    const TMDFe m = Manifesto();
    c.damdfe->ImprimirDAMDFePDF(&m);
    EXPECT_EQ(c.damdfe->ArquivoPDF(), saida.path().toStdString() + "/" + damdfe_test::kChave + "-mdfe.pdf");
    EXPECT_EQ(QDir(saida.path()).entryList(QDir::Files).size(), 1);
    const std::string info = report::test::pdfInfoOf(QString::fromStdString(c.damdfe->ArquivoPDF()));
    EXPECT_EQ(report::test::infoValue(info, "Title"), "DAMDFe - MDFe nº 000.000.123");
    EXPECT_EQ(report::test::infoValue(info, "Keywords"),
              "Número:000.000.123; Data de emissão: 17/05/2024; CNPJ: 12345678000195");
}

std::string Simples(std::string texto)
{
    std::string out;
    for (char ch : texto)
        if (!(ch == ' ' && !out.empty() && out.back() == ' '))
            out += ch == '\n' ? ' ' : ch;
    return out;
}

// Every manifest file: the fixtures here, and those of the folder MDFE_CORPUS_DIR names when
// it is set. Each loads, previews every document, and writes one PDF per document named
// by its key, which reads back as a DAMDFE.
TEST(DAMDFeImpressao, EveryManifestFilePreviewsAndExportsToPDF)
{
    QStringList pastas{QString(TEST_SOURCE_DIR) + "/../fixtures"};
    if (qEnvironmentVariableIsSet("MDFE_CORPUS_DIR"))
        pastas << qEnvironmentVariable("MDFE_CORPUS_DIR");
    int arquivos = 0;
    for (const QString &pasta : pastas) {
        for (const QFileInfo &info : QDir(pasta).entryInfoList({"*.xml"}, QDir::Files, QDir::Name)) {
            const std::string arquivo = info.absoluteFilePath().toStdString();
            ++arquivos;
            Componentes c;
            ASSERT_TRUE(c.mdfe->Manifestos().LoadFromFile(arquivo)) << arquivo;
            c.mdfe->Manifestos().Imprimir();
            ASSERT_EQ(c.impressos.size(), 1u) << arquivo;
            for (const report::PreparedPage &p : c.impressos[0].pages)
                EXPECT_FALSE(p.overflow) << arquivo << " page " << p.number;

            QTemporaryDir saida;
            c.damdfe->SetPathPDF(saida.path().toStdString() + "/");
            c.mdfe->Manifestos().ImprimirPDF();
            const int total = c.mdfe->Manifestos().Count();
            const mdfe::TMDFe &ultimo = c.mdfe->Manifestos().Items(total - 1).MDFe();
            const std::string esperado =
                saida.path().toStdString() + "/" + ultimo.infMDFe.Id.substr(4) + "-mdfe.pdf";
            EXPECT_EQ(c.damdfe->ArquivoPDF(), esperado) << arquivo;
            EXPECT_EQ(QDir(saida.path()).entryList({"*-mdfe.pdf"}, QDir::Files).size(), total) << arquivo;
            if (!report::test::havePoppler())
                continue;
            const QString pdf = QString::fromStdString(esperado);
            const std::string info = report::test::pdfInfoOf(pdf);
            EXPECT_EQ(report::test::infoValue(info, "Title").rfind("DAMDFe - MDFe nº ", 0), 0u) << info;
            const auto texto = report::test::pdfText(pdf, 1);
            ASSERT_TRUE(texto.has_value());
            const std::string simples = Simples(*texto);
            EXPECT_NE(simples.find("DAMDFE"), std::string::npos) << arquivo;
            EXPECT_NE(simples.find("Documento Auxiliar de Manifesto Eletrônico de Documentos Fiscais"),
                      std::string::npos)
                << arquivo;
            EXPECT_NE(simples.find(ultimo.emit.xNome), std::string::npos) << arquivo;
        }
    }
    EXPECT_GT(arquivos, 0);
}

} // namespace
