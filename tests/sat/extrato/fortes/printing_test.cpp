// The receipt on its way out: the printer (from the preview and without it) on a PDF
// printer read back with the poppler tools and zxing, where the print dialog is asked
// for, and where the issuer's logo lands on the roll.
#include "support.h"

#include "report/outputs.h"
#include "report/preview.h"
#include "report/printjob.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <functional>

using namespace extrato_test;

namespace {

const std::string kFixture = std::string(TEST_SOURCE_DIR) + "/../fixtures/cfe008-venda-cnpj.xml";
const std::string kChaveFixture = "35151298765432000110599000123450000420987654";

// The page of a PDF, rasterised by pdftoppm at dpi.
QImage Rasterizar(const QString &pdf, int dpi, const QString &prefixo)
{
    report::test::runTool(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QStringLiteral("1"),
                           QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), pdf, prefixo});
    return QImage(prefixo + QStringLiteral(".png"));
}

// The area of the page image (at escala image pixels per layout pixel) around a layout
// rectangle, with a quiet zone.
QImage Recorte(const QImage &pagina, const QRectF &area, double escala)
{
    const QRectF a = area.adjusted(-10, -6, 10, 6);
    return pagina.copy(QRectF(a.topLeft() * escala, a.size() * escala).toRect());
}

// Prints prepared pages on a PDF printer as the program's printing does: the printer set
// up from the options, then the pages.
void ImprimirEmPdf(const report::PreparedReport &r, const report::PrintOptions &o, const QString &pdf)
{
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(pdf);
    report::setupPrinter(impressora, o, r);
    report::printPages(r, impressora);
}

} // namespace

TEST(SATExtratoImpressao, TheReceiptPrintsOnAPdfPrinterAsOneRollPageThatReadsBack)
{
    if (!report::test::havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());

    // The window's road: the file loaded into the SAT component, its receipt in the preview.
    Componentes c;
    c.sat->CFe().Clear();
    c.sat->CFe().LoadFromFile(kFixture);
    c.extrato->ImprimirExtrato(nullptr);
    ASSERT_EQ(c.impressos.size(), 1u);
    const report::PreparedReport &relatorio = c.impressos[0];
    ASSERT_EQ(relatorio.pages.size(), 1u);
    const report::PreparedPage &pagina = relatorio.pages[0];

    struct Caminho {
        const char *nome;
        std::function<void(const QString &)> imprimir;
    } caminhos[] = {
        {"the preview's print button",
         [&](const QString &pdf) {
             report::PreviewDialog dialogo(relatorio, c.opcoes[0]);
             dialogo.setPrinterChooser([&](QPrinter &impressora, int paginas, QWidget *) {
                 EXPECT_EQ(paginas, 1);
                 impressora.setOutputFormat(QPrinter::PdfFormat);
                 impressora.setOutputFileName(pdf);
                 return true;
             });
             dialogo.print();
         }},
        {"the print without preview",
         [&](const QString &pdf) {
             Componentes direto;
             direto.extrato->SetMostraPreview(false);
             direto.extrato->SetImprimirPaginas(
                 [&](const report::PreparedReport &r, const report::PrintOptions &o) { ImprimirEmPdf(r, o, pdf); });
             direto.sat->CFe().LoadFromFile(kFixture);
             direto.extrato->ImprimirExtrato(nullptr);
             EXPECT_TRUE(direto.impressos.empty());
         }},
    };
    int n = 0;
    for (const Caminho &caminho : caminhos) {
        const QString pdf = pasta.filePath(QStringLiteral("impresso%1.pdf").arg(++n));
        caminho.imprimir(pdf);
        const std::string info = report::test::pdfInfoOf(pdf);
        ASSERT_EQ(report::test::infoValue(info, "Pages"), "1") << caminho.nome << "\n" << info;
        // 80 mm wide, as tall as the content: one continuous page.
        const QString tamanho = QString::fromStdString(report::test::infoValue(info, "Page    1 size"));
        const QStringList medidas = tamanho.split(QLatin1Char(' '));
        ASSERT_GE(medidas.size(), 3) << caminho.nome << ": " << tamanho.toStdString();
        EXPECT_NEAR(medidas[0].toDouble(), 80 / 25.4 * 72, 0.5) << caminho.nome;
        EXPECT_NEAR(medidas[2].toDouble(), pagina.size.height() * 0.75, 0.5) << caminho.nome;

        const std::string texto = report::test::pdfText(pdf, 1).value_or("");
        for (const char *esperado : {"Ferragens Ipiranga Ltda", "EXTRATO N° 000042", "FUR-18", "TOTAL R$", "1.530,90",
                                     "Cartão de Crédito", "3515 1298 7654 3200 0110 5990 0012 3450 0004 2098 7654"})
            EXPECT_NE(texto.find(esperado), std::string::npos) << caminho.nome << ": " << esperado << "\n" << texto;

        // Both halves of the key and the QR Code decode from the printed page at 200 dpi.
        constexpr int dpi = 200;
        constexpr double escala = dpi / 96.0;
        const QImage imagem = Rasterizar(pdf, dpi, pasta.filePath(QStringLiteral("pagina%1").arg(n)));
        ASSERT_FALSE(imagem.isNull()) << caminho.nome;
        const char *barras[] = {"bcChaveAcesso1", "bcChaveAcesso2"};
        for (int i = 0; i < 2; ++i) {
            const auto itens = report::bySource(pagina, barras[i]);
            ASSERT_EQ(itens.size(), 1u) << barras[i];
            const QRectF caixa = std::get<report::BarsItem>(*itens[0]).box;
            const ZXing::Result lido = report::test::readSymbol(Recorte(imagem, caixa, escala),
                                                                ZXing::BarcodeFormat::Code128);
            ASSERT_TRUE(lido.isValid()) << caminho.nome << ": " << barras[i];
            EXPECT_EQ(report::test::bytesOf(lido), kChaveFixture.substr(static_cast<std::size_t>(22 * i), 22))
                << caminho.nome;
        }
        const auto qr = report::bySource(pagina, "imgQRCode");
        ASSERT_EQ(qr.size(), 1u);
        const ZXing::Result lido = report::test::readSymbol(
            Recorte(imagem, std::get<report::ImageItem>(*qr[0]).target, escala), ZXing::BarcodeFormat::QRCode);
        ASSERT_TRUE(lido.isValid()) << caminho.nome;
        EXPECT_EQ(report::test::bytesOf(lido), kChaveFixture + "|20151231235958|1530.90|45678901000123|Zm9vYmFy+/0=Qk9MQQ==")
            << caminho.nome;
    }
}

