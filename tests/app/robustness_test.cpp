// Bad files through the window, one after the other: each ends in one error box whose
// text tells the user what is wrong, nothing is previewed, and the next good file still
// loads and previews.

#include "app/mainwindow.h"
#include "recordingbox.h"

#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "report/prepared.h"
#include "report/preview.h"
#include "rtl/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
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

} // namespace
