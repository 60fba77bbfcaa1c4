#pragma once

#include <QPixmap>

class QLabel;
class QWidget;

namespace exercise {

// The two 32 x 32 feedback pictures, drawn by the program: a green tick and a red cross.
QPixmap rightIcon();
QPixmap wrongIcon();

// With the classroom display the icons grow with their area: a badge drawn
// anew at about 60 % of the area (square, within it), never below 32 x 32.
int feedbackIconSide(const QSize& area);
// Lays both icons over the whole area, their badges drawn at that size.
void fitFeedbackIcons(QWidget* area, QLabel* right, QLabel* wrong);

} // namespace exercise
