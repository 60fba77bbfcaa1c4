#include "app/FormMenu.h"
#include "app/shared/Modulo1.h"
#include "exercise/FanDrawing.h"
#include "exercises/frmRuota.h"
#include "language/LanguageSupport.h"
#include "platform/PictureBox.h"
#include "platform/PressButton.h"
#include "platform/Random.h"
#include "support/AppFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <map>

using exercises::frmRuota;
using platform::DrawnLine;
using platform::Form;
using platform::MessageIcon;

namespace {

constexpr int kRed = 12;
constexpr int kYellow = 14;
constexpr int kWhite = 15;
const QString kOpeningTip = QStringLiteral("L'angolo che costruisci");

// Clockwise whole degrees from straight up of a line's far end, 0 to 359.
int degreesOf(const DrawnLine& line)
{
    const long d = std::lround(std::atan2(line.to.x(), -line.to.y()) * 180 / M_PI);
    return int((d % 360 + 360) % 360);
}

// What the box shows, direction by direction: the colour drawn last there,
// nothing where it was drawn last in white.
using Figure = std::map<int, int>;

Figure shown(const QList<DrawnLine>& lines)
{
    Figure figure;
    for (const DrawnLine& l : lines) {
        if (l.colorIndex == kWhite)
            figure.erase(degreesOf(l));
        else
            figure[degreesOf(l)] = l.colorIndex;
    }
    return figure;
}

// The figure of a built angle: the red first arm and a yellow line at every
// degree up to the moving arm.
Figure builtFigure(int start, int built)
{
    Figure figure;
    for (int d = 1; d <= built; ++d)
        figure[(start + d) % 360] = kYellow;
    figure[start] = kRed;
    return figure;
}

// Whether the box looks, pixel for pixel, like the figure of the built angle
// drawn afresh in a box of its size: no line left over, none bitten into.
bool looksDrawnAfresh(frmRuota& w)
{
    platform::PictureBox fresh;
    fresh.resize(w.Picture1->size());
    fresh.setScale(QPointF(-2, -2), QPointF(2, 2));
    for (int d = 1; d <= w.BuiltAngle; ++d)
        exercise::drawStep(&fresh, w.StartDegrees + d, kYellow);
    exercise::drawArm(&fresh, w.StartDegrees);
    return fresh.grab().toImage() == w.Picture1->grab().toImage();
}

class FrmRuotaTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        app::SoundsOn = true;
    }

    // Opens the window on a question: background colour entry 1, the first
    // arm's direction and the size asked for.
    frmRuota* open(int start, int target, const QList<double>& later = {})
    {
        platform::Random::scriptForTesting(QList<double>{0.0, (start + 0.5) / 360, (target + 0.5) / 360} + later);
        Form::show<frmRuota>();
        settle();
        return window<frmRuota>();
    }

    static void press(QPushButton* button, Qt::MouseButton mouseButton = Qt::LeftButton)
    {
        QTest::mouseClick(button, mouseButton);
    }
    // Runs `action` at the next pass through the event loop: inside a drawing.
    static void atNextYield(std::function<void()> action) { QTimer::singleShot(0, qApp, std::move(action)); }
    static QString message(const char* id) { return language::LookupString(QString::fromLatin1(id)); }
};

