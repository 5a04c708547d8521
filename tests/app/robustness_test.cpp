// Bad files through the window, one after the other: each ends in one error box whose
// text tells the user what is wrong, nothing is previewed, and the next good file still
// loads and previews.

#include "app/mainwindow.h"
#include "recordingbox.h"

#include "cte/component.h"
#include "cte/dacte/component.h"
#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "report/prepared.h"
#include "report/preview.h"
#include "rtl/files.h"
#include "sat/component.h"
#include "sat/extrato/component.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using app::TForm1;

std::string Valida()
{
    return rtl::ReadFileBytes(
        QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../nfe/fixtures/nfe400_proc.xml")).toStdString());
}

std::string Trocar(std::string texto, const std::string &de, const std::string &para)
{
    const std::size_t p = texto.find(de);
    EXPECT_NE(p, std::string::npos) << de;
    if (p != std::string::npos)
        texto.replace(p, de.size(), para);
    return texto;
}

TEST(WindowRobustness, BadFilesInARowEachShowOneBoxAndAGoodOneStillPreviews)
{
    apptest::RecordingBox box;
    TForm1 window;
    std::vector<report::PreparedReport> previews;
    window.Danfe->SetMostrarPreview([&](report::PreparedReport pages, const report::PreviewOptions &) {
        previews.push_back(std::move(pages));
    });
    QTemporaryDir pasta;
    const auto gravar = [&](const char *nome, const std::string &bytes) {
        const std::string arquivo = pasta.filePath(QString::fromUtf8(nome)).toStdString();
        rtl::WriteFileBytes(arquivo, bytes);
        return arquivo;
    };
    const std::string valida = Valida();

    struct Row {
        const char *name;
        std::string arquivo;
        std::string texto; // of the box
    };
    const std::string cortado = gravar("cortado-nfe.xml", valida.substr(0, valida.size() / 2));
    const std::string lixo = gravar("lixo-nfe.xml", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const Row rows[] = {
        {"a file cut in half", cortado,
         "Nenhuma NF-e encontrada no arquivo \"" + cortado + "\""},
        {"an image", lixo, "Nenhuma NF-e encontrada no arquivo \"" + lixo + "\""},
        {"an impossible date",
         gravar("data-nfe.xml", Trocar(valida, "2020-12-01T10:20:30", "2019-13-45T10:20:30")),
         "Conteúdo inválido na tag <dhEmi>: \"2019-13-45T10:20:30-03:00\""},
        {"an amount beyond range",
         gravar("valor-nfe.xml", Trocar(valida, "<vNF>150.09</vNF>", "<vNF>1e300</vNF>")),
         "Valor fora do limite na tag <vNF>: \"1e300\""},
    };
    window.rgTipoDoc.SetItemIndex(0);
    for (const Row &row : rows) {
        box.Shown.clear();
        window.edNomeArquivo.setText(QString::fromStdString(row.arquivo));
        window.btVisualiza.click();
        ASSERT_EQ(box.Shown.size(), 1u) << row.name;
        EXPECT_EQ(box.Shown[0].owner, &window) << row.name;
        EXPECT_EQ(box.Shown[0].text, row.texto) << row.name;
        EXPECT_TRUE(previews.empty()) << row.name;
    }

    box.Shown.clear();
    window.edNomeArquivo.setText(QString::fromStdString(gravar("boa-nfe.xml", valida)));
    window.btVisualiza.click();
    EXPECT_TRUE(box.Shown.empty());
    ASSERT_EQ(window.Nfe->NotasFiscais().Count(), 1);
    ASSERT_EQ(previews.size(), 1u);
    ASSERT_EQ(previews[0].pages.size(), 2u);
    EXPECT_NE(report::findText(previews[0].pages[0], "EMPRESA EXEMPLO LTDA"), nullptr);
    EXPECT_NE(report::findText(previews[0].pages[0], "Nº 000001234"), nullptr);
}

// The bad files every kind must survive, made from one good file of that kind, and what
// each ends in: one error box with the given text ("%s" stands for the file's name), or,
// where the text is empty, a preview of what was read. After the row the good file still
// loads and previews.
enum Caso { Metade, Lixo64k, Lixo4M, Aninhado, SemFecho, DataAbsurda, ValorAbsurdo, Casos };
const char *const NomesDosCasos[Casos] = {
    "cut in half",        "binary garbage", "four megabytes of garbage", "100k nested root groups",
    "root never closed", "absurd date",    "absurd amount",
};

struct Tipo {
    const char *nome;
    int indice;           // in the window's radio group
    const char *fixture;  // below tests/
    const char *data;     // a date leaf of the fixture, as written
    const char *dataAbsurda;
    const char *valor;    // an amount leaf of the fixture, as written
    const char *valorAbsurdo;
    const char *fechaRaiz; // the closing tag of the document's root group
    const char *esperado[Casos];
};

constexpr const char *NenhumaNFe = "Nenhuma NF-e encontrada no arquivo \"%s\"";
constexpr const char *NenhumCTe = "Nenhum CT-e encontrado no arquivo \"%s\"";
constexpr const char *NenhumMDFe = "Nenhum MDF-e encontrado no arquivo \"%s\"";
constexpr const char *NenhumCFe = "O arquivo \"%s\" não contém um CF-e SAT completo: o grupo infCFe não foi encontrado.";

// The document readers find each group by its own tags, so a root group that only lacks
// its closing tag still reads whole; the CF-e reader needs the closed infCFe. Nested
// infCFe groups with nothing else are a CF-e with no data: the receipt of an empty sale.
const Tipo Tipos[] = {
    {"NF-e", 0, "nfe/fixtures/nfe400_proc.xml", "<dhEmi>2020-12-01T10:20:30", "<dhEmi>2020-02-31T10:20:30",
     "<vNF>150.09<", "<vNF>99999999999999999999999999.99<", "</infNFe>",
     {NenhumaNFe, NenhumaNFe, NenhumaNFe, NenhumaNFe, "",
      "Conteúdo inválido na tag <dhEmi>: \"2020-02-31T10:20:30-03:00\"",
      "Valor fora do limite na tag <vNF>: \"99999999999999999999999999.99\""}},
    {"CT-e", 1, "cte/fixtures/F1-cte300-rodo-proc.xml", "<dhEmi>2019-05-14T09:30:15",
     "<dhEmi>2019-05-14T29:30:15", "<vTPrest>1500.50<", "<vTPrest>-99999999999999999999999<", "</infCte>",
     {NenhumCTe, NenhumCTe, NenhumCTe, NenhumCTe, "",
      "Conteúdo inválido na tag <dhEmi>: \"2019-05-14T29:30:15-03:00\"",
      "Valor fora do limite na tag <vTPrest>: \"-99999999999999999999999\""}},
    {"MDF-e", 2, "mdfe/fixtures/mdfe300-rodo-proc.xml", "<dhEmi>2020-03-10T08:15:30",
     "<dhEmi>99999-03-10T08:15:30", "<vCarga>15000.50<", "<vCarga>1e300<", "</infMDFe>",
     {NenhumMDFe, NenhumMDFe, NenhumMDFe, NenhumMDFe, "",
      "Conteúdo inválido na tag <dhEmi>: \"99999-03-10T08:15:30-03:00\"", ""}},
    {"SAT", 3, "sat/fixtures/cfe008-venda-utf8.xml", "<dEmi>20150302<", "<dEmi>20151302<", "<vCFe>93.69<",
     "<vCFe>99999999999999999999999999.99<", "</infCFe>",
     {NenhumCFe, NenhumCFe, NenhumCFe, "", NenhumCFe, "Conteúdo inválido na tag <dEmi>: \"20151302\"",
      "Valor fora do limite na tag <vCFe>: \"99999999999999999999999999.99\""}},
};

std::string Ler(const char *relativo)
{
    return rtl::ReadFileBytes(
        QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../") + QString::fromUtf8(relativo)).toStdString());
}

// Bytes that are no text: a fixed sequence from a small generator, so a failure repeats.
std::string Lixo(std::size_t tamanho)
{
    std::string bytes(tamanho, '\0');
    std::uint32_t x = 2463534242u;
    for (char &c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return bytes;
}

std::string Repetir(std::string_view pedaco, std::size_t vezes)
{
    std::string texto;
    texto.reserve(pedaco.size() * vezes);
    for (std::size_t i = 0; i < vezes; ++i)
        texto += pedaco;
    return texto;
}

TEST(WindowRobustness, EveryKindSurvivesBadFilesAndStillPreviewsAGoodOne)
{
    apptest::RecordingBox box;
    TForm1 window;
    int previews = 0;
    const auto contar = [&](report::PreparedReport pages, const report::PreviewOptions &) {
        if (!pages.pages.empty())
            ++previews;
    };
    window.Danfe->SetMostrarPreview(contar);
    window.DaCTe->SetMostrarPreview(contar);
    window.DaMDFe->SetMostrarPreview(contar);
    window.ExtratoSAT->SetMostrarPreview(contar);
    QTemporaryDir pasta;
    int arquivos = 0;
    const auto gravar = [&](const std::string &bytes) {
        const std::string arquivo = pasta.filePath(QStringLiteral("f%1.xml").arg(++arquivos)).toStdString();
        rtl::WriteFileBytes(arquivo, bytes);
        return arquivo;
    };
    const auto apertar = [&](int indice, const std::string &arquivo) {
        box.Shown.clear();
        previews = 0;
        window.rgTipoDoc.SetItemIndex(indice);
        window.edNomeArquivo.setText(QString::fromStdString(arquivo));
        window.btVisualiza.click();
    };

    for (const Tipo &tipo : Tipos) {
        const std::string valida = Ler(tipo.fixture);
        std::string semFecho = valida;
        const std::size_t raiz = semFecho.find(tipo.fechaRaiz);
        ASSERT_NE(raiz, std::string::npos) << tipo.nome;
        semFecho.erase(raiz, std::string_view(tipo.fechaRaiz).size());
        const std::string abre = std::string("<") + (tipo.fechaRaiz + 2);
        const std::string bytes[Casos] = {
            valida.substr(0, valida.size() / 2),
            Lixo(64 * 1024),
            Lixo(4 * 1024 * 1024),
            Repetir(abre, 100000) + Repetir(tipo.fechaRaiz, 100000),
            semFecho,
            Trocar(valida, tipo.data, tipo.dataAbsurda),
            Trocar(valida, tipo.valor, tipo.valorAbsurdo),
        };
        for (int caso = 0; caso < Casos; ++caso) {
            const std::string onde = std::string(tipo.nome) + ", " + NomesDosCasos[caso];
            const std::string arquivo = gravar(bytes[caso]);
            apertar(tipo.indice, arquivo);
            std::string esperado = tipo.esperado[caso];
            if (esperado.empty()) {
                EXPECT_TRUE(box.Shown.empty()) << onde << ": " << (box.Shown.empty() ? "" : box.Shown[0].text);
                EXPECT_EQ(previews, 1) << onde;
                continue;
            }
            if (const std::size_t p = esperado.find("%s"); p != std::string::npos)
                esperado.replace(p, 2, arquivo);
            ASSERT_EQ(box.Shown.size(), 1u) << onde;
            EXPECT_EQ(box.Shown[0].text, esperado) << onde;
            EXPECT_EQ(previews, 0) << onde;
        }
        apertar(tipo.indice, gravar(valida));
        EXPECT_TRUE(box.Shown.empty()) << tipo.nome << ": " << (box.Shown.empty() ? "" : box.Shown[0].text);
        EXPECT_EQ(previews, 1) << tipo.nome;
    }
}

// A QR Code text longer than any symbol holds: the DACTE cannot be drawn, the box says
// why, and the window previews the next file.
TEST(WindowRobustness, CTeWithAnOverlongQRCodeTextShowsWhyAndTheNextFilePreviews)
{
    apptest::RecordingBox box;
    TForm1 window;
    int previews = 0;
    window.DaCTe->SetMostrarPreview([&](report::PreparedReport, const report::PreviewOptions &) { ++previews; });
    QTemporaryDir pasta;
    const std::string valida = Ler("cte/fixtures/F1-cte300-rodo-proc.xml");
    const std::string longo = pasta.filePath("qr-cte.xml").toStdString();
    rtl::WriteFileBytes(longo, Trocar(valida, "&tpAmb=2]]>", "&tpAmb=2" + std::string(3000, '9') + "]]>"));
    const std::string boa = pasta.filePath("boa-cte.xml").toStdString();
    rtl::WriteFileBytes(boa, valida);

    window.rgTipoDoc.SetItemIndex(1);
    window.edNomeArquivo.setText(QString::fromStdString(longo));
    window.btVisualiza.click();
    ASSERT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(box.Shown[0].text, "Dados do QR Code excedem a capacidade do símbolo.");
    EXPECT_EQ(previews, 0);

    window.edNomeArquivo.setText(QString::fromStdString(boa));
    window.btVisualiza.click();
    EXPECT_EQ(box.Shown.size(), 1u);
    EXPECT_EQ(previews, 1);
}

} // namespace
