#include "exercises/frmRuota8.h"

#include "results/QuestionText.h"

#include "exercise/FanDrawing.h"
#include "exercise/Protractor.h"
#include "exercise/TypedAnswerBox.h"
#include "exercises/TypedAngle.h"
#include "language/LanguageSupport.h"
#include "platform/services/Random.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/PictureBox.h"

#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

frmRuota8::frmRuota8()
    : ExerciseForm(QStringLiteral("frmRuota8"))
{
    setWindowTitle(QStringLiteral("misura con il goniometro"));
    setDesignInnerSize(800, 480);

    // A large figure at the left, for the protractor to be read on; the
    // question, the answer and the buttons at the right, the score below.
    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 448, 448),
                                        QStringLiteral("Misura l'angolo rosso con il goniometro")),
                          QStringLiteral("Picture1"));
    Goniometro1 = new exercise::Protractor(Picture1);

    Label1 = addControl(newLabel(client(), QRect(480, 16, 304, 150), QStringLiteral("Label1")),
                        QStringLiteral("Label1"));
    makeOpaqueWhite(Label1);
    Label1->setFont(designFont(font().family(), 14, true));
    Label1->setMargin(8);

    Text1 = addControl(new exercise::TypedAnswerBox(client()), QStringLiteral("Text1"));
    Text1->setGeometry(480, 182, 144, 72);
    Text1->setFont(designFont(font().family(), 28, true));
    Text1->setAlignment(Qt::AlignCenter);
    connect(Text1, &exercise::TypedAnswerBox::answerGiven, this, &frmRuota8::Text1_AnswerGiven);

    Label5 = addMeasureMessage(QRect(480, 270, 304, 56), designFont(font().family(), 16, true));

    placeFrame({.feedbackArea = QRect(480, 344, 104, 104),
                .correctCaption = QRect(596, 350, 110, 32),
                .correctCount = QRect(706, 350, 70, 32),
                .wrongCaption = QRect(596, 410, 110, 32),
                .wrongCount = QRect(706, 410, 70, 32),
                .nextButton = QRect(640, 182, 144, 72),
                .exitButton = QRect(640, 270, 144, 56)});
    // The tab order: the reading, "avanti", "esci", then the protractor.
    setTabOrder(Command7, Goniometro1);
    declareParts({.drawingBoxes = {Picture1}, .answerControls = {Text1}, .measureMessage = Label5,
                  .questionFocus = Text1});
}

void frmRuota8::NewMeasuredAngle(const exercise::DrawingGuard& guard)
{
    Text1->clear();
    Picture1->clear();
    Label1->setText(language::LookupString(language::Message::ProtractorQuestion));
    Goniometro1->putAtRest();
    // Fixed before any drawing: a reading typed while the fan opens is judged on them.
    StartDegrees = qint16(integerPart(Random::next() * 360));
    AngleSize = qint16(integerPart(Random::next() * 180 + 1));
    exercise::drawAngle(Picture1, StartDegrees, AngleSize, guard);
}

QString frmRuota8::questionText() const
{
    return results::QuestionText().add(QStringLiteral("start"), StartDegrees).add(QStringLiteral("size"), AngleSize).format();
}

void frmRuota8::Text1_AnswerGiven(const QString& answer)
{
    const QString given = results::QuestionText().add(QStringLiteral("typed"), answer).format();
    if (!readsAngle(answer, AngleSize)) {
        wrongAnswerFeedback(given);
        if (Text1->isEnabled())
            Text1->setFocus();
        return;
    }
    rightAnswerFeedback(given);
    showMeasureMessage(AngleSize, language::Message::ProtractorMeasured);
}

} // namespace exercises
