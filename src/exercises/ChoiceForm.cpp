#include "exercises/ChoiceForm.h"

#include "exercise/FanDrawing.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "results/QuestionText.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

ChoiceForm::ChoiceForm(const ChoiceValues& values)
    : ExerciseForm(QString::fromLatin1(values.windowName))
    , m_values(values)
{
    setWindowTitle(QString::fromUtf8(values.designCaption));
    setDesignInnerSize(800, 560);

    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 500, 528), QString::fromUtf8(values.figureToolTip)),
                          QStringLiteral("Picture1"));
    Frame1 = addControl(newFrame(client(), QRect(540, 16, 244, 268)), QStringLiteral("Frame1"));
    Frame1->setFont(designFont(font().family(), 14, true));

    const QFont answerFont = designFont(font().family(), 18, true);
    const ChoiceValues::Rows& rows = values.rows;
    QList<QWidget*> answers;
    for (int row = 0; row < int(values.buttons.size()); ++row) {
        const ChoiceButton& choice = values.buttons[row];
        const QRect place(22, rows.firstTop + row * rows.step, 200, rows.height);
        QPushButton* b = addControl(newButton(Frame1, place, QString::fromUtf8(choice.caption)),
                                    QString::fromLatin1(choice.name));
        b->setFont(answerFont);
        connect(b, &QPushButton::clicked, this, [this, row] { answer(m_values.buttons[row]); });
        m_buttons.append(b);
        answers.append(b);
    }

    const ChoiceValues::MeasureMessage& message = values.measureMessage;
    const QString messageFamily = message.fontFamily ? QString::fromLatin1(message.fontFamily) : font().family();
    Label5 = addMeasureMessage(message.geometry, designFont(messageFamily, message.pointSize, true));

    placeFrame({.feedbackArea = QRect(540, 300, 64, 64),
                .correctCaption = QRect(614, 300, 114, 28),
                .correctCount = QRect(728, 300, 56, 28),
                .wrongCaption = QRect(614, 336, 114, 28),
                .wrongCount = QRect(728, 336, 56, 28),
                .nextButton = QRect(540, 400, 244, 52),
                .exitButton = QRect(540, 470, 244, 52)});
    declareParts({.drawingBoxes = {Picture1}, .answerControls = answers, .choices = answers, .measureMessage = Label5});
}

void ChoiceForm::NewAngle(const exercise::DrawingGuard& guard)
{
    Picture1->clear();
    const AngleQuestion question = m_values.chooseQuestion(&Random::next);
    StartDegrees = qint16(question.startDegrees);
    AngleSize = qint16(question.size);
    // The arms stand at exactly the measure that is judged and shown.
    exercise::drawAngle(Picture1, StartDegrees, AngleSize, guard);
}

QString ChoiceForm::questionText() const
{
    return results::QuestionText().add(QStringLiteral("start"), StartDegrees).add(QStringLiteral("size"), AngleSize).format();
}

void ChoiceForm::answer(const ChoiceButton& button)
{
    const QString given = results::QuestionText().add(QStringLiteral("class"), QString::fromLatin1(button.answerKey)).format();
    if (button.claims(AngleSize)) {
        rightAnswerFeedback(given);
        showMeasureMessage(AngleSize, button.rightMessage);
    } else {
        wrongAnswerFeedback(given);
    }
}

} // namespace exercises
