#pragma once

#include "exercises/levels/Level.h"

#include <QList>
#include <QString>

#include <utility>

// How a level is written back into the school settings file. Pure: text in,
// text out, no file.
namespace exercises {

// One key of a section as it is to be written; an empty value removes it.
using SectionKey = std::pair<QString, QString>;

// The keys of an exercise's section that give `level`, starting from the
// built-in level `base`: every key the editor knows, with an empty value
// where the base already says the same (so it is removed from the file).
QList<SectionKey> levelSectionKeys(const QString& window, const QString& base, const Level& level);

// `text` with the section `section` (found without regard to case) changed
// so that each key of `keys` has its new value or is gone. Every other line,
// comment and section is kept as it was, each line with its own line end; a
// key the section lacks is added after its last line, and a missing section
// is added at the end when it has a key to set.
QString rewriteSection(const QString& text, const QString& section, const QList<SectionKey>& keys);

} // namespace exercises
