#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace platform {
class Form;
}

namespace app {

// One window class of the program. Its name is the section of the language
// files that translates it. An exercise also names the menu button that opens
// it and that button's built-in caption, shown when the language file gives
// none ([FormMenu] Command2.Caption and so on).
struct WindowEntry {
    QString name;
    // What the window is, in one line of English, for whoever reads the code.
    QString description;
    // Empty for the splash and the menu: the windows the menu does not open.
    QString menuButton;
    QString menuCaption;
    // Loads the window's default instance (its controls built and translated)
    // without activating it or starting a question.
    std::function<platform::Form*()> load;
    // Shows the window in place of `from`, which is then unloaded.
    std::function<bool(platform::Form& from)> openFrom;

    // The teacher's own window, used at a desk: pupils never see it.
    bool forTeacher = false;

    bool isExercise() const { return !menuButton.isEmpty(); }
};

// Every window class the program has, the one place a window is registered.
// The exercises come in the order the menu offers them.
QList<WindowEntry> allWindows();

// The exercise windows, in menu order: what the menu shows, what
// `gonioma --list-exercises` prints, what the end-to-end walk and the
// screenshot tool go through.
QList<WindowEntry> exerciseWindows();

// The window of that name, when the catalogue has one.
std::optional<WindowEntry> findWindow(const QString& name);

// Loads and shows the window of that name with no window to replace; false
// when there is none or it was unloaded while loading.
bool openWindow(const QString& name);

// For tests: while it lives, exerciseWindows() gives the entries it was made
// with instead of the registered ones, so a menu can be built with more
// exercises than the program has.
class ExerciseWindowsForTesting {
public:
    explicit ExerciseWindowsForTesting(QList<WindowEntry> exercises);
    ~ExerciseWindowsForTesting();
    ExerciseWindowsForTesting(const ExerciseWindowsForTesting&) = delete;
    ExerciseWindowsForTesting& operator=(const ExerciseWindowsForTesting&) = delete;

private:
    std::optional<QList<WindowEntry>> m_previous;
};

} // namespace app
