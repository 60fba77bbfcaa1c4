#include "exercise/FeedbackIcons.h"

#include <QPainter>
#include <QLabel>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace exercise {

namespace {
constexpr int kSize = 32;
// The classroom display's badge covers about this share of its area.
constexpr double kIconAreaShare = 0.6;

// A round badge in a light tint with a bold mark drawn over it in `ink`.
template <class Mark> QPixmap badge(const QColor& tint, const QColor& ink, Mark drawMark, int side = kSize,
                                    qreal ratio = 1)
{
    QPixmap pixmap(qRound(side * ratio), qRound(side * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // A larger badge is the same drawing scaled: its lines stay smooth.
    if (side != kSize)
        painter.scale(double(side) / kSize, double(side) / kSize);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
    QPen pen(ink, 5.5);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    drawMark(painter);
    return pixmap;
}

void drawTick(QPainter& p)
{
    QPainterPath tick;
    tick.moveTo(8, 17);
    tick.lineTo(14, 23);
    tick.lineTo(25, 9);
    p.drawPath(tick);
}

void drawCross(QPainter& p)
{
    p.drawLine(QPointF(10, 10), QPointF(22, 22));
    p.drawLine(QPointF(22, 10), QPointF(10, 22));
}

const QColor kRightTint(220, 245, 220);
const QColor kRightInk(20, 150, 40);
const QColor kWrongTint(250, 222, 222);
const QColor kWrongInk(205, 30, 30);
} // namespace

QPixmap rightIcon()
{
    return badge(kRightTint, kRightInk, drawTick);
}

QPixmap wrongIcon()
{
    return badge(kWrongTint, kWrongInk, drawCross);
}

int feedbackIconSide(const QSize& area)
{
    const double side = std::sqrt(kIconAreaShare * area.width() * area.height());
    return std::max(kSize, std::min(int(side), std::min(area.width(), area.height())));
}

void fitFeedbackIcons(QWidget* area, QLabel* right, QLabel* wrong)
{
    const int side = feedbackIconSide(area->size());
    const qreal ratio = area->devicePixelRatioF();
    for (QLabel* icon : {right, wrong}) {
        // The whole area, the badge in its middle.
        icon->setGeometry(area->rect());
        icon->setPixmap(icon == right ? badge(kRightTint, kRightInk, drawTick, side, ratio)
                                      : badge(kWrongTint, kWrongInk, drawCross, side, ratio));
    }
}

} // namespace exercise
