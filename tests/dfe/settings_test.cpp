#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/settings.h"

#include "rtl/classes.h"
#include "rtl/codecs.h"
#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/inifile.h"
#include "rtl/stringlist.h"
#include "util/toolbox.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>
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

std::string B(bool v) { return v ? "true" : "false"; }
std::string N(long long v) { return std::to_string(v); }

// Every setting of the five parts as text, so that one table serves the defaults and the
// INI round trip. persisted: written and read by GravarIni / LerIni.
struct TPropriedade {
    const char *name;
    std::function<std::string(const TConfiguracoes &)> get;
    bool persisted;
};

const std::vector<TPropriedade> &Propriedades()
{
    static const std::vector<TPropriedade> rows = {
        {"Geral.IdentarXML", [](const TConfiguracoes &c) { return B(c.Geral().IdentarXML()); }, true},
        {"Geral.SSLLib", [](const TConfiguracoes &c) { return N(c.Geral().SSLLib()); }, true},
        {"Geral.SSLCryptLib", [](const TConfiguracoes &c) { return N(c.Geral().SSLCryptLib()); }, true},
        {"Geral.SSLHttpLib", [](const TConfiguracoes &c) { return N(c.Geral().SSLHttpLib()); }, true},
        {"Geral.SSLXmlSignLib", [](const TConfiguracoes &c) { return N(c.Geral().SSLXmlSignLib()); }, true},
        {"Geral.FormaEmissao", [](const TConfiguracoes &c) { return N(c.Geral().FormaEmissao()); }, true},
        {"Geral.FormaEmissaoCodigo", [](const TConfiguracoes &c) { return N(c.Geral().FormaEmissaoCodigo()); }, true},
        {"Geral.Salvar", [](const TConfiguracoes &c) { return B(c.Geral().Salvar()); }, true},
        {"Geral.ExibirErroSchema", [](const TConfiguracoes &c) { return B(c.Geral().ExibirErroSchema()); }, true},
        {"Geral.FormatoAlerta", [](const TConfiguracoes &c) { return c.Geral().FormatoAlerta(); }, true},
        {"Geral.RetirarAcentos", [](const TConfiguracoes &c) { return B(c.Geral().RetirarAcentos()); }, true},
        {"Geral.RetirarEspacos", [](const TConfiguracoes &c) { return B(c.Geral().RetirarEspacos()); }, true},
        {"Geral.ValidarDigest", [](const TConfiguracoes &c) { return B(c.Geral().ValidarDigest()); }, true},
        {"WebServices.ResourceName", [](const TConfiguracoes &c) { return c.WebServices().ResourceName(); }, false},
        {"WebServices.SSLType", [](const TConfiguracoes &c) { return N(c.WebServices().SSLType()); }, true},
        {"WebServices.TimeOut", [](const TConfiguracoes &c) { return N(c.WebServices().TimeOut()); }, true},
        {"WebServices.TimeOutPorThread", [](const TConfiguracoes &c) { return B(c.WebServices().TimeOutPorThread()); }, true},
        {"WebServices.TimeZoneConf.Modo", [](const TConfiguracoes &c) { return N(c.WebServices().TimeZoneConf().ModoDeteccao()); }, true},
        {"WebServices.TimeZoneConf.Str", [](const TConfiguracoes &c) { return c.WebServices().TimeZoneConf().TimeZoneStr(); }, true},
        {"WebServices.Visualizar", [](const TConfiguracoes &c) { return B(c.WebServices().Visualizar()); }, true},
        {"WebServices.UF", [](const TConfiguracoes &c) { return c.WebServices().UF(); }, true},
        {"WebServices.UFCodigo", [](const TConfiguracoes &c) { return N(c.WebServices().UFCodigo()); }, true},
        {"WebServices.Ambiente", [](const TConfiguracoes &c) { return N(c.WebServices().Ambiente()); }, true},
        {"WebServices.AmbienteCodigo", [](const TConfiguracoes &c) { return N(c.WebServices().AmbienteCodigo()); }, true},
        {"WebServices.ProxyHost", [](const TConfiguracoes &c) { return c.WebServices().ProxyHost(); }, true},
        {"WebServices.ProxyPort", [](const TConfiguracoes &c) { return c.WebServices().ProxyPort(); }, true},
        {"WebServices.ProxyUser", [](const TConfiguracoes &c) { return c.WebServices().ProxyUser(); }, true},
        {"WebServices.ProxyPass", [](const TConfiguracoes &c) { return c.WebServices().ProxyPass(); }, true},
        {"WebServices.AguardarConsultaRet", [](const TConfiguracoes &c) { return N(c.WebServices().AguardarConsultaRet()); }, true},
        {"WebServices.Tentativas", [](const TConfiguracoes &c) { return N(c.WebServices().Tentativas()); }, true},
        {"WebServices.IntervaloTentativas", [](const TConfiguracoes &c) { return N(c.WebServices().IntervaloTentativas()); }, true},
        {"WebServices.AjustaAguardaConsultaRet", [](const TConfiguracoes &c) { return B(c.WebServices().AjustaAguardaConsultaRet()); }, true},
        {"WebServices.Salvar", [](const TConfiguracoes &c) { return B(c.WebServices().Salvar()); }, true},
        {"WebServices.Params.Count", [](const TConfiguracoes &c) { return N(c.WebServices().Params().Count()); }, false},
        {"WebServices.QuebradeLinha", [](const TConfiguracoes &c) { return c.WebServices().QuebradeLinha(); }, true},
        {"Certificados.DadosPFX", [](const TConfiguracoes &c) { return c.Certificados().DadosPFX(); }, true},
        {"Certificados.Senha", [](const TConfiguracoes &c) { return c.Certificados().Senha(); }, true},
        {"Certificados.NumeroSerie", [](const TConfiguracoes &c) { return c.Certificados().NumeroSerie(); }, true},
        {"Certificados.ArquivoPFX", [](const TConfiguracoes &c) { return c.Certificados().ArquivoPFX(); }, true},
        {"Certificados.URLPFX", [](const TConfiguracoes &c) { return c.Certificados().URLPFX(); }, true},
        {"Certificados.VerificarValidade", [](const TConfiguracoes &c) { return B(c.Certificados().VerificarValidade()); }, true},
        {"Arquivos.PathSalvar", [](const TConfiguracoes &c) { return c.Arquivos().PathSalvar(); }, true},
        {"Arquivos.PathSchemas", [](const TConfiguracoes &c) { return c.Arquivos().PathSchemas(); }, true},
        {"Arquivos.IniServicos", [](const TConfiguracoes &c) { return c.Arquivos().IniServicos(); }, true},
        {"Arquivos.Salvar", [](const TConfiguracoes &c) { return B(c.Arquivos().Salvar()); }, true},
        {"Arquivos.AdicionarLiteral", [](const TConfiguracoes &c) { return B(c.Arquivos().AdicionarLiteral()); }, true},
        {"Arquivos.SepararPorCNPJ", [](const TConfiguracoes &c) { return B(c.Arquivos().SepararPorCNPJ()); }, true},
        {"Arquivos.SepararPorIE", [](const TConfiguracoes &c) { return B(c.Arquivos().SepararPorIE()); }, true},
        {"Arquivos.SepararPorModelo", [](const TConfiguracoes &c) { return B(c.Arquivos().SepararPorModelo()); }, true},
        {"Arquivos.SepararPorAno", [](const TConfiguracoes &c) { return B(c.Arquivos().SepararPorAno()); }, true},
        {"Arquivos.SepararPorMes", [](const TConfiguracoes &c) { return B(c.Arquivos().SepararPorMes()); }, true},
        {"Arquivos.SepararPorDia", [](const TConfiguracoes &c) { return B(c.Arquivos().SepararPorDia()); }, true},
        {"Arquivos.OrdenacaoPath.Count", [](const TConfiguracoes &c) { return N(c.Arquivos().OrdenacaoPath().Count()); }, false},
        {"Arquivos.DownloadDFe.PathDownload", [](const TConfiguracoes &c) { return c.Arquivos().DownloadDFe().PathDownload(); }, true},
        {"Arquivos.DownloadDFe.SepararPorNome", [](const TConfiguracoes &c) { return B(c.Arquivos().DownloadDFe().SepararPorNome()); }, true},
        {"RespTec.IdCSRT", [](const TConfiguracoes &c) { return N(c.RespTec().IdCSRT()); }, true},
        {"RespTec.CSRT", [](const TConfiguracoes &c) { return c.RespTec().CSRT(); }, true},
        {"SessaoIni", [](const TConfiguracoes &c) { return c.SessaoIni(); }, false},
        {"ChaveCryptINI", [](const TConfiguracoes &c) { return c.ChaveCryptINI(); }, false},
    };
    return rows;
}

