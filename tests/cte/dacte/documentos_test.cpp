// The transported documents: the table of two documents a row and its band, page 1's ten
// rows and the continuation pages that carry the rest.

#include "support.h"

#include "dfe/accesskey.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using dacte_test::CTeRodoviario;
using dacte_test::Componente;
using dacte_test::Layout;
using dacte_test::TextoDe;

// An NF-e key of number n (its check digit is not checked here).
std::string ChaveNFe(int n)
{
    std::string numero = std::to_string(n);
    numero.insert(0, 9 - numero.size(), '0');
    return "3519051122233300018155001" + numero + "1000000000";
}

std::string Padded(std::string s, std::size_t n)
{
    s.resize(n, ' ');
    return s;
}

TEST(DACTeDocumentos, DocumentsTwoToARowWithTheirColumnTitles)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.rem.CNPJCPF = "11222333000181";
    for (int n = 1; n <= 3; ++n)
        documento.infCTeNorm.infDoc.infNFe.New().chave = ChaveNFe(n);
    cte::TInfOutrosCollectionItem &nfce = documento.infCTeNorm.infDoc.infOutros.New();
    nfce.tpDoc = cte::tdNFCe;
    nfce.descOutros = " " + ChaveNFe(7) + " ";
    cte::TInfOutrosCollectionItem &outro = documento.infCTeNorm.infDoc.infOutros.New();
    outro.tpDoc = cte::tdOutros;
    outro.descOutros = "RECIBO DE ENTREGA DE MERCADORIA";
    outro.nDoc = "77";
    const Layout l(documento, *c.dacte);
    const report::PreparedPage &p = l.paginas.pages.at(0);

    const auto nfe = [](const char *tipo, int n) {
        return Padded(std::string(tipo) + ChaveNFe(n).substr(25, 9), 33) +
               Padded(dfe::FormatarChaveAcesso(ChaveNFe(n)), 54);
    };
    // Indexes 0, 2, 4 on the left; 1 and 3 on the right, each line as listed.
    EXPECT_EQ(l.janela.rlDocOrig_tpDoc1->text,
              nfe("NF-E ", 1) + "\r\n" + nfe("NF-E ", 3) + "\r\n" + Padded("Outros", 33) +
                  Padded("11.222.333/0001-81", 54) + "RECIBO DE ENTREGA DE Doc.: 77");
    EXPECT_EQ(l.janela.rlDocOrig_tpDoc2->text, nfe("NF-E ", 2) + "\r\n" + nfe("NFC-E ", 7));
    EXPECT_EQ(l.janela.rlDocOrig_tpDoc1->bounds.height(), 36) << "12 pixels a line";
    // infOutros comes last among the title rules.
    EXPECT_EQ(TextoDe(p, "rllTituloCNPJ1"), "CNPJ/CPF EMITENTE");
    EXPECT_EQ(TextoDe(p, "rllTituloSerie1"), "<none>");
    EXPECT_EQ(l.paginas.pages.size(), 1u);
}

TEST(DACTeDocumentos, RowsBeyondPageOneContinueOnLaterPages)
{
    struct Row {
        const char *name;
        int documentos;
        std::vector<int> linhasPorPagina; // rows of the left column on each page
    } rows[] = {
        {"20 documents fill page 1", 20, {10}},
        {"25 documents: 10 rows, then 3", 25, {10, 3}},
        {"180 documents: 10 rows, 71, then 9", 180, {10, 71, 9}},
    };
    for (const Row &row : rows) {
        Componente c;
        cte::TCTe documento = CTeRodoviario();
        for (int n = 1; n <= row.documentos; ++n)
            documento.infCTeNorm.infDoc.infNFe.New().chave = ChaveNFe(n);
        const report::PreparedReport r = c.Imprimir(documento);
        ASSERT_EQ(r.pages.size(), row.linhasPorPagina.size()) << row.name;
        int primeiro = 1;
        for (std::size_t i = 0; i < r.pages.size(); ++i) {
            const report::PreparedPage &p = r.pages[i];
            const std::string texto = TextoDe(p, "rlDocOrig_tpDoc1");
            const int linhas = static_cast<int>(std::count(texto.begin(), texto.end(), '\n')) + 1;
            EXPECT_EQ(linhas, row.linhasPorPagina[i]) << row.name << " page " << i + 1;
            // Rows follow one another across pages: the page's first is the next document.
            EXPECT_EQ(texto.substr(5, 9), ChaveNFe(primeiro).substr(25, 9)) << row.name << " page " << i + 1;
            primeiro += 2 * linhas;
            EXPECT_EQ(TextoDe(p, "rllPageNumber"),
                      (i < 9 ? "0" : "") + std::to_string(i + 1) + "/0" + std::to_string(r.pages.size()));
            EXPECT_EQ(dacte_test::Impresso(p, "rllNumCTe2"), i == 0) << "the stub is on page 1 only";
            EXPECT_FALSE(p.overflow) << row.name << " page " << i + 1;
        }
    }
}

TEST(DACTeDocumentos, ANoDocumentsBandNeverMakesContinuationPages)
{
    // An annulment lists no documents even when the document carries some.
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.ide.tpCTe = cte::tcAnulacao;
    for (int n = 1; n <= 40; ++n)
        documento.infCTeNorm.infDoc.infNFe.New().chave = ChaveNFe(n);
    const report::PreparedReport r = c.Imprimir(documento);
    EXPECT_EQ(r.pages.size(), 1u);
    EXPECT_FALSE(dacte_test::Impresso(r.pages[0], "rlDocOrig_tpDoc1"));
}

} // namespace
