#pragma once

#include "exercise/ExerciseForm.h"
#include "exercise/TypedAnswerBox.h"
#include "exercises/AngleEstimate.h"

class QLabel;

namespace platform {
class PictureBox;
}

namespace exercises {

// Estimate the angle: an angle of random direction and size opens as a fan,
// and the pupil types about how many degrees it measures and presses Enter.
// An estimate within the tolerance is right. After every answer the estimate
// is shown beside the true size; a wrong one may be tried again on the same
// angle.
class frmRuota7 : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota7();

    platform::PictureBox* Picture1 = nullptr;
    QLabel* Label1 = nullptr;                  // the question
    exercise::TypedAnswerBox* Text1 = nullptr; // the pupil's estimate
    QLabel* Label5 = nullptr;                  // the estimate beside the true size

    qint16 StartDegrees = 0;
    qint16 AngleSize = 0;

    // The sizes asked and how close an estimate must come; a levels setting
    // may narrow them before the first question.
    EstimateRange sizes;
    int tolerance = kDefaultEstimateTolerance;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewEstimateAngle(guard); }
    QString questionText() const override;

private:
    void NewEstimateAngle(const exercise::DrawingGuard& guard);
    // Enter released on a box holding an estimate.
    void Text1_AnswerGiven(const QString& answer);
};

} // namespace exercises
