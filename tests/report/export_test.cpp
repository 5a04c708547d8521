#include "report/htmlexport.h"
#include "report/painter.h"
#include "report/pdfexport.h"
#include "report/pdfwriter.h"
#include "report/printjob.h"

#include "outputs.h"

#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QDir>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using namespace report;
using namespace report::test;

struct Sample : ::testing::Test {
    static void SetUpTestSuite()
    {
        sample = std::make_unique<SampleChain>();
        prepareSample(*sample);
    }
    static void TearDownTestSuite() { sample.reset(); }
    static const PreparedReport &prepared() { return sample->prepared; }

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    // The entries of the test's folder, to see that nothing was left behind.
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static std::unique_ptr<SampleChain> sample;
    QTemporaryDir dir;
};
std::unique_ptr<SampleChain> Sample::sample;

// Every text of each prepared page is on that PDF page and on no other.
void expectTextsOnTheirPages(const PreparedReport &prepared, const QString &pdf)
{
    std::vector<std::string> pageTexts;
    for (std::size_t i = 0; i < prepared.pages.size(); ++i)
        pageTexts.push_back(pdfText(pdf, static_cast<int>(i) + 1).value_or(""));
    for (std::size_t i = 0; i < prepared.pages.size(); ++i) {
        const auto texts = report::texts(prepared.pages[i]);
        ASSERT_FALSE(texts.empty());
        for (const std::string &text : texts)
            for (std::size_t j = 0; j < pageTexts.size(); ++j)
                EXPECT_EQ(pageTexts[j].find(text) != std::string::npos, i == j)
                    << "\"" << text << "\" of page " << i + 1 << " on page " << j + 1 << ":\n"
                    << pageTexts[j];
    }
}

// The sample's 4x4 checkerboard, stretched to 64 px, is where the page puts it and keeps
// its exact colours up to the cell edges: no offset or scale on the way, no smoothing,
// no lossy compression.
void expectCheckerboardInPlace(const PreparedReport &prepared, const QImage &page)
{
    ASSERT_FALSE(page.isNull());
    const auto *image = std::get_if<ImageItem>(bySource(prepared.pages[0], "imagem").at(0));
    ASSERT_TRUE(image);
    const QPoint origin = image->target.topLeft().toPoint();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            for (QPoint inCell : {QPoint(2, 2), QPoint(13, 13)}) {
                const QPoint at = origin + QPoint(x * 16, y * 16) + inCell;
                EXPECT_EQ(page.pixel(at) & 0xFFFFFF, image->image.pixel(x, y) & 0xFFFFFF)
                    << "cell " << x << "," << y;
            }
}

QImage rasterised(const QString &pdf, int page, int dpi, const QString &prefix)
{
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                         QString::number(page), QStringLiteral("-l"), QString::number(page),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// ---- PDF ------------------------------------------------------------------------------

TEST_F(Sample, PdfHoldsEveryTextAtEachPagesSizeWithTitleAndKeywords)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = path("relatório.pdf");
    const std::string keywords = "Número: 000.001.234; Destinatário: José (Ação) \\ Ltda; <x> & ºª";
    exportPdf(prepared(), pdf.toStdString(), PdfInfo{"", "Visualizador de teste", keywords});

    const std::string info = pdfInfoOf(pdf);
    EXPECT_EQ(infoValue(info, "Pages"), "2") << info;
    EXPECT_EQ(infoValue(info, "Title"), "Relatório de teste nº 1") << info;
    EXPECT_EQ(infoValue(info, "Creator"), "Visualizador de teste") << info;
    EXPECT_EQ(infoValue(info, "Keywords"), keywords) << info;
    EXPECT_NE(infoValue(info, "CreationDate"), "") << "the rest of the Info dictionary is kept";
    EXPECT_EQ(infoValue(info, "Page    1 size"), "595 x 842 pts (A4)") << info;
    EXPECT_EQ(infoValue(info, "Page    2 size"), "595 x 420 pts (A5)") << "210 x 148 mm, wider than tall";
    EXPECT_EQ(infoValue(info, "Page    2 rot"), "0");

    expectTextsOnTheirPages(prepared(), pdf);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("relatório.pdf")}) << "no temporary file left";
}

