#include "cte/dacte/component.h"

#include "cte/component.h"
#include "cte/dacte/form.h"
#include "cte/dacte/layout.h"

#include "util/toolbox.h"

namespace cte {

namespace {

// The A5 layout is not part of the viewer: every paper size prints the A4 portrait one.
TfrmDACTeRL::TFabrica ClasseDoLayout(dfe::TpcnTamanhoPapel)
{
    return &TfrmDACTeRLRetrato::Criar;
}

} // namespace

TOvixCTeDACTeRL::TOvixCTeDACTeRL(rtl::TComponent *AOwner) : TOvixCTeDACTEClass(AOwner) {}

TOvixCTeDACTeRL::~TOvixCTeDACTeRL() = default;

std::string TOvixCTeDACTeRL::ClassName() const
{
    return "TOvixCTeDACTeRL";
}

std::vector<const TCTe *> TOvixCTeDACTeRL::DocumentosCarregados() const
{
    std::vector<const TCTe *> documentos;
    if (const TOvixCTe *componente = OvixCTe()) {
        const TConhecimentos &lista = componente->Conhecimentos();
        documentos.reserve(static_cast<std::size_t>(lista.Count()));
        for (int i = 0; i < lista.Count(); ++i)
            documentos.push_back(&lista.Items(i).CTe());
    }
    return documentos;
}

void TOvixCTeDACTeRL::ImprimirDACTe(const TCTe *ACTe)
{
    ImprimirDocumentos(ACTe != nullptr ? std::vector<const TCTe *>{ACTe} : DocumentosCarregados());
}

void TOvixCTeDACTeRL::ImprimirDocumentos(const std::vector<const TCTe *> &ACTes)
{
    TfrmDACTeRL::Imprimir(ClasseDoLayout(TamanhoPapel()), *this, ACTes);
}

std::string TOvixCTeDACTeRL::NomeArquivoPDF(const TCTe &ACTe) const
{
    return util::PathWithDelim(PathPDF()) + util::OnlyNumber(ACTe.infCTe.Id) + "-cte.pdf";
}

void TOvixCTeDACTeRL::ImprimirDACTePDF(const TCTe *ACTe)
{
    if (ACTe != nullptr || OvixCTe() == nullptr) {
        SalvarDocumentosPDF(ACTe != nullptr ? std::vector<const TCTe *>{ACTe} : std::vector<const TCTe *>{});
        return;
    }
    SetArquivoPDF({});
    TConhecimentos &lista = OvixCTe()->Conhecimentos();
    for (int i = 0; i < lista.Count(); ++i) {
        Conhecimento &item = lista.Items(i);
        item.SetNomeArqPDF(SalvarPDF(item.CTe()));
    }
}

std::vector<std::string> TOvixCTeDACTeRL::SalvarDocumentosPDF(const std::vector<const TCTe *> &ACTes)
{
    SetArquivoPDF({});
    std::vector<std::string> arquivos;
    arquivos.reserve(ACTes.size());
    for (const TCTe *cte : ACTes)
        if (cte != nullptr)
            arquivos.push_back(SalvarPDF(*cte));
    return arquivos;
}

std::string TOvixCTeDACTeRL::SalvarPDF(const TCTe &ACTe)
{
    std::string arquivo = NomeArquivoPDF(ACTe);
    SetArquivoPDF(arquivo);
    TfrmDACTeRL::SalvarPDF(ClasseDoLayout(TamanhoPapel()), *this, ACTe, arquivo);
    return arquivo;
}

} // namespace cte
