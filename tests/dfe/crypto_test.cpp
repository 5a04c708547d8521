#include "dfe/crypto.h"
#include "dfe/exception.h"

#include "rtl/codecs.h"
#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/streams.h"
#include "rtl/stringlist.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using dfe::TDFeSSL;

constexpr const char *CNPJEmpresa = "11222333000181";
constexpr const char *SubjectEmpresa = "CN=EMPRESA MODELO LTDA:11222333000181, OU=AC SERASA RFB";

// The message of the EOvixDFeException the action raises; a note when it raises nothing
// or something else.
std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const dfe::EOvixDFeException &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

// Exposes the scrambled password and its key.
class TDFeSSLSonda : public TDFeSSL {
public:
    const std::string &Chave() const { return FK; }
    const std::string &SenhaGuardada() const { return FSenha; }
};

// ---- Defaults ------------------------------------------------------------------------

void ExpectDefaults(TDFeSSL &ssl, const char *when)
{
    EXPECT_EQ(ssl.URLPFX(), "") << when;
    EXPECT_EQ(ssl.ArquivoPFX(), "") << when;
    EXPECT_EQ(ssl.DadosPFX(), "") << when;
    EXPECT_EQ(ssl.NameSpaceURI(), "") << when;
    EXPECT_EQ(ssl.NumeroSerie(), "") << when;
    EXPECT_EQ(ssl.ProxyHost(), "") << when;
    EXPECT_EQ(ssl.ProxyPass(), "") << when;
    EXPECT_EQ(ssl.ProxyPort(), "") << when;
    EXPECT_EQ(ssl.ProxyUser(), "") << when;
    EXPECT_EQ(ssl.Senha(), "") << when;
    EXPECT_EQ(ssl.SSLCryptLib(), dfe::cryNone) << when;
    EXPECT_EQ(ssl.SSLHttpLib(), dfe::httpNone) << when;
    EXPECT_EQ(ssl.SSLXmlSignLib(), dfe::xsNone) << when;
    EXPECT_EQ(ssl.SSLCryptClass().ClassName(), "TDFeSSLCryptClass") << when;
    EXPECT_EQ(ssl.SSLHttpClass().ClassName(), "TDFeSSLHttpClass") << when;
    EXPECT_EQ(ssl.SSLXmlSignClass().ClassName(), "TDFeSSLXmlSignClass") << when;
    EXPECT_EQ(ssl.SSLType(), dfe::LT_all) << when;
    EXPECT_EQ(ssl.StoreLocation(), dfe::slCurrentUser) << when;
    EXPECT_EQ(ssl.StoreName(), "My") << when;
    EXPECT_EQ(ssl.TimeOut(), 5000) << when;
    EXPECT_FALSE(ssl.TimeOutPorThread()) << when;
    EXPECT_TRUE(ssl.UseCertificateHTTP()) << when;
    EXPECT_EQ(ssl.SSLDgst(), dfe::dgstSHA1) << when;
    EXPECT_FALSE(ssl.CertificadoLido()) << when;
    EXPECT_EQ(ssl.HTTPResultCode(), 0) << when;
    EXPECT_EQ(ssl.DadosCertificado().NumeroSerie(), "") << when;
    EXPECT_EQ(ssl.ListaCertificados().Count(), 0) << when;
}

TEST(OvixDFeSSL, CreateAndClearGiveTheDefaultsAndClearKeepsTheHandler)
{
    TDFeSSL ssl;
    EXPECT_FALSE(ssl.AntesDeAssinar());
    ExpectDefaults(ssl, "fresh");

    ssl.SetAntesDeAssinar([](std::string &, std::string_view, std::string_view, std::string_view,
                             std::string_view, std::string_view) {});
    ssl.SetURLPFX("http://certs.example/a.pfx");
    ssl.SetArquivoPFX("/tmp/a.pfx");
    ssl.SetNameSpaceURI("http://www.portalfiscal.inf.br/nfe");
    ssl.SetProxyHost("proxy");
    ssl.SetProxyPass("pass");
    ssl.SetProxyPort("3128");
    ssl.SetProxyUser("user");
    ssl.SetSenha("segredo");
    ssl.SetSSLCryptLib(dfe::cryOpenSSL);
    ssl.SetSSLHttpLib(dfe::httpIndy);
    ssl.SetSSLXmlSignLib(dfe::xsLibXml2);
    ssl.SetSSLType(dfe::LT_TLSv1_2);
    ssl.SetStoreLocation(dfe::slLocalMachine);
    ssl.SetStoreName("Root");
    ssl.SetTimeOut(100);
    ssl.SetTimeOutPorThread(true);
    ssl.SetUseCertificateHTTP(false);
    ssl.SetSSLDgst(dfe::dgstSHA256);
    ssl.DadosCertificado().SetNumeroSerie("AB");
    ssl.ListaCertificados().New();

    ssl.Clear();
    ExpectDefaults(ssl, "after Clear");
    EXPECT_TRUE(ssl.AntesDeAssinar());
}

// ---- Certificate sources -------------------------------------------------------------

enum Fonte { URL, Arquivo, Dados, Serie };

void Definir(TDFeSSL &ssl, Fonte fonte, const std::string &valor)
{
    switch (fonte) {
    case URL:
        ssl.SetURLPFX(valor);
        break;
    case Arquivo:
        ssl.SetArquivoPFX(valor);
        break;
    case Dados:
        ssl.SetDadosPFX(valor);
        break;
    case Serie:
        ssl.SetNumeroSerie(valor);
        break;
    }
}

