// The program's sound helper, gonioma-sound: it plays what the program asks
// over its standard input (see SoundProtocol) through Qt Multimedia. The sound
// system runs here, in a process of its own, so a fault in it can silence the
// program's sounds but never end an exercise. The helper ends when the program
// closes its end of the pipe, or ends itself.
#include "sound/AudioOutput.h"
#include "sound/QtSoundBackend.h"
#include "sound/SoundProtocol.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace {

namespace protocol = sound::protocol;
using sound::SoundBackend;

// The longest request the program sends is a load with a long path.
constexpr qsizetype kLongestLine = 64 * 1024;

void report(const QByteArray& line)
{
    qsizetype written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, line.constData() + written, size_t(line.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            std::_Exit(0); // the program is gone
        written += n;
    }
}

// Ends at once: the sound system's objects are never torn down (see
// SoundBackend), so nothing is left to wait for.
[[noreturn]] void end()
{
    std::_Exit(0);
}

class Server {
public:
    explicit Server(SoundBackend& backend)
        : m_backend(backend)
    {
    }

    void readInput()
    {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            return;
        if (n <= 0)
            end();
        m_pending.append(buffer, n);
        for (qsizetype feed; (feed = m_pending.indexOf('\n')) >= 0;) {
            serve(protocol::parseRequest(QByteArrayView(m_pending).first(feed)));
            m_pending.remove(0, feed + 1);
        }
        if (m_pending.size() > kLongestLine)
            m_pending.clear();
    }

private:
    void serve(const protocol::Request& request)
    {
        switch (request.kind) {
        case protocol::Request::Load:
            m_sounds.push_back(m_backend.load(request.path));
            return;
        case protocol::Request::Play:
            if (const SoundBackend::Handle sound = at(request.sound); sound != SoundBackend::kNoSound)
                m_backend.play(sound);
            return;
        case protocol::Request::Stop:
            if (const SoundBackend::Handle sound = at(request.sound); sound != SoundBackend::kNoSound)
                m_backend.stop(sound);
            return;
        case protocol::Request::Invalid:
            return;
        }
    }

    SoundBackend::Handle at(int sound) const
    {
        if (sound < 0 || size_t(sound) >= m_sounds.size())
            return SoundBackend::kNoSound;
        return m_sounds[size_t(sound)];
    }

    SoundBackend& m_backend;
    std::vector<SoundBackend::Handle> m_sounds; // by the program's numbering
    QByteArray m_pending;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Never destroyed: see SoundBackend.
    auto* backend = new sound::QtSoundBackend;
    if (!sound::hasAudioOutput(*backend)) {
        report(protocol::noOutputReport());
        end();
    }
    report(protocol::readyReport());

    Server server(*backend);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&server] { server.readInput(); });
    QCoreApplication::exec();
    end();
}
