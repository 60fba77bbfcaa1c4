// The level of the school settings reaches each exercise's questions.
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota3.h"
#include "exercises/frmRuota4.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota7.h"
#include "exercises/frmRuota8.h"
#include "exercises/levels/LevelSettings.h"
#include "language/LanguageSupport.h"
#include "platform/services/Random.h"
#include "platform/widgets/PressButton.h"
#include "support/AppFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using platform::Form;

class LevelsInWindows : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
    }

    // Opens the window with the school settings and the random numbers given
    // (the background colour's first).
    template <class Window> Window* openWith(const QByteArray& settings, const QList<double>& numbers)
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        const QString path = QString::fromLocal8Bit(qgetenv("GONIOMA_CONFIG"));
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(settings);
        file.close();
        platform::Random::scriptForTesting(numbers);
        Form::show<Window>();
        settle();
        return Form::instance<Window>();
    }
};

TEST_F(LevelsInWindows, EachExerciseAsksFromItsLevel)
{
    {
        SCOPED_TRACE("acute...: tens, upright");
        auto* w = openWith<exercises::frmRuota1>("[frmRuota1]\nLevel=tens\nUpright=1\n", {0.0, 0.5});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->StartDegrees, 0);
        EXPECT_EQ(w->AngleSize, 100); // the ninth of 20, 30, ..., 180
    }
    {
        SCOPED_TRACE("complementary: 20, 45 or 70");
        auto* w = openWith<exercises::frmRuota5>("[frmRuota5]\nMin=20\nMax=70\nStep=25\n", {0.0, 10.5 / 360, 0.5});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->StartDegrees, 10);
        EXPECT_EQ(w->AngleSize, 45);
    }
    {
        SCOPED_TRACE("compare: at least 50 apart");
        auto* w = openWith<exercises::frmRuota3>("[frmRuota3]\nMax=100\nMinDifference=50\n", {0.0, 0.0, 0.0});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->AngleSize1, 10);
        EXPECT_EQ(w->AngleSize2, 60);
    }
    {
        SCOPED_TRACE("find the right angle: the others far from it, all upright");
        auto* w = openWith<exercises::frmRuota4>("[frmRuota4]\nMin=10\nMax=180\nStep=10\nMinDistance=40\nUpright=1\n",
                                                 QList<double>(8, 0.0));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->angle(1), (exercises::BoxAngle{0, 90}));
        for (int box = 2; box <= 6; ++box)
            EXPECT_EQ(w->angle(box), (exercises::BoxAngle{0, 10})) << box;
    }
    {
        SCOPED_TRACE("build: two step buttons, multiples of 5");
        auto* w = openWith<exercises::frmRuota>("[frmRuota]\nMax=100\nStep=5\nSteps=10,5\n", {0.0, 0.5 / 360, 0.5});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->TargetAngle, 50);
        for (platform::PressButton* hidden : {w->Command5, w->Command6, w->Command4, w->Command3})
            EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
        EXPECT_TRUE(w->Command1->isVisible());
        EXPECT_TRUE(w->Command2->isVisible());
        EXPECT_EQ(w->focusWidget(), w->Command1);
    }
    {
        SCOPED_TRACE("estimate: a narrower range and a stricter tolerance");
        auto* w = openWith<exercises::frmRuota7>("[frmRuota7]\nMin=40\nMax=50\nTolerance=5\n", {0.0, 0.5 / 360, 0.99});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->AngleSize, 50);
        EXPECT_EQ(w->tolerance, 5);
    }
    {
        SCOPED_TRACE("protractor: nothing set, its own questions");
        auto* w = openWith<exercises::frmRuota8>("[Program]\nLocked=0\n", {0.0, 0.5 / 360, 34.5 / 180});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->AngleSize, 35);
        EXPECT_EQ(w->roundLength(), 0);
    }
}

TEST_F(LevelsInWindows, ARefusedLevelLeavesTheExerciseItsOwnQuestionsAndIsKeptForTheTeacher)
{
    auto* w = openWith<exercises::frmRuota1>("[frmRuota1]\nMax=500\nQuestions=4\n", {0.0, 0.5 / 360, 7.5 / 12});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->AngleSize, 120);
    EXPECT_EQ(w->roundLength(), 0);
    const QStringList problems = exercises::levelProblems();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(QString::fromLocal8Bit(qgetenv("GONIOMA_CONFIG")) + QStringLiteral(":1: [frmRuota1] ")))
        << problems[0].toStdString();
}

TEST_F(LevelsInWindows, TheRunsLevelWinsOverTheFile)
{
    exercises::useLevelForThisRun(QStringLiteral("upright"));
    auto* w = openWith<exercises::frmRuota8>("[frmRuota8]\nMin=100\n", {0.0, 34.5 / 180});
    exercises::useLevelForThisRun(QString());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->StartDegrees, 0);
    EXPECT_EQ(w->AngleSize, 35);
}

} // namespace
