#pragma once
// Laying a report out on pages.
//
// The report's before-print runs first; then the bands of each kind are taken in their
// order. Every page starts with the page headers; the room of the page footers is kept
// free below (worked out after the headers ran, as they may hide footers); then come the
// titles (page 1), the column headers and the report's detail bands and sub-reports (the
// column headers again at the top of every page that continues them), and the summary.
// A band that does not fit goes to the next page, or, when it may split or the page has
// nothing else on it, is cut between text lines and continues there. Footers are stacked
// to end at the bottom margin; the last page also gets the last-page-only footers.
// Page numbers and counts are filled in at the end.
//
// No text prints outside its control. A text wider than its control's box keeps the
// characters the whole text would draw wholly inside the box, where it would draw them:
// the start of a left-aligned text, the end of a right-aligned one, the middle of a
// centred one (whose run then takes the box of the characters shown); a run left with
// no character is dropped. Labels that size themselves to their text, and texts that
// fit, are left as they are. A memo that does not grow shows only the whole lines that
// fit its height (see Memo).

#include "report/measurer.h"
#include "report/prepared.h"
#include "report/progress.h"
#include "report/report.h"

namespace report {

// Runs the report's events and lays it out, telling progress (when given) of every page
// finished. Throws EReportError past report.pageLimit pages; any error an event raises
// goes through unchanged.
PreparedReport prepare(Report &report, const TextMeasurer &measurer, Progress *progress = nullptr);

} // namespace report
