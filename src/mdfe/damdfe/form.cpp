#include "mdfe/damdfe/form.h"

#include "mdfe/damdfe/component.h"

#include "dfe/report/form.h"
#include "rtl/datetime.h"
#include "rtl/numbers.h"

namespace mdfe {

TfrlDAMDFeRL::TfrlDAMDFeRL()
{
    RLMDFe.paper = report::Paper::a4();
    RLPDFFilter1.DocumentInfo.creator = "Visualizador de Documentos Fiscais";
}

TfrlDAMDFeRL::~TfrlDAMDFeRL() = default;

std::unique_ptr<TfrlDAMDFeRL> TfrlDAMDFeRL::Criar(TFabrica AClasse, TOvixMDFeDAMDFeRL &ADAMDFe, const TMDFe &AMDFe)
{
    // AlterarEscalaPadrao rescales forms drawn in screen pixels; the engine lays pages out
    // in its own fixed units, so there is nothing to rescale.
    std::unique_ptr<TfrlDAMDFeRL> janela = AClasse();
    janela->fpMDFe = &AMDFe;
    janela->fpDAMDFe = &ADAMDFe;
    return janela;
}

void TfrlDAMDFeRL::Imprimir(TFabrica AClasse, TOvixMDFeDAMDFeRL &ADAMDFe, const std::vector<const TMDFe *> &AMDFes)
{
    std::vector<std::unique_ptr<TfrlDAMDFeRL>> janelas;
    janelas.reserve(AMDFes.size());
    std::vector<report::Report *> relatorios;
    relatorios.reserve(AMDFes.size());
    for (const TMDFe *mdfe : AMDFes) {
        if (mdfe == nullptr)
            continue;
        janelas.push_back(Criar(AClasse, ADAMDFe, *mdfe));
        relatorios.push_back(&janelas.back()->RLMDFe);
    }
    if (janelas.empty())
        return;
    dfe::ImprimirRelatorios(ADAMDFe, relatorios, false, janelas.back()->RLPDFFilter1.DocumentInfo);
}

void TfrlDAMDFeRL::SalvarPDF(TFabrica AClasse, TOvixMDFeDAMDFeRL &ADAMDFe, const TMDFe &AMDFe, const std::string &AFile)
{
    std::unique_ptr<TfrlDAMDFeRL> janela = Criar(AClasse, ADAMDFe, AMDFe);
    // The number and the date follow the user's separators.
    const std::string numero = rtl::FormatFloat("000,000,000", AMDFe.Ide.nMDF);
    report::PdfInfo &info = janela->RLPDFFilter1.DocumentInfo;
    info.title = "DAMDFe - MDFe nº " + numero;
    info.keywords = "Número:" + numero + "; Data de emissão: " + rtl::FormatDateTime("dd/mm/yyyy", AMDFe.Ide.dhEmi) +
                    "; CNPJ: " + AMDFe.emit.CNPJCPF;
    dfe::SalvarRelatorioPDF(ADAMDFe, janela->RLMDFe, AFile, info);
}

} // namespace mdfe
