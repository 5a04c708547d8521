// The bands of the mode of transport, each printed from its hand-written fixture: road in
// both layouts and for the CT-e OS, the full load below 3.00, air and waterway, and the
// modals that print no modal data.

#include "support.h"

#include "cte/reader.h"
#include "rtl/formatsettings.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace {

using dacte_test::Componente;
using dacte_test::Layout;
using dacte_test::TextoDe;

cte::TCTe Fixture(const std::string &nome)
{
    std::ifstream in(std::string(TEST_SOURCE_DIR) + "/../fixtures/" + nome, std::ios::binary);
    std::ostringstream texto;
    texto << in.rdbuf();
    cte::TCTe c;
    cte::TCTeR leitor(c);
    leitor.Leitor().SetArquivo(texto.str());
    EXPECT_TRUE(leitor.LerXml()) << nome;
    return c;
}

// What a control printed on page 1; empty when it printed nothing.
std::string Texto(const Layout &l, std::string_view controle)
{
    const std::string t = TextoDe(l.paginas.pages.at(0), controle);
    return t == "<none>" ? std::string() : t;
}

// The height a band took on page 1; -1 when it was not placed there.
double Altura(const Layout &l, std::string_view banda)
{
    for (const report::PlacedBand &b : l.paginas.pages.at(0).bands)
        if (b.name == banda)
            return b.height;
    return -1;
}

struct Esperado {
    const char *controle;
    std::string texto;
};

void Conferir(const Layout &l, std::initializer_list<Esperado> casos, const std::string &onde)
{
    for (const Esperado &e : casos)
        EXPECT_EQ(Texto(l, e.controle), e.texto) << onde << ": " << e.controle;
}

const char *const kLegislacao =
    "ESTE CONHECIMENTO DE TRANSPORTE ATENDE À LEGISLAÇÃO DE TRANSPORTE RODOVIÁRIO EM VIGOR";

TEST(DACTeModais, RoadFrom300HasNoCIOTNorLoadAndTakesTheScheduledDate)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    Componente c;
    const cte::TCTe documento = Fixture("F1-cte300-rodo-proc.xml");
    const Layout l(documento, *c.dacte);
    Conferir(l,
             {{"rllTituloLotacao", "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO"},
              {"rllTitRntrcEmpresa", "RNTRC DA EMPRESA"},
              {"rllRntrcEmpresa", "12345678"},
              {"lblCIOT", ""},
              {"rllCIOT", ""},
              {"rllTitLotacao", ""},
              {"rllLotacao", ""},
              {"rllTitDtPrevEntrega", "DATA PREVISTA DE ENTREGA"},
              {"rllDtPrevEntrega", "20/05/2019"},
              {"rllMsgModalRodoviario", ""},
              {"rllLegislacaoRodoviario", kLegislacao}},
             "F1");
    const report::PreparedPage &p = l.paginas.pages.at(0);
    EXPECT_FALSE(dacte_test::Impresso(p, "rlsCIOT"));
    EXPECT_FALSE(dacte_test::Impresso(p, "rlsLinhaV_DtPrevEntrega")) << "the line after the load box";
    EXPECT_TRUE(dacte_test::Impresso(p, "rlsLinhaV_Lotacao"));
    EXPECT_EQ(Altura(l, "rlb_10_ModRodFracionado"), 44);
    EXPECT_EQ(Altura(l, "rlb_11_ModRodLot104"), 0);
    EXPECT_FALSE(l.janela.rlb_11_ModRodLot104->enabled);

    // The date takes the user's separator.
    rtl::TFormatSettings ponto = rtl::TFormatSettings::Brazil();
    ponto.DateSeparator = ".";
    const rtl::ScopedFormatSettings local(ponto);
    Componente c2;
    const Layout l2(documento, *c2.dacte);
    EXPECT_EQ(Texto(l2, "rllDtPrevEntrega"), "20.05.2019");
}

