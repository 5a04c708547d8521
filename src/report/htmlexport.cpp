#include "report/htmlexport.h"

#include "rtl/files.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace report {

namespace {

template <class... F> struct Overloaded : F... {
    using F::operator()...;
};
template <class... F> Overloaded(F...) -> Overloaded<F...>;

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="pt-BR">
<head>
<meta charset="utf-8">
<title>)";

constexpr std::string_view kStyle = R"(</title>
<style>
body{margin:0;padding:8px 0;background:#808080}
.page{position:relative;margin:0 auto 8px;background:#fff;overflow:hidden;box-shadow:0 0 4px #000}
.page>*{position:absolute;margin:0;padding:0;box-sizing:border-box}
.t{white-space:pre;line-height:normal}
@media print{body{padding:0;background:none}.page{margin:0;box-shadow:none;break-after:page}}
</style>
</head>
<body>
)";

class Writer {
public:
    explicit Writer(std::string &out) : FOut(out) {}

    Writer &operator<<(std::string_view text)
    {
        FOut.append(text);
        return *this;
    }
    Writer &operator<<(char c)
    {
        FOut.push_back(c);
        return *this;
    }
    // A length in CSS pixels, to a hundredth, whatever the process's locale.
    Writer &px(double value)
    {
        number(value);
        FOut.append("px");
        return *this;
    }
    Writer &number(double value)
    {
        if (!std::isfinite(value))
            value = 0;
        // Far beyond any page, and it keeps the text within the buffer.
        value = std::round(std::clamp(value, -1e9, 1e9) * 100) / 100;
        if (value == 0)
            value = 0; // no "-0"
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::fixed, 2);
        std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
        while (text.back() == '0')
            text.remove_suffix(1);
        if (text.back() == '.')
            text.remove_suffix(1);
        FOut.append(text);
        return *this;
    }
    // Text and attribute values: the markup characters escaped, the rest as it is.
    Writer &escaped(std::string_view text)
    {
        for (char c : text) {
            switch (c) {
            case '&': FOut.append("&amp;"); break;
            case '<': FOut.append("&lt;"); break;
            case '>': FOut.append("&gt;"); break;
            case '"': FOut.append("&quot;"); break;
            default: FOut.push_back(c);
            }
        }
        return *this;
    }
    Writer &color(const QColor &colour)
    {
        FOut.append(colour.name(QColor::HexRgb).toStdString());
        return *this;
    }
    Writer &box(const QRectF &rect)
    {
        *this << "left:";
        px(rect.left()) << ";top:";
        px(rect.top()) << ";width:";
        px(rect.width()) << ";height:";
        return px(rect.height());
    }

private:
    std::string &FOut;
};

std::string_view genericFamily(std::string_view resolved)
{
    if (resolved.find("Mono") != std::string_view::npos)
        return "monospace";
    if (resolved.find("Serif") != std::string_view::npos)
        return "serif";
    return "sans-serif";
}

void writeFamily(Writer &w, const std::string &family)
{
    const std::string resolved = resolvedFamily(family);
    const auto quoted = [&](std::string_view name) {
        w << '\'';
        for (char c : name)
            if (c != '\'' && c != '"' && c != '<' && c != '>' && c != '&')
                w << c;
        w << "',";
    };
    quoted(resolved);
    if (resolved != family)
        quoted(family);
    w << genericFamily(resolved);
}

void writeText(Writer &w, const TextRun &run)
{
    if (run.text.empty())
        return;
    // Where the painter puts the text; a run wider than its box spills out on the side
    // its alignment leaves free, as it does on paper.
    QRectF rect = run.box;
    if (run.width > rect.width())
        rect = QRectF(textLeft(run, run.width), rect.top(), run.width, rect.height());
    w << "<div class=\"t\" style=\"";
    w.box(rect) << ";font:";
    if (run.font.italic)
        w << "italic ";
    if (run.font.bold)
        w << "bold ";
    w.px(run.font.pixelSize) << ' ';
    writeFamily(w, run.font.family);
    if (run.color != QColor(Qt::black)) {
        w << ";color:";
        w.color(run.color);
    }
    if (run.align == HAlign::Right)
        w << ";text-align:right";
    else if (run.align == HAlign::Center)
        w << ";text-align:center";
    w << "\">";
    w.escaped(run.text) << "</div>\n";
}

