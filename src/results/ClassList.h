#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The class list as a teacher writes it: a text file with one name a line, or
// a CSV file whose first column holds the names.
namespace results {

// The longest name kept, in characters; a longer one is refused.
inline constexpr qsizetype kMaxNameLength = 100;

// A name as kept: spaces at either end removed, the characters in their
// composed form (so "é" typed two ways is one name).
QString cleanName(const QString& name);

enum class NameFault { None, Empty, TooLong };
// Whether a cleaned name may be kept.
NameFault checkName(const QString& cleaned);

struct ClassListText {
    QStringList names;      // in file order, each once
    int blankLines = 0;
    int duplicates = 0;     // repeated in the file, or already in `known`
    int tooLong = 0;
};

// Reads the names of a class-list file's bytes (UTF-8, or Windows-1252 when
// they are not UTF-8). `csv` takes the first field of each row, with ',' or,
// when the first row has none, ';' between fields. Names already in `known`
// count as duplicates.
ClassListText readClassList(const QByteArray& bytes, bool csv, const QStringList& known = {});

// True when the file's name ends in ".csv" (any case).
bool isCsvFileName(const QString& path);

} // namespace results
