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

void fillBackground(RenderContext &context, const PrimitiveBase &base, const QRectF &rect,
                    const QColor &colour)
{
    if (!colour.isValid())
        return;
    RectItem item;
    static_cast<PrimitiveBase &>(item) = base;
    item.rect = rect;
    item.fill = colour;
    context.out.emplace_back(std::move(item));
}

} // namespace

// ---- Control ----------------------------------------------------------------------------

Control::Control(std::string name, QRectF bounds) : name(std::move(name)), bounds(bounds) {}
Control::~Control() = default;

double Control::neededHeight(const TextMeasurer &, const Font &) const
{
    return bounds.height();
}

QRectF Control::placedRect(const RenderContext &context) const
{
    QRectF rect = bounds.translated(context.origin);
    if (stretch)
        rect.setHeight(std::max(0.0, context.containerHeight - bounds.top()));
    return rect;
}

PrimitiveBase Control::primitiveBase(const RenderContext &context) const
{
    return PrimitiveBase{name, std::string(context.band)};
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
    const PrimitiveBase base = primitiveBase(context);
    fillBackground(context, base, rect, background);
    if (text.empty())
        return;
    const double pitch = context.measurer.lineHeight(f);
    TextRun run;
    static_cast<PrimitiveBase &>(run) = base;
    run.box = QRectF(rect.left(), lineTop(rect, pitch, verticalAlign), rect.width(), pitch);
    run.text = text;
    run.font = f;
    run.color = color;
    run.align = align;
    run.width = textWidth;
    context.out.emplace_back(std::move(run));
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
                            wordWrap ? bounds.width() : std::numeric_limits<double>::infinity());
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

    const PrimitiveBase base = primitiveBase(context);
    fillBackground(context, base, rect, background);
    for (std::size_t i = 0; i < shown; ++i) {
        if (wrapped[i].text.empty())
            continue;
        TextRun run;
        static_cast<PrimitiveBase &>(run) = base;
        run.box = QRectF(rect.left(), rect.top() + static_cast<double>(i) * pitch, rect.width(), pitch);
        run.text = wrapped[i].text;
        run.font = f;
        run.color = color;
        run.align = align;
        run.width = wrapped[i].width;
        context.out.emplace_back(std::move(run));
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
    TextRun run;
    static_cast<PrimitiveBase &>(run) = primitiveBase(context);
    run.box = QRectF(rect.left(), lineTop(rect, pitch, verticalAlign), rect.width(), pitch);
    run.font = f;
    run.color = color;
    run.align = align;
    const bool pageInfo = info == SystemInfo::PageNumber || info == SystemInfo::PageCount ||
                          info == SystemInfo::PageOfPages;
    if (pageInfo) {
        // The count is known only when the report has been laid out to its end.
        run.pageField = info;
        run.pageMask = mask;
    } else {
        run.text = dateFieldText(info, mask, format, context.now);
        run.width = context.measurer.width(run.text, f);
    }
    context.out.emplace_back(std::move(run));
}

// ---- Line, Box --------------------------------------------------------------------------

void Line::render(RenderContext &context) const
{
    const QRectF rect = placedRect(context);
    LineItem item;
    static_cast<PrimitiveBase &>(item) = primitiveBase(context);
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
    context.out.emplace_back(std::move(item));
}

void Box::render(RenderContext &context) const
{
    RectItem item;
    static_cast<PrimitiveBase &>(item) = primitiveBase(context);
    item.rect = placedRect(context);
    item.fill = fill;
    item.penWidth = penWidth;
    item.penColor = penColor;
    context.out.emplace_back(std::move(item));
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

    ImageItem item;
    static_cast<PrimitiveBase &>(item) = primitiveBase(context);
    item.image = image;
    item.smooth = smooth;
    QSizeF size = rect.size();
    if (fit == Proportional)
        size = natural.scaled(rect.size(), Qt::KeepAspectRatio);
    else if (fit == NaturalSize)
        size = natural;
    QRectF target(rect.topLeft(), size);
    if (center)
        target.moveCenter(rect.center());
    if (fit == NaturalSize) {
        // Only the part inside the bounds shows.
        const QRectF visible = target.intersected(rect);
        if (visible.isEmpty())
            return;
        item.sourceRect = visible.translated(-target.topLeft());
        target = visible;
    }
    item.target = target;
    context.out.emplace_back(std::move(item));
}

// ---- Barcode, QRCode --------------------------------------------------------------------

void Barcode::render(RenderContext &context) const
{
    BarsItem item;
    static_cast<PrimitiveBase &>(item) = primitiveBase(context);
    item.box = placedRect(context);
    item.symbology = Symbology::Code128;
    item.data = data;
    const double margin = std::clamp(sideMargin, 0.0, item.box.width() / 2);
    item.bars = moduleBars(code128Modules(data), item.box.adjusted(margin, 0, -margin, 0));
    context.out.emplace_back(std::move(item));
}

void QRCode::render(RenderContext &context) const
{
    BarsItem item;
    static_cast<PrimitiveBase &>(item) = primitiveBase(context);
    item.box = placedRect(context);
    item.symbology = Symbology::QRCode;
    item.data = data;
    const double side = std::min(item.box.width(), item.box.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(item.box.center());
    item.bars = moduleRects(qrBitmap(data), square);
    context.out.emplace_back(std::move(item));
}

} // namespace report
