// The item rows of the portrait DANFE on prepared pages: the column titles and their
// widths, what each row prints by the settings, shading, the item's additional
// information, row heights, and documents whose items run over several pages.

#include "itens_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using danfe_test::BandaNaPagina;
using danfe_test::CodigoItem;
using danfe_test::Componentes;
using danfe_test::RunDe;
using danfe_test::Impresso;
using danfe_test::NotaComItens;
using danfe_test::TextoDe;
using danfe_test::TextosDe;
using danfe_test::TextosNasPaginas;
using danfe_test::Valor;
using nfe::TNFe;

// The x of a vertical line of the page, in the layout's coordinates (from the left
// margin); NAN when the control drew none.
double XDaLinha(const report::PreparedPage &pagina, std::string_view controle, double margem)
{
    for (const report::Primitive *p : report::bySource(pagina, controle))
        if (const auto *linha = std::get_if<report::LineItem>(p))
            return linha->from.x() - 0.5 - margem;
    return NAN;
}

// One item of 4 UN at 25,00: 100,00 of products less 5,00 of discount.
TNFe NotaDeUmItemComDesconto()
{
    TNFe nfe = NotaComItens(1);
    nfe::TProd &prod = nfe.Det[0].Prod;
    prod.qCom = Valor(4);
    prod.vUnCom = 25;
    prod.vProd = Valor(100);
    prod.vDesc = Valor(5);
    nfe.Total.ICMSTot.vProd = Valor(100);
    nfe.Total.ICMSTot.vDesc = Valor(5);
    return nfe;
}

std::string Legendas(const report::PreparedPage &p, std::string_view superior, std::string_view inferior)
{
    return TextoDe(p, superior) + "/" + TextoDe(p, inferior);
}

// ---- Columns ---------------------------------------------------------------------------------

