#include "platform/SoundPlayer.h"

#include "platform/WavHeader.h"

#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {
struct Sounds {
    QHash<QString, QSoundEffect*> effects;
    QPointer<QSoundEffect> playing;
    std::function<void(const QString&)> recorder;
    bool off = false;
};

// Neither this table nor its effects are ever destroyed: the sound back end
// can wait without end in an effect's destructor (while a file is still being
// loaded), and the program must end at once whatever the sounds. The system
// takes them back when the process ends.
Sounds& sounds()
{
    static Sounds* const s = new Sounds;
    return *s;
}

// The effect of a complete WAV file, loaded on first use; none for a missing
// or damaged file, which is looked at again the next time it is asked for.
QSoundEffect* effectFor(const QString& path)
{
    Sounds& s = sounds();
    if (QSoundEffect* effect = s.effects.value(path))
        return effect;
    if (!isCompleteWavFile(path))
        return nullptr;
    auto* effect = new QSoundEffect;
    effect->setSource(QUrl::fromLocalFile(path));
    s.effects.insert(path, effect);
    return effect;
}
} // namespace

void SoundPlayer::preload(const QStringList& paths)
{
    if (sounds().recorder || sounds().off)
        return;
    for (const QString& path : paths)
        effectFor(path);
}

void SoundPlayer::play(const QString& path)
{
    Sounds& s = sounds();
    if (s.recorder) {
        s.recorder(path);
        return;
    }
    if (s.off)
        return;
    if (s.playing)
        s.playing->stop();
    QSoundEffect* effect = effectFor(path);
    if (!effect)
        return;
    effect->play();
    s.playing = effect;
}

void SoundPlayer::switchOff()
{
    sounds().off = true;
}

void SoundPlayer::setRecorderForTesting(std::function<void(const QString&)> recorder)
{
    sounds().recorder = std::move(recorder);
}

} // namespace platform
