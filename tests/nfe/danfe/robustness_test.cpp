// Bad input on the whole NF-e road, driven as the window drives it: a file's bytes
// decoded, split into documents, each read and regenerated, then printed through the
// linked DANFE. Whatever the bytes, the road ends either in an rtl::Exception whose
// message tells the user what is wrong, or in a defined result (no document, or a
// document whose meaningless fields are empty); never in another exception, a crash, a
// hang or a sanitizer report. The same components then load a good file, as the
// window's must after every error.

#include "support.h"

#include "nfe/list.h"
#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <typeinfo>

namespace {

using danfe_test::Componentes;

const std::string &Valida()
{
    static const std::string texto =
        rtl::ReadFileBytes(std::string(TEST_SOURCE_DIR) + "/../fixtures/nfe400_proc.xml");
    return texto;
}

// The fixture with the first `de` replaced by `para`.
std::string Trocar(std::string texto, std::string_view de, std::string_view para)
{
    const std::size_t p = texto.find(de);
    EXPECT_NE(p, std::string::npos) << "the fixture has no " << de;
    if (p != std::string::npos)
        texto.replace(p, de.size(), para);
    return texto;
}

std::string Repetir(std::string_view pedaco, std::size_t vezes)
{
    std::string out;
    out.reserve(pedaco.size() * vezes);
    for (std::size_t i = 0; i < vezes; ++i)
        out.append(pedaco);
    return out;
}

// The fixture with its three items replaced by `itens`.
std::string ComItens(std::string_view itens)
{
    const std::string &v = Valida();
    const std::size_t primeiro = v.find("<det nItem=");
    const std::size_t totais = v.find("<total>");
    return v.substr(0, primeiro) + std::string(itens) + v.substr(totais);
}

std::string ItemSimples(int n, std::string_view xProd = "ITEM")
{
    const std::string numero = std::to_string(n);
    return "<det nItem=\"" + numero + "\"><prod><cProd>" + numero + "</cProd><xProd>" +
           std::string(xProd) +
           "</xProd><CFOP>5102</CFOP><uCom>UN</uCom><qCom>1.0000</qCom><vUnCom>1.00</vUnCom>"
           "<vProd>1.00</vProd></prod><imposto><ICMS><ICMS00><orig>0</orig><CST>00</CST>"
           "</ICMS00></ICMS></imposto></det>";
}

// How one file ended.
struct Desfecho {
    std::string erro;  // an rtl::Exception's message; empty when the road went through
    std::string outro; // any other exception, with its type: always a fault
    int documentos = 0;
    std::size_t paginas = 0;
};

// The NF-e and DANFE components of one window, and a folder for the files they open.
class Estrada {
public:
    Desfecho Abrir(const std::string &bytes)
    {
        const std::string arquivo = pasta.filePath("nota-nfe.xml").toStdString();
        rtl::WriteFileBytes(arquivo, bytes);
        nfe::TNotasFiscais &notas = c.nfe->NotasFiscais();
        notas.Clear();
        c.impressos.clear();
        Desfecho d;
        try {
            notas.LoadFromFile(arquivo, true);
            notas.Imprimir();
        } catch (const rtl::Exception &e) {
            d.erro = e.Message();
            EXPECT_FALSE(d.erro.empty()) << typeid(e).name() << " without a message";
        } catch (const std::exception &e) {
            d.outro = std::string(typeid(e).name()) + ": " + e.what();
        }
        d.documentos = notas.Count();
        d.paginas = c.impressos.empty() ? 0 : c.impressos.back().pages.size();
        return d;
    }

    const nfe::TNFe &Nota(int i = 0) { return c.nfe->NotasFiscais().Items(i).NFe(); }

    // After whatever came before, the good file loads and prints in full.
    void ContinuaUsavel()
    {
        const Desfecho d = Abrir(Valida());
        EXPECT_EQ(d.erro, "");
        EXPECT_EQ(d.documentos, 1);
        EXPECT_EQ(d.paginas, 2u);
    }

