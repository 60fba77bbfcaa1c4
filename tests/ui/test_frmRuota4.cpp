#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercises/frmRuota4.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>

using exercises::BoxAngle;
using exercises::frmRuota4;
using platform::Form;

namespace {

// The random numbers of a question after its background colour: the right
// box, then each box's start and, but for the right box, its size.
QList<double> question(int rightBox, const QList<BoxAngle>& angles)
{
    QList<double> numbers{(rightBox - 0.5) / 6};
    for (int box = 1; box <= 6; ++box) {
        numbers += (angles[box - 1].start + 0.5) / 360;
        if (box != rightBox)
            numbers += (angles[box - 1].size / 30 - 0.5) / 12;
    }
    return numbers;
}

// Right box 4; box 2 has perpendicular arms at 270 degrees. Then right box 3,
// and box 4 shows 60 degrees.
const QList<double> kTwoQuestions =
    QList<double>{0.0} + question(4, {{10, 30}, {45, 270}, {100, 60}, {200, 90}, {300, 120}, {5, 30}})
    + QList<double>{0.0} + question(3, {{0, 30}, {0, 180}, {0, 90}, {0, 60}, {0, 30}, {0, 30}});

// Runs `action` once, from a pass of a drawing through the event loop, at the
// first pass where `when` holds.
void duringDrawing(std::function<bool(frmRuota4&)> when, std::function<void(frmRuota4&)> action,
                   int passesLeft = 20000)
{
    QMetaObject::invokeMethod(
        qApp,
        [when = std::move(when), action = std::move(action), passesLeft]() mutable {
            frmRuota4* w = Form::instance<frmRuota4>();
            if (w && when(*w))
                action(*w);
            else if (passesLeft > 0)
                duringDrawing(std::move(when), std::move(action), passesLeft - 1);
        },
        Qt::QueuedConnection);
}

class FrmRuota4Test : public AppFixture {
protected:
    frmRuota4* open()
    {
        installShippedLanguages();
        platform::Random::scriptForTesting(kTwoQuestions);
        Form::show<frmRuota4>();
        settle();
        return window<frmRuota4>();
    }

    static void click(QWidget* box) { QTest::mouseClick(box, Qt::LeftButton); }

    // Shape1 stands around the box and under it, its red band reaching the
    // box on every side.
    static void expectFramed(frmRuota4* w, int number)
    {
        const QRect box = w->box(number)->geometry();
        EXPECT_TRUE(w->Shape1->isVisible());
        EXPECT_TRUE(w->Shape1->geometry().contains(box.adjusted(-1, -1, 1, 1)));
        const QObjectList stacking = w->client()->children();
        EXPECT_LT(stacking.indexOf(w->Shape1), stacking.indexOf(w->box(number)));
        const QImage seen = w->client()->grab().toImage();
        const QPoint outside[] = {{box.left() - 1, box.center().y()}, {box.right() + 1, box.center().y()},
                                  {box.center().x(), box.top() - 1}, {box.center().x(), box.bottom() + 1}};
        for (const QPoint& point : outside)
            EXPECT_EQ(seen.pixelColor(point), QColor(255, 0, 0)) << "box " << number;
    }