TEST(DACTeModais, RoadBelow300ShowsLoadKindCIOTAndForecast)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    const struct {
        const char *caso;
        cte::TpcteLotacao lota;
        bool semPrevisao;
        const char *titulo;
        const char *lotacao;
        const char *previsao;
    } casos[] = {
        {"full load", cte::ltSim, false, "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO - LOTAÇÃO", "SIM", "10/05/2012"},
        {"fractional", cte::ltNao, false, "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO - CARGA FRACIONADA", "NÃO",
         "10/05/2012"},
        {"no forecast", cte::ltNao, true, "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO - CARGA FRACIONADA", "NÃO", ""},
    };
    for (const auto &caso : casos) {
        Componente c;
        cte::TCTe documento = Fixture("F6-cte200-rodo-lotacao.xml");
        documento.infCTeNorm.rodo.lota = caso.lota;
        if (caso.semPrevisao)
            documento.infCTeNorm.rodo.dPrev = 0;
        const Layout l(documento, *c.dacte);
        Conferir(l,
                 {{"rllTituloLotacao", caso.titulo},
                  {"rllRntrcEmpresa", "87654321"},
                  {"lblCIOT", "CIOT"},
                  {"rllCIOT", "123456789012"},
                  {"rllTitLotacao", "LOTAÇÃO"},
                  {"rllLotacao", caso.lotacao},
                  {"rllDtPrevEntrega", caso.previsao},
                  {"rllLegislacaoRodoviario", kLegislacao}},
                 caso.caso);
        const bool lotacao = caso.lota == cte::ltSim;
        EXPECT_TRUE(dacte_test::Impresso(l.paginas.pages.at(0), "rlsCIOT")) << caso.caso;
        EXPECT_EQ(Altura(l, "rlb_11_ModRodLot104"), lotacao ? 107 : 0) << caso.caso;
        EXPECT_EQ(Texto(l, "rllTit_rlmPlacaVeiculo"), lotacao ? "PLACA" : "") << caso.caso;
    }
}

TEST(DACTeModais, FullLoadListsVehiclesTollVouchersDriverAndSeals)
{
    Componente c;
    cte::TCTe documento = Fixture("F6-cte200-rodo-lotacao.xml");
    for (const char *lacre : {"LR-2", "LR-3"})
        documento.infCTeNorm.rodo.lacRodo.New().nLacre = lacre;
    const Layout l(documento, *c.dacte);
    Conferir(l,
             {{"rliVeiculos_Titulo", "IDENTIFICAÇÃO DO CONJ. TRANSPORTADOR"},
              {"rlmTipoVeiculo", "Tração\nReboque"},
              {"rlmPlacaVeiculo", "AAA1111\nBBB2222"},
              {"rlmUFVeiculo", "SP\nRJ"},
              {"rliValePedagio_Titulo", "INFORMAÇÕES REFERENTES AO VALE-PEDÁGIO"},
              {"rlmCNPJForn", "12.312.312/0001-00"},
              {"rlmNumCompra", "C9"},
              // A voucher without the payer's CNPJ prints it as zeros.
              {"rlmCNPJPg", "00.000.000/0000-00"},
              {"rllNomeMotorista", "Motorista"},
              {"rllCPFMotorista", "111.444.777-35"},
              {"rllTitLacres", "IDENTIFICAÇÃO DOS LACRES EM TRÂNSITO"},
              {"rllLacres", "LR-1/LR-2/LR-3/"}},
             "F6");
    // The trailer has no owner: its RNTRC line is empty.
    EXPECT_EQ(l.janela.rlb_11_ModRodLot104->find<report::Memo>("rlmRNTRCVeiculo")->text, "ISENTO\r\n");

    // Without a driver the driver's boxes stay empty.
    documento.infCTeNorm.rodo.moto.Clear();
    Componente c2;
    const Layout l2(documento, *c2.dacte);
    EXPECT_EQ(Texto(l2, "rllNomeMotorista"), "");
    EXPECT_EQ(Texto(l2, "rllCPFMotorista"), "");
}

