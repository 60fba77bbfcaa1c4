#include "platform/widgets/PictureBox.h"

#include "platform/widgets/FocusStyle.h"
#include "platform/widgets/Palette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace platform {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setScale(const QPointF& topLeft, const QPointF& bottomRight)
{
    m_scale = QRectF(topLeft, bottomRight);
    m_backing = QImage();
    update();
}

void PictureBox::clear()
{
    m_lines.clear();
    if (hasBacking())
        m_backing.fill(Qt::white);
    update();
}

void PictureBox::line(const QPointF& from, const QPointF& to, int colorIndex)
{
    const DrawnLine drawn{from, to, colorIndex, m_drawWidth};
    m_lines.append(drawn);
    if (hasBacking()) {
        QPainter painter(&m_backing);
        drawLine(painter, drawn);
    }
    // Without a backing image yet, the paint of this rectangle draws from the list.
    const QTransform t = userToPixels();
    const QRect changed = QRectF(t.map(from), t.map(to)).normalized().toAlignedRect();
    update(changed.adjusted(-m_drawWidth - 1, -m_drawWidth - 1, m_drawWidth + 1, m_drawWidth + 1));
}

QTransform PictureBox::userToPixels() const
{
    const double userWidth = std::abs(m_scale.width());
    const double userHeight = std::abs(m_scale.height());
    if (userWidth == 0 || userHeight == 0)
        return QTransform();
    // One unit is as long on both axes: the square that fits the box.
    const double unit = std::min(width() / userWidth, height() / userHeight);
    QTransform t;
    t.translate(width() / 2.0, height() / 2.0);
    t.scale(m_scale.width() < 0 ? -unit : unit, m_scale.height() < 0 ? -unit : unit);
    t.translate(-m_scale.center().x(), -m_scale.center().y());
    return t;
}

void PictureBox::drawLine(QPainter& painter, const DrawnLine& l) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setTransform(userToPixels());
    QPen pen(paletteColor(l.colorIndex), l.width);
    pen.setCosmetic(true); // widths in pixels, whatever the scale
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(l.from, l.to);
}

void PictureBox::redrawBacking()
{
    m_backing = QImage(deviceSize(), QImage::Format_RGB32);
    // Painters on the image work in the box's own pixels, as on the box.
    m_backing.setDevicePixelRatio(devicePixelRatioF());
    m_backing.fill(Qt::white);
    QPainter painter(&m_backing);
    for (const DrawnLine& l : std::as_const(m_lines))
        drawLine(painter, l);
}

// The image of a box the size of a window takes a few milliseconds to make:
// a window's first paint draws its few lines straight from the list instead,
// and the image is made right after, while the sweep waits for its next line.
void PictureBox::makeBackingWhenIdle()
{
    if (m_backingPending)
        return;
    m_backingPending = true;
    QTimer::singleShot(0, this, [this] {
        m_backingPending = false;
        if (!hasBacking() && !size().isEmpty())
            redrawBacking();
    });
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (hasBacking()) {
        const QRectF target(event->rect());
        const qreal ratio = m_backing.devicePixelRatio();
        painter.drawImage(target, m_backing, QRectF(target.topLeft() * ratio, target.size() * ratio));
    } else {
        painter.fillRect(event->rect(), Qt::white);
        painter.save();
        for (const DrawnLine& l : std::as_const(m_lines))
            drawLine(painter, l);
        painter.restore();
        makeBackingWhenIdle();
    }
    if (hasFocus())
        FocusStyle::drawFocusFrame(&painter, rect());
}

bool PictureBox::event(QEvent* event)
{
    // A move to a screen of another pixel ratio: paints draw from the list
    // until the backing image is made anew at the new ratio.
    if (event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        || event->type() == QEvent::DevicePixelRatioChange
#endif
    ) {
        m_backing = QImage();
        update();
    }
    return QWidget::event(event);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_backing = QImage(); // paints draw from the list until it is made anew
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

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace platform
