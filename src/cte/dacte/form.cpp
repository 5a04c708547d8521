#include "cte/dacte/form.h"

#include "cte/dacte/component.h"

#include "dfe/report/form.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/numbers.h"

namespace cte {

const std::string &TDocumentosDACTe::Campo(TCampo ACampo) const
{
    static const std::string vazio;
    return Eof() ? vazio : FLinhas[FCursor][ACampo];
}

TfrmDACTeRL::TfrmDACTeRL()
{
    RLCTe.paper = report::Paper::a4();
    RLCTe.margins = report::Margins{7.0, 7.0, 7.0, 7.0};
    RLCTe.font = report::Font{"Arial", 13};
    RLCTe.caption = "DACT-e ";
    RLPDFFilter1.DocumentInfo.creator = "Visualizador de Documentos Fiscais";
}

TfrmDACTeRL::~TfrmDACTeRL() = default;

std::unique_ptr<TfrmDACTeRL> TfrmDACTeRL::Criar(TFabrica AClasse, TOvixCTeDACTeRL &ADACTe, const TCTe &ACTe)
{
    // AlterarEscalaPadrao rescales forms drawn in screen pixels; the engine lays pages out
    // in its own fixed units, so there is nothing to rescale.
    std::unique_ptr<TfrmDACTeRL> janela = AClasse();
    janela->fpCTe = &ACTe;
    janela->fpDACTe = &ADACTe;
    return janela;
}

void TfrmDACTeRL::Imprimir(TFabrica AClasse, TOvixCTeDACTeRL &ADACTe, const std::vector<const TCTe *> &ACTes)
{
    std::vector<std::unique_ptr<TfrmDACTeRL>> janelas;
    janelas.reserve(ACTes.size());
    std::vector<report::Report *> relatorios;
    relatorios.reserve(ACTes.size());
    for (const TCTe *cte : ACTes) {
        if (cte == nullptr)
            continue;
        janelas.push_back(Criar(AClasse, ADACTe, *cte));
        relatorios.push_back(&janelas.back()->RLCTe);
    }
    if (janelas.empty())
        throw rtl::Exception("Nenhum relatorio foi inicializado.");
    // Every report of the chain is laid out on its own page set-up, so each takes the
    // component's margins (in the layout's before-print).
    dfe::ImprimirRelatorios(ADACTe, relatorios, janelas.front()->PreviewSempreVisivel,
                            janelas.back()->RLPDFFilter1.DocumentInfo);
}

void TfrmDACTeRL::SalvarPDF(TFabrica AClasse, TOvixCTeDACTeRL &ADACTe, const TCTe &ACTe, const std::string &AFile)
{
    std::unique_ptr<TfrmDACTeRL> janela = Criar(AClasse, ADACTe, ACTe);

    // Number and date follow the user's separators.
    const std::string numero = rtl::FormatFloat("000,000,000", ACTe.ide.nCT);
    report::PdfInfo &info = janela->RLPDFFilter1.DocumentInfo;
    info.title = "DACTE - Conhecimento nº " + numero;
    info.keywords = "Número:" + numero + "; Data de emissão: " + rtl::FormatDateTime("dd/mm/yyyy", ACTe.ide.dhEmi) +
                    "; Destinatário: " + ACTe.dest.xNome + "; CNPJ: " + ACTe.dest.CNPJCPF;
    dfe::SalvarRelatorioPDF(ADACTe, janela->RLCTe, AFile, info);
}

std::string TfrmDACTeRL::GetTextoResumoCanhoto() const
{
    const TCTe &cte = *fpCTe;
    std::string tomador;
    if (!cte.ide.toma4.xNome.empty()) {
        tomador = cte.ide.toma4.xNome;
    } else {
        switch (cte.ide.toma03.Toma) {
        case tmRemetente: tomador = cte.rem.xNome; break;
        case tmExpedidor: tomador = cte.exped.xNome; break;
        case tmRecebedor: tomador = cte.receb.xNome; break;
        case tmDestinatario: tomador = cte.dest.xNome; break;
        case tmOutros: break;
        }
    }
    return "EMIT: " + cte.emit.xNome + " - " + "EMISSÃO: " + rtl::FormatDateTime("dd/mm/yyyy", cte.ide.dhEmi) +
           "  -  TOMADOR: " + tomador + " - VALOR A RECEBER: R$ " +
           fpDACTe->FormatarValorUnitario(cte.vPrest.vRec.ToDouble());
}

} // namespace cte
