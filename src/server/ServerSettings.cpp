#include "server/ServerSettings.h"

#include "language/IniFile.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace server {

namespace {

const QStringList kSslModes{QStringLiteral("disable"), QStringLiteral("allow"), QStringLiteral("prefer"),
                            QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full")};

ParsedAddress refused(const QString& why)
{
    return ParsedAddress{std::nullopt, why};
}

// libpq reads a connection option value up to the next space unless quoted.
QString quotedOption(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

QString ServerAddress::connectOptions() const
{
    QStringList options;
    if (!sslMode.isEmpty())
        options << QStringLiteral("sslmode=") + sslMode;
    if (!sslRootCert.isEmpty())
        options << QStringLiteral("sslrootcert=") + quotedOption(sslRootCert);
    options << QStringLiteral("connect_timeout=%1").arg(connectTimeoutSeconds)
            // A connection whose packets stop coming back is given up after
            // about 15 s instead of the system's many minutes.
            << QStringLiteral("keepalives=1") << QStringLiteral("keepalives_idle=5")
            << QStringLiteral("keepalives_interval=2") << QStringLiteral("keepalives_count=3")
            << QStringLiteral("tcp_user_timeout=15000")
            << QStringLiteral("application_name=gonioma");
    return options.join(QLatin1Char(';'));
}

QString ServerAddress::displayName() const
{
    return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database);
}

ParsedAddress parseServerAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return refused(QStringLiteral("no server address"));
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        return refused(QStringLiteral("not a connection address: %1").arg(url.errorString()));
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))
        return refused(QStringLiteral("the address must begin with postgresql://"));
    if (!url.password().isEmpty() || trimmed.section(QLatin1Char('@'), 0, 0).count(QLatin1Char(':')) > 1)
        return refused(QStringLiteral("the address holds a password: put it in the file PasswordFile names"));
    ServerAddress address;
    address.user = url.userName(QUrl::FullyDecoded);
    if (address.user.isEmpty())
        return refused(QStringLiteral("the address names no user (postgresql://USER@HOST/DATABASE)"));
    address.host = url.host(QUrl::FullyDecoded);
    if (address.host.isEmpty())
        return refused(QStringLiteral("the address names no host"));
    if (url.port() == 0)
        return refused(QStringLiteral("port 0 is no port"));
    address.port = url.port(5432);
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    if (path.isEmpty())
        return refused(QStringLiteral("the address names no database (postgresql://USER@HOST/DATABASE)"));
    if (path.contains(QLatin1Char('/')))
        return refused(QStringLiteral("the database name holds a slash: %1").arg(path));
    address.database = path;
    if (url.hasFragment())
        return refused(QStringLiteral("the address has a #fragment"));

    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("sslmode")) {
            if (!kSslModes.contains(value))
                return refused(QStringLiteral("sslmode=%1 is none of %2").arg(value, kSslModes.join(QLatin1Char(' '))));
            address.sslMode = value;
        } else if (key == QLatin1String("sslrootcert")) {
            address.sslRootCert = value;
        } else if (key == QLatin1String("connect_timeout")) {
            bool ok = false;
            const int seconds = value.toInt(&ok);
            if (!ok || seconds < 1 || seconds > 600)
                return refused(QStringLiteral("connect_timeout=%1 is not a number of seconds from 1 to 600").arg(value));
            address.connectTimeoutSeconds = seconds;
        } else {
            return refused(QStringLiteral("unknown option %1 (known: sslmode, sslrootcert, connect_timeout)").arg(key));
        }
    }
    return ParsedAddress{address, {}};
}

SchoolServerSetting readSchoolServerSetting(const QString& path)
{
    const QString section = QStringLiteral("Results");
    const QString server = language::ReadIniString(path, section, QStringLiteral("Server")).trimmed();
    if (server.isEmpty())
        return {};
    const ParsedAddress parsed = parseServerAddress(server);
    if (!parsed.address)
        return SchoolServerSetting{std::nullopt, QStringLiteral("[Results] Server: ") + parsed.problem};
    ResultsServerSettings settings;
    settings.address = *parsed.address;
    settings.passwordFile = language::ReadIniString(path, section, QStringLiteral("PasswordFile")).trimmed();
    settings.className = language::ReadIniString(path, section, QStringLiteral("Class")).trimmed();
    if (settings.passwordFile.isEmpty())
        return SchoolServerSetting{std::nullopt, QStringLiteral("[Results] names a server but no PasswordFile")};
    return SchoolServerSetting{settings, {}};
}

QString readPasswordFile(const QString& path, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("cannot read the password file %1: %2").arg(path, file.errorString());
        return {};
    }
    const QByteArray line = file.readLine(4096);
    QString password = QString::fromUtf8(line);
    while (password.endsWith(QLatin1Char('\n')) || password.endsWith(QLatin1Char('\r')))
        password.chop(1);
    if (password.isEmpty() && problem)
        *problem = QStringLiteral("the password file %1 is empty").arg(path);
    return password;
}

} // namespace server
