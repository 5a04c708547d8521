// The portrait DANFE as prepared pages: its band structure and conditions, the header of
// every page, the status marks, fonts and boxed rows.

#include "support.h"

#include "nfe/danfe/layout.h"

#include "dfe/accesskey.h"
#include "report/barcode.h"
#include "report/outputs.h"
#include "report/painter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using danfe_test::BandaNaPagina;
using danfe_test::Componentes;
using danfe_test::RunDe;
using danfe_test::Impresso;
using danfe_test::kChave;
using danfe_test::NotaAutorizada;
using danfe_test::OrdemDe;
using danfe_test::TextoDe;
using danfe_test::Valor;
using nfe::TNFe;

// A document long enough for two pages.
TNFe NotaComItens(int itens)
{
    TNFe nfe = NotaAutorizada();
    for (int i = nfe.Det.Count(); i < itens; ++i)
        nfe.Det.New().Prod.xProd = "ITEM";
    return nfe;
}

// ---- Page structure --------------------------------------------------------------------------

TEST(DANFeRetrato, HoldsEveryBandOfThePageStructureWithItsKind)
{
    nfe::TfrlDANFeRLRetrato layout;
    using report::BandKind;
    struct Row {
        const char *name;
        BandKind kind;
    } rows[] = {
        {"rlbReciboHeader", BandKind::PageHeader},
        {"rlbReciboHeaderBarra", BandKind::PageHeader},
        {"rlbDivisaoRecibo", BandKind::PageHeader},
        {"rlbEmitente", BandKind::PageHeader},
        {"rlbDestinatario", BandKind::Title},
        {"rlbRetirada", BandKind::Title},
        {"rlbEntrega", BandKind::Title},
        {"rlbFaturaReal", BandKind::Title},
        {"rlbFatura", BandKind::Title},
        {"rlbPagamentoReal", BandKind::Title},
        {"rlbImposto", BandKind::Title},
        {"rlbTransp", BandKind::Title},
        {"rlbCanceladaDenegada", BandKind::ColumnHeader},
        {"rlbAvisoContingencia", BandKind::ColumnHeader},
        {"rlbCabecalhoItens", BandKind::ColumnHeader},
        {"rlbItens", BandKind::Detail},
        {"RLBandInfAd", BandKind::Detail},
        {"rlbContinuacaoInformacoesComplementares", BandKind::Summary},
        {"rlbISSQN", BandKind::PageFooter},
        {"rlbDadosAdicionais", BandKind::PageFooter},
    };
    double ordemAnterior = -1;
    BandKind tipoAnterior = BandKind::PageHeader;
    for (const Row &row : rows) {
        const report::Band *banda = layout.RLNFe.findBand(row.name);
        ASSERT_NE(banda, nullptr) << row.name;
        EXPECT_EQ(banda->kind, row.kind) << row.name;
        if (banda->kind == tipoAnterior && row.kind != BandKind::Detail) {
            EXPECT_GT(banda->order, ordemAnterior) << row.name << ": in the order they print";
        }
        ordemAnterior = banda->order;
        tipoAnterior = banda->kind;
    }
    ASSERT_EQ(layout.RLNFe.subReports().size(), 1u);
    EXPECT_EQ(layout.RLNFe.subReports()[0]->name, "subItens");
    EXPECT_EQ(layout.RLNFe.caption, "DANFe");
}

