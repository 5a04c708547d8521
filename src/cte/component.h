#pragma once
// TOvixCTe, the CT-e document component: the framework's document component with the CT-e
// settings, the list of loaded CT-e and CT-e OS documents, and a two-way link to one DACTE
// component. It also names the family's model and namespace to the framework, classifies
// protocol status codes and builds the data key printed on a DACTE issued on security
// paper.
//
// The component made for web services, events, voidings and e-mail in a full fiscal
// package also holds a web-service set and two event holders. This viewer calls no web
// service and sends no e-mail, so none of them exists here; the framework's answers for
// e-mail and schema names stand.
//
// Made through rtl::TComponent::Create / CreateFree only: its own objects are built in
// AfterConstruction, after the framework's.

#include "cte/codes.h"
#include "cte/dacte_link.h"
#include "cte/list.h"
#include "cte/model.h"
#include "cte/settings.h"

#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/link.h"

#include <memory>
#include <string>

namespace cte {

class EOvixCTeException : public dfe::EOvixDFeException {
public:
    using dfe::EOvixDFeException::EOvixDFeException;
};

class TOvixCTe : public dfe::TOvixDFe {
public:
    explicit TOvixCTe(rtl::TComponent *AOwner);
    ~TOvixCTe() override;
    std::string ClassName() const override;

    // The framework's construction (which builds the CT-e settings), then the empty
    // document list.
    void AfterConstruction() override;
    // The framework's handling, then, on removal of any DACTE component while one is
    // linked (the class counts, not the identity with the linked one), the DACTE link is
    // cleared.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    dfe::TConfiguracoes *CreateConfiguracoes() override;
    // "CTe" or "CTeOS", after Configuracoes.Geral.ModeloDF.
    std::string GetNomeModeloDFe() override;
    std::string GetNameSpaceURI() override;

    // Protocol status codes: confirmed (100, 150), processed (100, 110, 150, 301, 302)
    // and cancelled (101, 151, 155).
    bool cStatConfirmado(int AValue) const noexcept;
    bool cStatProcessado(int AValue) const noexcept;
    bool cStatCancelado(int AValue) const noexcept;

    // The key printed on a DACTE issued on security paper: the taker's state, the
    // emission type, the taker's document, the service value in cents, the ICMS and
    // other-state ICMS flags, the day of issue and a check digit; 36 digits when every
    // part is there. The taker is the root toma of a CT-e OS, else toma4 when it has a
    // document, else the party toma03 names (none for tmOutros, whose key lacks the
    // state and document). Reads only the document given and never raises: data that
    // gives fewer digits gives a shorter key with check digit 0.
    static std::string GerarChaveContingencia(const TCTe &FCTe);

    // The settings, typed. Not valid while the component is being freed.
    TConfiguracoesCTe &Configuracoes() const noexcept
    {
        return static_cast<TConfiguracoesCTe &>(dfe::TOvixDFe::Configuracoes());
    }
    TConhecimentos &Conhecimentos() const noexcept { return *FConhecimentos; }

    // The linked DACTE, not owned. Setting it links both sides: the previous DACTE is
    // unlinked on its side, the new one is asked for its removal notice and linked to
    // this component. The same DACTE again does nothing.
    TDACTeLink *DACTE() const noexcept { return FDACTE.Parceiro(); }
    void SetDACTE(TDACTeLink *Value);

    // Only web-service operations change it, so in this viewer it stays stCTeIdle.
    TStatusOvixCTe Status() const noexcept { return FStatus; }

private:
    dfe::TComponentLink<TDACTeLink> FDACTE{*this};
    // Freed after the settings (the framework frees owned components first); the list
    // touches no setting while it goes.
    std::unique_ptr<TConhecimentos> FConhecimentos;
    TStatusOvixCTe FStatus = stCTeIdle;
};

} // namespace cte
