#include "nfe/writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace nfe;
using rtl::Currency;

Currency M(double v) { return Currency::FromDouble(v); }

struct Saida {
    std::string xml;
    std::vector<std::string> alertas;
};

// One document of the given layout with one empty item.
TNFe Documento(double versao, int modelo = 55)
{
    TNFe n;
    n.infNFe.Versao = versao;
    n.Ide.modelo = modelo;
    n.Det.New();
    return n;
}

// Runs one group writer on a fresh generation and collects what it wrote.
Saida Gerar(TNFe &nfe, const std::function<void(TNFeW &)> &grupo)
{
    TNFeW w(nfe);
    w.Iniciar();
    grupo(w);
    Saida s{w.Gerador().ArquivoFormatoXML(), {}};
    for (const std::string &a : w.Gerador().ListaDeAlertas())
        s.alertas.push_back(a);
    return s;
}

std::string Trocar(std::string texto, const std::string &de, const std::string &para)
{
    for (std::size_t p = texto.find(de); p != std::string::npos; p = texto.find(de, p + para.size()))
        texto.replace(p, de.size(), para);
    return texto;
}

// ---- IPI ------------------------------------------------------------------------------------

TEST(NFeWriterTributos, IPIGroupByCSTModelAndValues)
{
    const std::string ambasBases =
        "TAG:<IPI> ID:O07/IPITrib(IPI Tributável) - As TAG <vBC> e <pIPI> não podem ser "
        "informadas em conjunto com as TAG <qUnid> e <vUnid>.";
    struct Row {
        const char *name;
        double versao;
        int modelo;
        bool ipiNaoTributado;
        std::function<void(TIPI &)> preencher;
        std::string xml;
        std::string cEnqDepois;
        std::vector<std::string> alertas;
    } rows[] = {
        {"ipi00 without any data writes nothing and keeps cEnq empty", 4.0, 55, true,
         [](TIPI &) {}, "", "", {}},
        {"ipi53 with the option gets IPINT and cEnq 999 written back", 4.0, 55, true,
         [](TIPI &i) { i.CST = dfe::ipi53; },
         "<IPI><cEnq>999</cEnq><IPINT><CST>53</CST></IPINT></IPI>", "999", {}},
        {"ipi53 without the option writes nothing", 4.0, 55, false,
         [](TIPI &i) { i.CST = dfe::ipi53; }, "", "", {}},
        {"the option does not hold back a taxed CST", 4.0, 55, false,
         [](TIPI &i) {
             i.CST = dfe::ipi99;
             i.cEnq = "001";
         },
         "<IPI><cEnq>001</cEnq><IPITrib><CST>99</CST><vBC>0.00</vBC><pIPI>0.0000</pIPI>"
         "<vIPI>0.00</vIPI></IPITrib></IPI>",
         "001", {}},
        {"an NFC-e never gets IPI", 4.0, 65, true,
         [](TIPI &i) {
             i.CST = dfe::ipi50;
             i.vBC = M(100);
             i.pIPI = M(10);
             i.vIPI = M(10);
         },
         "", "", {}},
        {"ipi50 by rate, four-decimal rate from 3.10", 4.0, 55, true,
         [](TIPI &i) {
             i.CST = dfe::ipi50;
             i.cEnq = "123";
             i.vBC = M(100);
             i.pIPI = M(10);
             i.vIPI = M(10);
         },
         "<IPI><cEnq>123</cEnq><IPITrib><CST>50</CST><vBC>100.00</vBC><pIPI>10.0000</pIPI>"
         "<vIPI>10.00</vIPI></IPITrib></IPI>",
         "123", {}},
        {"a two-decimal rate in 3.00", 3.0, 55, true,
         [](TIPI &i) {
             i.CST = dfe::ipi49;
             i.vBC = M(100);
             i.pIPI = M(7.5);
             i.vIPI = M(7.5);
         },
         "<IPI><cEnq>999</cEnq><IPITrib><CST>49</CST><vBC>100.00</vBC><pIPI>7.50</pIPI>"
         "<vIPI>7.50</vIPI></IPITrib></IPI>",
         "999", {}},
        {"by quantity", 4.0, 55, true,
         [](TIPI &i) {
             i.CST = dfe::ipi50;
             i.qUnid = M(12.5);
             i.vUnid = M(0.8);
             i.vIPI = M(10);
         },
         "<IPI><cEnq>999</cEnq><IPITrib><CST>50</CST><qUnid>12.5000</qUnid>"
         "<vUnid>0.8000</vUnid><vIPI>10.00</vIPI></IPITrib></IPI>",
         "999", {}},
        {"both bases: the alert and the quantity form", 4.0, 55, true,
         [](TIPI &i) {
             i.CST = dfe::ipi50;
             i.vBC = M(100);
             i.pIPI = M(10);
             i.vIPI = M(10);
             i.qUnid = M(5);
         },
         "<IPI><cEnq>999</cEnq><IPITrib><CST>50</CST><qUnid>5.0000</qUnid>"
         "<vUnid>0.0000</vUnid><vIPI>10.00</vIPI></IPITrib></IPI>",
         "999", {ambasBases}},
        {"ipi00 with only a tax value is written", 4.0, 55, true,
         [](TIPI &i) { i.vIPI = M(1); },
         "<IPI><cEnq>999</cEnq><IPITrib><CST>00</CST><vBC>0.00</vBC><pIPI>0.0000</pIPI>"
         "<vIPI>1.00</vIPI></IPITrib></IPI>",
         "999", {}},
        {"3.10 writes clEnq first, then the optional producer data", 3.1, 55, true,
         [](TIPI &i) {
             i.CST = dfe::ipi02;
             i.clEnq = "ABC";
             i.CNPJProd = "11222333000181";
             i.cSelo = "SELO1";
             i.qSelo = 3;
         },
         "<IPI><clEnq>ABC</clEnq><CNPJProd>11222333000181</CNPJProd><cSelo>SELO1</cSelo>"
         "<qSelo>3</qSelo><cEnq>999</cEnq><IPINT><CST>02</CST></IPINT></IPI>",
         "999", {}},
        {"4.00 drops clEnq", 4.0, 55, true,
         [](TIPI &i) {
             i.CST = dfe::ipi02;
             i.clEnq = "ABC";
         },
         "<IPI><cEnq>999</cEnq><IPINT><CST>02</CST></IPINT></IPI>", "999", {}},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao, row.modelo);
        row.preencher(n.Det[0].Imposto.IPI);
        const Saida s = Gerar(n, [&](TNFeW &w) {
            w.Opcoes().GerarTagIPIparaNaoTributado = row.ipiNaoTributado;
            w.GerarDetImpostoIPI(0);
        });
        EXPECT_EQ(s.xml, row.xml) << row.name;
        EXPECT_EQ(n.Det[0].Imposto.IPI.cEnq, row.cEnqDepois) << row.name;
        EXPECT_EQ(s.alertas, row.alertas) << row.name;
    }
}

