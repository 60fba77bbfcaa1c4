#include "exercises/frmRuota3.h"

#include "results/QuestionText.h"

#include "exercise/FanDrawing.h"
#include "language/TextDirection.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

namespace {
const QString kLabelFamily = QStringLiteral("Arial");

// One of 10, 20, ..., 360, each as likely.
qint16 randomSize()
{
    return qint16(integerPart(Random::next() * 36 + 1) * 10);
}

QString measureText(int degrees)
{
    return language::isolateMeasure(QString::number(degrees) + QChar(0x00B0));
}
} // namespace

frmRuota3::frmRuota3()
    : ExerciseForm(QStringLiteral("frmRuota3"))
{
    setWindowTitle(QStringLiteral("< > ="));
    setDesignInnerSize(800, 560);

    // Two square boxes, each measure under its box and the sign between the
    // measures: after a right answer the row reads like a relation.
    Picture1 = addControl(newPictureBox(client(), QRect(16, 12, 316, 316), QStringLiteral("L'angolo di sinistra")),
                          QStringLiteral("Picture1"));
    Picture2 = addControl(newPictureBox(client(), QRect(468, 12, 316, 316), QStringLiteral("L'angolo di destra")),
                          QStringLiteral("Picture2"));

    const QFont measureFont = designFont(kLabelFamily, 14.25, true);
    auto measureLabel = [&](const QString& name, int left) {
        QLabel* label = addControl(newLabel(client(), QRect(left, 336, 316, 34), name), name);
        makeOpaqueWhite(label);
        label->setFont(measureFont);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(false);
        return label;
    };
    Label1 = measureLabel(QStringLiteral("Label1"), 16);
    Label2 = measureLabel(QStringLiteral("Label2"), 468);

    Label5 = addMeasureMessage(QRect(346, 293, 108, 120), designFont(kLabelFamily, 72, true));
    Label5->setMargin(0);
    Label5->setWordWrap(false);

    const QFont answerFont = designFont(font().family(), 20, true);
    auto answerButton = [&](const QString& name, int column, const QString& caption) {
        QPushButton* b = addControl(newButton(client(), QRect(218 + column * 126, 424, 112, 56), caption), name);
        b->setFont(answerFont);
        return b;
    };
    Command1 = answerButton(QStringLiteral("Command1"), 0, QStringLiteral(">"));
    Command8 = answerButton(QStringLiteral("Command8"), 1, QStringLiteral("<"));
    Command2 = answerButton(QStringLiteral("Command2"), 2, QStringLiteral("="));

    // The feedback icon at the lower left, the counts at the lower right, the
    // two frame buttons centred under the answers.
    placeFrame({.feedbackArea = QRect(70, 434, 80, 80),
                .correctCaption = QRect(600, 432, 110, 30),
                .correctCount = QRect(710, 432, 74, 30),
                .wrongCaption = QRect(600, 472, 110, 30),
                .wrongCount = QRect(710, 472, 74, 30),
                .nextButton = QRect(218, 494, 175, 50),
                .exitButton = QRect(407, 494, 175, 50)});
    declareParts({.drawingBoxes = {Picture1, Picture2},
                  .answerControls = {Command1, Command8, Command2},
                  .choices = {Command1, Command8, Command2},
                  .measureMessage = Label5});

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmRuota3::NewAnglePair(const exercise::DrawingGuard& guard)
{
    Label1->hide();
    Label2->hide();
    Picture1->clear();
    Picture2->clear();
    // Both sizes are fixed before any drawing: answers given while the figures
    // are still opening are judged on them.
    AngleSize1 = randomSize();
    AngleSize2 = randomSize();
    // The measures are written only when they are shown: before the answer
    // nothing, not even a screen reader, may tell them.
    Label1->clear();
    Label2->clear();

    if (!drawOpening(Picture1, AngleSize1, guard) || !drawOpening(Picture2, AngleSize2, guard))
        return;
    // The first arms last, over the yellow of the sweeps.
    exercise::drawArm(Picture1, 0);
    exercise::drawArm(Picture2, 0);
}

// Sweeps one angle from straight up and draws its second arm.
bool frmRuota3::drawOpening(PictureBox* box, qint16 angleSize, const exercise::DrawingGuard& guard)
{
    qint16 current = 0;
    if (!exercise::sweep(box, current, angleSize, exercise::kFillColor, guard))
        return false;
    exercise::drawStep(box, current, exercise::kArmColor);
    return true;
}

QString frmRuota3::questionText() const
{
    return results::QuestionText().add(QStringLiteral("sizes"), QList<int>{AngleSize1, AngleSize2}).format();
}

void frmRuota3::answer(Relation claimed)
{
    const QString given = results::QuestionText().add(QStringLiteral("relation"), QString::fromLatin1(relationKey(claimed))).format();
    if (compare(AngleSize1, AngleSize2) != claimed) {
        wrongAnswerFeedback(given);
        return;
    }
    rightAnswerFeedback(given);
    Label5->show();
    Label5->setText(symbol(claimed));
    Label1->setText(measureText(AngleSize1));
    Label2->setText(measureText(AngleSize2));
    Label1->show();
    Label2->show();
}

} // namespace exercises
