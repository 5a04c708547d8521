#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/settings.h"

#include "rtl/classes.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "util/encoding.h"
#include "util/toolbox.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using dfe::TConfiguracoes;
using dfe::TOvixDFe;

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

// A family's settings: set up after the base parts exist, as a family's constructor would.
class TConfiguracoesTeste : public TConfiguracoes {
public:
    TConfiguracoesTeste(rtl::TComponent *AOwner, std::string iniServicos)
        : TConfiguracoes(AOwner), FIniServicos(std::move(iniServicos))
    {
    }
    void AfterConstruction() override
    {
        TConfiguracoes::AfterConstruction();
        SetSessaoIni("Teste");
        WebServices().SetResourceName("OvixNFeServicos");
        if (!FIniServicos.empty())
            Arquivos().SetIniServicos(FIniServicos);
        // Values the facade must receive when the component builds it.
        WebServices().SetProxyHost("proxy.teste");
        WebServices().SetTimeOut(7000);
        Geral().SetSSLLib(dfe::libOpenSSL);
        Certificados().SetNumeroSerie("ab cd");
        Certificados().SetSenha("segredo");
    }

private:
    std::string FIniServicos;
};

// A family's component: its settings class and namespace must be the ones used while the
// base builds itself.
class TOvixDFeTeste : public TOvixDFe {
public:
    explicit TOvixDFeTeste(rtl::TComponent *AOwner, std::string iniServicos = "")
        : TOvixDFe(AOwner), FIniServicos(std::move(iniServicos))
    {
    }
    TConfiguracoes *CreateConfiguracoes() override
    {
        return rtl::TComponent::Create<TConfiguracoesTeste>(this, FIniServicos);
    }
    std::string GetNameSpaceURI() override { return "urn:exemplo:teste"; }
    std::string GetNomeModeloDFe() override { return "NFe"; }

    const rtl::TMemIniFile &IniParams() const { return *FPIniParams; }
    bool IniParamsCarregado() const { return FPIniParamsCarregado; }

private:
    std::string FIniServicos;
};

// ---- Construction and destruction ------------------------------------------------------

TEST(OvixDFe, ConstructionRunsTheFamilysOverrides)
{
    const std::string arquivoPadrao = util::ApplicationPath() + "OvixNFeServicos.ini";
    ASSERT_FALSE(rtl::FileExists(arquivoPadrao)) << "the test expects no list beside the executable";

    auto dfe = rtl::TComponent::CreateFree<TOvixDFeTeste>();
    auto *conf = dynamic_cast<TConfiguracoesTeste *>(&dfe->Configuracoes());
    ASSERT_NE(conf, nullptr) << "CreateConfiguracoes of the family";
    EXPECT_EQ(conf->Name(), "Configuracoes");
    EXPECT_EQ(conf->Owner(), dfe.get());
    EXPECT_EQ(conf->SessaoIni(), "Teste");
    EXPECT_EQ(conf->Arquivos().IniServicos(), arquivoPadrao) << "named after the family's list";

    dfe::TDFeSSL &ssl = dfe->SSL();
    EXPECT_EQ(ssl.NameSpaceURI(), "urn:exemplo:teste") << "GetNameSpaceURI of the family";
    EXPECT_EQ(ssl.ProxyHost(), "proxy.teste");
    EXPECT_EQ(ssl.TimeOut(), 7000);
    EXPECT_EQ(ssl.SSLCryptLib(), dfe::cryOpenSSL);
    EXPECT_EQ(ssl.SSLHttpLib(), dfe::httpOpenSSL);
    EXPECT_EQ(ssl.SSLXmlSignLib(), dfe::xsLibXml2);
    EXPECT_EQ(ssl.NumeroSerie(), "ABCD");
    EXPECT_EQ(ssl.Senha(), "segredo");

    // No list file: an empty in-memory list, not yet loaded.
    rtl::TStringList sections;
    dfe->IniParams().ReadSections(sections);
    EXPECT_EQ(sections.Count(), 0);
    EXPECT_FALSE(dfe->IniParamsCarregado());

    // The base answers nothing of its own.
    auto base = rtl::TComponent::CreateFree<TOvixDFe>();
    EXPECT_EQ(base->SSL().NameSpaceURI(), "");
    EXPECT_EQ(base->GetNomeModeloDFe(), "");
    EXPECT_EQ(base->NomeServicoToNomeSchema("NFeAutorizacao"), "");
    EXPECT_EQ(base->Configuracoes().ClassName(), "TConfiguracoes");
}

