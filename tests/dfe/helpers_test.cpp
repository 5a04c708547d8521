#include "dfe/helpers.h"

#include "rtl/datetime.h"
#include "rtl/variant.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Access keys written for these tests, their check digits worked out by hand from the
// weights 2..9 taken from the right. CNPJ 11222333000181 and CPF 11144477735 are valid.
constexpr const char *KeyNFe = "35190111222333000181550010000001231123456781";
constexpr const char *KeyContingency = "41231211222333000181650020000045679876543215";
// Model 59: series is the 9-digit equipment number, then the 6-digit receipt number and
// a 6-digit numeric code.
constexpr const char *KeySat = "35190111222333000181599000012340001236543219";

// ---- Text filter -------------------------------------------------------------------

TEST(PcnAuxiliar, FiltrarTextoXMLRunsItsStepsInOrder)
{
    struct Row {
        const char *name;
        bool espacos, acentos, quebras;
        const char *quebra;
        std::string in, out;
    } rows[] = {
        {"accents, blanks, escapes", true, true, true, ";", "Ação  &  <x>",
         "Acao &amp; &lt;x&gt;"},
        {"CR LF becomes the break text", true, true, true, ";", "a\r\nb", "a;b"},
        {"quotes escaped", true, true, true, ";", "\"it's\"", "&quot;it&#39;s&quot;"},
        {"accents kept", false, false, false, ";", "Ação", "Ação"},
        {"outside the code page becomes ?", false, false, false, ";", "a中b", "a?b"},
        {"euro is in the code page", false, false, false, ";", "5 €", "5 €"},
        // Accent removal blanks tabs and non-ASCII before the runs of blanks are joined.
        {"tab blanked then joined", true, true, false, ";", "a\t b", "a b"},
        {"tab kept without accent removal", true, false, false, ";", "a\t b", "a\t b"},
        {"euro blanked by accent removal", true, true, false, ";", "a € b", "a b"},
        {"blanks kept without the flag", false, true, false, ";", "a   b", "a   b"},
        // Escaping comes before the break text goes in, so markup in it survives.
        {"break text not escaped", false, false, true, "<br/>", "a\nb", "a<br/>b"},
        // Blanks are joined before the breaks are replaced: a blank break text can leave
        // two blanks side by side.
        {"blanks joined before breaks", true, false, true, " ", "a\r\n b", "a  b"},
        // Trimming is the last step: a break at either end is kept as its text...
        {"breaks replaced before trimming", false, false, true, ";", "\r\nabc\n", ";abc;"},
        // ...and trimmed away when breaks are not replaced.
        {"breaks trimmed when kept", false, false, false, ";", "\r\nabc\n", "abc"},
        {"lone CR", false, false, true, "|", "a\rb", "a|b"},
        {"trim without other flags", false, false, false, ";", "  x  ", "x"},
        {"blank text", true, true, true, ";", "  \r\n ", ""},
        // Plain printable text goes through every step unchanged.
        {"plain text", true, true, true, ";", "CAMISETA AZUL 1 (M) ~{|}`^", "CAMISETA AZUL 1 (M) ~{|}`^"},
        {"plain text, no flags", false, false, false, ";", "a b", "a b"},
        {"blank at the end", true, true, true, ";", "ab ", "ab"},
        {"blank at the start", false, false, false, ";", " ab", "ab"},
        {"run of blanks joined", true, false, false, ";", "a  b", "a b"},
        {"DEL blanked by accent removal", true, true, false, ";", "a\x7F", "a"},
        {"DEL kept", false, false, false, ";", "a\x7F", "a\x7F"},
        {"one escape at the end", true, true, true, ";", "abc'", "abc&#39;"},
        {"empty", true, true, true, ";", "", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::FiltrarTextoXML(row.espacos, row.in, row.acentos, row.quebras, row.quebra),
                  row.out)
            << row.name;
}

// ---- Reverse filter ----------------------------------------------------------------

TEST(PcnAuxiliar, ReverterFiltroTextoXMLDecodesInOnePass)
{
    struct Row {
        const char *name;
        std::string in, out;
    } rows[] = {
        {"the five escapes", "&lt;b&gt; &amp; &quot;&#39;", "<b> & \"'"},
        {"apostrophe entity", "D&apos;Avila", "D'Avila"},
        {"escaped escape stays an escape", "x &amp;lt; y", "x &lt; y"},
        {"double-escaped ampersand", "a &amp;amp; b", "a &amp; b"},
        {"escaped markup stays text", "&amp;lt;/det&amp;gt;", "&lt;/det&gt;"},
        {"hex reference", "caf&#xE9;", "café"},
        {"lower-case hex digits", "caf&#xe9;", "café"},
        {"leading zeros are one character", "&#x00E9;", "é"},
        {"hex ASCII", "&#x41;&#x42;", "AB"},
        {"euro is one character", "&#x20AC;", "€"},
        {"outside the code page", "&#x4E2D;", "?"},
        {"hex reference after &amp;", "&amp;#xE9;", "&#xE9;"},
        {"not hexadecimal", "&#xZZ;", "&#xZZ;"},
        {"no digits", "&#x;", "&#x;"},
        {"no semicolon", "a &#x41 b", "a &#x41 b"},
        {"mixed digits", "&#x4G;", "&#x4G;"},
        {"surrogate", "&#xD800;", "&#xD800;"},
        {"beyond Unicode", "&#x110000;", "&#x110000;"},
        {"null", "&#x0;", "&#x0;"},
        {"bare ampersand", "Tom & Jerry &", "Tom & Jerry &"},
        {"unknown entity", "&nbsp;&copy;", "&nbsp;&copy;"},
        {"case-sensitive names", "&AMP;&Lt;", "&AMP;&Lt;"},
        {"malformed then valid", "&#xZ;&#x41;", "&#xZ;A"},
        // Only a character a reference produces is narrowed; text as written stays.
        {"literal text untouched", "中 &amp; Ω", "中 & Ω"},
        {"trimmed after decoding", "  &#x20;a&#x20;  ", "a"},
        {"empty", "", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ReverterFiltroTextoXML(row.in), row.out) << row.name;
}

TEST(PcnAuxiliar, ReverterFiltroTextoXMLTakesCDATALiterally)
{
    struct Row {
        const char *name;
        std::string in, out;
    } rows[] = {
        {"content not decoded", "<![CDATA[a &amp; b]]>", "a &amp; b"},
        {"trimmed", "  <![CDATA[ x ]]> ", "x"},
        {"text around kept", "a<![CDATA[b]]>c", "abc"},
        {"only the first section", "a<![CDATA[b]]>c<![CDATA[d]]>", "abc<![CDATA[d]]>"},
        {"unclosed section", "<![CDATA[a &lt; b", "a &lt; b"},
        {"escapes outside the section kept too", "&amp;<![CDATA[x]]>", "&amp;x"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ReverterFiltroTextoXML(row.in), row.out) << row.name;
}

// ---- Numbers, dates, small texts ---------------------------------------------------

TEST(PcnAuxiliar, IntToStrZeroKeepsTheRightmostDigits)
{
    struct Row {
        const char *name;
        int numero, tamanho;
        const char *out;
    } rows[] = {
        {"zero-filled", 7, 3, "007"},
        {"exact", 123, 3, "123"},
        {"year to two digits", 2019, 2, "19"},
        {"longer keeps the last", 12345, 3, "345"},
        {"zero", 0, 4, "0000"},
        {"no width", 5, 0, ""},
        {"negative width", 5, -2, ""},
        {"largest int", 2147483647, 12, "002147483647"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::IntToStrZero(row.numero, row.tamanho), row.out) << row.name;
}

TEST(PcnAuxiliar, DateTimeTodhDropsMilliseconds)
{
    struct Row {
        const char *name;
        rtl::TDateTime value;
        const char *out;
    } rows[] = {
        {"not rounded up", rtl::EncodeDateTime(2019, 1, 5, 8, 7, 6, 900), "2019-01-05T08:07:06"},
        {"last millisecond of the day", rtl::EncodeDateTime(2023, 12, 31, 23, 59, 59, 999),
         "2023-12-31T23:59:59"},
        {"midnight", rtl::EncodeDate(2000, 2, 29), "2000-02-29T00:00:00"},
        {"four-digit year", rtl::EncodeDateTime(999, 10, 2, 1, 2, 3, 0), "0999-10-02T01:02:03"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::DateTimeTodh(row.value), row.out) << row.name;
}

TEST(PcnAuxiliar, ExecutarAjusteTagNroFillsShortNumbers)
{
    struct Row {
        const char *name;
        bool corrigir;
        const char *in, *out;
    } rows[] = {
        {"one digit", true, " 7 ", "007"},      {"two digits", true, "12", "012"},
        {"three digits", true, "123", "123"},   {"four digits", true, "1234", "1234"},
        {"not a number", true, "S/N", "S/N"},   {"letters and digits", true, "1A", "1A"},
        {"not asked", false, " 7 ", "7"},       {"empty", true, "  ", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ExecutarAjusteTagNro(row.corrigir, row.in), row.out) << row.name;
}

TEST(PcnAuxiliar, SubStrEmSubStrMatchesListItemsAsPrefixes)
{
    struct Row {
        const char *name;
        const char *texto, *lista;
        bool found;
    } rows[] = {
        {"second item", "infNFe versao=4.00", "|?xml version|infNFe versao|", true},
        {"first item", "?xml version=\"1.0\"", "|?xml version|infNFe versao|", true},
        {"item inside, not at start", "NFe", "|?xml version|infNFe versao|", false},
        {"empty items ignored", "abc", "||", false},
        {"unclosed last item ignored", "abc", "|x|abc", false},
        {"text before the first bar ignored", "abc", "abc|x|", false},
        {"empty list", "abc", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::SubStrEmSubStr(row.texto, row.lista), row.found) << row.name;
}

TEST(PcnAuxiliar, RetornarPosExAndIIf)
{
    EXPECT_EQ(dfe::RetornarPosEx("b", "abcabc"), 2);
    EXPECT_EQ(dfe::RetornarPosEx("b", "abcabc", 3), 5);
    EXPECT_EQ(dfe::RetornarPosEx("ç", "açaça", 3), 4);
    EXPECT_EQ(dfe::RetornarPosEx("x", "abc"), 0);
    EXPECT_EQ(dfe::RetornarPosEx("", "abc"), 0);

    EXPECT_EQ(dfe::IIf(true, 1, "no"), rtl::Variant(1));
    EXPECT_EQ(dfe::IIf(false, 1, "no"), rtl::Variant("no"));
}

// ---- State codes -------------------------------------------------------------------

TEST(PcnAuxiliar, StateCodesAndAbbreviations)
{
    struct Row {
        const char *name;
        int codigo;
        const char *uf;
    } states[] = {
        {"first", 12, "AC"}, {"SP", 35, "SP"}, {"DF", 53, "DF"}, {"RO", 11, "RO"},
        {"last", 17, "TO"},  {"RS", 43, "RS"}, {"MS", 50, "MS"}, {"MT", 51, "MT"},
    };
    for (const auto &row : states) {
        EXPECT_EQ(dfe::CodigoParaUF(row.codigo), row.uf) << row.name;
        EXPECT_EQ(dfe::UFparaCodigo(row.uf), row.codigo) << row.name;
        EXPECT_TRUE(dfe::ValidarCodigoUF(row.codigo)) << row.name;
        EXPECT_TRUE(dfe::ValidarUF(row.uf)) << row.name;
    }

    // 90 and 91 read as DF; DF is always written as 53.
    EXPECT_EQ(dfe::CodigoParaUF(90), "DF");
    EXPECT_EQ(dfe::CodigoParaUF(91), "DF");
    EXPECT_TRUE(dfe::ValidarCodigoUF(91));
    EXPECT_EQ(dfe::UFparaCodigo("DF"), 53);

    for (const int codigo : {0, 10, 18, 54, 89, 92, 99, -35})
        EXPECT_FALSE(dfe::ValidarCodigoUF(codigo)) << codigo;
    EXPECT_EQ(dfe::CodigoParaUF(99), "");

    struct UfRow {
        const char *name;
        const char *uf;
        bool valid;
        int codigo;
    } ufs[] = {
        {"abroad is valid but has no code", "EX", true, 0},
        {"lower case", "sp", false, 0},
        {"mixed case", "Sp", false, 0},
        {"empty", "", false, 0},
        {"unknown", "XX", false, 0},
        {"two items of the list", "AC.AL", false, 0},
        {"with dots", ".SP.", false, 0},
        {"one letter", "S", false, 0},
    };
    for (const auto &row : ufs) {
        EXPECT_EQ(dfe::ValidarUF(row.uf), row.valid) << row.name;
        EXPECT_EQ(dfe::UFparaCodigo(row.uf), row.codigo) << row.name;
    }
}

// ---- Access key --------------------------------------------------------------------

TEST(PcnAuxiliar, ValidarChave)
{
    struct Row {
        const char *name;
        const char *chave;
        bool valid;
    } rows[] = {
        {"NF-e", KeyNFe, true},
        {"model 59", KeySat, true},
        {"blanks between groups",
         "3519 0111 2223 3300 0181 5500 1000 0001 2311 2345 6781", true},
        {"with a prefix", "NFe35190111222333000181550010000001231123456781", true},
        {"wrong check digit", "35190111222333000181550010000001231123456782", false},
        {"43 digits", "3519011122233300018155001000000123112345678", false},
        {"45 digits", "351901112223330001815500100000012311234567810", false},
        {"month 13 with its right check digit",
         "35191311222333000181550010000001231123456781", false},
        {"month 00", "35190011222333000181550010000001231123456788", false},
        {"unknown state", "99190111222333000181550010000001231123456789", false},
        {"state 91", "91190111222333000181550010000001231123456780", true},
        {"invalid CNPJ", "35190111222333000182550010000001231123456783", false},
        // Series 920 to 969 carry a CPF at digits 10 to 20; digits 7 to 9 do not matter.
        {"series 920, CPF after 999", "35190199911144477735559200000000071000000010", true},
        {"series 969, CPF after 000", "35190100011144477735559690000000071000000012", true},
        {"series 919 with a CPF", "35190100011144477735559190000000071000000015", false},
        {"series 970 with a CNPJ", "35190111222333000181559700000000071000000015", true},
        {"series 920 with a CNPJ", "35190111222333000181559200000000071000000018", false},
        {"empty", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarChave(row.chave), row.valid) << row.name;
}

TEST(PcnAuxiliar, GerarDigito)
{
    int digito = -1;
    EXPECT_TRUE(dfe::GerarDigito(digito, "3519011122233300018155001000000123112345678"));
    EXPECT_EQ(digito, 1);
    EXPECT_TRUE(dfe::GerarDigito(digito, "4123121122233300018165002000004567987654321"));
    EXPECT_EQ(digito, 5);
    // Remainders 0 and 1 both give 0.
    EXPECT_TRUE(dfe::GerarDigito(digito, "3519011122233300018155001000000123112345673"));
    EXPECT_EQ(digito, 0);
    digito = -1;
    EXPECT_TRUE(dfe::GerarDigito(digito, "3519011122233300018155001000000123112345679"));
    EXPECT_EQ(digito, 0);
    // Non-digits are skipped.
    EXPECT_TRUE(dfe::GerarDigito(digito, "3519 0111 2223 3300 0181 5500 1000 0001 2311 2345 678"));
    EXPECT_EQ(digito, 1);

    // More digits: computed over the first 43, but not a success.
    EXPECT_FALSE(dfe::GerarDigito(digito, KeyNFe));
    EXPECT_EQ(digito, 1);
    digito = -1;
    EXPECT_FALSE(dfe::GerarDigito(digito, "123"));
    EXPECT_EQ(digito, 0);
}

TEST(PcnAuxiliar, KeyPieces)
{
    struct Row {
        const char *name;
        const char *chave;
        const char *modelo;
        int uf;
        const char *cnpj;
        int serie, codigo, tipoEmissao, digito;
    } rows[] = {
        {"NF-e", KeyNFe, "55", 35, "11222333000181", 1, 12345678, 1, 1},
        {"NFC-e in contingency", KeyContingency, "65", 41, "11222333000181", 2, 87654321, 9, 5},
        {"model 59", KeySat, "59", 35, "11222333000181", 900001234, 654321, 0, 9},
        {"grouped model 59", "3519 0111 2223 3300 0181 5990 0001 2340 0012 3654 3219", "59",
         35, "11222333000181", 900001234, 654321, 0, 9},
        // An invalid key has no readable model, so it is read as a common key.
        {"model 59 with a wrong digit", "35190111222333000181599000012340001236543210", "", 35,
         "11222333000181", 900, 23654321, 1, 0},
        {"short", "3519", "", 35, "", 0, 0, 0, 9},
        {"no digits", "abc", "", 0, "", 0, 0, 0, 0},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(dfe::ExtrairModeloChaveAcesso(row.chave), row.modelo) << row.name;
        EXPECT_EQ(dfe::ExtrairUFChaveAcesso(row.chave), row.uf) << row.name;
        EXPECT_EQ(dfe::ExtrairCNPJChaveAcesso(row.chave), row.cnpj) << row.name;
        EXPECT_EQ(dfe::ExtrairSerieChaveAcesso(row.chave), row.serie) << row.name;
        EXPECT_EQ(dfe::ExtrairCodigoChaveAcesso(row.chave), row.codigo) << row.name;
        EXPECT_EQ(dfe::ExtrairTipoEmissaoChaveAcesso(row.chave), row.tipoEmissao) << row.name;
        EXPECT_EQ(dfe::ExtrairDigitoChaveAcesso(row.chave), row.digito) << row.name;
    }
}

// ---- Other checks ------------------------------------------------------------------

TEST(PcnAuxiliar, ValidarAAMM)
{
    struct Row {
        const char *name;
        const char *aamm;
        bool valid;
    } rows[] = {
        {"January", "1901", true}, {"December", "1912", true}, {"month 13", "1913", false},
        {"month 00", "1900", false}, {"three digits", "191", false},
        {"five digits", "19012", false}, {"letter", "19O1", false},
        {"blank", " 1901", false}, {"empty", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarAAMM(row.aamm), row.valid) << row.name;
}

TEST(PcnAuxiliar, ValidarMunicipio)
{
    struct Row {
        const char *name;
        int codigo;
        bool valid;
    } rows[] = {
        {"Sao Paulo", 3550308, true},
        {"Brasilia", 5300108, true},
        {"Porto Alegre", 4314902, true},
        {"wrong check digit", 3550309, false},
        {"placeholder for abroad", 9999999, true},
        // The listed exceptions do not follow the check-digit rule...
        {"listed exception", 2201919, true},
        {"another listed exception", 5203962, true},
        // ...and codes that start like one are judged by the list alone, even with a
        // check digit the rule would accept.
        {"starts like an exception", 2201910, false},
        {"starts like an exception, rule satisfied", 2201911, false},
        {"unknown state", 9950308, false},
        {"digits 3 to 6 all zero", 3500006, false},
        {"six digits", 355030, false},
        {"eight digits", 35503080, false},
        {"negative", -3550308, false},
        {"zero", 0, false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarMunicipio(row.codigo), row.valid) << row.name;
}

TEST(PcnAuxiliar, ValidarCodigoPais)
{
    struct Row {
        const char *name;
        int codigo;
        int result;
    } rows[] = {
        {"Brazil", 1058, 1},
        {"listed, leading zero", 132, 1},
        {"listed with a check digit that fails", 1504, 1},
        {"last four of a longer number", 11058, 1},
        {"unlisted, right check digit", 1007, 0},
        {"short number zero-filled", 27, 0},
        {"unlisted, wrong check digit", 1008, -1},
        {"negative", -1058, -1},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarCodigoPais(row.codigo), row.result) << row.name;
}

TEST(PcnAuxiliar, ValidarCListServ)
{
    struct Row {
        const char *name;
        int codigo;
        bool valid;
    } rows[] = {
        {"first", 101, true},      {"last", 4001, true},          {"1.08", 108, true},
        {"14.01", 1401, true},     {"gap 7.14", 714, false},      {"gap 17.07", 1707, false},
        {"2.02", 202, false},      {"beyond the list", 4002, false}, {"zero", 0, false},
        {"item without subitem", 1, false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarCListServ(row.codigo), row.valid) << row.name;
}

TEST(PcnAuxiliar, ValidarISUF)
{
    struct Row {
        const char *name;
        const char *isuf;
        bool valid;
    } rows[] = {
        {"right digit", "100000001", true},
        {"formatted", "10.0000.001", true},
        {"only the first nine digits count", "1000000019", true},
        {"wrong digit", "100000000", false},
        {"eleven becomes zero", "100000002", false},
        {"eight digits", "10000000", false},
        {"empty", "", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(dfe::ValidarISUF(row.isuf), row.valid) << row.name;
}

TEST(PcnAuxiliar, SmallChecks)
{
    EXPECT_TRUE(dfe::ValidarMod(1, 3.10));
    EXPECT_FALSE(dfe::ValidarMod(2, 3.10));
    EXPECT_TRUE(dfe::ValidarMod(2, 4.00));
    EXPECT_FALSE(dfe::ValidarMod(3, 4.00));

    EXPECT_TRUE(dfe::ValidarNumeros("0123"));
    EXPECT_FALSE(dfe::ValidarNumeros(""));
    EXPECT_FALSE(dfe::ValidarNumeros("12 3"));

    EXPECT_TRUE(dfe::ValidarCNPJ("11222333000181"));
    EXPECT_FALSE(dfe::ValidarCNPJ("11222333000182"));
    EXPECT_TRUE(dfe::ValidarCPF("11144477735"));
    EXPECT_FALSE(dfe::ValidarCPF("11144477736"));
    EXPECT_TRUE(dfe::ValidarCNPJouCPF("11144477735"));
    EXPECT_TRUE(dfe::ValidarCNPJouCPF("11222333000181"));
    EXPECT_TRUE(dfe::ValidarGTIN("7891000315507"));
    EXPECT_FALSE(dfe::ValidarGTIN("7891000315508"));

    // Registrations are not checked by state rules here: anything not empty passes.
    EXPECT_TRUE(dfe::ValidarIE("123456789", "SP"));
    EXPECT_FALSE(dfe::ValidarIE("", "SP"));
}

} // namespace
