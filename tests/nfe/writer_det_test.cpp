// The items of a regenerated NF-e: the item frame, prod with its lists, and the choice of
// tax groups. The tax groups and the vehicle, medicine, weapon and fuel groups have their
// own tests; the items here carry none of the latter.

#include "nfe/writer.h"

#include "dfe/accesskey.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace nfe;
using rtl::Currency;
using rtl::EncodeDate;

Currency Money(std::int64_t raw)
{
    return Currency::FromRaw(raw);
}

std::string ChaveValida()
{
    return dfe::GerarChaveAcesso(35, EncodeDate(2024, 4, 1), "12345678000195", 1, 1111, 1,
                                 11112, 55);
}

// One plain product, valid in every layout.
TDetCollectionItem &NovoItem(TNFe &nfe, int nItem)
{
    TDetCollectionItem &det = nfe.Det.New();
    TProd &p = det.Prod;
    p.nItem = nItem;
    p.cProd = "P" + std::to_string(nItem);
    p.cEAN = "7891234567895";
    p.xProd = "Produto " + std::to_string(nItem);
    p.NCM = "22030000";
    p.CFOP = "5.102";
    p.uCom = "UN";
    p.qCom = Money(20000);
    p.vUnCom = 10.1234567891;
    p.vProd = Money(202500);
    p.uTrib = "UN";
    p.qTrib = Money(20000);
    p.vUnTrib = 10.125;
    p.vDesc = Money(15000);
    p.IndTot = dfe::itSomaTotalNFe;
    return det;
}

