#include "report/barcode.h"
#include "report/controls.h"
#include "report/painter.h"

#include "outputs.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace report;
using namespace report::test;

// A Code 128 pattern as a picture a reader can take: 2 px per module, 10 modules of
// quiet zone, 30 px tall.
QImage barcodeImage(const std::vector<bool> &modules)
{
    QImage image(static_cast<int>(modules.size() + 20) * 2, 30, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const QRectF &bar : moduleBars(modules, QRectF(20, 0, modules.size() * 2.0, 30)))
        painter.fillRect(bar, Qt::black);
    return image;
}

std::string pattern(const std::vector<bool> &modules, std::size_t from, std::size_t count)
{
    std::string out;
    for (std::size_t i = from; i < from + count && i < modules.size(); ++i)
        out += modules[i] ? '1' : '0';
    return out;
}

// ---- QR -------------------------------------------------------------------------------

TEST(QrBitmap, ReadsBackAsTheExactBytesAtLevelLWithoutEci)
{
    const std::string bom = "\xEF\xBB\xBF";
    struct Row {
        const char *name;
        std::string bytes;
        int mode; // first mode indicator
        int size; // bitmap side, quiet zone included
    } rows[] = {
        {"a URL with lowercase letters: byte mode", kQrPayload, 4, 35},
        {"UTF-8 text stays UTF-8 (not Latin-1)", "Ação São João ÇÃÕ ºª", 4, 27},
        {"a byte-order mark stays in front", bom + "https://example.invalid/?p=1", 4, 27},
        {"bytes that are not text, NUL and FF included", std::string("\x00\x01\xFF\xFE\x80 z", 7), 4, 23},
        {"17 bytes fill version 1", "abcdefghijklmnopq", 4, 23},
        {"18 bytes need version 2", "abcdefghijklmnopqr", 4, 27},
        {"44 digits are 44 bytes too, not a number (version 3)", kBarcodeText, 4, 31},
        {"a BOM before the digits", bom + kBarcodeText, 4, 31},
        {"uppercase alphanumerics are bytes too", "HTTP://A.B/CD 12", 4, 23},
        {"a blank alone", " ", 4, 23},
    };
    for (const auto &row : rows) {
        const QImage bitmap = qrBitmap(row.bytes);
        ASSERT_FALSE(bitmap.isNull()) << row.name;
        EXPECT_EQ(bitmap.width(), row.size) << row.name;
        EXPECT_EQ(bitmap.height(), row.size) << row.name;

        // Black on white only, and a white one-module border all round.
        bool twoColours = true, whiteBorder = true;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb pixel = bitmap.pixel(x, y) & 0xFFFFFF;
                twoColours &= pixel == 0 || pixel == 0xFFFFFF;
                if (x == 0 || y == 0 || x == bitmap.width() - 1 || y == bitmap.height() - 1)
                    whiteBorder &= pixel == 0xFFFFFF;
            }
        EXPECT_TRUE(twoColours) << row.name;
        EXPECT_TRUE(whiteBorder) << row.name;
        EXPECT_EQ(bitmap.pixel(1, 1) & 0xFFFFFF, 0u) << row.name << ": finder pattern at the corner";

        const ZXing::Result result = readSymbol(bitmap, ZXing::BarcodeFormat::QRCode, true);
        ASSERT_TRUE(result.isValid()) << row.name;
        EXPECT_EQ(bytesOf(result), row.bytes) << row.name;
        EXPECT_FALSE(result.hasECI()) << row.name;
        EXPECT_EQ(result.ecLevel(), "L") << row.name;
        EXPECT_EQ(firstModeIndicator(result), row.mode) << row.name;
    }
}

TEST(QrBitmap, EveryVersionHoldsItsByteCapacityOfDigitsAndOneMoreNeedsTheNext)
{
    // Bytes a level-L symbol of each version holds in one byte segment, versions 1 to 40.
    constexpr int capacity[] = {17,   32,   53,   78,   106,  134,  154,  192,  230,  271,
                                321,  367,  425,  458,  520,  586,  644,  718,  792,  858,
                                929,  1003, 1091, 1171, 1273, 1367, 1465, 1528, 1628, 1732,
                                1840, 1952, 2068, 2188, 2303, 2431, 2563, 2699, 2809, 2953};
    const auto digits = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + (i * 7 + i / 10) % 10);
        return text;
    };
    for (int version = 1; version <= 40; ++version) {
        const int bytes = capacity[version - 1];
        const std::string full = digits(bytes);
        const QImage bitmap = qrBitmap(full);
        ASSERT_EQ(bitmap.width(), 4 * version + 19) << "version " << version << ", " << bytes << " digits";
        const ZXing::Result result = readSymbol(bitmap, ZXing::BarcodeFormat::QRCode, true);
        ASSERT_TRUE(result.isValid()) << "version " << version;
        EXPECT_EQ(bytesOf(result), full) << "version " << version;
        EXPECT_EQ(firstModeIndicator(result), 4) << "version " << version;
        EXPECT_EQ(result.ecLevel(), "L") << "version " << version;
        EXPECT_FALSE(result.hasECI()) << "version " << version;

        const QImage larger = qrBitmap(digits(bytes + 1));
        if (version < 40)
            EXPECT_EQ(larger.width(), 4 * version + 23) << "version " << version << " and one more digit";
        else
            EXPECT_TRUE(larger.isNull()) << "no version holds " << bytes + 1 << " bytes";
    }
}

