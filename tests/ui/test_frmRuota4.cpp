#include "support/AppFixture.h"

#include "app/shared/Modulo1.h"
#include "exercises/frmRuota4.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/RectangleShape.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

using exercises::BoxAngle;
using exercises::frmRuota4;
using platform::Form;
using platform::PictureBox;

namespace {

// The random numbers of a question after its background colour: the right
// box, then each box's start and, but for the right box, its size (30 to 360).
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

// Right box 4; box 2 has perpendicular arms at 270 degrees.
const QList<BoxAngle> kFirst = {{10, 30}, {45, 270}, {100, 60}, {200, 90}, {300, 120}, {5, 30}};
// Right box 3; box 4, the last question's right box, now shows 60 degrees.
const QList<BoxAngle> kSecond = {{0, 30}, {0, 180}, {0, 90}, {0, 60}, {0, 30}, {0, 30}};

// Calls `step` on the window at each pass of the event loop (a drawing makes
// one before each sweep line) for as long as it returns true.
void everyPass(std::function<bool(frmRuota4&)> step, int passesLeft = 20000)
{
    QMetaObject::invokeMethod(
        qApp,
        [step = std::move(step), passesLeft]() mutable {
            frmRuota4* w = Form::instance<frmRuota4>();
            if ((!w || step(*w)) && passesLeft > 0)
                everyPass(std::move(step), passesLeft - 1);
        },
        Qt::QueuedConnection);
}

// Runs `action` once, inside a drawing, at the first pass where `when` holds.
void duringDrawing(std::function<bool(frmRuota4&)> when, std::function<void(frmRuota4&)> action)
{
    everyPass([when = std::move(when), action = std::move(action)](frmRuota4& w) {
        if (!when(w))
            return true;
        action(w);
        return false;
    });
}

class FrmRuota4Test : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
    }

    frmRuota4* open(const QList<double>& numbers)
    {
        platform::Random::scriptForTesting(numbers);
        Form::show<frmRuota4>();
        settle();
        return window<frmRuota4>();
    }

    static void click(QWidget* box) { QTest::mouseClick(box, Qt::LeftButton); }

    // Shape1 stands around the box, under it, its band showing on every side
    // right up to the box.
    static void expectFramed(frmRuota4* w, int number)
    {
        const QRect box = w->box(number)->geometry();
        const QRect frame = w->Shape1->geometry();
        EXPECT_TRUE(w->Shape1->isVisible());
        EXPECT_LE(std::abs(frame.center().x() - box.center().x()), 1);
        EXPECT_LE(std::abs(frame.center().y() - box.center().y()), 1);
        EXPECT_LT(frame.left(), box.left());
        EXPECT_LT(frame.top(), box.top());
        EXPECT_GT(frame.right(), box.right());
        EXPECT_GT(frame.bottom(), box.bottom());
        const QObjectList stacking = w->client()->children();
        EXPECT_LT(stacking.indexOf(w->Shape1), stacking.indexOf(w->box(number)));
        const QImage seen = w->client()->grab().toImage();
        const QColor red(255, 0, 0);
        EXPECT_EQ(seen.pixelColor(box.left() - 1, box.center().y()), red);
        EXPECT_EQ(seen.pixelColor(box.right() + 1, box.center().y()), red);
        EXPECT_EQ(seen.pixelColor(box.center().x(), box.top() - 1), red);
        EXPECT_EQ(seen.pixelColor(box.center().x(), box.bottom() + 1), red);
    }

    static void expectBoxesEnabled(frmRuota4* w, bool enabled)
    {
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(w->box(n)->isEnabled(), enabled) << "box " << n;
    }
};

TEST_F(FrmRuota4Test, TwoWrongClicksThenTheRightBoxIsFramedUntilAvanti)
{
    frmRuota4* w = open(QList<double>{0.0} + question(4, kFirst) + QList<double>{0.0} + question(3, kSecond));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Shape1->isHidden());
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(w->angle(n), kFirst[n - 1]) << "box " << n;
        EXPECT_EQ(w->box(n)->lines().size(), kFirst[n - 1].size + 3) << "box " << n;
    }

    click(w->Picture2); // perpendicular arms, but 270 degrees
    click(w->Picture6);
    EXPECT_EQ(app::WrongCount, 2);
    EXPECT_TRUE(w->Shape1->isHidden());
    expectBoxesEnabled(w, true);

    click(w->Picture4);
    EXPECT_EQ(app::CorrectCount, 1);
    EXPECT_EQ(app::WrongCount, 2);
    expectBoxesEnabled(w, false);
    expectFramed(w, 4);

    // The frame follows its box when the window changes size.
    const QSize full = w->size();
    w->resize(full * 2);
    settle();
    expectFramed(w, 4);
    w->resize(full.width() * 3 / 4, full.height() * 5 / 6);
    settle();
    expectFramed(w, 4);

    w->BottoneAvanti->click();
    settle();
    EXPECT_TRUE(w->Shape1->isHidden());
    expectBoxesEnabled(w, true);
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(w->angle(n), kSecond[n - 1]) << "box " << n;
}

