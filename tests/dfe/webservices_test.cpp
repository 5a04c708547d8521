#include "dfe/codes.h"
#include "dfe/component.h"
#include "dfe/exception.h"
#include "dfe/settings.h"
#include "dfe/webservices.h"

#include "rtl/classes.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/inifile.h"
#include "rtl/stringlist.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

using dfe::TConfiguracoes;
using dfe::TOvixDFe;
using dfe::taHomologacao;
using dfe::taProducao;

std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const dfe::EOvixDFeException &e) {
        return e.Message();
    } catch (const rtl::Exception &e) {
        return "rtl: " + e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

// A family's settings naming its list and where the file beside the executable would be.
class TConfiguracoesLista : public TConfiguracoes {
public:
    TConfiguracoesLista(rtl::TComponent *AOwner, std::string recurso, std::string arquivo)
        : TConfiguracoes(AOwner), FRecurso(std::move(recurso)), FArquivo(std::move(arquivo))
    {
    }
    void AfterConstruction() override
    {
        TConfiguracoes::AfterConstruction();
        WebServices().SetResourceName(FRecurso);
        Arquivos().SetIniServicos(FArquivo);
    }

private:
    std::string FRecurso;
    std::string FArquivo;
};

class TOvixDFeLista : public TOvixDFe {
public:
    TOvixDFeLista(rtl::TComponent *AOwner, std::string recurso, std::string arquivo,
                  std::string schemaDoServico = "")
        : TOvixDFe(AOwner), FRecurso(std::move(recurso)), FArquivo(std::move(arquivo)),
          FSchema(std::move(schemaDoServico))
    {
    }
    TConfiguracoes *CreateConfiguracoes() override
    {
        return rtl::TComponent::Create<TConfiguracoesLista>(this, FRecurso, FArquivo);
    }
    std::string NomeServicoToNomeSchema(std::string_view) override { return FSchema; }

private:
    std::string FRecurso;
    std::string FArquivo;
    std::string FSchema;
};

// A folder for the list file that is never there unless a test writes it.
class ListaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FTmp.isValid()); }
    std::string Arquivo(const char *nome) const { return FTmp.path().toStdString() + "/" + nome; }

    rtl::TComponentPtr<TOvixDFeLista> Componente(const char *recurso, const std::string &arquivo = "")
    {
        return rtl::TComponent::CreateFree<TOvixDFeLista>(
            std::string(recurso), arquivo.empty() ? Arquivo("ausente.ini") : arquivo);
    }

    static rtl::TStringList Linhas(std::string_view texto)
    {
        rtl::TStringList lines;
        lines.SetText(texto);
        return lines;
    }

private:
    QTemporaryDir FTmp;
};

// ---- The lists carried in the program ----------------------------------------------------

TEST(ListaRecurso, TheThreeListsAreCarriedAndFoundRegardlessOfCase)
{
    struct Row {
        const char *name;
        const char *recurso;
        const char *section;
    } rows[] = {
        {"NF-e", "OvixNFeServicos", "[NFCe_SVA_H]"},
        {"CT-e, lower case", "ovixcteservicos", "[CTeOS_SP_P]"},
        {"MDF-e, upper case", "OVIXMDFESERVICOS", "[MDFe_SVA_P]"},
    };
    for (const Row &row : rows) {
        const std::string text = dfe::LerRecurso(row.recurso);
        EXPECT_EQ(text.rfind(";", 0), 0u) << row.name << ": begins with its comment";
        EXPECT_NE(text.find(".invalid"), std::string::npos) << row.name << ": placeholder addresses";
        EXPECT_NE(text.find(row.section), std::string::npos) << row.name;
    }
    EXPECT_EQ(ErroDe([] { dfe::LerRecurso("OvixServicos"); }), "rtl: Resource OvixServicos not found");
}

TEST_F(ListaTest, TheBaseResourceNameHasNoList)
{
    auto dfe = rtl::TComponent::CreateFree<TOvixDFe>();
    ASSERT_FALSE(rtl::FileExists(dfe->Configuracoes().Arquivos().IniServicos()));
    std::string url;
    double versao = 4.00;
    EXPECT_EQ(ErroDe([&] { dfe->LerServicoDeParams("NFe", "SP", taHomologacao, "NFeStatusServico", versao, url); }),
              "rtl: Resource OvixServicos not found");
}

