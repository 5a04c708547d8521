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
    report::PreparedReport paginas = cadeia.prepare(medidor);

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
    const std::string arquivo = TDFeReportFortes::AjustarFiltroPDF(AConfig, AFile);
    const report::QtTextMeasurer medidor;
    const report::PreparedReport paginas = report::prepare(ARelatorio, medidor);
    report::exportPdf(paginas, arquivo, AInfo);
    return arquivo;
}

} // namespace dfe
