#pragma once

#include <QImage>
#include <QPainter>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <QWidget>

namespace platform {

// How a drawn line is painted. Line: aliased, of the box's draw width, in the
// 16-colour palette. With the classroom display, Arm: smooth and as wide as
// the box's size asks for; Wedge: a filled triangle from the vertex `from` to
// the far ends `to` and `trailing`; both in the display's colours.
enum class Stroke { Line, Arm, Wedge };

// One line drawn into a picture box, in the box's user coordinates.
struct DrawnLine {
    QPointF from;
    QPointF to;
    int colorIndex = 0;
    int width = 1;
    Stroke stroke = Stroke::Line;
    QPointF trailing{}; // a wedge's second far end

    bool operator==(const DrawnLine&) const = default;
};

// A drawing box with a user coordinate system. The user rectangle is shown
// with equal units on both axes, centred, the longer side of the box showing
// more of the plane, so an angle keeps its measure whatever the box's shape.
//
// What was drawn is kept as a list of lines (tests read it; a resize repaints
// from it) and in a backing image, so drawing a line costs that one line, not
// a repaint of everything drawn so far. Lines are aliased and one pixel wide
// by default, so a white line erases a yellow one exactly.
//
// The backing image has as many pixels as the screen gives the box (twice its
// size at a device pixel ratio of 2), so a one-pixel line is one pixel of the
// screen; it is made anew when the box moves to a screen of another ratio.
//
// A box given a focus policy wears the program's focus frame while it has the
// keyboard focus and takes Space and Enter as a click.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The user coordinates shown at the top left and bottom right corners of
    // the square in the middle of the box.
    void setScale(const QPointF& topLeft, const QPointF& bottomRight);
    QRectF scale() const { return m_scale; }

    void setDrawWidth(int pixels) { m_drawWidth = qMax(1, pixels); }
    int drawWidth() const { return m_drawWidth; }

    void clear();
    void line(const QPointF& from, const QPointF& to, int colorIndex);
    // The classroom display's strokes (see Stroke).
    void arm(const QPointF& from, const QPointF& to, int colorIndex);
    void wedge(const QPointF& vertex, const QPointF& leading, const QPointF& trailing, int colorIndex);

    // The width of an arm of the classroom display: it grows with the box.
    qreal armWidth() const;
    // The colour a stroke of the classroom display paints for a palette
    // index: red arms, a warm fan, and the box's own colour for white.
    static QColor strokeColor(int colorIndex);

    const QList<DrawnLine>& lines() const { return m_lines; }

    // Acts as a click of the left button when the box is enabled, as
    // QAbstractButton::click() does.
    void click()
    {
        if (isEnabled())
            emit clicked();
    }

    // From user coordinates to the box's pixels.
    QTransform userToPixels() const;
    QPointF toPixels(const QPointF& user) const { return userToPixels().map(user); }

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The box's size in the screen's pixels.
    QSize deviceSize() const { return (QSizeF(size()) * devicePixelRatioF()).toSize(); }
    bool hasBacking() const
    {
        return m_backing.size() == deviceSize() && m_backing.devicePixelRatio() == devicePixelRatioF();
    }
    void redrawBacking();
    void makeBackingWhenIdle();
    void drawLine(QPainter& painter, const DrawnLine& line) const;
    void drawSmooth(QPainter& painter, const DrawnLine& line) const;
    void add(const DrawnLine& drawn);

    QRectF m_scale{QPointF(-2, -2), QPointF(2, 2)};
    int m_drawWidth = 1;
    QList<DrawnLine> m_lines;
    // What is drawn, in the screen's pixels; made anew after a change of size,
    // scale or pixel ratio, when the event loop is next idle.
    QImage m_backing;
    bool m_backingPending = false;
    bool m_pressed = false;
};

} // namespace platform
