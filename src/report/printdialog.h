#pragma once
// Printing with the user in the loop: the print dialog, and the direct print that shows
// it only when the settings ask. Needs a QApplication.

#include "report/printjob.h"

#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace report {

// The print dialog askPrinter shows, configured and not yet shown.
std::unique_ptr<QPrintDialog> createPrintDialog(QPrinter &printer, int pageCount, QWidget *parent);

// Shows the print dialog for printer, offering pages 1..pageCount; false when the user
// cancels it.
bool askPrinter(QPrinter &printer, int pageCount, QWidget *parent);

// Prints the report as options say: on the named (or default) printer, after the print
// dialog only when options.showDialog. False when the user cancelled the dialog.
bool printReport(const PreparedReport &report, const PrintOptions &options,
                 QWidget *parent = nullptr);

} // namespace report
