#include "mdfe/writer.h"

#include "dfe/accesskey.h"
#include "dfe/timezone.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using namespace mdfe;

constexpr std::string_view kChave = "35260311222333000181580010000001231123456707";
constexpr std::string_view kChaveNFe = "35260311222333000181550010000004561876543212";

// A valid road manifest of layout 3.00 issued by a company carrying its own cargo.
TMDFe ManifestoRodoviario()
{
    TMDFe m;
    m.infMDFe.versao = 3.0;
    TIde &ide = m.Ide;
    ide.cUF = 35;
    ide.tpAmb = dfe::taHomologacao;
    ide.tpEmit = teTranspCargaPropria;
    ide.modelo = "58";
    ide.serie = 1;
    ide.nMDF = 123;
    ide.cMDF = 12345670;
    ide.modal = moRodoviario;
    ide.dhEmi = rtl::EncodeDateTime(2026, 3, 15, 8, 30, 5, 0);
    ide.tpEmis = dfe::teNormal;
    ide.verProc = "Viewer 1.0";
    ide.UFIni = "SP";
    ide.UFFim = "RJ";
    auto &carrega = ide.infMunCarrega.New();
    carrega.cMunCarrega = 3550308;
    carrega.xMunCarrega = "Sao Paulo";

    m.emit.CNPJCPF = "11.222.333/0001-81";
    m.emit.IE = "110.042.490.114";
    m.emit.xNome = "Transportes Exemplo Ltda";
    TenderEmit &e = m.emit.enderEmit;
    e.xLgr = "Rua das Flores";
    e.nro = "100";
    e.xBairro = "Centro";
    e.cMun = 3550308;
    e.xMun = "Sao Paulo";
    e.CEP = 1001000;
    e.UF = "SP";

    m.rodo.infANTT.RNTRC = "12345678";
    TveicTracao &v = m.rodo.veicTracao;
    v.placa = "ABC1D23";
    v.tara = 8000;
    auto &cond = v.condutor.New();
    cond.xNome = "Joao da Silva";
    cond.CPF = "11144477735";
    v.tpRod = dfe::trTruck;
    v.tpCar = dfe::tcFechada;
    v.UF = "SP";

    auto &desc = m.infDoc.infMunDescarga.New();
    desc.cMunDescarga = 3304557;
    desc.xMunDescarga = "Rio de Janeiro";
    desc.infNFe.New().chNFe = std::string(kChaveNFe);

    auto &seg = m.seg.New();
    seg.xSeg = "Seguradora Exemplo";
    seg.CNPJ = "11222333000181";
    seg.nApol = "AP123";
    seg.aver.New().nAver = "AV1";

    m.prodPred.tpCarga = tcCargaGeral;
    m.prodPred.xProd = "Caixas de papelao";
    m.prodPred.NCM = "48191000";

    m.tot.qNFe = 1;
    m.tot.vCarga = 1500;
    m.tot.cUnid = dfe::uKG;
    m.tot.qCarga = 250.5;

    m.infRespTec.CNPJ = "11222333000181";
    m.infRespTec.xContato = "Maria Souza";
    m.infRespTec.email = "maria@exemplo.com";
    m.infRespTec.fone = "1133334444";
    return m;
}

std::string ErroDeXml(const std::string &xml)
{
    QXmlStreamReader leitor(QByteArray::fromStdString(xml));
    while (!leitor.atEnd())
        leitor.readNext();
    return leitor.hasError() ? leitor.errorString().toStdString() : std::string();
}

class MDFeWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
        formato = rtl::FormatSettings();
    }
    void TearDown() override
    {
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzSistema);
        rtl::FormatSettings() = formato;
    }

    // Writes the model; returns the XML and keeps the alerts in `alertas`.
    std::string Gerar(TMDFe &m, bool *resultado = nullptr)
    {
        TMDFeW w(m);
        const bool ok = w.GerarXml();
        if (resultado)
            *resultado = ok;
        alertas = w.Gerador().ListaDeAlertas().Text();
        return w.Gerador().ArquivoFormatoXML();
    }

    int ContarAlertas(std::string_view trecho) const
    {
        int n = 0;
        for (std::size_t p = alertas.find(trecho); p != std::string::npos;
             p = alertas.find(trecho, p + 1))
            ++n;
        return n;
    }

    std::string alertas;
    rtl::TFormatSettings formato;
};

