#include "app/exceptionhandler.h"

#include "rtl/exceptions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include <utility>

namespace app {

namespace {

void ShowCriticalBox(QWidget *owner, const std::string &caption, const std::string &text)
{
    QMessageBox::critical(owner, QString::fromStdString(caption), QString::fromStdString(text));
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
        InstalledBox()(owner, ApplicationTitle(), text);
    } catch (...) {
        // The handler itself must not fail: the loop goes on without the box.
    }
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &) {
        HandleException(activeWindow(), std::current_exception());
        return false;
    }
}

} // namespace app
