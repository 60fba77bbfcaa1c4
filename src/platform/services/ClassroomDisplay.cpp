#include "platform/services/ClassroomDisplay.h"

#include "platform/services/Settings.h"

#include <QSettings>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace platform {

namespace {
const QString kKey = QStringLiteral("Display/Classroom");

bool& state()
{
    static bool on = false;
    return on;
}

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c)
{
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

struct Lab {
    double l, a, b;
};

Lab toLab(const QColor& c)
{
    const double r = linear(c.red()), g = linear(c.green()), b = linear(c.blue());
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}
} // namespace

bool ClassroomDisplay::isOn()
{
    return state();
}

void ClassroomDisplay::setOn(bool on)
{
    state() = on;
}

bool ClassroomDisplay::remembered()
{
    const QSettings settings(accountSettingsPath(), QSettings::IniFormat);
    return settings.value(kKey, false).toBool();
}

bool ClassroomDisplay::remember(bool on)
{
    setOn(on);
    QSettings settings(accountSettingsPath(), QSettings::IniFormat);
    settings.setValue(kKey, on);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

qreal ClassroomDisplay::textScaleOf(const QWidget* widget)
{
    const QVariant scale = widget ? widget->window()->property(kTextScaleProperty) : QVariant();
    return scale.isValid() ? scale.toReal() : 1.0;
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double colourDistance(const QColor& a, const QColor& b)
{
    const Lab p = toLab(a);
    const Lab q = toLab(b);
    return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b);
}

} // namespace platform
