// A regenerated CT-e and CT-e OS: the frame, the key written back into the model, the
// identification, the complement, the parties, the values and the taxes.

#include "cte/writer.h"

#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace cte;
using rtl::EncodeDate;
using rtl::EncodeDateTime;

void Endereco(TEndereco &e)
{
    e.xLgr = "RUA DAS FLORES";
    e.nro = "100";
    e.xBairro = "CENTRO";
    e.cMun = 3550308;
    e.xMun = "SAO PAULO";
    e.CEP = 1001000;
    e.UF = "SP";
}

// A road CT-e 3.00 from São Paulo to São Paulo with an authorization protocol, every value
// valid, so that any alert a test sees comes from what the test changed.
void Rodoviario(TCTe &c)
{
    c.infCTe.versao = 3.0;
    c.infCTe.Id = "CTe00000000000000000000000000000000000000000000";
    TIde &ide = c.ide;
    ide.cUF = 35;
    ide.cCT = 12345678;
    ide.CFOP = 5353;
    ide.natOp = "PRESTACAO DE SERVICO";
    ide.modelo = 57;
    ide.serie = 1;
    ide.nCT = 123;
    ide.dhEmi = EncodeDateTime(2026, 12, 1, 9, 5, 7, 0);
    ide.tpImp = dfe::tiRetrato;
    ide.tpEmis = dfe::teNormal;
    ide.tpAmb = dfe::taProducao;
    ide.verProc = "1.0";
    ide.cMunEnv = 3550308;
    ide.xMunEnv = "SAO PAULO";
    ide.UFEnv = "SP";
    ide.cMunIni = 3550308;
    ide.xMunIni = "SAO PAULO";
    ide.UFIni = "SP";
    ide.cMunFim = 3550308;
    ide.xMunFim = "SAO PAULO";
    ide.UFFim = "SP";
    ide.retira = rtNao;
    ide.indIEToma = dfe::inContribuinte;
    ide.toma03.Toma = tmRemetente;

    c.emit.CNPJ = "11222333000181";
    c.emit.IE = "111.222.333.444";
    c.emit.xNome = "TRANSPORTES EXEMPLO LTDA";
    TEnderEmit &ee = c.emit.enderEmit;
    ee.xLgr = "AV CENTRAL";
    ee.nro = "1";
    ee.xBairro = "CENTRO";
    ee.cMun = 3550308;
    ee.xMun = "SAO PAULO";
    ee.UF = "SP";

    c.rem.CNPJCPF = "11222333000181";
    c.rem.IE = "ISENTO";
    c.rem.xNome = "REMETENTE";
    Endereco(c.rem.enderReme);
    c.dest.CNPJCPF = "111.444.777-35";
    c.dest.xNome = "DESTINATARIO";
    Endereco(c.dest.enderDest);

    c.vPrest.vTPrest = rtl::Currency::FromDouble(150.5);
    c.vPrest.vRec = rtl::Currency::FromDouble(150.5);
    c.imp.ICMS.SituTrib = dfe::cst00;
    c.imp.ICMS.ICMS00.CST = dfe::cst00;
    c.imp.ICMS.ICMS00.vBC = rtl::Currency::FromDouble(150.5);
    c.imp.ICMS.ICMS00.pICMS = rtl::Currency(12);
    c.imp.ICMS.ICMS00.vICMS = rtl::Currency::FromDouble(18.06);

    c.infCTeNorm.infCarga.proPred = "DIVERSOS";
    c.infCTeNorm.infServico.xDescServ = "TRANSPORTE";
    c.infCTeNorm.rodo.RNTRC = "12345678";

    c.procCTe.tpAmb = dfe::taProducao;
    c.procCTe.verAplic = "SP-CTe-1";
    c.procCTe.chCTe = "35261211222333000181570010000001231123456788";
    c.procCTe.dhRecbto = EncodeDateTime(2026, 12, 1, 9, 6, 0, 0);
    c.procCTe.nProt = "135260000000001";
    c.procCTe.digVal = "abc=";
    c.procCTe.cStat = 100;
    c.procCTe.xMotivo = "Autorizado o uso do CT-e";
}

// A passenger CT-e OS 3.00 whose taker is a company.
void OS(TCTe &c)
{
    Rodoviario(c);
    c.ide.modelo = 67;
    c.ide.tpServ = tsTranspPessoas;
    c.toma.CNPJCPF = "11222333000181";
    c.toma.IE = "123456";
    c.toma.xNome = "TOMADOR";
    Endereco(c.toma.enderToma);
    c.infCTeNorm.rodoOS.TAF = "123456789012";
}

class CTeWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

    std::string Gerar(TCTe &c)
    {
        TCTeW w(c);
        ok = w.GerarXml();
        alertas = w.Gerador().ListaDeAlertas().Text();
        chave = w.ChaveCTe();
        return w.Gerador().ArquivoFormatoXML();
    }

    bool ok = false;
    std::string alertas;
    std::string chave;
    dfe::TTimeZoneConf FSaved;
};

#define EXPECT_HAS(xml, frag) EXPECT_NE((xml).find(frag), std::string::npos) << (frag) << "\n" << (xml)
#define EXPECT_LACKS(xml, frag) EXPECT_EQ((xml).find(frag), std::string::npos) << (frag) << "\n" << (xml)

// ---- frame and identification

TEST_F(CTeWriter, ValidRoadCTeGivesItsKeyFrameAndNoAlert)
{
    TCTe c;
    Rodoviario(c);
    const std::string xml = Gerar(c);
    EXPECT_TRUE(ok) << alertas;
    EXPECT_EQ(alertas, "");
    EXPECT_EQ(chave, "35261211222333000181570010000001231123456788");
    EXPECT_EQ(c.infCTe.Id, "CTe" + chave);
    EXPECT_EQ(c.ide.cDV, 8);
    EXPECT_EQ(c.ide.cCT, 12345678);

    const std::string inicio =
        "<cteProc versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/cte\">"
        "<CTe xmlns=\"http://www.portalfiscal.inf.br/cte\">"
        "<infCte versao=\"3.00\" Id=\"CTe35261211222333000181570010000001231123456788\">"
        "<ide><cUF>35</cUF><cCT>12345678</cCT><CFOP>5353</CFOP>"
        "<natOp>PRESTACAO DE SERVICO</natOp><mod>57</mod><serie>1</serie><nCT>123</nCT>"
        "<dhEmi>2026-12-01T09:05:07-03:00</dhEmi><tpImp>1</tpImp><tpEmis>1</tpEmis>"
        "<cDV>8</cDV><tpAmb>1</tpAmb><tpCTe>0</tpCTe><procEmi>0</procEmi>"
        "<verProc>1.0</verProc><cMunEnv>3550308</cMunEnv><xMunEnv>SAO PAULO</xMunEnv>"
        "<UFEnv>SP</UFEnv><modal>01</modal><tpServ>0</tpServ><cMunIni>3550308</cMunIni>"
        "<xMunIni>SAO PAULO</xMunIni><UFIni>SP</UFIni><cMunFim>3550308</cMunFim>"
        "<xMunFim>SAO PAULO</xMunFim><UFFim>SP</UFFim><retira>1</retira>"
        "<indIEToma>1</indIEToma><toma3><toma>0</toma></toma3></ide>";
    EXPECT_EQ(xml.substr(0, inicio.size()), inicio);
    EXPECT_HAS(xml, "</infCte></CTe><protCTe versao=\"3.00\"><infProt><tpAmb>1</tpAmb>"
                    "<verAplic>SP-CTe-1</verAplic>"
                    "<chCTe>35261211222333000181570010000001231123456788</chCTe>"
                    "<dhRecbto>2026-12-01T09:06:00-03:00</dhRecbto>"
                    "<nProt>135260000000001</nProt><digVal>abc=</digVal><cStat>100</cStat>"
                    "<xMotivo>Autorizado o uso do CT-e</xMotivo></infProt></protCTe></cteProc>");
    // The default option writes no signature for an unsigned model.
    EXPECT_LACKS(xml, "Signature");
    EXPECT_EQ(c.signature.URI, "");
}

