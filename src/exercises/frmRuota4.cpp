#include "exercises/frmRuota4.h"

#include "results/QuestionText.h"

#include "exercise/FanDrawing.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace exercises {

using namespace platform;

namespace {
// Six boxes of one size in two rows of three under the banner.
constexpr int kBoxLeft = 30;
constexpr int kBoxTop = 70;
constexpr int kBoxWidth = 232;
constexpr int kBoxHeight = 186;
constexpr int kBoxGap = 22;
// The red frame stands this far outside its box on every side at the design
// size; its band is wider there, and the box covers the rest of it.
constexpr int kFrameMargin = 8;
constexpr int kFrameBand = 13;

QRect boxPlace(int number)
{
    const int column = (number - 1) % 3;
    const int row = (number - 1) / 3;
    return QRect(kBoxLeft + column * (kBoxWidth + kBoxGap), kBoxTop + row * (kBoxHeight + kBoxGap), kBoxWidth,
                 kBoxHeight);
}
} // namespace

frmRuota4::frmRuota4()
    : ExerciseForm(QStringLiteral("frmRuota4"))
{
    setWindowTitle(QStringLiteral("riconosci l'angolo retto"));
    setDesignInnerSize(800, 560);

    Label2 = addControl(newLabel(client(), QRect(30, 8, 740, 48), QStringLiteral("clicca sull'angolo retto")),
                        QStringLiteral("Label2"));
    Label2->setAutoFillBackground(true);
    QPalette banner = Label2->palette();
    banner.setColor(QPalette::Window, QColor(255, 255, 0));
    banner.setColor(QPalette::WindowText, Qt::black);
    Label2->setPalette(banner);
    Label2->setFont(designFont(QStringLiteral("Arial"), 24, true));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(false);

    // Hidden until a right answer; it lies under the boxes, so around a box
    // only its outer band shows, as a red frame.
    Shape1 = addControl(newRectangleShape(client(), QColor(255, 0, 0), kFrameBand), QStringLiteral("Shape1"));
    Shape1->setGeometry(boxPlace(1).adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin, kFrameMargin));
    Shape1->lower();
    Shape1->hide();

    const QString kBoxToolTip = QStringLiteral("Clicca qui se questo è l'angolo retto");
    PictureBox** names[] = {&Picture1, &Picture2, &Picture3, &Picture4, &Picture5, &Picture6};
    for (int n = 1; n <= kAngleBoxCount; ++n) {
        PictureBox* b = addControl(newPictureBox(client(), boxPlace(n), kBoxToolTip), QStringLiteral("Picture%1").arg(n));
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::StrongFocus);
        // Named by its number, the digit that answers it from the keyboard, in
        // every language; never by what it holds. Its translated tooltip
        // describes it.
        b->setAccessibleName(QString::number(n));
        connect(b, &PictureBox::clicked, this, [this, n] { Picture_Click(n); });
        *names[n - 1] = b;
        m_boxes[size_t(n - 1)] = b;
    }
    // Tab goes through the boxes in reading order, then to the buttons.
    setTabOrder(Picture6, BottoneAvanti);
    setTabOrder(BottoneAvanti, Command7);

    // The feedback icon and the counts at the lower left, the two buttons at
    // the lower right, in line with the boxes.
    placeFrame({.feedbackArea = QRect(30, 484, 68, 68),
                .correctCaption = QRect(116, 486, 116, 30),
                .correctCount = QRect(232, 486, 70, 30),
                .wrongCaption = QRect(116, 520, 116, 30),
                .wrongCount = QRect(232, 520, 70, 30),
                .nextButton = QRect(404, 490, 175, 54),
                .exitButton = QRect(595, 490, 175, 54)});
    declareParts({.drawingBoxes = {Picture1, Picture2, Picture3, Picture4, Picture5, Picture6},
                  .answerControls = {Picture1, Picture2, Picture3, Picture4, Picture5, Picture6},
                  // Digits 1 to 6 answer with the box of that number.
                  .choices = {Picture1, Picture2, Picture3, Picture4, Picture5, Picture6},
                  .measureMessage = nullptr});
}

bool frmRuota4::chosenInThisQuestion(int number) const
{
    return m_chosenIn.at(size_t(number - 1)) == questionNumber();
}

void frmRuota4::NewAngleSet(const exercise::DrawingGuard& guard)
{
    for (PictureBox* b : m_boxes)
        b->clear();
    // Each box has its angle chosen just before it is drawn, and is judged on
    // it from then on, while its fan is still opening.
    RightAngleSet set(&Random::next);
    for (int n = 1; n <= kAngleBoxCount; ++n) {
        const BoxAngle chosen = set.choose(n);
        m_angles[size_t(n - 1)] = chosen;
        m_chosenIn[size_t(n - 1)] = questionNumber();
        if (!exercise::drawAngle(box(n), chosen.start, chosen.size, guard))
            return;
    }
}

QString frmRuota4::questionText() const
{
    // The boxes of this question so far, from the first: each is chosen just
    // before it is drawn.
    QList<int> sizes;
    for (int n = 1; n <= kAngleBoxCount && chosenInThisQuestion(n); ++n)
        sizes.append(angle(n).size);
    return results::QuestionText().add(QStringLiteral("sizes"), sizes).add(QStringLiteral("target"), 90).format();
}

void frmRuota4::Picture_Click(int number)
{
    // A box still showing the previous question's angle is not an answer yet.
    if (!chosenInThisQuestion(number))
        return;
    const QString given = results::QuestionText().add(QStringLiteral("box"), number).format();
    if (!isRightAngle(angle(number).size)) {
        wrongAnswerFeedback(given);
        return;
    }
    rightAnswerFeedback(given);
    frameBox(number);
}

void frmRuota4::frameBox(int number)
{
    const QRect boxRect = box(number)->geometry();
    QRect place = Shape1->geometry();
    place.moveCenter(boxRect.center());
    Shape1->setGeometry(place);
    // A window larger than the design leaves more room around the box than
    // the band's width: the band then widens to reach the box.
    const int margin = std::max({boxRect.left() - place.left(), boxRect.top() - place.top(),
                                 place.right() - boxRect.right(), place.bottom() - boxRect.bottom()});
    Shape1->setLineWidth(std::max(kFrameBand, margin));
    Shape1->show();
    m_framedBox = number;
}

void frmRuota4::BottoneAvanti_Click()
{
    Shape1->hide();
    m_framedBox = 0;
    ExerciseForm::BottoneAvanti_Click();
}

void frmRuota4::Form_Resize()
{
    ExerciseForm::Form_Resize();
    // The resizer puts the frame back where the design had it; it belongs
    // around the box it marks.
    if (m_framedBox != 0)
        frameBox(m_framedBox);
}

} // namespace exercises
