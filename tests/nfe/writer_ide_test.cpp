// The head of a regenerated NF-e: ide with its referenced documents, emit, avulsa, dest,
// retirada, entrega and autXML, in every layout the writer knows.

#include "nfe/writer.h"

#include "dfe/accesskey.h"
#include "dfe/timezone.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace nfe;
using rtl::EncodeDate;
using rtl::EncodeDateTime;

// A valid access key of the issuer below, for referenced documents.
std::string ChaveValida(int modelo)
{
    return dfe::GerarChaveAcesso(35, EncodeDate(2024, 4, 1), "12345678000195", 1, 1111, 1,
                                 11112, modelo);
}

// A plain sale from São Paulo to Rio de Janeiro in layout 4.00, all values valid, so that
// every alert a test sees comes from what the test changed.
void Documento400(TNFe &nfe)
{
    nfe.infNFe.Versao = 4.0;
    nfe.infNFe.ID = "NFe35240512345678000195550010000012341123456786";

    TIde &ide = nfe.Ide;
    ide.cUF = 35;
    ide.cNF = 12345678;
    ide.natOp = "VENDA";
    ide.indPag = dfe::ipPrazo;
    ide.modelo = 55;
    ide.serie = 1;
    ide.nNF = 1234;
    ide.dEmi = EncodeDateTime(2024, 5, 17, 10, 30, 0, 0);
    ide.dSaiEnt = EncodeDateTime(2024, 5, 17, 14, 0, 0, 0);
    ide.tpNF = dfe::tnSaida;
    ide.idDest = dfe::doInterestadual;
    ide.cMunFG = 3550308;
    ide.NFref.New().refNFe = ChaveValida(55);
    ide.tpImp = dfe::tiRetrato;
    ide.tpEmis = dfe::teNormal;
    ide.cDV = 6;
    ide.tpAmb = dfe::taProducao;
    ide.finNFe = fnNormal;
    ide.indFinal = dfe::cfConsumidorFinal;
    ide.indPres = dfe::pcPresencial;
    ide.procEmi = dfe::peAplicativoContribuinte;
    ide.verProc = "Emissor 1.0";

    TEmit &emit = nfe.Emit;
    emit.CNPJCPF = "12.345.678/0001-95";
    emit.xNome = "Empresa Emitente Ltda";
    emit.xFant = "Emitente";
    emit.EnderEmit.xLgr = "Rua das Flores";
    emit.EnderEmit.nro = "100";
    emit.EnderEmit.xBairro = "Centro";
    emit.EnderEmit.cMun = 3550308;
    emit.EnderEmit.xMun = "Sao Paulo";
    emit.EnderEmit.UF = "SP";
    emit.EnderEmit.CEP = 1001000;
    emit.EnderEmit.fone = "(11) 3333-4444";
    emit.IE = "111.222.333.444";
    emit.CRT = dfe::crtRegimeNormal;

    TDest &dest = nfe.Dest;
    dest.CNPJCPF = "11222333000181";
    dest.xNome = "Cliente SA";
    dest.EnderDest.xLgr = "Avenida Brasil";
    dest.EnderDest.nro = "2000";
    dest.EnderDest.xBairro = "Jardins";
    dest.EnderDest.cMun = 3304557;
    dest.EnderDest.xMun = "Rio de Janeiro";
    dest.EnderDest.UF = "RJ";
    dest.EnderDest.CEP = 20040002;
    dest.EnderDest.fone = "2144445555";
    dest.indIEDest = dfe::inContribuinte;
    dest.IE = "77889900";
    dest.Email = "compras@cliente.com.br";
}

// The same sale as a layout 2.00 document with a paper invoice referenced and a
// contingency entry.
void Documento200(TNFe &nfe)
{
    Documento400(nfe);
    nfe.infNFe.Versao = 0; // no version: every test treats it as 2.00
    TIde &ide = nfe.Ide;
    ide.dEmi = EncodeDate(2010, 3, 15);
    ide.dSaiEnt = EncodeDate(2010, 3, 16);
    ide.hSaiEnt = rtl::EncodeTime(8, 15, 0, 0);
    ide.NFref.Clear();
    TRefNF &nf = ide.NFref.New().RefNF;
    nf.cUF = 35;
    nf.AAMM = "1002";
    nf.CNPJ = "12345678000195";
    nf.modelo = 1;
    nf.serie = 2;
    nf.nNF = 321;
    ide.dhCont = EncodeDateTime(2010, 3, 15, 9, 0, 0, 0);
    ide.xJust = "Falha na SEFAZ de origem";
    nfe.Dest.indIEDest = dfe::inNaoContribuinte;
    nfe.Dest.IE.clear();
}

