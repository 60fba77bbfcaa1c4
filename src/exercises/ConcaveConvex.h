#pragma once

#include "exercises/AngleQuestion.h"
#include "exercises/levels/LevelDraws.h"
#include "platform/services/Random.h"

namespace exercises {

// An angle smaller or larger than a straight angle, never equal to one: the
// direction of its first arm, then a size of 10 to 170 in steps of 10, then a
// coin that makes half of the angles concave by adding 180 (190 to 350). The
// three numbers are drawn in that order, all before any drawing.
// This is the exercise's default level.
inline AngleQuestion concaveConvexQuestion(const RandomDraw& next)
{
    return concaveConvexQuestion(next, defaultLevel(QStringLiteral("frmRuota2")));
}

// The two answers of the exercise.
enum class Convexity { Convex, Concave };

// Convex is below a straight angle, concave above it.
constexpr bool answerIsRight(Convexity claimed, int size)
{
    return claimed == Convexity::Convex ? size < 180 : size > 180;
}

} // namespace exercises
