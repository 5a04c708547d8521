#include "nfe/writer.h"

#include "rtl/datetime.h"

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

TNFe Documento(double versao)
{
    TNFe n;
    n.infNFe.Versao = versao;
    n.Ide.modelo = 55;
    n.Det.New();
    return n;
}

Saida Gerar(TNFe &nfe, void (TNFeW::*grupo)(int))
{
    TNFeW w(nfe);
    w.Iniciar();
    (w.*grupo)(0);
    Saida s{w.Gerador().ArquivoFormatoXML(), {}};
    for (const std::string &a : w.Gerador().ListaDeAlertas())
        s.alertas.push_back(a);
    return s;
}

std::string Limite(const char *id, const char *tag, int maximo)
{
    return std::string("TAG: ID:") + id + "/" + tag +
           "(Numero do item) - Número de ocorrências maior que o máximo permitido - Máximo " +
           std::to_string(maximo) + ".";
}

// ---- veicProd -------------------------------------------------------------------------------

TEST(NFeWriterProdEsp, VeicProdByVersionAndChassis)
{
    const auto veiculo = [](TveicProd &v) {
        v.tpOP = toFaturamentoDireto;
        v.chassi = "9BWZZZ377VT004251";
        v.cCor = "0001";
        v.xCor = "BRANCO";
        v.pot = "110";
        v.Cilin = "1600";
        v.pesoL = "1100";
        v.pesoB = "1250";
        v.nSerie = "123";
        v.tpComb = "16";
        v.nMotor = "MTR1";
        v.CMT = "1.5000";
        v.dist = "2500";
        v.anoMod = 2020;
        v.anoFab = 2019;
        v.tpPint = "S";
        v.tpVeic = 6;
        v.espVeic = 1;
        v.VIN = "N";
        v.condVeic = cvSemiAcabado;
        v.cMod = "123456";
        v.cCorDENATRAN = "11";
        v.lota = 5;
        v.tpRest = 0;
    };
    const std::string comum =
        "<tpOp>2</tpOp><chassi>9BWZZZ377VT004251</chassi><cCor>0001</cCor><xCor>BRANCO</xCor>"
        "<pot>110</pot>";
    const std::string meio =
        "<pesoL>1100</pesoL><pesoB>1250</pesoB><nSerie>123</nSerie><tpComb>16</tpComb>"
        "<nMotor>MTR1</nMotor>";
    const std::string fim =
        "<dist>2500</dist><anoMod>2020</anoMod><anoFab>2019</anoFab><tpPint>S</tpPint>"
        "<tpVeic>6</tpVeic><espVeic>1</espVeic><VIN>N</VIN><condVeic>3</condVeic>"
        "<cMod>123456</cMod>";
    struct Row {
        const char *name;
        double versao;
        const char *chassi; // nullptr keeps the full vehicle's
        std::string xml;
    } rows[] = {
        {"4.00", 4.0, nullptr,
         "<veicProd>" + comum + "<cilin>1600</cilin>" + meio + "<CMT>1.5000</CMT>" + fim +
             "<cCorDENATRAN>11</cCorDENATRAN><lota>5</lota><tpRest>0</tpRest></veicProd>"},
        {"below 2.00: CM3 and CMKG, no DENATRAN colour, capacity or restriction", 1.1, nullptr,
         "<veicProd>" + comum + "<CM3>1600</CM3>" + meio + "<CMKG>1.5000</CMKG>" + fim +
             "</veicProd>"},
        {"a blank chassis writes nothing", 4.0, "   ", ""},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        veiculo(n.Det[0].Prod.veicProd);
        if (row.chassi)
            n.Det[0].Prod.veicProd.chassi = row.chassi;
        const Saida s = Gerar(n, &TNFeW::GerarDetProdVeicProd);
        EXPECT_EQ(s.xml, row.xml) << row.name;
        // "1.5000" is shorter than CMKG's nine characters.
        const std::vector<std::string> alertas =
            row.versao < 2.0
                ? std::vector<std::string>{"TAG:<veicProd> ID:J13/CMKG(Capacidade Máxima de "
                                           "Tração) - Tamanho menor que o mínimo permitido [1.5000]."}
                : std::vector<std::string>{};
        EXPECT_EQ(s.alertas, alertas) << row.name;
    }
}

// ---- med ------------------------------------------------------------------------------------

