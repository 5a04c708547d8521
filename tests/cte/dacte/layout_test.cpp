// The A4 portrait DACTE as prepared pages: which bands print on page 1 by model, kind of
// CT-e, modal and stub position; the header's texts, key barcode and QR Code read back
// from a rendering; the protocol block and the status over the observations.

#include "support.h"

#include "report/outputs.h"
#include "report/painter.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using dacte_test::CTeOS;
using dacte_test::CTeRodoviario;
using dacte_test::CTeSemProtocolo;
using dacte_test::Componente;
using dacte_test::Impresso;
using dacte_test::kChave;
using dacte_test::kQRCode;
using dacte_test::Layout;
using dacte_test::TextoDe;

// Page 1's bands that take room, in order: name without "rlb_", its height, and "blank"
// for a framed band that drew nothing (disabled). The observations grow with their text,
// so their height is left out.
std::string Bandas(const Layout &l)
{
    const report::PreparedPage &p = l.paginas.pages.at(0);
    std::string out;
    for (const report::PlacedBand &b : p.bands) {
        if (b.height <= 0)
            continue;
        const report::Band *banda = l.janela.RLCTe.findBand(b.name);
        std::string item = b.name.substr(4);
        if (b.name != "rlb_09_Obs")
            item += ":" + std::to_string(static_cast<int>(b.height));
        if (banda->borders.any() && report::bySource(p, b.name).empty())
            item += " blank";
        out += (out.empty() ? "" : ", ") + item;
    }
    return out;
}

TEST(DACTeRetrato, BandsOfPageOneFollowModelKindModalAndStub)
{
    struct Row {
        const char *name;
        std::function<void(cte::TCTe &, cte::TOvixCTeDACTeRL &)> ajuste;
        const char *bandas;
    } rows[] = {
        {"road CT-e, stub on top", [](cte::TCTe &, cte::TOvixCTeDACTeRL &) {},
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, 10_ModRodFracionado:44, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"road full load of layout 2.00",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) {
             c.infCTe.versao = 2.0;
             c.infCTeNorm.rodo.lota = cte::ltSim;
         },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, 10_ModRodFracionado:44, 11_ModRodLot104:107, 16_DadosExcEmitente:69, "
         "17_Sistema:16"},
        {"CT-e OS", [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c = CTeOS(); },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe_OS:69, CTeOS_PrestacaoServico:77, 06_ValorPrestacao:144, "
         "09_Obs, Dados_Seguradora:44, 10_ModRodFracionado:44, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"air CT-e: air stub, cargo flow, air band",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.modal = dfe::mdAereo; },
         "01_Recibo_Aereo:124, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, Fluxo_Carga:44, 09_Obs, 12_ModAereo:97, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"air CT-e of layout 2.00 has no cargo flow",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) {
             c.ide.modal = dfe::mdAereo;
             c.infCTe.versao = 2.0;
         },
         "01_Recibo_Aereo:124, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, 12_ModAereo:97, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"air CT-e with the stub at the foot keeps the air stub and no foot stub",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &d) {
             c.ide.modal = dfe::mdAereo;
             d.SetPosCanhoto(dfe::prRodape);
         },
         "01_Recibo_Aereo:124, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, 07_HeaderItens:81, "
         "Fluxo_Carga:44, 09_Obs, 12_ModAereo:97, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"waterway CT-e", [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.modal = dfe::mdAquaviario; },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, 13_ModAquaviario:92, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"rail CT-e: its bands take no room", [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.modal = dfe::mdFerroviario; },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"multimodal CT-e: insurance", [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.modal = dfe::mdMultimodal; },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, Dados_Seguradora:44, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"complement: complement band, no road band",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.tpCTe = cte::tcComplemento; },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 05_Complemento:81, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, 09_Obs, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"annulment: blank stub, annulled band, no documents",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.tpCTe = cte::tcAnulacao; },
         "01_Recibo:84 blank, 02_Cabecalho:184, 03_DadosDACTe:202, 06_ValorPrestacao:117, "
         "Cte_Anulado_Substituido:81, 09_Obs, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"substitute: cargo, documents and the substituted band",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) { c.ide.tpCTe = cte::tcSubstituto; },
         "01_Recibo:84 blank, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, "
         "07_HeaderItens:81, Cte_Anulado_Substituido:81, 09_Obs, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"stub at the foot", [](cte::TCTe &, cte::TOvixCTeDACTeRL &d) { d.SetPosCanhoto(dfe::prRodape); },
         "02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, 07_HeaderItens:81, "
         "09_Obs, 10_ModRodFracionado:44, 16_DadosExcEmitente:69, 17_Sistema:16, 18_Recibo:97"},
        {"stub on the left: no stub at all", [](cte::TCTe &, cte::TOvixCTeDACTeRL &d) { d.SetPosCanhoto(dfe::prEsquerda); },
         "02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ValorPrestacao:117, 07_HeaderItens:81, "
         "09_Obs, 10_ModRodFracionado:44, 16_DadosExcEmitente:69, 17_Sistema:16"},
        {"dangerous goods and new vehicles",
         [](cte::TCTe &c, cte::TOvixCTeDACTeRL &) {
             c.infCTeNorm.peri.New();
             c.infCTeNorm.veicNovos.New();
         },
         "01_Recibo:84, 02_Cabecalho:184, 03_DadosDACTe:202, 04_DadosNotaFiscal:90, 06_ProdutosPerigosos:83, "
         "06_ValorPrestacao:117, 07_HeaderItens:81, 09_Obs, 06_VeiculosNovos:63, 10_ModRodFracionado:44, "
         "16_DadosExcEmitente:69, 17_Sistema:16"},
    };
    for (const Row &row : rows) {
        Componente c;
        cte::TCTe documento = CTeRodoviario();
        row.ajuste(documento, *c.dacte);
        const Layout l(documento, *c.dacte);
        EXPECT_EQ(Bandas(l), row.bandas) << row.name;
        EXPECT_EQ(l.paginas.pages.size(), 1u) << row.name;
    }
}

