#pragma once

#include <QString>

namespace sound {

// What the program needs of a sound system: whether there is a device to play
// on, sounds loaded from files, and playing and stopping one. The program's
// back end is SoundHelper, which hands each request to the sound helper
// process; the helper plays it through QtSoundBackend. So only the helper
// links a sound library.
//
// A back end that has loaded sounds is never destroyed, nor are its sounds: a
// sound system can wait without end while a sound is torn down, and the
// program must end at once whatever its sounds.
class SoundBackend {
public:
    // Stands for a loaded sound; kNoSound when a file could not be taken.
    using Handle = int;
    static constexpr Handle kNoSound = -1;

    virtual ~SoundBackend() = default;

    virtual bool hasOutput() = 0;
    // The file is a complete WAV file (checked before it is handed over).
    virtual Handle load(const QString& path) = 0;
    // Starts a sound from its beginning without waiting for it to end.
    virtual void play(Handle sound) = 0;
    virtual void stop(Handle sound) = 0;
};

} // namespace sound
