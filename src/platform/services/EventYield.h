#pragma once

namespace platform {

// Lets the event loop process pending events from inside a long piece of work,
// so the pupil can act while a window loads or a figure is drawn.
class EventYield {
public:
    // Processes what is pending and returns at once.
    static void now();

    // One step of an animation: processes events and then waits, still
    // processing events, until one pace has passed since the previous step, so
    // that steps follow each other at exactly the pace whatever the work
    // between them costs. Tests leave the pace at 0.
    static void paced();
    static void setPaceMs(int milliseconds);
};

} // namespace platform
