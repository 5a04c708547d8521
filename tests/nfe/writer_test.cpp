// The writer's frame: the access key it computes and writes back, the envelope, the
// protocol text, the QR supplement and the signature. Group contents are tested with
// their groups; here only what the frame decides is looked at.

#include "nfe/writer.h"

#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <string>

using nfe::TNFe;
using nfe::TNFeW;

namespace {

class ZonaFixa {
public:
    ZonaFixa()
    {
        FSalvo.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    ~ZonaFixa() { dfe::TimeZoneConf().Assign(FSalvo); }

private:
    dfe::TTimeZoneConf FSalvo;
};

TNFe Documento(double versao = 4.0)
{
    TNFe n;
    n.infNFe.Versao = versao;
    n.Ide.cUF = 35;
    n.Ide.dEmi = rtl::EncodeDateTime(2019, 1, 15, 10, 0, 0, 0);
    n.Ide.modelo = 55;
    n.Ide.serie = 1;
    n.Ide.nNF = 123;
    n.Ide.cNF = 12345678;
    n.Emit.CNPJCPF = "11222333000181";
    return n;
}

std::string Gerar(TNFe &n, TNFeW *writer = nullptr)
{
    TNFeW local(n);
    TNFeW &w = writer ? *writer : local;
    w.GerarXml();
    return w.Gerador().ArquivoFormatoXML();
}

bool Contem(const std::string &texto, const std::string &parte)
{
    return texto.find(parte) != std::string::npos;
}

} // namespace

TEST(NFeWriterFrame, TheKeyIsComputedAndWrittenBackIntoTheModel)
{
    ZonaFixa zona;
    TNFe n = Documento();
    TNFeW w(n);
    w.GerarXml();
    EXPECT_EQ(w.ChaveNFe(), "35190111222333000181550010000001231123456781");
    EXPECT_EQ(n.infNFe.ID, "NFe35190111222333000181550010000001231123456781");
    EXPECT_EQ(n.Ide.cDV, 1);
    EXPECT_EQ(n.Ide.cNF, 12345678);
    EXPECT_EQ(w.Versao(), "4.00");
    EXPECT_TRUE(w.Usar_tcDe4());
    EXPECT_TRUE(Contem(w.Gerador().ArquivoFormatoXML(),
                       "<infNFe versao=\"4.00\" Id=\"NFe35190111222333000181550010000001231123456781\">"));
    EXPECT_EQ(w.ObterNomeArquivo(), "35190111222333000181550010000001231123456781-nfe.xml");

    // A separate issuer (avulsa) is the key's CNPJ.
    TNFe avulsa = Documento();
    avulsa.Avulsa.CNPJ = "99888777000166";
    Gerar(avulsa);
    EXPECT_EQ(avulsa.infNFe.ID.substr(3 + 6, 14), "99888777000166");
}

TEST(NFeWriterFrame, TheNumericCodeStaysStableAcrossGenerations)
{
    ZonaFixa zona;
    struct Row {
        const char *name;
        int cNF;
        bool zeros;
    } rows[] = {
        {"a code never given draws one", 0, false},
        {"a code of -1 draws one", -1, false},
        {"a code read as zeros stays zeros", -2, true},
    };
    for (const Row &row : rows) {
        TNFe n = Documento();
        n.Ide.cNF = row.cNF;
        Gerar(n);
        const std::string primeira = n.infNFe.ID;
        const std::string codigo = primeira.substr(3 + 35, 8);
        if (row.zeros) {
            EXPECT_EQ(codigo, "00000000") << row.name;
            EXPECT_EQ(n.Ide.cNF, -2) << row.name;
        } else {
            EXPECT_NE(codigo, "00000000") << row.name;
            EXPECT_EQ(n.Ide.cNF, std::stoi(codigo)) << row.name;
        }
        Gerar(n);
        EXPECT_EQ(n.infNFe.ID, primeira) << row.name << ": a second generation keeps the key";
    }
}

TEST(NFeWriterFrame, TheEnvelopeFollowsTheProtocol)
{
    ZonaFixa zona;
    TNFe semProtocolo = Documento();
    const std::string bare = Gerar(semProtocolo);
    EXPECT_EQ(bare.rfind("<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe", 0), 0u) << bare;
    EXPECT_FALSE(Contem(bare, "protNFe"));
    EXPECT_EQ(bare.substr(bare.size() - 6), "</NFe>");

    TNFe n = Documento();
    n.procNFe.tpAmb = dfe::taHomologacao;
    n.procNFe.verAplic = "SP_NFE_PL_009";
    n.procNFe.chNFe = "35190111222333000181550010000001231123456781";
    n.procNFe.dhRecbto = rtl::EncodeDateTime(2019, 1, 15, 10, 5, 30, 0);
    n.procNFe.nProt = "135190000000001";
    n.procNFe.digVal = "abc=";
    n.procNFe.cStat = 100;
    n.procNFe.xMotivo = "Autorizado o uso <da> NF-e & \"cia\"";
    const std::string proc = Gerar(n);
    EXPECT_EQ(proc.rfind("<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
                         "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">",
                         0),
              0u);
    const std::string protocolo =
        "</NFe><protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SP_NFE_PL_009</verAplic>"
        "<chNFe>35190111222333000181550010000001231123456781</chNFe>"
        "<dhRecbto>2019-01-15T10:05:30-03:00</dhRecbto><nProt>135190000000001</nProt>"
        "<digVal>abc=</digVal><cStat>100</cStat>"
        "<xMotivo>Autorizado o uso &lt;da&gt; NF-e &amp; &quot;cia&quot;</xMotivo>"
        "</infProt></protNFe></nfeProc>";
    EXPECT_EQ(proc.substr(proc.size() - protocolo.size()), protocolo);
}

TEST(NFeWriterFrame, ProtocolMessageAndReceiptTime)
{
    ZonaFixa zona;
    struct Row {
        const char *name;
        double versao;
        int cMsg;
        std::string xMsg;
        std::string esperado; // from <dhRecbto> to </infProt>
        std::string fusoLido = {};
    } rows[] = {
        {"no message", 4.0, 0, "", "<dhRecbto>2019-01-15T10:05:30-03:00</dhRecbto><nProt>1</nProt><digVal></digVal>"
                                   "<cStat>100</cStat><xMotivo></xMotivo></infProt>"},
        {"a code without text writes both", 4.0, 5, "", "<dhRecbto>2019-01-15T10:05:30-03:00</dhRecbto><nProt>1</nProt>"
                                                        "<digVal></digVal><cStat>100</cStat><xMotivo></xMotivo>"
                                                        "<cMsg>5</cMsg><xMsg></xMsg></infProt>"},
        {"a text without code writes both", 3.1, 0, "Olá & até", "<dhRecbto>2019-01-15T10:05:30-03:00</dhRecbto><nProt>1</nProt>"
                                                                 "<digVal></digVal><cStat>100</cStat><xMotivo></xMotivo>"
                                                                 "<cMsg>0</cMsg><xMsg>Olá &amp; até</xMsg></infProt>"},
        {"no zone before 3.10", 2.0, 0, "", "<dhRecbto>2019-01-15T10:05:30</dhRecbto><nProt>1</nProt><digVal></digVal>"
                                            "<cStat>100</cStat><xMotivo></xMotivo></infProt>"},
        {"the zone it was read with", 4.0, 0, "", "<dhRecbto>2019-01-15T10:05:30-02:00</dhRecbto><nProt>1</nProt>"
                                                  "<digVal></digVal><cStat>100</cStat><xMotivo></xMotivo></infProt>",
         "-02:00"},
        {"a zone read with it is still none before 3.10", 3.0, 0, "",
         "<dhRecbto>2019-01-15T10:05:30</dhRecbto><nProt>1</nProt><digVal></digVal>"
         "<cStat>100</cStat><xMotivo></xMotivo></infProt>",
         "-02:00"},
    };
    // A locale whose time separator is not ':' must not change the protocol's time.
    rtl::TFormatSettings ponto = rtl::TFormatSettings::Brazil();
    ponto.TimeSeparator = ".";
    rtl::ScopedFormatSettings escopo(ponto);
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        n.procNFe.dhRecbto = rtl::EncodeDateTime(2019, 1, 15, 10, 5, 30, 0);
        n.procNFe.dhRecbtoFuso = row.fusoLido;
        n.procNFe.nProt = "1";
        n.procNFe.cStat = 100;
        n.procNFe.cMsg = row.cMsg;
        n.procNFe.xMsg = row.xMsg;
        const std::string xml = Gerar(n);
        const auto inicio = xml.find("<dhRecbto>");
        ASSERT_NE(inicio, std::string::npos) << row.name;
        EXPECT_EQ(xml.substr(inicio, xml.find("</infProt>") + 10 - inicio), row.esperado) << row.name;
    }
}

