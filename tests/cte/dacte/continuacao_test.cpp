// The transported documents band's own cases: continuation pages list what fits under the
// bands that repeat on every page, every document shows once, page 1 keeps its own bands,
// the pages come to an end whatever the band does; and every document prints whole.

#include "support.h"

#include "dfe/accesskey.h"
#include "report/paginator.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using dacte_test::Componente;
using dacte_test::CTeRodoviario;
using dacte_test::Impresso;
using dacte_test::TextoDe;

std::string ChaveNFe(int n)
{
    std::string numero = std::to_string(n);
    numero.insert(0, 9 - numero.size(), '0');
    return "3519051122233300018155001" + numero + "1000000000";
}

cte::TCTe ComChaves(cte::TCTe documento, int quantas)
{
    for (int n = 1; n <= quantas; ++n)
        documento.infCTeNorm.infDoc.infNFe.New().chave = ChaveNFe(n);
    return documento;
}

// Both halves of the documents band on every page, one text.
std::string Listados(const report::PreparedReport &r)
{
    std::string todos;
    for (const report::PreparedPage &p : r.pages)
        for (const char *memo : {"rlDocOrig_tpDoc1", "rlDocOrig_tpDoc2"}) {
            const std::string t = TextoDe(p, memo);
            if (t != "<none>")
                todos += t + "\n";
        }
    return todos;
}

std::size_t Ocorrencias(const std::string &texto, const std::string &trecho)
{
    std::size_t n = 0;
    for (std::size_t pos = texto.find(trecho); pos != std::string::npos; pos = texto.find(trecho, pos + 1))
        ++n;
    return n;
}

// Every key listed exactly once, nothing placed past the printable bottom of any page.
void ConferirPaginas(const report::PreparedReport &r, int chaves, double margemInferiorMm, const std::string &caso)
{
    const std::string listados = Listados(r);
    for (int n = 1; n <= chaves; ++n)
        ASSERT_EQ(Ocorrencias(listados, dfe::FormatarChaveAcesso(ChaveNFe(n))), 1u) << caso << ": key " << n;
    for (const report::PreparedPage &p : r.pages) {
        EXPECT_FALSE(p.overflow) << caso << ": page " << p.number;
        for (const report::PlacedBand &b : p.bands)
            EXPECT_LE(b.top + b.height, p.size.height() - report::mmToPx(margemInferiorMm) + 0.01)
                << caso << ": page " << p.number << " band " << b.name;
    }
}

TEST(DACTeContinuacao, ThirtyOneKeysPrintOnTwoPagesEachOnce)
{
    Componente c;
    const report::PreparedReport r = c.Imprimir(ComChaves(CTeRodoviario(), 31));
    ASSERT_EQ(r.pages.size(), 2u);
    ConferirPaginas(r, 31, c.dacte->MargemInferior(), "31 keys");
    // Page 1 holds ten rows; the 11th key opens page 2 on its left half.
    EXPECT_EQ(TextoDe(r.pages[1], "rlDocOrig_tpDoc1").substr(0, 14), "NF-E " + ChaveNFe(21).substr(25, 9));
    EXPECT_EQ(Ocorrencias(TextoDe(r.pages[1], "rlDocOrig_tpDoc2"), "\n"), 4u) << "keys 22 to 30 on the right";
}

TEST(DACTeContinuacao, HundredsOfKeysFillOnlyWhatEachPageHolds)
{
    // The bands under the documents that repeat on every page, and wider margins, leave
    // less room for rows than the 71 a page may hold.
    struct Caso {
        const char *nome;
        cte::TCTe documento;
        double margemSuperior, margemInferior;
    };
    cte::TCTe multimodal = CTeRodoviario();
    multimodal.ide.modal = dfe::mdMultimodal;
    cte::TCTe substituto = CTeRodoviario();
    substituto.ide.tpCTe = cte::tcSubstituto;
    substituto.infCTeNorm.infCteSub.chCte = ChaveNFe(900);
    cte::TCTe ambos = multimodal;
    ambos.ide.tpCTe = cte::tcSubstituto;
    Caso casos[] = {
        {"road, default margins", CTeRodoviario(), 8, 8},
        {"insurance on every page", multimodal, 8, 8},
        {"substituted CT-e on every page", substituto, 8, 8},
        {"both", ambos, 8, 8},
        {"insurance, 15 mm margins", multimodal, 15, 15},
    };
    constexpr int kChaves = 400;
    for (Caso &caso : casos) {
        Componente c;
        c.dacte->SetMargemSuperior(caso.margemSuperior);
        c.dacte->SetMargemInferior(caso.margemInferior);
        const report::PreparedReport r = c.Imprimir(ComChaves(caso.documento, kChaves));
        ConferirPaginas(r, kChaves, caso.margemInferior, caso.nome);
        ASSERT_GE(r.pages.size(), 4u) << caso.nome;
        for (std::size_t i = 1; i < r.pages.size(); ++i) {
            const std::string esquerda = TextoDe(r.pages[i], "rlDocOrig_tpDoc1");
            const std::size_t linhas = Ocorrencias(esquerda, "\n") + 1;
            EXPECT_LE(linhas, 71u) << caso.nome << " page " << i + 1;
            // A full page leaves less than a row free at its bottom.
            if (i + 1 < r.pages.size()) {
                const report::PreparedPage &p = r.pages[i];
                double fundo = 0;
                for (const report::PlacedBand &b : p.bands)
                    fundo = std::max(fundo, b.top + b.height);
                EXPECT_TRUE(linhas == 71 || p.size.height() - report::mmToPx(caso.margemInferior) - fundo < 12)
                    << caso.nome << " page " << i + 1 << ": " << linhas << " rows";
            }
            EXPECT_FALSE(Impresso(r.pages[i], "rlmObs")) << "observations are on page 1 only";
        }
    }
}

