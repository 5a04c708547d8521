#include "dfe/xmlwriter_linhas.h"

#include "rtl/currency.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace dfe::escrita;
using dfe::TGerador;

// A group model and the context a writer would build around it.
struct Pessoa {
    std::string nome;
    int idade = 0;
    rtl::Currency saldo;
    std::string fone;
};

struct Ctx {
    const Pessoa &m;
    double versao;
};

using L = Linha<Ctx>;

constexpr auto De200 = [](const Ctx &c) { return c.versao >= 2.0; };

constexpr L kContato[] = {
    {"P06", "fone", dfe::tcStr, 6, 14, 0, DigitosDe<&Pessoa::fone>, Sempre, "Telefone"},
};

constexpr L kPessoa[] = {
    {"P02", "nome", dfe::tcStr, 2, 10, 1, Membro<&Pessoa::nome>, Sempre, "Nome"},
    L::Alerta("P02", "nome", "Nome", [](const Ctx &c) { return c.m.nome == "X"; }, "Nome proibido"),
    {"P03", "idade", dfe::tcInt, 3, 3, 0, Membro<&Pessoa::idade>, Sempre, "Idade"},
    // Required from layout 2.00 on, optional before.
    {"P04", "saldo", dfe::tcDe2, 1, 15, [](const Ctx &c) { return c.versao >= 2.0 ? 1 : 0; },
     Membro<&Pessoa::saldo>, Sempre, "Saldo"},
    {"P05", "novo", dfe::tcStr, 1, 5, 1, [](const Ctx &) -> rtl::Variant { return "sim"; }, De200,
     "Novo"},
    // Four decimals from layout 2.00 on, two before.
    L::ComMedida("P05b", "taxa",
                 [](const Ctx &c) {
                     return c.versao >= 2.0 ? Medida{dfe::tcDe4, 1, 7} : Medida{dfe::tcDe2, 1, 5};
                 },
                 1, Membro<&Pessoa::saldo>, Sempre, "Taxa"),
    L::Grupo("contato", "P05a", kContato, [](const Ctx &c) { return !c.m.fone.empty(); }),
    L::Codigo([](TGerador &g, const Ctx &c) { g.wTexto(c.versao >= 2.0 ? "<v2/>" : "<v1/>"); }),
};

struct Caso {
    const char *nome;
    Pessoa pessoa;
    double versao;
    std::string xml;
    std::vector<std::string> alertas;
};

class Linhas : public ::testing::TestWithParam<Caso> {
protected:
    rtl::ScopedFormatSettings FSettings{rtl::TFormatSettings{}};
};

TEST_P(Linhas, WriteTheRowsWhoseConditionHoldsInTableOrder)
{
    const Caso &caso = GetParam();
    TGerador g;
    g.Opcoes().FormatoAlerta = "%ID%/%TAG%(%DESCRICAO%) - %MSG%";
    EscreverGrupo(g, "pessoa", "P01", kPessoa, Ctx{caso.pessoa, caso.versao});
    EXPECT_EQ(g.ArquivoFormatoXML(), caso.xml);
    const std::vector<std::string> alertas(g.ListaDeAlertas().begin(), g.ListaDeAlertas().end());
    EXPECT_EQ(alertas, caso.alertas);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Linhas,
    ::testing::Values(
        // Optional zero and empty values are left out; a required zero is written.
        Caso{"Minimo", {"Ana", 0, {}, ""}, 2.0,
             "<pessoa><nome>Ana</nome><saldo>0.00</saldo><novo>sim</novo><taxa>0.0000</taxa><v2/>"
             "</pessoa>", {}},
        // Before 2.00 the gated row is skipped and the occurrence chosen by the context
        // leaves the zero out.
        Caso{"Versao100", {"Ana", 0, {}, ""}, 1.0,
             "<pessoa><nome>Ana</nome><taxa>0.00</taxa><v1/></pessoa>", {}},
        // The nested group is written with its own rows; the alert row follows the
        // generator's own alert for the same element.
        Caso{"GrupoEAlerta", {"X", 7, rtl::Currency(12), "(11) 5555-0000"}, 2.0,
             "<pessoa><nome>X</nome><idade>007</idade><saldo>12.00</saldo><novo>sim</novo>"
             "<taxa>12.0000</taxa><contato><fone>1155550000</fone></contato><v2/></pessoa>",
             {"P02/nome(Nome) - Tamanho menor que o mínimo permitido [X]",
              "P02/nome(Nome) - Nome proibido"}}),
    [](const ::testing::TestParamInfo<Caso> &info) { return std::string(info.param.nome); });

} // namespace
