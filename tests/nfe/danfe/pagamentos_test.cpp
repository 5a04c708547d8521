// Forms of payment as the DANFE prints them from a loaded file: the codes the layouts added
// later print their own descriptions, a code this program does not know prints as another
// form of payment (never as cash), and loading, which regenerates the document, writes
// every code back as the file gave it.

#include "support.h"

#include "nfe/list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using danfe_test::Componentes;
using danfe_test::TextoDe;
using danfe_test::TextosDe;

// An NFC-e paid 20.00 by PIX (17) and 5.00 by a code no table lists (77).
const std::string kPix = std::string(TEST_SOURCE_DIR) + "/fixtures/nfce400_pix.xml";

std::string Juntos(const std::vector<std::string> &linhas)
{
    std::string out;
    for (const std::string &l : linhas)
        out += (out.empty() ? "" : " ") + l;
    return out;
}

int Ocorrencias(const std::string &texto, const std::string &trecho)
{
    int n = 0;
    for (auto p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + 1))
        ++n;
    return n;
}

TEST(DANFePayments, PixAndUnknownCodesPrintTheirFormAndRegenerateAsRead)
{
    Componentes c;
    nfe::TNotasFiscais &notas = c.nfe->NotasFiscais();
    notas.LoadFromFile(kPix);
    ASSERT_EQ(notas.Count(), 1);
    const std::string regenerado = notas.Items(0).NFeW().Gerador().ArquivoFormatoXML();
    EXPECT_EQ(Ocorrencias(regenerado, "<tPag>17</tPag>"), 1) << regenerado;
    EXPECT_EQ(Ocorrencias(regenerado, "<tPag>77</tPag>"), 1) << regenerado;
    EXPECT_EQ(Ocorrencias(regenerado, "<tPag>"), 2) << "no code is invented";

    // The regenerated text read again regenerates the same codes.
    notas.Clear();
    notas.LoadFromString(regenerado);
    ASSERT_EQ(notas.Count(), 1);
    EXPECT_EQ(notas.Items(0).NFeW().Gerador().ArquivoFormatoXML(), regenerado);

    // In the payments grid...
    c.danfe->SetExibeCampoDePagamento(nfe::eipQuadro);
    const report::PreparedPage grade = c.Imprimir(notas.Items(0).NFe()).pages.at(0);
    // The grid's description cell is narrower than the longest descriptions: the text is
    // cut at the cell's edge rather than printed over the value beside it.
    EXPECT_EQ(TextoDe(grade, "RLPagDescricao0").rfind("Pagamento Instant", 0), 0u) << TextoDe(grade, "RLPagDescricao0");
    EXPECT_EQ(TextoDe(grade, "RLPagValor0"), "20,00");
    EXPECT_EQ(TextoDe(grade, "RLPagDescricao1"), "Outro");
    EXPECT_EQ(TextoDe(grade, "RLPagValor1"), "5,00");
    EXPECT_FALSE(report::findText(grade, "Dinheiro"));

    // ...and in the additional data.
    c.danfe->SetExibeCampoDePagamento(nfe::eipAdicionais);
    const report::PreparedPage adicionais = c.Imprimir(notas.Items(0).NFe()).pages.at(0);
    const std::string dados = Juntos(TextosDe(adicionais, "rlmDadosAdicionais"));
    EXPECT_NE(dados.find("Pagamento(s): (Pagamento Instantâneo (PIX) R$20,00, Outro R$5,00)"), std::string::npos)
        << dados;
}

} // namespace
