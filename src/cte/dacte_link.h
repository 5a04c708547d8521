#pragma once
// What the CT-e component and its list ask of the DACTE linked to them. The DACTE component
// implements it; the document core knows nothing else of it, so it builds and runs without
// the report engine and Qt's GUI modules.

#include "dfe/codes_document.h"

namespace rtl {
class TComponent;
}

namespace cte {

class TCTe;
class TOvixCTe;

class TDACTeLink {
public:
    // The DACTE as a component, for the removal notices of the link.
    virtual rtl::TComponent &Componente() noexcept = 0;
    // The DACTE's side of the two-way link.
    virtual TOvixCTe *OvixCTe() const noexcept = 0;
    virtual void SetOvixCTe(rtl::TComponent *Value) = 0;
    // One document, or with nullptr every document of the linked CT-e component.
    virtual void ImprimirDACTE(const TCTe *ACTe = nullptr) = 0;
    virtual void ImprimirDACTEPDF(const TCTe *ACTe = nullptr) = 0;

    // The layout the DACTE prints; a new document of the list takes it as its tpImp. A
    // DACTE that does not say keeps the document's own default.
    virtual dfe::TpcnTipoImpressao TipoDACTE() const noexcept { return dfe::tiSemGeracao; }
    // Whether the next print of the whole list shows the ICMS values; the list sets it
    // before each such print. A DACTE without that choice ignores it.
    virtual void SetExibeICMS(bool /*Value*/) {}

protected:
    // Never freed through the link: the DACTE's owner frees it.
    ~TDACTeLink() = default;
};

} // namespace cte
