#pragma once

#include <QList>
#include <QPointF>
#include <QWidget>

namespace platform {
class PictureBox;
}

namespace exercise {

// A protractor lying over a drawing box, for the pupil to measure the angle
// drawn there: a half disc with both scales, partly transparent so the figure
// shows through.
//
// The pupil drags it by its body and turns it by its round handle, with the
// mouse or a finger, or with two fingers at once; from the keyboard the
// arrows move it (1 px, with Shift 10 px), [ and ] turn it (1 degree, with
// Shift 10) and V puts its centre on the vertex. It never leaves the box.
// After each move, assistive technology is told its rotation and where its
// centre is with respect to the vertex.
class Protractor : public QWidget {
    Q_OBJECT
public:
    // Covers `box` and follows its size; the vertex is the box's origin.
    explicit Protractor(platform::PictureBox* box);

    // Clockwise, whole degrees 0..359.
    int rotation() const { return m_rotation; }
    // Where its centre is, in the box's pixels.
    QPointF centre() const { return vertex() + m_offset; }
    // The centre's place minus the vertex's, in whole pixels.
    QPoint offsetFromVertex() const;
    double radius() const;

    void turnTo(int degrees);
    void moveCentreTo(QPointF centre);
    void putOnVertex();
    // At the foot of the box, not turned: where each question finds it.
    void putAtRest();

signals:
    void moved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Drag { None, Moving, Turning };

    // Reads its name and hint from the current language.
    void updateTexts();
    QPointF vertex() const;
    QPointF toLocal(QPointF boxPoint) const;
    void placeAt(QPointF centre, int rotation);
    void announce();
    void touch(QEvent* event);
    // Where a drag or a touch began: its points, and the protractor then.
    void holdFrom(const QList<QPointF>& points);

    platform::PictureBox* m_box;
    QPointF m_offset;      // from the vertex, pixels
    int m_rotation = 0;
    double m_lastRadius = 0;

    Drag m_drag = Drag::None;
    QList<QPointF> m_heldPoints;
    QPointF m_heldCentre;
    int m_heldRotation = 0;
};

} // namespace exercise
