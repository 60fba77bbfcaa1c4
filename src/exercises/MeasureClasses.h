#pragma once

#include "shared/Modulo1.h"
#include "exercises/AngleClasses.h"
#include "exercises/AngleQuestion.h"
#include "language/TextDirection.h"
#include "exercises/levels/LevelDraws.h"
#include "platform/services/Random.h"

#include <QChar>
#include <QString>

namespace exercises {

// An angle of 1 to 360 degrees in which the rare classes come up often: the
// direction of its first arm, then a class draw k of 0 to 19: k 1 and 2 give a
// right angle, 3 a straight one, 4 a full turn, 5 to 10 a size of 1 to 180 and
// the rest a size of 1 to 360 (these two draw one number more, last).
// This is the exercise's default level.
inline AngleQuestion measureQuestion(const RandomDraw& next)
{
    return measureQuestion(next, defaultLevel(QStringLiteral("frmRuota1a")));
}

// The list that records the angles of a class: 0 acute, 1 right, 2 obtuse,
// 3 straight, 4 concave, 5 full turn.
constexpr int listIndex(AngleClass angleClass)
{
    return static_cast<int>(angleClass);
}
static_assert(listIndex(AngleClass::Acute) == 0 && listIndex(AngleClass::Right) == 1
              && listIndex(AngleClass::Obtuse) == 2 && listIndex(AngleClass::Straight) == 3
              && listIndex(AngleClass::Concave) == 4 && listIndex(AngleClass::Full) == 5);

// The measure as the window states it: the words, the size with a blank in
// front and the degree sign ("This angle measures 90°").
inline QString measureCaption(const QString& words, int size)
{
    return words + language::isolateMeasure(shared::countText(size) + QChar(0x00B0));
}

// One entry of a class's list: a line break, then three blanks before the
// size and the degree sign ("\r\n   90°"), so an empty list starts with an
// empty line.
inline QString listEntry(int size)
{
    return QStringLiteral("\r\n  ") + language::isolateMeasure(shared::countText(size) + QChar(0x00B0));
}

} // namespace exercises