// The part of the text from "<tag>" through "</tag>"; empty when absent.
std::string Grupo(const std::string &xml, const std::string &tag)
{
    const std::string abre = "<" + tag + ">";
    const std::string fecha = "</" + tag + ">";
    const std::size_t ini = xml.find(abre);
    if (ini == std::string::npos)
        return {};
    const std::size_t fim = xml.find(fecha, ini);
    if (fim == std::string::npos)
        return {};
    return xml.substr(ini, fim + fecha.size() - ini);
}

std::vector<std::string> Alertas(const TNFeW &w)
{
    std::vector<std::string> linhas;
    const rtl::TStringList &lista = w.Gerador().ListaDeAlertas();
    for (int i = 0; i < lista.Count(); ++i)
        linhas.push_back(lista[i]);
    return linhas;
}

bool Contem(const std::vector<std::string> &linhas, const std::string &linha)
{
    for (const std::string &l : linhas)
        if (l == linha)
            return true;
    return false;
}

// Date-times with zone read the process-wide setting: every test here pins it to -03:00
// and puts the previous one back.
class WriterIde : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

private:
    dfe::TTimeZoneConf FSaved;
};

// Runs one group writer on a fresh generation and gives its text.
std::string Gerar(TNFeW &w, const std::function<void(TNFeW &)> &grupo)
{
    w.Iniciar();
    grupo(w);
    return w.Gerador().ArquivoFormatoXML();
}

// ---- exact head of a 4.00 and a 2.00 document ---------------------------------------

TEST_F(WriterIde, Layout400HeadIsExact)
{
    TNFe nfe;
    Documento400(nfe);
    TNFeW w(nfe);
    const std::string xml = Gerar(w, [](TNFeW &g) {
        g.GerarIde();
        g.GerarEmit();
        g.GerarDest();
    });
    EXPECT_EQ(xml,
              "<ide><cUF>35</cUF><cNF>12345678</cNF><natOp>VENDA</natOp><mod>55</mod>"
              "<serie>1</serie><nNF>1234</nNF><dhEmi>2024-05-17T10:30:00-03:00</dhEmi>"
              "<dhSaiEnt>2024-05-17T14:00:00-03:00</dhSaiEnt><tpNF>1</tpNF>"
              "<idDest>2</idDest><cMunFG>3550308</cMunFG><tpImp>1</tpImp>"
              "<tpEmis>1</tpEmis><cDV>6</cDV><tpAmb>1</tpAmb><finNFe>1</finNFe>"
              "<indFinal>1</indFinal><indPres>1</indPres><procEmi>0</procEmi>"
              "<verProc>Emissor 1.0</verProc><NFref><refNFe>" +
                  ChaveValida(55) +
                  "</refNFe></NFref></ide>"
                  "<emit><CNPJ>12345678000195</CNPJ><xNome>Empresa Emitente Ltda</xNome>"
                  "<xFant>Emitente</xFant><enderEmit><xLgr>Rua das Flores</xLgr><nro>100</nro>"
                  "<xBairro>Centro</xBairro><cMun>3550308</cMun><xMun>Sao Paulo</xMun>"
                  "<UF>SP</UF><CEP>01001000</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
                  "<fone>1133334444</fone></enderEmit><IE>111222333444</IE><CRT>3</CRT></emit>"
                  "<dest><CNPJ>11222333000181</CNPJ><xNome>Cliente SA</xNome><enderDest>"
                  "<xLgr>Avenida Brasil</xLgr><nro>2000</nro><xBairro>Jardins</xBairro>"
                  "<cMun>3304557</cMun><xMun>Rio de Janeiro</xMun><UF>RJ</UF>"
                  "<CEP>20040002</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
                  "<fone>2144445555</fone></enderDest><indIEDest>1</indIEDest>"
                  "<IE>77889900</IE><email>compras@cliente.com.br</email></dest>");
    EXPECT_TRUE(Alertas(w).empty()) << Alertas(w).front();
}

