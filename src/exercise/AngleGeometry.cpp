#include "exercise/AngleGeometry.h"

#include <cmath>

namespace exercise {

float armDirection(int degrees)
{
    return float(double(degrees) / 360.0 * double(kTwoPi) - double(kHalfPi));
}

float stepDirection(int degrees)
{
    return float(double(degrees) * double(kTwoPi) / 360.0 - double(kHalfPi));
}

QPointF rayPoint(float theta)
{
    const float x = float(kRayLength * std::cos(double(theta)));
    const float y = float(kRayLength * std::sin(double(theta)));
    return QPointF(x, y);
}

} // namespace exercise
