#pragma once

#include "exercise/FanDrawing.h"
#include "language/Messages.h"
#include "language/TextDirection.h"

#include <QChar>
#include <QString>

#include <optional>

// The rules of building an angle by turning an arm: how far the arm may turn,
// what a refused turn says, how a back step draws, and the texts that show a
// measure.
namespace exercises {

// The largest angle that can be built: a full turn.
inline constexpr int kFullTurn = 360;

// Forward opens the angle (the arm turns clockwise), back closes it.
enum class TurnWay { Forward, Back };

// The left mouse button turns forward; any other turns back.
constexpr TurnWay turnWayFor(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? TurnWay::Forward : TurnWay::Back;
}

// The built angle after turning `step` degrees the given way, or nothing when
// the turn would take it above a full turn or below nothing.
constexpr std::optional<int> turned(int built, int step, TurnWay way)
{
    const int after = way == TurnWay::Forward ? built + step : built - step;
    if (after < 0 || after > kFullTurn)
        return std::nullopt;
    return after;
}

// The message that refuses a turn: too far forward, or too far back.
inline language::Message refusalMessage(TurnWay way)
{
    return way == TurnWay::Forward ? language::Message::TurnTooFarForward : language::Message::TurnTooFarBack;
}

// The colour a back step draws at `offset` degrees from the first arm: white,
// which erases the sweep line there, except on the first arm itself (a full
// turn lies on it), which stays.
constexpr int backStepColor(int offset)
{
    return offset % kFullTurn == 0 ? exercise::kArmColor : exercise::kEraseColor;
}

// A measure after a blank, as the request and the built angle show it: " 40°".
inline QString spacedDegrees(int degrees)
{
    return QLatin1Char(' ') + language::isolateMeasure(QString::number(degrees) + QChar(0x00B0));
}

// The request: its message, then the size asked for after a blank.
inline QString requestText(const QString& message, int target)
{
    return message + spacedDegrees(target);
}

// What the drawing box tells after a turn: its message, then the built angle
// in plain digits.
inline QString builtAngleTip(const QString& message, int built)
{
    return message + language::isolateMeasure(QString::number(built) + QChar(0x00B0));
}

} // namespace exercises
