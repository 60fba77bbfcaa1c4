// What the drawing box puts on the screen, read back in pixels.
#include "exercise/FanDrawing.h"
#include "platform/widgets/PictureBox.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::PictureBox;

const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

// A right angle opening clockwise from `start`: its fan, then both arms.
void drawRightAngle(PictureBox& box, int start)
{
    exercise::drawArm(&box, start);
    for (int d = start + 1; d <= start + 90; ++d)
        exercise::drawStep(&box, d, exercise::kFillColor);
    exercise::drawArm(&box, start);
    exercise::drawStep(&box, start + 90, exercise::kArmColor);
}

QImage shown(PictureBox& box)
{
    return box.grab().toImage();
}

// The colour at `degrees` clockwise from straight up, `radius` pixels from the centre.
QColor colourAt(const QImage& image, double degrees, double radius)
{
    const double rad = degrees * M_PI / 180.0;
    const QPointF centre(image.width() / 2.0, image.height() / 2.0);
    const QPoint p = (centre + QPointF(radius * std::sin(rad), -radius * std::cos(rad))).toPoint();
    return image.pixelColor(p);
}

// The directions, in degrees clockwise from up, where a circle around the
// centre crosses a red line: one mean direction per run of red samples. The
// circle is walked from 10 degrees left of up, so a line straight up is one run.
QList<double> redDirections(const QImage& image, double radius)
{
    QList<double> found;
    QList<double> run;
    for (int i = 0; i <= 7200; ++i) {
        const double degrees = i * 0.05 - 10;
        if (i < 7200 && colourAt(image, degrees, radius) == kRed) {
            run.append(degrees);
        } else if (!run.isEmpty()) {
            double sum = 0;
            for (double d : run)
                sum += d;
            found.append(sum / run.size());
            run.clear();
        }
    }
    return found;
}

class PictureBoxPixels : public ::testing::TestWithParam<QSize> {};

TEST_P(PictureBoxPixels, ARightAngleLooksRightAndItsColoursStandWhereDrawn)
{
    PictureBox box;
    box.resize(GetParam());
    drawRightAngle(box, 30);
    const double radius = 0.8 * std::min(box.width(), box.height()) / 2;

    const QImage image = shown(box);
    const QList<double> arms = redDirections(image, radius);
    ASSERT_EQ(arms.size(), 2);
    EXPECT_NEAR(arms[0], 30, 1.0);
    EXPECT_NEAR(arms[1], 120, 1.0);
    EXPECT_EQ(colourAt(image, 75, radius), kYellow);
    EXPECT_EQ(colourAt(image, 200, radius), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(WideAndTall, PictureBoxPixels, ::testing::Values(QSize(360, 200), QSize(200, 360)));

TEST(PictureBox, AFirstArmAtZeroPointsUpAndTheFigureFollowsAResize)
{
    PictureBox box;
    box.resize(300, 200);
    exercise::drawArm(&box, 0);
    const QList<double> up = redDirections(shown(box), 80);
    ASSERT_EQ(up.size(), 1);
    EXPECT_NEAR(up[0], 0, 1.0);

    drawRightAngle(box, 200);
    box.resize(180, 320);
    const QImage image = shown(box);
    const QList<double> arms = redDirections(image, 70);
    ASSERT_EQ(arms.size(), 3);
    EXPECT_NEAR(arms[0], 0, 1.0);
    EXPECT_NEAR(arms[1], 200, 1.0);
    EXPECT_NEAR(arms[2], 290, 1.0);
    EXPECT_EQ(colourAt(image, 245, 70), kYellow);

    // White lines drawn over the yellow ones take them away exactly.
    for (int d = 201; d < 290; ++d)
        exercise::drawStep(&box, d, exercise::kEraseColor);
    EXPECT_EQ(colourAt(shown(box), 245, 70), QColor(Qt::white));
}

TEST(PictureBox, LinesDrawnOneByOneLookAsTheFigureRedrawnFromItsList)
{
    PictureBox box;
    box.resize(320, 240);
    box.show();
    shown(box);
    // The backing image is made once the event loop is idle after the first
    // paint; lines then go into it one by one.
    QCoreApplication::processEvents();
    drawRightAngle(box, 300);
    for (int d = 300; d < 340; ++d)
        exercise::drawStep(&box, d, exercise::kEraseColor);
    const QImage incremental = shown(box);

    box.resize(100, 100);
    shown(box);
    box.resize(320, 240);
    EXPECT_EQ(shown(box), incremental);
}

// A digest of the colours of every pixel, row by row.
std::string pixelDigest(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(rgb.constScanLine(y), rgb.width() * 4));
    return hash.result().toHex().toStdString();
}

// A figure drawn line by line into the backing image and the same figure
// redrawn from the list after a resize, against digests of what the box showed
// before it followed the screen's pixel ratio: at ratio 1 not a pixel moved.
TEST(PictureBox, AtRatioOneTheFigureKeepsEveryPixel)
{
    PictureBox box;
    box.resize(333, 217);
    box.show();
    shown(box);
    QCoreApplication::processEvents();
    ASSERT_EQ(box.devicePixelRatioF(), 1.0);
    drawRightAngle(box, 17);
    exercise::drawArm(&box, 200);
    for (int d = 40; d < 70; ++d)
        exercise::drawStep(&box, d, exercise::kEraseColor);
    EXPECT_EQ(pixelDigest(shown(box)), "b7e9e9023167d9beb735a06e2dd8c58a8214407c");

    box.resize(217, 333);
    EXPECT_EQ(pixelDigest(shown(box)), "0a053b77fcaa2ae090d377ab846f019f760421de");
}

} // namespace
