#include "report/prepared.h"

#include <cstdio>
#include <mutex>
#include <unordered_set>

namespace report {

namespace {

template <class... F> struct Overloaded : F... {
    using F::operator()...;
};
template <class... F> Overloaded(F...) -> Overloaded<F...>;

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string rect(const QRectF &r)
{
    return "(" + number(r.x()) + "," + number(r.y()) + " " + number(r.width()) + "x" +
           number(r.height()) + ")";
}

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept
    {
        return std::hash<std::string_view>{}(text);
    }
};

// The names kept for Name. Never freed: prepared pages may outlive everything else.
struct NamePool {
    std::mutex lock;
    std::unordered_set<std::string, NameHash, std::equal_to<>> names; // node-based: stable
};

NamePool &namePool()
{
    static NamePool *const pool = new NamePool;
    return *pool;
}

} // namespace

Name::Name(std::string_view text)
{
    if (text.empty()) {
        FText = &emptyText();
        return;
    }
    NamePool &pool = namePool();
    const std::lock_guard<std::mutex> guard(pool.lock);
    auto it = pool.names.find(text);
    if (it == pool.names.end())
        it = pool.names.emplace(text).first;
    FText = &*it;
}

const PrimitiveBase &base(const Primitive &item)
{
    return std::visit([](const auto &p) -> const PrimitiveBase & { return p; }, item);
}

double textLeft(const TextRun &run, double width)
{
    switch (run.align) {
    case HAlign::Right:
        return run.box.right() - width;
    case HAlign::Center:
        return run.box.left() + (run.box.width() - width) / 2;
    case HAlign::Left:
        break;
    }
    return run.box.left();
}

QRectF bounds(const Primitive &item)
{
    return std::visit(Overloaded{
                          [](const TextRun &p) { return p.box; },
                          [](const LineItem &p) { return QRectF(p.from, p.to).normalized(); },
                          [](const RectItem &p) { return p.rect; },
                          [](const ImageItem &p) { return p.target; },
                          [](const BarsItem &p) { return p.box; },
                      },
                      item);
}

void translate(Primitive &item, double dx, double dy)
{
    const QPointF d(dx, dy);
    std::visit(Overloaded{
                   [&](TextRun &p) { p.box.translate(d); },
                   [&](LineItem &p) {
                       p.from += d;
                       p.to += d;
                   },
                   [&](RectItem &p) { p.rect.translate(d); },
                   [&](ImageItem &p) { p.target.translate(d); },
                   [&](BarsItem &p) {
                       p.box.translate(d);
                       for (auto &bar : p.bars)
                           bar.translate(d);
                   },
               },
               item);
}

const char *bandKindName(BandKind kind)
{
    switch (kind) {
    case BandKind::PageHeader: return "PageHeader";
    case BandKind::Title: return "Title";
    case BandKind::ColumnHeader: return "ColumnHeader";
    case BandKind::Detail: return "Detail";
    case BandKind::Summary: return "Summary";
    case BandKind::PageFooter: return "PageFooter";
    }
    return "?";
}

std::vector<std::string> texts(const PreparedPage &page)
{
    std::vector<std::string> out;
    for (const auto *layer : {&page.background, &page.items})
        for (const auto &item : *layer)
            if (const auto *run = std::get_if<TextRun>(&item))
                out.push_back(run->text);
    return out;
}

std::vector<const Primitive *> bySource(const PreparedPage &page, std::string_view source)
{
    std::vector<const Primitive *> out;
    for (const auto *layer : {&page.background, &page.items})
        for (const auto &item : *layer)
            if (base(item).source == source)
                out.push_back(&item);
    return out;
}

const TextRun *findText(const PreparedPage &page, std::string_view text)
{
    for (const auto *layer : {&page.background, &page.items})
        for (const auto &item : *layer)
            if (const auto *run = std::get_if<TextRun>(&item); run && run->text == text)
                return run;
    return nullptr;
}

std::vector<PlacedBand> placements(const PreparedPage &page, std::string_view name)
{
    std::vector<PlacedBand> out;
    for (const auto &band : page.bands)
        if (band.name == name)
            out.push_back(band);
    return out;
}

std::string dump(const PreparedPage &page)
{
    std::string out = "page " + std::to_string(page.number) + "/" + std::to_string(page.count) +
                      " " + number(page.size.width()) + "x" + number(page.size.height()) +
                      (page.overflow ? " overflow" : "") + "\n";
    for (const auto &band : page.bands)
        out += "  band " + std::string(bandKindName(band.kind)) + " " + band.name + " top " +
               number(band.top) + " height " + number(band.height) + "\n";
    const auto line = [&](const Primitive &item, const char *layer) {
        const PrimitiveBase &b = base(item);
        out += std::string("  ") + layer + std::visit(Overloaded{
                                                   [](const TextRun &p) {
                                                       return "text \"" + p.text + "\"";
                                                   },
                                                   [](const LineItem &) { return std::string("line"); },
                                                   [](const RectItem &) { return std::string("rect"); },
                                                   [](const ImageItem &) { return std::string("image"); },
                                                   [](const BarsItem &p) {
                                                       return "bars \"" + p.data + "\"";
                                                   },
                                               },
                                               item) +
               " " + rect(bounds(item)) + " " + b.band + "/" + b.source + "\n";
    };
    for (const auto &item : page.background)
        line(item, "background ");
    for (const auto &item : page.items)
        line(item, "");
    return out;
}

std::string dump(const PreparedReport &report)
{
    std::string out = "report \"" + report.title + "\", " + std::to_string(report.pages.size()) +
                      " page(s)\n";
    for (const auto &page : report.pages)
        out += dump(page);
    return out;
}

} // namespace report
