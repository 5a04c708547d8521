#include "dfe/xmlreader.h"
#include "dfe/xmlreader_campos.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/streams.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using dfe::TLeitor;
using rtl::Variant;

Variant Data(int y, int m, int d)
{
    return Variant::FromDateTime(rtl::EncodeDate(y, m, d));
}

Variant Hora(int h, int n, int s)
{
    return Variant::FromDateTime(rtl::EncodeTime(h, n, s, 0));
}

// The date-time kinds hand back the date-time's number, not a tagged date.
Variant DataHora(int y, int m, int d, int h, int n, int s)
{
    return Variant(rtl::EncodeDateTime(y, m, d, h, n, s, 0));
}

TLeitor LeitorDoGrupo(const std::string &grupo)
{
    TLeitor leitor;
    leitor.SetGrupo(grupo);
    return leitor;
}

// ---- Groups ------------------------------------------------------------------------

TEST(Leitor, rExtraiCutsTheGroupThatEndsAtTheItemthClosing)
{
    struct Row {
        const char *name;
        std::string documento;
        const char *inicio, *fim;
        int item;
        std::string esperado;
    } rows[] = {
        {"first of several", "<r><det>1</det><det>2</det></r>", "det", "", 1, "<det>1</det>"},
        {"third of three", "<r><det>1</det><det>2</det><det>3</det></r>", "det", "", 3,
         "<det>3</det>"},
        {"third of two", "<r><det>1</det><det>2</det></r>", "det", "", 3, ""},
        {"item 0 reads as item 1", "<r><det>1</det><det>2</det></r>", "det", "", 0,
         "<det>1</det>"},
        {"negative item", "<r><det>1</det></r>", "det", "", -2147483647 - 1, "<det>1</det>"},
        {"opening with attributes", R"(<x><infNFe versao="4.00" Id="N1"><ide/></infNFe></x>)",
         "infNFe", "", 1, R"(<infNFe versao="4.00" Id="N1"><ide/></infNFe>)"},
        {"longer names are other tags", "<r><detExport>1</detExport><det>2</det></r>", "det", "",
         1, "<det>2</det>"},
        // Same-name nesting is not supported: the first closing ends the outer group.
        {"first closing wins", "<r><g><g>in</g>out</g></r>", "g", "", 1, "<g><g>in</g>"},
        {"opening after the first closing", "<r></det><det>1</det></r>", "det", "", 1, ""},
        {"items count closings", "<r></det><det>1</det></r>", "det", "", 2, "<det>1</det>"},
        {"never closed", "<r><det>1</r>", "det", "", 1, ""},
        {"tags are case-sensitive", "<r><det>1</det></r>", "DET", "", 1, ""},
        {"tags are trimmed", "<r><det>1</det></r>", " det\t", "  ", 1, "<det>1</det>"},
        // A prefixed closing counts only when there is no plain one, and ends the group
        // right after its ':'.
        {"prefixed closing", "<r><ds:Sig>x</ds:Sig></r>", "ds", "", 1, "<ds:Sig>x</ds:"},
        {"plain closing preferred", "<r><ds:a>x</ds:a>y</ds></r>", "ds", "", 1,
         "<ds:a>x</ds:a>y</ds>"},
        // '>' is looked for first anywhere, then ' ', then ':'.
        {"plain opening preferred", "<r><det a=\"1\"><det>2</det></r>", "det", "", 1,
         "<det>2</det>"},
        // A fixed attribute text must open the group that ends at the item-th closing.
        {"fixed attribute, item 1", R"(<r><det nItem="1">a</det><det nItem="2">b</det></r>)",
         R"(det nItem="2")", "det", 1, ""},
        {"fixed attribute, item 2", R"(<r><det nItem="1">a</det><det nItem="2">b</det></r>)",
         R"(det nItem="2")", "det", 2, R"(<det nItem="2">b</det>)"},
        {"end tag given", "<r><a>1<b>2</b>3</a></r>", "a", "b", 1, "<a>1<b>2</b>"},
    };
    for (const auto &row : rows) {
        TLeitor leitor;
        leitor.SetArquivo(row.documento);
        EXPECT_EQ(leitor.rExtrai(1, row.inicio, row.fim, row.item), row.esperado) << row.name;
        EXPECT_EQ(leitor.Grupo(), row.esperado) << row.name;
    }
}