TEST(QrBitmap, NothingToEncodeOrTooMuchGivesANullImage)
{
    EXPECT_TRUE(qrBitmap("").isNull());
    EXPECT_TRUE(qrBitmap(std::string(2954, 'a')).isNull()) << "one byte past version 40 at level L";
    const QImage largest = qrBitmap(std::string(2953, 'a'));
    EXPECT_EQ(largest.size(), QSize(179, 179)) << "version 40 holds 2953 bytes";
}

// ---- Code 128 -------------------------------------------------------------------------

TEST(Code128, ReadsBackAsTheTextWithTheEncodersCodeSets)
{
    const std::string startB = "11010010000", startC = "11010011100";
    const std::string stop = "1100011101011";
    struct Row {
        const char *name;
        std::string text;
        std::string start;
        std::size_t modules; // 0: not checked
    } rows[] = {
        {"44 digits: all in subset C", kBarcodeText, startC, 11 + 22 * 11 + 11 + 13},
        {"43 digits: subset C, the last digit in another set", kBarcodeText.substr(1), startC, 288},
        {"one digit", "7", startB, 0},
        {"letters and digits", "NF-e 12 abc", startB, 0},
        {"digits between letters", "AB123456CD", startB, 0},
        {"a control character", std::string("A\tB"), "", 0},
        {"the longest text the writer takes", std::string(80, 'x'), startB, 0},
    };
    for (const auto &row : rows) {
        const std::vector<bool> modules = code128Modules(row.text);
        ASSERT_FALSE(modules.empty()) << row.name;
        if (!row.start.empty()) {
            EXPECT_EQ(pattern(modules, 0, 11), row.start) << row.name;
        }
        EXPECT_EQ(pattern(modules, modules.size() - 13, 13), stop) << row.name;
        if (row.modules) {
            EXPECT_EQ(modules.size(), row.modules) << row.name;
        }
        const ZXing::Result result = readSymbol(barcodeImage(modules), ZXing::BarcodeFormat::Code128);
        ASSERT_TRUE(result.isValid()) << row.name;
        EXPECT_EQ(bytesOf(result), row.text) << row.name;
    }
}

TEST(Code128, TextItCannotCarryGivesNoBars)
{
    struct Row {
        const char *name;
        std::string text;
    } rows[] = {
        {"empty", ""},
        {"an accented letter", "Ação"},
        {"ñ, which the writer would take for a function code", "\xC3\xB1" "12"},
        {"longer than the writer takes", std::string(81, '1')},
    };
    for (const auto &row : rows)
        EXPECT_TRUE(code128Modules(row.text).empty()) << row.name;
}

TEST(ModuleGeometry, RunsOfDarkModulesBecomeOneRectangle)
{
    EXPECT_EQ(moduleBars({true, true, false, true, false}, QRectF(10, 5, 50, 20)),
              (std::vector<QRectF>{{10, 5, 20, 20}, {40, 5, 10, 20}}));
    EXPECT_TRUE(moduleBars({}, QRectF(0, 0, 10, 10)).empty());

    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    bitmap.setPixel(0, 0, qRgb(0, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 0, 0));
    bitmap.setPixel(2, 1, qRgb(0, 0, 0));
    EXPECT_EQ(moduleRects(bitmap, QRectF(100, 100, 30, 20)),
              (std::vector<QRectF>{{100, 100, 20, 10}, {120, 110, 10, 10}}));
}

// ---- The controls ---------------------------------------------------------------------

PreparedPage pageWith(const Control &control, QSizeF size)
{
    FixedTextMeasurer measurer;
    Font font;
    PreparedPage page;
    page.size = size;
    RenderContext context{measurer, font, QPointF(10, 10), size.height(), 0, "band", page.items};
    control.render(context);
    return page;
}

TEST(CodeControls, PagesCarryBarsThatReadBack)
{
    Barcode barcode("chave", QRectF(0, 0, 600, 60));
    barcode.data = kBarcodeText;
    const PreparedPage withBars = pageWith(barcode, QSizeF(640, 100));
    const auto &bars = std::get<BarsItem>(withBars.items.at(0));
    ASSERT_FALSE(bars.bars.empty());
    const double margin = mmToPx(1);
    EXPECT_DOUBLE_EQ(bars.bars.front().left(), 10 + margin) << "the start bar after the side margin";
    EXPECT_NEAR(bars.bars.back().right(), 610 - margin, 1e-9) << "the stop bar before the side margin";
    EXPECT_EQ(bars.bars.front().top(), 10);
    EXPECT_EQ(bars.bars.front().height(), 60);
    const ZXing::Result code = readSymbol(renderPage(withBars, 2), ZXing::BarcodeFormat::Code128);
    ASSERT_TRUE(code.isValid());
    EXPECT_EQ(bytesOf(code), kBarcodeText);

    QRCode qr("qr", QRectF(0, 0, 200, 100));
    qr.data = kQrPayload;
    const PreparedPage withModules = pageWith(qr, QSizeF(240, 140));
    const auto &modules = std::get<BarsItem>(withModules.items.at(0));
    QRectF covered;
    for (const QRectF &rect : modules.bars)
        covered |= rect;
    // 35 modules with the quiet zone in a 100-px square centred in the 200-px box: the
    // dark ones start one module in.
    const double module = 100.0 / 35;
    EXPECT_NEAR(covered.left(), 60 + module, 1e-9);
    EXPECT_NEAR(covered.top(), 10 + module, 1e-9);
    EXPECT_NEAR(covered.width(), 33 * module, 1e-9);
    const ZXing::Result read = readSymbol(renderPage(withModules, 3), ZXing::BarcodeFormat::QRCode);
    ASSERT_TRUE(read.isValid());
    EXPECT_EQ(bytesOf(read), kQrPayload);
}

