#include "exercise/FeedbackIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace exercise {

namespace {
constexpr int kSize = 32;

QPixmap canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPen strokePen(const QColor& color)
{
    QPen pen(color, 5.5);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}
} // namespace

QPixmap rightIcon()
{
    QPixmap pixmap = canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 245, 220));
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    painter.setPen(strokePen(QColor(20, 150, 40)));
    QPainterPath tick;
    tick.moveTo(8, 17);
    tick.lineTo(14, 23);
    tick.lineTo(25, 9);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return pixmap;
}

QPixmap wrongIcon()
{
    QPixmap pixmap = canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 222, 222));
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    painter.setPen(strokePen(QColor(205, 30, 30)));
    painter.drawLine(QPointF(10, 10), QPointF(22, 22));
    painter.drawLine(QPointF(22, 10), QPointF(10, 22));
    return pixmap;
}

} // namespace exercise
