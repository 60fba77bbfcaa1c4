#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace app {

namespace {

// The icon is drawn at start-up, on the way to the first window, so it is
// made of filled polygons only: an arc or a stroked line would bring in the
// maths library's trigonometry and Qt's path stroker for a 64-pixel picture.

// A 45-degree fan of `radius` at `vertex`, its arc turned 5 degrees at a step
// by a fixed rotation.
QPolygonF fan(const QPointF& vertex, double radius)
{
    constexpr double kCos5 = 0.99619469809174553;
    constexpr double kSin5 = 0.08715574274765817;
    QPolygonF polygon{vertex};
    double dx = radius;
    double dy = 0;
    for (int step = 0; step <= 9; ++step) {
        polygon << QPointF(vertex.x() + dx, vertex.y() - dy);
        const double turned = dx * kCos5 - dy * kSin5;
        dy = dx * kSin5 + dy * kCos5;
        dx = turned;
    }
    return polygon;
}

// An arm of the angle, `width` wide, from `from` along the unit vector `along`
// for `length` pixels.
QPolygonF arm(const QPointF& from, const QPointF& along, double length, double width)
{
    const QPointF side(-along.y() * width / 2, along.x() * width / 2);
    const QPointF to = from + along * length;
    return QPolygonF{from + side, to + side, to - side, from - side};
}

} // namespace

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
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(fan(vertex, 40));

    constexpr double kHalfSqrt2 = 0.70710678118654752;
    p.setBrush(QColor(255, 0, 0));
    p.drawPolygon(arm(vertex, QPointF(1, 0), 42, 3));
    p.drawPolygon(arm(vertex, QPointF(kHalfSqrt2, -kHalfSqrt2), 41, 3));
    return QIcon(pixmap);
}

} // namespace app
