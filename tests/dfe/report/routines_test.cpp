#include "dfe/report/routines.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "util/toolbox.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

using dfe::TDFeReportFortes;
using dfe::TOvixDFeReport;

// The message of the rtl::Exception the action raises; a note otherwise.
std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const rtl::Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

// A 3 x 2 picture with a different colour in every pixel.
QImage amostra()
{
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb cores[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                          qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 64, 32)};
    for (int i = 0; i < 6; ++i)
        image.setPixel(i % 3, i / 3, cores[i]);
    return image;
}

std::string bytesOf(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

// ---- Printing ------------------------------------------------------------------------

TEST(DFeReportFortes, AjustarReportSetsProgressDialogPrinterAndCopies)
{
    struct Row {
        const char *name;
        bool setup, preview, status;
        std::string impressora;
        int copias;
        report::PrintOptions before, after;
    } rows[] = {
        {"defaults: progress, no dialog, one copy, the printer stays", false, true, true, "", 1,
         {"Laser", 2, true, false}, {"Laser", 1, false, true}},
        {"no status: no progress", false, true, false, "", 1, {"", 1, false, true}, {"", 1, false, false}},
        {"setup with preview: no dialog", true, true, true, "", 1, {}, {"", 1, false, true}},
        {"setup without preview: the dialog", true, false, true, "", 1, {}, {"", 1, true, true}},
        {"no setup, no preview: no dialog", false, false, false, "", 1, {}, {"", 1, false, false}},
        {"a printer name replaces the current one", false, true, true, "Matricial", 1, {"Laser", 1, false},
         {"Matricial", 1, false, true}},
        {"a name differing only in case is taken as written", false, true, true, "laser", 1, {"Laser", 1, false},
         {"laser", 1, false, true}},
        {"no copies: the count stays", false, true, true, "", 0, {"", 3, false}, {"", 3, false, true}},
        {"three copies", false, true, true, "", 3, {"", 1, false}, {"", 3, false, true}},
    };
    for (const auto &row : rows) {
        auto config = rtl::TComponent::CreateFree<TOvixDFeReport>();
        config->SetMostraSetup(row.setup);
        config->SetMostraPreview(row.preview);
        config->SetMostraStatus(row.status);
        config->SetImpressora(row.impressora);
        config->SetNumCopias(row.copias);
        report::PrintOptions options = row.before;
        TDFeReportFortes::AjustarReport(options, *config);
        EXPECT_EQ(options.showProgress, row.after.showProgress) << row.name;
        EXPECT_EQ(options.showDialog, row.after.showDialog) << row.name;
        EXPECT_EQ(options.printerName, row.after.printerName) << row.name;
        EXPECT_EQ(options.copies, row.after.copies) << row.name;
    }
}

TEST(DFeReportFortes, AjustarMargemCopiesTheFourMarginsInMillimetres)
{
    auto config = rtl::TComponent::CreateFree<TOvixDFeReport>();
    report::Report relatorio;
    TDFeReportFortes::AjustarMargem(relatorio, *config);
    EXPECT_DOUBLE_EQ(relatorio.margins.top, 8.0);
    EXPECT_DOUBLE_EQ(relatorio.margins.bottom, 8.0);
    EXPECT_DOUBLE_EQ(relatorio.margins.left, 6.0);
    EXPECT_DOUBLE_EQ(relatorio.margins.right, 5.1);

    config->SetMargemSuperior(1);
    config->SetMargemInferior(2);
    config->SetMargemEsquerda(3);
    config->SetMargemDireita(4);
    TDFeReportFortes::AjustarMargem(relatorio, *config);
    EXPECT_DOUBLE_EQ(relatorio.margins.top, 1);
    EXPECT_DOUBLE_EQ(relatorio.margins.bottom, 2);
    EXPECT_DOUBLE_EQ(relatorio.margins.left, 3);
    EXPECT_DOUBLE_EQ(relatorio.margins.right, 4);
}

// ---- PDF file ------------------------------------------------------------------------

TEST(DFeReportFortes, AjustarFiltroPDFPlacesTheFileAndCreatesItsFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString();
    rtl::WriteFileBytes(dir + "/arquivo", "not a folder");
    auto config = rtl::TComponent::CreateFree<TOvixDFeReport>();

    struct Row {
        const char *name;
        std::string file;
        std::string result; // empty: raises
        std::string message;
    } rows[] = {
        {"empty name", "", "", "Erro ao gerar PDF. Arquivo não informado"},
        {"blank name", "   ", "", "Erro ao gerar PDF. Arquivo não informado"},
        {"bare name: beside the executable", " danfe.pdf ", util::ApplicationPath() + "danfe.pdf", ""},
        {"existing folder", dir + "/danfe.pdf", dir + "/danfe.pdf", ""},
        {"missing folders are created", "  " + dir + "/a/b/c/danfe.pdf", dir + "/a/b/c/danfe.pdf", ""},
        {"a folder under a file cannot be created", dir + "/arquivo/sub/danfe.pdf", "",
         "Erro ao gerar PDF. Diretório: " + dir + "/arquivo/sub/ não pode ser criado"},
    };
    for (const auto &row : rows) {
        dfe::TFiltroPDF filtro{"anterior.pdf", false};
        if (row.result.empty()) {
            EXPECT_EQ(ErroDe([&] { TDFeReportFortes::AjustarFiltroPDF(filtro, *config, row.file); }), row.message)
                << row.name;
            EXPECT_EQ(filtro.NomeArquivo, "anterior.pdf") << row.name;
            continue;
        }
        TDFeReportFortes::AjustarFiltroPDF(filtro, *config, row.file);
        EXPECT_EQ(filtro.NomeArquivo, row.result) << row.name;
        EXPECT_TRUE(rtl::DirectoryExists(rtl::ExtractFileDir(row.result))) << row.name;
    }

    // The filter shows its progress exactly when the component's status display is on.
    for (const bool status : {true, false}) {
        config->SetMostraStatus(status);
        dfe::TFiltroPDF filtro{"", !status};
        TDFeReportFortes::AjustarFiltroPDF(filtro, *config, dir + "/danfe.pdf");
        EXPECT_EQ(filtro.MostraProgresso, status);
    }
}

// ---- Logo ----------------------------------------------------------------------------

TEST(DFeReportFortes, CarregarLogoReadsAFileByItsExtensionOrTheTextAsBitmapData)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString();
    const QImage picture = amostra();
    ASSERT_TRUE(picture.save(QString::fromStdString(dir + "/logo.png"), "PNG"));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir + "/LOGO.PNG"), "PNG"));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir + "/png.bmp"), "PNG"));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir + "/logo.txt"), "PNG"));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir + "/logo"), "PNG"));
    const std::string bmp = bytesOf(picture, "BMP");
    ASSERT_EQ(bmp.substr(0, 2), "BM");

    struct Row {
        const char *name;
        std::string logo;
        bool loads;
    } rows[] = {
        {"a PNG file", dir + "/logo.png", true},
        {"an upper-case extension", dir + "/LOGO.PNG", true},
        {"BMP bytes held as ANSI text", rtl::AnsiToUtf8(bmp), true},
        {"a PNG named .bmp: the extension decides", dir + "/png.bmp", false},
        {"an extension that names no picture format", dir + "/logo.txt", false},
        {"a file without extension", dir + "/logo", false},
        {"a missing file's name is not bitmap data", dir + "/sumiu.png", false},
        {"text that is no picture", "isto não é um logotipo", false},
        {"a cut bitmap", rtl::AnsiToUtf8(bmp.substr(0, 20)), false},
        {"empty", "", false},
        {"blank", " \t ", false},
    };
    for (const auto &row : rows) {
        report::Image image("logo", QRectF(0, 0, 50, 50));
        image.image = QImage(9, 9, QImage::Format_RGB32); // an earlier logo
        EXPECT_EQ(TDFeReportFortes::CarregarLogo(image, row.logo), row.loads) << row.name;
        if (row.loads) {
            EXPECT_TRUE(samePixels(image.image, picture)) << row.name;
        } else {
            EXPECT_TRUE(image.image.isNull()) << row.name << ": the picture is emptied";
        }
    }
}

