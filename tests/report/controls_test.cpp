#include "report/controls.h"

#include <gtest/gtest.h>

namespace {

using namespace report;

// Renders one control at the origin of a 100-px band, 10-px font (5 px per character).
struct Rendered {
    FixedTextMeasurer measurer;
    Font font{"Arial", 10};
    std::vector<Primitive> items;

    void render(const Control &control, double bandHeight = 100, QPointF origin = {})
    {
        RenderContext context{measurer, font, origin, bandHeight, 0, "band", items};
        control.render(context);
    }
    const TextRun &run(std::size_t i = 0) const { return std::get<TextRun>(items.at(i)); }
};

TEST(Label, AlignmentAndAutoWidthPlaceTheLine)
{
    struct Row {
        const char *name;
        HAlign align;
        VAlign verticalAlign;
        bool autoWidth;
        QRectF box;
    } rows[] = {
        {"left, top", HAlign::Left, VAlign::Top, false, {10, 20, 100, 10}},
        {"bottom: the text sits on the control's bottom", HAlign::Left, VAlign::Bottom, false,
         {10, 40, 100, 10}},
        {"centred vertically", HAlign::Right, VAlign::Center, false, {10, 30, 100, 10}},
        {"auto width keeps the left edge", HAlign::Left, VAlign::Top, true, {10, 20, 20, 10}},
        {"auto width keeps the right edge", HAlign::Right, VAlign::Top, true, {90, 20, 20, 10}},
        {"auto width keeps the centre", HAlign::Center, VAlign::Top, true, {50, 20, 20, 10}},
    };
    for (const auto &row : rows) {
        Label label("lbl", QRectF(10, 20, 100, 30), "abcd");
        label.align = row.align;
        label.verticalAlign = row.verticalAlign;
        label.autoWidth = row.autoWidth;
        Rendered r;
        r.render(label);
        ASSERT_EQ(r.items.size(), 1u) << row.name;
        EXPECT_EQ(r.run().box, row.box) << row.name;
        EXPECT_EQ(r.run().align, row.align) << row.name;
        EXPECT_EQ(r.run().width, 20) << row.name;
        EXPECT_EQ(r.run().source, "lbl") << row.name;
        EXPECT_EQ(r.run().band, "band") << row.name;
    }
}

TEST(Label, BackgroundIsDrawnUnderTheTextAndOwnFontWins)
{
    Label label("lbl", QRectF(0, 0, 50, 12), "R$ 1,00");
    label.background = QColor(0xE5, 0xE5, 0xE5);
    label.font = Font{"Courier New", 8, true};
    Rendered r;
    r.render(label, 100, QPointF(30, 5));
    ASSERT_EQ(r.items.size(), 2u);
    const auto &fill = std::get<RectItem>(r.items[0]);
    EXPECT_EQ(fill.rect, QRectF(30, 5, 50, 12));
    EXPECT_EQ(fill.fill, QColor(0xE5, 0xE5, 0xE5));
    EXPECT_EQ(fill.penWidth, 0);
    EXPECT_EQ(r.run(1).font, (Font{"Courier New", 8, true}));
    EXPECT_EQ(r.run(1).box.height(), 8);
}

TEST(Memo, FixedHeightShowsWholeLinesAndAutoHeightShowsAll)
{
    struct Row {
        const char *name;
        double height;
        bool autoHeight;
        std::vector<std::string> shown;
        double needed;
    } rows[] = {
        {"two whole lines fit in 25 px", 25, false, {"um", "dois"}, 25},
        {"exactly three lines", 30, false, {"um", "dois", "tres"}, 30},
        {"less than a line shows nothing", 9, false, {}, 9},
        {"auto height grows to every line", 10, true, {"um", "dois", "tres", "quatro"}, 40},
    };
    for (const auto &row : rows) {
        Memo memo("memo", QRectF(0, 0, 100, row.height), "um\r\ndois\r\ntres\r\nquatro");
        memo.autoHeight = row.autoHeight;
        Rendered r;
        r.render(memo);
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < r.items.size(); ++i) {
            shown.push_back(r.run(i).text);
            EXPECT_EQ(r.run(i).box, QRectF(0, 10.0 * i, 100, 10)) << row.name;
        }
        EXPECT_EQ(shown, row.shown) << row.name;
        EXPECT_EQ(memo.neededHeight(r.measurer, r.font), row.needed) << row.name;
    }
}

