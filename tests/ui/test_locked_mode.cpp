// Locked mode: pupils stay inside the program; by default nothing changes.
#include "app/FormMenu.h"
#include "app/LockedMode.h"
#include "exercises/frmRuota3.h"
#include "language/LanguageSupport.h"
#include "platform/services/Random.h"
#include "shared/Modulo1.h"
#include "support/AppFixture.h"
#include "teacher/TeacherPassword.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <optional>

namespace {

using platform::Form;

class LockedMode : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::loadSharedTexts();
        teacher::setPasswordAnswerForTesting([this](const QString& prompt) {
            m_prompts.append(prompt);
            return m_typed;
        });
    }
    void TearDown() override
    {
        app::setLocked(false);
        AppFixture::TearDown();
    }

    static void writeSchoolSettings(const QByteArray& text)
    {
        const QString path = QString::fromLocal8Bit(qgetenv("GONIOMA_CONFIG"));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // What the close button or Alt+F4 asks of a window.
    static void closeFromTheWindowSystem(QWidget* window)
    {
        window->close();
        settle();
    }

    exercises::frmRuota3* openExercise()
    {
        platform::Random::scriptForTesting({0.0, 0.5, 0.5});
        Form::show<exercises::frmRuota3>();
        settle();
        return Form::instance<exercises::frmRuota3>();
    }

    QStringList m_prompts;
    std::optional<QString> m_typed;
};

TEST_F(LockedMode, OffByDefaultTheMenuKeepsEsciAndItsLanguagesAndClosingAsksAsItAlwaysDid)
{
    EXPECT_FALSE(app::lockedBySchoolSettings());
    EXPECT_FALSE(app::isLocked());
    Form::show<app::FormMenu>();
    settle();
    auto* menu = window<app::FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->Command1->isVisible());
    EXPECT_TRUE(menu->mnuLanguages->menuAction()->isVisible());
    menu->unload();
    settle();

    auto* w = openExercise();
    ASSERT_NE(w, nullptr);
    answerNextBoxes({platform::MessageAnswer::No});
    closeFromTheWindowSystem(w);
    EXPECT_TRUE(m_prompts.isEmpty());
    ASSERT_EQ(asked().size(), 1);
    EXPECT_EQ(asked()[0].prompt, shared::ExitPromptText);
    EXPECT_EQ(Form::instance<exercises::frmRuota3>(), w);
}

TEST_F(LockedMode, TheSchoolSettingsOrTheCommandLineLockTheMenu)
{
    writeSchoolSettings("[Program]\r\nLocked=1\r\n");
    EXPECT_TRUE(app::lockedBySchoolSettings());
    writeSchoolSettings("[Program]\r\nLocked=0\r\n");
    EXPECT_FALSE(app::lockedBySchoolSettings());

    app::setLocked(true);
    Form::show<app::FormMenu>();
    settle();
    auto* menu = window<app::FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->Command1->isVisible());
    EXPECT_FALSE(menu->mnuLanguages->menuAction()->isVisible());
    // F10, which opens the language menu, opens nothing.
    QTest::keyClick(menu, Qt::Key_F10);
    settle();
    EXPECT_FALSE(menu->mnuLanguages->isVisible());
    // The exercises are all still there.
    for (QPushButton* button : menu->exerciseButtons())
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
}

struct CloseTry {
    const char* what;
    bool passwordSet;
    std::optional<QString> typed;  // nothing: "cancel"
    bool passwordAsked;
    bool exitAsked;                // the window's own question: it may close
};

TEST_F(LockedMode, TheCloseButtonNeedsTheTeachersPasswordOnEveryWindow)
{
    const CloseTry rows[] = {
        {"right password", true, QStringLiteral("segreto"), true, true},
        {"wrong password", true, QStringLiteral("sbagliato"), true, false},
        {"cancelled", true, std::nullopt, true, false},
        {"no password anywhere: nobody may choose one here", false, QStringLiteral("nuova"), false, false},
    };
    const QByteArray hash = teacher::hashPassword(QStringLiteral("segreto"));
    ASSERT_FALSE(hash.isEmpty());
    app::setLocked(true);
    for (const CloseTry& row : rows) {
        SCOPED_TRACE(row.what);
        writeSchoolSettings(row.passwordSet ? "[Program]\r\nTeacherPasswordHash=" + hash + "\r\n" : "[Program]\r\n");
        for (bool onTheMenu : {false, true}) {
            teacher::PasswordGate::shared() = teacher::PasswordGate();
            QWidget* w = nullptr;
            if (onTheMenu) {
                Form::show<app::FormMenu>();
                settle();
                w = Form::instance<app::FormMenu>();
            } else {
                w = openExercise();
            }
            ASSERT_NE(w, nullptr);
            m_prompts.clear();
            m_typed = row.typed;
            // "No" to the window's own question, so every window stays to be looked at.
            answerNextBoxes({platform::MessageAnswer::No});
            const qsizetype before = asked().size();
            closeFromTheWindowSystem(w);
            EXPECT_EQ(!m_prompts.isEmpty(), row.passwordAsked) << onTheMenu;
            const QString ownQuestion = onTheMenu ? language::LookupString(language::Message::QuitPrompt)
                                                  : shared::ExitPromptText;
            bool exitAsked = false;
            bool mustSetOne = false;
            for (qsizetype i = before; i < asked().size(); ++i) {
                exitAsked = exitAsked || asked()[i].prompt == ownQuestion;
                mustSetOne = mustSetOne
                    || asked()[i].prompt == language::LookupString(language::Message::LockedNoPassword);
            }
            EXPECT_EQ(exitAsked, row.exitAsked) << onTheMenu;
            EXPECT_EQ(mustSetOne, !row.passwordSet) << onTheMenu;
            EXPECT_TRUE(w->isVisible()) << onTheMenu;
            // No password was kept on the pupil's account.
            if (!row.passwordSet) {
                EXPECT_TRUE(teacher::currentPasswordHash().isEmpty());
            }
            for (Form* form : Form::loadedForms())
                form->unload();
            settle();
        }
    }
}

TEST_F(LockedMode, TheProgramsOwnWindowChangesStillWork)
{
    app::setLocked(true);
    auto* w = openExercise();
    ASSERT_NE(w, nullptr);
    w->Command7->click(); // "esci", answered Yes
    settle();
    EXPECT_EQ(Form::instance<exercises::frmRuota3>(), nullptr);
    EXPECT_NE(Form::instance<app::FormMenu>(), nullptr);
    EXPECT_TRUE(m_prompts.isEmpty());
}

} // namespace