TEST(DANFeRetrato, FirstPageBandsFollowTheirConditions)
{
    struct Row {
        const char *name;
        std::function<void(TNFe &, nfe::TOvixNFeDANFeRL &)> ajuste;
        std::vector<std::string> presentes, ausentes;
    } rows[] = {
        {"an authorized document",
         [](TNFe &, nfe::TOvixNFeDANFeRL &) {},
         {"rlbReciboHeader", "rlbDivisaoRecibo", "rlbEmitente", "rlbDestinatario", "rlbImposto", "rlbTransp",
          "rlbCabecalhoItens", "rlbItens", "rlbDadosAdicionais"},
         {"rlbReciboHeaderBarra", "rlbRetirada", "rlbEntrega", "rlbFaturaReal", "rlbFatura", "rlbPagamentoReal",
          "rlbCanceladaDenegada", "rlbAvisoContingencia", "rlbISSQN", "rlbContinuacaoInformacoesComplementares"}},
        {"places, invoice, instalments, payments in a grid, ISSQN",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &d) {
             n.Retirada.xLgr = "RUA A";
             n.Entrega.xLgr = "RUA B";
             n.Cobr.Fat.nFat = "FAT-1";
             n.Cobr.Dup.New().nDup = "001";
             n.pag.New().vPag = Valor(20);
             d.SetExibeCampoDePagamento(nfe::eipQuadro);
             n.Total.ISSQNtot.vServ = Valor(5);
             n.Emit.IM = "12345";
         },
         {"rlbRetirada", "rlbEntrega", "rlbFaturaReal", "rlbFatura", "rlbPagamentoReal", "rlbISSQN"},
         {}},
        {"layout 4.00 without an invoice number prints no invoice; ISSQN needs the municipal registration",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.Total.ISSQNtot.vServ = Valor(5); },
         {},
         {"rlbFaturaReal", "rlbISSQN"}},
        {"layout 3.10 paid in instalments prints the invoice without a number",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.infNFe.Versao = 3.1;
             n.Ide.indPag = dfe::ipPrazo;
         },
         {"rlbFaturaReal"},
         {}},
        {"payments in the additional data print no grid; ISSQN shown by the setting",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &d) {
             n.pag.New().vPag = Valor(20);
             d.SetExibeCampoDePagamento(nfe::eipAdicionais);
             d.SetExibeDadosISSQN(true);
         },
         {"rlbISSQN"},
         {"rlbPagamentoReal"}},
        {"the stub with the barcode", [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetPosCanhotoLayout(dfe::prlBarra); },
         {"rlbReciboHeaderBarra", "rlbDivisaoRecibo"},
         {"rlbReciboHeader"}},
    };
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        row.ajuste(nfe, *c.danfe);
        const report::PreparedReport r = c.Imprimir(nfe);
        const auto impressa = [&r](const std::string &banda) {
            return std::any_of(r.pages.begin(), r.pages.end(),
                               [&](const report::PreparedPage &p) { return BandaNaPagina(p, banda); });
        };
        for (const std::string &banda : row.presentes)
            EXPECT_TRUE(impressa(banda)) << row.name << ": " << banda;
        for (const std::string &banda : row.ausentes)
            EXPECT_FALSE(impressa(banda)) << row.name << ": " << banda;
    }
}

TEST(DANFeRetrato, TheStubCanGoToThePageFootUnderTheAdditionalData)
{
    Componentes c;
    c.danfe->SetPosCanhoto(dfe::prRodape);
    const report::PreparedPage pagina = c.Imprimir(NotaAutorizada()).pages.at(0);
    const auto dados = report::placements(pagina, "rlbDadosAdicionais");
    const auto corte = report::placements(pagina, "rlbDivisaoRecibo");
    const auto canhoto = report::placements(pagina, "rlbReciboHeader");
    ASSERT_EQ(dados.size(), 1u);
    ASSERT_EQ(corte.size(), 1u);
    ASSERT_EQ(canhoto.size(), 1u);
    EXPECT_DOUBLE_EQ(corte[0].top, dados[0].top + dados[0].height);
    EXPECT_DOUBLE_EQ(canhoto[0].top, corte[0].top + corte[0].height);
    EXPECT_EQ(canhoto[0].kind, report::BandKind::PageFooter);
    EXPECT_EQ(report::placements(pagina, "rlbEmitente").at(0).top, pagina.bands.at(0).top)
        << "the header is then the first band of the page";
}

// ---- Header --------------------------------------------------------------------------------

