#include "exercise/FanDrawing.h"

#include "exercise/AngleGeometry.h"
#include "exercise/ExerciseForm.h"
#include "platform/services/EventYield.h"
#include "platform/widgets/PictureBox.h"

namespace exercise {

DrawingGuard::DrawingGuard(ExerciseForm* form)
    : m_form(form)
    , m_question(form->questionNumber())
{
}

bool DrawingGuard::stillCurrent() const
{
    return m_form && m_form->isLoaded() && m_form->questionNumber() == m_question;
}

void drawArm(platform::PictureBox* box, int degrees, int colorIndex)
{
    box->line(QPointF(0, 0), rayPoint(armDirection(degrees)), colorIndex);
}

void drawStep(platform::PictureBox* box, int degrees, int colorIndex)
{
    box->line(QPointF(0, 0), rayPoint(stepDirection(degrees)), colorIndex);
}

bool sweep(platform::PictureBox* box, qint16& currentDegrees, int count, int colorIndex, const DrawingGuard& guard)
{
    for (int i = 0; i < count; ++i) {
        ++currentDegrees;
        const QPointF end = rayPoint(stepDirection(currentDegrees));
        platform::EventYield::paced();
        if (!guard.stillCurrent())
            return false;
        box->line(QPointF(0, 0), end, colorIndex);
    }
    return true;
}

bool drawAngle(platform::PictureBox* box, int startDegrees, int size, const DrawingGuard& guard)
{
    qint16 current = qint16(startDegrees);
    drawArm(box, startDegrees);
    if (!sweep(box, current, size, kFillColor, guard))
        return false;
    drawArm(box, startDegrees);
    drawStep(box, current, kArmColor);
    return true;
}

} // namespace exercise
