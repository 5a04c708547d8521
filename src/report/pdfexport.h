#pragma once
// PDF export: every prepared page at its own paper size, no margins added, text as vector
// text in embedded fonts, and the document's title, creator, keywords and creation date.
//
// Most documents go through our own writer (pdfwriter.h), which puts all four in the Info
// dictionary. Pages it cannot reproduce go through Qt's PDF engine, which takes less:
// - title and creator go in the Info dictionary;
// - keywords go in the document's XMP metadata only (beside the title, creator and
//   producer the Info dictionary has), so readers that show the Info dictionary alone,
//   as poppler's do, leave them out;
// - Qt stamps the creation date itself when it starts writing: a fixed date is not
//   honoured there, and two exports of such pages differ (from one run of the program
//   to the next Qt also orders the fonts differently).

#include "report/prepared.h"
#include "report/progress.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <string>

namespace report {

struct PdfInfo {
    std::string title;    // empty: the report's title
    std::string creator;  // empty: the application's name
    std::string keywords; // empty: none written
    // Written with its own offset from UTC; nullopt: the time of the export. A fixed date
    // makes two exports of the same pages byte for byte the same (through our writer
    // only, see above). An invalid date is an EReportError.
    std::optional<QDateTime> creationDate = std::nullopt;
};

// The PDF of the report's pages. EReportError when the report has no page (a PDF needs
// one).
QByteArray pdfDocument(const PreparedReport &report, const PdfInfo &info = {});

// Writes pdfDocument to fileName, replacing the file at once: a failure leaves the old
// file, or none, and never a partial one (rtl::EFCreateError with the system's reason).
// Progress, when given, hears of the job and, once the file is written, of its pages.
void exportPdf(const PreparedReport &report, const std::string &fileName, const PdfInfo &info = {},
               Progress *progress = nullptr);

} // namespace report
