#include "resize/ResizeMath.h"
#include "platform/widgets/Mirror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using resize::parseDirective;
using resize::placeInDirection;
using resize::ResizeDirective;
using resize::roundHalfEven;
using resize::scaleRatios;
using resize::scaleRecord;
using resize::ScaleRatios;
using resize::screenFraction;

namespace {

constexpr ResizeDirective kAll {true, true, true, true};
constexpr ResizeDirective kNone {false, false, false, false};

// --- Tag directives -----------------------------------------------------------

TEST(ResizeDirective, TagsWithoutLeadingAtScaleEverything)
{
    EXPECT_EQ(parseDirective(""), kAll);
    EXPECT_EQ(parseDirective("Multi-Language Support"), kAll);
    EXPECT_EQ(parseDirective(" @L"), kAll);
    EXPECT_EQ(parseDirective("L@T"), kAll);
}

TEST(ResizeDirective, LettersAreFoundAnywhereInTheUpperCasedTag)
{
    EXPECT_EQ(parseDirective("@"), kNone);
    EXPECT_EQ(parseDirective("@L,T"), (ResizeDirective {true, true, false, false}));
    // "LEFT" holds both L and T, so the control moves both ways and keeps its size.
    EXPECT_EQ(parseDirective("@left"), (ResizeDirective {true, true, false, false}));
    EXPECT_EQ(parseDirective("@wh"), (ResizeDirective {false, false, true, true}));
    EXPECT_EQ(parseDirective("@H"), (ResizeDirective {false, false, false, true}));
    EXPECT_EQ(parseDirective("@ W ; L"), (ResizeDirective {true, false, true, false}));
    EXPECT_EQ(parseDirective("@L,T,W,H"), kAll);
}

// --- Recording ------------------------------------------------------------------

TEST(ResizeRounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.49), 2);
    EXPECT_EQ(roundHalfEven(2.51), 3);
    EXPECT_EQ(roundHalfEven(-0.6), -1);
}