TEST_F(Sample, PdfSymbolsAndImagesSurviveAsDrawn)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = path("codes.pdf");
    exportPdf(prepared(), pdf.toStdString());

    const QImage page = rasterised(pdf, 1, 200, path("page"));
    ASSERT_FALSE(page.isNull());
    const ZXing::Result qr = readSymbol(page, ZXing::BarcodeFormat::QRCode);
    ASSERT_TRUE(qr.isValid());
    EXPECT_EQ(bytesOf(qr), kQrPayload);
    const ZXing::Result code = readSymbol(page, ZXing::BarcodeFormat::Code128);
    ASSERT_TRUE(code.isValid());
    EXPECT_EQ(bytesOf(code), kBarcodeText);

    expectCheckerboardInPlace(prepared(), rasterised(pdf, 1, 96, path("layout")));
}

TEST_F(Sample, PdfTitleAndCreatorFallBackAndKeywordsAreOptional)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    struct Row {
        const char *name;
        PdfInfo info;
        const char *title, *creator, *keywords;
    } rows[] = {
        {"nothing given: the report's title", {}, "Relatório de teste nº 1", "test_report", ""},
        {"a title of its own", {"DANFE 123", "Gerador", ""}, "DANFE 123", "Gerador", ""},
        {"keywords alone", {"", "", "a, b"}, "Relatório de teste nº 1", "test_report", "a, b"},
    };
    for (const auto &row : rows) {
        const QString pdf = path("info.pdf");
        exportPdf(prepared(), pdf.toStdString(), row.info);
        const std::string info = pdfInfoOf(pdf);
        EXPECT_EQ(infoValue(info, "Title"), row.title) << row.name;
        EXPECT_EQ(infoValue(info, "Creator"), row.creator) << row.name;
        EXPECT_EQ(infoValue(info, "Keywords"), row.keywords) << row.name;
        EXPECT_EQ(infoValue(info, "Pages"), "2") << row.name;
    }
}

// A fixed creation date makes exports reproducible: two exports of the same pages are the
// same bytes, and the date is the one given, at its own offset from UTC.
TEST_F(Sample, PdfWithAFixedCreationDateIsTheSameEveryTime)
{
    const QDate day(2024, 6, 15);
    const QTime time(9, 5, 7);
    struct Row {
        const char *name;
        QDateTime date;
        const char *written;
    } rows[] = {
        {"UTC", QDateTime(day, time, QTimeZone::utc()), "D:20240615090507Z"},
        {"behind UTC", QDateTime(day, time, QTimeZone(-3 * 3600)), "D:20240615090507-03'00'"},
        {"behind by hours and minutes", QDateTime(day, time, QTimeZone(-(3 * 3600 + 30 * 60))),
         "D:20240615090507-03'30'"},
        {"ahead by hours and minutes", QDateTime(day, time, QTimeZone(5 * 3600 + 45 * 60)),
         "D:20240615090507+05'45'"},
        // Brazil's summer time of that year: the offset of that day, not of today.
        {"a named zone", QDateTime(QDate(2018, 12, 1), QTime(23, 59, 59), QTimeZone("America/Sao_Paulo")),
         "D:20181201235959-02'00'"},
    };
    for (const auto &row : rows) {
        ASSERT_TRUE(row.date.isValid()) << row.name << ": the system knows the zone";
        const PdfInfo info{"", "Gerador", "a, b", row.date};
        const QByteArray first = pdfDocument(prepared(), info);
        EXPECT_EQ(first, pdfDocument(prepared(), info)) << row.name;
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            continue;
        const QString file = path("data.pdf");
        rtl::WriteFileBytes(file.toStdString(), std::string_view(first.constData(), static_cast<std::size_t>(first.size())));
        const std::string raw = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-rawdates"), file}).value_or("");
        EXPECT_EQ(infoValue(raw, "CreationDate"), row.written) << row.name;
    }
    EXPECT_THROW(pdfDocument(prepared(), PdfInfo{"", "", "", QDateTime()}), EReportError);
}

// The text of the first element of that namespace and name in an XMP packet, with its
// child elements' text; empty when there is none (or no packet). The whole packet must
// be well-formed XML.
std::string xmpValue(const std::string &xmp, const QString &ns, const QString &name)
{
    if (xmp.empty())
        return {};
    QXmlStreamReader reader(QByteArray::fromStdString(xmp));
    std::optional<QString> value;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && !value && reader.namespaceUri() == ns &&
            reader.name() == name)
            value = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << ":\n" << xmp;
    return value.value_or(QString()).toStdString();
}

