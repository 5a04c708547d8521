#include "dfe/xmlwriter.h"

#include "rtl/currency.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/formatsettings.h"
#include "rtl/variant.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dfe::TGerador;
using Alertas = std::vector<std::string>;

Alertas AlertasDe(const TGerador &g)
{
    return Alertas(g.ListaDeAlertas().begin(), g.ListaDeAlertas().end());
}

// Numbers in these tests read and print with '.' decimals unless a test says otherwise.
class Gerador : public ::testing::Test {
protected:
    rtl::ScopedFormatSettings FSettings{rtl::TFormatSettings{}};
};

// One leaf "x" (identifier X01) written inside a group "g"; the result is what came after
// the group's opening, and the alerts.
struct Escrito {
    std::string xml;
    Alertas alertas;
};

Escrito Escrever(dfe::TpcnTipoCampo tipo, int min, int max, int ocorrencias,
                 const rtl::Variant &valor, void (*ajuste)(TGerador &) = nullptr)
{
    TGerador g;
    if (ajuste)
        ajuste(g);
    g.wGrupo("g");
    const std::size_t inicio = g.ArquivoFormatoXML().size();
    g.wCampo(tipo, "X01", "x", min, max, ocorrencias, valor);
    return {g.ArquivoFormatoXML().substr(inicio), AlertasDe(g)};
}

const rtl::Variant Data = rtl::Variant::FromDateTime(rtl::EncodeDateTime(2019, 1, 5, 7, 8, 9, 0));
const rtl::Variant SoData = rtl::Variant::FromDateTime(rtl::EncodeDate(2019, 1, 5));
const rtl::Variant DiaZero = rtl::Variant::FromDateTime(0);
const rtl::Variant SoHora = rtl::Variant::FromDateTime(0.5);

const std::string Nenhum = "TAG:<g> ID:X01/x() - Nenhum valor informado.";
const std::string Invalido = "TAG:<g> ID:X01/x() - Conteúdo inválido.";

std::string Maior(const std::string &valor)
{
    return "TAG:<g> ID:X01/x() - Tamanho maior que o máximo permitido [" + valor + "].";
}

std::string Menor(const std::string &valor)
{
    return "TAG:<g> ID:X01/x() - Tamanho menor que o mínimo permitido [" + valor + "].";
}

struct Linha {
    const char *name;
    dfe::TpcnTipoCampo tipo;
    int min, max, ocorrencias;
    rtl::Variant valor;
    std::string xml;
    Alertas alertas;
    void (*ajuste)(TGerador &) = nullptr;
};

void Conferir(const std::vector<Linha> &linhas)
{
    for (const auto &l : linhas) {
        const Escrito e = Escrever(l.tipo, l.min, l.max, l.ocorrencias, l.valor, l.ajuste);
        EXPECT_EQ(e.xml, l.xml) << l.name;
        EXPECT_EQ(e.alertas, l.alertas) << l.name;
    }
}

// ---- Field kinds ---------------------------------------------------------------------

TEST_F(Gerador, TextKinds)
{
    Conferir({
        {"tcStr trimmed", dfe::tcStr, 0, 10, 1, "  ab  ", "<x>ab</x>", {}},
        {"tcStr escaped", dfe::tcStr, 2, 60, 1, "A & B", "<x>A &amp; B</x>", {}},
        {"tcStr accents and runs of blanks", dfe::tcStr, 0, 60, 1, "Ação  da   Cia", "<x>Acao da Cia</x>", {}},
        {"tcStrOrig measured untrimmed", dfe::tcStrOrig, 0, 4, 1, "  ab  ", "<x>ab</x>", {Maior("  ab  ")}},
        {"tcStr of the same value fits", dfe::tcStr, 0, 4, 1, "  ab  ", "<x>ab</x>", {}},
        {"tcNumStr zero-filled", dfe::tcNumStr, 5, 5, 1, " 42 ", "<x>00042</x>", {}},
        {"tcNumStr longer kept", dfe::tcNumStr, 2, 9, 1, "1234", "<x>1234</x>", {}},
        {"tcNumStr empty optional", dfe::tcNumStr, 5, 5, 0, "", "", {}},
        {"tcNumStr empty required", dfe::tcNumStr, 5, 5, 1, "", "<x/>", {Nenhum}},
        {"tcEsp digits trimmed", dfe::tcEsp, 0, 8, 1, " 0123 ", "<x>0123</x>", {}},
        {"tcEsp not all digits", dfe::tcEsp, 0, 8, 1, "12a", "<x>12a</x>", {Invalido}},
        {"tcEsp empty optional still alerts", dfe::tcEsp, 0, 8, 0, "", "", {Invalido}},
        {"tcEsp empty required", dfe::tcEsp, 8, 8, 1, "", "<x/>", {Invalido, Nenhum}},
        {"tcEsp blank is not empty", dfe::tcEsp, 0, 8, 0, "  ", "<x></x>", {Invalido}},
        {"tcBoolStr true", dfe::tcBoolStr, 0, 5, 1, true, "<x>true</x>", {}},
        {"tcBoolStr false is never empty", dfe::tcBoolStr, 0, 5, 0, false, "<x>false</x>", {}},
        {"tcBoolStr from text", dfe::tcBoolStr, 0, 5, 1, "True", "<x>true</x>", {}},
    });
}

