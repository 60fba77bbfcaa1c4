#include "app/FormAlunni.h"
#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "app/PupilNames.h"
#include "app/StartUp.h"
#include "app/WindowCatalog.h"
#include "exercises/frmRuota1.h"
#include "platform/services/SingleInstance.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"
#include "shared/Modulo1.h"
#include "support/AppFixture.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

using app::FormAlunni;
using app::FormAvvio;
using app::FormMenu;
using platform::Form;

class PupilNamesTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        ASSERT_TRUE(m_lockDir.isValid());
    }

    // The school settings name a class-list file holding these bytes.
    void writeClassList(const QByteArray& names)
    {
        QDir().mkpath(appDir() + QStringLiteral("/school"));
        writeFile(QStringLiteral("school/class.txt"), names);
        writeFile(QStringLiteral("school/gonioma.conf"), "[Program]\nPupils=class.txt\n");
    }

    // Starts as the program does and presses "Avvio".
    void startAndPressAvvio()
    {
        platform::SingleInstance instance(m_lockDir.filePath(QStringLiteral("lock")));
        ASSERT_TRUE(app::StartUp(instance));
        settle();
        FormAvvio* splash = window<FormAvvio>();
        ASSERT_NE(splash, nullptr);
        QTest::mouseClick(splash->BottoneAvvio, Qt::LeftButton);
        settle();
    }

    // Answers one question of the first choice window wrongly, from the menu.
    void answerOnce(FormMenu* menu)
    {
        for (const app::WindowEntry& e : app::exerciseWindows()) {
            if (e.name == QLatin1String("frmRuota1"))
                qobject_cast<QPushButton*>(menu->control(e.menuButton))->click();
        }
        settle();
        auto* exercise = Form::instance<exercises::frmRuota1>();
        ASSERT_NE(exercise, nullptr);
        // One of the four buttons is wrong for any angle; two answers make sure one is judged.
        exercise->Command8->click();
        exercise->Command3->click();
        settle();
    }

    static QList<results::AnswerRecord> kept()
    {
        QList<results::AnswerRecord> answers;
        app::recording()->store().forEachAnswer({}, [&](const results::AnswerRecord& a) { answers.append(a); });
        return answers;
    }

    QTemporaryDir m_lockDir;
};

TEST_F(PupilNamesTest, WithoutAClassListAvvioLeadsToTheMenuAndAnswersAreKeptUnderTheAccountsName)
{
    startAndPressAvvio();
    EXPECT_EQ(Form::instance<FormAlunni>(), nullptr);
    FormMenu* menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{menu});
    EXPECT_FALSE(menu->mnuPupils->isVisible());
    EXPECT_TRUE(menu->LabelResults->isHidden());
    answerOnce(menu);
    const QList<results::AnswerRecord> answers = kept();
    ASSERT_FALSE(answers.isEmpty());
    for (const results::AnswerRecord& a : answers)
        EXPECT_EQ(a.pupil, results::accountUserName());
    EXPECT_TRUE(QFile::exists(appDir() + QStringLiteral("/data/gonioma/results.sqlite")));
}

