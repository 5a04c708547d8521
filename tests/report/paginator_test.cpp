#include "report/paginator.h"

#include "report/chain.h"

#include "support.h"

#include "rtl/datetime.h"
#include "rtl/formatsettings.h"

#include <QFontMetricsF>
#include <climits>
#include <functional>
#include <map>
#include <gtest/gtest.h>

namespace {

using namespace report;
using namespace report::test;
using Pages = std::vector<int>;
using Tops = std::vector<double>;

PreparedReport prepareFixed(Report &report)
{
    const FixedTextMeasurer measurer;
    return prepare(report, measurer);
}

std::vector<std::size_t> detailsPerPage(const PreparedReport &prepared)
{
    std::vector<std::size_t> out;
    for (const auto &page : prepared.pages)
        out.push_back(textsStarting(page, "det ").size());
    return out;
}

// ---- Page structure ---------------------------------------------------------------------

TEST(Paginator, HeadersOnEveryPageTitleOnPageOneColumnHeadersWithDetails)
{
    Report report;
    pageSetup(report, 200, 400);
    addBand(report, BandKind::PageHeader, 50, "hdr");
    addBand(report, BandKind::Title, 30, "title");
    addBand(report, BandKind::ColumnHeader, 20, "cols");
    addItems(report, 30, 30);
    addBand(report, BandKind::Summary, 30, "sum");

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 3u) << dump(prepared);
    EXPECT_EQ(pagesWith(prepared, "hdr"), (Pages{1, 2, 3}));
    EXPECT_EQ(pagesWith(prepared, "title"), Pages{1});
    EXPECT_EQ(pagesWith(prepared, "cols"), (Pages{1, 2, 3}));
    EXPECT_EQ(pagesWith(prepared, "sum"), Pages{3});
    // Page 1: 50 + 30 + 20 leave 300 px (10 records); later pages 330 (11 records).
    EXPECT_EQ(detailsPerPage(prepared), (std::vector<std::size_t>{10, 11, 9}));
    EXPECT_EQ(textsStarting(prepared.pages[1], "det ").front(), "det 11");
    EXPECT_EQ(topsOf(prepared, 1, "title"), Tops{50});
    EXPECT_EQ(topsOf(prepared, 1, "cols"), Tops{80});
    EXPECT_EQ(topsOf(prepared, 2, "cols"), Tops{50});
    EXPECT_EQ(topsOf(prepared, 2, "det").front(), 70);
    EXPECT_EQ(topsOf(prepared, 3, "sum"), Tops{340});
    for (const auto &page : prepared.pages)
        EXPECT_FALSE(page.overflow);
}

TEST(Paginator, ColumnHeadersPrintWhileDetailsRemain)
{
    struct Row {
        const char *name;
        int records;
        Pages columnHeaders, summary;
    } rows[] = {
        {"no record: still on page 1", 0, {1}, {1}},
        {"not on a page holding only the summary", 10, {1}, {2}},
        {"on the page where details continue", 11, {1, 2}, {2}},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 400);
        addBand(report, BandKind::ColumnHeader, 100, "cols");
        addItems(report, row.records, 30);
        addBand(report, BandKind::Summary, 30, "sum");
        const auto prepared = prepareFixed(report);
        EXPECT_EQ(pagesWith(prepared, "cols"), row.columnHeaders) << row.name << "\n" << dump(prepared);
        EXPECT_EQ(pagesWith(prepared, "sum"), row.summary) << row.name;
    }
}

TEST(Paginator, SubReportPrintsHeaderAndSummaryWithoutRecords)
{
    Report report;
    pageSetup(report, 200, 400);
    SubReport &sub = report.addSubReport("payments");
    addBand(sub, BandKind::ColumnHeader, 10, "subhdr");
    addBand(sub, BandKind::Detail, 10, "subdet");
    addBand(sub, BandKind::Summary, 10, "TOTAL R$");
    sub.onRecord = [](int, PrintContext &) { return false; };

    auto prepared = prepareFixed(report);
    EXPECT_EQ(texts(prepared.pages.at(0)), (std::vector<std::string>{"subhdr", "TOTAL R$"}));
    EXPECT_EQ(topsOf(prepared, 1, "TOTAL R$"), Tops{10});

    sub.onRecord = nullptr; // without a record event: one record
    prepared = prepareFixed(report);
    EXPECT_EQ(texts(prepared.pages.at(0)), (std::vector<std::string>{"subhdr", "subdet", "TOTAL R$"}));
}

