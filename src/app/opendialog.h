#pragma once
// TOpenDialog, the file-open dialog of the main window: the settings it is configured with
// (default extension, filter, initial folder, last file name) and Execute, which runs a
// QFileDialog built from them. Tests replace Runner so no real dialog is shown.

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QFileDialog;
class QWidget;

namespace app {

class TOpenDialog {
public:
    // Shows the dialog for these settings; returns the chosen file's name, or nothing when
    // the user cancels. Receives the owner window (may be null).
    using TRunner = std::function<std::optional<std::string>(const TOpenDialog &, QWidget *)>;

    // "*.xml", "xml" and ".xml" all mean the extension xml.
    std::string DefaultExt;
    // Pairs of display name and patterns, every field separated by '|'; several patterns
    // of one entry are separated by ';' ("Textos|*.txt;*.text|Todos|*").
    std::string Filter;
    // 1-based index of the entry selected when the dialog opens.
    int FilterIndex = 1;
    // The folder the dialog opens in; a file name opens its folder with the file selected.
    std::string InitialDir;
    // The file the user chose last.
    std::string FileName;
    // Replaced by tests; by default builds the dialog with CreateDialog and runs it modally.
    TRunner Runner;

    // Runs the dialog through Runner. When the user confirms a file, FileName becomes it
    // and the result is true; on cancel nothing changes and the result is false.
    bool Execute(QWidget *owner);

    // The dialog as Execute shows it, configured and not yet shown.
    std::unique_ptr<QFileDialog> CreateDialog(QWidget *owner) const;

    // Filter in the toolkit's form: one "name (patterns)" entry per pair, patterns
    // separated by spaces. A name left without patterns at the end is dropped.
    static QStringList NameFilters(std::string_view filter);
    // DefaultExt without its leading "*." or ".".
    static std::string Suffix(std::string_view defaultExt);
};

} // namespace app