// ---- II -------------------------------------------------------------------------------------

TEST(NFeWriterTributos, IIWrittenForValuesOrImportCFOP)
{
    const std::string zeros =
        "<II><vBC>0.00</vBC><vDespAdu>0.00</vDespAdu><vII>0.00</vII><vIOF>0.00</vIOF></II>";
    struct Row {
        const char *name;
        const char *CFOP;
        Currency vIOF;
        std::string xml;
    } rows[] = {
        {"an import CFOP writes four zero amounts", "3102", Currency(), zeros},
        {"a domestic CFOP without values writes nothing", "5102", Currency(), ""},
        {"an empty CFOP without values writes nothing", "", Currency(), ""},
        {"any value above zero writes the group", "5102", M(1.5),
         "<II><vBC>0.00</vBC><vDespAdu>0.00</vDespAdu><vII>0.00</vII><vIOF>1.50</vIOF></II>"},
        {"a negative value alone is not enough", "5102", M(-1), ""},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(4.0);
        n.Det[0].Prod.CFOP = row.CFOP;
        n.Det[0].Imposto.II.vIOF = row.vIOF;
        EXPECT_EQ(Gerar(n, [](TNFeW &w) { w.GerarDetImpostoII(0); }).xml, row.xml) << row.name;
    }
}

// ---- PIS and COFINS -------------------------------------------------------------------------

