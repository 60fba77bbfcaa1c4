// The drawing box on a screen of device pixel ratio 2: this program runs with
// QT_SCALE_FACTOR=2, which the other test programs never see.
#include "exercise/FanDrawing.h"
#include "platform/widgets/PictureBox.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using platform::PictureBox;

const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

int countInRow(const QImage& image, int y, const QColor& colour)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += image.pixelColor(x, y) == colour;
    return count;
}

int countInColumn(const QImage& image, int x, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += image.pixelColor(x, y) == colour;
    return count;
}

// A box shown and given its backing image, as a window's box is once the
// event loop has been idle after its first paint.
void showWithBacking(PictureBox& box, const QSize& size)
{
    box.resize(size);
    box.show();
    box.grab();
    QCoreApplication::processEvents();
}

// An arm straight up, an arm to the right and the yellow sweep line between
// them at 45 degrees, each crossed well away from the vertex.
void expectLinesOneScreenPixelWide(const QImage& image)
{
    const int centreX = image.width() / 2;
    const int centreY = image.height() / 2;
    EXPECT_EQ(countInRow(image, centreY - 60, kRed), 1);
    EXPECT_EQ(countInColumn(image, centreX + 60, kRed), 1);
    EXPECT_EQ(countInRow(image, centreY - 40, kYellow), 1);
}

void drawFigure(PictureBox& box)
{
    exercise::drawArm(&box, 0);
    exercise::drawStep(&box, 45, exercise::kFillColor);
    exercise::drawArm(&box, 90);
}

TEST(PictureBoxAtRatioTwo, LinesDrawnIntoTheBackingImageAreOneScreenPixelWide)
{
    PictureBox box;
    showWithBacking(box, QSize(200, 160));
    ASSERT_EQ(box.devicePixelRatioF(), 2.0);
    drawFigure(box);

    const QImage image = box.grab().toImage();
    EXPECT_EQ(image.size(), QSize(400, 320));
    expectLinesOneScreenPixelWide(image);
}

TEST(PictureBoxAtRatioTwo, TheFigureRedrawnFromItsListLooksAsDrawnLineByLine)
{
    PictureBox box;
    showWithBacking(box, QSize(240, 180));
    drawFigure(box);
    const QImage incremental = box.grab().toImage();

    // A resize drops the backing image: the next paint draws from the list.
    box.resize(100, 100);
    box.resize(240, 180);
    const QImage fromList = box.grab().toImage();
    EXPECT_EQ(fromList, incremental);
    expectLinesOneScreenPixelWide(fromList);

    // The image made anew after the resize takes new lines at full resolution.
    QCoreApplication::processEvents();
    exercise::drawStep(&box, 45, exercise::kEraseColor);
    const QImage erased = box.grab().toImage();
    EXPECT_EQ(countInRow(erased, erased.height() / 2 - 40, kYellow), 0);
    EXPECT_EQ(countInRow(erased, erased.height() / 2 - 60, kRed), 1);
}

} // namespace