void Documento(TNFe &nfe, double versao)
{
    nfe.infNFe.Versao = versao;
    nfe.Ide.cUF = 35;
    nfe.Ide.modelo = 55;
    nfe.Ide.tpAmb = dfe::taProducao;
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

int Ocorrencias(const std::string &xml, const std::string &trecho)
{
    int n = 0;
    for (std::size_t p = xml.find(trecho); p != std::string::npos; p = xml.find(trecho, p + 1))
        ++n;
    return n;
}

std::string Gerar(TNFeW &w, const std::function<void(TNFeW &)> &grupo)
{
    w.Iniciar();
    grupo(w);
    return w.Gerador().ArquivoFormatoXML();
}

// The import and export numbers are checked against the current year.
class WriterDet : public ::testing::Test {
protected:
    rtl::ScopedClock FClock{rtl::EncodeDateTime(2024, 6, 15, 12, 0, 0, 0)};
};

// ---- exact product groups --------------------------------------------------------------

TEST_F(WriterDet, Layout400ProductIsExact)
{
    TNFe nfe;
    Documento(nfe, 4.0);
    TProd &p = NovoItem(nfe, 1).Prod;
    p.CEST = "28.038.00";
    p.indEscala = ieRelevante;
    p.CNPJFab = "12345678000195";
    p.cBenef = "SP123456";
    p.EXTIPI = "01";
    p.xPed = "PED-1";
    p.nItemPed = "00-01";
    TRastroCollectionItem &lote = p.rastro.New();
    lote.nLote = "L1";
    lote.qLote = Money(15000);
    lote.dFab = EncodeDate(2024, 1, 10);
    lote.dVal = EncodeDate(2025, 1, 10);
    TNFeW w(nfe);
    EXPECT_EQ(Gerar(w, [](TNFeW &g) { g.GerarDetProd(0); }),
              "<prod><cProd>P1</cProd><cEAN>7891234567895</cEAN><xProd>Produto 1</xProd>"
              "<NCM>22030000</NCM><CEST>2803800</CEST><indEscala>S</indEscala>"
              "<CNPJFab>12345678000195</CNPJFab><cBenef>SP123456</cBenef><EXTIPI>01</EXTIPI>"
              "<CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.0000</qCom>"
              "<vUnCom>10.1234567891</vUnCom><vProd>20.25</vProd><cEANTrib>SEM GTIN</cEANTrib>"
              "<uTrib>UN</uTrib><qTrib>2.0000</qTrib><vUnTrib>10.1250000000</vUnTrib>"
              "<vDesc>1.50</vDesc><indTot>1</indTot><xPed>PED-1</xPed>"
              "<nItemPed>0001</nItemPed><rastro><nLote>L1</nLote><qLote>1.500</qLote>"
              "<dFab>2024-01-10</dFab><dVal>2025-01-10</dVal></rastro></prod>");
    EXPECT_TRUE(Alertas(w).empty()) << Alertas(w).front();
}

TEST_F(WriterDet, Layout310ImportAndExportAreExact)
{
    TNFe nfe;
    Documento(nfe, 3.1);
    TProd &p = NovoItem(nfe, 1).Prod;
    p.cEANTrib = "7891234567895";
    p.CEST = "2803800";
    p.cBenef = "SP123456"; // not in 3.10
    p.rastro.New().nLote = "L1"; // not in 3.10
    TDICollectionItem &di = p.DI.New();
    di.nDi = "240000000001";
    di.dDi = EncodeDate(2024, 4, 1);
    di.xLocDesemb = "Porto de Santos";
    di.UFDesemb = "SP";
    di.dDesemb = EncodeDate(2024, 4, 3);
    di.tpViaTransp = dfe::tvMaritima;
    di.tpIntermedio = dfe::tiContaOrdem;
    di.CNPJ = "33444555000166";
    di.UFTerceiro = "PR";
    di.cExportador = "EXP-7";
    TAdiCollectionItem &adi = di.adi.New();
    adi.nAdicao = 1;
    adi.nSeqAdi = 2;
    adi.cFabricante = "FAB";
    adi.vDescDI = Money(1000);
    TdetExportCollectionItem &exp = p.detExport.New();
    exp.nRE = "240000000001";
    exp.chNFe = ChaveValida();
    exp.qExport = Money(30000);
    p.detExport.New(); // neither registration nor key
    p.nFCI = "12345678-1234-1234-1234-123456789012";
    TNFeW w(nfe);
    EXPECT_EQ(Gerar(w, [](TNFeW &g) { g.GerarDetProd(0); }),
              "<prod><cProd>P1</cProd><cEAN>7891234567895</cEAN><xProd>Produto 1</xProd>"
              "<NCM>22030000</NCM><CEST>2803800</CEST><CFOP>5102</CFOP><uCom>UN</uCom>"
              "<qCom>2.0000</qCom><vUnCom>10.1234567891</vUnCom><vProd>20.25</vProd>"
              "<cEANTrib>7891234567895</cEANTrib><uTrib>UN</uTrib><qTrib>2.0000</qTrib>"
              "<vUnTrib>10.1250000000</vUnTrib><vDesc>1.50</vDesc><indTot>1</indTot>"
              "<DI><nDI>240000000001</nDI><dDI>2024-04-01</dDI>"
              "<xLocDesemb>Porto de Santos</xLocDesemb><UFDesemb>SP</UFDesemb>"
              "<dDesemb>2024-04-03</dDesemb><tpViaTransp>1</tpViaTransp><vAFRMM>0.00</vAFRMM>"
              "<tpIntermedio>2</tpIntermedio><CNPJ>33444555000166</CNPJ>"
              "<UFTerceiro>PR</UFTerceiro><cExportador>EXP-7</cExportador><adi>"
              "<nAdicao>1</nAdicao><nSeqAdic>2</nSeqAdic><cFabricante>FAB</cFabricante>"
              "<vDescDI>0.10</vDescDI></adi></DI>"
              "<detExport><exportInd><nRE>240000000001</nRE><chNFe>" +
                  ChaveValida() +
                  "</chNFe><qExport>3.0000</qExport></exportInd></detExport>"
                  "<detExport></detExport>"
                  "<nFCI>12345678-1234-1234-1234-123456789012</nFCI></prod>");
    EXPECT_TRUE(Alertas(w).empty()) << Alertas(w).front();
}

// ---- item frame ------------------------------------------------------------------------

TEST_F(WriterDet, ItemsKeepTheirNumbersAndOrder)
{
    TNFe nfe;
    Documento(nfe, 4.0);
    NovoItem(nfe, 1);
    NovoItem(nfe, 2).infAdProd = "Lote 5";
    NovoItem(nfe, 5);
    TNFeW w(nfe);
    const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDet(); });
    const std::size_t a = xml.find("<det nItem=\"1\"><prod><cProd>P1</cProd>");
    const std::size_t b = xml.find("<det nItem=\"2\"><prod><cProd>P2</cProd>");
    const std::size_t c = xml.find("<det nItem=\"5\"><prod><cProd>P5</cProd>");
    ASSERT_NE(a, std::string::npos) << xml;
    ASSERT_NE(b, std::string::npos) << xml;
    ASSERT_NE(c, std::string::npos) << xml;
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(Ocorrencias(xml, "</det>"), 3);
    EXPECT_NE(xml.find("</prod><imposto>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("</imposto><infAdProd>Lote 5</infAdProd></det><det nItem=\"5\">"),
              std::string::npos)
        << xml;
    EXPECT_EQ(Ocorrencias(xml, "<infAdProd>"), 1);
}