// Each row is run on PIS as written and on COFINS with the names swapped: both taxes share
// one set of rules, so a slip in either shows as a difference.
TEST(NFeWriterTributos, PISAndCOFINSInnerGroupByCSTModelAndValues)
{
    struct Valores {
        Currency vBC, perc, valor, qBCProd, vAliqProd;
    };
    struct Row {
        const char *name;
        double versao;
        int modelo;
        dfe::TpcnCstPis CST;
        Valores v;
        std::string xmlPIS;
        bool alertaAmbasBases;
    } rows[] = {
        {"NF-e 01 with zeros: PISAliq with zero amounts", 4.0, 55, dfe::pis01, {},
         "<PIS><PISAliq><CST>01</CST><vBC>0.00</vBC><pPIS>0.0000</pPIS><vPIS>0.00</vPIS>"
         "</PISAliq></PIS>",
         false},
        {"NFC-e 01 with zeros: nothing", 4.0, 65, dfe::pis01, {}, "", false},
        {"NFC-e 01 with a negative value is written", 4.0, 65, dfe::pis01,
         {Currency(), Currency(), M(-1), Currency(), Currency()},
         "<PIS><PISAliq><CST>01</CST><vBC>0.00</vBC><pPIS>0.0000</pPIS><vPIS>-1.00</vPIS>"
         "</PISAliq></PIS>",
         false},
        {"NFC-e 07 with zeros: PISNT", 4.0, 65, dfe::pis07, {},
         "<PIS><PISNT><CST>07</CST></PISNT></PIS>", false},
        {"NFC-e 49 with zeros: PISOutr by rate", 4.0, 65, dfe::pis49, {},
         "<PIS><PISOutr><CST>49</CST><vBC>0.00</vBC><pPIS>0.0000</pPIS><vPIS>0.00</vPIS>"
         "</PISOutr></PIS>",
         false},
        {"NFC-e 99 with zeros: PISOutr", 4.0, 65, dfe::pis99, {},
         "<PIS><PISOutr><CST>99</CST><vBC>0.00</vBC><pPIS>0.0000</pPIS><vPIS>0.00</vPIS>"
         "</PISOutr></PIS>",
         false},
        {"NFC-e 50 with zeros: nothing", 4.0, 65, dfe::pis50, {}, "", false},
        {"02 by rate with two decimals in 3.00", 3.0, 55, dfe::pis02,
         {M(100), M(1.65), M(1.65), Currency(), Currency()},
         "<PIS><PISAliq><CST>02</CST><vBC>100.00</vBC><pPIS>1.65</pPIS><vPIS>1.65</vPIS>"
         "</PISAliq></PIS>",
         false},
        {"03 by quantity", 4.0, 55, dfe::pis03,
         {Currency(), Currency(), M(5), M(10), M(0.5)},
         "<PIS><PISQtde><CST>03</CST><qBCProd>10.0000</qBCProd><vAliqProd>0.5000</vAliqProd>"
         "<vPIS>5.00</vPIS></PISQtde></PIS>",
         false},
        {"04 on an NF-e", 4.0, 55, dfe::pis04, {M(1), M(1), M(1), M(1), M(1)},
         "<PIS><PISNT><CST>04</CST></PISNT></PIS>", false},
        {"09 is the last not-taxed code", 4.0, 55, dfe::pis09, {},
         "<PIS><PISNT><CST>09</CST></PISNT></PIS>", false},
        {"99 by quantity alone, no alert", 4.0, 55, dfe::pis99,
         {Currency(), Currency(), M(5), M(10), M(0.5)},
         "<PIS><PISOutr><CST>99</CST><qBCProd>10.0000</qBCProd><vAliqProd>0.5000</vAliqProd>"
         "<vPIS>5.00</vPIS></PISOutr></PIS>",
         false},
        {"98 by rate", 4.0, 55, dfe::pis98, {M(200), M(0.65), M(1.3), Currency(), Currency()},
         "<PIS><PISOutr><CST>98</CST><vBC>200.00</vBC><pPIS>0.6500</pPIS><vPIS>1.30</vPIS>"
         "</PISOutr></PIS>",
         false},
        {"both bases: the alert and the quantity form", 4.0, 55, dfe::pis50,
         {M(100), M(1), M(1), M(10), Currency()},
         "<PIS><PISOutr><CST>50</CST><qBCProd>10.0000</qBCProd><vAliqProd>0.0000</vAliqProd>"
         "<vPIS>1.00</vPIS></PISOutr></PIS>",
         true},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao, row.modelo);
        TImposto &imp = n.Det[0].Imposto;
        imp.PIS.CST = row.CST;
        imp.PIS.vBC = row.v.vBC;
        imp.PIS.pPIS = row.v.perc;
        imp.PIS.vPIS = row.v.valor;
        imp.PIS.qBCProd = row.v.qBCProd;
        imp.PIS.vAliqProd = row.v.vAliqProd;
        imp.COFINS.CST = static_cast<dfe::TpcnCstCofins>(row.CST);
        imp.COFINS.vBC = row.v.vBC;
        imp.COFINS.pCOFINS = row.v.perc;
        imp.COFINS.vCOFINS = row.v.valor;
        imp.COFINS.qBCProd = row.v.qBCProd;
        imp.COFINS.vAliqProd = row.v.vAliqProd;

        const Saida pis = Gerar(n, [](TNFeW &w) { w.GerarDetImpostoPIS(0); });
        const Saida cofins = Gerar(n, [](TNFeW &w) { w.GerarDetImpostoCOFINS(0); });
        EXPECT_EQ(pis.xml, row.xmlPIS) << row.name;
        EXPECT_EQ(cofins.xml, Trocar(row.xmlPIS, "PIS", "COFINS")) << row.name;

        std::vector<std::string> alertasPIS, alertasCOFINS;
        if (row.alertaAmbasBases) {
            alertasPIS = {"TAG:<PIS> ID:Q05/PISOutr(Grupo PIS outras operações) - As TAG <vBC> e "
                          "<pPIS> não podem ser informadas em conjunto com as TAG <qBCProd> e "
                          "<vAliqProd>."};
            alertasCOFINS = {"TAG:<COFINS> ID:S05/COFINSOutr(Grupo PIS outras operações) - As TAG "
                             "<vBC> e <pCOFINS> não podem ser informadas em conjunto com as TAG "
                             "<qBCProd> e <vAliqProd>."};
        }
        EXPECT_EQ(pis.alertas, alertasPIS) << row.name;
        EXPECT_EQ(cofins.alertas, alertasCOFINS) << row.name;
    }
}

