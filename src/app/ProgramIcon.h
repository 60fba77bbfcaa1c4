#pragma once

#include <QIcon>

namespace app {

// The program's icon, drawn by the program: a yellow angle between two red arms.
QIcon programIcon();

} // namespace app
