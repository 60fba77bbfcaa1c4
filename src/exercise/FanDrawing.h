#pragma once

#include <QPointer>

namespace platform {
class PictureBox;
}

namespace exercise {

class ExerciseForm;

// Palette colours of the figure: light red arms, yellow sweep lines, and the
// white that erases a sweep line exactly.
inline constexpr int kArmColor = 12;
inline constexpr int kFillColor = 14;
inline constexpr int kEraseColor = 15;

// Each sweep line follows the previous one after this many milliseconds, so a
// fan opens at a speed the eye can follow on any machine: 180 degrees in 0.54 s.
inline constexpr int kSweepPaceMs = 3;

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

// Draws an arm: a ray from the vertex at `degrees`, clockwise from straight up.
void drawArm(platform::PictureBox* box, int degrees, int colorIndex = kArmColor);

// Draws one sweep line at `degrees`; with the classroom display, a red one
// as an arm and any other as the filled degree ending there.
void drawStep(platform::PictureBox* box, int degrees, int colorIndex);

// One degree of a sweep, the one ending at `degrees`: a line there, or with
// the classroom display a filled 1-degree wedge, so the fan has no gaps.
void drawDegree(platform::PictureBox* box, int degrees, int colorIndex);
// Takes that degree off again: a white line, or a wedge in the box's colour.
void eraseDegree(platform::PictureBox* box, int degrees);

// Sweeps `count` lines one degree apart after `currentDegrees`, letting the
// event loop run before each line; `currentDegrees` ends at the last direction
// drawn. Returns false when the drawing was abandoned (window gone or a new
// question started meanwhile); the box is then not touched again.
bool sweep(platform::PictureBox* box, qint16& currentDegrees, int count, int colorIndex, const DrawingGuard& guard);

// The whole figure of an angle: the first arm at `startDegrees`, the fan of
// `size` yellow lines opening clockwise (a yield before each), the first arm
// again over the yellow and the second arm at `startDegrees` + `size`.
// Returns false when the drawing was abandoned.
bool drawAngle(platform::PictureBox* box, int startDegrees, int size, const DrawingGuard& guard);

} // namespace exercise