TEST(DACTeModais, CTeOSRoadShowsTheCharterBoxes)
{
    const struct {
        const char *caso;
        const char *tafProprietario;
        const char *regProprietario;
        const char *taf, *registro, *documento;
    } casos[] = {
        {"owner with a TAF", "998877665544", "", "998877665544", "", "33444555000100"},
        {"owner with a state registration only", "", "REG-9", "", "REG-9", "33444555000100"},
        // The carrier's own vehicle: the CT-e OS's registrations and the emitter's CNPJ,
        // unformatted.
        {"carrier's own vehicle", "", "", "123456789012", "RE-55", "11222333000181"},
    };
    for (const auto &caso : casos) {
        Componente c;
        cte::TCTe documento = Fixture("F2-cteos300-proc.xml");
        documento.infCTeNorm.rodoOS.NroRegEstadual = "RE-55";
        documento.infCTeNorm.rodoOS.veic.prop.TAF = caso.tafProprietario;
        documento.infCTeNorm.rodoOS.veic.prop.NroRegEstadual = caso.regProprietario;
        const Layout l(documento, *c.dacte);
        Conferir(l,
                 {{"rllTituloLotacao", "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO"},
                  {"rllTitRntrcEmpresa", "TERMO AUTORIZAÇÃO DE FRETAMENTO"},
                  {"rllRntrcEmpresa", caso.taf},
                  {"lblCIOT", "Nº DE REGISTRO ESTADUAL"},
                  {"rllCIOT", caso.registro},
                  {"rllTitLotacao", "PLACA DO VEÍCULO"},
                  {"rllLotacao", "BUS1A23"},
                  {"rllTitDtPrevEntrega", "RENAVAM DO VEÍCULO"},
                  {"rllDtPrevEntrega", "12345678901"},
                  {"rllMsgModalRodoviario", "CNPJ/CPF"},
                  {"rllLegislacaoRodoviario", caso.documento}},
                 caso.caso);
        const dfe::TCaixaCampos &caixa = l.janela.FCaixaRodoviario;
        const char *divisores[] = {"rlsCIOT", "rlsLinhaV_Lotacao", "rlsLinhaV_DtPrevEntrega",
                                   "rlsLinhaV_MsgRodoviario"};
        const double posicoes[] = {148, 296, 444, 592};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(caixa.DivisorDe(divisores[i]).bounds.left(), posicoes[i]) << divisores[i];
            EXPECT_TRUE(dacte_test::Impresso(l.paginas.pages.at(0), divisores[i])) << divisores[i];
        }
        EXPECT_EQ(caixa.LegendaDe("rllMsgModalRodoviario").bounds.left(), 597);
        EXPECT_EQ(caixa.ValorDe("rllLegislacaoRodoviario").bounds.width(), 70);
        EXPECT_EQ(Altura(l, "rlb_10_ModRodFracionado"), 44) << caso.caso;
    }
}

TEST(DACTeModais, AirPrintsTariffMinuteAndPickUp)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    struct Caso {
        const char *fixture;
        const char *awb, *cl, *codigo, *valor, *minuta, *loja, *conta, *retira;
    };
    const Caso casos[] = {
        {"F8-cte200-aereo.xml", "98765432101", "M", "0001", "410,00", "0000012345", "AG CGH", "TOM-7", "NÃO"},
        {"F3-cte300-aereo-aquav.xml", "12345678901", "G", "T1", "45,50", "0123456789", "", "", "SIM"},
    };
    for (const Caso &caso : casos) {
        Componente c;
        cte::TCTe documento = Fixture(caso.fixture);
        documento.Compl.xCaracSer = "SERVICO EXPRESSO";
        documento.Compl.xCaracAd = "CARGA REFRIGERADA";
        documento.ide.xDetRetira = "BALCAO 2";
        const Layout l(documento, *c.dacte);
        Conferir(l,
                 {{"rllTituloAereo", "INFORMAÇÕES ESPECÍFICAS DO MODAL AÉREO"},
                  {"rllCaracAdServico", "SERVICO EXPRESSO"},
                  {"rllCaracAdTransporte", "CARGA REFRIGERADA"},
                  {"rllAWB", caso.awb},
                  {"rllTitDadosTarifa", "DADOS DA TARIFA"},
                  {"rllTarifaCL", caso.cl},
                  {"rllTarifaCodigo", caso.codigo},
                  {"rllTarifaValor", caso.valor},
                  {"rllTitTrecho", "TRECHO"},
                  {"rllTrecho", ""},
                  {"rllContaCorrente", caso.conta},
                  {"rllMinuta", caso.minuta},
                  {"rllLojaAgenteEmissor", caso.loja},
                  {"rllRetira", caso.retira},
                  {"rllDadosRetira", "BALCAO 2"}},
                 caso.fixture);
        EXPECT_EQ(Altura(l, "rlb_12_ModAereo"), 97) << caso.fixture;
        EXPECT_EQ(Texto(l, "rllPortoEmbarque"), "") << "the waterway band is not the air CT-e's";
    }

    // A three-digit minute fills ten digits; the tariff takes the user's separators.
    rtl::TFormatSettings ingles = rtl::TFormatSettings::Brazil();
    ingles.DecimalSeparator = ".";
    ingles.ThousandSeparator = ",";
    const rtl::ScopedFormatSettings local(ingles);
    Componente c;
    cte::TCTe documento = Fixture("F8-cte200-aereo.xml");
    documento.infCTeNorm.aereo.nMinu = 123;
    documento.infCTeNorm.aereo.tarifa.vTar = rtl::Currency::FromDouble(1234.5);
    const Layout l(documento, *c.dacte);
    EXPECT_EQ(Texto(l, "rllMinuta"), "0000000123");
    EXPECT_EQ(Texto(l, "rllTarifaValor"), "1,234.50");
}

