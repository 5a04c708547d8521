#pragma once
// Prepared pages: what a report looks like once laid out, as a display list per page.
// Every output (preview, printer, PDF, HTML) reads only these; tests assert on them.
// Coordinates are layout pixels (96 dpi) from the page's top-left corner. Nothing here
// points into the report model, so the model may go away before the pages are shown.

#include "report/font.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace report {

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

// What a system field shows.
enum class SystemInfo { PageNumber, PageCount, PageOfPages, Date, Time, DateTime };

// The name of a control or band as the primitives it emitted carry it. Each distinct name
// is kept once for the program's life and a Name points at it: a control emits the same
// name on every row and page, so its primitives share one copy whatever its length, and
// copying one copies a pointer. Reads like a const std::string.
class Name {
public:
    Name() noexcept : FText(&emptyText()) {}
    Name(std::string_view text);
    Name(const std::string &text) : Name(std::string_view(text)) {}
    Name(const char *text) : Name(std::string_view(text)) {}

    const std::string &str() const noexcept { return *FText; }
    operator const std::string &() const noexcept { return *FText; }
    operator std::string_view() const noexcept { return *FText; }
    const char *c_str() const noexcept { return FText->c_str(); }
    std::size_t size() const noexcept { return FText->size(); }
    bool empty() const noexcept { return FText->empty(); }
    std::size_t find(std::string_view text, std::size_t pos = 0) const noexcept
    {
        return FText->find(text, pos);
    }
    std::size_t rfind(std::string_view text, std::size_t pos = std::string::npos) const noexcept
    {
        return FText->rfind(text, pos);
    }
    bool starts_with(std::string_view text) const noexcept { return FText->starts_with(text); }

    // Equal texts are one kept copy, so names compare by address.
    friend bool operator==(const Name &a, const Name &b) noexcept { return a.FText == b.FText; }
    friend bool operator==(const Name &a, std::string_view b) noexcept { return *a.FText == b; }
    friend bool operator==(const Name &a, const std::string &b) noexcept { return *a.FText == b; }
    friend bool operator==(const Name &a, const char *b) noexcept { return *a.FText == b; }
    // One overload per kind of text, so that none needs a conversion to be chosen.
    friend std::string operator+(const Name &a, const Name &b) { return *a.FText + *b.FText; }
    friend std::string operator+(const Name &a, std::string_view b) { return *a.FText + std::string(b); }
    friend std::string operator+(const Name &a, const std::string &b) { return *a.FText + b; }
    friend std::string operator+(const Name &a, const char *b) { return *a.FText + b; }
    friend std::string operator+(std::string_view a, const Name &b) { return std::string(a) + *b.FText; }
    friend std::string operator+(const std::string &a, const Name &b) { return a + *b.FText; }
    friend std::string operator+(const char *a, const Name &b) { return a + *b.FText; }
    friend std::ostream &operator<<(std::ostream &out, const Name &name) { return out << *name.FText; }

private:
    static const std::string &emptyText() noexcept
    {
        static const std::string text;
        return text;
    }
    const std::string *FText;
};

// Every primitive names the control that emitted it (`source`) and the band it was on.
struct PrimitiveBase {
    Name source;
    Name band;
};

// One line of text. box is the line's box (as tall as the font's line height); the text
// is drawn at its top, aligned horizontally inside it, and is never wrapped again. Runs
// that preparation makes never reach beyond their box: a text too wide for its control
// keeps only the characters drawn wholly inside it (see prepare()).
struct TextRun : PrimitiveBase {
    QRectF box;
    std::string text;
    Font font;
    QColor color = QColorConstants::Black; // Qt::black, made without a call into Qt
    HAlign align = HAlign::Left;
    double width = 0; // measured width of text
    // A page number or count, filled in once the report's page count is known.
    std::optional<SystemInfo> pageField;
    std::string pageMask;
};

struct LineItem : PrimitiveBase {
    QPointF from, to;
    double penWidth = 1;
    QColor color = QColorConstants::Black;
    bool dotted = false;
};

// A rectangle with an optional fill (invalid colour: none) and border (penWidth 0: none).
// The border is drawn inside the rectangle.
struct RectItem : PrimitiveBase {
    QRectF rect;
    QColor fill;
    double penWidth = 0;
    QColor penColor = QColorConstants::Black;
};

// source is the part of the image drawn into target (an empty rect: the whole image).
struct ImageItem : PrimitiveBase {
    QRectF target;
    QImage image;
    QRectF sourceRect;
    bool smooth = true;
};

enum class Symbology { Code128, QRCode };

// A barcode or QR code: the encoded data and the dark bars (or modules) to fill, in page
// coordinates. Bars are left empty where no encoder has filled them yet.
struct BarsItem : PrimitiveBase {
    QRectF box;
    Symbology symbology = Symbology::Code128;
    std::string data;
    std::vector<QRectF> bars;
};

// Where a run's text starts when it is width wide: at the box's left, centred in the box or
// ending at its right, by the run's alignment. Every output places text this way.
double textLeft(const TextRun &run, double width);

using Primitive = std::variant<TextRun, LineItem, RectItem, ImageItem, BarsItem>;

const PrimitiveBase &base(const Primitive &item);
// The area the primitive covers.
QRectF bounds(const Primitive &item);
void translate(Primitive &item, double dx, double dy);

enum class BandKind { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };
const char *bandKindName(BandKind kind);

// Where a band (or one part of a split band) went on a page.
struct PlacedBand {
    std::string name;
    BandKind kind = BandKind::Detail;
    double top = 0;
    double height = 0;
};

struct PreparedPage {
    QSizeF size;                     // px
    std::vector<Primitive> background; // drawn first (watermarks)
    std::vector<Primitive> items;      // in drawing order
    std::vector<PlacedBand> bands;     // in placing order
    int number = 0;      // 1-based, within its report
    int count = 0;       // pages of its report
    int reportIndex = 0; // position of its report in a chain
    // Something was placed beyond the page's printable area (a band taller than the room
    // left that could not be split, footers that grew over the content).
    bool overflow = false;
};

struct PreparedReport {
    std::string title;
    std::string caption;
    std::vector<PreparedPage> pages;
};

// ---- For tests and debugging ---------------------------------------------------------

// The texts of the page's runs (background first), in drawing order.
std::vector<std::string> texts(const PreparedPage &page);
// The primitives emitted by the control (or band, for its borders) named source.
std::vector<const Primitive *> bySource(const PreparedPage &page, std::string_view source);
// The first run whose text is text; nullptr when there is none.
const TextRun *findText(const PreparedPage &page, std::string_view text);
// The placements of the band named name on the page, in order.
std::vector<PlacedBand> placements(const PreparedPage &page, std::string_view name);
// One line per band and primitive, for failure messages.
std::string dump(const PreparedPage &page);
std::string dump(const PreparedReport &report);

} // namespace report
