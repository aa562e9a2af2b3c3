#include "MovementIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kucun {

namespace {

// A round badge with an arrow: down into stock (green) or up out of it (red).
QIcon badge(const QColor &colour, bool pointsDown)
{
    constexpr int size = 32;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));

    QPainterPath arrow;
    const qreal tip = pointsDown ? 25 : 7;
    const qreal base = pointsDown ? 15 : 17;
    const qreal tail = pointsDown ? 6 : 26;
    arrow.moveTo(16, tip);
    arrow.lineTo(7, base);
    arrow.lineTo(12.5, base);
    arrow.lineTo(12.5, tail);
    arrow.lineTo(19.5, tail);
    arrow.lineTo(19.5, base);
    arrow.lineTo(25, base);
    arrow.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    return QIcon(pixmap);
}

} // namespace

const QList<QIcon> &movementIcons()
{
    static const QList<QIcon> icons = {badge(QColor(0xd3, 0x2f, 0x2f), false),
                                       badge(QColor(0x2e, 0x7d, 0x32), true)};
    return icons;
}

} // namespace kucun