TEST(DACTeRetrato, FramesMeetTheLayoutsRightEdgeWhateverTheMargins)
{
    Componente c;
    c.dacte->SetMargemEsquerda(10);
    c.dacte->SetMargemDireita(2);
    const cte::TCTe documento = CTeRodoviario();
    const Layout l(documento, *c.dacte);
    EXPECT_NEAR(l.janela.RLCTe.contentWidth(), 742, 0.01);
    EXPECT_NEAR(l.janela.RLCTe.margins.left, 10, 0.01);
}

TEST(DACTeRetrato, HeaderAndStubOfARoadCTe)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    Componente c;
    const report::PreparedReport r = c.Imprimir(CTeRodoviario());
    ASSERT_EQ(r.pages.size(), 1u);
    const report::PreparedPage &p = r.pages[0];
    EXPECT_EQ(r.title, "CT-e: 000.000.123");
    EXPECT_EQ(TextoDe(p, "rlmEmitente"), "TRANSPORTADORA EXEMPLO LTDA");
    EXPECT_EQ(TextoDe(p, "rlmDadosEmitente"),
              "AVENIDA DAS CARGAS, 500\nDISTRITO INDUSTRIAL\nCEP: 01001-000 - SAO PAULO - SP\n"
              "CNPJ: 11.222.333/0001-81\nINSCRIÇÃO ESTADUAL: 111222333444\nTELEFONE: (11)3333-4444");
    EXPECT_EQ(TextoDe(p, "rllModal"), "RODOVIÁRIO");
    EXPECT_EQ(TextoDe(p, "rllModelo"), "57");
    EXPECT_EQ(TextoDe(p, "rllSerie"), "1");
    EXPECT_EQ(TextoDe(p, "rllNumCte"), "000.000.123");
    EXPECT_EQ(TextoDe(p, "rllPageNumber"), "01/01");
    EXPECT_EQ(TextoDe(p, "rllEmissao"), "14/05/2019 09:30:15");
    EXPECT_EQ(TextoDe(p, "rllChave"), "3519 0511 2223 3300 0181 5700 1000 0001 2311 0203 0400");
    EXPECT_EQ(TextoDe(p, "rllTipoCte"), "NORMAL");
    EXPECT_EQ(TextoDe(p, "rllTituloTomaServico"), "INDICADOR DO CT-E GLOBALIZADO");
    EXPECT_EQ(TextoDe(p, "rllTomaServico"), "NÃO");
    EXPECT_EQ(TextoDe(p, "rllDescricao"), "PROTOCOLO DE AUTORIZAÇÃO DE USO");
    EXPECT_EQ(TextoDe(p, "rllProtocolo"), "135190000123456   14/05/2019 09:35:02");
    EXPECT_EQ(TextoDe(p, "rllInscSuframa"), "123456789");
    EXPECT_TRUE(Impresso(p, "rllVariavel1"));
    EXPECT_FALSE(Impresso(p, "RLBarcode1"));
    EXPECT_EQ(TextoDe(p, "rllCTe1"), "CT-E");
    EXPECT_EQ(TextoDe(p, "rllNumCTe2"), "000.000.123");
    EXPECT_EQ(TextoDe(p, "rllSerie2"), "1");
    EXPECT_NE(report::findText(p, "DECLARO QUE RECEBI OS VOLUMES DESTE CONHECIMENTO EM PERFEITO ESTADO PELO QUE "
                                  "DOU POR CUMPRIDO O PRESENTE CONTRATO DE TRANSPORTE"),
              nullptr);
    EXPECT_FALSE(Impresso(p, "rllMsgTeste")) << "an authorized CT-e has no status";
}

