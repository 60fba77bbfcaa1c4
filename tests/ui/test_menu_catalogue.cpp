// The main menu makes its exercise buttons from the window catalogue: with the
// program's eight exercises it is the menu as designed; more exercises get
// buttons of their own that still fit; `--list-exercises` says what it shows.
#include "app/ExerciseList.h"
#include "app/FormMenu.h"
#include "app/WindowCatalog.h"
#include "language/IniFile.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Properties.h"
#include "support/AppFixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>

namespace {

using app::FormMenu;
using app::WindowEntry;
using platform::Form;

struct DesignedButton {
    const char* name;
    QRect twips;
    const char* caption;
    const char* opens;
};

// The exercise buttons as the menu was designed, in tab order.
const DesignedButton kDesigned[] = {
    {"Command2", {120, 195, 4300, 800}, "costruisci l'angolo", "frmRuota"},
    {"Command5", {120, 1200, 4300, 800}, "< > =", "frmRuota3"},
    {"Command6", {120, 2160, 4300, 800}, "riconosci l'angolo retto", "frmRuota4"},
    {"Command3", {120, 3120, 4300, 800}, "acuto - retto - ottuso - piatto", "frmRuota1"},
    {"Command4", {120, 4035, 4300, 800}, "concavo  -  convesso", "frmRuota2"},
    {"Command9", {120, 5040, 4300, 800}, "angolo complementare", "frmRuota5"},
    {"Command10", {5280, 240, 4300, 800}, "angolo supplementare", "frmRuota6"},
    {"Command7", {5280, 1200, 4300, 800}, "catalogazione in base alle misure", "frmRuota1a"},
};

QRect pixels(const QRect& twips)
{
    return platform::twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class MenuCatalogueTest : public AppFixture {
protected:
    FormMenu* openMenu()
    {
        Form::show<FormMenu>();
        settle();
        return window<FormMenu>();
    }

    void useLanguageFile(const QByteArray& contents)
    {
        writeFile(QStringLiteral("Prova.lng"), "[Strings]\r\n0001=\"Esci?\"\r\n" + contents);
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Prova\r\n");
    }

    // A registered exercise without a window of its own: its button only
    // records that it was pressed.
    WindowEntry extraExercise(const char* name, const char* button, const char* caption)
    {
        return {QString::fromLatin1(name), QStringLiteral("An exercise the program does not have"),
                QString::fromLatin1(button), QString::fromLatin1(caption), [] { return nullptr; },
                [this, name](Form& from) {
                    m_opened.append({QString::fromLatin1(name), &from});
                    return true;
                }};
    }

    QList<std::pair<QString, Form*>> m_opened;
};

TEST_F(MenuCatalogueTest, TheEightExercisesStandWhereTheyWereDesigned)
{
    // The program's eight exercises; with an exercise added after them, the
    // same eight alone still make the menu as it was drawn.
    const app::ExerciseWindowsForTesting eight(app::exerciseWindows().mid(0, std::size(kDesigned)));
    const FormMenu menu; // at its design size: neither loaded nor resized
    const QList<QPushButton*> buttons = menu.exerciseButtons();
    ASSERT_EQ(buttons.size(), std::size(kDesigned));
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const DesignedButton& designed = kDesigned[i];
        SCOPED_TRACE(designed.name);
        QPushButton* button = buttons[i];
        EXPECT_EQ(button->objectName(), designed.name);
        EXPECT_EQ(menu.exerciseButton(QString::fromLatin1(designed.name)), button);
        EXPECT_EQ(menu.control(QString::fromLatin1(designed.name)), button);
        EXPECT_EQ(button->geometry(), pixels(designed.twips));
        EXPECT_EQ(button->text(), QString::fromUtf8(designed.caption));
        EXPECT_EQ(accessibleName(button), QString::fromUtf8(designed.caption));
        EXPECT_EQ(button->font(), menu.Command8->font());
        EXPECT_EQ(button->font().pointSizeF(), 12);
        EXPECT_FALSE(button->font().bold());
        EXPECT_TRUE(button->isEnabled());
    }
    EXPECT_EQ(menu.Command8->geometry(), pixels({5400, 3960, 4300, 800}));
    EXPECT_EQ(menu.Command1->geometry(), pixels({5400, 5040, 4300, 800}));

    // Tab goes through the exercises in menu order, then the other controls.
    QStringList tabOrder;
    QWidget* widget = buttons.first();
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            tabOrder.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != buttons.first());
    QStringList expected;
    for (const DesignedButton& designed : kDesigned)
        expected.append(QString::fromLatin1(designed.name));
    expected += QStringList{QStringLiteral("Check1"), QStringLiteral("Command8"), QStringLiteral("Command1")};
    EXPECT_EQ(tabOrder, expected);
}

TEST_F(MenuCatalogueTest, EachButtonTakesItsLanguageKeyAndOpensItsWindow)
{
    installShippedLanguages();
    writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=English\r\n");
    const QString english = appDir() + QStringLiteral("/English.lng");
    for (const DesignedButton& designed : kDesigned) {
        SCOPED_TRACE(designed.name);
        QPointer<FormMenu> menu = openMenu();
        ASSERT_FALSE(menu.isNull());
        QPushButton* button = menu->exerciseButton(QString::fromLatin1(designed.name));
        ASSERT_NE(button, nullptr);
        const QString caption = language::ReadIniString(english, QStringLiteral("FormMenu"),
                                                        QString::fromLatin1(designed.name) + QStringLiteral(".Caption"));
        EXPECT_FALSE(caption.isEmpty());
        EXPECT_EQ(button->text(), caption);

        button->click();
        settle();
        EXPECT_TRUE(menu.isNull());
        ASSERT_EQ(Form::loadedForms().size(), 1);
        EXPECT_EQ(Form::loadedForms().first()->objectName(), designed.opens);
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
    }
}

