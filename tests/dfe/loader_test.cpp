#include "dfe/loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dfe::DecodificarArquivoXML;
using dfe::DecodificarEntidadesDocumento;
using dfe::RemoverNameSpace;
using dfe::SepararDocumentos;

const std::string DeclUtf8 = R"(<?xml version="1.0" encoding="UTF-8"?>)";
const std::string DeclLatin1 = R"(<?xml version="1.0" encoding="ISO-8859-1"?>)";
const std::string Bom = "\xEF\xBB\xBF";

// ---- Decoding a file's bytes -------------------------------------------------------

TEST(DfeLoader, DecodificarArquivoXMLPicksTheEncodingTheFileUses)
{
    struct Row {
        const char *name;
        std::string bytes, text;
    } rows[] = {
        {"declared UTF-8, valid: decoded, declaration removed",
         DeclUtf8 + "<a>S\xC3\xA3o</a>", "<a>São</a>"},
        {"declared UTF-8, single bytes: read as ANSI, declaration removed",
         DeclUtf8 + "<a>S\xE3o</a>", "<a>São</a>"},
        {"declared UTF-8 in lower case and apostrophes",
         "<?xml version='1.0' encoding='utf-8'?><a>\xC3\xA7</a>", "<a>ç</a>"},
        {"declared ISO-8859-1: ANSI, declaration kept",
         DeclLatin1 + "<a>A\xE7\xE3o</a>", DeclLatin1 + "<a>Ação</a>"},
        {"declared ISO-8859-1 wins over bytes that happen to be UTF-8",
         DeclLatin1 + "<a>\xC3\xA7</a>", DeclLatin1 + "<a>Ã§</a>"},
        {"declared windows-1252 with apostrophes",
         "<?xml version='1.0' encoding='windows-1252'?><a>\x80</a>",
         "<?xml version='1.0' encoding='windows-1252'?><a>€</a>"},
        {"no declaration, UTF-8 accents: decoded", "<a>S\xC3\xA3o Jos\xC3\xA9</a>",
         "<a>São José</a>"},
        {"declaration without encoding, UTF-8 accents: decoded, declaration kept",
         "<?xml version=\"1.0\"?><a>S\xC3\xA3o</a>", "<?xml version=\"1.0\"?><a>São</a>"},
        {"no declaration, cp1252 bytes: ANSI", "<a>S\xE3o \x93x\x94</a>", "<a>São “x”</a>"},
        {"BOM and UTF-8 declaration: both gone", Bom + DeclUtf8 + "<a>S\xC3\xA3o</a>",
         "<a>São</a>"},
        {"BOM without declaration: UTF-8, BOM gone", Bom + "<a>S\xC3\xA3o</a>", "<a>São</a>"},
        {"BOM over a single-byte declaration: the BOM is honoured",
         Bom + DeclLatin1 + "<a>\xC3\xA7</a>", DeclLatin1 + "<a>ç</a>"},
        {"character outside the ANSI code page becomes ?",
         "<a>\xE4\xB8\xAD \xE2\x82\xAC</a>", "<a>? €</a>"},
        {"UTF-8 named past the first 50 characters: UTF-8, declaration kept",
         "<?xml version=\"1.0\"                              encoding=\"UTF-8\"?><a>\xC3\xA7</a>",
         "<?xml version=\"1.0\"                              encoding=\"UTF-8\"?><a>ç</a>"},
        {"empty file", "", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(DecodificarArquivoXML(row.bytes), row.text) << row.name;
}

// ---- Splitting into documents ------------------------------------------------------

const std::string Nfe1 = R"(<NFe><infNFe Id="NFe1"/></NFe>)";
const std::string Nfe2 = R"(<NFe><infNFe Id="NFe2"/></NFe>)";
const std::string Proc1 = "<nfeProc>" + Nfe1 + "<protNFe>p1</protNFe></nfeProc>";
const std::string Proc2 = "<nfeProc>" + Nfe2 + "<protNFe>p2</protNFe></nfeProc>";

TEST(DfeLoader, SepararDocumentosGivesOnePiecePerDocument)
{
    struct Row {
        const char *name;
        std::string text;
        const dfe::TTagsDocumento &tags;
        std::vector<std::string> pieces;
    } rows[] = {
        {"one nfeProc, declaration kept in front", DeclUtf8 + "\n" + Proc1 + "\n",
         dfe::TagsNFe, {DeclUtf8 + "\n" + Proc1}},
        {"two nfeProc back to back", Proc1 + Proc2, dfe::TagsNFe, {Proc1, Proc2}},
        {"nfeProc then bare NFe", Proc1 + Nfe2, dfe::TagsNFe, {Proc1, Nfe2}},
        {"bare NFe then nfeProc: two documents", Nfe1 + Proc2, dfe::TagsNFe, {Nfe1, Proc2}},
        {"procNFe envelope", "<procNFe>" + Nfe1 + "<p/></procNFe>", dfe::TagsNFe,
         {"<procNFe>" + Nfe1 + "<p/></procNFe>"}},
        {"procNFe then nfeProc", "<procNFe>" + Nfe1 + "</procNFe>" + Proc2, dfe::TagsNFe,
         {"<procNFe>" + Nfe1 + "</procNFe>", Proc2}},
        {"no document closing", "<nfeProc><NFe><infNFe/></nfeProc>", dfe::TagsNFe, {}},
        {"blanks and control characters between are skipped",
         Proc1 + " \r\n\t " + Nfe2 + "\r\n", dfe::TagsNFe, {Proc1, Nfe2}},
        {"text after the last document dropped", Nfe1 + " <resto>", dfe::TagsNFe, {Nfe1}},
        {"cut-off envelope: bare piece, its protocol leads the next one",
         "<nfeProc>" + Nfe1 + "<protNFe/>" + Nfe2, dfe::TagsNFe,
         {"<nfeProc>" + Nfe1, "<protNFe/>" + Nfe2}},
        {"closing tags match case", "<nfe></nfe>", dfe::TagsNFe, {}},
        {"CT-e OS with both envelopes",
         "<cteOSProc><CTeOS>a</CTeOS></cteOSProc><procCTeOS><CTeOS>b</CTeOS></procCTeOS>",
         dfe::TagsCTeOS,
         {"<cteOSProc><CTeOS>a</CTeOS></cteOSProc>",
          "<procCTeOS><CTeOS>b</CTeOS></procCTeOS>"}},
        {"CT-e tags do not see a CT-e OS", "<CTeOS>a</CTeOS><cteProc><CTe>b</CTe></cteProc>",
         dfe::TagsCTe, {"<CTeOS>a</CTeOS><cteProc><CTe>b</CTe></cteProc>"}},
        {"MDF-e", "<mdfeProc><MDFe>a</MDFe></mdfeProc>", dfe::TagsMDFe,
         {"<mdfeProc><MDFe>a</MDFe></mdfeProc>"}},
    };
    for (const Row &row : rows) {
        const std::vector<std::string_view> pieces = SepararDocumentos(row.text, row.tags);
        EXPECT_EQ(std::vector<std::string>(pieces.begin(), pieces.end()), row.pieces)
            << row.name;
    }
}

TEST(DfeLoader, SepararDocumentosReturnsViewsIntoTheText)
{
    const std::string text = Proc1 + "\n" + Proc2;
    const std::vector<std::string_view> pieces = SepararDocumentos(text, dfe::TagsNFe);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].data(), text.data());
    EXPECT_EQ(pieces[1].data(), text.data() + Proc1.size() + 1);
}

