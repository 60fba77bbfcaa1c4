#include "exercises/frmRuota7.h"

#include "results/QuestionText.h"

#include "exercise/FanDrawing.h"
#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "platform/services/Random.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/PictureBox.h"

#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

frmRuota7::frmRuota7()
    : ExerciseForm(QStringLiteral("frmRuota7"))
{
    setWindowTitle(QStringLiteral("stima l'angolo"));
    setDesignInnerSize(800, 480);

    // The figure at the left; the question, the answer box, "avanti", the
    // estimate beside the true size and "esci" at the right; the score under
    // the figure.
    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 300, 300),
                                        QStringLiteral("Quanti gradi misura questo angolo?")),
                          QStringLiteral("Picture1"));

    Label1 = addControl(newLabel(client(), QRect(332, 16, 452, 110), QStringLiteral("Label1")),
                        QStringLiteral("Label1"));
    makeOpaqueWhite(Label1);
    Label1->setFont(designFont(font().family(), 18, true));
    Label1->setMargin(8);

    Text1 = addControl(new exercise::TypedAnswerBox(client()), QStringLiteral("Text1"));
    Text1->setGeometry(332, 142, 220, 80);
    Text1->setFont(designFont(font().family(), 32, true));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setToolTip(QStringLiteral("Scrivi qui la tua stima e premi Invio"));
    // The locked box keeps the estimate: dark enough to read beside the result.
    QPalette answerPalette = Text1->palette();
    answerPalette.setColor(QPalette::Disabled, QPalette::Text, QColor(80, 80, 80));
    Text1->setPalette(answerPalette);
    connect(Text1, &exercise::TypedAnswerBox::answerGiven, this, &frmRuota7::Text1_AnswerGiven);

    // Shown after wrong tries as well, so it is the window's own label and not
    // the frame's message of a right answer.
    Label5 = addMeasureMessage(QRect(332, 238, 452, 78), designFont(font().family(), 16, true));
    Label5->setWordWrap(true);

    placeFrame({.feedbackArea = QRect(16, 332, 104, 104),
                .correctCaption = QRect(136, 344, 110, 32),
                .correctCount = QRect(246, 344, 70, 32),
                .wrongCaption = QRect(136, 392, 110, 32),
                .wrongCount = QRect(246, 392, 70, 32),
                .nextButton = QRect(568, 142, 216, 80),
                .exitButton = QRect(568, 332, 216, 60)});
    declareParts({.drawingBoxes = {Picture1}, .answerControls = {Text1}, .questionFocus = Text1});
}

void frmRuota7::NewEstimateAngle(const exercise::DrawingGuard& guard)
{
    Label5->hide();
    Label5->clear();
    Text1->clear();
    Picture1->clear();
    // Both numbers are fixed before any drawing: an estimate typed while the
    // figure opens is judged on them.
    const AngleQuestion question = estimateQuestion(&Random::next, sizes);
    StartDegrees = qint16(question.startDegrees);
    AngleSize = qint16(question.size);
    Label1->setText(language::LookupString(language::Message::EstimateQuestion));

    if (!exercise::drawAngle(Picture1, StartDegrees, AngleSize, guard))
        return;
    if (Text1->isEnabled())
        Text1->setFocus();
}

QString frmRuota7::questionText() const
{
    return results::QuestionText()
        .add(QStringLiteral("start"), StartDegrees)
        .add(QStringLiteral("size"), AngleSize)
        .add(QStringLiteral("tolerance"), tolerance)
        .format();
}

void frmRuota7::Text1_AnswerGiven(const QString& answer)
{
    const bool right = estimateIsRight(answer, AngleSize, tolerance);
    const QString given = results::QuestionText().add(QStringLiteral("typed"), answer).format();
    if (right)
        rightAnswerFeedback(given); // locks the box, enables "avanti" and gives it the focus
    else
        wrongAnswerFeedback(given);
    // Each measure stays "40°" inside text written right to left.
    const auto measure = [](const QString& degrees) { return language::isolateMeasure(degrees + QChar(0x00B0)); };
    Label5->setText(estimateComparison(language::LookupString(language::Message::EstimateComparison),
                                       measure(estimateShown(answer)), measure(QString::number(AngleSize))));
    Label5->show();
    if (!right && Text1->isEnabled())
        Text1->setFocus();
}

} // namespace exercises
