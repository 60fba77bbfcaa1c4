#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace platform {
class Form;
}

namespace app {

// One window class of the program: its name (the section of the language
// files that translates it) and how to load its default instance.
struct WindowEntry {
    QString name;
    std::function<platform::Form&()> show;
};

// Every window class the program has, so that checks over all windows (the
// completeness of the language files) do not miss one.
QList<WindowEntry> allWindows();

} // namespace app