TEST(OvixDFe, ConstructionReadsTheListFileWhenItExists)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string arquivo = tmp.path().toStdString() + "/servicos.ini";
    rtl::WriteFileBytes(arquivo, "; lista\r\n[NFe_SP_H]\r\nNFeStatusServico_4.00=https://a.invalid/x\r\n");

    auto comArquivo = rtl::TComponent::CreateFree<TOvixDFeTeste>(arquivo);
    EXPECT_EQ(comArquivo->IniParams().ReadString("nfe_sp_h", "NFESTATUSSERVICO_4.00", ""),
              "https://a.invalid/x");
    EXPECT_FALSE(comArquivo->IniParamsCarregado()) << "the file is not yet the loaded list";

    auto semArquivo = rtl::TComponent::CreateFree<TOvixDFeTeste>(tmp.path().toStdString() + "/nada.ini");
    rtl::TStringList sections;
    semArquivo->IniParams().ReadSections(sections);
    EXPECT_EQ(sections.Count(), 0);
}

TEST(OvixDFe, DestructionLeavesLinkedPartnersAlive)
{
    auto mail = rtl::TComponent::CreateFree<dfe::TOvixMail>();
    auto integrador = rtl::TComponent::CreateFree<dfe::TOvixIntegrador>();
    mail->SetName("mail");
    {
        auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
        auto *dfe = rtl::TComponent::Create<TOvixDFeTeste>(form.get());
        dfe->SetMAIL(mail.get());
        dfe->SetIntegrador(integrador.get());
        EXPECT_EQ(dfe->MAIL(), mail.get());
    }
    // Still whole, and no longer linked to the component that went (AddressSanitizer
    // would see a dangling link when the partners go).
    EXPECT_EQ(mail->Name(), "mail");
    mail.reset();
    integrador.reset();
}

TEST(OvixDFe, ARemovedPartnerClearsTheLinkOfItsClass)
{
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *dfe = rtl::TComponent::Create<TOvixDFe>(form.get());
    auto *mailA = rtl::TComponent::Create<dfe::TOvixMail>(form.get());
    auto *mailB = rtl::TComponent::Create<dfe::TOvixMail>(form.get());
    auto *integradorA = rtl::TComponent::Create<dfe::TOvixIntegrador>(form.get());
    auto *integradorB = rtl::TComponent::Create<dfe::TOvixIntegrador>(form.get());
    auto *outro = rtl::TComponent::Create<rtl::TComponent>(form.get());
    dfe->SetMAIL(mailA);
    dfe->SetIntegrador(integradorA);

    outro->Free();
    EXPECT_EQ(dfe->MAIL(), mailA) << "a component of another class";
    EXPECT_EQ(dfe->Integrador(), integradorA);

    // The class of the removed component counts, not its identity.
    mailB->Free();
    EXPECT_EQ(dfe->MAIL(), nullptr) << "another mail component went";
    EXPECT_EQ(dfe->Integrador(), integradorA);
    integradorB->Free();
    EXPECT_EQ(dfe->Integrador(), nullptr) << "another integrator went";

    // A partner outside the form reaches the component through its removal notice; a
    // replaced partner no longer does.
    auto livre1 = rtl::TComponent::CreateFree<dfe::TOvixMail>();
    auto livre2 = rtl::TComponent::CreateFree<dfe::TOvixMail>();
    dfe->SetMAIL(livre1.get());
    dfe->SetMAIL(livre2.get());
    livre1.reset();
    EXPECT_EQ(dfe->MAIL(), livre2.get()) << "the previous partner was unlinked";
    livre2.reset();
    EXPECT_EQ(dfe->MAIL(), nullptr);
}

