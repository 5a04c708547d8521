#include "report/paginator.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace report {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Heights that agree to a hundredth of a pixel fit.
constexpr double kTolerance = 0.01;
// A sub-report whose record event never says "end" while its details take no room would
// otherwise never stop.
constexpr int kRecordLimit = 1'000'000;

// A band rendered at x in page coordinates and y from the band's own top.
struct Fragment {
    double height = 0;
    std::vector<Primitive> items;
};

// Text, images and barcodes cannot be cut; lines and rectangles can.
bool isAtomic(const Primitive &item)
{
    return !std::holds_alternative<LineItem>(item) && !std::holds_alternative<RectItem>(item);
}

// What is left of a band that is cut page by page. The items keep the band's own
// coordinates and are visited in the order of their tops, so that each cut looks only at
// the items reaching its piece, plus the few it left behind (the lower parts of cut
// lines and rectangles, items lying right at the cut): a band of n items over p pages
// costs about n log n rather than n times p.
class Remaining {
public:
    explicit Remaining(Fragment &&fragment)
        : FItems(std::move(fragment.items)), FHeight(fragment.height)
    {
        FTops.reserve(FItems.size());
        for (const Primitive &item : FItems)
            FTops.push_back(bounds(item).normalized().top());
        FByTop.resize(FItems.size());
        for (std::size_t i = 0; i < FByTop.size(); ++i)
            FByTop[i] = i;
        std::stable_sort(FByTop.begin(), FByTop.end(),
                         [this](std::size_t a, std::size_t b) { return FTops[a] < FTops[b]; });
    }

    // The height from the current piece's top to the band's bottom.
    double height() const { return FHeight - FOffset; }

    // The lowest y (from the piece's top) at or above limit that cuts through no text
    // line, image or barcode (0 when the first of them already straddles limit).
    double cutPoint(double limit) const
    {
        std::vector<std::pair<double, double>> spans;
        const auto consider = [&](std::size_t i) {
            if (!isAtomic(FItems[i]))
                return;
            const QRectF r = bounds(FItems[i]).translated(0, -FOffset);
            if (r.top() + kTolerance < limit)
                spans.emplace_back(r.top(), r.bottom());
        };
        for (const std::size_t i : FPending)
            consider(i);
        for (std::size_t k = FNext; k < FByTop.size() && FTops[FByTop[k]] - FOffset + kTolerance < limit; ++k)
            consider(FByTop[k]);
        std::sort(spans.begin(), spans.end());
        // Merge overlapping spans; a cut may fall where one ends and the next begins.
        std::vector<std::pair<double, double>> merged;
        for (const auto &span : spans) {
            if (!merged.empty() && span.first < merged.back().second - kTolerance)
                merged.back().second = std::max(merged.back().second, span.second);
            else
                merged.push_back(span);
        }
        for (const auto &span : merged)
            if (span.first + kTolerance < limit && limit < span.second - kTolerance)
                return span.first;
        return limit;
    }

    // Cuts at y (from the piece's top) and returns the piece above, its items in the
    // band's drawing order: what lies above the cut goes to it, what lies below stays;
    // lines and rectangles across the cut go to both, clipped. Sets straddled when a
    // text line, image or barcode crosses the cut (it goes with the piece above).
    Fragment take(double cut, bool &straddled)
    {
        const double at = FOffset + cut;
        // Every item not reached here lies wholly below the cut.
        std::vector<std::size_t> reached;
        reached.swap(FPending);
        while (FNext < FByTop.size() && FTops[FByTop[FNext]] <= at + kTolerance)
            reached.push_back(FByTop[FNext++]);
        std::sort(reached.begin(), reached.end());

        Fragment first;
        first.height = cut;
        const auto toFirst = [&](Primitive &&item) {
            translate(item, 0, -FOffset);
            first.items.push_back(std::move(item));
        };
        for (const std::size_t i : reached) {
            Primitive &item = FItems[i];
            if (auto *line = std::get_if<LineItem>(&item)) {
                const double y1 = line->from.y(), y2 = line->to.y();
                if (std::max(y1, y2) <= at) {
                    toFirst(std::move(item));
                } else if (std::min(y1, y2) >= at) {
                    FPending.push_back(i);
                } else {
                    const double t = (at - y1) / (y2 - y1);
                    const QPointF point = line->from + (line->to - line->from) * t;
                    LineItem upper = *line;
                    (y1 < y2 ? upper.to : upper.from) = point;
                    (y1 < y2 ? line->from : line->to) = point;
                    toFirst(std::move(upper));
                    FPending.push_back(i);
                }
            } else if (auto *rect = std::get_if<RectItem>(&item)) {
                if (rect->rect.bottom() <= at + kTolerance) {
                    toFirst(std::move(item));
                } else if (rect->rect.top() >= at - kTolerance) {
                    FPending.push_back(i);
                } else {
                    RectItem upper = *rect;
                    upper.rect.setBottom(at);
                    rect->rect.setTop(at);
                    toFirst(std::move(upper));
                    FPending.push_back(i);
                }
            } else {
                const QRectF r = bounds(item);
                if (r.top() < at - kTolerance) {
                    if (r.bottom() > at + kTolerance)
                        straddled = true;
                    toFirst(std::move(item));
                } else {
                    FPending.push_back(i);
                }
            }
        }
        FOffset = at;
        return first;
    }