TEST(OvixDFeSSL, ANonEmptySourceEmptiesTheSourcesItCompetesWith)
{
    struct Passo {
        Fonte fonte;
        std::string valor;
    };
    struct Row {
        const char *name;
        std::vector<Passo> passos;
        std::string url, arquivo, dados, serie;
    } rows[] = {
        {"URLPFX keeps the file as its local copy", {{Arquivo, "a.pfx"}, {URL, "http://u"}},
         "http://u", "a.pfx", "", ""},
        {"ArquivoPFX keeps the address", {{URL, "http://u"}, {Arquivo, "a.pfx"}}, "http://u",
         "a.pfx", "", ""},
        {"URLPFX empties NumeroSerie", {{Serie, "AB"}, {URL, "http://u"}}, "http://u", "", "", ""},
        {"URLPFX empties DadosPFX", {{Dados, "pfx"}, {URL, "http://u"}}, "http://u", "", "", ""},
        {"ArquivoPFX empties NumeroSerie", {{Serie, "AB"}, {Arquivo, "a.pfx"}}, "", "a.pfx", "",
         ""},
        {"ArquivoPFX empties DadosPFX", {{Dados, "pfx"}, {Arquivo, "a.pfx"}}, "", "a.pfx", "", ""},
        {"DadosPFX empties the file and the address",
         {{URL, "http://u"}, {Arquivo, "a.pfx"}, {Dados, "pfx"}}, "", "", "pfx", ""},
        {"DadosPFX empties NumeroSerie", {{Serie, "AB"}, {Dados, "pfx"}}, "", "", "pfx", ""},
        {"NumeroSerie after ArquivoPFX empties it", {{Arquivo, "a.pfx"}, {Serie, "AB"}}, "", "",
         "", "AB"},
        {"NumeroSerie empties the address and the file",
         {{URL, "http://u"}, {Arquivo, "a.pfx"}, {Serie, "AB"}}, "", "", "", "AB"},
        {"NumeroSerie empties DadosPFX", {{Dados, "pfx"}, {Serie, "AB"}}, "", "", "", "AB"},
        {"an empty ArquivoPFX empties nothing else",
         {{URL, "http://u"}, {Arquivo, "a.pfx"}, {Arquivo, ""}}, "http://u", "", "", ""},
        {"an empty URLPFX empties nothing else",
         {{Arquivo, "a.pfx"}, {URL, "http://u"}, {URL, ""}}, "", "a.pfx", "", ""},
        {"an empty DadosPFX empties nothing else", {{Dados, "pfx"}, {Dados, ""}}, "", "", "", ""},
        {"a blank serial number is empty and empties nothing",
         {{URL, "http://u"}, {Arquivo, "a.pfx"}, {Serie, "   "}}, "http://u", "a.pfx", "", ""},
    };
    for (const auto &row : rows) {
        TDFeSSL ssl;
        for (const Passo &passo : row.passos)
            Definir(ssl, passo.fonte, passo.valor);
        EXPECT_EQ(ssl.URLPFX(), row.url) << row.name;
        EXPECT_EQ(ssl.ArquivoPFX(), row.arquivo) << row.name;
        EXPECT_EQ(ssl.DadosPFX(), row.dados) << row.name;
        EXPECT_EQ(ssl.NumeroSerie(), row.serie) << row.name;
    }
}

TEST(OvixDFeSSL, NumeroSerieIsStoredWithoutBlanksInUpperCaseAndTrimmed)
{
    struct Row {
        const char *name;
        const char *value;
        const char *stored;
    } rows[] = {
        {"blanks between byte pairs", "3a 4b 5c", "3A4B5C"},
        {"blanks and line breaks around", "\t 0f e1 \r\n", "0FE1"},
        {"already clean", "ABCDEF0123", "ABCDEF0123"},
        {"a tab inside is not a blank", "ab\tcd", "AB\tCD"},
    };
    for (const auto &row : rows) {
        TDFeSSL ssl;
        ssl.SetNumeroSerie(row.value);
        EXPECT_EQ(ssl.NumeroSerie(), row.stored) << row.name;
    }
}

// ---- Password --------------------------------------------------------------------------

TEST(OvixDFeSSL, PasswordIsScrambledWithAKeyFromTheClockOfItsLastChange)
{
    TDFeSSLSonda ssl;
    {
        rtl::ScopedClock clock(rtl::EncodeDateTime(2024, 3, 5, 13, 45, 7, 89));
        ssl.SetSenha("segredo");
    }
    EXPECT_EQ(ssl.Chave(), "134507089");
    EXPECT_EQ(ssl.Senha(), "segredo");
    EXPECT_EQ(ssl.SenhaGuardada(), util::StrCrypt("segredo", "134507089"));
    EXPECT_NE(ssl.SenhaGuardada(), "segredo");

    rtl::ScopedClock later(rtl::EncodeDateTime(2024, 3, 5, 9, 3, 1, 2));
    ssl.SetSenha("segredo");
    EXPECT_EQ(ssl.Chave(), "134507089") << "the same password keeps the key";
    EXPECT_EQ(ssl.Senha(), "segredo");

    ssl.SetSenha("outra \xE7\xE3o");
    EXPECT_EQ(ssl.Chave(), "090301002") << "a new password takes a new key";
    EXPECT_EQ(ssl.Senha(), "outra \xE7\xE3o");

    ssl.SetSenha("");
    EXPECT_EQ(ssl.Senha(), "");
    ssl.Clear();
    EXPECT_EQ(ssl.Chave(), "");
    EXPECT_EQ(ssl.SenhaGuardada(), "");
}

// ---- What the "none" back-ends answer ------------------------------------------------

