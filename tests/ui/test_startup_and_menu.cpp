#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "app/StartUp.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/services/Program.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"
#include "platform/services/SingleInstance.h"
#include "resize/clsResize.h"
#include "support/AppFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using app::FormAvvio;
using app::FormMenu;
using platform::Form;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::Random;

const QString kRule(23, u'-');
const QString kCrLf = QStringLiteral("\r\n");

class ShellTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(m_lockDir.isValid());
    }

    // A lock of our own, so a real run of the program is not disturbed.
    QString lockPath() const { return m_lockDir.filePath(QStringLiteral("gonioma.lock")); }

    // A message text as the shipped language file holds it.
    QString shipped(const QString& language, const QString& id) const
    {
        return language::ReadIniString(appDir() + u'/' + language + QStringLiteral(".lng"), QStringLiteral("Strings"), id);
    }

    void useLanguageFile(const QByteArray& strings)
    {
        writeFile(QStringLiteral("Prova.lng"), "[Strings]\r\n" + strings);
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Prova\r\n");
    }

    FormMenu* openMenu()
    {
        Form::show<FormMenu>();
        settle();
        return window<FormMenu>();
    }

    static void clickCheckBox(QCheckBox* box)
    {
        // On the box's square, not in the middle of the wide caption area.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

private:
    QTemporaryDir m_lockDir;
};

TEST_F(ShellTest, StartUpReadsTheSharedTextsInTheLanguageOfTheSetting)
{
    installShippedLanguages();
    writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=English\r\n");
    language::CurrentLanguageFile = QStringLiteral("Italiano"); // stale: the setting must be read first
    ASSERT_NE(shipped("English", "0001"), shipped("Italiano", "0001"));
    ASSERT_FALSE(shipped("English", "0001").isEmpty());

    Random::scriptForTesting({7.5 / 18}); // the splash's colour: table entry 8
    platform::SingleInstance instance(lockPath());
    ASSERT_TRUE(app::StartUp(instance));

    EXPECT_EQ(language::CurrentLanguageFile, "English");
    EXPECT_EQ(shared::ExitPromptText, shipped("English", "0001"));
    EXPECT_EQ(shared::CorrectLabelText, shipped("English", "0040"));
    EXPECT_EQ(shared::WrongLabelText, shipped("English", "0041"));
    EXPECT_TRUE(shared::SoundsOn);
    EXPECT_TRUE(asked().isEmpty());

    FormAvvio* splash = window<FormAvvio>();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{splash});
    EXPECT_EQ(splash->backColor(), QColor(192, 64, 0));
    EXPECT_EQ(shared::SharedResizer ? shared::SharedResizer->SourceForm() : nullptr, splash);

    settle();
    EXPECT_EQ(splash->frameGeometry(), QRect(QPoint(0, 0), platform::Screen::size())) << "the splash fills the screen";
}

TEST_F(ShellTest, ASecondCopyOnlyShowsTheWarningAndLoadsNoWindow)
{
    installShippedLanguages();
    platform::SingleInstance running(lockPath());
    ASSERT_FALSE(running.previousInstanceRunning());

    platform::SingleInstance second(lockPath());
    EXPECT_FALSE(app::StartUp(second));

    EXPECT_TRUE(Form::loadedForms().isEmpty());
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].prompt, shipped("Italiano", "0037"));
    EXPECT_EQ(asked()[0].title, shipped("Italiano", "0038"));
    EXPECT_FALSE(asked()[0].prompt.isEmpty());
    EXPECT_EQ(asked()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(asked()[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(shared::SoundsOn) << "nothing of the start proper ran";
    EXPECT_TRUE(shared::ExitPromptText.isEmpty());
}

TEST_F(ShellTest, AvvioClickedTwiceLeavesTheMenuAsTheOnlyWindow)
{
    installShippedLanguages();
    platform::SingleInstance instance(lockPath());
    ASSERT_TRUE(app::StartUp(instance));
    settle();
    QPointer<FormAvvio> splash = window<FormAvvio>();
    ASSERT_NE(splash, nullptr);

    // The second click of a double click arrives while the menu is loading.
    QTimer::singleShot(0, qApp, [splash] {
        if (splash)
            QTest::mouseClick(splash->BottoneAvvio, Qt::LeftButton);
    });
    QTest::mouseClick(splash->BottoneAvvio, Qt::LeftButton);
    settle();

    EXPECT_TRUE(splash.isNull()) << "the splash is unloaded";
    EXPECT_EQ(Form::instance<FormAvvio>(), nullptr);
    FormMenu* menu = window<FormMenu>();
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{menu});
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->frameGeometry(), QRect(QPoint(0, 0), platform::Screen::size()));
    EXPECT_EQ(shared::SharedResizer ? shared::SharedResizer->SourceForm() : nullptr, menu);
    EXPECT_TRUE(menu->Check1->isChecked()) << "sounds are on after start-up";
}