int Ocorrencias(const std::string &xml, std::string_view trecho)
{
    int n = 0;
    for (std::size_t p = xml.find(trecho); p != std::string::npos; p = xml.find(trecho, p + 1))
        ++n;
    return n;
}

// ---- frame, identification and issuer ---------------------------------------------------

TEST_F(MDFeWriter, ValidManifestHasNoAlertsItsOwnKeyAndWellFormedXml)
{
    TMDFe m = ManifestoRodoviario();
    bool ok = false;
    const std::string xml = Gerar(m, &ok);
    EXPECT_TRUE(ok) << alertas;
    EXPECT_EQ(alertas, "");
    EXPECT_EQ(ErroDeXml(xml), "");

    EXPECT_EQ(m.infMDFe.Id, "MDFe" + std::string(kChave));
    EXPECT_EQ(m.Ide.cDV, 7);
    EXPECT_EQ(m.Ide.cMDF, 12345670);

    EXPECT_EQ(xml.rfind("<MDFe xmlns=\"http://www.portalfiscal.inf.br/mdfe\"><infMDFe versao=\"3.00\" "
                        "Id=\"MDFe" + std::string(kChave) + "\"><ide><cUF>35</cUF><tpAmb>2</tpAmb>"
                        "<tpEmit>2</tpEmit><mod>58</mod><serie>1</serie><nMDF>123</nMDF>"
                        "<cMDF>12345670</cMDF><cDV>7</cDV><modal>1</modal>"
                        "<dhEmi>2026-03-15T08:30:05-03:00</dhEmi><tpEmis>1</tpEmis>"
                        "<procEmi>0</procEmi><verProc>Viewer 1.0</verProc><UFIni>SP</UFIni>"
                        "<UFFim>RJ</UFFim><infMunCarrega><cMunCarrega>3550308</cMunCarrega>"
                        "<xMunCarrega>Sao Paulo</xMunCarrega></infMunCarrega></ide>"
                        "<emit><CNPJ>11222333000181</CNPJ><IE>110042490114</IE>"
                        "<xNome>Transportes Exemplo Ltda</xNome><enderEmit><xLgr>Rua das Flores</xLgr>"
                        "<nro>100</nro><xBairro>Centro</xBairro><cMun>3550308</cMun>"
                        "<xMun>Sao Paulo</xMun><CEP>01001000</CEP><UF>SP</UF></enderEmit></emit>"
                        "<infModal versaoModal=\"3.00\"><rodo><infANTT><RNTRC>12345678</RNTRC>"
                        "</infANTT><veicTracao><placa>ABC1D23</placa><tara>8000</tara><condutor>"
                        "<xNome>Joao da Silva</xNome><CPF>11144477735</CPF></condutor>"
                        "<tpRod>01</tpRod><tpCar>02</tpCar><UF>SP</UF></veicTracao></rodo></infModal>"
                        "<infDoc><infMunDescarga><cMunDescarga>3304557</cMunDescarga>"
                        "<xMunDescarga>Rio de Janeiro</xMunDescarga><infNFe><chNFe>" +
                        std::string(kChaveNFe) + "</chNFe></infNFe></infMunDescarga></infDoc>"
                        "<seg><infResp><respSeg>1</respSeg></infResp><infSeg>"
                        "<xSeg>Seguradora Exemplo</xSeg><CNPJ>11222333000181</CNPJ></infSeg>"
                        "<nApol>AP123</nApol><nAver>AV1</nAver></seg>"
                        "<prodPred><tpCarga>05</tpCarga><xProd>Caixas de papelao</xProd>"
                        "<NCM>48191000</NCM></prodPred><tot><qNFe>1</qNFe><vCarga>1500.00</vCarga>"
                        "<cUnid>01</cUnid><qCarga>250.5000</qCarga></tot><infRespTec>"
                        "<CNPJ>11222333000181</CNPJ><xContato>Maria Souza</xContato>"
                        "<email>maria@exemplo.com</email><fone>1133334444</fone></infRespTec>"
                        "</infMDFe></MDFe>",
                        0),
              0u)
        << xml;
    EXPECT_EQ(xml.size(), xml.find("</MDFe>") + 7);
}

