#include "platform/widgets/PressButton.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>

namespace platform {

namespace {
bool isPressKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

PressButton::PressButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_mousePressed)
            m_mousePressed = false;
        else
            emit mouseDown(Qt::LeftButton);
    });
}

void PressButton::mousePressEvent(QMouseEvent* event)
{
    // The button looks pressed first: the handler may run the event loop for
    // a while, and the release that comes meanwhile lifts it again.
    if (event->button() == Qt::LeftButton) {
        m_mousePressed = true;
        QPushButton::mousePressEvent(event);
    }
    event->accept(); // other buttons too: they are not the parent's business
    if (!isEnabled())
        return;
    if (m_longPress && event->button() == Qt::LeftButton) {
        if (!m_hold) {
            m_hold = new QTimer(this);
            m_hold->setSingleShot(true);
            connect(m_hold, &QTimer::timeout, this, [this] {
                if (isEnabled())
                    emit mouseDown(Qt::RightButton);
            });
        }
        m_hold->start(QGuiApplication::styleHints()->mousePressAndHoldInterval());
        return;
    }
    emit mouseDown(event->button());
}

void PressButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool shortPress = event->button() == Qt::LeftButton && m_hold && m_hold->isActive();
    if (shortPress)
        m_hold->stop();
    QPushButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        m_mousePressed = false; // released away from the button: no click came
    if (shortPress && isEnabled())
        emit mouseDown(Qt::LeftButton);
}

void PressButton::keyPressEvent(QKeyEvent* event)
{
    if (!isPressKey(event->key()) || (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !isEnabled())
        return;
    emit mouseDown(event->modifiers() & Qt::ShiftModifier ? Qt::RightButton : Qt::LeftButton);
}

void PressButton::keyReleaseEvent(QKeyEvent* event)
{
    // The press has already acted; the release must not click as well.
    if (isPressKey(event->key())) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

} // namespace platform
