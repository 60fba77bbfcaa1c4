#pragma once

#include "sound/SoundBackend.h"
#include "sound/SoundProtocol.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <functional>

class QProcess;

namespace sound {

// The sound back end in a helper process, gonioma-sound beside the program.
// The sound system runs there, so a fault in it can silence the sounds but
// never end the program. A helper that ends after it has reported is started
// again at the next sound, with the sounds loaded so far, a few times at most
// in a run. Like every back end, it is never destroyed; the helper ends when
// the program does.
class SoundHelper final : public QObject, public SoundBackend {
    Q_OBJECT
public:
    // What the helper reported once it had started (Ready or NoOutput), or
    // Unavailable, with a reason.
    using Started = std::function<void(SoundHelper& helper, const protocol::Report& report)>;

    static constexpr int kMostRestarts = 3;

    // Starts the helper found in `dir`; `started` is called once, from the
    // event loop.
    static SoundHelper* start(const QString& dir, Started started);
    static QString fileName();

    // Only a helper that reported Ready is used, so there is a device.
    bool hasOutput() override { return true; }
    Handle load(const QString& path) override;
    void play(Handle sound) override;
    void stop(Handle sound) override;

private:
    SoundHelper(const QString& program, Started started);

    void launch();
    void send(const QByteArray& line);
    void readReport();
    void ended(const QString& why);
    void reportOnce(const protocol::Report& report);

    QString m_program;
    Started m_started;
    QProcess* m_process = nullptr;
    QStringList m_loaded; // by number, for a helper started again
    QByteArray m_output;
    bool m_reported = false;
    int m_restarts = 0;
};

} // namespace sound