TEST_F(CTeWriter, CTeOSTakesItsRootTakerAndNoCargoParties)
{
    TCTe c;
    OS(c);
    const std::string xml = Gerar(c);
    EXPECT_EQ(chave, "35261211222333000181670010000001231123456780");
    EXPECT_HAS(xml, "<cteOSProc versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/cte\">"
                    "<CTeOS xmlns=\"http://www.portalfiscal.inf.br/cte\" versao=\"3.00\">");
    EXPECT_HAS(xml, "<tpServ>6</tpServ><indIEToma>1</indIEToma><cMunIni>3550308</cMunIni>");
    EXPECT_LACKS(xml, "<retira>");
    EXPECT_LACKS(xml, "<toma3>");
    EXPECT_LACKS(xml, "<rem>");
    EXPECT_LACKS(xml, "<dest>");
    EXPECT_HAS(xml, "<toma><CNPJ>11222333000181</CNPJ><IE>123456</IE><xNome>TOMADOR</xNome>"
                    "<enderToma><xLgr>RUA DAS FLORES</xLgr><nro>100</nro><xBairro>CENTRO</xBairro>"
                    "<cMun>3550308</cMun><xMun>SAO PAULO</xMun><CEP>01001000</CEP><UF>SP</UF>"
                    "<cPais>1058</cPais></enderToma></toma>");
    EXPECT_EQ(c.toma.enderToma.cPais, 1058);
    EXPECT_HAS(xml, "</CTeOS><protCTe");
    EXPECT_HAS(xml, "</protCTe></cteOSProc>");
    // A company taker of a passenger service must state the INSS, even at zero.
    EXPECT_HAS(xml, "<infTribFed><vINSS>0.00</vINSS></infTribFed>");
    EXPECT_TRUE(ok) << alertas;

    // Without protocol number there is no envelope; the start and end rows are left out
    // when empty, without alerts.
    c.procCTe.nProt = "  ";
    c.ide.cMunIni = 0;
    c.ide.xMunIni.clear();
    c.ide.UFIni.clear();
    c.ide.tpServ = tsNormal;
    const std::string semProt = Gerar(c);
    EXPECT_EQ(semProt.rfind("<CTeOS ", 0), 0u);
    EXPECT_LACKS(semProt, "protCTe");
    EXPECT_LACKS(semProt, "cMunIni");
    EXPECT_LACKS(semProt, "infTribFed");
    EXPECT_TRUE(ok) << alertas;
}

// Which rows each layout version writes, for both models.
TEST_F(CTeWriter, VersionAndModelGate)
{
    struct Caso {
        double versao;
        int modelo;
        const char *versaoAttr;
        bool forPag, toma03, dhEmi25, indIEToma57, indIEToma67, refCTE;
    };
    const Caso casos[] = {
        {1.04, 57, "1.04", false, true, false, false, false, true},
        {2.00, 57, "2.00", true, true, false, false, false, true},
        {3.00, 57, "3.00", false, false, true, true, false, false},
        {4.00, 57, "4.00", false, false, true, true, false, false},
        {1.04, 67, "1.04", false, false, false, false, false, true},
        {2.00, 67, "2.00", true, false, false, false, false, true},
        {3.00, 67, "3.00", false, false, true, false, true, false},
        {4.00, 67, "4.00", false, false, true, false, true, false},
    };
    for (const Caso &k : casos) {
        SCOPED_TRACE(std::to_string(k.versao) + " / " + std::to_string(k.modelo));
        TCTe c;
        Rodoviario(c);
        c.infCTe.versao = k.versao;
        c.ide.modelo = k.modelo;
        c.ide.refCTe = "35261211222333000181570010000001231123456788";
        c.ide.indGlobalizado = dfe::tiSim;
        TCTeW w(c);
        w.GerarXml();
        const std::string xml = w.Gerador().ArquivoFormatoXML();
        EXPECT_EQ(w.VersaoDF(), k.versao == 3.0 ? ve300 : ve200);
        EXPECT_HAS(xml, std::string("<infCte versao=\"") + k.versaoAttr + "\"");
        EXPECT_EQ(xml.find("<forPag>0</forPag>") != std::string::npos, k.forPag);
        EXPECT_EQ(xml.find("<toma03><toma>0</toma></toma03>") != std::string::npos, k.toma03);
        EXPECT_EQ(xml.find("<toma3><toma>0</toma></toma3>") != std::string::npos,
                  k.modelo == 57 && k.versao >= 3.0);
        EXPECT_EQ(xml.find("<dhEmi>2026-12-01T09:05:07-03:00</dhEmi>") != std::string::npos,
                  k.dhEmi25);
        EXPECT_EQ(xml.find("<dhEmi>2026-12-01T09:05:07</dhEmi>") != std::string::npos, !k.dhEmi25);
        EXPECT_EQ(xml.find("</retira><indIEToma>") != std::string::npos, k.indIEToma57);
        EXPECT_EQ(xml.find("</tpServ><indIEToma>") != std::string::npos, k.indIEToma67);
        EXPECT_EQ(xml.find("<refCTE>") != std::string::npos, k.refCTE);
        EXPECT_EQ(xml.find("<indGlobalizado>1</indGlobalizado>") != std::string::npos,
                  k.modelo == 57 && k.versao >= 3.0);
        EXPECT_EQ(xml.find("<CTeOS xmlns") != std::string::npos, k.modelo == 67);
    }
}

