#include "exercises/ConcaveConvex.h"
#include "exercises/MeasureClasses.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace exercises;

namespace {

// Hands out the given numbers in order and counts how many were taken.
struct Script {
    explicit Script(std::initializer_list<double> numbers)
        : state(std::make_shared<State>(State{QList<double>(numbers), 0}))
    {
    }
    RandomDraw draw() const
    {
        return [state = state] {
            if (state->used >= state->numbers.size()) {
                ADD_FAILURE() << "more random numbers drawn than scripted";
                return 0.0;
            }
            return state->numbers[state->used++];
        };
    }
    int used() const { return state->used; }

    struct State {
        QList<double> numbers;
        int used;
    };
    std::shared_ptr<State> state;
};

constexpr double kAlmostOne = 0.999999;

TEST(ConcaveConvexQuestion, DrawsTheStartThenTheSizeThenTheHalf)
{
    struct Row {
        double start, size, half;
        int startDegrees, degrees;
    };
    const Row rows[] = {
        {0.0, 0.0, 0.0, 0, 10},
        {0.0, 0.0, 0.5, 0, 190},
        {kAlmostOne, kAlmostOne, 0.49999, 359, 170},
        {kAlmostOne, kAlmostOne, kAlmostOne, 359, 350},
        {0.5, 0.0, 0.9, 180, 190},
        {0.9, 0.5, 0.1, 324, 90},
    };
    for (const Row& r : rows) {
        Script script{r.start, r.size, r.half, 0.5};
        EXPECT_EQ(concaveConvexQuestion(script.draw()), (AngleQuestion{r.startDegrees, r.degrees}))
            << r.start << " " << r.size << " " << r.half;
        EXPECT_EQ(script.used(), 3);
    }
}

TEST(ConcaveConvexQuestion, GivesThirtyFourSizesOnBothSidesOfAStraightAngleAndNeverOne)
{
    std::set<int> sizes;
    for (int i = 0; i < 1700; ++i) {
        for (double half : {0.0, 0.49999, 0.5, kAlmostOne}) {
            Script script{0.3, i / 1700.0, half};
            sizes.insert(concaveConvexQuestion(script.draw()).size);
        }
    }
    std::set<int> expected;
    for (int size = 10; size <= 350; size += 10) {
        if (size != 180)
            expected.insert(size);
    }
    EXPECT_EQ(sizes, expected);
}

TEST(ConcaveConvexJudging, ConvexBelowAStraightAngleConcaveAbove)
{
    struct Row {
        int size;
        bool convex, concave;
    };
    const Row rows[] = {{10, true, false}, {170, true, false}, {190, false, true}, {350, false, true}};
    for (const Row& r : rows) {
        EXPECT_EQ(answerIsRight(Convexity::Convex, r.size), r.convex) << r.size;
        EXPECT_EQ(answerIsRight(Convexity::Concave, r.size), r.concave) << r.size;
    }
}

TEST(MeasureQuestion, TheClassDrawChoosesTheSizeAfterTheStart)
{
    // The class draw k is the second number; only k = 0 and 5 to 19 take a third.
    auto classDraw = [](int k) { return (k + 0.5) / 20; };
    struct Row {
        int k;
        double sizeDraw;
        int degrees;
        int used;
    };
    const Row rows[] = {
        {1, 0.7, 90, 2},         {2, 0.7, 90, 2},          {3, 0.7, 180, 2},        {4, 0.7, 360, 2},
        {5, 0.0, 1, 3},          {10, kAlmostOne, 180, 3}, {7, 0.5, 91, 3},         {0, 0.0, 1, 3},
        {0, kAlmostOne, 360, 3}, {11, 0.5, 181, 3},        {19, kAlmostOne, 360, 3}, {15, 0.25, 91, 3},
    };
    for (const Row& r : rows) {
        Script script{200.5 / 360, classDraw(r.k), r.sizeDraw, 0.5};
        EXPECT_EQ(measureQuestion(script.draw()), (AngleQuestion{200, r.degrees})) << "k " << r.k;
        EXPECT_EQ(script.used(), r.used) << "k " << r.k;
    }
}

TEST(MeasureTexts, TheMeasureAndTheListEntriesCarryABlankBeforeTheNumber)
{
    EXPECT_EQ(measureCaption(QStringLiteral("Quest'angolo misura"), 90), QStringLiteral("Quest'angolo misura 90°"));
    EXPECT_EQ(measureCaption(QString(), 360), QStringLiteral(" 360°"));
    EXPECT_EQ(listEntry(90), QStringLiteral("\r\n   90°"));
    EXPECT_EQ(listEntry(1), QStringLiteral("\r\n   1°"));
    EXPECT_EQ(listEntry(360), QStringLiteral("\r\n   360°"));
}

} // namespace