// ---- Lookups in the carried lists ------------------------------------------------------

TEST_F(ListaTest, LookupsFollowVersionsAndRedirects)
{
    struct Row {
        const char *name;
        const char *recurso;
        const char *modelo;
        const char *uf;
        dfe::TpcnTipoAmbiente ambiente;
        const char *servico;
        double versao;
        const char *expectedURL;
        double expectedVersao;
    } rows[] = {
        {"exact version", "OvixNFeServicos", "NFe", "MG", taHomologacao, "NFeStatusServico", 4.00,
         "https://homologacao.mg.exemplo.invalid/nfe/nfestatusservico_4.00", 4.00},
        {"highest version not above", "OvixNFeServicos", "NFe", "MG", taHomologacao, "NFeStatusServico", 3.50,
         "https://homologacao.mg.exemplo.invalid/nfe/nfestatusservico_3.10", 3.10},
        {"key with one decimal", "OvixNFeServicos", "NFe", "MG", taProducao, "NfeConsultaCadastro", 2.00,
         "https://producao.mg.exemplo.invalid/nfe/nfeconsultacadastro_2.0", 2.0},
        {"the same key with two decimals", "OvixNFeServicos", "NFe", "PR", taHomologacao, "NFeConsultaCadastro",
         2.00, "https://homologacao.pr.exemplo.invalid/nfe/nfeconsultacadastro_2.00", 2.00},
        {"service name in another case", "OvixNFeServicos", "NFe", "MG", taProducao, "nfeconsultacadastro", 3.10,
         "https://producao.mg.exemplo.invalid/nfe/nfeconsultacadastro_3.10", 3.10},
        {"state with only a redirect", "OvixNFeServicos", "NFe", "RJ", taProducao, "NFeAutorizacao", 4.00,
         "https://producao.sva.exemplo.invalid/nfe/nfeautorizacao_4.00", 4.00},
        {"own address before the redirect", "OvixNFeServicos", "NFe", "MA", taHomologacao,
         "CadConsultaCadastro", 4.00, "https://homologacao.ma.exemplo.invalid/nfe/cadconsultacadastro_4.00", 4.00},
        {"the rest redirected", "OvixNFeServicos", "NFe", "MA", taHomologacao, "NFeStatusServico", 3.10,
         "https://homologacao.svb.exemplo.invalid/nfe/nfestatusservico_3.10", 3.10},
        {"the authority's registry when the state keeps none", "OvixNFeServicos", "NFe", "RJ", taProducao,
         "NfeConsultaCadastro", 4.00, "https://producao.sva.exemplo.invalid/nfe/nfeconsultacadastro_4.00", 4.00},
        {"NFC-e QR address of the state", "OvixNFeServicos", "NFCe", "RJ", taProducao, "URL-QRCode", 2.00,
         "https://producao.rj.exemplo.invalid/nfce/url-qrcode_2.00", 2.00},
        {"bare key when no version qualifies", "OvixNFeServicos", "NFCe", "RJ", taProducao, "URL-QRCode", 0.50,
         "https://producao.rj.exemplo.invalid/nfce/url-qrcode", 0.50},
        {"NFC-e services at the authority", "OvixNFeServicos", "NFCe", "RJ", taProducao, "NFeAutorizacao", 4.00,
         "https://producao.sva.exemplo.invalid/nfce/nfeautorizacao_4.00", 4.00},
        {"NFC-e state with even its QR address at the authority", "OvixNFeServicos", "NFCe", "AC", taHomologacao,
         "URL-QRCode", 2.00, "https://homologacao.sva.exemplo.invalid/nfce/url-qrcode_2.00", 2.00},
        {"NFC-e state with its own services", "OvixNFeServicos", "NFCe", "SP", taProducao, "NFeAutorizacao", 4.00,
         "https://producao.sp.exemplo.invalid/nfce/nfeautorizacao_4.00", 4.00},
        {"two redirects: CT-e OS, the state, the authority", "OvixCTeServicos", "CTeOS", "RJ", taProducao,
         "CTeStatusServico", 3.00, "https://producao.sva.exemplo.invalid/cte/ctestatusservico_3.00", 3.00},
        {"a state served by another state", "OvixCTeServicos", "CTe", "PE", taHomologacao, "CTeRecepcao", 3.00,
         "https://homologacao.sp.exemplo.invalid/cte/cterecepcao_3.00", 3.00},
        {"MDF-e", "OvixMDFeServicos", "MDFe", "BA", taProducao, "MDFeRecepcao", 3.00,
         "https://producao.sva.exemplo.invalid/mdfe/mdferecepcao_3.00", 3.00},
    };
    for (const Row &row : rows) {
        auto dfe = Componente(row.recurso);
        double versao = row.versao;
        std::string url;
        dfe->LerServicoDeParams(row.modelo, row.uf, row.ambiente, row.servico, versao, url);
        EXPECT_EQ(url, row.expectedURL) << row.name;
        EXPECT_DOUBLE_EQ(versao, row.expectedVersao) << row.name;
        EXPECT_EQ(dfe->LerURLDeParams(row.modelo, row.uf, row.ambiente, row.servico, row.versao), row.expectedURL)
            << row.name;
        EXPECT_DOUBLE_EQ(dfe->LerVersaoDeParams(row.modelo, row.uf, row.ambiente, row.servico, row.versao),
                         row.expectedVersao)
            << row.name;
    }
}

