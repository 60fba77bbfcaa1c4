#include "exercise/AngleGeometry.h"
#include "exercise/FanDrawing.h"
#include "platform/widgets/PictureBox.h"
#include "teacherview/QuestionFigure.h"
#include "teacherview/ShareChart.h"
#include "teacherview/SummaryModel.h"

#include <QDateTime>

#include <gtest/gtest.h>

using teacherview::FigureAngle;

// What a recorded question draws again: its sizes (or its target), each with
// its start, and nothing for words that are not angles.
TEST(TeacherViewLogic, QuestionTextGivesTheAnglesToDraw)
{
    const struct {
        const char* question;
        QList<FigureAngle> angles;
    } cases[] = {
        {"sizes=35,120;target=90", {{0, 35}, {0, 120}}},
        {"sizes=35,120;starts=10,200", {{10, 35}, {200, 120}}},
        {"size=75;start=370", {{10, 75}}},
        {"target=90", {{0, 90}}},
        {"sizes=45;start=-30", {{330, 45}}},
        {"sizes=400,-5,abc,360", {{0, 360}}},
        {"sizes=;target=", {}},
        {"", {}},
        {"box=3", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(teacherview::figureAngles(QString::fromUtf8(c.question)), c.angles) << c.question;
}

// The still figure is the animated one's last picture: the yellow fan from
// one past the start to the end, the first arm over it and the second arm.
TEST(TeacherViewLogic, StillAngleDrawsFanThenBothArms)
{
    platform::PictureBox box;
    box.line({0, 0}, {1, 1}, 3); // what was there before is cleared
    teacherview::drawStillAngle(&box, {30, 90});
    const QList<platform::DrawnLine>& lines = box.lines();
    ASSERT_EQ(lines.size(), 1 + 90 + 2);
    EXPECT_EQ(lines.front().to, exercise::rayPoint(exercise::armDirection(30)));
    EXPECT_EQ(lines.front().colorIndex, exercise::kArmColor);
    EXPECT_EQ(lines[1].to, exercise::rayPoint(exercise::stepDirection(31)));
    EXPECT_EQ(lines[90].to, exercise::rayPoint(exercise::stepDirection(120)));
    EXPECT_EQ(lines[90].colorIndex, exercise::kFillColor);
    EXPECT_EQ(lines.back().to, exercise::rayPoint(exercise::stepDirection(120)));
    EXPECT_EQ(lines.back().colorIndex, exercise::kArmColor);
}

TEST(TeacherViewLogic, ChartPointsAreDailySharesAtMidnightUtc)
{
    const QList<results::DailyShare> days{
        {QDate(2026, 3, 2), 4, 3}, {QDate(2026, 3, 3), 0, 0}, {QDate(2026, 3, 5), 3, 1}, {QDate(), 5, 5}};
    const QList<QPointF> points = teacherview::sharePoints(days);
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(qint64(points[0].x()), QDateTime(QDate(2026, 3, 2), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch());
    EXPECT_DOUBLE_EQ(points[0].y(), 75.0);
    EXPECT_EQ(qint64(points[1].x()), QDateTime(QDate(2026, 3, 5), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch());
    EXPECT_NEAR(points[1].y(), 33.333, 0.001);
}

TEST(TeacherViewLogic, CellsAddUpAndRoundTheirShare)
{
    const QDateTime early(QDate(2026, 1, 5), QTime(9, 0), Qt::UTC);
    const QDateTime late(QDate(2026, 2, 1), QTime(9, 0), Qt::UTC);
    teacherview::SummaryCell all;
    EXPECT_EQ(all.sharePercent(), -1);
    all.add({10, 3, 2, late});
    all.add({5, 3, 0, early});
    EXPECT_EQ(all.answers, 15);
    EXPECT_EQ(all.questions, 6);
    EXPECT_EQ(all.sharePercent(), 33);
    EXPECT_EQ(all.lastPractised, late);
    all.add({1, 1, 1, {}});
    EXPECT_EQ(all.sharePercent(), 43); // 3 of 7, rounded
    EXPECT_EQ(all.lastPractised, late);
}