    Componentes c;
    QTemporaryDir pasta;
};

// The run-time's own conversion texts name neither the field nor the value: reaching the
// user with one of them means a reading error went out unexplained.
bool MensagemDoRuntime(const std::string &erro)
{
    for (const char *cru : {"Invalid argument", "is not a valid", "Could not convert variant"})
        if (erro.find(cru) != std::string::npos)
            return true;
    return false;
}

TEST(NFeRobustness, ATruncatedFileHasNoDocumentUntilTheDocumentClosingIsThere)
{
    Estrada e;
    const std::string &v = Valida();
    const std::size_t fechamento = v.find("</NFe>") + 6;
    for (std::size_t tamanho = 0; tamanho < v.size(); tamanho += 97) {
        const Desfecho d = e.Abrir(v.substr(0, tamanho));
        ASSERT_EQ(d.outro, "") << tamanho << " bytes";
        EXPECT_EQ(d.erro, "") << tamanho << " bytes";
        if (tamanho < fechamento) {
            EXPECT_EQ(d.documentos, 0) << tamanho << " bytes";
            EXPECT_EQ(d.paginas, 0u) << tamanho << " bytes";
        } else {
            // Only the protocol is cut: the document is whole.
            EXPECT_EQ(d.documentos, 1) << tamanho << " bytes";
            EXPECT_EQ(d.paginas, 2u) << tamanho << " bytes";
        }
    }
    e.ContinuaUsavel();
}

TEST(NFeRobustness, BinaryGarbageHasNoDocument)
{
    Estrada e;
    std::mt19937 aleatorio(20240517);
    struct Row {
        const char *name;
        std::string inicio;
    } rows[] = {
        {"bytes alone", ""},
        {"after a UTF-8 mark", "\xEF\xBB\xBF"},
        {"after a UTF-16 mark", "\xFF\xFE"},
        {"after a big-endian UTF-16 mark", "\xFE\xFF"},
        {"after a declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"},
        {"inside an unclosed document", "<NFe><infNFe versao=\"4.00\" Id=\"NFe35\">"},
    };
    for (const Row &row : rows) {
        for (std::size_t tamanho : {1u, 2u, 3u, 4097u}) {
            std::string bytes = row.inicio;
            for (std::size_t i = 0; i < tamanho; ++i)
                bytes += static_cast<char>(aleatorio());
            const Desfecho d = e.Abrir(bytes);
            ASSERT_EQ(d.outro, "") << row.name << ", " << tamanho;
            EXPECT_EQ(d.erro, "") << row.name << ", " << tamanho;
            EXPECT_EQ(d.documentos, 0) << row.name << ", " << tamanho;
        }
    }
    e.ContinuaUsavel();
}

// Random sequences of the document's own tags, values and markup characters inside a
// document: they reach every group of the reader and the writer in odd orders and
// nestings, which plain random bytes never do.
TEST(NFeRobustness, TagSoupEndsInADocumentOrAnExplainedError)
{
    const char *pedacos[] = {
        "<NFe>", "</NFe>", "<infNFe versao=\"4.00\" Id=\"NFe35\">", "</infNFe>",
        "<det nItem=\"1\">", "<det nItem=\"x\">", "</det>", "<prod>", "</prod>", "<total>",
        "</total>", "<ide>", "</ide>", "<dhEmi>", "</dhEmi>", "2020-01-01T00:00:00",
        "2019-02-30", "<vProd>", "</vProd>", "1.5", "1e300", "<", ">", "/", "\"", "'",
        "&amp;", "&#", ";", "<![CDATA[", "]]>", "<nfeProc>", "</nfeProc>", "<protNFe>",
        "<infProt Id=\"", "</protNFe>", "<dhRecbto>", "</dhRecbto>", "<xProd>", "</xProd>",
        "<imposto>", "</imposto>", "<ICMS>", "<ICMS00>", "</ICMS00>", "</ICMS>", "<emit>",
        "</emit>", "<CNPJ>", "</CNPJ>", "<cobr>", "<dup>", "<dVenc>", "</dVenc>", "</dup>",
        "</cobr>", "<transp>", "<retTransp>", "<cMunFG>", "</cMunFG>", "</retTransp>",
        "<vol>", "<qVol>", "</qVol>", "</vol>", "</transp>", "<pag>", "<detPag>",
        "</detPag>", "</pag>", "<infAdic>", "<obsCont xCampo=\"", "</obsCont>",
        "</infAdic>", "<cana>", "<forDia dia=\"", "</forDia>", "</cana>", "<NFref>",
        "</NFref>", "<refNF>", "</refNF>", "<DI>", "<dDI>", "</dDI>", "<adi>", "</adi>",
        "</DI>", "<rastro>", "<dFab>", "</dFab>", "</rastro>", "<comb>", "<encerrante>",
        "</encerrante>", "</comb>", "\xC3\xA7", "\xC3", "\xFF", "\r\n", " ", "x", "0",
        "9", "-", ":", "\x01",
    };
    Estrada e;
    std::mt19937 aleatorio(4242);
    int carregados = 0;
    for (int caso = 0; caso < 150; ++caso) {
        std::string corpo;
        const int n = 5 + static_cast<int>(aleatorio() % 150);
        for (int i = 0; i < n; ++i)
            corpo += pedacos[aleatorio() % std::size(pedacos)];
        const Desfecho d =
            e.Abrir("<NFe><infNFe versao=\"4.00\" Id=\"NFe35\">" + corpo + "</infNFe></NFe>");
        ASSERT_EQ(d.outro, "") << "case " << caso << ": " << corpo;
        EXPECT_FALSE(MensagemDoRuntime(d.erro)) << "case " << caso << ": " << d.erro;
        carregados += d.erro.empty() ? 1 : 0;
    }
    // Most soups still hold a readable document; the cases above are not all errors.
    EXPECT_GT(carregados, 30);
    e.ContinuaUsavel();
}

TEST(NFeRobustness, BrokenStructureGivesADefinedResult)
{
    const std::string &v = Valida();
    const std::string fundo = Repetir("<a>", 100000) + Repetir("</a>", 100000);
    struct Row {
        const char *name;
        std::string texto;
        int documentos;
        int itens; // of the first document
        std::function<void(const nfe::TNFe &)> conferir;
    };
    const Row rows[] = {
        {"no </infNFe>: groups are found by their own tags", Trocar(v, "</infNFe>", ""), 1, 3,
         {}},
        // The first item runs on to the second one's closing and reads its own leaves.
        {"no </det> on the first item", Trocar(v, "</det>", ""), 1, 2,
         [](const nfe::TNFe &n) {
             EXPECT_EQ(n.Det[0].Prod.cProd, "P001");
             EXPECT_EQ(n.Det[1].Prod.cProd, "GLP13");
         }},
        {"no </NFe>", Trocar(v, "</NFe>", ""), 0, 0, {}},
        // The text after the last document closing is dropped, the protocol with it.
        {"no </nfeProc>", Trocar(v, "</nfeProc>", ""), 1, 3,
         [](const nfe::TNFe &n) {
             EXPECT_EQ(n.procNFe.nProt, "");
             EXPECT_EQ(n.Emit.xNome, "EMPRESA EXEMPLO LTDA");
         }},
        {"no </total>", Trocar(v, "</total>", ""), 1, 3, {}},
        {"no </ide>", Trocar(v, "</ide>", ""), 1, 3, {}},
        {"100,000 levels around the document",
         Repetir("<a>", 100000) + v.substr(v.find("<nfeProc")) + Repetir("</a>", 100000), 1, 3,
         {}},
        {"100,000 levels of an unknown group inside ide", Trocar(v, "</ide>", fundo + "</ide>"),
         1, 3, [](const nfe::TNFe &n) { EXPECT_EQ(n.Ide.nNF, 1234); }},
        {"100,000 empty items opened and closed before the second",
         Trocar(v, "<det nItem=\"2\">", Repetir("<det>", 100000) + Repetir("</det>", 100000) +
                                            "<det nItem=\"2\">"),
         1, 3, {}},
        {"100,000 unclosed item openings", Trocar(v, "<total>", Repetir("<det>", 100000) + "<total>"),
         1, 3, {}},
        {"100,000 documents opened, one closed",
         Repetir("<NFe>", 100000) + v.substr(v.find("<nfeProc")), 1, 3, {}},
        {"100,000 documents opened, none closed", Repetir("<NFe>", 100000), 0, 0, {}},
    };
    Estrada e;
    for (const Row &row : rows) {
        const Desfecho d = e.Abrir(row.texto);
        ASSERT_EQ(d.outro, "") << row.name;
        if (row.documentos == 0) {
            // A piece that is no readable document stops with the reader's own message.
            EXPECT_TRUE(d.erro.empty() || d.erro == "Não encontrei o atributo: Id") << row.name << ": " << d.erro;
            EXPECT_EQ(d.paginas, 0u) << row.name;
            continue;
        }
        EXPECT_EQ(d.erro, "") << row.name;
        ASSERT_EQ(d.documentos, row.documentos) << row.name;
        EXPECT_EQ(e.Nota().Det.Count(), row.itens) << row.name;
        EXPECT_GE(d.paginas, 1u) << row.name;
        if (row.conferir)
            row.conferir(e.Nota());
    }
    e.ContinuaUsavel();
}

TEST(NFeRobustness, AbsurdNumbersAndDatesStopWithAMessageNamingTheField)
{
    const std::string &v = Valida();
    const std::string dhEmi = "<dhEmi>2020-12-01T10:20:30-03:00</dhEmi>";
    struct Row {
        const char *name;
        std::string texto;
        const char *mensagem;
    };
    const Row rows[] = {
        {"item amount 1e300", Trocar(v, "<vProd>22.30</vProd>", "<vProd>1e300</vProd>"),
         "Valor fora do limite na tag <vProd>: \"1e300\""},
        {"item amount of 20 digits",
         Trocar(v, "<vProd>22.30</vProd>", "<vProd>99999999999999999999</vProd>"),
         "Valor fora do limite na tag <vProd>: \"99999999999999999999\""},
        {"quantity -1e300", Trocar(v, "<qCom>10.5000</qCom>", "<qCom>-1e300</qCom>"),
         "Valor fora do limite na tag <qCom>: \"-1e300\""},
        {"total 1e300", Trocar(v, "<vNF>150.09</vNF>", "<vNF>1e300</vNF>"),
         "Valor fora do limite na tag <vNF>: \"1e300\""},
        {"weight 1e300", Trocar(v, "<pesoL>10.500</pesoL>", "<pesoL>1e300</pesoL>"),
         "Valor fora do limite na tag <pesoL>: \"1e300\""},
        {"month 13, day 45", Trocar(v, dhEmi, "<dhEmi>2019-13-45T10:20:30-03:00</dhEmi>"),
         "Conteúdo inválido na tag <dhEmi>: \"2019-13-45T10:20:30-03:00\""},
        {"year, month and day zero", Trocar(v, dhEmi, "<dhEmi>0000-00-00T00:00:00</dhEmi>"),
         "Conteúdo inválido na tag <dhEmi>: \"0000-00-00T00:00:00\""},
        {"hour 99", Trocar(v, dhEmi, "<dhEmi>9999-12-31T99:99:99</dhEmi>"),
         "Conteúdo inválido na tag <dhEmi>: \"9999-12-31T99:99:99\""},
        {"letters for a date", Trocar(v, dhEmi, "<dhEmi>ontem</dhEmi>"),
         "Conteúdo inválido na tag <dhEmi>: \"ontem\""},
        {"due date 2019-13-45", Trocar(v, "<dVenc>2021-01-01</dVenc>", "<dVenc>2019-13-45</dVenc>"),
         "Conteúdo inválido na tag <dVenc>: \"2019-13-45\""},
        {"receipt date cut short",
         Trocar(v, "<dhRecbto>2020-12-01T10:25:00-03:00</dhRecbto>", "<dhRecbto>2020</dhRecbto>"),
         "Conteúdo inválido na tag <dhRecbto>: \"2020\""},
        {"a huge wrong value is cut in the message",
         Trocar(v, dhEmi, "<dhEmi>" + std::string(100000, '9') + "</dhEmi>"),
         "Conteúdo inválido na tag <dhEmi>: \"9999999999999999999999999999999999999999...\""},
        {"item number 2147483648", Trocar(v, "<det nItem=\"2\">", "<det nItem=\"2147483648\">"),
         "Conteúdo inválido no atributo nItem do item 2: \"2147483648\""},
        {"item number of letters", Trocar(v, "<det nItem=\"1\">", "<det nItem=\"um\">"),
         "Conteúdo inválido no atributo nItem do item 1: \"um\""},
        {"transport withholding without its town",
         Trocar(v, "<cMunFG>3518800</cMunFG>", ""), "Conteúdo inválido na tag <cMunFG>: \"\""},
    };
    Estrada e;
    for (const Row &row : rows) {
        const Desfecho d = e.Abrir(row.texto);
        ASSERT_EQ(d.outro, "") << row.name;
        EXPECT_EQ(d.erro, row.mensagem) << row.name;
        EXPECT_TRUE(e.c.impressos.empty()) << row.name;
    }
    e.ContinuaUsavel();
}

TEST(NFeRobustness, ValuesThatMeanNothingLoadAsEmptyFieldsAndPrint)
{
    const std::string &v = Valida();
    const auto vProd = [&](std::string_view valor) {
        return Trocar(v, "<vProd>22.30</vProd>", "<vProd>" + std::string(valor) + "</vProd>");
    };
    const auto xProd = [&](std::string_view valor) {
        return Trocar(v, "<xProd>ARRUELA</xProd>", "<xProd>" + std::string(valor) + "</xProd>");
    };
    struct Row {
        const char *name;
        std::string texto;
        std::function<void(const nfe::TNFe &, const nfe::NotaFiscal &)> conferir;
    };
    const Row rows[] = {
        {"amount -0", vProd("-0"), [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[0].Prod.vProd, rtl::Currency()); }},
        {"amount NaN", vProd("NaN"), [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[0].Prod.vProd, rtl::Currency()); }},
        {"amount INF", vProd("INF"), [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[0].Prod.vProd, rtl::Currency()); }},
        {"amount 1,2,3", vProd("1,2,3"), [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[0].Prod.vProd, rtl::Currency()); }},
        {"document number of 20 digits",
         Trocar(v, "<nNF>1234</nNF>", "<nNF>99999999999999999999</nNF>"),
         [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Ide.nNF, 0); }},
        // The unit value is no amount: it keeps the number, and the regeneration warns.
        {"unit value 1e300", Trocar(v, "<vUnCom>2.1234567890</vUnCom>", "<vUnCom>1e300</vUnCom>"),
         [](const nfe::TNFe &n, const nfe::NotaFiscal &nota) {
             EXPECT_EQ(n.Det[0].Prod.vUnCom, 1e300);
             EXPECT_NE(nota.Alertas().find("vUnCom"), std::string::npos) << nota.Alertas();
         }},
        {"unit value nan", Trocar(v, "<vUnCom>2.1234567890</vUnCom>", "<vUnCom>nan</vUnCom>"),
         [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[0].Prod.vUnCom, 0); }},
        {"item numbers -5 and 0 are numbered by position",
         Trocar(Trocar(v, "<det nItem=\"1\">", "<det nItem=\"-5\">"), "<det nItem=\"2\">",
                "<det nItem=\"0\">"),
         [](const nfe::TNFe &n, auto &) {
             ASSERT_EQ(n.Det.Count(), 3);
             for (int i = 0; i < 3; ++i)
                 EXPECT_EQ(n.Det[i].Prod.nItem, i + 1);
         }},
        {"the last day of year 9999", Trocar(v, "<dhEmi>2020-12-01T10:20:30-03:00</dhEmi>",
                                            "<dhEmi>9999-12-31T23:59:59-03:00</dhEmi>"),
         [](const nfe::TNFe &n, auto &) {
             int ano = 0, mes = 0, dia = 0;
             rtl::DecodeDate(n.Ide.dEmi, ano, mes, dia);
             EXPECT_EQ(ano * 10000 + mes * 100 + dia, 99991231);
         }},
        {"a time zone of +99:99", Trocar(v, "10:20:30-03:00</dhEmi>", "10:20:30+99:99</dhEmi>"), {}},
        {"control characters are kept", xProd("A\x01\x02\x1b\x7f" "B"),
         [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[1].Prod.xProd, "A\x01\x02\x1b\x7f" "B"); }},
        {"a NUL byte is kept", xProd(std::string_view("A\0B", 3)),
         [](const nfe::TNFe &n, auto &) { EXPECT_EQ(n.Det[1].Prod.xProd, std::string("A\0B", 3)); }},
        // Bytes that are no UTF-8 make the whole file read in the ANSI code page.
        {"invalid UTF-8", xProd("A\xFF\xFE\xC3(\xE2\x82 B"),
         [](const nfe::TNFe &n, auto &) {
             EXPECT_EQ(n.Det[1].Prod.xProd, "A\u00FF\u00FE\u00C3(\u00E2\u201A B");
             EXPECT_EQ(n.Ide.natOp, "VENDA DE MERCADORIA & SERVI\u00C3\u2021O");
         }},
        {"entities that decode to nothing printable",
         Trocar(v, "<xProd>ARRUELA</xProd>", "<xProd>&#0;&#xFFFFFFFF;&#99999999999;&#;&</xProd>"),
         [](const nfe::TNFe &n, auto &) { EXPECT_TRUE(rtl::IsValidUtf8(n.Det[1].Prod.xProd)) << n.Det[1].Prod.xProd; }},
    };
    Estrada e;
    for (const Row &row : rows) {
        const Desfecho d = e.Abrir(row.texto);
        ASSERT_EQ(d.outro, "") << row.name;
        EXPECT_EQ(d.erro, "") << row.name;
        ASSERT_EQ(d.documentos, 1) << row.name;
        EXPECT_EQ(d.paginas, 2u) << row.name;
        if (row.conferir) {
            SCOPED_TRACE(row.name);
            row.conferir(e.Nota(), e.c.nfe->NotasFiscais().Items(0));
        }
    }
    e.ContinuaUsavel();
}

