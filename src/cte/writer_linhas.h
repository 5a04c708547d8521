#pragma once
// What the CT-e group writers' tables read: the context of one group (its model `m`, the
// writer and the document, the layout version and the model number) and the model tests.

#include "cte/writer.h"
#include "dfe/xmlwriter_comum.h"
#include "dfe/xmlwriter_linhas.h"

namespace cte::linhas {

using namespace dfe::escrita;

template <class T> struct Ctx {
    const T &m;
    TCTeW &w;
    const TCTe &cte;
    double versao;
    int modelo;
};

template <class T> Ctx<T> Contexto(TCTeW &w, const T &m)
{
    return {m, w, w.CTe(), w.CTe().infCTe.versao, w.CTe().ide.modelo};
}

inline constexpr auto Modelo57 = [](const auto &c) { return c.modelo == 57; };
inline constexpr auto Modelo67 = [](const auto &c) { return c.modelo == 67; };
inline constexpr auto Versao200 = [](const auto &c) { return c.versao == 2.0; };

inline constexpr int CodigoBrasil = 1058;

} // namespace cte::linhas