TEST(DANFeItens, TheDiscountRuleShapesTheValueColumnsAndWhatTheyHold)
{
    struct Row {
        const char *name;
        std::function<void(TNFe &, nfe::TOvixNFeDANFeRL &)> ajuste;
        std::string quantidade, unitario, total, desconto;
        double divisorUnitario, divisorTotal;
        double larguraQuantidade, larguraUnitario, larguraTotal;
        std::string valorTotal, valorDesconto;
        bool liquidoDepois;
    } rows[] = {
        {"default: the total column carries the discount, the discount column the net total",
         [](TNFe &, nfe::TOvixNFeDANFeRL &) {}, "QUANT.", "VALOR/UNITÁRIO", "VALOR/DESCONTO", "VALOR/LÍQUIDO", 404,
         455, 42, 48, 51, "5,00", "95,00", true},
        {"discount as a percentage: gross total, percentage of quantity times unit value",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetImprimeDescPorPercentual(true); }, "QUANT.", "VALOR/UNITÁRIO",
         "VALOR/TOTAL", "PERC.(%)/DESCONTO", 404, 455, 42, 48, 51, "100,00", "5,00", false},
        {"discount column only with a discount, and the document has one",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetImprimeDescAcrescItem(dfe::idaiComValor); }, "QUANT.",
         "VALOR/UNITÁRIO", "VALOR/DESCONTO", "VALOR/LÍQUIDO", 404, 455, 42, 48, 51, "5,00", "95,00", true},
        {"no document discount, gross totals: the three columns widen to 60, 60 and 66 (64 to the amounts)",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &d) {
             n.Total.ICMSTot.vDesc = Valor(0);
             d.SetImprimeDescAcrescItem(dfe::idaiComValor);
             d.SetImprimeTotalLiquido(false);
         },
         "QUANTIDADE", "VALOR/UNITÁRIO", "<none>/VALOR TOTAL", "<none>/<none>", 422, 486, 60, 60, 64, "100,00",
         "<none>", false},
        {"discount column never shown, net totals: the net total still prints, under a total caption",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetImprimeDescAcrescItem(dfe::idaiNunca); }, "QUANTIDADE",
         "VALOR/UNITÁRIO", "VALOR TOTAL/LÍQUIDO", "<none>/<none>", 422, 486, 60, 60, 64, "95,00", "<none>", true},
        {"discount column never shown, gross totals",
         [](TNFe &, nfe::TOvixNFeDANFeRL &d) {
             d.SetImprimeDescAcrescItem(dfe::idaiNunca);
             d.SetImprimeTotalLiquido(false);
         },
         "QUANTIDADE", "VALOR/UNITÁRIO", "<none>/VALOR TOTAL", "<none>/<none>", 422, 486, 60, 60, 64, "100,00",
         "<none>", false},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaDeUmItemComDesconto();
        row.ajuste(nfe, *c.danfe);
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const double margem = report::mmToPx(c.danfe->MargemEsquerda());

        EXPECT_EQ(TextoDe(p, "lblQuantidade"), row.quantidade) << row.name;
        EXPECT_EQ(Legendas(p, "lblValorUnitarioSup", "lblValorUnitarioInf"), row.unitario) << row.name;
        EXPECT_EQ(Legendas(p, "lblValorTotalSup", "lblValorTotal"), row.total) << row.name;
        EXPECT_EQ(Legendas(p, "lblPercValorDesc", "lblPercValorDesc1"), row.desconto) << row.name;

        // Titles and rows share the dividers.
        EXPECT_DOUBLE_EQ(XDaLinha(p, "rlsDivProd7", margem), row.divisorUnitario) << row.name;
        EXPECT_DOUBLE_EQ(XDaLinha(p, "LinhaValorUnitario", margem), row.divisorUnitario) << row.name;
        EXPECT_DOUBLE_EQ(XDaLinha(p, "rlsDivProd8", margem), row.divisorTotal) << row.name;
        EXPECT_DOUBLE_EQ(XDaLinha(p, "LinhaValorTotal", margem), row.divisorTotal) << row.name;
        const bool comDesconto = row.desconto != "<none>/<none>";
        EXPECT_EQ(Impresso(p, "rlsDivProd14"), comDesconto) << row.name;
        EXPECT_EQ(Impresso(p, "LinhaDesconto"), comDesconto) << row.name;
        EXPECT_DOUBLE_EQ(RunDe(p, "txtQuantidade")->box.width(), row.larguraQuantidade) << row.name;
        EXPECT_DOUBLE_EQ(RunDe(p, "txtValorUnitario")->box.width(), row.larguraUnitario) << row.name;
        EXPECT_DOUBLE_EQ(RunDe(p, "txtValorTotal")->box.width(), row.larguraTotal) << row.name;
        EXPECT_DOUBLE_EQ(RunDe(p, "lblValorTotal")->box.left() - margem,
                         XDaLinha(p, "rlsDivProd8", margem) + (comDesconto ? 0 : 2))
            << row.name;

        EXPECT_EQ(TextoDe(p, "txtValorTotal"), row.valorTotal) << row.name;
        EXPECT_EQ(TextoDe(p, "txtValorDesconto"), row.valorDesconto) << row.name;
        EXPECT_EQ(c.danfe->ImprimeTotalLiquido(), row.liquidoDepois) << row.name;
    }
}