TEST_F(FrmRuotaTest, OpensOnTheFirstArmAloneWithTheRequestAndTheInstruction)
{
    frmRuota* w = open(100, 40);
    EXPECT_EQ(w->StartDegrees, 100);
    EXPECT_EQ(w->TargetAngle, 40);
    EXPECT_EQ(w->BuiltAngle, 0);
    ASSERT_EQ(w->Picture1->lines().size(), 1);
    EXPECT_EQ(w->Picture1->lines()[0].colorIndex, kRed);
    EXPECT_EQ(degreesOf(w->Picture1->lines()[0]), 100);
    EXPECT_EQ(w->Label1->text(), message("0024") + " 40°");
    EXPECT_EQ(w->Label2->text(), message("0022") + "\r\n" + message("0023"));
    // The language file's tooltip, until a turn tells the built angle.
    EXPECT_EQ(w->Picture1->toolTip(), kOpeningTip);
    EXPECT_EQ(w->Label5->parentWidget(), w->Picture1);

    // Two rows of three equal squares, the larger steps above.
    const QList<QPushButton*> steps = {w->Command5, w->Command6, w->Command4, w->Command1, w->Command2, w->Command3};
    for (int i = 0; i < steps.size(); ++i) {
        const QRect g = steps[i]->geometry();
        EXPECT_EQ(g.size(), steps[0]->size()) << i;
        EXPECT_EQ(g.width(), g.height()) << i;
        EXPECT_EQ(g.top(), steps[i < 3 ? 0 : 3]->geometry().top()) << i;
        if (i % 3 > 0) {
            EXPECT_GT(g.left(), steps[i - 1]->geometry().right()) << i;
        }
    }
    EXPECT_GT(w->Command1->geometry().top(), w->Command5->geometry().bottom());
}

TEST_F(FrmRuotaTest, NothingAskedIsRightWithoutATurn)
{
    frmRuota* w = open(200, 0);
    w->Command8->click();
    EXPECT_EQ(app::CorrectCount, 1);
    EXPECT_FALSE(w->Label5->isHidden());
    EXPECT_EQ(w->Label5->text(), " 0°");
    EXPECT_EQ(w->Label1->text(), message("0021") + " 0°");
}

TEST_F(FrmRuotaTest, FortyBuiltFromThirtyAndTenIsRight)
{
    frmRuota* w = open(350, 40);
    press(w->Command4);
    press(w->Command1);
    EXPECT_EQ(w->BuiltAngle, 40);
    EXPECT_EQ(w->CurrentDegrees, 390);
    EXPECT_EQ(w->Picture1->toolTip(), message("0004") + "40°");
    EXPECT_EQ(w->Picture1->accessibleDescription(), w->Picture1->toolTip());
    EXPECT_EQ(w->Label1->text(), message("0024") + " 40°");
    // One yellow line per degree, opening clockwise past 0.
    QList<int> yellow;
    for (const DrawnLine& l : w->Picture1->lines()) {
        if (l.colorIndex == kYellow)
            yellow.append(degreesOf(l));
    }
    ASSERT_EQ(yellow.size(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(yellow[i], (351 + i) % 360) << i;
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(350, 40));

    w->Command8->click();
    EXPECT_EQ(app::CorrectCount, 1);
    ASSERT_EQ(soundsPlayed().size(), 1);
    EXPECT_TRUE(soundsPlayed()[0].contains("/suoni/si"));
    EXPECT_FALSE(w->ComandoIconaSi->isHidden());
    EXPECT_EQ(w->Label5->text(), " 40°");
    EXPECT_EQ(w->Label1->text(), message("0021") + " 40°");
    // Both arms are red now.
    const auto& lines = w->Picture1->lines();
    EXPECT_EQ(shown(lines).at(350), kRed);
    EXPECT_EQ(shown(lines).at(30), kRed);
    EXPECT_FALSE(w->Command8->isEnabled());
    EXPECT_FALSE(w->Command9->isEnabled());
    EXPECT_TRUE(w->BottoneAvanti->isEnabled());

    // The step buttons still turn the arm, though nothing can be judged.
    press(w->Command3);
    EXPECT_EQ(w->BuiltAngle, 41);
    EXPECT_EQ(w->Picture1->toolTip(), message("0004") + "41°");
}

TEST_F(FrmRuotaTest, AFullTurnIsNeverRightAndCannotBePassed)
{
    frmRuota* w = open(0, 359);
    for (int i = 0; i < 4; ++i)
        press(w->Command5);
    EXPECT_EQ(w->BuiltAngle, 360);
    w->Command8->click();
    EXPECT_EQ(app::WrongCount, 1);

    const qsizetype drawn = w->Picture1->lines().size();
    const QString tip = w->Picture1->toolTip();
    press(w->Command3);
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].prompt, message("0002"));
    EXPECT_EQ(asked()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(asked()[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(asked()[0].title, QString::fromLatin1(app::kProgramTitle));
    EXPECT_EQ(w->BuiltAngle, 360);
    EXPECT_EQ(w->Picture1->lines().size(), drawn);
    EXPECT_EQ(w->Picture1->toolTip(), tip);

    // Closing from a full turn never erases the first arm, which lies under it.
    press(w->Command5, Qt::RightButton);
    EXPECT_EQ(w->BuiltAngle, 270);
    EXPECT_EQ(w->CurrentDegrees, 270);
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(0, 270));
}

TEST_F(FrmRuotaTest, OtherButtonsCloseTheAngleInWhiteDownToNothing)
{
    frmRuota* w = open(90, 10);
    press(w->Command6);
    press(w->Command2);
    const qsizetype before = w->Picture1->lines().size();
    press(w->Command6, Qt::RightButton);
    EXPECT_EQ(w->BuiltAngle, 5);
    EXPECT_EQ(w->CurrentDegrees, 95);
    // The 45 lines above 5 degrees are drawn over in white, from the moving arm back.
    const auto& lines = w->Picture1->lines();
    ASSERT_GE(lines.size(), before + 45);
    for (int i = 0; i < 45; ++i) {
        EXPECT_EQ(lines[before + i].colorIndex, kWhite) << i;
        EXPECT_EQ(degreesOf(lines[before + i]), 140 - i) << i;
    }
    EXPECT_EQ(shown(lines), builtFigure(90, 5));
    EXPECT_TRUE(looksDrawnAfresh(*w));
    EXPECT_EQ(w->Picture1->toolTip(), message("0004") + "5°");

    press(w->Command2, Qt::MiddleButton);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(90, 0));

    // From nothing every step back is refused and draws nothing.
    const qsizetype drawn = w->Picture1->lines().size();
    for (QPushButton* b : {w->Command5, w->Command6, w->Command4, w->Command1, w->Command2, w->Command3})
        press(b, Qt::RightButton);
    ASSERT_EQ(asked().size(), 6);
    for (const auto& box : asked())
        EXPECT_EQ(box.prompt, message("0003"));
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_EQ(w->Picture1->lines().size(), drawn);
    EXPECT_EQ(w->Picture1->toolTip(), message("0004") + "0°");
}