// ---- Defaults ------------------------------------------------------------------------

TEST(Configuracoes, EveryPartStartsWithItsDefaults)
{
    const std::string exe = util::ApplicationPath();
    const std::map<std::string, std::string> expected = {
        {"Geral.IdentarXML", "false"},
        {"Geral.SSLLib", N(dfe::libNone)},
        {"Geral.SSLCryptLib", N(dfe::cryNone)},
        {"Geral.SSLHttpLib", N(dfe::httpNone)},
        {"Geral.SSLXmlSignLib", N(dfe::xsNone)},
        {"Geral.FormaEmissao", N(dfe::teNormal)},
        {"Geral.FormaEmissaoCodigo", "1"},
        {"Geral.Salvar", "true"},
        {"Geral.ExibirErroSchema", "true"},
        {"Geral.FormatoAlerta", "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%."},
        {"Geral.RetirarAcentos", "true"},
        {"Geral.RetirarEspacos", "true"},
        {"Geral.ValidarDigest", "true"},
        {"WebServices.ResourceName", "OvixServicos"},
        {"WebServices.SSLType", N(dfe::LT_all)},
        {"WebServices.TimeOut", "5000"},
        {"WebServices.TimeOutPorThread", "false"},
        {"WebServices.TimeZoneConf.Modo", N(dfe::tzSistema)},
        {"WebServices.TimeZoneConf.Str", ""},
        {"WebServices.Visualizar", "false"},
        {"WebServices.UF", "SP"},
        {"WebServices.UFCodigo", "35"},
        {"WebServices.Ambiente", N(dfe::taHomologacao)},
        {"WebServices.AmbienteCodigo", "2"},
        {"WebServices.ProxyHost", ""},
        {"WebServices.ProxyPort", ""},
        {"WebServices.ProxyUser", ""},
        {"WebServices.ProxyPass", ""},
        {"WebServices.AguardarConsultaRet", "0"},
        {"WebServices.Tentativas", "5"},
        {"WebServices.IntervaloTentativas", "1000"},
        {"WebServices.AjustaAguardaConsultaRet", "false"},
        {"WebServices.Salvar", "false"},
        {"WebServices.Params.Count", "0"},
        {"WebServices.QuebradeLinha", "|"},
        {"Certificados.DadosPFX", ""},
        {"Certificados.Senha", ""},
        {"Certificados.NumeroSerie", ""},
        {"Certificados.ArquivoPFX", ""},
        {"Certificados.URLPFX", ""},
        {"Certificados.VerificarValidade", "true"},
        {"Arquivos.PathSalvar", exe + "Docs/"},
        {"Arquivos.PathSchemas", exe + "Schemas/"},
        {"Arquivos.IniServicos", exe + "OvixServicos.ini"},
        {"Arquivos.Salvar", "true"},
        {"Arquivos.AdicionarLiteral", "false"},
        {"Arquivos.SepararPorCNPJ", "false"},
        {"Arquivos.SepararPorIE", "false"},
        {"Arquivos.SepararPorModelo", "false"},
        {"Arquivos.SepararPorAno", "false"},
        {"Arquivos.SepararPorMes", "false"},
        {"Arquivos.SepararPorDia", "false"},
        {"Arquivos.OrdenacaoPath.Count", "0"},
        {"Arquivos.DownloadDFe.PathDownload", ""},
        {"Arquivos.DownloadDFe.SepararPorNome", "false"},
        {"RespTec.IdCSRT", "0"},
        {"RespTec.CSRT", ""},
        {"SessaoIni", ""},
        {"ChaveCryptINI", ""},
    };
    ASSERT_FALSE(exe.empty());

    // Owned by a form, as the main window holds its components; freeing the form frees
    // the component, its settings and its facade (AddressSanitizer watches).
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *dfe = rtl::TComponent::Create<TOvixDFe>(form.get());
    const TConfiguracoes &conf = dfe->Configuracoes();
    ASSERT_EQ(Propriedades().size(), expected.size());
    for (const TPropriedade &p : Propriedades()) {
        const auto it = expected.find(p.name);
        ASSERT_NE(it, expected.end()) << p.name;
        EXPECT_EQ(p.get(conf), it->second) << p.name;
    }

    // The parts are named subcomponents of the settings, which are one of the component.
    EXPECT_EQ(conf.Name(), "Configuracoes");
    EXPECT_EQ(conf.Owner(), dfe);
    EXPECT_EQ(conf.ComponenteDFe(), dfe);
    EXPECT_EQ(conf.Geral().Name(), "GeralConf");
    EXPECT_EQ(conf.WebServices().Name(), "WebServicesConf");
    EXPECT_EQ(conf.Certificados().Name(), "CertificadosConf");
    EXPECT_EQ(conf.Arquivos().Name(), "ArquivosConf");
    EXPECT_EQ(conf.RespTec().Name(), "RespTecConf");
    ASSERT_EQ(conf.ComponentCount(), 5);
    EXPECT_EQ(conf.Components(0), &conf.Geral()) << "made in the order of the parts";
    EXPECT_EQ(conf.Components(4), &conf.RespTec());

    form.reset();
}

