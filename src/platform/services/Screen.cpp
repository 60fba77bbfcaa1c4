#include "platform/services/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
QSize& overrideSize()
{
    static QSize size;
    return size;
}

QSize& windowSize()
{
    static QSize size;
    return size;
}
} // namespace

QSize Screen::size()
{
    if (windowSize().isValid())
        return windowSize();
    if (overrideSize().isValid())
        return overrideSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry().size();
    return QSize(1024, 768);
}

void Screen::setSizeForTesting(const QSize& size)
{
    overrideSize() = size;
}

void Screen::useWindow(const QSize& size)
{
    windowSize() = size;
}

bool Screen::isWindowed()
{
    return windowSize().isValid();
}

} // namespace platform
