#pragma once

namespace platform {
class SingleInstance;
}

#include <QString>

namespace app {

// Where the run begins: the splash, or straight the first window; the menu,
// or an exercise (a window name of the catalogue), which goes back to the
// menu when the pupil leaves it.
struct FirstWindows {
    bool splash = true;
    QString exercise;
};

// The program's start: refuses to run beside a copy of itself, reads the
// current language and the texts every exercise needs, seeds the random
// numbers, switches sounds on and shows the splash window (or the first
// window the run asks for). Returns false when another copy is running (the
// program then ends).
bool StartUp(platform::SingleInstance& instance, const FirstWindows& first = {});

} // namespace app
