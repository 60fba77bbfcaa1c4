#pragma once

class QWidget;

namespace app {

class FormMenu;

// Locked mode keeps pupils inside the program: the menu has no "Esci" and no
// language menu, and the window system's close (the × button, Alt+F4) of any
// window needs the teacher's password. Off by default.

// Whether the school settings ask for it: Locked=1 in [Program].
bool lockedBySchoolSettings();

// Switches locked mode on or off for the rest of the run.
void setLocked(bool locked);
bool isLocked();

// Takes "Esci" and the language menu away from the menu (in locked mode).
void lockMenu(FormMenu& menu);

// Whether the window may close at the window system's request in locked mode:
// the teacher's password was given. Without any teacher password, one line
// says the teacher must set one, and the window stays.
bool teacherLetsWindowClose(QWidget* window);

} // namespace app