TEST(Paginator, PageOneOnlyHeader)
{
    Report report;
    pageSetup(report, 200, 200);
    addBand(report, BandKind::PageHeader, 50, "first").pageRule = PageRule::FirstOnly;
    addBand(report, BandKind::PageHeader, 20, "every");
    addItems(report, 10, 30);

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 2u) << dump(prepared);
    EXPECT_EQ(pagesWith(prepared, "first"), Pages{1});
    EXPECT_EQ(topsOf(prepared, 1, "every"), Tops{50});
    EXPECT_EQ(topsOf(prepared, 2, "every"), Tops{0});
    EXPECT_EQ(detailsPerPage(prepared), (std::vector<std::size_t>{4, 6}));
    EXPECT_EQ(topsOf(prepared, 2, "det").front(), 20);
}

TEST(Paginator, FootersStackAtTheBottomAndTheLastPageFooterOnlyOnTheLastPage)
{
    struct Row {
        const char *name;
        int records;
        Pages footer, lastFooter;
        Tops footerTopsOnLastPage;
    } rows[] = {
        // Room is kept for the every-page footer only: 180 px, 6 records a page.
        {"room under the content", 10, {1, 2}, {2}, {160}},
        {"no room under the content: a page of its own", 12, {1, 2, 3}, {3}, {160}},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 200);
        addBand(report, BandKind::PageFooter, 20, "foot");
        addBand(report, BandKind::PageFooter, 20, "last").pageRule = PageRule::LastOnly;
        addItems(report, row.records, 30);
        const auto prepared = prepareFixed(report);
        const int last = static_cast<int>(prepared.pages.size());
        EXPECT_EQ(pagesWith(prepared, "foot"), row.footer) << row.name << "\n" << dump(prepared);
        EXPECT_EQ(pagesWith(prepared, "last"), row.lastFooter) << row.name;
        EXPECT_EQ(topsOf(prepared, 1, "foot"), Tops{180}) << row.name;
        EXPECT_EQ(topsOf(prepared, last, "foot"), row.footerTopsOnLastPage) << row.name;
        EXPECT_EQ(topsOf(prepared, last, "last"), Tops{180}) << row.name;
        EXPECT_EQ(detailsPerPage(prepared).at(0), 6u) << row.name;
    }
}

TEST(Paginator, FooterRoomIsKeptAfterThePageHeadersRan)
{
    // The header hides the 100-px footer from page 2 on, so page 2 holds 15 records of 20 px.
    Report report;
    pageSetup(report, 200, 300);
    Band &footer = addBand(report, BandKind::PageFooter, 100, "foot");
    Band &header = report.addBand(BandKind::PageHeader, 0, "hdr");
    header.beforePrint = [&footer](Band &, PrintContext &context) {
        footer.visible = context.page() == 1;
        return true;
    };
    Band &det = *addItems(report, 25, 20).findBand("det");
    std::map<int, double> freeHeights; // by record, as its before-print sees it
    det.beforePrint = [&freeHeights, numbering = det.beforePrint](Band &band, PrintContext &context) {
        freeHeights[context.record()] = context.freeHeight();
        return numbering(band, context);
    };

    const auto prepared = prepareFixed(report);
    EXPECT_EQ(detailsPerPage(prepared), (std::vector<std::size_t>{10, 15})) << dump(prepared);
    EXPECT_EQ(pagesWith(prepared, "foot"), Pages{1});
    EXPECT_NEAR(freeHeights[1], 200, 1e-6) << "above the footer";
    EXPECT_NEAR(freeHeights[11], 0, 1e-6) << "the page is full: record 11 goes to the next";
    EXPECT_NEAR(freeHeights[12], 280, 1e-6) << "page 2 keeps no room for the footer";
}

