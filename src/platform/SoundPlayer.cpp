#include "platform/SoundPlayer.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {
struct Sounds {
    QHash<QString, QSoundEffect*> effects; // owned by the application object
    QPointer<QSoundEffect> playing;
    std::function<void(const QString&)> recorder;
    bool off = false;
};

Sounds& sounds()
{
    static Sounds s;
    return s;
}

QSoundEffect* effectFor(const QString& path)
{
    Sounds& s = sounds();
    if (QSoundEffect* effect = s.effects.value(path))
        return effect;
    auto* effect = new QSoundEffect(QCoreApplication::instance());
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
