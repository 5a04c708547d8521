#pragma once
// TOvixMDFe, the MDF-e document component: the framework's document component with the
// MDF-e settings, the list of loaded manifests, and a two-way link to one DAMDFE
// component. It also names the family's model and namespace to the framework and
// classifies protocol status codes.
//
// The component made for web services, events and e-mail in a full fiscal package also
// holds a web-service set and an event holder. This viewer calls no web service and sends
// no e-mail, so neither exists here.
//
// Made through rtl::TComponent::Create / CreateFree only: its own objects are built in
// AfterConstruction, after the framework's.

#include "mdfe/codes.h"
#include "mdfe/list.h"
#include "mdfe/model.h"
#include "mdfe/settings.h"

#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/link.h"

#include <memory>
#include <string>

namespace mdfe {

class TOvixMDFe;

class EOvixMDFeException : public dfe::EOvixDFeException {
public:
    using dfe::EOvixDFeException::EOvixDFeException;
};

// What the MDF-e component and its list ask of the DAMDFE linked to them. The DAMDFE
// component implements it; the document core knows nothing else of it, so it builds and
// runs without the report engine and Qt's GUI modules.
class TDAMDFeLink {
public:
    // The DAMDFE as a component, for the removal notices of the link.
    virtual rtl::TComponent &Componente() noexcept = 0;
    // The DAMDFE's side of the two-way link.
    virtual TOvixMDFe *OvixMDFe() const noexcept = 0;
    virtual void SetOvixMDFe(rtl::TComponent *Value) = 0;
    // One document, or with nullptr every document of the linked MDF-e component.
    virtual void ImprimirDAMDFe(const TMDFe *AMDFe = nullptr) = 0;
    virtual void ImprimirDAMDFePDF(const TMDFe *AMDFe = nullptr) = 0;

protected:
    // Never freed through the link: the DAMDFE's owner frees it.
    ~TDAMDFeLink() = default;
};

class TOvixMDFe : public dfe::TOvixDFe {
public:
    explicit TOvixMDFe(rtl::TComponent *AOwner);
    ~TOvixMDFe() override;

    std::string ClassName() const override;

    // The framework's construction (which builds the MDF-e settings), then the empty
    // document list.
    void AfterConstruction() override;
    // The framework's handling, then, on removal of the linked DAMDFE itself, the link is
    // cleared; another DAMDFE going away leaves it.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    dfe::TConfiguracoes *CreateConfiguracoes() override;
    // "MDFe".
    std::string GetNomeModeloDFe() override;
    std::string GetNameSpaceURI() override;

    // Protocol status codes: confirmed (100, 150), processed (100, 110, 150, 301, 302)
    // and cancelled (101, 151, 155).
    bool cStatConfirmado(int AValue) const noexcept;
    bool cStatProcessado(int AValue) const noexcept;
    bool cStatCancelado(int AValue) const noexcept;

    // The settings, typed. Not valid while the component is being freed.
    TConfiguracoesMDFe &Configuracoes() const noexcept
    {
        return static_cast<TConfiguracoesMDFe &>(dfe::TOvixDFe::Configuracoes());
    }
    TManifestos &Manifestos() const noexcept { return *FManifestos; }

    // The linked DAMDFE, not owned. Setting it links both sides: the previous DAMDFE is
    // unlinked on its side, the new one is asked for its removal notice and linked to
    // this component. The same DAMDFE again does nothing.
    TDAMDFeLink *DAMDFE() const noexcept { return FDAMDFE.Parceiro(); }
    void SetDAMDFE(TDAMDFeLink *Value);

    // Only web-service operations change it, so in this viewer it stays stMDFeIdle.
    TStatusOvixMDFe Status() const noexcept { return FStatus; }

private:
    dfe::TComponentLink<TDAMDFeLink> FDAMDFE{*this};
    std::unique_ptr<TManifestos> FManifestos;
    TStatusOvixMDFe FStatus = stMDFeIdle;
};

} // namespace mdfe
