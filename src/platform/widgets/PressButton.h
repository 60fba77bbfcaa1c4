#pragma once

#include <QPushButton>

class QTimer;

namespace platform {

// A command button that acts when a mouse button goes down on it, and tells
// which one, instead of waiting for a click. Any mouse button counts.
//
// From the keyboard, Space or Enter on the focused button acts as the left
// mouse button, and with Shift held as the right one, so everything the mouse
// can do with the button can be done without it. A key held down acts once.
// A click that follows no press of the mouse, as an assistive technology or
// click() gives, acts as the left button too.
class PressButton : public QPushButton {
    Q_OBJECT
public:
    explicit PressButton(const QString& caption, QWidget* parent = nullptr);

    // With the classroom display: a press of the left button (or a finger)
    // held for the platform's press-and-hold time acts as the right button,
    // and a shorter one acts as the left button when it is lifted.
    void setLongPressActsAsRight(bool on) { m_longPress = on; }
    bool longPressActsAsRight() const { return m_longPress; }

signals:
    // Emitted on every press; the handlers may let the event loop run, and
    // the button may be gone when they return.
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool m_mousePressed = false; // the click that ends this press has acted already
    bool m_longPress = false;
    QTimer* m_hold = nullptr; // runs while a left press waits to be told short or long
};

} // namespace platform
