#include "nfe/component.h"
#include "nfe/settings.h"

#include "rtl/classes.h"
#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/inifile.h"
#include "rtl/stringlist.h"
#include "util/toolbox.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using nfe::TConfiguracoesNFe;
using nfe::TOvixNFe;

std::string B(bool v) { return v ? "true" : "false"; }
std::string N(long long v) { return std::to_string(v); }

// Every NF-e setting as text, with its default and a value different from it, so that one
// table serves the defaults, the INI round trip and Assign.
struct TPropriedadeNFe {
    const char *name;
    std::function<std::string(const TConfiguracoesNFe &)> get;
    std::function<void(TConfiguracoesNFe &)> change;
    std::string padrao;
};

const std::vector<TPropriedadeNFe> &Propriedades()
{
    using C = TConfiguracoesNFe;
    static const std::vector<TPropriedadeNFe> rows = {
        {"Geral.ModeloDF", [](const C &c) { return N(c.Geral().ModeloDF()); },
         [](C &c) { c.Geral().SetModeloDF(nfe::moNFCe); }, N(nfe::moNFe)},
        {"Geral.ModeloDFCodigo", [](const C &c) { return N(c.Geral().ModeloDFCodigo()); }, [](C &) {}, "55"},
        {"Geral.VersaoDF", [](const C &c) { return N(c.Geral().VersaoDF()); },
         [](C &c) { c.Geral().SetVersaoDF(nfe::ve310); }, N(nfe::ve400)},
        {"Geral.AtualizarXMLCancelado", [](const C &c) { return B(c.Geral().AtualizarXMLCancelado()); },
         [](C &c) { c.Geral().SetAtualizarXMLCancelado(true); }, "false"},
        {"Geral.IdCSC", [](const C &c) { return c.Geral().IdCSC(); },
         [](C &c) { c.Geral().SetIdCSC("7"); }, ""},
        {"Geral.CSC", [](const C &c) { return c.Geral().CSC(); },
         [](C &c) { c.Geral().SetCSC("A1B2-C3D4"); }, ""},
        {"Geral.VersaoQRCode", [](const C &c) { return N(c.Geral().VersaoQRCode()); },
         [](C &c) { c.Geral().SetVersaoQRCode(nfe::veqr100); }, N(nfe::veqr200)},
        {"Geral.CamposFatObrigatorios", [](const C &c) { return B(c.Geral().CamposFatObrigatorios()); },
         [](C &c) { c.Geral().SetCamposFatObrigatorios(false); }, "true"},
        {"Geral.ForcarGerarTagRejeicao938", [](const C &c) { return N(c.Geral().ForcarGerarTagRejeicao938()); },
         [](C &c) { c.Geral().SetForcarGerarTagRejeicao938(dfe::fgtSomenteHomologacao); }, N(dfe::fgtNunca)},
        {"Arquivos.EmissaoPathNFe", [](const C &c) { return B(c.Arquivos().EmissaoPathNFe()); },
         [](C &c) { c.Arquivos().SetEmissaoPathNFe(true); }, "false"},
        {"Arquivos.SalvarEvento", [](const C &c) { return B(c.Arquivos().SalvarEvento()); },
         [](C &c) { c.Arquivos().SetSalvarEvento(true); }, "false"},
        {"Arquivos.SalvarApenasNFeProcessadas", [](const C &c) { return B(c.Arquivos().SalvarApenasNFeProcessadas()); },
         [](C &c) { c.Arquivos().SetSalvarApenasNFeProcessadas(true); }, "false"},
        {"Arquivos.NormatizarMunicipios", [](const C &c) { return B(c.Arquivos().NormatizarMunicipios()); },
         [](C &c) { c.Arquivos().SetNormatizarMunicipios(true); }, "false"},
        {"Arquivos.PathNFe", [](const C &c) { return c.Arquivos().PathNFe(); },
         [](C &c) { c.Arquivos().SetPathNFe("/dados/nfe"); }, ""},
        {"Arquivos.PathInu", [](const C &c) { return c.Arquivos().PathInu(); },
         [](C &c) { c.Arquivos().SetPathInu("/dados/inu"); }, ""},
        {"Arquivos.PathEvento", [](const C &c) { return c.Arquivos().PathEvento(); },
         [](C &c) { c.Arquivos().SetPathEvento("/dados/evento"); }, ""},
        {"Arquivos.PathArquivoMunicipios", [](const C &c) { return c.Arquivos().PathArquivoMunicipios(); },
         [](C &c) { c.Arquivos().SetPathArquivoMunicipios("/dados/municipios.txt"); }, ""},
    };
    return rows;
}

