#include "results/ClassList.h"

#include "language/IniFile.h"

#include <QSet>

namespace results {

namespace {

// The first field of a CSV record that starts at `pos`; `pos` moves past the
// record's end. Quoted fields may hold separators and line breaks.
QString firstField(QStringView text, qsizetype& pos, QChar separator, bool& blank)
{
    QString field;
    bool inQuotes = false;
    bool firstDone = false;
    blank = true;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (pos + 1 < text.size() && text[pos + 1] == QLatin1Char('"')) {
                    if (!firstDone)
                        field += c;
                    pos += 2;
                    continue;
                }
                inQuotes = false;
            } else if (!firstDone) {
                field += c;
            }
            blank = false;
            ++pos;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            ++pos;
            if (c == QLatin1Char('\r') && pos < text.size() && text[pos] == QLatin1Char('\n'))
                ++pos;
            return field;
        }
        if (c == QLatin1Char('"')) {
            inQuotes = true;
            blank = false;
        } else if (c == separator) {
            firstDone = true;
        } else {
            if (!c.isSpace())
                blank = false;
            if (!firstDone)
                field += c;
        }
        ++pos;
    }
    return field;
}

} // namespace

QString cleanName(const QString& name)
{
    return name.trimmed().normalized(QString::NormalizationForm_C);
}

NameFault checkName(const QString& cleaned)
{
    if (cleaned.isEmpty())
        return NameFault::Empty;
    if (cleaned.size() > kMaxNameLength)
        return NameFault::TooLong;
    return NameFault::None;
}

bool isCsvFileName(const QString& path)
{
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

ClassListText readClassList(const QByteArray& bytes, bool csv, const QStringList& known)
{
    const QString text = language::decodeText(bytes);
    ClassListText out;
    QSet<QString> seen(known.begin(), known.end());
    auto take = [&](const QString& raw, bool blank) {
        const QString name = cleanName(raw);
        if (blank || name.isEmpty()) {
            ++out.blankLines;
            return;
        }
        if (checkName(name) == NameFault::TooLong) {
            ++out.tooLong;
            return;
        }
        if (seen.contains(name)) {
            ++out.duplicates;
            return;
        }
        seen.insert(name);
        out.names.append(name);
    };
    if (csv) {
        const QStringView view(text);
        const qsizetype firstBreak = view.indexOf(QLatin1Char('\n'));
        const QStringView firstRow = view.left(firstBreak < 0 ? view.size() : firstBreak);
        const QChar separator = !firstRow.contains(QLatin1Char(',')) && firstRow.contains(QLatin1Char(';'))
                                    ? QLatin1Char(';')
                                    : QLatin1Char(',');
        qsizetype pos = 0;
        while (pos < view.size()) {
            bool blank = true;
            const QString field = firstField(view, pos, separator, blank);
            take(field, blank);
        }
        return out;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    // The last line break ends a line; it starts none.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        take(line, false);
    return out;
}

} // namespace results