TEST(NFeWriterTributos, PISSTAndCOFINSSTFormByBases)
{
    struct Row {
        const char *name;
        Currency vBC, perc, qBCProd, vAliqProd, valor;
        std::string xmlPIS;
        bool alertaAmbasBases;
    } rows[] = {
        {"no value: nothing", {}, {}, {}, {}, {}, "", false},
        {"only the tax value: nothing", {}, {}, {}, {}, M(3), "", false},
        {"by rate", M(100), M(1.65), {}, {}, M(1.65),
         "<PISST><vBC>100.00</vBC><pPIS>1.6500</pPIS><vPIS>1.65</vPIS></PISST>", false},
        {"a rate without a base is still the rate form", {}, M(1), {}, {}, {},
         "<PISST><vBC>0.00</vBC><pPIS>1.0000</pPIS><vPIS>0.00</vPIS></PISST>", false},
        {"by quantity", {}, {}, M(10), M(0.25), M(2.5),
         "<PISST><qBCProd>10.0000</qBCProd><vAliqProd>0.2500</vAliqProd><vPIS>2.50</vPIS>"
         "</PISST>",
         false},
        {"both bases: the alert and the rate form", M(100), M(1), M(10), {}, M(1),
         "<PISST><vBC>100.00</vBC><pPIS>1.0000</pPIS><vPIS>1.00</vPIS></PISST>", true},
        {"bases that sum to zero write nothing", M(-1), M(1), {}, {}, M(1), "", false},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(4.0);
        TImposto &imp = n.Det[0].Imposto;
        imp.PISST = {row.vBC, row.perc, row.qBCProd, row.vAliqProd, row.valor};
        imp.COFINSST = {row.vBC, row.perc, row.qBCProd, row.vAliqProd, row.valor};

        const Saida pis = Gerar(n, [](TNFeW &w) { w.GerarDetImpostoPISST(0); });
        const Saida cofins = Gerar(n, [](TNFeW &w) { w.GerarDetImpostoCOFINSST(0); });
        EXPECT_EQ(pis.xml, row.xmlPIS) << row.name;
        EXPECT_EQ(cofins.xml, Trocar(row.xmlPIS, "PIS", "COFINS")) << row.name;

        std::vector<std::string> alertasPIS, alertasCOFINS;
        if (row.alertaAmbasBases) {
            alertasPIS = {"TAG: ID:R01/PISST(Grupo PIS outras operações) - As TAG <vBC> e <pPIS> "
                          "não podem ser informadas em conjunto com as TAG <qBCProd> e "
                          "<vAliqProd>."};
            alertasCOFINS = {"TAG: ID:T01/COFINSST(Grupo de COFINS Substituição Tributária) - As "
                             "TAG <vBC> e <pCOFINS> não podem ser informadas em conjunto com as "
                             "TAG <qBCProd> e <vAliqProd>."};
        }
        EXPECT_EQ(pis.alertas, alertasPIS) << row.name;
        EXPECT_EQ(cofins.alertas, alertasCOFINS) << row.name;
    }
}

