// The writer's tail groups: payments, additional information, export, purchase, sugar
// cane and the technical responsible.

#include "nfe/writer.h"

#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace nfe;
using Alertas = std::vector<std::string>;

// An amount in cents: Cents(1234) is 12.34.
rtl::Currency Cents(long long cents)
{
    return rtl::Currency::FromRaw(cents * 100);
}

struct Saida {
    std::string xml;
    Alertas alertas;
};

// Runs one group writer on a fresh generation of the document.
Saida Gerar(TNFe &nfe, void (TNFeW::*grupo)())
{
    TNFeW w(nfe);
    w.Iniciar();
    (w.*grupo)();
    const rtl::TStringList &a = w.Gerador().ListaDeAlertas();
    return {w.Gerador().ArquivoFormatoXML(), Alertas(a.begin(), a.end())};
}

int Ocorrencias(const std::string &texto, const std::string &trecho)
{
    int n = 0;
    for (std::size_t p = texto.find(trecho); p != std::string::npos;
         p = texto.find(trecho, p + trecho.size()))
        ++n;
    return n;
}

std::string Limite(int maximo)
{
    return "Número de ocorrências maior que o máximo permitido - Máximo " + std::to_string(maximo) +
           ".";
}

// ---- pag ------------------------------------------------------------------------------

void DoisPagamentos(TNFe &nfe)
{
    TpagCollectionItem &dinheiro = nfe.pag.New();
    dinheiro.tPag = dfe::fpDinheiro;
    dinheiro.vPag = 50;
    dinheiro.indPag = dfe::ipVista;
    TpagCollectionItem &cartao = nfe.pag.New();
    cartao.tPag = dfe::fpCartaoCredito;
    cartao.vPag = Cents(7525);
    cartao.indPag = dfe::ipPrazo;
    cartao.tpIntegra = dfe::tiPagIntegrado;
    cartao.CNPJ = "12345678000195";
    cartao.tBand = dfe::bcMasterCard;
    cartao.cAut = "AUT123";
    nfe.pag.vTroco = 5;
}

