#include "exercise/ProtractorGeometry.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace exercise::protractor {

namespace {
double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}
} // namespace

TickKind tickKind(int degree)
{
    if (degree % 10 == 0)
        return TickKind::Ten;
    if (degree % 5 == 0)
        return TickKind::Five;
    return TickKind::Degree;
}

double tickLength(TickKind kind)
{
    switch (kind) {
    case TickKind::Ten:
        return 0.12;
    case TickKind::Five:
        return 0.08;
    case TickKind::Degree:
        break;
    }
    return 0.045;
}

std::optional<ScaleNumbers> numbersAt(int degree)
{
    if (degree < 0 || degree > 180 || degree % 10 != 0)
        return std::nullopt;
    return ScaleNumbers{180 - degree, degree};
}

QPointF markPoint(double degree, double distance)
{
    return QPointF(distance * std::cos(radians(degree)), -distance * std::sin(radians(degree)));
}

double radiusForBox(double width, double height)
{
    // Turned on its side it is twice its radius tall; the rim and a margin
    // for the focus frame come off that.
    return 0.45 * std::min(width, height);
}

double rimHeight(double radius)
{
    return 0.07 * radius;
}

QPointF handleCentre(double radius)
{
    // Inside the disc, well clear of the scales and of the centre mark.
    return QPointF(0, -0.4 * radius);
}

double handleRadius(double radius)
{
    return std::max(10.0, 0.07 * radius);
}

QTransform placement(QPointF centre, int rotation)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(rotation); // clockwise on a screen whose y points down
    return t;
}

bool onProtractor(QPointF local, double radius)
{
    const bool inHalfDisc = local.y() <= 0 && std::hypot(local.x(), local.y()) <= radius;
    const bool inRim = local.y() >= 0 && local.y() <= rimHeight(radius) && std::abs(local.x()) <= radius;
    return inHalfDisc || inRim;
}

bool onHandle(QPointF local, double radius)
{
    const QPointF d = local - handleCentre(radius);
    return std::hypot(d.x(), d.y()) <= handleRadius(radius);
}

int normalisedRotation(int degrees)
{
    return ((degrees % 360) + 360) % 360;
}

double clockwiseTurn(QPointF from, QPointF to)
{
    // With y pointing down, atan2 grows clockwise.
    double turn = (std::atan2(to.y(), to.x()) - std::atan2(from.y(), from.x())) * 180.0 / std::numbers::pi;
    if (turn > 180)
        turn -= 360;
    if (turn <= -180)
        turn += 360;
    return turn;
}

QRectF bounds(double radius, int rotation)
{
    const QTransform turn = placement(QPointF(0, 0), rotation);
    const double rim = rimHeight(radius);
    QList<QPointF> points = {QPointF(-radius, 0), QPointF(radius, 0), QPointF(-radius, rim), QPointF(radius, rim)};
    for (QPointF& p : points)
        p = turn.map(p);
    // The arc reaches furthest where it points straight right, down, left or
    // up, when those directions lie on it. On the screen the arc runs from
    // rotation - 180 to rotation degrees (0 to the right, clockwise).
    for (int screen = 0; screen < 360; screen += 90) {
        const int fromStart = normalisedRotation(screen - (rotation - 180));
        if (fromStart <= 180)
            points.append(QPointF(radius * std::cos(radians(screen)), radius * std::sin(radians(screen))));
    }
    double left = 0, right = 0, top = 0, bottom = 0;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPointF clampedCentre(QPointF centre, double radius, int rotation, const QRectF& box)
{
    const QRectF b = bounds(radius, rotation);
    const auto clampAxis = [](double value, double low, double high, double middle) {
        return low > high ? middle : std::clamp(value, low, high);
    };
    return QPointF(clampAxis(centre.x(), box.left() - b.left(), box.right() - b.right(), box.center().x()),
                   clampAxis(centre.y(), box.top() - b.top(), box.bottom() - b.bottom(), box.center().y()));
}

QPoint clampedOffset(QPointF wantedOffset, QPointF vertex, double radius, int rotation, const QRectF& box)
{
    const QRectF b = bounds(radius, rotation);
    const auto clampAxis = [](double wanted, double low, double high, double fallback) {
        const double first = std::ceil(low);
        const double last = std::floor(high);
        return int(std::lround(first > last ? fallback : std::clamp(std::round(wanted), first, last)));
    };
    const QPointF centred = clampedCentre(vertex + wantedOffset, radius, rotation, box) - vertex;
    return QPoint(clampAxis(wantedOffset.x(), box.left() - b.left() - vertex.x(), box.right() - b.right() - vertex.x(),
                            centred.x()),
                  clampAxis(wantedOffset.y(), box.top() - b.top() - vertex.y(), box.bottom() - b.bottom() - vertex.y(),
                            centred.y()));
}

QString describeOffset(QPoint offset, const OffsetWords& words)
{
    if (offset.isNull())
        return words.onVertex;
    QStringList parts;
    if (offset.x() != 0)
        parts.append((offset.x() > 0 ? words.right : words.left).arg(std::abs(offset.x())));
    if (offset.y() != 0)
        parts.append((offset.y() > 0 ? words.down : words.up).arg(std::abs(offset.y())));
    return words.ofVertex.arg(parts.join(QStringLiteral(", ")));
}

} // namespace exercise::protractor