TEST_F(ListaTest, WSDLAndSoapActionComeFromTheSectionsTheyName)
{
    struct Row {
        const char *name;
        const char *modelo;
        const char *uf;
        const char *expectedServico;
        const char *expectedSoap;
    } rows[] = {
        // In the carried list only the Bahia sections name an answer section.
        {"Bahia's SOAP actions", "NFe", "BA", "", "urn:exemplo:soap-ba:NFeAutorizacao"},
        {"the same for its NFC-e", "NFCe", "BA", "", "urn:exemplo:soap-ba:NFeAutorizacao"},
        {"a state naming none", "NFe", "SP", "", ""},
        {"nor does the authority it redirects to", "NFe", "RJ", "", ""},
        // A list of our own: the redirected-to section names both.
        {"from the section reached by redirect", "NFe", "AA", "https://aut.invalid/autorizacao?wsdl",
         "urn:aut:NFeAutorizacao"},
    };
    auto carregada = Componente("OvixNFeServicos");
    auto propria = Componente("OvixNFeServicos");
    propria->Configuracoes().WebServices().SetParams(Linhas("[NFe_AA_P]\r\n"
                                                            "Usar=NFe_AUT_P\r\n"
                                                            "[NFe_AUT_P]\r\n"
                                                            "NFeAutorizacao_4.00=https://aut.invalid/autorizacao\r\n"
                                                            "WSDL=W\r\n"
                                                            "SoapAction=S\r\n"
                                                            "[W]\r\n"
                                                            "NFeAutorizacao_4.00=https://aut.invalid/autorizacao?wsdl\r\n"
                                                            "[S]\r\n"
                                                            "NFeAutorizacao_4.00=urn:aut:NFeAutorizacao\r\n"));
    for (const Row &row : rows) {
        TOvixDFeLista &dfe = std::string_view(row.uf) == "AA" ? *propria : *carregada;
        double versao = 4.00;
        std::string url, servico = "stale", soap = "stale";
        dfe.LerServicoDeParams(row.modelo, row.uf, taProducao, "NFeAutorizacao", versao, url, servico, soap);
        EXPECT_FALSE(url.empty()) << row.name;
        EXPECT_EQ(servico, row.expectedServico) << row.name;
        EXPECT_EQ(soap, row.expectedSoap) << row.name;
        EXPECT_DOUBLE_EQ(versao, 4.00) << row.name;
    }
}

