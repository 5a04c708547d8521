#include "dfe/report/pecas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using report::HAlign;

struct TDoc {
    std::string numero, chave;
};
using TPecaDoc = dfe::TPeca<TDoc>;

// One row of every kind, in the order they must be drawn.
constexpr TPecaDoc kBloco[] = {
    dfe::Caixa("caixa", 0, 0, 300, 50),
    dfe::Retangulo(dfe::TTipoPeca::Fundo, "fundo", 1, 1, 298, 10).ComFundo(0xFFE0E0E0),
    dfe::LinhaH("linhaH", 0, 25, 300).Pontilhada(),
    dfe::LinhaV("linhaV", 100, 25, 25).Esticada(),
    dfe::Rotulo("titulo", 4, 2, 200, 10, "TÍTULO", {8, true}, HAlign::Center, 30).ComFundo(0xFFC0C0C0).Centrada(),
    {dfe::Rotulo("numero", 4, 12, 90, 12, "", {11}, HAlign::Right, 703).AutoLargura(),
     [](const TDoc &d) { return "Nº " + d.numero; }},
    dfe::Memo("memo", 104, 27, 190, 10, "fixo", {9, false, "Times New Roman"}, HAlign::Left, 20)
        .AutoAltura()
        .Oculta()
        .Cor(0xFFC8C8C8),
    {dfe::CodigoBarras("barras", 104, 40, 190, 8, 0.96), [](const TDoc &d) { return d.chave; }},
    dfe::Retangulo(dfe::TTipoPeca::Imagem, "logo", 4, 26, 90, 20),
    dfe::CampoPagina(dfe::TTipoPeca::NumeroPagina, "folha", 210, 2, 40, 10, "fl. ", {11, true}, HAlign::Right),
    dfe::CampoPagina(dfe::TTipoPeca::TotalPaginas, "folhas", 250, 2, 40, 10, "/", {11, true}),
};

TEST(Pecas, EveryRowBecomesItsControlInTableOrderWithWhatTheRowSays)
{
    report::Band banda{report::BandKind::Title, 60, "banda"};
    const dfe::TPecasCriadas pecas = dfe::CriarPecas<TDoc>(banda, kBloco);
    ASSERT_EQ(banda.controls().size(), std::size(kBloco));
    for (std::size_t i = 0; i < std::size(kBloco); ++i) {
        EXPECT_EQ(banda.controls()[i].get(), pecas.controles[i]) << kBloco[i].nome;
        EXPECT_EQ(banda.controls()[i]->name, kBloco[i].nome);
    }

    const auto &caixa = pecas.De<report::Box>("caixa");
    EXPECT_EQ(caixa.bounds, QRectF(0, 0, 300, 50));
    EXPECT_EQ(caixa.penWidth, 1);
    EXPECT_FALSE(caixa.fill.isValid());
    const auto &fundo = pecas.De<report::Box>("fundo");
    EXPECT_EQ(fundo.penWidth, 0);
    EXPECT_EQ(fundo.fill, QColor(0xE0, 0xE0, 0xE0));

    const auto &h = pecas.De<report::Line>("linhaH");
    EXPECT_EQ(h.orientation, report::Line::Horizontal);
    EXPECT_EQ(h.bounds, QRectF(0, 25, 300, 1));
    EXPECT_TRUE(h.dotted);
    const auto &v = pecas.De<report::Line>("linhaV");
    EXPECT_EQ(v.orientation, report::Line::Vertical);
    EXPECT_EQ(v.bounds, QRectF(100, 25, 1, 25));
    EXPECT_TRUE(v.stretch);
    EXPECT_FALSE(v.dotted);

    const auto &titulo = pecas.De<report::Label>("titulo");
    EXPECT_EQ(titulo.text, "TÍTULO");
    EXPECT_EQ(titulo.font, (report::Font{"Arial", 8, true}));
    EXPECT_EQ(titulo.align, HAlign::Center);
    EXPECT_EQ(titulo.verticalAlign, report::VAlign::Center);
    EXPECT_EQ(titulo.tag, 30);
    EXPECT_EQ(titulo.background, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(titulo.color, QColor(Qt::black));
    EXPECT_FALSE(titulo.autoWidth);
    EXPECT_TRUE(pecas.De<report::Label>("numero").autoWidth);

    const auto &memo = pecas.De<report::Memo>("memo");
    EXPECT_EQ(memo.text, "fixo");
    EXPECT_EQ(memo.font, (report::Font{"Times New Roman", 9, false}));
    EXPECT_EQ(memo.tag, 20);
    EXPECT_TRUE(memo.autoHeight);
    EXPECT_FALSE(memo.visible);
    EXPECT_EQ(memo.color, QColor(0xC8, 0xC8, 0xC8));
    EXPECT_FALSE(memo.background.isValid());

    EXPECT_EQ(pecas.De<report::Barcode>("barras").moduleWidth, 0.96);
    const auto &logo = pecas.De<report::Image>("logo");
    EXPECT_EQ(logo.fit, report::Image::Proportional);
    EXPECT_TRUE(logo.center);
    const auto &folha = pecas.De<report::SystemField>("folha");
    EXPECT_EQ(folha.info, report::SystemInfo::PageNumber);
    EXPECT_EQ(folha.mask, "fl. ");
    EXPECT_EQ(folha.align, HAlign::Right);
    EXPECT_EQ(pecas.De<report::SystemField>("folhas").info, report::SystemInfo::PageCount);

    // A name of another kind, or of no control, is a fault of the layout.
    EXPECT_THROW(pecas.De<report::Label>("caixa"), std::invalid_argument);
    EXPECT_THROW(pecas.De<report::Box>("nenhum"), std::invalid_argument);
}

TEST(Pecas, OnlyRowsWithAValueAreFilledAndAControlWithoutTextTakesNone)
{
    report::Band banda{report::BandKind::Title, 60, "banda"};
    const dfe::TPecasCriadas pecas = dfe::CriarPecas<TDoc>(banda, kBloco);
    pecas.De<report::Label>("titulo").text = "by a rule";
    dfe::PreencherPecas(pecas, kBloco, TDoc{"000000123", "3524"});
    EXPECT_EQ(pecas.De<report::Label>("numero").text, "Nº 000000123");
    EXPECT_EQ(pecas.De<report::Barcode>("barras").data, "3524");
    EXPECT_EQ(pecas.De<report::Label>("titulo").text, "by a rule");
    EXPECT_EQ(pecas.De<report::Memo>("memo").text, "fixo");

    EXPECT_EQ(dfe::TextoDe(pecas.De<report::Memo>("memo")), &pecas.De<report::Memo>("memo").text);
    EXPECT_EQ(dfe::TextoDe(pecas.De<report::Line>("linhaV")), nullptr);
    EXPECT_THROW(dfe::MostrarValor(pecas.De<report::Line>("linhaV"), "x"), std::invalid_argument);
}

} // namespace
