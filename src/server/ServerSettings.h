#pragma once

#include <QMap>
#include <QString>

#include <optional>

// Where a school's results go: the [Results] section of the school settings.
//   Server=postgresql://gonioma_classroom@school-server:5432/gonioma?sslmode=require
//   PasswordFile=/etc/gonioma/classroom-password
//   Class=4B
namespace server {

// A PostgreSQL server and database, from a connection address of the form
// postgresql://USER@HOST[:PORT]/DATABASE[?sslmode=...&connect_timeout=...&sslrootcert=...].
struct ServerAddress {
    QString user;
    QString host;
    int port = 5432;
    QString database;
    QString sslMode;            // empty: libpq's own choice
    QString sslRootCert;        // for sslmode=verify-ca / verify-full
    int connectTimeoutSeconds = 5;

    // The options Qt's PostgreSQL driver passes on to libpq (QSqlDatabase::setConnectOptions):
    // the TLS mode, a bound on each connection attempt and keep-alives, so an
    // address that swallows packets never holds a connection for long.
    QString connectOptions() const;
    // "host:port/database", for messages.
    QString displayName() const;

    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

struct ParsedAddress {
    std::optional<ServerAddress> address;
    QString problem; // one line when the address is refused
};

// Reads a connection address. A password in it is refused (it belongs in the
// password file, readable apart), as are unknown options and a missing user,
// host or database.
ParsedAddress parseServerAddress(const QString& text);

struct ResultsServerSettings {
    ServerAddress address;
    QString passwordFile;
    QString className;
};

struct SchoolServerSetting {
    std::optional<ResultsServerSettings> settings; // set when the school names a usable server
    QString problem;                               // one line when it names one that cannot be used
};

// The [Results] section of the settings file at `path`. No Server= key: no
// settings and no problem (answers stay on this computer only).
SchoolServerSetting readSchoolServerSetting(const QString& path);

// The first line of the password file, without its line end; empty with a
// problem line when it cannot be read.
QString readPasswordFile(const QString& path, QString* problem);

} // namespace server