TEST_F(MDFeWriter, RepeatedGenerationKeepsTheKeyAndAZeroCodeReadFromTheFileKeepsItsOwnKey)
{
    TMDFe m = ManifestoRodoviario();
    const std::string primeiro = Gerar(m);
    EXPECT_EQ(Gerar(m), primeiro);

    // The reader keeps a zero code as -2, which the key writes as zeros.
    m.Ide.cMDF = -2;
    const std::string xml = Gerar(m);
    EXPECT_EQ(m.infMDFe.Id, "MDFe35260311222333000181580010000001231000000004");
    EXPECT_EQ(m.Ide.cDV, 4);
    EXPECT_EQ(m.Ide.cMDF, -2);
    EXPECT_NE(xml.find("<cMDF>00000000</cMDF><cDV>4</cDV>"), std::string::npos);
    Gerar(m);
    EXPECT_EQ(m.infMDFe.Id, "MDFe35260311222333000181580010000001231000000004");

    // A code of 0 set by a program draws one and keeps it afterwards.
    m.Ide.cMDF = 0;
    Gerar(m);
    const std::string sorteada = m.infMDFe.Id;
    EXPECT_NE(m.Ide.cMDF, 0);
    Gerar(m);
    EXPECT_EQ(m.infMDFe.Id, sorteada);
}

TEST_F(MDFeWriter, NonNumericModelRaisesTheConversionErrorAndWritesNothing)
{
    for (const char *modelo : {"", "5x"}) {
        TMDFe m = ManifestoRodoviario();
        m.Ide.modelo = modelo;
        TMDFeW w(m);
        try {
            w.GerarXml();
            ADD_FAILURE() << "no error for '" << modelo << "'";
        } catch (const rtl::EConvertError &e) {
            EXPECT_NE(e.Message().find(std::string("'") + modelo + "'"), std::string::npos)
                << e.Message();
        }
        EXPECT_EQ(w.Gerador().ArquivoFormatoXML(), "");
        EXPECT_EQ(m.infMDFe.Id, "");
    }
}

// The layout follows the version number: exactly 3.0 is layout 3.00, anything else 1.00
// with its own attribute, and a few fields follow the number rather than the layout.
TEST_F(MDFeWriter, VersionGates)
{
    struct Caso {
        double versao;
        const char *atributo;
        bool layout300;
        bool versao3;
    };
    const Caso casos[] = {
        {1.0, "versao=\"1.00\"", false, false}, {3.0, "versao=\"3.00\"", true, true},
        {3.1, "versao=\"3.10\"", false, true},  {2.0, "versao=\"2.00\"", false, false},
        {0, "versao=\"1.00\"", false, false},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.atributo);
        TMDFe m = ManifestoRodoviario();
        m.infMDFe.versao = c.versao;
        m.Ide.tpTransp = ttTAC;
        m.Ide.indCanalVerde = dfe::tiSim;
        m.Ide.indCarregaPosterior = dfe::tiSim;
        m.Ide.dhIniViagem = rtl::EncodeDateTime(2026, 3, 16, 6, 0, 0, 0);
        m.rodo.RNTRC = "87654321";
        m.rodo.lacRodo.New().nLacre = "L1";
        const std::string xml = Gerar(m);
        EXPECT_EQ(ErroDeXml(xml), "");
        EXPECT_NE(xml.find(std::string("<infMDFe ") + c.atributo), std::string::npos);
        EXPECT_NE(xml.find(std::string("<infModal versaoModal=\"") +
                           (c.layout300 ? "3.00" : "1.00") + "\">"),
                  std::string::npos);
        const bool comFuso = xml.find("<dhEmi>2026-03-15T08:30:05-03:00</dhEmi>") != std::string::npos;
        const bool semFuso = xml.find("<dhEmi>2026-03-15T08:30:05</dhEmi>") != std::string::npos;
        EXPECT_EQ(comFuso, c.layout300);
        EXPECT_EQ(semFuso, !c.layout300);
        EXPECT_EQ(xml.find(c.layout300 ? "<dhIniViagem>2026-03-16T06:00:00-03:00</dhIniViagem>"
                                       : "<dhIniViagem>2026-03-16T06:00:00</dhIniViagem>") !=
                      std::string::npos,
                  true);
        EXPECT_EQ(xml.find("<tpTransp>2</tpTransp>") != std::string::npos, c.layout300);
        for (const char *grupo : {"<seg>", "<prodPred>", "<infRespTec>", "<infANTT>", "<lacRodo>"})
            EXPECT_EQ(xml.find(grupo) != std::string::npos, c.layout300) << grupo;
        EXPECT_EQ(xml.find("<rodo><RNTRC>87654321</RNTRC>") != std::string::npos, !c.layout300);
        EXPECT_EQ(xml.find("<indCanalVerde>1</indCanalVerde><indCarregaPosterior>1"
                           "</indCarregaPosterior></ide>") != std::string::npos,
                  c.versao3);
    }
}