TEST_F(CTeWriter, IdentificationAlertsAndContingency)
{
    TCTe c;
    Rodoviario(c);
    c.ide.cMunIni = 0;
    c.ide.UFFim = "XX";
    c.ide.tpEmis = dfe::teFSDA;
    c.ide.dhCont = EncodeDateTime(2026, 12, 1, 8, 0, 0, 0);
    c.ide.xJust = "SISTEMA FORA DO AR";
    c.procCTe.nProt.clear();
    const std::string xml = Gerar(c);
    EXPECT_FALSE(ok);
    EXPECT_HAS(xml, "<cMunIni>0000000</cMunIni>");
    EXPECT_HAS(xml, "<dhCont>2026-12-01T08:00:00-03:00</dhCont>"
                    "<xJust>SISTEMA FORA DO AR</xJust></ide>");
    EXPECT_EQ(alertas,
              "TAG:<ide> ID:#027/cMunIni(Código do Município onde o CT-e está sendo emitido) - "
              "Conteúdo inválido.\r\n"
              "TAG:<ide> ID:#032/UFFim(Sigla da UF) - Conteúdo inválido.\r\n");
}

TEST_F(CTeWriter, SupplementSignatureAndEscapedProtocol)
{
    TCTe c;
    Rodoviario(c);
    c.infCTeSupl.qrCodCTe = std::string(30, 'q');
    c.procCTe.xMotivo = "A & B <C>";
    c.procCTe.Id = "ID1";
    c.procCTe.cMsg = 12;
    c.signature.DigestValue = "d";
    c.signature.SignatureValue = "s";
    c.signature.X509Certificate = "x";
    const std::string xml = Gerar(c);
    EXPECT_HAS(xml, "<infCTeSupl><qrCodCTe><![CDATA[" + std::string(30, 'q') +
                        "]]></qrCodCTe></infCTeSupl>");
    EXPECT_HAS(alertas, "ID:#196/qrCodCTe(Texto com o QR-Code impresso no DACTE) - Tamanho "
                        "menor que o mínimo permitido");
    EXPECT_EQ(c.signature.URI, "#CTe35261211222333000181570010000001231123456788");
    EXPECT_HAS(xml, "</infCTeSupl><Signature");
    EXPECT_HAS(xml, "<infProt Id=\"ID1\">");
    EXPECT_HAS(xml, "<xMotivo>A &amp; B &lt;C&gt;</xMotivo></infProt>"
                    "<infFisco><cMsg>12</cMsg><xMsg></xMsg></infFisco></protCTe>");

    // A digest of blanks only is no signature: the block is left out and the URI kept.
    c.signature.DigestValue = "   ";
    c.signature.URI = "#antiga";
    EXPECT_LACKS(Gerar(c), "<Signature");
    EXPECT_EQ(c.signature.URI, "#antiga");
}

// ---- complement and parties

