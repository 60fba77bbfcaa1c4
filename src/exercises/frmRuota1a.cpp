#include "exercises/frmRuota1a.h"

#include "results/QuestionText.h"

#include "exercise/FanDrawing.h"
#include "exercises/MeasureClasses.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/ListTextBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QLabel>
#include <QPushButton>

namespace exercises {

using namespace platform;

namespace {
// The six classes in a grid of three columns and two rows, each button over
// the list of the measures it has collected.
constexpr int kGridLeft = 432;
constexpr int kColumnWidth = 112;
constexpr int kColumnStep = 120;
constexpr int kRowStep = 224;
constexpr int kButtonHeight = 44;
constexpr int kListTop = 50;
constexpr int kListHeight = 162;
} // namespace

frmRuota1a::frmRuota1a()
    : ExerciseForm(QStringLiteral("frmRuota1a"))
{
    setWindowTitle(QStringLiteral("catalogazione in base alle misure"));
    setDesignInnerSize(800, 560);

    Picture1 = addControl(newPictureBox(client(), QRect(16, 16, 400, 424), QStringLiteral("L'angolo da classificare")),
                          QStringLiteral("Picture1"));
    Label1 = addControl(newLabel(client(), QRect(16, 456, 400, 88), QStringLiteral("Label1")), QStringLiteral("Label1"));
    makeOpaqueWhite(Label1);
    Label1->setFont(designFont(font().family(), 18, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(false);

    const QFont answerFont = designFont(font().family(), 14, true);
    const QFont listFont = designFont(font().family(), 12, true);
    auto answerButton = [&](const QString& name, AngleClass angleClass, const QString& caption) {
        const int index = listIndex(angleClass);
        const QPoint cell(kGridLeft + (index % 3) * kColumnStep, 16 + (index / 3) * kRowStep);
        QPushButton* b = addControl(newButton(client(), QRect(cell, QSize(kColumnWidth, kButtonHeight)), caption), name);
        b->setFont(answerFont);
        return b;
    };
    Command8 = answerButton(QStringLiteral("Command8"), AngleClass::Acute, QStringLiteral("acuto"));
    Command1 = answerButton(QStringLiteral("Command1"), AngleClass::Right, QStringLiteral("retto"));
    Command2 = answerButton(QStringLiteral("Command2"), AngleClass::Obtuse, QStringLiteral("ottuso"));
    Command3 = answerButton(QStringLiteral("Command3"), AngleClass::Straight, QStringLiteral("piatto"));
    Command4 = answerButton(QStringLiteral("Command4"), AngleClass::Concave, QStringLiteral("concavo"));
    Command5 = answerButton(QStringLiteral("Command5"), AngleClass::Full, QStringLiteral("giro"));

    for (int index = 0; index < int(Text1.size()); ++index) {
        const QPoint cell(kGridLeft + (index % 3) * kColumnStep, 16 + (index / 3) * kRowStep + kListTop);
        Text1[index] = addControl(newListTextBox(client(), QRect(cell, QSize(kColumnWidth, kListHeight))),
                                  QStringLiteral("Text1"), index);
        Text1[index]->setFont(listFont);
    }

    placeFrame({.feedbackArea = QRect(432, 472, 72, 72),
                .correctCaption = QRect(516, 476, 110, 28),
                .correctCount = QRect(626, 476, 50, 28),
                .wrongCaption = QRect(516, 512, 110, 28),
                .wrongCount = QRect(626, 512, 50, 28),
                .exitButton = QRect(684, 472, 100, 72)});
    declareParts({.drawingBoxes = {Picture1},
                  .answerControls = {Command8, Command1, Command2, Command3, Command4, Command5},
                  .choices = {Command8, Command1, Command2, Command3, Command4, Command5},
                  .hasNextButton = false});

    // The answers one after the other, then the lists, then "esci".
    setTabOrder(Command8, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    QWidget* previous = Command5;
    for (ListTextBox* list : Text1) {
        setTabOrder(previous, list);
        previous = list;
    }
    setTabOrder(previous, Command7);

    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
}

void frmRuota1a::NewAngle(const exercise::DrawingGuard& guard)
{
    Picture1->clear();
    const AngleQuestion question = measureQuestion(&Random::next);
    StartDegrees = qint16(question.startDegrees);
    AngleSize = qint16(question.size);
    // The measure is written before the figure opens: an answer given during
    // the drawing is judged on this angle, so the pupil must see its measure.
    Label1->setText(measureCaption(language::LookupString(language::Message::MeasureCaption), AngleSize));
    exercise::drawAngle(Picture1, StartDegrees, AngleSize, guard);
}

QString frmRuota1a::questionText() const
{
    return results::QuestionText().add(QStringLiteral("start"), StartDegrees).add(QStringLiteral("size"), AngleSize).format();
}

void frmRuota1a::answer(AngleClass claimed)
{
    const QString given = results::QuestionText().add(QStringLiteral("class"), QString::fromLatin1(angleClassKey(claimed))).format();
    if (!belongsTo(claimed, AngleSize)) {
        wrongAnswerFeedback(given);
        return;
    }
    rightAnswerFeedback(given);
    Text1[listIndex(claimed)]->appendText(listEntry(AngleSize));
    newQuestion();
}

} // namespace exercises
