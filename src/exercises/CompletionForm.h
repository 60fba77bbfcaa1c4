#pragma once

#include "exercise/ExerciseForm.h"
#include "exercise/TypedAnswerBox.h"
#include "language/Messages.h"

class QLabel;

namespace platform {
class PictureBox;
}

namespace exercises {

// What sets one completion window apart from the other.
struct CompletionValues {
    const char* windowName;      // the window's name, as the language files know it
    const char* designCaption;   // its title before translation
    const char* figureToolTip;   // the drawing box's tooltip before translation
    int wholeAngle;              // 90 or 180 degrees, which the pupil completes the given angle to
    language::Message questionBefore;  // the words before the given size
    language::Message questionAfter;   // the words right after it
    language::Message questionSecond;  // the question's second line
    qreal equationPointSize;     // font size of the equation after a right answer
};

// Complete an angle: a random angle of 1 degree up to the whole angle is drawn
// as a red fan, the rest of the whole angle as a yellow fan, and the pupil
// types how many degrees the yellow part measures and presses Enter. A right
// answer turns the question into the equation " 55° +  35° = 90° ".
class CompletionForm : public exercise::ExerciseForm {
    Q_OBJECT
public:
    platform::PictureBox* Picture1 = nullptr;
    QLabel* Label1 = nullptr;    // the question; after a right answer, the equation
    exercise::TypedAnswerBox* Text1 = nullptr;  // the pupil's answer

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;        // the given (red) angle

    int wholeAngle() const { return m_values.wholeAngle; }

protected:
    explicit CompletionForm(const CompletionValues& values);

    void drawQuestion(const exercise::DrawingGuard& guard) override { NewCompletionAngle(guard); }
    QString questionText() const override;

private:
    void NewCompletionAngle(const exercise::DrawingGuard& guard);
    // Enter released on a box holding an answer: judged against the given angle.
    void Text1_AnswerGiven(const QString& answer);

    void styleLabel1(Qt::Alignment alignment, qreal pointSize);
    // The question was answered right while its figure was still opening.
    bool answeredAlready() const;

    CompletionValues m_values;
};

} // namespace exercises