TEST(Leitor, LevelsNestAndAFailedExtractionKeepsThePreviousGroup)
{
    TLeitor leitor;
    leitor.SetArquivo("<NFe><infNFe><emit><CNPJ>1</CNPJ></emit>"
                      "<dest><CNPJ>2</CNPJ><enderDest><xLgr>R</xLgr></enderDest></dest>"
                      "</infNFe></NFe>");
    ASSERT_FALSE(leitor.rExtrai(1, "infNFe").empty());
    EXPECT_EQ(leitor.rExtrai(2, "dest"),
              "<dest><CNPJ>2</CNPJ><enderDest><xLgr>R</xLgr></enderDest></dest>");
    EXPECT_EQ(leitor.rCampo(dfe::tcStr, "CNPJ"), Variant("2"));

    EXPECT_EQ(leitor.rExtrai(2, "avulsa"), "");
    EXPECT_EQ(leitor.Grupo(), "");
    EXPECT_EQ(leitor.rCampo(dfe::tcStr, "CNPJ"), Variant(""));

    // Level 3 still searches the last group found at level 2.
    EXPECT_EQ(leitor.rExtrai(3, "enderDest"), "<enderDest><xLgr>R</xLgr></enderDest>");
    // Level 1 always searches the whole document.
    EXPECT_EQ(leitor.rExtrai(1, "emit"), "<emit><CNPJ>1</CNPJ></emit>");
}

TEST(Leitor, rExtraiRefusesLevelsOutsideOneToTen)
{
    TLeitor leitor;
    leitor.SetArquivo("<a><b>1</b></a>");
    leitor.rExtrai(1, "a");
    for (const int nivel : {0, -1, 11}) {
        EXPECT_THROW(leitor.rExtrai(nivel, "b"), rtl::EListError) << nivel;
        EXPECT_EQ(leitor.Grupo(), "<a><b>1</b></a>") << nivel;
    }
    for (int nivel = 2; nivel <= 10; ++nivel)
        EXPECT_EQ(leitor.rExtrai(nivel, "b"), "<b>1</b>") << nivel;
}

// Reading the items one after the other resumes where the previous item ended; each
// answer must still be the one counting closings from the parent's start would give.
TEST(Leitor, ItemWalksGiveTheSameGroupsInAnyOrder)
{
    TLeitor leitor;
    leitor.SetArquivo("<r><a><i>1</i><i>2</i><i>3</i></a><b><i>4</i><i>5</i></b></r>");
    leitor.rExtrai(1, "a");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 1), "<i>1</i>");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 2), "<i>2</i>");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 3), "<i>3</i>");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 4), "");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 2), "<i>2</i>") << "going back";
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 3), "<i>3</i>") << "forward again";
    EXPECT_EQ(leitor.rExtrai(2, "a", "i", 3), "") << "another tag, same closing";

    leitor.rExtrai(1, "b");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 2), "<i>5</i>") << "another parent";
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 3), "");

    // A new document of the same length, with the groups elsewhere.
    leitor.SetArquivo("<r><a><i>x</i><i>yy</i></a><b><i>4</i><i>5</i></b><i>z</i></r>");
    leitor.rExtrai(1, "r");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 3), "<i>4</i>");
    leitor.SetArquivo("<r><i>kk</i><a><i>x</i><i>y</i></a><b><i>4</i><i>5</i></b></r>");
    leitor.rExtrai(1, "r");
    EXPECT_EQ(leitor.rExtrai(2, "i", "", 3), "<i>y</i>") << "new document";
}

// The group rule stated plainly, on the parent's own text: skip item - 1 closings, end at
// the next closing (a prefixed one only when no plain one is left), begin at the first
// opening before it - "<TAG>", else "<TAG ", else "<TAG:".
std::string GrupoPelaRegra(std::string_view pai, const std::string &inicio, std::string fim,
                           int item)
{
    constexpr std::size_t npos = std::string_view::npos;
    if (fim.empty())
        fim = inicio;
    std::string fecha = "</" + fim + ">";
    std::size_t desde = 0;
    for (int k = 1; k < item; ++k) {
        const std::size_t p = pai.find(fecha, desde);
        if (p == npos)
            return {};
        desde = p + fecha.size();
    }
    std::size_t final = pai.find(fecha, desde);
    if (final == npos) {
        fecha.back() = ':';
        final = pai.find(fecha, desde);
        if (final == npos)
            return {};
    }
    const std::string_view texto = pai.substr(desde, final + fecha.size() - desde);
    for (const char depois : {'>', ' ', ':'})
        if (const std::size_t p = texto.find("<" + inicio + depois); p != npos)
            return std::string(texto.substr(p));
    return {};
}