TEST(DANFeRetrato, TheHeaderIdentifiesIssuerDocumentAndProtocol)
{
    Componentes c;
    c.danfe->SetFax("1133335555");
    c.danfe->SetSite("www.emitente.example");
    const report::PreparedReport r = c.Imprimir(NotaAutorizada());
    ASSERT_EQ(r.pages.size(), 1u);
    const report::PreparedPage &p = r.pages[0];

    EXPECT_EQ(r.title, kChave) << "the title is the key's digits";
    EXPECT_EQ(TextoDe(p, "rlmEmitente"), "EMPRESA EMITENTE LTDA");
    const std::string endereco = TextoDe(p, "rlmEndereco");
    EXPECT_NE(endereco.find("RUA DAS FLORES, 100 SALA 2 - CENTRO - CEP:01001-000"), std::string::npos) << endereco;
    EXPECT_NE(endereco.find("TEL: (11)3333-4444 - FAX: (11)3333-5555"), std::string::npos) << endereco;
    EXPECT_NE(endereco.find("www.emitente.example"), std::string::npos) << endereco;
    EXPECT_EQ(TextoDe(p, "rllChave"), "3524 0512 3456 7800 0195 5500 1000 0012 3411 2345 6786");
    EXPECT_EQ(TextoDe(p, "rllNumNF1"), "Nº 000001234");
    EXPECT_EQ(TextoDe(p, "rllSERIE1"), "SÉRIE 001");
    EXPECT_EQ(TextoDe(p, "rllNumNF0"), "Nº 000001234") << "the stub repeats them";
    EXPECT_EQ(TextoDe(p, "rllSERIE0"), "SÉRIE 001");
    EXPECT_EQ(TextoDe(p, "rllEntradaSaida"), "1");
    EXPECT_EQ(TextoDe(p, "rllNatOperacao"), "VENDA DE MERCADORIA");
    EXPECT_EQ(TextoDe(p, "rllDadosVariaveis3_Descricao"), "PROTOCOLO DE AUTORIZAÇÃO DE USO");
    EXPECT_EQ(TextoDe(p, "rllDadosVariaveis3"), "135240000012345 17/05/2024 10:35:12");
    EXPECT_EQ(TextoDe(p, "rllInscricaoEstadual"), "111222333444");
    EXPECT_EQ(TextoDe(p, "rllInscrEstSubst"), "999888777");
    EXPECT_EQ(TextoDe(p, "rllCNPJ"), "12.345.678/0001-95");
    EXPECT_EQ(TextoDe(p, "rllPageNumber"), "fl. 1");
    EXPECT_EQ(TextoDe(p, "rllLastPage"), "/1");
    for (const char *linha : {"rllDadosVariaveis1a", "rllDadosVariaveis1b", "rllDadosVariaveis1c"})
        EXPECT_TRUE(Impresso(p, linha)) << linha;
    EXPECT_FALSE(Impresso(p, "rllXmotivo")) << "an authorized NF-e has no status text";
    EXPECT_FALSE(Impresso(p, "rlbCodigoBarrasFS"));
    EXPECT_FALSE(Impresso(p, "rllContingencia")) << "no placeholder where there is no contingency";
}

TEST(DANFeRetrato, NumbersAreZeroPaddedWithoutSeparatorsAndAddressesDropANumberZero)
{
    Componentes c;
    TNFe nfe = NotaAutorizada();
    nfe.Ide.nNF = 123456789;
    nfe.Ide.serie = 12;
    nfe.Emit.EnderEmit.nro = "0";
    nfe.Emit.EnderEmit.xCpl = "";
    const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
    EXPECT_EQ(TextoDe(p, "rllNumNF1"), "Nº 123456789");
    EXPECT_EQ(TextoDe(p, "rllSERIE1"), "SÉRIE 012");
    const std::string endereco = TextoDe(p, "rlmEndereco");
    EXPECT_EQ(endereco.rfind("RUA DAS FLORES  - CENTRO", 0), 0u) << endereco;
    EXPECT_EQ(endereco.find("FAX"), std::string::npos) << "no fax, no fax caption";
}

TEST(DANFeRetrato, TheKeyBarcodeReadsBackAsTheKey)
{
    Componentes c;
    const report::PreparedPage p = c.Imprimir(NotaAutorizada()).pages.at(0);
    const auto barras = report::bySource(p, "rlbCodigoBarras");
    ASSERT_EQ(barras.size(), 1u);
    const auto &item = std::get<report::BarsItem>(*barras[0]);
    EXPECT_EQ(item.data, kChave);
    EXPECT_FALSE(item.bars.empty());

    constexpr double escala = 6;
    const QImage pagina = report::renderPage(p, escala);
    const QRectF area = item.box.adjusted(-12, -8, 12, 8);
    const QImage recorte = pagina.copy(QRectF(area.topLeft() * escala, area.size() * escala).toRect());
    const ZXing::Result lido = report::test::readSymbol(recorte, ZXing::BarcodeFormat::Code128);
    ASSERT_TRUE(lido.isValid());
    EXPECT_EQ(report::test::bytesOf(lido), kChave);
}

