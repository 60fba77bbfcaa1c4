// The focus frame a pupil follows with the keyboard.
#include "platform/FocusStyle.h"

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

} // namespace