// Random, often malformed documents read through random levels, tags and item numbers:
// every answer must be the rule's answer on the text of the parent level, however the
// reader finds it. The pieces put prefixes, attributes, namespace prefixes, self-closing
// tags, other cases and nested same-name groups side by side.
TEST(Leitor, rExtraiFollowsTheRuleOnGeneratedDocuments)
{
    const std::vector<std::string> pecas = {"<a>", "</a>", "<ab>", "</ab>", "<a x='1'>",
                                            "<a:s>", "</a:s>", "<b>", "</b>", "<a/>",
                                            "<A>", "</A>", "<b:a>", "</b:a>", "t", "\r\n"};
    const std::vector<std::string> inicios = {"a", "ab", "b", "A", "a:s", "a x='1'"};
    const std::vector<std::string> fins = {"", "", "a", "b", "a:s"};
    std::mt19937 gerador(4242);
    const auto sorteio = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(gerador);
    };
    for (int n = 0; n < 300; ++n) {
        std::string documento;
        for (std::size_t k = sorteio(50); k > 0; --k)
            documento += pecas[sorteio(pecas.size())];
        TLeitor leitor;
        leitor.SetArquivo(documento);
        std::vector<std::string> niveis(4);
        niveis[0] = documento;
        for (int consulta = 0; consulta < 40; ++consulta) {
            const int nivel = 1 + static_cast<int>(sorteio(3));
            const std::string &inicio = inicios[sorteio(inicios.size())];
            const std::string &fim = fins[sorteio(fins.size())];
            const int item = static_cast<int>(sorteio(6)) - 1;
            const std::string esperado =
                GrupoPelaRegra(niveis[static_cast<std::size_t>(nivel - 1)], inicio, fim, item);
            ASSERT_EQ(leitor.rExtrai(nivel, inicio, fim, item), esperado)
                << documento << " level " << nivel << " <" << inicio << "> </" << fim
                << "> item " << item;
            ASSERT_EQ(leitor.Grupo(), esperado);
            if (!esperado.empty())
                niveis[static_cast<std::size_t>(nivel)] = esperado;
        }
    }
}

// A piece made the whole document must read as that piece copied into a document of its
// own, whether it is cut from the document, from a piece cut before, or from elsewhere.
TEST(Leitor, APieceMadeTheDocumentReadsAsItsCopy)
{
    const std::vector<std::string> pecas = {"<a>", "</a>", "<ab>", "</ab>", "<a x='1'>",
                                            "<a:s>", "</a:s>", "<b>", "</b>", "<A>",
                                            "</A>", "<c>1</c>", "<C>2</C>", "t", " "};
    const std::vector<std::string> inicios = {"a", "ab", "b", "A", "a:s"};
    std::mt19937 gerador(777);
    const auto sorteio = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(gerador);
    };
    for (int n = 0; n < 200; ++n) {
        std::string documento;
        for (std::size_t k = 1 + sorteio(40); k > 0; --k)
            documento += pecas[sorteio(pecas.size())];
        TLeitor cortado;
        cortado.SetArquivo(documento);
        const TLeitor guarda = cortado; // keeps the document's text alive for the views below
        TLeitor proprioDoc;
        proprioDoc.SetArquivo(documento);
        const std::string_view inteiro = guarda.Arquivo();
        for (int corte = 0; corte < 6; ++corte) {
            // A piece of the document, or a piece of the current piece's own text.
            const std::string_view base = sorteio(2) == 0 ? inteiro : std::string_view(cortado.Arquivo());
            const std::size_t de = sorteio(base.size() + 1);
            const std::string_view parte = base.substr(de, sorteio(base.size() - de + 1));
            const std::string copia(parte);
            cortado.SetArquivoDeParte(parte);
            TLeitor proprio;
            proprio.SetArquivo(copia);
            ASSERT_EQ(cortado.Arquivo(), copia);
            // Level 2 searches the group level 1 holds, which may come from an earlier
            // document: it is compared once level 1 has been found in this one.
            bool nivel1 = false;
            for (int consulta = 0; consulta < 10; ++consulta) {
                const int nivel = nivel1 ? 1 + static_cast<int>(sorteio(2)) : 1;
                const std::string &inicio = inicios[sorteio(inicios.size())];
                const int item = static_cast<int>(sorteio(3)) + 1;
                const std::string_view grupo = cortado.rExtrai(nivel, inicio, "", item);
                ASSERT_EQ(grupo, proprio.rExtrai(nivel, inicio, "", item))
                    << copia << " level " << nivel << " <" << inicio << "> item " << item;
                nivel1 = nivel1 || !grupo.empty();
                for (const char *tag : {"c", "C", "a"})
                    ASSERT_EQ(cortado.rCampo(dfe::tcEsp, tag), proprio.rCampo(dfe::tcEsp, tag))
                        << copia << " <" << tag << ">";
            }
        }
        // Text from elsewhere is copied.
        const std::string fora = "<c>fora</c>";
        cortado.SetArquivoDeParte(fora);
        cortado.rExtrai(1, "c");
        EXPECT_EQ(cortado.rCampo(dfe::tcStr, "c"), Variant("fora"));
        // The whole document again, as a piece of itself...
        cortado.SetArquivoDeParte(inteiro);
        EXPECT_EQ(cortado.Arquivo(), documento);
        // ...and from the reader that holds it.
        cortado.SetArquivoDeParte(fora);
        cortado.SetArquivoDe(guarda);
        EXPECT_EQ(cortado.Arquivo().data(), inteiro.data()) << "shared, not copied";
        EXPECT_EQ(cortado.rExtrai(1, "c"), proprioDoc.rExtrai(1, "c"));
    }
}

