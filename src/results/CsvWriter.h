#pragma once

#include "results/AnswerRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// Answers as comma-separated values (RFC 4180): UTF-8, lines ended by CRLF,
// a header row, then one row per answer.
namespace results {

// A field as written: quoted when it holds a comma, a quote, a line break or
// leading or trailing spaces, with each quote doubled.
QString csvField(const QString& text);
// One row with its CRLF.
QByteArray csvRow(const QStringList& fields);

// The header row's field names, in column order.
QStringList csvHeader();
// The fields of one answer, in the header's order.
QStringList csvFields(const AnswerRecord& answer);

// Writes every answer the reader holds (of one pupil, or all when empty) to
// the device. False, with nothing said to be whole, when reading or writing failed.
bool writeCsv(const ResultsReader& reader, const QString& pupil, QIODevice& out);

// Writes the CSV to a file, whole or not at all (written beside it, then
// renamed into place). `error` gets one line on failure.
bool exportCsvFile(const ResultsReader& reader, const QString& pupil, const QString& path, QString* error);

} // namespace results
