#include "server/ServerConnection.h"

#include "language/LanguageSupport.h"

#include <QSqlError>
#include <QUuid>

namespace server {

ServerConnection::ServerConnection(ServerAddress address, QString password, QString user)
    : m_address(std::move(address))
    , m_name(QStringLiteral("gonioma-server-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    m_db.setHostName(m_address.host);
    m_db.setPort(m_address.port);
    m_db.setDatabaseName(m_address.database);
    m_db.setUserName(user.isEmpty() ? m_address.user : user);
    m_db.setPassword(password);
    m_db.setConnectOptions(m_address.connectOptions());
}

ServerConnection::~ServerConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

bool ServerConnection::open()
{
    if (m_db.isOpen())
        return true;
    if (!m_db.isValid()) {
        m_problem = QStringLiteral("the PostgreSQL driver of Qt is missing (package libqt6sql6-psql)");
        return false;
    }
    if (!m_db.open()) {
        m_problem = oneLine(m_db.lastError().text());
        return false;
    }
    m_problem.clear();
    return true;
}

void ServerConnection::close()
{
    m_db.close();
}

bool postgresDriverAvailable()
{
    return QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"));
}

QString oneLine(const QString& text)
{
    QString line = text.simplified();
    if (line.size() > 300)
        line = line.left(300) + QStringLiteral("…");
    return line;
}

QString messageText(language::Message message, const QString& fallback)
{
    const QString text = language::LookupString(message);
    return text.contains(QLatin1String("%1")) ? text : fallback;
}

} // namespace server