TEST(OvixDFeSSL, NoneBackEndsRefuseWithTheOperationAndTheirClass)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString() + "/";
    const std::string schema = dir + "nfe_v4.00.xsd";
    const std::string pfx = dir + "cert.pfx";
    rtl::WriteFileBytes(schema, "<xs:schema/>");
    rtl::WriteFileBytes(pfx, "PFX-BYTES");
    std::string msg;

    struct Row {
        const char *name;
        std::function<void(TDFeSSL &)> action;
        std::string expected;
    } rows[] = {
        {"CalcHash", [](TDFeSSL &s) { s.CalcHash("abc", dfe::dgstSHA1); },
         "\"CalcHash\" não suportado em: TDFeSSLCryptClass"},
        {"CalcHMAC digests through CalcHash",
         [](TDFeSSL &s) { s.CalcHMAC("abc", "key", dfe::dgstSHA256); },
         "\"CalcHash\" não suportado em: TDFeSSLCryptClass"},
        {"ValidarHash", [](TDFeSSL &s) { s.ValidarHash("abc", dfe::dgstSHA1, "A999"); },
         "\"ValidarHash\" não suportado em: TDFeSSLCryptClass"},
        {"SelecionarCertificado", [](TDFeSSL &s) { s.SelecionarCertificado(); },
         "\"SelecionarCertificado\" não suportado em: TDFeSSLCryptClass"},
        {"LerCertificadosStore", [](TDFeSSL &s) { s.LerCertificadosStore(); },
         "\"LerCertificadosStore\" não suportado em: TDFeSSLCryptClass"},
        {"CarregarCertificadoPublico", [](TDFeSSL &s) { s.CarregarCertificadoPublico("MIIB"); },
         "\"CarregarCertificadoPublico\" não suportado em: TDFeSSLCryptClass"},
        {"no source at all", [](TDFeSSL &s) { s.CertCNPJ(); },
         "DadosPFX, ArquivoPFX, URLPFX ou NumeroSerie não especificados !"},
        {"CertContextWinApi loads as well", [](TDFeSSL &s) { s.CertContextWinApi(); },
         "DadosPFX, ArquivoPFX, URLPFX ou NumeroSerie não especificados !"},
        {"loading from DadosPFX",
         [](TDFeSSL &s) {
             s.SetDadosPFX("PFX");
             s.CarregarCertificado();
         },
         "\"CarregarCertificadoDeDadosPFX\" não implementado em: TDFeSSLCryptClass"},
        {"loading from an existing ArquivoPFX ends in DadosPFX",
         [&](TDFeSSL &s) {
             s.SetArquivoPFX(pfx);
             s.CertNumeroSerie();
         },
         "\"CarregarCertificadoDeDadosPFX\" não implementado em: TDFeSSLCryptClass"},
        {"loading from NumeroSerie",
         [](TDFeSSL &s) {
             s.SetNumeroSerie("0A1B");
             s.CertCNPJ();
         },
         "\"CarregarCertificadoDeNumeroSerie\" não suportado em: TDFeSSLCryptClass"},
        {"loading from a missing ArquivoPFX",
         [&](TDFeSSL &s) {
             s.SetArquivoPFX(dir + "falta.pfx");
             s.CertDataVenc();
         },
         "Arquivo: " + dir + "falta.pfx não encontrado"},
        {"URLPFX comes before ArquivoPFX; no HTTP back-end answers code 0",
         [&](TDFeSSL &s) {
             s.SetArquivoPFX(dir + "falta.pfx");
             s.SetURLPFX("http://certs.example/a.pfx");
             s.CarregarCertificado();
         },
         "Http erro 0, baixando Certificado de http://certs.example/a.pfx"},
        {"Assinar", [](TDFeSSL &s) { s.Assinar("<a Id=\"x\"/>", "a", "a"); },
         "TDFeSSLXmlSignClass.Assinar, não implementado"},
        {"Validar with an existing schema",
         [&](TDFeSSL &s) { s.Validar("<a/>", schema, msg); },
         "\"Validar\" não suportado em: TDFeSSLXmlSignClass"},
        {"Validar without a schema name", [&](TDFeSSL &s) { s.Validar("<a/>", "", msg); },
         "Arquivo de Schema não especificado"},
        {"Validar with a missing schema",
         [&](TDFeSSL &s) { s.Validar("<a/>", dir + "falta.xsd", msg); },
         "Arquivo \r\n" + dir + "falta.xsd\r\nNão encontrado"},
        {"VerificarAssinatura names itself ValidarAssinatura",
         [&](TDFeSSL &s) { s.VerificarAssinatura("<a/>", msg); },
         "\"ValidarAssinatura\" não suportado em: TDFeSSLXmlSignClass"},
        {"selecting xsXmlSec", [](TDFeSSL &s) { s.SetSSLXmlSignLib(dfe::xsXmlSec); },
         "Suporte a \"xsXmlSec\" foi desativado por compilação {$DEFINE DFE_SEM_OPENSSL} ou "
         "{$DEFINE DFE_SEM_XMLSEC}"},
    };
    msg = "stale";
    for (const auto &row : rows) {
        TDFeSSL ssl;
        EXPECT_EQ(ErroDe([&] { row.action(ssl); }), row.expected) << row.name;
        EXPECT_FALSE(ssl.CertificadoLido()) << row.name;
    }
    EXPECT_EQ(msg, "") << "Validar and VerificarAssinatura empty MsgErro first";
}

TEST(OvixDFeSSL, LoadingAFileMovesItsBytesIntoDadosPFX)
{
    QTemporaryDir tmp;
    const std::string pfx = tmp.path().toStdString() + "/cert.pfx";
    rtl::WriteFileBytes(pfx, std::string("PFX\0BYTES", 9));
    TDFeSSL ssl;
    ssl.SetArquivoPFX(pfx);
    (void)ErroDe([&] { ssl.CarregarCertificado(); });
    EXPECT_EQ(ssl.DadosPFX(), std::string("PFX\0BYTES", 9));
    EXPECT_EQ(ssl.ArquivoPFX(), "") << "a later load takes the data";
}

TEST(OvixDFeSSL, NoneBackEndsAnswerWithoutRaising)
{
    TDFeSSL ssl;
    EXPECT_EQ(ssl.SSLCryptClass().Versao(), "");
    EXPECT_EQ(ssl.SSLHttpClass().GetLastErrorDesc(), "");
    EXPECT_EQ(ssl.SSLCryptClass().GetCertContextWinApi(), nullptr);
    EXPECT_FALSE(ssl.CarregarCertificadoPublico("")) << "empty data never reaches the back-end";
    ssl.SetDadosPFX("PFX");
    EXPECT_EQ(ssl.SSLCryptClass().GetCertPFXData(), "PFX");
    ssl.ValidarCNPJCertificado("111.444.777-35"); // a CPF is not checked: nothing loads
    ssl.SSLHttpClass().Abortar();
    ssl.DescarregarCertificado();
}