// ---- Status marks -----------------------------------------------------------------------------

TEST(DANFeRetrato, StatusMarksFollowTheProtocolAndTheEmissionType)
{
    const std::string autorizacao = "135240000012345 17/05/2024 10:35:12";
    const std::string contingencia = "DANFE em Contingência - Impresso em decorrência de problemas técnicos";
    struct Row {
        const char *name;
        bool cancelada;
        int cStat;
        dfe::TpcnTipoEmissao tpEmis;
        std::string nProt;
        std::string motivo, faixa, descricao, valor, aviso;
        bool portal;
    } rows[] = {
        {"authorized", false, 100, dfe::teNormal, "135240000012345", "<none>", "<none>",
         "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", true},
        {"marked cancelled by the component", true, 100, dfe::teNormal, "135240000012345", "NF-e CANCELADA",
         "NF-e CANCELADA", "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", true},
        {"cancelled", false, 101, dfe::teNormal, "135240000012345", "NF-e CANCELADA", "<none>",
         "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", true},
        {"cancelled by event", false, 135, dfe::teNormal, "135240000012345", "NF-e CANCELADA", "<none>",
         "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", true},
        {"denied", false, 110, dfe::teNormal, "135240000012345", "NF-e DENEGADA", "NF-e DENEGADA",
         "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", true},
        {"denied recipient", false, 302, dfe::teNormal, "135240000012345", "NF-e DENEGADA", "NF-e DENEGADA",
         "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", true},
        {"rejected", false, 539, dfe::teNormal, "", "Rejeição: Duplicidade", "<none>", "<none>", "<none>", "<none>",
         true},
        {"never sent", false, 0, dfe::teNormal, "", "NF-E NÃO ENVIADA PARA SEFAZ", "<none>", "<none>", "<none>",
         "<none>", false},
        {"security paper", false, 0, dfe::teFSDA, "", "<none>", "<none>", "DADOS DA NF-E", "(key)", contingencia,
         false},
        {"EPEC registered", false, 0, dfe::teDPEC, "", "<none>", "<none>", "NÚMERO DE REGISTRO DO EPEC", "<none>",
         "DANFE impresso em contingência - DPEC regularmente recebida pela Receita Federal do Brasil", false},
        {"EPEC authorized", false, 100, dfe::teDPEC, "135240000012345", "<none>", "<none>",
         "PROTOCOLO DE AUTORIZAÇÃO DE USO", autorizacao, "<none>", false},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetCancelada(row.cancelada);
        TNFe nfe = NotaAutorizada();
        nfe.procNFe.cStat = row.cStat;
        nfe.procNFe.nProt = row.nProt;
        nfe.procNFe.xMotivo = "Rejeição: Duplicidade";
        nfe.Ide.tpEmis = row.tpEmis;
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);

        EXPECT_EQ(TextoDe(p, "rllXmotivo"), row.motivo) << row.name;
        EXPECT_EQ(TextoDe(p, "RLLCanceladaDenegada"), row.faixa) << row.name;
        EXPECT_EQ(BandaNaPagina(p, "rlbCanceladaDenegada"), row.faixa != "<none>") << row.name;
        EXPECT_EQ(TextoDe(p, "rllDadosVariaveis3_Descricao"), row.descricao) << row.name;
        const std::string valor = row.valor == "(key)"
                                      ? dfe::FormatarChaveAcesso(c.nfe->GerarChaveContingencia(nfe))
                                      : row.valor;
        EXPECT_EQ(TextoDe(p, "rllDadosVariaveis3"), valor) << row.name;
        EXPECT_EQ(TextoDe(p, "rllAvisoContingencia"), row.aviso) << row.name;
        EXPECT_EQ(Impresso(p, "rllDadosVariaveis1a"), row.portal || row.tpEmis == dfe::teDPEC) << row.name;
        EXPECT_EQ(Impresso(p, "rllDadosVariaveis1c"), row.portal) << row.name;
        EXPECT_EQ(Impresso(p, "rlbCodigoBarrasFS"), row.tpEmis == dfe::teFSDA) << row.name;
        EXPECT_TRUE(Impresso(p, "rlbCodigoBarras")) << row.name << ": the key barcode prints for every status";
    }
}

