#include "exercises/RightAngleSet.h"

#include <gtest/gtest.h>

#include <QList>

using exercises::BoxAngle;
using exercises::RightAngleSet;

namespace {

// Hands out `numbers` in order; `taken` counts them.
RightAngleSet setOn(const QList<double>& numbers, int& taken)
{
    return RightAngleSet([&numbers, &taken] { return numbers.at(taken++); });
}

double sizeDraw(int degrees) { return (degrees / 30 - 0.5) / 12.0; }
double startDraw(int degrees) { return (degrees + 0.5) / 360.0; }

} // namespace

TEST(RightAngleSet, TakesTheRightBoxFirstThenEachBoxsStartAndAllButTheRightBoxsSize)
{
    const QList<double> numbers = {2.5 / 6, // right box 3
                                   startDraw(10),  sizeDraw(60),  startDraw(20), sizeDraw(120),
                                   startDraw(30),  /* box 3 */    startDraw(40), sizeDraw(270),
                                   startDraw(359), sizeDraw(360), startDraw(0),  sizeDraw(30)};
    int taken = 0;
    RightAngleSet set = setOn(numbers, taken);
    EXPECT_EQ(set.rightBox(), 3);
    const QList<BoxAngle> expected = {{10, 60}, {20, 120}, {30, 90}, {40, 270}, {359, 360}, {0, 30}};
    const QList<int> takenAfter = {3, 5, 6, 8, 10, 12};
    for (int box = 1; box <= 6; ++box) {
        EXPECT_EQ(set.choose(box), expected[box - 1]) << "box " << box;
        EXPECT_EQ(taken, takenAfter[box - 1]) << "box " << box;
    }
}

TEST(RightAngleSet, OnlyTheRightBoxHoldsNinetyTheOthersShowTheirSubstitute)
{
    const QList<int> substitutes = {30, 40, 40, 40, 40, 170};
    for (int rightBox = 1; rightBox <= 6; ++rightBox) {
        // Every box but the right one draws 90.
        QList<double> numbers = {(rightBox - 0.5) / 6};
        for (int box = 1; box <= 6; ++box) {
            numbers += startDraw(0);
            if (box != rightBox)
                numbers += sizeDraw(90);
        }
        int taken = 0;
        RightAngleSet set = setOn(numbers, taken);
        for (int box = 1; box <= 6; ++box) {
            EXPECT_EQ(set.choose(box).size, box == rightBox ? 90 : substitutes[box - 1])
                << "right box " << rightBox << ", box " << box;
        }
        EXPECT_EQ(taken, numbers.size());
    }
}