TEST(OvixDFeSSL, HttpWithoutBackEndAnswersEmptyWithCodeZero)
{
    TDFeSSL ssl;
    EXPECT_EQ(ssl.HTTPGet("http://example.com/a"), "");
    EXPECT_EQ(ssl.HTTPResultCode(), 0);
    EXPECT_EQ(ssl.InternalErrorCode(), 0);
    EXPECT_EQ(ssl.SSLHttpClass().Method(), "GET");

    ssl.SSLHttpClass().SetMimeType("text/plain");
    EXPECT_EQ(ssl.HTTPPost("a=1", "http://example.com/b"), "");
    EXPECT_EQ(ssl.HTTPResultCode(), 0);
    auto &http = ssl.SSLHttpClass();
    EXPECT_EQ(http.Method(), "POST");
    EXPECT_EQ(http.URL(), "http://example.com/b");
    EXPECT_EQ(http.DataReq().DataString(), "a=1");
    EXPECT_EQ(http.MimeType(), "") << "each request starts from a cleared HTTP object";
}

// ---- Digest preconditions --------------------------------------------------------------

// Answers every digest as SHA-1 and counts the requests.
class TContaHash : public dfe::TDFeSSLCryptClass {
public:
    TContaHash(TDFeSSL &ssl, int &pedidos) : TDFeSSLCryptClass(ssl), FPedidos(pedidos) {}
    std::string CalcHash(rtl::TStream &s, dfe::TSSLDgst, bool) override
    {
        ++FPedidos;
        return rtl::SHA1(rtl::StreamToBytes(s));
    }
    bool ValidarHash(rtl::TStream &, dfe::TSSLDgst, std::string_view, bool) override
    {
        ++FPedidos;
        return true;
    }

private:
    int &FPedidos;
};

TEST(OvixDFeSSL, StreamAndHashAreCheckedBeforeTheBackEnd)
{
    int pedidos = 0;
    dfe::RegisterSSLCryptLib(dfe::cryCapicom, [&](TDFeSSL &s) {
        return std::make_unique<TContaHash>(s, pedidos);
    });
    QTemporaryDir tmp;
    const std::string vazio = tmp.path().toStdString() + "/vazio.bin";
    rtl::WriteFileBytes(vazio, "");
    const rtl::TStringList semLinhas;
    rtl::TMemoryStream semBytes;

    struct Row {
        const char *name;
        std::function<void(TDFeSSL &)> action;
        const char *expected;
    } rows[] = {
        {"CalcHash without stream",
         [](TDFeSSL &s) { s.CalcHash(static_cast<rtl::TStream *>(nullptr), dfe::dgstSHA1); },
         "Stream inválido"},
        {"CalcHash of an empty stream", [&](TDFeSSL &s) { s.CalcHash(&semBytes, dfe::dgstSHA1); },
         "Stream vazio"},
        {"CalcHash of an empty text", [](TDFeSSL &s) { s.CalcHash("", dfe::dgstSHA1); },
         "Stream vazio"},
        {"CalcHash of an empty list", [&](TDFeSSL &s) { s.CalcHash(semLinhas, dfe::dgstSHA1); },
         "Stream vazio"},
        {"CalcHashArquivo of an empty file",
         [&](TDFeSSL &s) { s.CalcHashArquivo(vazio, dfe::dgstSHA1); }, "Stream vazio"},
        {"ValidarHash without stream",
         [](TDFeSSL &s) {
             s.ValidarHash(static_cast<rtl::TStream *>(nullptr), dfe::dgstSHA1, "AB");
         },
         "Stream inválido"},
        {"ValidarHash of an empty text", [](TDFeSSL &s) { s.ValidarHash("", dfe::dgstSHA1, "AB"); },
         "Stream vazio"},
        {"ValidarHash with an empty hash",
         [](TDFeSSL &s) { s.ValidarHash("abc", dfe::dgstSHA1, ""); }, "Hash vazio"},
        {"ValidarHash of a list with an empty hash",
         [](TDFeSSL &s) {
             rtl::TStringList linhas;
             linhas.Add("abc");
             s.ValidarHash(linhas, dfe::dgstSHA1, "");
         },
         "Hash vazio"},
    };
    for (const auto &row : rows) {
        TDFeSSL ssl;
        ssl.SetSSLCryptLib(dfe::cryCapicom);
        EXPECT_EQ(ErroDe([&] { row.action(ssl); }), row.expected) << row.name;
    }
    EXPECT_EQ(pedidos, 0) << "the back-end is never asked";
    dfe::RegisterSSLCryptLib(dfe::cryCapicom, nullptr);
}

// ---- Selecting back-ends ---------------------------------------------------------------

TEST(OvixDFeSSL, UnbuiltLibrariesAreStoredAndKeepTheNoneBackEnds)
{
    TDFeSSL ssl;
    for (auto lib : {dfe::cryOpenSSL, dfe::cryCapicom, dfe::cryWinCrypt, dfe::cryNone}) {
        ssl.SetSSLCryptLib(lib);
        EXPECT_EQ(ssl.SSLCryptLib(), lib) << lib;
        EXPECT_EQ(ssl.SSLCryptClass().ClassName(), "TDFeSSLCryptClass") << lib;
    }
    for (auto lib : {dfe::httpWinINet, dfe::httpWinHttp, dfe::httpOpenSSL, dfe::httpIndy,
                     dfe::httpNone}) {
        ssl.SetSSLHttpLib(lib);
        EXPECT_EQ(ssl.SSLHttpLib(), lib) << lib;
        EXPECT_EQ(ssl.HTTPGet("http://x"), "") << lib;
    }
    for (auto lib : {dfe::xsMsXml, dfe::xsMsXmlCapicom, dfe::xsLibXml2, dfe::xsNone}) {
        ssl.SetSSLXmlSignLib(lib);
        EXPECT_EQ(ssl.SSLXmlSignLib(), lib) << lib;
        EXPECT_EQ(ssl.SSLXmlSignClass().ClassName(), "TDFeSSLXmlSignClass") << lib;
    }
}

