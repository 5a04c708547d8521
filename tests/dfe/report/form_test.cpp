#include "dfe/report/form.h"

#include "report/controls.h"
#include "report/progress.h"

#include "rtl/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using dfe::TOvixDFeReport;
using Eventos = std::vector<std::string>;

// Writes down what the engine tells the display, and when the display goes away.
class ProgressoAnotado : public report::Progress {
public:
    explicit ProgressoAnotado(Eventos &eventos) : FEventos(eventos) {}
    ~ProgressoAnotado() override { FEventos.push_back("fim"); }
    void begin(const std::string &task, int total) override
    {
        FEventos.push_back(task + " (" + std::to_string(total) + ")");
    }
    void advance(int done) override { FEventos.push_back("página " + std::to_string(done)); }

private:
    Eventos &FEventos;
};

// A report of `paginas` pages: one detail band per record, as tall as the page.
std::unique_ptr<report::Report> Relatorio(int paginas)
{
    auto relatorio = std::make_unique<report::Report>();
    relatorio->paper = report::Paper::custom(report::pxToMm(200), report::pxToMm(100));
    relatorio->margins = report::Margins{0, 0, 0, 0};
    report::SubReport &itens = relatorio->addSubReport("itens");
    itens.onRecord = [paginas](int record, report::PrintContext &) { return record <= paginas; };
    itens.addBand(report::BandKind::Detail, 100, "item").add<report::Label>("item", QRectF(0, 0, 100, 10), "item");
    return relatorio;
}

// A component whose progress displays and preview note themselves in `eventos`.
rtl::TComponentPtr<TOvixDFeReport> Componente(Eventos &eventos, bool mostraStatus)
{
    auto config = rtl::TComponent::CreateFree<TOvixDFeReport>();
    config->SetMostraStatus(mostraStatus);
    config->SetCriarProgresso([&eventos] {
        eventos.push_back("início");
        return std::make_unique<ProgressoAnotado>(eventos);
    });
    config->SetMostrarPreview([&eventos](report::PreparedReport paginas, const report::PreviewOptions &) {
        eventos.push_back("preview de " + std::to_string(paginas.pages.size()) + " páginas");
    });
    return config;
}

TEST(DFeReportForm, AChainIsLaidOutWithProgressOnlyWhenTheStatusIsShown)
{
    struct Row {
        const char *name;
        bool status;
        Eventos expected;
    } rows[] = {
        {"status shown: each report's pages, and the display closed before the preview", true,
         {"início", "Preparando o relatório (0)", "página 1", "página 2", "Preparando o relatório (0)", "página 1",
          "fim", "preview de 3 páginas"}},
        {"no status: no display at all", false, {"preview de 3 páginas"}},
    };
    for (const Row &row : rows) {
        Eventos eventos;
        auto config = Componente(eventos, row.status);
        auto primeiro = Relatorio(2), segundo = Relatorio(1);
        dfe::ImprimirRelatorios(*config, {primeiro.get(), segundo.get()}, false, {});
        EXPECT_EQ(eventos, row.expected) << row.name;
    }
}

TEST(DFeReportForm, APdfIsLaidOutAndWrittenUnderOneProgressDisplay)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    struct Row {
        const char *name;
        bool status;
        Eventos expected;
    } rows[] = {
        {"status shown", true,
         {"início", "Preparando o relatório (0)", "página 1", "página 2", "Gerando o arquivo PDF (2)", "página 2",
          "fim"}},
        {"no status", false, {}},
    };
    for (const Row &row : rows) {
        Eventos eventos;
        auto config = Componente(eventos, row.status);
        auto relatorio = Relatorio(2);
        const std::string arquivo =
            dfe::SalvarRelatorioPDF(*config, *relatorio, tmp.path().toStdString() + "/pdf/danfe.pdf", {});
        EXPECT_EQ(eventos, row.expected) << row.name;
        EXPECT_TRUE(rtl::FileExists(arquivo)) << row.name;
    }
}

TEST(DFeReportForm, TheDefaultDisplayIsTheEngineWindow)
{
    auto config = rtl::TComponent::CreateFree<TOvixDFeReport>();
    EXPECT_NE(dynamic_cast<report::ProgressWindow *>(config->CriarProgresso()().get()), nullptr);
    config->SetCriarProgresso([] { return std::unique_ptr<report::Progress>(); });
    config->SetCriarProgresso({});
    EXPECT_NE(dynamic_cast<report::ProgressWindow *>(config->CriarProgresso()().get()), nullptr)
        << "an empty function puts the window back";
}

} // namespace
