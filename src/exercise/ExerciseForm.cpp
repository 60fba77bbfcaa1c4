#include "exercise/ExerciseForm.h"

#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "exercise/FeedbackIcons.h"
#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "language/TranslateForm.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "results/Recording.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace exercise {

using namespace platform;

namespace {
constexpr int kIconSize = 32;

QLabel* newIcon(QWidget* parent, const QPixmap& pixmap)
{
    auto* icon = new QLabel(parent);
    icon->setPixmap(pixmap);
    // The picture keeps its size and stays in the middle when the resizer
    // makes the feedback area larger.
    icon->setAlignment(Qt::AlignCenter);
    icon->resize(kIconSize, kIconSize);
    return icon;
}

std::function<void(Form&)>& returnToMenuHook()
{
    static std::function<void(Form&)> hook;
    return hook;
}
} // namespace

void ExerciseForm::setReturnToMenu(std::function<void(Form& from)> returnToMenu)
{
    returnToMenuHook() = std::move(returnToMenu);
}

ExerciseForm::ExerciseForm(const QString& name)
    : Form(name)
{
    showAtScreenSize();
    auto* feedback = new PictureBox(client());
    feedback->setToolTip(QStringLiteral("Qui vedi se la risposta è giusta o sbagliata"));
    PicturesattiErrati = addControl(feedback, QStringLiteral("PicturesattiErrati"));
    ComandoIconaSi = addControl(newIcon(feedback, rightIcon()), QStringLiteral("ComandoIconaSi"));
    ComandoIconaNo = addControl(newIcon(feedback, wrongIcon()), QStringLiteral("ComandoIconaNo"));
    ComandoIconaNo->hide();

    const QFont countFont = designFont(font().family(), 16, true);
    auto countLabel = [&](const QString& controlName, const QString& caption) {
        QLabel* label = addControl(newLabel(client(), QRect(), caption), controlName);
        label->setFont(countFont);
        label->setWordWrap(false);
        return label;
    };
    LabelEst = countLabel(QStringLiteral("LabelEst"), QStringLiteral("Esatti"));
    LabelErt = countLabel(QStringLiteral("LabelErt"), QStringLiteral("Errati"));
    EtichettaEsatti = countLabel(QStringLiteral("EtichettaEsatti"), QStringLiteral("0"));
    EtichettaErrati = countLabel(QStringLiteral("EtichettaErrati"), QStringLiteral("0"));

    const QFont buttonFont = designFont(font().family(), 16, true);
    BottoneAvanti = addControl(newButton(client(), QRect(), QStringLiteral("avanti")), QStringLiteral("BottoneAvanti"));
    BottoneAvanti->setFont(buttonFont);
    BottoneAvanti->setEnabled(false);
    Command7 = addControl(newButton(client(), QRect(), QStringLiteral("esci")), QStringLiteral("Command7"));
    Command7->setFont(buttonFont);

    connect(BottoneAvanti, &QPushButton::clicked, this, [this] { BottoneAvanti_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
}

void ExerciseForm::placeFrame(const FrameGeometry& g)
{
    PicturesattiErrati->setGeometry(g.feedbackArea);
    const QPoint iconPlace((g.feedbackArea.width() - kIconSize) / 2, (g.feedbackArea.height() - kIconSize) / 2);
    ComandoIconaSi->move(iconPlace);
    ComandoIconaNo->move(iconPlace);
    LabelEst->setGeometry(g.correctCaption);
    EtichettaEsatti->setGeometry(g.correctCount);
    LabelErt->setGeometry(g.wrongCaption);
    EtichettaErrati->setGeometry(g.wrongCount);
    if (BottoneAvanti)
        BottoneAvanti->setGeometry(g.nextButton);
    Command7->setGeometry(g.exitButton);
}

QLabel* ExerciseForm::addMeasureMessage(const QRect& geometry, const QFont& font)
{
    QLabel* label = addControl(newLabel(client(), geometry, QStringLiteral("Label5")), QStringLiteral("Label5"));
    makeOpaqueWhite(label);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(6);
    label->hide();
    return label;
}

void ExerciseForm::declareParts(const ExerciseParts& parts)
{
    m_parts = parts;
    if (!m_parts.questionFocus && !m_parts.answerControls.isEmpty())
        m_parts.questionFocus = m_parts.answerControls.first();
    // An exercise without "avanti" has no such control at all, so neither the
    // language files nor the resizer look for one.
    if (!m_parts.hasNextButton && BottoneAvanti) {
        delete BottoneAvanti;
        BottoneAvanti = nullptr;
    }
}

void ExerciseForm::Form_Load()
{
    QPointer<ExerciseForm> self(this);
    language::TranslateForm(this);
    // The translation lets the event loop run: the program may have ended
    // meanwhile and this window with it.
    if (!self || !self->isLoaded())
        return;
    shared::bindSharedResizer(this);
    Random::reseedFromClock();
    for (PictureBox* box : m_parts.drawingBoxes)
        box->setDrawWidth(1);
}

void ExerciseForm::Form_Activate()
{
    fillScreen();
    for (PictureBox* box : m_parts.drawingBoxes)
        box->setScale(QPointF(-2, -2), QPointF(2, 2));
    ComandoIconaSi->show();
    ComandoIconaNo->hide();
    shared::CorrectCount = 0;
    shared::WrongCount = 0;
    showCounts();
    if (BottoneAvanti)
        BottoneAvanti->show();
    LabelEst->setText(shared::CorrectLabelText);
    LabelErt->setText(shared::WrongLabelText);
    ComandoIconaSi->setAccessibleName(shared::CorrectLabelText);
    ComandoIconaNo->setAccessibleName(shared::WrongLabelText);
    newQuestion();
}

void ExerciseForm::Form_Resize()
{
    shared::resizeWithSharedResizer();
}

void ExerciseForm::newQuestion()
{
    ++m_questionNumber;
    m_tries = 0;
    m_questionShown.start();
    setBackColor(shared::RandomBackColor());
    // A pupil already on an answer control stays there (an exercise without
    // "avanti" asks at once after a right answer); otherwise the focus goes
    // where the question is answered.
    QWidget* focused = focusWidget();
    const bool onAnAnswer = focused && focused->isEnabled() && m_parts.answerControls.contains(focused);
    if (!onAnAnswer && m_parts.questionFocus && m_parts.questionFocus->isEnabled())
        m_parts.questionFocus->setFocus();
    const DrawingGuard guard(this);
    drawQuestion(guard);
}

void ExerciseForm::BottoneAvanti_Click()
{
    if (!BottoneAvanti)
        return;
    BottoneAvanti->setEnabled(false);
    for (QWidget* control : m_parts.answerControls)
        control->setEnabled(true);
    if (m_parts.measureMessage)
        m_parts.measureMessage->hide();
    newQuestion();
}

void ExerciseForm::Command7_Click()
{
    if (windowChangeUnderWay())
        return;
    QPointer<ExerciseForm> self(this);
    const MessageAnswer answer = MessageBox::show(
        {shared::ExitPromptText, MessageIcon::Question, MessageButtons::YesNo, shared::messageBoxTitle()});
    // The box let the event loop run: this window may be gone, or on its way.
    if (answer != MessageAnswer::Yes || !self || !self->isLoaded() || windowChangeUnderWay())
        return;
    if (returnToMenuHook())
        returnToMenuHook()(*this);
    else
        unload();
    shared::CorrectCount = 0;
    shared::WrongCount = 0;
}

void ExerciseForm::recordAnswer(bool right, const QString& answer)
{
    ++m_tries;
    results::AnswerRecorder* recorder = results::AnswerRecorder::installed();
    if (!recorder)
        return;
    results::AnswerRecord record;
    record.id = QUuid::createUuid();
    record.answeredAt = QDateTime::currentDateTimeUtc();
    record.pupil = recorder->pupil();
    record.exercise = objectName();
    record.question = questionText();
    record.answer = answer;
    record.right = right;
    record.attempt = m_tries;
    record.secondsShown = m_questionShown.isValid() ? double(m_questionShown.elapsed()) / 1000.0 : 0.0;
    record.language = language::CurrentLanguageFile;
    record.round = roundId();
    // Kept (or said not to be) before the sound plays; the pupil goes on either way.
    recorder->record(record);
}

void ExerciseForm::rightAnswerFeedback(const QString& answer)
{
    recordAnswer(true, answer);
    ComandoIconaSi->show();
    ComandoIconaNo->hide();
    shared::addOne(shared::CorrectCount);
    shared::PlayRightSound();
    EtichettaEsatti->setText(shared::countText(shared::CorrectCount));
    announce(ComandoIconaSi, shared::CorrectLabelText);
    if (!BottoneAvanti)
        return;
    BottoneAvanti->setEnabled(true);
    for (QWidget* control : m_parts.answerControls)
        control->setEnabled(false);
    BottoneAvanti->setFocus();
}

void ExerciseForm::showMeasureMessage(int measure, language::Message message)
{
    if (!m_parts.measureMessage)
        return;
    m_parts.measureMessage->show();
    // The number and the degree sign that opens the message are one measure,
    // kept in reading order inside right-to-left text.
    const QString text = language::LookupString(message);
    const qsizetype degreeSign = text.startsWith(QChar(0x00B0)) ? 1 : 0;
    m_parts.measureMessage->setText(language::isolateMeasure(QString::number(measure) + text.left(degreeSign))
                                    + text.mid(degreeSign));
    announce(ComandoIconaSi, m_parts.measureMessage->text());
}

void ExerciseForm::announce(QLabel* icon, const QString& message)
{
    icon->setAccessibleDescription(message);
    QAccessibleEvent event(icon, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

QList<QWidget*> ExerciseForm::choicesOnScreen() const
{
    QList<QWidget*> choices = m_parts.choices;
    // Row by row, from the left: the order a pupil reads them in.
    const auto place = [this](const QWidget* w) { return w->mapTo(this, QPoint(0, 0)); };
    std::stable_sort(choices.begin(), choices.end(), [&](const QWidget* a, const QWidget* b) {
        const QPoint pa = place(a);
        const QPoint pb = place(b);
        const bool sameRow = std::abs(pa.y() - pb.y()) < std::min(a->height(), b->height()) / 2;
        return sameRow ? pa.x() < pb.x() : pa.y() < pb.y();
    });
    return choices;
}

void ExerciseForm::press(QWidget* choice)
{
    if (!choice->isEnabled())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(choice))
        button->click();
    else if (auto* box = qobject_cast<PictureBox*>(choice))
        box->click();
}

void ExerciseForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command7_Click();
        return;
    }
    const int digit = event->key() - Qt::Key_1;
    if (digit >= 0 && digit < 9 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const QList<QWidget*> choices = choicesOnScreen();
        if (digit < choices.size()) {
            press(choices[digit]);
            return;
        }
    }
    Form::keyPressEvent(event);
}

void ExerciseForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Command7_Click();
}

void ExerciseForm::wrongAnswerFeedback(const QString& answer)
{
    recordAnswer(false, answer);
    shared::addOne(shared::WrongCount);
    EtichettaErrati->setText(shared::countText(shared::WrongCount));
    ComandoIconaSi->hide();
    ComandoIconaNo->show();
    shared::PlayWrongSound();
    announce(ComandoIconaNo, shared::WrongLabelText);
}

void ExerciseForm::showCounts()
{
    EtichettaEsatti->setText(shared::countText(shared::CorrectCount));
    EtichettaErrati->setText(shared::countText(shared::WrongCount));
}

} // namespace exercise
