#include "exercises/AngleEstimate.h"

#include <gtest/gtest.h>

#include <climits>

using namespace exercises;

namespace {

constexpr double kAlmostOne = 0.999999;

TEST(AngleEstimate, TheStartComesFirstThenASizeOfTheRange)
{
    struct Row {
        double start, size;
        EstimateRange range;
        int startDegrees, degrees;
    };
    const Row rows[] = {
        {0.0, 0.0, {}, 0, 1},           {kAlmostOne, kAlmostOne, {}, 359, 359},
        {0.3, 34.5 / 359, {}, 108, 35}, {0.0, 0.0, {10, 90}, 0, 10}, // a narrower range, both ends reached
        {0.0, kAlmostOne, {10, 90}, 0, 90}, {0.0, 0.5, {1, 180}, 0, 91},
    };
    for (const Row& row : rows) {
        QList<double> numbers{row.start, row.size};
        const AngleQuestion q = estimateQuestion([&numbers] { return numbers.takeFirst(); }, row.range);
        EXPECT_EQ(q, (AngleQuestion{row.startDegrees, row.degrees})) << row.start << ", " << row.size;
    }
}

TEST(AngleEstimate, RightWithinTheToleranceEitherWayAsTyped)
{
    struct Row {
        const char* typed;
        int size, tolerance;
        bool right;
    };
    const Row rows[] = {
        {"50", 35, 15, true},  {"20", 35, 15, true},   {"51", 35, 15, false}, {"19", 35, 15, false},
        {"40", 35, 5, true},   {"41", 35, 5, false},   {"55", 35, 20, true},  {"56", 35, 20, false},
        {"10", 350, 15, false}, // a size is no direction: it does not wrap round
        {"0050", 35, 15, true}, {"50,9", 35, 15, true}, {",", 15, 15, true}, // read as the other answers
        {"", 35, 15, false},    {"99999999999999999999", 359, 15, false},   // too long to be a number
    };
    for (const Row& row : rows) {
        EXPECT_EQ(estimateIsRight(QString::fromLatin1(row.typed), row.size, row.tolerance), row.right)
            << row.typed << " for " << row.size << " within " << row.tolerance;
    }
    EXPECT_FALSE(estimateIsClose(INT_MAX, 359)); // no overflow at the ends
    EXPECT_FALSE(estimateIsClose(INT_MIN, 1));
}

TEST(AngleEstimate, TheComparisonShowsTheEstimateAsReadWhereTheMessageSays)
{
    EXPECT_EQ(estimateShown(u"0040,5"), "40");
    EXPECT_EQ(estimateShown(u","), "0");
    EXPECT_EQ(estimateShown(u"99999999999999999999"), "99999999999999999999"); // too long to read: as typed
    EXPECT_EQ(estimateComparison(QStringLiteral("Your estimate: %1 — the angle: %2"), QStringLiteral("40°"),
                                 QStringLiteral("35°")),
              QStringLiteral("Your estimate: 40° — the angle: 35°"));
    EXPECT_EQ(estimateComparison(QStringLiteral("%2 / %1 / %1"), QStringLiteral("12"), QStringLiteral("35")),
              QStringLiteral("35 / 12 / 12"));
}

} // namespace