TEST(WriterPag, PaymentsPerLayout)
{
    struct Caso {
        const char *name;
        double versao;
        void (*preencher)(TNFe &);
        std::string esperado;
        Alertas alertas;
    };
    const std::string cartao = "<card><tpIntegra>1</tpIntegra><CNPJ>12345678000195</CNPJ>"
                               "<tBand>02</tBand><cAut>AUT123</cAut></card>";
    const Caso casos[] = {
        {"4.00: one pag, a detPag per payment and the change", 4.0, DoisPagamentos,
         "<pag><detPag><indPag>0</indPag><tPag>01</tPag><vPag>50.00</vPag></detPag>"
         "<detPag><indPag>1</indPag><tPag>03</tPag><vPag>75.25</vPag>" + cartao + "</detPag>"
         "<vTroco>5.00</vTroco></pag>",
         {}},
        {"3.10: a pag per payment, no indicator, no change", 3.1, DoisPagamentos,
         "<pag><tPag>01</tPag><vPag>50.00</vPag></pag>"
         "<pag><tPag>03</tPag><vPag>75.25</vPag>" + cartao + "</pag>",
         {}},
        {"4.00 without change and without indicator", 4.0,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpBoletoBancario;
             p.vPag = 10;
         },
         "<pag><detPag><tPag>15</tPag><vPag>10.00</vPag></detPag></pag>", {}},
        {"PIX", 4.0,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpPagamentoInstantaneo;
             p.vPag = 10;
         },
         "<pag><detPag><tPag>17</tPag><vPag>10.00</vPag></detPag></pag>", {}},
        {"a code the table did not know is written as it was read", 4.0,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpOutro;
             p.tPagNaoListado = "77";
             p.vPag = 10;
         },
         "<pag><detPag><tPag>77</tPag><vPag>10.00</vPag></detPag></pag>", {}},
        {"a form of payment set after the read writes its own code", 3.1,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpCheque;
             p.tPagNaoListado = "77";
             p.vPag = 10;
         },
         "<pag><tPag>02</tPag><vPag>10.00</vPag></pag>", {}},
        {"4.00 without payments", 4.0, [](TNFe &) {}, "<pag></pag>", {}},
        {"3.10 without payments", 3.1, [](TNFe &) {}, "", {}},
        {"money never gets a card", 4.0,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.vPag = 1;
             p.CNPJ = "12345678000195";
             p.tpIntegra = dfe::tiPagNaoIntegrado;
         },
         "<pag><detPag><tPag>01</tPag><vPag>1.00</vPag></detPag></pag>", {}},
        {"a card payment with neither CNPJ nor integration", 4.0,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpCartaoCredito;
             p.vPag = 1;
             p.cAut = "X";
         },
         "<pag><detPag><tPag>03</tPag><vPag>1.00</vPag></detPag></pag>", {}},
        {"a debit card with the integration type only", 3.1,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpCartaoDebito;
             p.vPag = 1;
             p.tpIntegra = dfe::tiPagNaoIntegrado;
         },
         "<pag><tPag>04</tPag><vPag>1.00</vPag><card><tpIntegra>2</tpIntegra></card></pag>", {}},
        {"a card with a CNPJ and no integration type", 4.0,
         [](TNFe &n) {
             TpagCollectionItem &p = n.pag.New();
             p.tPag = dfe::fpCartaoCredito;
             p.vPag = 1;
             p.CNPJ = "12345678000195";
         },
         "<pag><detPag><tPag>03</tPag><vPag>1.00</vPag><card><tpIntegra/>"
         "<CNPJ>12345678000195</CNPJ><tBand>01</tBand></card></detPag></pag>",
         {"TAG:<pag><detPag><card> ID:YA04a/tpIntegra(Tipo de Integração para pagamento) - "
          "Nenhum valor informado."}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = c.versao;
        c.preencher(nfe);
        const Saida s = Gerar(nfe, &TNFeW::Gerarpag);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

TEST(WriterPag, PaymentLimitAlertComesAfterThePayments)
{
    struct Caso {
        const char *name;
        double versao;
        int quantos;
        const char *grupo;
    };
    const Caso casos[] = {
        {"4.00 with 100 payments", 4.0, 100, "<detPag>"},
        {"4.00 with 101 payments", 4.0, 101, "<detPag>"},
        {"3.10 with 101 payments", 3.1, 101, "<pag>"},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = c.versao;
        for (int i = 0; i < c.quantos; ++i)
            nfe.pag.New().vPag = 1;
        const Saida s = Gerar(nfe, &TNFeW::Gerarpag);
        EXPECT_EQ(Ocorrencias(s.xml, c.grupo), c.quantos) << c.name;
        Alertas esperadas;
        if (c.quantos > 100)
            esperadas.push_back("TAG: ID:YA01/pag() - " + Limite(100));
        EXPECT_EQ(s.alertas, esperadas) << c.name;
    }
}

// ---- infAdic --------------------------------------------------------------------------

TEST(WriterInfAdic, WholeGroupWithEscapedFieldNames)
{
    TNFe nfe;
    TInfAdic &a = nfe.InfAdic;
    a.infAdFisco = "DOCUMENTO EMITIDO POR ME";
    a.infCpl = "PEDIDO 123";
    TobsContCollectionItem &cont = a.obsCont.New();
    cont.xCampo = "A&B \"x\"";
    cont.xTexto = "T1";
    TobsFiscoCollectionItem &fisco = a.obsFisco.New();
    fisco.xCampo = "  Campo  ";
    fisco.xTexto = "T2";
    TprocRefCollectionItem &proc = a.procRef.New();
    proc.nProc = "PROC-1";
    proc.indProc = dfe::ipJusticaFederal;

    const Saida s = Gerar(nfe, &TNFeW::GerarInfAdic);
    EXPECT_EQ(s.xml, "<infAdic><infAdFisco>DOCUMENTO EMITIDO POR ME</infAdFisco>"
                     "<infCpl>PEDIDO 123</infCpl>"
                     "<obsCont xCampo=\"A&amp;B &quot;x&quot;\"><xTexto>T1</xTexto></obsCont>"
                     "<obsFisco xCampo=\"Campo\"><xTexto>T2</xTexto></obsFisco>"
                     "<procRef><nProc>PROC-1</nProc><indProc>1</indProc></procRef></infAdic>");
    EXPECT_TRUE(s.alertas.empty());
}

TEST(WriterInfAdic, WrittenOnlyWithSomethingToSay)
{
    struct Caso {
        const char *name;
        void (*preencher)(TInfAdic &);
        std::string esperado;
    };
    const Caso casos[] = {
        {"nothing", [](TInfAdic &) {}, ""},
        {"blank texts", [](TInfAdic &a) { a.infCpl = "   "; a.infAdFisco = " "; }, ""},
        {"a process alone",
         [](TInfAdic &a) {
             TprocRefCollectionItem &p = a.procRef.New();
             p.nProc = "9";
             p.indProc = dfe::ipOutros;
         },
         "<infAdic><procRef><nProc>9</nProc><indProc>9</indProc></procRef></infAdic>"},
        {"a tax-authority observation alone",
         [](TInfAdic &a) {
             TobsFiscoCollectionItem &o = a.obsFisco.New();
             o.xCampo = "C";
             o.xTexto = "T";
         },
         "<infAdic><obsFisco xCampo=\"C\"><xTexto>T</xTexto></obsFisco></infAdic>"},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        c.preencher(nfe.InfAdic);
        const Saida s = Gerar(nfe, &TNFeW::GerarInfAdic);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_TRUE(s.alertas.empty()) << c.name;
    }
}

TEST(WriterInfAdic, ObservationFieldNames)
{
    struct Caso {
        const char *name;
        bool fisco;
        std::string xCampo;
        std::string abertura;
        Alertas alertas;
    };
    const std::string vinteECinco = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    const std::string vinte = "ABCDEFGHIJKLMNOPQRST";
    const Caso casos[] = {
        {"taxpayer's name keeps its blanks", false, " Campo ", "<obsCont xCampo=\" Campo \">", {}},
        {"authority's name loses its blanks", true, " Campo ", "<obsFisco xCampo=\"Campo\">", {}},
        {"taxpayer's name is escaped", false, "A&B \"x\"",
         "<obsCont xCampo=\"A&amp;B &quot;x&quot;\">", {}},
        {"authority's name is escaped", true, "<'>", "<obsFisco xCampo=\"&lt;&#39;&gt;\">", {}},
        {"twenty characters within blanks", false, " " + vinte + " ",
         "<obsCont xCampo=\" " + vinte + " \">", {}},
        {"taxpayer's name of 25 characters", false, vinteECinco,
         "<obsCont xCampo=\"" + vinteECinco + "\">",
         {"TAG:<infAdic> ID:Z05/xCampo(Identificação do Campo) - Tamanho maior que o máximo "
          "permitido."}},
        {"authority's name of 25 characters", true, vinteECinco,
         "<obsFisco xCampo=\"" + vinteECinco + "\">",
         {"TAG:<infAdic> ID:Z08/xCampo(Identificação do Campo) - Tamanho maior que o máximo "
          "permitido."}},
        {"empty taxpayer's name", false, "", "<obsCont xCampo=\"\">",
         {"TAG:<infAdic> ID:Z05/xCampo(Identificação do Campo) - Nenhum valor informado."}},
        {"blank authority's name", true, "   ", "<obsFisco xCampo=\"\">",
         {"TAG:<infAdic> ID:Z08/xCampo(Identificação do Campo) - Nenhum valor informado."}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        if (c.fisco) {
            TobsFiscoCollectionItem &o = nfe.InfAdic.obsFisco.New();
            o.xCampo = c.xCampo;
            o.xTexto = "T";
        } else {
            TobsContCollectionItem &o = nfe.InfAdic.obsCont.New();
            o.xCampo = c.xCampo;
            o.xTexto = "T";
        }
        const Saida s = Gerar(nfe, &TNFeW::GerarInfAdic);
        const std::string fecho = c.fisco ? "</obsFisco>" : "</obsCont>";
        EXPECT_EQ(s.xml, "<infAdic>" + c.abertura + "<xTexto>T</xTexto>" + fecho + "</infAdic>")
            << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

TEST(WriterInfAdic, ObservationLimitAlertComesBeforeTheObservations)
{
    struct Caso {
        const char *name;
        bool fisco;
        int quantos;
    };
    const Caso casos[] = {
        {"ten taxpayer's observations", false, 10},
        {"eleven taxpayer's observations", false, 11},
        {"eleven authority's observations", true, 11},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        for (int i = 0; i < c.quantos; ++i) {
            // The first has no field name: its alert must follow the limit's.
            const std::string xCampo = i == 0 ? "" : "C" + std::to_string(i);
            if (c.fisco) {
                TobsFiscoCollectionItem &o = nfe.InfAdic.obsFisco.New();
                o.xCampo = xCampo;
                o.xTexto = "T";
            } else {
                TobsContCollectionItem &o = nfe.InfAdic.obsCont.New();
                o.xCampo = xCampo;
                o.xTexto = "T";
            }
        }
        const Saida s = Gerar(nfe, &TNFeW::GerarInfAdic);
        EXPECT_EQ(Ocorrencias(s.xml, c.fisco ? "<obsFisco " : "<obsCont "), c.quantos) << c.name;
        Alertas esperadas;
        if (c.quantos > 10)
            esperadas.push_back(c.fisco ? "TAG:<infAdic> ID:Z07/obsFisco(Observações de interesse "
                                          "do fisco) - " + Limite(10)
                                        : "TAG:<infAdic> ID:Z04/obsCont(Observações de interesse "
                                          "do contribuite) - " + Limite(10));
        esperadas.push_back(std::string("TAG:<infAdic> ID:") + (c.fisco ? "Z08" : "Z05") +
                            "/xCampo(Identificação do Campo) - Nenhum valor informado.");
        EXPECT_EQ(s.alertas, esperadas) << c.name;
    }
}

// ---- exporta, compra ------------------------------------------------------------------

TEST(WriterExporta, EachLayoutWritesItsOwnFields)
{
    struct Caso {
        const char *name;
        double versao;
        void (*preencher)(TExporta &);
        std::string esperado;
        Alertas alertas;
    };
    auto novos = [](TExporta &e) {
        e.UFSaidaPais = "SP";
        e.xLocExporta = "PORTO DE SANTOS";
        e.xLocDespacho = "RECINTO 1";
    };
    auto antigos = [](TExporta &e) {
        e.UFembarq = "PR";
        e.xLocEmbarq = "PARANAGUA";
    };
    const Caso casos[] = {
        {"4.00 new fields", 4.0, novos,
         "<exporta><UFSaidaPais>SP</UFSaidaPais><xLocExporta>PORTO DE SANTOS</xLocExporta>"
         "<xLocDespacho>RECINTO 1</xLocDespacho></exporta>",
         {}},
        {"3.10 with only the old fields", 3.1, antigos, "", {}},
        {"2.00 with only the new fields", 2.0, novos, "", {}},
        {"2.00 old fields", 2.0, antigos,
         "<exporta><UFEmbarq>PR</UFEmbarq><xLocEmbarq>PARANAGUA</xLocEmbarq></exporta>", {}},
        {"4.00 blank new fields", 4.0,
         [](TExporta &e) {
             e.UFSaidaPais = " ";
             e.xLocExporta = "  ";
             e.xLocDespacho = "X";
         },
         "", {}},
        {"4.00 place without state", 4.0, [](TExporta &e) { e.xLocExporta = "PORTO"; },
         "<exporta><UFSaidaPais/><xLocExporta>PORTO</xLocExporta></exporta>",
         {"TAG:<exporta> ID:ZA02/UFSaidaPais(Sigla da UF onde ocorrerá o embarque dos produtos) - "
          "Nenhum valor informado.",
          "TAG:<exporta> ID:ZA02/UFSaidaPais(Sigla da UF onde ocorrerá o embarque dos produtos) - "
          "Conteúdo inválido."}},
        {"2.00 unknown state", 2.0,
         [](TExporta &e) {
             e.UFembarq = "XX";
             e.xLocEmbarq = "L";
         },
         "<exporta><UFEmbarq>XX</UFEmbarq><xLocEmbarq>L</xLocEmbarq></exporta>",
         {"TAG:<exporta> ID:ZA02/UFEmbarq(Sigla da UF onde ocorrerá o embarque dos produtos) - "
          "Conteúdo inválido."}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        nfe.infNFe.Versao = c.versao;
        c.preencher(nfe.exporta);
        const Saida s = Gerar(nfe, &TNFeW::GerarExporta);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

TEST(WriterCompra, WrittenWhenAnyFieldIsGiven)
{
    struct Caso {
        const char *name;
        void (*preencher)(TCompra &);
        std::string esperado;
    };
    const Caso casos[] = {
        {"nothing", [](TCompra &) {}, ""},
        {"blanks", [](TCompra &c) { c.xNEmp = " "; c.xPed = "  "; c.xCont = " "; }, ""},
        {"the order alone", [](TCompra &c) { c.xPed = "PED-9"; },
         "<compra><xPed>PED-9</xPed></compra>"},
        {"every field",
         [](TCompra &c) {
             c.xNEmp = "2024NE000123";
             c.xPed = "PED-9";
             c.xCont = "CT-77";
         },
         "<compra><xNEmp>2024NE000123</xNEmp><xPed>PED-9</xPed><xCont>CT-77</xCont></compra>"},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        c.preencher(nfe.compra);
        const Saida s = Gerar(nfe, &TNFeW::GerarCompra);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_TRUE(s.alertas.empty()) << c.name;
    }
}

// ---- cana -----------------------------------------------------------------------------

TEST(WriterCana, SugarCaneSupply)
{
    struct Caso {
        const char *name;
        void (*preencher)(TCana &);
        std::string esperado;
    };
    const Caso casos[] = {
        {"nothing", [](TCana &) {}, ""},
        {"blank harvest", [](TCana &c) { c.safra = "   "; c.qTotMes = 5; }, ""},
        {"the whole group",
         [](TCana &c) {
             c.safra = "2023/2024";
             c.ref = "05/2024";
             TForDiaCollectionItem &d1 = c.fordia.New();
             d1.dia = 1;
             d1.qtde = Cents(100050);
             TForDiaCollectionItem &d2 = c.fordia.New();
             d2.dia = 2;
             d2.qtde = rtl::Currency::FromRaw(2500001); // 250.0001
             c.qTotMes = 1250.5;
             c.qTotAnt = 5000;
             c.qTotGer = 6250.5;
             TDeducCollectionItem &x1 = c.deduc.New();
             x1.xDed = "TAXA A";
             x1.vDed = 10;
             TDeducCollectionItem &x2 = c.deduc.New();
             x2.xDed = "FUNRURAL";
             x2.vDed = Cents(2050);
             c.vFor = 3000;
             c.vTotDed = Cents(3050);
             c.vLiqFor = Cents(296950);
         },
         "<cana><safra>2023/2024</safra><ref>05/2024</ref>"
         "<forDia dia=\"1\"><qtde>1000.5000000000</qtde></forDia>"
         "<forDia dia=\"2\"><qtde>250.0001000000</qtde></forDia>"
         "<qTotMes>1250.5000000000</qTotMes><qTotAnt>5000.0000000000</qTotAnt>"
         "<qTotGer>6250.5000000000</qTotGer>"
         "<deduc><xDed>TAXA A</xDed><vDed>10.00</vDed></deduc>"
         "<deduc><xDed>FUNRURAL</xDed><vDed>20.50</vDed></deduc>"
         "<vFor>3000.00</vFor><vTotDed>30.50</vTotDed><vLiqFor>2969.50</vLiqFor></cana>"},
        {"deductions alone: totals written as zeros",
         [](TCana &c) {
             TDeducCollectionItem &x = c.deduc.New();
             x.xDed = "TAXA";
             x.vDed = 1;
         },
         "<cana><qTotMes>0.0000000000</qTotMes><qTotAnt>0.0000000000</qTotAnt>"
         "<qTotGer>0.0000000000</qTotGer><deduc><xDed>TAXA</xDed><vDed>1.00</vDed></deduc>"
         "<vFor>0.00</vFor><vTotDed>0.00</vTotDed><vLiqFor>0.00</vLiqFor></cana>"},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        c.preencher(nfe.cana);
        const Saida s = Gerar(nfe, &TNFeW::GerarCana);
        EXPECT_EQ(s.xml, c.esperado) << c.name;
        EXPECT_TRUE(s.alertas.empty()) << c.name << ": " << s.alertas.front();
    }
}

TEST(WriterCana, LimitAlertsComeBeforeTheEntries)
{
    struct Caso {
        const char *name;
        int dias;
        int deducoes;
        Alertas alertas;
    };
    const std::string semDescricao =
        "TAG:<cana><deduc> ID:ZC11/xDed(Descrição da Dedução) - Nenhum valor informado.";
    const Caso casos[] = {
        {"31 days", 31, 0, {}},
        {"32 days", 32, 0,
         {"TAG:<cana> ID:ZC04/forDia(Grupo de Fornecimento diário de cana) - " + Limite(31)}},
        {"10 deductions", 0, 10, {semDescricao}},
        {"11 deductions", 0, 11,
         {"TAG:<cana> ID:ZC10/deduc(Grupo de Deduções – Taxas e Contribuições) - " + Limite(10),
          semDescricao}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        for (int i = 0; i < c.dias; ++i) {
            TForDiaCollectionItem &d = nfe.cana.fordia.New();
            d.dia = i + 1;
            d.qtde = 1;
        }
        for (int i = 0; i < c.deducoes; ++i)
            nfe.cana.deduc.New().xDed = i == 0 ? "" : "D";
        const Saida s = Gerar(nfe, &TNFeW::GerarCana);
        EXPECT_EQ(Ocorrencias(s.xml, "<forDia "), c.dias) << c.name;
        EXPECT_EQ(Ocorrencias(s.xml, "<deduc>"), c.deducoes) << c.name;
        EXPECT_EQ(s.alertas, c.alertas) << c.name;
    }
}

// ---- infRespTec -----------------------------------------------------------------------

class WriterInfRespTec : public ::testing::Test {
protected:
    void SetUp() override
    {
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().SetModoDeteccao(dfe::tzSistema); }

    static void Documento(TNFe &nfe)
    {
        nfe.infNFe.Versao = 4.0;
        nfe.Ide.cUF = 35;
        nfe.Ide.dEmi = rtl::EncodeDateTime(2024, 5, 17, 10, 30, 0, 0);
        nfe.Ide.modelo = 55;
        nfe.Ide.serie = 1;
        nfe.Ide.nNF = 1234;
        nfe.Ide.cNF = 12345678;
        nfe.Emit.CNPJCPF = "12345678000195";
        nfe.infRespTec.CNPJ = "11.222.333/0001-81";
        nfe.infRespTec.xContato = "FULANO DE TAL";
        nfe.infRespTec.email = "fulano@example.com";
        nfe.infRespTec.fone = "11-5555-1234";
        // Values read from a file are never written back: the writer's own settings are.
        nfe.infRespTec.idCSRT = 7;
        nfe.infRespTec.hashCSRT = "LIDO-DO-ARQUIVO";
    }

    // The infRespTec group of a whole generation.
    static std::string GrupoGerado(TNFe &nfe, int IdCSRT, const std::string &CSRT,
                                   std::string *chave = nullptr)
    {
        TNFeW w(nfe);
        w.IdCSRT = IdCSRT;
        w.CSRT = CSRT;
        w.GerarXml();
        if (chave)
            *chave = w.ChaveNFe();
        const std::string &xml = w.Gerador().ArquivoFormatoXML();
        const std::size_t inicio = xml.find("<infRespTec>");
        const std::size_t fim = xml.find("</infRespTec>");
        if (inicio == std::string::npos || fim == std::string::npos)
            return "";
        return xml.substr(inicio, fim + 13 - inicio);
    }
};

TEST_F(WriterInfRespTec, SecurityCodeComesFromTheWriterSettings)
{
    const std::string base = "<infRespTec><CNPJ>11222333000181</CNPJ><xContato>FULANO DE TAL"
                             "</xContato><email>fulano@example.com</email>"
                             "<fone>11-5555-1234</fone>";
    struct Caso {
        const char *name;
        int IdCSRT;
        const char *CSRT;
        std::string esperado;
    };
    const Caso casos[] = {
        {"identifier and code", 1, "G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO",
         base + "<idCSRT>01</idCSRT><hashCSRT>lEBKgkpb8bv9wGPmIblSgV0qX0E=</hashCSRT>"
                "</infRespTec>"},
        {"identifier without code", 1, "", base + "</infRespTec>"},
        {"code without identifier", 0, "G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO",
         base + "</infRespTec>"},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento(nfe);
        std::string chave;
        EXPECT_EQ(GrupoGerado(nfe, c.IdCSRT, c.CSRT, &chave), c.esperado) << c.name;
        // The hash above binds the code to this key.
        EXPECT_EQ(chave, "35240512345678000195550010000012341123456780") << c.name;
    }
}

TEST_F(WriterInfRespTec, NoGroupWithoutCNPJ)
{
    TNFe nfe;
    Documento(nfe);
    nfe.infRespTec.CNPJ.clear();
    EXPECT_EQ(GrupoGerado(nfe, 1, "CSRT"), "");
}

TEST_F(WriterInfRespTec, RequiredFieldsAndCNPJCheck)
{
    TNFe nfe;
    nfe.infNFe.Versao = 4.0;
    nfe.infRespTec.CNPJ = "11222333000180";
    const Saida s = Gerar(nfe, &TNFeW::GerarinfRespTec);
    EXPECT_EQ(s.xml, "<infRespTec><CNPJ>11222333000180</CNPJ><xContato/><email/><fone/>"
                     "</infRespTec>");
    EXPECT_EQ(s.alertas,
              (Alertas{"TAG:<infRespTec> ID:#082/CNPJ(CNPJ(MF)) - Conteúdo inválido.",
                       "TAG:<infRespTec> ID:#083/xContato(Nome do Contato) - Nenhum valor informado.",
                       "TAG:<infRespTec> ID:#084/email(Endereço de Email) - Nenhum valor informado.",
                       "TAG:<infRespTec> ID:#085/fone(Telefone) - Nenhum valor informado."}));
}

} // namespace
