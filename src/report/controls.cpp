#include "report/controls.h"

#include "report/barcode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace report {

namespace {

double lineTop(const QRectF &rect, double lineHeight, VAlign align)
{
    switch (align) {
    case VAlign::Top: return rect.top();
    case VAlign::Center: return rect.top() + (rect.height() - lineHeight) / 2;
    case VAlign::Bottom: return rect.bottom() - lineHeight;
    }
    return rect.top();
}

// A new primitive at the end of the context's output, made there rather than moved in:
// a preparation emits a great many of them.
template <class T> T &newItem(RenderContext &context, const Name &source)
{
    T &item = std::get<T>(context.out.emplace_back(std::in_place_type<T>));
    item.source = source;
    item.band = context.band;
    return item;
}

void fillBackground(RenderContext &context, const Name &source, const QRectF &rect,
                    const QColor &colour)
{
    if (!colour.isValid())
        return;
    RectItem &item = newItem<RectItem>(context, source);
    item.rect = rect;
    item.fill = colour;
}

} // namespace

// ---- Control ----------------------------------------------------------------------------

Control::Control(std::string name, QRectF bounds) : name(std::move(name)), bounds(bounds) {}
Control::~Control() = default;

double Control::neededHeight(const TextMeasurer &, const Font &) const
{
    return bounds.height();
}

const Name &Control::primitiveName() const
{
    // The name may have changed since the last rendering; comparing costs far less than
    // looking the name up.
    if (FPrimitiveName != name)
        FPrimitiveName = Name(name);
    return FPrimitiveName;
}

QRectF Control::placedRect(const RenderContext &context) const
{
    QRectF rect = bounds.translated(context.origin);
    if (stretch)
        rect.setHeight(std::max(0.0, context.containerHeight - bounds.top()));
    return rect;
}


// ---- Label ------------------------------------------------------------------------------

Label::Label(std::string name, QRectF bounds, std::string text)
    : Control(std::move(name), bounds), text(std::move(text))
{
}

void Label::render(RenderContext &context) const
{
    const Font &f = fontOr(context.reportFont);
    QRectF rect = placedRect(context);
    const double textWidth = context.measurer.width(text, f);
    if (autoWidth) {
        const double oldWidth = rect.width();
        rect.setWidth(textWidth);
        if (align == HAlign::Right)
            rect.translate(oldWidth - textWidth, 0);
        else if (align == HAlign::Center)
            rect.translate((oldWidth - textWidth) / 2, 0);
    }
    const Name &source = primitiveName();
    fillBackground(context, source, rect, background);
    if (text.empty())
        return;
    const double pitch = context.measurer.lineHeight(f);
    TextRun &run = newItem<TextRun>(context, source);
    run.box = QRectF(rect.left(), lineTop(rect, pitch, verticalAlign), rect.width(), pitch);
    run.text = text;
    run.font = f;
    run.color = color;
    run.align = align;
    run.width = textWidth;
}

// ---- Memo -------------------------------------------------------------------------------

Memo::Memo(std::string name, QRectF bounds, std::string text)
    : Control(std::move(name), bounds), text(std::move(text))
{
}

std::vector<WrappedLine> Memo::lines(const TextMeasurer &measurer, const Font &reportFont) const
{
    return wrappedLines(measurer, reportFont);
}

const std::vector<WrappedLine> &Memo::wrappedLines(const TextMeasurer &measurer,
                                                   const Font &reportFont) const
{
    return measurer.wrapped(text, fontOr(reportFont),
                            wordWrap ? bounds.width() : std::numeric_limits<double>::infinity(),
                            FWrapHint);
}

int Memo::visibleLines(const TextMeasurer &measurer, const Font &reportFont) const
{
    const double pitch = measurer.lineHeight(fontOr(reportFont));
    if (!(pitch > 0))
        return 0;
    return static_cast<int>(std::floor(bounds.height() / pitch + 1e-6));
}

double Memo::neededHeight(const TextMeasurer &measurer, const Font &reportFont) const
{
    if (!autoHeight)
        return bounds.height();
    return static_cast<double>(wrappedLines(measurer, reportFont).size()) *
           measurer.lineHeight(fontOr(reportFont));
}

void Memo::render(RenderContext &context) const
{
    const Font &f = fontOr(context.reportFont);
    const double pitch = context.measurer.lineHeight(f);
    QRectF rect = placedRect(context);
    const std::vector<WrappedLine> &wrapped = wrappedLines(context.measurer, context.reportFont);
    std::size_t shown = wrapped.size();
    if (autoHeight)
        rect.setHeight(static_cast<double>(shown) * pitch);
    else if (pitch > 0)
        shown = std::min(shown, static_cast<std::size_t>(std::floor(rect.height() / pitch + 1e-6)));
    else
        shown = 0;

    const Name &source = primitiveName();
    fillBackground(context, source, rect, background);
    for (std::size_t i = 0; i < shown; ++i) {
        if (wrapped[i].text.empty())
            continue;
        TextRun &run = newItem<TextRun>(context, source);
        run.box = QRectF(rect.left(), rect.top() + static_cast<double>(i) * pitch, rect.width(), pitch);
        run.text = wrapped[i].text;
        run.font = f;
        run.color = color;
        run.align = align;
        run.width = wrapped[i].width;
    }
}

// ---- SystemField ------------------------------------------------------------------------

SystemField::SystemField(std::string name, QRectF bounds, SystemInfo info, std::string mask)
    : Control(std::move(name), bounds), info(info), mask(std::move(mask))
{
}

