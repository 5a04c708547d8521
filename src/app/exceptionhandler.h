#pragma once
// The application's one default exception handler. Nothing on the way from a user action
// to the document families catches an error; whatever escapes reaches this handler, which
// shows it in a modal error box and lets the message loop go on with the window usable.
//
// Qt does not carry an exception out of a slot or an event handler, so the window wraps
// its event handlers in Guarded, and TApplication::notify catches what escapes any other
// event; both end here.

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace app {

// The title of the program's message boxes, since the program sets none: the executable's
// file name without its folder, cut at its first '.', with every character after the
// first in lower case ("/opt/bin/VISUALIZADOR.EXE" gives "Visualizador").
std::string ApplicationTitle(std::string_view executablePath);
// ApplicationTitle of the running executable.
std::string ApplicationTitle();

// The text the error box shows: the innermost error's message (the error itself when it
// has no inner one), with "." appended when its last character comes after "." in the
// character set.
std::string ExceptionText(const std::exception &error);

// Shows one error box: the owner window (may be null), the caption and the text. The real
// one is a modal critical QMessageBox with an OK button.
using TExceptionBox =
    std::function<void(QWidget *owner, const std::string &caption, const std::string &text)>;

// Replaces the error box for the whole program (tests install a recorder); an empty
// function restores the real box. Returns the box that was installed.
TExceptionBox SetExceptionBox(TExceptionBox box);

// The default handler: shows error in the error box, captioned with ApplicationTitle().
// An error that is neither rtl::Exception nor std::exception is rethrown: nothing in the
// program raises one, and hiding it would hide a bug. Never raises otherwise: a failing
// box is ignored, so the loop always goes on.
void HandleException(QWidget *owner, const std::exception_ptr &error);

// Runs action and hands anything it raises to HandleException with owner.
template <class F>
void Guarded(QWidget *owner, F &&action)
{
    try {
        std::forward<F>(action)();
    } catch (const std::exception &) {
        HandleException(owner, std::current_exception());
    }
}

// The application object: the toolkit's, with every event's errors routed to the
// default handler.
class TApplication : public QApplication {
public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace app
