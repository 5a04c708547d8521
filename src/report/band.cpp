#include "report/band.h"

#include <algorithm>

namespace report {

Borders Borders::all(double width)
{
    Borders b;
    b.left = b.top = b.right = b.bottom = true;
    b.width = width;
    return b;
}

void renderBorders(const Borders &borders, const QRectF &rect, const PrimitiveBase &base,
                   std::vector<Primitive> &out)
{
    if (!borders.any() || !(borders.width > 0))
        return;
    const double half = borders.width / 2;
    const double left = rect.left() + half, right = rect.right() - half;
    const double top = rect.top() + half, bottom = rect.bottom() - half;
    const auto add = [&](QPointF from, QPointF to) {
        LineItem &line = std::get<LineItem>(out.emplace_back(std::in_place_type<LineItem>));
        static_cast<PrimitiveBase &>(line) = base;
        line.from = from;
        line.to = to;
        line.penWidth = borders.width;
        line.color = borders.color;
    };
    if (borders.top)
        add({rect.left(), top}, {rect.right(), top});
    if (borders.bottom)
        add({rect.left(), bottom}, {rect.right(), bottom});
    if (borders.left)
        add({left, rect.top()}, {left, rect.bottom()});
    if (borders.right)
        add({right, rect.top()}, {right, rect.bottom()});
}

Band::Band(BandKind kind, double height, std::string name)
    : name(std::move(name)), kind(kind), height(height)
{
}

Band::~Band() = default;

Control *Band::find(std::string_view controlName) const
{
    for (const auto &control : FControls)
        if (control->name == controlName)
            return control.get();
    return nullptr;
}

void Band::bringToFront(const Control &control)
{
    auto it = std::find_if(FControls.begin(), FControls.end(),
                           [&](const auto &c) { return c.get() == &control; });
    if (it != FControls.end())
        std::rotate(it, it + 1, FControls.end());
}

double Band::preparedHeight(const TextMeasurer &measurer, const Font &reportFont) const
{
    double h = height;
    if (autoSize && enabled)
        for (const auto &control : FControls)
            if (control->visible && !control->stretch)
                h = std::max(h, control->bounds.top() + control->neededHeight(measurer, reportFont));
    return h;
}

} // namespace report
