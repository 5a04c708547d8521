#pragma once
// A report: page set-up, bands and the events that shape it while it is laid out.
// Layouts build one in code; prepare() (paginator.h) turns it into prepared pages.

#include "report/band.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace report {

class Report;
class Paginator;

// Errors of the report engine (a runaway report, a band the engine cannot place).
class EReportError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

struct Paper {
    double widthMm = 210;
    double heightMm = 297;
    // Roll paper: one page as tall as its content (heightMm is not used).
    bool unlimitedHeight = false;

    static Paper a4() { return Paper{}; }
    static Paper custom(double widthMm, double heightMm) { return Paper{widthMm, heightMm, false}; }
    static Paper roll(double widthMm) { return Paper{widthMm, 0, true}; }
};

struct Margins {
    double left = 10, top = 10, right = 10, bottom = 10; // mm
};

// What band events may ask and do while the report is laid out.
class PrintContext {
public:
    // The page being filled, 1-based within this report (it restarts in a chain); 0 in
    // the report's before-print.
    int page() const;
    // The room left on the page for bands that flow, above the reserved page footers;
    // infinite on roll paper.
    double freeHeight() const;
    // Starts a new page before the next band takes room. Asked from a band's
    // before-print, that band goes on the new page (its before-print does not run
    // again). A request on a page that holds no flowing band yet is dropped: the band
    // is already at the top of a fresh page.
    void requestNewPage();
    // The top (page px) of the band on the current page; none when it is not there.
    std::optional<double> placedTop(const Band &band) const;
    // True while the footers of the last page are printed.
    bool lastPage() const;
    // The record of the sub-report being printed (1-based); 0 outside a sub-report.
    int record() const;
    // The time the report started to be prepared, the same on every page.
    rtl::TDateTime now() const;
    const TextMeasurer &measurer() const;
    Report &report() const;

private:
    friend class Paginator;
    explicit PrintContext(Paginator &paginator) : FPaginator(paginator) {}
    Paginator &FPaginator;
};

// Header bands (kind ColumnHeader) print once before the first record, detail bands
// once per record, summary bands once after the last, records or none.
class SubReport {
public:
    explicit SubReport(std::string name);
    ~SubReport();
    SubReport(const SubReport &) = delete;
    SubReport &operator=(const SubReport &) = delete;

    std::string name;
    double order = 0; // among the report's detail bands and sub-reports
    bool visible = true;
    // Called before each record with its number (from 1); false: there are no more.
    // Without a handler the sub-report has one record.
    std::function<bool(int record, PrintContext &)> onRecord;

    // kind is ColumnHeader, Detail or Summary.
    Band &addBand(BandKind kind, double height, std::string bandName);
    Band *findBand(std::string_view bandName) const;
    const std::vector<std::unique_ptr<Band>> &bands() const { return FBands; }

private:
    std::vector<std::unique_ptr<Band>> FBands;
};

class Report {
public:
    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    Paper paper;
    Margins margins;
    Font font;            // for every control without a font of its own
    std::string title;    // default file name and document title of exports
    std::string caption;  // the preview window's caption
    Borders frame;        // around the printable area of every page
    // Preparing stops with EReportError past this many pages: a report that never ends
    // is a fault of its layout, not a reason to hang.
    int pageLimit = 2000;

    // Before anything is laid out: the place to change bands' kinds, order, heights,
    // visibility, fonts and texts.
    std::function<void(Report &, PrintContext &)> beforePrint;
    // Once the bands of a page are all placed, before its background is drawn.
    std::function<void(PrintContext &)> onPageFinish;
    // Asked after the summary: true starts one more page (page headers and footers only).
    std::function<bool(PrintContext &)> morePages;

    Band &addBand(BandKind kind, double height, std::string name);
    SubReport &addSubReport(std::string name);
    Band *findBand(std::string_view name) const;
    const std::vector<std::unique_ptr<Band>> &bands() const { return FBands; }
    const std::vector<std::unique_ptr<SubReport>> &subReports() const { return FSubReports; }

    // Controls behind the bands on every page, placed in the printable area (their
    // position may change between pages, from the events).
    template <class T, class... A> T &addBackground(std::string name, QRectF bounds, A &&...args)
    {
        auto control = std::make_unique<T>(std::move(name), bounds, std::forward<A>(args)...);
        T &ref = *control;
        FBackground.push_back(std::move(control));
        return ref;
    }
    const std::vector<std::unique_ptr<Control>> &background() const { return FBackground; }

    // Page and printable area in px.
    double pageWidth() const { return mmToPx(paper.widthMm); }
    double pageHeight() const; // infinite on roll paper
    double contentWidth() const { return pageWidth() - mmToPx(margins.left) - mmToPx(margins.right); }

private:
    std::vector<std::unique_ptr<Band>> FBands;
    std::vector<std::unique_ptr<SubReport>> FSubReports;
    std::vector<std::unique_ptr<Control>> FBackground;
    double FNextOrder = 0;
};

} // namespace report