TEST(DANFeItens, EveryAmountEndsTwoPixelsShortOfTheDividerOnItsRight)
{
    struct Row {
        const char *name;
        std::function<void(nfe::TOvixNFeDANFeRL &)> ajuste;
    } rows[] = {
        {"with the discount column", [](nfe::TOvixNFeDANFeRL &) {}},
        {"without it, quantity, unit value and total re-laid",
         [](nfe::TOvixNFeDANFeRL &d) { d.SetImprimeDescAcrescItem(dfe::idaiNunca); }},
    };
    const char *valores[] = {"txtQuantidade", "txtValorUnitario", "txtValorTotal", "txtValorDesconto", "txtBaseICMS",
                             "txtValorICMS",  "txtValorIPI",      "txtAliqICMS",   "txtAliqIPI"};
    for (const Row &row : rows) {
        Componentes c;
        row.ajuste(*c.danfe);
        const report::PreparedPage p = c.Imprimir(NotaDeUmItemComDesconto()).pages.at(0);
        const report::PlacedBand linha = report::placements(p, "rlbItens").at(0);

        // Where the pen of each vertical line of the row starts.
        std::vector<double> divisores;
        for (const report::Primitive &item : p.items)
            if (const auto *l = std::get_if<report::LineItem>(&item))
                if (l->band == "rlbItens" && l->from.x() == l->to.x() && l->from.y() <= linha.top + 1)
                    divisores.push_back(l->from.x() - l->penWidth / 2);
        ASSERT_GE(divisores.size(), 10u) << row.name;

        int vistos = 0;
        for (const char *valor : valores) {
            const report::TextRun *run = RunDe(p, valor);
            if (run == nullptr)
                continue; // the hidden discount column
            ++vistos;
            const double inicio = report::textLeft(*run, run->width);
            double divisor = INFINITY;
            for (double x : divisores)
                if (x > inicio && x < divisor)
                    divisor = x;
            EXPECT_NEAR(inicio + run->width, run->box.right(), 1e-9) << row.name << ": " << valor << " is right-aligned";
            EXPECT_NEAR(divisor - run->box.right(), 2, 1e-9) << row.name << ": " << valor << " (" << run->text << ")";
        }
        EXPECT_GE(vistos, 8) << row.name;
    }
}

TEST(DANFeItens, CodeAndDescriptionCaptionsFollowTheCodeWidth)
{
    struct Row {
        const char *name;
        int largura;
        std::string codigo, descricao;
        double divisor;
        int linhasCodigo, linhasDescricao;
    } rows[] = {
        {"the default 54 pixels: both narrow captions on two lines, the description one wide enough for the long text",
         54, "CÓDIGO DO PROD. / SERV.", "DESCRIÇÃO DO PRODUTO / SERVIÇO", 56, 2, 1},
        {"120 pixels: the long code caption on one line, the description's on two", 120,
         "CÓDIGO DO PRODUTO / SERVIÇO", "DESCRIÇÃO DO PRODUTO / SERVIÇO", 122, 1, 2},
        {"170 pixels leave the description 68 pixels: the short caption", 170, "CÓDIGO DO PRODUTO / SERVIÇO",
         "DESCR. PROD. / SERV.", 172, 1, 2},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetLarguraCodProd(row.largura);
        const report::PreparedPage p = c.Imprimir(NotaComItens(1)).pages.at(0);
        const double margem = report::mmToPx(c.danfe->MargemEsquerda());
        const auto juntar = [](const std::vector<std::string> &linhas) {
            std::string out;
            for (const std::string &l : linhas)
                out += (out.empty() ? "" : " ") + l;
            return out;
        };
        const std::vector<std::string> codigo = TextosDe(p, "rlmCodProd");
        const std::vector<std::string> descricao = TextosDe(p, "rlmDescricaoProduto");
        EXPECT_EQ(juntar(codigo), row.codigo) << row.name;
        EXPECT_EQ(juntar(descricao), row.descricao) << row.name;
        EXPECT_EQ(static_cast<int>(codigo.size()), row.linhasCodigo) << row.name;
        EXPECT_EQ(static_cast<int>(descricao.size()), row.linhasDescricao) << row.name;
        EXPECT_DOUBLE_EQ(XDaLinha(p, "rlsDivProd", margem), row.divisor) << row.name;
        EXPECT_DOUBLE_EQ(XDaLinha(p, "LinhaDescricao", margem), row.divisor) << row.name << ": rows line up";
        const report::TextRun *descricaoItem = RunDe(p, "rlmDescricao");
        ASSERT_NE(descricaoItem, nullptr) << row.name;
        EXPECT_DOUBLE_EQ(descricaoItem->box.left() - margem, row.divisor + 2) << row.name;
        EXPECT_DOUBLE_EQ(descricaoItem->box.width(), 243 - row.divisor - 24) << row.name;
        EXPECT_DOUBLE_EQ(RunDe(p, "txtCodigo")->box.width(), row.largura) << row.name;
        for (const std::string &linha : codigo)
            EXPECT_LE(report::QtTextMeasurer().width(linha, RunDe(p, "rlmCodProd")->font), row.largura)
                << row.name << ": " << linha;
    }
}

