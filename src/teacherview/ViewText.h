#pragma once

#include "language/Messages.h"

#include <QString>

namespace teacherview {

// A message of the current language file, kept after the first reading so
// that painting a table of a thousand cells reads the file once. A change of
// language file (or of its place) starts afresh.
QString viewText(language::Message message);

} // namespace teacherview
