#include "results/CsvWriter.h"

#include <QIODevice>
#include <QSaveFile>

namespace results {

QString csvField(const QString& text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
                       || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
                       || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QByteArray csvRow(const QStringList& fields)
{
    QStringList written;
    written.reserve(fields.size());
    for (const QString& field : fields)
        written.append(csvField(field));
    return written.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QStringList csvHeader()
{
    return {QStringLiteral("id"),       QStringLiteral("answered_at_utc"), QStringLiteral("pupil"),
            QStringLiteral("exercise"), QStringLiteral("question"),        QStringLiteral("answer"),
            QStringLiteral("right"),    QStringLiteral("attempt"),         QStringLiteral("seconds_shown"),
            QStringLiteral("language"), QStringLiteral("round")};
}

QStringList csvFields(const AnswerRecord& a)
{
    return {a.id.toString(QUuid::WithoutBraces),
            a.answeredAt.toUTC().toString(Qt::ISODateWithMs),
            a.pupil,
            a.exercise,
            a.question,
            a.answer,
            a.right ? QStringLiteral("1") : QStringLiteral("0"),
            QString::number(a.attempt),
            QString::number(a.secondsShown, 'f', 3),
            a.language,
            a.round};
}

bool writeCsv(const ResultsReader& reader, const QString& pupil, QIODevice& out)
{
    bool written = out.write(csvRow(csvHeader())) >= 0;
    // Rows are gathered in a buffer of some size so a year of answers costs
    // few writes.
    QByteArray buffer;
    buffer.reserve(1 << 17);
    const bool read = reader.forEachAnswer(pupil, [&](const AnswerRecord& answer) {
        buffer += csvRow(csvFields(answer));
        if (buffer.size() >= (1 << 16)) {
            written = written && out.write(buffer) == buffer.size();
            buffer.clear();
        }
    });
    written = written && out.write(buffer) == buffer.size();
    return read && written;
}

bool exportCsvFile(const ResultsReader& reader, const QString& pupil, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!writeCsv(reader, pupil, file)) {
        file.cancelWriting();
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString() : reader.problem();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace results