TEST_F(FrmRuotaTest, EveryWrongConfermaCountsAndRicominciaKeepsTheRequest)
{
    frmRuota* w = open(45, 90);
    press(w->Command4);
    w->Command8->click();
    w->Command8->click();
    EXPECT_EQ(app::WrongCount, 2);
    EXPECT_FALSE(w->ComandoIconaNo->isHidden());
    const auto& lines = w->Picture1->lines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.back().colorIndex, kRed);
    EXPECT_EQ(degreesOf(lines.back()), 75);
    EXPECT_EQ(lines[lines.size() - 2].colorIndex, kRed);
    EXPECT_EQ(degreesOf(lines[lines.size() - 2]), 45);

    const QColor colour = w->backColor();
    w->Command9->click();
    ASSERT_EQ(w->Picture1->lines().size(), 1);
    EXPECT_EQ(w->Picture1->lines()[0].colorIndex, kRed);
    EXPECT_EQ(degreesOf(w->Picture1->lines()[0]), 45);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_EQ(w->CurrentDegrees, 45);
    EXPECT_EQ(w->TargetAngle, 90);
    EXPECT_EQ(w->Label1->text(), message("0021") + " 90°");
    EXPECT_EQ(w->Picture1->toolTip(), message("0004") + "30°");
    EXPECT_EQ(w->backColor(), colour);
    EXPECT_EQ(app::WrongCount, 2);
    EXPECT_FALSE(w->ComandoIconaNo->isHidden());
}

