#include "dfe/signature.h"

#include "dfe/accesskey.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dfe::TSignature;

TSignature Assinatura(std::string uri, std::string digest, std::string valor, std::string certificado)
{
    TSignature s;
    s.URI = std::move(uri);
    s.DigestValue = std::move(digest);
    s.SignatureValue = std::move(valor);
    s.X509Certificate = std::move(certificado);
    return s;
}

TEST(Signature, WritesTheGroupOnOneLine)
{
    struct Row {
        const char *name;
        TSignature assinatura;
        std::string xml;
    } rows[] = {
        {"values as read", Assinatura("#NFe35190111222333000181550010000001231123456781", "q2w+/e=", "AbC==", "MIIB"),
         "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">"
         "<SignedInfo>"
         "<CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "<SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"
         "<Reference URI=\"#NFe35190111222333000181550010000001231123456781\">"
         "<Transforms>"
         "<Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/>"
         "<Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "</Transforms>"
         "<DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"
         "<DigestValue>q2w+/e=</DigestValue>"
         "</Reference>"
         "</SignedInfo>"
         "<SignatureValue>AbC==</SignatureValue>"
         "<KeyInfo><X509Data><X509Certificate>MIIB</X509Certificate></X509Data></KeyInfo>"
         "</Signature>"},
        {"all empty", Assinatura("", "", "", ""),
         "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">"
         "<SignedInfo>"
         "<CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "<SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"
         "<Reference URI=\"\">"
         "<Transforms>"
         "<Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/>"
         "<Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "</Transforms>"
         "<DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"
         "<DigestValue></DigestValue>"
         "</Reference>"
         "</SignedInfo>"
         "<SignatureValue></SignatureValue>"
         "<KeyInfo><X509Data><X509Certificate></X509Certificate></X509Data></KeyInfo>"
         "</Signature>"},
        {"values trimmed, not filtered", Assinatura("#a", " a&b ", "x  y", "Ação\r\nz"),
         "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">"
         "<SignedInfo>"
         "<CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "<SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"
         "<Reference URI=\"#a\">"
         "<Transforms>"
         "<Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/>"
         "<Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
         "</Transforms>"
         "<DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"
         "<DigestValue>a&b</DigestValue>"
         "</Reference>"
         "</SignedInfo>"
         "<SignatureValue>x  y</SignatureValue>"
         "<KeyInfo><X509Data><X509Certificate>Ação\r\nz</X509Certificate></X509Data></KeyInfo>"
         "</Signature>"},
    };
    for (auto &row : rows) {
        EXPECT_TRUE(row.assinatura.GerarXML()) << row.name;
        EXPECT_EQ(row.assinatura.Gerador().ArquivoFormatoXML(), row.xml) << row.name;
        EXPECT_TRUE(row.assinatura.Gerador().ListaDeAlertas().IsEmpty()) << row.name;
    }
}

TEST(Signature, IndentedGroupClosesAtTheLevelItOpened)
{
    TSignature s = Assinatura("#x", "d", "s", "c");
    s.Gerador().Opcoes().IdentarXML = true;
    ASSERT_TRUE(s.GerarXML());
    EXPECT_EQ(s.Gerador().ArquivoFormatoXML(),
              "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">\r\n"
              "   <SignedInfo>\r\n"
              "      <CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>\r\n"
              "      <SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>\r\n"
              "      <Reference URI=\"#x\">\r\n"
              "         <Transforms>\r\n"
              "            <Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/>\r\n"
              "            <Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>\r\n"
              "         </Transforms>\r\n"
              "         <DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>\r\n"
              "            <DigestValue>d</DigestValue>\r\n"
              "      </Reference>\r\n"
              "   </SignedInfo>\r\n"
              "   <SignatureValue>s</SignatureValue>\r\n"
              "   <KeyInfo>\r\n"
              "      <X509Data>\r\n"
              "         <X509Certificate>c</X509Certificate>\r\n"
              "      </X509Data>\r\n"
              "   </KeyInfo>\r\n"
              "</Signature>\r\n");
    EXPECT_EQ(s.Gerador().Opcoes().NivelIdentacao, 0);
}

TEST(Signature, LongValueIsWrittenAndAlerted)
{
    const std::string certificado(1000, 'M');
    TSignature s = Assinatura("#x", "d", "s", certificado);
    EXPECT_FALSE(s.GerarXML());
    const std::string &xml = s.Gerador().ArquivoFormatoXML();
    EXPECT_NE(xml.find("<X509Certificate>" + certificado + "</X509Certificate>"), std::string::npos);
    ASSERT_EQ(s.Gerador().ListaDeAlertas().Count(), 1);
    const std::string fim =
        " ID:XS21/X509Certificate(X509 Certificate) - Tamanho maior que o máximo permitido [" + certificado + "].";
    const std::string &alerta = s.Gerador().ListaDeAlertas()[0];
    ASSERT_GE(alerta.size(), fim.size());
    EXPECT_EQ(alerta.substr(alerta.size() - fim.size()), fim);
    EXPECT_EQ(alerta.rfind("TAG:<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\">", 0), 0u);

    // Each writing starts afresh: the next one neither repeats the text nor keeps the alert.
    s.X509Certificate = "c";
    EXPECT_TRUE(s.GerarXML());
    EXPECT_EQ(s.Gerador().ArquivoFormatoXML().find("<Signature"), 0u);
    EXPECT_EQ(s.Gerador().ArquivoFormatoXML().find("<Signature xmlns", 1), std::string::npos);
}

TEST(Signature, WritingSetsItsOwnGeneratorOptions)
{
    TSignature s;
    s.Gerador().Opcoes().TagVaziaNoFormatoResumido = true;
    s.GerarXML();
    EXPECT_FALSE(s.Gerador().Opcoes().TagVaziaNoFormatoResumido);
    EXPECT_NE(s.Gerador().ArquivoFormatoXML().find("<DigestValue></DigestValue>"), std::string::npos);
}

TEST(Signature, ClearAndAssign)
{
    TSignature origem = Assinatura("#x", "d", "s", "c");
    origem.GerarXML();

    TSignature destino;
    destino.Assign(origem);
    EXPECT_EQ(destino.URI, "#x");
    EXPECT_EQ(destino.DigestValue, "d");
    EXPECT_EQ(destino.SignatureValue, "s");
    EXPECT_EQ(destino.X509Certificate, "c");
    EXPECT_EQ(destino.Gerador().ArquivoFormatoXML(), "");

    destino.Clear();
    EXPECT_EQ(destino.URI, "");
    EXPECT_EQ(destino.DigestValue, "");
    EXPECT_EQ(destino.SignatureValue, "");
    EXPECT_EQ(destino.X509Certificate, "");

    dfe::TGerador outro;
    EXPECT_THROW(destino.Assign(outro), rtl::EAssignError);
}

TEST(Signature, XmlEstaAssinado)
{
    struct Row {
        const char *name;
        std::string xml;
        bool assinado;
    } rows[] = {
        {"signature group", "<NFe><infNFe/><Signature xmlns=\"x\"></Signature></NFe>", true},
        {"any case", "<nfe><SIGNATURE>", true},
        {"signature value alone", "<SignatureValue>a</SignatureValue>", true},
        {"namespace prefix", "<ds:Signature>", false},
        {"word without a tag", "signature", false},
        {"blank after the bracket", "< Signature>", false},
        {"empty", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::XmlEstaAssinado(row.xml), row.assinado) << row.name;
}

} // namespace