void MudarTudo(TConfiguracoesNFe &conf)
{
    for (const TPropriedadeNFe &p : Propriedades())
        p.change(conf);
    // A base setting of each NF-e part, so the NF-e parts are seen to keep the base's keys.
    conf.Geral().SetFormaEmissao(dfe::teFSDA);
    conf.Arquivos().SetSepararPorCNPJ(true);
}

// The text form of an INI, read back as a program would read a saved file.
rtl::TMemIniFile PeloTexto(const rtl::TMemIniFile &ini)
{
    rtl::TStringList lines;
    ini.GetStrings(lines);
    rtl::TMemIniFile copy;
    copy.SetStrings(lines);
    return copy;
}

// ---- Defaults ------------------------------------------------------------------------

TEST(ConfiguracoesNFe, ANewComponentHoldsTheNFeDefaults)
{
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *nfeComp = rtl::TComponent::Create<TOvixNFe>(form.get());
    const TConfiguracoesNFe &conf = nfeComp->Configuracoes();

    for (const TPropriedadeNFe &p : Propriedades())
        EXPECT_EQ(p.get(conf), p.padrao) << p.name;

    EXPECT_EQ(conf.ClassName(), "TConfiguracoesNFe");
    EXPECT_EQ(conf.Geral().ClassName(), "TGeralConfNFe") << "made by the NF-e factory";
    EXPECT_EQ(conf.Arquivos().ClassName(), "TArquivosConfNFe");
    EXPECT_EQ(conf.Geral().Name(), "GeralConf");
    EXPECT_EQ(conf.SessaoIni(), "NFe");
    EXPECT_EQ(conf.WebServices().ResourceName(), "OvixNFeServicos");
    EXPECT_EQ(conf.Arquivos().IniServicos(), util::ApplicationPath() + "OvixNFeServicos.ini")
        << "the address list is named after the NF-e resource";
    // The framework's defaults stay under the NF-e parts.
    EXPECT_EQ(conf.Geral().FormaEmissao(), dfe::teNormal);
    EXPECT_TRUE(conf.Geral().RetirarAcentos());
    EXPECT_TRUE(conf.Arquivos().Salvar());
}

TEST(ConfiguracoesNFe, SettersKeepTheirValuesInShape)
{
    auto conf = rtl::TComponent::CreateFree<TConfiguracoesNFe>();
    nfe::TGeralConfNFe &geral = conf->Geral();

    struct ModeloRow {
        const char *name;
        nfe::TpcnModeloDF modelo;
        int codigo;
    } modelos[] = {
        {"NFC-e", nfe::moNFCe, 65},
        {"back to NF-e", nfe::moNFe, 55},
    };
    for (const ModeloRow &row : modelos) {
        geral.SetModeloDF(row.modelo);
        EXPECT_EQ(geral.ModeloDF(), row.modelo) << row.name;
        EXPECT_EQ(geral.ModeloDFCodigo(), row.codigo) << row.name;
    }

    struct TextoRow {
        const char *name;
        const char *value;
        const char *expected;
    };
    const TextoRow ids[] = {
        {"short number", "12", "000012"},
        {"one digit", "1", "000001"},
        {"leading blank", " 34", "000034"},
        {"six digits", "123456", "123456"},
        {"longer keeps the first six", "12345678", "123456"},
        {"not a number", "abc", "000000"},
        {"empty", "", "000000"},
    };
    for (const TextoRow &row : ids) {
        geral.SetIdCSC(row.value);
        EXPECT_EQ(geral.IdCSC(), row.expected) << row.name;
    }

    const TextoRow cscs[] = {
        {"blanks around", "  ABC123  ", "ABC123"},
        {"tab and line break", "\tX9\r\n", "X9"},
        {"inner blank kept", " A B ", "A B"},
        {"empty", "", ""},
    };
    for (const TextoRow &row : cscs) {
        geral.SetCSC(row.value);
        EXPECT_EQ(geral.CSC(), row.expected) << row.name;
    }
}

// ---- Assign --------------------------------------------------------------------------