// ---- Preparing a piece for its reader ----------------------------------------------

TEST(DfeLoader, DecodificarEntidadesDocumentoTurnsOnlyAccentedLettersIntoLetters)
{
    struct Row {
        const char *name;
        std::string in, out;
    } rows[] = {
        {"accented letters", "<x>Ca&ccedil;&atilde;o &Eacute; &Uuml;</x>", "<x>Cação É Ü</x>"},
        {"every letter of the table",
         "&aacute;&Aacute;&acirc;&Acirc;&atilde;&Atilde;&agrave;&Agrave;&eacute;&Eacute;"
         "&ecirc;&Ecirc;&iacute;&Iacute;&oacute;&Oacute;&otilde;&Otilde;&ocirc;&Ocirc;"
         "&uacute;&Uacute;&uuml;&Uuml;&ccedil;&Ccedil;",
         "áÁâÂãÃàÀéÉêÊíÍóÓõÕôÔúÚüÜçÇ"},
        {"escaped ampersand before lt stays", "<x>a &amp;lt; b</x>", "<x>a &amp;lt; b</x>"},
        {"escaped markup stays text", "<x>&lt;/det&gt;</x>", "<x>&lt;/det&gt;</x>"},
        {"XML entities and numeric references stay", "&quot;&#39;&apos;&#231;&#xE7;",
         "&quot;&#39;&apos;&#231;&#xE7;"},
        {"ampersand of an escaped entity name stays", "&amp;ccedil;", "&amp;ccedil;"},
        {"names are case-sensitive", "&CCEDIL;", "&CCEDIL;"},
        {"unknown or unterminated names stay", "&eth; &ccedil &", "&eth; &ccedil &"},
        {"a replacement is not read again", "&&ccedil;", "&ç"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(DecodificarEntidadesDocumento(row.in), row.out) << row.name;
}

TEST(DfeLoader, RemoverNameSpaceRemovesOnlyTheExactDeclaration)
{
    constexpr const char *Uri = "http://www.portalfiscal.inf.br/nfe";
    struct Row {
        const char *name;
        std::string in, out;
    } rows[] = {
        {"every occurrence",
         R"(<nfeProc xmlns="http://www.portalfiscal.inf.br/nfe"><NFe xmlns="http://www.portalfiscal.inf.br/nfe"/></nfeProc>)",
         "<nfeProc><NFe/></nfeProc>"},
        {"other attributes kept",
         R"(<NFe xmlns="http://www.portalfiscal.inf.br/nfe" a="1"/>)", R"(<NFe a="1"/>)"},
        {"apostrophes kept", R"(<NFe xmlns='http://www.portalfiscal.inf.br/nfe'/>)",
         R"(<NFe xmlns='http://www.portalfiscal.inf.br/nfe'/>)"},
        {"without the leading blank kept",
         "<NFe\txmlns=\"http://www.portalfiscal.inf.br/nfe\"/>",
         "<NFe\txmlns=\"http://www.portalfiscal.inf.br/nfe\"/>"},
        {"another namespace kept", R"(<Signature xmlns="http://www.w3.org/2000/09/xmldsig#"/>)",
         R"(<Signature xmlns="http://www.w3.org/2000/09/xmldsig#"/>)"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(RemoverNameSpace(row.in, Uri), row.out) << row.name;
}

} // namespace
