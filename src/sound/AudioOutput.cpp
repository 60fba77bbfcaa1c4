#include "sound/AudioOutput.h"

#include "sound/SoundBackend.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QString>

namespace sound {

namespace {

struct HeldMessage {
    QtMsgType type;
    QString text;
};

// The sound system may print from a thread of its own.
QMutex heldLock;
QList<HeldMessage>* held = nullptr;
QtMessageHandler passOn = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    QMutexLocker lock(&heldLock);
    if (type == QtFatalMsg || !held) {
        passOn(type, context, text);
        return;
    }
    held->append({type, text});
}

} // namespace

bool passMessagesOnlyIf(const std::function<bool()>& query)
{
    QList<HeldMessage> messages;
    QtMessageHandler previous = nullptr;
    {
        QMutexLocker lock(&heldLock);
        held = &messages;
        previous = qInstallMessageHandler(holdMessage);
        passOn = previous;
    }
    const bool answer = query();
    {
        QMutexLocker lock(&heldLock);
        qInstallMessageHandler(previous);
        held = nullptr;
    }
    if (answer) {
        for (const HeldMessage& message : messages)
            previous(message.type, QMessageLogContext(), message.text);
    }
    return answer;
}

bool hasAudioOutput(SoundBackend& backend)
{
    return passMessagesOnlyIf([&backend] { return backend.hasOutput(); });
}

} // namespace sound