// A group cut anywhere out of the document sees only what lies wholly inside it: a tag
// that begins before the cut or ends after it is not there. The same text given as a
// copy of its own must read the same.
TEST(Leitor, rCampoSeesOnlyTheTagsInsideAPieceOfTheDocument)
{
    const std::string documento = "<g><a>1</a><b x='2'><a>3</a></b><A>4</A></g>";
    TLeitor leitor;
    leitor.SetArquivo(documento);
    const std::string_view arquivo = leitor.Arquivo();
    for (std::size_t de = 0; de < arquivo.size(); ++de) {
        for (std::size_t ate = de + 1; ate <= arquivo.size(); ++ate) {
            const std::string_view peca = arquivo.substr(de, ate - de);
            leitor.SetGrupo(peca);
            ASSERT_EQ(leitor.Grupo().data(), peca.data()) << "a view, not a copy";
            const TLeitor copia = LeitorDoGrupo(std::string(peca));
            for (const char *parada : {"", "b"}) {
                ASSERT_EQ(leitor.rCampo(dfe::tcEsp, "a", parada),
                          copia.rCampo(dfe::tcEsp, "a", parada))
                    << peca << " stop " << parada;
                ASSERT_EQ(leitor.rCampo(dfe::tcEsp, "B", parada),
                          copia.rCampo(dfe::tcEsp, "B", parada))
                    << peca << " stop " << parada;
            }
        }
    }
}

TEST(Leitor, GroupsOutliveTheDocumentTheyWereCutFrom)
{
    TLeitor leitor;
    leitor.SetArquivo("<a><b><c>old</c></b></a>");
    leitor.rExtrai(1, "b");
    leitor.SetArquivo("<a><b><c>new</c></b></a>");
    // Level 1 still holds the group of the first document.
    EXPECT_EQ(leitor.rExtrai(2, "c"), "<c>old</c>");
    EXPECT_EQ(leitor.rExtrai(1, "c"), "<c>new</c>");
}

TEST(Leitor, TheCommonRoadSharesTheDocument)
{
    TLeitor leitor;
    leitor.SetArquivo(R"(<NFe><infNFe versao="4.00"><ide><cUF>35</cUF></ide></infNFe></NFe>)");
    const std::string &arquivo = leitor.Arquivo();
    const auto dentro = [&](std::string_view v) {
        return v.data() >= arquivo.data() && v.data() + v.size() <= arquivo.data() + arquivo.size();
    };
    leitor.SetGrupo(leitor.Arquivo());
    EXPECT_TRUE(dentro(leitor.Grupo()));
    EXPECT_EQ(leitor.rAtributo("versao", "infNFe"), "4.00");
    EXPECT_TRUE(dentro(leitor.rExtrai(1, "infNFe")));
    EXPECT_TRUE(dentro(leitor.rExtrai(2, "ide")));
    EXPECT_EQ(leitor.rCampo(dfe::tcInt, "cUF"), Variant(35));
}

TEST(Leitor, GrupoTakesAnyText)
{
    TLeitor leitor;
    leitor.SetArquivo("<a><x>doc</x></a>");
    {
        const std::string fora = "<g><x>outside</x></g>";
        leitor.SetGrupo(fora);
    }
    EXPECT_EQ(leitor.rCampo(dfe::tcStr, "x"), Variant("outside"));
    // A piece of the current group.
    leitor.SetGrupo(leitor.Grupo().substr(3));
    EXPECT_EQ(leitor.Grupo(), "<x>outside</x></g>");
    leitor.SetGrupo("");
    EXPECT_EQ(leitor.rCampo(dfe::tcStr, "x"), Variant(""));
}

// ---- Leaves ------------------------------------------------------------------------

struct LeafRow {
    const char *name;
    std::string grupo;
    dfe::TpcnTipoCampo tipo;
    const char *tag, *parada;
    Variant esperado;
};

void CheckLeaves(const LeafRow *begin, const LeafRow *end)
{
    for (const LeafRow *row = begin; row != end; ++row) {
        const TLeitor leitor = LeitorDoGrupo(row->grupo);
        try {
            EXPECT_EQ(leitor.rCampo(row->tipo, row->tag, row->parada), row->esperado) << row->name;
        } catch (const rtl::Exception &e) {
            ADD_FAILURE() << row->name << ": " << e.Message();
        }
    }
}

