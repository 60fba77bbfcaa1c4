#pragma once

#include <QString>

#include <memory>

namespace platform {
class Form;
}
namespace resize {
class clsResize;
}

// The program's shared state. The current language's name lives with the
// language support (language::CurrentLanguageFile).
namespace shared {

// The title of the program's message boxes when the language file gives none.
inline constexpr char kProgramTitle[] = "Esercitazioni sugli gonioma";

extern QString ExitPromptText;   // the question of "esci"
extern QString CorrectLabelText; // caption of the right-answer count
extern QString WrongLabelText;   // caption of the wrong-answer count
extern bool SoundsOn;
extern qint16 CorrectCount;
extern qint16 WrongCount;

// The resizer of the window loaded last.
extern std::unique_ptr<resize::clsResize> SharedResizer;

// Replaces the shared resizer with a new one bound to the window and sizes the
// window to three quarters of the screen.
void bindSharedResizer(platform::Form* form);
void resizeWithSharedResizer();
void releaseSharedResizer();

// Reads the texts above from the current language file: at start-up, and
// again whenever the pupil picks another language, so that no window or
// message box mixes two languages.
void loadSharedTexts();

// The title of the program's message boxes, in the current language.
QString messageBoxTitle();

// Adds one to a counter; a counter at its largest value stays there.
void addOne(qint16& counter);

// A count as the labels show it: " 3".
QString countText(int value);

// Clears the shared state, as at the start of a run.
void resetGlobals();

} // namespace shared
