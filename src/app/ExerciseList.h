#pragma once

#include <QString>

namespace app {

struct WindowEntry;

// The caption of an exercise's menu button as the menu shows it in the
// current language: the language file's text for the button ([FormMenu]
// Command2.Caption), else the built-in caption; mnemonic marks are not shown.
QString shownMenuCaption(const WindowEntry& exercise);

// What `gonioma --list-exercises` prints: one line per exercise, in menu
// order, with its window name, a tab and its shown menu caption.
QString exerciseList();

} // namespace app