TEST_F(WriterIde, Layout200HeadIsExact)
{
    TNFe nfe;
    Documento200(nfe);
    TNFeW w(nfe);
    const std::string xml = Gerar(w, [](TNFeW &g) {
        g.GerarIde();
        g.GerarEmit();
        g.GerarDest();
    });
    EXPECT_EQ(xml,
              "<ide><cUF>35</cUF><cNF>12345678</cNF><natOp>VENDA</natOp><indPag>1</indPag>"
              "<mod>55</mod><serie>1</serie><nNF>1234</nNF><dEmi>2010-03-15</dEmi>"
              "<dSaiEnt>2010-03-16</dSaiEnt><hSaiEnt>08:15:00</hSaiEnt><tpNF>1</tpNF>"
              "<cMunFG>3550308</cMunFG><NFref><refNF><cUF>35</cUF><AAMM>1002</AAMM>"
              "<CNPJ>12345678000195</CNPJ><mod>01</mod><serie>2</serie><nNF>321</nNF>"
              "</refNF></NFref><tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>6</cDV>"
              "<tpAmb>1</tpAmb><finNFe>1</finNFe><procEmi>0</procEmi>"
              "<verProc>Emissor 1.0</verProc><dhCont>2010-03-15T09:00:00</dhCont>"
              "<xJust>Falha na SEFAZ de origem</xJust></ide>"
              "<emit><CNPJ>12345678000195</CNPJ><xNome>Empresa Emitente Ltda</xNome>"
              "<xFant>Emitente</xFant><enderEmit><xLgr>Rua das Flores</xLgr><nro>100</nro>"
              "<xBairro>Centro</xBairro><cMun>3550308</cMun><xMun>Sao Paulo</xMun>"
              "<UF>SP</UF><CEP>01001000</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
              "<fone>1133334444</fone></enderEmit><IE>111222333444</IE><CRT>3</CRT></emit>"
              "<dest><CNPJ>11222333000181</CNPJ><xNome>Cliente SA</xNome><enderDest>"
              "<xLgr>Avenida Brasil</xLgr><nro>2000</nro><xBairro>Jardins</xBairro>"
              "<cMun>3304557</cMun><xMun>Rio de Janeiro</xMun><UF>RJ</UF>"
              "<CEP>20040002</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
              "<fone>2144445555</fone></enderDest><IE/><email>compras@cliente.com.br</email>"
              "</dest>");
    EXPECT_TRUE(Alertas(w).empty()) << Alertas(w).front();
    // Layouts without the indicator take every recipient as a taxpayer, in the model too.
    EXPECT_EQ(nfe.Dest.indIEDest, dfe::inContribuinte);
}

// A date-time read with a zone is written with that zone, whatever the setting says (here
// -03:00); one without takes the setting's. Layouts whose date-times carry no zone write none.
TEST_F(WriterIde, DateTimesKeepTheZonesTheyWereReadWith)
{
    struct Row {
        const char *name;
        double versao;
        const char *dEmiFuso, *dSaiEntFuso, *dhContFuso;
        std::vector<std::string> esperados;
    } rows[] = {
        {"every zone read", 4.0, "-02:00", "-04:00", "+01:00",
         {"<dhEmi>2024-05-17T10:30:00-02:00</dhEmi>", "<dhSaiEnt>2024-05-17T14:00:00-04:00</dhSaiEnt>",
          "<dhCont>2024-05-17T09:00:00+01:00</dhCont>"}},
        {"only one read", 3.1, "", "-02:00", "",
         {"<dhEmi>2024-05-17T10:30:00-03:00</dhEmi>", "<dhSaiEnt>2024-05-17T14:00:00-02:00</dhSaiEnt>",
          "<dhCont>2024-05-17T09:00:00-03:00</dhCont>"}},
        {"2.00 has no zones to keep", 2.0, "-02:00", "-04:00", "+01:00",
         {"<dEmi>2024-05-17</dEmi>", "<dSaiEnt>2024-05-17</dSaiEnt>", "<dhCont>2024-05-17T09:00:00</dhCont>"}},
    };
    for (const Row &row : rows) {
        TNFe nfe;
        Documento400(nfe);
        nfe.infNFe.Versao = row.versao;
        nfe.Ide.dEmiFuso = row.dEmiFuso;
        nfe.Ide.dSaiEntFuso = row.dSaiEntFuso;
        nfe.Ide.dhCont = EncodeDateTime(2024, 5, 17, 9, 0, 0, 0);
        nfe.Ide.dhContFuso = row.dhContFuso;
        nfe.Ide.xJust = "Falha de comunicacao com a SEFAZ";
        TNFeW w(nfe);
        const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarIde(); });
        for (const std::string &esperado : row.esperados)
            EXPECT_NE(xml.find(esperado), std::string::npos) << row.name << ": " << esperado << "\n" << xml;
    }
}

// A whole generation puts the new key's code and check digit into ide, from the model's
// write-back.
TEST_F(WriterIde, IdeCarriesTheKeyOfTheGeneration)
{
    TNFe nfe;
    Documento400(nfe);
    nfe.Ide.cNF = 4321;
    nfe.Ide.cDV = 0;
    TNFeW w(nfe);
    w.GerarXml();
    const std::string chave = w.ChaveNFe();
    ASSERT_EQ(chave.size(), 44u);
    const std::string ide = Grupo(w.Gerador().ArquivoFormatoXML(), "ide");
    EXPECT_NE(ide.find("<cNF>00004321</cNF>"), std::string::npos) << ide;
    EXPECT_NE(ide.find("<cDV>" + chave.substr(43) + "</cDV>"), std::string::npos) << ide;
    EXPECT_EQ(nfe.Ide.cDV, chave.back() - '0');
}

// ---- ide by layout ---------------------------------------------------------------------

struct CasoGrupo {
    const char *name;
    std::function<void(TNFe &)> ajuste;
    std::function<void(TNFeW &)> grupo;
    std::vector<std::string> presentes;
    std::vector<std::string> ausentes;
};

