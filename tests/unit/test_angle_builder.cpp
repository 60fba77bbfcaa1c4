#include "exercises/AngleBuilder.h"

#include <gtest/gtest.h>

namespace {

using exercises::TurnWay;
constexpr TurnWay F = TurnWay::Forward;
constexpr TurnWay B = TurnWay::Back;

// A turn never takes the built angle above a full turn or below nothing; every
// step's last allowed value and the first refused one on either side.
TEST(AngleBuilder, TurnsStayBetweenNothingAndAFullTurn)
{
    struct Row {
        int built, step;
        TurnWay way;
        std::optional<int> after;
    };
    const Row rows[] = {
        {270, 90, F, 360}, {271, 90, F, {}}, {90, 90, B, 0}, {89, 90, B, {}},
        {315, 45, F, 360}, {316, 45, F, {}}, {50, 45, B, 5}, {44, 45, B, {}},
        {330, 30, F, 360}, {331, 30, F, {}}, {30, 10, F, 40}, {29, 30, B, {}},
        {355, 10, F, {}},  {350, 10, F, 360}, {355, 5, F, 360}, {4, 5, B, {}},
        {360, 1, F, {}},   {359, 1, F, 360}, {0, 1, B, {}},     {360, 90, B, 270},
    };
    for (const Row& r : rows)
        EXPECT_EQ(exercises::turned(r.built, r.step, r.way), r.after) << r.built << (r.way == F ? " + " : " - ") << r.step;
}

TEST(AngleBuilder, TheLeftButtonOpensAndARefusalSaysWhichWay)
{
    EXPECT_EQ(exercises::turnWayFor(Qt::LeftButton), F);
    EXPECT_EQ(exercises::turnWayFor(Qt::RightButton), B);
    EXPECT_EQ(exercises::turnWayFor(Qt::MiddleButton), B);
    EXPECT_EQ(exercises::refusalMessage(F), language::Message::TurnTooFarForward);
    EXPECT_EQ(exercises::refusalMessage(B), language::Message::TurnTooFarBack);
}

// White erases a sweep line, but the first arm (and a full turn on it) stays red.
TEST(AngleBuilder, ABackStepErasesEverywhereButOnTheFirstArm)
{
    for (const auto& [offset, color] : {std::pair{360, 12}, {0, 12}, {-360, 12}, {1, 15}, {359, 15}, {-1, 15}})
        EXPECT_EQ(exercises::backStepColor(offset), color) << offset;
}

TEST(AngleBuilder, TheRequestAndTheBuiltAngleHaveABlankButTheTipHasNone)
{
    EXPECT_EQ(exercises::spacedDegrees(0), " 0°");
    EXPECT_EQ(exercises::spacedDegrees(360), " 360°");
    EXPECT_EQ(exercises::requestText("Costruisci un angolo di", 40), "Costruisci un angolo di 40°");
    EXPECT_EQ(exercises::builtAngleTip("Hai costruito un angolo di ", 40), "Hai costruito un angolo di 40°");
}

} // namespace
