#pragma once

#include "results/AnswerRecord.h"

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QString>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace teacherview {

// The points of the chart: one per day with answers, at midnight UTC of that
// day (ms since the epoch), the share of right answers from 0 to 100.
QList<QPointF> sharePoints(const QList<results::DailyShare>& days);

// The chart of the share of right answers per day, for a pupil, an exercise,
// both or the whole class.
class ShareChart : public QChartView {
    Q_OBJECT
public:
    explicit ShareChart(QWidget* parent = nullptr);

    // Reads the days of the pupil and exercise (empty: all) and draws them
    // under the title.
    void show(const results::ResultsReader& reader, const QString& pupil, const QString& exercise,
              const QString& title);
    // Draws days already read.
    void showDays(const QList<results::DailyShare>& days, const QString& title);

    // The points drawn now.
    QList<QPointF> points() const;

private:
    QLineSeries* m_series = nullptr;
    QDateTimeAxis* m_days = nullptr;
    QValueAxis* m_share = nullptr;
};

} // namespace teacherview
