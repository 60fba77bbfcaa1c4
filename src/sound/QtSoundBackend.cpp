// The sound back end on Qt Multimedia, built as a module of its own that the
// program loads a moment after start-up: the program does not link Qt
// Multimedia, and the libraries it brings are mapped only once the first
// window is up.
#include "platform/SoundBackend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <vector>

namespace sound {

namespace {

class QtSoundBackend final : public platform::SoundBackend {
public:
    bool hasOutput() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    Handle load(const QString& path) override
    {
        auto* effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
        m_effects.push_back(effect);
        return Handle(m_effects.size() - 1);
    }

    void play(Handle sound) override
    {
        if (QSoundEffect* effect = at(sound))
            effect->play();
    }

    void stop(Handle sound) override
    {
        if (QSoundEffect* effect = at(sound))
            effect->stop();
    }

private:
    QSoundEffect* at(Handle sound) const
    {
        if (sound < 0 || size_t(sound) >= m_effects.size())
            return nullptr;
        return m_effects[size_t(sound)];
    }

    // Never deleted: an effect's destructor can wait without end while its
    // file is still being loaded.
    std::vector<QSoundEffect*> m_effects;
};

} // namespace

} // namespace sound

extern "C" Q_DECL_EXPORT platform::SoundBackend* gonioma_sound_backend(int interfaceVersion)
{
    if (interfaceVersion != platform::kSoundBackendVersion)
        return nullptr;
    return new sound::QtSoundBackend;
}
