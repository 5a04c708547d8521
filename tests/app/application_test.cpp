// The program as it starts, whatever LANG/LC_* the machine has (the suite runs under the
// program's own application object): Brazilian formats, Qt's own dialogs in Brazilian
// Portuguese, the program's title on its boxes.

#include "app/application.h"
#include "app/exceptionhandler.h"
#include "app/opendialog.h"

#include "report/preview.h"
#include "report/printdialog.h"
#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/formatsettings.h"
#include "rtl/numbers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The texts a dialog shows on its buttons and labels, without accelerator marks.
QStringList Textos(const QWidget &dialog)
{
    QStringList out;
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        if (!button->text().isEmpty())
            out << QString(button->text()).remove(u'&');
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            out << QString(label->text()).remove(u'&');
    return out;
}

TEST(Startup, NumbersAndDatesAreBrazilian)
{
    const rtl::TDateTime instante = rtl::EncodeDateTime(2020, 3, 11, 15, 32, 17, 0);
    char c[16];
    std::snprintf(c, sizeof c, "%.1f", 1.5);
    struct Row {
        const char *name;
        std::string actual;
        std::string expected;
    };
    const Row rows[] = {
        {"date and time", rtl::DateTimeToStr(instante), "11/03/2020 15:32:17"},
        {"time of day in 24 hours", rtl::TimeToStr(instante), "15:32:17"},
        {"thousands and decimals", rtl::FormatFloat(",0.00", 1234567.891), "1.234.567,89"},
        {"zero-padded number with thousands", rtl::FormatFloat("000,000,000", 2), "000.000.002"},
        {"currency symbol", rtl::FormatSettings().CurrencyString, "R$"},
        {"Qt's widgets' numbers", QLocale().toString(1234.5, 'f', 1).toStdString(), "1.234,5"},
        {"Qt's widgets' dates", QLocale().toString(QDate(2020, 3, 11), QLocale::ShortFormat).toStdString(),
         "11/03/2020"},
        // printf-style output of Qt and of libraries keeps the point.
        {"the C library", c, "1.5"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(Startup, QtTranslationIsOptional)
{
    const auto *application = qobject_cast<const app::TApplication *>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    // scripts/setup-deps installs Qt's translations (qt6-translations-l10n).
    EXPECT_TRUE(application->QtTranslated());
    // Without the catalogue nothing is installed and nothing fails.
    QTemporaryDir vazia;
    EXPECT_EQ(app::InstallQtTranslation(vazia.path()), nullptr);
}

TEST(Startup, TheOpenAndPrintDialogsSpeakPortuguese)
{
    app::TOpenDialog od;
    od.Filter = "XML|*.xml";
    od.InitialDir = "/";
    const auto abrir = od.CreateDialog(nullptr);
    abrir->show();
    EXPECT_EQ(abrir->windowTitle().toStdString(), "Abrir");
    const QStringList textosAbrir = Textos(*abrir);
    for (const char *texto : {"Abrir", "Cancelar", "Arquivos do tipo:"})
        EXPECT_TRUE(textosAbrir.contains(texto)) << texto << " in " << textosAbrir.join('|').toStdString();

    QPrinter printer;
    const auto imprimir = report::createPrintDialog(printer, 2, nullptr);
    imprimir->show();
    EXPECT_EQ(imprimir->windowTitle().toStdString(), "Imprimir");
    const QStringList textosImprimir = Textos(*imprimir);
    for (const char *texto : {"Imprimir", "Cancelar"})
        EXPECT_TRUE(textosImprimir.contains(texto)) << texto << " in " << textosImprimir.join('|').toStdString();
}

TEST(Startup, TheExportDialogAndItsOverwriteQuestionSpeakPortuguese)
{
    QTemporaryDir pasta;
    const QString existente = pasta.filePath(QStringLiteral("danfe.pdf"));
    rtl::WriteFileBytes(existente.toStdString(), "%PDF");
    QStringList textosExportar, textosPergunta;
    QString pergunta;
    QTimer::singleShot(0, [&] {
        auto *dialogo = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        textosExportar = Textos(*dialogo);
        // Confirming a name that exists asks before overwriting; the answer is no.
        QTimer::singleShot(0, [&] {
            if (auto *caixa = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                pergunta = caixa->text();
                textosPergunta = Textos(*caixa);
                caixa->button(QMessageBox::No)->click();
            }
        });
        dialogo->selectFile(existente);
        QMetaObject::invokeMethod(dialogo, "accept");
        dialogo->reject();
    });
    EXPECT_FALSE(report::chooseExportFile(nullptr, existente.toStdString(), {report::ExportFormat::Pdf}));

    for (const char *texto : {"Salvar", "Cancelar", "Arquivos do tipo:"})
        EXPECT_TRUE(textosExportar.contains(texto)) << texto << " in " << textosExportar.join('|').toStdString();
    EXPECT_TRUE(pergunta.contains("danfe.pdf")) << pergunta.toStdString();
    EXPECT_TRUE(pergunta.contains(QString::fromUtf8("já existe"))) << pergunta.toStdString();
    for (const char *texto : {"Sim", "Não"})
        EXPECT_TRUE(textosPergunta.contains(QString::fromUtf8(texto))) << texto;
}

TEST(Startup, MessageBoxesCarryTheProgramTitle)
{
    EXPECT_EQ(app::ApplicationTitle(), "Visualizador de XML");
    const auto caixa = app::CreateErrorBox(nullptr, app::ApplicationTitle(), "Falhou.");
    EXPECT_EQ(caixa->windowTitle().toStdString(), "Visualizador de XML");
    EXPECT_EQ(caixa->icon(), QMessageBox::Critical);
    EXPECT_EQ(caixa->text().toStdString(), "Falhou.");
}

} // namespace