TEST(ResizeRounding, OutOfRangeValuesStayWithinInt)
{
    EXPECT_EQ(roundHalfEven(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(roundHalfEven(-1e12), std::numeric_limits<int>::min());
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

// --- Scaling --------------------------------------------------------------------

TEST(ResizeScaling, RatiosCompareThePresentSizeWithTheReference)
{
    const auto ratios = scaleRatios(QSize(12000, 6000), QSize(8000, 6000));
    ASSERT_TRUE(ratios);
    EXPECT_DOUBLE_EQ(ratios->horizontal, 1.5);
    EXPECT_DOUBLE_EQ(ratios->vertical, 1.0);

    const auto shrunk = scaleRatios(QSize(2000, 0), QSize(8000, 6000));
    ASSERT_TRUE(shrunk);
    EXPECT_DOUBLE_EQ(shrunk->horizontal, 0.25);
    EXPECT_DOUBLE_EQ(shrunk->vertical, 0.0);
}

TEST(ResizeScaling, AReferenceWithoutAreaGivesNoRatios)
{
    EXPECT_FALSE(scaleRatios(QSize(800, 600), QSize(0, 600)));
    EXPECT_FALSE(scaleRatios(QSize(800, 600), QSize(800, 0)));
    EXPECT_FALSE(scaleRatios(QSize(800, 600), QSize(0, 0)));
}

TEST(ResizeScaling, LineEndsScaleByTheirOwnAxis)
{
    // (1000, 1000)-(3000, 2000) in a window widened from 8000 to 12000.
    const auto line = scaleRecord({1000, 1000, 3000, 2000}, ScaleRatios {1.5, 1.0});
    EXPECT_DOUBLE_EQ(line[0], 1500.0);
    EXPECT_DOUBLE_EQ(line[1], 1000.0);
    EXPECT_DOUBLE_EQ(line[2], 4500.0);
    EXPECT_DOUBLE_EQ(line[3], 2000.0);
}

TEST(ResizeScaling, LeftAndWidthFollowTheHorizontalRatioTopAndHeightTheVertical)
{
    const auto box = scaleRecord({1000, 600, 2000, 500}, ScaleRatios {0.5, 2.0});
    EXPECT_DOUBLE_EQ(box[0], 500.0);
    EXPECT_DOUBLE_EQ(box[1], 1200.0);
    EXPECT_DOUBLE_EQ(box[2], 1000.0);
    EXPECT_DOUBLE_EQ(box[3], 1000.0);

    // Fractions are passed on as they are; the control decides how to keep them.
    const auto odd = scaleRecord({1001, 7, 3, 0}, ScaleRatios {0.5, 0.5});
    EXPECT_DOUBLE_EQ(odd[0], 500.5);
    EXPECT_DOUBLE_EQ(odd[1], 3.5);
    EXPECT_DOUBLE_EQ(odd[2], 1.5);
    EXPECT_DOUBLE_EQ(odd[3], 0.0);
}

// --- Sizing to the screen ------------------------------------------------------

TEST(ResizeScreenFraction, ThreeQuartersOfTheScreenCentred)
{
    const QRect window = screenFraction(QSize(15360, 11520), 75);
    EXPECT_EQ(window.height(), 8640);
    EXPECT_EQ(window.width(), 11520);
    EXPECT_EQ(window.top(), 1440);
    EXPECT_EQ(window.left(), 1920);

    EXPECT_EQ(screenFraction(QSize(1024, 768), 100), QRect(0, 0, 1024, 768));
    EXPECT_EQ(screenFraction(QSize(1024, 768), 0), QRect(512, 384, 0, 0));
}

TEST(ResizeScreenFraction, SizesAreTruncatedAndHalvesOfCentringDropped)
{
    // 50 % of 999 is 499.5: truncated to 499, not rounded to 500; the left
    // over is (1001 - 500) / 2 = 250.5, kept at 250.
    EXPECT_EQ(screenFraction(QSize(1001, 999), 50), QRect(250, 250, 500, 499));
    // Larger than the screen: the window starts before its edge, and a half
    // is dropped towards minus infinity there too: (99 - 148) / 2 = -24.5.
    EXPECT_EQ(screenFraction(QSize(99, 99), 150), QRect(-25, -25, 148, 148));
}

} // namespace

// --- Right-to-left places -----------------------------------------------------

namespace {
// A design rectangle scaled as the resizer places it, whole pixels.
QRect scaled(const QRect& design, ScaleRatios ratios)
{
    const auto v = scaleRecord({design.x(), design.y(), design.width(), design.height()}, ratios);
    return QRect(int(std::lround(v[0])), int(std::lround(v[1])), int(std::lround(v[2])), int(std::lround(v[3])));
}
} // namespace

TEST(ResizeMirror, EachPlaceIsMirroredWithinItsWindowOrFrameAtAnySize)
{
    // A window designed 800 x 600 inside: a button, a frame, a check box inside
    // the frame, and a label as wide as the window.
    const QRect frame(400, 100, 360, 300);
    struct Row {
        QRect design;
        bool inFrame;
        QRect atDesignSize; // 800 x 600
        QRect wider;        // 1000 x 600
    };
    const Row rows[] = {
        {{40, 500, 200, 50}, false, {560, 500, 200, 50}, {700, 500, 250, 50}},
        {frame, false, {40, 100, 360, 300}, {50, 100, 450, 300}},
        {{20, 40, 100, 30}, true, {240, 40, 100, 30}, {300, 40, 125, 30}},
        {{0, 10, 800, 40}, false, {0, 10, 800, 40}, {0, 10, 1000, 40}},
    };
    for (const auto& [size, pick] : {std::pair {QSize(800, 600), &Row::atDesignSize},
                                     std::pair {QSize(1000, 600), &Row::wider}}) {
        const ScaleRatios ratios = *scaleRatios(size, QSize(800, 600));
        for (const Row& row : rows) {
            const QRect leftToRight = scaled(row.design, ratios);
            const int parentWidth = row.inFrame ? scaled(frame, ratios).width() : size.width();
            const QRect mirrored = placeInDirection(leftToRight, parentWidth, true);
            EXPECT_EQ(mirrored, row.*pick) << size.width() << " " << row.design.x();
            // Left to right the place is the scaled one, and mirroring twice
            // gives it back exactly.
            EXPECT_EQ(placeInDirection(leftToRight, parentWidth, false), leftToRight);
            EXPECT_EQ(placeInDirection(mirrored, parentWidth, true), leftToRight);
        }
    }
}

TEST(ResizeMirror, TextsTurnSidesWhateverTheirScriptAndCentredOnesStay)
{
    using platform::mirroredAlignment;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    EXPECT_EQ(mirroredAlignment(left), Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
    EXPECT_EQ(mirroredAlignment(right), Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute);
    for (const Qt::Alignment a : {left, right, Qt::Alignment(Qt::AlignCenter), Qt::Alignment(Qt::AlignJustify)})
        EXPECT_EQ(mirroredAlignment(mirroredAlignment(a)), a);
    EXPECT_EQ(mirroredAlignment(Qt::AlignCenter), Qt::AlignCenter);
}
