// The CF-e sale receipt: its print set-up, the texts and conditions of its bands, the key
// barcodes and QR Code read back, and the PDF and HTML files written without preview.
#include "support.h"

#include "report/htmlexport.h"
#include "report/painter.h"
#include "report/outputs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace extrato_test;

namespace {

bool Contem(const std::string &texto, std::string_view parte)
{
    return texto.find(parte) != std::string::npos;
}

} // namespace

TEST(SATExtratoFortes, TitleAndRollPaperFollowTheKeyAndTheWidth)
{
    EXPECT_EQ(sat::TOvixSATExtratoFortes::FormatarTitulo("CFe", kChave),
              "CFe-3524_0512_3456_7800_0195_5900_0012_3450_0012_3456_7891");
    for (const auto &[largura, mm] : {std::pair{302, 80}, std::pair{576, 152}}) {
        Componentes c;
        c.extrato->SetLarguraBobina(largura);
        const report::PreparedPage p = c.Imprimir(*Venda());
        EXPECT_NEAR(p.size.width(), report::mmToPx(mm), 0.01) << largura;
        EXPECT_FALSE(p.overflow);
        EXPECT_TRUE(c.opcoes.back().offerHtml);
    }
}

TEST(SATExtratoFortes, ASaleInProductionPrintsEveryBandItCarries)
{
    Componentes c;
    c.extrato->SetImprimeQRCodeLateral(false);
    const report::PreparedPage p = c.Imprimir(*Venda());
    const std::string texto = TextoDaPagina(p);

    EXPECT_EQ(TextosDe(p, "lNomeFantasia"), std::vector<std::string>{"MERCADINHO"});
    EXPECT_EQ(TextosDe(p, "lEmitCNPJ_IE_IM"), std::vector<std::string>{"CNPJ:12345678000195 IE:111222333444"});
    EXPECT_EQ(TextosDe(p, "lEndereco"),
              (std::vector<std::string>{"RUA DAS FLORES, 100", "CENTRO - SAO PAULO - 01001-000"}));
    EXPECT_TRUE(Contem(texto, "EXTRATO N° 000123 do CUPOM FISCAL ELETRÔNICO - SAT"));
    EXPECT_FALSE(BandaNaPagina(p, "rlbTeste"));
    EXPECT_TRUE(Contem(texto, "CPF/CNPJ Consumidor: 123.456.789-09"));
    EXPECT_TRUE(Contem(texto, "Razão Social/Nome: FULANO DE TAL"));
    EXPECT_EQ(TextosDe(p, "lSequencia"), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(TextosDe(p, "lTotalItem"), (std::vector<std::string>{"21,00", "21,00"}));
    const std::vector<std::string> item = TextosDe(p, "mLinhaItem");
    ASSERT_FALSE(item.empty());
    EXPECT_TRUE(item[0].starts_with("P001 ARROZ")) << item[0];
    EXPECT_TRUE(Contem(item[0], "2 UN X 10,50 (3,15)")) << item[0];
    EXPECT_EQ(TextosDe(p, "lDescItem"), std::vector<std::string>{"-1,00"});
    EXPECT_EQ(TextosDe(p, "lTotalBruto"), std::vector<std::string>{"42,00"});
    EXPECT_EQ(TextosDe(p, "lSubDescAcresItem"), std::vector<std::string>{"-1,00"});
    EXPECT_EQ(TextosDe(p, "lTotal"), std::vector<std::string>{"41,00"});
    EXPECT_EQ(TextosDe(p, "lMeioPagamento"), (std::vector<std::string>{"Dinheiro", "Cartão de Crédito"}));
    EXPECT_EQ(TextosDe(p, "lTroco"), std::vector<std::string>{"9,00"});
    EXPECT_EQ(TextosDe(p, "mObsContrib"), (std::vector<std::string>{"Volte sempre", "Obrigado"}));
    EXPECT_EQ(TextosDe(p, "lValLei12741"), std::vector<std::string>{"6,30"});
    EXPECT_EQ(TextosDe(p, "lNumSAT"), std::vector<std::string>{"900.001.234"});
    EXPECT_EQ(TextosDe(p, "lDataHora"), std::vector<std::string>{"17/05/2024 - 10:30:15"});
    EXPECT_FALSE(BandaNaPagina(p, "rlbObsFisco")) << "regime normal: no Simples Nacional note";
    EXPECT_EQ(TextosDe(p, "mSwHouseSite"), std::vector<std::string>{"Visualizador Vexa XML - Vexa Software"});

    // Bands in printing order.
    std::vector<std::string> ordem;
    for (const report::PlacedBand &b : p.bands)
        ordem.push_back(b.name);
    const auto pos = [&](std::string_view nome) { return std::find(ordem.begin(), ordem.end(), nome) - ordem.begin(); };
    EXPECT_LT(pos("rlbDadosCliche"), pos("rlbNumExtrato"));
    EXPECT_LT(pos("rlbConsumidor"), pos("rlbDetItem"));
    EXPECT_LT(pos("rlbTotal"), pos("rlbPagamento"));
    EXPECT_LT(pos("rlbTroco"), pos("rlObsContrib"));
    EXPECT_LT(pos("rlObsContrib"), pos("rlbRodape"));
}

TEST(SATExtratoFortes, ConditionsOfTheBands)
{
    struct Caso {
        const char *nome;
        void (*ajuste)(sat::TCFe &, sat::TOvixSATExtratoFortes &);
        std::vector<const char *> presentes;
        std::vector<const char *> ausentes;
        std::vector<const char *> textos;
    };
    const std::vector<Caso> casos = {
        {"test environment",
         [](sat::TCFe &cfe, sat::TOvixSATExtratoFortes &) { cfe.ide.tpAmb = dfe::taHomologacao; },
         {"rlbTeste"}, {}, {"EXTRATO N° 000000 do", "= T E S T E ="}},
        {"lateral QR text: no consumer band",
         [](sat::TCFe &, sat::TOvixSATExtratoFortes &) {}, {"rlbRodape"}, {"rlbConsumidor"},
         {"Consumidor", "123.456.789-09 - FULANO DE TAL", "N° Série SAT ", "Consulte o QR Code",
          "* Valor Aproximado dos Tributos dos Itens"}},
        {"no consumer",
         [](sat::TCFe &cfe, sat::TOvixSATExtratoFortes &e) {
             cfe.Dest.CNPJCPF.clear();
             cfe.Dest.xNome.clear();
             e.SetImprimeQRCodeLateral(false);
         },
         {"rlbConsumidor"}, {}, {"CPF/CNPJ Consumidor: CONSUMIDOR NÃO IDENTIFICADO"}},
        {"no consumer, not named",
         [](sat::TCFe &cfe, sat::TOvixSATExtratoFortes &e) {
             cfe.Dest.CNPJCPF.clear();
             e.SetImprimeQRCodeLateral(false);
             e.SetImprimeCPFNaoInformado(false);
         },
         {}, {"rlbConsumidor"}, {}},
        {"summary layout has no items", [](sat::TCFe &, sat::TOvixSATExtratoFortes &) {}, {"rlbTotal"},
         {"rlbDetItem", "rlbLegenda"}, {}},
        {"adjustments off", [](sat::TCFe &, sat::TOvixSATExtratoFortes &e) { e.SetImprimeDescAcrescItem(false); },
         {"rlbDetItem"}, {"rlbDescItem", "rlbGapDescAcres"}, {}},
        {"Simples Nacional and document notes after the payments",
         [](sat::TCFe &cfe, sat::TOvixSATExtratoFortes &) {
             cfe.Emit.cRegTrib = dfe::RTSimplesNacional;
             auto &obs = cfe.obsFisco.New();
             obs.xCampo = "CAMPO";
             obs.xTexto = "TEXTO";
         },
         {"rlbObsFisco"}, {}, {"ICMS a ser recolhido conforme LC 123/2006 - Simples Nacional", "CAMPO-TEXTO"}},
        {"delivery address",
         [](sat::TCFe &cfe, sat::TOvixSATExtratoFortes &) {
             cfe.Entrega.xLgr = "RUA B";
             cfe.Entrega.nro = "5";
             cfe.Entrega.xMun = "CAMPINAS";
             cfe.Entrega.UF = "SP";
         },
         {"rlDadosEntrega"}, {}, {"ENDEREÇO DE ENTREGA: RUA B, 5 CAMPINAS-SP"}},
        {"no notes, no taxes",
         [](sat::TCFe &cfe, sat::TOvixSATExtratoFortes &) {
             cfe.InfAdic.infCpl.clear();
             cfe.Total.vCFeLei12741 = {};
             cfe.Pagto.vTroco = {};
         },
         {}, {"rlObsContrib", "rlDadosEntrega", "rlbTroco"}, {}},
    };
    for (const Caso &caso : casos) {
        Componentes c;
        const auto documento = Venda();
        sat::TCFe &cfe = *documento;
        caso.ajuste(cfe, *c.extrato);
        if (std::string_view(caso.nome).starts_with("summary"))
            c.extrato->ImprimirExtratoResumido(&cfe);
        else
            c.extrato->ImprimirExtrato(&cfe);
        const report::PreparedPage p = c.impressos.back().pages.at(0);
        const std::string texto = TextoDaPagina(p);
        for (const char *b : caso.presentes)
            EXPECT_TRUE(BandaNaPagina(p, b)) << caso.nome << ": " << b;
        for (const char *b : caso.ausentes)
            EXPECT_FALSE(BandaNaPagina(p, b)) << caso.nome << ": " << b;
        for (const char *t : caso.textos)
            EXPECT_TRUE(Contem(texto, t)) << caso.nome << ": " << t << "\n" << texto;
    }
}

TEST(SATExtratoFortes, ItemLinesInTheOneAndTwoLineForms)
{
    Componentes c;
    const auto documento = Venda();
    sat::TCFe &cfe = *documento;
    // One line per item whatever the description's letters: wide ones give way to the
    // values, narrow ones are cut by the count.
    for (const std::string &descricao : {std::string(60, 'W'), std::string("MERCADORIA 0123456789 COM NOME LONGO ABC"),
                                        std::string(90, 'i'), std::string("ARROZ")}) {
        cfe.Det.Items(0).Prod.xProd = descricao;
        const std::vector<std::string> linhas = TextosDe(c.Imprimir(cfe), "mLinhaItem");
        ASSERT_EQ(linhas.size(), 2u) << descricao;
        EXPECT_TRUE(linhas[0].starts_with("P001 " + descricao.substr(0, 3))) << linhas[0];
        EXPECT_TRUE(Contem(linhas[0], " 2 UN X 10,50 (3,15)")) << linhas[0];
    }
    // A total wider than its column keeps every digit, and the item's text gives way.
    cfe.Det.Items(0).Prod.vProd = Valor(1234567.89);
    {
        const report::PreparedPage p = c.Imprimir(cfe);
        const auto total = report::bySource(p, "lTotalItem");
        const auto linha = report::bySource(p, "mLinhaItem");
        ASSERT_FALSE(total.empty());
        ASSERT_FALSE(linha.empty());
        const auto &t = std::get<report::TextRun>(*total[0]);
        const auto &l = std::get<report::TextRun>(*linha[0]);
        EXPECT_EQ(t.text, "1.234.567,89");
        EXPECT_LE(t.width, t.box.width());
        EXPECT_LE(l.box.left() + l.width, t.box.right() - t.width);
    }
    cfe.Det.Items(0).Prod.vProd = Valor(21);
    cfe.Det.Items(0).Prod.xProd = "ARROZ TIPO 1 5KG";
    cfe.Det.Items(1).Prod.EhCombustivel = true;
    cfe.Det.Items(1).Prod.vUnCom = 5.899;
    // A values part longer than the line leaves no room for the description.
    cfe.Det.Items(0).Prod.uCom = std::string(80, 'U');
    report::PreparedPage p = c.Imprimir(cfe);
    std::vector<std::string> linhas = TextosDe(p, "mLinhaItem");
    const std::string tudo = [&] {
        std::string t;
        for (const auto &l : linhas)
            t += l;
        return t;
    }();
    EXPECT_FALSE(Contem(tudo, "ARROZ")) << tudo;
    EXPECT_TRUE(Contem(tudo, "X 5,899")) << tudo;

    c.extrato->SetImprimeEmUmaLinha(false);
    cfe.Det.Items(0).Prod.uCom = "KG";
    cfe.Det.Items(0).infAdProd = "lote 7;validade 12/2024";
    p = c.Imprimir(cfe);
    linhas = TextosDe(p, "mLinhaItem");
    ASSERT_GE(linhas.size(), 5u);
    EXPECT_EQ(linhas[0], "P001 ARROZ TIPO 1 5KG-lote 7");
    EXPECT_EQ(linhas[1], "validade 12/2024");
    EXPECT_TRUE(linhas[2].starts_with("2  ")) << linhas[2];
    EXPECT_TRUE(Contem(linhas[2], "KG X 10,50")) << linhas[2];
}

TEST(SATExtratoFortes, KeyBarcodesAndQRCodeReadBackAt200Dpi)
{
    Componentes c;
    const auto documento = Venda();
    const sat::TCFe &cfe = *documento;
    const report::PreparedPage p = c.Imprimir(cfe);
    constexpr double escala = 200.0 / 96.0;
    const QImage pagina = report::renderPage(p, escala);
    const auto recorte = [&](const QRectF &area) {
        const QRectF a = area.adjusted(-10, -6, 10, 6);
        return pagina.copy(QRectF(a.topLeft() * escala, a.size() * escala).toRect());
    };
    const char *barras[] = {"bcChaveAcesso1", "bcChaveAcesso2"};
    for (int i = 0; i < 2; ++i) {
        const auto itens = report::bySource(p, barras[i]);
        ASSERT_EQ(itens.size(), 1u);
        const auto &item = std::get<report::BarsItem>(*itens[0]);
        const ZXing::Result lido = report::test::readSymbol(recorte(item.box), ZXing::BarcodeFormat::Code128);
        ASSERT_TRUE(lido.isValid()) << barras[i];
        EXPECT_EQ(report::test::bytesOf(lido), kChave.substr(static_cast<std::size_t>(22 * i), 22));
    }
    const auto qr = report::bySource(p, "imgQRCode");
    ASSERT_EQ(qr.size(), 1u);
    const auto &imagem = std::get<report::ImageItem>(*qr[0]);
    const ZXing::Result lido = report::test::readSymbol(recorte(imagem.target), ZXing::BarcodeFormat::QRCode);
    ASSERT_TRUE(lido.isValid());
    EXPECT_EQ(report::test::bytesOf(lido),
              sat::TOvixSATExtratoClass::CalcularConteudoQRCode(kChave, "12345678909", cfe.ide.dhEmi, 41,
                                                                "QXNzaW5hdHVyYQ=="));
    EXPECT_EQ(TextosDe(p, "lChaveAcesso"),
              std::vector<std::string>{"3524 0512 3456 7800 0195 5900 0012 3450 0012 3456 7891"});
}

TEST(SATExtratoFortes, DamagedDataPrintsWithoutThrowing)
{
    // An empty CF-e, keys of odd length or with letters, a word wider than the roll.
    std::vector<std::unique_ptr<sat::TCFe>> cfes;
    for (int i = 0; i < 3; ++i)
        cfes.push_back(std::make_unique<sat::TCFe>());
    cfes[1]->infCFe.ID = "123";
    cfes[2]->infCFe.ID = "35ABC" + std::string(39, '1');
    cfes.push_back(Venda());
    cfes[3]->Det.Items(0).Prod.xProd = std::string(300, 'W');
    cfes[3]->InfAdic.infCpl = std::string(300, 'M');
    cfes[3]->Emit.xFant = std::string(200, 'F');
    for (const auto &cfe : cfes) {
        Componentes c;
        report::PreparedPage p;
        ASSERT_NO_THROW(p = c.Imprimir(*cfe));
        EXPECT_FALSE(p.overflow);
    }
    Componentes c;
    const report::PreparedPage p = c.Imprimir(*cfes[0]);
    const std::string texto = TextoDaPagina(p);
    EXPECT_EQ(TextosDe(p, "lEmitCNPJ_IE_IM"), std::vector<std::string>{"CNPJ:"});
    EXPECT_TRUE(Contem(texto, "EXTRATO N° 000000"));
    EXPECT_TRUE(BandaNaPagina(p, "rlbTeste"));
    EXPECT_TRUE(Contem(texto, "Simples Nacional"));
    EXPECT_EQ(TextosDe(p, "lTotal"), std::vector<std::string>{"0,00"});
    EXPECT_FALSE(BandaNaPagina(p, "rlbDetItem"));
}

TEST(SATExtratoFortes, PdfAndHtmlFilesWithoutPreview)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string base = pasta.path().toStdString() + "/sub/dir";
    Componentes c;
    c.extrato->SetPathPDF(base);
    c.extrato->SetFiltro(sat::fiPDF);
    const auto documento = Venda();
    const sat::TCFe &cfe = *documento;
    c.extrato->ImprimirExtrato(&cfe);
    const std::string pdf = base + "/CFe-3524_0512_3456_7800_0195_5900_0012_3450_0012_3456_7891.pdf";
    EXPECT_EQ(c.extrato->ArquivoPDF(), pdf);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(pdf)));
    EXPECT_TRUE(c.impressos.empty());

    c.extrato->SetFiltro(sat::fiHTML);
    c.extrato->SetNomeDocumento("recibo.txt");
    c.extrato->ImprimirExtrato(&cfe);
    ASSERT_TRUE(c.extrato->ArquivoPDF().ends_with("recibo.html")) << c.extrato->ArquivoPDF();
    QFile arquivo(QString::fromStdString(c.extrato->ArquivoPDF()));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const std::string conteudo = arquivo.readAll().toStdString();
    // One self-contained file: pictures inline, nothing fetched from elsewhere.
    EXPECT_TRUE(Contem(conteudo, "data:image/png;base64,"));
    EXPECT_FALSE(Contem(conteudo, "src=\"http"));
    EXPECT_FALSE(Contem(conteudo, "<link"));
    EXPECT_TRUE(Contem(conteudo, "MERCADINHO"));
    EXPECT_TRUE(Contem(conteudo, "TOTAL R$"));
    EXPECT_TRUE(Contem(conteudo, "<svg"));
}
