#pragma once
// TComponentLink: one side of the two-way link between two components that belong
// together (a document component and the component that prints its auxiliary document).
// Each side holds one and calls Ligar from its property setter; both sides then follow the
// same steps, so every pair of the families links, relinks and unlinks alike:
//
//   1. the partner it already has: nothing (this also ends the setters' calls back and
//      forth);
//   2. the removal notice of the current partner is dropped;
//   3. the new partner is stored before the old one is unlinked, because the old one's
//      setter calls back here and must find the new state;
//   4. the old partner, while it still points back to this side, is unlinked on its side;
//   5. the new partner is asked for its removal notice and linked back to this side.
//
// Removed clears the link when the removed component is the partner itself: on a form
// every component hears of every removal, and another component of the partner's class
// going away leaves this link as it is.
//
// Header only: the document core and the printing libraries both reach it, and it needs
// nothing but the component base.

#include "rtl/classes.h"

namespace dfe {

template <class TParceiro> class TComponentLink {
public:
    // ADono: the component that holds this side, the one the partner is linked back to.
    explicit TComponentLink(rtl::TComponent &ADono) noexcept : FDono(&ADono) {}
    TComponentLink(const TComponentLink &) = delete;
    TComponentLink &operator=(const TComponentLink &) = delete;

    // The partner, not owned; nullptr when there is none.
    TParceiro *Parceiro() const noexcept { return FParceiro; }

    // Links to Value (nullptr unlinks). AComponente is Value as a component (the object
    // the removal notices name). ApontaParaMim(partner) tells whether a partner still
    // points back to this side; DefinirVolta(partner, ligar) sets the partner's own link
    // to this side's component (ligar true) or to nothing, through the partner's setter.
    template <class ApontaParaMim, class DefinirVolta>
    void Ligar(TParceiro *Value, rtl::TComponent *AComponente, ApontaParaMim &&apontaParaMim,
               DefinirVolta &&definirVolta)
    {
        if (Value == FParceiro)
            return;
        if (FComponente != nullptr)
            FComponente->RemoveFreeNotification(FDono);

        TParceiro *anterior = FParceiro;
        FParceiro = Value;
        FComponente = Value != nullptr ? AComponente : nullptr;
        if (anterior != nullptr && apontaParaMim(*anterior))
            definirVolta(*anterior, false);

        if (Value != nullptr) {
            FComponente->FreeNotification(FDono);
            definirVolta(*Value, true);
        }
    }

    // On the removal of AComponent: clears the link when AComponent is the partner. True
    // when it did.
    bool Removido(const rtl::TComponent *AComponent) noexcept
    {
        if (FComponente == nullptr || AComponent != FComponente)
            return false;
        Esquecer();
        return true;
    }

    // Forgets the partner without telling it: for a partner that is going away.
    void Esquecer() noexcept
    {
        FParceiro = nullptr;
        FComponente = nullptr;
    }

private:
    rtl::TComponent *FDono;
    TParceiro *FParceiro = nullptr;
    rtl::TComponent *FComponente = nullptr;
};

} // namespace dfe