// A text handed over as it is must give the leaf and the alerts a Variant holding the same
// text gives: trimming, escaping, zero-filling, the size alerts that quote the value, the
// kinds that convert the text, the prefix, and a negative occurrence that writes nothing.
TEST_F(Gerador, TextEntryWritesWhatAVariantOfTheTextWrites)
{
    struct Caso {
        const char *name;
        dfe::TpcnTipoCampo tipo;
        int min, max, ocorrencias;
        const char *texto;
    } casos[] = {
        {"tcStr trimmed", dfe::tcStr, 0, 10, 1, "  ab  "},
        {"tcStr escaped and accented", dfe::tcStr, 2, 60, 1, "Ação  & Cia"},
        {"tcStr too long quotes the value as given", dfe::tcStr, 0, 3, 1, " abcd "},
        {"tcStr too short", dfe::tcStr, 3, 5, 1, "ab"},
        {"tcStr blank required", dfe::tcStr, 2, 3, 1, "   "},
        {"tcStr empty optional", dfe::tcStr, 2, 3, 0, ""},
        {"tcStrOrig measured untrimmed", dfe::tcStrOrig, 0, 4, 1, "  ab  "},
        {"tcNumStr zero-filled", dfe::tcNumStr, 5, 5, 1, " 42 "},
        {"tcNumStr empty required", dfe::tcNumStr, 5, 5, 1, ""},
        {"tcEsp not all digits", dfe::tcEsp, 0, 8, 1, "12a"},
        {"tcEsp blank optional", dfe::tcEsp, 0, 8, 0, "  "},
        {"tcInt from text", dfe::tcInt, 3, 3, 1, "12"},
        {"tcInt unconvertible optional", dfe::tcInt, 1, 3, 0, "abc"},
        {"tcDe2 from text", dfe::tcDe2, 1, 15, 1, "12.5"},
        {"negative occurrence", dfe::tcStr, 0, 10, -1, "ab"},
    };
    for (const char *prefixo : {"", "p:"}) {
        for (const auto &c : casos) {
            TGerador porVariant;
            TGerador porTexto;
            for (TGerador *g : {&porVariant, &porTexto}) {
                g->SetPrefixo(prefixo);
                g->wGrupo("g");
            }
            porVariant.wCampo(c.tipo, "X01", "x", c.min, c.max, c.ocorrencias,
                              std::string(c.texto), "Campo");
            porTexto.wCampoTexto(c.tipo, "X01", "x", c.min, c.max, c.ocorrencias, c.texto,
                                 "Campo");
            EXPECT_EQ(porTexto.ArquivoFormatoXML(), porVariant.ArquivoFormatoXML())
                << prefixo << c.name;
            EXPECT_EQ(AlertasDe(porTexto), AlertasDe(porVariant)) << prefixo << c.name;
        }
    }
}

TEST_F(Gerador, IntegerKind)
{
    Conferir({
        {"zero-filled to min", dfe::tcInt, 3, 3, 1, 7, "<x>007</x>", {}},
        {"from text", dfe::tcInt, 3, 3, 1, "12", "<x>012</x>", {}},
        {"from a long integer", dfe::tcInt, 1, 10, 1, 2019LL, "<x>2019</x>", {}},
        {"unconvertible text is zero", dfe::tcInt, 1, 3, 1, "abc", "<x>0</x>", {}},
        {"beyond 32 bits is zero", dfe::tcInt, 1, 12, 1, 5000000000LL, "<x>0</x>", {}},
        {"too long", dfe::tcInt, 1, 2, 1, 123, "<x>123</x>", {Maior("123")}},
        {"zero optional", dfe::tcInt, 1, 3, 0, 0, "", {}},
        {"zero required", dfe::tcInt, 2, 3, 1, 0, "<x>00</x>", {}},
        {"unconvertible optional", dfe::tcInt, 1, 3, 0, "abc", "", {}},
        {"negative keeps its sign in front", dfe::tcInt, 4, 4, 1, -5, "<x>-005</x>", {}},
    });
}

