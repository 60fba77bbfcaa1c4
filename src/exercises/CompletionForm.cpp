#include "exercises/CompletionForm.h"

#include "exercise/FanDrawing.h"
#include "exercise/TypedAnswerBox.h"
#include "exercises/TypedAngle.h"
#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Mirror.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "results/QuestionText.h"

#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

namespace {
constexpr qreal kQuestionPointSize = 18;

QString message(language::Message id)
{
    return language::LookupString(id);
}

} // namespace

CompletionForm::CompletionForm(const CompletionValues& values)
    : ExerciseForm(QString::fromLatin1(values.windowName))
    , m_values(values)
{
    setWindowTitle(QString::fromUtf8(values.designCaption));
    setDesignInnerSize(800, 480);

    // The figure at the left; the question, the answer box and the two
    // buttons at the right; the score under the figure.
    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 300, 300), QString::fromUtf8(values.figureToolTip)),
                          QStringLiteral("Picture1"));

    Label1 = addControl(newLabel(client(), QRect(332, 16, 452, 200), QStringLiteral("Label1")),
                        QStringLiteral("Label1"));
    makeOpaqueWhite(Label1);
    Label1->setFont(designFont(font().family(), kQuestionPointSize, true));
    Label1->setMargin(8);

    Text1 = addControl(new exercise::TypedAnswerBox(client()), QStringLiteral("Text1"));
    Text1->setGeometry(332, 232, 220, 80);
    Text1->setFont(designFont(font().family(), 32, true));
    Text1->setAlignment(Qt::AlignCenter);
    // The locked box keeps the right answer: dark enough to read beside the equation.
    QPalette answerPalette = Text1->palette();
    answerPalette.setColor(QPalette::Disabled, QPalette::Text, QColor(80, 80, 80));
    Text1->setPalette(answerPalette);
    connect(Text1, &exercise::TypedAnswerBox::answerGiven, this, &CompletionForm::Text1_AnswerGiven);

    placeFrame({.feedbackArea = QRect(16, 332, 104, 104),
                .correctCaption = QRect(136, 344, 110, 32),
                .correctCount = QRect(246, 344, 70, 32),
                .wrongCaption = QRect(136, 392, 110, 32),
                .wrongCount = QRect(246, 392, 70, 32),
                .nextButton = QRect(568, 232, 216, 80),
                .exitButton = QRect(568, 328, 216, 60)});
    declareParts({.drawingBoxes = {Picture1}, .answerControls = {Text1}, .questionFocus = Text1});
}

void CompletionForm::NewCompletionAngle(const exercise::DrawingGuard& guard)
{
    // The label stays empty while the figure opens: the question comes with
    // the finished figure.
    styleLabel1(Qt::AlignLeft | Qt::AlignVCenter, kQuestionPointSize);
    Label1->clear();
    Text1->clear();
    Picture1->clear();
    // Both numbers are fixed before any drawing: an answer typed while the
    // figure opens is judged on them.
    StartDegrees = qint16(integerPart(Random::next() * 360));
    AngleSize = qint16(integerPart(Random::next() * m_values.wholeAngle + 1));

    // The given angle in red, its last line being its second arm, then the
    // rest of the whole angle in yellow; no arm is drawn again over the fans.
    qint16 currentDegrees = StartDegrees;
    exercise::drawArm(Picture1, StartDegrees);
    if (!exercise::sweep(Picture1, currentDegrees, AngleSize, exercise::kArmColor, guard))
        return;
    if (!exercise::sweep(Picture1, currentDegrees, m_values.wholeAngle - AngleSize, exercise::kFillColor, guard))
        return;

    // A right answer given while the figure opened already shows its equation.
    if (!answeredAlready()) {
        Label1->setText(completionQuestion(message(m_values.questionBefore), AngleSize,
                                           message(m_values.questionAfter), message(m_values.questionSecond)));
    }
    if (Text1->isEnabled())
        Text1->setFocus();
}

QString CompletionForm::questionText() const
{
    return results::QuestionText()
        .add(QStringLiteral("start"), StartDegrees)
        .add(QStringLiteral("size"), AngleSize)
        .add(QStringLiteral("whole"), m_values.wholeAngle)
        .format();
}

void CompletionForm::Text1_AnswerGiven(const QString& answer)
{
    const QString given = results::QuestionText().add(QStringLiteral("typed"), answer).format();
    if (!completesAngle(answer, AngleSize, m_values.wholeAngle)) {
        wrongAnswerFeedback(given);
        if (Text1->isEnabled())
            Text1->setFocus();
        return;
    }
    // Locks the box, enables "avanti" and gives it the focus.
    rightAnswerFeedback(given);
    styleLabel1(Qt::AlignCenter, m_values.equationPointSize);
    Label1->setText(language::isolateMeasure(completionEquation(AngleSize, m_values.wholeAngle)));
}

void CompletionForm::styleLabel1(Qt::Alignment alignment, qreal pointSize)
{
    Label1->setAlignment(isMirrored() ? platform::mirroredAlignment(alignment) : alignment);
    QFont font = Label1->font();
    font.setPointSizeF(pointSize);
    Label1->setFont(font);
}

bool CompletionForm::answeredAlready() const
{
    return !Text1->isEnabled();
}

} // namespace exercises