TEST(OvixDFeSSL, ChangingALibraryReplacesItsBackEndAndTheSameOneKeepsIt)
{
    TDFeSSL ssl;
    ssl.SSLHttpClass().SetMimeType("marca");
    ssl.SSLCryptClass().DadosCertificado().SetNumeroSerie("marca");
    auto *assinador = &ssl.SSLXmlSignClass();

    ssl.SetSSLHttpLib(dfe::httpNone);
    ssl.SetSSLCryptLib(dfe::cryNone);
    ssl.SetSSLXmlSignLib(dfe::xsNone);
    EXPECT_EQ(ssl.SSLHttpClass().MimeType(), "marca");
    EXPECT_EQ(ssl.DadosCertificado().NumeroSerie(), "marca");
    EXPECT_EQ(&ssl.SSLXmlSignClass(), assinador);

    EXPECT_THROW(ssl.SetSSLXmlSignLib(dfe::xsXmlSec), dfe::EOvixDFeException);
    EXPECT_EQ(ssl.SSLXmlSignLib(), dfe::xsNone) << "the refused choice leaves the former one";
    EXPECT_EQ(&ssl.SSLXmlSignClass(), assinador);

    ssl.SetSSLHttpLib(dfe::httpOpenSSL);
    ssl.SetSSLCryptLib(dfe::cryWinCrypt);
    EXPECT_EQ(ssl.SSLHttpClass().MimeType(), "");
    EXPECT_EQ(ssl.DadosCertificado().NumeroSerie(), "");
}

// ---- With back-ends ----------------------------------------------------------------------
// Stand-in back-ends registered for the named choices. A "PFX" is any byte string the
// scenario knows; loading anything else fails.

struct Certificado {
    std::string subject;
    rtl::TDateTime venc;
};

struct Cenario {
    std::map<std::string, Certificado> pfx;
    int hashes = 0;
    // HTTP
    int codigo = 200;
    std::string corpo;
    std::vector<std::string> pedidos;
    std::vector<bool> certificadoNoPedido;
    // signing
    std::string assinado;
    int assinaturas = 0;
};

QCryptographicHash::Algorithm Algoritmo(dfe::TSSLDgst d)
{
    switch (d) {
    case dfe::dgstMD4:
        return QCryptographicHash::Md4;
    case dfe::dgstMD5:
        return QCryptographicHash::Md5;
    case dfe::dgstSHA256:
        return QCryptographicHash::Sha256;
    case dfe::dgstSHA512:
        return QCryptographicHash::Sha512;
    default:
        return QCryptographicHash::Sha1;
    }
}

class TCryptTeste : public dfe::TDFeSSLCryptClass {
public:
    TCryptTeste(TDFeSSL &ssl, Cenario &c) : TDFeSSLCryptClass(ssl), C(c) {}
    std::string ClassName() const override { return "TCryptTeste"; }

    std::string CalcHash(rtl::TStream &s, dfe::TSSLDgst d, bool) override
    {
        ++C.hashes;
        const std::string bytes = rtl::StreamToBytes(s);
        const QByteArray h = QCryptographicHash::hash(
            QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), Algoritmo(d));
        return std::string(h.constData(), static_cast<std::size_t>(h.size()));
    }

protected:
    void CarregarCertificadoDeDadosPFX() override
    {
        if (C.pfx.count(FpDFeSSL.DadosPFX()) == 0)
            throw rtl::Exception("PFX ilegível");
    }
    void LerInfoCertificadoCarregado() override
    {
        auto it = C.pfx.find(FpDFeSSL.DadosPFX());
        if (it == C.pfx.end())
            return;
        FpDadosCertificado->SetNumeroSerie("0A1B");
        FpDadosCertificado->SetSubjectName(it->second.subject);
        FpDadosCertificado->SetDataVenc(it->second.venc);
    }

private:
    Cenario &C;
};

class THttpTeste : public dfe::TDFeSSLHttpClass {
public:
    THttpTeste(TDFeSSL &ssl, Cenario &c) : TDFeSSLHttpClass(ssl), C(c) {}
    std::string ClassName() const override { return "THttpTeste"; }
    void Execute() override
    {
        ConfigConnection();
        C.pedidos.push_back(FMethod + " " + FURL);
        C.certificadoNoPedido.push_back(FpDFeSSL.UseCertificateHTTP());
        FpHTTPResultCode = C.codigo;
        rtl::WriteStrToStream(*FDataResp, C.corpo);
    }

private:
    Cenario &C;
};

class TXmlSignTeste : public dfe::TDFeSSLXmlSignClass {
public:
    TXmlSignTeste(TDFeSSL &ssl, Cenario &c) : TDFeSSLXmlSignClass(ssl), C(c) {}
    std::string Assinar(std::string_view, std::string_view, std::string_view, std::string_view,
                        std::string_view, std::string_view, std::string_view) override
    {
        ++C.assinaturas;
        return C.assinado;
    }

private:
    Cenario &C;
};

class OvixDFeSSLBackEnds : public ::testing::Test {
protected:
    void SetUp() override
    {
        dfe::RegisterSSLCryptLib(dfe::cryOpenSSL, [this](TDFeSSL &s) {
            return std::make_unique<TCryptTeste>(s, C);
        });
        // Registered as WinINet: the WinHTTP choice builds it too.
        dfe::RegisterSSLHttpLib(dfe::httpWinINet, [this](TDFeSSL &s) {
            return std::make_unique<THttpTeste>(s, C);
        });
        dfe::RegisterSSLXmlSignLib(dfe::xsLibXml2, [this](TDFeSSL &s) {
            return std::make_unique<TXmlSignTeste>(s, C);
        });
        ssl = std::make_unique<TDFeSSL>();
        ssl->SetSSLCryptLib(dfe::cryOpenSSL);
        ssl->SetSSLHttpLib(dfe::httpWinHttp);
        ssl->SetSSLXmlSignLib(dfe::xsLibXml2);
    }
    void TearDown() override
    {
        ssl.reset();
        dfe::RegisterSSLCryptLib(dfe::cryOpenSSL, nullptr);
        dfe::RegisterSSLHttpLib(dfe::httpWinHttp, nullptr);
        dfe::RegisterSSLXmlSignLib(dfe::xsLibXml2, nullptr);
    }

    Cenario C;
    std::unique_ptr<TDFeSSL> ssl;
};

