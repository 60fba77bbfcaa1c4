#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {

QIcon programIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 192, 255));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    const QPointF vertex(14, 50);
    QPainterPath fan(vertex);
    fan.arcTo(QRectF(vertex.x() - 40, vertex.y() - 40, 80, 80), 0, 45);
    fan.closeSubpath();
    p.setBrush(QColor(255, 255, 0));
    p.drawPath(fan);
    QPen arm(QColor(255, 0, 0), 3);
    arm.setCapStyle(Qt::RoundCap);
    p.setPen(arm);
    p.drawLine(vertex, QPointF(56, 50));
    p.drawLine(vertex, QPointF(43, 21));
    return QIcon(pixmap);
}

} // namespace app
