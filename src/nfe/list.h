#pragma once
// TNotasFiscais, the NF-e component's list of loaded documents, and its entry NotaFiscal,
// which owns one document model. Entries are kept in the order they were added.

#include "nfe/model.h"

#include "rtl/classes.h"
#include "util/ovixbase.h"

namespace nfe {

class TConfiguracoesNFe;
class TNotasFiscais;
class TOvixNFe;

class NotaFiscal {
public:
    // An entry bound to the list's settings, with a document at the model's defaults.
    explicit NotaFiscal(TNotasFiscais &Collection);
    NotaFiscal(const NotaFiscal &) = delete;
    NotaFiscal &operator=(const NotaFiscal &) = delete;

    TNFe &NFe() noexcept { return FNFe; }
    const TNFe &NFe() const noexcept { return FNFe; }
    // The NF-e component's settings, not owned.
    TConfiguracoesNFe &Configuracoes() const noexcept { return *FConfiguracoes; }

private:
    TNFe FNFe;
    TConfiguracoesNFe *FConfiguracoes;
};

class TNotasFiscais {
public:
    // Only an NF-e component owns the list: any other owner raises EOvixNFeException
    // "AOwner deve ser do tipo TOvixNFe".
    explicit TNotasFiscais(rtl::TComponent *AOwner);
    TNotasFiscais(const TNotasFiscais &) = delete;
    TNotasFiscais &operator=(const TNotasFiscais &) = delete;

    // Appends a new entry and returns it.
    NotaFiscal &Add();
    // Frees every entry with its document.
    void Clear() { FItems.Clear(); }
    int Count() const noexcept { return FItems.Count(); }
    // 0-based; outside 0..Count()-1 raises rtl::EListError.
    NotaFiscal &Items(int Index) { return FItems.Items(Index); }
    const NotaFiscal &Items(int Index) const { return FItems.Items(Index); }

    TOvixNFe &OvixNFe() const noexcept { return *FOvixNFe; }
    // The owner's settings, not owned.
    TConfiguracoesNFe &Configuracoes() const noexcept { return *FConfiguracoes; }

private:
    TOvixNFe *FOvixNFe;
    TConfiguracoesNFe *FConfiguracoes;
    util::TOvixObjectList<NotaFiscal> FItems;
};

} // namespace nfe
