#include "app/application.h"

#include "app/exceptionhandler.h"

#include "rtl/formatsettings.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

#include <utility>

namespace app {

namespace {

QLocale Brazil()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

} // namespace

std::unique_ptr<QTranslator> InstallQtTranslation(const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    // qtbase holds the texts of every Qt module the program uses (core, widgets, print
    // support); the locale's fall-backs (qtbase_pt_BR, then qtbase_pt) come with it.
    if (!translator->load(Brazil(), QStringLiteral("qtbase"), QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // After the application object, which has just taken LC_* into the C library.
    rtl::InitFormatSettings();
    // Qt's widgets (the dates and sizes of the file dialog, the print dialog's numbers)
    // write as a Brazilian system would.
    QLocale::setDefault(Brazil());
    FQtTranslation = InstallQtTranslation(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Without it every message box would be titled with the executable's lower-case name.
    setApplicationDisplayName(QString::fromUtf8(ProgramTitle));
    FPreviousReporter = report::setErrorReporter(
        [](QWidget *window, const std::exception_ptr &error) { HandleException(window, error); });
}

TApplication::~TApplication()
{
    report::setErrorReporter(std::move(FPreviousReporter));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &) {
        const auto *widget = qobject_cast<QWidget *>(receiver);
        HandleException(widget ? widget->window() : activeWindow(), std::current_exception());
        return false;
    }
}

} // namespace app
