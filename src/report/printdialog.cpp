#include "report/printdialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace report {

std::unique_ptr<QPrintDialog> createPrintDialog(QPrinter &printer, int pageCount, QWidget *parent)
{
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    dialog->setMinMax(1, std::max(1, pageCount));
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, pageCount > 1);
    return dialog;
}

bool askPrinter(QPrinter &printer, int pageCount, QWidget *parent)
{
    return createPrintDialog(printer, pageCount, parent)->exec() == QDialog::Accepted;
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
