#include "teacherview/QuestionFigure.h"

#include "exercise/FanDrawing.h"
#include "platform/widgets/PictureBox.h"

namespace teacherview {

namespace {

QList<int> numbers(const QString& list)
{
    QList<int> values;
    for (const QString& word : list.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = word.trimmed().toInt(&ok);
        values.append(ok ? value : -1);
    }
    return values;
}

// The value of `key` in "key=value;key=value"; empty when absent.
QString wordValue(const QString& text, const QString& key)
{
    for (const QString& pair : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals > 0 && pair.left(equals).trimmed() == key)
            return pair.mid(equals + 1);
    }
    return {};
}

} // namespace

QList<FigureAngle> figureAngles(const QString& question)
{
    QList<int> sizes = numbers(wordValue(question, QStringLiteral("sizes")));
    if (sizes.isEmpty())
        sizes = numbers(wordValue(question, QStringLiteral("size")));
    if (sizes.isEmpty())
        sizes = numbers(wordValue(question, QStringLiteral("target")));
    QList<int> starts = numbers(wordValue(question, QStringLiteral("starts")));
    if (starts.isEmpty())
        starts = numbers(wordValue(question, QStringLiteral("start")));

    QList<FigureAngle> angles;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (sizes[i] < 0 || sizes[i] > 360)
            continue;
        const int start = i < starts.size() && starts[i] >= 0 ? starts[i] % 360 : 0;
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