TEST(Configuracoes, WithoutOwnerThePathsHaveNoDefault)
{
    auto conf = rtl::TComponent::CreateFree<TConfiguracoes>();
    EXPECT_EQ(conf->ComponenteDFe(), nullptr);
    EXPECT_EQ(conf->SSL(), nullptr);
    EXPECT_EQ(conf->Arquivos().PathSalvar(), "");
    EXPECT_EQ(conf->Arquivos().PathSchemas(), "");
    EXPECT_EQ(conf->Arquivos().IniServicos(), "");
    // Setters that would reach the facade just keep the value.
    conf->WebServices().SetProxyHost("proxy.local");
    conf->Geral().SetSSLLib(dfe::libOpenSSL);
    EXPECT_EQ(conf->WebServices().ProxyHost(), "proxy.local");
    EXPECT_EQ(conf->Geral().SSLHttpLib(), dfe::httpOpenSSL);

    // A stored path is trimmed and given its delimiter at its first read.
    conf->Arquivos().SetPathSalvar("  /tmp/notas  ");
    EXPECT_EQ(conf->Arquivos().PathSalvar(), "/tmp/notas/");
}

TEST(Configuracoes, AnOwnerThatIsNotADocumentComponentIsRefused)
{
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    EXPECT_EQ(ErroDe([&] { rtl::TComponent::Create<TConfiguracoes>(form.get()); }),
              "Owner de TConfiguracoes deve ser do tipo TOvixDFe");
    EXPECT_EQ(form->ComponentCount(), 0) << "nothing left in the refused owner";

    auto *mail = rtl::TComponent::Create<dfe::TOvixMail>(form.get());
    EXPECT_EQ(ErroDe([&] { rtl::TComponent::Create<TConfiguracoes>(mail); }),
              "Owner de TConfiguracoes deve ser do tipo TOvixDFe");
}

