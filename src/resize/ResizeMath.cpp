#include "resize/ResizeMath.h"

#include "platform/widgets/Mirror.h"

#include <cmath>
#include <limits>

namespace resize {

bool ResizeDirective::scales(int index) const
{
    switch (index) {
    case 0:
        return left;
    case 1:
        return top;
    case 2:
        return width;
    case 3:
        return height;
    default:
        return false;
    }
}

ResizeDirective parseDirective(const QString& tag)
{
    const QString upper = tag.toUpper();
    if (!upper.startsWith(QLatin1Char('@')))
        return {};
    return {upper.contains(QLatin1Char('L')), upper.contains(QLatin1Char('T')),
        upper.contains(QLatin1Char('W')), upper.contains(QLatin1Char('H'))};
}

int roundHalfEven(double value)
{
    // nearbyint follows the default rounding mode, to nearest with halves to
    // even; the clamp keeps the conversion to int defined.
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    const double rounded = std::nearbyint(value);
    if (std::isnan(rounded))
        return 0;
    if (rounded <= lowest)
        return std::numeric_limits<int>::min();
    if (rounded >= highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

std::optional<ScaleRatios> scaleRatios(QSize present, QSize reference)
{
    if (reference.width() <= 0 || reference.height() <= 0)
        return std::nullopt;
    return ScaleRatios {static_cast<double>(present.width()) / reference.width(),
        static_cast<double>(present.height()) / reference.height()};
}

std::array<double, 4> scaleRecord(const std::array<int, 4>& recorded, ScaleRatios ratios)
{
    return {recorded[0] * ratios.horizontal, recorded[1] * ratios.vertical,
        recorded[2] * ratios.horizontal, recorded[3] * ratios.vertical};
}

QRect placeInDirection(const QRect& leftToRight, int parentWidth, bool mirrored)
{
    return mirrored ? platform::mirrored(leftToRight, parentWidth) : leftToRight;
}

QRect screenFraction(QSize screen, quint8 percentage)
{
    const double fraction = percentage / 100.0;
    // Height first, then width, each truncated towards minus infinity.
    const int height = static_cast<int>(std::floor(fraction * screen.height()));
    const int width = static_cast<int>(std::floor(fraction * screen.width()));
    const int top = static_cast<int>(std::floor((screen.height() - height) / 2.0));
    const int left = static_cast<int>(std::floor((screen.width() - width) / 2.0));
    return QRect(left, top, width, height);
}

} // namespace resize