TEST_F(FrmRuota4Test, BoxesAreDrawnOneAfterTheOtherEachCompleteBeforeTheNext)
{
    // At every pass through the event loop: the boxes before the one being
    // drawn are complete, the ones after it are empty (the last question's
    // figures were cleared first).
    int passes = 0;
    QStringList faults;
    frmRuota4* w = open(QList<double>{0.0} + question(4, kFirst) + QList<double>{0.0} + question(3, kSecond));
    ASSERT_NE(w, nullptr);
    click(w->Picture4);
    everyPass([&](frmRuota4& w) {
        ++passes;
        int drawing = 0;
        for (int n = 1; n <= 6 && drawing == 0; ++n) {
            if (!w.chosenInThisQuestion(n) || w.box(n)->lines().size() < w.angle(n).size + 3)
                drawing = n;
        }
        for (int n = drawing + 1; drawing != 0 && n <= 6; ++n) {
            if (!w.box(n)->lines().isEmpty())
                faults.append(QStringLiteral("box %1 drawn while box %2 is").arg(n).arg(drawing));
        }
        return drawing != 0;
    });
    w->BottoneAvanti->click();
    settle();
    EXPECT_GT(passes, 0);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    // The right box's second arm stands 90 degrees clockwise of its first.
    const auto& lines = w->Picture3->lines();
    ASSERT_EQ(lines.size(), 93);
    EXPECT_NEAR(lines.last().to.x(), 3, 1e-5);
    EXPECT_NEAR(lines.last().to.y(), 0, 1e-5);
}

TEST_F(FrmRuota4Test, DuringTheDrawingOnlyBoxesWithTheirNewAngleAnswer)
{
    frmRuota4* w = open(QList<double>{0.0} + question(4, kFirst) + QList<double>{0.0} + question(3, kSecond));
    ASSERT_NE(w, nullptr);
    click(w->Picture4);
    ASSERT_EQ(app::CorrectCount, 1);

    // While box 3 of the next question opens, box 4 still shows the last
    // question's right angle: a click on it is no answer. Box 2 already has
    // its new angle (wrong); box 3 is judged on its new angle, still opening.
    bool ran = false;
    duringDrawing([](frmRuota4& w) { return !w.Picture3->lines().isEmpty(); },
                  [&](frmRuota4& w) {
                      ran = true;
                      EXPECT_FALSE(w.chosenInThisQuestion(4));
                      click(w.Picture4);
                      EXPECT_EQ(app::CorrectCount, 1);
                      EXPECT_EQ(app::WrongCount, 0);
                      EXPECT_FALSE(w.ComandoIconaNo->isVisible());
                      EXPECT_FALSE(w.BottoneAvanti->isEnabled());
                      click(w.Picture2);
                      EXPECT_EQ(app::WrongCount, 1);
                      EXPECT_LT(w.Picture3->lines().size(), 93);
                      click(w.Picture3);
                      EXPECT_EQ(app::CorrectCount, 2);
                  });
    w->BottoneAvanti->click();
    settle();
    ASSERT_TRUE(ran);
    EXPECT_EQ(app::CorrectCount, 2);
    EXPECT_EQ(app::WrongCount, 1);
    expectBoxesEnabled(w, false);
    expectFramed(w, 3);
    // The drawing went on to the end after the answer.
    EXPECT_EQ(w->Picture6->lines().size(), 33);
}

TEST_F(FrmRuota4Test, BoxesTakeTheFocusShowItAndAnswerSpaceEnterAndTheirDigit)
{
    frmRuota4* w = open(QList<double>{0.0} + question(4, kFirst));
    ASSERT_NE(w, nullptr);
    w->activateWindow();
    // The program's focus frame, black outside, on the focused box only.
    const auto framed = [](PictureBox* box) {
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
    EXPECT_EQ(app::WrongCount, 1);
    QTest::keyClick(w->Picture2, Qt::Key_Return);
    EXPECT_EQ(app::WrongCount, 2);
    QTest::keyClick(w->Picture2, Qt::Key_6); // digits answer with the box of that number
    EXPECT_EQ(app::WrongCount, 3);
    w->Picture4->setFocus();
    QTest::keyClick(w->Picture4, Qt::Key_Enter);
    EXPECT_EQ(app::CorrectCount, 1);
    expectFramed(w, 4);
    QTest::keyClick(w, Qt::Key_2); // a box locked by the right answer takes no digit either
    EXPECT_EQ(app::WrongCount, 3);

    for (int n = 1; n <= 6; ++n) {
        const QString name = QAccessible::queryAccessibleInterface(w->box(n))->text(QAccessible::Name);
        EXPECT_EQ(name, QStringLiteral("box %1").arg(n));
    }
    EXPECT_EQ(w->Picture4->cursor().shape(), Qt::PointingHandCursor);
}

} // namespace