TEST_F(MenuCatalogueTest, EveryExerciseSaysWhatItIsAndHasAButtonNameOfItsOwn)
{
    const FormMenu menu;
    QSet<QString> names;
    for (QObject* control : menu.controls()) {
        if (platform::controlIndex(control) >= 0)
            continue; // the elements of the language menu share their name
        EXPECT_FALSE(names.contains(control->objectName())) << control->objectName().toStdString();
        names.insert(control->objectName());
    }
    for (const WindowEntry& exercise : app::exerciseWindows()) {
        SCOPED_TRACE(exercise.name.toStdString());
        EXPECT_GE(exercise.description.size(), 20);
        EXPECT_FALSE(exercise.menuCaption.isEmpty());
        EXPECT_TRUE(exercise.load && exercise.openFrom);
        EXPECT_EQ(menu.control(exercise.menuButton), menu.exerciseButton(exercise.menuButton));
    }
}

TEST_F(MenuCatalogueTest, MoreExercisesGetButtonsThatFitTheMenu)
{
    QList<WindowEntry> exercises = app::exerciseWindows();
    exercises += extraExercise("frmNuovo", "Command20", "nuovo esercizio");
    exercises += extraExercise("frmAltro", "Command21", "altro esercizio");
    const app::ExerciseWindowsForTesting registered(exercises);
    useLanguageFile("[FormMenu]\r\nCommand2.Caption=\"Costruisci\"\r\nCommand20.Caption=\"Nuovo\"\r\n");

    FormMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QPushButton*> buttons = menu->exerciseButtons();
    ASSERT_EQ(buttons.size(), exercises.size());
    for (qsizetype i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(buttons[i]->objectName(), exercises[i].menuButton);
    EXPECT_EQ(menu->exerciseButton(QStringLiteral("Command2"))->text(), "Costruisci");
    EXPECT_EQ(menu->exerciseButton(QStringLiteral("Command5"))->text(), "< > =");
    EXPECT_EQ(menu->exerciseButton(QStringLiteral("Command20"))->text(), "Nuovo");
    EXPECT_EQ(menu->exerciseButton(QStringLiteral("Command21"))->text(), "altro esercizio");

    // Inside the window as the screen shows it, clear of one another and of
    // the other controls, each high enough for its caption.
    const QRect area = menu->client()->rect();
    const QList<QWidget*> others{menu->Check1, menu->Command8, menu->Command1};
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const QRect place = buttons[i]->geometry();
        SCOPED_TRACE(buttons[i]->objectName().toStdString());
        EXPECT_TRUE(area.contains(place));
        EXPECT_GT(place.height(), buttons[i]->fontMetrics().height());
        for (QWidget* other : others)
            EXPECT_FALSE(place.intersects(other->geometry())) << other->objectName().toStdString();
        for (qsizetype j = i + 1; j < buttons.size(); ++j)
            EXPECT_FALSE(place.intersects(buttons[j]->geometry())) << buttons[j]->objectName().toStdString();
    }

    menu->exerciseButton(QStringLiteral("Command21"))->click();
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened[0].first, "frmAltro");
    EXPECT_EQ(m_opened[0].second, menu);
}

TEST_F(MenuCatalogueTest, TheListOfExercisesSaysWhatTheMenuShows)
{
    QList<WindowEntry> exercises = app::exerciseWindows();
    exercises += extraExercise("frmNuovo", "Command20", "nuovo esercizio");
    exercises += extraExercise("frmAltro", "Command21", "altro esercizio");
    const app::ExerciseWindowsForTesting registered(exercises);

    struct Case {
        const char* name;
        QByteArray language;
        QString command2;
        QString command11;
    };
    const Case cases[] = {
        {"no language file", {}, QStringLiteral("costruisci l'angolo"), QStringLiteral("nuovo esercizio")},
        {"captions with mnemonics",
         "[FormMenu]\r\nCommand2.Caption=\"&Costruisci\"\r\nCommand20.Caption=\"Nuovo && bello\"\r\n",
         QStringLiteral("Costruisci"), QStringLiteral("Nuovo & bello")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.language.isEmpty())
            useLanguageFile(c.language);
        FormMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr);

        const QStringList lines = app::exerciseList().split(u'\n');
        ASSERT_EQ(lines.size(), exercises.size() + 1);
        EXPECT_TRUE(lines.last().isEmpty()) << "every line ends";
        for (qsizetype i = 0; i < exercises.size(); ++i) {
            EXPECT_EQ(lines[i], exercises[i].name + u'\t' + accessibleName(menu->exerciseButtons()[i]));
        }
        EXPECT_EQ(lines[0], QStringLiteral("frmRuota\t") + c.command2);
        EXPECT_EQ(lines[1], QStringLiteral("frmRuota3\t< > ="));
        const qsizetype last = exercises.size() - 1;
        EXPECT_EQ(lines[last - 1], QStringLiteral("frmNuovo\t") + c.command11);
        EXPECT_EQ(lines[last], QStringLiteral("frmAltro\taltro esercizio"));
        menu->unload();
        settle();
    }
}

} // namespace
