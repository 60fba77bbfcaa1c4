#pragma once

#include "sound/SoundBackend.h"

#include <vector>

class QSoundEffect;

namespace sound {

// The sound back end on Qt Multimedia. It is built into the sound helper
// only: the program itself never links Qt Multimedia.
class QtSoundBackend final : public SoundBackend {
public:
    bool hasOutput() override;
    Handle load(const QString& path) override;
    void play(Handle sound) override;
    void stop(Handle sound) override;

private:
    QSoundEffect* at(Handle sound) const;

    // Never deleted: an effect's destructor can wait without end while its
    // file is still being loaded.
    std::vector<QSoundEffect*> m_effects;
};

} // namespace sound