TEST(OvixDFe, SigningEventAndMailBelongToTheFacadeAndNobody)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    int chamadas = 0;
    dfe->SetOnAntesDeAssinar([&chamadas](std::string &, std::string_view, std::string_view,
                                         std::string_view, std::string_view, std::string_view) { ++chamadas; });
    ASSERT_TRUE(static_cast<bool>(dfe->SSL().AntesDeAssinar()));
    std::string xml;
    dfe->SSL().AntesDeAssinar()(xml, "", "", "", "", "");
    EXPECT_EQ(chamadas, 1);
    EXPECT_TRUE(static_cast<bool>(dfe->OnAntesDeAssinar()));

    EXPECT_EQ(ErroDe([&] { dfe->EnviarEmail("a@exemplo.invalid", "assunto"); }),
              "Envio de e-mail não disponível neste sistema");
}

// ---- Log and errors --------------------------------------------------------------------

TEST(OvixDFe, ErrorsGoToTheLogThenRaiseUnlessHandled)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    const rtl::Exception causa("causa");

    struct Row {
        const char *name;
        const rtl::Exception *erro;
        bool handlerSetsTratado;
        const char *expectedLog;   // "" when the handler must not be called
        const char *expectedRaise; // "no exception" when handled
    } rows[] = {
        {"message alone, no handler", nullptr, false, "", "X"},
        {"with an error", &causa, false, "", "X\r\ncausa"},
        {"handler leaves it", &causa, false, "ERRO: X\r\ncausa", "X\r\ncausa"},
        {"handler deals with it", &causa, true, "ERRO: X\r\ncausa", "no exception"},
    };
    for (const Row &row : rows) {
        std::string logged;
        if (std::string_view(row.expectedLog).empty())
            dfe->SetOnGerarLog(nullptr);
        else
            dfe->SetOnGerarLog([&](const std::string &msg, bool &tratado) {
                logged = msg;
                tratado = row.handlerSetsTratado;
            });
        EXPECT_EQ(ErroDe([&] { dfe->GerarException("X", row.erro); }), row.expectedRaise) << row.name;
        EXPECT_EQ(logged, row.expectedLog) << row.name;
    }

    // An empty log line never reaches the handler.
    bool chamado = false;
    dfe->SetOnGerarLog([&](const std::string &, bool &tratado) {
        chamado = true;
        tratado = true;
    });
    bool tratado = true;
    dfe->FazerLog("", tratado);
    EXPECT_FALSE(chamado);
    EXPECT_FALSE(tratado);
    dfe->FazerLog("linha", tratado);
    EXPECT_TRUE(chamado);
    EXPECT_TRUE(tratado);
}

// ---- Saving ----------------------------------------------------------------------------

TEST(OvixDFeGravar, TheFileHoldsUTF8BehindAUTF8Declaration)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString() + "/";
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string iso = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";

    struct Row {
        const char *name;
        std::string content;
        bool ehUTF8;
        std::string expected;
    } rows[] = {
        {"declares UTF-8: unchanged", decl + "<a>\xC3\xA9</a>", true, decl + "<a>\xC3\xA9</a>"},
        {"no declaration", "<a>\xC3\xA9</a>", true, decl + "<a>\xC3\xA9</a>"},
        {"no declaration, not UTF-8", "<a>\xC3\xA9</a>", false, decl + "<a>\xC3\xA9</a>"},
        {"another declaration stays behind", iso + "<a>\xC3\xA7</a>", false, decl + iso + "<a>\xC3\xA7</a>"},
        {"one byte per character, as the framework converts", util::ConverteXMLtoUTF8("<a>\xC3\xA9</a>"),
         true, decl + "<a>\xC3\xA9</a>"},
        {"character outside the ANSI code page", "<a>\xC5\x91\xE2\x82\xAC</a>", true,
         decl + "<a>\xC5\x91\xE2\x82\xAC</a>"},
        {"<-><-> removed", "<a><-><->x<-><-></a>", true, decl + "<a>x</a>"},
    };
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    for (const Row &row : rows) {
        ASSERT_TRUE(dfe->Gravar("nota.xml", row.content, dir)) << row.name;
        EXPECT_EQ(rtl::ReadFileBytes(dir + "nota.xml"), row.expected) << row.name;
    }
}