TEST(DACTeRetrato, HeaderAndStubOfACTeOS)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    Componente c;
    const report::PreparedPage p = c.Imprimir(CTeOS()).pages.at(0);
    EXPECT_EQ(TextoDe(p, "rllModelo"), "67");
    EXPECT_EQ(TextoDe(p, "rllNumCte"), "000.000.045");
    EXPECT_EQ(TextoDe(p, "rllCTe1"), "CT-E OS");
    EXPECT_EQ(TextoDe(p, "rllTituloTomaServico"), "CÓDIGO FISCAL DE OPERAÇÕES E PRESTAÇÕES - NATUREZA DA OPERAÇÃO");
    EXPECT_EQ(TextoDe(p, "rllTomaServico"), "5353 - TRANSPORTE DE PASSAGEIROS");
    EXPECT_EQ(TextoDe(p, "rllTituloFormaPagamento"), "<none>");
    EXPECT_EQ(TextoDe(p, "rllChave"), "3519 0511 2223 3300 0181 6700 1000 0000 4518 7654 3211");
}

TEST(DACTeRetrato, ACTeWithoutProtocolShowsItWasNeverSentAndANarrowedHeader)
{
    Componente c;
    cte::TCTe documento = CTeSemProtocolo();
    const Layout l(documento, *c.dacte);
    const report::PreparedPage &p = l.paginas.pages.at(0);
    EXPECT_EQ(TextoDe(p, "rllDescricao"), "N. PROTOCOLO");
    EXPECT_EQ(TextoDe(p, "rllMsgTeste"), "CT-e NÃO ENVIADO, SEM VALOR FISCAL");
    EXPECT_FALSE(Impresso(p, "imgQRCode"));
    EXPECT_EQ(l.janela.rlbCodigoBarras->bounds.width(), 419);
    EXPECT_EQ(l.janela.rllVariavel1->bounds.width(), 419);
    EXPECT_EQ(l.janela.rllVariavel2->bounds.width(), 419);
    EXPECT_EQ(l.janela.rlsLinhaH03->bounds.width(), 427);
    EXPECT_EQ(l.janela.RLDraw99->bounds.width(), 427);
    EXPECT_EQ(l.janela.rlsLinhaV07->bounds.height(), 26);
    EXPECT_GE(l.janela.rlb_09_Obs->height, 68) << "room for the status label";
}

// ---- Symbols read back from a 200-dpi rendering ------------------------------------------------