// Amounts read from a file can be as large as the type holds; testing "base plus rate above
// zero" must not overflow on them.
TEST(NFeWriterTributos, BothBasesTestDoesNotOverflowAtTheLimit)
{
    TNFe n = Documento(4.0);
    TImposto &imp = n.Det[0].Imposto;
    imp.IPI.CST = dfe::ipi50;
    imp.IPI.vBC = imp.IPI.pIPI = imp.IPI.qUnid = imp.IPI.vUnid = Currency::Max();
    imp.PIS.CST = dfe::pis99;
    imp.PIS.vBC = imp.PIS.pPIS = imp.PIS.qBCProd = imp.PIS.vAliqProd = Currency::Max();
    imp.PISST.vBc = imp.PISST.pPis = Currency::Max();
    imp.PISST.qBCProd = Currency::Max();
    imp.PISST.vAliqProd = Currency::Min();
    Saida s;
    EXPECT_NO_THROW(s = Gerar(n, [](TNFeW &w) {
        w.GerarDetImpostoIPI(0);
        w.GerarDetImpostoPIS(0);
        w.GerarDetImpostoPISST(0);
    }));
    EXPECT_NE(s.xml.find("<IPITrib><CST>50</CST><qUnid>"), std::string::npos);
    EXPECT_NE(s.xml.find("<PISOutr><CST>99</CST><qBCProd>"), std::string::npos);
    EXPECT_NE(s.xml.find("<PISST><vBC>"), std::string::npos);
}

// ---- ISSQN ----------------------------------------------------------------------------------

