#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "exercise/FanDrawing.h"
#include "exercises/frmRuota.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/PressButton.h"
#include "platform/services/Random.h"
#include "support/AppFixture.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <cmath>

using exercises::frmRuota;
using platform::DrawnLine;
using platform::Form;

namespace {

constexpr int kRed = 12;
constexpr int kWhite = 15;
const QString kOpeningTip = QStringLiteral("L'angolo che costruisci"); // the Italian file's

// Clockwise whole degrees from straight up of a line's far end, 0 to 359.
int degreesOf(const DrawnLine& line)
{
    const long d = std::lround(std::atan2(line.to.x(), -line.to.y()) * 180 / M_PI);
    return int((d % 360 + 360) % 360);
}

// Whether the box shows, pixel for pixel, the window's built angle as it looks
// drawn afresh: the fan up to the moving arm under the red first arm, no line
// left over, none bitten into.
bool showsTheBuiltAngle(frmRuota& w)
{
    platform::PictureBox fresh;
    fresh.resize(w.Picture1->size());
    fresh.setScale(QPointF(-2, -2), QPointF(2, 2));
    for (int d = 1; d <= w.BuiltAngle; ++d)
        exercise::drawStep(&fresh, w.StartDegrees + d, exercise::kFillColor);
    exercise::drawArm(&fresh, w.StartDegrees);
    return w.CurrentDegrees == w.StartDegrees + w.BuiltAngle
        && fresh.grab().toImage() == w.Picture1->grab().toImage();
}

class FrmRuotaTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true; // a right answer's sound takes a random number
    }

    // Opens on a question: background colour entry 1, first arm, size asked for.
    frmRuota* open(int start, int target, const QList<double>& later = {})
    {
        platform::Random::scriptForTesting(QList<double>{0.0, (start + 0.5) / 360, (target + 0.5) / 360} + later);
        Form::show<frmRuota>();
        settle();
        return window<frmRuota>();
    }

    static void press(QPushButton* button, Qt::MouseButton mouse = Qt::LeftButton) { QTest::mouseClick(button, mouse); }
    // Runs `action` at the next pass through the event loop: inside a drawing.
    static void atNextYield(std::function<void()> action) { QTimer::singleShot(0, qApp, std::move(action)); }
    static QString message(const char* id) { return language::LookupString(QString::fromLatin1(id)); }
    static QString tip(int built) { return message("0004") + QString::number(built) + "°"; }
};

TEST_F(FrmRuotaTest, OpensOnTheFirstArmAloneUnderSixSquareSteps)
{
    frmRuota* w = open(100, 40);
    ASSERT_EQ(w->Picture1->lines().size(), 1);
    EXPECT_EQ(w->Picture1->lines()[0].colorIndex, kRed);
    EXPECT_EQ(degreesOf(w->Picture1->lines()[0]), 100);
    EXPECT_EQ(w->TargetAngle, 40);
    EXPECT_EQ(w->Label1->text(), message("0024") + " 40°");
    EXPECT_EQ(w->Label2->text(), message("0022") + "\r\n" + message("0023"));
    EXPECT_EQ(w->Picture1->toolTip(), kOpeningTip);

    // Two rows of three equal squares, the larger steps above, at the window's size.
    const QList<QPushButton*> steps = {w->Command5, w->Command6, w->Command4, w->Command1, w->Command2, w->Command3};
    for (int i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i]->size(), QSize(steps[0]->width(), steps[0]->width())) << i;
        EXPECT_EQ(steps[i]->y(), steps[i < 3 ? 0 : 3]->y()) << i;
        EXPECT_TRUE(i % 3 == 0 || steps[i]->x() > steps[i - 1]->geometry().right()) << i;
    }
    EXPECT_GT(w->Command1->y(), w->Command5->geometry().bottom());
}

TEST_F(FrmRuotaTest, RightAnswersNeedTheExactSize)
{
    frmRuota* w = open(200, 0, {0.0, 0.0, 350.5 / 360, 40.5 / 360}); // sound, colour, next question
    w->Command8->click(); // nothing asked, nothing built
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->Label5->text(), " 0°");

    w->BottoneAvanti->click();
    settle();
    press(w->Command4);
    press(w->Command1);
    EXPECT_EQ(w->BuiltAngle, 40);
    EXPECT_EQ(w->Picture1->toolTip(), tip(40));
    EXPECT_EQ(w->Picture1->accessibleDescription(), tip(40));
    EXPECT_TRUE(showsTheBuiltAngle(*w)); // past 0 degrees, on to 30
    EXPECT_EQ(w->Label1->text(), message("0024") + " 40°");
    w->Command8->click();
    EXPECT_EQ(shared::CorrectCount, 2);
    EXPECT_FALSE(w->Label5->isHidden());
    EXPECT_EQ(w->Label5->text(), " 40°");
    EXPECT_EQ(w->Label1->text(), message("0021") + " 40°");
    const auto& lines = w->Picture1->lines();
    EXPECT_EQ(lines[lines.size() - 2].colorIndex, kRed); // both arms red
    EXPECT_EQ(degreesOf(lines[lines.size() - 2]), 350);
    EXPECT_EQ(lines.back().colorIndex, kRed);
    EXPECT_EQ(degreesOf(lines.back()), 30);
    // The steps still turn, though nothing can be judged until "avanti".
    press(w->Command3);
    EXPECT_EQ(w->BuiltAngle, 41);
    EXPECT_EQ(w->Picture1->toolTip(), tip(41));
}