TEST_F(WriterDet, NineHundredNinetyOneItemsAreAllWrittenWithOneAlert)
{
    TNFe nfe;
    Documento(nfe, 4.0);
    for (int i = 1; i <= 991; ++i)
        NovoItem(nfe, i);
    TNFeW w(nfe);
    const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDet(); });
    EXPECT_EQ(Ocorrencias(xml, "</det>"), 991);
    EXPECT_NE(xml.find("<det nItem=\"991\">"), std::string::npos);
    const std::string limite = "TAG: ID:H02/nItem(Numero do item) - Número de ocorrências maior "
                               "que o máximo permitido - Máximo 990.";
    EXPECT_TRUE(Contem(Alertas(w), limite));
    int vezes = 0;
    for (const std::string &l : Alertas(w))
        vezes += l == limite;
    EXPECT_EQ(vezes, 1);
}

// An alert inside an item names the item it belongs to.
TEST_F(WriterDet, ItemAlertCarriesTheItem)
{
    TNFe nfe;
    Documento(nfe, 4.0);
    NovoItem(nfe, 7).Prod.xProd.clear();
    TNFeW w(nfe);
    Gerar(w, [](TNFeW &g) { g.GerarDet(); });
    EXPECT_TRUE(Contem(Alertas(w), "TAG:<det nItem=\"7\"><prod> ID:I04/xProd(Descrição do "
                                   "Produto ou Serviço) - Nenhum valor informado."));
}

// ---- prod by layout --------------------------------------------------------------------

struct CasoProd {
    const char *name;
    double versao;
    std::function<void(TNFe &)> ajuste;
    std::vector<std::string> presentes;
    std::vector<std::string> ausentes;
};

TEST_F(WriterDet, ProductFollowsTheLayout)
{
    const CasoProd casos[] = {
        {"4.00 without CEST keeps cBenef only",
         4.0,
         [](TNFe &n) {
             TProd &p = n.Det[0].Prod;
             p.indEscala = ieRelevante;
             p.CNPJFab = "12345678000195";
             p.cBenef = "SP123456";
         },
         {"</NCM><cBenef>SP123456</cBenef><CFOP>"},
         {"<CEST>", "<indEscala>", "<CNPJFab>"}},
        {"4.00 CEST of punctuation only counts as empty",
         4.0,
         [](TNFe &n) { n.Det[0].Prod.CEST = ".."; },
         {"</NCM><CFOP>"},
         {"<CEST>"}},
        {"4.00 scale indicator none is left out",
         4.0,
         [](TNFe &n) { n.Det[0].Prod.CEST = "2803800"; },
         {"<CEST>2803800</CEST><CFOP>"},
         {"<indEscala>"}},
        {"3.10 CEST without the 4.00 fields",
         3.1,
         [](TNFe &n) {
             TProd &p = n.Det[0].Prod;
             p.CEST = "28.038.00";
             p.indEscala = ieRelevante;
             p.cBenef = "SP123456";
         },
         {"</NCM><CEST>2803800</CEST><CFOP>"},
         {"<indEscala>", "<cBenef>"}},
        {"3.10 empty barcodes stay empty",
         3.1,
         [](TNFe &n) { n.Det[0].Prod.cEAN.clear(); },
         {"<cEAN/>", "<cEANTrib/>"},
         {"SEM GTIN"}},
        {"4.00 empty and blank barcodes read SEM GTIN",
         4.0,
         [](TNFe &n) {
             n.Det[0].Prod.cEAN.clear();
             n.Det[0].Prod.cEANTrib = "  ";
         },
         {"<cEAN>SEM GTIN</cEAN>", "<cEANTrib>SEM GTIN</cEANTrib>"},
         {}},
        {"1.10 unit values with four decimals, optional NCM, no indTot",
         1.1,
         [](TNFe &n) { n.Det[0].Prod.NCM.clear(); },
         {"</xProd><CFOP>", "<vUnCom>10.1235</vUnCom>", "<vUnTrib>10.1250</vUnTrib>",
          "<vDesc>1.50</vDesc></prod>"},
         {"<NCM", "<indTot>"}},
        {"2.00 unit values with ten decimals and indTot",
         2.0,
         [](TNFe &) {},
         {"<vUnCom>10.1234567891</vUnCom>", "<indTot>1</indTot>"},
         {}},
        {"road transport leaves a zero AFRMM out",
         3.1,
         [](TNFe &n) {
             TDICollectionItem &di = n.Det[0].Prod.DI.New();
             di.tpViaTransp = dfe::tvRodoviaria;
         },
         {"<tpViaTransp>7</tpViaTransp><tpIntermedio>"},
         {"<vAFRMM>"}},
        {"2.00 import without the 3.00 fields",
         2.0,
         [](TNFe &n) {
             TDICollectionItem &di = n.Det[0].Prod.DI.New();
             di.UFDesemb = "SP";
             di.CNPJ = "33444555000166";
         },
         {"<UFDesemb>SP</UFDesemb><dDesemb/><cExportador/></DI>"},
         {"<tpViaTransp>", "<vAFRMM>", "<tpIntermedio>", "<CNPJ>"}},
        {"NVE codes in order after NCM",
         4.0,
         [](TNFe &n) {
             n.Det[0].Prod.NVE.New().NVE = "AB1234";
             n.Det[0].Prod.NVE.New().NVE = "CD5678";
         },
         {"</NCM><NVE>AB1234</NVE><NVE>CD5678</NVE><CFOP>"},
         {}},
        {"RECOPI closes prod",
         4.0,
         [](TNFe &n) { n.Det[0].Prod.nRECOPI = "20240615123456789012"; },
         {"<nRECOPI>20240615123456789012</nRECOPI></prod>"},
         {}},
    };
    for (const CasoProd &c : casos) {
        TNFe nfe;
        Documento(nfe, c.versao);
        NovoItem(nfe, 1).Prod.cEANTrib.clear();
        c.ajuste(nfe);
        TNFeW w(nfe);
        const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDetProd(0); });
        for (const std::string &p : c.presentes)
            EXPECT_NE(xml.find(p), std::string::npos) << c.name << ": missing " << p << "\n"
                                                      << xml;
        for (const std::string &a : c.ausentes)
            EXPECT_EQ(xml.find(a), std::string::npos) << c.name << ": unexpected " << a << "\n"
                                                      << xml;
    }
}

