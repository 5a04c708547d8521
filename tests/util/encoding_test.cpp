#include "util/encoding.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/inifile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Repeat(std::string_view piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// ---- Encodings ---------------------------------------------------------------------

TEST(OvixUtilEncoding, Utf8ToNativeStringFallsBackToAnsiForTheWholeText)
{
    struct Row {
        const char *name;
        std::string bytes;
        std::string text;
    } rows[] = {
        {"valid UTF-8", "Ação Á", "Ação Á"},
        // One bad byte is enough to read everything in the ANSI code page, the valid
        // sequences included.
        {"invalid UTF-8", "é\xE9", "Ã©é"},
        {"ANSI bytes", "A\xE7\xE3o", "Ação"},
        {"overlong form", "\xC0\xAF", "À¯"},
        {"undefined ANSI bytes survive", "\x81\x8D", "\u0081\u008D"},
        {"empty", "", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::UTF8ToNativeString(row.bytes), row.text) << row.name;
        EXPECT_EQ(util::DecodeToString(row.bytes, true), row.text) << row.name;
    }
}

TEST(OvixUtilEncoding, DecodeToStringReadsAnsiWhenNotUtf8)
{
    EXPECT_EQ(util::DecodeToString("\xC3\xA9", false), "Ã©");
    EXPECT_EQ(util::AnsiToNativeString("\x80 \xE7"), "€ ç");
    EXPECT_EQ(util::NativeStringToUTF8("Ação"), "A\xC3\xA7\xC3\xA3o");
}

TEST(OvixUtilEncoding, OvixStrToAnsiReplacesWhatTheCodePageLacks)
{
    EXPECT_EQ(util::OvixStrToAnsi("Ação € → Ω"), "Ação € ? ?");
    EXPECT_EQ(util::OvixStr("Ação → Ω"), "Ação → Ω");
}

// ---- Accents -----------------------------------------------------------------------

TEST(OvixUtilEncoding, TiraAcentoMapsTheUpperQuarterOfTheCodePage)
{
    for (int b = 0; b < 0xC0; ++b)
        ASSERT_EQ(util::TiraAcento(util::AnsiChr(static_cast<std::uint8_t>(b))),
                  static_cast<char>(b))
            << b;

    struct Row {
        const char *name;
        int first, last;
        char plain;
    } rows[] = {
        {"A grave..AE", 0xC0, 0xC6, 'A'}, {"C cedilla", 0xC7, 0xC7, 'C'},
        {"E", 0xC8, 0xCB, 'E'},           {"I", 0xCC, 0xCF, 'I'},
        {"Eth", 0xD0, 0xD0, 'D'},         {"N tilde", 0xD1, 0xD1, 'N'},
        {"O", 0xD2, 0xD6, 'O'},           {"multiplication", 0xD7, 0xD7, 'x'},
        {"O stroke", 0xD8, 0xD8, '0'},    {"U", 0xD9, 0xDC, 'U'},
        {"Y acute", 0xDD, 0xDD, 'Y'},     {"Thorn", 0xDE, 0xDE, 'b'},
        {"sharp s", 0xDF, 0xDF, 'B'},     {"a grave..ae", 0xE0, 0xE6, 'a'},
        {"c cedilla", 0xE7, 0xE7, 'c'},   {"e", 0xE8, 0xEB, 'e'},
        {"i", 0xEC, 0xEF, 'i'},           {"eth", 0xF0, 0xF0, 'o'},
        {"n tilde", 0xF1, 0xF1, 'n'},     {"o", 0xF2, 0xF6, 'o'},
        {"division", 0xF7, 0xF7, '/'},    {"o stroke", 0xF8, 0xF8, '0'},
        {"u", 0xF9, 0xFC, 'u'},           {"y acute", 0xFD, 0xFD, 'y'},
        {"thorn", 0xFE, 0xFE, 'b'},       {"y diaeresis", 0xFF, 0xFF, 'y'},
    };
    int covered = 0xC0;
    for (const auto &row : rows) {
        EXPECT_EQ(row.first, covered) << row.name; // the rows leave no gap
        for (int b = row.first; b <= row.last; ++b)
            EXPECT_EQ(util::TiraAcento(static_cast<char>(b)), row.plain) << row.name << " " << b;
        covered = row.last + 1;
    }
    EXPECT_EQ(covered, 0x100);
}

