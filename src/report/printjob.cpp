#include "report/printjob.h"

#include "report/painter.h"
#include "report/report.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace report {

void setupPrinter(QPrinter &printer, const PrintOptions &options, const PreparedReport &report)
{
    if (!options.printerName.empty()) {
        const QString name = QString::fromStdString(options.printerName);
        if (!QPrinterInfo::availablePrinterNames().contains(name))
            throw EReportError("Impressora \"" + options.printerName + "\" não encontrada.");
        printer.setPrinterName(name);
    }
    printer.setCopyCount(std::max(1, options.copies));
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(report.title));
}

void printPages(const PreparedReport &report, QPrinter &printer)
{
    if (report.pages.empty())
        return;
    // Without a printer Qt falls back to writing a PDF, and has no file to write it to.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        throw EReportError("Nenhuma impressora instalada.");
    std::size_t first = 0, last = report.pages.size() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = static_cast<std::size_t>(printer.fromPage() - 1);
        last = std::min(last, static_cast<std::size_t>(std::max(printer.toPage(), printer.fromPage()) - 1));
    }
    printer.setFullPage(true);
    paintPages(printer, report, first, last);
}

} // namespace report