TEST(Leitor, rCampoFindsTheLeaf)
{
    static const std::string NomeLongo(80, 'n');
    const std::string emitente = "<emit><CNPJ>123</CNPJ><xNome> A &amp; B </xNome></emit>";
    const LeafRow rows[] = {
        {"case-insensitive, decoded", emitente, dfe::tcStr, "xnome", "", Variant("A & B")},
        {"tcEsp keeps the text", emitente, dfe::tcEsp, "xNome", "", Variant("A &amp; B")},
        {"absent leaf", emitente, dfe::tcStr, "IE", "", Variant("")},
        {"tag trimmed", emitente, dfe::tcStr, " CNPJ ", "", Variant("123")},
        {"decoded once", "<g><x>&amp;lt;&#xE9;</x></g>", dfe::tcStr, "x", "", Variant("&lt;é")},
        {"CDATA taken as is", "<g><x><![CDATA[a &amp; <b>]]></x></g>", dfe::tcStr, "x", "",
         Variant("a &amp; <b>")},
        {"tab CR LF trimmed", "<g><x>\t\r\n a b \r\n\t</x></g>", dfe::tcEsp, "x", "",
         Variant("a b")},
        {"opening with attributes", R"(<g><vUnCom moeda="BRL">1.50</vUnCom></g>)", dfe::tcDe2,
         "vUnCom", "", Variant(1.5)},
        {"attributes, text", "<g><xNome\nlang='pt' >Ana</xNome></g>", dfe::tcStr, "xNome", "",
         Variant("Ana")},
        {"closing before opening", "<g></a>x<a>1</a></g>", dfe::tcStr, "a", "", Variant("")},
        {"never closed", "<g><a>1</g>", dfe::tcStr, "a", "", Variant("")},
        {"leaf of a nested group", "<g><sub><a>1</a></sub></g>", dfe::tcStr, "a", "",
         Variant("1")},
        {"first occurrence", "<g><a>1</a><a>2</a></g>", dfe::tcStr, "a", "", Variant("1")},
        // The value ends at the group's first closing, which here belongs to an earlier
        // leaf of the same name that carries attributes.
        {"ends at the first closing", "<g><a x='1'>p</a><a>q</a></g>", dfe::tcStr, "a", "",
         Variant("")},
        {"empty leaf", "<g><a></a></g>", dfe::tcStr, "a", "", Variant("")},
        {"empty group", "", dfe::tcStr, "a", "", Variant("")},
        // Names the index does not file are found by scanning the group, with the same rules.
        {"name with a colon", "<g><DS:X>1</ds:x></g>", dfe::tcStr, "ds:x", "", Variant("1")},
        {"name with a blank", "<g><a b>2</a b></g>", dfe::tcStr, "a b", "", Variant("2")},
        {"stop tag with a colon", "<g><p:q><a>1</a></p:q></g>", dfe::tcStr, "a", "p:q", Variant("")},
        {"very long name", "<g><" + NomeLongo + ">3</" + NomeLongo + "></g>", dfe::tcStr,
         NomeLongo.c_str(), "", Variant("3")},
    };
    CheckLeaves(std::begin(rows), std::end(rows));
}

TEST(Leitor, rCampoStopTagMarksALaterSubgroup)
{
    const LeafRow rows[] = {
        {"stop tag opens first", "<g><prop><a>1</a></prop></g>", dfe::tcStr, "a", "prop",
         Variant("")},
        {"stop tag after the leaf", "<g><a>1</a><prop><a>2</a></prop></g>", dfe::tcStr, "a",
         "prop", Variant("1")},
        {"stop tag absent", "<g><a>1</a></g>", dfe::tcStr, "a", "prop", Variant("1")},
        {"stop tag ignores case", "<g><prop><a>1</a></prop></g>", dfe::tcStr, "a", " PROP ",
         Variant("")},
        {"stop tag, numeric leaf", "<g><prop><n>5</n></prop></g>", dfe::tcInt, "n", "prop",
         Variant(0)},
        {"stop tag, closing before the leaf", "<g></a><a>1</a><prop/></g>", dfe::tcStr, "a",
         "prop", Variant("")},
        // A leaf whose opening carries attributes follows the same rule.
        {"attributes, stop tag after", "<g><a x='1'>5</a><prop></prop></g>", dfe::tcStr, "a",
         "prop", Variant("5")},
        {"attributes, stop tag first", "<g><prop><a x='1'>5</a></prop></g>", dfe::tcStr, "a",
         "prop", Variant("")},
        {"attributes, stop tag absent", "<g><a x='1'>5</a></g>", dfe::tcStr, "a", "prop",
         Variant("5")},
    };
    CheckLeaves(std::begin(rows), std::end(rows));
}

