// The portrait DANFE written to PDF and read back with pdftotext: a one-item document, fifty
// items over several pages, and additional data that continues after the items.

#include "itens_fixtures.h"

#include "report/outputs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

using danfe_test::CodigoItem;
using danfe_test::Componentes;
using danfe_test::NotaComDadosLongos;
using danfe_test::NotaComItens;
using danfe_test::Termo;
using nfe::TNFe;

std::size_t Ocorrencias(const std::string &texto, const std::string &palavra)
{
    std::size_t n = 0;
    for (std::size_t p = texto.find(palavra); p != std::string::npos; p = texto.find(palavra, p + palavra.size()))
        ++n;
    return n;
}

TEST(DANFeExportacao, PDFsOfTheItemAndAdditionalDataFixturesReadBackWhole)
{
    if (!report::test::havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    struct Row {
        const char *name;
        TNFe nfe;
        int itens, termos;
        int paginasMinimas;
        std::vector<std::pair<int, std::string>> frases; // page, a phrase on one line of it
    } rows[] = {
        {"one item",
         NotaComItens(1),
         1,
         0,
         1,
         {{1, "DADOS DO PRODUTO / SERVIÇOS"}, {1, "ITEM001 MERCADORIA DE TESTE 1 84713012 000 5102 UN 2,00 5,00"}}},
        {"fifty items",
         NotaComItens(50),
         50,
         0,
         2,
         {{1, "DADOS DO PRODUTO / SERVIÇOS"}, {2, "CONTINUAÇÃO DOS DADOS DO PRODUTO / SERVIÇOS"},
          {2, "ITEM050 MERCADORIA DE TESTE 50"}}},
        {"long additional data",
         NotaComDadosLongos(3, 400),
         3,
         400,
         2,
         {{1, "INFORMAÇÕES COMPLEMENTARES"},
          {1, "termo0001 termo0002"},
          {2, "CONTINUAÇÃO DAS INFORMAÇÕES COMPLEMENTARES"},
          {2, "termo0399 termo0400"}}},
    };
    for (const Row &row : rows) {
        QTemporaryDir pasta;
        ASSERT_TRUE(pasta.isValid());
        Componentes c;
        c.danfe->SetPathPDF(pasta.path().toStdString() + "/");
        c.danfe->ImprimirDANFEPDF(&row.nfe);
        const QString arquivo = QString::fromStdString(c.danfe->ArquivoPDF());

        const int paginas = std::stoi(report::test::infoValue(report::test::pdfInfoOf(arquivo), "Pages"));
        ASSERT_GE(paginas, row.paginasMinimas) << row.name;
        std::string tudo;
        for (int pagina = 1; pagina <= paginas; ++pagina) {
            const auto texto = report::test::pdfText(arquivo, pagina);
            ASSERT_TRUE(texto.has_value()) << row.name;
            // pdftotext -layout keeps the words of a line apart by blanks as wide as the
            // gaps; one blank is enough to compare phrases.
            std::string simples;
            for (char ch : *texto)
                if (!(ch == ' ' && !simples.empty() && simples.back() == ' '))
                    simples += ch;
            for (const auto &[naPagina, frase] : row.frases) {
                if (naPagina == pagina) {
                    EXPECT_NE(simples.find(frase), std::string::npos)
                        << row.name << ", page " << pagina << ": " << frase << "\n" << *texto;
                }
            }
            EXPECT_NE(texto->find("fl. " + std::to_string(pagina) + "/" + std::to_string(paginas)), std::string::npos)
                << row.name << ", page " << pagina;
            tudo += *texto;
        }
        for (int i = 1; i <= row.itens; ++i)
            EXPECT_EQ(Ocorrencias(tudo, CodigoItem(i)), 1u) << row.name << ": " << CodigoItem(i);
        for (int i = 1; i <= row.termos; ++i)
            EXPECT_EQ(Ocorrencias(tudo, Termo(i)), 1u) << row.name << ": " << Termo(i);
    }
}

} // namespace