// Qt's engine takes no keywords for the Info dictionary: they go in the XMP metadata,
// which then repeats what the Info dictionary says.
TEST_F(Sample, PdfThroughQtCarriesKeywordsInItsMetadata)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    PreparedReport report = prepared();
    TextRun faint;
    faint.box = QRectF(10, 700, 300, 16);
    faint.text = "Texto translúcido";
    faint.color = QColor(0, 0, 0, 128);
    report.pages[0].items.push_back(faint);
    ASSERT_FALSE(pdf::writeDocument(report, {})) << "the pages go through Qt";

    struct Row {
        const char *name;
        PdfInfo info;
        const char *title, *creator, *keywords;
    } rows[] = {
        {"markup, line breaks and a control character",
         {"Título <1> & \"2\"", "Gerador", "Número: 1; Destinatário: José & Cia <Ltda>\tºª\r\nfim\x01"},
         "Título <1> & \"2\"", "Gerador", "Número: 1; Destinatário: José & Cia <Ltda>\tºª\r\nfim"},
        {"no keywords", {}, "Relatório de teste nº 1", "test_report", ""},
    };
    const QString dc = QStringLiteral("http://purl.org/dc/elements/1.1/");
    const QString xmp = QStringLiteral("http://ns.adobe.com/xap/1.0/");
    const QString pdf = QStringLiteral("http://ns.adobe.com/pdf/1.3/");
    for (const auto &row : rows) {
        const QString file = path("qt.pdf");
        exportPdf(report, file.toStdString(), row.info);
        const std::string info = pdfInfoOf(file);
        EXPECT_EQ(infoValue(info, "Title"), row.title) << row.name;
        EXPECT_EQ(infoValue(info, "Creator"), row.creator) << row.name;
        const std::string meta = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), file}).value_or("");
        EXPECT_EQ(xmpValue(meta, pdf, QStringLiteral("Keywords")), row.keywords) << row.name;
        if (meta.empty())
            continue;
        EXPECT_EQ(xmpValue(meta, dc, QStringLiteral("title")), row.title) << row.name;
        EXPECT_EQ(xmpValue(meta, xmp, QStringLiteral("CreatorTool")), row.creator) << row.name;
        EXPECT_EQ(xmpValue(meta, pdf, QStringLiteral("Producer")), infoValue(info, "Producer")) << row.name;
    }
}

// The PDF drawn by a PDF reader matches the screen's drawing of the same page: texts in
// the same faces at the same places (kerning included), lines, boxes, codes and images.
// Dark pixels of each picture must have a dark pixel within one pixel in the other; the
// two rasterisers only differ in antialiasing at the edges.
TEST_F(Sample, PdfPagesLookLikeTheScreen)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    // A line where kerning moves the last letters by many pixels.
    PreparedReport report = prepared();
    TextRun kerned;
    kerned.box = QRectF(20, 600, 700, 20);
    kerned.font = Font{"Arial", 18};
    kerned.text = "AVAVAVAVAV TaTeToTy YoYaWaWe LTLTLT AWAYAWAY VALOR TOTAL";
    report.pages[0].items.push_back(kerned);
    const QString pdf = path("tela.pdf");
    exportPdf(report, pdf.toStdString());
    const auto dark = [](const QImage &image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qGray(image.pixel(x, y)) < 96;
    };
    const auto unmatched = [&](const QImage &from, const QImage &in) {
        int count = 0, total = 0;
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x) {
                if (!dark(from, x, y))
                    continue;
                ++total;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx)
                        near = qGray(in.pixel(std::clamp(x + dx, 0, in.width() - 1),
                                              std::clamp(y + dy, 0, in.height() - 1))) < 160;
                count += near ? 0 : 1;
            }
        return std::make_pair(count, total);
    };
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        const QImage screen = renderPage(report.pages[i], 1.0);
        const QImage printed = rasterised(pdf, static_cast<int>(i) + 1, 96, path("pagina"));
        ASSERT_FALSE(printed.isNull());
        EXPECT_LE(std::abs(printed.width() - screen.width()), 1) << "page " << i + 1;
        EXPECT_LE(std::abs(printed.height() - screen.height()), 1) << "page " << i + 1;
        for (const auto &[a, b, what] : {std::tuple{&screen, &printed, "screen in PDF"},
                                         std::tuple{&printed, &screen, "PDF on screen"}}) {
            const auto [missing, total] = unmatched(*a, *b);
            EXPECT_GT(total, 300) << "page " << i + 1 << " is not blank";
            EXPECT_LE(missing, total / 200) << what << ", page " << i + 1 << ": " << missing << " of " << total;
        }
    }
}

