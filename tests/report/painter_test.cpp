#include "report/measurer.h"
#include "report/painter.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace report;

constexpr QRgb kWhite = 0xFFFFFFFF;

PreparedPage blankPage()
{
    PreparedPage page;
    page.size = QSizeF(200, 120);
    return page;
}

// The columns holding non-white pixels between rows top and bottom: {first, last}.
std::pair<int, int> inkColumns(const QImage &image, int top, int bottom)
{
    int first = image.width(), last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(PagePainter, ShapesKeepTheirGeometry)
{
    PreparedPage page = blankPage();
    RectItem behind;
    behind.rect = QRectF(0, 0, 200, 120);
    behind.fill = QColor(0, 0, 255);
    page.background.push_back(behind);
    RectItem white;
    white.rect = QRectF(0, 0, 200, 120);
    white.fill = Qt::white;
    page.items.push_back(white); // items come above the background
    RectItem framed;
    framed.rect = QRectF(10, 10, 40, 20);
    framed.fill = QColor(0, 255, 0);
    framed.penWidth = 2;
    framed.penColor = QColor(255, 0, 0);
    page.items.push_back(framed);
    LineItem line;
    line.from = QPointF(10, 60);
    line.to = QPointF(60, 60);
    line.penWidth = 2;
    line.color = QColor(0, 0, 255);
    page.items.push_back(line);
    LineItem none;
    none.from = QPointF(10, 80);
    none.to = QPointF(60, 80);
    none.penWidth = 0;
    page.items.push_back(none);

    const QImage image = renderPage(page, 1);
    ASSERT_EQ(image.size(), QSize(200, 120));
    struct Row {
        const char *name;
        QPoint at;
        QRgb colour;
    } rows[] = {
        {"items cover the background", {150, 100}, kWhite},
        {"the fill", {30, 20}, qRgb(0, 255, 0)},
        {"the border lies inside the rectangle, left", {10, 20}, qRgb(255, 0, 0)},
        {"the border lies inside the rectangle, right", {49, 20}, qRgb(255, 0, 0)},
        {"nothing outside the rectangle", {9, 20}, kWhite},
        {"nothing below the rectangle", {30, 30}, kWhite},
        {"a 2-px line on its centre", {35, 59}, qRgb(0, 0, 255)},
        {"a 2-px line, second row", {35, 60}, qRgb(0, 0, 255)},
        {"flat ends: the line stops at its end", {61, 60}, kWhite},
        {"flat ends: and starts at its start", {8, 60}, kWhite},
        {"a line without width is not drawn", {35, 80}, kWhite},
    };
    for (const auto &row : rows)
        EXPECT_EQ(image.pixel(row.at), row.colour) << row.name;
}

TEST(PagePainter, ImagesAreSmoothedOnlyWhenAsked)
{
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, qRgb(255, 0, 0));
    two.setPixel(1, 0, qRgb(0, 0, 255));
    for (bool smooth : {false, true}) {
        PreparedPage page = blankPage();
        ImageItem item;
        item.target = QRectF(0, 0, 80, 40);
        item.image = two;
        item.smooth = smooth;
        page.items.push_back(item);
        const QImage image = renderPage(page, 1);
        bool onlyTheTwoColours = true;
        for (int x = 0; x < 80; ++x) {
            const QRgb pixel = image.pixel(x, 20);
            onlyTheTwoColours &= pixel == qRgb(255, 0, 0) || pixel == qRgb(0, 0, 255);
        }
        EXPECT_EQ(onlyTheTwoColours, !smooth) << (smooth ? "smoothed" : "hard edges");
        EXPECT_EQ(image.pixel(5, 20), qRgb(255, 0, 0)) << "left: the first pixel";
    }

    // Only the source part is drawn.
    PreparedPage page = blankPage();
    ImageItem part;
    part.target = QRectF(0, 0, 20, 20);
    part.image = two;
    part.sourceRect = QRectF(1, 0, 1, 1);
    part.smooth = false;
    page.items.push_back(part);
    EXPECT_EQ(renderPage(page, 1).pixel(5, 5), qRgb(0, 0, 255));
}

