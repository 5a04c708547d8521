#pragma once
// Small builders the layouts of the printed forms use in every block: a control is made in
// one call with the place, font, alignment and tag the layout gives it.

#include "report/band.h"
#include "report/controls.h"

#include <string>

namespace dfe {

inline report::Font CriarFonte(int pixels, bool negrito = false, std::string familia = "Arial")
{
    return report::Font{std::move(familia), pixels, negrito};
}

inline report::Label &CriarRotulo(report::Band &banda, std::string nome, QRectF lugar, std::string texto,
                                  const report::Font &fonte, report::HAlign alinhamento = report::HAlign::Left,
                                  int tag = 0)
{
    report::Label &rotulo = banda.add<report::Label>(std::move(nome), lugar, std::move(texto));
    rotulo.font = fonte;
    rotulo.align = alinhamento;
    rotulo.tag = tag;
    return rotulo;
}

inline report::Memo &CriarMemo(report::Band &banda, std::string nome, QRectF lugar, const report::Font &fonte,
                               report::HAlign alinhamento = report::HAlign::Left, int tag = 0)
{
    report::Memo &memo = banda.add<report::Memo>(std::move(nome), lugar);
    memo.font = fonte;
    memo.align = alinhamento;
    memo.tag = tag;
    return memo;
}

// A rectangle with a one-pixel border.
inline report::Box &CriarCaixa(report::Band &banda, std::string nome, QRectF lugar)
{
    return banda.add<report::Box>(std::move(nome), lugar);
}

// A horizontal line of width pixels whose pen lies along y (as a box's top border does).
inline report::Line &CriarLinhaH(report::Band &banda, std::string nome, double x, double y, double largura)
{
    report::Line &linha = banda.add<report::Line>(std::move(nome), QRectF(x, y, largura, 1));
    linha.orientation = report::Line::Horizontal;
    return linha;
}

// A vertical line of height pixels whose pen lies along x (as a box's left border does).
inline report::Line &CriarLinhaV(report::Band &banda, std::string nome, double x, double y, double altura)
{
    report::Line &linha = banda.add<report::Line>(std::move(nome), QRectF(x, y, 1, altura));
    linha.orientation = report::Line::Vertical;
    return linha;
}

} // namespace dfe
