#include "sound/AudioOutput.h"

#include <QStringList>
#include <gtest/gtest.h>

// Asking for the audio devices on a machine without sound makes the sound
// system complain; those complaints are kept back unless a device is found.

namespace {

QStringList* caught = nullptr;

void catchMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    caught->append(text);
}

TEST(AudioMessages, HeldWhileAskingAndPassedOnOnlyWhenTheAnswerIsYes)
{
    for (const bool found : {false, true}) {
        SCOPED_TRACE(found ? "a device" : "no device");
        QStringList messages;
        caught = &messages;
        const QtMessageHandler before = qInstallMessageHandler(catchMessage);

        const bool answer = sound::passMessagesOnlyIf([&] {
            qWarning("cannot reach the sound server");
            qInfo("still trying");
            EXPECT_TRUE(messages.isEmpty()); // held, not yet passed on
            return found;
        });
        qWarning("after the question");

        qInstallMessageHandler(before);
        caught = nullptr;
        EXPECT_EQ(answer, found);
        const QStringList expected = found
            ? QStringList{"cannot reach the sound server", "still trying", "after the question"}
            : QStringList{"after the question"};
        EXPECT_EQ(messages, expected);
    }
}

} // namespace