TEST(Leitor, rCampoConvertsNumbers)
{
    const auto leaf = [](const char *texto) { return std::string("<g><n>") + texto + "</n></g>"; };
    const LeafRow rows[] = {
        {"integer with zeros", leaf("007"), dfe::tcInt, "n", "", Variant(7)},
        {"integer empty", leaf(""), dfe::tcInt, "n", "", Variant(0)},
        {"integer absent", "<g/>", dfe::tcInt, "n", "", Variant(0)},
        {"integer without digits", leaf("abc"), dfe::tcInt, "n", "", Variant(0)},
        {"minus sign dropped", leaf("-12"), dfe::tcInt, "n", "", Variant(12)},
        {"decimal point dropped", leaf("1.5"), dfe::tcInt, "n", "", Variant(15)},
        {"largest integer", leaf("2147483647"), dfe::tcInt, "n", "", Variant(2147483647)},
        {"overflow", leaf("2147483648"), dfe::tcInt, "n", "", Variant(0)},
        {"many leading zeros", leaf("000000000000000000042"), dfe::tcInt, "n", "", Variant(42)},
        {"decimal point", leaf("1.50"), dfe::tcDe2, "n", "", Variant(1.5)},
        {"decimal comma", leaf("1,5"), dfe::tcDe3, "n", "", Variant(1.5)},
        {"places play no part", leaf("12.3456"), dfe::tcDe2, "n", "", Variant(12.3456)},
        {"ten places", leaf("0.0000000001"), dfe::tcDe10, "n", "", Variant(0.0000000001)},
        {"negative decimal", leaf("-3.25"), dfe::tcDe4, "n", "", Variant(-3.25)},
        {"not a number", leaf("abc"), dfe::tcDe6, "n", "", Variant(0.0)},
        {"decimal empty", leaf(" "), dfe::tcDe8, "n", "", Variant(0)},
    };
    CheckLeaves(std::begin(rows), std::end(rows));
}

TEST(Leitor, rCampoConvertsDatesAtFixedPositions)
{
    const auto leaf = [](const char *texto) { return std::string("<g><d>") + texto + "</d></g>"; };
    const LeafRow rows[] = {
        {"date", leaf("2019-03-15"), dfe::tcDat, "d", "", Data(2019, 3, 15)},
        {"date empty", leaf(""), dfe::tcDat, "d", "", Variant(0)},
        {"date absent", "<g/>", dfe::tcDatHor, "d", "", Variant(0)},
        {"blank-padded parts", leaf("2019- 3- 5"), dfe::tcDat, "d", "", Data(2019, 3, 5)},
        {"date-time with zone", leaf("2019-03-15T18:30:45-03:00"), dfe::tcDatHor, "d", "",
         DataHora(2019, 3, 15, 18, 30, 45)},
        {"date-time with slashes", leaf("15/03/2019 18:30:45"), dfe::tcDatHor, "d", "",
         DataHora(2019, 3, 15, 18, 30, 45)},
        {"any separator before the time", leaf("15/03/2019T18:30:45"), dfe::tcDatHor, "d", "",
         DataHora(2019, 3, 15, 18, 30, 45)},
        {"milliseconds ignored", leaf("2019-03-15T18:30:45.999"), dfe::tcDatHor, "d", "",
         DataHora(2019, 3, 15, 18, 30, 45)},
        {"time", leaf("18:30:45"), dfe::tcHor, "d", "", Hora(18, 30, 45)},
        {"receipt date", leaf("20190315"), dfe::tcDatCFe, "d", "", Data(2019, 3, 15)},
        {"receipt time", leaf("183045"), dfe::tcHorCFe, "d", "", Hora(18, 30, 45)},
        {"due date", leaf("15/03/2019"), dfe::tcDatVcto, "d", "", Data(2019, 3, 15)},
        {"receipt date-time", leaf("20190315183045"), dfe::tcDatHorCFe, "d", "",
         DataHora(2019, 3, 15, 18, 30, 45)},
        {"receipt date-time empty", leaf(""), dfe::tcDatHorCFe, "d", "", Variant(0)},
    };
    CheckLeaves(std::begin(rows), std::end(rows));
}

TEST(Leitor, rCampoRaisesTheConversionErrorForImpossibleDates)
{
    struct Row {
        const char *name;
        const char *texto;
        dfe::TpcnTipoCampo tipo;
        std::string mensagem;
    } rows[] = {
        {"month 13", "2019-13-01T00:00:00", dfe::tcDatHor, "Invalid argument to date encode"},
        {"25 o'clock", "25:00:00", dfe::tcHor, "Invalid argument to time encode"},
        {"30 February", "20190230", dfe::tcDatCFe, "Invalid argument to date encode"},
        {"day not a number", "2019-03-1x", dfe::tcDat, "'1x' is not a valid integer value"},
        {"date too short", "2019-03", dfe::tcDat, "'' is not a valid integer value"},
        {"date without time", "2019-03-15", dfe::tcDatHor, "'' is not a valid integer value"},
        {"due date in ISO form", "2019-03-15", dfe::tcDatVcto, "'3-15' is not a valid integer value"},
        {"second of 61", "20190315183061", dfe::tcDatHorCFe, "Invalid argument to time encode"},
    };
    for (const auto &row : rows) {
        const TLeitor leitor = LeitorDoGrupo(std::string("<g><d>") + row.texto + "</d></g>");
        try {
            leitor.rCampo(row.tipo, "d");
            ADD_FAILURE() << row.name << ": no error";
        } catch (const rtl::EConvertError &e) {
            EXPECT_EQ(e.Message(), row.mensagem) << row.name;
        }
    }
}

