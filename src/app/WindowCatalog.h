#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace platform {
class Form;
}

namespace app {

// One window class of the program: its name (the section of the language
// files that translates it), the menu button that opens it (empty for the
// splash and the menu), how to load its default instance and how to open it
// in place of the window that asks for it.
struct WindowEntry {
    QString name;
    QString menuButton;
    std::function<platform::Form*()> load;
    std::function<bool(platform::Form& from)> openFrom;
};

// Every window class the program has, the one place a window is registered.
QList<WindowEntry> allWindows();

// The exercise windows: those the menu opens.
QList<WindowEntry> exerciseWindows();

} // namespace app