    // All that is left, as one piece.
    Fragment takeAll()
    {
        std::vector<std::size_t> left;
        left.swap(FPending);
        left.insert(left.end(), FByTop.begin() + static_cast<std::ptrdiff_t>(FNext), FByTop.end());
        FNext = FByTop.size();
        std::sort(left.begin(), left.end());
        Fragment all;
        all.height = height();
        all.items.reserve(left.size());
        for (const std::size_t i : left) {
            translate(FItems[i], 0, -FOffset);
            all.items.push_back(std::move(FItems[i]));
        }
        return all;
    }

private:
    std::vector<Primitive> FItems;
    std::vector<double> FTops;        // each item's top as the band rendered it
    std::vector<std::size_t> FByTop;  // the items by top; those before FNext were reached
    std::size_t FNext = 0;
    std::vector<std::size_t> FPending; // reached but still below the last cut
    double FHeight;
    double FOffset = 0; // the current piece's top in the band
};

// The largest k in [low, high] for which holds(k), holds(low) being known true and holds
// true up to some k and false after it. The search leaves low in growing steps before it
// halves, so it costs about twice the logarithm of the distance to the answer, whatever
// the length of the range.
template <class Holds> std::size_t lastHolding(std::size_t low, std::size_t high, Holds holds)
{
    for (std::size_t step = 1; low < high; step *= 2) {
        const std::size_t k = high - low > step ? low + step : high;
        if (!holds(k)) {
            high = k - 1;
            break;
        }
        low = k;
    }
    while (low < high) {
        const std::size_t k = low + (high - low + 1) / 2;
        if (holds(k))
            low = k;
        else
            high = k - 1;
    }
    return low;
}

// The smallest k in [low, high] for which holds(k), holds(high) being known true and
// holds false up to some k and true after it; searched for from high down, as
// lastHolding searches from low up.
template <class Holds> std::size_t firstHolding(std::size_t low, std::size_t high, Holds holds)
{
    for (std::size_t step = 1; low < high; step *= 2) {
        const std::size_t k = high - low > step ? high - step : low;
        if (!holds(k)) {
            low = k + 1;
            break;
        }
        high = k;
    }
    while (low < high) {
        const std::size_t k = low + (high - low) / 2;
        if (holds(k))
            high = k;
        else
            low = k + 1;
    }
    return low;
}