// The clock time goes into the date-time, the zone the leaf states comes out beside it, so
// that a writer can state the same instant again.
TEST(Leitor, DataHoraGivesTheZoneTheLeafStates)
{
    struct Row {
        const char *name;
        std::string grupo;
        double data;
        std::string fuso;
    };
    const auto leaf = [](const char *texto) { return std::string("<g><d>") + texto + "</d></g>"; };
    const double dia = rtl::EncodeDateTime(2018, 12, 10, 9, 30, 5, 0);
    const Row rows[] = {
        {"Brasília", leaf("2018-12-10T09:30:05-03:00"), dia, "-03:00"},
        {"summer time", leaf("2018-12-10T09:30:05-02:00"), dia, "-02:00"},
        {"another state", leaf("2018-12-10T09:30:05-04:00"), dia, "-04:00"},
        {"east of Greenwich", leaf("2018-12-10T09:30:05+01:00"), dia, "+01:00"},
        {"half an hour", leaf("2018-12-10T09:30:05+05:30"), dia, "+05:30"},
        {"UTC as Z", leaf("2018-12-10T09:30:05Z"), dia, "+00:00"},
        {"after a fraction of a second", leaf("2018-12-10T09:30:05.250-02:00"), dia, "-02:00"},
        {"blanks around the leaf", leaf(" 2018-12-10T09:30:05-02:00\r\n"), dia, "-02:00"},
        {"no zone", leaf("2018-12-10T09:30:05"), dia, ""},
        {"a fraction and no zone", leaf("2018-12-10T09:30:05.999"), dia, ""},
        {"Brazilian order, no zone", leaf("10/12/2018 09:30:05"), dia, ""},
        {"zone without colon is no zone", leaf("2018-12-10T09:30:05-0300"), dia, ""},
        {"hour 15 is no zone", leaf("2018-12-10T09:30:05+15:00"), dia, ""},
        {"minute 60 is no zone", leaf("2018-12-10T09:30:05-03:60"), dia, ""},
        {"something after the zone", leaf("2018-12-10T09:30:05-03:00x"), dia, ""},
        {"empty leaf", leaf(""), 0, ""},
        {"absent leaf", "<g/>", 0, ""},
    };
    for (const Row &row : rows) {
        const TLeitor leitor = LeitorDoGrupo(row.grupo);
        std::string fuso = "antes";
        EXPECT_DOUBLE_EQ(dfe::leitura::Campos(leitor).DataHora("d", fuso), row.data) << row.name;
        EXPECT_EQ(fuso, row.fuso) << row.name;
    }
}

TEST(Leitor, rCampoRefusesTheKindsItCannotRead)
{
    struct Row {
        const char *name;
        dfe::TpcnTipoCampo tipo;
        const char *tag;
        std::string mensagem;
    } rows[] = {
        {"boolean, present", dfe::tcBoolStr, "ind", "Tag <IND> com conteúdo inválido. a &amp; b"},
        {"boolean, absent", dfe::tcBoolStr, "xyz", "Tag <XYZ> com conteúdo inválido. "},
        {"original text", dfe::tcStrOrig, " Ind ", "Tag <IND> com conteúdo inválido. a &amp; b"},
        {"numeric text", dfe::tcNumStr, "ind", "Tag <IND> com conteúdo inválido. a &amp; b"},
    };
    const TLeitor leitor = LeitorDoGrupo("<g><ind> a &amp; b </ind></g>");
    for (const auto &row : rows) {
        try {
            leitor.rCampo(row.tipo, row.tag);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), row.mensagem) << row.name;
        }
    }
}

