// Measure with the protractor: the figure, the reading, and the protractor
// used to the right answer with the keyboard, the mouse or the fingers alone.
#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercise/AngleGeometry.h"
#include "exercise/Protractor.h"
#include "exercise/ProtractorGeometry.h"
#include "exercise/TypedAnswerBox.h"
#include "exercises/frmRuota8.h"
#include "language/LanguageSupport.h"
#include "platform/services/Random.h"
#include "platform/widgets/PictureBox.h"

#include <QAccessible>
#include <QLabel>
#include <QPointingDevice>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <memory>

using exercises::frmRuota8;
using platform::Form;
namespace geometry = exercise::protractor;

namespace {

class Ruota8Test : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true;
    }

    // Opens the window on a question: background colour, start, size.
    frmRuota8* open(int start, int size)
    {
        platform::Random::scriptForTesting({0.0, (start + 0.5) / 360, (size - 0.5) / 180});
        auto* w = Form::show<frmRuota8>();
        settle();
        return w;
    }

    static void type(frmRuota8& w, const char* reading)
    {
        QTest::keyClick(w.Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w.Text1, QString::fromLatin1(reading));
        QTest::keyClick(w.Text1, Qt::Key_Return);
    }

    // A point given in the protractor's own frame, in the box's pixels.
    static QPoint onProtractor(const exercise::Protractor& p, QPointF local)
    {
        return geometry::placement(p.centre(), p.rotation()).map(local).toPoint();
    }
    static QPoint vertexOf(const frmRuota8& w) { return w.Picture1->toPixels(QPointF(0, 0)).toPoint(); }

    static bool insideTheBox(const exercise::Protractor& p)
    {
        const QRectF b = geometry::bounds(p.radius(), p.rotation()).translated(p.centre());
        return QRectF(p.rect()).adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(b);
    }
};

TEST_F(Ruota8Test, TheAngleIsDrawnAsAFanWithItsArmsAndItsSizeIsTheAnswer)
{
    const struct {
        int start;
        int size;
    } table[] = {{0, 1}, {300, 180}, {45, 35}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.size);
        frmRuota8* w = open(row.start, row.size);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->StartDegrees, row.start);
        EXPECT_EQ(w->AngleSize, row.size);
        const auto& lines = w->Picture1->lines();
        // First arm, one yellow line a degree, the first arm again, the second arm.
        ASSERT_EQ(lines.size(), row.size + 3);
        EXPECT_EQ(lines.first().colorIndex, 12);
        EXPECT_EQ(lines[1].colorIndex, 14);
        EXPECT_EQ(lines.last().colorIndex, 12);
        EXPECT_EQ(lines.last().to, exercise::rayPoint(exercise::stepDirection(row.start + row.size)));
        EXPECT_FALSE(w->Label1->text().isEmpty());

        type(*w, "0"); // never right: the smallest angle is 1 degree
        EXPECT_EQ(shared::WrongCount, 1);
        type(*w, QString::number(row.size).toLatin1().constData());
        EXPECT_EQ(shared::CorrectCount, 1);
        EXPECT_EQ(w->Label5->text(), QString::number(row.size) + language::LookupString(language::Message::ProtractorMeasured));
        w->unload();
        settle();
    }
}

