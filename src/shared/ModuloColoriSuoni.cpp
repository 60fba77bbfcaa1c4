#include "shared/ModuloColoriSuoni.h"

#include "shared/Modulo1.h"
#include "platform/services/AppDir.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/widgets/Palette.h"
#include "platform/services/Random.h"
#include "sound/SoundPlayer.h"

#include <array>

namespace shared {

namespace {
// 24-bit colour values, red in the low byte.
constexpr std::array<quint32, 18> kBackColors = {
    12632319, 8421631, 8421631, 8438015, 33023,    12648447, 65535,    16576,    8454016,
    65535,    16777152, 16776960, 16761024, 16761087, 16761087, 14737632, 16761087, 16711935,
};
} // namespace

QColor backColorEntry(int entry)
{
    if (entry < 1 || entry > int(kBackColors.size()))
        return QColor();
    return platform::colorFromBgr(kBackColors[size_t(entry - 1)]);
}

bool isCalmBackColor(const QColor& colour)
{
    // Text on the window is black; the fan is the classroom display's, and
    // where it runs to the edge of its box it meets the window's colour: the
    // oranges, peaches and salmons near it would swallow that edge.
    constexpr double kTextContrast = 4.5;
    constexpr double kDistinctFromFan = 50; // delta E: plainly another colour
    return platform::contrastRatio(colour, Qt::black) >= kTextContrast
        && platform::colourDistance(colour, QColor::fromRgb(platform::kClassroomFan)) >= kDistinctFromFan;
}

QList<int> calmBackColorEntries()
{
    QList<int> entries;
    for (int entry = 1; entry <= int(kBackColors.size()); ++entry) {
        if (isCalmBackColor(backColorEntry(entry)))
            entries.append(entry);
    }
    return entries;
}

QColor RandomBackColor()
{
    if (platform::ClassroomDisplay::isOn()) {
        static const QList<int> calm = calmBackColorEntries();
        return backColorEntry(calm[platform::integerPart(platform::Random::next() * double(calm.size()))]);
    }
    const int entry = platform::integerPart(platform::Random::next() * 18) + 1;
    return backColorEntry(entry);
}

QString soundPath(const QString& name)
{
    return platform::AppDir::path() + QStringLiteral("/suoni/") + name + QStringLiteral(".wav");
}

QStringList allSoundPaths()
{
    return {soundPath(QStringLiteral("no")), soundPath(QStringLiteral("si1")), soundPath(QStringLiteral("si2")),
            soundPath(QStringLiteral("si3")), soundPath(QStringLiteral("si4"))};
}

void PlayRightSound()
{
    if (!SoundsOn)
        return;
    const int n = platform::integerPart(platform::Random::next() * 4) + 1;
    sound::SoundPlayer::play(soundPath(QStringLiteral("si") + QString::number(n)));
}

void PlayWrongSound()
{
    if (!SoundsOn)
        return;
    sound::SoundPlayer::play(soundPath(QStringLiteral("no")));
}

} // namespace shared