TEST_F(WriterDet, SemGtinIsWrittenBackOnlyIn400)
{
    struct Caso {
        const char *name;
        double versao;
        std::string valor;
        std::string modelo;
    };
    const Caso casos[] = {
        {"4.00 empty", 4.0, "", "SEM GTIN"},
        {"4.00 blanks", 4.0, "   ", "SEM GTIN"},
        {"4.00 a barcode stays", 4.0, "7891234567895", "7891234567895"},
        {"3.10 empty stays", 3.1, "", ""},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento(nfe, c.versao);
        TProd &p = NovoItem(nfe, 1).Prod;
        p.cEAN = c.valor;
        p.cEANTrib = c.valor;
        TNFeW w(nfe);
        Gerar(w, [](TNFeW &g) { g.GerarDetProd(0); });
        EXPECT_EQ(nfe.Det[0].Prod.cEAN, c.modelo) << c.name;
        EXPECT_EQ(nfe.Det[0].Prod.cEANTrib, c.modelo) << c.name;
        EXPECT_TRUE(Alertas(w).empty()) << c.name << ": " << Alertas(w).front();
    }
}

TEST_F(WriterDet, TestEnvironmentDescriptionOnlyOnTheFirstNfceItem)
{
    const std::string aviso =
        "<xProd>NOTA FISCAL EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL</xProd>";
    struct Caso {
        const char *name;
        int modelo;
        dfe::TpcnTipoAmbiente tpAmb;
        int avisos;
    };
    const Caso casos[] = {
        {"NFC-e in test", 65, dfe::taHomologacao, 1},
        {"NFC-e in production", 65, dfe::taProducao, 0},
        {"NF-e in test", 55, dfe::taHomologacao, 0},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento(nfe, 4.0);
        nfe.Ide.modelo = c.modelo;
        nfe.Ide.tpAmb = c.tpAmb;
        NovoItem(nfe, 1);
        NovoItem(nfe, 2);
        TNFeW w(nfe);
        const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDet(); });
        EXPECT_EQ(Ocorrencias(xml, aviso), c.avisos) << c.name;
        EXPECT_NE(xml.find("<xProd>Produto 2</xProd>"), std::string::npos) << c.name;
        EXPECT_EQ(nfe.Det[0].Prod.xProd, "Produto 1") << c.name << ": output only";
    }
}