TEST_F(MDFeWriter, ProtocolEnvelopeIsEscapedAndUsesColonsWhateverTheLocale)
{
    rtl::FormatSettings().TimeSeparator = ".";
    TMDFe m = ManifestoRodoviario();
    TProcMDFe &p = m.procMDFe;
    p.tpAmb = dfe::taHomologacao;
    p.verAplic = "SVRS<1>";
    p.chMDFe = "35260311222333000181580010000001231999999990";
    p.dhRecbto = rtl::EncodeDateTime(2026, 3, 15, 9, 1, 2, 0);
    p.nProt = "935260000000001";
    p.digVal = "abc=";
    p.cStat = 100;
    p.xMotivo = "Autorizado o uso do MDF-e & <ok>";
    const std::string xml = Gerar(m);
    EXPECT_EQ(ErroDeXml(xml), "");
    EXPECT_EQ(xml.rfind("<mdfeProc versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/mdfe\">"
                        "<MDFe xmlns=",
                        0),
              0u);
    EXPECT_NE(xml.find("</MDFe><protMDFe versao=\"3.00\"><infProt><tpAmb>2</tpAmb>"
                       "<verAplic>SVRS&lt;1&gt;</verAplic>"
                       "<chMDFe>35260311222333000181580010000001231999999990</chMDFe>"
                       "<dhRecbto>2026-03-15T09:01:02</dhRecbto><nProt>935260000000001</nProt>"
                       "<digVal>abc=</digVal><cStat>100</cStat>"
                       "<xMotivo>Autorizado o uso do MDF-e &amp; &lt;ok&gt;</xMotivo></infProt>"
                       "</protMDFe></mdfeProc>"),
              std::string::npos)
        << xml;

    // A message with code 0 but a text still has its group.
    p.xMsg = "Aviso: A & B";
    EXPECT_NE(Gerar(m).find("</infProt><infFisco><cMsg>0</cMsg><xMsg>Aviso: A &amp; B</xMsg>"
                            "</infFisco></protMDFe>"),
              std::string::npos);
}

TEST_F(MDFeWriter, SignatureIsWrittenOnlyWhenCompleteAndSetsItsReference)
{
    TMDFe m = ManifestoRodoviario();
    m.signature.URI = "#antes";
    m.signature.DigestValue = "digest";
    m.signature.SignatureValue = "valor";
    std::string xml = Gerar(m);
    EXPECT_EQ(xml.find("<Signature"), std::string::npos);
    EXPECT_EQ(m.signature.URI, "#antes");

    m.signature.X509Certificate = "certificado";
    xml = Gerar(m);
    EXPECT_NE(xml.find("<Signature"), std::string::npos);
    EXPECT_EQ(m.signature.URI, "#MDFe" + std::string(kChave));
    EXPECT_LT(xml.find("</infMDFe>"), xml.find("<Signature"));
    EXPECT_EQ(ErroDeXml(xml), "");
}

TEST_F(MDFeWriter, QrTextLimitsCountTheCdataMarkers)
{
    TMDFe m = ManifestoRodoviario();
    m.infMDFeSupl.qrCodMDFe = "https://x/q?chMDFe=1&tpAmb=2" + std::string(9, 'a'); // 37
    std::string xml = Gerar(m);
    EXPECT_NE(xml.find("</infMDFe><infMDFeSupl><qrCodMDFe><![CDATA[" + m.infMDFeSupl.qrCodMDFe +
                       "]]></qrCodMDFe></infMDFeSupl></MDFe>"),
              std::string::npos);
    EXPECT_EQ(ContarAlertas("Tamanho menor que o mínimo permitido"), 1) << alertas;
    EXPECT_EQ(ErroDeXml(xml), "");
    m.infMDFeSupl.qrCodMDFe += "b";
    Gerar(m);
    EXPECT_EQ(alertas, "");
}

