#include "sound/SoundChannel.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// What reaches the sound back end when sounds are preloaded and played.

namespace {

using sound::SoundBackend;

// Records each call by file name; refuses files whose names start with "r".
class RecordingBackend : public SoundBackend {
public:
    bool hasOutput() override { return true; }
    Handle load(const QString& path) override
    {
        const QString name = QFileInfo(path).fileName();
        events << "load " + name;
        if (name.startsWith(QLatin1Char('r')))
            return kNoSound;
        names << name;
        return Handle(names.size() - 1);
    }
    void play(Handle sound) override { events << "play " + names.at(sound); }
    void stop(Handle sound) override { events << "stop " + names.at(sound); }

    QStringList events;
    QStringList names;
};

class SoundChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString complete = QStringLiteral(GONIOMA_SOUNDS_DIR "/si1.wav");
        for (const char* name : {"a.wav", "b.wav", "refused.wav"})
            ASSERT_TRUE(QFile::copy(complete, path(name)));
        QFile cut(complete);
        ASSERT_TRUE(cut.open(QIODevice::ReadOnly));
        write("cut.wav", cut.read(10));
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(SoundChannelTest, WhatReachesTheBackEnd)
{
    struct Step {
        bool preload;
        std::vector<const char*> files;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        QStringList expected;
    };
    const Case cases[] = {
        {"each file is loaded once, by preloading or on first play",
         {{true, {"a.wav", "b.wav", "a.wav"}}, {false, {"a.wav"}}, {false, {"a.wav"}}},
         {"load a.wav", "load b.wav", "play a.wav", "stop a.wav", "play a.wav"}},
        {"a new sound stops the one playing",
         {{false, {"a.wav", "b.wav"}}},
         {"load a.wav", "play a.wav", "stop a.wav", "load b.wav", "play b.wav"}},
        {"a damaged or missing file never reaches the back end, but still stops the one playing",
         {{true, {"cut.wav", "gone.wav"}}, {false, {"a.wav", "cut.wav", "gone.wav", "b.wav"}}},
         {"load a.wav", "play a.wav", "stop a.wav", "load b.wav", "play b.wav"}},
        {"a file the back end refuses plays nothing and is offered again",
         {{false, {"refused.wav", "refused.wav", "a.wav"}}},
         {"load refused.wav", "load refused.wav", "load a.wav", "play a.wav"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingBackend backend;
        sound::SoundChannel channel(backend);
        for (const Step& step : c.steps) {
            QStringList paths;
            for (const char* file : step.files)
                paths << path(file);
            if (step.preload) {
                channel.preload(paths);
                continue;
            }
            for (const QString& p : paths)
                channel.play(p);
        }
        EXPECT_EQ(backend.events, c.expected);
    }
}

TEST_F(SoundChannelTest, AFileMendedAfterAFailedPlayIsLoadedTheNextTime)
{
    RecordingBackend backend;
    sound::SoundChannel channel(backend);
    channel.play(path("cut.wav"));
    channel.play(path("gone.wav"));
    ASSERT_TRUE(QFile::copy(path("a.wav"), path("gone.wav")));
    QFile::remove(path("cut.wav"));
    ASSERT_TRUE(QFile::copy(path("a.wav"), path("cut.wav")));
    channel.play(path("cut.wav"));
    channel.play(path("gone.wav"));
    EXPECT_EQ(backend.events,
              QStringList({"load cut.wav", "play cut.wav", "stop cut.wav", "load gone.wav", "play gone.wav"}));
}

} // namespace
