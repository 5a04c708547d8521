#include "report/printdialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace report {

bool askPrinter(QPrinter &printer, int pageCount, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pageCount > 1);
    return dialog.exec() == QDialog::Accepted;
}

bool printReport(const PreparedReport &report, const PrintOptions &options, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    setupPrinter(printer, options, report);
    if (options.showDialog && !askPrinter(printer, static_cast<int>(report.pages.size()), parent))
        return false;
    printPages(report, printer);
    return true;
}

} // namespace report
