#include "exercise/Protractor.h"

#include "exercise/ProtractorGeometry.h"
#include "language/LanguageSupport.h"
#include "language/Messages.h"
#include "platform/widgets/FocusStyle.h"
#include "platform/widgets/PictureBox.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTouchEvent>

#include <cmath>

namespace exercise {

using namespace protractor;

namespace {
const QColor kInk(20, 40, 130);
const QColor kBody(225, 240, 255, 80); // the figure shows through
const QColor kHandle(255, 150, 40, 170);

QPointF midpoint(const QList<QPointF>& points)
{
    QPointF sum;
    for (const QPointF& p : points)
        sum += p;
    return points.isEmpty() ? sum : sum / double(points.size());
}
} // namespace

Protractor::Protractor(platform::PictureBox* box)
    : QWidget(box)
    , m_box(box)
{
    setObjectName(QStringLiteral("Goniometro1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMouseTracking(true);
    setGeometry(box->rect());
    m_lastRadius = radius();
    box->installEventFilter(this);
    updateTexts();
}

double Protractor::radius() const
{
    return radiusForBox(width(), height());
}

QPointF Protractor::vertex() const
{
    return m_box->toPixels(QPointF(0, 0));
}

QPoint Protractor::offsetFromVertex() const
{
    return QPoint(int(std::lround(m_offset.x())), int(std::lround(m_offset.y())));
}

QPointF Protractor::toLocal(QPointF boxPoint) const
{
    return placement(centre(), m_rotation).inverted().map(boxPoint);
}

void Protractor::placeAt(QPointF wanted, int rotation)
{
    rotation = normalisedRotation(rotation);
    // The centre stands on whole pixels from the vertex, so a drag can bring
    // it exactly there wherever the vertex falls between pixels.
    const QPointF offset = clampedOffset(wanted - vertex(), vertex(), radius(), rotation, QRectF(rect()));
    if (offset == m_offset && rotation == m_rotation)
        return;
    m_offset = offset;
    m_rotation = rotation;
    update();
    announce();
    emit moved();
}

void Protractor::turnTo(int degrees)
{
    placeAt(centre(), degrees);
}

void Protractor::moveCentreTo(QPointF wanted)
{
    placeAt(wanted, m_rotation);
}

void Protractor::putOnVertex()
{
    moveCentreTo(vertex());
}

void Protractor::putAtRest()
{
    placeAt(QPointF(vertex().x(), height()), 0);
}

void Protractor::updateTexts()
{
    setAccessibleName(language::LookupString(language::Message::ProtractorName));
    setToolTip(language::LookupString(language::Message::ProtractorHint));
    announce();
}

void Protractor::announce()
{
    using language::LookupString;
    using language::Message;
    const OffsetWords words{LookupString(Message::ProtractorOnVertex), LookupString(Message::ProtractorOfVertex),
                            LookupString(Message::ProtractorRight), LookupString(Message::ProtractorLeft),
                            LookupString(Message::ProtractorUp), LookupString(Message::ProtractorDown)};
    setAccessibleDescription(LookupString(Message::ProtractorPlace)
                                 .arg(m_rotation)
                                 .arg(describeOffset(offsetFromVertex(), words)));
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void Protractor::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = radius();
    painter.setTransform(placement(centre(), m_rotation));

    QPainterPath body;
    body.moveTo(r, 0);
    body.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 0, 180);
    body.lineTo(-r, rimHeight(r));
    body.lineTo(r, rimHeight(r));
    body.closeSubpath();
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(kBody);
    painter.drawPath(body);

    painter.setPen(QPen(kInk, 1));
    for (int degree = 0; degree <= 180; ++degree) {
        const double length = tickLength(tickKind(degree)) * r;
        painter.drawLine(markPoint(degree, r), markPoint(degree, r - length));
    }

    // The numbers stand upright as seen from the centre.
    QFont outerFont = font();
    outerFont.setPixelSize(std::max(9, int(0.062 * r)));
    outerFont.setBold(true);
    QFont innerFont = outerFont;
    innerFont.setPixelSize(std::max(8, int(0.05 * r)));
    innerFont.setBold(false);
    const auto number = [&](int degree, double distance, int value, const QFont& f) {
        painter.save();
        painter.setFont(f);
        painter.translate(markPoint(degree, distance));
        painter.rotate(90.0 - degree);
        const double w = f.pixelSize() * 2.5;
        const double h = f.pixelSize() * 1.4;
        painter.drawText(QRectF(-w / 2, -h / 2, w, h), Qt::AlignCenter, QString::number(value));
        painter.restore();
    };
    for (int degree = 0; degree <= 180; degree += 10) {
        const ScaleNumbers numbers = *numbersAt(degree);
        number(degree, r * 0.81, numbers.outer, outerFont);
        number(degree, r * 0.69, numbers.inner, innerFont);
    }

    // The base line and the centre mark.
    painter.setPen(QPen(kInk, 1.5));
    painter.drawLine(QPointF(-r, 0), QPointF(r, 0));
    const double mark = std::max(6.0, 0.05 * r);
    painter.drawLine(QPointF(0, -mark), QPointF(0, mark * 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(0, 0), 3, 3);

    // The handle, with an arrow round it.
    const QPointF handle = handleCentre(r);
    const double hr = handleRadius(r);
    painter.setBrush(kHandle);
    painter.drawEllipse(handle, hr, hr);
    const QRectF turnArc(handle.x() - hr * 0.55, handle.y() - hr * 0.55, hr * 1.1, hr * 1.1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kInk, 2));
    painter.drawArc(turnArc, 30 * 16, 280 * 16);
    const QPointF tip = handle + QPointF(hr * 0.55 * std::cos(M_PI / 6), -hr * 0.55 * std::sin(M_PI / 6));
    painter.drawLine(tip, tip + QPointF(-hr * 0.35, -hr * 0.05));
    painter.drawLine(tip, tip + QPointF(hr * 0.05, -hr * 0.35));

    if (hasFocus()) {
        painter.resetTransform();
        const QRect around = bounds(r, m_rotation).translated(centre()).toAlignedRect().adjusted(-4, -4, 4, 4);
        platform::FocusStyle::drawFocusFrame(&painter, around.intersected(rect()));
    }
}

void Protractor::holdFrom(const QList<QPointF>& points)
{
    m_heldPoints = points;
    m_heldCentre = centre();
    m_heldRotation = m_rotation;
}

void Protractor::mousePressEvent(QMouseEvent* event)
{
    const QPointF local = toLocal(event->position());
    if (event->button() != Qt::LeftButton || !onProtractor(local, radius())) {
        event->ignore(); // the drawing box beneath has it
        return;
    }
    m_drag = onHandle(local, radius()) ? Drag::Turning : Drag::Moving;
    if (m_drag == Drag::Moving)
        setCursor(Qt::ClosedHandCursor);
    holdFrom({event->position()});
}

void Protractor::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag == Drag::None) {
        // The pointer shows what a press would do there.
        const QPointF local = toLocal(event->position());
        if (onHandle(local, radius()))
            setCursor(Qt::SizeAllCursor);
        else if (onProtractor(local, radius()))
            setCursor(Qt::OpenHandCursor);
        else
            unsetCursor();
        event->ignore();
        return;
    }
    const QPointF held = m_heldPoints.first();
    if (m_drag == Drag::Moving)
        moveCentreTo(m_heldCentre + event->position() - held);
    else
        turnTo(m_heldRotation + int(std::lround(clockwiseTurn(held - m_heldCentre, event->position() - centre()))));
}

