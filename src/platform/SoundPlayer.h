#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// Plays a WAV file by path without waiting; a new sound replaces one that is
// still playing. Sounds are loaded once and kept for the whole run.
class SoundPlayer {
public:
    static void preload(const QStringList& paths);
    static void play(const QString& path);
    // No device to play on: every sound is dropped for the rest of the run.
    static void switchOff();

    // Tests record what would play instead of playing it.
    static void setRecorderForTesting(std::function<void(const QString&)> recorder);
};

} // namespace platform