TEST(OvixDFeGravar, TheFolderComesFromTheNameThenAPathThenPathSalvar)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string base = tmp.path().toStdString();

    struct Row {
        const char *name;
        std::string nomeArquivo;
        std::string aPath;
        std::string expectedFile;
    } rows[] = {
        {"the name's own folder wins", base + "/proprio/a.xml", base + "/apath", base + "/proprio/a.xml"},
        {"aPath for a bare name", "b.xml", base + "/apath/fundo", base + "/apath/fundo/b.xml"},
        {"PathSalvar last", "c.xml", "", base + "/salvar/c.xml"},
    };
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    dfe->Configuracoes().Arquivos().SetPathSalvar(base + "/salvar");
    for (const Row &row : rows) {
        ASSERT_TRUE(dfe->Gravar(row.nomeArquivo, "<a/>", row.aPath)) << row.name;
        EXPECT_TRUE(rtl::FileExists(row.expectedFile)) << row.name;
    }

    // An existing file is replaced, not appended to.
    ASSERT_TRUE(dfe->Gravar("c.xml", "<b/>"));
    EXPECT_EQ(rtl::ReadFileBytes(base + "/salvar/c.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><b/>");

    // By default the folder is Docs beside the executable.
    auto padrao = rtl::TComponent::CreateFree<TOvixDFe>();
    EXPECT_EQ(padrao->Configuracoes().Arquivos().PathSalvar(), util::ApplicationPath() + "Docs/");
}

TEST(OvixDFeGravar, ErrorsAreReportedAndLeaveNoFileBehind)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string base = tmp.path().toStdString();
    rtl::WriteFileBytes(base + "/arquivo", "x");
    ASSERT_TRUE(rtl::ForceDirectories(base + "/alvo/nota.xml"));

    struct Row {
        const char *name;
        std::string nomeArquivo;
        std::string expectedPrefix;
    } rows[] = {
        {"no file name", "", "Erro ao salvar.\r\nNome de arquivo não informado"},
        {"a folder without file name", base + "/pasta/", "Erro ao salvar.\r\nNome de arquivo não informado"},
        {"folder that cannot be created", base + "/arquivo/sub/nota.xml",
         "Erro ao salvar.\r\nCannot create file \"" + base + "/arquivo/sub/\"."},
        {"a folder stands where the file goes", base + "/alvo/nota.xml",
         "Erro ao salvar.\r\nCannot create file \"" + base + "/alvo/nota.xml\"."},
    };
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    for (const Row &row : rows) {
        const std::string erro = ErroDe([&] { dfe->Gravar(row.nomeArquivo, "<a/>", base); });
        EXPECT_EQ(erro.substr(0, row.expectedPrefix.size()), row.expectedPrefix) << row.name << ": " << erro;
    }
    // The failed write left nothing beside the folder in its way.
    rtl::TStringList entradas;
    util::FindFiles(base + "/alvo/*", entradas, false);
    EXPECT_EQ(entradas.Text(), "nota.xml\r\n");
    EXPECT_FALSE(rtl::DirectoryExists(base + "/pasta")) << "nothing created before the name was checked";

    // A log handler that deals with the error makes Gravar answer false.
    std::string logged;
    dfe->SetOnGerarLog([&](const std::string &msg, bool &tratado) {
        logged = msg;
        tratado = true;
    });
    EXPECT_FALSE(dfe->Gravar("", "<a/>"));
    EXPECT_EQ(logged, "ERRO: Erro ao salvar.\r\nNome de arquivo não informado");
}

