#include "nfe/danfe/component.h"

#include "nfe/danfe/form.h"
#include "nfe/danfe/layout.h"

#include "nfe/component.h"

#include "rtl/text.h"
#include "util/toolbox.h"

namespace nfe {

std::string NomeFonteToFamilia(TNomeFonte ANome)
{
    switch (ANome) {
    case nfCourierNew: return "Courier New";
    case nfArial: return "Arial";
    case nfTimesNewRoman: break;
    }
    return "Times New Roman";
}

// ---- TFonte ----------------------------------------------------------------------------------

TFonte::TFonte(rtl::TComponent *AOwner) : rtl::TComponent(AOwner) {}

std::string TFonte::ClassName() const
{
    return "TFonte";
}

// ---- TOvixNFeDANFeRL -------------------------------------------------------------------------

namespace {

// The one layout there is: the landscape and simplified types print it too.
TfrlDANFeRL::TFabrica ClasseDoLayout(dfe::TpcnTipoImpressao)
{
    return &TfrlDANFeRLRetrato::Criar;
}

} // namespace

TOvixNFeDANFeRL::TOvixNFeDANFeRL(rtl::TComponent *AOwner)
    : TOvixNFeDANFEClass(AOwner), FFonte(rtl::TComponent::CreateFree<TFonte>())
{
    FFonte->SetName("Fonte");
    FFonte->SetSubComponent(true);
}

TOvixNFeDANFeRL::~TOvixNFeDANFeRL() = default;

std::string TOvixNFeDANFeRL::ClassName() const
{
    return "TOvixNFeDANFeRL";
}

void TOvixNFeDANFeRL::SetTipoDANFE(dfe::TpcnTipoImpressao AValue)
{
    TOvixNFeDANFEClass::SetTipoDANFE(AValue);
    if (TipoDANFE() == dfe::tiRetrato)
        FExibeEAN = false;
}

void TOvixNFeDANFeRL::SetExibeEAN(bool AValue)
{
    FExibeEAN = TipoDANFE() == dfe::tiRetrato ? false : AValue;
}

std::vector<const TNFe *> TOvixNFeDANFeRL::Documentos(const TNFe *ANFe) const
{
    std::vector<const TNFe *> documentos;
    if (ANFe != nullptr) {
        documentos.push_back(ANFe);
    } else if (OvixNFe() != nullptr) {
        const TNotasFiscais &notas = OvixNFe()->NotasFiscais();
        documentos.reserve(static_cast<std::size_t>(notas.Count()));
        for (int i = 0; i < notas.Count(); ++i)
            documentos.push_back(&notas.Items(i).NFe());
    }
    return documentos;
}

void TOvixNFeDANFeRL::ImprimirDANFE(const TNFe *ANFe)
{
    TfrlDANFeRL::Imprimir(ClasseDoLayout(TipoDANFE()), *this, Documentos(ANFe));
}

void TOvixNFeDANFeRL::ImprimirDANFEPDF(const TNFe *ANFe)
{
    SetArquivoPDF({});
    std::string arquivos;
    bool primeiro = true;
    for (const TNFe *nfe : Documentos(ANFe)) {
        const std::string arquivo = rtl::Trim(NomeDocumento()).empty()
                                        ? PathPDF() + util::OnlyNumber(nfe->infNFe.ID) + "-nfe.pdf"
                                        : PathPDF() + NomeDocumento();
        TfrlDANFeRL::SalvarPDF(ClasseDoLayout(TipoDANFE()), *this, *nfe, arquivo);
        if (!primeiro)
            arquivos += "\r\n";
        arquivos += arquivo;
        primeiro = false;
    }
    SetArquivoPDF(std::move(arquivos));
}

} // namespace nfe
