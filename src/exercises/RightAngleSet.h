#pragma once

#include "exercises/levels/LevelDraws.h"
#include "platform/services/Random.h"

#include <functional>
#include <utility>

namespace exercises {

// Six boxes, one of which holds the right angle.
inline constexpr int kAngleBoxCount = 6;
inline constexpr int kRightAngle = 90;

// What a box other than the right one shows when its draw gives a right angle,
// so that the right box stays the only one with 90 degrees.
constexpr int substituteSize(int box)
{
    if (box == 1)
        return 30;
    if (box == kAngleBoxCount)
        return 170;
    return 40;
}

// The box that holds the right angle, 1 to 6, from a number in [0, 1).
inline int rightBoxFrom(double r)
{
    return platform::integerPart(r * kAngleBoxCount) + 1;
}

// The size of a box that is not the right one, from a number in [0, 1): one of
// 30, 60, ..., 360 degrees, its substitute in place of 90.
// This is the exercise's default level.
inline int otherBoxSize(int box, double r)
{
    return otherBoxSize(box, r, defaultLevel(QStringLiteral("frmRuota4")));
}

// The angle shown in one box, in whole degrees.
struct BoxAngle {
    int start = 0; // the first arm, clockwise from straight up: 0 to 359
    int size = 0;

    bool operator==(const BoxAngle&) const = default;
};

// The angles of one question, chosen box by box, each just before its box is
// drawn. The right box is drawn first; then each box draws its start and,
// unless it is the right box, its size.
class RightAngleSet {
public:
    // `next` gives the random numbers, in [0, 1).
    explicit RightAngleSet(std::function<double()> next, Level level = defaultLevel(QStringLiteral("frmRuota4")))
        : m_next(std::move(next))
        , m_level(std::move(level))
        , m_rightBox(rightBoxFrom(m_next()))
    {
    }

    int rightBox() const { return m_rightBox; }

    // The angle of box 1 to 6; the boxes are chosen in order, one call each.
    BoxAngle choose(int box)
    {
        BoxAngle angle;
        angle.start = drawStart(m_next, m_level);
        angle.size = box == m_rightBox ? kRightAngle : otherBoxSize(box, m_next(), m_level);
        return angle;
    }

private:
    std::function<double()> m_next;
    Level m_level;
    int m_rightBox;
};

// Only the size decides: perpendicular arms of a 270-degree angle are not it.
constexpr bool isRightAngle(int size)
{
    return size == kRightAngle;
}

} // namespace exercises