QImage Recorte(const report::PreparedPage &p, const QRectF &area, double escala)
{
    const QImage pagina = report::renderPage(p, escala);
    return pagina.copy(QRectF(area.topLeft() * escala, area.size() * escala).toRect());
}

TEST(DACTeRetrato, KeyBarcodeAndQRCodeReadBackFromA200DpiRendering)
{
    constexpr double escala = 200.0 / 96.0;
    for (const cte::TCTe &documento : {CTeRodoviario(), CTeOS()}) {
        Componente c;
        const report::PreparedPage p = c.Imprimir(documento).pages.at(0);
        const std::string chave = documento.infCTe.Id.substr(3);

        const auto barras = report::bySource(p, "rlbCodigoBarras");
        ASSERT_EQ(barras.size(), 1u);
        const auto &codigo = std::get<report::BarsItem>(*barras[0]);
        const ZXing::Result lido =
            report::test::readSymbol(Recorte(p, codigo.box.adjusted(0, -2, 0, 0), escala), ZXing::BarcodeFormat::Code128);
        ASSERT_TRUE(lido.isValid()) << chave;
        EXPECT_EQ(report::test::bytesOf(lido), chave);

        const auto imagens = report::bySource(p, "imgQRCode");
        ASSERT_EQ(imagens.size(), 1u);
        const auto &qr = std::get<report::ImageItem>(*imagens[0]);
        const ZXing::Result qrLido =
            report::test::readSymbol(Recorte(p, qr.target.adjusted(-2, -2, 2, 2), escala), ZXing::BarcodeFormat::QRCode);
        ASSERT_TRUE(qrLido.isValid()) << chave;
        // The document's text exactly: no byte-order mark in front.
        EXPECT_EQ(report::test::bytesOf(qrLido), documento.infCTeSupl.qrCodCTe);
    }
}

// ---- Protocol block ---------------------------------------------------------------------------

TEST(DACTeRetrato, ProtocolBlockFollowsEmissionTypeAndStatus)
{
    const std::string protocolo = "135190000123456   14/05/2019 09:35:02";
    const std::string contingencia = "35190511222333000181570010000001231102030400";
    struct Row {
        const char *name;
        dfe::TpcnTipoEmissao tpEmis;
        int cStat;
        std::string chaveContingencia; // what the CT-e component gives
        const char *descricao;
        std::string protocolo;
        bool portal;
        std::string barras; // the contingency barcode's data; "<none>" when it is hidden
    } rows[] = {
        {"normal, authorized", dfe::teNormal, 100, "", "PROTOCOLO DE AUTORIZAÇÃO DE USO", protocolo, true, "<none>"},
        {"normal, cancelled", dfe::teNormal, 101, "", "PROTOCOLO DE HOMOLOGAÇÃO DE CANCELAMENTO", protocolo, true,
         "<none>"},
        {"normal, denied", dfe::teNormal, 110, "", "PROTOCOLO DE DENEGAÇÃO DE USO", protocolo, true, "<none>"},
        {"normal, rejected", dfe::teNormal, 204, "", "N. PROTOCOLO", protocolo, true, "<none>"},
        {"FSDA authorized", dfe::teFSDA, 100, contingencia, "PROTOCOLO DE AUTORIZAÇÃO DE USO", protocolo, true,
         "<none>"},
        {"FSDA not authorized", dfe::teFSDA, 0, contingencia, "DADOS DO CT-E",
         "3519 0511 2223 3300 0181 5700 1000 0001 2311 0203 0400", false, contingencia},
        {"DPEC even when authorized", dfe::teDPEC, 100, contingencia, "DADOS DO CT-E",
         "3519 0511 2223 3300 0181 5700 1000 0001 2311 0203 0400", false, contingencia},
        {"DPEC without a contingency key draws no bars", dfe::teDPEC, 0, "", "DADOS DO CT-E", "", false, ""},
        {"off-line keeps the form", dfe::teOffLine, 100, contingencia, "N. PROTOCOLO", "", true, ""},
    };
    for (const Row &row : rows) {
        const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
        Componente c;
        const std::string chave = row.chaveContingencia;
        c.dacte->SetGeradorChaveContingencia([chave](const cte::TCTe &) { return chave; });
        cte::TCTe documento = CTeRodoviario();
        documento.ide.tpEmis = row.tpEmis;
        documento.procCTe.cStat = row.cStat;
        const report::PreparedPage p = c.Imprimir(documento).pages.at(0);
        EXPECT_EQ(TextoDe(p, "rllDescricao"), row.descricao) << row.name;
        const std::string impresso = TextoDe(p, "rllProtocolo");
        EXPECT_EQ(impresso == "<none>" ? "" : impresso, row.protocolo) << row.name;
        EXPECT_EQ(Impresso(p, "rllVariavel1"), row.portal) << row.name;
        EXPECT_EQ(Impresso(p, "rllVariavel2"), row.portal) << row.name;
        const auto barras = report::bySource(p, "RLBarcode1");
        if (row.barras == "<none>") {
            EXPECT_TRUE(barras.empty()) << row.name;
            continue;
        }
        // An empty key draws nothing at all; a key draws its bars.
        std::size_t quantas = 0;
        for (const report::Primitive *b : barras)
            if (const auto *item = std::get_if<report::BarsItem>(b)) {
                EXPECT_EQ(item->data, row.barras) << row.name;
                quantas += item->bars.size();
            }
        EXPECT_EQ(quantas > 0, !row.barras.empty()) << row.name;
    }
}

