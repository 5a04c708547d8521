#include "app/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace app {

namespace {

// The colours of one state of a glyph: the disabled image repeats the drawing in greys.
struct TInk {
    QColor line;
    QColor fill;
    QColor accent;
};

constexpr int DisabledGrey = 160;

TInk Normal(QColor fill, QColor accent)
{
    return {QColor(40, 40, 40), fill, accent};
}

TInk Disabled()
{
    return {QColor(DisabledGrey, DisabledGrey, DisabledGrey), QColor(225, 225, 225),
            QColor(190, 190, 190)};
}

QPixmap Draw(int size, const TInk &ink, const std::function<void(QPainter &, const TInk &)> &paint)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, ink);
    return pixmap;
}

QIcon TwoStateGlyph(QColor fill, QColor accent,
                    const std::function<void(QPainter &, const TInk &)> &paint)
{
    QIcon icon;
    icon.addPixmap(Draw(GlyphSize, Normal(fill, accent), paint), QIcon::Normal);
    icon.addPixmap(Draw(GlyphSize, Disabled(), paint), QIcon::Disabled);
    return icon;
}

void Magnifier(QPainter &painter, const TInk &ink, QPointF centre, qreal radius)
{
    painter.setPen(QPen(ink.line, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(radius * 0.7, radius * 0.7),
                     centre + QPointF(radius * 1.7, radius * 1.7));
    painter.setPen(QPen(ink.line, 1.5));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

QIcon GlyphLocalizar()
{
    return TwoStateGlyph(QColor(245, 200, 80), QColor(220, 160, 40), [](QPainter &p, const TInk &ink) {
        p.setPen(QPen(ink.line, 1));
        // Back of the folder with its tab, then the open front leaning forward.
        QPainterPath back;
        back.moveTo(2, 5);
        back.lineTo(9, 5);
        back.lineTo(11, 8);
        back.lineTo(21, 8);
        back.lineTo(21, 21);
        back.lineTo(2, 21);
        back.closeSubpath();
        p.setBrush(ink.accent);
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(2, 21);
        front.lineTo(6, 12);
        front.lineTo(24, 12);
        front.lineTo(21, 21);
        front.closeSubpath();
        p.setBrush(ink.fill);
        p.drawPath(front);
        Magnifier(p, ink, QPointF(17, 15), 4.5);
    });
}

QIcon GlyphVisualizar()
{
    return TwoStateGlyph(QColor(255, 255, 255), QColor(40, 110, 200), [](QPainter &p, const TInk &ink) {
        // A page with a folded corner and a few lines of text.
        QPainterPath page;
        page.moveTo(4, 1.5);
        page.lineTo(16, 1.5);
        page.lineTo(21, 6.5);
        page.lineTo(21, 24.5);
        page.lineTo(4, 24.5);
        page.closeSubpath();
        p.setPen(QPen(ink.line, 1));
        p.setBrush(ink.fill);
        p.drawPath(page);
        p.drawPolyline(QPolygonF({QPointF(16, 1.5), QPointF(16, 6.5), QPointF(21, 6.5)}));
        p.setPen(QPen(ink.accent, 1.2));
        for (qreal y = 9; y <= 13; y += 2)
            p.drawLine(QPointF(7, y), QPointF(18, y));
        // The eye over the lower half.
        QPainterPath eye;
        eye.moveTo(6, 19);
        eye.quadTo(13, 12.5, 20, 19);
        eye.quadTo(13, 25.5, 6, 19);
        p.setPen(QPen(ink.line, 1.2));
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(eye);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.accent);
        p.drawEllipse(QPointF(13, 19), 2.6, 2.6);
    });
}

QPixmap Logo()
{
    const TInk ink = Normal(QColor(255, 255, 255), QColor(30, 100, 180));
    return Draw(LogoSize, ink, [](QPainter &p, const TInk &ink) {
        // A round badge behind an upright page.
        QLinearGradient badge(0, 0, LogoSize, LogoSize);
        badge.setColorAt(0, ink.accent.lighter(150));
        badge.setColorAt(1, ink.accent);
        p.setPen(Qt::NoPen);
        p.setBrush(badge);
        p.drawEllipse(QRectF(8, 8, 240, 240));

        QPainterPath page;
        page.moveTo(68, 40);
        page.lineTo(158, 40);
        page.lineTo(190, 72);
        page.lineTo(190, 216);
        page.lineTo(68, 216);
        page.closeSubpath();
        p.setPen(QPen(ink.line, 3));
        p.setBrush(ink.fill);
        p.drawPath(page);
        p.setBrush(QColor(220, 225, 235));
        p.drawPolygon(QPolygonF({QPointF(158, 40), QPointF(158, 72), QPointF(190, 72)}));

        p.setPen(QPen(QColor(170, 180, 195), 5, Qt::SolidLine, Qt::RoundCap));
        for (int y = 90; y <= 130; y += 20)
            p.drawLine(84, y, 174, y);

        QFont font(QStringLiteral("Sans Serif"));
        font.setBold(true);
        font.setPixelSize(46);
        p.setFont(font);
        p.setPen(ink.accent.darker(130));
        p.drawText(QRectF(68, 146, 122, 60), Qt::AlignCenter, QStringLiteral("XML"));
    });
}

} // namespace app