TEST_F(Gerador, DecimalKinds)
{
    Conferir({
        {"tcDe2", dfe::tcDe2, 1, 15, 1, 12.5, "<x>12.50</x>", {}},
        {"tcDe3 rounds half away from zero", dfe::tcDe3, 1, 15, 1, 1.0005, "<x>1.001</x>", {}},
        {"tcDe4", dfe::tcDe4, 1, 15, 1, 0.12345, "<x>0.1235</x>", {}},
        {"tcDe6", dfe::tcDe6, 1, 15, 1, 2.0 / 3, "<x>0.666667</x>", {}},
        {"tcDe8", dfe::tcDe8, 1, 15, 1, 2.5, "<x>2.50000000</x>", {}},
        {"tcDe10", dfe::tcDe10, 1, 15, 1, 0.1, "<x>0.1000000000</x>", {}},
        {"amount without thousands", dfe::tcDe2, 1, 15, 1, rtl::Currency::FromRaw(12345678), "<x>1234.57</x>", {}},
        {"integer value", dfe::tcDe2, 1, 15, 1, 3, "<x>3.00</x>", {}},
        {"zero optional", dfe::tcDe2, 1, 15, 0, 0.0, "", {}},
        {"zero required", dfe::tcDe2, 1, 15, 1, 0.0, "<x>0.00</x>", {}},
        {"min counts the separator", dfe::tcDe2, 5, 15, 1, 5.0, "<x>005.00</x>", {}},
        {"max counts the separator", dfe::tcDe2, 1, 6, 1, 1234.5, "<x>1234.50</x>", {}},
        {"longer than max plus separator", dfe::tcDe2, 1, 5, 1, 1234.5, "<x>1234.50</x>", {Maior("1234.5")}},
        {"negative zero-filled after its sign", dfe::tcDe2, 6, 15, 1, -3.5, "<x>-003.50</x>", {}},
        {"unconvertible text", dfe::tcDe4, 1, 15, 1, "abc", "<x>0.00</x>", {}},
        {"unconvertible text optional", dfe::tcDe4, 1, 15, 0, "abc", "", {}},
    });
}

TEST_F(Gerador, DateAndTimeKinds)
{
    Conferir({
        {"tcDat", dfe::tcDat, 10, 10, 1, Data, "<x>2019-01-05</x>", {}},
        {"tcDatCFe", dfe::tcDatCFe, 8, 8, 1, Data, "<x>20190105</x>", {}},
        {"tcDatVcto", dfe::tcDatVcto, 10, 10, 1, Data, "<x>05/01/2019</x>", {}},
        {"tcDatHor", dfe::tcDatHor, 19, 19, 1, Data, "<x>2019-01-05T07:08:09</x>", {}},
        {"tcHor", dfe::tcHor, 8, 8, 1, Data, "<x>07:08:09</x>", {}},
        {"tcHorCFe", dfe::tcHorCFe, 6, 6, 1, Data, "<x>070809</x>", {}},
        {"tcDatHorCFe", dfe::tcDatHorCFe, 14, 14, 1, Data, "<x>20190105070809</x>", {}},
        {"plain number read as a date", dfe::tcDat, 10, 10, 1, 43470.0, "<x>2019-01-05</x>", {}},
        {"day zero optional", dfe::tcDat, 10, 10, 0, DiaZero, "", {}},
        {"day zero required", dfe::tcDat, 10, 10, 1, DiaZero, "<x/>", {Nenhum}},
        {"day zero required without min", dfe::tcDatVcto, 0, 10, 1, DiaZero, "<x/>", {}},
        {"time of day alone is an empty date", dfe::tcDat, 10, 10, 1, SoHora, "<x/>", {Nenhum}},
        {"time of day alone is an empty date-time", dfe::tcDatHor, 19, 19, 0, SoHora, "", {}},
        {"date-time at midnight is written", dfe::tcDatHor, 19, 19, 1, SoData, "<x>2019-01-05T00:00:00</x>", {}},
        {"midnight optional", dfe::tcHor, 8, 8, 0, SoData, "", {}},
        {"midnight required", dfe::tcHor, 8, 8, 1, SoData, "<x/>", {Nenhum}},
        {"midnight CF-e", dfe::tcHorCFe, 6, 6, 0, SoData, "", {}},
        {"time on day zero", dfe::tcHor, 8, 8, 1, SoHora, "<x>12:00:00</x>", {}},
    });
}

TEST_F(Gerador, UnconvertibleDatesTimesAndBooleansRaise)
{
    struct Row {
        const char *name;
        dfe::TpcnTipoCampo tipo;
        rtl::Variant valor;
    } rows[] = {
        {"date", dfe::tcDat, "abc"},
        {"date-time", dfe::tcDatHor, "2019-13-45"},
        {"time", dfe::tcHor, "25:99"},
        {"CF-e date", dfe::tcDatCFe, "x"},
        {"Boolean", dfe::tcBoolStr, "talvez"},
    };
    for (const auto &row : rows) {
        TGerador g;
        g.wGrupo("g");
        EXPECT_THROW(g.wCampo(row.tipo, "X01", "x", 0, 30, 0, row.valor), rtl::EVariantTypeCastError)
            << row.name;
        EXPECT_EQ(g.ArquivoFormatoXML(), "<g>") << row.name;
        EXPECT_TRUE(g.ListaDeAlertas().IsEmpty()) << row.name;
    }
}

