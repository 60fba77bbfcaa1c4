#include "support/AppFixture.h"

#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "app/StartUp.h"
#include "exercises/frmRuota1.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/services/SingleInstance.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using app::FormMenu;
using platform::Form;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

class LanguageMenuTest : public AppFixture {
protected:
    FormMenu* openMenu()
    {
        Form::show<FormMenu>();
        settle();
        return window<FormMenu>();
    }

    static QStringList itemTexts(const FormMenu* menu)
    {
        QStringList texts;
        for (const QAction* item : menu->mnuLanguage)
            texts.append(item->text());
        return texts;
    }

    static QList<int> checkedItems(const FormMenu* menu)
    {
        QList<int> checked;
        for (int i = 0; i < menu->mnuLanguage.size(); ++i) {
            if (menu->mnuLanguage[i]->isChecked())
                checked.append(i);
        }
        return checked;
    }

    static int itemOf(const FormMenu* menu, const QString& language)
    {
        for (int i = 0; i < menu->mnuLanguage.size(); ++i) {
            if (menu->mnuLanguage[i]->data().toString() == language)
                return i;
        }
        return -1;
    }

    QString settingInFile() const
    {
        return language::ReadIniString(QDir(appDir()).filePath("LangSetting.ini"), "Language", "CurrentLanguage");
    }

    // What a shipped language file holds for one key.
    QString shipped(const QString& language, const QString& section, const QString& key) const
    {
        return language::ReadIniString(QDir(appDir()).filePath(language + ".lng"), section, key);
    }

    void setCurrentLanguage(const QByteArray& name)
    {
        writeFile("LangSetting.ini", "[Language]\r\nCurrentLanguage=" + name + "\r\n");
    }

    // Ends every window and forgets what the run had read, as when the program ends.
    static void endRun()
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shared::resetGlobals();
        language::CurrentLanguageFile.clear();
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QTemporaryDir m_lockDir;
};

TEST_F(LanguageMenuTest, ListsTheLanguageFilesByNameIgnoringCaseAndChecksOnlyTheCurrentOne)
{
    writeFile("Gamma.lng", "[Strings]\r\n");
    writeFile("beta.lng", "[Strings]\r\n");
    writeFile("Alfa.LNG", "[Strings]\r\n"); // a capital extension is a language file too
    writeFile("note.txt", "[Strings]\r\n");
    writeFile("Delta.lng.bak", "[Strings]\r\n");
    setCurrentLanguage("beta");

    FormMenu* menu = openMenu();
    EXPECT_EQ(itemTexts(menu), QStringList({"Alfa", "beta", "Gamma"}));
    EXPECT_EQ(checkedItems(menu), QList<int>({1}));
    EXPECT_EQ(language::CurrentLanguageFile, "beta");
    for (const QAction* item : menu->mnuLanguage)
        EXPECT_TRUE(item->isVisible());
    EXPECT_TRUE(asked().isEmpty());
}

TEST_F(LanguageMenuTest, ASettingThatDiffersInCaseChecksNoItem)
{
    writeFile("Alfa.lng", "[Strings]\r\n");
    writeFile("Beta.lng", "[Strings]\r\n");
    setCurrentLanguage("BETA");

    FormMenu* menu = openMenu();
    EXPECT_EQ(itemTexts(menu), QStringList({"Alfa", "Beta"}));
    EXPECT_TRUE(checkedItems(menu).isEmpty());
}

TEST_F(LanguageMenuTest, WithoutLanguageFilesSaysSoOnceAndTheMenuStillWorks)
{
    setCurrentLanguage("Italiano");

    FormMenu* menu = openMenu();
    ASSERT_EQ(asked().size(), 1);
    const platform::MessageRequest& box = asked().first();
    EXPECT_EQ(box.prompt, QStringLiteral("Non è presente alcun file di linguaggio!"));
    EXPECT_EQ(box.icon, MessageIcon::None);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(box.title.isEmpty()); // the message box puts the application's own title

    EXPECT_EQ(itemTexts(menu), QStringList({"mnuLanguage 0"}));
    EXPECT_TRUE(checkedItems(menu).isEmpty());
    EXPECT_EQ(menu->exerciseButton("Command3")->text(), "acuto - retto - ottuso - piatto");

    // The window answers as usual: the information box, then an exercise.
    click(menu->Command8);
    ASSERT_EQ(asked().size(), 2);
    EXPECT_EQ(asked().last().prompt, FormMenu::creditText());
    click(menu->exerciseButton("Command3"));
    settle();
    EXPECT_NE(Form::instance<exercises::frmRuota1>(), nullptr);
    EXPECT_EQ(Form::instance<FormMenu>(), nullptr);
    EXPECT_EQ(asked().size(), 2);
}