// ---- Status over the observations -------------------------------------------------------------

TEST(DACTeRetrato, StatusLabelFollowsEnvironmentAndProtocol)
{
    struct Row {
        const char *name;
        dfe::TpcnTipoAmbiente tpAmb;
        int cStat;
        std::string nProt;
        bool cancelada;
        const char *status;
    } rows[] = {
        {"production, authorized", dfe::taProducao, 100, "1351", false, "<none>"},
        {"production, never sent", dfe::taProducao, 0, "", false, "CT-e NÃO ENVIADO, SEM VALOR FISCAL"},
        {"production, no status but a protocol number is not a test document", dfe::taProducao, 0, "1351", false,
         "CT-e NÃO ENVIADO, SEM VALOR FISCAL"},
        {"production, cancelled", dfe::taProducao, 101, "1351", false, "CT-e CANCELADO"},
        {"production, flagged cancelled", dfe::taProducao, 100, "1351", true, "CT-e CANCELADO"},
        {"production, denied", dfe::taProducao, 110, "1351", false, "CT-e DENEGADO"},
        {"production, rejected: the reason", dfe::taProducao, 204, "1351", false, "Autorizado o uso do CT-e"},
        {"test, with protocol", dfe::taHomologacao, 100, "1351", false,
         "CT-e SEM VALOR FISCAL - AMBIENTE DE HOMOLOGAÇÃO"},
        {"test, without protocol", dfe::taHomologacao, 0, "", false,
         "CT-e NÃO ENVIADO, SEM VALOR FISCAL - HOMOLOGAÇÃO"},
    };
    for (const Row &row : rows) {
        Componente c;
        c.dacte->SetCancelada(row.cancelada);
        cte::TCTe documento = CTeRodoviario();
        documento.ide.tpAmb = row.tpAmb;
        documento.procCTe.cStat = row.cStat;
        documento.procCTe.nProt = row.nProt;
        const Layout l(documento, *c.dacte);
        const report::PreparedPage &p = l.paginas.pages.at(0);
        EXPECT_EQ(TextoDe(p, "rllMsgTeste"), row.status) << row.name;
        if (std::string(row.status) != "<none>") {
            EXPECT_GE(l.janela.rlb_09_Obs->height, 68) << row.name;
        }
    }
}

TEST(DACTeRetrato, ObservationsBreakAtMarkersAndSemicolons)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.Compl.xObs = "a;b&lt;br&gt;c<Br>d";
    const Layout l(documento, *c.dacte);
    EXPECT_EQ(TextoDe(l.paginas.pages.at(0), "rlmObs"), "a\nb\nc\nd");
}

} // namespace
