#include "dfe/xmlreader_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using dfe::IndiceDeTags;
using Offsets = std::vector<std::uint32_t>;

constexpr std::size_t npos = std::string_view::npos;

std::optional<Offsets> Lista(std::optional<IndiceDeTags::Ocorrencias> r)
{
    if (!r)
        return std::nullopt;
    return Offsets(r->begin(), r->end());
}

char Maiuscula(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Every offset where "<" + nome + fim starts, by plain comparison at each byte.
Offsets Exatas(const std::string &texto, const std::string &nome, char fim)
{
    const std::string padrao = "<" + nome + fim;
    Offsets r;
    for (std::size_t i = 0; i + padrao.size() <= texto.size(); ++i)
        if (texto.compare(i, padrao.size(), padrao) == 0)
            r.push_back(static_cast<std::uint32_t>(i));
    return r;
}

// Every offset where "<" + NAME + ">" starts, NAME compared with its ASCII letters folded.
Offsets SemCaixa(const std::string &texto, const std::string &nome)
{
    std::string dobrado = texto;
    for (char &c : dobrado)
        c = Maiuscula(c);
    return Exatas(dobrado, nome, '>');
}

TEST(IndiceDeTags, AnswersTheTrickyLookups)
{
    enum Tipo { Exata, Dobrada };
    struct Row {
        const char *name;
        std::string texto;
        Tipo tipo;
        std::string nome;
        char fim;
        std::optional<Offsets> esperado;
    } rows[] = {
        {"prefix is another name", "<det><detExport></detExport></det>", Exata, "det", '>',
         Offsets{0}},
        {"longer name", "<det><detExport></detExport></det>", Exata, "detExport", '>', Offsets{5}},
        {"closing is the name with its slash", "<det><detExport></detExport></det>", Exata,
         "/det", '>', Offsets{28}},
        {"opening with attributes", R"(<det nItem="1"><det nItem="2">)", Exata, "det", ' ',
         Offsets{0, 15}},
        {"attributes are not a plain opening", R"(<det nItem="1">)", Exata, "det", '>',
         Offsets{}},
        {"namespace prefix", "<ds:Sig>x</ds:Sig>", Exata, "ds", ':', Offsets{0}},
        {"prefixed closing", "<ds:Sig>x</ds:Sig>", Exata, "/ds", ':', Offsets{9}},
        {"self-closing is no opening", "<det/><det>", Exata, "det", '>', Offsets{6}},
        {"self-closing has its own name", "<det/><det>", Exata, "det/", '>', Offsets{0}},
        {"nested same name", "<g><g>in</g>out</g>", Exata, "/g", '>', Offsets{8, 15}},
        {"case matters", "<Det><det>", Exata, "det", '>', Offsets{5}},
        {"absent", "<a><b></b></a>", Exata, "c", '>', Offsets{}},
        {"empty name", "<><a>", Exata, "", '>', Offsets{0}},
        {"run of '<'", "<<<a>", Exata, "a", '>', Offsets{2}},
        {"name holding '<'", "<<<a>", Exata, "<<a", '>', Offsets{0}},
        {"no '>' left, blank ends", "<a>1</a><b x", Exata, "b", ' ', Offsets{8}},
        {"name ends at the text's end", "<a>1</a><b", Exata, "b", '>', Offsets{}},
        {"name with a blank", "<a b>", Exata, "a b", '>', std::nullopt},
        {"name with a colon", "<a:b>", Exata, "a:b", '>', std::nullopt},
        {"name with '>'", "<a>b>", Exata, "a>b", '>', std::nullopt},
        {"other end byte", "<a/", Exata, "a", '/', std::nullopt},
        {"name too long", "<a>", Exata, std::string(IndiceDeTags::ChaveMaxima + 1, 'a'), '>',
         std::nullopt},
        {"longest name", "<" + std::string(IndiceDeTags::ChaveMaxima, 'a') + ">", Exata,
         std::string(IndiceDeTags::ChaveMaxima, 'a'), '>', Offsets{0}},
        {"long name skipped, next one filed",
         "<" + std::string(IndiceDeTags::ChaveMaxima + 1, 'a') + "><a>", Exata, "a", '>',
         Offsets{static_cast<std::uint32_t>(IndiceDeTags::ChaveMaxima + 3)}},
        {"folded name", "<xNome>A</XNOME><xnome>", Dobrada, "XNOME", '>', Offsets{0, 16}},
        {"folded closing", "<xNome>A</XNOME>", Dobrada, "/XNOME", '>', Offsets{8}},
        {"folded name with a colon", "<ds:Sig>", Dobrada, "DS:SIG", '>', std::nullopt},
        {"folded name with a blank", "<a b>", Dobrada, "A B", '>', std::nullopt},
        {"spelled several ways", "<x><X><y><x></X>", Dobrada, "X", '>', Offsets{0, 3, 9}},
        {"several spellings, closing", "<x></x><X></X>", Dobrada, "/X", '>', Offsets{3, 10}},
        {"folded lookup must be upper case", "<xNome>", Dobrada, "xNome", '>', Offsets{}},
        {"long folded name", "<vICMSSTRetidoUFDest>", Dobrada, "VICMSSTRETIDOUFDEST", '>',
         Offsets{0}},
        {"long exact name", "<vICMSSTRetidoUFDest><vICMSSTRetidoUFDesT>", Exata,
         "vICMSSTRetidoUFDesT", '>', Offsets{21}},
        {"only letters fold", "<a`{@[\xE1z>", Dobrada, "A`{@[\xE1Z", '>', Offsets{0}},
        {"a high byte is no letter", "<\xE1>", Dobrada, "\xC1", '>', Offsets{}},
        {"only ASCII is folded", "<\xC3\xA7>", Dobrada, "\xC3\xA7", '>', Offsets{0}},
        {"folded name with '>'", "<a>", Dobrada, "A>", '>', std::nullopt},
        {"folded name too long", "<a>", Dobrada, std::string(IndiceDeTags::ChaveMaxima + 1, 'A'),
         '>', std::nullopt},
        {"no tags", "plain text", Dobrada, "A", '>', Offsets{}},
    };
    for (const auto &row : rows) {
        const IndiceDeTags indice(row.texto);
        const auto r = row.tipo == Exata ? indice.Exatas(row.nome, row.fim)
                                         : indice.SemCaixa(row.nome);
        EXPECT_EQ(Lista(r), row.esperado) << row.name;
    }
}

TEST(IndiceDeTags, PrimeiraKeepsTheMatchesInsideThePiece)
{
    const Offsets lista{2, 10, 20};
    struct Row {
        const char *name;
        std::size_t de, ate, tamanho;
        std::size_t esperado;
    } rows[] = {
        {"from the start", 0, 100, 4, 2},
        {"at the start of the piece", 10, 100, 4, 10},
        {"after the start", 11, 100, 4, 20},
        {"ends at the piece's end", 0, 6, 4, 2},
        {"overruns the piece's end", 0, 5, 4, npos},
        {"first one inside", 3, 23, 4, 10},
        {"the first inside overruns", 11, 23, 4, npos},
        {"none after", 21, 100, 4, npos},
    };
    for (const auto &row : rows)
        EXPECT_EQ(IndiceDeTags::Primeira(lista, row.de, row.ate, row.tamanho), row.esperado)
            << row.name;
    EXPECT_EQ(IndiceDeTags::Primeira({}, 0, 100, 1), npos) << "empty list";
}

TEST(IndiceDeTags, PairsALeafWithItsClosing)
{
    const IndiceDeTags indice("<a>1</a><B>2</b></c><x:y>3</x:y>");
    struct Row {
        const char *name;
        std::string nome;
        std::optional<std::pair<Offsets, Offsets>> esperado;
    } rows[] = {
        {"both", "A", std::pair{Offsets{0}, Offsets{4}}},
        {"spelled two ways", "B", std::pair{Offsets{8}, Offsets{12}}},
        {"closing only", "C", std::pair{Offsets{}, Offsets{16}}},
        {"neither", "D", std::pair{Offsets{}, Offsets{}}},
        {"lower case matches nothing", "a", std::pair{Offsets{}, Offsets{}}},
        {"colon", "X:Y", std::nullopt},
        {"closing's name too long", std::string(IndiceDeTags::ChaveMaxima, 'A'), std::nullopt},
    };
    for (const auto &row : rows) {
        const auto par = indice.SemCaixaComFechamento(row.nome);
        ASSERT_EQ(par.has_value(), row.esperado.has_value()) << row.name;
        if (par) {
            EXPECT_EQ(Lista(par->aberturas), row.esperado->first) << row.name;
            EXPECT_EQ(Lista(par->fechamentos), row.esperado->second) << row.name;
        }
    }
}

// Texts of random tag-like pieces: every lookup must list exactly the matches a plain
// comparison at every byte finds.
TEST(IndiceDeTags, ListsEveryMatchOfGeneratedTexts)
{
    const std::vector<std::string> pecas = {"<", "</", "<a", "<ab", "<A", "<aB", "<b",
                                            ">", " ", ":", "/", "x", "<a>", "</a>",
                                            "<ab:", "<a ", "\n", "'", "<<", "=\"1\""};
    const std::vector<std::string> nomes = {"", "a", "ab", "A", "AB", "aB", "b", "B",
                                            "/a", "/A", "/ab", "/AB", "<a", "x", "a/"};
    std::mt19937 gerador(20240601);
    std::uniform_int_distribution<std::size_t> peca(0, pecas.size() - 1);
    std::uniform_int_distribution<int> tamanho(0, 40);
    for (int n = 0; n < 400; ++n) {
        std::string texto;
        for (int k = tamanho(gerador); k > 0; --k)
            texto += pecas[peca(gerador)];
        const IndiceDeTags indice(texto);
        for (const std::string &nome : nomes) {
            for (const char fim : {'>', ' ', ':'})
                ASSERT_EQ(Lista(indice.Exatas(nome, fim)), Exatas(texto, nome, fim))
                    << "text " << texto << ", name " << nome << ", end " << fim;
            bool maiusculo = true;
            for (const char c : nome)
                maiusculo = maiusculo && Maiuscula(c) == c;
            if (maiusculo) {
                ASSERT_EQ(Lista(indice.SemCaixa(nome)), SemCaixa(texto, nome))
                    << "text " << texto << ", name " << nome;
                const auto par = indice.SemCaixaComFechamento(nome);
                ASSERT_TRUE(par.has_value()) << nome;
                ASSERT_EQ(Lista(par->aberturas), SemCaixa(texto, nome))
                    << "text " << texto << ", name " << nome;
                ASSERT_EQ(Lista(par->fechamentos), SemCaixa(texto, "/" + nome))
                    << "text " << texto << ", name " << nome;
            }
        }
    }
}

} // namespace
