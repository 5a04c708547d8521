#pragma once
// Draws prepared pages with a QPainter, for the preview, the printer and the PDF writer.
// The painter works in layout pixels (96 dpi): a caller drawing on a device of another
// resolution scales the painter by dpi / 96 first. Text goes through the same fonts the
// measurer measured (toQFont), placed in its run's box by the measured width, so nothing
// is wrapped or re-aligned on the way out.

#include "report/prepared.h"

#include <QImage>
#include <QPageSize>
#include <memory>

class QPainter;
class QPagedPaintDevice;

namespace report {

class PagePainter {
public:
    PagePainter();
    ~PagePainter();
    PagePainter(const PagePainter &) = delete;
    PagePainter &operator=(const PagePainter &) = delete;

    // The background layer, then the items, in order. Draws nothing under them: the
    // paper (or the caller) is the page's white. The painter's state is restored after.
    void paint(QPainter &painter, const PreparedPage &page);
    // The same, leaving out what lies wholly outside area (page coordinates): a screen
    // repaints only the part of the page it shows.
    void paint(QPainter &painter, const PreparedPage &page, const QRectF &area);

private:
    struct Fonts;
    std::unique_ptr<Fonts> FFonts; // Qt fonts and ascents, kept across pages
};

// The page on white at scale (1: one image pixel per layout pixel), antialiased, for the
// screen and for tests that read symbols back from the page.
QImage renderPage(const PreparedPage &page, double scale);

// The paper of a page: its size in millimetres, matched exactly (no snapping to a
// standard size, so roll paper keeps its height).
QPageSize paperSize(const PreparedPage &page);

// Paints report pages first..last (0-based, inclusive) on device, one device page each,
// every page set to its own paper size with no margins before it starts, scaled from
// layout pixels to the device's resolution. EReportError when the device cannot start
// (a printer that is not there).
void paintPages(QPagedPaintDevice &device, const PreparedReport &report, std::size_t first,
                std::size_t last);

} // namespace report
