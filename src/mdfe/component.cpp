#include "mdfe/component.h"

#include "mdfe/writer.h"

#include "dfe/cstat.h"

namespace mdfe {

TOvixMDFe::TOvixMDFe(rtl::TComponent *AOwner) : dfe::TOvixDFe(AOwner) {}

TOvixMDFe::~TOvixMDFe() = default;

std::string TOvixMDFe::ClassName() const
{
    return "TOvixMDFe";
}

void TOvixMDFe::AfterConstruction()
{
    dfe::TOvixDFe::AfterConstruction();
    FManifestos = std::make_unique<TManifestos>(this);
}

void TOvixMDFe::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFe::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove)
        FDAMDFE.Removido(AComponent);
}

dfe::TConfiguracoes *TOvixMDFe::CreateConfiguracoes()
{
    return rtl::TComponent::Create<TConfiguracoesMDFe>(this);
}

std::string TOvixMDFe::GetNomeModeloDFe()
{
    return "MDFe";
}

std::string TOvixMDFe::GetNameSpaceURI()
{
    return std::string(MDFeNameSpaceURI);
}

void TOvixMDFe::SetDAMDFE(TDAMDFeLink *Value)
{
    FDAMDFE.Ligar(
        Value, Value != nullptr ? &Value->Componente() : nullptr,
        [this](TDAMDFeLink &damdfe) { return damdfe.OvixMDFe() == this; },
        [this](TDAMDFeLink &damdfe, bool ligar) { damdfe.SetOvixMDFe(ligar ? this : nullptr); });
}

bool TOvixMDFe::cStatConfirmado(int AValue) const noexcept { return dfe::cstat::Confirmado(AValue); }

bool TOvixMDFe::cStatProcessado(int AValue) const noexcept { return dfe::cstat::Processado(AValue); }

bool TOvixMDFe::cStatCancelado(int AValue) const noexcept { return dfe::cstat::Cancelado(AValue); }

} // namespace mdfe