void Protractor::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_drag == Drag::None)
        event->ignore();
    else if (m_drag == Drag::Moving)
        setCursor(Qt::OpenHandCursor);
    m_drag = Drag::None;
}

void Protractor::keyPressEvent(QKeyEvent* event)
{
    const bool big = event->modifiers() & Qt::ShiftModifier;
    const double step = big ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        moveCentreTo(centre() + QPointF(-step, 0));
        return;
    case Qt::Key_Right:
        moveCentreTo(centre() + QPointF(step, 0));
        return;
    case Qt::Key_Up:
        moveCentreTo(centre() + QPointF(0, -step));
        return;
    case Qt::Key_Down:
        moveCentreTo(centre() + QPointF(0, step));
        return;
    // Shift turns [ and ] into { and } on most keyboards.
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        turnTo(m_rotation - (big || event->key() == Qt::Key_BraceLeft ? 10 : 1));
        return;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        turnTo(m_rotation + (big || event->key() == Qt::Key_BraceRight ? 10 : 1));
        return;
    case Qt::Key_V:
        putOnVertex();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Protractor::touch(QEvent* event)
{
    auto* touchEvent = static_cast<QTouchEvent*>(event);
    QList<QPointF> points;
    for (const QEventPoint& p : touchEvent->points()) {
        if (p.state() != QEventPoint::Released)
            points.append(p.position());
    }
    if (event->type() == QEvent::TouchBegin) {
        if (points.isEmpty() || !onProtractor(toLocal(points.first()), radius())) {
            event->ignore(); // comes back as a mouse press on the box beneath
            return;
        }
        holdFrom(points);
    } else if (event->type() == QEvent::TouchUpdate && !points.isEmpty()) {
        // A finger put down or lifted: go on from where the protractor is now.
        if (points.size() != m_heldPoints.size())
            holdFrom(points);
        const QPointF shift = midpoint(points) - midpoint(m_heldPoints);
        int rotation = m_heldRotation;
        if (points.size() >= 2)
            rotation += int(std::lround(clockwiseTurn(m_heldPoints[1] - m_heldPoints[0], points[1] - points[0])));
        placeAt(m_heldCentre + shift, rotation);
    } else {
        m_heldPoints.clear();
    }
    event->accept();
}

bool Protractor::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        touch(event);
        return true;
    case QEvent::ToolTip:
        // Beside the protractor the drawing box's own tooltip shows.
        if (!onProtractor(toLocal(static_cast<QHelpEvent*>(event)->pos()), radius())) {
            event->ignore();
            return false;
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool Protractor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::Resize) {
        setGeometry(m_box->rect());
        const double r = radius();
        // It keeps its place in proportion to the box.
        if (m_lastRadius > 0)
            m_offset *= r / m_lastRadius;
        m_lastRadius = r;
        placeAt(centre(), m_rotation);
    }
    return QWidget::eventFilter(watched, event);
}

void Protractor::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void Protractor::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace exercise
