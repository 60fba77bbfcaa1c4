#pragma once

#include <QString>

namespace platform {

// The program's own directory: the language files, the settings file and the
// sounds lie here. Tests point it at a temporary folder.
class AppDir {
public:
    static QString path();
    static void setPathForTesting(const QString& dir); // empty restores the real one
};

} // namespace platform