void writeLine(Writer &w, const LineItem &line)
{
    if (!(line.penWidth > 0))
        return;
    const double half = line.penWidth / 2;
    const char *style = line.dotted ? "dotted " : "solid ";
    if (line.from.y() == line.to.y() || line.from.x() == line.to.x()) {
        const bool horizontal = line.from.y() == line.to.y();
        QRectF rect = QRectF(line.from, line.to).normalized();
        if (horizontal)
            rect.adjust(0, -half, 0, half);
        else
            rect.adjust(-half, 0, half, 0);
        w << "<div style=\"";
        w.box(rect) << (horizontal ? ";border-top:" : ";border-left:");
        w.px(line.penWidth) << ' ' << style;
        w.color(line.color) << "\"></div>\n";
        return;
    }
    // Only a slanted line needs SVG; it is drawn in page coordinates.
    const QRectF area = QRectF(line.from, line.to).normalized().adjusted(-half, -half, half, half);
    w << "<svg style=\"";
    w.box(area) << "\" viewBox=\"";
    w.number(area.left()) << ' ';
    w.number(area.top()) << ' ';
    w.number(area.width()) << ' ';
    w.number(area.height()) << "\"><line x1=\"";
    w.number(line.from.x()) << "\" y1=\"";
    w.number(line.from.y()) << "\" x2=\"";
    w.number(line.to.x()) << "\" y2=\"";
    w.number(line.to.y()) << "\" stroke=\"";
    w.color(line.color) << "\" stroke-width=\"";
    w.number(line.penWidth) << (line.dotted ? "\" stroke-dasharray=\"" : "");
    if (line.dotted)
        w.number(line.penWidth);
    w << "\"/></svg>\n";
}

void writeRect(Writer &w, const RectItem &rect)
{
    const bool border = rect.penWidth > 0;
    if (!rect.fill.isValid() && !border)
        return;
    w << "<div style=\"";
    w.box(rect.rect);
    if (rect.fill.isValid()) {
        w << ";background:";
        w.color(rect.fill);
    }
    if (border) {
        w << ";border:";
        w.px(rect.penWidth) << " solid ";
        w.color(rect.penColor);
    }
    w << "\"></div>\n";
}

void writeImage(Writer &w, const ImageItem &item)
{
    if (item.image.isNull())
        return;
    const QImage image = item.sourceRect.isEmpty() ? item.image
                                                   : item.image.copy(item.sourceRect.toAlignedRect());
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    w << "<img alt=\"\" style=\"";
    w.box(item.target);
    if (!item.smooth)
        w << ";image-rendering:pixelated";
    w << "\" src=\"data:image/png;base64,";
    const QByteArray base64 = png.toBase64();
    w << std::string_view(base64.constData(), static_cast<std::size_t>(base64.size())) << "\">\n";
}

void writeBars(Writer &w, const BarsItem &item)
{
    if (item.bars.empty())
        return;
    // One path of rectangles in page coordinates, edges kept sharp.
    w << "<svg style=\"";
    w.box(item.box) << "\" viewBox=\"";
    w.number(item.box.left()) << ' ';
    w.number(item.box.top()) << ' ';
    w.number(item.box.width()) << ' ';
    w.number(item.box.height()) << "\" preserveAspectRatio=\"none\" shape-rendering=\"crispEdges\"><path d=\"";
    for (const QRectF &bar : item.bars) {
        w << 'M';
        w.number(bar.left()) << ' ';
        w.number(bar.top()) << 'h';
        w.number(bar.width()) << 'v';
        w.number(bar.height()) << 'h';
        w.number(-bar.width()) << 'z';
    }
    w << "\"/></svg>\n";
}

} // namespace

std::string htmlDocument(const PreparedReport &report)
{
    std::string out;
    out.reserve(4096 + report.pages.size() * 16384);
    Writer w(out);
    w << kHead;
    w.escaped(report.title) << kStyle;
    const auto item = Overloaded{
        [&](const TextRun &run) { writeText(w, run); },
        [&](const LineItem &line) { writeLine(w, line); },
        [&](const RectItem &rect) { writeRect(w, rect); },
        [&](const ImageItem &image) { writeImage(w, image); },
        [&](const BarsItem &bars) { writeBars(w, bars); },
    };
    for (const PreparedPage &page : report.pages) {
        w << "<div class=\"page\" style=\"width:";
        w.px(page.size.width()) << ";height:";
        w.px(page.size.height()) << "\">\n";
        for (const auto *layer : {&page.background, &page.items})
            for (const Primitive &primitive : *layer)
                std::visit(item, primitive);
        w << "</div>\n";
    }
    w << "</body>\n</html>\n";
    return out;
}

void exportHtml(const PreparedReport &report, const std::string &fileName)
{
    rtl::WriteFileBytes(fileName, htmlDocument(report));
}

} // namespace report
