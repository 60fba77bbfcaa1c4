#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace resize {

// What a control's tag lets the resizer change. The four parts follow the
// order of a layout record: left (X1), top (Y1), width (X2), height (Y2).
struct ResizeDirective {
    bool left = true;
    bool top = true;
    bool width = true;
    bool height = true;

    // Whether the part at index 0..3 of a layout record is scaled.
    bool scales(int index) const;

    friend bool operator==(const ResizeDirective&, const ResizeDirective&) = default;
};

// A tag that begins with "@" scales only the parts whose letters L, T, W, H
// it contains anywhere (case does not matter), so "@" alone keeps the control
// fixed; any other tag, the empty one included, scales everything.
ResizeDirective parseDirective(const QString& tag);

// A recorded length: nearest integer, halves to even (2.5 -> 2, 3.5 -> 4),
// kept within the range of int.
int roundHalfEven(double value);

struct ScaleRatios {
    double horizontal = 1.0;
    double vertical = 1.0;
};

// The ratios of the present inner size to the reference one, or nothing when
// the reference has no area in either direction: a window recorded that way
// gives no proportions to keep, and dividing by it would throw the controls
// to infinity.
std::optional<ScaleRatios> scaleRatios(QSize present, QSize reference);

// One layout record scaled by the two ratios: the first and third values
// (left and width, or X1 and X2) horizontally, the second and fourth (top and
// height, or Y1 and Y2) vertically. The products are not rounded here; the
// control keeps them as its own property type does.
std::array<double, 4> scaleRecord(const std::array<int, 4>& recorded, ScaleRatios ratios);

// A control's place in a window of a language written right to left: its
// left-to-right place mirrored within its parent's inner width (the window's,
// or its frame's for a control inside a frame); the other direction keeps it.
QRect placeInDirection(const QRect& leftToRight, int parentWidth, bool mirrored);

// A window at the given percentage of the screen in each direction, centred:
// the size is truncated towards minus infinity, and a half left over when
// centring is dropped, because positions are whole pixels.
QRect screenFraction(QSize screen, quint8 percentage);

} // namespace resize