void ConferirCasos(const std::vector<CasoGrupo> &casos)
{
    for (const CasoGrupo &c : casos) {
        TNFe nfe;
        Documento400(nfe);
        c.ajuste(nfe);
        TNFeW w(nfe);
        const std::string xml = Gerar(w, c.grupo);
        for (const std::string &p : c.presentes)
            EXPECT_NE(xml.find(p), std::string::npos) << c.name << ": missing " << p << "\n"
                                                      << xml;
        for (const std::string &a : c.ausentes)
            EXPECT_EQ(xml.find(a), std::string::npos) << c.name << ": unexpected " << a << "\n"
                                                      << xml;
    }
}

void Ide(TNFeW &w) { w.GerarIde(); }

TEST_F(WriterIde, IdeFollowsTheLayout)
{
    ConferirCasos({
        {"4.00 has no indPag", [](TNFe &) {}, Ide, {"<nNF>1234</nNF><dhEmi>"}, {"<indPag>"}},
        {"3.10 writes indPag with the 3.x fields",
         [](TNFe &n) { n.infNFe.Versao = 3.1; },
         Ide,
         {"<natOp>VENDA</natOp><indPag>1</indPag><mod>", "<idDest>2</idDest>",
          "<indFinal>1</indFinal><indPres>1</indPres>"},
         {}},
        {"2.00 has dates without zone",
         [](TNFe &n) { n.infNFe.Versao = 2.0; },
         Ide,
         {"<dEmi>2024-05-17</dEmi><dSaiEnt>2024-05-17</dSaiEnt><tpNF>"},
         {"<dhEmi>", "<dhSaiEnt>", "<idDest>", "<indFinal>", "<indPres>", "<hSaiEnt>"}},
        {"2.00 exit hour only with an exit date",
         [](TNFe &n) {
             n.infNFe.Versao = 2.0;
             n.Ide.dSaiEnt = 0;
             n.Ide.hSaiEnt = rtl::EncodeTime(9, 0, 0, 0);
         },
         Ide,
         {"<dEmi>2024-05-17</dEmi><tpNF>"},
         {"<dSaiEnt>", "<hSaiEnt>"}},
        {"2.00 references follow cMunFG",
         [](TNFe &n) { n.infNFe.Versao = 2.0; },
         Ide,
         {"</cMunFG><NFref><refNFe>", "</NFref><tpImp>"},
         {}},
        {"3.00 references close ide, after the contingency block",
         [](TNFe &n) {
             n.infNFe.Versao = 3.0;
             n.Ide.dhCont = EncodeDateTime(2024, 5, 17, 9, 0, 0, 0);
             n.Ide.xJust = "Sem comunicacao com a SEFAZ";
         },
         Ide,
         {"<dhCont>2024-05-17T09:00:00-03:00</dhCont><xJust>Sem comunicacao com a SEFAZ"
          "</xJust><NFref>",
          "</NFref></ide>"},
         {}},
        {"an NFC-e never has an exit date",
         [](TNFe &n) { n.Ide.modelo = 65; },
         Ide,
         {"<mod>65</mod>"},
         {"<dhSaiEnt>"}},
        {"an NF-e without exit date has none",
         [](TNFe &n) { n.Ide.dSaiEnt = 0; },
         Ide,
         {"</dhEmi><tpNF>"},
         {"<dhSaiEnt>"}},
        {"a justification alone still writes the zero date with its zone",
         [](TNFe &n) { n.Ide.xJust = "Falha"; },
         Ide,
         {"<dhCont>1899-12-30T00:00:00-03:00</dhCont><xJust>Falha</xJust>"},
         {}},
        {"no contingency, no block", [](TNFe &) {}, Ide, {}, {"<dhCont>", "<xJust>"}},
        {"references in list order, each with its own parts",
         [](TNFe &n) {
             n.Ide.NFref.Clear();
             TNFrefCollectionItem &a = n.Ide.NFref.New();
             a.RefNFP.cUF = 31;
             a.RefNFP.AAMM = "2312";
             a.RefNFP.CNPJCPF = "123.456.789-09";
             a.RefNFP.IE = "0620012345678";
             a.RefNFP.modelo = "4";
             a.RefNFP.serie = 3;
             a.RefNFP.nNF = 77;
             TNFrefCollectionItem &b = n.Ide.NFref.New();
             b.refCTe = ChaveValida(57);
             b.RefECF.modelo = dfe::ECFModRef2D;
             b.RefECF.nECF = "5";
             b.RefECF.nCOO = "1234";
             n.Ide.NFref.New(); // nothing referenced
         },
         Ide,
         {"<NFref><refNFP><cUF>31</cUF><AAMM>2312</AAMM><CPF>12345678909</CPF>"
          "<IE>0620012345678</IE><mod>04</mod><serie>3</serie><nNF>77</nNF></refNFP></NFref>"
          "<NFref><refCTe>" +
              ChaveValida(57) +
              "</refCTe><refECF><mod>2D</mod><nECF>005</nECF><nCOO>001234</nCOO></refECF>"
              "</NFref><NFref></NFref></ide>"},
         {}},
        {"a producer's model that is no number is written 00",
         [](TNFe &n) {
             TRefNFP &p = n.Ide.NFref.New().RefNFP;
             p.modelo = "ab";
             p.nNF = 1;
         },
         Ide,
         {"<mod>00</mod>"},
         {}},
    });
}

