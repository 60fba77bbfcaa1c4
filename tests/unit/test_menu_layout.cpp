#include "app/MenuLayout.h"

#include <gtest/gtest.h>

#include <QList>
#include <QRect>

namespace {

using app::exerciseButtonPlaces;

// The menu at its design size and the controls that stand there whatever the
// exercises, in twips.
const QRect kMenuArea(0, 0, 9900, 6100);
const QRect kSoundsSwitch(5880, 3360, 3135, 375);
const QRect kInformation(5400, 3960, 4300, 800);
const QRect kEnd(5400, 5040, 4300, 800);

// The exercise buttons as the menu was first drawn: left column top to bottom,
// then the top of the right column.
const QList<QRect> kDesignedPlaces{
    {120, 195, 4300, 800},  {120, 1200, 4300, 800}, {120, 2160, 4300, 800}, {120, 3120, 4300, 800},
    {120, 4035, 4300, 800}, {120, 5040, 4300, 800}, {5280, 240, 4300, 800}, {5280, 1200, 4300, 800},
};

TEST(MenuLayout, UpToEightExercisesTakeTheDesignedPlacesInMenuOrder)
{
    EXPECT_EQ(exerciseButtonPlaces(8), kDesignedPlaces);
    EXPECT_EQ(exerciseButtonPlaces(3), kDesignedPlaces.mid(0, 3));
    EXPECT_TRUE(exerciseButtonPlaces(0).isEmpty());
}

// A row of text at 12 points needs about 21 pixels with its frame; a pixel is 15 twips.
constexpr int kLowestButton = 21 * 15;

TEST(MenuLayout, MoreExercisesShareTheColumnsAndFitTheMenu)
{
    for (int count = 9; count <= 20; ++count) {
        SCOPED_TRACE(count);
        const QList<QRect> places = exerciseButtonPlaces(count);
        ASSERT_EQ(places.size(), count);
        for (int i = 0; i < count; ++i) {
            const QRect& place = places[i];
            EXPECT_TRUE(kMenuArea.contains(place)) << i;
            EXPECT_GE(place.height(), kLowestButton) << i;
            EXPECT_LE(place.height(), 800) << i;
            EXPECT_EQ(place.width(), 4300) << i;
            for (const QRect& fixed : {kSoundsSwitch, kInformation, kEnd})
                EXPECT_FALSE(place.intersects(fixed)) << i;
            for (int j = i + 1; j < count; ++j)
                EXPECT_FALSE(place.intersects(places[j])) << i << " and " << j;
        }
    }
}

TEST(MenuLayout, MoreExercisesRunDownTheLeftColumnThenTheRight)
{
    for (int count = 9; count <= 20; ++count) {
        SCOPED_TRACE(count);
        const QList<QRect> places = exerciseButtonPlaces(count);
        int columnChanges = 0;
        for (int i = 1; i < count; ++i) {
            if (places[i].left() == places[i - 1].left()) {
                EXPECT_GT(places[i].top(), places[i - 1].bottom()) << i;
            } else {
                ++columnChanges;
                EXPECT_GT(places[i].left(), places[i - 1].left()) << i;
            }
        }
        EXPECT_EQ(columnChanges, 1);
        // One row pitch and one height for every button, in both columns.
        QList<int> pitches;
        for (int i = 1; i < count; ++i) {
            EXPECT_EQ(places[i].height(), places[0].height()) << i;
            if (places[i].left() == places[i - 1].left())
                pitches.append(places[i].top() - places[i - 1].top());
        }
        ASSERT_FALSE(pitches.isEmpty());
        EXPECT_EQ(pitches.count(pitches.first()), pitches.size());
    }
}

} // namespace
