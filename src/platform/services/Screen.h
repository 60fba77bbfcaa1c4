#pragma once

#include <QSize>

namespace platform {

// The screen's width and height. Tests set a screen of their own.
class Screen {
public:
    static QSize size();
    static void setSizeForTesting(const QSize& size); // invalid size restores the real one
};

} // namespace platform
