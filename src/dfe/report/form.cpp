#include "dfe/report/form.h"

#include "dfe/report/routines.h"

#include "report/chain.h"
#include "report/measurer.h"
#include "report/paginator.h"

namespace dfe {

void ImprimirRelatorios(const TOvixDFeReport &AConfig, const std::vector<report::Report *> &ARelatorios,
                        bool ASempreVisivel, const report::PdfInfo &APdfInfo)
{
    if (ARelatorios.empty())
        return;
    // Each report of a chain is laid out on its own: its page numbers and count restart.
    report::ReportChain cadeia;
    for (report::Report *relatorio : ARelatorios)
        cadeia.add(*relatorio);

    report::PrintOptions impressao;
    TDFeReportFortes::AjustarReport(impressao, AConfig);
    const report::QtTextMeasurer medidor;
    report::PreparedReport paginas;
    {
        // Closed before the preview or the printer takes over.
        const auto progresso = impressao.showProgress ? AConfig.CriarProgresso()() : nullptr;
        paginas = cadeia.prepare(medidor, progresso.get());
    }

    if (AConfig.MostraPreview()) {
        report::PreviewOptions preview;
        preview.caption = ARelatorios.front()->caption;
        preview.stayOnTop = ASempreVisivel;
        preview.pdfInfo = APdfInfo;
        preview.print = impressao;
        AConfig.MostrarPreview()(std::move(paginas), preview);
    } else {
        AConfig.ImprimirPaginas()(paginas, impressao);
    }
}

std::string SalvarRelatorioPDF(const TOvixDFeReport &AConfig, report::Report &ARelatorio,
                               std::string_view AFile, const report::PdfInfo &AInfo)
{
    report::PrintOptions impressao;
    TDFeReportFortes::AjustarReport(impressao, AConfig);
    TFiltroPDF filtro;
    TDFeReportFortes::AjustarFiltroPDF(filtro, AConfig, AFile);
    // One display for the whole job: laying the pages out, then writing them.
    const auto progresso = impressao.showProgress || filtro.MostraProgresso ? AConfig.CriarProgresso()() : nullptr;
    const report::QtTextMeasurer medidor;
    const report::PreparedReport paginas =
        report::prepare(ARelatorio, medidor, impressao.showProgress ? progresso.get() : nullptr);
    report::exportPdf(paginas, filtro.NomeArquivo, AInfo, filtro.MostraProgresso ? progresso.get() : nullptr);
    return filtro.NomeArquivo;
}

} // namespace dfe
