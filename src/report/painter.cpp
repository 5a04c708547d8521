#include "report/painter.h"

#include "report/report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>
#include <unordered_map>

namespace report {

namespace {

template <class... F> struct Overloaded : F... {
    using F::operator()...;
};
template <class... F> Overloaded(F...) -> Overloaded<F...>;

} // namespace

struct PagePainter::Fonts {
    struct Entry {
        QFont font;
        QFontMetricsF metrics;
    };
    std::unordered_map<Font, Entry, FontHash> entries;

    const Entry &get(const Font &font)
    {
        auto it = entries.find(font);
        if (it == entries.end()) {
            QFont qfont = toQFont(font);
            it = entries.emplace(font, Entry{qfont, QFontMetricsF(qfont)}).first;
        }
        return it->second;
    }
};

PagePainter::PagePainter() : FFonts(std::make_unique<Fonts>()) {}
PagePainter::~PagePainter() = default;

void PagePainter::paint(QPainter &painter, const PreparedPage &page)
{
    paint(painter, page, QRectF());
}

void PagePainter::paint(QPainter &painter, const PreparedPage &page, const QRectF &area)
{
    // Pens and glyphs reach a little past the boxes the primitives are placed by.
    constexpr double kInk = 8;
    const QRectF reach = area.adjusted(-kInk, -kInk, kInk, kInk);
    painter.save();
    // PDF output would otherwise store colour images as JPEG, which blurs the hard edges
    // of logos and codes (a red and blue checkerboard comes out purple).
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const auto draw = Overloaded{
        [&](const TextRun &run) {
            if (run.text.empty())
                return;
            const Fonts::Entry &entry = FFonts->get(run.font);
            const QString text = QString::fromStdString(run.text);
            const double width = run.width > 0 ? run.width : entry.metrics.horizontalAdvance(text);
            painter.setFont(entry.font);
            painter.setPen(run.color);
            painter.drawText(QPointF(textLeft(run, width), run.box.top() + entry.metrics.ascent()), text);
        },
        [&](const LineItem &line) {
            if (!(line.penWidth > 0))
                return;
            QPen pen(line.color, line.penWidth, line.dotted ? Qt::DotLine : Qt::SolidLine,
                     Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(line.from, line.to);
        },
        [&](const RectItem &rect) {
            if (rect.fill.isValid())
                painter.fillRect(rect.rect, rect.fill);
            if (rect.penWidth > 0) {
                const double half = rect.penWidth / 2;
                painter.setPen(QPen(rect.penColor, rect.penWidth, Qt::SolidLine, Qt::FlatCap,
                                    Qt::MiterJoin));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect.rect.adjusted(half, half, -half, -half));
            }
        },
        [&](const ImageItem &image) {
            if (image.image.isNull())
                return;
            painter.setRenderHint(QPainter::SmoothPixmapTransform, image.smooth);
            painter.drawImage(image.target, image.image,
                              image.sourceRect.isEmpty() ? QRectF(image.image.rect()) : image.sourceRect);
        },
        [&](const BarsItem &bars) {
            if (bars.bars.empty())
                return;
            // One shape, filled once: bars filled one by one leave seams where
            // antialiased edges meet (between the rows of a QR code).
            QPainterPath path;
            path.setFillRule(Qt::WindingFill);
            for (const QRectF &bar : bars.bars)
                path.addRect(bar);
            painter.fillPath(path, Qt::black);
        },
    };
    for (const auto *layer : {&page.background, &page.items})
        for (const Primitive &item : *layer)
            if (area.isNull() || reach.intersects(bounds(item).adjusted(-1, -1, 1, 1)))
                std::visit(draw, item);
    painter.restore();
}

QImage renderPage(const PreparedPage &page, double scale)
{
    const QSize size(std::max(1, static_cast<int>(std::ceil(page.size.width() * scale - 1e-6))),
                     std::max(1, static_cast<int>(std::ceil(page.size.height() * scale - 1e-6))));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    PagePainter().paint(painter, page);
    return image;
}

QPageSize paperSize(const PreparedPage &page)
{
    return QPageSize(QSizeF(pxToMm(page.size.width()), pxToMm(page.size.height())),
                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

void paintPages(QPagedPaintDevice &device, const PreparedReport &report, std::size_t first,
                std::size_t last)
{
    if (report.pages.empty() || first > last || first >= report.pages.size())
        return;
    last = std::min(last, report.pages.size() - 1);
    const auto layoutOf = [](const PreparedPage &page) {
        return QPageLayout(paperSize(page), QPageLayout::Portrait, QMarginsF());
    };
    device.setPageLayout(layoutOf(report.pages[first]));
    QPainter painter;
    if (!painter.begin(&device))
        throw EReportError("Não foi possível iniciar a impressão.");
    PagePainter pagePainter;
    for (std::size_t i = first; i <= last; ++i) {
        if (i > first) {
            // A new layout takes effect from the next page on.
            device.setPageLayout(layoutOf(report.pages[i]));
            device.newPage();
        }
        painter.save();
        painter.scale(device.logicalDpiX() / 96.0, device.logicalDpiY() / 96.0);
        pagePainter.paint(painter, report.pages[i]);
        painter.restore();
    }
    painter.end();
}

} // namespace report
