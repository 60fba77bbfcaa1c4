#include "platform/services/Settings.h"

#include <QDir>

namespace platform {

namespace {

// An XDG base folder: the variable when it names an absolute path, else the
// fallback under the home folder.
QString xdgDir(const char* variable, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + fallbackUnderHome;
}

} // namespace

QString schoolSettingsPath()
{
    const QString named = qEnvironmentVariable("GONIOMA_CONFIG");
    return named.isEmpty() ? QStringLiteral("/etc/gonioma/gonioma.conf") : named;
}

QString accountSettingsPath()
{
    return xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/gonioma/gonioma.ini");
}

QString accountDataDir()
{
    return xdgDir("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/gonioma");
}

} // namespace platform
