#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace sound {

class SoundBackend;

// Plays a WAV file by path without waiting; a new sound replaces one that is
// still playing. Sounds are loaded once and kept for the whole run, and never
// torn down: the end of the program does not wait on the sound back end. A
// missing or damaged file (see isCompleteWav) plays nothing, and so does
// every sound until a back end is given.
class SoundPlayer {
public:
    // The back end every sound goes through from now on; it is never destroyed.
    static void useBackend(std::unique_ptr<SoundBackend> backend);
    static void preload(const QStringList& paths);
    static void play(const QString& path);
    // No device to play on: every sound is dropped for the rest of the run.
    static void switchOff();

    // Tests record what would play instead of playing it.
    static void setRecorderForTesting(std::function<void(const QString&)> recorder);
};

} // namespace sound
