#include "support/AppFixture.h"

#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "exercises/frmRuota1.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/Palette.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

using exercises::frmRuota1;
using platform::DrawnLine;
using platform::Form;

namespace {

constexpr int kRed = 12;
constexpr int kYellow = 14;

// The random numbers that give a question: background, start, size.
QList<double> question(int startDegrees, int size)
{
    return {0.0, (startDegrees + 0.5) / 360.0, (size / 15 - 1 + 0.5) / 12.0};
}

int countColour(const QList<DrawnLine>& lines, int colour)
{
    int n = 0;
    for (const DrawnLine& l : lines)
        n += l.colorIndex == colour ? 1 : 0;
    return n;
}

double degreesOf(const QPointF& p)
{
    // Clockwise from straight up, 0 to 360.
    double d = std::atan2(p.x(), -p.y()) * 180 / M_PI;
    d = d < 0 ? d + 360 : d;
    return d > 359.999 ? d - 360 : d;
}

class FrmRuota1Test : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::ExitPromptText = QStringLiteral("Vuoi tornare al menu?");
    }

    frmRuota1* open(const QList<double>& numbers)
    {
        platform::Random::scriptForTesting(numbers);
        Form::show<frmRuota1>();
        settle();
        return window<frmRuota1>();
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static QString message(const char* id) { return language::LookupString(QString::fromLatin1(id)); }
};

TEST_F(FrmRuota1Test, ARightAngleIsOnlyRetto)
{
    frmRuota1* w = open(question(10, 90));
    click(w->Command8);
    click(w->Command2);
    click(w->Command3);
    EXPECT_EQ(shared::WrongCount, 3);
    EXPECT_EQ(w->EtichettaErrati->text(), QStringLiteral(" 3"));
    EXPECT_FALSE(w->ComandoIconaNo->isHidden());
    EXPECT_TRUE(w->ComandoIconaSi->isHidden());
    EXPECT_EQ(shared::CorrectCount, 0);

    click(w->Command1);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(shared::WrongCount, 3);
    EXPECT_FALSE(w->ComandoIconaSi->isHidden());
    EXPECT_TRUE(w->ComandoIconaNo->isHidden());
    EXPECT_EQ(w->Label5->text(), QStringLiteral("90") + message("0076"));
    EXPECT_TRUE(w->Label5->text().startsWith(QStringLiteral("90°")));
}

TEST_F(FrmRuota1Test, AStraightAngleIsPiattoAndNotOttuso)
{
    frmRuota1* w = open(question(200, 180));
    click(w->Command2);
    EXPECT_EQ(shared::WrongCount, 1);
    click(w->Command3);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->Label5->text(), QStringLiteral("180") + message("0078"));
}

TEST_F(FrmRuota1Test, AcuteAnglesTakeTheAcuteMessageAfterTheirMeasure)
{
    frmRuota1* w = open(question(0, 15));
    click(w->Command8);
    EXPECT_EQ(w->Label5->text(), QStringLiteral("15") + message("0080"));

    // Pressing "piatto" then "acuto" on 75 degrees: one wrong, one right.
    shared::CorrectCount = 0;
    platform::Random::scriptForTesting(question(40, 75));
    click(w->BottoneAvanti);
    click(w->Command3);
    click(w->Command8);
    EXPECT_EQ(shared::WrongCount, 1);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->Label5->text(), QStringLiteral("75") + message("0080"));
}

TEST_F(FrmRuota1Test, TheFanOpensClockwiseBetweenTwoRedArms)
{
    frmRuota1* w = open(question(0, 90));
    const QList<DrawnLine>& lines = w->Picture1->lines();
    ASSERT_EQ(lines.size(), 93);
    EXPECT_EQ(countColour(lines, kYellow), 90);
    EXPECT_EQ(lines.front().colorIndex, kRed);
    EXPECT_NEAR(degreesOf(lines.front().to), 0, 1e-3);
    for (int i = 1; i <= 90; ++i)
        EXPECT_NEAR(degreesOf(lines[i].to), i, 1e-3);
    EXPECT_EQ(lines[91].colorIndex, kRed); // the first arm again, over the yellow
    EXPECT_NEAR(degreesOf(lines[91].to), 0, 1e-3);
    EXPECT_EQ(lines[92].colorIndex, kRed); // the second arm, to the right
    EXPECT_NEAR(lines[92].to.x(), 3, 1e-5);
    EXPECT_NEAR(lines[92].to.y(), 0, 1e-5);
}

TEST_F(FrmRuota1Test, ASweepPastAFullTurnEndsWhereItShould)
{
    frmRuota1* w = open(question(300, 180));
    const QList<DrawnLine>& lines = w->Picture1->lines();
    EXPECT_EQ(countColour(lines, kYellow), 180);
    EXPECT_NEAR(degreesOf(lines.back().to), 120, 1e-3);
    EXPECT_NEAR(degreesOf(lines.front().to), 300, 1e-3);
}

} // namespace

namespace {

TEST_F(FrmRuota1Test, SoundsSwitchedOffInTheMenuStayOffThroughAnExercise)
{
    shared::SoundsOn = true;
    Form::show<app::FormMenu>();
    settle();
    app::FormMenu* menu = window<app::FormMenu>();
    menu->Check1->setChecked(false);
    ASSERT_FALSE(shared::SoundsOn);

    platform::Random::scriptForTesting(question(0, 90));
    click(menu->exerciseButton("Command3"));
    settle();
    frmRuota1* w = window<frmRuota1>();
    click(w->Command8);
    click(w->Command1);
    EXPECT_TRUE(soundsPlayed().isEmpty());

    click(w->Command7); // answered Yes
    settle();
    EXPECT_FALSE(window<app::FormMenu>()->Check1->isChecked());
}

} // namespace
