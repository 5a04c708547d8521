// The DANFE preview the window opens, as the user meets it: what its buttons raise comes up
// in a box over it, and it goes on afterwards.

#include "app/mainwindow.h"
#include "recordingbox.h"

#include "report/preview.h"
#include "rtl/files.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

namespace {

using app::TForm1;

std::string Fixture(const char *name)
{
    return QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../nfe/fixtures/") + name).toStdString();
}

// Presses "Visualizar" for an NF-e file and runs action in the modal preview it opens,
// then closes the preview.
void NaPreview(TForm1 &window, const std::string &file,
               const std::function<void(report::PreviewDialog &)> &action)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *preview = qobject_cast<report::PreviewDialog *>(modal)) {
            ran = true;
            action(*preview);
        }
        if (modal)
            modal->close();
    });
    window.rgTipoDoc.SetItemIndex(0);
    window.edNomeArquivo.setText(QString::fromStdString(file));
    window.btVisualiza.click();
    EXPECT_TRUE(ran) << "no preview came up";
}

// Clicks the toolbar button of action, as the user would.
void Clicar(report::PreviewDialog &preview, QAction *action)
{
    for (QToolButton *button : preview.findChildren<QToolButton *>()) {
        if (button->defaultAction() == action) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button for " << action->text().toStdString();
}

TEST(WindowPreview, AnExportIntoAFolderThatCannotBeWrittenShowsItsBoxOverThePreview)
{
    apptest::RecordingBox box;
    TForm1 window;
    QTemporaryDir pasta;
    // A file where the folder should be: not even root writes under it.
    const QString arquivoNoCaminho = pasta.filePath(QStringLiteral("arquivo"));
    rtl::WriteFileBytes(arquivoNoCaminho.toStdString(), "x");
    const std::string recusado = (arquivoNoCaminho + QStringLiteral("/danfe.pdf")).toStdString();
    const std::string aceito = pasta.filePath(QStringLiteral("danfe.pdf")).toStdString();

    NaPreview(window, Fixture("nfe400_proc.xml"), [&](report::PreviewDialog &preview) {
        std::string destino = recusado;
        preview.setExportChooser(
            [&](QWidget *, const std::string &, const std::vector<report::ExportFormat> &) {
                return std::optional(report::ExportTarget{destino, report::ExportFormat::Pdf});
            });
        Clicar(preview, preview.exportAction());

        ASSERT_EQ(box.Shown.size(), 1u);
        const apptest::ShownBox &shown = box.Shown[0];
        EXPECT_EQ(shown.owner, &preview);
        EXPECT_EQ(shown.parent, &preview);
        // The DANFE's preview stays on top of other windows; its box must come up above it.
        EXPECT_TRUE(preview.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(shown.onTop);
        EXPECT_EQ(shown.title, "Visualizador de XML");
        EXPECT_NE(shown.text.find(recusado), std::string::npos) << shown.text;
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(recusado)));

        // The preview goes on: the next export writes its file.
        destino = aceito;
        Clicar(preview, preview.exportAction());
        EXPECT_EQ(box.Shown.size(), 1u);
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(aceito)));
    });
}

} // namespace