TEST(ConfiguracoesNFe, AssignCopiesTheNFeSettings)
{
    auto origem = rtl::TComponent::CreateFree<TOvixNFe>();
    MudarTudo(origem->Configuracoes());
    auto destino = rtl::TComponent::CreateFree<TOvixNFe>();
    destino->Configuracoes().Assign(origem->Configuracoes());

    for (const TPropriedadeNFe &p : Propriedades())
        EXPECT_EQ(p.get(destino->Configuracoes()), p.get(origem->Configuracoes())) << p.name;
    EXPECT_EQ(destino->Configuracoes().Geral().ModeloDFCodigo(), 65);
    EXPECT_EQ(destino->Configuracoes().Geral().FormaEmissao(), dfe::teFSDA);

    // From the framework's plain parts only the framework's settings come over.
    auto plano = rtl::TComponent::CreateFree<dfe::TOvixDFe>();
    plano->Configuracoes().Geral().SetFormaEmissao(dfe::teSVCAN);
    destino->Configuracoes().Assign(plano->Configuracoes());
    EXPECT_EQ(destino->Configuracoes().Geral().FormaEmissao(), dfe::teSVCAN);
    EXPECT_EQ(destino->Configuracoes().Geral().ModeloDF(), nfe::moNFCe);
    EXPECT_EQ(destino->Configuracoes().Arquivos().PathNFe(), "/dados/nfe");
}

// ---- INI -----------------------------------------------------------------------------

TEST(ConfiguracoesNFeIni, EveryNFeSettingSurvivesTheRoundTrip)
{
    auto origem = rtl::TComponent::CreateFree<TOvixNFe>();
    MudarTudo(origem->Configuracoes());
    rtl::TMemIniFile ini;
    origem->Configuracoes().GravarIni(ini);

    auto destino = rtl::TComponent::CreateFree<TOvixNFe>();
    destino->Configuracoes().LerIni(PeloTexto(ini));
    for (const TPropriedadeNFe &p : Propriedades()) {
        EXPECT_EQ(p.get(destino->Configuracoes()), p.get(origem->Configuracoes())) << p.name;
        EXPECT_NE(p.get(destino->Configuracoes()), p.padrao) << p.name << " must have changed";
    }
    EXPECT_EQ(destino->Configuracoes().Geral().FormaEmissao(), dfe::teFSDA) << "base keys kept";
    EXPECT_TRUE(destino->Configuracoes().Arquivos().SepararPorCNPJ());

    // The keys as a saved file holds them, in the NF-e section.
    struct Row {
        const char *name;
        const char *key;
        std::string text;
    } rows[] = {
        {"IdCSC", "IdCSC", "000007"},
        {"CSC", "CSC", "A1B2-C3D4"},
        {"ModeloDF", "ModeloDF", N(nfe::moNFCe)},
        {"VersaoDF", "VersaoDF", N(nfe::ve310)},
        {"AtualizarXMLCancelado", "AtualizarXMLCancelado", "1"},
        {"VersaoQRCode", "VersaoQRCode", N(nfe::veqr100)},
        {"CamposFatObrigatorios", "CamposFatObrigatorios", "0"},
        {"ForcarGerarTagRejeicao938", "TagNT2018005", N(dfe::fgtSomenteHomologacao)},
        {"SalvarEvento", "SalvarEvento", "1"},
        {"SalvarApenasNFeProcessadas", "SalvarApenasNFeProcessadas", "1"},
        {"EmissaoPathNFe", "EmissaoPathNFe", "1"},
        {"NormatizarMunicipios", "NormatizarMunicipios", "1"},
        {"PathNFe", "PathNFe", "/dados/nfe"},
        {"PathInu", "PathInu", "/dados/inu"},
        {"PathEvento", "PathEvento", "/dados/evento"},
        {"PathArquivoMunicipios", "PathArquivoMunicipios", "/dados/municipios.txt"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ini.ReadString("NFe", row.key, "(absent)"), row.text) << row.name;

    // Keys that are absent leave every setting as it is.
    auto intacto = rtl::TComponent::CreateFree<TOvixNFe>();
    MudarTudo(intacto->Configuracoes());
    intacto->Configuracoes().LerIni(rtl::TMemIniFile());
    for (const TPropriedadeNFe &p : Propriedades())
        EXPECT_EQ(p.get(intacto->Configuracoes()), p.get(origem->Configuracoes())) << p.name;
}

TEST(ConfiguracoesNFeIni, AnOrdinalOutOfItsEnumerationKeepsTheSetting)
{
    struct Row {
        const char *name;
        const char *key;
        const char *lido;
    } rows[] = {
        {"ModeloDF past the last", "ModeloDF", "2"},
        {"ModeloDF negative", "ModeloDF", "-1"},
        {"VersaoDF past the last", "VersaoDF", "4"},
        {"VersaoDF not a number", "VersaoDF", "4.00"},
        {"VersaoQRCode past the last", "VersaoQRCode", "3"},
        {"VersaoQRCode negative", "VersaoQRCode", "-1"},
        {"TagNT2018005 past the last", "TagNT2018005", "4"},
        {"TagNT2018005 not a number", "TagNT2018005", "sempre"},
    };
    for (const Row &row : rows) {
        auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
        TConfiguracoesNFe &conf = comp->Configuracoes();
        MudarTudo(conf);
        rtl::TMemIniFile antes;
        conf.GravarIni(antes);

        rtl::TMemIniFile ini = PeloTexto(antes);
        ini.WriteString("NFe", row.key, row.lido);
        conf.LerIni(ini);
        rtl::TMemIniFile depois;
        conf.GravarIni(depois);
        EXPECT_EQ(depois.ReadString("NFe", row.key, "?"), antes.ReadString("NFe", row.key, "!")) << row.name;
        EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 65) << row.name << ": the code follows the model kept";
    }

    // The last value of each enumeration is taken.
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    rtl::TMemIniFile ini;
    ini.WriteInteger("NFe", "ModeloDF", nfe::moNFCe);
    ini.WriteInteger("NFe", "VersaoDF", nfe::ve200);
    ini.WriteInteger("NFe", "VersaoQRCode", nfe::veqr000);
    ini.WriteInteger("NFe", "TagNT2018005", dfe::fgtSempre);
    comp->Configuracoes().LerIni(ini);
    const nfe::TGeralConfNFe &geral = comp->Configuracoes().Geral();
    EXPECT_EQ(geral.ModeloDF(), nfe::moNFCe);
    EXPECT_EQ(geral.ModeloDFCodigo(), 65) << "read through the setter";
    EXPECT_EQ(geral.VersaoDF(), nfe::ve200);
    EXPECT_EQ(geral.VersaoQRCode(), nfe::veqr000);
    EXPECT_EQ(geral.ForcarGerarTagRejeicao938(), dfe::fgtSempre);
}

