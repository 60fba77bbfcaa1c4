#include "language/LanguageFiles.h"

#include "language/LanguageSupport.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace language {

namespace {

const QString Extension = QStringLiteral(".lng");

// Case is ignored the way the original file system ordered names: letters
// compared as capitals; names equal but for case keep a fixed order.
bool byNameIgnoringCase(const QString& a, const QString& b)
{
    const QString upperA = a.toUpper();
    const QString upperB = b.toUpper();
    if (upperA != upperB)
        return upperA < upperB;
    return a < b;
}

// A language is remembered by writing its name into the settings file; a name
// that would not read back the same (a line break, blanks or quotes around it)
// or that could not be used as a file name of ours is not offered.
bool storableInSettings(const QString& name)
{
    if (name.isEmpty() || !isSafeLanguageName(name) || name.trimmed() != name)
        return false;
    const bool quoted = name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'')
        && name.back() == name.front();
    return !quoted;
}

} // namespace

QStringList listLanguageNames(const QString& dir)
{
    // Hidden and system entries are not ordinary files and are not listed.
    const QStringList entries = QDir(dir).entryList(QDir::Files, QDir::NoSort);
    QStringList files;
    for (const QString& file : entries) {
        if (!file.endsWith(Extension, Qt::CaseInsensitive))
            continue;
        if (!storableInSettings(file.chopped(Extension.size())))
            continue;
        files.append(file);
    }
    std::sort(files.begin(), files.end(), byNameIgnoringCase);

    QStringList names;
    for (const QString& file : files)
        names.append(file.chopped(Extension.size()));
    return names;
}

} // namespace language