TEST_F(CTeWriter, ComplementGroups)
{
    TCTe c;
    Rodoviario(c);
    // A fresh model's delivery kinds are "no date" and "no time", which are informed.
    EXPECT_HAS(Gerar(c), "<compl><Entrega><semData><tpPer>0</tpPer></semData>"
                         "<semHora><tpHor>0</tpHor></semHora></Entrega></compl>");
    c.Compl.Entrega.TipoData = tdNaoInformado;
    c.Compl.Entrega.TipoHora = thNaoInformado;
    EXPECT_LACKS(Gerar(c), "<compl>");

    c.Compl.xObs = "OBS";
    EXPECT_HAS(Gerar(c), "<compl><xObs>OBS</xObs></compl>");
    // Entrega needs both kinds informed.
    c.Compl.Entrega.TipoData = tdNaData;
    EXPECT_HAS(Gerar(c), "<compl><xObs>OBS</xObs></compl>");

    c.Compl.Entrega.TipoData = tdNaData;
    c.Compl.Entrega.comData.tpPer = tdNaData;
    c.Compl.Entrega.comData.dProg = EncodeDate(2026, 12, 5);
    c.Compl.Entrega.TipoHora = thNoIntervalo;
    c.Compl.Entrega.noInter.tpHor = thNoIntervalo;
    c.Compl.Entrega.noInter.hIni = EncodeDateTime(1899, 12, 30, 8, 0, 0, 0);
    c.Compl.Entrega.noInter.hFim = EncodeDateTime(1899, 12, 30, 18, 30, 0, 0);
    c.Compl.fluxo.xOrig = "SAO";
    c.Compl.fluxo.pass.Add().xPass = "CWB";
    for (int i = 0; i < 11; ++i) {
        auto &o = c.Compl.ObsCont.Add();
        o.xCampo = i == 0 ? "a\"b&c" : "campo";
        o.xTexto = "texto";
    }
    const std::string xml = Gerar(c);
    EXPECT_HAS(xml, "<compl><fluxo><xOrig>SAO</xOrig><pass><xPass>CWB</xPass></pass></fluxo>"
                    "<Entrega><comData><tpPer>1</tpPer><dProg>2026-12-05</dProg></comData>"
                    "<noInter><tpHor>4</tpHor><hIni>08:00:00</hIni><hFim>18:30:00</hFim></noInter>"
                    "</Entrega><xObs>OBS</xObs>"
                    "<ObsCont xCampo=\"a&quot;b&amp;c\"><xTexto>texto</xTexto></ObsCont>");
    // The envelope carries attributes, so it stays in the alert path.
    EXPECT_EQ(alertas, "TAG:<cteProc versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/cte\">"
                       "<compl> ID:#091/ObsCont(Observações de interesse do contribuite) - "
                       "Número de ocorrências maior que o máximo permitido - Máximo 10.\r\n");

    // A CT-e OS ignores the delivery forecast and the calculation municipalities.
    TCTe os;
    OS(os);
    os.Compl.origCalc = "X";
    EXPECT_LACKS(Gerar(os), "<compl>");
}

TEST_F(CTeWriter, PartiesAndWriteBacks)
{
    TCTe c;
    Rodoviario(c);
    c.rem.IE = " ISENTO ";
    c.rem.enderReme.cPais = 0;
    c.exped.xNome = "EXPEDIDOR";
    c.exped.IE = "isento";
    Endereco(c.exped.enderExped);
    c.receb.CNPJCPF = "";
    c.receb.xNome = "RECEBEDOR";
    c.receb.IE = "12.345";
    Endereco(c.receb.enderReceb);
    c.dest.enderDest.cPais = 249;
    c.dest.enderDest.xPais = "FRANCA";
    c.ide.toma4.IE = "123";
    const std::string xml = Gerar(c);
    EXPECT_HAS(xml, "<rem><CNPJ>11222333000181</CNPJ><IE>ISENTO</IE><xNome>REMETENTE</xNome>"
                    "<enderReme><xLgr>RUA DAS FLORES</xLgr><nro>100</nro><xBairro>CENTRO</xBairro>"
                    "<cMun>3550308</cMun><xMun>SAO PAULO</xMun><CEP>01001000</CEP><UF>SP</UF>"
                    "<cPais>1058</cPais></enderReme></rem>");
    EXPECT_EQ(c.rem.enderReme.cPais, 1058);
    EXPECT_HAS(xml, "<exped><CNPJ>00000000000000</CNPJ><xNome>EXPEDIDOR</xNome>");
    EXPECT_HAS(xml, "<receb><CNPJ>00000000000000</CNPJ><IE>12345</IE>");
    EXPECT_HAS(xml, "<dest><CNPJ>00000000000000</CNPJ><xNome>DESTINATARIO</xNome>"
                    "<enderDest><xLgr>RUA DAS FLORES</xLgr><nro>100</nro><xBairro>CENTRO</xBairro>"
                    "<cMun>9999999</cMun><xMun>EXTERIOR</xMun><CEP>01001000</CEP><UF>EX</UF>"
                    "<cPais>0249</cPais><xPais>FRANCA</xPais></enderDest></dest>");
    // A taker with a registration and no name gets both taker groups.
    EXPECT_HAS(xml, "<toma3><toma>0</toma></toma3><toma4><toma>0</toma><CNPJ>00000000000000</CNPJ>"
                    "<IE>123</IE><xNome/>");

    // The CPF is written as its digits; the test environment replaces the cargo parties'
    // names only.
    TCTe h;
    Rodoviario(h);
    h.ide.tpAmb = dfe::taHomologacao;
    const std::string hx = Gerar(h);
    EXPECT_HAS(hx, "<dest><CPF>11144477735</CPF><xNome>CT-E EMITIDO EM AMBIENTE DE HOMOLOGACAO - "
                   "SEM VALOR FISCAL</xNome>");
    EXPECT_HAS(hx, "<emit><CNPJ>11222333000181</CNPJ><IE>111222333444</IE>"
                   "<xNome>TRANSPORTES EXEMPLO LTDA</xNome>");
}