// ---- Setter rules --------------------------------------------------------------------

TEST(Configuracoes, FormatoAlertaKeepsOnlyATemplateWithAPlaceholder)
{
    const std::string padrao = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";
    struct Row {
        const char *name;
        const char *stored;
        std::string expected;
    } rows[] = {
        {"empty", "", padrao},
        {"no placeholder", "Erro na tag", padrao},
        {"placeholder in lower case", "%msg% em %tag%", padrao},
        {"only %MSG%", "Falha: %MSG%", "Falha: %MSG%"},
        {"only %TAG%", "[%TAG%]", "[%TAG%]"},
        {"only %ID%", "%ID%", "%ID%"},
        {"only %TAGNIVEL%", "em %TAGNIVEL%", "em %TAGNIVEL%"},
        {"only %DESCRICAO%", "%DESCRICAO%!", "%DESCRICAO%!"},
    };
    auto conf = rtl::TComponent::CreateFree<TConfiguracoes>();
    for (const Row &row : rows) {
        conf->Geral().SetFormatoAlerta(row.stored);
        EXPECT_EQ(conf->Geral().FormatoAlerta(), row.expected) << row.name;
    }
}

TEST(Configuracoes, SettersNormaliseTheirValues)
{
    auto conf = rtl::TComponent::CreateFree<TConfiguracoes>();
    dfe::TWebServicesConf &ws = conf->WebServices();

    struct UFRow {
        const char *name;
        const char *value;
        const char *uf;
        int codigo;
    } ufs[] = {
        {"unknown state kept out", "XX", "SP", 35},
        {"lower case is not a state", "sp", "SP", 35},
        {"empty", "", "SP", 35},
        {"RJ", "RJ", "RJ", 33},
        {"back to SP", "SP", "SP", 35},
    };
    for (const UFRow &row : ufs) {
        ws.SetUF(row.value);
        EXPECT_EQ(ws.UF(), row.uf) << row.name;
        EXPECT_EQ(ws.UFCodigo(), row.codigo) << row.name;
    }

    struct IntRow {
        const char *name;
        long long value;
        long long expected;
    };
    for (const IntRow &row : {IntRow{"tentativas 0", 0, 5}, IntRow{"tentativas -3", -3, 5},
                              IntRow{"tentativas 1", 1, 1}, IntRow{"tentativas 7", 7, 7}}) {
        ws.SetTentativas(static_cast<int>(row.value));
        EXPECT_EQ(ws.Tentativas(), row.expected) << row.name;
    }
    for (const IntRow &row : {IntRow{"intervalo 500", 500, 1000}, IntRow{"intervalo 0", 0, 1000},
                              IntRow{"intervalo 1500", 1500, 1500}}) {
        ws.SetIntervaloTentativas(static_cast<std::uint32_t>(row.value));
        EXPECT_EQ(ws.IntervaloTentativas(), row.expected) << row.name;
    }

    conf->Certificados().SetNumeroSerie("ab 12 cd");
    EXPECT_EQ(conf->Certificados().NumeroSerie(), "AB12CD");

    dfe::TArquivosConf &arq = conf->Arquivos();
    arq.SetSepararPorDia(true);
    EXPECT_TRUE(arq.SepararPorMes()) << "a day level needs the month";
    arq.SetSepararPorMes(false);
    EXPECT_FALSE(arq.SepararPorDia()) << "no month, no day";
}

