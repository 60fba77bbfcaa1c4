#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/AngleClasses.h"

#include <array>

class QLabel;
class QPushButton;

namespace platform {
class ListTextBox;
class PictureBox;
}

namespace exercises {

// Classification by measure: an angle of 1 to 360 degrees is drawn with its
// measure written beside it, and the pupil classes it with one of six buttons.
// Each right answer is recorded in the list under its button and the next
// angle follows at once; there is no "avanti".
class frmRuota1a : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota1a();

    platform::PictureBox* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command8 = nullptr; // acuto
    QPushButton* Command1 = nullptr; // retto
    QPushButton* Command2 = nullptr; // ottuso
    QPushButton* Command3 = nullptr; // piatto
    QPushButton* Command4 = nullptr; // concavo
    QPushButton* Command5 = nullptr; // giro
    // The measures classed rightly, one list per class (see listIndex).
    std::array<platform::ListTextBox*, 6> Text1{};

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewAngle(guard); }
    QString questionText() const override;

private:
    void NewAngle(const exercise::DrawingGuard& guard);
    void Command8_Click() { answer(AngleClass::Acute); }
    void Command1_Click() { answer(AngleClass::Right); }
    void Command2_Click() { answer(AngleClass::Obtuse); }
    void Command3_Click() { answer(AngleClass::Straight); }
    void Command4_Click() { answer(AngleClass::Concave); }
    void Command5_Click() { answer(AngleClass::Full); }
    void answer(AngleClass claimed);
};

} // namespace exercises