TEST_F(Ruota8Test, TheKeyboardAloneLaysTheProtractorOnTheAngleAndAWrongReadingLeavesItThere)
{
    frmRuota8* w = open(50, 70);
    ASSERT_NE(w, nullptr);
    exercise::Protractor* p = w->Goniometro1;
    EXPECT_EQ(p->rotation(), 0);
    EXPECT_NE(p->offsetFromVertex(), QPoint(0, 0)); // it waits at the foot of the box

    // Tab reaches it.
    for (int i = 0; i < 6 && w->focusWidget() != p; ++i)
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(w->focusWidget(), p);

    QTest::keyClick(p, Qt::Key_V);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(0, 0));
    QTest::keyClick(p, Qt::Key_Right);
    QTest::keyClick(p, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(1, -10));
    QTest::keyClick(p, Qt::Key_V);
    // The outer scale's 0 on the first arm: 50 - 270 = -220, that is 140.
    QTest::keyClick(p, Qt::Key_BracketLeft);
    EXPECT_EQ(p->rotation(), 359);
    QTest::keyClick(p, Qt::Key_BracketRight, Qt::ShiftModifier);
    EXPECT_EQ(p->rotation(), 9);
    QTest::keyClick(p, Qt::Key_BraceLeft, Qt::ShiftModifier); // Shift+[ on most keyboards
    EXPECT_EQ(p->rotation(), 359);
    for (int i = 0; i < 14; ++i)
        QTest::keyClick(p, Qt::Key_BracketRight, Qt::ShiftModifier);
    QTest::keyClick(p, Qt::Key_BracketRight);
    EXPECT_EQ(p->rotation(), 140);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(0, 0));
    // A window made smaller keeps it covering the box, in its place in proportion.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(p, Qt::Key_Right, Qt::ShiftModifier);
    const double radiusBefore = p->radius();
    const int offsetBefore = p->offsetFromVertex().x(); // less than 40 where the box's border stopped it
    EXPECT_GT(offsetBefore, 10);
    w->resize(w->width() * 3 / 4, w->height() * 3 / 4);
    settle();
    EXPECT_EQ(p->geometry(), w->Picture1->rect());
    EXPECT_LT(p->radius(), radiusBefore);
    EXPECT_NEAR(p->offsetFromVertex().x(), offsetBefore * p->radius() / radiusBefore, 1.0);
    EXPECT_EQ(p->offsetFromVertex().y(), 0);
    EXPECT_EQ(p->rotation(), 140);
    QTest::keyClick(p, Qt::Key_V);

    // Escape still asks to leave.
    answerNextBoxes({platform::MessageAnswer::No});
    QTest::keyClick(p, Qt::Key_Escape);
    EXPECT_EQ(asked().size(), 1);

    QTest::keyClick(p, Qt::Key_Tab, Qt::ShiftModifier);
    for (int i = 0; i < 6 && w->focusWidget() != w->Text1; ++i)
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(w->focusWidget(), w->Text1);
    type(*w, "110"); // the other scale
    EXPECT_EQ(shared::WrongCount, 1);
    EXPECT_EQ(p->rotation(), 140);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(0, 0));
    type(*w, "70");
    EXPECT_EQ(shared::CorrectCount, 1);
}

TEST_F(Ruota8Test, ItNeverLeavesTheBoxWhateverTheKeysOrTheDrag)
{
    frmRuota8* w = open(0, 90);
    ASSERT_NE(w, nullptr);
    exercise::Protractor* p = w->Goniometro1;
    p->setFocus();
    const struct {
        Qt::Key key;
        int presses;
    } table[] = {{Qt::Key_Left, 80}, {Qt::Key_Up, 80}, {Qt::Key_BracketRight, 9}, {Qt::Key_Right, 120},
                 {Qt::Key_Down, 120}, {Qt::Key_BracketLeft, 13}};
    for (const auto& row : table) {
        for (int i = 0; i < row.presses; ++i)
            QTest::keyClick(p, row.key, Qt::ShiftModifier);
        EXPECT_TRUE(insideTheBox(*p)) << row.key << " at " << p->rotation();
    }
    // Dragged far beyond the corner it stops at the border.
    const QPoint grip = onProtractor(*p, QPointF(0, -10));
    QTest::mousePress(p, Qt::LeftButton, {}, grip);
    QTest::mouseMove(p, grip + QPoint(-5000, -5000));
    QTest::mouseRelease(p, Qt::LeftButton, {}, grip + QPoint(-5000, -5000));
    EXPECT_TRUE(insideTheBox(*p));
}

TEST_F(Ruota8Test, TheMouseAloneDragsItOntoTheVertexAndTurnsItByTheHandle)
{
    frmRuota8* w = open(120, 45);
    ASSERT_NE(w, nullptr);
    exercise::Protractor* p = w->Goniometro1;
    const int turnsBefore = p->rotation();

    // Beside the protractor a press belongs to the box and moves nothing.
    const QPointF centreBefore = p->centre();
    QTest::mousePress(p, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(p, QPoint(60, 60));
    QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(p->centre(), centreBefore);

    // By its body, from a point off the centre, so the centre follows the drag.
    const QPoint grip = onProtractor(*p, QPointF(p->radius() * 0.5, -p->radius() * 0.2));
    const QPoint target = grip + (vertexOf(*w) - p->centre().toPoint());
    QTest::mousePress(p, Qt::LeftButton, {}, grip);
    QTest::mouseMove(p, (grip + target) / 2);
    QTest::mouseMove(p, target);
    QTest::mouseRelease(p, Qt::LeftButton, {}, target);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(0, 0));
    EXPECT_EQ(p->rotation(), turnsBefore);

    // The handle turned a quarter clockwise about the centre, then 30 degrees more:
    // the inner scale's 0 (at 90 on the screen when not turned) comes onto 120 + 90.
    const QPointF centre = p->centre();
    const QPointF handle = onProtractor(*p, geometry::handleCentre(p->radius()));
    const auto turned = [&](double degrees) {
        const QPointF d = handle - centre;
        const double a = degrees * M_PI / 180;
        return (centre + QPointF(d.x() * std::cos(a) - d.y() * std::sin(a), d.x() * std::sin(a) + d.y() * std::cos(a)))
            .toPoint();
    };
    QTest::mousePress(p, Qt::LeftButton, {}, handle.toPoint());
    QTest::mouseMove(p, turned(90));
    QTest::mouseMove(p, turned(210));
    QTest::mouseRelease(p, Qt::LeftButton, {}, turned(210));
    EXPECT_EQ(p->rotation(), 210);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(0, 0));

    QTest::mouseClick(w->Text1, Qt::LeftButton);
    QTest::keyClicks(w->Text1, QStringLiteral("45"));
    QTest::keyClick(w->Text1, Qt::Key_Return);
    EXPECT_EQ(shared::CorrectCount, 1);
}