TEST_F(FrmRuotaTest, AFullTurnIsNeverRightAndCannotBePassed)
{
    frmRuota* w = open(0, 359);
    for (int i = 0; i < 4; ++i)
        press(w->Command5);
    w->Command8->click();
    EXPECT_EQ(shared::WrongCount, 1);

    const qsizetype drawn = w->Picture1->lines().size();
    press(w->Command3);
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].prompt, message("0002"));
    EXPECT_EQ(asked()[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(asked()[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(asked()[0].title, shared::messageBoxTitle());
    EXPECT_EQ(w->BuiltAngle, 360);
    EXPECT_EQ(w->Picture1->lines().size(), drawn);
    EXPECT_EQ(w->Picture1->toolTip(), tip(360));

    // Closing from a full turn keeps the first arm that lies under it.
    press(w->Command5, Qt::RightButton);
    EXPECT_EQ(w->BuiltAngle, 270);
    EXPECT_TRUE(showsTheBuiltAngle(*w));
}

TEST_F(FrmRuotaTest, OtherMouseButtonsCloseInWhiteDownToNothing)
{
    frmRuota* w = open(90, 10);
    press(w->Command6);
    press(w->Command2);
    const qsizetype before = w->Picture1->lines().size();
    press(w->Command6, Qt::RightButton);
    EXPECT_EQ(w->BuiltAngle, 5);
    // The 45 lines above 5 degrees are drawn over in white, from the moving arm back.
    const auto& lines = w->Picture1->lines();
    ASSERT_GE(lines.size(), before + 45);
    for (int i = 0; i < 45; ++i) {
        EXPECT_EQ(lines[before + i].colorIndex, kWhite) << i;
        EXPECT_EQ(degreesOf(lines[before + i]), 140 - i) << i;
    }
    EXPECT_TRUE(showsTheBuiltAngle(*w));
    press(w->Command2, Qt::MiddleButton);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_TRUE(showsTheBuiltAngle(*w));

    const qsizetype drawn = w->Picture1->lines().size();
    for (QPushButton* b : {w->Command5, w->Command6, w->Command4, w->Command1, w->Command2, w->Command3})
        press(b, Qt::RightButton);
    ASSERT_EQ(asked().size(), 6);
    EXPECT_EQ(asked()[5].prompt, message("0003"));
    EXPECT_EQ(w->Picture1->lines().size(), drawn);
}

TEST_F(FrmRuotaTest, TheRequestRunsFrom0To359AndARightAnswerLocksRicominciaUntilAvanti)
{
    // The largest number the generator gives asks for 359, the smallest for 0.
    platform::Random::scriptForTesting({0.0, 0.0, std::nextafter(1.0, 0.0), 0.0, 0.0, 0.0, 0.0});
    Form::show<frmRuota>();
    settle();
    frmRuota* w = window<frmRuota>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->TargetAngle, 359);
    EXPECT_EQ(w->Label1->text(), message("0024") + " 359°");
    for (int i = 0; i < 4; ++i)
        press(w->Command5);
    press(w->Command3, Qt::RightButton);
    w->Command8->click();
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_FALSE(w->Command9->isEnabled());
    EXPECT_FALSE(w->Command8->isEnabled());

    w->BottoneAvanti->click();
    settle();
    EXPECT_EQ(w->TargetAngle, 0);
    EXPECT_TRUE(w->Command9->isEnabled());
    EXPECT_TRUE(w->Command8->isEnabled());
}

TEST_F(FrmRuotaTest, EveryRefusalIsACriticalBoxAndEveryTurnBackTellsTheBuiltAngle)
{
    frmRuota* w = open(0, 10);
    ASSERT_NE(w, nullptr);
    const auto expectSixRefusals = [this](qsizetype from, language::Message refusal) {
        const QString text = language::LookupString(refusal);
        ASSERT_FALSE(text.isEmpty());
        ASSERT_EQ(asked().size(), from + 6);
        for (qsizetype i = from; i < asked().size(); ++i) {
            EXPECT_EQ(asked()[i].prompt, text) << i;
            EXPECT_EQ(asked()[i].icon, platform::MessageIcon::Critical) << i;
            EXPECT_EQ(asked()[i].buttons, platform::MessageButtons::Ok) << i;
            EXPECT_EQ(asked()[i].title, QString::fromLatin1(shared::kProgramTitle)) << i;
        }
    };
    const std::pair<QPushButton*, int> steps[] = {{w->Command5, 90}, {w->Command6, 45}, {w->Command4, 30},
                                                  {w->Command1, 10}, {w->Command2, 5},  {w->Command3, 1}};
    for (const auto& [button, step] : steps)
        press(button, Qt::RightButton);
    expectSixRefusals(0, language::Message::TurnTooFarBack);
    EXPECT_EQ(w->BuiltAngle, 0);

    for (int i = 0; i < 4; ++i)
        press(w->Command5);
    for (const auto& [button, step] : steps)
        press(button);
    expectSixRefusals(6, language::Message::TurnTooFarForward);

    // Every step back from a full turn tells the angle it leaves.
    int built = 360;
    for (const auto& [button, step] : steps) {
        press(button, Qt::RightButton);
        built -= step;
        EXPECT_EQ(w->BuiltAngle, built);
        EXPECT_EQ(w->Picture1->toolTip(), tip(built)) << built;
        EXPECT_EQ(w->Picture1->accessibleDescription(), tip(built)) << built;
    }
}

TEST_F(FrmRuotaTest, RicominciaKeepsTheRequestAndTheLastTip)
{
    frmRuota* w = open(45, 90);
    press(w->Command4);
    w->Command8->click();
    w->Command8->click();
    EXPECT_EQ(shared::WrongCount, 2);
    const QColor colour = w->backColor();
    w->Command9->click();
    ASSERT_EQ(w->Picture1->lines().size(), 1);
    EXPECT_EQ(degreesOf(w->Picture1->lines()[0]), 45);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_EQ(w->CurrentDegrees, 45);
    EXPECT_EQ(w->Label1->text(), message("0021") + " 90°");
    EXPECT_EQ(w->Picture1->toolTip(), tip(30));
    EXPECT_EQ(w->backColor(), colour);
    EXPECT_EQ(shared::WrongCount, 2);
}

TEST_F(FrmRuotaTest, TheKeyboardTurnsBothWaysAndTabReachesEveryButton)
{
    frmRuota* w = open(0, 10);
    QTest::keyClick(w->Command3, Qt::Key_Space);
    QTest::keyClick(w->Command1, Qt::Key_Return);
    QTest::keyClick(w->Command2, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w->BuiltAngle, 16);
    QTest::keyClick(w->Command3, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClick(w->Command2, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(w->BuiltAngle, 10);
    w->Command3->click(); // as assistive technology presses it
    EXPECT_EQ(w->BuiltAngle, 11);
    EXPECT_TRUE(showsTheBuiltAngle(*w));

    EXPECT_EQ(w->focusWidget(), w->Command5);
    QSet<QWidget*> reached;
    for (int i = 0; i < 20; ++i) {
        reached.insert(w->focusWidget());
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* b : QList<QWidget*>{w->Command5, w->Command6, w->Command4, w->Command1, w->Command2, w->Command3,
                                      w->Command9, w->Command8, w->Command7})
        EXPECT_TRUE(reached.contains(b)) << b->objectName().toStdString();
}

TEST_F(FrmRuotaTest, TurnsAndConfermaDuringATurnEndInTheFigureOfTheBuiltAngle)
{
    frmRuota* w = open(300, 20);
    atNextYield([w] { // while " 90°" opens, "5°" closes and "1°" opens
        press(w->Command2, Qt::RightButton);
        press(w->Command3);
    });
    press(w->Command5);
    EXPECT_EQ(w->BuiltAngle, 86);
    EXPECT_EQ(w->Picture1->toolTip(), tip(86));
    EXPECT_TRUE(showsTheBuiltAngle(*w));

    atNextYield([w] { w->Command8->click(); }); // judges 116 and draws its arms red
    press(w->Command4);
    EXPECT_EQ(shared::WrongCount, 1);
    EXPECT_TRUE(showsTheBuiltAngle(*w));
}

TEST_F(FrmRuotaTest, RicominciaOrAvantiDuringATurnStopsIt)
{
    frmRuota* w = open(10, 90, {0.0, 0.0, 20.5 / 360, 30.5 / 360}); // sound, colour, next question
    atNextYield([w] { w->Command9->click(); });
    press(w->Command5);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_TRUE(showsTheBuiltAngle(*w));
    EXPECT_EQ(w->Picture1->toolTip(), kOpeningTip); // the turn never finished

    atNextYield([w] {
        w->Command8->click(); // already 90: right
        w->BottoneAvanti->click();
    });
    press(w->Command5);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->questionNumber(), 2u);
    ASSERT_EQ(w->Picture1->lines().size(), 1);
    EXPECT_EQ(degreesOf(w->Picture1->lines()[0]), 20);
    EXPECT_TRUE(showsTheBuiltAngle(*w));
    EXPECT_EQ(w->Picture1->toolTip(), kOpeningTip);
}

TEST_F(FrmRuotaTest, EsciDuringATurnLeavesWithoutDrawing)
{
    frmRuota* w = open(0, 90);
    atNextYield([w] { w->Command7->click(); }); // answered Yes
    emit w->Command5->mouseDown(Qt::LeftButton); // not through QTest: the button goes
    settle();
    EXPECT_EQ(Form::instance<frmRuota>(), nullptr);
    EXPECT_NE(Form::instance<app::FormMenu>(), nullptr);
}

} // namespace
