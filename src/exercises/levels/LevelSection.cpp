#include "exercises/levels/LevelSection.h"

#include <QStringList>

namespace exercises {

namespace {

QString stepsText(const QList<int>& steps)
{
    QStringList parts;
    for (int step : steps)
        parts.append(QString::number(step));
    return parts.join(u',');
}

// The line without its line end and blanks, a byte-order mark dropped.
QString bare(QString line)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    line = line.trimmed();
    if (line.startsWith(QChar(0xFEFF)))
        line.remove(0, 1);
    return line;
}

bool isHeader(const QString& bareLine)
{
    return bareLine.startsWith(u'[') && bareLine.endsWith(u']');
}

} // namespace

QList<SectionKey> levelSectionKeys(const QString& window, const QString& base, const Level& level)
{
    const Level from = builtInLevel(window, base).value_or(defaultLevel(window));
    const bool named = builtInLevel(window, base).has_value() && base != QLatin1String("default");
    const auto number = [](int value, int baseValue) {
        return value == baseValue ? QString() : QString::number(value);
    };
    QList<SectionKey> keys = {
        {QStringLiteral("Level"), named ? base : QString()},
        {QStringLiteral("Min"), number(level.min, from.min)},
        {QStringLiteral("Max"), number(level.max, from.max)},
        {QStringLiteral("Step"), number(level.step, from.step)},
        {QStringLiteral("Upright"), number(level.upright ? 1 : 0, from.upright ? 1 : 0)},
        {QStringLiteral("Questions"), number(level.questions, from.questions)},
    };
    const Level plain = defaultLevel(window);
    if (!plain.steps.isEmpty())
        keys.append({QStringLiteral("Steps"), level.steps == from.steps ? QString() : stepsText(level.steps)});
    if (window == QLatin1String("frmRuota3"))
        keys.append({QStringLiteral("MinDifference"), number(level.minDifference, from.minDifference)});
    if (window == QLatin1String("frmRuota4"))
        keys.append({QStringLiteral("MinDistance"), number(level.minDistance, from.minDistance)});
    if (window == QLatin1String("frmRuota7"))
        keys.append({QStringLiteral("Tolerance"), number(level.tolerance, from.tolerance)});
    return keys;
}

QString rewriteSection(const QString& text, const QString& section, const QList<SectionKey>& keys)
{
    const QString eol = text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    // Each piece but the last ended with '\n'; a '\r' before it stays in the piece.
    QStringList lines = text.split(u'\n');

    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size() && header < 0; ++i) {
        const QString line = bare(lines[i]);
        if (isHeader(line) && line.mid(1, line.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0)
            header = i;
    }

    const auto keyIndex = [&](const QString& key) -> qsizetype {
        for (qsizetype k = 0; k < keys.size(); ++k) {
            if (keys[k].first.compare(key, Qt::CaseInsensitive) == 0)
                return k;
        }
        return -1;
    };
    QList<bool> written(keys.size(), false);
    QStringList added;

    if (header < 0) {
        for (const SectionKey& key : keys) {
            if (!key.second.isEmpty())
                added.append(key.first + u'=' + key.second);
        }
        if (added.isEmpty())
            return text;
        QString out = text;
        if (!out.isEmpty()) {
            if (!out.endsWith(u'\n'))
                out += eol;
            // A blank line between the last section and the new one.
            if (!out.endsWith(QLatin1String("\n\n")) && !out.endsWith(QLatin1String("\n\r\n")))
                out += eol;
        }
        out += u'[' + section + u']' + eol;
        for (const QString& line : added)
            out += line + eol;
        return out;
    }

    qsizetype end = header + 1;
    while (end < lines.size() && !isHeader(bare(lines[end])))
        ++end;
    qsizetype lastFilled = header; // the section's last line that is not blank
    for (qsizetype i = header + 1; i < end;) {
        const QString line = bare(lines[i]);
        const qsizetype equals = line.indexOf(u'=');
        const qsizetype k = line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')
                                ? -1
                                : keyIndex(equals < 0 ? line : line.left(equals).trimmed());
        if (k >= 0 && (written[k] || keys[k].second.isEmpty())) {
            lines.removeAt(i);
            --end;
            continue;
        }
        if (k >= 0) {
            const bool crlf = lines[i].endsWith(u'\r');
            lines[i] = keys[k].first + u'=' + keys[k].second + (crlf ? QStringLiteral("\r") : QString());
            written[k] = true;
        }
        if (!line.isEmpty())
            lastFilled = i;
        ++i;
    }
    // New lines take the line end of the text.
    const QString cr = eol == QLatin1String("\r\n") ? QStringLiteral("\r") : QString();
    for (qsizetype k = 0; k < keys.size(); ++k) {
        if (!written[k] && !keys[k].second.isEmpty())
            added.append(keys[k].first + u'=' + keys[k].second + cr);
    }
    if (!added.isEmpty() && lastFilled == lines.size() - 1) {
        // The section's last line ends the text with no line end: the keys
        // follow it, and the text still ends without one.
        lines.last() += cr;
        added.last().chop(cr.size());
    }
    for (qsizetype a = 0; a < added.size(); ++a)
        lines.insert(lastFilled + 1 + a, added[a]);
    return lines.join(u'\n');
}

} // namespace exercises