// Every face is embedded, as a subset, with a map back to the characters.
TEST_F(Sample, PdfEmbedsEachFaceAsASubset)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    exportPdf(prepared(), path("fontes.pdf").toStdString());
    const QStringList lines = QString::fromStdString(*runTool(QStringLiteral("pdffonts"), {path("fontes.pdf")}))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    QStringList faces;
    for (const QString &line : lines) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        ASSERT_GE(columns.size(), 7) << line.toStdString();
        faces << columns[0].section(QLatin1Char('+'), 1);
        EXPECT_TRUE(line.contains(QStringLiteral("CID TrueType"))) << line.toStdString();
        EXPECT_TRUE(line.contains(QRegularExpression(QStringLiteral("Identity-H\\s+yes\\s+yes\\s+yes"))))
            << "embedded, subset, with a character map: " << line.toStdString();
    }
    faces.sort();
    EXPECT_EQ(faces, (QStringList{QStringLiteral("LiberationMono"), QStringLiteral("LiberationSans"),
                                  QStringLiteral("LiberationSans-Bold"), QStringLiteral("LiberationSerif-Italic")}));
}

// What the direct writer cannot reproduce goes through Qt's engine: still a PDF with the
// page's texts.
TEST_F(Sample, PdfOfPagesTheWriterCannotReproduceStillHoldsTheirTexts)
{
    struct Row {
        const char *name;
        Primitive extra;
    };
    TextRun cjk;
    cjk.box = QRectF(10, 700, 300, 16);
    cjk.text = "Caracteres 漢字";
    TextRun faint = cjk;
    faint.text = "Texto translúcido";
    faint.color = QColor(0, 0, 0, 128);
    ImageItem cut;
    cut.target = QRectF(10, 720, 20, 20);
    cut.image = QImage(8, 8, QImage::Format_RGB32);
    cut.image.fill(Qt::red);
    cut.sourceRect = QRectF(0.5, 0.5, 4, 4);
    const Row rows[] = {
        {"a character the face lacks", cjk},
        {"a translucent colour", faint},
        {"an image cut inside a pixel", cut},
    };
    for (const auto &row : rows) {
        PreparedReport report = prepared();
        report.pages[0].items.push_back(row.extra);
        EXPECT_FALSE(pdf::writeDocument(report, {"t", "c", ""})) << row.name;
        const QString file = path("alternativa.pdf");
        exportPdf(report, file.toStdString());
        if (!havePoppler())
            continue;
        const std::string text = pdfText(file, 1).value_or("");
        EXPECT_NE(text.find("Total R$ 99,90"), std::string::npos) << row.name << ":\n" << text;
        if (const auto *run = std::get_if<TextRun>(&row.extra); run && run->text == faint.text) {
            EXPECT_NE(text.find(faint.text), std::string::npos) << row.name;
        }
    }
    EXPECT_TRUE(pdf::writeDocument(prepared(), {"t", "c", ""})) << "the sample itself is written directly";
}

TEST(PdfExport, AReportWithoutPagesIsAnError)
{
    EXPECT_THROW(pdfDocument(PreparedReport{}), EReportError);
}

// ---- Files ----------------------------------------------------------------------------

TEST_F(Sample, ExportsReplaceTheFileAtOnceOrLeaveNothing)
{
    struct Row {
        const char *name;
        void (*write)(const PreparedReport &, const std::string &);
        std::string_view start;
    } rows[] = {
        {"PDF", [](const PreparedReport &r, const std::string &f) { exportPdf(r, f); }, "%PDF-"},
        {"HTML", [](const PreparedReport &r, const std::string &f) { exportHtml(r, f); }, "<!DOCTYPE html>"},
    };
    for (const auto &row : rows) {
        const std::string target = path("saida").toStdString();
        rtl::WriteFileBytes(target, "old contents");
        row.write(prepared(), target);
        EXPECT_EQ(rtl::ReadFileBytes(target).substr(0, row.start.size()), row.start) << row.name;

        // A name that is a folder cannot be replaced: an error, and nothing left behind.
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pasta")));
        EXPECT_THROW(row.write(prepared(), path("pasta").toStdString()), rtl::EFCreateError) << row.name;
        EXPECT_THROW(row.write(prepared(), path("falta/x").toStdString()), rtl::EFCreateError) << row.name;
        EXPECT_EQ(entries(), (QStringList{QStringLiteral("pasta"), QStringLiteral("saida")})) << row.name;
        QDir(dir.path()).rmdir(QStringLiteral("pasta"));
    }
}

