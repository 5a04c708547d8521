#pragma once
// The program's application object: the toolkit's, set up as the program runs whatever the
// machine's LANG/LC_* say (Brazilian formats, Qt's own dialogs in Brazilian Portuguese, the
// program's title on its message boxes), with every event's errors routed to the default
// exception handler.

#include "report/preview.h"

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <memory>

namespace app {

// The program's title, as its window shows it; its message boxes carry it too.
inline constexpr char ProgramTitle[] = "Visualizador de XML";

// Installs into the running application Qt's Brazilian Portuguese catalogue of its base
// modules (the open, save and print dialogs, the buttons of message boxes, the question
// before overwriting a file), looked for in folder. Null when the folder holds none: Qt's
// own texts then stay in English and nothing else changes. The translation leaves the
// application when the result is destroyed.
std::unique_ptr<QTranslator> InstallQtTranslation(const QString &folder);

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);
    ~TApplication() override;
    TApplication(const TApplication &) = delete;
    TApplication &operator=(const TApplication &) = delete;

    // Hands what escapes the event to HandleException, over the window in front.
    bool notify(QObject *receiver, QEvent *event) override;

    // Whether Qt's own texts were found in Brazilian Portuguese.
    bool QtTranslated() const { return FQtTranslation != nullptr; }

private:
    std::unique_ptr<QTranslator> FQtTranslation;
    report::ErrorReporter FPreviousReporter;
};

} // namespace app