// ---- emit, avulsa ----------------------------------------------------------------------

void Emit(TNFeW &w) { w.GerarEmit(); }

TEST_F(WriterIde, EmitRegistrationsAndCountry)
{
    ConferirCasos({
        {"exact ISENTO stays", [](TNFe &n) { n.Emit.IE = "ISENTO"; }, Emit,
         {"</enderEmit><IE>ISENTO</IE>"}, {}},
        {"lower-case isento keeps its digits: none",
         [](TNFe &n) { n.Emit.IE = "isento"; },
         Emit,
         {"</enderEmit><IE/><CRT>"},
         {}},
        {"the country is always Brazil",
         [](TNFe &n) {
             n.Emit.EnderEmit.cPais = 0;
             n.Emit.EnderEmit.xPais.clear();
         },
         Emit,
         {"<CEP>01001000</CEP><cPais>1058</cPais><fone>"},
         {"<xPais>"}},
        {"an issuer abroad in the model is still written in Brazil",
         [](TNFe &n) { n.Emit.EnderEmit.cPais = 1600; },
         Emit,
         {"<cMun>3550308</cMun><xMun>Sao Paulo</xMun><UF>SP</UF>", "<cPais>1058</cPais>"},
         {"EXTERIOR"}},
        {"CNAE only with a municipal registration",
         [](TNFe &n) { n.Emit.CNAE = "4711302"; },
         Emit,
         {"<IE>111222333444</IE><CRT>3</CRT>"},
         {"<CNAE>"}},
        {"CNAE follows IM",
         [](TNFe &n) {
             n.Emit.IEST = "555666777888";
             n.Emit.IM = "12345";
             n.Emit.CNAE = "4711302";
         },
         Emit,
         {"<IE>111222333444</IE><IEST>555666777888</IEST><IM>12345</IM><CNAE>4711302</CNAE>"
          "<CRT>3</CRT>"},
         {}},
        {"below 2.00 no CRT", [](TNFe &n) { n.infNFe.Versao = 1.1; }, Emit, {}, {"<CRT>"}},
        {"a CPF issuer is zero-filled",
         [](TNFe &n) { n.Emit.CNPJCPF = "1234567890"; },
         Emit,
         {"<emit><CPF>01234567890</CPF>"},
         {}},
    });
}

TEST_F(WriterIde, AvulsaOnlyWithAnOfficeAndExact)
{
    TNFe nfe;
    Documento400(nfe);
    TNFeW w(nfe);
    nfe.Avulsa.CNPJ = "   ";
    nfe.Avulsa.xOrgao = "Posto";
    EXPECT_EQ(Gerar(w, [](TNFeW &g) { g.GerarAvulsa(); }), "") << "blank CNPJ";

    TAvulsa &a = nfe.Avulsa;
    a.CNPJ = "98765432000198";
    a.xOrgao = "Posto Fiscal";
    a.matr = "4321";
    a.xAgente = "Fulano";
    a.fone = "(11) 2222-3333";
    a.UF = "SX";
    a.dEmi = EncodeDate(2024, 5, 16);
    a.vDAR = rtl::Currency::FromRaw(1500000);
    a.repEmi = "Reparticao";
    EXPECT_EQ(Gerar(w, [](TNFeW &g) { g.GerarAvulsa(); }),
              "<avulsa><CNPJ>98765432000198</CNPJ><xOrgao>Posto Fiscal</xOrgao>"
              "<matr>4321</matr><xAgente>Fulano</xAgente><fone>1122223333</fone><UF>SX</UF>"
              "<dEmi>2024-05-16</dEmi><vDAR>150.00</vDAR><repEmi>Reparticao</repEmi>"
              "</avulsa>");
    EXPECT_EQ(Alertas(w), std::vector<std::string>{
                              "TAG:<avulsa> ID:D07/UF(Sigla da UF) - Conteúdo inválido."});
}

// ---- dest ------------------------------------------------------------------------------

void Dest(TNFeW &w) { w.GerarDest(); }

