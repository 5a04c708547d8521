#pragma once
// PDF export: every prepared page at its own paper size, no margins added, text as vector
// text in embedded fonts, and the document's title, creator and keywords in its Info
// dictionary.

#include "report/prepared.h"

#include <QByteArray>
#include <string>

namespace report {

struct PdfInfo {
    std::string title;    // empty: the report's title
    std::string creator;  // empty: the application's name
    std::string keywords; // empty: none written
};

// The PDF of the report's pages. EReportError when the report has no page (a PDF needs
// one).
QByteArray pdfDocument(const PreparedReport &report, const PdfInfo &info = {});

// Writes pdfDocument to fileName, replacing the file at once: a failure leaves the old
// file, or none, and never a partial one (rtl::EFCreateError with the system's reason).
void exportPdf(const PreparedReport &report, const std::string &fileName, const PdfInfo &info = {});

} // namespace report
