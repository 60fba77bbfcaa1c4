#pragma once

#include <QList>
#include <QRect>

namespace app {

// Where the main menu's exercise buttons stand, in twips at the menu's design
// size (9900 x 6100): one rectangle per exercise, in menu order.
//
// Up to eight exercises take the eight designed places, six down the left
// column and two at the top of the right one. More exercises share the height
// of the two columns in rows of one pitch, the right column's rows above the
// sounds switch, so every button stays inside the window at any screen size.
QList<QRect> exerciseButtonPlaces(int count);

// How many exercise buttons the design places by hand.
inline constexpr int kDesignedExerciseButtons = 8;

} // namespace app
