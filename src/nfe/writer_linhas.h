#pragma once
// What the NF-e group writers' tables read: the context of one group (its model `m`, the
// writer and the document, the layout version and whether rates take four decimals), and
// the NF-e's own value kind "rate".

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

// ---- value kinds

// A rate: tcDe4 with length 1 to 7 when the layout takes four decimals (3.10 on), else
// tcDe2 with length 1 to 5.
inline constexpr auto Aliquota = [](const auto &c) {
    return c.de4 ? Medida{dfe::tcDe4, 1, 7} : Medida{dfe::tcDe2, 1, 5};
};

} // namespace nfe::linhas
