#include "nfe/danfe/form.h"

#include "nfe/danfe/component.h"

#include "dfe/report_routines.h"
#include "report/chain.h"
#include "report/measurer.h"
#include "report/paginator.h"
#include "rtl/numbers.h"
#include "util/toolbox.h"

namespace nfe {

TfrlDANFeRL::TfrlDANFeRL()
{
    RLNFe.paper = report::Paper::a4();
    RLNFe.font = report::Font{"Arial", report::pointsToPixels(8)};
    RLNFe.caption = "DANFe";
    RLPDFFilter1.DocumentInfo.creator = "Visualizador de Documentos Fiscais";
    fpCorDestaqueProdutos = QColor(0xE5, 0xE5, 0xE5);
}

TfrlDANFeRL::~TfrlDANFeRL() = default;

std::unique_ptr<TfrlDANFeRL> TfrlDANFeRL::Criar(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const TNFe &ANFe)
{
    // AlterarEscalaPadrao rescales forms drawn in screen pixels; the engine lays pages out
    // in its own fixed units, so there is nothing to rescale.
    std::unique_ptr<TfrlDANFeRL> janela = AClasse();
    janela->fpNFe = &ANFe;
    janela->fpDANFe = &ADANFe;
    janela->fpAuxDiferencaPDF = 0;
    return janela;
}

void TfrlDANFeRL::Imprimir(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const std::vector<const TNFe *> &ANotas)
{
    std::vector<std::unique_ptr<TfrlDANFeRL>> janelas;
    janelas.reserve(ANotas.size());
    // Each report of a chain is laid out on its own: its page numbers and count restart.
    report::ReportChain cadeia;
    for (const TNFe *nfe : ANotas) {
        if (nfe == nullptr)
            continue;
        janelas.push_back(Criar(AClasse, ADANFe, *nfe));
        cadeia.add(janelas.back()->RLNFe);
    }
    if (janelas.empty())
        return;

    report::PrintOptions impressao;
    dfe::TDFeReportFortes::AjustarReport(impressao, ADANFe);
    const report::QtTextMeasurer medidor;
    report::PreparedReport paginas = cadeia.prepare(medidor);

    if (ADANFe.MostraPreview()) {
        report::PreviewOptions preview;
        preview.caption = janelas.front()->RLNFe.caption;
        preview.stayOnTop = janelas.front()->PreviewSempreVisivel;
        // The preview's export proposes the last layout's PDF filter.
        preview.pdfInfo = janelas.back()->RLPDFFilter1.DocumentInfo;
        preview.print = impressao;
        ADANFe.MostrarPreview()(std::move(paginas), preview);
    } else {
        ADANFe.ImprimirPaginas()(paginas, impressao);
    }
}

void TfrlDANFeRL::SalvarPDF(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const TNFe &ANFe, const std::string &AFile)
{
    std::unique_ptr<TfrlDANFeRL> janela = Criar(AClasse, ADANFe, ANFe);
    report::PrintOptions impressao;
    dfe::TDFeReportFortes::AjustarReport(impressao, ADANFe);
    const std::string arquivo = dfe::TDFeReportFortes::AjustarFiltroPDF(ADANFe, AFile);

    // The number in the title follows the user's thousands separator.
    const std::string numero = rtl::FormatFloat("000,000,000", ANFe.Ide.nNF);
    report::PdfInfo &info = janela->RLPDFFilter1.DocumentInfo;
    info.title = "DANFE - Nota fiscal nº " + numero;
    info.keywords = "Número:" + numero + "; Data de emissão: " + util::FormatDateBr(ANFe.Ide.dEmi) +
                    "; Destinatário: " + ANFe.Dest.xNome + "; CNPJ: " + ANFe.Dest.CNPJCPF +
                    "; Valor total: " + util::FormatFloatBr(ANFe.Total.ICMSTot.vNF.ToDouble());

    janela->fpAuxDiferencaPDF = 10;
    const report::QtTextMeasurer medidor;
    const report::PreparedReport paginas = report::prepare(janela->RLNFe, medidor);
    report::exportPdf(paginas, arquivo, info);
}

} // namespace nfe