TEST(SATExtratoImpressao, ThePrintDialogFollowsMostraSetupWithOrWithoutThePreview)
{
    struct Caso {
        const char *nome;
        bool preview, setup;
    } casos[] = {
        {"preview, no dialog", true, false},
        {"preview, dialog asked", true, true},
        {"printer, no dialog", false, false},
        {"printer, dialog asked", false, true},
    };
    for (const Caso &caso : casos) {
        Componentes c;
        std::vector<report::PrintOptions> impressoras;
        c.extrato->SetImprimirPaginas(
            [&](const report::PreparedReport &, const report::PrintOptions &o) { impressoras.push_back(o); });
        c.extrato->SetMostraPreview(caso.preview);
        c.extrato->SetMostraSetup(caso.setup);
        c.extrato->SetImpressora("Caixa 1");
        c.extrato->SetNumCopias(2);
        const auto cfe = Venda();
        c.extrato->ImprimirExtrato(cfe.get());

        ASSERT_EQ(c.opcoes.size(), caso.preview ? 1u : 0u) << caso.nome;
        ASSERT_EQ(impressoras.size(), caso.preview ? 0u : 1u) << caso.nome;
        const report::PrintOptions &o = caso.preview ? c.opcoes[0].print : impressoras[0];
        EXPECT_EQ(o.showDialog, caso.setup) << caso.nome;
        EXPECT_EQ(o.printerName, "Caixa 1") << caso.nome;
        EXPECT_EQ(o.copies, 2) << caso.nome;
        EXPECT_FALSE(o.showProgress) << caso.nome;
    }
}