TEST_F(MDFeWriter, IssuerAndIdentificationRuleAlerts)
{
    TMDFe m = ManifestoRodoviario();
    m.emit.IE = "ISENTO";
    m.Ide.UFFim = "XX";
    for (int i = 0; i < 50; ++i)
        m.Ide.infMunCarrega.New() = m.Ide.infMunCarrega[0];
    bool ok = true;
    const std::string xml = Gerar(m, &ok);
    EXPECT_FALSE(ok);
    EXPECT_NE(xml.find("<IE/>"), std::string::npos);
    EXPECT_EQ(ContarAlertas("#027/IE(Inscrição Estadual) - Nenhum valor informado"), 1) << alertas;
    EXPECT_EQ(ContarAlertas("#019/UFFim(Sigla da UF) - Conteúdo inválido"), 1) << alertas;
    EXPECT_EQ(Ocorrencias(xml, "<infMunCarrega>"), 51);
    EXPECT_EQ(ContarAlertas("#020/infMunCarrega() - Número de ocorrências maior que o máximo "
                            "permitido - Máximo 50"),
              1)
        << alertas;
}

// ---- modal groups --------------------------------------------------------------------------

TEST_F(MDFeWriter, RoadLayout100AndLayout300)
{
    TMDFe m = ManifestoRodoviario();
    m.rodo.RNTRC = "87654321";
    m.rodo.CIOT = "123456789012";
    auto &v1 = m.rodo.valePed.disp.New();
    v1.CNPJForn = "11222333000181";
    v1.CNPJPg = "11222333000181";
    v1.nCompra = "C1";
    v1.vValePed = 10;
    auto &reb = m.rodo.veicReboque.New();
    reb.placa = "XYZ9A87";
    reb.tara = 3000;
    reb.capKG = 20000;
    reb.tpCar = dfe::tcAberta;
    reb.UF = "SP";
    m.rodo.codAgPorto = "AG1";

    m.infMDFe.versao = 1.0;
    std::string xml = Gerar(m);
    EXPECT_NE(xml.find("<rodo><RNTRC>87654321</RNTRC><CIOT>123456789012</CIOT><veicTracao>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("</veicReboque><valePed><disp><CNPJForn>11222333000181</CNPJForn>"
                       "<CNPJPg>11222333000181</CNPJPg><nCompra>C1</nCompra></disp></valePed>"
                       "<codAgPorto>AG1</codAgPorto></rodo>"),
              std::string::npos)
        << xml;

    // In 3.00 the vouchers of the 1.00 list are not written at all.
    m.infMDFe.versao = 3.0;
    m.rodo.infANTT.RNTRC.clear();
    xml = Gerar(m);
    EXPECT_EQ(xml.find("<valePed>"), std::string::npos);
    EXPECT_EQ(xml.find("<infANTT>"), std::string::npos);

    // Payers by length: 14 CNPJPg, 11 CPFPg, 12 CPFPg with a length alert.
    m.rodo.infANTT.valePed.disp = m.rodo.valePed.disp;
    m.rodo.infANTT.valePed.disp.New() = v1;
    m.rodo.infANTT.valePed.disp.New() = v1;
    m.rodo.infANTT.valePed.disp[1].CNPJPg = "11144477735";
    m.rodo.infANTT.valePed.disp[2].CNPJPg = "111444777350";
    m.rodo.lacRodo.New().nLacre = "L1";
    xml = Gerar(m);
    EXPECT_NE(xml.find("<rodo><infANTT><valePed><disp><CNPJForn>11222333000181</CNPJForn>"
                       "<CNPJPg>11222333000181</CNPJPg><nCompra>C1</nCompra><vValePed>10.00"
                       "</vValePed></disp><disp><CNPJForn>11222333000181</CNPJForn>"
                       "<CPFPg>11144477735</CPFPg>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<CPFPg>111444777350</CPFPg>"), std::string::npos);
    EXPECT_EQ(ContarAlertas("#26/CPFPg"), 1) << alertas;
    EXPECT_NE(xml.find("<codAgPorto>AG1</codAgPorto><lacRodo><nLacre>L1</nLacre></lacRodo></rodo>"),
              std::string::npos);
    EXPECT_EQ(ErroDeXml(xml), "");
}

