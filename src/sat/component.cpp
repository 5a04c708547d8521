#include "sat/component.h"

#include <utility>

namespace sat {

TOvixSAT::TOvixSAT(rtl::TComponent *AOwner) : util::TOvixComponent(AOwner) {}

TOvixSAT::~TOvixSAT() = default;

std::string TOvixSAT::ClassName() const
{
    return "TOvixSAT";
}

void TOvixSAT::AfterConstruction()
{
    util::TOvixComponent::AfterConstruction();

    FConfig = rtl::TComponent::Create<TOvixSATConfig>(this);
    FConfig->SetName("OvixSATConfig");
    FConfig->SetSubComponent(true);
    FConfigArquivos = rtl::TComponent::Create<TOvixSATConfigArquivos>(this);
    FConfigArquivos->SetName("OvixSATConfigArquivos");
    FConfigArquivos->SetSubComponent(true);

    FSSL = std::make_unique<dfe::TDFeSSL>();
    FCFe = std::make_unique<TCFe>();
    FPrefixoCFe = "CFe";
}

void TOvixSAT::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    util::TOvixComponent::Notification(AComponent, Operation);
    if (Operation != rtl::opRemove || AComponent == nullptr)
        return;
    // The settings are freed with the component, before it.
    if (AComponent == FConfig)
        FConfig = nullptr;
    else if (AComponent == FConfigArquivos)
        FConfigArquivos = nullptr;
    else
        FExtrato.Removido(AComponent);
}

void TOvixSAT::SetExtrato(TExtratoLink *Value)
{
    FExtrato.Ligar(
        Value, Value != nullptr ? &Value->Componente() : nullptr,
        [this](TExtratoLink &extrato) { return extrato.OvixSAT() == this; },
        [this](TExtratoLink &extrato, bool ligar) { extrato.SetOvixSAT(ligar ? this : nullptr); });
}

} // namespace sat