TEST_F(WriterIde, DestFollowsTheRecipient)
{
    ConferirCasos({
        {"test environment name in the output",
         [](TNFe &n) { n.Ide.tpAmb = dfe::taHomologacao; },
         Dest,
         {"<xNome>NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL</xNome>"},
         {"Cliente SA"}},
        {"NFC-e with a CPF and no street: no address, optional name",
         [](TNFe &n) {
             n.Ide.modelo = 65;
             n.Dest.CNPJCPF = "12345678909";
             n.Dest.xNome.clear();
             n.Dest.EnderDest.xLgr.clear();
             n.Dest.IE.clear();
         },
         Dest,
         {"<dest><CPF>12345678909</CPF><indIEDest>1</indIEDest><email>"},
         {"<enderDest>", "<xNome>"}},
        {"NFC-e without identifier writes no CNPJ",
         [](TNFe &n) {
             n.Ide.modelo = 65;
             n.Dest.CNPJCPF.clear();
         },
         Dest,
         {"<dest><xNome>Cliente SA</xNome><enderDest>"},
         {"<CNPJ", "<CPF"}},
        {"an NF-e without identifier writes a zero CNPJ",
         [](TNFe &n) { n.Dest.CNPJCPF.clear(); },
         Dest,
         {"<dest><CNPJ>00000000000000</CNPJ>"},
         {}},
        {"foreign recipient",
         [](TNFe &n) {
             n.Dest.CNPJCPF = "11222333000181";
             n.Dest.EnderDest.cPais = 1600;
             n.Dest.EnderDest.xPais = "CHINA";
         },
         Dest,
         {"<dest><idEstrangeiro/><xNome>",
          "<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF>", "<cPais>1600</cPais>"},
         {"<CNPJ>", "Rio de Janeiro"}},
        {"foreign identifier without foreign country",
         [](TNFe &n) { n.Dest.idEstrangeiro = "P-123"; },
         Dest,
         {"<dest><idEstrangeiro>P-123</idEstrangeiro><xNome>", "<UF>RJ</UF>"},
         {"<CNPJ>"}},
        {"2.00 always writes CNPJ/CPF",
         [](TNFe &n) {
             n.infNFe.Versao = 2.0;
             n.Dest.idEstrangeiro = "P-123";
             n.Dest.EnderDest.cPais = 1600;
         },
         Dest,
         {"<dest><CNPJ>11222333000181</CNPJ>", "<UF>EX</UF>"},
         {"<idEstrangeiro>", "<indIEDest>"}},
        {"3.00 non-taxpayer without IE: neither indicator nor IE",
         [](TNFe &n) {
             n.infNFe.Versao = 3.0;
             n.Dest.indIEDest = dfe::inNaoContribuinte;
             n.Dest.IE.clear();
         },
         Dest,
         {"</enderDest><email>"},
         {"<indIEDest>", "<IE"}},
        {"exempt recipient writes no IE",
         [](TNFe &n) { n.Dest.indIEDest = dfe::inIsento; },
         Dest,
         {"<indIEDest>2</indIEDest><email>"},
         {"<IE>"}},
        {"ISENTO stays", [](TNFe &n) { n.Dest.IE = "ISENTO"; }, Dest, {"<IE>ISENTO</IE>"}, {}},
        {"dotted IE is written as digits",
         [](TNFe &n) { n.Dest.IE = "77.889.900"; },
         Dest,
         {"<IE>77889900</IE>"},
         {}},
        {"blank IE of an NF-e is an empty element",
         [](TNFe &n) { n.Dest.IE = "  "; },
         Dest,
         {"</indIEDest><IE/><email>"},
         {}},
        {"blank IE of an NFC-e is left out",
         [](TNFe &n) {
             n.Ide.modelo = 65;
             n.Dest.IE = "  ";
         },
         Dest,
         {"</indIEDest><email>"},
         {"<IE"}},
        {"2.00 exempt recipient becomes a taxpayer before the IE rule",
         [](TNFe &n) {
             n.infNFe.Versao = 2.0;
             n.Dest.indIEDest = dfe::inIsento;
         },
         Dest,
         {"</enderDest><IE>77889900</IE>"},
         {"<indIEDest>"}},
        {"zero CEP is left out, SUFRAMA and IM written",
         [](TNFe &n) {
             n.Dest.EnderDest.CEP = 0;
             n.Dest.ISUF = "123456789";
             n.Dest.IM = "999";
         },
         Dest,
         {"<UF>RJ</UF><cPais>1058</cPais>",
          "<IE>77889900</IE><ISUF>123456789</ISUF><IM>999</IM><email>"},
         {"<CEP>"}},
    });
}

TEST_F(WriterIde, DestIndicatorWriteBackByLayout)
{
    struct Caso {
        const char *name;
        double versao;
        dfe::TpcnindIEDest esperado;
    };
    const Caso casos[] = {
        {"2.00", 2.0, dfe::inContribuinte},
        {"3.00", 3.0, dfe::inContribuinte},
        {"3.10", 3.1, dfe::inNaoContribuinte},
        {"4.00", 4.0, dfe::inNaoContribuinte},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento400(nfe);
        nfe.infNFe.Versao = c.versao;
        nfe.Dest.indIEDest = dfe::inNaoContribuinte;
        nfe.Ide.tpAmb = dfe::taHomologacao;
        TNFeW w(nfe);
        Gerar(w, Dest);
        EXPECT_EQ(nfe.Dest.indIEDest, c.esperado) << c.name;
        EXPECT_EQ(nfe.Dest.xNome, "Cliente SA") << c.name << ": the model keeps its name";
    }
}