// Cuts a run wider than its box down to the characters the whole text would draw wholly
// inside the box, left where the whole text puts them: a left-aligned text keeps its
// start, a right-aligned one its end, a centred one its middle. Returns false when no
// character is left; a run that fits is not touched.
//
// A character the box edge would cut through is dropped rather than drawn clipped: each
// output would need a clip of its own (a clip path in the PDF, overflow in HTML), the
// text layer of the PDF would still carry the whole text for search, copy and pdftotext,
// and half a digit reads as another digit. Whole characters show exactly what the
// prepared pages say, in every output alike. Blanks left at a cut edge are dropped too:
// they show nothing and would only widen the run.
//
// The last character that fits is searched for from the side that shows, in growing
// steps and then by halving, so a long text costs a few measurements, not one per
// character, and a long text in a narrow box measures little more than what shows.
bool cutToBox(TextRun &run, const TextMeasurer &measurer)
{
    const double room = run.box.width();
    if (!(run.width > room + kTolerance))
        return true;
    const std::string_view text = run.text;
    const std::vector<std::size_t> at = characterStarts(text);
    const std::size_t count = at.size() - 1;
    const auto widthOf = [&](std::size_t from, std::size_t to) {
        return from < to ? measurer.width(text.substr(at[from], at[to] - at[from]), run.font) : 0.0;
    };
    const auto blank = [&](std::size_t k) { return text[at[k]] == ' '; };

    std::size_t first = 0, last = count;
    double left = run.box.left(); // where character `first` is drawn
    switch (run.align) {
    case HAlign::Left:
        last = lastHolding(0, count, [&](std::size_t k) { return widthOf(0, k) <= room + kTolerance; });
        break;
    case HAlign::Right:
        first = firstHolding(0, count, [&](std::size_t k) { return widthOf(k, count) <= room + kTolerance; });
        while (first < last && blank(first))
            ++first;
        break;
    case HAlign::Center: {
        const double whole = textLeft(run, run.width);
        const double edge = run.box.left() - kTolerance;
        first = firstHolding(0, count, [&](std::size_t k) { return whole + widthOf(0, k) >= edge; });
        while (first < last && blank(first))
            ++first;
        left = whole + widthOf(0, first);
        const double right = run.box.right() + kTolerance;
        last = lastHolding(first, count, [&](std::size_t k) { return left + widthOf(first, k) <= right; });
        break;
    }
    }
    while (last > first && blank(last - 1))
        --last;
    if (first == last)
        return false;
    std::string shown(text.substr(at[first], at[last] - at[first]));
    run.width = widthOf(first, last);
    run.text = std::move(shown);
    // The middle of a centred text is seldom centred in the box itself (the characters cut
    // at each end differ in width): its box becomes the span it is drawn in, which keeps it
    // in place in every output.
    if (run.align == HAlign::Center)
        run.box = QRectF(left, run.box.top(), run.width, run.box.height());
    return true;
}

// Cuts the runs of items from first on to their boxes, dropping those left empty.
void cutToBoxes(std::vector<Primitive> &items, std::size_t first, const TextMeasurer &measurer)
{
    // Nearly every text fits: the items move only from the first run that is dropped.
    const auto end = items.end();
    auto it = items.begin() + static_cast<std::ptrdiff_t>(first);
    const auto dropped = [&](Primitive &item) {
        auto *run = std::get_if<TextRun>(&item);
        return run && run->width > run->box.width() + kTolerance && !cutToBox(*run, measurer);
    };
    while (it != end && !dropped(*it))
        ++it;
    if (it == end)
        return;
    auto kept = it;
    for (++it; it != end; ++it)
        if (!dropped(*it))
            *kept++ = std::move(*it);
    items.erase(kept, end);
}

template <class Bands> std::vector<Band *> ofKind(const Bands &bands, BandKind kind)
{
    std::vector<Band *> out;
    for (const auto &band : bands)
        if (band->kind == kind)
            out.push_back(band.get());
    std::stable_sort(out.begin(), out.end(),
                     [](const Band *a, const Band *b) { return a->order < b->order; });
    return out;
}

} // namespace

class Paginator {
public:
    Paginator(Report &report, const TextMeasurer &measurer, Progress *progress)
        : FReport(report), FMeasurer(measurer), FProgress(progress), FContext(*this)
    {
    }

    PreparedReport run();

private:
    friend class PrintContext;

    struct FrozenSubReport {
        SubReport *sub;
        std::vector<Band *> headers, details, summaries;
    };
    // A detail band or a sub-report, in the report's detail sequence.
    struct ContentItem {
        double order;
        Band *band;
        FrozenSubReport *sub;
    };

    void freeze();
    void newPage();
    void finishPage(bool last);
    void finishLastPage();
    void startDetails();
    void runSubReport(FrozenSubReport &frozen);