TEST(DANFeRetrato, AStatusTextIsDrawnOverTheKeyBarcodeOnWhite)
{
    for (int cStat : {101, 0, 539}) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        nfe.procNFe.cStat = cStat;
        nfe.procNFe.xMotivo = "Rejeição: Duplicidade";
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);

        const auto barras = OrdemDe(p, "rlbCodigoBarras");
        const auto fundo = OrdemDe(p, "rliFundoXmotivo");
        const auto texto = OrdemDe(p, "rllXmotivo");
        ASSERT_TRUE(barras && fundo && texto) << cStat;
        EXPECT_LT(*barras, *fundo) << cStat << ": the ground covers the bars";
        EXPECT_LT(*fundo, *texto) << cStat << ": the text lies on the ground";

        const auto &ground = std::get<report::RectItem>(p.items[*fundo]);
        const report::TextRun *run = RunDe(p, "rllXmotivo");
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(ground.fill, QColor(Qt::white)) << cStat;
        const QRectF desenho(run->box.center().x() - run->width / 2, run->box.top(), run->width, run->box.height());
        EXPECT_TRUE(ground.rect.contains(desenho)) << cStat << ": the whole text is on white";
        const auto &bars = std::get<report::BarsItem>(p.items[*barras]);
        EXPECT_TRUE(bars.box.intersects(desenho)) << cStat << ": the text does lie over the barcode";
    }
}

TEST(DANFeRetrato, KeyBarcodesScanAt200DpiWhateverTheStatusOverThem)
{
    struct Row {
        const char *name;
        std::function<void(TNFe &, nfe::TOvixNFeDANFeRL &)> ajuste;
    } rows[] = {
        {"authorized", [](TNFe &, nfe::TOvixNFeDANFeRL &) {}},
        {"cancelled", [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.procNFe.cStat = 101; }},
        {"marked cancelled by the component", [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetCancelada(true); }},
        {"rejected in homologation, the reason over the bars",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.Ide.tpAmb = dfe::taHomologacao;
             n.procNFe.cStat = 539;
             n.procNFe.xMotivo = "Rejeição: Duplicidade de NF-e com diferença na Chave de Acesso";
         }},
        {"never sent", [](TNFe &n, nfe::TOvixNFeDANFeRL &) { n.procNFe = nfe::TProcNFe(); }},
        {"security paper: the contingency data too",
         [](TNFe &n, nfe::TOvixNFeDANFeRL &) {
             n.Ide.tpEmis = dfe::teFSDA;
             n.procNFe = nfe::TProcNFe();
         }},
        {"stub with the key barcode", [](TNFe &, nfe::TOvixNFeDANFeRL &d) { d.SetPosCanhotoLayout(dfe::prlBarra); }},
    };
    constexpr double dpi = 200;
    for (const Row &row : rows) {
        Componentes c;
        TNFe nfe = NotaAutorizada();
        row.ajuste(nfe, *c.danfe);
        const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
        const QImage pagina = report::renderPage(p, dpi / 96);
        const auto fundo = report::bySource(p, "rliFundoXmotivo");

        int lidos = 0;
        for (const char *controle : {"rlbCodigoBarras", "rlbCodigoBarrasFS", "RLBarraBarcode"}) {
            const auto barras = report::bySource(p, controle);
            if (barras.empty())
                continue;
            const auto &codigo = std::get<report::BarsItem>(*barras.at(0));
            const std::string nome = std::string(row.name) + ": " + controle;
            ASSERT_FALSE(codigo.bars.empty()) << nome;

            // A module of at least 0.25 mm, as tall as the control, and ten modules of quiet
            // zone on each side inside the control's room.
            const double modulo = std::min_element(codigo.bars.begin(), codigo.bars.end(), [](auto &a, auto &b) {
                                      return a.width() < b.width();
                                  })->width();
            EXPECT_GE(modulo, report::mmToPx(0.25)) << nome;
            const double inicio = codigo.bars.front().left(), fim = codigo.bars.back().right();
            EXPECT_NEAR((fim - inicio) / modulo, static_cast<double>(report::code128Modules(codigo.data).size()), 1e-6)
                << nome;
            EXPECT_GE(inicio - codigo.box.left(), 10 * modulo) << nome;
            EXPECT_GE(codigo.box.right() - fim, 10 * modulo) << nome;
            EXPECT_DOUBLE_EQ(codigo.bars.front().height(), codigo.box.height()) << nome;

            // A status text over the bars covers their upper part only.
            for (const report::Primitive *f : fundo) {
                const QRectF coberto = std::get<report::RectItem>(*f).rect.intersected(codigo.box);
                if (!coberto.isEmpty()) {
                    EXPECT_GE(codigo.box.bottom() - coberto.bottom(), codigo.box.height() / 2) << nome;
                }
            }

            const QRectF area = codigo.box.adjusted(-6, -4, 6, 4);
            const QImage recorte =
                pagina.copy(QRectF(area.topLeft() * dpi / 96, area.size() * dpi / 96).toAlignedRect());
            const ZXing::Result lido = report::test::readSymbol(recorte, ZXing::BarcodeFormat::Code128);
            ASSERT_TRUE(lido.isValid()) << nome;
            EXPECT_EQ(report::test::bytesOf(lido), codigo.data) << nome;
            ++lidos;
        }
        EXPECT_EQ(lidos, 1 + (nfe.Ide.tpEmis == dfe::teFSDA) + (c.danfe->PosCanhotoLayout() == dfe::prlBarra))
            << row.name;
        EXPECT_EQ(std::get<report::BarsItem>(*report::bySource(p, "rlbCodigoBarras").at(0)).data, kChave) << row.name;
    }
}

