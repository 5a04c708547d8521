#include "report/progress.h"

#include "report/chain.h"
#include "report/pdfexport.h"

#include "support.h"

#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QProgressDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace report;
using namespace report::test;
using Events = std::vector<std::string>;

// Writes down what the engine tells it.
class Recorder : public Progress {
public:
    void begin(const std::string &task, int total) override
    {
        events.push_back(task + " (" + std::to_string(total) + ")");
    }
    void advance(int done) override { events.push_back("page " + std::to_string(done)); }
    Events events;
};

// A report of `pages` pages of one detail band each.
void onePerPage(Report &report, int pages)
{
    pageSetup(report, 200, 100);
    addItems(report, pages, 100);
}

TEST(Progress, PreparationReportsEveryPageAsItIsFinished)
{
    const FixedTextMeasurer measurer;
    Report report;
    onePerPage(report, 3);

    Recorder recorder;
    const PreparedReport prepared = prepare(report, measurer, &recorder);
    EXPECT_EQ(recorder.events, (Events{"Preparando o relatório (0)", "page 1", "page 2", "page 3"}));
    EXPECT_EQ(pagesWith(prepared, "det 3"), std::vector<int>{3}) << "the pages themselves are as without progress";

    // A chain reports each report in turn, its page numbers restarting.
    Report second;
    onePerPage(second, 1);
    ReportChain chain;
    chain.add(report);
    chain.add(second);
    Recorder chained;
    EXPECT_EQ(chain.prepare(measurer, &chained).pages.size(), 4u);
    EXPECT_EQ(chained.events, (Events{"Preparando o relatório (0)", "page 1", "page 2", "page 3",
                                      "Preparando o relatório (0)", "page 1"}));

    // A report that fails half-way has reported only the pages it finished.
    Report failing;
    onePerPage(failing, 3);
    failing.subReports().front()->findBand("det")->beforePrint = [](Band &, PrintContext &context) {
        if (context.record() == 3)
            throw rtl::Exception("falhou");
        return true;
    };
    Recorder failed;
    EXPECT_THROW(prepare(failing, measurer, &failed), rtl::Exception);
    EXPECT_EQ(failed.events, (Events{"Preparando o relatório (0)", "page 1"}));
}

TEST(Progress, PdfExportTellsItsPagesOnceTheFileIsWritten)
{
    const FixedTextMeasurer measurer;
    Report report;
    onePerPage(report, 2);
    const PreparedReport prepared = prepare(report, measurer);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    Recorder written;
    const std::string file = dir.filePath(QStringLiteral("saida.pdf")).toStdString();
    exportPdf(prepared, file, {}, &written);
    EXPECT_TRUE(rtl::FileExists(file));
    EXPECT_EQ(written.events, (Events{"Gerando o arquivo PDF (2)", "page 2"}));

    Recorder failed;
    EXPECT_THROW(exportPdf(prepared, dir.filePath(QStringLiteral("falta/x.pdf")).toStdString(), {}, &failed),
                 rtl::EFCreateError);
    EXPECT_EQ(failed.events, (Events{"Gerando o arquivo PDF (2)"}));
}

TEST(Progress, TheWindowShowsTheTaskAndThePageReached)
{
    ProgressWindow window;
    const QProgressDialog &dialog = window.dialog();
    EXPECT_TRUE(dialog.isModal());

    struct Step {
        const char *name;
        std::function<void()> action;
        QString label;
        int maximum, value;
    } steps[] = {
        {"a job of unknown length: a busy bar", [&] { window.begin("Preparando o relatório", 0); },
         QStringLiteral("Preparando o relatório"), 0, 0},
        {"its pages counted up", [&] { window.advance(12); }, QStringLiteral("Preparando o relatório\nPágina 12"), 0,
         12},
        {"the next job, of known length", [&] { window.begin("Gerando o arquivo PDF", 12); },
         QStringLiteral("Gerando o arquivo PDF"), 12, 0},
        {"its end", [&] { window.advance(12); }, QStringLiteral("Gerando o arquivo PDF\nPágina 12 de 12"), 12, 12},
    };
    for (const Step &step : steps) {
        step.action();
        EXPECT_EQ(dialog.labelText(), step.label) << step.name;
        EXPECT_EQ(dialog.maximum(), step.maximum) << step.name;
        EXPECT_EQ(dialog.value(), step.value) << step.name;
    }
}

} // namespace