TEST(DFeReportFortes, AjustarLogoPlacesTheImageWhenAnyMeasureIsSet)
{
    const QRectF layout(10, 20, 100, 60);
    struct Row {
        const char *name;
        int altura, esquerda, topo, largura;
        bool dimensionar, esticar;
        QRectF bounds;
        report::Image::Fit fit;
    } rows[] = {
        {"all zero: the layout's placement, stretched", 0, 0, 0, 0, false, true, layout, report::Image::Stretch},
        {"only the width: the rest becomes 0", 0, 0, 0, 80, false, true, QRectF(0, 0, 80, 0),
         report::Image::Stretch},
        {"all four", 40, 5, 7, 90, false, true, QRectF(5, 7, 90, 40), report::Image::Stretch},
        {"negative measures count as unset", -4, -5, 0, 0, false, true, layout, report::Image::Stretch},
        {"proportional wins over stretched", 0, 0, 0, 0, true, true, layout, report::Image::Proportional},
        {"proportional alone", 0, 0, 0, 0, true, false, layout, report::Image::Proportional},
        {"neither: natural size", 0, 0, 0, 0, false, false, layout, report::Image::NaturalSize},
    };
    for (const auto &row : rows) {
        auto config = rtl::TComponent::CreateFree<TOvixDFeReport>();
        dfe::TExpandeLogoMarcaConfig &logo = config->ExpandeLogoMarcaConfig();
        logo.SetAltura(row.altura);
        logo.SetEsquerda(row.esquerda);
        logo.SetTopo(row.topo);
        logo.SetLargura(row.largura);
        logo.SetDimensionar(row.dimensionar);
        logo.SetEsticar(row.esticar);
        report::Image image("logo", layout);
        TDFeReportFortes::AjustarLogo(image, logo);
        EXPECT_EQ(image.bounds, row.bounds) << row.name;
        EXPECT_EQ(image.fit, row.fit) << row.name;
    }
}

// ---- Fitting text --------------------------------------------------------------------