TEST(Configuracoes, SSLLibFollowsTheThreeLibraries)
{
    auto conf = rtl::TComponent::CreateFree<TConfiguracoes>();
    dfe::TGeralConf &geral = conf->Geral();

    geral.SetSSLCryptLib(dfe::cryOpenSSL);
    EXPECT_EQ(geral.SSLLib(), dfe::libCustom) << "one library of three";
    geral.SetSSLHttpLib(dfe::httpOpenSSL);
    geral.SetSSLXmlSignLib(dfe::xsLibXml2);
    EXPECT_EQ(geral.SSLLib(), dfe::libOpenSSL) << "all three of OpenSSL";
    geral.SetSSLHttpLib(dfe::httpIndy);
    EXPECT_EQ(geral.SSLLib(), dfe::libCustom) << "HTTP changed afterwards";

    struct Row {
        const char *name;
        dfe::TSSLLib lib;
        dfe::TSSLCryptLib crypt;
        dfe::TSSLHttpLib http;
        dfe::TSSLXmlSignLib sign;
    } rows[] = {
        {"libCapicom", dfe::libCapicom, dfe::cryCapicom, dfe::httpWinINet, dfe::xsMsXmlCapicom},
        {"libCapicomSoap", dfe::libCapicomSoap, dfe::cryCapicom, dfe::httpIndy, dfe::xsMsXmlCapicom},
        {"libWinCrypt", dfe::libWinCrypt, dfe::cryWinCrypt, dfe::httpWinHttp, dfe::xsLibXml2},
        {"libCustom leaves the libraries", dfe::libCustom, dfe::cryWinCrypt, dfe::httpWinHttp, dfe::xsLibXml2},
        {"libNone", dfe::libNone, dfe::cryNone, dfe::httpNone, dfe::xsNone},
    };
    for (const Row &row : rows) {
        geral.SetSSLLib(row.lib);
        EXPECT_EQ(geral.SSLLib(), row.lib) << row.name;
        EXPECT_EQ(geral.SSLCryptLib(), row.crypt) << row.name;
        EXPECT_EQ(geral.SSLHttpLib(), row.http) << row.name;
        EXPECT_EQ(geral.SSLXmlSignLib(), row.sign) << row.name;
    }
}

TEST(Configuracoes, SettersReachTheComponentsFacade)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    TConfiguracoes &conf = dfe->Configuracoes();
    dfe::TDFeSSL &ssl = dfe->SSL();

    conf.WebServices().SetProxyHost("proxy.local");
    conf.WebServices().SetProxyPort("3128");
    conf.WebServices().SetProxyUser("ana");
    conf.WebServices().SetProxyPass("s3nha");
    conf.WebServices().SetTimeOut(9000);
    conf.WebServices().SetTimeOutPorThread(true);
    conf.WebServices().SetSSLType(dfe::LT_TLSv1_2);
    conf.Geral().SetSSLLib(dfe::libOpenSSL);
    conf.Certificados().SetNumeroSerie("0a 1b");
    conf.Certificados().SetSenha("pfx-pass");

    EXPECT_EQ(ssl.ProxyHost(), "proxy.local");
    EXPECT_EQ(ssl.ProxyPort(), "3128");
    EXPECT_EQ(ssl.ProxyUser(), "ana");
    EXPECT_EQ(ssl.ProxyPass(), "s3nha");
    EXPECT_EQ(ssl.TimeOut(), 9000);
    EXPECT_TRUE(ssl.TimeOutPorThread());
    EXPECT_EQ(ssl.SSLType(), dfe::LT_TLSv1_2);
    EXPECT_EQ(ssl.SSLCryptLib(), dfe::cryOpenSSL);
    EXPECT_EQ(ssl.SSLHttpLib(), dfe::httpOpenSSL);
    EXPECT_EQ(ssl.SSLXmlSignLib(), dfe::xsLibXml2);
    EXPECT_EQ(ssl.NumeroSerie(), "0A1B");
    EXPECT_EQ(ssl.Senha(), "pfx-pass");

    // The facade keeps one certificate source; the settings keep all of them.
    conf.Certificados().SetArquivoPFX("/certs/a.pfx");
    EXPECT_EQ(ssl.ArquivoPFX(), "/certs/a.pfx");
    EXPECT_EQ(ssl.NumeroSerie(), "");
    EXPECT_EQ(conf.Certificados().NumeroSerie(), "0A1B");
}

// Exposes the password's key.
class TCertificadosSonda : public dfe::TCertificadosConf {
public:
    using dfe::TCertificadosConf::TCertificadosConf;
    const std::string &Chave() const { return FK; }
    const std::string &Guardada() const { return FSenha; }
};

class TConfiguracoesSonda : public TConfiguracoes {
public:
    using TConfiguracoes::TConfiguracoes;
    dfe::TCertificadosConf *CreateCertificadosConf() override
    {
        return rtl::TComponent::Create<TCertificadosSonda>(this);
    }
};

TEST(Configuracoes, PasswordKeyChangesOnlyWithThePassword)
{
    auto conf = rtl::TComponent::CreateFree<TConfiguracoesSonda>();
    auto *cert = dynamic_cast<TCertificadosSonda *>(&conf->Certificados());
    ASSERT_NE(cert, nullptr) << "the overridden factory ran during construction";

    {
        rtl::ScopedClock clock(rtl::EncodeDateTime(2024, 3, 5, 10, 20, 30, 400));
        cert->SetSenha("segredo");
        EXPECT_EQ(cert->Chave(), "102030400");
        EXPECT_NE(cert->Guardada(), "segredo") << "held scrambled";
        EXPECT_EQ(cert->Senha(), "segredo");
    }
    rtl::ScopedClock later(rtl::EncodeDateTime(2024, 3, 5, 11, 0, 0, 1));
    cert->SetSenha("segredo");
    EXPECT_EQ(cert->Chave(), "102030400") << "same password keeps its key";
    cert->SetSenha("outro");
    EXPECT_EQ(cert->Chave(), "110000001") << "a new password renews it";
    EXPECT_EQ(cert->Senha(), "outro");
}