TEST(DANFeRetrato, TheKeyLabelShrinksToFitButNotBelowAReadableSize)
{
    Componentes c;
    const report::TextRun *run = nullptr;
    const report::PreparedPage normal = c.Imprimir(NotaAutorizada()).pages.at(0);
    run = RunDe(normal, "rllChave");
    ASSERT_NE(run, nullptr);
    EXPECT_LE(run->box.left() + (run->box.width() - run->width) / 2 + run->width, 22.68 + 740 - 10 + 0.01)
        << "fits 10 pixels inside the key box";

    TNFe longa = NotaAutorizada();
    longa.infNFe.ID = "NFe" + kChave + kChave + kChave + kChave;
    const report::PreparedPage p = c.Imprimir(longa).pages.at(0);
    run = RunDe(p, "rllChave");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->font.pixelSize, report::pointsToPixels(6)) << "stops at 6 points however long the text";
}

TEST(DANFeRetrato, ContingencyDataAndNoticeRepeatOnEveryPage)
{
    Componentes c;
    TNFe nfe = NotaComItens(80);
    nfe.Ide.tpEmis = dfe::teFSDA;
    nfe.procNFe = nfe::TProcNFe();
    nfe.Ide.dhCont = rtl::EncodeDateTime(2024, 5, 17, 9, 0, 0, 0);
    nfe.Ide.xJust = "SEFAZ FORA DO AR";
    const report::PreparedReport r = c.Imprimir(nfe);
    ASSERT_GE(r.pages.size(), 2u);
    const std::string chave = c.nfe->GerarChaveContingencia(nfe);
    ASSERT_EQ(chave.size(), 36u);
    for (const report::PreparedPage &p : r.pages) {
        EXPECT_TRUE(BandaNaPagina(p, "rlbAvisoContingencia")) << p.number;
        EXPECT_EQ(TextoDe(p, "rllContingencia"),
                  "Data / Hora da entrada em contingência: 17/05/2024 09:00:00 Motivo contingência: SEFAZ FORA DO AR")
            << p.number;
        const auto barras = report::bySource(p, "rlbCodigoBarrasFS");
        ASSERT_EQ(barras.size(), 1u) << p.number;
        EXPECT_EQ(std::get<report::BarsItem>(*barras[0]).data, chave);
    }
}

// ---- Pages after the first ---------------------------------------------------------------------

