#pragma once
// A DACTE stand-in for the component and list tests: it keeps its side of the two-way
// link as a DACTE does (refusing a partner that is not a CT-e component) and records what
// it was asked to print.

#include "cte/component.h"
#include "cte/dacte_link.h"

#include "dfe/link.h"
#include "rtl/classes.h"
#include "rtl/exceptions.h"

#include <vector>

namespace cte_teste {

class TDACTeFalso : public rtl::TComponent, public cte::TDACTeLink {
public:
    explicit TDACTeFalso(rtl::TComponent *AOwner, dfe::TpcnTipoImpressao Tipo = dfe::tiRetrato)
        : rtl::TComponent(AOwner), FTipo(Tipo)
    {
    }

    rtl::TComponent &Componente() noexcept override { return *this; }
    cte::TOvixCTe *OvixCTe() const noexcept override { return FCTe.Parceiro(); }
    void SetOvixCTe(rtl::TComponent *Value) override
    {
        auto *cte = dynamic_cast<cte::TOvixCTe *>(Value);
        if (Value != nullptr && cte == nullptr)
            throw rtl::Exception("DACTE deve ser do tipo TOvixCTE");
        FCTe.Ligar(
            cte, Value, [this](cte::TOvixCTe &c) { return c.DACTE() == this; },
            [this](cte::TOvixCTe &c, bool ligar) { c.SetDACTE(ligar ? this : nullptr); });
    }
    void ImprimirDACTE(const cte::TCTe *ACTe) override { Impressos.push_back(ACTe); }
    void ImprimirDACTEPDF(const cte::TCTe *ACTe) override { PDFs.push_back(ACTe); }
    dfe::TpcnTipoImpressao TipoDACTE() const noexcept override { return FTipo; }
    void SetExibeICMS(bool Value) override { ExibeICMS.push_back(Value); }

    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override
    {
        rtl::TComponent::Notification(AComponent, Operation);
        if (Operation == rtl::opRemove)
            FCTe.Removido(AComponent);
    }

    std::vector<const cte::TCTe *> Impressos;
    std::vector<const cte::TCTe *> PDFs;
    std::vector<bool> ExibeICMS;

private:
    dfe::TpcnTipoImpressao FTipo;
    dfe::TComponentLink<cte::TOvixCTe> FCTe{*this};
};

} // namespace cte_teste
