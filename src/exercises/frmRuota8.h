#pragma once

#include "exercise/ExerciseForm.h"

class QLabel;

namespace platform {
class PictureBox;
}

namespace exercise {
class Protractor;
class TypedAnswerBox;
}

namespace exercises {

// Measure with the protractor: an angle of 1 to 180 degrees is drawn in a
// random direction, the pupil lays the protractor on it, reads the size and
// types it. A wrong reading leaves the protractor where the pupil put it.
class frmRuota8 : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota8();

    platform::PictureBox* Picture1 = nullptr;
    exercise::Protractor* Goniometro1 = nullptr; // lies over Picture1
    QLabel* Label1 = nullptr;                    // the question
    exercise::TypedAnswerBox* Text1 = nullptr;   // the reading
    QLabel* Label5 = nullptr;                    // the size, after a right answer

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewMeasuredAngle(guard); }
    QString questionText() const override;

private:
    void NewMeasuredAngle(const exercise::DrawingGuard& guard);
    void Text1_AnswerGiven(const QString& answer);
};

} // namespace exercises
