#pragma once

#include "platform/SoundBackend.h"

#include <QString>

#include <memory>

namespace platform {

// Finds the sound module in a folder, loads it and asks it for its back end.
class SoundModule {
public:
    struct Loaded {
        // Null when there is none; then `failure` says why, in a few words.
        std::unique_ptr<SoundBackend> backend;
        QString failure;
    };

    // The module stays loaded for the rest of the run. A back end may be
    // destroyed while it holds no sounds; see SoundBackend.
    static Loaded load(const QString& dir);

    // The module's file name, the same in the build folder and installed.
    static QString fileName();
};

} // namespace platform