// ---- HTML -----------------------------------------------------------------------------

std::string unescaped(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.toStdString();
}

TEST_F(Sample, HtmlIsOneFileWithEveryTextImageAndCodeInPlace)
{
    const QString html = QString::fromStdString(htmlDocument(prepared()));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Relatório de teste nº 1</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));

    // Pages in order at their sizes, each holding its own texts, in drawing order.
    const QStringList pages = html.split(QStringLiteral("<div class=\"page\""));
    ASSERT_EQ(pages.size(), 3) << "what comes before the first page, and two pages";
    EXPECT_TRUE(pages[1].startsWith(QStringLiteral(" style=\"width:793.7px;height:1122.52px\">")));
    EXPECT_TRUE(pages[2].startsWith(QStringLiteral(" style=\"width:793.7px;height:559.37px\">")));
    const QRegularExpression textDiv(QStringLiteral("<div class=\"t\" style=\"([^\"]*)\">([^<]*)</div>"));
    for (int p = 0; p < 2; ++p) {
        std::vector<std::string> found;
        for (const auto &match : textDiv.globalMatch(pages[p + 1]))
            found.push_back(unescaped(match.captured(2)));
        EXPECT_EQ(found, texts(prepared().pages[static_cast<std::size_t>(p)])) << "page " << p + 1;
    }

    // Text runs sit in their boxes, in their fonts, with their alignment.
    const auto styleOf = [&](const QString &text) {
        for (const auto &match : textDiv.globalMatch(html))
            if (match.captured(2) == text)
                return match.captured(1);
        return QString();
    };
    EXPECT_EQ(styleOf(QString::fromStdString(kAccents)),
              QStringLiteral("left:37.8px;top:37.8px;width:500px;height:15px;"
                             "font:bold 13px 'Liberation Sans','Arial',sans-serif"));
    EXPECT_TRUE(styleOf(QStringLiteral("Total R$ 99,90")).endsWith(QStringLiteral(";text-align:right")));
    EXPECT_TRUE(styleOf(QStringLiteral("Times: Informações §"))
                    .contains(QStringLiteral("font:italic 13px 'Liberation Serif','Times New Roman',serif")));
    EXPECT_TRUE(styleOf(QStringLiteral("Courier: 0123456789"))
                    .contains(QStringLiteral("'Liberation Mono','Courier New',monospace")));

    // The image is inline PNG data with its exact pixels, drawn without smoothing.
    const QRegularExpression img(QStringLiteral("<img alt=\"\" style=\"([^\"]*)\" src=\"data:image/png;base64,([^\"]*)\">"));
    const auto image = img.match(html);
    ASSERT_TRUE(image.hasMatch());
    EXPECT_EQ(image.captured(1),
              QStringLiteral("left:677.8px;top:77.8px;width:64px;height:64px;image-rendering:pixelated"));
    const QImage decoded = QImage::fromData(QByteArray::fromBase64(image.captured(2).toLatin1()), "PNG");
    const auto *item = std::get_if<ImageItem>(bySource(prepared().pages[0], "imagem").at(0));
    ASSERT_TRUE(item);
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), item->image);

    // Each code is one SVG path over its box, one closed rectangle per bar, starting at
    // the first bar; a box and the dotted rule are bordered blocks.
    const QRegularExpression svg(QStringLiteral("<svg style=\"([^\"]*)\"[^>]*><path d=\"M([0-9.]+) ([^\"]*)\"/></svg>"));
    std::vector<QRegularExpressionMatch> paths;
    for (const auto &match : svg.globalMatch(html))
        paths.push_back(match);
    ASSERT_EQ(paths.size(), 2u);
    const char *sources[] = {"codigo", "qr"};
    const QString boxes[] = {QStringLiteral("left:37.8px;top:177.8px;width:420px;height:50px"),
                             QStringLiteral("left:497.8px;top:77.8px;width:160px;height:160px")};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto *bars = std::get_if<BarsItem>(bySource(prepared().pages[0], sources[i]).at(0));
        ASSERT_TRUE(bars);
        EXPECT_EQ(paths[i].captured(1), boxes[i]) << sources[i];
        EXPECT_NEAR(paths[i].captured(2).toDouble(), bars->bars.front().left(), 0.005) << sources[i];
        EXPECT_EQ(static_cast<std::size_t>(paths[i].captured(3).count(QLatin1Char('z'))), bars->bars.size())
            << sources[i];
    }
    EXPECT_TRUE(html.contains(QStringLiteral("left:37.8px;top:127.8px;width:200px;height:30px;background:#e5e5e5;border:2px solid #000000")));
    EXPECT_TRUE(html.contains(QStringLiteral("left:37.8px;top:68.3px;width:740px;height:1px;border-top:1px dotted #000000")));

    // Nothing is fetched from elsewhere.
    EXPECT_FALSE(html.contains(QStringLiteral("src=\"http")));
    EXPECT_FALSE(html.contains(QStringLiteral("href=")));
    EXPECT_FALSE(html.contains(QStringLiteral("url(")));
}