TEST_F(OvixDFeSSLBackEnds, RegisteredBackEndsAreBuiltForTheirChoice)
{
    EXPECT_EQ(ssl->SSLCryptClass().ClassName(), "TCryptTeste");
    EXPECT_EQ(ssl->SSLHttpClass().ClassName(), "THttpTeste");
    ssl->Clear();
    EXPECT_EQ(ssl->SSLCryptClass().ClassName(), "TDFeSSLCryptClass");
    ssl->SetSSLHttpLib(dfe::httpWinINet);
    EXPECT_EQ(ssl->SSLHttpClass().ClassName(), "THttpTeste");
    ssl->SetSSLHttpLib(dfe::httpIndy);
    EXPECT_EQ(ssl->SSLHttpClass().ClassName(), "TDFeSSLHttpClass");
}

TEST_F(OvixDFeSSLBackEnds, DigestComesInTheChosenForm)
{
    rtl::TStringList linhas;
    linhas.Add("abc");
    struct Row {
        const char *name;
        std::string got;
        std::string expected;
    } rows[] = {
        {"hexadecimal, upper case", ssl->CalcHash("abc", dfe::dgstSHA1, dfe::outHexa),
         "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"Base64", ssl->CalcHash("abc", dfe::dgstSHA1, dfe::outBase64),
         "qZk+NkcGgWq6PiVxeFDCbJzQ2J0="},
        {"raw bytes", util::AsciiToHex(ssl->CalcHash("abc", dfe::dgstSHA1, dfe::outBinary)),
         "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"a list hashes its saved text", ssl->CalcHash(linhas, dfe::dgstSHA1),
         ssl->CalcHash("abc\r\n", dfe::dgstSHA1)},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.got, row.expected) << row.name;
}

