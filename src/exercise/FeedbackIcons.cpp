#include "exercise/FeedbackIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace exercise {

namespace {
constexpr int kSize = 32;

// A round badge in a light tint with a bold mark drawn over it in `ink`.
template <class Mark> QPixmap badge(const QColor& tint, const QColor& ink, Mark drawMark)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
    QPen pen(ink, 5.5);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    drawMark(painter);
    return pixmap;
}
} // namespace

QPixmap rightIcon()
{
    return badge(QColor(220, 245, 220), QColor(20, 150, 40), [](QPainter& p) {
        QPainterPath tick;
        tick.moveTo(8, 17);
        tick.lineTo(14, 23);
        tick.lineTo(25, 9);
        p.drawPath(tick);
    });
}

QPixmap wrongIcon()
{
    return badge(QColor(250, 222, 222), QColor(205, 30, 30), [](QPainter& p) {
        p.drawLine(QPointF(10, 10), QPointF(22, 22));
        p.drawLine(QPointF(22, 10), QPointF(10, 22));
    });
}

} // namespace exercise
