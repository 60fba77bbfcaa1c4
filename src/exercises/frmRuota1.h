#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/AngleClasses.h"
#include "language/Messages.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
}

namespace exercises {

// Acute, right, obtuse or straight: the pupil classifies a random angle of 15
// to 180 degrees with four buttons.
class frmRuota1 : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota1();

    platform::PictureBox* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command8 = nullptr; // acuto
    QPushButton* Command1 = nullptr; // retto
    QPushButton* Command2 = nullptr; // ottuso
    QPushButton* Command3 = nullptr; // piatto
    QLabel* Label5 = nullptr;

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewAngle(guard); }

private:
    void NewAngle(const exercise::DrawingGuard& guard);
    void Command8_Click() { answer(AngleClass::Acute, language::Message::IsAcute); }
    void Command1_Click() { answer(AngleClass::Right, language::Message::IsRight); }
    void Command2_Click() { answer(AngleClass::Obtuse, language::Message::IsObtuse); }
    void Command3_Click() { answer(AngleClass::Straight, language::Message::IsStraight); }
    void answer(AngleClass angleClass, language::Message message);
};

} // namespace exercises
