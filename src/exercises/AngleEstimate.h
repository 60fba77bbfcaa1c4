#pragma once

#include "exercises/AngleQuestion.h"
#include "exercises/TypedAngle.h"
#include "exercises/levels/LevelDraws.h"
#include "platform/services/Random.h"

#include <QString>
#include <QStringView>

#include <optional>

// The rules of the window where the pupil estimates the size of an angle.
namespace exercises {

// The sizes an angle to estimate may take, both ends included. By default any
// angle short of a full turn; a narrower range makes the exercise easier.
struct EstimateRange {
    int smallest = 1;
    int largest = 359;
};

// How far an estimate may be from the true size and still be right, in
// degrees either way.
inline constexpr int kDefaultEstimateTolerance = 15;

// The direction of the first arm (0 to 359), then the size, each size of the
// range equally likely. Both numbers are drawn, in that order, before any
// drawing.
inline AngleQuestion estimateQuestion(const RandomDraw& next, EstimateRange range = {})
{
    Level level = defaultLevel(QStringLiteral("frmRuota7"));
    level.min = range.smallest;
    level.max = range.largest;
    return estimateQuestion(next, level);
}

// Whether an estimate is within `tolerance` degrees of the size.
constexpr bool estimateIsClose(int estimate, int size, int tolerance = kDefaultEstimateTolerance)
{
    // In 64 bits: an estimate may be any number a pupil can type.
    const long long difference = static_cast<long long>(estimate) - size;
    return difference >= -tolerance && difference <= tolerance;
}

// Whether the text in the answer box is a right estimate of the size. The
// number is read as in the other typed answers ("40,5" is 40); a text too
// long to be a number is wrong.
inline bool estimateIsRight(QStringView text, int size, int tolerance = kDefaultEstimateTolerance)
{
    const std::optional<int> estimate = typedAngleValue(text);
    return estimate && estimateIsClose(*estimate, size, tolerance);
}

// The estimate as the comparison shows it: the number it was read as, or the
// text as typed when it is too long to be one.
inline QString estimateShown(QStringView typed)
{
    const std::optional<int> estimate = typedAngleValue(typed);
    return estimate ? QString::number(*estimate) : typed.toString();
}

// The estimate beside the true size, after an answer: the message's "%1"
// becomes the estimate and its "%2" the size, each a measure with its degree
// sign, so each language puts them where its words need them ("Your estimate:
// %1 — the angle: %2").
inline QString estimateComparison(const QString& message, const QString& estimate, const QString& size)
{
    QString text = message;
    text.replace(QStringLiteral("%2"), size);
    text.replace(QStringLiteral("%1"), estimate);
    return text;
}

} // namespace exercises