// What a state's section of a carried list does: "own" when it holds its addresses
// itself, otherwise the services it keeps (versions left out) and, after "->", the section
// it sends the rest to, named without its environment and with the state as "UF".
std::string Papel(const rtl::TMemIniFile &ini, const std::string &secao, const std::string &uf, char ambiente)
{
    if (!ini.SectionExists(secao))
        return "missing";
    rtl::TStringList chaves;
    ini.ReadSection(secao, chaves);
    std::set<std::string> servicos;
    for (const std::string &chave : chaves)
        if (chave != "Usar")
            servicos.insert(chave.substr(0, chave.find('_')));
    const std::string usar = ini.ReadString(secao, "Usar", "");
    if (usar.empty())
        return "own";
    std::string papel;
    for (const std::string &servico : servicos)
        papel += servico + " ";
    const std::string sufixo = std::string("_") + ambiente;
    if (!usar.ends_with(sufixo))
        return papel + "-> another environment: " + usar;
    std::string destino = usar.substr(0, usar.size() - sufixo.size());
    if (destino.ends_with("_" + uf))
        destino.replace(destino.size() - uf.size(), uf.size(), "UF");
    return papel + "-> " + destino;
}

TEST_F(ListaTest, EveryStateOfTheCarriedListsHasItsSectionsAndTheirRedirects)
{
    struct Row {
        const char *name;
        const char *recurso;
        const char *modelo;
        const char *servico; // looked up for every state, in both environments
        double versao;
        std::map<std::string, int> papeis; // role -> sections of the 27 states x 2 environments
    } rows[] = {
        {"NF-e: 14 states at the first virtual authority, 2 keep their registry only", "OvixNFeServicos", "NFe",
         "NFeStatusServico", 4.00,
         {{"own", 22}, {"-> NFe_SVA", 28}, {"CadConsultaCadastro -> NFe_SVB", 4}}},
        {"NFC-e: 17 states keep their consultation and QR addresses only, 1 nothing", "OvixNFeServicos", "NFCe",
         "URL-QRCode", 2.00,
         {{"own", 18}, {"-> NFCe_SVA", 2}, {"URL-ConsultaNFCe URL-QRCode -> NFCe_SVA", 34}}},
        {"CT-e: 21 states keep their registry and national events only, 1 nothing", "OvixCTeServicos", "CTe",
         "CTeStatusServico", 3.00,
         {{"own", 10},
          {"-> CTe_SVA", 2},
          {"CTeConsultaCadastro RecepcaoEventoAN -> CTe_SVA", 36},
          {"CTeConsultaCadastro RecepcaoEventoAN -> CTe_SP", 6}}},
        {"CT-e OS: always the state's CT-e section", "OvixCTeServicos", "CTeOS", "CTeRecepcaoOS", 3.00,
         {{"-> CTe_UF", 54}}},
        {"MDF-e: every state at the one authority", "OvixMDFeServicos", "MDFe", "MDFeRecepcao", 3.00,
         {{"-> MDFe_SVA", 54}}},
    };
    for (const Row &row : rows) {
        rtl::TMemIniFile ini;
        rtl::TStringList linhas;
        linhas.SetText(dfe::LerRecurso(row.recurso));
        ini.SetStrings(linhas);
        auto dfe = Componente(row.recurso);
        std::map<std::string, int> papeis;
        for (const std::string_view uf : dfe::DFeUF) {
            for (const auto &[ambiente, letra] : {std::pair{taProducao, 'P'}, std::pair{taHomologacao, 'H'}}) {
                const std::string secao = std::string(row.modelo) + "_" + std::string(uf) + "_" + letra;
                ++papeis[Papel(ini, secao, std::string(uf), letra)];
                EXPECT_NE(dfe->LerURLDeParams(row.modelo, uf, ambiente, row.servico, row.versao), "")
                    << row.name << ": " << secao;
            }
        }
        EXPECT_EQ(papeis, row.papeis) << row.name;
    }
}

// ---- Errors ------------------------------------------------------------------------------