    static void expectBoxesEnabled(frmRuota4* w, bool enabled)
    {
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(w->box(n)->isEnabled(), enabled) << "box " << n;
    }
};

TEST_F(FrmRuota4Test, TwoWrongClicksThenTheRightBoxIsFramedAtAnySizeUntilAvanti)
{
    frmRuota4* w = open();
    ASSERT_NE(w, nullptr);
    click(w->Picture2); // perpendicular arms, but 270 degrees
    click(w->Picture6);
    EXPECT_EQ(shared::WrongCount, 2);
    EXPECT_TRUE(w->Shape1->isHidden());
    click(w->Picture4);
    EXPECT_EQ(shared::CorrectCount, 1);
    expectBoxesEnabled(w, false);
    expectFramed(w, 4);

    const QSize full = w->size();
    for (const QSize& size : {full * 2, QSize(full.width() * 3 / 4, full.height() * 5 / 6)}) {
        w->resize(size);
        settle();
        expectFramed(w, 4);
    }

    w->BottoneAvanti->click();
    settle();
    EXPECT_TRUE(w->Shape1->isHidden());
    expectBoxesEnabled(w, true);
    EXPECT_EQ(w->angle(4).size, 60);
}

TEST_F(FrmRuota4Test, EachBoxOpensFromTheStartItsOwnNumberGave)
{
    // Clockwise whole degrees from straight up of a line's far end.
    const auto degreesOf = [](const platform::DrawnLine& line) {
        const long d = std::lround(std::atan2(line.to.x(), -line.to.y()) * 180 / M_PI);
        return int((d % 360 + 360) % 360);
    };
    frmRuota4* w = open();
    ASSERT_NE(w, nullptr);
    const QList<BoxAngle> scripted = {{10, 30}, {45, 270}, {100, 60}, {200, 90}, {300, 120}, {5, 30}};
    for (int n = 1; n <= 6; ++n) {
        const BoxAngle& chosen = scripted[n - 1];
        EXPECT_EQ(w->angle(n), chosen) << "box " << n;
        const auto& lines = w->box(n)->lines();
        ASSERT_EQ(lines.size(), chosen.size + 3) << "box " << n;
        EXPECT_EQ(degreesOf(lines.first()), chosen.start) << "box " << n; // the first arm
        EXPECT_EQ(degreesOf(lines[1]), (chosen.start + 1) % 360) << "box " << n; // the fan opens from it
        EXPECT_EQ(degreesOf(lines.last()), (chosen.start + chosen.size) % 360) << "box " << n;
    }
}

TEST_F(FrmRuota4Test, DuringTheDrawingOnlyBoxesWithTheirNewAngleAnswer)
{
    frmRuota4* w = open();
    ASSERT_NE(w, nullptr);
    click(w->Picture4);

    // While box 3 of the next question opens, box 4 still shows the last
    // question's right angle: a click on it is no answer. Box 2 has its new
    // angle (wrong); box 3 is judged on its new angle, still opening.
    bool ran = false;
    duringDrawing([](frmRuota4& w) { return !w.Picture3->lines().isEmpty(); },
                  [&](frmRuota4& w) {
                      ran = true;
                      click(w.Picture4);
                      EXPECT_EQ(shared::CorrectCount, 1);
                      EXPECT_EQ(shared::WrongCount, 0);
                      EXPECT_FALSE(w.ComandoIconaNo->isVisible());
                      click(w.Picture2);
                      EXPECT_EQ(shared::WrongCount, 1);
                      EXPECT_LT(w.Picture3->lines().size(), 93);
                      click(w.Picture3);
                      EXPECT_EQ(shared::CorrectCount, 2);
                  });
    w->BottoneAvanti->click();
    settle();
    ASSERT_TRUE(ran);
    EXPECT_EQ(shared::WrongCount, 1);
    expectFramed(w, 3);
    EXPECT_EQ(w->Picture6->lines().size(), 33); // the drawing went on to its end
}

TEST_F(FrmRuota4Test, BoxesTakeTheFocusShowItAndAnswerSpaceEnterAndTheirDigit)
{
    frmRuota4* w = open();
    ASSERT_NE(w, nullptr);
    w->activateWindow();
    // The program's focus frame, black outside, on the focused box only.
    const auto framed = [](QWidget* box) {
        const QImage seen = box->grab().toImage();
        int black = 0;
        for (int x = 0; x < seen.width(); ++x)
            black += seen.pixelColor(x, 0) == QColor(Qt::black) ? 1 : 0;
        return black > seen.width() / 2;
    };
    w->Picture1->setFocus();
    EXPECT_TRUE(framed(w->Picture1));
    QTest::keyClick(w->Picture1, Qt::Key_Tab);
    EXPECT_TRUE(w->Picture2->hasFocus());
    EXPECT_FALSE(framed(w->Picture1));
    EXPECT_TRUE(framed(w->Picture2));

    QTest::keyClick(w->Picture2, Qt::Key_Space);
    QTest::keyClick(w->Picture2, Qt::Key_Return);
    QTest::keyClick(w->Picture2, Qt::Key_6);
    EXPECT_EQ(shared::WrongCount, 3);
    w->Picture4->setFocus();
    QTest::keyClick(w->Picture4, Qt::Key_Enter);
    EXPECT_EQ(shared::CorrectCount, 1);
    QTest::keyClick(w, Qt::Key_2); // locked by the right answer
    EXPECT_EQ(shared::WrongCount, 3);

    for (int n = 1; n <= 6; ++n) {
        const QString name = QAccessible::queryAccessibleInterface(w->box(n))->text(QAccessible::Name);
        EXPECT_EQ(name, QString::number(n));
    }
}

} // namespace
