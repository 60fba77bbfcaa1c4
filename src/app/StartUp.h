#pragma once

namespace platform {
class SingleInstance;
}

namespace app {

// The program's start: refuses to run beside a copy of itself, reads the
// current language and the texts every exercise needs, seeds the random
// numbers, switches sounds on and shows the splash window. Returns false when
// another copy is running (the program then ends).
bool StartUp(platform::SingleInstance& instance);

} // namespace app