// ---- Empty values, sizes, occurrence ------------------------------------------------

TEST_F(Gerador, EmptyValuesAndSizeAlerts)
{
    Conferir({
        {"required empty with min", dfe::tcStr, 2, 60, 1, "", "<x/>", {Nenhum}},
        {"required empty without min", dfe::tcStr, 0, 60, 1, "", "<x/>", {}},
        {"required blank", dfe::tcStr, 2, 60, 1, "   ", "<x/>", {Nenhum}},
        {"required without a value at all", dfe::tcStr, 2, 60, 1, rtl::Variant(), "<x/>", {Nenhum}},
        {"optional empty", dfe::tcStr, 2, 60, 0, "", "", {}},
        {"shorter than min", dfe::tcStr, 3, 60, 1, "ab", "<x>ab</x>", {Menor("ab")}},
        {"optional shorter than min", dfe::tcStr, 3, 60, 0, "ab", "<x>ab</x>", {Menor("ab")}},
        {"alert shows the value as given", dfe::tcStr, 3, 60, 1, " ab ", "<x>ab</x>", {Menor(" ab ")}},
        {"longer than max", dfe::tcStr, 2, 4, 1, "abcdef", "<x>abcdef</x>", {Maior("abcdef")}},
        {"too long wins over too short", dfe::tcStr, 9, 4, 1, "abcdef", "<x>abcdef</x>", {Maior("abcdef")}},
        {"length counts characters", dfe::tcStr, 4, 4, 1, "Ação", "<x>Acao</x>", {}},
        {"occurrence -1 writes nothing", dfe::tcStr, 2, 60, -1, "", "", {}},
        {"occurrence -1 checks nothing", dfe::tcEsp, 0, 1, -1, "abc", "", {}},
        {"occurrence -1 converts nothing", dfe::tcDat, 0, 10, -1, "abc", "", {}},
    });
}

TEST_F(Gerador, Options)
{
    Conferir({
        {"decimal comma", dfe::tcDe2, 1, 15, 1, 12.5, "<x>12,50</x>", {},
         [](TGerador &g) { g.Opcoes().DecimalChar = U','; }},
        // A separator that is a digit leaves digits after the places: the decimals alert.
        {"decimal char that is a digit", dfe::tcDe2, 1, 15, 1, 12.5, "<x>12150</x>",
         {"TAG:<g> ID:X01/x() - Numero máximo de casas decimais permitidas 2."},
         [](TGerador &g) { g.Opcoes().DecimalChar = U'1'; }},
        // Sizes count the separator as one character, however many bytes it takes.
        {"decimal char beyond ASCII fits", dfe::tcDe2, 1, 4, 1, 12.5, "<x>12 50</x>", {},
         [](TGerador &g) { g.Opcoes().DecimalChar = U'\u00B7'; }},
        {"decimal char beyond ASCII too long", dfe::tcDe2, 1, 3, 1, 12.5, "<x>12 50</x>", {Maior("12.5")},
         [](TGerador &g) { g.Opcoes().DecimalChar = U'\u00B7'; }},
        {"whole value without decimals", dfe::tcDe2, 1, 15, 1, 7.0, "<x>7</x>", {},
         [](TGerador &g) { g.Opcoes().SuprimirDecimais = true; }},
        {"fraction keeps its decimals", dfe::tcDe3, 1, 15, 1, 7.25, "<x>7.250</x>", {},
         [](TGerador &g) { g.Opcoes().SuprimirDecimais = true; }},
        {"min not widened without decimals", dfe::tcDe2, 5, 15, 1, 1.5, "<x>01.50</x>", {},
         [](TGerador &g) { g.Opcoes().SuprimirDecimais = true; }},
        {"max not widened without decimals", dfe::tcDe2, 1, 3, 1, 1.5, "<x>1.50</x>", {Maior("1.5")},
         [](TGerador &g) { g.Opcoes().SuprimirDecimais = true; }},
        {"empty leaf opened and closed", dfe::tcStr, 2, 60, 1, "", "<x></x>", {Nenhum},
         [](TGerador &g) { g.Opcoes().TagVaziaNoFormatoResumido = false; }},
        {"validation only", dfe::tcStr, 3, 60, 1, "ab", "", {Menor("ab")},
         [](TGerador &g) { g.Opcoes().SomenteValidar = true; }},
        {"accents kept", dfe::tcStr, 0, 60, 1, "Ação", "<x>Ação</x>", {},
         [](TGerador &g) { g.Opcoes().RetirarAcentos = false; }},
        {"blanks kept", dfe::tcStr, 0, 60, 1, "a   b", "<x>a   b</x>", {},
         [](TGerador &g) { g.Opcoes().RetirarEspacos = false; }},
        {"line break replaced", dfe::tcStr, 0, 60, 1, "a\r\nb", "<x>a;b</x>", {},
         [](TGerador &g) { g.Opcoes().QuebraLinha = ";"; }},
        {"line break removed", dfe::tcStr, 0, 60, 1, "a\nb", "<x>ab</x>", {}},
        {"indented leaf", dfe::tcStr, 0, 60, 1, "v", "   <x>v</x>\r\n", {},
         [](TGerador &g) { g.Opcoes().IdentarXML = true; }},
        {"indented empty leaf", dfe::tcStr, 0, 60, 1, "", "    <x/>\r\n", {},
         [](TGerador &g) {
             g.Opcoes().IdentarXML = true;
             g.Opcoes().TamanhoIdentacao = 4;
         }},
        {"own alert template", dfe::tcStr, 2, 60, 1, "", "<x/>", {"X01 x: Nenhum valor informado"},
         [](TGerador &g) { g.Opcoes().FormatoAlerta = "%ID% %TAG%: %MSG%"; }},
        {"prefix", dfe::tcStr, 2, 60, 1, "", "<nfe:x/>",
         {"TAG:<nfe:g> ID:X01/nfe:x() - Nenhum valor informado."},
         [](TGerador &g) { g.SetPrefixo("nfe:"); }},
    });
}