TEST_F(OvixDFeSSLBackEnds, HmacMatchesTheStandardVectors)
{
    const std::string largeKey = "Test Using Larger Than Block-Size Key - Hash Key First";
    struct Row {
        const char *name;
        std::string data, key;
        dfe::TSSLDgst digest;
        const char *expected;
    } rows[] = {
        {"SHA-1, short key", "Hi There", std::string(20, '\x0b'), dfe::dgstSHA1,
         "B617318655057264E28BC0B6FB378C8EF146BE00"},
        {"SHA-1, key longer than the block is digested first", largeKey, std::string(80, '\xaa'),
         dfe::dgstSHA1, "AA4AE5E15272D00E95705637CE8A3B55ED402112"},
        {"SHA-256", "what do ya want for nothing?", "Jefe", dfe::dgstSHA256,
         "5BDCC146BF60754E6A042426089575C75A003F089D2739839DEC58B964EC3843"},
        {"SHA-256, 100-byte key", "x", std::string(100, '\xaa'), dfe::dgstSHA256,
         "6229C9E2C7D9863A0CFD7E8E03268A67E6E4BB0C3E0810B50EEFC7BFD63A93D8"},
        {"SHA-512 pads to its 128-byte block", "Hi There", std::string(20, '\x0b'),
         dfe::dgstSHA512,
         "87AA7CDEA5EF619D4FF0B4241A1D6CB02379F4E2CE4EC2787AD0B30545E17CDEDAA833B7D6B8A702038B27"
         "4EAEA3F4E4BE9D914EEB61F1702E696C203A126854"},
        {"SHA-512, key longer than its block", largeKey, std::string(131, '\xaa'),
         dfe::dgstSHA512,
         "80B24263C7C1A3EBB71493C1DD7BE8B49B46D1F41B4AEEC1121B013783F8F3526B56D037E05F2598BD0FD2"
         "215D6A1E5295E64F73F63F0AEC8B915A985D786598"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::AsciiToHex(ssl->CalcHMAC(row.data, row.key, row.digest)), row.expected)
            << row.name;
}

TEST_F(OvixDFeSSLBackEnds, CertificateDataComesFromTheLoadedCertificate)
{
    C.pfx["PFX-A"] = {SubjectEmpresa, rtl::EncodeDate(2030, 1, 31)};
    ssl->SetDadosPFX("PFX-A");
    EXPECT_EQ(ssl->CertCNPJ(), CNPJEmpresa);
    EXPECT_TRUE(ssl->CertificadoLido());
    EXPECT_EQ(ssl->CertRazaoSocial(), "EMPRESA MODELO LTDA");
    EXPECT_EQ(ssl->CertNumeroSerie(), "0A1B");
    EXPECT_EQ(ssl->CertDataVenc(), rtl::EncodeDate(2030, 1, 31));
}

TEST_F(OvixDFeSSLBackEnds, SourceAndPasswordChangesUnloadTheCertificate)
{
    C.pfx["PFX-A"] = {SubjectEmpresa, rtl::EncodeDate(2030, 1, 31)};
    struct Row {
        const char *name;
        std::function<void(TDFeSSL &)> change;
        bool stillLoaded;
    } rows[] = {
        {"the same password", [](TDFeSSL &s) { s.SetSenha("senha"); }, true},
        {"another password", [](TDFeSSL &s) { s.SetSenha("outra"); }, false},
        {"an empty ArquivoPFX", [](TDFeSSL &s) { s.SetArquivoPFX(""); }, true},
        {"the same DadosPFX", [](TDFeSSL &s) { s.SetDadosPFX("PFX-A"); }, true},
        {"a NumeroSerie", [](TDFeSSL &s) { s.SetNumeroSerie("ff"); }, false},
        {"an ArquivoPFX", [](TDFeSSL &s) { s.SetArquivoPFX("b.pfx"); }, false},
        {"a URLPFX", [](TDFeSSL &s) { s.SetURLPFX("http://u"); }, false},
        {"the crypto library", [](TDFeSSL &s) { s.SetSSLCryptLib(dfe::cryWinCrypt); }, false},
    };
    for (const auto &row : rows) {
        ssl->SetSSLCryptLib(dfe::cryOpenSSL);
        ssl->SetSenha("senha");
        ssl->SetDadosPFX("PFX-A");
        ssl->CarregarCertificado();
        ASSERT_TRUE(ssl->CertificadoLido()) << row.name;
        row.change(*ssl);
        EXPECT_EQ(ssl->CertificadoLido(), row.stillLoaded) << row.name;
        EXPECT_EQ(ssl->DadosCertificado().CNPJ().empty(), !row.stillLoaded) << row.name;
    }
}

TEST_F(OvixDFeSSLBackEnds, DocumentCnpjMustShareTheCertificateRoot)
{
    C.pfx["PFX-A"] = {SubjectEmpresa, rtl::EncodeDate(2030, 1, 31)};
    C.pfx["PFX-CPF"] = {"CN=FULANO DE TAL:11144477735, OU=AC", rtl::EncodeDate(2030, 1, 31)};
    struct Row {
        const char *name;
        const char *pfx;
        const char *documento;
        std::string expected;
    } rows[] = {
        {"same company", "PFX-A", "11.222.333/0001-81", "no exception"},
        {"another branch of the company", "PFX-A", "11222333000262", "no exception"},
        {"a CPF document is not checked", "PFX-A", "111.444.777-35", "no exception"},
        {"a CPF certificate is not checked", "PFX-CPF", "11444777000161", "no exception"},
        {"an invalid CNPJ", "PFX-A", "11222333000182",
         "Erro CNPJ Documento: " + util::ValidarCNPJ("11222333000182")},
        {"another company", "PFX-A", "11444777000161",
         "O CNPJ do Documento é diferente do CNPJ do Certificado Digital"},
    };
    for (const auto &row : rows) {
        ssl->SetDadosPFX(row.pfx);
        EXPECT_EQ(ErroDe([&] { ssl->ValidarCNPJCertificado(row.documento); }), row.expected)
            << row.name;
    }
}

TEST_F(OvixDFeSSLBackEnds, SigningKeepsTheInputsUtf8Declaration)
{
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string outra = "<?xml version=\"1.0\"?>";
    struct Row {
        const char *name;
        std::string input, signedByBackEnd, expected;
    } rows[] = {
        {"declaration put back in front", decl + "<a/>", "<a><Signature/></a>",
         decl + "<a><Signature/></a>"},
        {"a different declaration replaced", decl + "<a/>", outra + "<a><Signature/></a>",
         decl + "<a><Signature/></a>"},
        {"the same declaration left alone", decl + "<a/>", decl + "<a><Signature/></a>",
         decl + "<a><Signature/></a>"},
        {"an input without UTF-8 changes nothing", "<a/>", outra + "<a><Signature/></a>",
         outra + "<a><Signature/></a>"},
    };
    for (const auto &row : rows) {
        C.assinado = row.signedByBackEnd;
        EXPECT_EQ(ssl->Assinar(row.input, "a", "a"), row.expected) << row.name;
    }
}

TEST_F(OvixDFeSSLBackEnds, AntesDeAssinarThatChangesTheTextAnswersInsteadOfTheBackEnd)
{
    C.assinado = "<back-end/>";
    std::vector<std::string> nomes;
    ssl->SetAntesDeAssinar([&](std::string &xml, std::string_view doc, std::string_view inf,
                               std::string_view sig, std::string_view ns, std::string_view id) {
        nomes = {std::string(doc), std::string(inf), std::string(sig), std::string(ns),
                 std::string(id)};
        if (xml == "<muda/>")
            xml = "<mudado/>";
    });
    EXPECT_EQ(ssl->Assinar("<muda/>", "NFe", "infNFe", "sig", "ns", "id", "Id"), "<mudado/>");
    EXPECT_EQ(C.assinaturas, 0);
    EXPECT_EQ(nomes, (std::vector<std::string>{"NFe", "infNFe", "sig", "ns", "id"}));

    EXPECT_EQ(ssl->Assinar("<fica/>", "NFe", "infNFe"), "<back-end/>");
    EXPECT_EQ(C.assinaturas, 1);
}

// ---- Downloading the PFX -------------------------------------------------------------------

class OvixDFeSSLDownload : public OvixDFeSSLBackEnds {
protected:
    const std::string url = "http://certs.example/empresa.pfx";
    const rtl::TDateTime hoje = rtl::EncodeDateTime(2001, 2, 3, 12, 0, 0, 0);
    QTemporaryDir tmp;
    // A folder that does not exist yet: the download creates it.
    std::string Copia() const { return tmp.path().toStdString() + "/certs/empresa.pfx"; }
    void GravarCopia(const std::string &bytes)
    {
        rtl::ForceDirectories(rtl::ExtractFileDir(Copia()));
        rtl::WriteFileBytes(Copia(), bytes); // written "now", not on the fixed day
    }
    void Configurar()
    {
        ssl->SetArquivoPFX(Copia());
        ssl->SetURLPFX(url);
    }
};

TEST_F(OvixDFeSSLDownload, ADownloadIsLoadedAndKeptAsTheLocalCopy)
{
    rtl::ScopedClock clock(hoje);
    C.pfx["NOVO"] = {SubjectEmpresa, hoje + 365};
    C.corpo = "NOVO";
    Configurar();

    ssl->CarregarCertificado();
    EXPECT_TRUE(ssl->CertificadoLido());
    EXPECT_EQ(C.pedidos, std::vector<std::string>{"GET " + url});
    EXPECT_EQ(C.certificadoNoPedido, std::vector<bool>{false});
    EXPECT_TRUE(ssl->UseCertificateHTTP()) << "switched back on after the request";
    EXPECT_EQ(rtl::ReadFileBytes(Copia()), "NOVO");
    EXPECT_EQ(ssl->DadosPFX(), "NOVO");
    EXPECT_EQ(ssl->URLPFX(), "");
    EXPECT_EQ(ssl->ArquivoPFX(), "");
}

TEST_F(OvixDFeSSLDownload, TheLocalCopyIsUsedWhileItHasTime)
{
    struct Row {
        const char *name;
        bool fixedClock; // off: the copy counts as written today
        double diasRestantes;
        bool baixa;
    } rows[] = {
        {"sixteen days left", true, 16.5, false},
        {"fifteen days left", true, 15.5, true},
        {"expired long ago", true, -400, true},
        {"few days left but written today", false, 5, false},
    };
    for (const auto &row : rows) {
        C.pedidos.clear();
        std::unique_ptr<rtl::ScopedClock> clock;
        if (row.fixedClock)
            clock = std::make_unique<rtl::ScopedClock>(hoje);
        C.pfx["LOCAL"] = {SubjectEmpresa, rtl::Now() + row.diasRestantes};
        C.pfx["NOVO"] = {SubjectEmpresa, rtl::Now() + 365};
        C.corpo = "NOVO";
        GravarCopia("LOCAL");
        Configurar();

        ssl->CarregarCertificado();
        EXPECT_EQ(C.pedidos.size(), row.baixa ? 1u : 0u) << row.name;
        EXPECT_EQ(ssl->DadosPFX(), row.baixa ? "NOVO" : "LOCAL") << row.name;
        EXPECT_EQ(rtl::ReadFileBytes(Copia()), row.baixa ? "NOVO" : "LOCAL") << row.name;
        EXPECT_TRUE(ssl->CertificadoLido()) << row.name;
    }
}

TEST_F(OvixDFeSSLDownload, AFailedDownloadIsRefused)
{
    rtl::ScopedClock clock(hoje);
    C.pfx["LOCAL"] = {SubjectEmpresa, hoje + 5};
    C.pfx["OUTRA"] = {"CN=OUTRA EMPRESA:11444777000161", hoje + 365};
    struct Row {
        const char *name;
        bool comCopia;
        int codigo;
        std::string corpo;
        std::string expected;
    } rows[] = {
        {"server error", false, 404, "NOVO", "Http erro 404, baixando Certificado de " + url},
        {"code just above the accepted ones", false, 203, "NOVO",
         "Http erro 203, baixando Certificado de " + url},
        {"empty answer", false, 200, "", "Certificado obtido de " + url + " é inválido"},
        {"an answer that does not load", false, 202, "LIXO",
         "Certificado obtido de " + url + " é inválido"},
        {"a certificate of another company", true, 200, "OUTRA",
         "CNPJ do Certificado obtido de " + url + " é diferente do CNPJ atual"},
    };
    for (const auto &row : rows) {
        rtl::DeleteFile(Copia());
        C.codigo = row.codigo;
        C.corpo = row.corpo;
        ssl->SetDadosPFX("");
        if (row.comCopia)
            GravarCopia("LOCAL");
        Configurar();
        EXPECT_EQ(ErroDe([&] { ssl->CarregarCertificado(); }), row.expected) << row.name;
        EXPECT_FALSE(ssl->CertificadoLido()) << row.name;
        EXPECT_TRUE(ssl->UseCertificateHTTP()) << row.name;
        EXPECT_EQ(rtl::FileExists(Copia()), row.comCopia) << row.name;
        if (row.comCopia) {
            EXPECT_EQ(rtl::ReadFileBytes(Copia()), "LOCAL") << row.name;
        }
    }
}

// ---- Certificate data ---------------------------------------------------------------------

TEST(OvixDFeSSLDadosCertificado, SubjectAndIssuerFillTheDerivedFields)
{
    struct Row {
        const char *name;
        const char *subject;
        const char *razao;
        const char *cnpj;
    } rows[] = {
        {"company", SubjectEmpresa, "EMPRESA MODELO LTDA", CNPJEmpresa},
        {"a comma in the name", "CN=EMPRESA, FILIAL:11222333000181, OU=X", "EMPRESA, FILIAL",
         CNPJEmpresa},
        {"person", "CN=FULANO DE TAL:11144477735, OU=AC", "FULANO DE TAL", "11144477735"},
        {"no document", "CN=SERVIDOR, O=ORG", "SERVIDOR", ""},
        {"invalid document", "CN=EMPRESA:11222333000182, OU=X", "EMPRESA", ""},
        {"no CN", "O=ORG, C=BR", "", ""},
    };
    for (const auto &row : rows) {
        dfe::TDadosCertificado dados;
        dados.SetSubjectName(row.subject);
        EXPECT_EQ(dados.RazaoSocial(), row.razao) << row.name;
        EXPECT_EQ(dados.CNPJ(), row.cnpj) << row.name;
    }

    struct Issuer {
        const char *name;
        const char *issuer;
        const char *certificadora;
    } issuers[] = {
        {"cut before RFB", "CN=AC SERASA RFB v5, OU=Secretaria", "AC SERASA"},
        {"cut at the comma", "CN=AC VALID v5, O=ICP-Brasil", "AC VALID v5"},
        {"to the end", "O=ICP-Brasil, CN= AC SOLUTI ", "AC SOLUTI"},
    };
    for (const auto &row : issuers) {
        dfe::TDadosCertificado dados;
        dados.SetIssuerName(row.issuer);
        EXPECT_EQ(dados.Certificadora(), row.certificadora) << row.name;
    }
}

TEST(OvixDFeSSLDadosCertificado, ListOwnsAndReplacesItsEntries)
{
    dfe::TListaCertificados lista;
    lista.New().SetNumeroSerie("01");
    auto outro = std::make_unique<dfe::TDadosCertificado>();
    outro->SetNumeroSerie("02");
    EXPECT_EQ(lista.Add(std::move(outro)), 1);

    auto troca = std::make_unique<dfe::TDadosCertificado>();
    troca->SetNumeroSerie("03");
    lista.SetObjects(0, std::move(troca));
    EXPECT_EQ(lista.Count(), 2);
    EXPECT_EQ(lista.Objects(0).NumeroSerie(), "03");
    EXPECT_THROW(lista.SetObjects(0, nullptr), rtl::EListError);
    EXPECT_THROW(lista.SetObjects(2, std::make_unique<dfe::TDadosCertificado>()), rtl::EListError);
    EXPECT_EQ(lista.Objects(0).NumeroSerie(), "03");

    dfe::TDadosCertificado dados;
    dados.SetSubjectName(SubjectEmpresa);
    dados.SetDataVenc(1);
    dados.SetTipo(dfe::tpcA1);
    dados.Clear();
    EXPECT_EQ(dados.SubjectName(), "");
    EXPECT_EQ(dados.CNPJ(), "");
    EXPECT_EQ(dados.DataVenc(), 0);
    EXPECT_EQ(dados.Tipo(), dfe::tpcDesconhecido);
}

} // namespace
