#pragma once
// TOvixSAT, the CF-e SAT component. In the viewer it holds the loaded CF-e, the CF-e
// defaults and file settings, and a two-way link to one receipt component, through which
// the main window prints the CF-e.
//
// A SAT component is also the front of a SAT device (activation, sales, cancellations,
// status, network, logs). The viewer talks to no device, so none of that side exists here.
//
// Made through rtl::TComponent::Create / CreateFree only: its own objects are built in
// AfterConstruction.

#include "sat/model.h"
#include "sat/settings.h"

#include "dfe/crypto.h"
#include "dfe/link.h"
#include "rtl/classes.h"
#include "util/base.h"

#include <memory>
#include <string>
#include <utility>

namespace sat {

class TOvixSAT;

// What the SAT component asks of the receipt linked to it. The receipt components
// (sat/extrato/) implement it; the document core knows nothing else of them, so it builds
// and runs without the report engine and Qt's GUI modules.
class TExtratoLink {
public:
    // The receipt as a component, for the removal notices of the link.
    virtual rtl::TComponent &Componente() noexcept = 0;

    // The receipt's side of the two-way link (see TOvixSATExtratoClass::SetOvixSAT).
    virtual TOvixSAT *OvixSAT() const noexcept = 0;
    virtual void SetOvixSAT(rtl::TComponent *Value) = 0;

    // The given CF-e, or with nullptr the CF-e of the linked SAT component.
    virtual void ImprimirExtrato(const TCFe *ACFe = nullptr) = 0;
    virtual void ImprimirExtratoResumido(const TCFe *ACFe = nullptr) = 0;
    virtual void ImprimirExtratoCancelamento(const TCFe *ACFe = nullptr) = 0;

protected:
    // Never freed through the link: the receipt's owner frees it.
    ~TExtratoLink() = default;
};

class TOvixSAT : public util::TOvixComponent {
public:
    explicit TOvixSAT(rtl::TComponent *AOwner);
    ~TOvixSAT() override;
    std::string ClassName() const override;

    // Builds, in order: Config (named "OvixSATConfig"), ConfigArquivos (named
    // "OvixSATConfigArquivos"), the crypto facade with no library selected and the empty
    // CF-e; then PrefixoCFe "CFe".
    void AfterConstruction() override;
    // The base's handling, then, on removal, the receipt link is cleared when the removed
    // component is the linked receipt itself; another receipt going away leaves it.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // The loaded CF-e, owned.
    TCFe &CFe() const noexcept { return *FCFe; }
    // The settings, owned. Not valid while the component is being freed.
    TOvixSATConfig &Config() const noexcept { return *FConfig; }
    TOvixSATConfigArquivos &ConfigArquivos() const noexcept { return *FConfigArquivos; }
    dfe::TDFeSSL &SSL() const noexcept { return *FSSL; }

    const std::string &PrefixoCFe() const noexcept { return FPrefixoCFe; }
    void SetPrefixoCFe(std::string AValue) { FPrefixoCFe = std::move(AValue); }

    // The linked receipt, not owned. Setting it links both sides: the previous receipt is
    // unlinked on its side, the new one is asked for its removal notice and linked to this
    // component. The same receipt again does nothing.
    TExtratoLink *Extrato() const noexcept { return FExtrato.Parceiro(); }
    void SetExtrato(TExtratoLink *Value);

private:
    TOvixSATConfig *FConfig = nullptr;
    TOvixSATConfigArquivos *FConfigArquivos = nullptr;
    std::unique_ptr<dfe::TDFeSSL> FSSL;
    std::unique_ptr<TCFe> FCFe;
    std::string FPrefixoCFe;
    dfe::TComponentLink<TExtratoLink> FExtrato{*this};
};

} // namespace sat