TEST(DFeReportFortes, DiminuirFonteSeNecessarioShrinksUntilTheTextFitsOrTheFloor)
{
    // 5 px per character at 10 px: a character is half the size wide.
    const report::FixedTextMeasurer medidor;
    const report::Font fonteRelatorio{"Arial", 12};
    const std::string trinta(30, 'x');
    struct Row {
        const char *name;
        std::string text;
        double width;
        std::optional<int> memoSize; // none: the report's font
        int minimum;
        std::optional<int> expected; // none: the memo keeps no font of its own
    } rows[] = {
        {"fits already: unchanged", "0123456789", 100, 12, 6, 12},
        {"fits already, report font: still no font of its own", "0123456789", 100, std::nullopt, 6, std::nullopt},
        {"shrinks to the largest size that fits", trinta, 100, 12, 1, 6},
        {"shrinks the report's font into the memo", trinta, 100, std::nullopt, 1, 6},
        {"the lines joined count as one line", "xxxxxxxxxxxxxxx\r\nxxxxxxxxxxxxxxx", 100, 12, 1, 6},
        {"stops at the minimum", trinta, 100, 12, 8, 8},
        {"never fits: ends at the minimum", "x", 0, 12, 6, 6},
        {"never fits, minimum 0: ends at 1", "x", 0, 12, 0, 1},
        {"never fits, negative minimum: ends at 1", "x", 0, 12, -5, 1},
        {"already below the minimum: unchanged", trinta, 100, 5, 6, 5},
    };
    for (const auto &row : rows) {
        report::Memo memo("memo", QRectF(0, 0, row.width, 20), row.text);
        if (row.memoSize)
            memo.font = report::Font{"Arial", *row.memoSize};
        TDFeReportFortes::DiminuirFonteSeNecessario(memo, row.minimum, medidor, fonteRelatorio);
        ASSERT_EQ(memo.font.has_value(), row.expected.has_value()) << row.name;
        if (row.expected) {
            EXPECT_EQ(memo.font->pixelSize, *row.expected) << row.name;
        }
    }
}

TEST(DFeReportFortes, DiminuirFonteSeNecessarioWithQtMetrics)
{
    const report::QtTextMeasurer medidor;
    report::Memo memo("memo", QRectF(0, 0, 150, 20), "Valor aproximado dos tributos R$ 1.234,56");
    memo.font = report::Font{"Arial", 20, true};
    TDFeReportFortes::DiminuirFonteSeNecessario(memo, 6, medidor, report::Font{});
    ASSERT_TRUE(memo.font);
    const report::Font reached = *memo.font;
    EXPECT_LT(reached.pixelSize, 20);
    EXPECT_GE(reached.pixelSize, 6);
    EXPECT_TRUE(reached.bold) << "only the size changes";
    if (reached.pixelSize > 6) {
        EXPECT_LE(medidor.width(memo.text, reached), 150);
    }
    report::Font larger = reached;
    ++larger.pixelSize;
    EXPECT_GT(medidor.width(memo.text, larger), 150) << "one pixel more would not fit";
}

// Measures like FixedTextMeasurer and fails on its third measurement.
class MedidorQueFalha final : public report::TextMeasurer {
public:
    double width(std::string_view text, const report::Font &font) const override
    {
        if (++FChamadas == 3)
            throw rtl::Exception("medição falhou");
        return FFixo.width(text, font);
    }
    double lineHeight(const report::Font &font) const override { return FFixo.lineHeight(font); }
    double ascent(const report::Font &font) const override { return FFixo.ascent(font); }

private:
    report::FixedTextMeasurer FFixo;
    mutable int FChamadas = 0;
};

TEST(DFeReportFortes, DiminuirFonteSeNecessarioKeepsTheSizeReachedWhenMeasuringFails)
{
    const MedidorQueFalha medidor;
    report::Memo memo("memo", QRectF(0, 0, 10, 20), "texto longo");
    memo.font = report::Font{"Arial", 12};
    EXPECT_EQ(ErroDe([&] { TDFeReportFortes::DiminuirFonteSeNecessario(memo, 1, medidor, report::Font{}); }),
              "medição falhou");
    ASSERT_TRUE(memo.font);
    EXPECT_EQ(memo.font->pixelSize, 10) << "two sizes were measured too wide before the failure";
}

TEST(DFeReportFortes, EspacejarTextoGraficoSpreadsTheTextBelowTheWidth)
{
    const report::FixedTextMeasurer medidor; // 5 px per character at 10 px
    const report::Font fonte{"Arial", 10};
    struct Row {
        const char *name;
        std::string text;
        int width;
        report::Font font;
        std::string expected;
    } rows[] = {
        {"the separator widens into blanks", "A|B", 50, fonte, "A       B"},
        {"blanks on the right without a separator", "ABC", 30, fonte, "ABC  "},
        {"one more character already reaches the width", "ABCDEF", 30, fonte, "ABCDEF"},
        {"a font that takes no room still ends", "A|B", 50, report::Font{"Arial", 0}, "A B"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TDFeReportFortes::EspacejarTextoGrafico(row.text, row.width, row.font, medidor), row.expected)
            << row.name;
}

} // namespace
