#pragma once

#include <QList>
#include <QString>

namespace platform {
class PictureBox;
}

namespace teacherview {

// One angle of a recorded question: where its first arm points (degrees
// clockwise from straight up) and how wide it opens.
struct FigureAngle {
    int start = 0;
    int size = 0;

    bool operator==(const FigureAngle&) const = default;
};

// The angles a recorded question showed, read from its text
// ("sizes=35,120;starts=10,200;target=90"): one per size, each with its start
// when the text gives one (else straight up). A question that names only a
// target (an angle to build) shows that target. Sizes outside 0..360 and
// words that are not numbers are left out.
QList<FigureAngle> figureAngles(const QString& question);

// Draws the angle at once, as the exercises draw it when the fan has opened:
// the yellow fan, then both arms over it. The box is cleared first.
void drawStillAngle(platform::PictureBox* box, const FigureAngle& angle);

} // namespace teacherview