TEST(NFeWriterProdEsp, MedByVersionAnvisaCodeAndLimit)
{
    const std::string invalido =
        "TAG:<med> ID:K01a/cProdANVISA(Código de Produto da ANVISA) - Valor inválido..";
    struct Row {
        const char *name;
        double versao;
        std::vector<const char *> codigos; // one entry per code
        std::string xml;
        std::vector<std::string> alertas;
    } rows[] = {
        {"4.00 ISENTO passes", 4.0, {"ISENTO"},
         "<med><cProdANVISA>ISENTO</cProdANVISA><xMotivoIsencao>Registro dispensado"
         "</xMotivoIsencao><vPMC>10.50</vPMC></med>",
         {}},
        {"4.00 six digits are rejected but written", 4.0, {"123456"},
         "<med><cProdANVISA>123456</cProdANVISA><xMotivoIsencao>Registro dispensado"
         "</xMotivoIsencao><vPMC>10.50</vPMC></med>",
         {invalido}},
        {"4.00 thirteen digits pass", 4.0, {"1234567890123"},
         "<med><cProdANVISA>1234567890123</cProdANVISA><xMotivoIsencao>Registro dispensado"
         "</xMotivoIsencao><vPMC>10.50</vPMC></med>",
         {}},
        {"4.00 lower-case isento is six other characters", 4.0, {"isento"},
         "<med><cProdANVISA>isento</cProdANVISA><xMotivoIsencao>Registro dispensado"
         "</xMotivoIsencao><vPMC>10.50</vPMC></med>",
         {invalido}},
        {"4.00 two entries: both written, one limit alert naming 1", 4.0,
         {"ISENTO", "1234567890123"},
         "<med><cProdANVISA>ISENTO</cProdANVISA><xMotivoIsencao>Registro dispensado"
         "</xMotivoIsencao><vPMC>10.50</vPMC></med>"
         "<med><cProdANVISA>1234567890123</cProdANVISA><xMotivoIsencao>Registro dispensado"
         "</xMotivoIsencao><vPMC>10.50</vPMC></med>",
         {Limite("K01", "med", 1)}},
        {"3.10 writes the batch form and does not check the ANVISA code", 3.1,
         {"123456", "123456"},
         "<med><nLote>L-77</nLote><qLote>1.500</qLote><dFab>2019-01-02</dFab>"
         "<dVal>2021-03-04</dVal><vPMC>10.50</vPMC></med>"
         "<med><nLote>L-77</nLote><qLote>1.500</qLote><dFab>2019-01-02</dFab>"
         "<dVal>2021-03-04</dVal><vPMC>10.50</vPMC></med>",
         {}},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        for (const char *codigo : row.codigos) {
            TmedCollectionItem &m = n.Det[0].Prod.med.New();
            m.cProdANVISA = codigo;
            m.xMotivoIsencao = "Registro dispensado";
            m.nLote = "L-77";
            m.qLote = M(1.5);
            m.dFab = rtl::EncodeDate(2019, 1, 2);
            m.dVal = rtl::EncodeDate(2021, 3, 4);
            m.vPMC = M(10.5);
        }
        const Saida s = Gerar(n, &TNFeW::GerarDetProdMed);
        EXPECT_EQ(s.xml, row.xml) << row.name;
        EXPECT_EQ(s.alertas, row.alertas) << row.name;
    }
}

// ---- arma and the 500-entry limits ----------------------------------------------------------

TEST(NFeWriterProdEsp, ArmaEntries)
{
    TNFe n = Documento(4.0);
    TarmaCollectionItem &a = n.Det[0].Prod.arma.New();
    a.nSerie = "S1";
    a.nCano = "C1";
    a.descr = "PISTOLA";
    TarmaCollectionItem &b = n.Det[0].Prod.arma.New();
    b.tpArma = taUsoRestrito;
    b.nSerie = "S2";
    b.nCano = "C2";
    b.descr = "FUZIL";
    const Saida s = Gerar(n, &TNFeW::GerarDetProdArma);
    EXPECT_EQ(s.xml, "<arma><tpArma>0</tpArma><nSerie>S1</nSerie><nCano>C1</nCano>"
                     "<descr>PISTOLA</descr></arma>"
                     "<arma><tpArma>1</tpArma><nSerie>S2</nSerie><nCano>C2</nCano>"
                     "<descr>FUZIL</descr></arma>");
    EXPECT_TRUE(s.alertas.empty());
}