// Big files load in full and print every page. Each is only as big as it takes to show
// that the road stays linear: a step that grows with the square of the size would take
// minutes here.
TEST(NFeRobustness, FilesOfSeveralMegabytesLoadInFull)
{
    const std::string &v = Valida();
    struct Row {
        const char *name;
        std::string texto;
        std::function<void(const Desfecho &, Estrada &)> conferir;
    };
    const Row rows[] = {
        {"a 5 MB unknown group",
         Trocar(v, "</infNFe>", "<extra>" + std::string(5 << 20, 'x') + "</extra></infNFe>"),
         [](const Desfecho &d, Estrada &e) {
             EXPECT_EQ(d.paginas, 2u);
             EXPECT_EQ(e.Nota().Det.Count(), 3);
         }},
        {"5 MB of line breaks inside an item",
         Trocar(v, "</det>", Repetir("\r\n", 5 << 19) + "</det>"),
         [](const Desfecho &d, Estrada &e) {
             EXPECT_EQ(d.paginas, 2u);
             EXPECT_EQ(e.Nota().Det[0].Prod.cProd, "P001");
         }},
        // The DANFE continues the additional information on the following pages.
        {"128 KB of additional information without a blank",
         Trocar(v, "<infCpl>", "<infCpl>" + std::string(1 << 17, 'Y')),
         [](const Desfecho &d, Estrada &) { EXPECT_GT(d.paginas, 20u); }},
    };
    Estrada e;
    for (const Row &row : rows) {
        const Desfecho d = e.Abrir(row.texto);
        ASSERT_EQ(d.outro, "") << row.name;
        EXPECT_EQ(d.erro, "") << row.name;
        ASSERT_EQ(d.documentos, 1) << row.name;
        SCOPED_TRACE(row.name);
        row.conferir(d, e);
    }
    e.ContinuaUsavel();
}