TEST(NFeWriterTributos, ISSQNFieldsByVersion)
{
    struct Row {
        const char *name;
        double versao;
        std::function<void(TISSQN &)> preencher;
        std::string xml;
    } rows[] = {
        {"nothing set: no group", 4.0, [](TISSQN &) {}, ""},
        {"4.00 with 14.01 and zero amounts: optional fields left out", 4.0,
         [](TISSQN &s) {
             s.cMunFG = 3550308;
             s.cListServ = "14.01";
         },
         "<ISSQN><vBC>0.00</vBC><vAliq>0.0000</vAliq><vISSQN>0.00</vISSQN>"
         "<cMunFG>3550308</cMunFG><cListServ>14.01</cListServ><indISS>1</indISS>"
         "<indIncentivo>1</indIncentivo></ISSQN>"},
        {"3.10 with every field", 3.1,
         [](TISSQN &s) {
             s.vBC = M(100);
             s.vAliq = M(5);
             s.vISSQN = M(5);
             s.cMunFG = 3550308;
             s.cListServ = "07.02";
             s.cSitTrib = dfe::ISSQNcSitTribNORMAL;
             s.vDeducao = M(1);
             s.vOutro = M(2);
             s.vDescIncond = M(3);
             s.vDescCond = M(4);
             s.vISSRet = M(5);
             s.indISS = dfe::iiIsencao;
             s.cServico = "SRV-1";
             s.cMun = 3304557;
             s.cPais = 1058;
             s.nProcesso = "PROC9";
             s.indIncentivo = dfe::iiNao;
         },
         "<ISSQN><vBC>100.00</vBC><vAliq>5.0000</vAliq><vISSQN>5.00</vISSQN>"
         "<cMunFG>3550308</cMunFG><cListServ>07.02</cListServ><vDeducao>1.00</vDeducao>"
         "<vOutro>2.00</vOutro><vDescIncond>3.00</vDescIncond><vDescCond>4.00</vDescCond>"
         "<vISSRet>5.00</vISSRet><indISS>3</indISS><cServico>SRV-1</cServico>"
         "<cMun>3304557</cMun><cPais>1058</cPais><nProcesso>PROC9</nProcesso>"
         "<indIncentivo>2</indIncentivo></ISSQN>"},
        {"3.00 gets neither cSitTrib nor the 3.10 fields", 3.0,
         [](TISSQN &s) {
             s.vBC = M(100);
             s.cMunFG = 3550308;
             s.cListServ = "1401";
             s.cSitTrib = dfe::ISSQNcSitTribNORMAL;
             s.vDeducao = M(1);
         },
         "<ISSQN><vBC>100.00</vBC><vAliq>0.00</vAliq><vISSQN>0.00</vISSQN>"
         "<cMunFG>3550308</cMunFG><cListServ>1401</cListServ></ISSQN>"},
        {"2.00 writes cSitTrib after cListServ", 2.0,
         [](TISSQN &s) {
             s.vBC = M(100);
             s.cMunFG = 3550308;
             s.cListServ = "1401";
             s.cSitTrib = dfe::ISSQNcSitTribNORMAL;
             s.vDeducao = M(1);
         },
         "<ISSQN><vBC>100.00</vBC><vAliq>0.00</vAliq><vISSQN>0.00</vISSQN>"
         "<cMunFG>3550308</cMunFG><cListServ>1401</cListServ><cSitTrib>N</cSitTrib></ISSQN>"},
        {"a model without version is 2.00", 0,
         [](TISSQN &s) {
             s.cMunFG = 3550308;
             s.cListServ = "101";
             s.cSitTrib = dfe::ISSQNcSitTribISENTA;
         },
         "<ISSQN><vBC>0.00</vBC><vAliq>0.00</vAliq><vISSQN>0.00</vISSQN>"
         "<cMunFG>3550308</cMunFG><cListServ>101</cListServ><cSitTrib>I</cSitTrib></ISSQN>"},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        row.preencher(n.Det[0].Imposto.ISSQN);
        const Saida s = Gerar(n, [](TNFeW &w) { w.GerarDetImpostoISSQN(0); });
        EXPECT_EQ(s.xml, row.xml) << row.name;
        EXPECT_TRUE(s.alertas.empty()) << row.name << ": " << (s.alertas.empty() ? "" : s.alertas[0]);
    }
}

TEST(NFeWriterTributos, ISSQNMunicipalityAndServiceListAlerts)
{
    const std::string municipio =
        "TAG:<ISSQN> ID:U05/cMunFG(Código do Município FG) - Conteúdo inválido.";
    const std::string lista =
        "TAG:<ISSQN> ID:U06/cListServ(Lista Prestação de Serviços) - Conteúdo inválido.";
    struct Row {
        const char *name;
        double versao;
        int cMunFG;
        const char *cListServ;
        bool validarLista;
        std::vector<std::string> alertas;
    } rows[] = {
        {"9999999 passes the municipality check", 4.0, 9999999, "14.01", false, {}},
        {"a wrong check digit draws the municipality alert", 4.0, 3550300, "14.01", false,
         {municipio}},
        {"the municipality is checked whatever the options", 4.0, 3550300, "14.01", true,
         {municipio}},
        {"list check off: an unknown code passes", 4.0, 3550308, "99.99", false, {}},
        {"list check on: 14.01 is validated as 1401", 3.1, 3550308, "14.01", true, {}},
        {"list check on: an unknown code", 4.0, 3550308, "99.99", true, {lista}},
        {"list check on, 2.00: the code itself is checked", 2.0, 3550308, "1401", true, {}},
        {"list check on, 2.00: 14.01 is not a number", 2.0, 3550308, "14.01", true,
         {"TAG:<ISSQN> ID:U06/cListServ(Lista Prestação de Serviços) - Tamanho maior que o "
          "máximo permitido [14.01].",
          lista}},
        {"list check on, empty code: only the required-field alert", 4.0, 3550308, "", true,
         {"TAG:<ISSQN> ID:U06/cListServ(Lista Prestação de Serviços) - Nenhum valor informado."}},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        TISSQN &iss = n.Det[0].Imposto.ISSQN;
        iss.vBC = M(10);
        iss.cMunFG = row.cMunFG;
        iss.cListServ = row.cListServ;
        iss.cSitTrib = dfe::ISSQNcSitTribNORMAL;
        const Saida s = Gerar(n, [&](TNFeW &w) {
            w.Opcoes().ValidarListaServicos = row.validarLista;
            w.GerarDetImpostoISSQN(0);
        });
        EXPECT_EQ(s.alertas, row.alertas) << row.name;
    }
}