TEST_F(ShellTest, SoundsCheckBoxMirrorsSoundsOnBothWays)
{
    installShippedLanguages();
    Random::scriptForTesting({13.5 / 18}); // the menu's colour: table entry 14
    shared::SoundsOn = false;
    FormMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->Check1->isChecked());
    EXPECT_FALSE(shared::SoundsOn);
    EXPECT_EQ(menu->backColor(), QColor(255, 192, 255));
    EXPECT_EQ(menu->Check1->palette().color(QPalette::Window), menu->backColor());

    clickCheckBox(menu->Check1);
    EXPECT_TRUE(menu->Check1->isChecked());
    EXPECT_TRUE(shared::SoundsOn);
    clickCheckBox(menu->Check1);
    EXPECT_FALSE(shared::SoundsOn);

    // Loaded anew with sounds on, the box starts checked and the setting stays.
    menu->unload();
    settle();
    shared::SoundsOn = true;
    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->Check1->isChecked());
    EXPECT_TRUE(shared::SoundsOn);
}

TEST_F(ShellTest, UncheckedSoundsSilenceTheFeedback)
{
    installShippedLanguages();
    shared::SoundsOn = true;
    FormMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    clickCheckBox(menu->Check1);
    ASSERT_FALSE(shared::SoundsOn);

    const int draws = Random::drawCountForTesting();
    shared::PlayRightSound();
    shared::PlayWrongSound();
    EXPECT_TRUE(soundsPlayed().isEmpty());
    EXPECT_EQ(Random::drawCountForTesting(), draws);

    clickCheckBox(menu->Check1);
    shared::PlayWrongSound();
    EXPECT_EQ(soundsPlayed(), QStringList{appDir() + QStringLiteral("/suoni/no.wav")});
}

TEST_F(ShellTest, TheCreditIsTheProgramsNameAndVersionAndNoAddress)
{
    const QRegularExpression nameAndVersion(QStringLiteral("^Gonioma \\d+(\\.\\d+)+$"));
    EXPECT_TRUE(nameAndVersion.match(FormMenu::creditText()).hasMatch()) << qPrintable(FormMenu::creditText());
}

struct InformationCase {
    const char* name;
    QByteArray strings;
    QString tail;
};

TEST_F(ShellTest, InformationBoxAddsTheLanguageLinesUnderTheCredit)
{
    const InformationCase cases[] = {
        {"none", "0039=\"Esci?\"\r\n9998=\"\"\r\n", QString()},
        {"some", "9997=\"Riga sette\"\r\n9998=\"\"\r\n9999=\"Riga nove\"\r\n",
         kCrLf + kRule + kCrLf + "Riga sette" + kCrLf + "Riga nove" + kCrLf},
        {"all", "9999=\"D\"\r\n9996=\"A\"\r\n9997=\"B\"\r\n9998=\"C\"\r\n",
         kCrLf + kRule + kCrLf + "A" + kCrLf + "B" + kCrLf + "C" + kCrLf + "D" + kCrLf},
    };
    for (const InformationCase& c : cases) {
        SCOPED_TRACE(c.name);
        useLanguageFile(c.strings);
        language::CurrentLanguageFile.clear();
        FormMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr);
        const qsizetype before = asked().size();

        QTest::mouseClick(menu->Command8, Qt::LeftButton);

        ASSERT_EQ(asked().size(), before + 1);
        const platform::MessageRequest& box = asked().last();
        EXPECT_EQ(box.prompt, FormMenu::creditText() + c.tail);
        EXPECT_EQ(box.title, "Esercitazioni sugli gonioma");
        EXPECT_EQ(box.icon, MessageIcon::Information);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_EQ(Form::instance<FormMenu>(), menu);
        menu->unload();
        settle();
    }
}