// ---- Band flags and events ---------------------------------------------------------------

TEST(Paginator, RefusedInvisibleAndDisabledBands)
{
    struct Row {
        const char *name;
        std::function<void(Band &, int &)> setUp;
        double nextTop;
        bool placed;      // the band has a placement on the page
        std::size_t drawn; // primitives named after it (label and four borders)
        int afterPrints;
    } rows[] = {
        {"printed", [](Band &, int &) {}, 40, true, 5, 1},
        {"refused by its before-print: no room",
         [](Band &band, int &events) {
             band.beforePrint = [&events](Band &, PrintContext &) {
                 ++events;
                 return false;
             };
         },
         20, false, 0, 0},
        {"disabled: its height, nothing drawn", [](Band &band, int &) { band.enabled = false; }, 40,
         true, 0, 1},
        {"invisible: no room and no event",
         [](Band &band, int &events) {
             band.visible = false;
             band.beforePrint = [&events](Band &, PrintContext &) {
                 events += 100;
                 return true;
             };
         },
         20, false, 0, 0},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 400);
        addBand(report, BandKind::Detail, 20, "d1");
        Band &d2 = addBand(report, BandKind::Detail, 20, "d2");
        d2.borders = Borders::all();
        addBand(report, BandKind::Detail, 20, "d3");
        int events = 0, afterPrints = 0;
        row.setUp(d2, events);
        d2.afterPrint = [&afterPrints](Band &, PrintContext &) { ++afterPrints; };

        const auto prepared = prepareFixed(report);
        const auto &page = prepared.pages.at(0);
        EXPECT_EQ(topsOf(prepared, 1, "d3"), Tops{row.nextTop}) << row.name << "\n" << dump(prepared);
        EXPECT_EQ(placements(page, "d2").size(), row.placed ? 1u : 0u) << row.name;
        EXPECT_EQ(bySource(page, "d2").size(), row.drawn) << row.name;
        EXPECT_EQ(afterPrints, row.afterPrints) << row.name;
        EXPECT_LT(events, 100) << row.name;
    }
}

TEST(Paginator, AnEarlierBandChangesLaterBandsVisibilityOnTheSamePage)
{
    Report report;
    pageSetup(report, 200, 400);
    Band &d1 = addBand(report, BandKind::Detail, 10, "d1");
    Band &d2 = addBand(report, BandKind::Detail, 10, "d2");
    addBand(report, BandKind::Detail, 10, "d3");
    Band &d4 = addBand(report, BandKind::Detail, 10, "d4");
    d4.visible = false;
    d1.beforePrint = [&](Band &, PrintContext &) {
        d2.visible = false;
        d4.visible = true;
        return true;
    };

    const auto prepared = prepareFixed(report);
    EXPECT_EQ(texts(prepared.pages.at(0)), (std::vector<std::string>{"d1", "d3", "d4"}));
    EXPECT_EQ(topsOf(prepared, 1, "d4"), Tops{20});
}

TEST(Paginator, AutoSizeBandGrowsWithItsMemo)
{
    struct Row {
        const char *name;
        bool autoSize;
        double height;
    } rows[] = {
        {"auto-size: five memo lines", true, 50},
        {"fixed: keeps its height", false, 20},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 400);
        Band &band = report.addBand(BandKind::Detail, 20, "notes");
        band.autoSize = row.autoSize;
        band.add<Memo>("memo", QRectF(0, 0, 100, 10), "a\nb\nc\nd\ne").autoHeight = true;
        auto &rule = band.add<Line>("rule", QRectF(150, 0, 2, 10));
        rule.orientation = Line::Vertical;
        rule.stretch = true;
        addBand(report, BandKind::Detail, 10, "next");

        const auto prepared = prepareFixed(report);
        const auto &page = prepared.pages.at(0);
        EXPECT_EQ(placements(page, "notes").at(0).height, row.height) << row.name;
        EXPECT_EQ(topsOf(prepared, 1, "next"), Tops{row.height}) << row.name;
        EXPECT_EQ(std::get<LineItem>(*bySource(page, "rule").at(0)).to.y(), row.height) << row.name;
        EXPECT_EQ(bySource(page, "memo").size(), 5u) << row.name;
    }
}

