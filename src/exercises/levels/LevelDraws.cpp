#include "exercises/levels/LevelDraws.h"

#include "exercises/RightAngleSet.h"
#include "platform/services/Random.h"

#include <cstdlib>

namespace exercises {

using platform::integerPart;

namespace {

// The k-th size of a list from a number in [0, 1), counted from 1 as the
// exercises always counted: integerPart(r * n + 1).
int countedFromOne(const QList<int>& sizes, double r)
{
    return sizes.at(integerPart(r * double(sizes.size()) + 1) - 1);
}

// The same, counted from 0: integerPart(r * n).
int countedFromZero(const QList<int>& sizes, double r)
{
    return sizes.at(integerPart(r * double(sizes.size())));
}

QList<int> sizesWhere(const QList<int>& sizes, const std::function<bool(int)>& keep)
{
    QList<int> kept;
    for (int size : sizes) {
        if (keep(size))
            kept.append(size);
    }
    return kept;
}

} // namespace

int drawStart(const RandomDraw& next, const Level& level)
{
    return level.upright ? 0 : integerPart(next() * 360);
}

AngleQuestion classifyQuestion(const RandomDraw& next, const Level& level)
{
    AngleQuestion question;
    question.startDegrees = drawStart(next, level);
    question.size = countedFromOne(gridSizes(level), next());
    return question;
}

AngleQuestion concaveConvexQuestion(const RandomDraw& next, const Level& level)
{
    AngleQuestion question;
    question.startDegrees = drawStart(next, level);
    const double r = next();
    const bool concave = integerPart(next() * 2) == 1;
    const QList<int> sizes = gridSizes(level);
    const QList<int> convexSizes = sizesWhere(sizes, [](int s) { return s < 180; });
    const QList<int> concaveSizes = sizesWhere(sizes, [](int s) { return s > 180; });
    const bool useConcave = concaveSizes.isEmpty() ? false : (concave || convexSizes.isEmpty());
    question.size = countedFromOne(useConcave ? concaveSizes : convexSizes, r);
    return question;
}

AngleQuestion measureQuestion(const RandomDraw& next, const Level& level)
{
    AngleQuestion question;
    question.startDegrees = drawStart(next, level);
    const QList<int> sizes = gridSizes(level);
    const int k = integerPart(next() * 20);
    const auto special = [&](int size) { return sizes.contains(size) ? size : 0; };
    int size = 0;
    if (k == 1 || k == 2)
        size = special(90);
    else if (k == 3)
        size = special(180);
    else if (k == 4)
        size = special(360);
    if (size == 0) {
        QList<int> from = sizes;
        if (k >= 5 && k <= 10) {
            const QList<int> upToStraight = sizesWhere(sizes, [](int s) { return s <= 180; });
            if (!upToStraight.isEmpty())
                from = upToStraight;
        }
        size = countedFromZero(from, next());
    }
    question.size = size;
    return question;
}

AngleQuestion buildQuestion(const RandomDraw& next, const Level& level)
{
    AngleQuestion question;
    question.startDegrees = drawStart(next, level);
    question.size = countedFromZero(gridSizes(level), next());
    return question;
}

AngleQuestion givenAngleQuestion(const RandomDraw& next, const Level& level)
{
    AngleQuestion question;
    question.startDegrees = drawStart(next, level);
    question.size = countedFromOne(gridSizes(level), next());
    return question;
}

AngleQuestion estimateQuestion(const RandomDraw& next, const Level& level)
{
    return buildQuestion(next, level);
}

AnglePair comparePair(const RandomDraw& next, const Level& level)
{
    const QList<int> sizes = gridSizes(level);
    AnglePair pair;
    pair.left = countedFromOne(sizes, next());
    const QList<int> partners =
        sizesWhere(sizes, [&](int s) { return std::abs(s - pair.left) >= level.minDifference; });
    pair.right = countedFromOne(partners, next());
    return pair;
}

int otherBoxSize(int box, double r, const Level& level)
{
    const auto farEnough = [&](int s) { return std::abs(s - kRightAngle) >= level.minDistance; };
    const int size = countedFromOne(gridSizes(level), r);
    if (farEnough(size))
        return size;
    // The box's own substitute where the level allows it, else the size of
    // the grid nearest to it that is far enough from a right angle.
    const int substitute = substituteSize(box);
    if (substitute >= level.min && substitute <= level.max && farEnough(substitute))
        return substitute;
    int best = 0;
    for (int s : sizesWhere(gridSizes(level), farEnough)) {
        if (best == 0 || std::abs(s - substitute) < std::abs(best - substitute))
            best = s;
    }
    return best;
}

} // namespace exercises
