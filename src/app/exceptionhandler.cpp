#include "app/exceptionhandler.h"

#include "rtl/exceptions.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace app {

namespace {

void ShowCriticalBox(QWidget *owner, const std::string &caption, const std::string &text)
{
    std::unique_ptr<QMessageBox> box = CreateErrorBox(owner, caption, text);
    const QPointer<QMessageBox> alive(box.get());
    box->exec();
    // An owner destroyed while the box ran took its child box along.
    if (!alive)
        (void)box.release();
}

TExceptionBox &InstalledBox()
{
    static TExceptionBox box = ShowCriticalBox;
    return box;
}

} // namespace

std::string ApplicationTitle(std::string_view executablePath)
{
    QString name = QFileInfo(QString::fromUtf8(executablePath.data(),
                                               static_cast<qsizetype>(executablePath.size())))
                       .fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return {};
    // The first character stays as it is; it may take two UTF-16 units.
    const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return (name.left(first) + name.mid(first).toLower()).toStdString();
}

std::string ApplicationTitle()
{
    // Unset, the display name is the application name, which is the executable's.
    const QString given = QGuiApplication::applicationDisplayName();
    if (!given.isEmpty() && given != QCoreApplication::applicationName())
        return given.toStdString();
    return ApplicationTitle(QCoreApplication::applicationFilePath().toStdString());
}

std::string ExceptionText(const std::exception &error)
{
    const auto *own = dynamic_cast<const rtl::Exception *>(&error);
    std::string text = own ? own->InnermostMessage() : std::string(error.what());
    // A byte of a multi-byte UTF-8 character is above 0x7F, so the last byte decides as the
    // last character would.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

std::unique_ptr<QMessageBox> CreateErrorBox(QWidget *owner, const std::string &caption,
                                            const std::string &text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QString::fromStdString(caption),
                                             QString::fromStdString(text), QMessageBox::Ok, owner);
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    return box;
}

QWidget *FrontWindow(QWidget *raiser)
{
    // A box under the modal window would block the user behind a window that takes no input.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return raiser ? raiser : QApplication::activeWindow();
}

TExceptionBox SetExceptionBox(TExceptionBox box)
{
    if (!box)
        box = ShowCriticalBox;
    return std::exchange(InstalledBox(), std::move(box));
}

void HandleException(QWidget *owner, const std::exception_ptr &error)
{
    if (!error)
        return;
    std::string text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        text = ExceptionText(e);
    }
    try {
        InstalledBox()(FrontWindow(owner), ApplicationTitle(), text);
    } catch (...) {
        // The handler itself must not fail: the loop goes on without the box.
    }
}

} // namespace app