TEST(Configuracoes, AssignCopiesThePartsButNotWhatIsLeftOut)
{
    auto de = rtl::TComponent::CreateFree<TConfiguracoes>();
    auto para = rtl::TComponent::CreateFree<TConfiguracoes>();
    de->Geral().SetIdentarXML(true);
    de->Geral().SetFormaEmissao(dfe::teSVCAN);
    de->Geral().SetFormatoAlerta("sem marcador");
    de->WebServices().SetUF("MG");
    de->WebServices().SetResourceName("OvixCTeServicos");
    de->WebServices().TimeZoneConf().SetModoDeteccao(dfe::tzPCN);
    de->WebServices().Params().Add("[CTe_SP_P]");
    de->Certificados().SetSenha("abc");
    de->Certificados().SetVerificarValidade(false);
    de->Arquivos().SetPathSalvar("/tmp/de");
    de->Arquivos().SetSepararPorAno(true);
    de->Arquivos().SetSepararPorDia(true);
    de->Arquivos().OrdenacaoPath().Add().Item = dfe::opIE;
    de->RespTec().SetIdCSRT(3);
    de->RespTec().SetCSRT("XYZ");

    para->Assign(*de);
    EXPECT_FALSE(para->Geral().IdentarXML()) << "IdentarXML is not copied";
    EXPECT_EQ(para->Geral().FormaEmissao(), dfe::teSVCAN);
    EXPECT_EQ(para->Geral().FormatoAlerta(), "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.")
        << "copied through the getter";
    EXPECT_EQ(para->WebServices().UF(), "MG");
    EXPECT_EQ(para->WebServices().UFCodigo(), 31);
    EXPECT_EQ(para->WebServices().ResourceName(), "OvixCTeServicos");
    EXPECT_EQ(para->WebServices().TimeZoneConf().ModoDeteccao(), dfe::tzPCN);
    EXPECT_EQ(para->WebServices().Params().Text(), "[CTe_SP_P]\r\n");
    EXPECT_EQ(para->Certificados().Senha(), "abc");
    EXPECT_TRUE(para->Certificados().VerificarValidade()) << "VerificarValidade is not copied";
    EXPECT_EQ(para->Arquivos().PathSalvar(), "/tmp/de/");
    EXPECT_FALSE(para->Arquivos().SepararPorAno()) << "SepararPorAno is not copied";
    EXPECT_TRUE(para->Arquivos().SepararPorDia());
    EXPECT_TRUE(para->Arquivos().SepararPorMes());
    ASSERT_EQ(para->Arquivos().OrdenacaoPath().Count(), 1);
    EXPECT_EQ(para->Arquivos().OrdenacaoPath().Items(0).Item, dfe::opIE);
    EXPECT_EQ(para->RespTec().IdCSRT(), 3);
    EXPECT_EQ(para->RespTec().CSRT(), "XYZ");
}

// ---- INI persistence -----------------------------------------------------------------

// Every persisted setting away from its default.
void MudarTudo(TConfiguracoes &c)
{
    c.Geral().SetIdentarXML(true);
    c.Geral().SetSSLLib(dfe::libCapicomSoap);
    c.Geral().SetFormaEmissao(dfe::teOffLine);
    c.Geral().SetSalvar(false);
    c.Geral().SetExibirErroSchema(false);
    c.Geral().SetFormatoAlerta("%TAG%: %MSG%");
    c.Geral().SetRetirarAcentos(false);
    c.Geral().SetRetirarEspacos(false);
    c.Geral().SetValidarDigest(false);
    c.WebServices().SetSSLType(dfe::LT_TLSv1_3);
    c.WebServices().SetTimeOut(12345);
    c.WebServices().SetTimeOutPorThread(true);
    c.WebServices().TimeZoneConf().SetModoDeteccao(dfe::tzManual);
    c.WebServices().TimeZoneConf().SetTimeZoneStr("-04:00");
    c.WebServices().SetVisualizar(true);
    c.WebServices().SetUF("PE");
    c.WebServices().SetAmbiente(dfe::taProducao);
    c.WebServices().SetProxyHost("proxy.empresa");
    c.WebServices().SetProxyPort("8080");
    c.WebServices().SetProxyUser("joão");
    c.WebServices().SetProxyPass("p@ss=word");
    c.WebServices().SetAguardarConsultaRet(4000000000u);
    c.WebServices().SetTentativas(9);
    c.WebServices().SetIntervaloTentativas(2500);
    c.WebServices().SetAjustaAguardaConsultaRet(true);
    c.WebServices().SetSalvar(true);
    c.WebServices().SetQuebradeLinha(";");
    c.Certificados().SetDadosPFX("PFX\x01\x02\xff bytes");
    c.Certificados().SetSenha("senha do pfx");
    c.Certificados().SetNumeroSerie("0a1b2c");
    c.Certificados().SetArquivoPFX("/certs/empresa.pfx");
    c.Certificados().SetURLPFX("https://exemplo.invalid/cert.pfx");
    c.Certificados().SetVerificarValidade(false);
    c.Arquivos().SetPathSalvar("/dados/xml");
    c.Arquivos().SetPathSchemas("/dados/schemas");
    c.Arquivos().SetIniServicos("/dados/servicos.ini");
    c.Arquivos().SetSalvar(false);
    c.Arquivos().SetAdicionarLiteral(true);
    c.Arquivos().SetSepararPorCNPJ(true);
    c.Arquivos().SetSepararPorIE(true);
    c.Arquivos().SetSepararPorModelo(true);
    c.Arquivos().SetSepararPorAno(true);
    c.Arquivos().SetSepararPorDia(true);
    c.Arquivos().DownloadDFe().SetPathDownload("/dados/down");
    c.Arquivos().DownloadDFe().SetSepararPorNome(true);
    c.RespTec().SetIdCSRT(77);
    c.RespTec().SetCSRT("G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO");
}

