#pragma once

#include <QColor>
#include <QWidget>

namespace platform {

// A rectangle shape: an outline of a given colour and width drawn inside the
// widget's bounds, with nothing painted in the middle. It takes no mouse
// input, so a click on it goes to what lies beneath.
class RectangleShape : public QWidget {
    Q_OBJECT
public:
    explicit RectangleShape(QWidget* parent = nullptr);

    void setBorderColor(const QColor& color);
    QColor borderColor() const { return m_borderColor; }

    void setBorderWidth(int pixels);
    int borderWidth() const { return m_borderWidth; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_borderColor = Qt::black;
    int m_borderWidth = 1;
};

} // namespace platform