TEST_F(WriterIde, DestAlerts)
{
    TNFe nfe;
    Documento400(nfe);
    nfe.Dest.EnderDest.cPais = 1601; // check digit right, but no listed country
    nfe.Dest.ISUF = "123";
    TNFeW w(nfe);
    Gerar(w, Dest);
    EXPECT_EQ(Alertas(w),
              (std::vector<std::string>{
                  "TAG:<dest><enderDest> ID:E14/cPais(Código do País) - Conteúdo inválido.",
                  "TAG:<dest> ID:E18/ISUF(Inscrição na SUFRAMA) - Tamanho menor que o mínimo "
                  "permitido [123]."}))
        << "registrations are checked only on request";

    w.Opcoes().ValidarInscricoes = true;
    nfe.Dest.EnderDest.cPais = 1058;
    nfe.Dest.EnderDest.cMun = 3304556;
    nfe.Dest.EnderDest.UF = "XX";
    // Registrations carry no per-state rules here: only a blank one is refused.
    nfe.Dest.IE = "  ";
    Gerar(w, Dest);
    const std::vector<std::string> alertas = Alertas(w);
    EXPECT_EQ(alertas,
              (std::vector<std::string>{
                  "TAG:<dest><enderDest> ID:E10/cMun(Código do Município) - Conteúdo inválido.",
                  "TAG:<dest><enderDest> ID:E12/UF(Sigla da UF) - Conteúdo inválido.",
                  "TAG:<dest> ID:E17/IE(Inscrição Estadual) - Conteúdo inválido.",
                  "TAG:<dest> ID:E18/ISUF(Inscrição na SUFRAMA) - Tamanho menor que o mínimo "
                  "permitido [123].",
                  "TAG:<dest> ID:E18/ISUF(Inscrição na SUFRAMA) - Conteúdo inválido."}));
}

// ---- retirada, entrega, autXML ---------------------------------------------------------

void Local(TLocalNFe &l)
{
    l.CNPJCPF = "123";
    l.xLgr = "Rua A";
    l.nro = "1";
    l.xBairro = "Industrial";
    l.cMun = 3509502;
    l.xMun = "Campinas";
    l.UF = "SP";
    l.CEP = 13010000;
    l.cPais = 1600;
    l.IE = "244.555.666.777";
}

TEST_F(WriterIde, PlacesOfPickupAndDelivery)
{
    ConferirCasos({
        {"no street, no place", [](TNFe &n) { n.Retirada.xLgr = " "; },
         [](TNFeW &w) {
             w.GerarRetirada();
             w.GerarEntrega();
         },
         {},
         {"<retirada>", "<entrega>"}},
        {"pickup abroad from an issuer in Brazil keeps its municipality; CNPJ not filled",
         [](TNFe &n) { Local(n.Retirada); },
         [](TNFeW &w) { w.GerarRetirada(); },
         {"<retirada><CPF>123</CPF><xLgr>Rua A</xLgr><nro>1</nro><xBairro>Industrial</xBairro>"
          "<cMun>3509502</cMun><xMun>Campinas</xMun><UF>SP</UF><CEP>13010000</CEP>"
          "<cPais>1600</cPais><IE>244555666777</IE></retirada>"},
         {}},
        {"pickup of an issuer abroad is abroad",
         [](TNFe &n) {
             Local(n.Retirada);
             n.Retirada.cPais = 1058;
             n.Emit.EnderEmit.cPais = 1600;
         },
         [](TNFeW &w) { w.GerarRetirada(); },
         {"<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF><CEP>13010000</CEP>"
          "<cPais>1058</cPais>"},
         {}},
        {"delivery is never adjusted",
         [](TNFe &n) {
             Local(n.Entrega);
             n.Entrega.IE = "ISENTO";
             n.Emit.EnderEmit.cPais = 1600;
         },
         [](TNFeW &w) { w.GerarEntrega(); },
         {"<entrega><CPF>123</CPF>", "<cMun>3509502</cMun><xMun>Campinas</xMun><UF>SP</UF>",
          "<IE>ISENTO</IE></entrega>"},
         {}},
        {"an IE in lower case is left out of a place",
         [](TNFe &n) {
             Local(n.Entrega);
             n.Entrega.IE = "isento";
         },
         [](TNFeW &w) { w.GerarEntrega(); },
         {"<cPais>1600</cPais></entrega>"},
         {"<IE"}},
    });
}

TEST_F(WriterIde, ElevenAutXmlAreAllWrittenWithOneAlert)
{
    TNFe nfe;
    Documento400(nfe);
    for (int i = 0; i < 11; ++i)
        nfe.autXML.New().CNPJCPF = "12345678909";
    TNFeW w(nfe);
    std::string esperado;
    for (int i = 0; i < 11; ++i)
        esperado += "<autXML><CPF>12345678909</CPF></autXML>";
    EXPECT_EQ(Gerar(w, [](TNFeW &g) { g.GerarautXML(); }), esperado);
    EXPECT_EQ(Alertas(w),
              std::vector<std::string>{"TAG: ID:G50/autXML() - Número de ocorrências maior que o "
                                       "máximo permitido - Máximo 10."});
}