    bool allowedHere(const Band &band) const;
    // Renders the band at the end of the page's items, in the band's own coordinates (a
    // band that fits, as most do, is then only moved down in place); returns its height.
    double render(Band &band);
    // The band rendered into page items first to end, placed at top.
    void place(std::size_t first, std::size_t end, double height, Band &band, double top);
    // The band rendered from page item first on, taken off the page to be cut or moved.
    Fragment detach(std::size_t first, double height);
    void put(Fragment &&fragment, Band &band, double top);
    void placeFixed(Band &band);
    void placeFlowing(Band &band);
    // Places a band taller than the room left: on the next page, or cut across pages.
    void fit(Fragment &&fragment, Band &band);
    void honourNewPageRequest();
    void resolvePageFields();

    PreparedPage &page() { return FResult.pages.back(); }

    Report &FReport;
    const TextMeasurer &FMeasurer;
    Progress *FProgress;
    PrintContext FContext;
    PreparedReport FResult;

    std::vector<Band *> FPageHeaders, FTitles, FColumnHeaders, FSummaries, FFooters;
    std::vector<FrozenSubReport> FSubReports;
    std::vector<ContentItem> FContent;

    bool FRoll = false;
    double FPageWidth = 0, FPageHeight = 0, FLeft = 0, FTop = 0, FBottom = 0, FContentWidth = 0;
    rtl::TDateTime FNow = 0;

    int FPage = 0;
    double FY = 0;       // where the next band goes
    double FLimit = 0;   // the lowest y flowing bands may reach (above the footers)
    double FBodyTop = 0; // FY when nothing but headers is on the page
    bool FBodyPlaced = false;
    bool FInDetails = false;
    bool FNewPageRequested = false;
    bool FFinishingLast = false;
    int FRecord = 0;
};

// ---- PrintContext ------------------------------------------------------------------------

int PrintContext::page() const { return FPaginator.FPage; }

double PrintContext::freeHeight() const
{
    return std::max(0.0, FPaginator.FLimit - FPaginator.FY);
}

void PrintContext::requestNewPage() { FPaginator.FNewPageRequested = true; }

std::optional<double> PrintContext::placedTop(const Band &band) const
{
    if (FPaginator.FPage > 0 && band.FPlacedPage == FPaginator.FPage)
        return band.FPlacedTop;
    return std::nullopt;
}

bool PrintContext::lastPage() const { return FPaginator.FFinishingLast; }
int PrintContext::record() const { return FPaginator.FRecord; }
rtl::TDateTime PrintContext::now() const { return FPaginator.FNow; }
const TextMeasurer &PrintContext::measurer() const { return FPaginator.FMeasurer; }
Report &PrintContext::report() const { return FPaginator.FReport; }

// ---- Paginator ---------------------------------------------------------------------------

PreparedReport Paginator::run()
{
    FNow = rtl::Now();
    if (FProgress)
        FProgress->begin("Preparando o relatório", 0);
    for (const auto &band : FReport.bands())
        band->FPlacedPage = 0;
    for (const auto &sub : FReport.subReports())
        for (const auto &band : sub->bands())
            band->FPlacedPage = 0;

    if (FReport.beforePrint)
        FReport.beforePrint(FReport, FContext);
    freeze();

    FRoll = FReport.paper.unlimitedHeight;
    FPageWidth = FReport.pageWidth();
    FPageHeight = FReport.pageHeight();
    FLeft = mmToPx(FReport.margins.left);
    FTop = mmToPx(FReport.margins.top);
    FBottom = mmToPx(FReport.margins.bottom);
    FContentWidth = FReport.contentWidth();

    newPage();
    for (Band *band : FTitles)
        placeFlowing(*band);
    startDetails();
    for (const ContentItem &item : FContent) {
        if (item.band)
            placeFlowing(*item.band);
        else
            runSubReport(*item.sub);
    }
    FInDetails = false;
    for (Band *band : FSummaries)
        placeFlowing(*band);
    while (FReport.morePages && FReport.morePages(FContext))
        newPage();
    finishLastPage();
    resolvePageFields();

    FResult.title = FReport.title;
    FResult.caption = FReport.caption;
    return std::move(FResult);
}

