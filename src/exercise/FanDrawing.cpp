#include "exercise/FanDrawing.h"

#include "exercise/AngleGeometry.h"
#include "exercise/ExerciseForm.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/services/EventYield.h"
#include "platform/widgets/PictureBox.h"

#include <cmath>

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

namespace {
// Two wedges side by side share the very points of their common edge, so
// each pixel on it is filled by one or the other and none is left out.
QPointF rayAt(double degrees)
{
    const double theta = degrees * 2 * 3.14159265358979323846 / 360 - 3.14159265358979323846 / 2;
    return QPointF(kRayLength * std::cos(theta), kRayLength * std::sin(theta));
}
} // namespace

void drawArm(platform::PictureBox* box, int degrees, int colorIndex)
{
    if (platform::ClassroomDisplay::isOn())
        box->arm(QPointF(0, 0), rayPoint(armDirection(degrees)), colorIndex);
    else
        box->line(QPointF(0, 0), rayPoint(armDirection(degrees)), colorIndex);
}

void drawStep(platform::PictureBox* box, int degrees, int colorIndex)
{
    if (!platform::ClassroomDisplay::isOn())
        box->line(QPointF(0, 0), rayPoint(stepDirection(degrees)), colorIndex);
    else if (colorIndex == kArmColor)
        box->arm(QPointF(0, 0), rayPoint(stepDirection(degrees)), colorIndex);
    else
        drawDegree(box, degrees, colorIndex);
}

void drawDegree(platform::PictureBox* box, int degrees, int colorIndex)
{
    if (!platform::ClassroomDisplay::isOn()) {
        box->line(QPointF(0, 0), rayPoint(stepDirection(degrees)), colorIndex);
        return;
    }
    box->wedge(QPointF(0, 0), rayAt(degrees), rayAt(degrees - 1), colorIndex);
}

void eraseDegree(platform::PictureBox* box, int degrees)
{
    if (!platform::ClassroomDisplay::isOn()) {
        box->line(QPointF(0, 0), rayPoint(stepDirection(degrees)), kEraseColor);
        return;
    }
    // The box's own colour over the very wedge the degree was drawn as.
    box->wedge(QPointF(0, 0), rayAt(degrees), rayAt(degrees - 1), kEraseColor);
}

bool sweep(platform::PictureBox* box, qint16& currentDegrees, int count, int colorIndex, const DrawingGuard& guard)
{
    for (int i = 0; i < count; ++i) {
        const int degrees = ++currentDegrees;
        platform::EventYield::paced();
        if (!guard.stillCurrent())
            return false;
        drawDegree(box, degrees, colorIndex);
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
