#pragma once

#include "results/AnswerRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

namespace teacherview {

// What a pupil's page holds: a title, a table (a header row and rows of
// cells), a chart of the share right per day and a closing summary line.
struct PupilPageContent {
    QString title;
    QString subtitle;
    QStringList headers;
    QList<QStringList> rows;
    QString chartTitle;
    QList<results::DailyShare> days;
    QString summary;
};

// Lays the page out in `page` (device units of the painter).
void paintPupilPage(QPainter& painter, const QRectF& page, const PupilPageContent& content);

// Writes the page as an A4 PDF; false when the file cannot be written.
bool writePupilPage(const QString& path, const PupilPageContent& content);

} // namespace teacherview
