#include "sound/SoundChannel.h"

#include "sound/WavHeader.h"

namespace sound {

SoundChannel::SoundChannel(SoundBackend& backend)
    : m_backend(backend)
{
}

void SoundChannel::preload(const QStringList& paths)
{
    for (const QString& path : paths)
        soundFor(path);
}

void SoundChannel::play(const QString& path)
{
    if (m_playing != SoundBackend::kNoSound) {
        m_backend.stop(m_playing);
        m_playing = SoundBackend::kNoSound;
    }
    const SoundBackend::Handle sound = soundFor(path);
    if (sound == SoundBackend::kNoSound)
        return;
    m_backend.play(sound);
    m_playing = sound;
}

SoundBackend::Handle SoundChannel::soundFor(const QString& path)
{
    if (const auto known = m_sounds.constFind(path); known != m_sounds.cend())
        return *known;
    if (!isCompleteWavFile(path))
        return SoundBackend::kNoSound;
    const SoundBackend::Handle sound = m_backend.load(path);
    if (sound != SoundBackend::kNoSound)
        m_sounds.insert(path, sound);
    return sound;
}

} // namespace sound
