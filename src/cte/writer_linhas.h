#pragma once
// What the CT-e group writers' tables read: the context of one group (its model `m`, the
// writer and the document, the layout version and the model number) and the model tests.

#include "cte/writer.h"
#include "dfe/xmlwriter_comum.h"
#include "dfe/xmlwriter_linhas.h"
#include "dfe/xmlwriter_moldura.h"

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

// How many times a repeated group may occur when the layout names no smaller limit.
inline constexpr int MaxOcorrencias = 990;

// Every item of the list as its own group, in list order, then one alert when the list
// holds more than the layout allows: a limit never drops an item.
template <class TLista, class TTabela>
void Repetir(TCTeW &w, const TLista &lista, std::string_view tag, std::string_view id,
             const TTabela &tabela, std::string_view descricao, int limite = MaxOcorrencias)
{
    for (int i = 0; i < lista.Count(); ++i)
        EscreverGrupo(w.Gerador(), tag, id, tabela, Contexto(w, lista.Items(i)));
    if (lista.Count() > limite)
        w.Gerador().wAlerta(id, tag, descricao, MensagemLimiteOcorrencias(limite));
}

} // namespace cte::linhas