TEST_F(FrmRuotaTest, TheKeyboardTurnsBothWaysAndTabReachesEveryButton)
{
    frmRuota* w = open(0, 10);
    QTest::keyClick(w->Command3, Qt::Key_Space);
    EXPECT_EQ(w->BuiltAngle, 1);
    QTest::keyClick(w->Command3, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(w->BuiltAngle, 0);
    QTest::keyClick(w->Command1, Qt::Key_Return);
    QTest::keyClick(w->Command2, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w->BuiltAngle, 15);
    QTest::keyClick(w->Command2, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(w->BuiltAngle, 10);
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(0, 10));
    EXPECT_TRUE(asked().isEmpty());
    // A press that is neither mouse nor key, as assistive technologies give.
    w->Command3->click();
    EXPECT_EQ(w->BuiltAngle, 11);

    // The pupil starts on the largest step and tabs through the rest.
    w->activateWindow();
    EXPECT_EQ(w->focusWidget(), w->Command5);
    QSet<QWidget*> reached;
    for (int i = 0; i < 20; ++i) {
        reached.insert(QApplication::focusWidget() ? QApplication::focusWidget() : w->focusWidget());
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* b : QList<QWidget*>{w->Command5, w->Command6, w->Command4, w->Command1, w->Command2, w->Command3,
                                      w->Command9, w->Command8, w->Command7})
        EXPECT_TRUE(reached.contains(b)) << b->objectName().toStdString();
}

TEST_F(FrmRuotaTest, OverlappingTurnsEndWithTheFigureOfTheBuiltAngle)
{
    frmRuota* w = open(300, 20);
    // While " 90°" opens, "5°" closes and "1°" opens.
    atNextYield([w] {
        press(w->Command2, Qt::RightButton);
        press(w->Command3);
    });
    press(w->Command5);
    EXPECT_EQ(w->BuiltAngle, 86);
    EXPECT_EQ(w->CurrentDegrees, 386);
    EXPECT_EQ(w->Picture1->toolTip(), message("0004") + "86°");
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(300, 86));
    EXPECT_TRUE(looksDrawnAfresh(*w));

    // "conferma" during a turn leaves a red arm inside the fan until it ends.
    atNextYield([w] { w->Command8->click(); });
    press(w->Command4);
    EXPECT_EQ(app::WrongCount, 1);
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(300, 116));
}

TEST_F(FrmRuotaTest, RicominciaDuringATurnStopsIt)
{
    frmRuota* w = open(10, 20);
    atNextYield([w] { w->Command9->click(); });
    press(w->Command5);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_EQ(w->CurrentDegrees, 10);
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(10, 0));
    EXPECT_EQ(w->Picture1->toolTip(), kOpeningTip); // the turn never finished
    press(w->Command1);
    EXPECT_EQ(shown(w->Picture1->lines()), builtFigure(10, 10));
}

TEST_F(FrmRuotaTest, AvantiDuringATurnLeavesTheNewQuestionAlone)
{
    frmRuota* w = open(0, 90, {0.0, 0.0, 10.5 / 360, 20.5 / 360}); // sound, colour, question
    atNextYield([w] {
        w->Command8->click(); // already 90: right
        w->BottoneAvanti->click();
    });
    press(w->Command5);
    EXPECT_EQ(app::CorrectCount, 1);
    EXPECT_EQ(w->questionNumber(), 2u);
    EXPECT_EQ(w->BuiltAngle, 0);
    EXPECT_EQ(w->CurrentDegrees, 10);
    ASSERT_EQ(w->Picture1->lines().size(), 1);
    EXPECT_EQ(degreesOf(w->Picture1->lines()[0]), 10);
    EXPECT_EQ(w->Picture1->toolTip(), kOpeningTip);
    EXPECT_TRUE(w->Command8->isEnabled());
    EXPECT_TRUE(w->Command9->isEnabled());
}

TEST_F(FrmRuotaTest, EsciDuringATurnLeavesWithoutDrawing)
{
    frmRuota* w = open(0, 90);
    atNextYield([w] { w->Command7->click(); }); // answered Yes
    // Signalled directly: the button is gone when the turn returns.
    emit w->Command5->mouseDown(Qt::LeftButton);
    settle();
    EXPECT_EQ(Form::instance<frmRuota>(), nullptr);
    EXPECT_NE(Form::instance<app::FormMenu>(), nullptr);
}

} // namespace