TEST_F(Gerador, LeafArguments)
{
    TGerador g;
    g.wGrupo("emit");
    g.wCampo(dfe::tcStr, " C03 ", " xNome ", 2, 60, 1, "", "  Razão Social ou Nome ");
    g.wCampo(dfe::tcStr, "C04", "xFant", 1, 60, 1, "A & B", "", false);
    g.wCampo(dfe::tcDe2, "C05", "vUnit", 1, 15, 1, 2.5, "", true, " moeda=\"BRL\" ");
    g.wCampo(dfe::tcStr, "C06", "obs", 1, 60, 1, "", "", true, "tipo=\"1\"");
    EXPECT_EQ(g.ArquivoFormatoXML(),
              "<emit><xNome/><xFant>A & B</xFant><vUnit moeda=\"BRL\">2.50</vUnit><obs tipo=\"1\"/>");
    EXPECT_EQ(AlertasDe(g), (Alertas{
                                "TAG:<emit> ID:C03/xNome(Razão Social ou Nome) - Nenhum valor informado.",
                                "TAG:<emit> ID:C06/obs() - Nenhum valor informado.",
                            }));
}

TEST_F(Gerador, AlertShowsDoublesInTheLocaleText)
{
    rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    const Escrito e = Escrever(dfe::tcDe2, 1, 5, 1, 1234.5);
    EXPECT_EQ(e.xml, "<x>1234.50</x>");
    EXPECT_EQ(e.alertas, Alertas{Maior("1234,5")});
}

// ---- Groups and the alert path ------------------------------------------------------

TEST_F(Gerador, GroupPath)
{
    const std::string nfe = "|?xml version|NFe xmlns|infNFe versao|obsCont|obsFisco|";
    struct Row {
        const char *name;
        std::string ignorar;
        std::vector<std::string> grupos;
        std::string caminho;
    } rows[] = {
        {"openings add", "", {"a", "b"}, "<a><b>"},
        {"closing removes", "", {"a", "b", "/b"}, "<a>"},
        {"closing removes the first match", "", {"a", "b", "a", "/a"}, "<b><a>"},
        {"closing of a group never opened", "", {"a", "/b"}, "<a>"},
        {"attributes stay in the path", "", {"a x=\"1\""}, "<a x=\"1\">"},
        {"closing cannot find an opening with attributes", "", {"infNFe versao=\"4.00\"", "ide", "/ide", "/infNFe"},
         "<infNFe versao=\"4.00\">"},
        {"ignored groups", nfe,
         {"?xml version=\"1.0\" encoding=\"UTF-8\"?", "NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"",
          "infNFe versao=\"4.00\" Id=\"NFe1\"", "emit", "enderEmit"},
         "<emit><enderEmit>"},
        {"ignored closings leave the path alone", nfe, {"emit", "/emit", "/infNFe", "/NFe"}, ""},
        {"item leaves with everything inside", "", {"infNFe", "det nItem=\"1\"", "prod", "imposto", "ICMS", "/det"},
         "<infNFe>"},
        {"second item", "", {"infNFe", "det nItem=\"1\"", "/det", "det nItem=\"2\"", "prod"},
         "<infNFe><det nItem=\"2\"><prod>"},
        {"payment detail", "", {"infNFe", "pag", "detPag", "/detPag"}, "<infNFe><pag>"},
        {"export detail inside an item", "", {"infNFe", "det nItem=\"1\"", "prod", "detExport", "/detExport"},
         "<infNFe>"},
        {"wagon detail", "", {"ferrov", "detVag", "lacres", "/detVag"}, "<ferrov>"},
        {"det closing without det in the path", "", {"a", "/detPag"}, "<a>"},
        {"attributed opening ignored", nfe, {"infAdic", "obsCont xCampo=\"a\"", "/obsCont", "/infAdic"},
         ""},
    };
    for (const auto &row : rows) {
        TGerador g;
        g.SetIgnorarTagNivel(row.ignorar);
        for (const auto &grupo : row.grupos)
            g.wGrupo(grupo);
        EXPECT_EQ(g.TagNivel(), row.caminho) << row.name;
    }
}

