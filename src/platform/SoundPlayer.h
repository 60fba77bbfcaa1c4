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

    // Tests record what would play instead of playing it.
    static void setRecorderForTesting(std::function<void(const QString&)> recorder);
};

} // namespace platform
