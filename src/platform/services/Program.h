#pragma once

namespace platform {

// Ends the program at once: every window is closed without running its
// handlers. Tests read that it happened.
class Program {
public:
    static void end();
    static bool endedForTesting();
    static void resetForTesting();
};

} // namespace platform
