#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/ConcaveConvex.h"
#include "language/Messages.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
}

namespace exercises {

// Concave or convex: the pupil tells whether a random angle is smaller or
// larger than a straight angle (it is never exactly one).
class frmRuota2 : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota2();

    platform::PictureBox* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command8 = nullptr; // concavo
    QPushButton* Command1 = nullptr; // convesso
    QLabel* Label5 = nullptr;

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewAngle(guard); }

private:
    void NewAngle(const exercise::DrawingGuard& guard);
    void Command8_Click() { answer(Convexity::Concave, language::Message::IsConcave); }
    void Command1_Click() { answer(Convexity::Convex, language::Message::IsConvex); }
    void answer(Convexity claimed, language::Message message);
};

} // namespace exercises