// ---- alert lines -----------------------------------------------------------------------

TEST_F(WriterIde, AlertLinesOfTheHead)
{
    TNFe nfe;
    Documento400(nfe);
    nfe.Ide.cUF = 10;
    nfe.Ide.cMunFG = 3550309;
    TRefNF &nf = nfe.Ide.NFref.New().RefNF;
    nf.cUF = 35;
    nf.AAMM = "2413";
    nf.CNPJ = "12345678000195";
    nf.modelo = 3;
    nf.nNF = 1;
    nfe.Ide.NFref.New().refNFe = "3524";
    nfe.Emit.EnderEmit.UF = "sp";
    TNFeW w(nfe);
    Gerar(w, [](TNFeW &g) {
        g.GerarIde();
        g.GerarEmit();
    });
    EXPECT_EQ(
        Alertas(w),
        (std::vector<std::string>{
            "TAG:<ide> ID:B02/cUF(Código do UF (Unidade da Federação)) - Conteúdo inválido.",
            "TAG:<ide> ID:B12/cMunFG(Código do Município FG) - Conteúdo inválido.",
            "TAG:<ide><NFref><refNF> ID:B16/AAMM(Ano e Mês) - Periodo inválido.",
            "TAG:<ide><NFref><refNF> ID:B18/mod(Modelo) - Modelo de documento inválido.",
            "TAG:<ide><NFref> ID:B13/refNFe(Chave de acesso das NF-e referenciadas) - Tamanho "
            "menor que o mínimo permitido [3524].",
            "TAG:<ide><NFref> ID:B13/refNFe(Chave de acesso das NF-e referenciadas) - Conteúdo "
            "inválido.",
            "TAG:<emit><enderEmit> ID:C12/UF(Sigla da UF) - Conteúdo inválido."}));
}

TEST_F(WriterIde, IssuerRegistrationCheckedOnRequest)
{
    struct Caso {
        const char *name;
        std::string IE;
        dfe::TpcnProcessoEmissao procEmi;
        std::vector<std::string> alertas;
    };
    const Caso casos[] = {
        {"empty", "", dfe::peAplicativoContribuinte,
         {"TAG:<emit> ID:C17/IE(Inscrição Estadual) - Nenhum valor informado."}},
        {"blank", "   ", dfe::peAplicativoContribuinte,
         {"TAG:<emit> ID:C17/IE(Inscrição Estadual) - Conteúdo inválido."}},
        {"filled", "111.222.333.444", dfe::peAplicativoContribuinte, {}},
        {"issued by the tax office: not checked", "", dfe::peAvulsaFisco, {}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento400(nfe);
        nfe.Emit.IE = c.IE;
        nfe.Ide.procEmi = c.procEmi;
        TNFeW w(nfe);
        w.Opcoes().ValidarInscricoes = true;
        Gerar(w, Emit);
        EXPECT_EQ(Alertas(w), c.alertas) << c.name;
    }
}

// The alert of an empty issuer name, as a whole bare document reports it.
TEST_F(WriterIde, EmptyIssuerNameInABareDocument)
{
    TNFe nfe;
    Documento400(nfe);
    nfe.Emit.xNome.clear();
    TNFeW w(nfe);
    EXPECT_FALSE(w.GerarXml());
    EXPECT_TRUE(Contem(Alertas(w),
                       "TAG:<emit> ID:C03/xNome(Razão Social ou Nome) - Nenhum valor informado."));
    EXPECT_NE(w.Gerador().ArquivoFormatoXML().find("<xNome/>"), std::string::npos);
}

TEST_F(WriterIde, AddressAdjustment)
{
    struct Caso {
        const char *name;
        int cPais;
        bool normatizar;
        std::string UF, xMun;
        int cMun;
    };
    const Caso casos[] = {
        {"Brazil keeps the model's values", 1058, false, "SP", "", 0},
        {"abroad", 1600, false, "EX", "EXTERIOR", 9999999},
        {"country 0 is abroad", 0, false, "EX", "EXTERIOR", 9999999},
        {"normalisation without a table keeps the values", 1058, true, "SP", "", 0},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        TNFeW w(nfe);
        w.Opcoes().NormatizarMunicipios = c.normatizar;
        std::string UF, xMun;
        int cMun = -1;
        w.AjustarMunicipioUF(UF, xMun, cMun, c.cPais, "SP", "", 0);
        EXPECT_EQ(UF, c.UF) << c.name;
        EXPECT_EQ(xMun, c.xMun) << c.name;
        EXPECT_EQ(cMun, c.cMun) << c.name;
    }
}

} // namespace
