#pragma once

#include <QFont>
#include <QSize>

class QWidget;

namespace resize {

// The smaller of the two ratios of a window's size to its design size: text
// grown by it keeps its proportion to the controls in both directions.
double textScaleFor(double horizontal, double vertical);

// Whether a control's caption, drawn in `font`, shows whole inside the
// control as it stands now: on one line where it was on one line (a label
// that wraps may take as many lines as at its design size, `designLines`),
// not cut at any side. A control without a caption always fits.
bool captionFits(const QWidget* control, const QFont& font, int designLines);

// The number of lines a wrapping label's caption takes in `font` at `width`
// pixels of text room (1 for any other control).
int captionLines(const QWidget* control, const QFont& font, int width);

// The largest point size from `wanted` down to `smallest` at which the
// control's caption fits (captionFits), or `smallest`.
qreal fittedPointSize(const QWidget* control, QFont font, qreal wanted, qreal smallest, int designLines);

// The side of a square a finger hits reliably: a control a pupil uses is
// made at least this large with the classroom display.
inline constexpr int kTouchTarget = 44;

// Whether a pupil presses, types into or picks the control.
bool isPupilTarget(const QWidget* control);

} // namespace resize

namespace resize {
// The lines a wrapping label's caption took in its design font at its design
// width (`designWidth` is the control's, as the layout recorded it).
int designLines(const QWidget* control, const QFont& designFont, int designWidth);
} // namespace resize