// The INI as text and back, as a file would carry it.
rtl::TMemIniFile PeloTexto(const rtl::TMemIniFile &ini)
{
    rtl::TStringList lines;
    ini.GetStrings(lines);
    rtl::TStringList again;
    again.SetText(lines.Text());
    rtl::TMemIniFile copy;
    copy.SetStrings(again);
    return copy;
}

TEST(ConfiguracoesIni, EverySettingSurvivesTheRoundTrip)
{
    for (const char *chave : {"", "k3y!"}) {
        auto origem = rtl::TComponent::CreateFree<TOvixDFe>();
        origem->Configuracoes().SetSessaoIni("NFe");
        origem->Configuracoes().SetChaveCryptINI(chave);
        MudarTudo(origem->Configuracoes());
        rtl::TMemIniFile ini;
        origem->Configuracoes().GravarIni(ini);

        auto destino = rtl::TComponent::CreateFree<TOvixDFe>();
        destino->Configuracoes().SetSessaoIni("NFe");
        destino->Configuracoes().SetChaveCryptINI(chave);
        destino->Configuracoes().LerIni(PeloTexto(ini));

        for (const TPropriedade &p : Propriedades()) {
            if (!p.persisted)
                continue;
            EXPECT_EQ(p.get(destino->Configuracoes()), p.get(origem->Configuracoes()))
                << p.name << " with key '" << chave << "'";
        }
        // What was read reached the facade.
        EXPECT_EQ(destino->SSL().ProxyPass(), "p@ss=word");
        EXPECT_EQ(destino->SSL().Senha(), "senha do pfx");
        EXPECT_EQ(destino->SSL().TimeOut(), 12345);
    }
}

TEST(ConfiguracoesIni, PasswordsAreStoredAsTheFormatSays)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    TConfiguracoes &conf = dfe->Configuracoes();
    conf.WebServices().SetProxyHost("proxy");
    conf.WebServices().SetProxyPass("pp");
    conf.Certificados().SetSenha("cert");

    rtl::TMemIniFile semChave;
    conf.GravarIni(semChave);
    EXPECT_EQ(semChave.ReadString("DFe", "Senha", "?"), rtl::EncodeBase64("cert")) << "plain Base64";
    EXPECT_EQ(semChave.ReadString("Proxy", "Senha", "?"),
              rtl::EncodeBase64(util::StrCrypt("pp", "proxy")))
        << "scrambled with the proxy host";

    conf.SetChaveCryptINI("k");
    rtl::TMemIniFile comChave;
    conf.GravarIni(comChave);
    EXPECT_EQ(comChave.ReadString("DFe", "Senha", "?"), rtl::EncodeBase64(util::StrCrypt("cert", "k")));
    EXPECT_EQ(comChave.ReadString("Proxy", "Senha", "?"), rtl::EncodeBase64(util::StrCrypt("pp", "k")));

    // Absent certificate keys clear the setting; other absent keys keep theirs.
    conf.Certificados().SetDadosPFX("dados");
    rtl::TMemIniFile vazio;
    conf.LerIni(vazio);
    EXPECT_EQ(conf.Certificados().Senha(), "");
    EXPECT_EQ(conf.Certificados().DadosPFX(), "");
    EXPECT_EQ(conf.WebServices().ProxyPass(), "pp");
    EXPECT_EQ(conf.WebServices().ProxyHost(), "proxy");
}

TEST(ConfiguracoesIni, WithoutSessaoIniOnlyTheSharedSectionsAreWritten)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    MudarTudo(dfe->Configuracoes());
    rtl::TMemIniFile ini;
    dfe->Configuracoes().GravarIni(ini);
    rtl::TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Text(), "DFe\r\nProxy\r\n");

    // Nor are the family's keys read.
    rtl::TMemIniFile outro;
    outro.WriteString("NFe", "CSRT", "lido");
    auto fresco = rtl::TComponent::CreateFree<TOvixDFe>();
    fresco->Configuracoes().LerIni(outro);
    EXPECT_EQ(fresco->Configuracoes().RespTec().CSRT(), "");
}

