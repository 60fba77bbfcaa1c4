#include "sound/SoundPlayer.h"

#include "sound/SoundChannel.h"

namespace sound {

namespace {
struct Sounds {
    SoundChannel* channel = nullptr;
    std::function<void(const QString&)> recorder;
    bool off = false;
};

// Neither this state nor its channel and back end are ever destroyed: the
// back end can wait without end while a sound is torn down (a file still
// being loaded), and the program must end at once whatever the sounds. The
// system takes them back when the process ends.
Sounds& sounds()
{
    static Sounds* const s = new Sounds;
    return *s;
}
} // namespace

void SoundPlayer::useBackend(std::unique_ptr<SoundBackend> backend)
{
    sounds().channel = new SoundChannel(*backend.release());
}

void SoundPlayer::preload(const QStringList& paths)
{
    const Sounds& s = sounds();
    if (s.recorder || s.off || !s.channel)
        return;
    s.channel->preload(paths);
}

void SoundPlayer::play(const QString& path)
{
    const Sounds& s = sounds();
    if (s.recorder) {
        s.recorder(path);
        return;
    }
    if (s.off || !s.channel)
        return;
    s.channel->play(path);
}

void SoundPlayer::switchOff()
{
    sounds().off = true;
}

void SoundPlayer::setRecorderForTesting(std::function<void(const QString&)> recorder)
{
    sounds().recorder = std::move(recorder);
}

} // namespace sound