std::string applyMask(std::string_view mask, std::initializer_list<std::string_view> values)
{
    std::string out;
    if (mask.find('#') == std::string_view::npos) {
        out.assign(mask);
        bool first = true;
        for (auto value : values) {
            if (!first)
                out += '/';
            out.append(value);
            first = false;
        }
        return out;
    }
    auto next = values.begin();
    for (char c : mask) {
        if (c != '#') {
            out += c;
        } else if (next != values.end()) {
            out.append(*next);
            ++next;
        }
    }
    return out;
}

std::string pageFieldText(SystemInfo info, std::string_view mask, int page, int count)
{
    const std::string pageText = std::to_string(page), countText = std::to_string(count);
    switch (info) {
    case SystemInfo::PageNumber: return applyMask(mask, {pageText});
    case SystemInfo::PageCount: return applyMask(mask, {countText});
    case SystemInfo::PageOfPages: return applyMask(mask, {pageText, countText});
    default: return std::string(mask);
    }
}

std::string dateFieldText(SystemInfo info, std::string_view mask, std::string_view format,
                          rtl::TDateTime now)
{
    std::string_view used = format;
    if (used.empty())
        used = info == SystemInfo::Date ? "ddddd" : info == SystemInfo::Time ? "tt" : "ddddd tt";
    return applyMask(mask, {rtl::FormatDateTime(used, now)});
}

void SystemField::render(RenderContext &context) const
{
    const Font &f = fontOr(context.reportFont);
    const QRectF rect = placedRect(context);
    const double pitch = context.measurer.lineHeight(f);
    const bool pageInfo = info == SystemInfo::PageNumber || info == SystemInfo::PageCount ||
                          info == SystemInfo::PageOfPages;
    // The count is known only when the report has been laid out to its end.
    std::string text = pageInfo ? std::string() : dateFieldText(info, mask, format, context.now);
    const double textWidth = pageInfo ? 0 : context.measurer.width(text, f);
    TextRun &run = newItem<TextRun>(context, primitiveName());
    run.box = QRectF(rect.left(), lineTop(rect, pitch, verticalAlign), rect.width(), pitch);
    run.font = f;
    run.color = color;
    run.align = align;
    run.text = std::move(text);
    run.width = textWidth;
    if (pageInfo) {
        run.pageField = info;
        run.pageMask = mask;
    }
}

// ---- Line, Box --------------------------------------------------------------------------

void Line::render(RenderContext &context) const
{
    const QRectF rect = placedRect(context);
    LineItem &item = newItem<LineItem>(context, primitiveName());
    if (orientation == Horizontal) {
        item.from = QPointF(rect.left(), rect.center().y());
        item.to = QPointF(rect.right(), rect.center().y());
    } else {
        item.from = QPointF(rect.center().x(), rect.top());
        item.to = QPointF(rect.center().x(), rect.bottom());
    }
    item.penWidth = penWidth;
    item.color = color;
    item.dotted = dotted;
}

void Box::render(RenderContext &context) const
{
    const QRectF rect = placedRect(context);
    RectItem &item = newItem<RectItem>(context, primitiveName());
    item.rect = rect;
    item.fill = fill;
    item.penWidth = penWidth;
    item.penColor = penColor;
}

// ---- Image ------------------------------------------------------------------------------

double Image::neededHeight(const TextMeasurer &, const Font &) const
{
    return autoSize && !image.isNull() ? image.height() : bounds.height();
}

void Image::render(RenderContext &context) const
{
    if (image.isNull())
        return;
    QRectF rect = placedRect(context);
    const QSizeF natural(image.width(), image.height());
    if (autoSize)
        rect.setSize(natural);

    QSizeF size = rect.size();
    if (fit == Proportional)
        size = natural.scaled(rect.size(), Qt::KeepAspectRatio);
    else if (fit == NaturalSize)
        size = natural;
    QRectF target(rect.topLeft(), size);
    if (center)
        target.moveCenter(rect.center());
    QRectF sourceRect;
    if (fit == NaturalSize) {
        // Only the part inside the bounds shows.
        const QRectF visible = target.intersected(rect);
        if (visible.isEmpty())
            return;
        sourceRect = visible.translated(-target.topLeft());
        target = visible;
    }
    ImageItem &item = newItem<ImageItem>(context, primitiveName());
    item.target = target;
    item.image = image;
    item.sourceRect = sourceRect;
    item.smooth = smooth;
}

// ---- Barcode, QRCode --------------------------------------------------------------------

void Barcode::render(RenderContext &context) const
{
    const QRectF box = placedRect(context);
    const double margin = std::clamp(sideMargin, 0.0, box.width() / 2);
    if (FEncoded != data) {
        FModules = code128Modules(data);
        FEncoded = data;
    }
    QRectF area = box.adjusted(margin, 0, -margin, 0);
    const double symbolWidth = moduleWidth * static_cast<double>(FModules.size());
    if (symbolWidth > 0 && symbolWidth < area.width())
        area = QRectF(box.center().x() - symbolWidth / 2, box.top(), symbolWidth, box.height());
    std::vector<QRectF> bars = moduleBars(FModules, area);
    BarsItem &item = newItem<BarsItem>(context, primitiveName());
    item.box = box;
    item.symbology = Symbology::Code128;
    item.data = data;
    item.bars = std::move(bars);
}

void QRCode::render(RenderContext &context) const
{
    const QRectF box = placedRect(context);
    const double side = std::min(box.width(), box.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(box.center());
    if (FEncoded != data) {
        FBitmap = qrBitmap(data);
        FEncoded = data;
    }
    std::vector<QRectF> bars = moduleRects(FBitmap, square);
    BarsItem &item = newItem<BarsItem>(context, primitiveName());
    item.box = box;
    item.symbology = Symbology::QRCode;
    item.data = data;
    item.bars = std::move(bars);
}

} // namespace report