TEST(PagePainter, TextSitsInItsBoxByItsMeasuredWidth)
{
    const QtTextMeasurer measurer;
    const Font font{"Arial", 20, true};
    const std::string text = "Ação ÇÃÕ";
    struct Row {
        const char *name;
        HAlign align;
        double left; // where the text starts
    } rows[] = {
        {"left", HAlign::Left, 20},
        {"centred", HAlign::Center, 20 + (160 - measurer.width(text, font)) / 2},
        {"right", HAlign::Right, 180 - measurer.width(text, font)},
    };
    for (const auto &row : rows) {
        PreparedPage page = blankPage();
        TextRun run;
        run.box = QRectF(20, 30, 160, measurer.lineHeight(font));
        run.text = text;
        run.font = font;
        run.align = row.align;
        run.width = measurer.width(text, font);
        page.items.push_back(run);
        const QImage image = renderPage(page, 1);
        const auto [first, last] = inkColumns(image, 0, image.height());
        // Glyphs may start a pixel or two inside their advance.
        EXPECT_GE(first, std::floor(row.left) - 1) << row.name;
        EXPECT_LE(first, row.left + 3) << row.name;
        EXPECT_LE(last, std::ceil(row.left + run.width) + 1) << row.name;
        EXPECT_GE(last, row.left + run.width - 4) << row.name;
        // All ink inside the line's box (the accents included).
        EXPECT_EQ(inkColumns(image, 0, 30).second, -1) << row.name << ": nothing above the box";
        EXPECT_EQ(inkColumns(image, 30 + static_cast<int>(run.box.height()), 120).second, -1)
            << row.name << ": nothing below the box";
    }
}

TEST(PagePainter, BarsMeetWithoutSeams)
{
    // Two rows of modules meeting halfway through a pixel row, as QR modules at a
    // fractional size do: the shared pixel row is as dark as the rest.
    PreparedPage page = blankPage();
    BarsItem bars;
    bars.box = QRectF(10, 10.5, 20, 20);
    bars.bars = {QRectF(10, 10.5, 20, 10), QRectF(10, 20.5, 20, 10)};
    page.items.push_back(bars);
    const QImage image = renderPage(page, 1);
    for (int y = 11; y <= 29; ++y)
        EXPECT_EQ(image.pixel(20, y), qRgb(0, 0, 0)) << "row " << y;
    EXPECT_EQ(image.pixel(20, 31), kWhite);
}

TEST(PagePainter, PagesScaleToTheDevice)
{
    PreparedPage page = blankPage();
    RectItem rect;
    rect.rect = QRectF(10, 10, 20, 20);
    rect.fill = Qt::black;
    page.items.push_back(rect);
    const QImage image = renderPage(page, 2.5);
    EXPECT_EQ(image.size(), QSize(500, 300));
    EXPECT_EQ(image.pixel(26, 26), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(74, 74), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(76, 76), kWhite);
    const QSizeF paper = paperSize(page).size(QPageSize::Millimeter);
    EXPECT_NEAR(paper.width(), pxToMm(200), 1e-3);
    EXPECT_NEAR(paper.height(), pxToMm(120), 1e-3);
}

TEST(PagePainter, APagePaintedInPiecesIsThePagePaintedWhole)
{
    // A screen repaints the strips it uncovers, each drawing only what reaches into it: the
    // pieces together must be the whole page, whatever straddles their edges.
    const QtTextMeasurer measurer;
    const Font font{"Arial", 14, false};
    PreparedPage page = blankPage();
    RectItem shaded;
    shaded.rect = QRectF(5, 25.5, 190, 30);
    shaded.fill = QColor(200, 200, 200);
    shaded.penWidth = 1.5;
    page.background.push_back(shaded);
    LineItem thick;
    thick.from = QPointF(0, 40);
    thick.to = QPointF(200, 41);
    thick.penWidth = 6; // its ink reaches past the line's own rectangle
    page.items.push_back(thick);
    LineItem dotted;
    dotted.from = QPointF(100, 0);
    dotted.to = QPointF(100, 120);
    dotted.dotted = true;
    page.items.push_back(dotted);
    TextRun run;
    run.box = QRectF(10, 34, 180, measurer.lineHeight(font));
    run.text = "Página 1 de 2 — ÁÉÍ gjpq";
    run.font = font;
    run.width = measurer.width(run.text, font);
    page.items.push_back(run);
    BarsItem bars;
    bars.box = QRectF(20, 70, 60, 40);
    for (int i = 0; i < 10; ++i)
        bars.bars.push_back(QRectF(20 + 6 * i, 70, 3, 40));
    page.items.push_back(bars);

    for (const double scale : {1.0, 1.75}) {
        const QImage whole = renderPage(page, scale);
        QImage pieces(whole.size(), whole.format());
        pieces.fill(Qt::white);
        QPainter painter(&pieces);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PagePainter pagePainter;
        // Strips of 7 device pixels, cutting through the text, the lines and the bars.
        for (int top = 0; top < pieces.height(); top += 7) {
            const QRect strip(0, top, pieces.width(), 7);
            painter.resetTransform();
            painter.setClipRect(strip);
            painter.scale(scale, scale);
            pagePainter.paint(painter, page,
                              QRectF(QPointF(strip.topLeft()) / scale, QSizeF(strip.size()) / scale));
        }
        painter.end();
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                differing += whole.pixel(x, y) != pieces.pixel(x, y);
        EXPECT_EQ(differing, 0) << "scale " << scale;
    }
}

} // namespace
