#include "platform/widgets/ButtonFace.h"

#include <QPainter>
#include <QPalette>

namespace platform {

namespace {

// `b` mixed into `a`, `part` out of 255.
QColor mixed(const QColor& a, const QColor& b, int part)
{
    const auto channel = [part](int x, int y) { return (x * (255 - part) + y * part + 127) / 255; };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

// The palette's button colour, lighter and a little less saturated, as the
// platform's style shows it; a default button takes a tint of the highlight.
QColor faceColour(const QPalette& palette, const ButtonLook& look)
{
    QColor colour = palette.button().color();
    colour = colour.lighter(100 + qMax(1, (180 - qGray(colour.rgb())) / 6));
    colour.setHsv(colour.hue(), colour.saturation() * 3 / 4, colour.value());
    if (look.isDefault)
        colour = mixed(colour, palette.highlight().color().lighter(130), 25);
    return colour;
}

QColor outlineColour(const QPalette& palette, const ButtonLook& look)
{
    QColor outline = look.isDefault ? palette.highlight().color().darker(125) : palette.window().color().darker(140);
    return look.enabled ? outline : outline.lighter(115);
}

// The inner highlight: a little white over the face.
QColor highlighted(const QColor& colour)
{
    return mixed(colour, Qt::white, 30);
}

} // namespace

QColor buttonFaceColourAt(const QPalette& palette, const ButtonLook& look, int row, int rows)
{
    const QColor face = faceColour(palette, look);
    if (look.pressed)
        return face.darker(110);
    const QColor base = look.hovered ? face : face.darker(104);
    const QColor top = base.lighter(124);
    const QColor bottom = base.lighter(102);
    const int span = qMax(1, rows - 1);
    return mixed(top, bottom, (qBound(0, row, span) * 255 + span / 2) / span);
}

void drawButtonFace(QPainter* painter, const QRect& rect, const QPalette& palette, const ButtonLook& look)
{
    if (rect.width() < 4 || rect.height() < 4) {
        painter->fillRect(rect, buttonFaceColourAt(palette, look, 0, 1));
        return;
    }
    // The interior, in bands of rows of one colour: a tall face changes colour
    // only every few rows. Its outermost rows and columns are highlighted.
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    const int rows = inner.height();
    int bandStart = 0;
    QColor band = buttonFaceColourAt(palette, look, 0, rows);
    for (int row = 1; row <= rows; ++row) {
        const QColor next = row < rows ? buttonFaceColourAt(palette, look, row, rows) : QColor();
        if (row < rows && next == band)
            continue;
        const QRect bandRect(inner.left(), inner.top() + bandStart, inner.width(), row - bandStart);
        painter->fillRect(bandRect, band);
        const QColor edge = highlighted(band);
        painter->fillRect(QRect(bandRect.left(), bandRect.top(), 1, bandRect.height()), edge);
        painter->fillRect(QRect(bandRect.right(), bandRect.top(), 1, bandRect.height()), edge);
        bandStart = row;
        band = next;
    }
    painter->fillRect(QRect(inner.left(), inner.top(), inner.width(), 1),
                      highlighted(buttonFaceColourAt(palette, look, 0, rows)));
    painter->fillRect(QRect(inner.left(), inner.bottom(), inner.width(), 1),
                      highlighted(buttonFaceColourAt(palette, look, rows - 1, rows)));

    // The outline leaves the four corner pixels to the background, which
    // rounds the corners.
    const QColor outline = outlineColour(palette, look);
    painter->fillRect(QRect(rect.left() + 1, rect.top(), rect.width() - 2, 1), outline);
    painter->fillRect(QRect(rect.left() + 1, rect.bottom(), rect.width() - 2, 1), outline);
    painter->fillRect(QRect(rect.left(), rect.top() + 1, 1, rect.height() - 2), outline);
    painter->fillRect(QRect(rect.right(), rect.top() + 1, 1, rect.height() - 2), outline);
}

} // namespace platform
