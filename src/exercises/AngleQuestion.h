#pragma once

#include <functional>

namespace exercises {

// Hands out the next uniform random number in [0, 1): the program's generator
// in a window, a scripted list in a test.
using RandomDraw = std::function<double()>;

// One angle to show: the direction of its first arm (whole degrees clockwise
// from straight up) and its size.
struct AngleQuestion {
    int startDegrees = 0;
    int size = 0;

    bool operator==(const AngleQuestion&) const = default;
};

} // namespace exercises