TEST(NFeWriterFrame, QrCodeSupplement)
{
    ZonaFixa zona;
    const std::string qr = "https://www.homologacao.nfce.fazenda.sp.gov.br/qrcode?p=3519011122233300018165"
                           "0010000001231123456784|2|2|1|ABCDEF&x=1";
    struct Row {
        const char *name;
        double versao;
        std::string qrCode;
        std::string urlChave;
        std::string esperado; // empty: no infNFeSupl at all
    } rows[] = {
        {"no QR code, no supplement even with an address", 4.0, "", "https://consulta", ""},
        {"4.00 writes the address, escaped", 4.0, qr, "https://www.nfce.fazenda.sp.gov.br/consulta?a=1&b=2",
         "<infNFeSupl><qrCode><![CDATA[" + qr + "]]></qrCode>"
         "<urlChave>https://www.nfce.fazenda.sp.gov.br/consulta?a=1&amp;b=2</urlChave></infNFeSupl>"},
        {"3.10 writes only the QR code", 3.1, qr, "https://www.nfce.fazenda.sp.gov.br/consulta",
         "<infNFeSupl><qrCode><![CDATA[" + qr + "]]></qrCode></infNFeSupl>"},
    };
    for (const Row &row : rows) {
        TNFe n = Documento(row.versao);
        n.Ide.modelo = 65;
        n.infNFeSupl.qrCode = row.qrCode;
        n.infNFeSupl.urlChave = row.urlChave;
        const std::string xml = Gerar(n);
        if (row.esperado.empty()) {
            EXPECT_FALSE(Contem(xml, "infNFeSupl")) << row.name;
        } else {
            EXPECT_TRUE(Contem(xml, "</infNFe>" + row.esperado + "</NFe>")) << row.name << "\n" << xml;
        }
    }
}