TEST(ConfiguracoesIni, AnOrdinalOutOfItsEnumerationKeepsTheSetting)
{
    struct Row {
        const char *name;
        const char *section;
        const char *key;
    } rows[] = {
        {"SSLCryptLib", "DFe", "SSLCryptLib"},
        {"SSLHttpLib", "DFe", "SSLHttpLib"},
        {"SSLXmlSignLib", "DFe", "SSLXmlSignLib"},
        {"TimeZone.Modo", "DFe", "TimeZone.Modo"},
        {"FormaEmissao", "NFe", "FormaEmissao"},
        {"Ambiente", "NFe", "Ambiente"},
        {"SSLType", "NFe", "SSLType"},
    };
    for (const Row &row : rows) {
        for (const char *lido : {"-1", "99", "9", "abc"}) {
            auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
            TConfiguracoes &conf = dfe->Configuracoes();
            conf.SetSessaoIni("NFe");
            conf.Geral().SetSSLLib(dfe::libOpenSSL);
            conf.Geral().SetFormaEmissao(dfe::teSVCRS);
            conf.WebServices().SetAmbiente(dfe::taProducao);
            conf.WebServices().SetSSLType(dfe::LT_TLSv1_1);
            conf.WebServices().TimeZoneConf().SetModoDeteccao(dfe::tzPCN);
            rtl::TMemIniFile antes;
            conf.GravarIni(antes);

            rtl::TMemIniFile ini = PeloTexto(antes);
            ini.WriteString(row.section, row.key, lido);
            conf.LerIni(ini);
            rtl::TMemIniFile depois;
            conf.GravarIni(depois);
            EXPECT_EQ(depois.ReadString(row.section, row.key, "?"), antes.ReadString(row.section, row.key, "!"))
                << row.name << " read as " << lido;
        }
    }
    // In range it is taken.
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    dfe->Configuracoes().SetSessaoIni("NFe");
    rtl::TMemIniFile ini;
    ini.WriteInteger("NFe", "FormaEmissao", dfe::teOffLine);
    dfe->Configuracoes().LerIni(ini);
    EXPECT_EQ(dfe->Configuracoes().Geral().FormaEmissao(), dfe::teOffLine);
    EXPECT_EQ(dfe->Configuracoes().Geral().FormaEmissaoCodigo(), 9);
}

// ---- Storage folders -----------------------------------------------------------------

TEST(ConfiguracoesPaths, GetPathBuildsAndCreatesTheLevels)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string base = tmp.path().toStdString() + "/docs";
    const rtl::TDateTime marco = rtl::EncodeDate(2024, 3, 15);

    struct Row {
        const char *name;
        bool cnpj, ie, modelo, ano, mes, dia, literal;
        std::string expected; // after the base folder
    } rows[] = {
        {"no level", false, false, false, false, false, false, false, "/"},
        {"CNPJ and month", true, false, false, false, true, false, false, "/11222333000181/202403"},
        {"CNPJ, year and month", true, false, false, true, true, false, false, "/11222333000181/2024/03"},
        {"year alone", false, false, false, true, false, false, false, "/2024"},
        {"month and day", false, false, false, false, true, true, false, "/202403/15"},
        {"IE, model and literal", false, true, true, false, false, false, true, "/1234567/55/NFe"},
    };
    for (const Row &row : rows) {
        auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
        dfe::TArquivosConf &arq = dfe->Configuracoes().Arquivos();
        arq.SetPathSalvar(base);
        arq.SetSepararPorCNPJ(row.cnpj);
        arq.SetSepararPorIE(row.ie);
        arq.SetSepararPorModelo(row.modelo);
        arq.SetSepararPorAno(row.ano);
        arq.SetSepararPorMes(row.mes);
        arq.SetSepararPorDia(row.dia);
        arq.SetAdicionarLiteral(row.literal);
        const std::string got = arq.GetPath("", "NFe", "11.222.333/0001-81", "123.456-7", marco, "55");
        EXPECT_EQ(got, base + row.expected) << row.name;
        EXPECT_TRUE(rtl::DirectoryExists(got)) << row.name;
    }

    // The order is taken from the flags once and kept.
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    dfe::TArquivosConf &arq = dfe->Configuracoes().Arquivos();
    arq.SetSepararPorAno(true);
    EXPECT_EQ(arq.GetPath(base, "", "", "", marco), base + "/2024");
    arq.SetSepararPorCNPJ(true);
    EXPECT_EQ(arq.GetPath(base, "", "11222333000181", "", marco), base + "/2024") << "flags changed later";
    EXPECT_EQ(arq.OrdenacaoPath().Items(0).GetDisplayName(), "Data");

    // A folder that cannot be created.
    const std::string arquivo = tmp.path().toStdString() + "/arquivo";
    rtl::WriteFileBytes(arquivo, "x");
    EXPECT_THROW(arq.GetPath(arquivo + "/sub", "", "", "", marco), rtl::EFCreateError);
}

} // namespace
