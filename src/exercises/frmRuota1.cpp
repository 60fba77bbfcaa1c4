#include "exercises/frmRuota1.h"

#include "exercise/FanDrawing.h"
#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

frmRuota1::frmRuota1()
    : ExerciseForm(QStringLiteral("frmRuota1"))
{
    setWindowTitle(QStringLiteral("acuto - retto - ottuso - piatto"));
    setDesignInnerSize(800, 560);

    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 500, 528)), QStringLiteral("Picture1"));
    Frame1 = addControl(newFrame(client(), QRect(540, 16, 244, 268)), QStringLiteral("Frame1"));
    Frame1->setFont(designFont(font().family(), 14, true));
    const QFont answerFont = designFont(font().family(), 18, true);
    auto answerButton = [&](const QString& name, int row, const QString& caption) {
        QPushButton* b = addControl(newButton(Frame1, QRect(22, 36 + row * 56, 200, 46), caption), name);
        b->setFont(answerFont);
        return b;
    };
    Command8 = answerButton(QStringLiteral("Command8"), 0, QStringLiteral("acuto"));
    Command1 = answerButton(QStringLiteral("Command1"), 1, QStringLiteral("retto"));
    Command2 = answerButton(QStringLiteral("Command2"), 2, QStringLiteral("ottuso"));
    Command3 = answerButton(QStringLiteral("Command3"), 3, QStringLiteral("piatto"));

    Label5 = addMeasureMessage(QRect(236, 28, 268, 84), designFont(font().family(), 18, true));

    placeFrame({.feedbackArea = QRect(540, 300, 64, 64),
                .correctCaption = QRect(614, 300, 114, 28),
                .correctCount = QRect(728, 300, 56, 28),
                .wrongCaption = QRect(614, 336, 114, 28),
                .wrongCount = QRect(728, 336, 56, 28),
                .nextButton = QRect(540, 400, 244, 52),
                .exitButton = QRect(540, 470, 244, 52)});
    declareParts({.drawingBoxes = {Picture1},
                  .answerControls = {Command8, Command1, Command2, Command3},
                  .choices = {Command8, Command1, Command2, Command3},
                  .measureMessage = Label5});

    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void frmRuota1::NewAngle(const exercise::DrawingGuard& guard)
{
    Picture1->clear();
    StartDegrees = qint16(integerPart(Random::next() * 360));
    AngleSize = qint16(integerPart(Random::next() * 12 + 1) * 15);
    exercise::drawAngle(Picture1, StartDegrees, AngleSize, guard);
}

void frmRuota1::answer(AngleClass angleClass, language::Message message)
{
    if (belongsTo(angleClass, AngleSize)) {
        rightAnswerFeedback();
        showMeasureMessage(AngleSize, message);
    } else {
        wrongAnswerFeedback();
    }
}

} // namespace exercises
