#include "app/FormMenu.h"

#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "app/WindowCatalog.h"
#include "exercise/ExerciseForm.h"
#include "language/LanguageFiles.h"
#include "language/LanguageSupport.h"
#include "language/TranslateForm.h"
#include "platform/services/AppDir.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBox.h"
#include "platform/services/Program.h"
#include "platform/widgets/Properties.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace app {

using namespace platform;

#ifndef GONIOMA_VERSION
#error "GONIOMA_VERSION must name the program's version"
#endif

namespace {
constexpr char kCrLf[] = "\r\n";
const QString kMultiLanguageTag = QStringLiteral("Multi-Language Support");
const QString kRule = QStringLiteral("-----------------------");
} // namespace

FormMenu::FormMenu()
    : Form(QStringLiteral("FormMenu"))
{
    setWindowTitle(QStringLiteral("Esercitazioni matematiche"));
    mnuLanguages = menuBar()->addMenu(QStringLiteral("Lingua"));
    setDesignInnerSize(twips(9900), twips(6100));
    showAtScreenSize();

    const QFont buttonFont = designFont(font().family(), 12, false);
    auto button = [&](const QString& name, int left, int top, const QString& caption) {
        QPushButton* b = addControl(newButton(client(), twipsRect(left, top, 4300, 800), caption), name);
        b->setFont(buttonFont);
        return b;
    };
    Command2 = button(QStringLiteral("Command2"), 120, 195, QStringLiteral("costruisci l'angolo"));
    Command5 = button(QStringLiteral("Command5"), 120, 1200, QStringLiteral("< > ="));
    Command6 = button(QStringLiteral("Command6"), 120, 2160, QStringLiteral("riconosci l'angolo retto"));
    Command3 = button(QStringLiteral("Command3"), 120, 3120, QStringLiteral("acuto - retto - ottuso - piatto"));
    Command4 = button(QStringLiteral("Command4"), 120, 4035, QStringLiteral("concavo  -  convesso"));
    Command9 = button(QStringLiteral("Command9"), 120, 5040, QStringLiteral("angolo complementare"));
    Command10 = button(QStringLiteral("Command10"), 5280, 240, QStringLiteral("angolo supplementare"));
    Command7 = button(QStringLiteral("Command7"), 5280, 1200, QStringLiteral("catalogazione in base alle misure"));
    Check1 = addControl(newCheckBox(client(), twipsRect(5880, 3360, 3135, 375), QStringLiteral("Suoni attivati")),
                        QStringLiteral("Check1"));
    Check1->setFont(buttonFont);
    Command8 = button(QStringLiteral("Command8"), 5400, 3960, QStringLiteral("Informazioni"));
    Command1 = button(QStringLiteral("Command1"), 5400, 5040, QStringLiteral("Esci"));

    registerControl(mnuLanguages, QStringLiteral("mnuLanguages"));
    setControlProperty(mnuLanguages, QStringLiteral("Tag"), kMultiLanguageTag);
    newLanguageItem(0, QStringLiteral("mnuLanguage 0"));

    connect(Check1, &QCheckBox::stateChanged, this, &FormMenu::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &FormMenu::Command1_Click);
    connect(Command8, &QPushButton::clicked, this, &FormMenu::Command8_Click);
    connectExerciseButtons();

    // F10 opens the language menu, as it opens the menu bar elsewhere.
    auto* openLanguages = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openLanguages, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(mnuLanguages->menuAction()); });
}

void FormMenu::giveLanguageMenuAMnemonic()
{
    // The caption comes from the language file: its own mnemonic is kept, and
    // one without gets its first letter (Alt+L for "Lingua").
    const QString title = mnuLanguages->title();
    if (!title.isEmpty() && !title.contains(u'&'))
        mnuLanguages->setTitle(u'&' + title);
}

void FormMenu::connectExerciseButtons()
{
    for (QPushButton* button : {Command2, Command5, Command6, Command3, Command4, Command9, Command10, Command7})
        button->setEnabled(false);
    for (const WindowEntry& exercise : exerciseWindows()) {
        auto* button = qobject_cast<QPushButton*>(control(exercise.menuButton));
        if (!button)
            continue;
        button->setEnabled(true);
        connect(button, &QPushButton::clicked, this, [this, open = exercise.openFrom] { open(*this); });
    }
}

void FormMenu::becomeExercisesHome()
{
    exercise::ExerciseForm::setReturnToMenu([](Form& from) { from.changeTo<FormMenu>(); });
}

