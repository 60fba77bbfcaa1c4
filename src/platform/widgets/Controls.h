#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QCheckBox;
class QColor;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platform {

class ListTextBox;
class PictureBox;

// Factories for the kinds of control, with the program's common look: every
// button shows a pointing hand, so a pupil sees at once what can be pressed.
QPushButton* newButton(QWidget* parent, const QRect& geometry, const QString& caption);
QLabel* newLabel(QWidget* parent, const QRect& geometry, const QString& caption);
QCheckBox* newCheckBox(QWidget* parent, const QRect& geometry, const QString& caption);
QGroupBox* newFrame(QWidget* parent, const QRect& geometry, const QString& caption = {});
QLineEdit* newTextBox(QWidget* parent, const QRect& geometry);
// A list text box: multi-line, written by the program, read-only for the pupil.
ListTextBox* newListTextBox(QWidget* parent, const QRect& geometry);
// Its design tooltip also names it to a screen reader, so a language file
// that has no tooltip for it still leaves it a name.
PictureBox* newPictureBox(QWidget* parent, const QRect& geometry, const QString& designToolTip = {});
// A rectangle shape: an outline `band` pixels wide in `color`, nothing painted
// inside it, and no mouse input, so a click goes to what lies beneath. Its
// band is the frame's line width.
QFrame* newRectangleShape(QWidget* parent, const QColor& color, int band);

// A label with an opaque white background, as the feedback labels have.
void makeOpaqueWhite(QLabel* label);

// Makes a button's font smaller, down to `smallest` points, until its caption
// fits its width: for long translations of a short design caption.
void fitCaption(QPushButton* button, qreal designPointSize, qreal smallest);

QFont designFont(const QString& family, qreal pointSize, bool bold);

// A rectangle given in twips, converted to pixels.
QRect twipsRect(int left, int top, int width, int height);

} // namespace platform
