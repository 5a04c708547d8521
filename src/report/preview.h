#pragma once
// The modal print preview: one page at a time, page navigation, zoom, print, and export
// through the same exporters as the direct PDF and HTML filters. It holds the prepared
// pages only, so the report that made them may be gone. Needs a QApplication.

#include "report/pdfexport.h"
#include "report/prepared.h"
#include "report/printjob.h"

#include <QDialog>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace report {

class PreviewPage;

enum class ExportFormat { Pdf, Html };

// Where an export goes, and as what.
struct ExportTarget {
    std::string fileName;
    ExportFormat format = ExportFormat::Pdf;
};

struct PreviewOptions {
    std::string caption;    // empty: the report's caption
    bool stayOnTop = false;
    bool offerHtml = false; // export offers HTML after PDF
    PdfInfo pdfInfo;        // title, creator and keywords of exported PDFs
    PrintOptions print;     // the printer and copies the print dialog starts from
};

// Asks where to export, proposing a file name (the report's title with the first
// format's extension) and the formats on offer, the first one proposed. None: cancelled.
using ExportChooser = std::function<std::optional<ExportTarget>(
    QWidget *parent, const std::string &proposedName, const std::vector<ExportFormat> &formats)>;
// Lets the user set the printer up before printing pages 1..pageCount; false cancels.
using PrinterChooser = std::function<bool(QPrinter &printer, int pageCount, QWidget *parent)>;

// Where the preview's buttons send what they raise (an export into a folder that cannot be
// written, a printer that fails): the preview itself, as the window that raised it, and the
// error. Qt's signals must not carry an exception out of a slot, so the buttons catch it
// and hand it on; the program installs its default exception handler here, which shows the
// box over the preview. With none installed the error is raised again from the button.
// Returns the reporter that was installed.
using ErrorReporter = std::function<void(QWidget *window, std::exception_ptr error)>;
ErrorReporter setErrorReporter(ErrorReporter reporter);

// The file dialog the preview asks with by default.
std::optional<ExportTarget> chooseExportFile(QWidget *parent, const std::string &proposedName,
                                             const std::vector<ExportFormat> &formats);

// The file extension of a format, without the dot.
const char *extensionOf(ExportFormat format);

// A file name from a report title: the characters that file systems refuse in a name
// ("\/:*?"<>|" and control characters) become '_'; an empty title gives "relatorio".
std::string fileNameFromTitle(std::string_view title);

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(PreparedReport report, PreviewOptions options = {},
                           QWidget *parent = nullptr);
    ~PreviewDialog() override;

    const PreparedReport &report() const { return FReport; }
    int pageCount() const { return static_cast<int>(FReport.pages.size()); }
    int currentPage() const { return FPage; } // 1-based; 0 without pages
    double zoom() const { return FZoom; }     // screen pixels per layout pixel
    std::vector<ExportFormat> exportFormats() const;

    QAction *printAction() const { return FPrint; }
    QAction *exportAction() const { return FExport; }

    // Replace the file and print dialogs (tests; embedding applications).
    void setExportChooser(ExportChooser chooser) { FChooseExport = std::move(chooser); }
    void setPrinterChooser(PrinterChooser chooser) { FChoosePrinter = std::move(chooser); }

public Q_SLOTS:
    void goToPage(int page);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();
    // Asks for a file and writes the chosen format; nothing when the user cancels. Called
    // directly, raises what the export raises; from the button, reports it (setErrorReporter).
    void exportReport();
    // Asks for the printer (starting from the options' printer and copies) and prints;
    // errors as exportReport.
    void print();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class ZoomMode { FitWidth, FitPage, Fixed };

    void buildUi();
    // Runs what a control asked for, handing what it raises to the installed reporter.
    void reportErrors(const std::function<void()> &action);
    void applyZoomMode(ZoomMode mode, double zoom = 1);
    void updateView();
    void updateControls();

    PreparedReport FReport;
    PreviewOptions FOptions;
    ExportChooser FChooseExport;
    PrinterChooser FChoosePrinter;
    int FPage = 0;
    ZoomMode FZoomMode = ZoomMode::FitWidth;
    double FZoom = 1;

    QScrollArea *FScroll = nullptr;
    PreviewPage *FPageView = nullptr;
    QSpinBox *FPageBox = nullptr;
    QComboBox *FZoomBox = nullptr;
    QAction *FFirst = nullptr, *FPrevious = nullptr, *FNext = nullptr, *FLast = nullptr;
    QAction *FZoomIn = nullptr, *FZoomOut = nullptr;
    QAction *FPrint = nullptr, *FExport = nullptr, *FClose = nullptr;
};

// Shows the modal preview of report; returns when the user closes it.
void showPreview(PreparedReport report, PreviewOptions options = {}, QWidget *parent = nullptr);

} // namespace report
