#include "sound/QtSoundBackend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace sound {

bool QtSoundBackend::hasOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

QtSoundBackend::Handle QtSoundBackend::load(const QString& path)
{
    auto* effect = new QSoundEffect;
    effect->setSource(QUrl::fromLocalFile(path));
    m_effects.push_back(effect);
    return Handle(m_effects.size() - 1);
}

void QtSoundBackend::play(Handle sound)
{
    if (QSoundEffect* effect = at(sound))
        effect->play();
}

void QtSoundBackend::stop(Handle sound)
{
    if (QSoundEffect* effect = at(sound))
        effect->stop();
}

QSoundEffect* QtSoundBackend::at(Handle sound) const
{
    if (sound < 0 || size_t(sound) >= m_effects.size())
        return nullptr;
    return m_effects[size_t(sound)];
}

} // namespace sound