TEST_F(Gerador, GroupPathWithPrefix)
{
    TGerador g;
    g.SetPrefixo("nfe:");
    g.SetIgnorarTagNivel("|nfe:NFe |");
    g.wGrupo("NFe xmlns:nfe=\"x\"");
    g.wGrupo("emit");
    EXPECT_EQ(g.TagNivel(), "<nfe:emit>");
    g.wGrupo("/emit");
    EXPECT_EQ(g.TagNivel(), "");
    EXPECT_EQ(g.ArquivoFormatoXML(), "<nfe:NFe xmlns:nfe=\"x\"><nfe:emit></nfe:emit>");
}

TEST_F(Gerador, GroupOutputAndIndentation)
{
    struct Row {
        const char *name;
        bool identar;
        int tamanho;
        std::string ignorarIdentacao;
        std::string xml;
        int nivelFinal;
    } rows[] = {
        {"one line", false, 3, "", "<a><b x=\"1\"><c>1</c></b><d/><e/></a>", 1},
        {"self-closing element raises the level", true, 3, "",
         "<a>\r\n   <b x=\"1\">\r\n      <c>1</c>\r\n   </b>\r\n   <d/>\r\n   <e/>\r\n   </a>\r\n", 1},
        {"listed closing takes it back", true, 1, "|/a|",
         "<a>\r\n <b x=\"1\">\r\n  <c>1</c>\r\n </b>\r\n <d/>\r\n <e/>\r\n</a>\r\n", 0},
        {"listed opening takes it back before itself", true, 2, "|e|",
         "<a>\r\n  <b x=\"1\">\r\n    <c>1</c>\r\n  </b>\r\n  <d/>\r\n<e/>\r\n</a>\r\n", 0},
    };
    for (const auto &row : rows) {
        TGerador g;
        g.Opcoes().IdentarXML = row.identar;
        g.Opcoes().TamanhoIdentacao = row.tamanho;
        g.SetIgnorarTagIdentacao(row.ignorarIdentacao);
        g.wGrupo("a", "A01");
        g.wGrupo("b x=\"1\"", "B01");
        g.wCampo(dfe::tcInt, "B02", "c", 1, 1, 1, 1);
        g.wGrupo("/b");
        g.wGrupo("d/", "D01", false);
        g.wGrupo("e/", "E01");
        g.wGrupo("/a");
        EXPECT_EQ(g.ArquivoFormatoXML(), row.xml) << row.name;
        EXPECT_EQ(g.Opcoes().NivelIdentacao, row.nivelFinal) << row.name;
    }
}

TEST_F(Gerador, GroupIdentifierIsKeptUpperCased)
{
    TGerador g;
    g.wGrupo("ide", "b01");
    EXPECT_EQ(g.IDNivel(), "B01");
}

TEST_F(Gerador, StartingADocumentResetsTheState)
{
    TGerador g;
    g.SetPrefixo("p:");
    g.SetIgnorarTagNivel("|p:x|");
    g.Opcoes().IdentarXML = true;
    g.wGrupo("emit", "C01");
    g.wCampo(dfe::tcStr, "C03", "xNome", 2, 60, 1, "");
    g.Iniciar();
    EXPECT_EQ(g.ArquivoFormatoXML(), "");
    EXPECT_EQ(g.TagNivel(), "");
    EXPECT_EQ(g.IDNivel(), "");
    EXPECT_TRUE(g.ListaDeAlertas().IsEmpty());
    EXPECT_EQ(g.Opcoes().NivelIdentacao, 0);
    EXPECT_EQ(g.Prefixo(), "p:");
    EXPECT_EQ(g.IgnorarTagNivel(), "|p:x|");
    EXPECT_TRUE(g.Opcoes().IdentarXML);
}

TEST_F(Gerador, ClearingTheOutputResetsThePath)
{
    TGerador g;
    g.wGrupo("emit");
    g.wCampo(dfe::tcStr, "C03", "xNome", 2, 60, 1, "");
    g.SetArquivoFormatoXML("");
    g.wGrupo("dest");
    g.wCampo(dfe::tcStr, "E04", "xNome", 2, 60, 1, "");
    EXPECT_EQ(g.ArquivoFormatoXML(), "<dest><xNome/>");
    EXPECT_EQ(AlertasDe(g), (Alertas{
                                "TAG:<emit> ID:C03/xNome() - Nenhum valor informado.",
                                "TAG:<dest> ID:E04/xNome() - Nenhum valor informado.",
                            }));

    g.SetArquivoFormatoXML("<a>");
    EXPECT_EQ(g.TagNivel(), "<dest>");
}

