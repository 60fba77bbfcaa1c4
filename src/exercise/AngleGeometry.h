#pragma once

#include <QPointF>

// The geometry of an angle drawn in a box whose user coordinates run from
// (-2, -2) at the top left to (2, 2) at the bottom right. Degrees grow clockwise
// from straight up; rays are 3 units long so they always reach the border.
namespace exercise {

// 2pi and pi/2 in single precision, as every direction is computed with them.
inline constexpr float kTwoPi = float(3.14159265358979323846 * 2);
inline constexpr float kHalfPi = float(3.14159265358979323846 / 2);
inline constexpr double kRayLength = 3.0;

// Direction of the first arm, evaluated as (d / 360) * 2pi - pi/2.
float armDirection(int degrees);
// Direction of a sweep step, evaluated as (d * 2pi) / 360 - pi/2.
float stepDirection(int degrees);
// The far end of a ray in direction theta, in single-precision coordinates.
QPointF rayPoint(float theta);

} // namespace exercise