TEST_F(ListaTest, LookupErrorsNameTheSectionAndTheList)
{
    const char *lista =
        "[NFe_XX_H]\r\n"
        "; a section with nothing but comments counts as missing\r\n"
        "[NFe_SP_H]\r\n"
        "NFeStatusServico_4.00=https://a.invalid/status\r\n"
        "[NFe_AA_H]\r\n"
        "Usar=NFe_BB_H\r\n"
        "[NFe_BB_H]\r\n"
        "Usar=NFe_AA_H\r\n"
        "[NFe_RJ_H]\r\n"
        "Usar=NFe_FALTA_H\r\n"
        "[NFe_Y_H]\r\n"
        "Usar=Y_H\r\n"
        "[Y_H]\r\n"
        "Usar=NFe_SP_H\r\n";
    struct Row {
        const char *name;
        const char *modelo;
        const char *uf;
        const char *servico;
        std::string expected;
    } rows[] = {
        {"empty model", "", "SP", "NFeStatusServico", "ModeloDFe não pode ser vazio"},
        {"empty state", "NFe", "", "NFeStatusServico", "UF não pode ser vazia"},
        {"missing section", "NFe", "MG", "NFeStatusServico",
         "Sessão \"NFe_MG_H\", não encontrada no arquivo \"OvixNFeServicos\""},
        {"section with only comments", "NFe", "XX", "NFeStatusServico",
         "Sessão \"NFe_XX_H\", não encontrada no arquivo \"OvixNFeServicos\""},
        {"service missing and no redirect", "NFe", "SP", "NFeAutorizacao",
         "URL para o serviço \"NFeAutorizacao\" não encontrada na sessão \"NFe_SP_H\" no arquivo \"OvixNFeServicos\""},
        {"redirect to a missing section", "NFe", "RJ", "NFeStatusServico",
         "Sessão \"NFe_FALTA_H\", não encontrada no arquivo \"OvixNFeServicos\""},
        {"circular redirect", "NFe", "AA", "NFeStatusServico",
         "Redirecionamento circular detectado: Sessão \"NFe_AA_H\" no arquivo \"OvixNFeServicos\""},
        // Sections met are found by a plain search in their joined names, so a section
        // whose name lies inside one met before counts as met.
        {"name inside a section met before", "NFe", "Y", "NFeStatusServico",
         "Redirecionamento circular detectado: Sessão \"Y_H\" no arquivo \"OvixNFeServicos\""},
    };
    auto dfe = Componente("OvixNFeServicos");
    dfe->Configuracoes().WebServices().SetParams(Linhas(lista));
    for (const Row &row : rows) {
        double versao = 4.00;
        std::string url;
        EXPECT_EQ(ErroDe([&] { dfe->LerServicoDeParams(row.modelo, row.uf, taHomologacao, row.servico, versao, url); }),
                  row.expected)
            << row.name;
    }

    // The single-key read answers nothing for a missing section and leaves the version.
    double versao = 4.00;
    std::string url = "stale";
    dfe->LerServicoChaveDeParams("NFe_MG_H", "NFeStatusServico", versao, url);
    EXPECT_EQ(url, "");
    EXPECT_DOUBLE_EQ(versao, 4.00);
}

// ---- Where the list comes from -----------------------------------------------------------

TEST_F(ListaTest, TheFileBesideTheExecutableReplacesTheCarriedList)
{
    const std::string arquivo = Arquivo("OvixNFeServicos.ini");
    rtl::WriteFileBytes(arquivo, "\xEF\xBB\xBF[NFe_SP_H]\nNFeStatusServico_4.00=https://arquivo.invalid/status\n");
    auto dfe = Componente("OvixNFeServicos", arquivo);

    double versao = 4.00;
    std::string url;
    dfe->LerServicoDeParams("NFe", "SP", taHomologacao, "NFeStatusServico", versao, url);
    EXPECT_EQ(url, "https://arquivo.invalid/status");
    EXPECT_EQ(dfe->Configuracoes().WebServices().Params().Count(), 2);
    // Messages name the list, even when it came from the file.
    EXPECT_EQ(ErroDe([&] { dfe->LerServicoDeParams("NFe", "SP", taHomologacao, "NFeAutorizacao", versao, url); }),
              "URL para o serviço \"NFeAutorizacao\" não encontrada na sessão \"NFe_SP_H\" no arquivo \"OvixNFeServicos\"");
    EXPECT_EQ(ErroDe([&] { dfe->LerServicoDeParams("NFe", "RJ", taHomologacao, "NFeStatusServico", versao, url); }),
              "Sessão \"NFe_RJ_H\", não encontrada no arquivo \"OvixNFeServicos\"")
        << "nothing of the carried list";
}

