#include "app/opendialog.h"

#include <QFileDialog>

#include <utility>

namespace app {

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> RunFileDialog(const TOpenDialog &settings, QWidget *owner)
{
    const std::unique_ptr<QFileDialog> dialog = settings.CreateDialog(owner);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst().toStdString();
}

} // namespace

bool TOpenDialog::Execute(QWidget *owner)
{
    std::optional<std::string> chosen = Runner ? Runner(*this, owner) : RunFileDialog(*this, owner);
    if (!chosen)
        return false;
    FileName = std::move(*chosen);
    return true;
}

std::unique_ptr<QFileDialog> TOpenDialog::CreateDialog(QWidget *owner) const
{
    // Given a file instead of a folder, the dialog opens the file's folder with the file
    // selected. The last choice is proposed only when no initial folder is set: the window
    // sets the folder from its file box, which is what the user looks at.
    const std::string &start = InitialDir.empty() ? FileName : InitialDir;
    auto dialog = std::make_unique<QFileDialog>(owner, QString(), ToQString(start));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist is accepted: the load that follows reports it.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(ToQString(Suffix(DefaultExt)));
    const QStringList filters = NameFilters(Filter);
    dialog->setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog->selectNameFilter(filters.at(FilterIndex - 1));
    return dialog;
}

QStringList TOpenDialog::NameFilters(std::string_view filter)
{
    QStringList result;
    if (filter.empty())
        return result;
    const QStringList fields = ToQString(filter).split(u'|');
    result.reserve(fields.size() / 2);
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        QString patterns = fields.at(i + 1);
        patterns.replace(u';', u' ');
        result.append(fields.at(i) + QStringLiteral(" (") + patterns.simplified() + u')');
    }
    return result;
}

std::string TOpenDialog::Suffix(std::string_view defaultExt)
{
    if (defaultExt.starts_with('*'))
        defaultExt.remove_prefix(1);
    if (defaultExt.starts_with('.'))
        defaultExt.remove_prefix(1);
    return std::string(defaultExt);
}

} // namespace app
