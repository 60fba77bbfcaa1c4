#pragma once

#include "language/Messages.h"
#include "server/ServerSettings.h"

#include <QSqlDatabase>
#include <QString>

namespace server {

// One connection to the school server, opened and used in one thread only.
class ServerConnection {
public:
    ServerConnection(ServerAddress address, QString password, QString user = {});
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Opens the connection when it is not open; false with problem() set when
    // the server cannot be reached or refuses the log-in.
    bool open();
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase& database() { return m_db; }
    const QSqlDatabase& database() const { return m_db; }
    const ServerAddress& address() const { return m_address; }
    QString problem() const { return m_problem; }
    void setProblem(const QString& problem) { m_problem = problem; }

private:
    ServerAddress m_address;
    QString m_name;
    QSqlDatabase m_db;
    QString m_problem;
};

// Whether the Qt PostgreSQL driver (Debian package libqt6sql6-psql) is there.
bool postgresDriverAvailable();

// An error's text on one line, for one-line problems.
QString oneLine(const QString& text);

// A message of the language file, or `fallback` (English) when the file lacks
// it; both hold the same %1 ... markers.
QString messageText(language::Message message, const QString& fallback);

} // namespace server
