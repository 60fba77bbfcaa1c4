#include "exercises/frmRuota2.h"

#include "exercise/FanDrawing.h"
#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

frmRuota2::frmRuota2()
    : ExerciseForm(QStringLiteral("frmRuota2"))
{
    setWindowTitle(QStringLiteral("concavo  -  convesso"));
    setDesignInnerSize(800, 560);

    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 500, 528)), QStringLiteral("Picture1"));
    Frame1 = addControl(newFrame(client(), QRect(540, 16, 244, 268)), QStringLiteral("Frame1"));
    Frame1->setFont(designFont(font().family(), 14, true));
    const QFont answerFont = designFont(font().family(), 18, true);
    auto answerButton = [&](const QString& name, int row, const QString& caption) {
        QPushButton* b = addControl(newButton(Frame1, QRect(22, 60 + row * 100, 200, 64), caption), name);
        b->setFont(answerFont);
        return b;
    };
    // Concave above, convex under it.
    Command8 = answerButton(QStringLiteral("Command8"), 0, QStringLiteral("concavo"));
    Command1 = answerButton(QStringLiteral("Command1"), 1, QStringLiteral("convesso"));

    Label5 = addMeasureMessage(QRect(226, 28, 278, 84), designFont(QStringLiteral("Arial"), 15.75, true));

    placeFrame({.feedbackArea = QRect(540, 300, 64, 64),
                .correctCaption = QRect(614, 300, 114, 28),
                .correctCount = QRect(728, 300, 56, 28),
                .wrongCaption = QRect(614, 336, 114, 28),
                .wrongCount = QRect(728, 336, 56, 28),
                .nextButton = QRect(540, 400, 244, 52),
                .exitButton = QRect(540, 470, 244, 52)});
    declareParts({.drawingBoxes = {Picture1},
                  .answerControls = {Command8, Command1},
                  .choices = {Command8, Command1},
                  .measureMessage = Label5});

    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmRuota2::NewAngle(const exercise::DrawingGuard& guard)
{
    Picture1->clear();
    const AngleQuestion question = concaveConvexQuestion(&Random::next);
    StartDegrees = qint16(question.startDegrees);
    AngleSize = qint16(question.size);
    // The arms stand at exactly the measure that is judged and shown.
    exercise::drawAngle(Picture1, StartDegrees, AngleSize, guard);
}

void frmRuota2::answer(Convexity claimed, language::Message message)
{
    if (answerIsRight(claimed, AngleSize)) {
        rightAnswerFeedback();
        showMeasureMessage(AngleSize, message);
    } else {
        wrongAnswerFeedback();
    }
}

} // namespace exercises
