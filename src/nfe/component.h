#pragma once
// TOvixNFe, the NF-e document component: the framework's document component with the NF-e
// settings, the list of loaded NF-e documents, and a two-way link to one DANFE component.
// It also names the family's model and namespace to the framework, classifies protocol
// status codes and builds the data key printed on a DANFE issued on security paper.
//
// The component made for web services, events, voidings and e-mail in a full fiscal
// package also holds a web-service set and three event holders. This viewer calls no web
// service and sends no e-mail, so none of them exists here; the framework's answers for
// e-mail and schema names stand.
//
// Made through rtl::TComponent::Create / CreateFree only: its own objects are built in
// AfterConstruction, after the framework's.

#include "nfe/codes.h"
#include "nfe/exception.h"
#include "nfe/list.h"
#include "nfe/model.h"
#include "nfe/settings.h"

#include "dfe/component.h"
#include "dfe/link.h"

#include <memory>
#include <string>
#include <string_view>

namespace nfe {

class TOvixNFe;

// What the NF-e component and its list ask of the DANFE linked to them. The DANFE
// components (nfe/danfe/) implement it; the document core knows nothing else of them, so
// it builds and runs without the report engine and Qt's GUI modules.
class TDANFeLink {
public:
    // The DANFE as a component, for the removal notices of the link.
    virtual rtl::TComponent &Componente() noexcept = 0;

    // The layout a DANFE prints; a new document takes it as its tpImp.
    virtual dfe::TpcnTipoImpressao TipoDANFE() const noexcept = 0;

    // The DANFE's side of the two-way link (see TOvixDFeDANFeReport::SetOvixNFe).
    virtual TOvixNFe *OvixNFe() const noexcept = 0;
    virtual void SetOvixNFe(rtl::TComponent *Value) = 0;

    // One document, or with nullptr every document of the linked NF-e component.
    virtual void ImprimirDANFE(const TNFe *ANFe = nullptr) = 0;
    virtual void ImprimirDANFECancelado(const TNFe *ANFe = nullptr) = 0;
    virtual void ImprimirDANFEResumido(const TNFe *ANFe = nullptr) = 0;
    virtual void ImprimirDANFEPDF(const TNFe *ANFe = nullptr) = 0;
    virtual void ImprimirDANFEResumidoPDF(const TNFe *ANFe = nullptr) = 0;

protected:
    // Never freed through the link: the DANFE's owner frees it.
    ~TDANFeLink() = default;
};

// The default namespace of NF-e documents.
inline constexpr std::string_view NFeNameSpaceURI = "http://www.portalfiscal.inf.br/nfe";

class TOvixNFe : public dfe::TOvixDFe {
public:
    explicit TOvixNFe(rtl::TComponent *AOwner);
    ~TOvixNFe() override;
    std::string ClassName() const override;

    // The framework's construction (which builds the NF-e settings), then the empty
    // document list. The event-type parser is registered by the program's start, not here.
    void AfterConstruction() override;
    // The framework's handling, then, on removal of any DANFE component (the class counts,
    // not the identity with the linked one), the DANFE link is cleared.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    dfe::TConfiguracoes *CreateConfiguracoes() override;
    // "NFe" or "NFCe", after Configuracoes.Geral.ModeloDF.
    std::string GetNomeModeloDFe() override;
    std::string GetNameSpaceURI() override;

    // Protocol status codes: authorised or processed (100, 110, 150, 301, 302, 303) and
    // cancelled (101, 135, 151, 155).
    bool CstatConfirmada(int AValue) const noexcept;
    bool CstatProcessado(int AValue) const noexcept;
    bool CstatCancelada(int AValue) const noexcept;

    // The 36-digit key printed on a DANFE issued on security paper: state, emission type,
    // recipient document, value in cents, ICMS and ICMS-ST flags, day of issue and a check
    // digit. Never raises: data that gives fewer digits gives a shorter key with check
    // digit 0.
    std::string GerarChaveContingencia(const TNFe &FNFe) const;

    // The settings, typed. Not valid while the component is being freed.
    TConfiguracoesNFe &Configuracoes() const noexcept
    {
        return static_cast<TConfiguracoesNFe &>(dfe::TOvixDFe::Configuracoes());
    }
    TNotasFiscais &NotasFiscais() const noexcept { return *FNotasFiscais; }

    // The linked DANFE, not owned. Setting it links both sides: the previous DANFE is
    // unlinked on its side, the new one is asked for its removal notice and linked to this
    // component. The same DANFE again does nothing.
    TDANFeLink *DANFE() const noexcept { return FDANFE.Parceiro(); }
    void SetDANFE(TDANFeLink *Value);

    // A different status is stored and reported through OnStatusChange. Only web-service
    // operations change it, so in this viewer it stays stIdle.
    TStatusOvixNFe Status() const noexcept { return FStatus; }
    void SetStatus(TStatusOvixNFe stNewStatus);

private:
    dfe::TComponentLink<TDANFeLink> FDANFE{*this};
    // Freed after the settings (the framework frees owned components first); the list
    // touches no setting while it goes.
    std::unique_ptr<TNotasFiscais> FNotasFiscais;
    TStatusOvixNFe FStatus = stIdle;
};

} // namespace nfe