TEST_F(MDFeWriter, RoadOwnersContractorsPaymentsAndTrailerLimit)
{
    TMDFe m = ManifestoRodoviario();
    m.rodo.veicTracao.prop.IE = "123";
    auto &c1 = m.rodo.infANTT.infContratante.New();
    c1.xNome = "Cliente do Exterior";
    c1.idEstrangeiro = "AB123";
    m.rodo.infANTT.infContratante.New().xNome = "Cliente Nacional";
    auto &pag = m.rodo.infANTT.infPag.New();
    pag.CNPJCPF = "11222333000181";
    pag.vContrato = 100;
    pag.indPag = ipVista;
    pag.infPrazo.New().vParcela = 50;
    pag.infBanc.CNPJIPEF = "11222333000181";
    for (int i = 0; i < 4; ++i) {
        auto &r = m.rodo.veicReboque.New();
        r.placa = "XYZ9A87";
        r.tara = 3000;
        r.capKG = 20000;
        r.UF = "SP";
        r.prop.xNome = "Dono do Reboque";
    }
    std::string xml = Gerar(m);
    EXPECT_EQ(xml.find("<veicTracao><placa>ABC1D23</placa><tara>8000</tara><prop>"),
              std::string::npos);
    EXPECT_NE(xml.find("<infContratante><xNome>Cliente do Exterior</xNome><idEstrangeiro>AB123"
                       "</idEstrangeiro></infContratante><infContratante><xNome>Cliente Nacional"
                       "</xNome><CNPJ>00000000000000</CNPJ></infContratante>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<infPag><CNPJ>11222333000181</CNPJ><vContrato>100.00</vContrato>"
                       "<indPag>0</indPag><infBanc><CNPJIPEF>11222333000181</CNPJIPEF></infBanc>"
                       "</infPag>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<prop><CNPJ>00000000000000</CNPJ><RNTRC/><xNome>Dono do Reboque"
                       "</xNome><IE/><UF/><tpProp>0</tpProp></prop>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(Ocorrencias(xml, "<veicReboque>"), 4);
    EXPECT_EQ(ContarAlertas("#15/veicReboque() - Número de ocorrências maior que o máximo "
                            "permitido - Máximo 3"),
              1)
        << alertas;
    // The limit alert comes after the items' own alerts.
    EXPECT_GT(alertas.find("Máximo 3"), alertas.rfind("#36/UF"));

    m.rodo.infANTT.infPag[0].indPag = ipPrazo;
    EXPECT_NE(Gerar(m).find("<indPag>1</indPag><infPrazo><vParcela>50.00</vParcela></infPrazo>"
                            "<infBanc>"),
              std::string::npos);
}

TEST_F(MDFeWriter, AirWaterwayAndRailGroups)
{
    TMDFe m = ManifestoRodoviario();
    m.Ide.modal = moAereo;
    m.aereo.nac = 12;
    m.aereo.matr = 3456;
    m.aereo.nVoo = "AB1234";
    m.aereo.cAerEmb = "GRU";
    m.aereo.cAerDes = "GIG";
    m.aereo.dVoo = rtl::EncodeDate(2026, 3, 16);
    std::string xml = Gerar(m);
    EXPECT_NE(xml.find("<infModal versaoModal=\"3.00\"><aereo><nac>12</nac><matr>3456</matr>"
                       "<nVoo>AB1234</nVoo><cAerEmb>GRU</cAerEmb><cAerDes>GIG</cAerDes>"
                       "<dVoo>2026-03-16</dVoo></aereo></infModal>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(xml.find("<rodo>"), std::string::npos);

    m.Ide.modal = moAquaviario;
    m.aquav.CNPJAgeNav = "11222333000181";
    m.aquav.irin = "IRIN1";
    m.aquav.tpEmb = "01";
    m.aquav.cEmbar = "E1";
    m.aquav.xEmbar = "Navio";
    m.aquav.nViagem = "V1";
    m.aquav.cPrtEmb = "BRSSZ";
    m.aquav.cPrtDest = "BRRIO";
    m.aquav.tpNav = dfe::tnCabotagem;
    m.aquav.infUnidTranspVazia.New().idUnidTranspVazia = "T1";
    for (int i = 0; i < 6; ++i)
        m.aquav.infTermCarreg.New() = {"T" + std::to_string(i), "Terminal"};
    xml = Gerar(m);
    EXPECT_NE(xml.find("<aquav><irin>IRIN1</irin><tpEmb>01</tpEmb><cEmbar>E1</cEmbar><xEmbar>Navio"
                       "</xEmbar><nViag>V1</nViag><cPrtEmb>BRSSZ</cPrtEmb><cPrtDest>BRRIO</cPrtDest>"
                       "<tpNav>1</tpNav><infTermCarreg>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(Ocorrencias(xml, "<infTermCarreg>"), 6);
    EXPECT_EQ(ContarAlertas("#12/infTermCarreg() - Número de ocorrências maior que o máximo "
                            "permitido - Máximo 5"),
              1)
        << alertas;
    EXPECT_NE(xml.find("<infUnidTranspVazia><idUnidTranspVazia>T1</idUnidTranspVazia>"
                       "<tpUnidTranspVazia>1</tpUnidTranspVazia></infUnidTranspVazia></aquav>"),
              std::string::npos);

    // A 3.10 rail manifest: layout 1.00 for the date, version 3 for the wagon weights.
    m.Ide.modal = moFerroviario;
    m.infMDFe.versao = 3.1;
    m.ferrov.xPref = "P1";
    m.ferrov.dhTrem = rtl::EncodeDateTime(2026, 3, 16, 7, 0, 0, 0);
    m.ferrov.xOri = "SPO";
    m.ferrov.xDest = "RIO";
    m.ferrov.qVag = 1;
    auto &vag = m.ferrov.vag.New();
    vag.pesoBC = 10.5;
    vag.pesoR = 11;
    vag.tpVag = "ABC";
    vag.serie = "123";
    vag.nVag = 456;
    vag.TU = 9.25;
    xml = Gerar(m);
    EXPECT_NE(xml.find("<infModal versaoModal=\"1.00\"><ferrov><trem><xPref>P1</xPref>"
                       "<dhTrem>2026-03-16T07:00:00</dhTrem><xOri>SPO</xOri><xDest>RIO</xDest>"
                       "<qVag>1</qVag></trem><vag><pesoBC>10.500</pesoBC><pesoR>11.000</pesoR>"
                       "<tpVag>ABC</tpVag><serie>123</serie><nVag>456</nVag><TU>9.250</TU></vag>"
                       "</ferrov></infModal>"),
              std::string::npos)
        << xml;
}

// ---- documents and closing groups -----------------------------------------------------------

TEST_F(MDFeWriter, DocumentListsFollowTheIssuerTypeAndTheModal)
{
    TMDFe m = ManifestoRodoviario();
    auto &d = m.infDoc.infMunDescarga[0];
    auto &cte = d.infCTe.New();
    cte.chCTe = std::string(kChaveNFe.substr(0, 43)) + "9"; // wrong check digit
    cte.infEntregaParcial.qtdTotal = 5;
    auto &u = cte.infUnidTransp.New();
    u.idUnidTransp = "ABC1D23";
    u.lacUnidTransp.New().nLacre = "S1";
    u.infUnidCarga.New().idUnidCarga = "C1";
    d.infCTe.New(); // empty key: no key check
    d.infMDFeTransp.New().chMDFe = std::string(kChave);

    // Own cargo: NF-e keys only.
    std::string xml = Gerar(m);
    EXPECT_EQ(xml.find("<infCTe>"), std::string::npos);
    EXPECT_NE(xml.find("<infNFe>"), std::string::npos);
    EXPECT_EQ(xml.find("<infMDFeTransp>"), std::string::npos);

    // A carrier: CT-e keys only, with the key check on the one with digits.
    m.Ide.tpEmit = teTransportadora;
    xml = Gerar(m);
    EXPECT_EQ(xml.find("<infNFe>"), std::string::npos);
    EXPECT_NE(xml.find("<infCTe><chCTe>" + cte.chCTe + "</chCTe><infUnidTransp><tpUnidTransp>1"
                       "</tpUnidTransp><idUnidTransp>ABC1D23</idUnidTransp><lacUnidTransp>"
                       "<nLacre>S1</nLacre></lacUnidTransp><infUnidCarga><tpUnidCarga>1"
                       "</tpUnidCarga><idUnidCarga>C1</idUnidCarga></infUnidCarga></infUnidTransp>"
                       "</infCTe><infCTe><chCTe/></infCTe>"),
              std::string::npos)
        << xml;
    // One from the key check of the wrong key, one from the generator for the empty one,
    // which also lacks its required value.
    EXPECT_EQ(ContarAlertas("#049/chCTe(Chave de acesso do CT-e referenciado) - Conteúdo inválido"),
              2)
        << alertas;
    EXPECT_EQ(ContarAlertas("#049/chCTe(Chave de acesso do CT-e referenciado) - Nenhum valor"), 1);
    d.infCTe.Delete(1);
    Gerar(m);
    EXPECT_EQ(ContarAlertas("#049/chCTe(Chave de acesso do CT-e referenciado) - Conteúdo inválido"),
              1)
        << alertas;

    // Partial delivery only by air in layout 3.00; transported manifests only by water.
    m.Ide.modal = moAereo;
    EXPECT_NE(Gerar(m).find("</infUnidTransp><infEntregaParcial><qtdTotal>5.0000</qtdTotal>"
                            "<qtdParcial>0.0000</qtdParcial></infEntregaParcial></infCTe>"),
              std::string::npos);
    m.Ide.modal = moAquaviario;
    xml = Gerar(m);
    EXPECT_EQ(xml.find("<infEntregaParcial>"), std::string::npos);
    EXPECT_NE(xml.find("<infMDFeTransp><chMDFe>" + std::string(kChave) + "</chMDFe></infMDFeTransp>"
                       "</infMunDescarga>"),
              std::string::npos);
}

TEST_F(MDFeWriter, InsuranceProductSealsAuthorisedAndTechnicalResponsible)
{
    TMDFe m = ManifestoRodoviario();
    m.seg[0].respSeg = rsTomadorServico;
    m.seg[0].CNPJCPF = "11144477735";
    m.seg[0].CNPJ.clear(); // own cargo with a name only: no infSeg
    m.prodPred.infLocalCarrega.CEP = 1001000;
    m.lacres.New().nLacre = "LACRE & 1";
    for (int i = 0; i < 11; ++i)
        m.autXML.New().CNPJCPF = "11222333000181";
    m.infAdic.infCpl = "Linha 1\nLinha 2";
    m.infRespTec.idCSRT = 1;
    m.infRespTec.hashCSRT = "lido-do-arquivo";

    TMDFeW w(m);
    w.GerarXml();
    std::string xml = w.Gerador().ArquivoFormatoXML();
    alertas = w.Gerador().ListaDeAlertas().Text();
    EXPECT_NE(xml.find("<seg><infResp><respSeg>2</respSeg><CPF>11144477735</CPF></infResp>"
                       "<nApol>AP123</nApol>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("</NCM><infLotacao><infLocalCarrega><CEP>01001000</CEP></infLocalCarrega>"
                       "<infLocalDescarrega></infLocalDescarrega></infLotacao></prodPred>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("</tot><lacres><nLacre>LACRE &amp; 1</nLacre></lacres><autXML>"),
              std::string::npos);
    EXPECT_EQ(Ocorrencias(xml, "<autXML>"), 11);
    EXPECT_EQ(ContarAlertas("#140/autXML() - Número de ocorrências maior que o máximo permitido - "
                            "Máximo 10"),
              1)
        << alertas;
    EXPECT_NE(xml.find("<infAdic><infCpl>Linha 1;Linha 2</infCpl></infAdic>"), std::string::npos);
    EXPECT_EQ(xml.find("CSRT"), std::string::npos);
    EXPECT_EQ(ErroDeXml(xml), "");

    // The CSRT comes from the writer and is hashed with the new key.
    w.IdCSRT = 1;
    w.CSRT = "G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO";
    w.GerarXml();
    xml = w.Gerador().ArquivoFormatoXML();
    EXPECT_NE(xml.find("<fone>1133334444</fone><idCSRT>001</idCSRT><hashCSRT>" +
                       dfe::CalcularHashCSRT(w.CSRT, kChave) + "</hashCSRT></infRespTec>"),
              std::string::npos)
        << xml;

    // No product without its description.
    m.prodPred.xProd.clear();
    EXPECT_EQ(Gerar(m).find("<prodPred>"), std::string::npos);
}

TEST_F(MDFeWriter, EmptyRoadGroupIsWrittenWithItsRequiredElements)
{
    TMDFe m = ManifestoRodoviario();
    m.rodo = Trodo{};
    const std::string xml = Gerar(m);
    EXPECT_NE(xml.find("<rodo><veicTracao><placa/><tara>0</tara><tpRod>00</tpRod>"
                       "<tpCar>00</tpCar><UF/></veicTracao></rodo>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(ContarAlertas("Nenhum valor informado"), 2) << alertas;
}

} // namespace
