#include "platform/widgets/PressButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

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
    if (isEnabled())
        emit mouseDown(event->button());
}

void PressButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPushButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        m_mousePressed = false; // released away from the button: no click came
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
