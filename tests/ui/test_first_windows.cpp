#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "app/StartUp.h"
#include "exercises/frmRuota4.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/services/Screen.h"
#include "platform/services/SingleInstance.h"
#include "support/AppFixture.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

// The windows a run begins with, as the command line may choose them: the
// splash or not, then the menu or one exercise.
namespace {

using app::FormAvvio;
using app::FormMenu;
using exercises::frmRuota4;
using platform::Form;

class FirstWindowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(m_lockDir.isValid());
        installShippedLanguages();
    }
    void TearDown() override
    {
        platform::Screen::useWindow(QSize());
        AppFixture::TearDown();
    }

    bool startWith(const app::FirstWindows& first)
    {
        const bool started = app::StartUp(m_instance, first);
        settle();
        return started;
    }

private:
    QTemporaryDir m_lockDir;
    platform::SingleInstance m_instance{m_lockDir.filePath(QStringLiteral("gonioma.lock"))};
};

TEST_F(FirstWindowsTest, AvvioOpensTheChosenExerciseWhoseEsciLeadsToTheMenu)
{
    ASSERT_TRUE(startWith({true, QStringLiteral("frmRuota4")}));
    FormAvvio* splash = window<FormAvvio>();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{splash});

    splash->BottoneAvvio->click();
    settle();
    frmRuota4* exercise = window<frmRuota4>();
    ASSERT_NE(exercise, nullptr);
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{exercise}) << "the splash is unloaded, no menu loaded";
    EXPECT_TRUE(exercise->isVisible());

    exercise->Command7->click();
    settle();
    FormMenu* menu = window<FormMenu>();
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{menu});
}

TEST_F(FirstWindowsTest, WithoutTheSplashTheMenuOrTheExerciseComesFirst)
{
    ASSERT_TRUE(startWith({false, QString()}));
    FormMenu* menu = window<FormMenu>();
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{menu});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->frameGeometry(), QRect(QPoint(0, 0), platform::Screen::size()));
    menu->unload();
    settle();

    ASSERT_TRUE(startWith({false, QStringLiteral("frmRuota4")}));
    frmRuota4* exercise = window<frmRuota4>();
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{exercise});
    ASSERT_NE(exercise, nullptr);
    EXPECT_TRUE(exercise->isVisible());
    EXPECT_GE(exercise->questionNumber(), 1u) << "the first question is asked as from the menu";
}

TEST_F(FirstWindowsTest, ALanguageForThisRunLeavesTheSettingsFileAlone)
{
    writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=English\r\n");
    const QString settings = appDir() + QStringLiteral("/LangSetting.ini");
    language::useLanguageForThisRun(QStringLiteral("Deutsch"));
    ASSERT_TRUE(startWith({}));

    EXPECT_EQ(language::CurrentLanguageFile, "Deutsch");
    EXPECT_EQ(window<FormAvvio>()->BottoneAvvio->text(),
              language::ReadIniString(appDir() + QStringLiteral("/Deutsch.lng"), QStringLiteral("FormAvvio"),
                                      QStringLiteral("BottoneAvvio.Caption")));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Language]\r\nCurrentLanguage=English\r\n");
}

TEST_F(FirstWindowsTest, AWindowedRunShowsItsWindowsAtTheWindowsSize)
{
    const QSize windowSize(600, 420);
    platform::Screen::useWindow(windowSize);
    ASSERT_TRUE(startWith({false, QStringLiteral("frmRuota4")}));
    frmRuota4* exercise = window<frmRuota4>();
    ASSERT_NE(exercise, nullptr);
    EXPECT_EQ(exercise->size(), windowSize);
}

} // namespace