TEST(Paginator, NewPageRequests)
{
    struct Row {
        const char *name;
        std::function<void(Band &d1, Band &d2, int &events)> setUp;
        Pages d1, d2, d3; // pages showing each band
        int d2Events;
    } rows[] = {
        {"from before-print: that band starts the next page",
         [](Band &, Band &d2, int &events) {
             d2.beforePrint = [&events](Band &, PrintContext &context) {
                 ++events;
                 context.requestNewPage();
                 return true;
             };
         },
         {1}, {2}, {2}, 1},
        {"from after-print: the next band starts the next page",
         [](Band &d1, Band &, int &) {
             d1.afterPrint = [](Band &, PrintContext &context) { context.requestNewPage(); };
         },
         {1}, {2}, {2}, 0},
        {"on a page with nothing placed yet: dropped",
         [](Band &d1, Band &, int &) {
             d1.beforePrint = [](Band &, PrintContext &context) {
                 context.requestNewPage();
                 return true;
             };
         },
         {1}, {1}, {1}, 0},
        {"from a refused band: the next band starts the next page",
         [](Band &, Band &d2, int &events) {
             d2.beforePrint = [&events](Band &, PrintContext &context) {
                 ++events;
                 context.requestNewPage();
                 return false;
             };
         },
         {1}, {}, {2}, 1},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 100);
        Band &d1 = addBand(report, BandKind::Detail, 20, "d1");
        Band &d2 = addBand(report, BandKind::Detail, 20, "d2");
        addBand(report, BandKind::Detail, 20, "d3");
        int events = 0;
        row.setUp(d1, d2, events);
        const auto prepared = prepareFixed(report);
        EXPECT_EQ(pagesWith(prepared, "d1"), row.d1) << row.name;
        EXPECT_EQ(pagesWith(prepared, "d2"), row.d2) << row.name;
        EXPECT_EQ(pagesWith(prepared, "d3"), row.d3) << row.name;
        EXPECT_EQ(events, row.d2Events) << row.name;
        if (row.d2 == Pages{2}) {
            EXPECT_EQ(topsOf(prepared, 2, "d2"), Tops{0}) << row.name;
        }
    }
}

TEST(Paginator, KindAndOrderChangedInTheReportsBeforePrint)
{
    Report report;
    pageSetup(report, 200, 200);
    Band &stub = addBand(report, BandKind::PageHeader, 20, "stub");
    Band &a = addBand(report, BandKind::PageHeader, 10, "a");
    addBand(report, BandKind::PageHeader, 10, "b");
    addItems(report, 8, 30);
    report.beforePrint = [&](Report &, PrintContext &context) {
        EXPECT_EQ(context.page(), 0);
        stub.kind = BandKind::PageFooter;
        a.order = 10;
    };

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 2u) << dump(prepared);
    for (int page : {1, 2}) {
        EXPECT_EQ(topsOf(prepared, page, "b"), Tops{0}) << page;
        EXPECT_EQ(topsOf(prepared, page, "a"), Tops{10}) << page;
        EXPECT_EQ(topsOf(prepared, page, "stub"), Tops{180}) << page;
    }
    // 200 - 20 of headers - 20 of footer: 5 records on page 1.
    EXPECT_EQ(detailsPerPage(prepared), (std::vector<std::size_t>{5, 3}));
}