TEST(DANFeRetrato, LaterPagesRepeatTheHeaderAndTheContinuedItemTitlesOnly)
{
    Componentes c;
    const report::PreparedReport r = c.Imprimir(NotaComItens(80));
    ASSERT_GE(r.pages.size(), 2u);
    const report::PreparedPage &p1 = r.pages[0];
    const report::PreparedPage &p2 = r.pages[1];
    EXPECT_EQ(TextoDe(p1, "lblDadosDoProduto"), "DADOS DO PRODUTO / SERVIÇOS");
    EXPECT_EQ(TextoDe(p2, "lblDadosDoProduto"), "CONTINUAÇÃO DOS DADOS DO PRODUTO / SERVIÇOS");
    for (const char *banda : {"rlbReciboHeader", "rlbDivisaoRecibo", "rlbDestinatario", "rlbImposto", "rlbTransp",
                              "rlbDadosAdicionais"}) {
        EXPECT_TRUE(BandaNaPagina(p1, banda)) << banda;
        EXPECT_FALSE(BandaNaPagina(p2, banda)) << banda;
    }
    EXPECT_TRUE(BandaNaPagina(p2, "rlbEmitente"));
    EXPECT_EQ(TextoDe(p2, "rllChave"), TextoDe(p1, "rllChave"));
    EXPECT_EQ(TextoDe(p2, "rllPageNumber"), "fl. 2");
    EXPECT_EQ(report::placements(p2, "rlbEmitente").at(0).top, p2.bands.at(0).top) << "the header opens page 2";
}

TEST(DANFeRetrato, WithoutItemsTheItemTitlesPrintOnPageOneOnly)
{
    Componentes c;
    TNFe nfe = NotaAutorizada();
    nfe.Det.Clear();
    const report::PreparedReport r = c.Imprimir(nfe);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_TRUE(BandaNaPagina(r.pages[0], "rlbCabecalhoItens"));
    EXPECT_FALSE(BandaNaPagina(r.pages[0], "rlbItens"));
}

// ---- Fonts, rows and the pre-printed form ------------------------------------------------------

TEST(DANFeRetrato, FontSettingsReachTheFieldsByTheirTags)
{
    struct Row {
        const char *name;
        nfe::TNomeFonte nome;
        bool negrito;
        std::string familiaValor, familiaLegenda;
        int pixelsValor;
    } rows[] = {
        {"the default: Times New Roman", nfe::nfTimesNewRoman, false, "Times New Roman", "Times New Roman",
         report::pointsToPixels(8)},
        {"Arial in bold", nfe::nfArial, true, "Arial", "Arial", report::pointsToPixels(8)},
        {"Courier New one point smaller", nfe::nfCourierNew, false, "Courier New", "Courier New",
         report::pointsToPixels(7)},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->Fonte().SetNome(row.nome);
        c.danfe->Fonte().SetNegrito(row.negrito);
        const report::PreparedPage p = c.Imprimir(NotaAutorizada()).pages.at(0);
        const report::TextRun *valor = RunDe(p, "rllNatOperacao");
        const report::TextRun *legenda = RunDe(p, "RLLabel28");
        ASSERT_TRUE(valor && legenda) << row.name;
        EXPECT_EQ(valor->font.family, row.familiaValor) << row.name;
        EXPECT_EQ(valor->font.bold, row.negrito) << row.name;
        EXPECT_EQ(valor->font.pixelSize, row.pixelsValor) << row.name;
        EXPECT_EQ(legenda->font.family, row.familiaLegenda) << row.name;
        EXPECT_EQ(legenda->font.pixelSize, 7) << row.name << ": captions keep their size";
    }

    Componentes c;
    c.danfe->Fonte().SetTamanhoFonteRazaoSocial(12);
    c.danfe->Fonte().SetTamanhoFonteEndereco(9);
    const report::PreparedPage p = c.Imprimir(NotaAutorizada()).pages.at(0);
    EXPECT_EQ(RunDe(p, "rlmEmitente")->font.pixelSize, report::pointsToPixels(12));
    EXPECT_EQ(RunDe(p, "rlmEndereco")->font.pixelSize, report::pointsToPixels(9));
}

TEST(DANFeRetrato, BoxedRowsTakeTheirHeightFromTheSetting)
{
    for (int h : {30, 40}) {
        Componentes c;
        c.danfe->SetAltLinhaComun(h);
        const report::PreparedPage p = c.Imprimir(NotaAutorizada()).pages.at(0);
        const auto cabecalho = report::placements(p, "rlbEmitente");
        ASSERT_EQ(cabecalho.size(), 1u);
        EXPECT_DOUBLE_EQ(cabecalho[0].height, 117 + 2 * h + 1 + 2) << h;
        // The lower box starts at 116; the registrations sit on the second row's bottom line.
        const report::TextRun *ie = RunDe(p, "rllInscricaoEstadual");
        ASSERT_NE(ie, nullptr);
        EXPECT_NEAR(ie->box.bottom(), cabecalho[0].top + 116 + 2 * h, 0.01) << h;
        const report::TextRun *legenda = RunDe(p, "RLLabel29");
        EXPECT_NEAR(legenda->box.top(), cabecalho[0].top + 116 + h + 1, 0.01) << h;
    }
}

