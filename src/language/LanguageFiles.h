#pragma once

#include <QString>
#include <QStringList>

namespace language {

// The languages whose files lie in `dir`: the names of the regular files
// ending in ".lng" (in any case), without that extension, sorted by file name
// without regard to case. A name with a line break is left out, since it could
// not be stored in the settings file.
QStringList listLanguageNames(const QString& dir);

} // namespace language
