#include "exercise/ProtractorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace exercise::protractor;

namespace {

void expectNear(QPointF actual, QPointF expected, double tolerance = 1e-9)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
}

TEST(ProtractorScales, TicksEveryDegreeLongerEveryFifthLongestEveryTenth)
{
    const struct {
        int degree;
        TickKind kind;
    } table[] = {{0, TickKind::Ten},  {1, TickKind::Degree}, {4, TickKind::Degree}, {5, TickKind::Five},
                 {10, TickKind::Ten}, {45, TickKind::Five},  {89, TickKind::Degree}, {90, TickKind::Ten},
                 {175, TickKind::Five}, {179, TickKind::Degree}, {180, TickKind::Ten}};
    for (const auto& row : table)
        EXPECT_EQ(tickKind(row.degree), row.kind) << row.degree;
    EXPECT_LT(tickLength(TickKind::Degree), tickLength(TickKind::Five));
    EXPECT_LT(tickLength(TickKind::Five), tickLength(TickKind::Ten));
}

TEST(ProtractorScales, BothScalesReadZeroAtAnEndOfTheBaseLineAndNinetyAtTheTop)
{
    const struct {
        int degree; // counter-clockwise from the right end of the base line
        std::optional<ScaleNumbers> numbers;
    } table[] = {{0, ScaleNumbers{180, 0}},   {10, ScaleNumbers{170, 10}}, {90, ScaleNumbers{90, 90}},
                 {120, ScaleNumbers{60, 120}}, {180, ScaleNumbers{0, 180}}, {5, std::nullopt},
                 {-10, std::nullopt},          {190, std::nullopt}};
    for (const auto& row : table)
        EXPECT_EQ(numbersAt(row.degree), row.numbers) << row.degree;

    // 0 degrees lies on the base line to the right, 90 straight up (y down), 180 to the left.
    expectNear(markPoint(0, 100), QPointF(100, 0));
    expectNear(markPoint(90, 100), QPointF(0, -100));
    expectNear(markPoint(180, 100), QPointF(-100, 0));
}

TEST(ProtractorPlacement, TurnsClockwiseAboutItsCentre)
{
    const struct {
        int rotation;
        QPointF local;
        QPointF inBox;
    } table[] = {
        {0, QPointF(10, 0), QPointF(110, 50)},   {90, QPointF(10, 0), QPointF(100, 60)},
        {90, QPointF(0, -10), QPointF(110, 50)}, {180, QPointF(10, 0), QPointF(90, 50)},
        {270, QPointF(10, 0), QPointF(100, 40)},
    };
    for (const auto& row : table)
        expectNear(placement(QPointF(100, 50), row.rotation).map(row.local), row.inBox, 1e-9);

    const struct {
        int given;
        int normalised;
    } rotations[] = {{0, 0}, {359, 359}, {360, 0}, {-1, 359}, {-370, 350}, {725, 5}};
    for (const auto& row : rotations)
        EXPECT_EQ(normalisedRotation(row.given), row.normalised) << row.given;

    const struct {
        QPointF from;
        QPointF to;
        double turn;
    } turns[] = {{QPointF(1, 0), QPointF(0, 1), 90},   {QPointF(0, 1), QPointF(1, 0), -90},
                 {QPointF(-1, 0.001), QPointF(-1, -0.001), 0.1146}, // across the wrap, a small turn
                 {QPointF(1, 0), QPointF(-1, 0), 180}, {QPointF(2, 2), QPointF(5, 5), 0}};
    for (const auto& row : turns)
        EXPECT_NEAR(clockwiseTurn(row.from, row.to), row.turn, 1e-3);
}

TEST(ProtractorHitTests, TheHalfDiscAndItsRimButNothingBeyond)
{
    const double r = 100;
    const struct {
        QPointF local;
        bool protractor;
        bool handle;
    } table[] = {
        {QPointF(0, 0), true, false},          {QPointF(0, -99), true, false},
        {QPointF(70, -70), true, false},       {QPointF(72, -72), false, false}, // past the arc
        {QPointF(-99, -1), true, false},       {QPointF(50, rimHeight(r) - 0.5), true, false},
        {QPointF(50, rimHeight(r) + 1), false, false}, {QPointF(101, 1), false, false},
        {handleCentre(r), true, true},         {handleCentre(r) + QPointF(handleRadius(r) - 1, 0), true, true},
        {handleCentre(r) + QPointF(0, handleRadius(r) + 1), true, false},
    };
    for (const auto& row : table) {
        EXPECT_EQ(onProtractor(row.local, r), row.protractor) << row.local.x() << "," << row.local.y();
        EXPECT_EQ(onHandle(row.local, r), row.handle) << row.local.x() << "," << row.local.y();
    }
}