// ---- ICMSUFDest and impostoDevol ------------------------------------------------------------

TEST(NFeWriterTributos, ICMSUFDestByVersion)
{
    struct Row {
        const char *name;
        double versao;
        std::string xml;
    } rows[] = {
        {"3.00: two-decimal rates", 3.0,
         "<ICMSUFDest><vBCUFDest>100.00</vBCUFDest><pFCPUFDest>2.00</pFCPUFDest>"
         "<pICMSUFDest>18.00</pICMSUFDest><pICMSInter>12.00</pICMSInter>"
         "<pICMSInterPart>100.00</pICMSInterPart><vFCPUFDest>2.00</vFCPUFDest>"
         "<vICMSUFDest>6.00</vICMSUFDest><vICMSUFRemet>0.00</vICMSUFRemet></ICMSUFDest>"},
        {"3.10: four-decimal rates except pICMSInter, no vBCFCPUFDest", 3.1,
         "<ICMSUFDest><vBCUFDest>100.00</vBCUFDest><pFCPUFDest>2.0000</pFCPUFDest>"
         "<pICMSUFDest>18.0000</pICMSUFDest><pICMSInter>12.00</pICMSInter>"
         "<pICMSInterPart>100.0000</pICMSInterPart><vFCPUFDest>2.00</vFCPUFDest>"
         "<vICMSUFDest>6.00</vICMSUFDest><vICMSUFRemet>0.00</vICMSUFRemet></ICMSUFDest>"},
        {"4.00: vBCFCPUFDest after vBCUFDest, zero written", 4.0,
         "<ICMSUFDest><vBCUFDest>100.00</vBCUFDest><vBCFCPUFDest>0.00</vBCFCPUFDest>"
         "<pFCPUFDest>2.0000</pFCPUFDest><pICMSUFDest>18.0000</pICMSUFDest>"
         "<pICMSInter>12.00</pICMSInter><pICMSInterPart>100.0000</pICMSInterPart>"
         "<vFCPUFDest>2.00</vFCPUFDest><vICMSUFDest>6.00</vICMSUFDest>"
         "<vICMSUFRemet>0.00</vICMSUFRemet></ICMSUFDest>"},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        TICMSUFDest &u = n.Det[0].Imposto.ICMSUFDest;
        u.vBCUFDest = M(100);
        u.pFCPUFDest = M(2);
        u.pICMSUFDest = M(18);
        u.pICMSInter = M(12);
        u.pICMSInterPart = M(100);
        u.vFCPUFDest = M(2);
        u.vICMSUFDest = M(6);
        const Saida s = Gerar(n, [](TNFeW &w) { w.GerarDetImpostoICMSUFDest(0); });
        EXPECT_EQ(s.xml, row.xml) << row.name;
        EXPECT_TRUE(s.alertas.empty()) << row.name;
    }
}

TEST(NFeWriterTributos, ImpostoDevolAlwaysWhole)
{
    TNFe n = Documento(4.0);
    n.Det[0].pDevol = M(100);
    const Saida s = Gerar(n, [](TNFeW &w) { w.GerarDetDevol(0); });
    EXPECT_EQ(s.xml, "<impostoDevol><pDevol>100.00</pDevol><IPI><vIPIDevol>0.00</vIPIDevol>"
                     "</IPI></impostoDevol>");
    EXPECT_TRUE(s.alertas.empty());
}

} // namespace
