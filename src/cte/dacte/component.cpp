#include "cte/dacte/component.h"

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
    return {};
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
    SalvarDocumentosPDF(ACTe != nullptr ? std::vector<const TCTe *>{ACTe} : DocumentosCarregados());
}

std::vector<std::string> TOvixCTeDACTeRL::SalvarDocumentosPDF(const std::vector<const TCTe *> &ACTes)
{
    SetArquivoPDF({});
    std::vector<std::string> arquivos;
    arquivos.reserve(ACTes.size());
    for (const TCTe *cte : ACTes) {
        if (cte == nullptr)
            continue;
        std::string arquivo = NomeArquivoPDF(*cte);
        SetArquivoPDF(arquivo);
        TfrmDACTeRL::SalvarPDF(ClasseDoLayout(TamanhoPapel()), *this, *cte, arquivo);
        arquivos.push_back(std::move(arquivo));
    }
    return arquivos;
}

} // namespace cte
