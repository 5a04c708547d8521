#pragma once
// What the NF-e group writers' tables read: the context of one group (its model `m`, the
// writer and the document, the layout version and whether rates take four decimals), the
// layout-version conditions, and the NF-e's own value kind "rate".

#include "dfe/xmlwriter_comum.h"
#include "dfe/xmlwriter_linhas.h"
#include "nfe/writer.h"

namespace nfe::linhas {

using namespace dfe::escrita;

template <class T> struct Ctx {
    const T &m;
    TNFeW &w;
    const TNFe &nfe;
    double versao;
    bool de4;
    // The 0-based index of the item the group belongs to, for the item-level writers a
    // table calls; -1 outside the items.
    int item;
};

template <class T> Ctx<T> Contexto(TNFeW &w, const T &m, int item = -1)
{
    return {m, w, w.NFe(), w.NFe().infNFe.GetVersao(), w.Usar_tcDe4(), item};
}

// ---- conditions on the layout version and the model, for any context with `versao`
// (and `nfe` for the model)

inline constexpr auto De200 = [](const auto &c) { return c.versao >= 2.0; };
inline constexpr auto Antes200 = [](const auto &c) { return c.versao < 2.0; };
inline constexpr auto De300 = [](const auto &c) { return c.versao >= 3.0; };
inline constexpr auto Antes300 = [](const auto &c) { return c.versao < 3.0; };
inline constexpr auto De310 = [](const auto &c) { return c.versao >= 3.1; };
inline constexpr auto Antes310 = [](const auto &c) { return c.versao < 3.1; };
inline constexpr auto De400 = [](const auto &c) { return c.versao >= 4.0; };
inline constexpr auto Antes400 = [](const auto &c) { return c.versao < 4.0; };

// ---- value kinds

// A rate: tcDe4 with length 1 to 7 when the layout takes four decimals (3.10 on), else
// tcDe2 with length 1 to 5.
inline constexpr auto Aliquota = [](const auto &c) {
    return c.de4 ? Medida{dfe::tcDe4, 1, 7} : Medida{dfe::tcDe2, 1, 5};
};

} // namespace nfe::linhas
