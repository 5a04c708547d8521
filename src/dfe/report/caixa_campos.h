#pragma once
// Boxes of fields as tables. A box of a printed form (recipient, totals, transport...) is
// rows of cells, each cell a caption over a value with a divider on its left. A layout
// writes a box as a table of TCelula, one row per cell; CriarCelulas makes the controls
// of the whole table and PreencherCelulas puts the model's values into them. Adding a
// field is adding a row. The layout keeps a pointer of its own only to the few controls a
// rule must reach (ValorDe, LegendaDe, DivisorDe find them once, when the layout is built).
//
// Geometry is in pixels in the coordinates of the band holding the box. The rows of a
// box are laid out from one row height h: captions 1 pixel below the row's top, values
// with their bottom on the row's bottom line, dividers from the row's top h + 1 high,
// shaded cells 1 pixel below the row's top h - 1 high, and the line between two rows on
// the lower row's top (AjustarCaixa). In names, '%' stands for the box's prefix and '@'
// for the name of the cell's value, so that boxes of one form can share a table.

#include "report/band.h"
#include "report/controls.h"

#include <QRgb>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace dfe {

// The geometry and names of one cell: everything its controls are made from. The cell
// runs from x0 to x1, its divider (if it has one) on x0 and its shade (if it is shaded)
// inside, 1 pixel from either divider.
struct TCampoCaixa {
    int linha = 0;                      // the box's row, from 0
    double x0 = 0, x1 = 0;
    const char *nomeLegenda = nullptr;  // none: the cell has no caption
    const char *legenda = "";
    double xLegenda = 0, larguraLegenda = 0;
    const char *nome = nullptr;         // the value's label
    double xValor = 0, larguraValor = 0;
    report::HAlign alinhamento = report::HAlign::Left;
    double alturaValor = 13;
    const char *nomeDivisor = nullptr;  // none: no divider
    const char *nomeFundo = nullptr;    // none: not shaded
    QRgb fundo = 0;
};

// What a cell shows, read from the layout's context (the document, the settings). None:
// a rule of the layout fills the cell.
template <class Contexto> using TValorCelula = std::string (*)(const Contexto &);

template <class Contexto> struct TCelula : TCampoCaixa {
    TValorCelula<Contexto> valor = nullptr;
};

// A cell of the usual shape: it runs from x0 to x1, its caption 3 pixels in from the
// divider and 6 narrower than the cell, its value 5 in and 10 narrower, its divider at x0
// (none when the cell opens the row) named "rliDiv_" and the value's name.
template <class Contexto>
constexpr TCelula<Contexto> Campo(int linha, const char *nomeLegenda, const char *legenda, const char *nome,
                                  double x0, double x1, TValorCelula<Contexto> valor,
                                  report::HAlign alinhamento = report::HAlign::Left, double alturaValor = 13)
{
    TCelula<Contexto> c;
    c.linha = linha;
    c.x0 = x0;
    c.x1 = x1;
    c.nomeLegenda = nomeLegenda;
    c.legenda = legenda;
    c.xLegenda = x0 + 3;
    c.larguraLegenda = x1 - x0 - 6;
    c.nome = nome;
    c.xValor = x0 + 5;
    c.larguraValor = x1 - x0 - 10;
    c.alinhamento = alinhamento;
    c.alturaValor = alturaValor;
    c.nomeDivisor = x0 > 0 ? "rliDiv_@" : nullptr;
    c.valor = valor;
    return c;
}

// The controls of one row of a box, in the order of the table's cells.
struct TLinhaCampos {
    std::vector<report::Control *> legendas;
    std::vector<report::Control *> valores;
    std::vector<report::Control *> divisores;
    std::vector<report::Control *> fundos;
    report::Control *linhaSuperior = nullptr; // none on the first row
};

// One cell as built: its controls and how they sit in the cell, so that they follow
// the cell when its divider moves (DistribuirCelulas).
struct TCelulaCriada {
    int linha = 0;
    double x0 = 0; // where the cell starts when it has no divider
    report::Label *legenda = nullptr;
    report::Label *valor = nullptr;
    report::Line *divisor = nullptr;
    double recuoLegenda = 0; // from the divider to the caption
    double recuoValor = 0;   // from the divider to the value
    double folgaValor = 0;   // the cell's width less the value's
};

// A box of field rows: n rows make it n x h + bordaExtra high, its band 2 pixels taller
// than its bottom.
struct TCaixaCampos {
    report::Band *banda = nullptr;
    report::Box *caixa = nullptr;
    double inicioLinhas = 0; // from the box's top to the first row's top
    double bordaExtra = 1;
    // The box keeps the height it was built with (AjustarCaixa leaves it alone).
    bool fixa = false;
    std::vector<TLinhaCampos> linhas;
    std::vector<TCelulaCriada> celulas; // cell i of the table at index i

    report::Label &ValorDe(std::string_view nome) const;
    report::Label &LegendaDe(std::string_view nome) const;
    report::Line &DivisorDe(std::string_view nome) const;
};

// How the controls of a box are made: the captions' and values' fonts and tags, the
// design row height (the box is built laid out from it), the names of the lines between
// the rows (linhasSuperiores[i] over row i + 1) and the order the controls are made in,
// which is their drawing order.
struct TEstiloCaixa {
    report::Font fonteLegenda;
    int tagLegenda = 0;
    double alturaLegenda = 9;
    report::Font fonteValor;
    int tagValor = 0;
    double alturaLinha = 30;
    std::span<const char *const> linhasSuperiores;
    // Per row: every caption, then every value, then every divider (otherwise caption,
    // value and divider of each cell in turn).
    bool porTipo = false;
    // The lines of every row (the line above it, shades, dividers) before any text.
    bool linhasPrimeiro = false;
};

// Makes the controls of the cells in the box's band, the rows laid out from the style's
// row height under the box's top; prefixo takes the place of '%' in the names.
void CriarCampos(TCaixaCampos &caixa, const TEstiloCaixa &estilo, std::span<const TCampoCaixa *const> campos,
                 std::string_view prefixo = {});

template <class Contexto>
void CriarCelulas(TCaixaCampos &caixa, const TEstiloCaixa &estilo, std::span<const TCelula<Contexto>> tabela,
                  std::string_view prefixo = {})
{
    std::vector<const TCampoCaixa *> campos;
    campos.reserve(tabela.size());
    for (const TCelula<Contexto> &celula : tabela)
        campos.push_back(&celula);
    CriarCampos(caixa, estilo, campos, prefixo);
}

// Puts into every cell that has a value its text for the context.
template <class Contexto>
void PreencherCelulas(const TCaixaCampos &caixa, std::span<const TCelula<std::type_identity_t<Contexto>>> tabela,
                      const Contexto &contexto)
{
    for (std::size_t i = 0; i < tabela.size(); ++i)
        if (tabela[i].valor != nullptr)
            caixa.celulas[i].valor->text = tabela[i].valor(contexto);
}

// Lays the rows out for the row height h and sizes the box and its band (see the top of
// this file); a fixed box is left as built.
void AjustarCaixa(TCaixaCampos &caixa, double h);

// The visible cells of a row (those whose value shows) take the room between their
// dividers, each up to the next visible cell's divider, the last up to fim: captions and
// values move with their divider, values widen or narrow with the cell. The dividers
// themselves are where the layout's rules put them.
void DistribuirCelulas(const TCaixaCampos &caixa, int linha, double fim);

} // namespace dfe
