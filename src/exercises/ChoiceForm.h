#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/AngleQuestion.h"
#include "language/Messages.h"

#include <QList>
#include <QRect>

class QGroupBox;
class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
}

namespace exercises {

// One answer of a choice window: a button in the frame at the right.
struct ChoiceButton {
    const char* name;                  // the control's name, as the language files know it
    const char* caption;               // its caption before translation
    bool (*claims)(int angleSize);     // whether an angle of that size is what the button says
    language::Message rightMessage;    // follows the measure after a right answer
    const char* answerKey;             // the answer in the words it is kept with: "acute"
};

// What sets one choice window apart from another.
struct ChoiceValues {
    const char* windowName;            // the window's name, as the language files know it
    const char* designCaption;         // its title before translation
    const char* figureToolTip;         // the drawing box's tooltip before translation
    QList<ChoiceButton> buttons;       // from the top of the frame down
    struct Rows {
        int firstTop;                  // the first button's top, inside the frame
        int step;                      // from one button's top to the next one's
        int height;
    } rows;
    struct MeasureMessage {            // Label5
        QRect geometry;                // over the upper right part of the drawing box
        const char* fontFamily;        // nullptr: the window's own
        qreal pointSize;
    } measureMessage;
    AngleQuestion (*chooseQuestion)(const RandomDraw& next);
};

// Choose one answer: a random angle is swept open in the drawing box at the
// left, and the pupil says what kind of angle it is with one of the buttons
// in the frame at the right. A right answer shows its measure followed by the
// button's message.
class ChoiceForm : public exercise::ExerciseForm {
    Q_OBJECT
public:
    platform::PictureBox* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;       // holds the answer buttons
    QLabel* Label5 = nullptr;

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;

protected:
    explicit ChoiceForm(const ChoiceValues& values);

    // The answer button of the given row, from 0 at the top.
    QPushButton* answerButton(int row) const { return m_buttons.at(row); }

    void drawQuestion(const exercise::DrawingGuard& guard) override { NewAngle(guard); }
    QString questionText() const override;

private:
    void NewAngle(const exercise::DrawingGuard& guard);
    void answer(const ChoiceButton& button);

    ChoiceValues m_values;
    QList<QPushButton*> m_buttons;
};

} // namespace exercises
