#pragma once

#include <QString>

#include <cstdio>

// What the command line asks of the results, with no window: each writes
// one line on `err` when it fails and returns the exit status.
namespace app {

// Erases every answer kept under the name, and the name from the class list.
// 0 when something was erased; 1 when nothing was kept under it or the
// results cannot be changed.
int forgetPupilCommand(const QString& name, FILE* out, FILE* err);

// Writes every kept answer as CSV to the file ("-": `out`), whole or not at
// all. An account with no results yet gets the header row alone.
int exportResultsCommand(const QString& path, FILE* out, FILE* err);

} // namespace app
