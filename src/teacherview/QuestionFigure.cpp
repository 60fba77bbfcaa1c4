#include "teacherview/QuestionFigure.h"

#include "exercise/FanDrawing.h"
#include "platform/widgets/PictureBox.h"
#include "results/QuestionText.h"

namespace teacherview {

QList<FigureAngle> figureAngles(const QString& question)
{
    const results::QuestionText words = results::QuestionText::parse(question);
    QList<int> sizes = words.numbers(QStringLiteral("sizes"));
    if (sizes.isEmpty())
        sizes = words.numbers(QStringLiteral("size"));
    if (sizes.isEmpty())
        sizes = words.numbers(QStringLiteral("target"));
    QList<int> starts = words.numbers(QStringLiteral("starts"));
    if (starts.isEmpty())
        starts = words.numbers(QStringLiteral("start"));

    QList<FigureAngle> angles;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (sizes[i] < 0 || sizes[i] > 360)
            continue;
        const int start = i < starts.size() ? ((starts[i] % 360) + 360) % 360 : 0;
        angles.append({start, sizes[i]});
    }
    return angles;
}

void drawStillAngle(platform::PictureBox* box, const FigureAngle& angle)
{
    box->clear();
    exercise::drawArm(box, angle.start);
    for (int d = angle.start + 1; d <= angle.start + angle.size; ++d)
        exercise::drawStep(box, d, exercise::kFillColor);
    exercise::drawArm(box, angle.start);
    exercise::drawStep(box, angle.start + angle.size, exercise::kArmColor);
}

} // namespace teacherview