TEST(Paginator, BackgroundOnEveryPageMovedByTheEvents)
{
    Report report;
    pageSetup(report, 200, 100);
    auto &watermark = report.addBackground<Label>("wm", QRectF(0, 0, 100, 10), "CANCELADA");
    addItems(report, 5, 30);
    Band &sum = addBand(report, BandKind::Summary, 20, "sum");
    report.onPageFinish = [&](PrintContext &context) {
        const auto top = context.placedTop(sum);
        watermark.bounds.moveTop(top ? *top : 40);
    };

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 2u) << dump(prepared);
    const double expectedTops[] = {40, 60};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto &page = prepared.pages[i];
        ASSERT_EQ(page.background.size(), 1u) << i;
        const auto &run = std::get<TextRun>(page.background[0]);
        EXPECT_EQ(run.text, "CANCELADA");
        EXPECT_NEAR(run.box.top(), expectedTops[i], 1e-9) << i;
        for (const auto &item : page.items)
            EXPECT_NE(base(item).source, "wm") << "drawn behind the bands only";
    }
}

TEST(Paginator, BordersAndFrame)
{
    Report report;
    pageSetup(report, 200, 100);
    report.margins = Margins{pxToMm(10), pxToMm(10), pxToMm(10), pxToMm(10)};
    report.frame = Borders::all(1);
    Band &band = report.addBand(BandKind::Detail, 30, "boxed");
    band.borders.top = band.borders.bottom = true;
    band.borders.width = 2;

    const auto prepared = prepareFixed(report);
    const auto &page = prepared.pages.at(0);
    const auto lines = bySource(page, "boxed");
    ASSERT_EQ(lines.size(), 2u) << dump(prepared);
    const auto &top = std::get<LineItem>(*lines[0]);
    const auto &bottom = std::get<LineItem>(*lines[1]);
    EXPECT_NEAR(top.from.y(), 11, 1e-9);
    EXPECT_NEAR(bottom.from.y(), 39, 1e-9);
    EXPECT_NEAR(top.from.x(), 10, 1e-9);
    EXPECT_NEAR(top.to.x(), 190, 1e-9);
    EXPECT_EQ(top.penWidth, 2);

    const auto frame = bySource(page, "frame");
    ASSERT_EQ(frame.size(), 4u);
    QRectF around;
    for (const auto *item : frame)
        around |= bounds(*item);
    // Around the printable area, the lines inside its edge.
    EXPECT_NEAR(around.top(), 10, 1e-9);
    EXPECT_NEAR(around.bottom(), 90, 1e-9);
    EXPECT_NEAR(around.left(), 10, 1e-9);
    EXPECT_NEAR(around.right(), 190, 1e-9);
    EXPECT_NEAR(std::get<LineItem>(*frame[0]).from.y(), 10.5, 1e-9);
}

// ---- Splitting ----------------------------------------------------------------------------

std::string numberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += (i > 1 ? "\r\n" : "") + ("L" + std::to_string(i));
    return text;
}

std::vector<std::string> linesFromTo(int first, int last)
{
    std::vector<std::string> out;
    for (int i = first; i <= last; ++i)
        out.push_back("L" + std::to_string(i));
    return out;
}

Band &addLongBand(Report &report, const char *name, int lines)
{
    Band &band = report.addBand(BandKind::Detail, 10, name);
    band.autoSize = true;
    band.add<Memo>("memo", QRectF(0, 0, 200, 10), numberedLines(lines)).autoHeight = true;
    auto &rule = band.add<Line>("rule", QRectF(0, 0, 10, 10));
    rule.orientation = Line::Vertical;
    rule.stretch = true;
    return band;
}

TEST(Paginator, SplittingBandContinuesOverThreePagesBetweenLines)
{
    Report report;
    pageSetup(report, 200, 100);
    addBand(report, BandKind::Detail, 30, "first");
    addLongBand(report, "long", 25).canSplit = true;
    addBand(report, BandKind::Detail, 10, "after");

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 3u) << dump(prepared);
    struct Expected {
        std::vector<std::string> lines;
        double top, height;
    } expected[] = {
        {linesFromTo(1, 7), 30, 70},
        {linesFromTo(8, 17), 0, 100},
        {linesFromTo(18, 25), 0, 80},
    };
    for (int i = 0; i < 3; ++i) {
        const auto &page = prepared.pages[i];
        EXPECT_EQ(textsStarting(page, "L"), expected[i].lines) << "page " << i + 1;
        const auto placed = placements(page, "long");
        ASSERT_EQ(placed.size(), 1u) << "page " << i + 1;
        EXPECT_NEAR(placed[0].top, expected[i].top, 1e-6) << "page " << i + 1;
        EXPECT_NEAR(placed[0].height, expected[i].height, 1e-6) << "page " << i + 1;
        // The band's vertical rule is cut into one piece per page.
        const auto rule = bySource(page, "rule");
        ASSERT_EQ(rule.size(), 1u) << "page " << i + 1;
        EXPECT_NEAR(std::get<LineItem>(*rule[0]).from.y(), expected[i].top, 1e-6);
        EXPECT_NEAR(std::get<LineItem>(*rule[0]).to.y(), expected[i].top + expected[i].height, 1e-6);
        EXPECT_FALSE(page.overflow);
    }
    EXPECT_EQ(topsOf(prepared, 3, "after"), Tops{80});
}

