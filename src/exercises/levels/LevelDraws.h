#pragma once

#include "exercises/AngleQuestion.h"
#include "exercises/levels/Level.h"

// The questions each exercise draws at a level. Every draw takes its random
// numbers in the order the exercise always took them; at an exercise's
// default level it draws exactly what it always drew. An upright level takes
// no number for the first arm, which then points straight up.
namespace exercises {

// The first arm's direction, 0 to 359 (0 and no number taken when upright).
int drawStart(const RandomDraw& next, const Level& level);

// Acute, right, obtuse or straight: the start, then a size of the grid.
AngleQuestion classifyQuestion(const RandomDraw& next, const Level& level);

// Concave or convex: the start, a number for the size, then the coin that
// chooses between the grid's convex sizes and its concave ones (the other
// side when one side has none). A straight angle is never drawn.
AngleQuestion concaveConvexQuestion(const RandomDraw& next, const Level& level);

// Classification by measure: the start, the class draw k of 0 to 19 (k 1
// and 2 a right angle, 3 a straight one, 4 a full turn, when the grid has
// them), then, for any other k, a size of the grid (of its sizes up to 180
// for k 5 to 10).
AngleQuestion measureQuestion(const RandomDraw& next, const Level& level);

// Build the angle: the start, then the size asked for.
AngleQuestion buildQuestion(const RandomDraw& next, const Level& level);

// Complementary, supplementary, protractor: the start, then the given size.
AngleQuestion givenAngleQuestion(const RandomDraw& next, const Level& level);

// Estimate the angle: the start, then the size.
AngleQuestion estimateQuestion(const RandomDraw& next, const Level& level);

// Compare two angles: the left size, then the right one among the grid's
// sizes that differ from it by at least the level's smallest difference.
struct AnglePair {
    int left = 0;
    int right = 0;
    bool operator==(const AnglePair&) const = default;
};
AnglePair comparePair(const RandomDraw& next, const Level& level);

// Find the right angle: the size of a box other than the right one, from a
// number in [0, 1): a size of the grid, or, when it is too near a right
// angle, the box's substitute.
int otherBoxSize(int box, double r, const Level& level);

} // namespace exercises
