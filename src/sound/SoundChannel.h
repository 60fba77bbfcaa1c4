#pragma once

#include "sound/SoundBackend.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace sound {

// The sounds of one back end, by path: each file is loaded once and kept; a
// missing or damaged file (see isCompleteWavFile) never reaches the back end,
// plays nothing and is looked at again the next time it is asked for. A new
// sound stops the one still playing.
class SoundChannel {
public:
    explicit SoundChannel(SoundBackend& backend);

    void preload(const QStringList& paths);
    void play(const QString& path);

private:
    SoundBackend::Handle soundFor(const QString& path);

    SoundBackend& m_backend;
    QHash<QString, SoundBackend::Handle> m_sounds;
    SoundBackend::Handle m_playing = SoundBackend::kNoSound;
};

} // namespace sound
