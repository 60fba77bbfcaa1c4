// The focus frame a pupil follows with the keyboard, and the buttons' face.
#include "platform/widgets/ButtonFace.h"
#include "platform/widgets/FocusStyle.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

namespace {

// How many pixels of `colour` a button shows, drawn with or without the focus.
int countColour(bool focused, const QColor& colour)
{
    platform::FocusStyle style;
    QPushButton button(QStringLiteral("avanti"));
    button.resize(200, 60);
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.state = QStyle::State_Enabled | (focused ? QStyle::State_HasFocus : QStyle::State_None);
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(QColor(250, 200, 0)); // a background of the table
    QPainter painter(&image);
    style.drawControl(QStyle::CE_PushButton, &option, &painter, &button);
    painter.end();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return n;
}

TEST(FocusStyle, AFocusedButtonWearsABlackAndWhiteFrameAtLeastThreePixelsWide)
{
    const int frameLength = 2 * (200 + 60); // roughly one ring of the button's size
    const int blackWhenFocused = countColour(true, Qt::black) - countColour(false, Qt::black);
    const int whiteWhenFocused = countColour(true, Qt::white) - countColour(false, Qt::white);
    EXPECT_GT(blackWhenFocused + whiteWhenFocused, 3 * frameLength * 8 / 10);
    EXPECT_GT(blackWhenFocused, frameLength);
}

// A face of `size` drawn over a plain background.
QImage face(const platform::ButtonLook& look, QSize size = QSize(300, 90))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(250, 200, 0));
    QPainter painter(&image);
    platform::drawButtonFace(&painter, image.rect(), QPalette(), look);
    return image;
}

int lightness(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y).lightness();
}

TEST(ButtonFace, ShowsItsStateAndKeepsTheBackgroundInItsCorners)
{
    const QColor background(250, 200, 0);
    struct Case {
        const char* name;
        platform::ButtonLook look;
        bool shaded; // lighter at the top than at the bottom
    };
    const Case cases[] = {
        {"raised", {}, true},
        {"hovered", {true, false, true, false}, true},
        {"default", {true, false, false, true}, true},
        {"pressed", {true, true, false, false}, false},
        {"disabled", {false, false, false, false}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QSize size : {QSize(300, 90), QSize(1600, 400), QSize(6, 6)}) {
            const QImage image = face(c.look, size);
            const int w = size.width();
            const int h = size.height();
            for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
                EXPECT_EQ(image.pixelColor(corner), background);
            // The outline closes the face on all four sides.
            EXPECT_NE(image.pixelColor(w / 2, 0), background);
            EXPECT_NE(image.pixelColor(0, h / 2), background);
            EXPECT_NE(image.pixelColor(w - 1, h / 2), background);
            EXPECT_NE(image.pixelColor(w / 2, h - 1), background);
            if (h > 20) {
                const int top = lightness(image, w / 2, 3);
                const int bottom = lightness(image, w / 2, h - 4);
                if (c.shaded)
                    EXPECT_GT(top, bottom);
                else
                    EXPECT_EQ(top, bottom);
            }
        }
    }
    const QImage raised = face({});
    const QImage pressed = face({true, true, false, false});
    EXPECT_LT(lightness(pressed, 150, 45), lightness(raised, 150, 45));
    const QImage disabled = face({false, false, false, false});
    EXPECT_GT(lightness(disabled, 150, 0), lightness(raised, 150, 0));
}

} // namespace
