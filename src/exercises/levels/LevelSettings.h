#pragma once

#include "exercises/levels/Level.h"

#include <QString>
#include <QStringList>

// The levels in force: those of the school settings file, or the built-in
// level the command line names for this run.
namespace exercises {

// The level of the exercise window of that name, read from the school
// settings file now (its default when the file has none or a refused one).
// A refused section is told once on the error output.
Level levelFor(const QString& window);

// The refusals of the last reading, one line each ("file:line: [window] why;
// ..."), for a teacher's view to show.
QStringList levelProblems();

// Every exercise takes the built-in level of that name in this run, whatever
// the file says; empty: the file's levels again.
void useLevelForThisRun(const QString& name);

} // namespace exercises
