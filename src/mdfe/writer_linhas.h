#pragma once
// What the MDF-e group writers' tables read: the context of one group (its model `m`, the
// writer and the document, the layout written and the document's version number), the
// layout conditions, and the pieces several groups share.

#include "dfe/xmlwriter_comum.h"
#include "dfe/xmlwriter_linhas.h"
#include "dfe/xmlwriter_moldura.h"
#include "mdfe/writer.h"

#include <string>

namespace mdfe::linhas {

using namespace dfe::escrita;
using dfe::tcDat;
using dfe::tcDatHor;
using dfe::tcDe2;
using dfe::tcDe3;
using dfe::tcDe4;
using dfe::tcDe6;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;

template <class T> struct Ctx {
    const T &m;
    TMDFeW &w;
    const TMDFe &mdfe;
    // The layout written (VersaoDF) ...
    bool ve300;
    // ... and the document's version number, which a few fields follow instead.
    double versao;
};

template <class T> Ctx<T> Contexto(TMDFeW &w, const T &m)
{
    return {m, w, w.MDFe(), w.VersaoDF == ve300, w.MDFe().infMDFe.versao};
}

// ---- conditions on the layout

inline constexpr auto Layout300 = [](const auto &c) { return c.ve300; };
inline constexpr auto Layout100 = [](const auto &c) { return !c.ve300; };
// The document's number, not the layout: a version 3.10 is written in layout 1.00 with
// these fields all the same.
inline constexpr auto Versao3 = [](const auto &c) { return c.versao >= 3.0; };

// A date-time of layout 3.00: the clock time with the zone the time-zone setting gives the
// document's state at that moment.
inline std::string DataHoraMDFe(rtl::TDateTime valor, int cUF)
{
    return DataHoraComFuso(valor, "", cUF);
}

// Writes one group per item of a list with the item's table, then, past the limit, the
// alert of the repeated group.
template <class Lista, class Linhas>
void EscreverRepetido(TMDFeW &w, std::string_view tag, std::string_view id, const Lista &lista,
                      const Linhas &tabela, int limite, std::string_view idAlerta,
                      std::string_view descricaoAlerta = "")
{
    for (const auto &item : lista)
        EscreverGrupo(w.Gerador(), tag, id, tabela, Contexto(w, item));
    if (limite > 0 && lista.Count() > limite)
        w.Gerador().wAlerta(idAlerta, tag, descricaoAlerta, MensagemLimiteOcorrencias(limite));
}

} // namespace mdfe::linhas
