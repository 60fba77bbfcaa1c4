#pragma once

#include <QString>

// Which way the current language is written. A language file says it is
// written right to left with the key RightToLeft=1 in its section
// [Language]; without it (or with 0) the language reads left to right.
namespace language {

// Whether the language file at `path` is written right to left.
bool isRightToLeftFile(const QString& path);

// Turns the whole program to the current language's direction: every window
// and message box, and the menu bar, lay out from the right in a language
// written right to left and from the left again in the others. A
// left-to-right language leaves the direction alone unless a right-to-left
// one had set it, so the default program is untouched.
void applyLanguageDirection();

// True while the program shows a language written right to left.
bool isRightToLeft();

// A measure ("35°", " 55° +  35° = 90° ") kept left to right inside
// right-to-left text, where the degree sign would otherwise jump to the other
// side of the number; in a left-to-right language the text as it is.
QString isolateMeasure(const QString& measure);

} // namespace language