TEST(DACTeModais, WaterwayPrintsPortsAFRMMAndBarges)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    Componente c;
    const Layout l(Fixture("F9-cte200-aquav.xml"), *c.dacte);
    Conferir(l,
             {{"rllTituloAquaviario", "DADOS ESPECÍFICOS DO MODAL AQUAVIÁRIO"},
              {"rllPortoEmbarque", "Santos"},
              {"rllPortoDestino", "Manaus"},
              {"rllIndNavioRebocador", "Rio Claro"},
              {"rllBCAFRMM", "1.200,00"},
              {"rllValorAFRMM", "300,00"},
              {"rllTipoNav", "CABOTAGEM"},
              {"rllDirecao", "NORTE"},
              {"rllIndBalsas", "Balsa Norte"},
              {"rllTitIndConteiners", "IDENTIFICAÇÃO DOS CONTEINERS"},
              {"rllIndConteiners", ""}},
             "F9");
    EXPECT_EQ(Altura(l, "rlb_13_ModAquaviario"), 92);

    // The air and waterway fixture printed as a waterway CT-e, with a third barge and an
    // inland navigation heading west.
    const struct {
        cte::TpcteDirecao direcao;
        const char *texto;
    } direcoes[] = {{cte::drNorte, "NORTE"}, {cte::drLeste, "LESTE"}, {cte::drSul, "SUL"}, {cte::drOeste, "OESTE"}};
    for (const auto &d : direcoes) {
        Componente c2;
        cte::TCTe documento = Fixture("F3-cte300-aereo-aquav.xml");
        documento.ide.modal = dfe::mdAquaviario;
        documento.infCTeNorm.aquav.balsa.New().xBalsa = "Balsa 3";
        documento.infCTeNorm.aquav.tpNav = dfe::tnInterior;
        documento.infCTeNorm.aquav.direc = d.direcao;
        const Layout l2(documento, *c2.dacte);
        Conferir(l2,
                 {{"rllIndBalsas", "Balsa 1/Balsa 2/Balsa 3"},
                  {"rllIndNavioRebocador", "Navio Azul"},
                  {"rllBCAFRMM", "800,00"},
                  {"rllValorAFRMM", "25,00"},
                  {"rllTipoNav", "INTERIOR"},
                  {"rllDirecao", d.texto},
                  {"rllAWB", ""}},
                 d.texto);
    }
}