TEST(NFeWriterProdEsp, RepeatedGroupLimits)
{
    struct Row {
        const char *name;
        double versao;
        void (TNFeW::*grupo)(int);
        int entradas;
        std::vector<std::string> alertas;
        std::size_t grupos;
    } rows[] = {
        {"500 weapons pass", 4.0, &TNFeW::GerarDetProdArma, 500, {}, 500},
        {"501 weapons: all written, one alert", 4.0, &TNFeW::GerarDetProdArma, 501,
         {Limite("L01", "arma", 500)}, 501},
        {"500 medicines pass below 4.00", 3.1, &TNFeW::GerarDetProdMed, 500, {}, 500},
        {"501 medicines below 4.00: one alert naming 500", 3.1, &TNFeW::GerarDetProdMed, 501,
         {Limite("K01", "med", 500)}, 501},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        TProd &p = n.Det[0].Prod;
        for (int k = 0; k < row.entradas; ++k) {
            TarmaCollectionItem &a = p.arma.New();
            a.nSerie = a.nCano = a.descr = "X";
            TmedCollectionItem &m = p.med.New();
            m.nLote = "L";
            m.dFab = m.dVal = rtl::EncodeDate(2020, 1, 1);
        }
        const Saida s = Gerar(n, row.grupo);
        EXPECT_EQ(s.alertas, row.alertas) << row.name;
        const std::string abertura = row.grupo == &TNFeW::GerarDetProdArma ? "<arma>" : "<med>";
        std::size_t grupos = 0;
        for (std::size_t pos = s.xml.find(abertura); pos != std::string::npos;
             pos = s.xml.find(abertura, pos + 1))
            ++grupos;
        EXPECT_EQ(grupos, row.grupos) << row.name;
    }
}

// ---- comb -----------------------------------------------------------------------------------