TEST_F(Gerador, TextIsAppendedUnchanged)
{
    TGerador g;
    g.wGrupo("NFe");
    g.wTexto("<Signature>a & b</Signature>");
    g.addStringArquivoXML("ção");
    g.wGrupo("/NFe");
    EXPECT_EQ(g.ArquivoFormatoXML(), "<NFe><Signature>a & b</Signature>ção</NFe>");
    g.gtAjustarRegistros("");
    EXPECT_EQ(g.ArquivoFormatoXML(), "<NFe><Signature>a & b</Signature>ção</NFe>");
    EXPECT_EQ(g.ArquivoFormatoTXT(), "");
}

// ---- Alerts --------------------------------------------------------------------------

TEST_F(Gerador, AlertPlaceholdersAreReplacedInOrder)
{
    struct Row {
        const char *name;
        std::string formato, caminho, id, tag, descricao, alerta;
        Alertas linhas;
    } rows[] = {
        {"default template", dfe::TGeradorOpcoes().FormatoAlerta, "<emit>", "C02", "CNPJ", "CNPJ",
         "Conteúdo inválido", {"TAG:<emit> ID:C02/CNPJ(CNPJ) - Conteúdo inválido."}},
        {"description trimmed", "(%DESCRICAO%)", "", "", "", "  d  ", "m", {"(d)"}},
        {"every occurrence", "%ID%%ID%", "", "7", "", "", "m", {"77"}},
        {"path text meets the later placeholders", "%TAGNIVEL%", "<%TAG%%ID%>", "7", "x", "", "m", {"<x7>"}},
        {"tag text meets the identifier", "%TAG%", "", "7", "t%ID%", "", "m", {"t7"}},
        {"identifier text does not meet the tag", "%ID%", "", "%TAG%", "x", "", "m", {"%TAG%"}},
        {"message text meets the description", "%MSG%", "", "", "", "d", "see %DESCRICAO%", {"see d"}},
        {"description text meets nothing", "%DESCRICAO%", "", "7", "", "%ID%%MSG%", "m", {"%ID%%MSG%"}},
        {"blank message adds nothing", "%MSG%", "", "7", "x", "d", "  ", {}},
        {"empty message adds nothing", "%MSG%", "", "7", "x", "d", "", {}},
    };
    for (const auto &row : rows) {
        TGerador g;
        g.Opcoes().FormatoAlerta = row.formato;
        g.SetTagNivel(row.caminho);
        g.wAlerta(row.id, row.tag, row.descricao, row.alerta);
        EXPECT_EQ(AlertasDe(g), row.linhas) << row.name;
    }
}

// ---- CNPJ and CPF --------------------------------------------------------------------

TEST_F(Gerador, CNPJOrCPFByDigitCount)
{
    const std::string cpfInvalido = "TAG:<emit> ID:C02a/CPF(CPF) - Conteúdo inválido.";
    const std::string cnpjInvalido = "TAG:<emit> ID:C02/CNPJ(CNPJ) - Conteúdo inválido.";
    const std::string contagem = "TAG:<emit> ID:C02-C02a/CNPJ-CPF(CNPJ/CPF) - Conteúdo inválido.";
    struct Row {
        const char *name;
        std::string valor;
        bool obrigatorio, zeros;
        std::string xml;
        Alertas alertas;
    } rows[] = {
        {"formatted CPF", "123.456.789-09", true, true, "<CPF>12345678909</CPF>", {}},
        {"CPF among blanks", " 111.444.777-35 ", true, true, "<CPF>11144477735</CPF>", {}},
        {"short CPF zero-filled", "12345", true, true, "<CPF>00000012345</CPF>", {cpfInvalido}},
        {"short CPF as given", "12345", true, false, "<CPF>12345</CPF>", {cpfInvalido, contagem}},
        {"optional CPF", "11144477735", false, true, "<CPF>11144477735</CPF>", {}},
        {"CPF check digits", "11144477736", true, true, "<CPF>11144477736</CPF>", {cpfInvalido}},
        {"formatted CNPJ", "11.222.333/0001-81", true, true, "<CNPJ>11222333000181</CNPJ>", {}},
        {"CNPJ check digits", "11222333000182", true, true, "<CNPJ>11222333000182</CNPJ>", {cnpjInvalido}},
        {"twelve digits zero-filled", "112223330001", true, true, "<CNPJ>00112223330001</CNPJ>", {cnpjInvalido}},
        {"twelve digits as given", "112223330001", true, false, "<CNPJ>112223330001</CNPJ>",
         {cnpjInvalido, contagem}},
        {"fifteen digits keep the first fourteen", "112223330001819", true, true,
         "<CNPJ>11222333000181</CNPJ>", {}},
        {"fifteen digits as given", "112223330001819", true, false, "<CNPJ>112223330001819</CNPJ>",
         {"TAG:<emit> ID:C02/CNPJ() - Tamanho maior que o máximo permitido [112223330001819].", cnpjInvalido,
          contagem}},
        {"empty required zero-filled", "", true, true, "<CNPJ>00000000000000</CNPJ>", {cnpjInvalido}},
        {"empty required as given", "", true, false, "<CNPJ/>", {}},
        {"empty optional", "", false, true, "", {}},
        {"no digits at all", "abc", true, false, "<CNPJ/>", {}},
    };
    for (const auto &row : rows) {
        TGerador g;
        g.wGrupo("emit");
        g.wCampoCNPJCPF("C02", "C02a", row.valor, row.obrigatorio, row.zeros);
        EXPECT_EQ(g.ArquivoFormatoXML(), "<emit>" + row.xml) << row.name;
        EXPECT_EQ(AlertasDe(g), row.alertas) << row.name;
    }
}