void Paginator::freeze()
{
    const auto &bands = FReport.bands();
    for (const auto &band : bands)
        if (band->pageRule == PageRule::LastOnly && band->kind != BandKind::PageFooter)
            throw EReportError("A banda \"" + band->name +
                               "\" não é um rodapé e não pode ser impressa só na última página");
    FPageHeaders = ofKind(bands, BandKind::PageHeader);
    FTitles = ofKind(bands, BandKind::Title);
    FColumnHeaders = ofKind(bands, BandKind::ColumnHeader);
    FSummaries = ofKind(bands, BandKind::Summary);
    FFooters = ofKind(bands, BandKind::PageFooter);

    FSubReports.clear();
    FSubReports.reserve(FReport.subReports().size()); // FContent points into it
    for (const auto &sub : FReport.subReports()) {
        for (const auto &band : sub->bands())
            if (band->kind != BandKind::ColumnHeader && band->kind != BandKind::Detail &&
                band->kind != BandKind::Summary)
                throw EReportError("A banda \"" + band->name + "\" do sub-relatório \"" + sub->name +
                                   "\" deve ser de cabeçalho, detalhe ou sumário");
        FSubReports.push_back({sub.get(), ofKind(sub->bands(), BandKind::ColumnHeader),
                               ofKind(sub->bands(), BandKind::Detail),
                               ofKind(sub->bands(), BandKind::Summary)});
    }

    FContent.clear();
    for (Band *band : ofKind(bands, BandKind::Detail))
        FContent.push_back({band->order, band, nullptr});
    for (auto &frozen : FSubReports)
        FContent.push_back({frozen.sub->order, nullptr, &frozen});
    std::stable_sort(FContent.begin(), FContent.end(),
                     [](const ContentItem &a, const ContentItem &b) { return a.order < b.order; });
}

bool Paginator::allowedHere(const Band &band) const
{
    switch (band.pageRule) {
    case PageRule::Every: return true;
    case PageRule::FirstOnly: return FPage == 1;
    case PageRule::LastOnly: return FFinishingLast;
    }
    return true;
}

double Paginator::render(Band &band)
{
    const double height = band.preparedHeight(FMeasurer, FReport.font);
    if (!band.enabled)
        return height;
    if (band.FPrimitiveName != band.name)
        band.FPrimitiveName = Name(band.name);
    std::vector<Primitive> &items = page().items;
    const std::size_t first = items.size();
    RenderContext context{FMeasurer, FReport.font, QPointF(FLeft, 0), height,
                          FNow,      band.FPrimitiveName, items};
    for (const auto &control : band.controls())
        if (control->visible)
            control->render(context);
    cutToBoxes(items, first, FMeasurer);
    renderBorders(band.borders, QRectF(FLeft, 0, FContentWidth, height),
                  PrimitiveBase{band.FPrimitiveName, band.FPrimitiveName}, items);
    return height;
}

void Paginator::place(std::size_t first, std::size_t end, double height, Band &band, double top)
{
    PreparedPage &p = page();
    for (std::size_t i = first; i < end; ++i)
        translate(p.items[i], 0, top);
    p.bands.push_back({band.name, band.kind, top, height});
    band.FPlacedPage = FPage;
    band.FPlacedTop = top;
}

Fragment Paginator::detach(std::size_t first, double height)
{
    std::vector<Primitive> &items = page().items;
    const auto from = items.begin() + static_cast<std::ptrdiff_t>(first);
    Fragment fragment;
    fragment.height = height;
    fragment.items.reserve(items.size() - first);
    fragment.items.insert(fragment.items.end(), std::make_move_iterator(from),
                          std::make_move_iterator(items.end()));
    items.erase(from, items.end());
    return fragment;
}

void Paginator::put(Fragment &&fragment, Band &band, double top)
{
    PreparedPage &p = page();
    const std::size_t first = p.items.size();
    p.items.insert(p.items.end(), std::make_move_iterator(fragment.items.begin()),
                   std::make_move_iterator(fragment.items.end()));
    place(first, p.items.size(), fragment.height, band, top);
}

