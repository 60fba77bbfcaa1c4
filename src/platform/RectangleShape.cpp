#include "platform/RectangleShape.h"

#include <QPainter>

namespace platform {

RectangleShape::RectangleShape(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RectangleShape::setBorderColor(const QColor& color)
{
    m_borderColor = color;
    update();
}

void RectangleShape::setBorderWidth(int pixels)
{
    m_borderWidth = qMax(1, pixels);
    update();
}

void RectangleShape::paintEvent(QPaintEvent*)
{
    // Four bands along the edges; a shape narrower than two bands is all border.
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int band = m_borderWidth;
    if (2 * band >= w || 2 * band >= h) {
        painter.fillRect(rect(), m_borderColor);
        return;
    }
    painter.fillRect(0, 0, w, band, m_borderColor);
    painter.fillRect(0, h - band, w, band, m_borderColor);
    painter.fillRect(0, band, band, h - 2 * band, m_borderColor);
    painter.fillRect(w - band, band, band, h - 2 * band, m_borderColor);
}

} // namespace platform