TEST(SystemField, MasksTakeTheValuesInTurn)
{
    struct Row {
        const char *name;
        SystemInfo info;
        const char *mask;
        int page, count;
        const char *text;
    } rows[] = {
        {"zero-padded page of pages", SystemInfo::PageOfPages, "0#/0#", 1, 2, "01/02"},
        {"the padding is literal from page 10", SystemInfo::PageOfPages, "0#/0#", 10, 12, "010/012"},
        {"page number in a text", SystemInfo::PageNumber, "fl. #", 3, 9, "fl. 3"},
        {"page count alone", SystemInfo::PageCount, "", 3, 9, "9"},
        {"no '#': a prefix to the values", SystemInfo::PageOfPages, "Página ", 1, 2, "Página 1/2"},
        {"a '#' past the values shows nothing", SystemInfo::PageNumber, "# de #", 4, 5, "4 de "},
        {"page count with '#' in a text", SystemInfo::PageCount, "/#", 1, 7, "/7"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(pageFieldText(row.info, row.mask, row.page, row.count), row.text) << row.name;
}

TEST(Graphics, LinesBoxesAndStretching)
{
    Rendered r;
    Line horizontal("h", QRectF(10, 20, 100, 2));
    horizontal.dotted = true;
    r.render(horizontal);
    Line vertical("v", QRectF(40, 5, 2, 10));
    vertical.orientation = Line::Vertical;
    vertical.stretch = true;
    r.render(vertical, 64);
    Box box("box", QRectF(0, 0, 30, 10));
    box.fill = Qt::black;
    box.stretch = true;
    r.render(box, 64);

    const auto &h = std::get<LineItem>(r.items[0]);
    EXPECT_EQ(h.from, QPointF(10, 21));
    EXPECT_EQ(h.to, QPointF(110, 21));
    EXPECT_TRUE(h.dotted);
    const auto &v = std::get<LineItem>(r.items[1]);
    EXPECT_EQ(v.from, QPointF(41, 5));
    EXPECT_EQ(v.to, QPointF(41, 64)) << "a stretched line runs to the band's bottom";
    EXPECT_EQ(std::get<RectItem>(r.items[2]).rect, QRectF(0, 0, 30, 64));
}

TEST(Graphics, ImagesFitTheirBounds)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    struct Row {
        const char *name;
        Image::Fit fit;
        bool center;
        QRectF target;
    } rows[] = {
        {"stretched", Image::Stretch, false, {0, 0, 100, 100}},
        {"proportional at the corner", Image::Proportional, false, {0, 0, 100, 50}},
        {"proportional, centred", Image::Proportional, true, {0, 25, 100, 50}},
        {"natural size, centred", Image::NaturalSize, true, {30, 40, 40, 20}},
    };
    for (const auto &row : rows) {
        Image control("img", QRectF(0, 0, 100, 100));
        control.image = image;
        control.fit = row.fit;
        control.center = row.center;
        Rendered r;
        r.render(control);
        ASSERT_EQ(r.items.size(), 1u) << row.name;
        const auto &item = std::get<ImageItem>(r.items[0]);
        EXPECT_EQ(item.target, row.target) << row.name;
        EXPECT_EQ(item.image.size(), QSize(40, 20)) << row.name;
    }

    Image clipped("img", QRectF(0, 0, 30, 10));
    clipped.image = image;
    clipped.fit = Image::NaturalSize;
    Rendered r;
    r.render(clipped);
    const auto &item = std::get<ImageItem>(r.items.at(0));
    EXPECT_EQ(item.target, QRectF(0, 0, 30, 10)) << "only the part inside the bounds";
    EXPECT_EQ(item.sourceRect, QRectF(0, 0, 30, 10));

    Image empty("none", QRectF(0, 0, 30, 10));
    r.items.clear();
    r.render(empty);
    EXPECT_TRUE(r.items.empty()) << "no image, nothing drawn";
}

TEST(Graphics, CodesKeepTheirDataForTheEncoder)
{
    Rendered r;
    Barcode barcode("bar", QRectF(0, 0, 132, 40));
    barcode.data = "35240612345678000190550010000012341000012345";
    r.render(barcode, 100, QPointF(10, 0));
    QRCode qr("qr", QRectF(0, 50, 40, 40));
    qr.data = "https://example.invalid/?p=1";
    r.render(qr);
    const auto &bars = std::get<BarsItem>(r.items.at(0));
    EXPECT_EQ(bars.symbology, Symbology::Code128);
    EXPECT_EQ(bars.box, QRectF(10, 0, 132, 40));
    EXPECT_EQ(bars.data, barcode.data);
    const auto &code = std::get<BarsItem>(r.items.at(1));
    EXPECT_EQ(code.symbology, Symbology::QRCode);
    EXPECT_EQ(code.data, qr.data);
}

} // namespace