TEST(SATExtratoImpressao, TheLogoIsDrawnWhereTheSettingsPlaceIt)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    // Pictures in the logo's proportions (77 x 50), so that fitting them fills the panel.
    const auto figura = [](QColor cor) {
        QImage imagem(154, 100, QImage::Format_RGB32);
        imagem.fill(cor);
        return imagem;
    };
    const QString arquivo = pasta.filePath(QStringLiteral("logo.png"));
    ASSERT_TRUE(figura(Qt::red).save(arquivo));
    const QString quebrado = pasta.filePath(QStringLiteral("quebrado.png"));
    {
        QFile f(quebrado);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }

    enum Lugar { Nenhum, AEsquerda, EmCima };
    struct Caso {
        const char *nome;
        QString arquivo;
        bool figura, visivel, lateral;
        int largura, altura;
        Lugar lugar;
        QRgb cor;
    } casos[] = {
        {"file, beside the issuer", arquivo, false, true, true, 77, 50, AEsquerda, qRgb(255, 0, 0)},
        {"file, above the issuer", arquivo, false, true, false, 77, 50, EmCima, qRgb(255, 0, 0)},
        {"the file wins over the picture", arquivo, true, true, true, 77, 50, AEsquerda, qRgb(255, 0, 0)},
        {"a file that does not load: the picture", quebrado, true, true, true, 77, 50, AEsquerda, qRgb(0, 0, 255)},
        {"a missing file: the picture", pasta.filePath(QStringLiteral("nenhum.png")), true, true, false, 77, 50, EmCima,
         qRgb(0, 0, 255)},
        {"a panel of another size", arquivo, false, true, true, 120, 78, AEsquerda, qRgb(255, 0, 0)},
        {"not visible", arquivo, true, false, true, 77, 50, Nenhum, 0},
        {"no picture anywhere", {}, false, true, true, 77, 50, Nenhum, 0},
    };
    for (const Caso &caso : casos) {
        Componentes c;
        c.extrato->SetLogo(caso.arquivo.toStdString());
        if (caso.figura)
            c.extrato->SetPictureLogo(figura(Qt::blue));
        c.extrato->SetLogoVisible(caso.visivel);
        c.extrato->SetImprimeLogoLateral(caso.lateral);
        c.extrato->SetLogoWidth(caso.largura);
        c.extrato->SetLogoHeigth(caso.altura);
        const report::PreparedPage p = c.Imprimir(*Venda());

        const std::vector<report::PlacedBand> bandas = report::placements(p, "rlbDadosCliche");
        ASSERT_EQ(bandas.size(), 1u) << caso.nome;
        const double topo = bandas[0].top;
        // The issuer block keeps a millimetre from the roll's printable edges.
        const double esquerda = report::mmToPx(c.extrato->MargemEsquerda()) + report::mmToPx(1);
        const double largura = p.size.width() - report::mmToPx(c.extrato->MargemEsquerda()) -
                               report::mmToPx(c.extrato->MargemDireita()) - 2 * report::mmToPx(1);
        const auto fantasia = report::bySource(p, "lNomeFantasia");
        ASSERT_FALSE(fantasia.empty()) << caso.nome;
        const QRectF nome = std::get<report::TextRun>(*fantasia[0]).box;

        const auto logo = report::bySource(p, "imgLogo");
        if (caso.lugar == Nenhum) {
            EXPECT_TRUE(logo.empty()) << caso.nome;
            EXPECT_NEAR(nome.top(), topo, 0.5) << caso.nome << ": the issuer block starts at the top";
            EXPECT_NEAR(nome.center().x(), esquerda + largura / 2, 1) << caso.nome;
            continue;
        }
        ASSERT_EQ(logo.size(), 1u) << caso.nome;
        const auto &imagem = std::get<report::ImageItem>(*logo[0]);
        EXPECT_EQ(imagem.image.pixel(10, 10), caso.cor) << caso.nome;
        const QRectF alvo = imagem.target;
        EXPECT_NEAR(alvo.top(), topo, 0.5) << caso.nome;
        EXPECT_NEAR(alvo.height(), caso.altura, 1) << caso.nome;
        EXPECT_LE(alvo.width(), caso.largura + 0.5) << caso.nome;
        if (caso.lugar == AEsquerda) {
            // The panel at the left top, the issuer's texts to its right.
            EXPECT_GE(alvo.left(), esquerda - 0.5) << caso.nome;
            EXPECT_LE(alvo.right(), esquerda + caso.largura + 0.5) << caso.nome;
            EXPECT_GE(nome.left(), esquerda + caso.largura - 0.5) << caso.nome;
            EXPECT_NEAR(nome.top(), topo, 0.5) << caso.nome;
        } else {
            // Centred on the roll above the issuer's texts.
            EXPECT_NEAR(alvo.center().x(), esquerda + largura / 2, 1) << caso.nome;
            EXPECT_GE(nome.top(), alvo.bottom() - 0.5) << caso.nome;
        }
    }
}
