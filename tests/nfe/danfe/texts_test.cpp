// The texts a DANFE prints from model values: item details, additional data, referenced
// documents, payments, contingency; and the settings that steer them.

#include "support.h"

#include "nfe/danfe/danfeclass.h"
#include "nfe/exception.h"

#include "dfe/accesskey.h"

#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using danfe_test::Valor;
using nfe::TNFe;
using nfe::TOvixNFeDANFEClass;

struct Danfe {
    rtl::TComponentPtr<TOvixNFeDANFEClass> comp = rtl::TComponent::CreateFree<TOvixNFeDANFEClass>();
    TOvixNFeDANFEClass *operator->() { return comp.get(); }
};

std::string ErroDe(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const nfe::EOvixNFeException &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

TNFe ComUmItem()
{
    TNFe nfe;
    nfe.infNFe.Versao = 4.0;
    nfe::TDetCollectionItem &det = nfe.Det.New();
    det.Prod.xProd = "PRODUTO";
    det.Prod.vProd = Valor(200);
    return nfe;
}

// ---- Settings --------------------------------------------------------------------------------

TEST(DANFeSettings, TheDetailSelectionsStartAsTheDocumentedSets)
{
    Danfe d;
    nfe::TDetVeiculos veiculos;
    for (auto v : {nfe::dv_chassi, nfe::dv_xCor, nfe::dv_nSerie, nfe::dv_tpComb, nfe::dv_nMotor, nfe::dv_anoMod,
                   nfe::dv_anoFab})
        veiculos.set(v);
    EXPECT_EQ(d->DetVeiculos(), veiculos);
    EXPECT_TRUE(d->DetMedicamentos().all());
    EXPECT_TRUE(d->DetArmamentos().all());
    EXPECT_TRUE(d->DetCombustiveis().all());
    EXPECT_TRUE(d->DetRastros().all());
    EXPECT_TRUE(d->ImprimeTotalLiquido());
    EXPECT_EQ(d->TipoDANFE(), dfe::tiRetrato);
    EXPECT_EQ(d->ExibeInforAdicProduto(), nfe::infDescricao);
}

TEST(DANFeSettings, ACustomTaxPercentageHoldsOnlyWhileItIsChosen)
{
    Danfe d;
    d->SetTributosPercentualPersonalizado(12.5);
    EXPECT_EQ(d->TributosPercentualPersonalizado(), 0) << "stored as 0 under ptValorProdutos";
    d->SetTributosPercentual(dfe::ptPersonalizado);
    d->SetTributosPercentualPersonalizado(12.5);
    EXPECT_EQ(d->TributosPercentualPersonalizado(), 12.5);
    d->SetTributosPercentual(dfe::ptValorNF);
    EXPECT_EQ(d->TributosPercentualPersonalizado(), 0) << "another base resets it";
}

TEST(DANFeSettings, PrintOperationsWithoutBodiesNameThemselvesAndTheClass)
{
    Danfe d;
    struct Row {
        const char *name;
        std::function<void(TOvixNFeDANFEClass &)> acao;
        std::string mensagem;
    } rows[] = {
        {"ImprimirDANFE", [](auto &c) { c.ImprimirDANFE(); }, "ImprimirDANFE não implementado em: TOvixNFeDANFEClass"},
        {"ImprimirDANFEResumido", [](auto &c) { c.ImprimirDANFEResumido(); },
         "ImprimirDANFEResumido não implementado em: TOvixNFeDANFEClass"},
        {"ImprimirDANFEPDF", [](auto &c) { c.ImprimirDANFEPDF(); },
         "ImprimirDANFEPDF não implementado em: TOvixNFeDANFEClass"},
        {"ImprimirINUTILIZACAOPDF", [](auto &c) { c.ImprimirINUTILIZACAOPDF(); },
         "ImprimirINUTILIZACAOPDF não implementado em: TOvixNFeDANFEClass"},
        {"ImprimirDANFECancelado reaches ImprimirDANFE", [](auto &c) { c.ImprimirDANFECancelado(); },
         "ImprimirDANFE não implementado em: TOvixNFeDANFEClass"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(ErroDe([&] { row.acao(*d.comp); }), row.mensagem) << row.name;
        EXPECT_FALSE(d->Cancelada()) << row.name << ": the cancelled mark never stays after a failed print";
    }
}

TEST(DANFeSettings, OnlyAnNFeComponentCanBeLinked)
{
    Danfe d;
    auto outro = rtl::TComponent::CreateFree<rtl::TComponent>();
    EXPECT_EQ(ErroDe([&] { d->SetOvixNFe(outro.get()); }), "OvixDANFE.NFE deve ser do tipo TOvixNFe");
    EXPECT_EQ(d->OvixNFe(), nullptr);
}

// ---- Item texts ------------------------------------------------------------------------------

TEST(DANFeTexts, CodeNameUnitsQuantitiesAndDocuments)
{
    Danfe d;
    d->SetImprimeCodigoEan(true);
    EXPECT_EQ(d->ManterCodigo(" 7891234567895 ", " P1 "), "7891234567895");
    EXPECT_EQ(d->ManterCodigo("SEM GTIN", "P1"), "P1");
    EXPECT_EQ(d->ManterCodigo("sem gtin", "P1"), "sem gtin") << "only the exact upper-case text means no EAN";
    EXPECT_EQ(d->ManterCodigo("  ", "P1"), "P1");
    d->SetImprimeCodigoEan(false);
    EXPECT_EQ(d->ManterCodigo("7891234567895", " P1 "), "P1");

    EXPECT_EQ(d->ManterNomeImpresso("RAZAO", "FANTASIA"), "RAZAO");
    d->SetImprimeNomeFantasia(true);
    EXPECT_EQ(d->ManterNomeImpresso("RAZAO", "FANTASIA"), "FANTASIA");
    EXPECT_EQ(d->ManterNomeImpresso(" RAZAO ", ""), " RAZAO ");

    EXPECT_EQ(d->ManterUnidades(" UN ", " KG "), "UN\r\nKG");
    EXPECT_EQ(d->ManterUnidades("UN", " "), "UN");
    EXPECT_EQ(d->ManterQuantidades(3, 1.5), "3,00\r\n1,50") << "decimals forced on both";
    EXPECT_EQ(d->ManterQuantidades(1234.5, 0), "1.234,50");
    EXPECT_EQ(d->ManterValoresUnitarios(10, 2.5), "10,00\r\n2,50");
    EXPECT_EQ(d->ManterValoresUnitarios(10, 0), "10,00");

    EXPECT_EQ(d->TrataDocumento("12345678909"), " CPF: 123.456.789-09");
    EXPECT_EQ(d->TrataDocumento("12345678000195"), " CNPJ: 12.345.678/0001-95");
    EXPECT_EQ(d->TrataDocumento(""), "");

    EXPECT_EQ(d->ManterVprod(100, 10), "90,00");
    d->SetImprimeTotalLiquido(false);
    EXPECT_EQ(d->ManterVprod(1234.5, 10), "1.234,50");
    EXPECT_EQ(d->ManterCst(dfe::crtSimplesNacional, dfe::csosn102, dfe::cst00), "102");
    EXPECT_EQ(d->ManterCst(dfe::crtRegimeNormal, dfe::csosn102, dfe::cst60), "60");
    EXPECT_EQ(d->ManterdvTotTrib(3.5), "0,00");
    d->SetExibeTotalTributosItem(true);
    EXPECT_EQ(d->ManterdvTotTrib(3.5), "3,50");
}

TEST(DANFeTexts, TheItemsAdditionalInformationFollowsTheDescription)
{
    Danfe d;
    TNFe nfe = ComUmItem();
    nfe.Det[0].infAdProd = "  LOTE A;validade b;  ";
    struct Row {
        const char *name;
        nfe::TinfAdcProd onde;
        bool quebra;
        std::string esperado;
    } rows[] = {
        {"after the description, one per line", nfe::infDescricao, true, "PRODUTO\r\nLOTE A\r\nvalidade b\r\n"},
        {"after the description, joined by dashes", nfe::infDescricao, false, "PRODUTO - LOTE A - validade b - "},
        {"in a row of its own", nfe::infSeparadamente, true, "PRODUTO"},
        {"nowhere", nfe::infNenhum, true, "PRODUTO"},
    };
    for (const Row &row : rows) {
        d->SetExibeInforAdicProduto(row.onde);
        d->SetQuebraLinhaEmDetalhamentos(row.quebra);
        EXPECT_EQ(d->ManterXProd(nfe, 0), row.esperado) << row.name;
    }
    EXPECT_EQ(d->ManterXProd(nfe, 1), "") << "an index past the items";
    EXPECT_EQ(d->ManterXProd(nfe, -1), "");
}

TEST(DANFeTexts, ApproximateTaxesOfAnItem)
{
    struct Row {
        const char *name;
        dfe::TpcnPercentualTributos base;
        double vProd, vFrete, vIPI, vTotTrib;
        std::string esperado;
    } rows[] = {
        {"percentage of the product value", dfe::ptValorProdutos, 200, 50, 0, 10,
         "\r\nVal Aprox Tributos: 10,00 (5,00%)"},
        {"percentage of the item's share of the invoice", dfe::ptValorNF, 150, 30, 20, 10,
         "\r\nVal Aprox Tributos: 10,00 (5,00%)"},
        {"no percentage on a zero product value", dfe::ptValorProdutos, 0, 0, 0, 10,
         "\r\nVal Aprox Tributos: 10,00"},
        {"nothing without taxes", dfe::ptValorProdutos, 200, 0, 0, 0, ""},
    };
    for (const Row &row : rows) {
        Danfe d;
        d->SetExibeTotalTributosItem(true);
        d->SetTributosPercentual(row.base);
        TNFe nfe = ComUmItem();
        nfe.Det[0].Prod.vProd = Valor(row.vProd);
        nfe.Det[0].Prod.vFrete = Valor(row.vFrete);
        nfe.Det[0].Imposto.IPI.vIPI = Valor(row.vIPI);
        nfe.Det[0].Imposto.vTotTrib = Valor(row.vTotTrib);
        EXPECT_EQ(d->ManterValAprox(nfe, 0), row.esperado) << row.name;
        d->SetExibeTotalTributosItem(false);
        EXPECT_EQ(d->ManterValAprox(nfe, 0), "") << row.name << ": switched off";
    }
}

TEST(DANFeTexts, VehicleLinesFollowTheSelectionInTheEnumerationsOrder)
{
    Danfe d;
    TNFe nfe = ComUmItem();
    EXPECT_EQ(d->ManterVeiculos(nfe, 0), "") << "no chassis, no vehicle";
    nfe::TveicProd &v = nfe.Det[0].Prod.veicProd;
    v.chassi = "9BWZZZ377VT004251";
    v.xCor = "PRATA";
    v.nSerie = "S1";
    v.tpComb = "02";
    v.nMotor = "M1";
    v.anoMod = 2024;
    v.anoFab = 2023;
    EXPECT_EQ(d->ManterVeiculos(nfe, 0),
              "\r\nCHASSI: 9BWZZZ377VT004251\r\nNOME DA COR: PRATA\r\nNÚMERO DE SÉRIE: S1\r\n"
              "COMBUSTÍVEL: 02-GASOLINA\r\nNÚMERO DO MOTOR: M1\r\nANO DO MODELO: 2024\r\n"
              "ANO DE FABRICAÇÃO: 2023\r\n");
    nfe::TDetVeiculos selecao;
    selecao.set(nfe::dv_tpOp).set(nfe::dv_lota);
    d->SetDetVeiculos(selecao);
    v.lota = 5;
    EXPECT_EQ(d->ManterVeiculos(nfe, 0), "\r\nTIPO DA OPERAÇÃO: 1-VENDA CONCESSIONÁRIA\r\n"
                                         "CAPACIDADE MÁXIMA DE LOTAÇÃO: 5\r\n");
}

TEST(DANFeTexts, MedicinesBeforeAndFromLayout4)
{
    rtl::TFormatSettings local = rtl::TFormatSettings::Brazil();
    local.ShortDateFormat = "yyyy-mm-dd"; // the user's format, to tell it from the fixed one
    const rtl::ScopedFormatSettings scope(local);
    Danfe d;
    TNFe nfe = ComUmItem();
    nfe::TmedCollectionItem &med = nfe.Det[0].Prod.med.New();
    med.cProdANVISA = "1234567890123";
    med.nLote = "L9";
    med.qLote = Valor(1234.5);
    med.dFab = rtl::EncodeDate(2024, 1, 2);
    med.dVal = rtl::EncodeDate(2026, 3, 4);
    med.vPMC = Valor(12.5);

    EXPECT_EQ(d->ManterMedicamentos(nfe, 0), "\r\nC.P. ANVISA 1234567890123\r\nPMC: R$12,50\r\n")
        << "layout 4.00: the registration and the price, never batch lines";
    nfe.infNFe.Versao = 3.1;
    EXPECT_EQ(d->ManterMedicamentos(nfe, 0),
              "\r\nLOTE: L9\r\nQTD: 1.234,500\r\nFAB: 2024-01-02\r\nVAL: 2026-03-04\r\nPMC: R$12,50\r\n");
    nfe::TDetMedicamentos semPreco;
    semPreco.set(nfe::dm_nLote);
    d->SetDetMedicamentos(semPreco);
    EXPECT_EQ(d->ManterMedicamentos(nfe, 0), "\r\nLOTE: L9\r\n");
}

TEST(DANFeTexts, BatchesWeaponsAndFuel)
{
    Danfe d;
    TNFe nfe = ComUmItem();
    nfe::TRastroCollectionItem &rastro = nfe.Det[0].Prod.rastro.New();
    rastro.nLote = "R1";
    rastro.qLote = Valor(2.5);
    rastro.dFab = rtl::EncodeDate(2024, 1, 2);
    rastro.dVal = rtl::EncodeDate(2025, 12, 31);
    EXPECT_EQ(d->ManterRastro(nfe, 0), "\r\nLOTE: R1\r\nQTD: 2,50\r\nFAB: 02/01/2024\r\nVAL: 31/12/2025\r\n");
    rastro.cAgreg = "AG7";
    d->SetDetRastros(nfe::TDetRastros().set(nfe::dr_cAgreg));
    EXPECT_EQ(d->ManterRastro(nfe, 0), "\r\nC.AGREGAÇÃO: AG7\r\n");
    d->SetDetRastros(nfe::TDetRastros());
    EXPECT_EQ(d->ManterRastro(nfe, 0), "") << "an empty selection prints no batch at all";

    nfe::TarmaCollectionItem &arma = nfe.Det[0].Prod.arma.New();
    arma.tpArma = nfe::taUsoRestrito;
    arma.nSerie = "A1";
    arma.nCano = "C1";
    arma.descr = "PISTOLA";
    EXPECT_EQ(d->ManterArma(nfe, 0), "\r\nTIPO DE ARMA: 1-USO RESTRITO\r\nNo. SÉRIE ARMA: A1\r\n"
                                     "No. SÉRIE CANO: C1\r\nDESCRIÇÃO ARMA: PISTOLA\r\n");

    nfe::TComb &comb = nfe.Det[0].Prod.comb;
    EXPECT_EQ(d->ManterCombustivel(nfe, 0), "") << "no ANP code, no fuel";
    comb.cProdANP = 210203001;
    comb.UFcons = "SP";
    comb.CIDE.qBCProd = Valor(13);
    comb.CIDE.vAliqProd = Valor(0.1);
    comb.CIDE.vCIDE = Valor(1.3);
    comb.encerrante.nBico = 3;
    comb.encerrante.nTanque = 1;
    comb.encerrante.vEncIni = Valor(1000.125);
    comb.encerrante.vEncFin = Valor(1013.125);
    EXPECT_EQ(d->ManterCombustivel(nfe, 0),
              "\r\nCÓD. PRODUTO ANP: 210203001\r\nUF DE CONSUMO: SP\r\nBASE DE CÁLCULO CIDE: 13,0000\r\n"
              "ALÍQUOTA CIDE: 0,1000\r\nVALOR CIDE: 1,30\r\nENCERRANTE\r\nBICO: 3\r\nTANQUE: 1\r\n"
              "NO INÍCIO: 1.000,125\r\nNO FINAL: 1.013,125\r\n");

    // The description gathers every detail, in its order.
    nfe.Det[0].infAdProd = "OBS";
    const std::string descricao = d->ManterXProd(nfe, 0);
    const auto em = [&](const char *texto) { return descricao.find(texto); };
    EXPECT_LT(em("OBS"), em("TIPO DE ARMA"));
    EXPECT_LT(em("TIPO DE ARMA"), em("CÓD. PRODUTO ANP"));
    d->SetImprimeDetalhamentoEspecifico(false);
    EXPECT_EQ(d->ManterXProd(nfe, 0), "PRODUTO\r\nOBS");
}

TEST(DANFeTexts, DiscountsAndTaxPercentages)
{
    Danfe d;
    EXPECT_EQ(d->ManterVDesc(2, 50, Valor(10)), 10) << "the discount itself";
    d->SetImprimeDescPorPercentual(true);
    EXPECT_EQ(d->ManterVDesc(2, 50, Valor(10)), 10) << "10 of 2 x 50 is 10%";
    EXPECT_EQ(d->ManterVDesc(0, 50, Valor(10)), 0);

    struct Row {
        const char *name;
        dfe::TpcnPercentualTributos base;
        double tributos, produtos, nota, esperado;
    } rows[] = {
        {"of the products", dfe::ptValorProdutos, 10, 200, 400, 5},
        {"of the invoice", dfe::ptValorNF, 10, 200, 400, 2.5},
        {"no products: no percentage, not an infinite one", dfe::ptValorProdutos, 10, 0, 400, 0},
        {"no invoice value", dfe::ptValorNF, 10, 200, 0, 0},
    };
    for (const Row &row : rows) {
        d->SetTributosPercentual(row.base);
        EXPECT_EQ(d->ManterVTribPerc(row.tributos, row.produtos, row.nota), row.esperado) << row.name;
    }
    d->SetTributosPercentual(dfe::ptPersonalizado);
    d->SetTributosPercentualPersonalizado(7.5);
    EXPECT_EQ(d->ManterVTribPerc(10, 0, 0), 7.5);

    struct Coluna {
        dfe::TpcnImprimeDescAcrescItem quando;
        double valor;
        bool mostra;
    } colunas[] = {{dfe::idaiSempre, 0, true}, {dfe::idaiNunca, 5, false}, {dfe::idaiComValor, 0, false},
                   {dfe::idaiComValor, 0.01, true}};
    for (const Coluna &c : colunas) {
        d->SetImprimeDescAcrescItem(c.quando);
        EXPECT_EQ(d->ManterColunaDesconto(c.valor), c.mostra) << c.quando << " " << c.valor;
    }
}

// ---- Additional data -----------------------------------------------------------------------

TEST(DANFeTexts, ObservationsProcessesAndFiscoText)
{
    Danfe d;
    TNFe nfe;
    struct Fisco {
        const char *name;
        std::string infAdFisco, infCpl, esperado;
    } fiscos[] = {
        {"a separator when text follows", "A", "B", "A; "},
        {"none when it already ends with one", "A;", "B", "A;"},
        {"none when nothing follows", "A", "", "A"},
        {"empty", "", "B", ""},
    };
    for (const Fisco &f : fiscos) {
        nfe.InfAdic.infAdFisco = f.infAdFisco;
        nfe.InfAdic.infCpl = f.infCpl;
        EXPECT_EQ(d->ManterInfAdFisco(nfe), f.esperado) << f.name;
    }

    for (auto [campo, texto] : {std::pair{"Processo", "P1"}, std::pair{"Lote", "L2"}}) {
        nfe::TobsFiscoCollectionItem &obs = nfe.InfAdic.obsFisco.New();
        obs.xCampo = campo;
        obs.xTexto = texto;
        nfe::TobsContCollectionItem &cont = nfe.InfAdic.obsCont.New();
        cont.xCampo = campo;
        cont.xTexto = texto;
    }
    EXPECT_EQ(d->ManterObsFisco(nfe), "Processo: P1;Lote: L2; ");
    EXPECT_EQ(d->ManterInfContr(nfe), "Processo: P1;Lote: L2; ");
    d->SetImprimeInfContr(false);
    EXPECT_EQ(d->ManterInfContr(nfe), "");

    for (auto [numero, origem] : {std::pair{"1", dfe::ipSEFAZ}, std::pair{"2", dfe::ipJusticaFederal},
                                  std::pair{"3", dfe::ipOutros}}) {
        nfe::TprocRefCollectionItem &proc = nfe.InfAdic.procRef.New();
        proc.nProc = numero;
        proc.indProc = origem;
    }
    EXPECT_EQ(d->ManterProcreferenciado(nfe),
              "PROCESSO OU ATO CONCESSÓRIO Nº: 1 - ORIGEM: SEFAZ;PROCESSO OU ATO CONCESSÓRIO Nº: 2 - ORIGEM: "
              "JUSTIÇA FEDERAL;PROCESSO OU ATO CONCESSÓRIO Nº: 3 - ORIGEM: OUTROS; ");
}

TEST(DANFeTexts, ReferencedDocumentsShareOneHeadingPerKind)
{
    const std::string nfe1 = "35240512345678000195550010000012341123456786";
    const std::string nfe2 = "35240512345678000195550010000012351123456781";
    const std::string nfce = "35240512345678000195650010000012341123456786";
    const std::string sat = "35240512345678000195590010000012341123456786";
    const std::string cte = "35240512345678000195570010000000011000000017";
    const auto chave = [](const std::string &k) { return dfe::FormatarChaveAcesso(k); };
    struct Ref {
        std::string refNFe, refCTe;
    };
    struct Row {
        const char *name;
        std::vector<Ref> refs;
        std::string esperado;
    } rows[] = {
        {"two NF-e keys", {{nfe1, ""}, {nfe2, ""}}, "NFe Ref.:(" + chave(nfe1) + "), (" + chave(nfe2) + ")\r\n"},
        {"an NF-e and a CT-e", {{nfe1, ""}, {"", cte}}, "NFe Ref.:(" + chave(nfe1) + "), CTe Ref.:(" + chave(cte) + ")\r\n"},
        {"keys named by their model", {{nfce, ""}, {sat, ""}},
         "NFCe Ref.:(" + chave(nfce) + "), CFe-SAT Ref.:(" + chave(sat) + ")\r\n"},
    };
    for (const Row &row : rows) {
        Danfe d;
        TNFe nfe;
        for (const Ref &r : row.refs) {
            nfe::TNFrefCollectionItem &item = nfe.Ide.NFref.New();
            item.refNFe = r.refNFe;
            item.refCTe = r.refCTe;
        }
        EXPECT_EQ(d->ManterDocreferenciados(nfe), row.esperado) << row.name;
        d->SetExibeDadosDocReferenciados(false);
        EXPECT_EQ(d->ManterDocreferenciados(nfe), "") << row.name << ": switched off";
    }

    Danfe d;
    TNFe nfe;
    nfe::TNFrefCollectionItem &papel = nfe.Ide.NFref.New();
    papel.RefNF.CNPJ = "12345678000195";
    papel.RefNF.modelo = 1;
    papel.RefNF.serie = 2;
    papel.RefNF.nNF = 321;
    nfe::TNFrefCollectionItem &produtor = nfe.Ide.NFref.New();
    produtor.RefNFP.cUF = 31;
    produtor.RefNFP.CNPJCPF = "12345678909";
    produtor.RefNFP.IE = "0620012345678";
    produtor.RefNFP.modelo = "04";
    produtor.RefNFP.serie = 3;
    produtor.RefNFP.nNF = 77;
    nfe::TNFrefCollectionItem &ecf = nfe.Ide.NFref.New();
    ecf.RefECF.modelo = dfe::ECFModRef2D;
    ecf.RefECF.nECF = "005";
    ecf.RefECF.nCOO = "001234";
    d->SetQuebraLinhaEmDetalhamentos(false);
    EXPECT_EQ(d->ManterDocreferenciados(nfe),
              "NF Ref.:(série: 2 número: 321 emit: 12.345.678/0001-95 modelo: 1), "
              "NFP Ref.:(série: 3 número: 77 modelo: 04 emit: 123.456.789-09 IE: 0620012345678 UF: MG), "
              "ECF Ref.:(modelo: 2D ECF: 005 COO: 001234) - ");
}

TEST(DANFeTexts, PaymentsGoToTheAdditionalDataOnlyWhenAsked)
{
    Danfe d;
    TNFe nfe;
    nfe::TpagCollectionItem &dinheiro = nfe.pag.New();
    dinheiro.tPag = dfe::fpDinheiro;
    dinheiro.vPag = Valor(100.09);
    nfe::TpagCollectionItem &cartao = nfe.pag.New();
    cartao.tPag = dfe::fpCartaoCredito;
    cartao.vPag = Valor(1055);
    EXPECT_EQ(d->ManterPagamentos(nfe), "") << "eipNunca";
    d->SetExibeCampoDePagamento(nfe::eipQuadro);
    EXPECT_EQ(d->ManterPagamentos(nfe), "") << "in the grid instead";
    d->SetExibeCampoDePagamento(nfe::eipAdicionais);
    EXPECT_EQ(d->ManterPagamentos(nfe), "Pagamento(s): (Dinheiro R$100,09, Cartão de Crédito R$1.055,00)\r\n");
}

TEST(DANFeTexts, ContingencyProtocolAndSuframa)
{
    rtl::TFormatSettings local = rtl::TFormatSettings::Brazil();
    local.ShortDateFormat = "yyyy-mm-dd";
    local.LongTimeFormat = "hh:nn";
    const rtl::ScopedFormatSettings scope(local);

    struct Row {
        const char *name;
        dfe::TpcnTipoEmissao tpEmis;
        rtl::TDateTime dhCont;
        std::string xJust;
        std::string esperado;
    } rows[] = {
        {"normal", dfe::teNormal, 0, "", ""},
        {"security paper", dfe::teFSDA, 0, "", "DANFE EM CONTINGÊNCIA, IMPRESSO EM DECORRÊNCIA DE PROBLEMAS TÉCNICOS;"},
        {"offline", dfe::teOffLine, 0, "", "DANFE EM CONTINGÊNCIA, IMPRESSO EM DECORRÊNCIA DE PROBLEMAS TÉCNICOS;"},
        {"DPEC in the user's date format", dfe::teDPEC, rtl::EncodeDateTime(2024, 5, 17, 9, 30, 0, 0), "QUEDA",
         "DANFE IMPRESSO EM CONTINGÊNCIA - DPEC REGULARMENTE RECEBIDA PELA RECEITA FEDERAL DO BRASIL;"
         "DATA/HORA INÍCIO: 2024-05-17 09:30;MOTIVO CONTINGÊNCIA: QUEDA;"},
        {"DPEC without start or reason", dfe::teDPEC, 0, "",
         "DANFE IMPRESSO EM CONTINGÊNCIA - DPEC REGULARMENTE RECEBIDA PELA RECEITA FEDERAL DO BRASIL;"
         "DATA/HORA INÍCIO:  ;MOTIVO CONTINGÊNCIA:  ;"},
    };
    Danfe d;
    for (const Row &row : rows) {
        TNFe nfe;
        nfe.Ide.tpEmis = row.tpEmis;
        nfe.Ide.dhCont = row.dhCont;
        nfe.Ide.xJust = row.xJust;
        EXPECT_EQ(d->ManterContingencia(nfe), row.esperado) << row.name;
    }

    TNFe nfe;
    nfe.procNFe.cStat = 100;
    nfe.procNFe.nProt = "135";
    nfe.procNFe.dhRecbto = rtl::EncodeDateTime(2024, 5, 17, 10, 35, 12, 0);
    EXPECT_EQ(d->ManterProtocolo(nfe), "") << "printed in the header of a normal document";
    nfe.Ide.tpEmis = dfe::teContingencia;
    EXPECT_EQ(d->ManterProtocolo(nfe), "PROTOCOLO DE AUTORIZAÇÃO DE USO: 135 17/05/2024 10:35:12");
    nfe.procNFe.cStat = 101;
    EXPECT_EQ(d->ManterProtocolo(nfe), "");

    EXPECT_EQ(d->ManterSuframa(nfe), "");
    nfe.Dest.ISUF = "200123456";
    EXPECT_EQ(d->ManterSuframa(nfe), "INSCRIÇÃO SUFRAMA: 200123456");
}

TEST(DANFeTexts, TheAdditionalDataTurnEverySemicolonIntoALineBreak)
{
    Danfe d;
    TNFe nfe;
    nfe.Dest.ISUF = "200123456";
    nfe.InfAdic.infAdFisco = "FISCO";
    nfe.InfAdic.infCpl = "COMPLEMENTO; FIM";
    nfe::TobsFiscoCollectionItem &obs = nfe.InfAdic.obsFisco.New();
    obs.xCampo = "Processo";
    obs.xTexto = "P1";
    nfe.Ide.tpEmis = dfe::teSVCAN;
    EXPECT_EQ(d->ManterInformacoesDadosAdicionais(nfe),
              "INSCRIÇÃO SUFRAMA: 200123456FISCO\r\n Processo: P1\r\n COMPLEMENTO\r\n FIM"
              "DANFE EM CONTINGÊNCIA, IMPRESSO EM DECORRÊNCIA DE PROBLEMAS TÉCNICOS\r\n");
}

} // namespace