// ---- values and taxes

TEST_F(CTeWriter, ValuesAndIcmsForms)
{
    TCTe c;
    Rodoviario(c);
    c.vPrest.Comp.Add() = {"FRETE", rtl::Currency(100)};
    c.vPrest.Comp.Add() = {"PEDAGIO", rtl::Currency(0)};
    c.vPrest.Comp.Add() = {"  ", rtl::Currency(5)};
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, "<vPrest><vTPrest>150.50</vTPrest><vRec>150.50</vRec>"
                    "<Comp><xNome>FRETE</xNome><vComp>100.00</vComp></Comp></vPrest>"
                    "<imp><ICMS><ICMS00><CST>00</CST><vBC>150.50</vBC><pICMS>12.00</pICMS>"
                    "<vICMS>18.06</vICMS></ICMS00></ICMS></imp>");

    struct Caso {
        dfe::TpcnCSTIcms situ;
        double versao;
        const char *icms;
    };
    const Caso casos[] = {
        {dfe::cst41, 3.0, "<ICMS><ICMS45><CST>41</CST></ICMS45></ICMS>"},
        {dfe::cst10, 3.0, "<ICMS></ICMS>"},
        {dfe::cstICMSSN, 2.0, "<ICMS><ICMSSN><indSN>1</indSN></ICMSSN></ICMS>"},
        {dfe::cstICMSSN, 3.0, "<ICMS><ICMSSN><CST>90</CST><indSN>1</indSN></ICMSSN></ICMS>"},
        {dfe::cst90, 3.0,
         "<ICMS><ICMS90><CST>90</CST><vBC>0.00</vBC><pICMS>0.00</pICMS><vICMS>0.00</vICMS>"
         "</ICMS90></ICMS>"},
    };
    for (const Caso &k : casos) {
        TCTe d;
        Rodoviario(d);
        d.infCTe.versao = k.versao;
        d.imp.ICMS.SituTrib = k.situ;
        d.imp.ICMS.ICMS45.CST = dfe::cst41;
        d.imp.ICMS.ICMS90.CST = dfe::cst90;
        d.imp.ICMS.ICMSSN.indSN = 1;
        EXPECT_HAS(Gerar(d), k.icms);
    }

    c.imp.ICMSUFFim.pICMSInter = rtl::Currency(12);
    EXPECT_LACKS(Gerar(c), "ICMSUFFim");
    c.imp.ICMSUFFim.vICMSUFIni = rtl::Currency(-1);
    EXPECT_HAS(Gerar(c), "<ICMSUFFim><vBCUFFim>0.00</vBCUFFim><pFCPUFFim>0.00</pFCPUFFim>"
                         "<pICMSUFFim>0.00</pICMSUFFim><pICMSInter>12.00</pICMSInter>"
                         "<vFCPUFFim>0.00</vFCPUFFim><vICMSUFFim>0.00</vICMSUFFim>"
                         "<vICMSUFIni>-1.00</vICMSUFIni></ICMSUFFim></imp>");
}

TEST_F(CTeWriter, FederalTaxesOfTheCTeOS)
{
    TCTe c;
    OS(c);
    c.ide.tpServ = tsNormal;
    c.imp.infTribFed.vPIS = rtl::Currency(-1);
    EXPECT_LACKS(Gerar(c), "infTribFed");
    c.imp.infTribFed.vCOFINS = rtl::Currency(2);
    EXPECT_HAS(Gerar(c), "<infTribFed><vPIS>-1.00</vPIS><vCOFINS>2.00</vCOFINS></infTribFed>");
    // A road CT-e never writes them.
    TCTe r;
    Rodoviario(r);
    r.imp.infTribFed.vCOFINS = rtl::Currency(2);
    EXPECT_LACKS(Gerar(r), "infTribFed");
}

} // namespace