TEST(Paginator, OversizeBandsNeverLoop)
{
    struct Row {
        const char *name;
        std::function<void(Report &)> build;
        std::size_t pages;
        std::vector<bool> overflow;
    } rows[] = {
        {"taller than a page: to a fresh page, then cut between lines",
         [](Report &report) {
             addBand(report, BandKind::Detail, 30, "first");
             addLongBand(report, "big", 25);
         },
         4, {false, false, false, false}},
        {"one line taller than the page: stays, clipped",
         [](Report &report) {
             Band &band = report.addBand(BandKind::Detail, 150, "huge");
             band.add<Label>("label", QRectF(0, 0, 200, 150), "X").font = Font{"Arial", 150};
         },
         2, {true, false}},
        {"headers fill the page: placed below them",
         [](Report &report) {
             addBand(report, BandKind::PageHeader, 120, "hdr");
             addBand(report, BandKind::Detail, 10, "det");
         },
         1, {true}},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 100);
        row.build(report);
        const auto prepared = prepareFixed(report);
        ASSERT_EQ(prepared.pages.size(), row.pages) << row.name << "\n" << dump(prepared);
        for (std::size_t i = 0; i < row.pages; ++i)
            EXPECT_EQ(prepared.pages[i].overflow, row.overflow[i]) << row.name << ", page " << i + 1;
    }

    // The oversize band moved off the page that had content and was cut at line ends.
    Report report;
    pageSetup(report, 200, 100);
    rows[0].build(report);
    const auto prepared = prepareFixed(report);
    EXPECT_EQ(textsStarting(prepared.pages.at(1), "L"), linesFromTo(1, 10));
    EXPECT_EQ(textsStarting(prepared.pages.at(3), "L"), linesFromTo(21, 25));
}

// ---- Numbering, roll paper, chains -----------------------------------------------------------

TEST(Paginator, PageNumbersAndCountsFillTheMasks)
{
    Report report;
    pageSetup(report, 200, 100);
    report.addBand(BandKind::PageHeader, 10, "hdr")
        .add<SystemField>("folha", QRectF(0, 0, 100, 10), SystemInfo::PageNumber, "fl. #");
    report.addBand(BandKind::PageFooter, 10, "foot")
        .add<SystemField>("paginas", QRectF(0, 0, 100, 10), SystemInfo::PageOfPages, "0#/0#");
    addItems(report, 4, 30); // 80 px of room: two records a page

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 2u) << dump(prepared);
    EXPECT_EQ(pagesWith(prepared, "fl. 1"), Pages{1});
    EXPECT_EQ(pagesWith(prepared, "fl. 2"), Pages{2});
    EXPECT_EQ(pagesWith(prepared, "01/02"), Pages{1});
    EXPECT_EQ(pagesWith(prepared, "02/02"), Pages{2});
    const auto &run = *findText(prepared.pages[1], "02/02");
    EXPECT_EQ(run.width, 25) << "measured once the text is known";
    EXPECT_EQ(prepared.pages[1].number, 2);
    EXPECT_EQ(prepared.pages[1].count, 2);
}

