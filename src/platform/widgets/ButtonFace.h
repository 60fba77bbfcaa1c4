#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

namespace platform {

// How a command button's face is to look.
struct ButtonLook {
    bool enabled = true;
    bool pressed = false; // held down, or checked
    bool hovered = false;
    bool isDefault = false; // the button Enter presses in a message box
};

// Draws a command button's face over `rect`: a light vertical gradient in the
// palette's button colour, a one-pixel outline with cut corners and a faint
// inner highlight. It is drawn as opaque rectangles straight onto the device,
// with nothing cached and nothing blended, so a face as large as the splash's
// button costs no memory beyond the window's own image.
void drawButtonFace(QPainter* painter, const QRect& rect, const QPalette& palette, const ButtonLook& look);

// The colour of the face's interior at `row` (0 = just inside the top
// outline) of `rows`.
QColor buttonFaceColourAt(const QPalette& palette, const ButtonLook& look, int row, int rows);

} // namespace platform
