// The lines the program and its sound helper exchange.
#include "sound/SoundProtocol.h"

#include <gtest/gtest.h>

namespace {

namespace protocol = sound::protocol;
using protocol::Report;
using protocol::Request;

// A request as the helper reads it: its line without the line feed.
Request readBack(const QByteArray& sent)
{
    EXPECT_TRUE(sent.endsWith('\n'));
    EXPECT_EQ(sent.count('\n'), 1) << sent.toStdString();
    return protocol::parseRequest(QByteArrayView(sent).chopped(1));
}

TEST(SoundProtocol, RequestsSurviveTheLineAndOddLinesAreRefused)
{
    for (const QString& path : {QStringLiteral("/usr/lib/gonioma/suoni/si1.wav"),
                                QStringLiteral("/home/anna/Esercizi geometria/suoni/no.wav"),
                                QStringLiteral("/tmp/a\nb/100%/ü ñ/\u65e5.wav")}) {
        const Request load = readBack(protocol::loadRequest(path));
        EXPECT_EQ(load.kind, Request::Load);
        EXPECT_EQ(load.path, path);
    }
    EXPECT_EQ(readBack(protocol::playRequest(3)).kind, Request::Play);
    EXPECT_EQ(readBack(protocol::playRequest(3)).sound, 3);
    EXPECT_EQ(readBack(protocol::stopRequest(0)).kind, Request::Stop);
    EXPECT_EQ(readBack(protocol::stopRequest(0)).sound, 0);

    for (const char* line : {"", "play", "play ", "play -1", "play 1x", "play 12345678901", "stop 2 3", "load ",
                             "load %00", "PLAY 1", "quit 1", "play 1\r"})
        EXPECT_EQ(protocol::parseRequest(line).kind, Request::Invalid) << line;
}

TEST(SoundProtocol, ReportsAreReadAsTheHelperWritesThem)
{
    const auto readReport = [](const QByteArray& sent) { return protocol::parseReport(QByteArrayView(sent).chopped(1)); };
    EXPECT_EQ(readReport(protocol::readyReport()).kind, Report::Ready);
    EXPECT_EQ(readReport(protocol::noOutputReport()).kind, Report::NoOutput);
    for (const char* line : {"", "Ready", "ready now", "no-output ", "failed", "failed no file /x/libgonioma_sound.so",
                             "qt.multimedia: warning"})
        EXPECT_EQ(protocol::parseReport(line).kind, Report::Invalid) << line;
}

} // namespace