TEST(Paginator, DateAndTimeFieldsShowTheClock)
{
    const rtl::ScopedClock clock(rtl::EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
    const rtl::ScopedFormatSettings settings(rtl::TFormatSettings::Brazil());
    Report report;
    pageSetup(report, 300, 100);
    Band &band = report.addBand(BandKind::PageHeader, 30, "hdr");
    band.add<SystemField>("date", QRectF(0, 0, 100, 10), SystemInfo::Date);
    band.add<SystemField>("time", QRectF(0, 10, 100, 10), SystemInfo::Time);
    auto &stamp = band.add<SystemField>("stamp", QRectF(0, 20, 300, 10), SystemInfo::DateTime,
                                        "Impresso em #");
    stamp.format = "dd/mm/yyyy hh:nn";
    rtl::TDateTime seen = 0;
    band.beforePrint = [&seen](Band &, PrintContext &context) {
        seen = context.now();
        return true;
    };

    const auto prepared = prepareFixed(report);
    EXPECT_EQ(texts(prepared.pages.at(0)),
              (std::vector<std::string>{"05/03/2024", "14:07:09", "Impresso em 05/03/2024 14:07"}));
    EXPECT_EQ(seen, rtl::EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
}

TEST(Paginator, RollPaperIsOnePageAsTallAsItsContent)
{
    Report report;
    report.paper = Paper::roll(80);
    report.margins = Margins{2, 2, 2, 2};
    report.font = Font{"Arial", 10};
    addBand(report, BandKind::PageHeader, 30, "hdr");
    addItems(report, 5, 20);
    Band &totals = report.addBand(BandKind::Summary, 10, "totals");
    totals.autoSize = true;
    totals.add<Memo>("memo", QRectF(0, 0, 100, 10), "TOTAL\nDINHEIRO\nTROCO").autoHeight = true;
    addBand(report, BandKind::PageFooter, 10, "foot");

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 1u) << dump(prepared);
    const auto &page = prepared.pages[0];
    const double margin = mmToPx(2);
    EXPECT_NEAR(page.size.width(), mmToPx(80), 1e-9);
    EXPECT_NEAR(page.size.height(), margin + 30 + 100 + 30 + 10 + margin, 1e-9);
    EXPECT_NEAR(placements(page, "foot").at(0).top, margin + 160, 1e-9);
    EXPECT_FALSE(page.overflow);
}

TEST(Paginator, ChainedReportsRestartPageNumbersAndCounts)
{
    struct Built {
        Report report;
        std::vector<int> pagesSeen;
    };
    const auto build = [](Built &built, int records, const char *title) {
        Report &report = built.report;
        pageSetup(report, 200, 100);
        report.title = title;
        report.caption = std::string("caption ") + title;
        Band &header = addBand(report, BandKind::PageHeader, 10, "hdr");
        header.beforePrint = [&built](Band &, PrintContext &context) {
            built.pagesSeen.push_back(context.page());
            return true;
        };
        report.addBand(BandKind::PageFooter, 10, "foot")
            .add<SystemField>("pages", QRectF(0, 0, 100, 10), SystemInfo::PageOfPages, "0#/0#");
        addItems(report, records, 30); // two records a page
    };
    Built first, second;
    build(first, 4, "NF 1");
    build(second, 5, "NF 2");
    ReportChain chain;
    chain.add(first.report);
    chain.add(second.report);

    const FixedTextMeasurer measurer;
    const auto prepared = chain.prepare(measurer);
    ASSERT_EQ(prepared.pages.size(), 5u) << dump(prepared);
    std::vector<std::string> numbers;
    std::vector<int> reports;
    for (const auto &page : prepared.pages) {
        numbers.push_back(bySource(page, "pages").empty()
                              ? "?"
                              : std::get<TextRun>(*bySource(page, "pages")[0]).text);
        reports.push_back(page.reportIndex);
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"01/02", "02/02", "01/03", "02/03", "03/03"}));
    EXPECT_EQ(reports, (std::vector<int>{0, 0, 1, 1, 1}));
    EXPECT_EQ(first.pagesSeen, (std::vector<int>{1, 2}));
    EXPECT_EQ(second.pagesSeen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(prepared.title, "NF 1");
    EXPECT_EQ(prepared.caption, "caption NF 1");
    EXPECT_TRUE(ReportChain().prepare(measurer).pages.empty());
}