// ---- Printing -------------------------------------------------------------------------

TEST_F(Sample, PrintingOnAPdfPrinterGivesThePagesAtTheirSizes)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    struct Row {
        const char *name;
        int from, to; // 0: every page
        std::vector<std::string> sizes;
        std::size_t firstPage;
    } rows[] = {
        {"every page", 0, 0, {"595 x 842 pts (A4)", "595 x 420 pts (A5)"}, 0},
        {"the second page only", 2, 2, {"595 x 420 pts (A5)"}, 1},
    };
    for (const auto &row : rows) {
        const QString pdf = path("impresso.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        setupPrinter(printer, PrintOptions{}, prepared());
        if (row.from) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(row.from, row.to);
        }
        printPages(prepared(), printer);

        const std::string info = pdfInfoOf(pdf);
        EXPECT_EQ(infoValue(info, "Pages"), std::to_string(row.sizes.size())) << row.name;
        EXPECT_EQ(infoValue(info, "Title"), "Relatório de teste nº 1") << row.name;
        for (std::size_t i = 0; i < row.sizes.size(); ++i) {
            EXPECT_EQ(infoValue(info, "Page    " + std::to_string(i + 1) + " size"), row.sizes[i]) << row.name;
            const std::string text = pdfText(pdf, static_cast<int>(i) + 1).value_or("");
            for (const std::string &expected : texts(prepared().pages[row.firstPage + i]))
                EXPECT_NE(text.find(expected), std::string::npos) << row.name << ": " << expected;
        }
        if (row.firstPage == 0)
            expectCheckerboardInPlace(prepared(), rasterised(pdf, 1, 96, path("printed")));
    }
}

TEST_F(Sample, PrinterSetupFollowsTheOptions)
{
    struct Row {
        const char *name;
        int copies, expected;
    } rows[] = {
        {"one copy", 1, 1},
        {"three copies", 3, 3},
        {"no copies asked: one", 0, 1},
        {"a negative count: one", -2, 1},
    };
    for (const auto &row : rows) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setDuplex(QPrinter::DuplexLongSide);
        PrintOptions options;
        options.copies = row.copies;
        setupPrinter(printer, options, prepared());
        EXPECT_EQ(printer.copyCount(), row.expected) << row.name;
        EXPECT_EQ(printer.duplex(), QPrinter::DuplexNone) << row.name;
        EXPECT_TRUE(printer.fullPage()) << row.name;
        EXPECT_EQ(printer.docName().toStdString(), "Relatório de teste nº 1") << row.name;
    }

    QPrinter printer;
    PrintOptions missing;
    missing.printerName = "Impressora que não existe";
    EXPECT_THROW(setupPrinter(printer, missing, prepared()), EReportError);

    // Qt's stand-in when no printer is installed: a PDF without a file to go to.
    QPrinter fallback;
    fallback.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_THROW(printPages(prepared(), fallback), EReportError);
}

} // namespace