// ---- alerts of prod --------------------------------------------------------------------

TEST_F(WriterDet, ProductAlerts)
{
    struct Caso {
        const char *name;
        std::function<void(TProd &)> ajuste;
        std::vector<std::string> alertas;
    };
    const std::vector<Caso> casos = {
        {"wrong GTIN check digit, written unchanged",
         [](TProd &p) { p.cEAN = "7891234567890"; },
         {"TAG:<prod> ID:I03/cEAN(Código de Barra do Item) - Código GTIN inválido.."}},
        {"SEM GTIN is exact",
         [](TProd &p) { p.cEANTrib = "sem gtin"; },
         {"TAG:<prod> ID:I12/cEANTrib(Código de Barra do Item Tributação) - Código GTIN "
          "inválido, o código GTIN deve conter somente números.."}},
        {"NVE pattern",
         [](TProd &p) { p.NVE.New().NVE = "1234AB"; },
         {"TAG:<prod> ID:I05a/NVE(Nomenclatura de Valor Aduaneiro e Estatística) - "
          "Conteúdo inválido."}},
        {"RECOPI check digits",
         [](TProd &p) { p.nRECOPI = "20240615123456789013"; },
         {"TAG:<prod> ID:L109/nRECOPI(Número do RECOPI) - Conteúdo inválido."}},
        {"blank RECOPI is not checked", [](TProd &p) { p.nRECOPI = "  "; }, {}},
        {"import declaration",
         [](TProd &p) {
             TDICollectionItem &di = p.DI.New();
             di.nDi = "123";
             di.dDi = EncodeDate(2024, 4, 1);
             di.xLocDesemb = "Santos";
             di.UFDesemb = "XX";
             di.dDesemb = EncodeDate(2024, 4, 3);
             di.UFTerceiro = "pr";
             di.cExportador = "E";
             TAdiCollectionItem &adi = di.adi.New();
             adi.nAdicao = 1;
             adi.nSeqAdi = 1;
             adi.cFabricante = "F";
             adi.nDraw = "123456789";
             di.adi.New().nDraw = "   ";
             di.adi.Last().cFabricante = "G";
         },
         {"TAG:<prod><DI> ID:I19/nDI(Numero do Documento de Importação DI/DSI/DA) - "
          "Conteúdo inválido.",
          "TAG:<prod><DI> ID:I22/UFDesemb(Sigla da UF onde ocorreu o Desembaraço Aduaneiro) "
          "- Conteúdo inválido.",
          "TAG:<prod><DI> ID:I23e/UFTerceiro(Sigla da UF) - Conteúdo inválido.",
          "TAG:<prod><DI><adi> ID:I29a/nDraw(Número do Drawback) - Conteúdo inválido."}},
        {"export detail",
         [](TProd &p) {
             TdetExportCollectionItem &e = p.detExport.New();
             e.nRE = "999999999999";
             e.chNFe = "35240412345678000195550010000011111000011113";
             e.qExport = Money(10000);
         },
         {"TAG:<prod><detExport><exportInd> ID:I53/nRE(Número do Registro de Exportação) - "
          "Conteúdo inválido.",
          "TAG:<prod><detExport><exportInd> ID:I54/chNFe(Chave de acesso das NF-e "
          "referenciadas) - Conteúdo inválido."}},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento(nfe, 4.0);
        c.ajuste(NovoItem(nfe, 1).Prod);
        TNFeW w(nfe);
        Gerar(w, [](TNFeW &g) { g.GerarDetProd(0); });
        EXPECT_EQ(Alertas(w), c.alertas) << c.name;
    }
}