TEST_F(LanguageMenuTest, APickTranslatesTheMenuAtOnceAndEveryTextShownAfterIt)
{
    installShippedLanguages();
    const QString italianExit = shipped("Italiano", "Strings", "0001");
    const QString englishExit = shipped("English", "Strings", "0001");
    ASSERT_FALSE(italianExit.isEmpty());
    ASSERT_NE(italianExit, englishExit);

    platform::SingleInstance instance(m_lockDir.filePath("gonioma.lock"));
    ASSERT_TRUE(app::StartUp(instance));
    settle();
    EXPECT_EQ(shared::ExitPromptText, italianExit);
    click(window<app::FormAvvio>()->BottoneAvvio);
    settle();

    FormMenu* menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Command1->text(), shipped("Italiano", "FormMenu", "Command1.Caption"));
    const int english = itemOf(menu, "English");
    ASSERT_GE(english, 0);
    EXPECT_EQ(checkedItems(menu), QList<int>({itemOf(menu, "Italiano")}));

    menu->mnuLanguage[english]->trigger();
    EXPECT_EQ(menu->Command1->text(), shipped("English", "FormMenu", "Command1.Caption"));
    // The menu's caption from the file, with Alt and its first letter opening it; F10 opens it too.
    EXPECT_EQ(menu->mnuLanguages->title(), "&" + shipped("English", "FormMenu", "mnuLanguages.Caption"));
    QApplication::setActiveWindow(menu);
    QTest::keyClick(menu, Qt::Key_F10);
    EXPECT_EQ(menu->menuBar()->activeAction(), menu->mnuLanguages->menuAction());
    menu->mnuLanguages->hide();
    EXPECT_EQ(platform::MessageBox::buttonCaption(platform::MessageAnswer::Yes),
              shipped("English", "Strings", "0090"));
    EXPECT_EQ(menu->windowTitle(), shipped("English", "FormMenu", "FormMenu.Caption"));
    EXPECT_EQ(checkedItems(menu), QList<int>({english}));
    EXPECT_EQ(language::CurrentLanguageFile, "English");
    EXPECT_EQ(settingInFile(), "English");

    click(menu->exerciseButton("Command3"));
    settle();
    auto* exercise = window<exercises::frmRuota1>();
    ASSERT_NE(exercise, nullptr);
    EXPECT_EQ(exercise->BottoneAvanti->text(), shipped("English", "frmRuota1", "BottoneAvanti.Caption"));
    EXPECT_EQ(exercise->Command8->text(), shipped("English", "frmRuota1", "Command8.Caption"));
    // The score captions, the exit question and the boxes' title follow the
    // pick: no window or box mixes the start-up language with the new one.
    EXPECT_EQ(exercise->LabelEst->text(), shipped("English", "Strings", "0040"));
    EXPECT_EQ(exercise->LabelErt->text(), shipped("English", "Strings", "0041"));

    answerNextBoxes({MessageAnswer::No});
    click(exercise->Command7);
    ASSERT_FALSE(asked().isEmpty());
    EXPECT_EQ(asked().last().prompt, englishExit);
    EXPECT_EQ(asked().last().title, shipped("English", "Strings", "0093"));
    EXPECT_EQ(asked().last().icon, MessageIcon::Question);

    // Back in the menu, which is loaded anew in the picked language.
    click(exercise->Command7);
    settle();
    menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Command1->text(), shipped("English", "FormMenu", "Command1.Caption"));
    EXPECT_EQ(checkedItems(menu), QList<int>({itemOf(menu, "English")}));
}