TEST(DANFeRetrato, APrePrintedFormKeepsOnlyTheVariableData)
{
    Componentes c;
    c.danfe->SetFormularioContinuo(true);
    TNFe nfe = NotaAutorizada();
    nfe.procNFe.cStat = 101;
    const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
    for (const char *fixo : {"rllDANFE", "rllDocumento1", "rllTipoSaida", "rliChave", "rliEmitente", "rlmEmitente",
                             "rllChaveAcesso", "rliDivisao", "rliTipoEntrada"})
        EXPECT_FALSE(Impresso(p, fixo)) << fixo;
    for (const char *variavel : {"rllChave", "rlbCodigoBarras", "rllXmotivo", "rllNumNF1", "rllNatOperacao",
                                 "rllEntradaSaida"})
        EXPECT_TRUE(Impresso(p, variavel)) << variavel;
}

TEST(DANFeRetrato, TheHomologationMarkAndFooterLinesFollowTheSettings)
{
    const rtl::ScopedClock relogio(rtl::EncodeDateTime(2024, 6, 1, 8, 5, 9, 0));
    Componentes c;
    c.danfe->SetUsuario("MARIA");
    TNFe nfe = NotaAutorizada();
    nfe.Ide.tpAmb = dfe::taHomologacao;
    const report::PreparedPage p = c.Imprimir(nfe).pages.at(0);
    EXPECT_EQ(TextoDe(p, "rllHomologacao"), "AMBIENTE DE HOMOLOGAÇÃO - NF-E SEM VALOR FISCAL");
    EXPECT_EQ(TextoDe(p, "rllUsuario"), "DATA / HORA DA IMPRESSÃO: 01/06/2024 08:05:09 - MARIA");
    EXPECT_FALSE(Impresso(p, "rllSistema")) << "no system name set";
}

TEST(DANFeRetrato, LogoAndWatermarkComeFromPictureFiles)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string figura = pasta.filePath("logo.png").toStdString();
    QImage quadrado(20, 20, QImage::Format_RGB32);
    quadrado.fill(Qt::red);
    ASSERT_TRUE(quadrado.save(QString::fromStdString(figura)));

    struct Row {
        const char *name;
        std::string logo, marca;
        bool logoEmCima;
        bool comLogo, comMarca;
        double esquerdaEndereco, topoNome;
    } rows[] = {
        {"no pictures: the address takes the name's place", "", "", false, false, false, 8, 18},
        {"a logo beside the address", figura, "", false, true, false, 80, 18},
        {"a missing watermark file draws nothing", figura, pasta.filePath("nada.png").toStdString(), false, true,
         false, 80, 18},
        {"a watermark", "", figura, false, false, true, 8, 18},
        {"the logo above name and address", figura, "", true, true, false, 8, 58},
    };
    for (const Row &row : rows) {
        Componentes c;
        c.danfe->SetLogo(row.logo);
        c.danfe->SetMarcadAgua(row.marca);
        c.danfe->SetLogoemCima(row.logoEmCima);
        const report::PreparedPage p = c.Imprimir(NotaAutorizada()).pages.at(0);
        const double topoCabecalho = report::placements(p, "rlbEmitente").at(0).top;
        const double esquerda = report::mmToPx(c.danfe->MargemEsquerda());
        EXPECT_EQ(Impresso(p, "rliLogo"), row.comLogo) << row.name;
        bool marca = false;
        for (const report::Primitive &item : p.background)
            marca = marca || report::base(item).source == "rliMarcaDagua1";
        EXPECT_EQ(marca, row.comMarca) << row.name;
        EXPECT_NEAR(RunDe(p, "rlmEndereco")->box.left(), esquerda + row.esquerdaEndereco, 0.01) << row.name;
        EXPECT_NEAR(RunDe(p, "rlmEmitente")->box.top(), topoCabecalho + row.topoNome, 0.01) << row.name;
    }
}

} // namespace
