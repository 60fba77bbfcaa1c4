#include "teacherview/PupilPage.h"

#include "teacherview/ShareChart.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>

namespace teacherview {

namespace {

// Writes `text` in the rectangle, elided to one line.
void cellText(QPainter& painter, const QRectF& box, const QString& text, Qt::Alignment align)
{
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, int(box.width()));
    painter.drawText(box, int(align | Qt::AlignVCenter), shown);
}

} // namespace

void paintPupilPage(QPainter& painter, const QRectF& page, const PupilPageContent& content)
{
    const qreal unit = page.width() / 100; // a hundredth of the page's width
    painter.save();
    painter.setPen(Qt::black);

    QFont font = painter.font();
    font.setPixelSize(qMax(1, int(unit * 3.2)));
    font.setBold(true);
    painter.setFont(font);
    qreal y = page.top();
    const qreal titleHeight = unit * 5;
    cellText(painter, QRectF(page.left(), y, page.width(), titleHeight), content.title, Qt::AlignLeading);
    y += titleHeight;

    font.setBold(false);
    font.setPixelSize(qMax(1, int(unit * 1.8)));
    painter.setFont(font);
    const qreal line = unit * 3;
    cellText(painter, QRectF(page.left(), y, page.width(), line), content.subtitle, Qt::AlignLeading);
    y += line * 1.5;

    // The table: the first column (the exercise) takes the room the others leave.
    const int columns = int(content.headers.size());
    if (columns > 0) {
        const qreal other = page.width() * 0.14;
        const qreal first = page.width() - other * (columns - 1);
        auto columnBox = [&](int c, qreal top) {
            const qreal left = c == 0 ? page.left() : page.left() + first + other * (c - 1);
            return QRectF(left + unit * 0.5, top, (c == 0 ? first : other) - unit, line);
        };
        font.setBold(true);
        painter.setFont(font);
        for (int c = 0; c < columns; ++c)
            cellText(painter, columnBox(c, y), content.headers[c], c == 0 ? Qt::AlignLeading : Qt::AlignTrailing);
        y += line;
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
        font.setBold(false);
        painter.setFont(font);
        for (qsizetype r = 0; r < content.rows.size(); ++r) {
            if (r % 2 == 1)
                painter.fillRect(QRectF(page.left(), y, page.width(), line), QColor(240, 240, 240));
            for (int c = 0; c < columns; ++c)
                cellText(painter, columnBox(c, y), content.rows[r].value(c),
                         c == 0 ? Qt::AlignLeading : Qt::AlignTrailing);
            y += line;
        }
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
        y += line;
    }

    // The chart, drawn by the view's own chart at a screen size and scaled to the page.
    const QRectF chartBox(page.left(), y, page.width(), page.width() * 0.45);
    ShareChart chart;
    chart.setFrameShape(QFrame::NoFrame);
    chart.setBackgroundBrush(Qt::white);
    chart.resize(1000, 450);
    chart.showDays(content.days, content.chartTitle);
    const QPixmap picture = chart.grab();
    painter.drawPixmap(chartBox, picture, QRectF(picture.rect()));
    y = chartBox.bottom() + line;

    painter.drawText(QRectF(page.left(), y, page.width(), page.bottom() - y),
                     int(Qt::AlignLeading | Qt::AlignTop | Qt::TextWordWrap), content.summary);
    painter.restore();
}

bool writePupilPage(const QString& path, const PupilPageContent& content)
{
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(content.title);
    writer.setCreator(QStringLiteral("Gonioma"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    paintPupilPage(painter, QRectF(0, 0, writer.width(), writer.height()), content);
    return painter.end();
}

} // namespace teacherview
