#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "platform/services/AppDir.h"
#include "platform/services/Random.h"
#include "sound/SoundPlayer.h"

#include <QColor>
#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>

namespace {

using platform::Random;

// The background table as red, green, blue, entries 1 to 18.
constexpr std::array<std::array<int, 3>, 18> kTable = {{
    {255, 192, 192}, {255, 128, 128}, {255, 128, 128}, {255, 192, 128}, {255, 128, 0},   {255, 255, 192},
    {255, 255, 0},   {192, 64, 0},    {128, 255, 128}, {255, 255, 0},   {192, 255, 255}, {0, 255, 255},
    {192, 192, 255}, {255, 192, 255}, {255, 192, 255}, {224, 224, 224}, {255, 192, 255}, {255, 0, 255},
}};

QColor rgb(const std::array<int, 3>& c)
{
    return QColor(c[0], c[1], c[2]);
}

// Sounds are recorded, random numbers scripted, the program's directory fixed.
class ColoursAndSoundsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::AppDir::setPathForTesting(QStringLiteral("/programma/gonioma"));
        Random::resetForTesting();
        shared::SoundsOn = true;
        sound::SoundPlayer::setRecorderForTesting([this](const QString& path) { played.append(path); });
    }
    void TearDown() override
    {
        sound::SoundPlayer::setRecorderForTesting({});
        Random::resetForTesting();
        shared::SoundsOn = false;
        platform::AppDir::setPathForTesting(QString());
    }

    QStringList played;
};

TEST_F(ColoursAndSoundsTest, EachEighteenthOfTheRandomRangePicksItsTableEntry)
{
    QList<double> script;
    for (int i = 0; i < 18; ++i)
        script << (i == 0 ? 0.0 : (i + 0.001) / 18.0) << (i + 0.999) / 18.0; // both ends of each eighteenth
    Random::scriptForTesting(script);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(shared::RandomBackColor(), rgb(kTable[size_t(i)])) << "entry " << i + 1 << ", low end";
        EXPECT_EQ(shared::RandomBackColor(), rgb(kTable[size_t(i)])) << "entry " << i + 1 << ", high end";
    }
    EXPECT_EQ(Random::drawCountForTesting(), 36) << "one random number per colour";
    EXPECT_EQ(shared::RandomBackColor().alpha(), 255);
}

TEST_F(ColoursAndSoundsTest, ColoursThatFillSeveralEntriesComeUpAsOftenAsTheyFillThem)
{
    constexpr int rounds = 25;
    QList<double> script;
    for (int n = 0; n < rounds; ++n)
        for (int i = 0; i < 18; ++i)
            script << (i + 0.5) / 18.0;
    Random::scriptForTesting(script);

    QHash<QRgb, int> seen;
    for (int k = 0; k < rounds * 18; ++k)
        ++seen[shared::RandomBackColor().rgb()];

    const int pinkViolet = seen.value(QColor(255, 192, 255).rgb());
    const int brown = seen.value(QColor(192, 64, 0).rgb());
    EXPECT_EQ(brown, rounds);
    EXPECT_EQ(pinkViolet, 3 * brown);
    EXPECT_EQ(seen.value(QColor(255, 255, 0).rgb()), 2 * brown);
    EXPECT_EQ(seen.value(QColor(255, 128, 128).rgb()), 2 * brown);
    EXPECT_EQ(seen.size(), 14) << "eighteen entries, fourteen colours";
}

TEST_F(ColoursAndSoundsTest, RightSoundSpreadsOverTheFourQuartersOfTheRange)
{
    Random::scriptForTesting({0.1, 0.3, 0.6, 0.9, 0.0, 0.2499, 0.25, 0.9999});
    for (int k = 0; k < 8; ++k)
        shared::PlayRightSound();
    const QString dir = QStringLiteral("/programma/gonioma/suoni/");
    EXPECT_EQ(played, (QStringList{dir + "si1.wav", dir + "si2.wav", dir + "si3.wav", dir + "si4.wav", dir + "si1.wav",
                                   dir + "si1.wav", dir + "si2.wav", dir + "si4.wav"}));
    EXPECT_EQ(Random::drawCountForTesting(), 8);
}

TEST_F(ColoursAndSoundsTest, WrongSoundIsAlwaysNoAndDrawsNothing)
{
    shared::PlayWrongSound();
    shared::PlayWrongSound();
    EXPECT_EQ(played, QStringList(2, QStringLiteral("/programma/gonioma/suoni/no.wav")));
    EXPECT_EQ(Random::drawCountForTesting(), 0);
}

TEST_F(ColoursAndSoundsTest, SilenceWhenSoundsAreOffButColoursGoOn)
{
    shared::SoundsOn = false;
    shared::PlayRightSound();
    shared::PlayWrongSound();
    EXPECT_TRUE(played.isEmpty());
    EXPECT_EQ(Random::drawCountForTesting(), 0) << "a silent right answer draws no random number";

    Random::scriptForTesting({7.5 / 18});
    EXPECT_EQ(shared::RandomBackColor(), QColor(192, 64, 0));
    EXPECT_EQ(Random::drawCountForTesting(), 1);
}

} // namespace