TEST(OvixUtilEncoding, TiraAcentosGivesPrintableAscii)
{
    struct Row {
        const char *name;
        std::string text;
        std::string plain;
    } rows[] = {
        {"ordinal becomes a blank", "Ação nº 1", "Acao n  1"},
        {"outside the code page becomes '?'", "a → b Ω", "a ? b ?"},
        {"line breaks kept", "a\r\nb\nc\rd", "a\r\nb\nc\rd"},
        {"backspace kept", "a\bb", "a\bb"},
        {"tab and other controls", "a\tb\x01" "c\x7F", "a b c "},
        {"letters mapped by shape", "×ØÞßð÷øþ", "x0bBo/0b"},
        {"signs without a letter", "ª°§€", "    "},
        {"every accented vowel", "ÁÀÂÃÄÉÊÍÓÔÕÚÜáàâãäéêíóôõúüÇç",
         "AAAAAEEIOOOUUaaaaaeeiooouuCc"},
        {"malformed byte read as its Latin-1 letter", "a\xE9z", "aez"},
        {"empty", "", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::TiraAcentos(row.text), row.plain) << row.name;
}

TEST(OvixUtilEncoding, ChangeLineBreak)
{
    struct Row {
        const char *name;
        std::string text;
        std::string newBreak;
        std::string result;
    } rows[] = {
        {"every kind of break", "a\r\nb\rc\nd", ";", "a;b;c;d"},
        {"CR CR LF is two breaks", "a\r\r\nb", ";", "a;;b"},
        {"LF LF CR is three breaks", "a\n\n\rb", ";", "a;;;b"},
        {"to LF", "a\r\nb\rc\nd", "\n", "a\nb\nc\nd"},
        {"to CR LF", "a\r\nb\rc\nd", "\r\n", "a\r\nb\r\nc\r\nd"},
        {"to a longer text", "a\nb", "<br/>", "a<br/>b"},
        {"to nothing", "a\r\nb", "", "ab"},
        {"break at both ends", "\r\na\r", "|", "|a|"},
        {"blanks and breaks only stay", " \r\n\t\n ", ";", " \r\n\t\n "},
        {"empty", "", ";", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::ChangeLineBreak(row.text, row.newBreak), row.result) << row.name;
    EXPECT_EQ(util::ChangeLineBreak("a\nb"), "a;b");
}

// ---- Entities ----------------------------------------------------------------------

TEST(OvixUtilEncoding, ParseTextDecodesInOnePass)
{
    struct Row {
        const char *name;
        std::string bytes;
        bool isUtf8;
        std::string text;
    } rows[] = {
        {"escaped entity stays an entity", "&amp;lt;", true, "&lt;"},
        {"escaped letter stays an entity", "&amp;eacute;", true, "&eacute;"},
        {"markup", "&lt;a&gt; &quot;b&quot; &#39;c&apos;", true, "<a> \"b\" 'c'"},
        {"letters", "&Ccedil;&atilde;o", true, "Ção"},
        {"every letter",
         "&aacute;&Aacute;&acirc;&Acirc;&atilde;&Atilde;&agrave;&Agrave;&eacute;&Eacute;"
         "&ecirc;&Ecirc;&iacute;&Iacute;&oacute;&Oacute;&otilde;&Otilde;&ocirc;&Ocirc;"
         "&uacute;&Uacute;&uuml;&Uuml;&ccedil;&Ccedil;",
         true, "áÁâÂãÃàÀéÉêÊíÍóÓõÕôÔúÚüÜçÇ"},
        {"case-sensitive", "&AMP; &Lt; &CCEDIL;", true, "&AMP; &Lt; &CCEDIL;"},
        {"unknown entity kept", "a &foo; b", true, "a &foo; b"},
        {"other character references kept", "&#233; &#x27;", true, "&#233; &#x27;"},
        {"bare ampersand kept", "a & b &", true, "a & b &"},
        {"ampersand before an entity", "&&amp;&", true, "&&&"},
        {"unterminated entity", "&amp", true, "&amp"},
        {"UTF-8 bytes read as UTF-8", "é &amp; ç", true, "é & ç"},
        {"UTF-8 bytes read as ANSI", "é &amp;", false, "Ã© &"},
        {"ANSI bytes read as ANSI", "\xE9 &amp;", false, "é &"},
        {"ANSI bytes are not UTF-8", "\xE9 &amp;", true, "é &"},
        {"no entity", "plain é", true, "plain é"},
        {"empty", "", true, ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::ParseText(row.bytes, true, row.isUtf8), row.text) << row.name;
    EXPECT_EQ(util::ParseText("&gt;"), ">");
}

TEST(OvixUtilEncoding, ParseTextEncodes)
{
    struct Row {
        const char *name;
        std::string ansi;
        std::string text;
    } rows[] = {
        {"ampersand and less-than", "a<b & c", "a&lt;b &amp; c"},
        {"every special character", "&<>\"'", "&amp;&lt;&gt;&quot;&#39;"},
        {"entity text is escaped again", "&amp;", "&amp;amp;"},
        {"bytes read in the ANSI code page", "\xC7\xE3o > 1", "Ção &gt; 1"},
        {"nothing to escape", "abc", "abc"},
        {"empty", "", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::ParseText(row.ansi, false), row.text) << row.name;
        EXPECT_EQ(util::ParseText(row.ansi, false, false), row.text) << row.name;
    }
    // Decoding gives back what was encoded, whatever it looked like.
    const std::string tricky = "x &amp;lt; <y> \"&\" '&#39;'";
    EXPECT_EQ(util::ParseText(util::ParseText(tricky, false), true), tricky);
}

// ---- Searching ---------------------------------------------------------------------

TEST(OvixUtilEncoding, RetornarConteudoEntre)
{
    struct Row {
        const char *name;
        std::string text, begin, end;
        std::string inner, outer;
    } rows[] = {
        {"found", "a[b]c", "[", "]", "b", "[b]"},
        {"end missing", "a[bc", "[", "]", "", ""},
        {"begin missing", "ab]c", "[", "]", "", ""},
        {"end only before begin", "]a[b", "[", "]", "", ""},
        {"first begin, first end after it", "x[1]y[2]", "[", "]", "1", "[1]"},
        {"nothing between", "a[]b", "[", "]", "", "[]"},
        {"same delimiter", "a|b|c", "|", "|", "b", "|b|"},
        {"end does not overlap begin", "<<x>", "<<", "<x", "", ""},
        {"longer delimiters", "<p>olá</p>", "<p>", "</p>", "olá", "<p>olá</p>"},
        {"accented delimiters", "ãxçãyç", "ç", "ç", "ãy", "çãyç"},
        {"empty begin", "abc", "", "c", "", ""},
        {"empty end", "abc", "a", "", "", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::RetornarConteudoEntre(row.text, row.begin, row.end), row.inner) << row.name;
        EXPECT_EQ(util::RetornarConteudoEntre(row.text, row.begin, row.end, true), row.outer)
            << row.name;
    }
}

TEST(OvixUtilEncoding, LerTagXML)
{
    struct Row {
        const char *name;
        std::string xml, tag;
        bool ignoreCase;
        std::string content;
    } rows[] = {
        {"case ignored", "<A>x</A>", "a", true, "x"},
        {"case kept", "<A>x</A>", "a", false, ""},
        {"exact case", "<A>x</A>", "A", false, "x"},
        {"no closing runs to the end", "<A>xyz", "A", true, "xyz"},
        {"no closing, case kept", "<A>xyz", "A", false, "xyz"},
        {"opening missing", "x</A>", "A", true, ""},
        {"attributes are not found", R"(<nfe versao="4.00">x</nfe>)", "nfe", true, ""},
        {"attributes are not found, case kept", R"(<nfe versao="4.00">x</nfe>)", "nfe", false, ""},
        {"first opening, first closing after it", "<b>1</b><b>2</b>", "b", true, "1"},
        {"closing before the opening is skipped", "</b><b>1</b>", "B", true, "1"},
        {"longer tag is another tag", "<bc>1</bc><b>2</b>", "b", true, "2"},
        {"content copied as written", "<xNome>Açaí Ltda</XNOME>", "XNOME", true, "Açaí Ltda"},
        {"mixed case on both sides", "<xNoMe>v</XnOmE>", "xnome", true, "v"},
        {"accented tag, case ignored", "<AÇÃO>v</ação>", "Ação", true, "v"},
        {"accented tag, case kept", "<AÇÃO>v</ação>", "Ação", false, ""},
        {"nested", "<a><b>x</b></a>", "a", true, "<b>x</b>"},
        {"empty content", "<a></a>", "a", true, ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::LerTagXML(row.xml, row.tag, row.ignoreCase), row.content) << row.name;
}

// ---- The XML declaration -----------------------------------------------------------

TEST(OvixUtilEncoding, XmlEhUTF8)
{
    const std::string pad50(50, ' ');
    struct Row {
        const char *name;
        std::string xml;
        bool utf8;
    } rows[] = {
        {"double quotes", R"(<?xml version="1.0" encoding="utf-8"?><a/>)", true},
        {"single quotes", "<?xml version='1.0' encoding='UTF-8'?><a/>", true},
        {"upper case", R"(<?XML VERSION="1.0" ENCODING="UTF-8"?>)", true},
        {"utf-8 before encoding", R"(<?xml utf-8 encoding="latin1"?>)", false},
        {"declaration after the 50th character", pad50 + R"(<?xml encoding="UTF-8"?>)", false},
        // The tail below is 21 characters long.
        {"utf-8 ends at the 50th character", std::string(29, ' ') + R"(<?xml encoding="UTF-8)", true},
        {"utf-8 cut by the 50th character", std::string(30, ' ') + R"(<?xml encoding="UTF-8)", false},
        {"accents count as one character each", Repeat("é", 29) + R"(<?xml encoding="UTF-8)", true},
        {"utf-16", R"(<?xml version="1.0" encoding="UTF-16"?>)", false},
        {"iso", R"(<?xml version="1.0" encoding="ISO-8859-1"?>)", false},
        {"no declaration", "<a>utf-8</a>", false},
        {"empty", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(util::XmlEhUTF8(row.xml), row.utf8) << row.name;
}

TEST(OvixUtilEncoding, ConverteXMLtoUTF8)
{
    // Already declared as UTF-8: nothing to do.
    const std::string utf8Doc = R"(<?xml version="1.0" encoding="UTF-8"?><a>ação</a>)";
    EXPECT_EQ(util::ConverteXMLtoUTF8(utf8Doc), utf8Doc);

    const std::string decl = R"(<?xml version="1.0" encoding="UTF-8"?>)";
    struct Row {
        const char *name;
        std::string xml;
    } rows[] = {
        {"old declaration stays behind the new one",
         R"(<?xml version="1.0" encoding="ISO-8859-1"?><a>Ação Á</a>)"},
        {"no declaration", "<a>ÁÉÍ € ç</a>"},
        {"empty", ""},
    };
    for (const auto &row : rows) {
        const std::string converted = util::ConverteXMLtoUTF8(row.xml);
        EXPECT_EQ(rtl::Utf8ToAnsi(converted), decl + row.xml) << row.name;
        EXPECT_EQ(converted.substr(0, decl.size()), decl) << row.name;
    }
    EXPECT_EQ(util::ConverteXMLtoUTF8("<a>Á</a>"), decl + "<a>Ã\u0081</a>");
}

TEST(OvixUtilEncoding, ConverteXMLtoNativeString)
{
    // A UTF-8 file read as ANSI text comes back as the document, without its declaration.
    const std::string body = "<NFe><xNome>Ação Áries € ÇÃO</xNome></NFe>";
    const std::string readAsAnsi =
        rtl::AnsiToUtf8(R"(<?xml version="1.0" encoding="UTF-8"?>)" + body);
    EXPECT_EQ(util::ConverteXMLtoNativeString(readAsAnsi), body);

    // Converting to UTF-8 and back gives the original document without a declaration.
    EXPECT_EQ(util::ConverteXMLtoNativeString(util::ConverteXMLtoUTF8(body)), body);

    // Without a UTF-8 declaration nothing changes, declaration included.
    const std::string latin1 = R"(<?xml version="1.0" encoding="ISO-8859-1"?>)" + body;
    EXPECT_EQ(util::ConverteXMLtoNativeString(latin1), latin1);
    EXPECT_EQ(util::ConverteXMLtoNativeString(body), body);

    // Bytes that are not UTF-8 after all are read in the ANSI code page.
    EXPECT_EQ(util::ConverteXMLtoNativeString(R"(<?xml encoding="utf-8"?><a>é</a>)"), "<a>é</a>");
}

TEST(OvixUtilEncoding, DeclarationIsFoundAndRemoved)
{
    struct Row {
        const char *name;
        std::string xml;
        std::string declaration;
        std::string without;
    } rows[] = {
        {"at the start", R"(<?xml version="1.0"?><a/>)", R"(<?xml version="1.0"?>)", "<a/>"},
        {"after text", R"( x<?xml a?><a/>)", "<?xml a?>", " x<a/>"},
        {"only the first", "<?a?><?b?>", "<?a?>", "<?b?>"},
        {"close before open", "?><?a", "", "?><?a"},
        {"no close", "<?xml <a/>", "", "<?xml <a/>"},
        {"close does not overlap open", "<?>x?>y", "<?>x?>", "y"},
        {"none", "<a/>", "", "<a/>"},
        {"empty", "", "", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::ObtemDeclaracaoXML(row.xml), row.declaration) << row.name;
        EXPECT_EQ(util::RemoverDeclaracaoXML(row.xml), row.without) << row.name;
    }
}

// ---- Kinds of text -----------------------------------------------------------------

TEST(OvixUtilEncoding, StringIsXmlIniOrFile)
{
    struct Row {
        const char *name;
        std::string text;
        bool xml, ini, file;
    } rows[] = {
        {"xml", "<a>1</a>", true, false, false},
        {"brackets in any order", "> x <", true, false, false},
        {"only one bracket", "a < b", false, false, true},
        {"ini", "[Sec]\nKey=Value", false, true, false},
        {"ini without section", "Key=Value", false, false, true},
        {"ini markers in any order", "=]x[", false, true, false},
        {"path", "/tmp/notas/nfe.xml", false, false, true},
        {"path of 254 characters", std::string(254, 'a'), false, false, true},
        {"path of 255 characters", std::string(255, 'a'), false, false, false},
        {"accented path counted in characters", "/" + Repeat("é", 253), false, false, true},
        {"empty", "", false, false, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(util::StringIsXML(row.text), row.xml) << row.name;
        EXPECT_EQ(util::StringIsINI(row.text), row.ini) << row.name;
        EXPECT_EQ(util::StringIsAFile(row.text), row.file) << row.name;
    }
}

} // namespace

namespace {

TEST(LerIniArquivoOuString, ReadsIniTextWithEscapesOrAFileAndRefusesTheRest)
{
    rtl::TMemIniFile ini("");
    util::LerIniArquivoOuString("[Geral]\r\nNome=Jo\\xE3o\r\n", ini);
    EXPECT_EQ(ini.ReadString("geral", "nome", ""), "João");

    QTemporaryDir tmp;
    const std::string name = tmp.path().toStdString() + "/conf.ini";
    rtl::WriteFileBytes(name, "[NFe]\r\nVersao=4\r\n");
    util::LerIniArquivoOuString(name, ini);
    EXPECT_EQ(ini.ReadInteger("NFe", "Versao", 0), 4);
    EXPECT_FALSE(ini.SectionExists("Geral")) << "the file replaces the whole content";

    struct Row {
        const char *name;
        std::string input;
        std::string message;
    } rows[] = {
        {"empty", "", "String INI informada não é válida."},
        {"xml", "<a>x</a>", "String INI informada não é válida."},
        {"too long for a name", std::string(300, 'a'), "String INI informada não é válida."},
        {"missing file", tmp.path().toStdString() + "/nada.ini",
         "Arquivo: " + tmp.path().toStdString() + "/nada.ini não encontrado."},
    };
    for (const auto &row : rows) {
        try {
            util::LerIniArquivoOuString(row.input, ini);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), row.message) << row.name;
        }
    }
}

} // namespace