TEST(NFeWriterProdEsp, CombByFuelVersionAndValues)
{
    struct Row {
        const char *name;
        double versao;
        std::function<void(TComb &)> preencher;
        std::string xml;
        std::vector<std::string> alertas;
    } rows[] = {
        {"no ANP code: nothing", 4.0,
         [](TComb &c) {
             c.descANP = "GASOLINA";
             c.UFcons = "SP";
         },
         "", {}},
        {"LPG: 100 with two decimals, others with four, zero vPart left out", 4.0,
         [](TComb &c) {
             c.cProdANP = 210203001;
             c.descANP = "GLP";
             c.pGLP = M(100);
             c.pGNn = M(60.5);
             c.UFcons = "SP";
         },
         "<comb><cProdANP>210203001</cProdANP><descANP>GLP</descANP><pGLP>100.00</pGLP>"
         "<pGNn>60.5000</pGNn><pGNi>0.0000</pGNi><UFCons>SP</UFCons></comb>",
         {}},
        {"LPG with a starting value", 4.0,
         [](TComb &c) {
             c.cProdANP = 210203001;
             c.descANP = "GLP";
             c.pGLP = M(60.5);
             c.pGNn = M(100);
             c.pGNi = M(100);
             c.vPart = M(12.3);
             c.UFcons = "MG";
         },
         "<comb><cProdANP>210203001</cProdANP><descANP>GLP</descANP><pGLP>60.5000</pGLP>"
         "<pGNn>100.00</pGNn><pGNi>100.00</pGNi><vPart>12.30</vPart><UFCons>MG</UFCons></comb>",
         {}},
        {"another fuel: no LPG fields; CODIF, negative qTemp, pump readings without nBomba", 4.0,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.descANP = "GASOLINA COMUM";
             c.pGLP = M(100);
             c.vPart = M(5);
             c.CODIF = "123456";
             c.qTemp = M(-2.5);
             c.UFcons = "SP";
             c.encerrante.nBico = 3;
             c.encerrante.nTanque = 1;
             c.encerrante.vEncIni = M(1000.5);
             c.encerrante.vEncFin = M(1050.25);
         },
         "<comb><cProdANP>320102001</cProdANP><descANP>GASOLINA COMUM</descANP>"
         "<CODIF>123456</CODIF><qTemp>-2.5000</qTemp><UFCons>SP</UFCons><encerrante>"
         "<nBico>3</nBico><nTanque>1</nTanque><vEncIni>1000.500</vEncIni>"
         "<vEncFin>1050.250</vEncFin></encerrante></comb>",
         {}},
        {"pump readings with nBomba", 4.0,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.descANP = "GASOLINA COMUM";
             c.UFcons = "SP";
             c.encerrante.nBico = 3;
             c.encerrante.nBomba = 2;
             c.encerrante.nTanque = 1;
         },
         "<comb><cProdANP>320102001</cProdANP><descANP>GASOLINA COMUM</descANP>"
         "<UFCons>SP</UFCons><encerrante><nBico>3</nBico><nBomba>2</nBomba><nTanque>1</nTanque>"
         "<vEncIni>0.000</vEncIni><vEncFin>0.000</vEncFin></encerrante></comb>",
         {}},
        {"3.10: pMixGN, no descANP; CIDE after UFCons", 3.1,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.descANP = "GASOLINA COMUM";
             c.pMixGN = M(12.5);
             c.UFcons = "RS";
             c.CIDE.qBCProd = M(100);
             c.CIDE.vAliqProd = M(0.1);
             c.CIDE.vCIDE = M(10);
         },
         "<comb><cProdANP>320102001</cProdANP><pMixGN>12.5000</pMixGN><UFCons>RS</UFCons>"
         "<CIDE><qBCProd>100.0000</qBCProd><vAliqProd>0.1000</vAliqProd><vCIDE>10.00</vCIDE>"
         "</CIDE></comb>",
         {}},
        {"an unknown state is written and draws the alert", 4.0,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.descANP = "GASOLINA COMUM";
             c.UFcons = "XX";
         },
         "<comb><cProdANP>320102001</cProdANP><descANP>GASOLINA COMUM</descANP>"
         "<UFCons>XX</UFCons></comb>",
         {"TAG:<comb> ID:L120/UFcons(Sigla da UF de consumo) - Conteúdo inválido."}},
        {"the fuel's ICMS is ignored from 2.00", 2.0,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.UFcons = "SP";
             c.ICMS.vICMS = M(18);
             c.encerrante.nBico = 1;
             c.encerrante.nTanque = 1;
         },
         "<comb><cProdANP>320102001</cProdANP><UFCons>SP</UFCons><encerrante><nBico>1</nBico>"
         "<nTanque>1</nTanque><vEncIni>0.000</vEncIni><vEncFin>0.000</vEncFin></encerrante>"
         "</comb>",
         {}},
        {"below 2.00 with ICMS values: CIDE and the ICMS groups, no UFCons or pump readings",
         1.1,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.UFcons = "SP";
             c.CIDE.vCIDE = M(1);
             c.ICMS.vBCICMS = M(100);
             c.ICMS.vICMS = M(18);
             c.ICMSCons.UFcons = "RJ";
             c.encerrante.nBico = 1;
         },
         "<comb><cProdANP>320102001</cProdANP><CIDE><qBCProd>0.0000</qBCProd>"
         "<vAliqProd>0.0000</vAliqProd><vCIDE>1.00</vCIDE></CIDE><ICMSComb>"
         "<vBCICMS>100.00</vBCICMS><vICMS>18.00</vICMS><vBCICMSST>0.00</vBCICMSST>"
         "<vICMSST>0.00</vICMSST></ICMSComb><ICMSCons><vBCICMSSTCons>0.00</vBCICMSSTCons>"
         "<vICMSSTCons>0.00</vICMSSTCons><UFCons>RJ</UFCons></ICMSCons></comb>",
         {}},
        {"below 2.00 with interstate values only", 1.1,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.ICMSInter.vICMSSTDest = M(5);
         },
         "<comb><cProdANP>320102001</cProdANP><ICMSComb><vBCICMS>0.00</vBCICMS>"
         "<vICMS>0.00</vICMS><vBCICMSST>0.00</vBCICMSST><vICMSST>0.00</vICMSST></ICMSComb>"
         "<ICMSInter><vBCICMSSTDest>0.00</vBCICMSSTDest><vICMSSTDest>5.00</vICMSSTDest>"
         "</ICMSInter></comb>",
         {}},
        {"below 2.00 without ICMS values: the 2.00 order", 1.1,
         [](TComb &c) {
             c.cProdANP = 320102001;
             c.UFcons = "PR";
             c.ICMSCons.UFcons = "RJ";
         },
         "<comb><cProdANP>320102001</cProdANP><UFCons>PR</UFCons></comb>", {}},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        row.preencher(n.Det[0].Prod.comb);
        const Saida s = Gerar(n, &TNFeW::GerarDetProdComb);
        EXPECT_EQ(s.xml, row.xml) << row.name;
        EXPECT_EQ(s.alertas, row.alertas) << row.name;
    }
}

} // namespace
