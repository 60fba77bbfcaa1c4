#include "exercises/frmRuota.h"

#include "shared/Modulo1.h"
#include "exercise/AngleGeometry.h"
#include "exercise/FanDrawing.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/Controls.h"
#include "platform/services/EventYield.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/PressButton.h"
#include "platform/services/Random.h"

#include "results/QuestionText.h"
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace exercises {

using namespace platform;
using exercise::kArmColor;
using exercise::kFillColor;
using language::Message;

namespace {
constexpr qreal kAnswerPointSize = 11;

QString message(language::Message id)
{
    return language::LookupString(id);
}
} // namespace

frmRuota::BuildGuard::BuildGuard(frmRuota* form)
    : m_question(form)
    , m_form(form)
    , m_build(form->m_build)
{
}

bool frmRuota::BuildGuard::stillCurrent() const
{
    return m_question.stillCurrent() && m_form && m_form->m_build == m_build;
}

frmRuota::frmRuota()
    : ExerciseForm(QStringLiteral("frmRuota"))
{
    setWindowTitle(QStringLiteral("costruisci l'angolo"));
    setDesignInnerSize(800, 560);

    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 448, 452), QStringLiteral("L'angolo che costruisci")),
                          QStringLiteral("Picture1"));
    // The built angle, in the box's top left corner, after a right answer.
    Label5 = addControl(newLabel(Picture1, QRect(8, 8, 150, 56), QStringLiteral("Label5")), QStringLiteral("Label5"));
    makeOpaqueWhite(Label5);
    Label5->setFont(designFont(font().family(), 26, true));
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setWordWrap(false);
    Label5->hide();

    Frame1 = addControl(newFrame(client(), QRect(480, 10, 304, 300)), QStringLiteral("Frame1"));
    Label1 = addControl(newLabel(Frame1, QRect(12, 12, 280, 64), QStringLiteral("Label1")), QStringLiteral("Label1"));
    Label1->setFont(designFont(font().family(), 14, true));
    Label1->setAlignment(Qt::AlignCenter);

    // Two rows of three equal squares, the larger steps above.
    const QFont stepFont = designFont(font().family(), 16, true);
    auto stepButton = [&](const QString& name, int row, int column, const QString& caption) {
        auto* b = new PressButton(caption, Frame1);
        b->setGeometry(30 + column * 86, 84 + row * 82, 72, 72);
        b->setFont(stepFont);
        return addControl(b, name);
    };
    Command5 = stepButton(QStringLiteral("Command5"), 0, 0, QStringLiteral(" 90°"));
    Command6 = stepButton(QStringLiteral("Command6"), 0, 1, QStringLiteral("45°"));
    Command4 = stepButton(QStringLiteral("Command4"), 0, 2, QStringLiteral("30°"));
    Command1 = stepButton(QStringLiteral("Command1"), 1, 0, QStringLiteral("10°"));
    Command2 = stepButton(QStringLiteral("Command2"), 1, 1, QStringLiteral("5°"));
    Command3 = stepButton(QStringLiteral("Command3"), 1, 2, QStringLiteral("1°"));

    const QFont buttonFont = designFont(font().family(), kAnswerPointSize, true);
    Command9 = addControl(newButton(Frame1, QRect(12, 248, 136, 42), QStringLiteral("ricomincia")),
                          QStringLiteral("Command9"));
    Command9->setFont(buttonFont);
    Command8 = addControl(newButton(Frame1, QRect(156, 248, 136, 42), QStringLiteral("conferma")),
                          QStringLiteral("Command8"));
    Command8->setFont(buttonFont);

    // The two-line instruction under the drawing box.
    Label2 = addControl(newLabel(client(), QRect(16, 476, 448, 68), QStringLiteral("Label2")), QStringLiteral("Label2"));
    Label2->setFont(designFont(font().family(), 12, true));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    placeFrame({.feedbackArea = QRect(480, 324, 64, 64),
                .correctCaption = QRect(558, 326, 150, 28),
                .correctCount = QRect(708, 326, 76, 28),
                .wrongCaption = QRect(558, 360, 150, 28),
                .wrongCount = QRect(708, 360, 76, 28),
                .nextButton = QRect(480, 412, 304, 52),
                .exitButton = QRect(480, 480, 304, 52)});
    declareParts({.drawingBoxes = {Picture1},
                  .answerControls = {Command8, Command9},
                  .measureMessage = Label5,
                  .questionFocus = Command5});

    connect(Command5, &PressButton::mouseDown, this, [this](Qt::MouseButton b) { Command5_MouseDown(b); });
    connect(Command6, &PressButton::mouseDown, this, [this](Qt::MouseButton b) { Command6_MouseDown(b); });
    connect(Command4, &PressButton::mouseDown, this, [this](Qt::MouseButton b) { Command4_MouseDown(b); });
    connect(Command1, &PressButton::mouseDown, this, [this](Qt::MouseButton b) { Command1_MouseDown(b); });
    connect(Command2, &PressButton::mouseDown, this, [this](Qt::MouseButton b) { Command2_MouseDown(b); });
    connect(Command3, &PressButton::mouseDown, this, [this](Qt::MouseButton b) { Command3_MouseDown(b); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
}

void frmRuota::Form_Activate()
{
    Label2->setText(message(Message::BuildLeftButtonHint));
    Label2->setText(Label2->text() + QStringLiteral("\r\n") + message(Message::BuildRightButtonHint));
    ExerciseForm::Form_Activate();
}

void frmRuota::Form_Resize()
{
    ExerciseForm::Form_Resize();
    squareStepButtons();
    // "ricomincia" may be much longer in another language.
    fitCaption(Command9, kAnswerPointSize, 7);
    fitCaption(Command8, kAnswerPointSize, 7);
}

void frmRuota::squareStepButtons()
{
    // The resizer stretches widths and heights apart; each button becomes the
    // largest square that all six cells hold, in the middle of its cell.
    const QList<PressButton*> steps = {Command5, Command6, Command4, Command1, Command2, Command3};
    int side = std::numeric_limits<int>::max();
    for (const PressButton* b : steps)
        side = std::min({side, b->width(), b->height()});
    for (PressButton* b : steps) {
        const QPoint centre = b->geometry().center();
        b->setGeometry(centre.x() - (side - 1) / 2, centre.y() - (side - 1) / 2, side, side);
    }
}

void frmRuota::NewTargetAngle(const exercise::DrawingGuard& guard)
{
    Command9->setEnabled(true);
    Picture1->clear();
    restartBuilding();
    BuiltAngle = 0;
    StartDegrees = qint16(integerPart(Random::next() * 360));
    CurrentDegrees = StartDegrees;
    // Any size but a full turn, 0 included, whatever the first arm's direction.
    TargetAngle = qint16(integerPart(Random::next() * 360));
    EventYield::now();
    if (!guard.stillCurrent())
        return;
    // Only the first arm: the moving arm starts on it.
    exercise::drawArm(Picture1, StartDegrees);
    Label1->setText(requestText(message(Message::BuildRequest), TargetAngle));
}

void frmRuota::restartBuilding()
{
    ++m_build;
    m_runningTurns = 0;
    m_overlapped = false;
}

void frmRuota::turn(int step, TurnWay way)
{
    // The built angle is tested and changed before anything is drawn, so a
    // press that comes while this turn draws is tested against the new value.
    const std::optional<int> after = turned(BuiltAngle, step, way);
    if (!after) {
        // Modal: presses that came before it are swallowed while it is shown.
        MessageBox::show({language::LookupString(refusalMessage(way)), MessageIcon::Critical, MessageButtons::Ok,
                          shared::messageBoxTitle()});
        return;
    }
    BuiltAngle = qint16(*after);
    const BuildGuard guard(this);
    if (m_runningTurns > 0)
        m_overlapped = true;
    ++m_runningTurns;
    if (!drawTurn(step, way, guard))
        return;
    const QString tip = builtAngleTip(message(Message::BuiltAngleTip), BuiltAngle);
    Picture1->setToolTip(tip);
    Picture1->setAccessibleDescription(tip);
    if (--m_runningTurns == 0)
        tidyFigure(way == TurnWay::Back);
}

bool frmRuota::drawTurn(int step, TurnWay way, const BuildGuard& guard)
{
    for (int i = 0; i < step; ++i) {
        // Forward lays a yellow line one degree further on; back draws over
        // the moving arm in white and steps back onto the line before it.
        int color = kFillColor;
        if (way == TurnWay::Forward)
            ++CurrentDegrees;
        else
            color = backStepColor(CurrentDegrees - StartDegrees);
        const QPointF end = exercise::rayPoint(exercise::stepDirection(CurrentDegrees));
        EventYield::paced();
        if (!guard.stillCurrent())
            return false;
        Picture1->line(QPointF(0, 0), end, color);
        if (way == TurnWay::Back)
            --CurrentDegrees;
    }
    return true;
}

void frmRuota::tidyFigure(bool erased)
{
    // Turns that drew over each other, or "conferma" during a turn, leave
    // lines that no longer match the angle: the figure is drawn again whole.
    // A back turn's white lines also bite into the lines left beside them
    // near the vertex, so the fan is drawn again over them.
    const bool overlapped = m_overlapped;
    m_overlapped = false;
    if (overlapped)
        Picture1->clear();
    if (overlapped || erased) {
        for (int d = 1; d <= BuiltAngle; ++d)
            exercise::drawStep(Picture1, StartDegrees + d, kFillColor);
    }
    // The first arm over the yellow that touches it at the vertex.
    exercise::drawArm(Picture1, StartDegrees);
}

QString frmRuota::questionText() const
{
    return results::QuestionText()
        .add(QStringLiteral("start"), StartDegrees)
        .add(QStringLiteral("target"), TargetAngle)
        .format();
}

void frmRuota::Command8_Click()
{
    // Both arms turn red, then the built angle is judged on the spot.
    exercise::drawArm(Picture1, StartDegrees);
    Label1->setText(requestText(message(Message::BuildAskedFor), TargetAngle));
    exercise::drawStep(Picture1, CurrentDegrees, kArmColor);
    // Pressed while a turn draws: the red arm lies inside that turn's fan.
    if (m_runningTurns > 0)
        m_overlapped = true;
    const QString given = results::QuestionText().add(QStringLiteral("built"), BuiltAngle).format();
    if (BuiltAngle != TargetAngle) {
        wrongAnswerFeedback(given);
        return;
    }
    rightAnswerFeedback(given);
    Label5->show();
    Label5->setText(spacedDegrees(BuiltAngle));
}

void frmRuota::Command9_Click()
{
    // The same request again from nothing; turns still drawing stop.
    restartBuilding();
    BuiltAngle = 0;
    Picture1->clear();
    CurrentDegrees = StartDegrees;
    const BuildGuard guard(this);
    EventYield::now();
    if (!guard.stillCurrent())
        return;
    exercise::drawArm(Picture1, StartDegrees);
}

} // namespace exercises
