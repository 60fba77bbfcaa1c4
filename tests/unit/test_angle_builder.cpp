#include "exercises/AngleBuilder.h"

#include <gtest/gtest.h>

using exercises::TurnWay;
using exercises::turned;

namespace {

// Each step button may open the angle while it is at most 360 - step and
// close it while it is at least step: one degree further either way is refused.
TEST(AngleBuilder, EveryStepStopsAtAFullTurnAndAtNothing)
{
    struct Row {
        int step;
        int lastForward;
        int firstBack;
    };
    for (const Row& r : {Row{90, 270, 90}, Row{45, 315, 45}, Row{30, 330, 30}, Row{10, 350, 10}, Row{5, 355, 5},
                         Row{1, 359, 1}}) {
        SCOPED_TRACE(r.step);
        EXPECT_EQ(turned(r.lastForward, r.step, TurnWay::Forward), 360);
        EXPECT_EQ(turned(r.lastForward + 1, r.step, TurnWay::Forward), std::nullopt);
        EXPECT_EQ(turned(0, r.step, TurnWay::Forward), r.step);
        EXPECT_EQ(turned(r.firstBack, r.step, TurnWay::Back), 0);
        EXPECT_EQ(turned(r.firstBack - 1, r.step, TurnWay::Back), std::nullopt);
        EXPECT_EQ(turned(360, r.step, TurnWay::Back), 360 - r.step);
    }
}

TEST(AngleBuilder, TurnsFromSomewhereInTheMiddle)
{
    struct Row {
        int built;
        int step;
        TurnWay way;
        std::optional<int> after;
    };
    const Row rows[] = {
        {355, 10, TurnWay::Forward, std::nullopt},
        {355, 5, TurnWay::Forward, 360},
        {360, 1, TurnWay::Forward, std::nullopt},
        {50, 45, TurnWay::Back, 5},
        {5, 45, TurnWay::Back, std::nullopt},
        {30, 10, TurnWay::Forward, 40},
        {0, 1, TurnWay::Back, std::nullopt},
    };
    for (const Row& r : rows)
        EXPECT_EQ(turned(r.built, r.step, r.way), r.after) << r.built << (r.way == TurnWay::Forward ? " + " : " - ") << r.step;
}

TEST(AngleBuilder, TheLeftButtonOpensAndEveryOtherCloses)
{
    EXPECT_EQ(exercises::turnWayFor(Qt::LeftButton), TurnWay::Forward);
    EXPECT_EQ(exercises::turnWayFor(Qt::RightButton), TurnWay::Back);
    EXPECT_EQ(exercises::turnWayFor(Qt::MiddleButton), TurnWay::Back);
    EXPECT_EQ(exercises::refusalMessage(TurnWay::Forward), "0002");
    EXPECT_EQ(exercises::refusalMessage(TurnWay::Back), "0003");
}

TEST(AngleBuilder, ABackStepErasesEverywhereButOnTheFirstArm)
{
    struct Row {
        int offset;
        int color;
    };
    for (const Row& r : {Row{360, 12}, Row{0, 12}, Row{-360, 12}, Row{1, 15}, Row{359, 15}, Row{-1, 15}})
        EXPECT_EQ(exercises::backStepColor(r.offset), r.color) << r.offset;
}

TEST(AngleBuilder, TheRequestAndTheBuiltAngleHaveABlankButTheTipHasNone)
{
    EXPECT_EQ(exercises::spacedDegrees(0), " 0°");
    EXPECT_EQ(exercises::spacedDegrees(40), " 40°");
    EXPECT_EQ(exercises::spacedDegrees(360), " 360°");
    EXPECT_EQ(exercises::requestText("Costruisci un angolo di", 40), "Costruisci un angolo di 40°");
    EXPECT_EQ(exercises::builtAngleTip("Hai costruito un angolo di ", 40), "Hai costruito un angolo di 40°");
    EXPECT_EQ(exercises::builtAngleTip("Built: ", 0), "Built: 0°");
}

} // namespace