// One word of a megabyte: every line of it is broken between characters, and the one item
// runs over hundreds of pages.
TEST(NFeRobustness, AOneMegabyteDescriptionPrintsInFull)
{
    Estrada e;
    const std::string descricao(1 << 20, 'X');
    const Desfecho d = e.Abrir(ComItens(ItemSimples(1, descricao)));
    ASSERT_EQ(d.outro, "");
    EXPECT_EQ(d.erro, "");
    ASSERT_EQ(d.documentos, 1);
    EXPECT_EQ(e.Nota().Det[0].Prod.xProd, descricao);
    ASSERT_FALSE(e.c.impressos.empty());
    std::size_t impressos = 0;
    for (const report::PreparedPage &pagina : e.c.impressos.back().pages)
        for (const std::string &linha : danfe_test::TextosDe(pagina, "rlmDescricao"))
            impressos += linha.size();
    EXPECT_EQ(impressos, descricao.size()) << "every character printed once";
    EXPECT_GT(d.paginas, 100u);
    e.ContinuaUsavel();
}

// Far past the layout's 990 items: the document loads and prints every item, and the
// regeneration warns about the count.
TEST(NFeRobustness, TenThousandItemsLoadAndPrint)
{
    std::string itens;
    for (int i = 1; i <= 10000; ++i)
        itens += ItemSimples(i);
    Estrada e;
    const Desfecho d = e.Abrir(ComItens(itens));
    ASSERT_EQ(d.outro, "");
    EXPECT_EQ(d.erro, "");
    ASSERT_EQ(d.documentos, 1);
    ASSERT_EQ(e.Nota().Det.Count(), 10000);
    EXPECT_EQ(e.Nota().Det[9999].Prod.cProd, "10000");
    EXPECT_EQ(e.Nota().Det[9999].Prod.nItem, 10000);
    EXPECT_NE(e.c.nfe->NotasFiscais().Items(0).Alertas().find("nItem"), std::string::npos);
    ASSERT_FALSE(e.c.impressos.empty());
    const report::PreparedReport &r = e.c.impressos.back();
    EXPECT_GT(r.pages.size(), 100u);
    EXPECT_NE(report::findText(r.pages.back(), "10000"), nullptr) << "the last item is on the last page";
    e.ContinuaUsavel();
}

} // namespace