QAction* FormMenu::newLanguageItem(int index, const QString& caption)
{
    auto* item = mnuLanguages->addAction(caption);
    item->setCheckable(true);
    registerControl(item, QStringLiteral("mnuLanguage"), index);
    setControlProperty(item, QStringLiteral("Tag"), kMultiLanguageTag);
    // The language's file name is kept apart from the caption, which a
    // language file may translate.
    item->setData(caption);
    connect(item, &QAction::triggered, this, [this, index] { mnuLanguage_Click(index); });
    mnuLanguage.append(item);
    return item;
}

void FormMenu::Form_Load()
{
    // Both the warning of a missing language file and the translation let the
    // event loop run; the program may have ended meanwhile.
    QPointer<FormMenu> self(this);
    MLSFillMenuLanguages();
    if (!self || !self->isLoaded())
        return;
    language::TranslateForm(this);
    if (!self || !self->isLoaded())
        return;
    giveLanguageMenuAMnemonic();
    Check1->setChecked(shared::SoundsOn);
    shared::bindSharedResizer(this);
    setBackColor(shared::RandomBackColor());
    QPalette p = Check1->palette();
    p.setColor(QPalette::Window, backColor());
    Check1->setPalette(p);
}

void FormMenu::Form_Activate()
{
    fillScreen();
}

void FormMenu::Form_Resize()
{
    shared::resizeWithSharedResizer();
}

void FormMenu::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Command1_Click();
}

void FormMenu::MLSFillMenuLanguages()
{
    const QStringList names = language::listLanguageNames(AppDir::path());
    if (names.isEmpty()) {
        MessageBox::show({QStringLiteral("Non è presente alcun file di linguaggio!"), MessageIcon::None,
                          MessageButtons::Ok, QString()});
        return;
    }
    for (int i = 0; i < names.size(); ++i) {
        if (i > 0)
            newLanguageItem(i, names[i]);
        mnuLanguage[i]->setText(names[i]);
        mnuLanguage[i]->setData(names[i]);
    }
    language::CurrentLanguageFile = language::languageForTheRun();
    for (QAction* item : mnuLanguage) {
        if (item->data().toString() == language::CurrentLanguageFile) {
            item->setChecked(true);
            break;
        }
    }
}

void FormMenu::mnuLanguage_Click(int index)
{
    if (index < 0 || index >= mnuLanguage.size())
        return;
    for (QAction* item : mnuLanguage)
        item->setChecked(false);
    mnuLanguage[index]->setChecked(true);
    const QString language = mnuLanguage[index]->data().toString();
    language::CurrentLanguageFile = language;
    // The texts kept for the exercise windows follow the pick as well.
    shared::loadSharedTexts();

    QList<QPointer<Form>> forms;
    for (Form* form : Form::loadedForms())
        forms.append(form);
    QPointer<FormMenu> self(this);
    for (const QPointer<Form>& form : forms) {
        if (form && form->isLoaded())
            language::TranslateForm(form);
    }
    if (self)
        giveLanguageMenuAMnemonic();
    language::saveLanguageSetting(language);
}

void FormMenu::Check1_Click()
{
    shared::SoundsOn = Check1->isChecked();
}

QString FormMenu::creditText()
{
    return QStringLiteral("Gonioma " GONIOMA_VERSION);
}

QString FormMenu::informationText()
{
    QString extra;
    using language::Message;
    for (Message line : {Message::InformationLine1, Message::InformationLine2, Message::InformationLine3,
                         Message::InformationLine4}) {
        const QString text = language::LookupString(line);
        if (!text.isEmpty())
            extra += text + kCrLf;
    }
    if (!extra.isEmpty())
        extra = kCrLf + kRule + kCrLf + extra;
    return creditText() + extra;
}

void FormMenu::Command8_Click()
{
    MessageBox::show({informationText(), MessageIcon::Information, MessageButtons::Ok, shared::messageBoxTitle()});
}

void FormMenu::Command1_Click()
{
    if (windowChangeUnderWay())
        return;
    QPointer<FormMenu> self(this);
    const MessageAnswer answer = MessageBox::show({language::LookupString(language::Message::QuitPrompt),
                                                   MessageIcon::Question, MessageButtons::YesNo,
                                                   shared::messageBoxTitle()});
    // The box let the event loop run: another click may have left the menu.
    if (answer != MessageAnswer::Yes || !self || !self->isLoaded() || windowChangeUnderWay())
        return;
    shared::releaseSharedResizer();
    Program::end();
}

} // namespace app
