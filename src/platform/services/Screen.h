#pragma once

#include <QSize>

namespace platform {

// The screen's width and height. Tests set a screen of their own.
class Screen {
public:
    static QSize size();
    static void setSizeForTesting(const QSize& size); // invalid size restores the real one

    // Runs the program in a normal window of this size: size() gives it, and
    // a window that fills the screen takes it instead.
    static void useWindow(const QSize& size);
    static bool isWindowed();
};

} // namespace platform
