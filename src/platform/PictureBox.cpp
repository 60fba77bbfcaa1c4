#include "platform/PictureBox.h"

#include "platform/Palette.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setScale(const QPointF& topLeft, const QPointF& bottomRight)
{
    m_scale = QRectF(topLeft, bottomRight);
    update();
}

void PictureBox::clear()
{
    m_lines.clear();
    update();
}

void PictureBox::line(const QPointF& from, const QPointF& to, int colorIndex)
{
    m_lines.append({from, to, colorIndex, m_drawWidth});
    update();
}

QPointF PictureBox::toPixels(const QPointF& user) const
{
    const double sx = m_scale.width() == 0 ? 0 : (user.x() - m_scale.left()) / m_scale.width();
    const double sy = m_scale.height() == 0 ? 0 : (user.y() - m_scale.top()) / m_scale.height();
    return QPointF(sx * width(), sy * height());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DrawnLine& l : m_lines) {
        QPen pen(paletteColor(l.colorIndex));
        pen.setWidth(l.width);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(toPixels(l.from), toPixels(l.to));
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    emit mouseDown(event->button());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

} // namespace platform
