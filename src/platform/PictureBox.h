#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QWidget>

namespace platform {

// One line drawn into a picture box, in the box's user coordinates.
struct DrawnLine {
    QPointF from;
    QPointF to;
    int colorIndex = 0;
    int width = 1;

    bool operator==(const DrawnLine&) const = default;
};

// A drawing box with a user coordinate system. It keeps what was drawn as a
// list of lines and paints that list scaled to its present size, so a figure
// survives being covered and resized. Lines are aliased and one pixel wide by
// default, so a white line erases a yellow one exactly.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The user coordinates of the top left and bottom right corners.
    void setScale(const QPointF& topLeft, const QPointF& bottomRight);
    QRectF scale() const { return m_scale; }

    void setDrawWidth(int pixels) { m_drawWidth = qMax(1, pixels); }
    int drawWidth() const { return m_drawWidth; }

    void clear();
    void line(const QPointF& from, const QPointF& to, int colorIndex);

    const QList<DrawnLine>& lines() const { return m_lines; }

    QPointF toPixels(const QPointF& user) const;

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRectF m_scale{QPointF(-2, -2), QPointF(2, 2)};
    int m_drawWidth = 1;
    QList<DrawnLine> m_lines;
    bool m_pressed = false;
};

} // namespace platform