// ---- Limits and faults ---------------------------------------------------------------------

TEST(Paginator, RunawayAndMisbuiltReportsStopWithAClearError)
{
    struct Row {
        const char *name;
        std::function<void(Report &)> build;
        const char *message;
    } rows[] = {
        {"records never end", [](Report &report) { addItems(report, INT_MAX, 30); },
         "Relatório excedeu o limite de 20 páginas"},
        {"pages never stop",
         [](Report &report) { report.morePages = [](PrintContext &) { return true; }; },
         "Relatório excedeu o limite de 20 páginas"},
        {"records never end and take no room",
         [](Report &report) {
             addItems(report, INT_MAX, 30).findBand("det")->visible = false;
         },
         "Sub-relatório \"items\" excedeu o limite de 1000000 registros"},
        {"last page only on a header",
         [](Report &report) {
             addBand(report, BandKind::PageHeader, 10, "hdr").pageRule = PageRule::LastOnly;
         },
         "A banda \"hdr\" não é um rodapé e não pode ser impressa só na última página"},
        {"a title in a sub-report",
         [](Report &report) { addBand(report.addSubReport("sub"), BandKind::Title, 10, "t"); },
         "A banda \"t\" do sub-relatório \"sub\" deve ser de cabeçalho, detalhe ou sumário"},
    };
    for (const auto &row : rows) {
        Report report;
        pageSetup(report, 200, 100);
        report.pageLimit = 20;
        row.build(report);
        try {
            prepareFixed(report);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const EReportError &e) {
            EXPECT_EQ(e.Message(), row.message) << row.name;
        }
    }
}

TEST(Paginator, AThousandRecordsEachPrintedOnceInOrder)
{
    Report report;
    pageSetup(report, 200, 400);
    addItems(report, 1000, 10);

    const auto prepared = prepareFixed(report);
    ASSERT_EQ(prepared.pages.size(), 25u);
    std::vector<std::string> all, expected;
    for (const auto &page : prepared.pages) {
        EXPECT_EQ(page.count, 25);
        for (auto &text : textsStarting(page, "det "))
            all.push_back(text);
    }
    for (int i = 1; i <= 1000; ++i)
        expected.push_back("det " + std::to_string(i));
    EXPECT_EQ(all, expected);
}

// ---- Real fonts ------------------------------------------------------------------------------

TEST(Paginator, MemoIsDrawnWithTheLinesItWasMeasuredWith)
{
    const std::string text =
        "Documento emitido por ME ou EPP optante pelo Simples Nacional. Não gera direito a "
        "crédito fiscal de IPI. Valor aproximado dos tributos: R$ 1.234,56 (12,34%). "
        "Chave 35240612345678000190550010000012341000012345";
    Report report;
    report.font = Font{"Arial", 11};
    Band &band = report.addBand(BandKind::Detail, 10, "obs");
    band.autoSize = true;
    band.add<Memo>("memo", QRectF(0, 0, 200, 10), text).autoHeight = true;
    addBand(report, BandKind::Detail, 10, "next");

    const QtTextMeasurer measurer;
    const auto prepared = prepare(report, measurer);
    const auto &page = prepared.pages.at(0);
    const auto lines = measurer.wrap(text, report.font, 200);
    ASSERT_GT(lines.size(), 3u);
    const auto runs = bySource(page, "memo");
    ASSERT_EQ(runs.size(), lines.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto &run = std::get<TextRun>(*runs[i]);
        EXPECT_EQ(run.text, lines[i].text);
        // What a painter with the run's font draws fits the run's box.
        const QFontMetricsF painter(toQFont(run.font));
        EXPECT_LE(painter.horizontalAdvance(QString::fromStdString(run.text)), run.box.width()) << run.text;
    }
    EXPECT_EQ(placements(page, "obs").at(0).height, 13.0 * lines.size());
}

} // namespace