TEST_F(Gerador, CNPJOrCPFDefaultsToRequiredAndZeroFilled)
{
    TGerador g;
    g.wCampoCNPJCPF("X04", "X05", "");
    EXPECT_EQ(g.ArquivoFormatoXML(), "<CNPJ>00000000000000</CNPJ>");
}

TEST_F(Gerador, CNPJAndCPFByCountry)
{
    const std::string cnpjInvalido = "TAG:<emit> ID:C02/CNPJ(CNPJ(MF)) - Conteúdo inválido.";
    const std::string cpfInvalido = "TAG:<emit> ID:C02/CPF(CPF) - Conteúdo inválido.";
    struct Row {
        const char *name;
        bool cpf;
        std::string valor;
        int pais;
        bool obrigatorio;
        std::string xml;
        Alertas alertas;
    } rows[] = {
        {"Brazilian CNPJ", false, "11.222.333/0001-81", 1058, true, "<CNPJ>11222333000181</CNPJ>", {}},
        {"check digits", false, "11222333000182", 1058, true, "<CNPJ>11222333000182</CNPJ>", {cnpjInvalido}},
        {"short", false, "1122233300018", 1058, true, "<CNPJ>1122233300018</CNPJ>",
         {"TAG:<emit> ID:C02/CNPJ(CNPJ(MF)) - Tamanho menor que o mínimo permitido [1122233300018].",
          cnpjInvalido}},
        {"empty required", false, "", 1058, true, "<CNPJ/>",
         {cnpjInvalido, "TAG:<emit> ID:C02/CNPJ(CNPJ(MF)) - Nenhum valor informado.", cnpjInvalido}},
        {"empty optional", false, "", 1058, false, "", {cnpjInvalido, cnpjInvalido}},
        {"abroad", false, "11222333000181", 1600, true, "<CNPJ/>", {}},
        {"abroad optional", false, "", 1600, false, "<CNPJ/>", {}},
        {"Brazilian CPF", true, "111.444.777-35", 1058, true, "<CPF>11144477735</CPF>", {}},
        {"CPF check digits", true, "11144477736", 1058, false, "<CPF>11144477736</CPF>", {cpfInvalido}},
        {"CPF abroad", true, "11144477735", 0, true, "<CPF/>", {}},
    };
    for (const auto &row : rows) {
        TGerador g;
        g.wGrupo("emit");
        if (row.cpf)
            g.wCampoCPF("C02", row.valor, row.pais, row.obrigatorio);
        else
            g.wCampoCNPJ("C02", row.valor, row.pais, row.obrigatorio);
        EXPECT_EQ(g.ArquivoFormatoXML(), "<emit>" + row.xml) << row.name;
        EXPECT_EQ(AlertasDe(g), row.alertas) << row.name;
    }
}

// ---- Saving --------------------------------------------------------------------------

TEST_F(Gerador, SavesOneLineInTheAnsiCodePage)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string dir = tmp.path().toStdString();

    TGerador g;
    g.wTexto("<a>Ação €</a>");
    EXPECT_TRUE(g.SalvarArquivo(dir + "/nota.xml"));
    EXPECT_EQ(rtl::ReadFileBytes(dir + "/nota.xml"), "<a>A\xE7\xE3o \x80</a>\r\n");
    EXPECT_TRUE(g.SalvarArquivo(dir + "/nota.txt", dfe::fgTXT));
    EXPECT_EQ(rtl::ReadFileBytes(dir + "/nota.txt"), "\r\n");
    EXPECT_THROW(g.SalvarArquivo(dir + "/missing/nota.xml"), rtl::EFCreateError);
}

} // namespace