TEST_F(WriterDet, ListsOverTheirLimitsAreWrittenWhole)
{
    struct Caso {
        const char *name;
        std::function<void(TProd &)> encher;
        std::string grupo;
        int quantidade;
        std::string alerta;
    };
    const std::string msg = "Número de ocorrências maior que o máximo permitido - Máximo ";
    const std::vector<Caso> casos = {
        {"NVE",
         [](TProd &p) {
             for (int i = 0; i < 9; ++i)
                 p.NVE.New().NVE = "AB1234";
         },
         "<NVE>", 9, "TAG:<prod> ID:I05a/NVE(Numero do item) - " + msg + "8."},
        {"DI",
         [](TProd &p) {
             for (int i = 0; i < 101; ++i)
                 p.DI.New();
         },
         "<DI>", 101, "TAG:<prod> ID:I18/DI(Numero do item) - " + msg + "100."},
        {"adi",
         [](TProd &p) {
             TAdiCollection &a = p.DI.New().adi;
             for (int i = 0; i < 101; ++i)
                 a.New();
         },
         "<adi>", 101, "TAG:<prod><DI> ID:I25/adi(Numero do item) - " + msg + "100."},
        {"detExport",
         [](TProd &p) {
             for (int i = 0; i < 501; ++i)
                 p.detExport.New();
         },
         "<detExport>", 501, "TAG:<prod> ID:I50/detExport(Numero do item) - " + msg + "500."},
        {"rastro",
         [](TProd &p) {
             for (int i = 0; i < 501; ++i)
                 p.rastro.New();
         },
         "<rastro>", 501, "TAG:<prod> ID:I80/rastro(Numero do item) - " + msg + "500."},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento(nfe, 4.0);
        c.encher(NovoItem(nfe, 1).Prod);
        TNFeW w(nfe);
        const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDetProd(0); });
        EXPECT_EQ(Ocorrencias(xml, c.grupo), c.quantidade) << c.name;
        EXPECT_TRUE(Contem(Alertas(w), c.alerta)) << c.name;
    }
}

// ---- the tax frame ---------------------------------------------------------------------

// Which tax family an item takes. The groups themselves are written by their own writers;
// here only what must never appear is checked, with data that would make each of them
// write if it were called.
TEST_F(WriterDet, ServiceItemsTakeIssqnInsteadOfIcms)
{
    struct Caso {
        const char *name;
        double versao;
        dfe::TpcnISSQNcSitTrib cSitTrib;
        bool servico;
    };
    const Caso casos[] = {
        {"4.00 service-list code alone", 4.0, dfe::ISSQNcSitTribVazio, true},
        {"3.10 service-list code alone", 3.1, dfe::ISSQNcSitTribVazio, true},
        {"3.00 needs the situation", 3.0, dfe::ISSQNcSitTribVazio, false},
        {"2.00 with a situation", 2.0, dfe::ISSQNcSitTribNORMAL, true},
    };
    for (const Caso &c : casos) {
        TNFe nfe;
        Documento(nfe, c.versao);
        TDetCollectionItem &det = NovoItem(nfe, 1);
        det.Prod.CFOP = "3102";
        TImposto &imp = det.Imposto;
        imp.vTotTrib = Money(12300);
        imp.ICMS.vBC = Money(100000);
        imp.ICMS.pICMS = Money(180000);
        imp.ICMS.vICMS = Money(18000);
        imp.II.vBc = Money(100000);
        imp.II.vII = Money(10000);
        imp.ISSQN.vBC = Money(100000);
        imp.ISSQN.vAliq = Money(50000);
        imp.ISSQN.vISSQN = Money(5000);
        imp.ISSQN.cListServ = "14.01";
        imp.ISSQN.cSitTrib = c.cSitTrib;
        TNFeW w(nfe);
        const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDetImposto(0); });
        EXPECT_EQ(xml.rfind("<imposto><vTotTrib>1.23</vTotTrib>", 0), 0u) << c.name << xml;
        EXPECT_EQ(xml.substr(xml.size() - 10), "</imposto>") << c.name;
        if (c.servico) {
            EXPECT_EQ(xml.find("<ICMS>"), std::string::npos) << c.name;
            EXPECT_EQ(xml.find("<II>"), std::string::npos) << c.name;
        } else {
            EXPECT_EQ(xml.find("<ISSQN>"), std::string::npos) << c.name;
        }
    }
}

TEST_F(WriterDet, InterstateShareAndReturnOnlyWhenAboveZero)
{
    TNFe nfe;
    Documento(nfe, 4.0);
    TDetCollectionItem &det = NovoItem(nfe, 1);
    det.Imposto.ICMSUFDest.vBCUFDest = Money(1000000);
    det.Imposto.ICMSUFDest.pICMSUFDest = Money(180000);
    det.Imposto.ICMSUFDest.pICMSInter = Money(120000);
    det.Imposto.ICMSUFDest.vICMSUFDest = Money(60000);
    det.vIPIDevol = Money(10000);
    det.infAdProd = "obs";
    TNFeW w(nfe);
    const std::string xml = Gerar(w, [](TNFeW &g) { g.GerarDet(); });
    EXPECT_EQ(xml.find("<ICMSUFDest>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<impostoDevol>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("</imposto><infAdProd>obs</infAdProd></det>"), std::string::npos) << xml;
}

} // namespace
