#pragma once

#include <QPixmap>

namespace exercise {

// The two 32 x 32 feedback pictures, drawn by the program: a green tick and a red cross.
QPixmap rightIcon();
QPixmap wrongIcon();

} // namespace exercise