TEST_F(ShellTest, EsciAnsweredNoKeepsTheMenuAndYesEndsTheProgram)
{
    useLanguageFile("0039=\"Vuoi proprio uscire?\"\r\n");
    FormMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);

    answerNextBoxes({MessageAnswer::No});
    QTest::mouseClick(menu->Command1, Qt::LeftButton);
    settle();
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].prompt, "Vuoi proprio uscire?");
    EXPECT_EQ(asked()[0].title, "Esercitazioni sugli gonioma");
    EXPECT_EQ(asked()[0].icon, MessageIcon::Question);
    EXPECT_EQ(asked()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{menu});
    EXPECT_FALSE(platform::Program::endedForTesting());
    EXPECT_NE(shared::SharedResizer, nullptr);

    answerNextBoxes({MessageAnswer::Yes});
    QTest::mouseClick(menu->Command1, Qt::LeftButton);
    EXPECT_EQ(asked().size(), 2);
    EXPECT_TRUE(platform::Program::endedForTesting());
    EXPECT_TRUE(Form::loadedForms().isEmpty());
    EXPECT_EQ(shared::SharedResizer, nullptr);
}

TEST_F(ShellTest, ExerciseButtonsLeaveExactlyOneWindow)
{
    // Buttons whose exercise is not there yet do nothing at all; those whose
    // exercise is there open it and unload the menu. Either way one window is left.
    installShippedLanguages();
    const char* buttons[] = {"Command2", "Command6", "Command4", "Command9", "Command10", "Command7"};
    for (const char* name : buttons) {
        SCOPED_TRACE(name);
        QPointer<FormMenu> menu = openMenu();
        ASSERT_FALSE(menu.isNull());
        const QColor colour = menu->backColor();
        const qsizetype boxes = asked().size();
        auto* button = qobject_cast<QPushButton*>(menu->control(QString::fromLatin1(name)));
        ASSERT_NE(button, nullptr);

        QTest::mouseClick(button, Qt::LeftButton);
        settle();

        ASSERT_EQ(Form::loadedForms().size(), 1);
        Form* left = Form::loadedForms().first();
        if (left == menu.data()) {
            EXPECT_EQ(menu->backColor(), colour) << "the menu was not loaded again";
            EXPECT_EQ(asked().size(), boxes);
        } else {
            EXPECT_TRUE(menu.isNull()) << "opening an exercise unloads the menu";
            EXPECT_EQ(Form::instance<FormMenu>(), nullptr);
        }
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
    }
}

TEST_F(ShellTest, EsciWhileAnExerciseIsLoadingIsNotAsked)
{
    installShippedLanguages();
    QPointer<FormMenu> menu = openMenu();
    ASSERT_FALSE(menu.isNull());
    QTimer::singleShot(0, qApp, [menu] {
        if (menu)
            menu->Command1->click();
    });
    menu->exerciseButton("Command3")->click();
    settle();
    EXPECT_TRUE(asked().isEmpty());
    EXPECT_FALSE(platform::Program::endedForTesting());
    ASSERT_EQ(Form::loadedForms().size(), 1);
    EXPECT_TRUE(menu.isNull());
}

TEST_F(ShellTest, TheMenusCloseButtonAsksAsEsciDoes)
{
    useLanguageFile("0039=\"Vuoi proprio uscire?\"\r\n");
    QPointer<FormMenu> menu = openMenu();
    ASSERT_FALSE(menu.isNull());
    answerNextBoxes({MessageAnswer::No});
    menu->close();
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].prompt, "Vuoi proprio uscire?");
    EXPECT_FALSE(menu.isNull());

    menu->close(); // answered Yes
    settle();
    EXPECT_TRUE(platform::Program::endedForTesting());
    EXPECT_TRUE(Form::loadedForms().isEmpty());
    EXPECT_TRUE(menu.isNull());
}

} // namespace