TEST(DACTeModais, OtherModalsAndOtherKindsPrintNoModalData)
{
    // The heights of bands 17 to 22 on page 1 in order, and whether any of them drew.
    const struct {
        const char *caso;
        const char *fixture;
        void (*ajustar)(cte::TCTe &);
        std::array<double, 6> alturas;
    } casos[] = {
        {"rail 3.00", "F4-cte300-ferrov.xml", nullptr, {0, 0, 0, 0, 0, 0}},
        {"rail 2.00", "F10-cte200-ferrov.xml", nullptr, {0, 0, 0, 0, 0, 0}},
        {"pipeline", "F5-cte300-duto-multimodal-sub.xml", [](cte::TCTe &d) { d.ide.tpCTe = cte::tcNormal; },
         {0, 0, 0, 0, 0, 0}},
        {"multimodal", "F11-cte300-multimodal.xml", nullptr, {0, 0, 0, 0, 0, 0}},
        // A substitute road CT-e takes no room; a substitute air or waterway CT-e leaves
        // its band's room blank.
        {"substitute road", "F1-cte300-rodo-proc.xml", [](cte::TCTe &d) { d.ide.tpCTe = cte::tcSubstituto; },
         {0, 0, 0, 0, 0, 0}},
        {"substitute full load", "F6-cte200-rodo-lotacao.xml",
         [](cte::TCTe &d) { d.ide.tpCTe = cte::tcSubstituto; }, {0, 107, 0, 0, 0, 0}},
        {"substitute air", "F8-cte200-aereo.xml", [](cte::TCTe &d) { d.ide.tpCTe = cte::tcSubstituto; },
         {0, 0, 97, 0, 0, 0}},
        {"substitute waterway", "F9-cte200-aquav.xml", [](cte::TCTe &d) { d.ide.tpCTe = cte::tcSubstituto; },
         {0, 0, 0, 92, 0, 0}},
    };
    const char *bandas[] = {"rlb_10_ModRodFracionado", "rlb_11_ModRodLot104", "rlb_12_ModAereo",
                            "rlb_13_ModAquaviario", "rlb_14_ModFerroviario", "rlb_15_ModDutoviario"};
    for (const auto &caso : casos) {
        Componente c;
        cte::TCTe documento = Fixture(caso.fixture);
        if (caso.ajustar)
            caso.ajustar(documento);
        const Layout l(documento, *c.dacte);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(Altura(l, bandas[i]), caso.alturas[i]) << caso.caso << " " << bandas[i];
        for (const char *controle : {"rllTituloLotacao", "rllTit_rlmPlacaVeiculo", "rllTituloAereo",
                                     "rllTituloAquaviario", "rllRetira", "rllDirecao"})
            EXPECT_FALSE(dacte_test::Impresso(l.paginas.pages.at(0), controle)) << caso.caso << " " << controle;
    }
}

// An NF-e key of number n (its check digit is not checked here).
std::string ChaveNFe(int n)
{
    std::string numero = std::to_string(n);
    numero.insert(0, 9 - numero.size(), '0');
    return "3512051122233300018155001" + numero + "1000000000";
}

TEST(DACTeModais, FullLoadWithManyDocumentsKeepsPageOneWholeAndContinuesOnce)
{
    Componente c;
    cte::TCTe documento = Fixture("F6-cte200-rodo-lotacao.xml");
    for (int n = 1; n <= 30; ++n)
        documento.infCTeNorm.infDoc.infNFe.New().chave = ChaveNFe(n);
    const report::PreparedReport r = c.Imprimir(documento);
    ASSERT_EQ(r.pages.size(), 2u);

    const auto banda = [](const report::PreparedPage &p, std::string_view nome) {
        return std::any_of(p.bands.begin(), p.bands.end(), [&](const report::PlacedBand &b) { return b.name == nome; });
    };
    // Page 1 holds the full-load band and, after it, its own notes and system line.
    for (const char *nome : {"rlb_11_ModRodLot104", "rlb_16_DadosExcEmitente", "rlb_17_Sistema"})
        EXPECT_TRUE(banda(r.pages[0], nome)) << nome;
    EXPECT_TRUE(dacte_test::Impresso(r.pages[0], "rllLacres"));
    EXPECT_FALSE(banda(r.pages[1], "rlb_11_ModRodLot104"));
    EXPECT_FALSE(banda(r.pages[1], "rlb_17_Sistema"));

    // Every document once: 20 on page 1, the other 10 on page 2.
    std::string todos;
    for (const report::PreparedPage &p : r.pages)
        for (const char *coluna : {"rlDocOrig_tpDoc1", "rlDocOrig_tpDoc2"})
            todos += TextoDe(p, coluna) + "\n";
    for (int n = 1; n <= 30; ++n) {
        const std::string numero = ChaveNFe(n).substr(25, 9);
        std::size_t vezes = 0;
        for (std::size_t i = todos.find(numero); i != std::string::npos; i = todos.find(numero, i + 1))
            ++vezes;
        EXPECT_EQ(vezes, 1u) << n;
        EXPECT_EQ(TextoDe(r.pages[0], "rlDocOrig_tpDoc1").find(numero) != std::string::npos ||
                      TextoDe(r.pages[0], "rlDocOrig_tpDoc2").find(numero) != std::string::npos,
                  n <= 20)
            << n;
    }
}

} // namespace
