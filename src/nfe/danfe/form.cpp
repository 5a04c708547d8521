#include "nfe/danfe/form.h"

#include "nfe/danfe/component.h"

#include "dfe/report/form.h"
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
    std::vector<report::Report *> relatorios;
    relatorios.reserve(ANotas.size());
    for (const TNFe *nfe : ANotas) {
        if (nfe == nullptr)
            continue;
        janelas.push_back(Criar(AClasse, ADANFe, *nfe));
        relatorios.push_back(&janelas.back()->RLNFe);
    }
    if (janelas.empty())
        return;
    // The preview's export proposes the last layout's PDF filter.
    dfe::ImprimirRelatorios(ADANFe, relatorios, janelas.front()->PreviewSempreVisivel,
                            janelas.back()->RLPDFFilter1.DocumentInfo);
}

void TfrlDANFeRL::SalvarPDF(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const TNFe &ANFe, const std::string &AFile)
{
    std::unique_ptr<TfrlDANFeRL> janela = Criar(AClasse, ADANFe, ANFe);

    // The number in the title follows the user's thousands separator.
    const std::string numero = rtl::FormatFloat("000,000,000", ANFe.Ide.nNF);
    report::PdfInfo &info = janela->RLPDFFilter1.DocumentInfo;
    info.title = "DANFE - Nota fiscal nº " + numero;
    info.keywords = "Número:" + numero + "; Data de emissão: " + util::FormatDateBr(ANFe.Ide.dEmi) +
                    "; Destinatário: " + ANFe.Dest.xNome + "; CNPJ: " + ANFe.Dest.CNPJCPF +
                    "; Valor total: " + util::FormatFloatBr(ANFe.Total.ICMSTot.vNF.ToDouble());

    janela->fpAuxDiferencaPDF = 10;
    dfe::SalvarRelatorioPDF(ADANFe, janela->RLNFe, AFile, info);
}

} // namespace nfe