TEST_F(PupilNamesTest, APupilPicksANameAndTheAnswersAreKeptUnderItUntilAnotherIsPicked)
{
    // UTF-8 with accents, quotes, right to left, emoji, an ampersand; a blank line and a repeat.
    writeClassList("Zo\xC3\xAB\r\nO'Brien \"Bob\"\r\n\r\n\xD9\x85\xD8\xB1\xD9\x8A\xD9\x85\r\nTom & Jerry \xF0\x9F\xA6\x8A\r\nZo\xC3\xAB\r\n");
    startAndPressAvvio();
    FormAlunni* names = window<FormAlunni>();
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->names(), (QStringList{QStringLiteral("Zoë"), QStringLiteral("O'Brien \"Bob\""),
                                           QStringLiteral("مريم"), QStringLiteral("Tom & Jerry 🦊")}));
    // One page: no paging controls; each name a button a screen reader can name.
    EXPECT_TRUE(names->CommandNext->isHidden());
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(names->NameButtons[i]->isHidden());
        EXPECT_EQ(names->NameButtons[i]->accessibleName(), names->names()[i]);
    }
    EXPECT_EQ(names->NameButtons[3]->text(), QStringLiteral("Tom && Jerry 🦊"));
    EXPECT_TRUE(names->NameButtons[4]->isHidden());
    EXPECT_EQ(names->focusWidget(), names->NameButtons[0]);
    EXPECT_FALSE(names->Label1->text().isEmpty());

    // The keyboard: Tab to the second name, Enter picks it.
    QTest::keyClick(names->NameButtons[0], Qt::Key_Tab);
    QTest::keyClick(names->focusWidget(), Qt::Key_Return);
    settle();
    FormMenu* menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(app::recording()->pupil(), QStringLiteral("O'Brien \"Bob\""));
    EXPECT_TRUE(menu->mnuPupils->isVisible());
    EXPECT_TRUE(menu->mnuPupils->text().contains(QStringLiteral("O'Brien"))) << menu->mnuPupils->text().toStdString();
    answerOnce(menu);
    // Back to the menu, then to the names, and another pupil.
    if (auto* exercise = Form::instance<exercises::frmRuota1>())
        exercise->Command7->click();
    settle();
    menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    menu->mnuPupils->trigger();
    settle();
    names = window<FormAlunni>();
    ASSERT_NE(names, nullptr);
    QTest::mouseClick(names->NameButtons[2], Qt::LeftButton);
    settle();
    menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    answerOnce(menu);
    const QList<results::AnswerRecord> answers = kept();
    ASSERT_GE(answers.size(), 2);
    EXPECT_EQ(answers.first().pupil, QStringLiteral("O'Brien \"Bob\""));
    EXPECT_EQ(answers.last().pupil, QStringLiteral("مريم"));
}

TEST_F(PupilNamesTest, TenThousandNamesComeAPageAtATimeAndTheListKeptWithTheResultsWins)
{
    QByteArray list;
    for (int i = 1; i <= 10000; ++i)
        list += "Pupil " + QByteArray::number(i) + '\n';
    writeClassList(list);
    QElapsedTimer timer;
    timer.start();
    startAndPressAvvio();
    FormAlunni* names = window<FormAlunni>();
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->names().size(), 10000);
    EXPECT_EQ(names->pageCount(), (10000 + FormAlunni::kNamesOnAPage - 1) / FormAlunni::kNamesOnAPage);
    EXPECT_FALSE(names->CommandPrevious->isEnabled());
    EXPECT_TRUE(names->CommandNext->isEnabled());
    QTest::mouseClick(names->CommandNext, Qt::LeftButton);
    EXPECT_EQ(names->NameButtons[0]->accessibleName(), QStringLiteral("Pupil %1").arg(FormAlunni::kNamesOnAPage + 1));
    QTest::keyClick(names, Qt::Key_PageUp);
    EXPECT_EQ(names->page(), 0);
    names->showPage(names->pageCount() - 1);
    EXPECT_EQ(names->NameButtons[0]->accessibleName(),
              QStringLiteral("Pupil %1").arg((names->pageCount() - 1) * FormAlunni::kNamesOnAPage + 1));
    EXPECT_FALSE(names->CommandNext->isEnabled());
    EXPECT_TRUE(names->LabelPage->text().contains(QString::number(names->pageCount())));
    EXPECT_LT(timer.elapsed(), 20000); // no hang; the time itself is measured in bench/

    // The teacher's own list, kept with the results, is used in place of the file.
    ASSERT_TRUE(app::recording()->store().addPupil(QStringLiteral("Léa")));
    EXPECT_EQ(app::classListNames(), QStringList{QStringLiteral("Léa")});
}

TEST_F(PupilNamesTest, WhenAnswersCannotBeKeptThePupilPractisesOnAndTheMenuSaysWhyInOneLine)
{
    // A file where the data folder should be: nothing can be kept.
    writeFile(QStringLiteral("data"), "not a folder");
    startAndPressAvvio();
    FormMenu* menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    // Nothing is opened before the first answer.
    EXPECT_TRUE(menu->LabelResults->isHidden());
    answerOnce(menu);
    EXPECT_GE(shared::WrongCount + shared::CorrectCount, 1);
    EXPECT_EQ(app::recording()->store().answerCount(), 0);
    auto* exercise = Form::instance<exercises::frmRuota1>();
    ASSERT_NE(exercise, nullptr);
    exercise->Command7->click();
    settle();
    menu = window<FormMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->LabelResults->isHidden());
    EXPECT_FALSE(menu->LabelResults->toolTip().isEmpty());
    EXPECT_EQ(menu->LabelResults->toolTip(), app::recording()->problem());
    EXPECT_FALSE(menu->LabelResults->toolTip().contains(u'\n'));
}

} // namespace