void Paginator::newPage()
{
    if (FPage > 0)
        finishPage(false);
    if (FPage >= FReport.pageLimit)
        throw EReportError("Relatório excedeu o limite de " + std::to_string(FReport.pageLimit) +
                           " páginas");
    ++FPage;
    // Pages of one report hold about as many items as the one before.
    const std::size_t expected = FResult.pages.empty() ? 0 : FResult.pages.back().items.size();
    PreparedPage &p = FResult.pages.emplace_back();
    p.items.reserve(expected);
    p.size = QSizeF(FPageWidth, FRoll ? 0 : FPageHeight);
    p.number = FPage;
    FY = FTop;
    FBodyPlaced = false;
    FLimit = FRoll ? kInfinity : FPageHeight - FBottom;

    for (Band *band : FPageHeaders)
        placeFixed(*band);
    // The headers may have hidden or shown footers for this page.
    if (!FRoll)
        for (Band *band : FFooters)
            if (band->visible && band->pageRule != PageRule::LastOnly && allowedHere(*band))
                FLimit -= band->preparedHeight(FMeasurer, FReport.font);
    if (FInDetails)
        for (Band *band : FColumnHeaders)
            placeFixed(*band);
    FBodyTop = FY;
    // Whatever asked for a new page has one.
    FNewPageRequested = false;
}

void Paginator::placeFixed(Band &band)
{
    if (!band.visible || !allowedHere(band))
        return;
    if (band.beforePrint && !band.beforePrint(band, FContext))
        return;
    const std::size_t first = page().items.size();
    const double height = render(band);
    place(first, page().items.size(), height, band, FY);
    FY += height;
    if (FY > FLimit + kTolerance)
        page().overflow = true;
    if (band.afterPrint)
        band.afterPrint(band, FContext);
}

void Paginator::honourNewPageRequest()
{
    if (!FNewPageRequested)
        return;
    FNewPageRequested = false;
    if (FBodyPlaced)
        newPage();
}

void Paginator::placeFlowing(Band &band)
{
    if (!band.visible || !allowedHere(band))
        return;
    honourNewPageRequest();
    if (band.beforePrint && !band.beforePrint(band, FContext))
        return; // a new page it asked for waits for the next band
    honourNewPageRequest();
    const std::size_t first = page().items.size();
    const double height = render(band);
    if (height <= FLimit - FY + kTolerance) {
        place(first, page().items.size(), height, band, FY);
        FY += height;
        FBodyPlaced = true;
    } else {
        fit(detach(first, height), band);
    }
    if (band.afterPrint)
        band.afterPrint(band, FContext);
}

void Paginator::fit(Fragment &&fragment, Band &band)
{
    Remaining rest(std::move(fragment));
    for (;;) {
        const double free = FLimit - FY;
        if (rest.height() <= free + kTolerance) {
            const double height = rest.height();
            put(rest.takeAll(), band, FY);
            FY += height;
            FBodyPlaced = true;
            return;
        }
        // On a page holding nothing but its headers a new page would give no more room:
        // cut the band here instead, so that a band taller than a page never loops.
        const bool emptyPage = FY <= FBodyTop + kTolerance;
        if (!emptyPage && !band.canSplit) {
            newPage();
            continue;
        }
        double cut = free > kTolerance ? rest.cutPoint(free) : 0;
        if (cut <= kTolerance) {
            if (!emptyPage) {
                newPage();
                continue;
            }
            if (free <= kTolerance) {
                // No room at all below the headers: place it whole, beyond the page.
                const double height = rest.height();
                put(rest.takeAll(), band, FY);
                FY += height;
                FBodyPlaced = true;
                page().overflow = true;
                return;
            }
            cut = free; // a line taller than the room: it stays here, clipped
        }
        bool straddled = false;
        Fragment first = rest.take(cut, straddled);
        if (straddled)
            page().overflow = true;
        put(std::move(first), band, FY);
        FY += cut;
        FBodyPlaced = true;
        newPage();
    }
}

void Paginator::startDetails()
{
    FInDetails = true;
    double need = 0;
    for (Band *band : FColumnHeaders)
        if (band->visible && allowedHere(*band))
            need += band->preparedHeight(FMeasurer, FReport.font);
    if (FBodyPlaced && need > FLimit - FY + kTolerance) {
        newPage(); // prints the column headers at its top
        return;
    }
    for (Band *band : FColumnHeaders)
        placeFixed(*band);
    if (!FBodyPlaced)
        FBodyTop = FY;
}