TEST(ProtractorBounds, HoldTheArcAndTheRimAtEveryRotation)
{
    const double r = 100;
    const double rim = rimHeight(r);
    const struct {
        int rotation;
        QRectF bounds;
    } table[] = {
        {0, QRectF(QPointF(-100, -100), QPointF(100, rim))},
        {90, QRectF(QPointF(-rim, -100), QPointF(100, 100))},
        {180, QRectF(QPointF(-100, -rim), QPointF(100, 100))},
        {270, QRectF(QPointF(-100, -100), QPointF(rim, 100))},
    };
    for (const auto& row : table) {
        const QRectF b = bounds(r, row.rotation);
        EXPECT_NEAR(b.left(), row.bounds.left(), 1e-9) << row.rotation;
        EXPECT_NEAR(b.top(), row.bounds.top(), 1e-9) << row.rotation;
        EXPECT_NEAR(b.right(), row.bounds.right(), 1e-9) << row.rotation;
        EXPECT_NEAR(b.bottom(), row.bounds.bottom(), 1e-9) << row.rotation;
    }
    // At every rotation every point of the outline lies inside, and the arc touches the bounds.
    for (int rotation = 0; rotation < 360; rotation += 7) {
        const QRectF b = bounds(r, rotation).adjusted(-1e-9, -1e-9, 1e-9, 1e-9);
        const QTransform turn = placement(QPointF(0, 0), rotation);
        for (int degree = 0; degree <= 180; ++degree)
            EXPECT_TRUE(b.contains(turn.map(markPoint(degree, r)))) << rotation << " " << degree;
        EXPECT_TRUE(b.contains(turn.map(QPointF(r, rim)))) << rotation;
        EXPECT_TRUE(b.contains(turn.map(QPointF(-r, rim)))) << rotation;
    }
}

TEST(ProtractorBounds, TheCentreIsKeptSoTheProtractorStaysInTheBox)
{
    const QRectF box(0, 0, 400, 300);
    const double r = radiusForBox(box.width(), box.height()); // 135
    const double rim = rimHeight(r);
    const struct {
        QPointF wanted;
        int rotation;
        QPointF kept;
    } table[] = {
        {QPointF(200, 150), 0, QPointF(200, 150)},       // inside already
        {QPointF(200, 400), 0, QPointF(200, 300 - rim)}, // below: up to the foot
        {QPointF(-50, -50), 0, QPointF(r, r)},           // top left corner
        {QPointF(1000, 150), 90, QPointF(400 - r, 150)}, // turned: the arc faces right
        {QPointF(200, 0), 180, QPointF(200, rim)},       // upside down: the rim is at the top
    };
    for (const auto& row : table)
        expectNear(clampedCentre(row.wanted, r, row.rotation, box), row.kept, 1e-9);
    // A protractor at any rotation fits the box it is made for.
    for (int rotation = 0; rotation < 360; rotation += 15)
        EXPECT_TRUE(box.contains(bounds(r, rotation).translated(box.center()))) << rotation;
    // In whole pixels from a vertex between pixels, never a fraction outside.
    const QPointF vertex(200.5, 150.5);
    const struct {
        QPointF wanted;
        QPoint kept;
    } whole[] = {{QPointF(0, 0), QPoint(0, 0)}, {QPointF(3.4, -2.6), QPoint(3, -3)},
                 {QPointF(0, 500), QPoint(0, int(std::floor(300 - rim - 150.5)))},
                 {QPointF(-500, 0), QPoint(int(std::ceil(r - 200.5)), 0)}};
    for (const auto& row : whole) {
        const QPoint kept = clampedOffset(row.wanted, vertex, r, 0, box);
        EXPECT_EQ(kept, row.kept) << row.wanted.x() << "," << row.wanted.y();
        EXPECT_TRUE(box.contains(bounds(r, 0).translated(vertex + kept)));
    }
    // Where the box is too small it is centred.
    expectNear(clampedCentre(QPointF(0, 0), 500, 0, box), box.center());
}

TEST(ProtractorDescription, TellsWhereTheCentreIsFromTheVertex)
{
    const OffsetWords words{"centre on the vertex", "%1 of the vertex", "%1 px right", "%1 px left", "%1 px up",
                            "%1 px down"};
    const struct {
        QPoint offset;
        const char* text;
    } table[] = {
        {QPoint(0, 0), "centre on the vertex"},
        {QPoint(12, -3), "12 px right, 3 px up of the vertex"},
        {QPoint(-1, 0), "1 px left of the vertex"},
        {QPoint(0, 40), "40 px down of the vertex"},
        {QPoint(-7, 8), "7 px left, 8 px down of the vertex"},
    };
    for (const auto& row : table)
        EXPECT_EQ(describeOffset(row.offset, words), QString::fromUtf8(row.text));
}

} // namespace