TEST(ConfiguracoesNFeIni, IdCSCAndCSCAreReadThroughTheirSetters)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    rtl::TMemIniFile ini;
    ini.WriteString("NFe", "IdCSC", "42");
    ini.WriteString("NFe", "CSC", "  segredo  ");
    comp->Configuracoes().LerIni(ini);
    EXPECT_EQ(comp->Configuracoes().Geral().IdCSC(), "000042");
    EXPECT_EQ(comp->Configuracoes().Geral().CSC(), "segredo");
}

// ---- Storage folders -----------------------------------------------------------------

TEST(ArquivosConfNFe, StorageFoldersFollowTheModelAndTheLiteral)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string raiz = tmp.path().toStdString() + "/";

    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TArquivosConfNFe &arq = comp->Configuracoes().Arquivos();
    arq.SetAdicionarLiteral(true);
    arq.SetPathNFe(raiz + "nfe");
    arq.SetPathInu(raiz + "inu");
    arq.SetPathEvento(raiz + "evento");

    comp->Configuracoes().Geral().SetModeloDF(nfe::moNFCe);
    struct Row {
        const char *name;
        int modelo;
        std::string expected;
    } rows[] = {
        {"55", 55, raiz + "nfe/NFe"},
        {"65", 65, raiz + "nfe/NFCe"},
        {"0 takes the component's model", 0, raiz + "nfe/NFCe"},
        {"another number has no name", 57, raiz + "nfe"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(arq.GetPathNFe(rtl::EncodeDate(2024, 5, 17), "", "", row.modelo), row.expected) << row.name;
        EXPECT_TRUE(rtl::DirectoryExists(row.expected)) << row.name;
    }

    EXPECT_EQ(arq.GetPathInu(), raiz + "inu/Inu");
    const std::string evento = raiz + "evento/Evento/" + dfe::TpEventoToDescStr(dfe::teCCe);
    EXPECT_EQ(arq.GetPathEvento(dfe::teCCe), evento);
    EXPECT_TRUE(rtl::DirectoryExists(evento));

    // Settings without a component name the model 0 after NF-e.
    auto solta = rtl::TComponent::CreateFree<TConfiguracoesNFe>();
    solta->Arquivos().SetAdicionarLiteral(true);
    solta->Arquivos().SetPathNFe(raiz + "solta");
    EXPECT_EQ(solta->Arquivos().GetPathNFe(), raiz + "solta/NFe");

    // Without the literal the folders are the settings' own.
    auto simples = rtl::TComponent::CreateFree<TOvixNFe>();
    simples->Configuracoes().Arquivos().SetPathNFe(raiz + "simples");
    simples->Configuracoes().Arquivos().SetPathEvento(raiz + "simples");
    EXPECT_EQ(simples->Configuracoes().Arquivos().GetPathNFe(0, "", "", 55), raiz + "simples");
    EXPECT_EQ(simples->Configuracoes().Arquivos().GetPathEvento(dfe::teCCe), raiz + "simples");
}

} // namespace
