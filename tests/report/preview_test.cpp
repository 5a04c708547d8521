#include "report/preview.h"
#include "report/painter.h"

#include "outputs.h"

#include "rtl/files.h"

#include <QAction>
#include <QPrinter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace report;
using namespace report::test;

PreparedReport samplePages()
{
    SampleChain sample;
    prepareSample(sample);
    return std::move(sample.prepared);
}

TEST(PreviewDialog, ShowsTheCaptionAndStaysOnTopWhenAsked)
{
    struct Row {
        const char *name;
        std::string caption;
        bool stayOnTop;
        std::string title;
    } rows[] = {
        {"the report's caption", "", false, "Visualização do relatório"},
        {"a caption of its own, kept on top", "DANFe", true, "DANFe"},
        {"a trailing blank is kept", "DACT-e ", true, "DACT-e "},
    };
    for (const auto &row : rows) {
        PreviewOptions options;
        options.caption = row.caption;
        options.stayOnTop = row.stayOnTop;
        PreviewDialog dialog(samplePages(), options);
        EXPECT_EQ(dialog.windowTitle().toStdString(), row.title) << row.name;
        EXPECT_EQ(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint), row.stayOnTop) << row.name;
        EXPECT_TRUE(dialog.isModal()) << row.name;
        EXPECT_EQ(dialog.pageCount(), 2) << row.name;
        EXPECT_EQ(dialog.currentPage(), 1) << row.name;
    }
}

TEST(PreviewDialog, NavigatesAndZoomsWithinBounds)
{
    PreviewDialog dialog(samplePages());
    dialog.resize(900, 700);
    dialog.show(); // offscreen: nothing appears, but the view gets its size

    struct Step {
        const char *name;
        void (PreviewDialog::*action)();
        int page;
    } steps[] = {
        {"previous on the first page stays", &PreviewDialog::previousPage, 1},
        {"next", &PreviewDialog::nextPage, 2},
        {"next on the last page stays", &PreviewDialog::nextPage, 2},
        {"first", &PreviewDialog::firstPage, 1},
        {"last", &PreviewDialog::lastPage, 2},
        {"previous", &PreviewDialog::previousPage, 1},
    };
    for (const auto &step : steps) {
        (dialog.*step.action)();
        EXPECT_EQ(dialog.currentPage(), step.page) << step.name;
    }
    dialog.goToPage(7);
    EXPECT_EQ(dialog.currentPage(), 2) << "past the end: the last page";

    dialog.setZoom(1);
    EXPECT_EQ(dialog.zoom(), 1);
    dialog.zoomIn();
    EXPECT_EQ(dialog.zoom(), 1.25);
    dialog.zoomOut();
    dialog.zoomOut();
    EXPECT_EQ(dialog.zoom(), 0.75);
    dialog.setZoom(100);
    EXPECT_EQ(dialog.zoom(), 4) << "the largest step";
    dialog.fitWidth();
    const double fitted = dialog.zoom();
    EXPECT_GT(fitted, 0.5);
    EXPECT_LT(fitted * dialog.report().pages[1].size.width(), 900) << "the page fits the width";
    dialog.fitPage();
    EXPECT_LE(dialog.zoom(), fitted);
    dialog.close();
}

TEST(PreviewDialog, TheViewShowsTheCurrentPageAtItsZoom)
{
    PreviewDialog dialog(samplePages());
    dialog.resize(900, 700);
    dialog.show();
    const auto *scroll = dialog.findChild<QScrollArea *>();
    ASSERT_TRUE(scroll && scroll->widget());
    const auto check = [&](const char *name) {
        const PreparedPage &page = dialog.report().pages[static_cast<std::size_t>(dialog.currentPage() - 1)];
        const QImage expected = renderPage(page, dialog.zoom());
        // The page sits on the grey of the view, 12 pixels in from each side.
        const QImage shown = scroll->widget()->grab().toImage().copy(QRect(QPoint(12, 12), expected.size()));
        ASSERT_EQ(shown.size(), expected.size()) << name;
        EXPECT_EQ(scroll->widget()->size(), expected.size() + QSize(24, 24)) << name;
        int differing = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                differing += shown.pixel(x, y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0) << name;
    };
    check("first page, fitting the width");
    dialog.nextPage();
    check("second page");
    dialog.setZoom(1.5);
    check("second page at 150%");
    dialog.close();
}

