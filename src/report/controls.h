#pragma once
// The controls a band holds. Each knows the height it needs (for bands that size
// themselves) and renders itself into primitives at a given origin.

#include "report/measurer.h"
#include "report/prepared.h"

#include "rtl/datetime.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// What a control renders into, and where.
struct RenderContext {
    const TextMeasurer &measurer;
    const Font &reportFont;
    QPointF origin;          // the container's top-left corner on the page (or fragment)
    double containerHeight;  // the band's height, for stretched controls
    rtl::TDateTime now;
    Name band;               // the band's name, put on every primitive
    std::vector<Primitive> &out;
};

class Control {
public:
    Control(std::string name, QRectF bounds);
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    std::string name;
    QRectF bounds;      // in its band, px
    bool visible = true;
    int tag = 0;
    // The height follows the band: from the control's top to the band's bottom.
    bool stretch = false;
    std::optional<Font> font; // none: the report's font

    const Font &fontOr(const Font &reportFont) const { return font ? *font : reportFont; }

    // The height the control takes (a memo that sizes itself: its text's height).
    virtual double neededHeight(const TextMeasurer &measurer, const Font &reportFont) const;
    // Whether it draws a text in its font (labels, memos, system fields).
    virtual bool hasText() const { return false; }
    virtual void render(RenderContext &context) const = 0;

protected:
    // bounds moved to the context's origin and stretched when asked.
    QRectF placedRect(const RenderContext &context) const;
    // name as its primitives carry it.
    const Name &primitiveName() const;

private:
    mutable Name FPrimitiveName; // of the name last rendered
};

// One line of text. Without autoWidth, what the alignment puts outside the bounds is
// cut off when the report is prepared (see prepare()).
class Label : public Control {
public:
    using Control::Control;
    bool hasText() const override { return true; }
    Label(std::string name, QRectF bounds, std::string text);

    std::string text;
    QColor color = QColorConstants::Black;
    HAlign align = HAlign::Left;
    VAlign verticalAlign = VAlign::Top;
    QColor background; // invalid: transparent
    // The width follows the text, keeping the edge the alignment names (the centre when
    // centred).
    bool autoWidth = false;

    void render(RenderContext &context) const override;
};

// Lines of text: the text's own line breaks, and word wrap inside the width. Either the
// memo grows to all its lines (autoHeight), or its height shows as many whole lines as
// fit and the rest is not drawn. A line wider than the memo (no word wrap, or a character
// wider than the memo) is cut as a label's is.
class Memo : public Control {
public:
    using Control::Control;
    bool hasText() const override { return true; }
    Memo(std::string name, QRectF bounds, std::string text);

    std::string text;
    QColor color = QColorConstants::Black;
    HAlign align = HAlign::Left;
    QColor background;
    bool wordWrap = true;
    bool autoHeight = false;

    // The lines as drawn (before the height cuts them off).
    std::vector<WrappedLine> lines(const TextMeasurer &measurer, const Font &reportFont) const;
    // How many lines fit in the height (whole lines only).
    int visibleLines(const TextMeasurer &measurer, const Font &reportFont) const;

    double neededHeight(const TextMeasurer &measurer, const Font &reportFont) const override;
    void render(RenderContext &context) const override;

private:
    // The measurer's cached lines of the text.
    const std::vector<WrappedLine> &wrappedLines(const TextMeasurer &measurer,
                                                 const Font &reportFont) const;
    mutable TextMeasurer::WrapHint FWrapHint;
};

// Page number, page count, or the date and time the report was prepared. In mask each
// '#' takes the next value in turn (page and count for PageOfPages: "0#/0#" shows 01/02
// on page 1 of 2); a mask without '#' is a prefix to the values joined by '/'. The date
// and time use format (empty: the short date, the long time, or both).
class SystemField : public Control {
public:
    using Control::Control;
    bool hasText() const override { return true; }
    SystemField(std::string name, QRectF bounds, SystemInfo info, std::string mask = {});

    SystemInfo info = SystemInfo::PageNumber;
    std::string mask;
    std::string format;
    QColor color = QColorConstants::Black;
    HAlign align = HAlign::Left;
    VAlign verticalAlign = VAlign::Top;

    void render(RenderContext &context) const override;
};

// The text of a system field mask filled with values (see SystemField).
std::string applyMask(std::string_view mask, std::initializer_list<std::string_view> values);
// The text a page field shows on page `page` of `count`.
std::string pageFieldText(SystemInfo info, std::string_view mask, int page, int count);
// The text a date or time field shows at `now`.
std::string dateFieldText(SystemInfo info, std::string_view mask, std::string_view format,
                          rtl::TDateTime now);

// A horizontal line through the middle of its bounds, or a vertical one.
class Line : public Control {
public:
    using Control::Control;
    enum Orientation { Horizontal, Vertical };

    Orientation orientation = Horizontal;
    double penWidth = 1;
    QColor color = QColorConstants::Black;
    bool dotted = false;

    void render(RenderContext &context) const override;
};

// A rectangle, its border inside its bounds, with an optional fill.
class Box : public Control {
public:
    using Control::Control;

    double penWidth = 1; // 0: no border
    QColor penColor = QColorConstants::Black;
    QColor fill;         // invalid: not filled

    void render(RenderContext &context) const override;
};

class Image : public Control {
public:
    using Control::Control;
    enum Fit {
        Stretch,      // fills the bounds
        Proportional, // as large as fits, keeping the aspect ratio
        NaturalSize,  // one image pixel per layout pixel, clipped to the bounds
    };

    QImage image;
    Fit fit = Stretch;
    bool center = false;   // centred in the bounds (otherwise at the top-left corner)
    bool autoSize = false; // the bounds take the image's size
    bool smooth = true;    // false for QR bitmaps, which must keep hard edges

    double neededHeight(const TextMeasurer &measurer, const Font &reportFont) const override;
    void render(RenderContext &context) const override;
};

// A Code 128 barcode of data (code sets chosen by the encoder, see code128Modules): the
// bars run the full height of the bounds, spread across their width less a margin on
// each side, or, with a module width, that wide each and centred in the bounds (narrower
// when the bounds and margins leave less room). Data the symbology cannot carry (empty,
// beyond ASCII) draws no bar.
class Barcode : public Control {
public:
    using Control::Control;
    std::string data;
    double sideMargin = mmToPx(1); // px, left and right
    double moduleWidth = 0;        // px; 0: spread across the bounds
    void render(RenderContext &context) const override;

private:
    // The symbol of the data last drawn (none yet): a header barcode is drawn on every
    // page, and encoding costs more than drawing.
    mutable std::optional<std::string> FEncoded;
    mutable std::vector<bool> FModules;
};

// A QR code of the bytes of data (see qrBitmap), quiet zone included, as large a square
// as fits in the bounds, centred. Empty data draws nothing.
class QRCode : public Control {
public:
    using Control::Control;
    std::string data;
    void render(RenderContext &context) const override;

private:
    mutable std::optional<std::string> FEncoded; // as Barcode's
    mutable QImage FBitmap;
};

} // namespace report
