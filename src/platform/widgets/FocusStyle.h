#pragma once

#include <QProxyStyle>

namespace platform {

// The platform's style with a focus frame a pupil sees at a glance: a black
// band and a white band, each two pixels wide, so it stands out on every
// background colour, around the focused button, box or text box. Command
// buttons wear the program's own face (ButtonFace), which the base style
// would otherwise keep in the pixmap cache, one image per size and state.
class FocusStyle : public QProxyStyle {
    Q_OBJECT
public:
    FocusStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    // With the classroom display, check boxes' squares grow with the text.
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

    // Draws the frame just inside `rect`; with the classroom display its
    // bands grow with the text of `widget`'s window.
    static void drawFocusFrame(QPainter* painter, const QRect& rect, const QWidget* widget = nullptr);
    // The width of each band for `widget`, in pixels: 2 unless grown.
    static int bandFor(const QWidget* widget);

private:
    void drawButtonFace(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
};

} // namespace platform