TEST(NFeWriterFrame, SignatureByOptionWithItsUriWrittenBack)
{
    ZonaFixa zona;
    struct Row {
        const char *name;
        dfe::TpcnTagAssinatura opcao;
        bool assinada;
        bool escreve;
    } rows[] = {
        {"only-if-signed, signed", dfe::taSomenteSeAssinada, true, true},
        {"only-if-signed, unsigned", dfe::taSomenteSeAssinada, false, false},
        {"never", dfe::taNunca, true, false},
        {"always, unsigned", dfe::taSempre, false, true},
        {"only-unsigned, unsigned", dfe::taSomenteParaNaoAssinada, false, true},
        {"only-unsigned, signed", dfe::taSomenteParaNaoAssinada, true, false},
    };
    for (const Row &row : rows) {
        TNFe n = Documento();
        if (row.assinada) {
            n.signature.DigestValue = "ZGlnZXN0";
            n.signature.SignatureValue = "c2lnbg==";
            n.signature.X509Certificate = "Y2VydA==";
        }
        TNFeW w(n);
        w.Opcoes().GerarTagAssinatura = row.opcao;
        w.GerarXml();
        const std::string &xml = w.Gerador().ArquivoFormatoXML();
        EXPECT_EQ(Contem(xml, "<Signature"), row.escreve) << row.name;
        if (row.escreve) {
            EXPECT_EQ(n.signature.URI, "#NFe35190111222333000181550010000001231123456781") << row.name;
            EXPECT_TRUE(Contem(xml, "URI=\"#NFe35190111222333000181550010000001231123456781\"")) << row.name;
            EXPECT_TRUE(Contem(xml, "</infNFe><Signature")) << row.name;
        } else {
            EXPECT_EQ(n.signature.URI, "") << row.name;
        }
    }
}

TEST(NFeWriterFrame, EachGenerationStartsFromAnEmptyOutputAndPath)
{
    ZonaFixa zona;
    TNFe n = Documento();
    n.procNFe.nProt = "1";
    n.Emit.xNome = ""; // a required value missing: at least one alert
    TNFeW w(n);
    EXPECT_FALSE(w.GerarXml());
    const std::string xml = w.Gerador().ArquivoFormatoXML();
    const int alertas = w.Gerador().ListaDeAlertas().Count();
    ASSERT_GT(alertas, 0);
    EXPECT_FALSE(w.GerarXml());
    EXPECT_EQ(w.Gerador().ArquivoFormatoXML(), xml);
    EXPECT_EQ(w.Gerador().ListaDeAlertas().Count(), alertas);
    for (int i = 0; i < alertas; ++i)
        EXPECT_EQ(w.Gerador().ListaDeAlertas()[i].find("<nfeProc", 20), std::string::npos)
            << "the envelope appears once in the path: " << w.Gerador().ListaDeAlertas()[i];
}