// ---- What a row prints -------------------------------------------------------------------

TEST(DANFeItens, ARowPrintsTheItemsCodesAndTaxes)
{
    Componentes c;
    TNFe nfe = NotaComItens(1);
    nfe::TDetCollectionItem &det = nfe.Det[0];
    det.Prod.cEAN = "7891234567895";
    det.Imposto.IPI.vIPI = Valor(0.5);
    det.Imposto.IPI.pIPI = Valor(5);
    const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
    struct Row {
        const char *controle;
        std::string texto;
    } rows[] = {
        {"txtCodigo", "ITEM001"},
        {"rlmDescricao", "MERCADORIA DE TESTE 1"},
        {"txtNCM", "84713012"},
        {"txtCST", "000"},
        {"txtCFOP", "5102"},
        {"txtUnidade", "UN"},
        {"txtQuantidade", "2,00"},
        {"txtValorUnitario", "5,00"},
        {"txtBaseICMS", "10,00"},
        {"txtValorICMS", "1,80"},
        {"txtValorIPI", "0,50"},
        {"txtAliqICMS", "18,00"},
        {"txtAliqIPI", "5,00"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TextoDe(p, row.controle), row.texto) << row.controle;

    // Thirteen digits are wider than the code column: they wrap between characters.
    c.danfe->SetImprimeCodigoEan(true);
    std::string ean;
    for (const std::string &parte : TextosDe(c.Imprimir(nfe).pages.at(0), "txtCodigo"))
        ean += parte;
    EXPECT_EQ(ean, "7891234567895") << "the EAN when asked for";
}

TEST(DANFeItens, TheCSTColumnFollowsTheIssuersTaxRegime)
{
    struct Row {
        const char *name;
        dfe::TpcnCRT crt;
        dfe::TpcnOrigemMercadoria origem;
        dfe::TpcnCSTIcms cst;
        dfe::TpcnCSOSNIcms csosn;
        std::string titulo, texto;
    } rows[] = {
        {"Simples Nacional: origin and CSOSN", dfe::crtSimplesNacional, dfe::oeNacional, dfe::cst00,
         dfe::csosn102, "CSOSN", "0102"},
        {"normal regime: origin and CST", dfe::crtRegimeNormal, dfe::oeNacional, dfe::cst00, dfe::csosn102, "CST",
         "000"},
        {"imported goods, CST 10", dfe::crtSimplesExcessoReceita, dfe::oeEstrangeiraImportacaoDireta, dfe::cst10,
         dfe::csosn101, "CST", "110"},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaComItens(1);
        nfe.Emit.CRT = row.crt;
        nfe::TICMS &icms = nfe.Det[0].Imposto.ICMS;
        icms.orig = row.origem;
        icms.CST = row.cst;
        icms.CSOSN = row.csosn;
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        EXPECT_EQ(TextoDe(p, "lblCST"), row.titulo) << row.name;
        EXPECT_EQ(TextoDe(p, "txtCST"), row.texto) << row.name;
    }
}

TEST(DANFeItens, UnitsQuantitiesAndUnitValuesFollowImprimeValor)
{
    struct Row {
        const char *name;
        dfe::TImprimirUnidQtdeValor modo;
        std::string uTrib;
        std::string unidade, quantidade, unitario;
    } rows[] = {
        {"commercial", dfe::iuComercial, "KG", "UN", "2,00", "5,00"},
        {"taxable", dfe::iuTributavel, "KG", "KG", "0,50", "20,00"},
        {"both, units differing: two lines each", dfe::iuComercialETributavel, "KG", "UN\nKG", "2,00\n0,50",
         "5,00\n20,00"},
        {"both, the same unit: the commercial values alone", dfe::iuComercialETributavel, "UN", "UN", "2,00",
         "5,00"},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetImprimeValor(row.modo);
        TNFe nfe = NotaComItens(1);
        nfe::TProd &prod = nfe.Det[0].Prod;
        prod.uTrib = row.uTrib;
        prod.qTrib = Valor(0.5);
        prod.vUnTrib = 20;
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        EXPECT_EQ(TextoDe(p, "txtUnidade"), row.unidade) << row.name;
        EXPECT_EQ(TextoDe(p, "txtQuantidade"), row.quantidade) << row.name;
        EXPECT_EQ(TextoDe(p, "txtValorUnitario"), row.unitario) << row.name;
    }
}

TEST(DANFeItens, ApproximateTaxesOfAnItemShowAPercentageOnlyOfAPositiveValue)
{
    struct Row {
        const char *name;
        dfe::TpcnPercentualTributos base;
        double vProd, vFrete;
        std::string linha;
    } rows[] = {
        {"of the products value", dfe::ptValorProdutos, 50, 0, "Val Aprox Tributos: 10,00 (20,00%)"},
        {"no products value: no percentage", dfe::ptValorProdutos, 0, 0, "Val Aprox Tributos: 10,00"},
        {"of the invoice value, freight included", dfe::ptValorNF, 30, 20, "Val Aprox Tributos: 10,00 (20,00%)"},
        {"no invoice value: no percentage", dfe::ptValorNF, 0, 0, "Val Aprox Tributos: 10,00"},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetExibeTotalTributosItem(true);
        c.danfe->SetTributosPercentual(row.base);
        TNFe nfe = NotaComItens(1);
        nfe::TDetCollectionItem &det = nfe.Det[0];
        det.Prod.vProd = Valor(row.vProd);
        det.Prod.vFrete = Valor(row.vFrete);
        det.Imposto.vTotTrib = Valor(10);
        const std::vector<std::string> linhas = TextosDe(c.Imprimir(nfe).pages.at(0), "rlmDescricao");
        ASSERT_EQ(linhas.size(), 2u) << row.name;
        EXPECT_EQ(linhas[0], "MERCADORIA DE TESTE 1") << row.name;
        EXPECT_EQ(linhas[1], row.linha) << row.name;
    }
}

// ---- Shading, additional information, row height -------------------------------------------

TEST(DANFeItens, AlternateRowsAreShadedUnderTheirTexts)
{
    for (bool alterna : {false, true}) {
        Componentes c;
        c.danfe->SetAlternaCoresProdutos(alterna);
        TNFe nfe = NotaComItens(4);
        nfe.Det[1].Prod.xProd = "UMA DESCRIÇÃO LONGA O BASTANTE PARA OCUPAR MAIS DE UMA LINHA DA COLUNA DE DESCRIÇÃO";
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const std::vector<report::PlacedBand> linhas = report::placements(p, "rlbItens");
        ASSERT_EQ(linhas.size(), 4u);
        const auto fundos = report::bySource(p, "FundoItem");
        if (!alterna) {
            EXPECT_TRUE(fundos.empty());
            continue;
        }
        ASSERT_EQ(fundos.size(), 2u) << "the second and fourth rows";
        for (std::size_t i = 0; i < 2; ++i) {
            const auto &fundo = std::get<report::RectItem>(*fundos[i]);
            const report::PlacedBand &linha = linhas[2 * i + 1];
            EXPECT_EQ(fundo.fill, QColor(0xE5, 0xE5, 0xE5));
            EXPECT_DOUBLE_EQ(fundo.rect.top(), linha.top) << i;
            EXPECT_DOUBLE_EQ(fundo.rect.height(), linha.height) << i << ": as tall as the row";
        }
        EXPECT_GT(linhas[1].height, linhas[0].height) << "the long description made the second row taller";
        // Under the texts: drawn before the row's code.
        const auto ordem = [&p](const report::Primitive *alvo) {
            for (std::size_t i = 0; i < p.items.size(); ++i)
                if (&p.items[i] == alvo)
                    return i;
            return p.items.size();
        };
        const auto codigos = report::bySource(p, "txtCodigo");
        EXPECT_LT(ordem(fundos[0]), ordem(codigos[1]));
    }
}

TEST(DANFeItens, AnItemsAdditionalInformationGoesWhereTheSettingSays)
{
    struct Row {
        const char *name;
        nfe::TinfAdcProd onde;
        std::vector<std::string> descricao, linhaPropria;
    } rows[] = {
        {"after the description", nfe::infDescricao, {"MERCADORIA DE TESTE 1", "LOTE A12", "VALIDADE 12/2025"}, {}},
        {"in a row of its own", nfe::infSeparadamente, {"MERCADORIA DE TESTE 1"}, {"LOTE A12", "VALIDADE 12/2025"}},
        {"nowhere", nfe::infNenhum, {"MERCADORIA DE TESTE 1"}, {}},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetExibeInforAdicProduto(row.onde);
        TNFe nfe = NotaComItens(2);
        nfe.Det[0].infAdProd = "  LOTE A12;VALIDADE 12/2025 ";
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const std::vector<std::string> descricoes = TextosDe(p, "rlmDescricao");
        ASSERT_GE(descricoes.size(), row.descricao.size() + 1) << row.name;
        EXPECT_EQ(std::vector<std::string>(descricoes.begin(), descricoes.begin() + row.descricao.size()),
                  row.descricao)
            << row.name;
        EXPECT_EQ(TextosDe(p, "RLMemoInfAd"), row.linhaPropria) << row.name;

        const std::vector<report::PlacedBand> faixas = report::placements(p, "RLBandInfAd");
        ASSERT_EQ(faixas.size(), row.linhaPropria.empty() ? 0u : 1u) << row.name << ": the second item has none";
        if (faixas.empty())
            continue;
        const auto itens = report::placements(p, "rlbItens");
        EXPECT_DOUBLE_EQ(faixas[0].top, itens[0].top + itens[0].height) << "under its item's row";
        EXPECT_DOUBLE_EQ(itens[1].top, faixas[0].top + faixas[0].height) << "before the next item";
        const auto linhas = report::bySource(p, "LinhaInfAdInferior");
        ASSERT_EQ(linhas.size(), 1u);
        EXPECT_DOUBLE_EQ(std::get<report::LineItem>(*linhas[0]).from.y(), faixas[0].top + faixas[0].height - 0.5)
            << "the bottom line closes the grown row";
    }
}

TEST(DANFeItens, RowsAreAtLeastTheSetHeightAndGrowWithTheirTexts)
{
    const report::QtTextMeasurer medidor;
    const report::Font fonte{"Arial", 8};
    const std::string longa =
        "DESCRIÇÃO MUITO LONGA QUE OCUPA TRÊS LINHAS DA COLUNA DE DESCRIÇÃO DOS PRODUTOS DO DOCUMENTO";
    // The description column is 163 pixels wide; its text starts 1 pixel below the row's top.
    const std::size_t linhas = medidor.wrap(longa, fonte, 163).size();
    ASSERT_GE(linhas, 3u);
    struct Row {
        const char *name;
        int espaco;
        std::string descricao;
        double altura;
    } rows[] = {
        {"7 and below give 12", 7, "CURTA", 12},
        {"20 is kept", 20, "CURTA", 20},
        {"a long description", 7, longa, 1 + static_cast<double>(linhas) * medidor.lineHeight(fonte)},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetEspacoEntreProdutos(row.espaco);
        TNFe nfe = NotaComItens(1);
        nfe.Det[0].Prod.xProd = row.descricao;
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const auto itens = report::placements(p, "rlbItens");
        ASSERT_EQ(itens.size(), 1u) << row.name;
        EXPECT_DOUBLE_EQ(itens[0].height, row.altura) << row.name;
        const auto fundo = report::bySource(p, "LinhaItem");
        ASSERT_EQ(fundo.size(), 1u) << row.name;
        EXPECT_DOUBLE_EQ(std::get<report::LineItem>(*fundo[0]).from.y(), itens[0].top + itens[0].height - 0.5)
            << row.name << ": the bottom line is on the row's bottom";
        for (const char *divisor : {"LinhaNCM", "LinhaFimItem", "LinhaInicioItem"}) {
            const auto &l = std::get<report::LineItem>(*report::bySource(p, divisor).at(0));
            EXPECT_DOUBLE_EQ(l.to.y() - l.from.y(), itens[0].height) << row.name << ": " << divisor;
        }
    }
}

// ---- Documents -------------------------------------------------------------------------------

TEST(DANFeItens, AOneItemDocumentFitsOnePage)
{
    Componentes c;
    const report::PreparedReport r = c.Imprimir(NotaComItens(1));
    ASSERT_EQ(r.pages.size(), 1u);
    const report::PreparedPage &p = r.pages[0];
    EXPECT_FALSE(p.overflow);
    EXPECT_EQ(TextoDe(p, "lblDadosDoProduto"), "DADOS DO PRODUTO / SERVIÇOS");
    EXPECT_EQ(TextosDe(p, "txtCodigo"), std::vector<std::string>{"ITEM001"});
    EXPECT_EQ(TextoDe(p, "txtValorTotal"), "1,00");
    EXPECT_EQ(TextoDe(p, "txtValorDesconto"), "9,00");
    EXPECT_EQ(TextoDe(p, "rllPageNumber"), "fl. 1");
    EXPECT_EQ(TextoDe(p, "rllLastPage"), "/1");
    const auto titulos = report::placements(p, "rlbCabecalhoItens");
    const auto itens = report::placements(p, "rlbItens");
    ASSERT_EQ(titulos.size(), 1u);
    ASSERT_EQ(itens.size(), 1u);
    EXPECT_DOUBLE_EQ(itens[0].top, titulos[0].top + titulos[0].height) << "the row right under its titles";
    EXPECT_FALSE(BandaNaPagina(p, "rlbContinuacaoInformacoesComplementares"));
}

TEST(DANFeItens, FiftyItemsRunOverPagesWithoutLossOrRepetition)
{
    Componentes c;
    TNFe nfe = NotaComItens(50);
    for (int i = 0; i < 50; i += 7)
        nfe.Det[i].Prod.xProd += " COM UMA DESCRIÇÃO BEM MAIS LONGA QUE OCUPA DUAS OU TRÊS LINHAS NA SUA COLUNA";
    const report::PreparedReport r = c.Imprimir(nfe);
    ASSERT_GE(r.pages.size(), 2u);

    std::vector<std::string> esperados;
    for (int i = 1; i <= 50; ++i)
        esperados.push_back(CodigoItem(i));
    EXPECT_EQ(TextosNasPaginas(r, {"txtCodigo"}), esperados) << "every item once, in order";

    const std::string total = "/" + std::to_string(r.pages.size());
    for (const report::PreparedPage &p : r.pages) {
        EXPECT_FALSE(p.overflow) << p.number;
        EXPECT_EQ(TextoDe(p, "rllPageNumber"), "fl. " + std::to_string(p.number));
        EXPECT_EQ(TextoDe(p, "rllLastPage"), total) << p.number;
        EXPECT_TRUE(BandaNaPagina(p, "rlbCabecalhoItens")) << p.number << ": the titles over the rows";
        const auto itens = report::placements(p, "rlbItens");
        ASSERT_FALSE(itens.empty()) << p.number;
        const auto titulos = report::placements(p, "rlbCabecalhoItens");
        EXPECT_DOUBLE_EQ(itens.front().top, titulos[0].top + titulos[0].height) << p.number;
        EXPECT_EQ(TextosDe(p, "txtCodigo").size(), itens.size()) << p.number << ": one code per row";
        if (p.number > 1) {
            EXPECT_EQ(TextoDe(p, "lblDadosDoProduto"), "CONTINUAÇÃO DOS DADOS DO PRODUTO / SERVIÇOS");
        }
    }
    // Page 1 keeps its footer clear of the rows.
    const report::PreparedPage &p1 = r.pages[0];
    const auto rodape = report::placements(p1, "rlbDadosAdicionais");
    ASSERT_EQ(rodape.size(), 1u);
    const auto itens = report::placements(p1, "rlbItens");
    EXPECT_LE(itens.back().top + itens.back().height, rodape[0].top + 0.01);
}

} // namespace