TEST(DACTeContinuacao, PageOneKeepsItsOwnBandsWhenDocumentsContinue)
{
    // A full load below layout 3.00 with its own road band and the stub at the foot.
    Componente c;
    c.dacte->SetPosCanhoto(dfe::prRodape);
    cte::TCTe documento = ComChaves(CTeRodoviario(), 60);
    documento.infCTe.versao = 2.0;
    documento.infCTeNorm.rodo.lota = cte::ltSim;
    const report::PreparedReport r = c.Imprimir(documento);
    ASSERT_EQ(r.pages.size(), 2u);
    const auto nomes = [](const report::PreparedPage &p) {
        std::vector<std::string> n;
        for (const report::PlacedBand &b : p.bands)
            if (b.height > 0)
                n.push_back(b.name);
        return n;
    };
    const std::vector<std::string> primeira = nomes(r.pages[0]);
    for (const char *banda : {"rlb_11_ModRodLot104", "rlb_16_DadosExcEmitente", "rlb_17_Sistema", "rlb_18_Recibo"})
        EXPECT_NE(std::find(primeira.begin(), primeira.end(), banda), primeira.end()) << banda;
    EXPECT_EQ(nomes(r.pages[1]), (std::vector<std::string>{"rlb_02_Cabecalho", "rlb_07_HeaderItens"}));
}

TEST(DACTeContinuacao, PagesEndWhenTheDocumentsBandTakesNoRows)
{
    // A documents band kept off the page never moves through the rows: the report stops
    // rather than repeat the same page until the engine gives up.
    Componente c;
    const cte::TCTe documento = ComChaves(CTeRodoviario(), 60);
    cte::TfrmDACTeRLRetrato janela;
    janela.fpCTe = &documento;
    janela.fpDACTe = c.dacte;
    janela.rlb_07_HeaderItens->visible = false;
    const report::PreparedReport r = report::prepare(janela.RLCTe, report::QtTextMeasurer());
    EXPECT_LE(r.pages.size(), 2u);
}

TEST(DACTeContinuacao, APreviousBillOfLadingIsListedWithoutAType)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    cte::TEmiDocAntCollectionItem &emissor = documento.infCTeNorm.docAnt.emiDocAnt.New();
    emissor.CNPJCPF = "11222333000181";
    cte::TIdDocAntCollectionItem &grupo = emissor.idDocAnt.New();
    for (const auto tipo : {cte::daCTRC, cte::daBL, cte::daDTA}) {
        cte::TIdDocAntPapCollectionItem &p = grupo.idDocAntPap.New();
        p.tpDoc = tipo;
        p.serie = "1";
        p.nDoc = std::to_string(100 + static_cast<int>(tipo));
    }
    const auto linha = [](const std::string &tipo, int n) {
        std::string t = tipo, emissor = "11.222.333/0001-81";
        t.resize(33, ' ');
        emissor.resize(54, ' ');
        return t + emissor + "1-" + std::to_string(n);
    };
    const report::PreparedReport r = c.Imprimir(documento);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_EQ(TextoDe(r.pages[0], "rlDocOrig_tpDoc1"),
              linha("CTRC", 100 + cte::daCTRC) + "\n" + linha("DTA", 100 + cte::daDTA));
    // The bill of lading keeps its place: the right half of the first row.
    EXPECT_EQ(TextoDe(r.pages[0], "rlDocOrig_tpDoc2"), linha("", 100 + cte::daBL));
}

TEST(DACTeContinuacao, LongDocumentTextsPrintWhole)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.rem.CNPJCPF = "11222333000181";
    cte::TInfOutrosCollectionItem &outro = documento.infCTeNorm.infDoc.infOutros.New();
    outro.tpDoc = cte::tdOutros;
    outro.descOutros = "RECIBO DE ENTREGA DE MERCADORIA";
    outro.nDoc = "12345678901234567890";
    cte::TInfOutrosCollectionItem &duto = documento.infCTeNorm.infDoc.infOutros.New();
    duto.tpDoc = cte::tdDutoviario;
    duto.nDoc = "12345678901234567890";
    for (int n = 1; n <= 2; ++n)
        documento.infCTeNorm.infDoc.infNFe.New().chave = ChaveNFe(n);
    const report::PreparedReport r = c.Imprimir(documento);
    const std::string emissor = "11.222.333/0001-81" + std::string(36, ' ');
    // The NF-e keys come first: left NF-e 1, right NF-e 2, then the two others.
    const std::string esquerda = TextoDe(r.pages.at(0), "rlDocOrig_tpDoc1");
    const std::string direita = TextoDe(r.pages.at(0), "rlDocOrig_tpDoc2");
    EXPECT_EQ(esquerda.substr(esquerda.find('\n') + 1),
              "Outros" + std::string(27, ' ') + emissor + "RECIBO DE ENTREGA DE Doc.: 12345678901234567890");
    EXPECT_EQ(direita.substr(direita.find('\n') + 1),
              "DUTO" + std::string(29, ' ') + emissor + "Dutoviário Doc.: 12345678901234567890");
    // The shorter lines of the same page keep their keys whole too.
    EXPECT_NE(esquerda.find(dfe::FormatarChaveAcesso(ChaveNFe(1))), std::string::npos);
}

} // namespace
