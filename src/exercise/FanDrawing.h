#pragma once

#include <QPointer>

namespace platform {
class PictureBox;
}

namespace exercise {

class ExerciseForm;

// Watches a drawing loop's window across its yields: the drawing goes on only
// while the window is loaded and still shows the question it was started for.
// Checked after every yield, before the loop touches its window again.
class DrawingGuard {
public:
    explicit DrawingGuard(ExerciseForm* form);
    bool stillCurrent() const;

private:
    QPointer<ExerciseForm> m_form;
    quint64 m_question = 0;
};

// Draws an arm: a ray from the vertex in the direction of the first arm's formula.
void drawArm(platform::PictureBox* box, int degrees, int colorIndex);

// Sweeps `count` lines one degree apart after `currentDegrees`, letting the
// event loop run before each line; `currentDegrees` ends at the last direction
// drawn. Returns false when the drawing was abandoned (window gone or a new
// question started meanwhile).
bool sweep(platform::PictureBox* box, qint16& currentDegrees, int count, int colorIndex, const DrawingGuard& guard);

// Draws one sweep line at a direction, using the step formula.
void drawStep(platform::PictureBox* box, int degrees, int colorIndex);

} // namespace exercise
