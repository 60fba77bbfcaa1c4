#include "results/CsvWriter.h"

#include <QDateTime>
#include <QIODevice>
#include <QSaveFile>

#include <algorithm>

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

namespace {

bool needsQuotes(QStringView text)
{
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

void appendField(QByteArray& out, QStringView text)
{
    if (!needsQuotes(text)) {
        out += text.toUtf8();
        return;
    }
    out += '"';
    out += text.toString().replace(u'"', QStringLiteral("\"\"")).toUtf8();
    out += '"';
}

void appendDigits(QByteArray& out, qint64 value, int width)
{
    char digits[20];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = char('0' + value % 10);
        value /= 10;
    }
    out.append(digits, width);
}

// The row of one answer, as csvRow(csvFields(answer)) writes it, without the
// lists and the date formatting in between: an export of a year of answers
// spends its time here.
class RowWriter {
public:
    void append(QByteArray& out, const AnswerRecord& a)
    {
        char id[40];
        const QByteArray uuid = a.id.toByteArray(QUuid::WithoutBraces);
        std::copy(uuid.begin(), uuid.end(), id);
        out.append(id, uuid.size());
        out += ',';
        appendTime(out, a.answeredAt.toMSecsSinceEpoch());
        out += ',';
        appendField(out, a.pupil);
        out += ',';
        appendField(out, a.exercise);
        out += ',';
        appendField(out, a.question);
        out += ',';
        appendField(out, a.answer);
        out += a.right ? ",1," : ",0,";
        out += QByteArray::number(a.attempt);
        out += ',';
        out += QByteArray::number(a.secondsShown, 'f', 3);
        out += ',';
        appendField(out, a.language);
        out += ',';
        appendField(out, a.round);
        out += "\r\n";
    }

private:
    // 2026-03-02T08:15:30.250Z; the date is worked out once a day.
    void appendTime(QByteArray& out, qint64 ms)
    {
        constexpr qint64 kDay = 86400000;
        const qint64 day = ms >= 0 ? ms / kDay : (ms - kDay + 1) / kDay;
        if (day != m_day || m_date.isEmpty()) {
            m_day = day;
            m_date = QDateTime::fromMSecsSinceEpoch(day * kDay, Qt::UTC).date().toString(Qt::ISODate).toLatin1() + 'T';
        }
        qint64 within = ms - day * kDay;
        out += m_date;
        appendDigits(out, within / 3600000, 2);
        within %= 3600000;
        out += ':';
        appendDigits(out, within / 60000, 2);
        within %= 60000;
        out += ':';
        appendDigits(out, within / 1000, 2);
        out += '.';
        appendDigits(out, within % 1000, 3);
        out += 'Z';
    }

    qint64 m_day = 0;
    QByteArray m_date;
};

} // namespace

bool writeCsv(const ResultsReader& reader, const QString& pupil, QIODevice& out)
{
    bool written = out.write(csvRow(csvHeader())) >= 0;
    // Rows are gathered in a buffer of some size so a year of answers costs
    // few writes.
    QByteArray buffer;
    buffer.reserve(1 << 17);
    RowWriter rows;
    const bool read = reader.forEachAnswer(pupil, [&](const AnswerRecord& answer) {
        rows.append(buffer, answer);
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