TEST_F(Ruota8Test, OneFingerDragsItAndTwoFingersTurnIt)
{
    frmRuota8* w = open(10, 100);
    ASSERT_NE(w, nullptr);
    exercise::Protractor* p = w->Goniometro1;
    // Made and registered for this test alone; unregistered when deleted.
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen));
    QPointingDevice* screen = device.get();

    // One finger on its body brings the centre onto the vertex.
    const QPoint grip = onProtractor(*p, QPointF(-p->radius() * 0.5, -p->radius() * 0.3));
    const QPoint target = grip + (vertexOf(*w) - p->centre().toPoint());
    QTest::touchEvent(p, screen).press(0, grip, p);
    QTest::touchEvent(p, screen).move(0, (grip + target) / 2, p);
    QTest::touchEvent(p, screen).move(0, target, p);
    QTest::touchEvent(p, screen).release(0, target, p);
    EXPECT_EQ(p->offsetFromVertex(), QPoint(0, 0));
    EXPECT_EQ(p->rotation(), 0);

    // Two fingers turned 30 degrees clockwise about their midpoint, then 70 more.
    const QPointF a = onProtractor(*p, QPointF(-p->radius() * 0.6, -p->radius() * 0.3));
    const QPointF b = onProtractor(*p, QPointF(p->radius() * 0.6, -p->radius() * 0.3));
    const QPointF middle = (a + b) / 2;
    const auto turned = [&](QPointF point, double degrees) {
        const QPointF d = point - middle;
        const double r = degrees * M_PI / 180;
        return (middle + QPointF(d.x() * std::cos(r) - d.y() * std::sin(r), d.x() * std::sin(r) + d.y() * std::cos(r)))
            .toPoint();
    };
    QTest::touchEvent(p, screen).press(0, a.toPoint(), p).press(1, b.toPoint(), p);
    QTest::touchEvent(p, screen).move(0, turned(a, 30), p).move(1, turned(b, 30), p);
    EXPECT_EQ(p->rotation(), 30);
    QTest::touchEvent(p, screen).move(0, turned(a, 100), p).move(1, turned(b, 100), p);
    QTest::touchEvent(p, screen).release(0, turned(a, 100), p).release(1, turned(b, 100), p);
    EXPECT_EQ(p->rotation(), 100);
    EXPECT_LE(std::abs(p->offsetFromVertex().x()) + std::abs(p->offsetFromVertex().y()), 2);
    EXPECT_TRUE(insideTheBox(*p));

    QTest::keyClicks(w->Text1, QStringLiteral("100"));
    QTest::keyClick(w->Text1, Qt::Key_Return);
    EXPECT_EQ(shared::CorrectCount, 1);
}

TEST_F(Ruota8Test, AScreenReaderHearsItsTurnAndWhereItsCentreIsAfterEachMove)
{
    frmRuota8* w = open(0, 60);
    ASSERT_NE(w, nullptr);
    exercise::Protractor* p = w->Goniometro1;
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(p);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->text(QAccessible::Name), language::LookupString(language::Message::ProtractorName));
    EXPECT_FALSE(p->toolTip().isEmpty());

    // What the reader would read after each key.
    QStringList heard;
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(p, key, modifiers);
        heard.append(reader->text(QAccessible::Description));
    };
    p->setFocus();
    press(Qt::Key_V);
    for (int i = 0; i < 12; ++i)
        press(Qt::Key_Right);
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Up);
    press(Qt::Key_BracketRight, Qt::ShiftModifier);
    press(Qt::Key_V);

    ASSERT_EQ(heard.size(), 1 + 12 + 3 + 1 + 1);
    EXPECT_EQ(heard.first(), "girato di 0°, centro sul vertice");
    EXPECT_EQ(heard[12], "girato di 0°, 12 px a destra dal vertice");
    EXPECT_EQ(heard[15], "girato di 0°, 12 px a destra, 3 px in alto dal vertice");
    EXPECT_EQ(heard[16], "girato di 10°, 12 px a destra, 3 px in alto dal vertice");
    EXPECT_EQ(heard.last(), "girato di 10°, centro sul vertice");
    EXPECT_EQ(reader->text(QAccessible::Description), heard.last());
}

} // namespace
