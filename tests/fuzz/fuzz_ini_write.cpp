// Writing one key into any file: a refused write changes no byte; a write that
// is done reads back as the value written, every other key of the file reads
// back as before, and at most one line changes (two when the section is new).
#include "FuzzInput.h"
#include "language/IniFile.h"

#include <QRegularExpression>

namespace {

// Every section header's name in the text, found roughly: a name too many is
// only one more probe.
QStringList sectionNames(const QString& text)
{
    QStringList names;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString trimmed = fuzz::trimBlanks(line);
        const qsizetype close = trimmed.lastIndexOf(u']');
        if (trimmed.startsWith(u'[') && close > 0)
            names.append(fuzz::trimBlanks(trimmed.sliced(1, close - 1)));
    }
    names.removeDuplicates();
    return names;
}

struct Probe {
    QString section;
    QString key;
    QString value;
};

QList<Probe> everyKey(const QString& path, const QString& text)
{
    QList<Probe> probes;
    for (const QString& section : sectionNames(text))
        for (const QString& key : language::findIniKeys(text, section))
            probes.append({section, key, language::ReadIniString(path, section, key)});
    return probes;
}

// The lines of a text; a line end at the very end starts no further line.
QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// How many lines of `before` were replaced, and by how many.
std::pair<qsizetype, qsizetype> changedLines(const QStringList& before, const QStringList& after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {before.size() - head - tail, after.size() - head - tail};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> in = fuzz::parts(data, size, 4);
    const QString section = QString::fromUtf8(in[0]);
    const QString key = QString::fromUtf8(in[1]);
    const QString value = QString::fromUtf8(in[2]);
    const QByteArray before = in[3];
    const QString path = fuzz::scratchDir() + QStringLiteral("/write.ini");
    fuzz::writeFile(path, before);
    const QString textBefore = language::decodeText(before);
    const QList<Probe> probes = everyKey(path, textBefore);

    const int written = language::WriteIniString(path, section, key, value);
    const QByteArray after = fuzz::readFile(path);
    if (!written) {
        if (after != before)
            fuzz::broken("a refused write changed the file");
        return 0;
    }

    // The key reads back as a file holding only that line would give it.
    const QString expected = language::findIniValue(
        u'[' + fuzz::trimBlanks(section) + QStringLiteral("]\n") + fuzz::trimBlanks(key) + u'=' + value, section, key);
    const QString readBack = language::ReadIniString(path, section, key);
    if (readBack != expected)
        fuzz::broken("the written key does not read back", fuzz::show(readBack) + u'\n' + fuzz::show(expected));

    for (const Probe& probe : probes) {
        if (fuzz::sameName(probe.section, section) && fuzz::sameName(probe.key, key))
            continue;
        const QString now = language::ReadIniString(path, probe.section, probe.key);
        if (now != probe.value)
            fuzz::broken("another key reads differently after the write",
                         fuzz::show(probe.section) + u' ' + fuzz::show(probe.key) + u'\n' + fuzz::show(probe.value)
                             + u'\n' + fuzz::show(now));
    }

    const QString textAfter = language::decodeText(after);
    const auto [removed, added] = changedLines(linesOf(textBefore), linesOf(textAfter));
    if (removed > 1 || added > 2)
        fuzz::broken("more than one line changed",
                     QString::number(removed) + QStringLiteral(" lines replaced by ") + QString::number(added));
    return 0;
}