void Paginator::runSubReport(FrozenSubReport &frozen)
{
    SubReport &sub = *frozen.sub;
    if (!sub.visible)
        return;
    for (Band *band : frozen.headers)
        placeFlowing(*band);
    for (int record = 1;; ++record) {
        if (record > kRecordLimit)
            throw EReportError("Sub-relatório \"" + sub.name + "\" excedeu o limite de " +
                               std::to_string(kRecordLimit) + " registros");
        FRecord = record;
        if (sub.onRecord ? !sub.onRecord(record, FContext) : record > 1)
            break;
        for (Band *band : frozen.details)
            placeFlowing(*band);
    }
    FRecord = 0;
    for (Band *band : frozen.summaries)
        placeFlowing(*band);
}

void Paginator::finishLastPage()
{
    if (!FRoll && FBodyPlaced) {
        // The last-page footers had no room kept for them: when they do not fit under the
        // content they go to a page of their own.
        double need = 0;
        bool lastOnly = false;
        FFinishingLast = true;
        for (Band *band : FFooters)
            if (band->visible && allowedHere(*band)) {
                need += band->preparedHeight(FMeasurer, FReport.font);
                lastOnly = lastOnly || band->pageRule == PageRule::LastOnly;
            }
        FFinishingLast = false;
        if (lastOnly && FY > FPageHeight - FBottom - need + kTolerance)
            newPage();
    }
    finishPage(true);
}

void Paginator::finishPage(bool last)
{
    FFinishingLast = last;
    // Rendered one after another at the end of the page, then moved down in place once
    // their total height is known.
    struct Footer {
        Band *band;
        std::size_t first, end;
        double height;
    };
    std::vector<Footer> footers;
    double total = 0;
    for (Band *band : FFooters) {
        if (!band->visible || !allowedHere(*band))
            continue;
        if (band->beforePrint && !band->beforePrint(*band, FContext))
            continue;
        const std::size_t first = page().items.size();
        const double height = render(*band);
        total += height;
        footers.push_back({band, first, page().items.size(), height});
    }
    double top = FRoll ? FY : FPageHeight - FBottom - total;
    if (top < FY - kTolerance)
        page().overflow = true;
    for (const Footer &footer : footers) {
        place(footer.first, footer.end, footer.height, *footer.band, top);
        top += footer.height;
        if (footer.band->afterPrint)
            footer.band->afterPrint(*footer.band, FContext);
    }
    if (FRoll)
        page().size.setHeight(top + FBottom);

    if (FReport.onPageFinish)
        FReport.onPageFinish(FContext);

    const QRectF printable(FLeft, FTop, FContentWidth, page().size.height() - FTop - FBottom);
    PreparedPage &p = page();
    RenderContext context{FMeasurer, FReport.font, printable.topLeft(), printable.height(),
                          FNow,      "background", p.background};
    for (const auto &control : FReport.background())
        if (control->visible)
            control->render(context);
    cutToBoxes(p.background, 0, FMeasurer);
    renderBorders(FReport.frame, printable, PrimitiveBase{"frame", ""}, p.items);
    FFinishingLast = false;
    if (FProgress)
        FProgress->advance(FPage);
}

void Paginator::resolvePageFields()
{
    const int count = static_cast<int>(FResult.pages.size());
    for (auto &p : FResult.pages) {
        p.count = count;
        for (auto *layer : {&p.background, &p.items}) {
            bool emptied = false;
            for (auto &item : *layer)
                if (auto *run = std::get_if<TextRun>(&item); run && run->pageField) {
                    run->text = pageFieldText(*run->pageField, run->pageMask, p.number, count);
                    run->width = FMeasurer.width(run->text, run->font);
                    if (!cutToBox(*run, FMeasurer)) {
                        run->text.clear();
                        emptied = true;
                    }
                }
            if (emptied)
                std::erase_if(*layer, [](const Primitive &item) {
                    const auto *run = std::get_if<TextRun>(&item);
                    return run && run->pageField && run->text.empty();
                });
        }
    }
}

PreparedReport prepare(Report &report, const TextMeasurer &measurer, Progress *progress)
{
    return Paginator(report, measurer, progress).run();
}

} // namespace report