TEST_F(ListaTest, TheListIsLoadedOnceUnlessAskedAgain)
{
    const std::string arquivo = Arquivo("lista.ini");
    rtl::WriteFileBytes(arquivo, "[NFe_SP_H]\r\nNFeStatusServico_4.00=https://arquivo.invalid/status\r\n");
    auto dfe = Componente("OvixNFeServicos", arquivo);
    dfe::TWebServicesConf &ws = dfe->Configuracoes().WebServices();

    // Params given before the first lookup win over the file read at construction.
    ws.SetParams(Linhas("[NFe_SP_H]\r\nNFeStatusServico_4.00=https://params.invalid/um\r\n"));
    EXPECT_EQ(dfe->LerURLDeParams("NFe", "SP", taHomologacao, "NFeStatusServico", 4.00), "https://params.invalid/um");

    ws.SetParams(Linhas("[NFe_SP_H]\r\nNFeStatusServico_4.00=https://params.invalid/dois\r\n"));
    EXPECT_EQ(dfe->LerURLDeParams("NFe", "SP", taHomologacao, "NFeStatusServico", 4.00), "https://params.invalid/um")
        << "later lookups reuse the loaded list";
    dfe->LerParamsIni(false);
    EXPECT_EQ(dfe->LerURLDeParams("NFe", "SP", taHomologacao, "NFeStatusServico", 4.00), "https://params.invalid/dois");
}

TEST_F(ListaTest, ParamsFromANamedFile)
{
    auto dfe = Componente("OvixNFeServicos");
    const std::string ausente = Arquivo("nao-existe.ini");
    EXPECT_EQ(ErroDe([&] { dfe->Configuracoes().LerParams(ausente); }),
              "Arquivo de Parâmetro não encontrado: " + ausente);

    const std::string arquivo = Arquivo("params.ini");
    rtl::WriteFileBytes(arquivo, "[MDFe_SP_P]\r\nUsar=MDFe_SVA_P\r\n");
    dfe->Configuracoes().LerParams(arquivo);
    EXPECT_EQ(dfe->Configuracoes().WebServices().Params().Text(), "[MDFe_SP_P]\r\nUsar=MDFe_SVA_P\r\n");

    // LerParams of the web-service part prefers the file, else the carried list.
    dfe::TWebServicesConf &ws = dfe->Configuracoes().WebServices();
    ws.LerParams();
    EXPECT_NE(ws.Params().IndexOf("[NFe_SVA_P]"), -1) << "no file: the carried list";
    dfe->Configuracoes().Arquivos().SetIniServicos(arquivo);
    ws.LerParams();
    EXPECT_EQ(ws.Params().Count(), 2) << "the file";
}

TEST_F(ListaTest, TheSchemaVersionHasTheLastWord)
{
    const std::string schemas = Arquivo("schemas");
    ASSERT_TRUE(rtl::ForceDirectories(schemas));
    rtl::WriteFileBytes(schemas + "/consStatServ_v3.10.xsd", "<xs:schema/>");

    auto dfe = rtl::TComponent::CreateFree<TOvixDFeLista>(std::string("OvixNFeServicos"), Arquivo("ausente.ini"),
                                                          std::string("consStatServ"));
    dfe->Configuracoes().Arquivos().SetPathSchemas(schemas);
    double versao = 4.00;
    std::string url;
    dfe->LerServicoDeParams("NFe", "SP", taHomologacao, "NFeStatusServico", versao, url);
    EXPECT_EQ(url, "https://homologacao.sp.exemplo.invalid/nfe/nfestatusservico_4.00");
    EXPECT_DOUBLE_EQ(versao, 3.10) << "the version of the schema found";
}

} // namespace
