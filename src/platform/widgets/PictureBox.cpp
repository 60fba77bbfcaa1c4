#include "platform/widgets/PictureBox.h"

#include "platform/services/ClassroomDisplay.h"
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
    add(DrawnLine{from, to, colorIndex, m_drawWidth});
}

void PictureBox::arm(const QPointF& from, const QPointF& to, int colorIndex)
{
    add(DrawnLine{from, to, colorIndex, m_drawWidth, Stroke::Arm});
}

void PictureBox::wedge(const QPointF& vertex, const QPointF& leading, const QPointF& trailing, int colorIndex)
{
    add(DrawnLine{vertex, leading, colorIndex, m_drawWidth, Stroke::Wedge, trailing});
}

void PictureBox::add(const DrawnLine& drawn)
{
    m_lines.append(drawn);
    if (hasBacking()) {
        QPainter painter(&m_backing);
        drawLine(painter, drawn);
    }
    // Without a backing image yet, the paint of this rectangle draws from the list.
    const QTransform t = userToPixels();
    QRectF touched = QRectF(t.map(drawn.from), t.map(drawn.to)).normalized();
    int margin = drawn.width;
    if (drawn.stroke == Stroke::Wedge)
        touched = touched.united(QRectF(t.map(drawn.from), t.map(drawn.trailing)).normalized());
    else if (drawn.stroke == Stroke::Arm)
        margin = int(std::ceil(armWidth()));
    update(touched.toAlignedRect().adjusted(-margin - 1, -margin - 1, margin + 1, margin + 1));
}

qreal PictureBox::armWidth() const
{
    return std::max(2.0, std::min(width(), height()) / 160.0);
}

QColor PictureBox::strokeColor(int colorIndex)
{
    switch (colorIndex) {
    case int(PaletteColor::LightRed): return QColor::fromRgb(kClassroomArm);
    case int(PaletteColor::Yellow): return QColor::fromRgb(kClassroomFan);
    case int(PaletteColor::White): return QColor::fromRgb(kClassroomPaper);
    default: return paletteColor(colorIndex);
    }
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
    if (l.stroke != Stroke::Line) {
        drawSmooth(painter, l);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setTransform(userToPixels());
    QPen pen(paletteColor(l.colorIndex), l.width);
    pen.setCosmetic(true); // widths in pixels, whatever the scale
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(l.from, l.to);
}

void PictureBox::drawSmooth(QPainter& painter, const DrawnLine& l) const
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(QTransform());
    const QTransform t = userToPixels();
    const QColor colour = strokeColor(l.colorIndex);
    if (l.stroke == Stroke::Arm) {
        QPen pen(colour, armWidth());
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(t.map(l.from), t.map(l.to));
        return;
    }
    // Wedges are filled without smoothing: each pixel whose centre a wedge
    // holds takes its colour whole, so the overlapping wedges leave neither
    // gaps nor the pale pattern partly covered pixels would near the vertex.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPointF corners[3] = {t.map(l.from), t.map(l.to), t.map(l.trailing)};
    painter.drawPolygon(corners, 3);
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
        FocusStyle::drawFocusFrame(&painter, rect(), this);
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