TEST_F(LanguageMenuTest, ThePickedLanguageIsTheLanguageOfTheNextStart)
{
    installShippedLanguages();
    const QString lockPath = m_lockDir.filePath("gonioma.lock");
    {
        platform::SingleInstance instance(lockPath);
        ASSERT_TRUE(app::StartUp(instance));
        settle();
        click(window<app::FormAvvio>()->BottoneAvvio);
        settle();
        FormMenu* menu = window<FormMenu>();
        ASSERT_NE(menu, nullptr);
        const int spanish = itemOf(menu, QStringLiteral("Español"));
        ASSERT_GE(spanish, 0);
        menu->mnuLanguage_Click(spanish);
        EXPECT_EQ(settingInFile(), QStringLiteral("Español"));
        endRun();
    }

    platform::SingleInstance instance(lockPath);
    ASSERT_TRUE(app::StartUp(instance));
    settle();
    EXPECT_EQ(language::CurrentLanguageFile, QStringLiteral("Español"));
    EXPECT_EQ(shared::ExitPromptText, shipped(QStringLiteral("Español"), "Strings", "0001"));
    EXPECT_EQ(shared::CorrectLabelText, shipped(QStringLiteral("Español"), "Strings", "0040"));
    EXPECT_EQ(window<app::FormAvvio>()->BottoneAvvio->text(),
              shipped(QStringLiteral("Español"), "FormAvvio", "BottoneAvvio.Caption"));
}

TEST_F(LanguageMenuTest, TranslatedItemNamesAreShownButTheFileNameIsWhatIsStored)
{
    writeFile("Alfa.lng", "[FormMenu]\r\nmnuLanguage(0).Caption=\"Prima lingua\"\r\n"
                          "mnuLanguage(1).Caption=\"Seconda lingua\"\r\nCommand1.Caption=\"Fine\"\r\n");
    writeFile("Beta.lng", "[FormMenu]\r\nCommand1.Caption=\"Ende\"\r\n");
    setCurrentLanguage("Alfa");

    FormMenu* menu = openMenu();
    EXPECT_EQ(itemTexts(menu), QStringList({"Prima lingua", "Seconda lingua"}));
    EXPECT_EQ(checkedItems(menu), QList<int>({0}));

    menu->mnuLanguage_Click(1);
    EXPECT_EQ(settingInFile(), "Beta");
    EXPECT_EQ(language::CurrentLanguageFile, "Beta");
    EXPECT_EQ(menu->Command1->text(), "Ende");
    EXPECT_EQ(checkedItems(menu), QList<int>({1}));

    menu->mnuLanguage[0]->trigger();
    EXPECT_EQ(settingInFile(), "Alfa");
    EXPECT_EQ(menu->Command1->text(), "Fine");
    EXPECT_EQ(checkedItems(menu), QList<int>({0}));
}

TEST_F(LanguageMenuTest, AChoiceThatCannotBeSavedHoldsUntilTheProgramEnds)
{
    installShippedLanguages();
    FormMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    // A folder in the settings file's place: no user, root included, can write it.
    removeFile("LangSetting.ini");
    ASSERT_TRUE(QDir(appDir()).mkdir("LangSetting.ini"));

    menu->mnuLanguage_Click(itemOf(menu, "English"));
    EXPECT_EQ(language::CurrentLanguageFile, "English");

    // The menu loads anew after an exercise and reads the setting again.
    menu->unload();
    settle();
    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(language::CurrentLanguageFile, "English");
    EXPECT_EQ(checkedItems(menu), QList<int>({itemOf(menu, "English")}));
    EXPECT_EQ(menu->Command1->text(), shipped("English", "FormMenu", "Command1.Caption"));

    // A choice that is saved again follows the file once more.
    ASSERT_TRUE(QDir(appDir()).rmdir("LangSetting.ini"));
    menu->mnuLanguage_Click(itemOf(menu, QStringLiteral("Français")));
    EXPECT_EQ(settingInFile(), QStringLiteral("Français"));
    setCurrentLanguage("Italiano");
    EXPECT_EQ(language::readLanguageSetting(), "Italiano");
}

} // namespace
