#include "platform/services/AppDir.h"

#include <QCoreApplication>

namespace platform {

namespace {
QString& overridePath()
{
    static QString dir;
    return dir;
}
} // namespace

QString AppDir::path()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QCoreApplication::applicationDirPath();
}

void AppDir::setPathForTesting(const QString& dir)
{
    overridePath() = dir;
}

} // namespace platform
