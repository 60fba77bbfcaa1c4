#pragma once

namespace platform {

// Lets the event loop process pending events from inside a drawing loop, so
// the pupil can answer while a figure is still being drawn.
//
// A pace can be set: each yield then lasts at least that many milliseconds,
// still processing events, so that a fan opens at a speed the eye can follow
// on any machine. Tests leave it at 0.
class EventYield {
public:
    static void now();
    static void setPaceMs(int milliseconds);
};

} // namespace platform
