#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/Comparison.h"

class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
}

namespace exercises {

// Compare two angles: two random angles of 10 to 360 degrees stand side by
// side and the pupil tells with "<", ">" or "=" how the left one compares with
// the right one. The measures and the sign appear only after the right answer.
class frmRuota3 : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota3();

    platform::PictureBox* Picture1 = nullptr;
    platform::PictureBox* Picture2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command1 = nullptr; // >
    QPushButton* Command8 = nullptr; // <
    QPushButton* Command2 = nullptr; // =

    qint16 AngleSize1 = 0;
    qint16 AngleSize2 = 0;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewAnglePair(guard); }
    QString questionText() const override;

private:
    void NewAnglePair(const exercise::DrawingGuard& guard);
    // Sweeps one angle from straight up and draws its second arm; false when
    // the drawing was abandoned meanwhile.
    static bool drawOpening(platform::PictureBox* box, qint16 angleSize, const exercise::DrawingGuard& guard);

    void Command8_Click() { answer(Relation::Less); }
    void Command1_Click() { answer(Relation::Greater); }
    void Command2_Click() { answer(Relation::Equal); }
    void answer(Relation claimed);
};

} // namespace exercises