TEST(PreviewDialog, ExportsThroughTheChosenFilter)
{
    QTemporaryDir dir;
    struct Row {
        const char *name;
        bool offerHtml;
        std::vector<ExportFormat> formats;
        ExportFormat chosen;
        const char *start;
    } rows[] = {
        {"PDF is the one filter by default", false, {ExportFormat::Pdf}, ExportFormat::Pdf, "%PDF-"},
        {"HTML offered after PDF", true, {ExportFormat::Pdf, ExportFormat::Html}, ExportFormat::Html,
         "<!DOCTYPE html>"},
    };
    for (const auto &row : rows) {
        PreviewOptions options;
        options.offerHtml = row.offerHtml;
        options.pdfInfo.keywords = "Chave: 123";
        PreviewDialog dialog(samplePages(), options);
        ASSERT_TRUE(dialog.exportAction()) << row.name;
        EXPECT_TRUE(dialog.exportAction()->isEnabled()) << row.name;

        std::string proposed;
        std::vector<ExportFormat> offered;
        const std::string target = dir.filePath(QStringLiteral("saida")).toStdString();
        dialog.setExportChooser([&](QWidget *parent, const std::string &name,
                                    const std::vector<ExportFormat> &formats) {
            EXPECT_EQ(parent, &dialog);
            proposed = name;
            offered = formats;
            return std::optional<ExportTarget>(ExportTarget{target, row.chosen});
        });
        dialog.exportAction()->trigger();
        EXPECT_EQ(proposed, "Relatório de teste nº 1.pdf") << row.name;
        EXPECT_EQ(offered, row.formats) << row.name;
        const std::string written = rtl::ReadFileBytes(target);
        EXPECT_EQ(written.substr(0, std::string_view(row.start).size()), row.start) << row.name;
        if (row.chosen == ExportFormat::Pdf) {
            if (havePoppler()) {
                const std::string info = pdfInfoOf(QString::fromStdString(target));
                EXPECT_EQ(infoValue(info, "Keywords"), "Chave: 123") << info;
                EXPECT_EQ(infoValue(info, "Pages"), "2") << info;
            }
        }
        rtl::DeleteFile(target);

        // Cancelled: nothing written.
        dialog.setExportChooser([](QWidget *, const std::string &, const std::vector<ExportFormat> &) {
            return std::optional<ExportTarget>();
        });
        dialog.exportReport();
        EXPECT_FALSE(rtl::FileExists(target)) << row.name;
    }
}

TEST(PreviewDialog, PrintsOnThePrinterTheUserSetsUp)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("impresso.pdf"));
    PreviewOptions options;
    options.print.copies = 2;
    options.print.printerName = "Impressora que não existe"; // the dialog picks another
    PreviewDialog dialog(samplePages(), options);
    int offeredPages = 0, copies = 0;
    dialog.setPrinterChooser([&](QPrinter &printer, int pageCount, QWidget *) {
        offeredPages = pageCount;
        copies = printer.copyCount();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    dialog.printAction()->trigger();
    EXPECT_EQ(offeredPages, 2);
    EXPECT_EQ(copies, 2);
    ASSERT_TRUE(rtl::FileExists(pdf.toStdString()));
    if (const auto text = pdfText(pdf, 2)) {
        EXPECT_NE(text->find("Segunda via — relatório B"), std::string::npos) << *text;
    }

    // Cancelled: nothing printed.
    const QString other = dir.filePath(QStringLiteral("outro.pdf"));
    dialog.setPrinterChooser([&](QPrinter &printer, int, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(other);
        return false;
    });
    dialog.print();
    EXPECT_FALSE(rtl::FileExists(other.toStdString()));
}

TEST(PreviewDialog, WithoutPagesNothingCanBeDone)
{
    PreparedReport empty;
    empty.caption = "Vazio";
    PreviewDialog dialog(std::move(empty));
    EXPECT_EQ(dialog.pageCount(), 0);
    EXPECT_EQ(dialog.currentPage(), 0);
    EXPECT_FALSE(dialog.exportAction()->isEnabled());
    EXPECT_FALSE(dialog.printAction()->isEnabled());
    dialog.nextPage();
    dialog.exportReport(); // no chooser asked, nothing thrown
    EXPECT_EQ(dialog.currentPage(), 0);
}

TEST(ExportNames, TitlesBecomeFileNames)
{
    struct Row {
        const char *name;
        const char *title, *file;
    } rows[] = {
        {"a plain title", "Relatório nº 1", "Relatório nº 1"},
        {"separators and reserved characters", "CT-e: 12/3 \"a\" <b>|*?\\", "CT-e_ 12_3 _a_ _b_____"},
        {"control characters", "a\tb\nc", "a_b_c"},
        {"no title", "", "relatorio"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(fileNameFromTitle(row.title), row.file) << row.name;
}

} // namespace
