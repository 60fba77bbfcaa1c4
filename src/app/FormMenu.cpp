#include "app/FormMenu.h"

#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "app/LockedMode.h"
#include "app/FormAlunni.h"
#include "app/MenuLayout.h"
#include "app/PupilNames.h"
#include "results/Recording.h"
#include "app/TeacherAccess.h"
#include "app/WindowCatalog.h"
#include "exercise/ExerciseForm.h"
#include "language/LanguageFiles.h"
#include "language/LanguageSupport.h"
#include "language/TranslateForm.h"
#include "platform/services/AppDir.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBox.h"
#include "platform/services/Program.h"
#include "platform/widgets/Properties.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
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

    // Made first, so the Tab key reaches the exercises first, in menu order.
    addExerciseButtons();
    Check1 = addControl(newCheckBox(client(), twipsRect(5880, 3360, 3135, 375), QStringLiteral("Suoni attivati")),
                        QStringLiteral("Check1"));
    Check1->setFont(controlFont());
    Command8 = addButton(QStringLiteral("Command8"), QRect(5400, 3960, 4300, 800), QStringLiteral("Informazioni"));
    Command1 = addButton(QStringLiteral("Command1"), QRect(5400, 5040, 4300, 800), QStringLiteral("Esci"));

    addViewMenu();
    registerControl(mnuLanguages, QStringLiteral("mnuLanguages"));
    setControlProperty(mnuLanguages, QStringLiteral("Tag"), kMultiLanguageTag);
    newLanguageItem(0, QStringLiteral("mnuLanguage 0"));

    connect(Check1, &QCheckBox::stateChanged, this, &FormMenu::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &FormMenu::Command1_Click);
    connect(Command8, &QPushButton::clicked, this, &FormMenu::Command8_Click);

    mnuPupils = menuBar()->addAction(QString());
    mnuPupils->setVisible(false);
    connect(mnuPupils, &QAction::triggered, this, [this] {
        FormAlunni::setNext([](Form& from) { from.changeTo<FormMenu>(); });
        changeTo<FormAlunni>();
    });
    LabelResults = new QLabel(menuBar());
    LabelResults->setObjectName(QStringLiteral("LabelResults"));
    LabelResults->hide();
    menuBar()->setCornerWidget(LabelResults, Qt::TopRightCorner);

    // The teacher's way in: an item at the end of the menu bar and
    // Ctrl+Shift+T, both asking for the password.
    cmdTeacher = addControl(menuBar()->addAction(QStringLiteral("insegnante")), QStringLiteral("cmdTeacher"));
    cmdTeacher->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(cmdTeacher, &QAction::triggered, this, &FormMenu::cmdTeacher_Click);

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

QFont FormMenu::controlFont() const
{
    return designFont(font().family(), 12, false);
}

QPushButton* FormMenu::addButton(const QString& name, const QRect& place, const QString& caption)
{
    QPushButton* button =
        addControl(newButton(client(), twipsRect(place.x(), place.y(), place.width(), place.height()), caption), name);
    button->setFont(controlFont());
    return button;
}

void FormMenu::addExerciseButtons()
{
    const QList<WindowEntry> exercises = exerciseWindows();
    const QList<QRect> places = exerciseButtonPlaces(int(exercises.size()));
    for (qsizetype i = 0; i < exercises.size(); ++i) {
        const WindowEntry& exercise = exercises[i];
        QPushButton* button = addButton(exercise.menuButton, places[i], exercise.menuCaption);
        connect(button, &QPushButton::clicked, this, [this, open = exercise.openFrom] { open(*this); });
        m_exerciseButtons.append(button);
    }
}

QPushButton* FormMenu::exerciseButton(const QString& name) const
{
    for (QPushButton* button : m_exerciseButtons) {
        if (button->objectName() == name)
            return button;
    }
    return nullptr;
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
    takeBackColor(shared::RandomBackColor());
}

void FormMenu::takeBackColor(const QColor& colour)
{
    setBackColor(colour);
    QPalette p = Check1->palette();
    p.setColor(QPalette::Window, backColor());
    Check1->setPalette(p);
    if (isLocked())
        lockMenu(*this);
}

void FormMenu::addViewMenu()
{
    // Beside the language menu: the classroom display, remembered for this
    // computer account.
    mnuView = menuBar()->addMenu(QStringLiteral("Visualizza"));
    mnuClassroom = mnuView->addAction(QStringLiteral("Schermo per la classe"));
    mnuClassroom->setCheckable(true);
    mnuClassroom->setChecked(ClassroomDisplay::isOn());
    registerControl(mnuView, QStringLiteral("mnuView"));
    registerControl(mnuClassroom, QStringLiteral("mnuClassroom"));
    connect(mnuClassroom, &QAction::triggered, this, &FormMenu::mnuClassroom_Click);
}

void FormMenu::mnuClassroom_Click(bool on)
{
    ClassroomDisplay::remember(on);
    mnuClassroom->setChecked(on);
    // The menu takes the new look at once; the exercises as they open.
    shared::resizeWithSharedResizer();
    if (on && !shared::isCalmBackColor(backColor()))
        takeBackColor(shared::RandomBackColor());
    update();
}

void FormMenu::Form_Activate()
{
    fillScreen();
    showPupilsAndResults();
}

void FormMenu::showPupilsAndResults()
{
    const results::Recording* kept = recording();
    const QString pupil = QFontMetrics(menuBar()->font()).elidedText(kept ? kept->pupil() : QString(), Qt::ElideRight, 240);
    mnuPupils->setText(language::LookupString(language::Message::PupilChangeName) + QStringLiteral(" (")
                       + QString(pupil).replace(u'&', QStringLiteral("&&")) + u')');
    mnuPupils->setVisible(!classListNames().isEmpty());
    const QString problem = kept ? kept->problem() : QString();
    LabelResults->setText(QFontMetrics(LabelResults->font()).elidedText(problem, Qt::ElideRight, width() / 2));
    LabelResults->setToolTip(problem);
    LabelResults->setAccessibleName(problem);
    LabelResults->setVisible(!problem.isEmpty());
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

void FormMenu::cmdTeacher_Click()
{
    if (!windowChangeUnderWay())
        openTeacherView(this);
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
