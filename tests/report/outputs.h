#pragma once
// Helpers for the output tests: reading symbols back with zxing, running the poppler
// tools, and a two-report chain that exercises every kind of primitive.

#include "report/chain.h"
#include "report/measurer.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace report::test {

// The one symbol of format found in image (the single-result reader: the multi-result
// one aborts on some Code 128 images in the packaged build).
inline ZXing::Result readSymbol(const QImage &image, ZXing::BarcodeFormat format, bool pure = false)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                static_cast<int>(grey.bytesPerLine()));
    return ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(format).setIsPure(pure).setTryHarder(true));
}

inline std::string bytesOf(const ZXing::Result &result)
{
    const auto &bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
}

// The mode indicator that opens a QR symbol's data: 1 numeric, 2 alphanumeric, 4 byte,
// 7 ECI; -1 without data. zxing only exposes it through the raw codewords.
inline int firstModeIndicator(const ZXing::Result &result)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const auto &raw = result.rawBytes();
#pragma GCC diagnostic pop
    return raw.empty() ? -1 : raw[0] >> 4;
}

// The output of a command-line tool; none when the tool is not installed.
inline std::optional<std::string> runTool(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::string("failed: ") + process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

// The texts of a PDF page as pdftotext reads them.
inline std::optional<std::string> pdfText(const QString &pdf, int page)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                  QString::number(page), QStringLiteral("-layout"), pdf,
                                                  QStringLiteral("-")});
}

// What pdfinfo says about every page of a PDF; empty when it cannot run.
inline std::string pdfInfoOf(const QString &pdf)
{
    const auto info = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                          QStringLiteral("-l"), QStringLiteral("9"), pdf});
    return info.value_or("");
}

// The value pdfinfo gives for a key ("Title", "Page    1 size"); empty when absent.
inline std::string infoValue(const std::string &info, const std::string &key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QRegularExpression::escape(QString::fromStdString(key))),
                                  QRegularExpression::MultilineOption);
    const auto match = line.match(QString::fromStdString(info));
    return match.hasMatch() ? match.captured(1).trimmed().toStdString() : std::string();
}

// The tools the PDF checks run (poppler-utils).
inline bool havePoppler()
{
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

// The QR payload and the Code 128 text on the sample's first page.
inline const std::string kQrPayload = "https://example.invalid/consulta?chave=35240612345678000190&tp=1";
inline const std::string kBarcodeText = "35240612345678000190550010000012341000012345";
inline const std::string kAccents = "Ação São João ÇÃÕ ºª R$ 1.234,56";

// Keeps the reports of a chain alive while it is prepared.
struct SampleChain {
    Report first, second;
    PreparedReport prepared;
};

// Two reports chained: an A4 page with every kind of primitive, and an A5 landscape page
// with text in the three families. Prepared with the Qt measurer, as the program does.
inline void prepareSample(SampleChain &sample)
{
    Report &a = sample.first;
    a.title = "Relatório de teste nº 1";
    a.caption = "Visualização do relatório";
    a.font = Font{"Arial", 11};
    Band &header = a.addBand(BandKind::PageHeader, 40, "cabecalho");
    auto &title = header.add<Label>("titulo", QRectF(0, 0, 500, 16), kAccents);
    title.font = Font{"Arial", 13, true};
    header.add<SystemField>("folha", QRectF(500, 0, 250, 16), SystemInfo::PageOfPages, "Folha #/#").align =
        HAlign::Right;
    auto &rule = header.add<Line>("regua", QRectF(0, 30, 740, 2));
    rule.dotted = true;

    Band &body = a.addBand(BandKind::Title, 260, "corpo");
    body.add<Memo>("memo", QRectF(0, 0, 400, 40), "Primeira linha & <marcação>\r\nSegunda linha \"aspas\"");
    auto &box = body.add<Box>("caixa", QRectF(0, 50, 200, 30));
    box.fill = QColor(0xE5, 0xE5, 0xE5);
    box.penWidth = 2;
    body.add<Label>("valor", QRectF(0, 58, 195, 14), "Total R$ 99,90").align = HAlign::Right;
    auto &bars = body.add<Barcode>("codigo", QRectF(0, 100, 420, 50));
    bars.data = kBarcodeText;
    auto &qr = body.add<QRCode>("qr", QRectF(460, 0, 160, 160));
    qr.data = kQrPayload;
    QImage checker(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    auto &image = body.add<Image>("imagem", QRectF(640, 0, 64, 64));
    image.image = checker;
    image.smooth = false;

    Report &b = sample.second;
    b.title = "Segundo";
    b.paper = Paper::custom(210, 148);
    b.font = Font{"Arial", 11};
    Band &page = b.addBand(BandKind::Title, 80, "pagina");
    page.add<Label>("sans", QRectF(0, 0, 600, 16), "Segunda via — relatório B");
    page.add<Label>("mono", QRectF(0, 20, 600, 16), "Courier: 0123456789").font = Font{"Courier New", 12};
    page.add<Label>("serif", QRectF(0, 40, 600, 16), "Times: Informações §").font =
        Font{"Times New Roman", 13, false, true};

    ReportChain chain;
    chain.add(a);
    chain.add(b);
    const QtTextMeasurer measurer;
    sample.prepared = chain.prepare(measurer);
}

} // namespace report::test