TEST(CodeControls, AModuleWidthCentresTheSymbolUnlessTheRoomIsShort)
{
    const double margin = mmToPx(1);
    const double symbol = 277 * 1.5; // the 44 digits' modules
    struct Row {
        const char *name;
        double width, moduleWidth;
        double left, right; // of the bars, the control at x = 10
    } rows[] = {
        {"no module width: spread across the bounds", 600, 0, 10 + margin, 610 - margin},
        {"room to spare: that wide, centred", 600, 1.5, 310 - symbol / 2, 310 + symbol / 2},
        {"just the symbol and its margins", symbol + 2 * margin, 1.5, 10 + margin, 10 + margin + symbol},
        {"too little room: spread across it", 300, 1.5, 10 + margin, 310 - margin},
    };
    for (const Row &row : rows) {
        Barcode barcode("chave", QRectF(0, 0, row.width, 40));
        barcode.data = kBarcodeText;
        barcode.moduleWidth = row.moduleWidth;
        const PreparedPage page = pageWith(barcode, QSizeF(row.width + 20, 60));
        const auto &item = std::get<BarsItem>(page.items.at(0));
        ASSERT_FALSE(item.bars.empty()) << row.name;
        EXPECT_NEAR(item.bars.front().left(), row.left, 1e-9) << row.name;
        EXPECT_NEAR(item.bars.back().right(), row.right, 1e-9) << row.name;
        EXPECT_EQ(item.box, QRectF(10, 10, row.width, 40)) << row.name << ": the control's room, whatever it used";
    }
}

TEST(CodeControls, AControlRedrawnWithOtherDataDrawsTheNewSymbol)
{
    // One control of each kind drawn again and again (as a page header is) while its data
    // changes, back to earlier data, to data with no symbol and back: each time it draws
    // exactly what a fresh encoding of its current data gives.
    const std::string datas[] = {kBarcodeText, kBarcodeText, "4711", "", "São Paulo",
                                 "4711", kBarcodeText, "4712"};
    Barcode barcode("chave", QRectF(0, 0, 600, 60));
    QRCode qr("qr", QRectF(0, 0, 100, 100));
    for (std::size_t i = 0; i < std::size(datas); ++i) {
        const std::string &data = datas[i];
        barcode.data = data;
        const PreparedPage bars = pageWith(barcode, QSizeF(640, 100));
        const double margin = mmToPx(1);
        EXPECT_EQ(std::get<BarsItem>(bars.items.at(0)).bars,
                  moduleBars(code128Modules(data), QRectF(10, 10, 600, 60).adjusted(margin, 0, -margin, 0)))
            << "barcode, drawing " << i << ": " << data;
        qr.data = data;
        const PreparedPage modules = pageWith(qr, QSizeF(140, 140));
        EXPECT_EQ(std::get<BarsItem>(modules.items.at(0)).bars,
                  moduleRects(qrBitmap(data), QRectF(10, 10, 100, 100)))
            << "QR code, drawing " << i << ": " << data;
    }
}

TEST(CodeControls, EmptyOrUnencodableDataDrawsNothing)
{
    struct Row {
        const char *name;
        Symbology symbology;
        std::string data;
    } rows[] = {
        {"empty barcode", Symbology::Code128, ""},
        {"barcode of an accented text", Symbology::Code128, "São Paulo"},
        {"empty QR code", Symbology::QRCode, ""},
    };
    for (const auto &row : rows) {
        PreparedPage page;
        if (row.symbology == Symbology::Code128) {
            Barcode control("c", QRectF(0, 0, 200, 40));
            control.data = row.data;
            page = pageWith(control, QSizeF(220, 60));
        } else {
            QRCode control("c", QRectF(0, 0, 40, 40));
            control.data = row.data;
            page = pageWith(control, QSizeF(60, 60));
        }
        const auto &item = std::get<BarsItem>(page.items.at(0));
        EXPECT_TRUE(item.bars.empty()) << row.name;
        EXPECT_EQ(item.data, row.data) << row.name;
        const QImage image = renderPage(page, 1);
        EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255)) << row.name;
    }
}

} // namespace
