#include "exercises/RightAngleSet.h"

#include <gtest/gtest.h>

#include <QList>

#include <memory>

using exercises::BoxAngle;
using exercises::RightAngleSet;

namespace {

// The number that gives a size of `degrees` (30 to 360) in a box that is not the right one.
double sizeDraw(int degrees)
{
    return (degrees / 30 - 0.5) / 12.0;
}

double startDraw(int degrees)
{
    return (degrees + 0.5) / 360.0;
}

double rightBoxDraw(int box)
{
    return (box - 0.5) / 6.0;
}

// Hands out the numbers in order and remembers how many were taken.
struct Script {
    QList<double> numbers;
    int taken = 0;
};

RightAngleSet setOn(const std::shared_ptr<Script>& script)
{
    return RightAngleSet([script] { return script->numbers.at(script->taken++); });
}

// All six angles of one question.
QList<BoxAngle> chooseAll(RightAngleSet& set)
{
    QList<BoxAngle> angles;
    for (int box = 1; box <= exercises::kAngleBoxCount; ++box)
        angles.append(set.choose(box));
    return angles;
}

} // namespace

TEST(RightAngleSet, NumbersAreTakenRightBoxFirstThenStartAndSizeBoxByBox)
{
    // Right box 3: it takes a start and no size.
    auto script = std::make_shared<Script>();
    script->numbers = {rightBoxDraw(3),
                       startDraw(10), sizeDraw(60),   // box 1
                       startDraw(20), sizeDraw(120),  // box 2
                       startDraw(30),                 // box 3, the right one
                       startDraw(40), sizeDraw(270),  // box 4
                       startDraw(359), sizeDraw(360), // box 5
                       startDraw(0), sizeDraw(30)};   // box 6
    RightAngleSet set = setOn(script);
    EXPECT_EQ(set.rightBox(), 3);
    EXPECT_EQ(script->taken, 1);

    const QList<int> takenAfter = {3, 5, 6, 8, 10, 12};
    const QList<BoxAngle> expected = {{10, 60}, {20, 120}, {30, 90}, {40, 270}, {359, 360}, {0, 30}};
    for (int box = 1; box <= 6; ++box) {
        EXPECT_EQ(set.choose(box), expected[box - 1]) << "box " << box;
        EXPECT_EQ(script->taken, takenAfter[box - 1]) << "box " << box;
    }
}

TEST(RightAngleSet, OnlyTheRightBoxHoldsNinetyAndTheOthersShowTheirSubstitute)
{
    // Every other box draws 90: boxes 1 to 6 show 30, 40, 40, 40, 40, 170 in its place.
    const QList<int> substitutes = {30, 40, 40, 40, 40, 170};
    for (int rightBox = 1; rightBox <= 6; ++rightBox) {
        auto script = std::make_shared<Script>();
        script->numbers = {rightBoxDraw(rightBox)};
        for (int box = 1; box <= 6; ++box) {
            script->numbers += startDraw(box);
            if (box != rightBox)
                script->numbers += sizeDraw(90);
        }
        RightAngleSet set = setOn(script);
        const QList<BoxAngle> angles = chooseAll(set);
        int nineties = 0;
        for (int box = 1; box <= 6; ++box) {
            const int size = angles[box - 1].size;
            nineties += exercises::isRightAngle(size) ? 1 : 0;
            EXPECT_EQ(size, box == rightBox ? 90 : substitutes[box - 1]) << "right " << rightBox << " box " << box;
        }
        EXPECT_EQ(nineties, 1) << "right " << rightBox;
        EXPECT_EQ(script->taken, script->numbers.size()) << "right " << rightBox;
    }
}

TEST(RightAngleSet, NumbersMapOntoBoxesStartsAndSizesAtTheirEdges)
{
    struct Case {
        double r;
        int rightBox;
        int start;
        int sizeInBox1; // the twelve sizes, 90 replaced by box 1's 30
        int sizeInBox6;
    };
    const Case cases[] = {
        {0.0, 1, 0, 30, 30},
        {1.0 / 12 - 1e-9, 1, 29, 30, 30},
        {1.0 / 12, 1, 30, 60, 60},
        {1.0 / 6, 2, 60, 30, 170},
        {0.25 - 1e-9, 2, 89, 30, 170},
        {0.25, 2, 90, 120, 120},
        {0.75, 5, 270, 300, 300},
        {1 - 1e-9, 6, 359, 360, 360},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(exercises::rightBoxFrom(c.r), c.rightBox) << c.r;
        EXPECT_EQ(RightAngleSet([&c] { return c.r; }).choose(1).start, c.start) << c.r;
        EXPECT_EQ(exercises::otherBoxSize(1, c.r), c.sizeInBox1) << c.r;
        EXPECT_EQ(exercises::otherBoxSize(6, c.r), c.sizeInBox6) << c.r;
    }
}
