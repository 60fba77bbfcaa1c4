#pragma once

#include <QString>

class QSqlDatabase;
class QSqlError;

// The tables of the results database and the steps from one version of them
// to the next. The version is kept in the database's user_version.
namespace results::schema {

// The version this program writes. A database of a higher version comes from
// a newer program: it is read at most, never changed.
inline constexpr int kVersion = 3;

// The database's version; -1 with `error` set when it cannot be read (not a
// database, damaged, or locked).
int versionOf(QSqlDatabase& db, QSqlError* error);

// Brings the database from version `from` to `to`, one step at a time, each
// step in a transaction of its own that also sets the version, so a step
// either happens whole or not at all. 0 is an empty database.
bool upgrade(QSqlDatabase& db, int from, int to, QSqlError* error);

} // namespace results::schema
