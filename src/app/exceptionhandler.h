#pragma once
// The application's one default exception handler. Nothing on the way from a user action
// to the document families catches an error; whatever escapes reaches this handler, which
// shows it in a modal error box and lets the message loop go on with the window usable.
//
// Qt does not carry an exception out of a slot or an event handler, so the window wraps
// its event handlers in Guarded, the preview hands what its buttons raise to the reporter
// the application installs, and TApplication::notify (app/application.h) catches what
// escapes any other event; all end here.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class QMessageBox;
class QWidget;

namespace app {

// The title of a program that gives itself none: the executable's file name without its
// folder, cut at its first '.', with every character after the first in lower case
// ("/opt/bin/VISUALIZADOR.EXE" gives "Visualizador").
std::string ApplicationTitle(std::string_view executablePath);
// The title of the program's message boxes: the display name the application was given
// (TApplication gives it the window's title), else ApplicationTitle of the executable.
std::string ApplicationTitle();

// The text the error box shows: the innermost error's message (the error itself when it
// has no inner one), with "." appended when its last character comes after "." in the
// character set.
std::string ExceptionText(const std::exception &error);

// Shows one error box: the owner window (may be null), the caption and the text. The real
// one is CreateErrorBox's, run modally.
using TExceptionBox =
    std::function<void(QWidget *owner, const std::string &caption, const std::string &text)>;

// The real error box, built and not yet shown: a critical QMessageBox with an OK button,
// a child of owner, and kept on top when owner's window is: a box under a window that
// stays on top cannot be seen, and the window, blocked by it, looks frozen.
std::unique_ptr<QMessageBox> CreateErrorBox(QWidget *owner, const std::string &caption,
                                            const std::string &text);

// The window an error box goes over: the modal window in front when there is one (the
// preview, while it runs, or a dialog over it), else raiser, the window whose event raised
// the error, else the active window.
QWidget *FrontWindow(QWidget *raiser);

// Replaces the error box for the whole program (tests install a recorder); an empty
// function restores the real box. Returns the box that was installed.
TExceptionBox SetExceptionBox(TExceptionBox box);

// The default handler: shows error in the error box over FrontWindow(owner), captioned
// with ApplicationTitle(). An error that is neither rtl::Exception nor std::exception is
// rethrown: nothing in the program raises one, and hiding it would hide a bug. Never
// raises otherwise: a failing box is ignored, so the loop always goes on.
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

} // namespace app
