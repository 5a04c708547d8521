#include "dfe/report/caixa_campos.h"

#include "dfe/report/layout_construcao.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TDoc {
    std::string nome, cidade, total;
};
using TCelulaDoc = dfe::TCelula<TDoc>;

// Two rows: a name over a city, and three amounts of which the layout may hide the middle one.
constexpr TCelulaDoc kTabela[] = {
    dfe::Campo<TDoc>(0, "leg%Nome", "NOME", "val%Nome", 0, 300, [](const TDoc &d) { return d.nome; }),
    dfe::Campo<TDoc>(0, "leg%Cidade", "CIDADE", "val%Cidade", 300, 600, [](const TDoc &d) { return d.cidade; }),
    dfe::Campo<TDoc>(1, "legA", "A", "valA", 0, 200, nullptr, report::HAlign::Right),
    dfe::Campo<TDoc>(1, "legB", "B", "valB", 200, 400, nullptr, report::HAlign::Right),
    dfe::Campo<TDoc>(1, "legC", "C", "valC", 400, 600, [](const TDoc &d) { return d.total; }, report::HAlign::Right),
};
constexpr const char *kLinhas[] = {"linha%2"};

struct Caixa : ::testing::Test {
    report::Band banda{report::BandKind::Title, 80, "banda"};
    dfe::TCaixaCampos caixa;
    dfe::TEstiloCaixa estilo;

    void SetUp() override
    {
        caixa.banda = &banda;
        caixa.caixa = &dfe::CriarCaixa(banda, "caixa", QRectF(0, 10, 600, 61));
        estilo.alturaLinha = 30;
        estilo.linhasSuperiores = kLinhas;
        dfe::CriarCelulas<TDoc>(caixa, estilo, kTabela, "X");
    }
};

TEST_F(Caixa, BuildsNamedCellsOnTheirRowsAndFillsThemFromTheContext)
{
    // '%' takes the prefix, '@' the value's name; the first cell of a row has no divider.
    EXPECT_EQ(caixa.ValorDe("valXNome").bounds, QRectF(5, 10 + 30 - 13, 290, 13));
    EXPECT_EQ(caixa.LegendaDe("legXCidade").bounds, QRectF(303, 11, 294, 9));
    EXPECT_EQ(caixa.DivisorDe("rliDiv_valXCidade").bounds, QRectF(300, 10, 1, 31));
    EXPECT_EQ(caixa.linhas[1].linhaSuperior->name, "linhaX2");
    EXPECT_EQ(caixa.linhas[0].divisores.size(), 1u);
    EXPECT_THROW(caixa.DivisorDe("rliDiv_valXNome"), std::invalid_argument);

    caixa.ValorDe("valB").text = "by a rule";
    dfe::PreencherCelulas(caixa, kTabela, TDoc{"ANA", "RIO", "9,99"});
    EXPECT_EQ(caixa.ValorDe("valXNome").text, "ANA");
    EXPECT_EQ(caixa.ValorDe("valC").text, "9,99");
    EXPECT_EQ(caixa.ValorDe("valB").text, "by a rule"); // a cell without a value is the layout's

    // Rows 20 high: the second row, its line and dividers move up, the box and band shrink.
    dfe::AjustarCaixa(caixa, 20);
    EXPECT_EQ(caixa.ValorDe("valC").bounds.top(), 10 + 20 + 20 - 13);
    EXPECT_EQ(caixa.LegendaDe("legC").bounds.top(), 10 + 20 + 1);
    EXPECT_EQ(caixa.DivisorDe("rliDiv_valC").bounds, QRectF(400, 30, 1, 21));
    EXPECT_EQ(caixa.linhas[1].linhaSuperior->bounds.top(), 30);
    EXPECT_EQ(caixa.caixa->bounds.height(), 41);
    EXPECT_EQ(banda.height, 10 + 41 + 2);
}

TEST_F(Caixa, VisibleCellsTakeTheRoomUpToTheNextVisibleDivider)
{
    // Hiding B leaves A the room up to C's divider, moved by a rule to 300.
    caixa.ValorDe("valB").visible = false;
    caixa.DivisorDe("rliDiv_valC").bounds.moveLeft(300);
    dfe::DistribuirCelulas(caixa, 1, 600);
    EXPECT_EQ(caixa.ValorDe("valA").bounds.left(), 5);
    EXPECT_EQ(caixa.ValorDe("valA").bounds.width(), 290);
    EXPECT_EQ(caixa.LegendaDe("legC").bounds.left(), 303);
    EXPECT_EQ(caixa.ValorDe("valC").bounds.left(), 305);
    EXPECT_EQ(caixa.ValorDe("valC").bounds.width(), 290);
    EXPECT_EQ(caixa.ValorDe("valB").bounds, QRectF(205, 10 + 60 - 13, 190, 13)); // hidden: left alone

    // Shown again, B takes its room back; the first row is not touched.
    caixa.ValorDe("valB").visible = true;
    caixa.DivisorDe("rliDiv_valB").bounds.moveLeft(150);
    dfe::DistribuirCelulas(caixa, 1, 600);
    EXPECT_EQ(caixa.ValorDe("valA").bounds.width(), 140);
    EXPECT_EQ(caixa.ValorDe("valB").bounds.left(), 155);
    EXPECT_EQ(caixa.ValorDe("valB").bounds.width(), 140);
    EXPECT_EQ(caixa.ValorDe("valXCidade").bounds.left(), 305);
}

} // namespace
