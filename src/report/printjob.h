#pragma once
// Printing prepared pages on a QPrinter. Nothing here opens a window; the print dialog
// lives in printdialog.h.

#include "report/prepared.h"

#include <string>

class QPrinter;

namespace report {

struct PrintOptions {
    std::string printerName; // empty: the system's default printer
    int copies = 1;          // below 1: one copy
    bool showDialog = false; // ask with the print dialog first (printReport)
    // The job's pages are laid out with a progress display (whoever prepares them hands
    // prepare() a Progress); printing itself is over too soon to need one.
    bool showProgress = false;
};

// Sets printer up for the report: the printer named in options (EReportError when no
// such printer is installed), the copies, one-sided, the whole paper addressable, the
// report's title as the job's name.
void setupPrinter(QPrinter &printer, const PrintOptions &options, const PreparedReport &report);

// Prints the report's pages on printer, each on paper of its own size; only the range
// the printer asks for (fromPage..toPage, 1-based) when it asks for one. EReportError
// when the printer cannot start, or is Qt's PDF fallback without a file (no printer is
// installed).
void printPages(const PreparedReport &report, QPrinter &printer);

} // namespace report
