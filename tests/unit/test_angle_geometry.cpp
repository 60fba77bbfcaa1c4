#include "shared/Modulo1.h"
#include "exercise/AngleGeometry.h"
#include "exercises/AngleClasses.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace exercise;
using exercises::AngleClass;
using exercises::belongsTo;

namespace {
void expectPoint(const QPointF& p, double x, double y)
{
    EXPECT_NEAR(p.x(), x, 1e-5);
    EXPECT_NEAR(p.y(), y, 1e-5);
}
} // namespace

TEST(AngleGeometry, DegreesGrowClockwiseFromStraightUpOnAScreenWhoseYPointsDown)
{
    expectPoint(rayPoint(armDirection(0)), 0, -3);
    expectPoint(rayPoint(armDirection(90)), 3, 0);
    expectPoint(rayPoint(armDirection(180)), 0, 3);
    expectPoint(rayPoint(armDirection(270)), -3, 0);
    // Directions past a full turn wrap: 480 degrees is 120 degrees.
    expectPoint(rayPoint(stepDirection(480)), 3 * std::sin(M_PI * 2 / 3), -3 * std::cos(M_PI * 2 / 3));
}

TEST(AngleGeometry, TheArmAndStepFormulasAgreeToSinglePrecision)
{
    for (int d = 0; d <= 719; ++d)
        EXPECT_NEAR(armDirection(d), stepDirection(d), 1e-5) << d;
}

TEST(AngleGeometry, EveryRayReachesBeyondTheBorderOfTheBox)
{
    for (int d = 0; d < 360; ++d) {
        const QPointF p = rayPoint(stepDirection(d));
        EXPECT_GE(std::max(std::abs(p.x()), std::abs(p.y())), 2.0) << d;
    }
}

TEST(AngleClasses, EachWholeMeasureBelongsToExactlyOneClass)
{
    const AngleClass all[] = {AngleClass::Acute, AngleClass::Right, AngleClass::Obtuse,
                              AngleClass::Straight, AngleClass::Concave, AngleClass::Full};
    for (int size = 1; size <= 360; ++size) {
        int classes = 0;
        for (AngleClass c : all)
            classes += belongsTo(c, size) ? 1 : 0;
        EXPECT_EQ(classes, 1) << size;
    }
    EXPECT_TRUE(belongsTo(AngleClass::Acute, 89));
    EXPECT_TRUE(belongsTo(AngleClass::Right, 90));
    EXPECT_TRUE(belongsTo(AngleClass::Obtuse, 91));
    EXPECT_TRUE(belongsTo(AngleClass::Obtuse, 179));
    EXPECT_TRUE(belongsTo(AngleClass::Straight, 180));
    EXPECT_TRUE(belongsTo(AngleClass::Concave, 181));
    EXPECT_TRUE(belongsTo(AngleClass::Concave, 359));
    EXPECT_TRUE(belongsTo(AngleClass::Full, 360));
}

TEST(Counters, ShowALeadingBlankAndStopAtTheirLargestValue)
{
    EXPECT_EQ(shared::countText(3), QStringLiteral(" 3"));
    EXPECT_EQ(shared::countText(0), QStringLiteral(" 0"));
    qint16 counter = 32766;
    shared::addOne(counter);
    EXPECT_EQ(counter, 32767);
    shared::addOne(counter);
    EXPECT_EQ(counter, 32767);
}
