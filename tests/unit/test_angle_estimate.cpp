#include "exercises/AngleEstimate.h"

#include <gtest/gtest.h>

#include <climits>

using namespace exercises;

namespace {

constexpr double kAlmostOne = 0.999999;

// Hands out the given numbers in order; more than given is a failure.
RandomDraw script(QList<double> numbers)
{
    return [numbers, used = qsizetype(0)]() mutable {
        if (used >= numbers.size()) {
            ADD_FAILURE() << "more random numbers drawn than scripted";
            return 0.0;
        }
        return numbers[used++];
    };
}

TEST(EstimateQuestion, DrawsTheStartThenASizeOfTheRangeEachEquallyLikely)
{
    struct Row {
        double start, size;
        EstimateRange range;
        int startDegrees, degrees;
    };
    const Row rows[] = {
        {0.0, 0.0, {}, 0, 1},
        {kAlmostOne, kAlmostOne, {}, 359, 359},
        {0.5, 0.5, {}, 180, 180},               // 0.5 * 359 = 179.5, the 180th size
        {0.3, 34.5 / 359, {}, 108, 35},
        {0.0, 0.0, {10, 90}, 0, 10},            // a narrower range, both ends reached
        {0.0, kAlmostOne, {10, 90}, 0, 90},
        {0.0, 0.5, {1, 180}, 0, 91},
        {0.0, kAlmostOne, {45, 45}, 0, 45},     // a range of one size
    };
    for (const Row& row : rows) {
        const AngleQuestion q = estimateQuestion(script({row.start, row.size}), row.range);
        EXPECT_EQ(q.startDegrees, row.startDegrees) << row.start;
        EXPECT_EQ(q.size, row.degrees) << row.size << " in " << row.range.smallest << ".." << row.range.largest;
    }
}

TEST(EstimateQuestion, EverySizeOfTheRangeComesFromOneSliceOfTheNumbers)
{
    // Each size takes an equal slice of [0, 1): its middle gives it.
    const EstimateRange ranges[] = {{}, {1, 180}, {20, 160}};
    for (const EstimateRange& range : ranges) {
        const int count = range.largest - range.smallest + 1;
        for (int k = 0; k < count; ++k) {
            const AngleQuestion q = estimateQuestion(script({0.0, (k + 0.5) / count}), range);
            ASSERT_EQ(q.size, range.smallest + k) << range.smallest << ".." << range.largest;
        }
    }
}

TEST(EstimateJudgement, RightWithinTheToleranceEitherWay)
{
    struct Row {
        int estimate, size, tolerance;
        bool right;
    };
    const Row rows[] = {
        {35, 35, 15, true},  {50, 35, 15, true},  {20, 35, 15, true},  {51, 35, 15, false},
        {19, 35, 15, false}, {0, 10, 15, true},   {0, 16, 15, false},  {359, 350, 15, true},
        {10, 350, 15, false}, // a size is no direction: it does not wrap round
        {40, 35, 5, true},   {41, 35, 5, false},  {55, 35, 20, true},  {56, 35, 20, false},
        {45, 35, 10, true},  {24, 35, 10, false}, {35, 35, 0, true},   {36, 35, 0, false},
        {INT_MAX, 359, 15, false}, {INT_MIN, 1, 15, false}, // no overflow at the ends
    };
    for (const Row& row : rows) {
        EXPECT_EQ(estimateIsClose(row.estimate, row.size, row.tolerance), row.right)
            << row.estimate << " for " << row.size << " within " << row.tolerance;
    }
}

TEST(EstimateJudgement, TheTypedTextIsReadAsTheOtherAnswersAre)
{
    struct Row {
        const char* text;
        int size;
        bool right;
    };
    const Row rows[] = {
        {"40", 35, true},  {"0040", 35, true}, {"50,9", 35, true}, // the comma ends the number
        {"51", 35, false}, {",", 10, true},    {",", 16, false},   // a lone comma is 0
        {"", 35, false},   {"99999999999999999999", 359, false},   // too long to be a number
    };
    for (const Row& row : rows)
        EXPECT_EQ(estimateIsRight(QString::fromLatin1(row.text), row.size), row.right) << '"' << row.text << '"';
    EXPECT_TRUE(estimateIsRight(u"45", 35, 10));
    EXPECT_FALSE(estimateIsRight(u"46", 35, 10));
}

TEST(EstimateComparison, TheEstimateAndTheSizeGoWhereTheMessagePutsThem)
{
    struct Row {
        const char* message;
        const char* typed;
        int size;
        const char* text;
    };
    const Row rows[] = {
        {"Your estimate: %1° — the angle: %2°", "40", 35, "Your estimate: 40° — the angle: 35°"},
        {"Your estimate: %1° — the angle: %2°", "0040", 35, "Your estimate: 40° — the angle: 35°"},
        {"Your estimate: %1° — the angle: %2°", "40,5", 35, "Your estimate: 40° — the angle: 35°"},
        {"Your estimate: %1° — the angle: %2°", ",", 7, "Your estimate: 0° — the angle: 7°"},
        {"%2° is the angle, %1° your estimate", "300", 250, "250° is the angle, 300° your estimate"},
        {"%1° / %2° / %1°", "12", 21, "12° / 21° / 12°"},
        {"no numbers", "12", 21, "no numbers"},
        {"%1", "99999999999999999999", 5, "99999999999999999999"}, // shown as typed
    };
    for (const Row& row : rows) {
        EXPECT_EQ(estimateComparison(QString::fromUtf8(row.message), QString::fromLatin1(row.typed), row.size),
                  QString::fromUtf8(row.text))
            << row.message << " / " << row.typed;
    }
}

} // namespace
