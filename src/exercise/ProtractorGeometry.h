#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>

// The geometry of the on-screen protractor, in pixels.
//
// In its own frame the centre is the origin, the base line runs along x from
// -radius to +radius and the half disc lies above it (y negative, as on the
// screen); a narrow rim lies below the base line. A mark of d degrees stands
// d degrees counter-clockwise from the right end of the base line. The frame is
// placed in a drawing box by its centre and a rotation, clockwise in whole
// degrees, as every direction of the program turns.
namespace exercise::protractor {

enum class TickKind { Degree, Five, Ten };

// Every degree has a tick, every fifth a longer one, every tenth the longest.
TickKind tickKind(int degree);
// How far the tick of a mark reaches in from the arc, as a share of the radius.
double tickLength(TickKind kind);

// The numbers written at a mark, every 10 degrees: the outer scale counts
// clockwise from 0 at the left end of the base line, the inner scale
// counter-clockwise from 0 at its right end, as on a real protractor.
struct ScaleNumbers {
    int outer;
    int inner;
    bool operator==(const ScaleNumbers&) const = default;
};
std::optional<ScaleNumbers> numbersAt(int degree);

// The point of a mark at `distance` from the centre, in the protractor's frame.
QPointF markPoint(double degree, double distance);

// The radius that fits the protractor into a box of this size at any rotation.
double radiusForBox(double width, double height);
// The height of the rim below the base line.
double rimHeight(double radius);
// The round handle that turns it: its centre in the protractor's frame and its radius.
QPointF handleCentre(double radius);
double handleRadius(double radius);

// From the protractor's frame to the box's pixels.
QTransform placement(QPointF centre, int rotation);

// Hit tests, in the protractor's frame.
bool onProtractor(QPointF local, double radius);
bool onHandle(QPointF local, double radius);

// Whole degrees in 0..359.
int normalisedRotation(int degrees);
// How far a line from the origin turned clockwise going from `from` to `to`,
// in degrees, -180 to 180.
double clockwiseTurn(QPointF from, QPointF to);

// The smallest rectangle around the protractor at this rotation, relative to its centre.
QRectF bounds(double radius, int rotation);
// The nearest centre at which the protractor lies wholly inside `box`
// (centred where the box is too small for it).
QPointF clampedCentre(QPointF centre, double radius, int rotation, const QRectF& box);

// The same in whole pixels from `vertex`: where the centre may stand, nearest
// to `wantedOffset`, with the protractor wholly inside `box`.
QPoint clampedOffset(QPointF wantedOffset, QPointF vertex, double radius, int rotation, const QRectF& box);

// The words that tell where the centre is with respect to the vertex.
struct OffsetWords {
    QString onVertex;  // "centre on the vertex"
    QString ofVertex;  // "%1 of the vertex"
    QString right;     // "%1 px right"
    QString left;
    QString up;
    QString down;
};
// "centre on the vertex", or "12 px right, 3 px up of the vertex"; `offset`
// is the centre's place minus the vertex's, in pixels, y down.
QString describeOffset(QPoint offset, const OffsetWords& words);

} // namespace exercise::protractor