TEST(Leitor, rCampoCNPJCPFFallsBackToTheCPF)
{
    struct Row {
        const char *name;
        std::string grupo;
        const char *parada;
        std::string esperado;
    } rows[] = {
        {"CPF only", "<g><CPF>123</CPF></g>", "", "123"},
        {"CNPJ wins", "<g><CPF>1</CPF><CNPJ>2</CNPJ></g>", "", "2"},
        {"blank CNPJ", "<g><CNPJ> </CNPJ><CPF>9</CPF></g>", "", "9"},
        {"neither", "<g/>", "", ""},
        {"CNPJ in a later subgroup", "<g><CPF>2</CPF><prop><CNPJ>1</CNPJ></prop></g>", "prop", "2"},
        {"both in a later subgroup", "<g><prop><CNPJ>1</CNPJ><CPF>2</CPF></prop></g>", "prop", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(LeitorDoGrupo(row.grupo).rCampoCNPJCPF(row.parada), row.esperado) << row.name;
}

// ---- Attributes --------------------------------------------------------------------

TEST(Leitor, rAtributoReadsTheQuotedValue)
{
    struct Row {
        const char *name;
        std::string grupo;
        const char *atributo, *tag;
        std::string esperado;
    } rows[] = {
        {"double quotes", R"(<infNFe versao="4.00" Id="NFe1">)", "versao", "infNFe", "4.00"},
        {"single quotes", "<infNFe versao='4.00' Id='NFe1'>", "versao", "infNFe", "4.00"},
        {"absent", R"(<infNFe Id="NFe1">)", "versao", "infNFe", ""},
        {"name with its '='", R"(<infNFe versao="4.00">)", "versao=", "", "4.00"},
        {"blank before '='", R"(<infNFe versao = "4.00">)", "versao", "", "4.00"},
        {"name trimmed", R"(<infNFe versao="4.00">)", " versao ", "", "4.00"},
        {"blank name", R"(<infNFe versao="4.00">)", "  ", "", ""},
        {"case-sensitive", R"(<infNFe versao="4.00">)", "VERSAO", "", ""},
        {"first match without tag", R"(<NFe><x Id="A"/><infNFe Id="B"/></NFe>)", "Id", "", "A"},
        {"searched again from the tag", R"(<NFe><x Id="A"/><infNFe Id="B"/></NFe>)", "Id",
         "infNFe", "B"},
        {"tag before the first match", R"(<infNFe Id="B"><x Id="A"/>)", "Id", "infNFe", "B"},
        {"tag absent", R"(<NFe><x Id="A"/></NFe>)", "Id", "zzz", "A"},
        {"nothing after the tag", R"(<x Id="A"/><infNFe versao="1"/>)", "Id", "infNFe", ""},
        {"first quote kind wins", R"(<x a="it's"/>)", "a", "", "it's"},
        {"other quote inside", R"(<x a='say "hi"'/>)", "a", "", "say \"hi\""},
        {"leading blanks removed", R"(<x a="  v"/>)", "a", "", "v"},
        {"empty value", R"(<x a="" b="2"/>)", "a", "", ""},
        {"no closing quote", R"(<x a="abc>)", "a", "", ""},
        {"no quote at all", "<x a=1>", "a", "", ""},
        {"unescaped", R"(<x a="A &amp; B &#xE9;"/>)", "a", "", "A & B é"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(LeitorDoGrupo(row.grupo).rAtributo(row.atributo, row.tag), row.esperado)
            << row.name;
}

// ---- Loading and helpers -----------------------------------------------------------

TEST(Leitor, CarregarArquivoDecodesAndJoinsTheLines)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    struct Row {
        const char *name;
        std::string bytes;
        std::string esperado;
    } rows[] = {
        {"lines end with CR LF", "<a>\n<b>1</b>\n</a>", "<a>\r\n<b>1</b>\r\n</a>\r\n"},
        {"UTF-8 signature", "\xEF\xBB\xBF<a>\xC3\xA9</a>", "<a>é</a>\r\n"},
        {"ANSI code page", "<a>\xE9</a>\r\n", "<a>é</a>\r\n"},
        {"UTF-16 signature", std::string("\xFF\xFE<\0a\0>\0", 8), "<a>\r\n"},
    };
    for (const auto &row : rows) {
        const std::string caminho = pasta.filePath("doc.xml").toStdString();
        rtl::WriteFileBytes(caminho, row.bytes);
        TLeitor leitor;
        EXPECT_TRUE(leitor.CarregarArquivo(caminho)) << row.name;
        EXPECT_EQ(leitor.Arquivo(), row.esperado) << row.name;
    }

    TLeitor leitor;
    EXPECT_THROW(leitor.CarregarArquivo(pasta.filePath("none.xml").toStdString()), rtl::EFOpenError);

    rtl::TMemoryStream stream("\xEF\xBB\xBF<a>\xC3\xA9</a>\n");
    stream.SetPosition(4);
    EXPECT_TRUE(leitor.CarregarArquivo(stream));
    EXPECT_EQ(leitor.Arquivo(), "<a>é</a>\n");
}

TEST(Leitor, PosLastCountsCodePoints)
{
    struct Row {
        const char *name;
        const char *sub, *s;
        int esperado;
    } rows[] = {
        {"last of several", "a", "banana", 6},
        {"absent", "x", "banana", 0},
        {"empty pattern", "", "banana", 0},
        {"accents before", "b", "çab", 3},
        {"longer pattern", "na", "banana", 5},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TLeitor::PosLast(row.sub, row.s), row.esperado) << row.name;
}

} // namespace