// ---- Schema files ----------------------------------------------------------------------

TEST(OvixDFeSchemas, VersionPartsOfSchemaNames)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    struct NameRow {
        const char *name;
        const char *file;
        const char *version;
    } names[] = {
        {"CT-e schema", "cte_v3.00.xsd", "3.00"},
        {"no separator", "nfe.xsd", ""},
        {"no extension", "mdfe_v3.00", "3.00"},
        {"up to the first .xsd", "nfe_v4.00.xsd.xsd", "4.00"},
    };
    for (const NameRow &row : names)
        EXPECT_EQ(dfe->ExtrairVersaoNomeArquivoSchema(row.file), row.version) << row.name;

    struct NumberRow {
        const char *name;
        double value;
        const char *text;
    } numbers[] = {{"4", 4, "4.00"}, {"3.1", 3.1, "3.10"}, {"zero", 0, ""}, {"negative", -1, ""}};
    for (const NumberRow &row : numbers)
        EXPECT_EQ(dfe->VersaoSchemaDoubleToString(row.value), row.text) << row.name;
    EXPECT_DOUBLE_EQ(dfe->VersaoSchemaStringToDouble("4,00"), 4.0);
    EXPECT_DOUBLE_EQ(dfe->VersaoSchemaStringToDouble("3.10"), 3.1);
    EXPECT_DOUBLE_EQ(dfe->VersaoSchemaStringToDouble("v3"), 0.0);
}

TEST(OvixDFeSchemas, AchaArquivoSchemaPicksTheBestVersion)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString() + "/";
    for (const char *file : {"nfe_v4.00.xsd", "nfe_v3.10.xsd", "cte_v3.00.xsd", "leiaute.txt"})
        rtl::WriteFileBytes(dir + file, "<xs:schema/>");

    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    dfe->Configuracoes().Arquivos().SetPathSchemas(dir);

    struct Row {
        const char *name;
        const char *schema;
        double versao;
        std::string expectedFile;
        double expectedVersao;
    } rows[] = {
        {"exact version", "nfe", 4.00, dir + "nfe_v4.00.xsd", 4.00},
        {"highest not above", "nfe", 3.50, dir + "nfe_v3.10.xsd", 3.10},
        {"above every version", "cte", 5.00, dir + "cte_v3.00.xsd", 3.00},
        {"below every version", "nfe", 2.00, "", 0},
        {"version 0 looks for the bare name", "nfe", 0, "", 0},
        {"exact name regardless of case", "NFE", 4.00, dir + "nfe_v4.00.xsd", 4.00},
        {"the version scan minds the case", "NFE", 3.50, "", 0},
        {"empty name leaves the version", "", 4.00, "", 4.00},
    };
    for (const Row &row : rows) {
        double versao = row.versao;
        EXPECT_EQ(dfe->AchaArquivoSchema(row.schema, versao), row.expectedFile) << row.name;
        EXPECT_DOUBLE_EQ(versao, row.expectedVersao) << row.name;
    }

    // A folder without schema files.
    const std::string vazia = tmp.path().toStdString() + "/vazia";
    ASSERT_TRUE(rtl::ForceDirectories(vazia));
    dfe->Configuracoes().Arquivos().SetPathSchemas(vazia);
    double versao = 4.00;
    EXPECT_EQ(ErroDe([&] { dfe->AchaArquivoSchema("nfe", versao); }),
              "Nenhum arquivo de Schema encontrado na pasta: \r\n" + vazia + "/");
}

} // namespace
