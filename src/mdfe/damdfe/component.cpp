#include "mdfe/damdfe/component.h"

#include "mdfe/damdfe/form.h"
#include "mdfe/damdfe/layout.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "util/toolbox.h"

namespace mdfe {

// ---- TOvixMDFeDAMDFeClass ----------------------------------------------------------------

TOvixMDFeDAMDFeClass::TOvixMDFeDAMDFeClass(rtl::TComponent *AOwner) : dfe::TOvixDFeReport(AOwner) {}

TOvixMDFeDAMDFeClass::~TOvixMDFeDAMDFeClass() = default;

std::string TOvixMDFeDAMDFeClass::ClassName() const
{
    return "TOvixMDFeDAMDFeClass";
}

void TOvixMDFeDAMDFeClass::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFeReport::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove && FOvixMDFe.Parceiro() != nullptr &&
        dynamic_cast<TOvixMDFe *>(AComponent) != nullptr)
        FOvixMDFe.Esquecer();
}

void TOvixMDFeDAMDFeClass::SetOvixMDFe(rtl::TComponent *Value)
{
    if (Value == FOvixMDFe.Parceiro())
        return;
    auto *novo = dynamic_cast<TOvixMDFe *>(Value);
    if (Value != nullptr && novo == nullptr)
        throw rtl::Exception("DAMDFe deve ser do tipo TOvixMDFe");
    FOvixMDFe.Ligar(
        novo, novo, [this](TOvixMDFe &m) { return m.DAMDFE() == this; },
        [this](TOvixMDFe &m, bool ligar) { m.SetDAMDFE(ligar ? this : nullptr); });
}

std::string TOvixMDFeDAMDFeClass::GetSeparadorPathPDF(std::string_view aInitialPath) const
{
    TOvixMDFe *componente = OvixMDFe();
    if (componente == nullptr || componente->Manifestos().Count() == 0)
        return std::string(aInitialPath);
    const TMDFe &mdfe = componente->Manifestos().Items(0).MDFe();
    TArquivosConfMDFe &arquivos = componente->Configuracoes().Arquivos();
    const rtl::TDateTime data = arquivos.EmissaoPathMDFe() ? mdfe.Ide.dhEmi : rtl::Now();
    return arquivos.GetPath(aInitialPath, "MDFe", mdfe.emit.CNPJCPF, mdfe.emit.IE, data, "MDFe");
}

void TOvixMDFeDAMDFeClass::ImprimirDAMDFe(const TMDFe *)
{
    throw rtl::Exception("ImprimirDAMDFe");
}

void TOvixMDFeDAMDFeClass::ImprimirDAMDFePDF(const TMDFe *)
{
    throw rtl::Exception("ImprimirDAMDFePDF");
}

void TOvixMDFeDAMDFeClass::ImprimirEVENTO(const TMDFe *)
{
    throw rtl::Exception("ImprimirEVENTO");
}

void TOvixMDFeDAMDFeClass::ImprimirEVENTOPDF(const TMDFe *)
{
    throw rtl::Exception("ImprimirEVENTOPDF");
}

std::vector<const TMDFe *> TOvixMDFeDAMDFeClass::Documentos(const TMDFe *AMDFe) const
{
    std::vector<const TMDFe *> documentos;
    if (AMDFe != nullptr) {
        documentos.push_back(AMDFe);
    } else if (OvixMDFe() != nullptr) {
        const TManifestos &lista = OvixMDFe()->Manifestos();
        documentos.reserve(static_cast<std::size_t>(lista.Count()));
        for (int i = 0; i < lista.Count(); ++i)
            documentos.push_back(&lista.Items(i).MDFe());
    }
    return documentos;
}

// ---- TOvixMDFeDAMDFeRL -------------------------------------------------------------------

TOvixMDFeDAMDFeRL::TOvixMDFeDAMDFeRL(rtl::TComponent *AOwner) : TOvixMDFeDAMDFeClass(AOwner) {}

std::string TOvixMDFeDAMDFeRL::ClassName() const
{
    return "TOvixMDFeDAMDFeRL";
}

void TOvixMDFeDAMDFeRL::ImprimirDAMDFe(const TMDFe *AMDFe)
{
    TfrlDAMDFeRL::Imprimir(&TfrlDAMDFeRLRetrato::Criar, *this, Documentos(AMDFe));
}

void TOvixMDFeDAMDFeRL::ImprimirDAMDFePDF(const TMDFe *AMDFe)
{
    SetArquivoPDF({});
    for (const TMDFe *mdfe : Documentos(AMDFe)) {
        const std::string arquivo =
            util::PathWithDelim(PathPDF()) + util::OnlyNumber(mdfe->infMDFe.Id) + "-mdfe.pdf";
        SetArquivoPDF(arquivo);
        TfrlDAMDFeRL::SalvarPDF(&TfrlDAMDFeRLRetrato::Criar, *this, *mdfe, arquivo);
    }
}

void TOvixMDFeDAMDFeRL::ImprimirEVENTO(const TMDFe *) {}

void TOvixMDFeDAMDFeRL::ImprimirEVENTOPDF(const TMDFe *) {}

} // namespace mdfe
