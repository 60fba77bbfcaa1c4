#include "teacherview/ShareChart.h"

#include "teacherview/ViewText.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTimeZone>
#include <QValueAxis>

namespace teacherview {

using language::Message;

QList<QPointF> sharePoints(const QList<results::DailyShare>& days)
{
    QList<QPointF> points;
    points.reserve(days.size());
    for (const results::DailyShare& day : days) {
        if (day.answers <= 0 || !day.day.isValid())
            continue;
        const qint64 at = QDateTime(day.day, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
        points.append(QPointF(double(at), 100.0 * day.right / day.answers));
    }
    return points;
}

ShareChart::ShareChart(QWidget* parent)
    : QChartView(parent)
{
    QChart* chart = this->chart(); // the view's own, which it deletes
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    m_series = new QLineSeries(chart);
    m_series->setPointsVisible(true);
    chart->addSeries(m_series);
    m_days = new QDateTimeAxis(chart);
    m_days->setFormat(QStringLiteral("dd/MM"));
    m_days->setTickCount(6);
    m_share = new QValueAxis(chart);
    m_share->setRange(0, 100);
    m_share->setLabelFormat(QStringLiteral("%d%%"));
    m_share->setTickCount(6);
    chart->addAxis(m_days, Qt::AlignBottom);
    chart->addAxis(m_share, Qt::AlignLeft);
    m_series->attachAxis(m_days);
    m_series->attachAxis(m_share);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(240, 180);
}

void ShareChart::show(const results::ResultsReader& reader, const QString& pupil, const QString& exercise,
                      const QString& title)
{
    showDays(reader.dailyShares(pupil, exercise), title);
}

void ShareChart::showDays(const QList<results::DailyShare>& days, const QString& title)
{
    const QList<QPointF> points = sharePoints(days);
    m_series->replace(points);
    if (points.isEmpty()) {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        m_days->setRange(now.addDays(-7), now);
        chart()->setTitle(title);
        return;
    }
    // A day's width on either side, so the first and last points are not on the frame.
    const qint64 day = 24LL * 3600 * 1000;
    m_days->setRange(QDateTime::fromMSecsSinceEpoch(qint64(points.first().x()) - day, Qt::UTC),
                     QDateTime::fromMSecsSinceEpoch(qint64(points.last().x()) + day, Qt::UTC));
    chart()->setTitle(title);
}

QList<QPointF> ShareChart::points() const
{
    return m_series->points();
}

} // namespace teacherview
