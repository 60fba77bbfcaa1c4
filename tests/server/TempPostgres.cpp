#include "TempPostgres.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

const QString kScript = QStringLiteral(GONIOMA_SOURCE_DIR "/tests/server/pgtemp.sh");

} // namespace

bool postgresInstalled()
{
    return QFile::exists(QStringLiteral("/usr/lib/postgresql/15/bin/initdb"));
}

TempPostgres::TempPostgres() = default;

TempPostgres::~TempPostgres()
{
    if (m_tmp.isValid())
        run({QStringLiteral("remove"), dir()}, nullptr);
}

QString TempPostgres::dir() const
{
    return m_tmp.filePath(QStringLiteral("pg"));
}

bool TempPostgres::run(const QStringList& arguments, QString* out)
{
    QProcess process;
    process.start(kScript, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_problem = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return false;
    }
    if (out)
        *out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return true;
}

bool TempPostgres::start()
{
    if (!m_tmp.isValid()) {
        m_problem = QStringLiteral("no temporary folder");
        return false;
    }
    QString port;
    if (!run({QStringLiteral("init"), dir()}, nullptr) || !run({QStringLiteral("start"), dir()}, &port))
        return false;
    m_port = port.toInt();
    QFile password(dir() + QStringLiteral("/admin.password"));
    if (!password.open(QIODevice::ReadOnly))
        return false;
    m_adminPassword = QString::fromLatin1(password.readAll()).trimmed();
    m_running = true;
    return true;
}

bool TempPostgres::stop(const QString& mode)
{
    m_running = false;
    return run({QStringLiteral("stop"), dir(), mode}, nullptr);
}

bool TempPostgres::restart()
{
    QString port;
    m_running = run({QStringLiteral("start"), dir()}, &port);
    return m_running;
}

bool TempPostgres::psqlFile(const QString& database, const QString& file, const QStringList& variables, QString* out)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGHOST"), QStringLiteral("127.0.0.1"));
    env.insert(QStringLiteral("PGPORT"), QString::number(m_port));
    env.insert(QStringLiteral("PGUSER"), QStringLiteral("gonioma_admin"));
    env.insert(QStringLiteral("PGPASSWORD"), m_adminPassword);
    env.insert(QStringLiteral("PGSSLMODE"), QStringLiteral("require"));
    process.setProcessEnvironment(env);
    QStringList arguments{QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-tA"), QStringLiteral("-v"),
                          QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-d"), database};
    for (const QString& variable : variables)
        arguments << QStringLiteral("-v") << variable;
    arguments << QStringLiteral("-f") << file;
    process.start(QStringLiteral("psql"), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_problem = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return false;
    }
    if (out)
        *out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return true;
}

bool TempPostgres::psql(const QString& database, const QString& sql, QString* out)
{
    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("q.sql"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(sql.toUtf8());
    f.close();
    return psqlFile(database, file, {}, out);
}

QString TempPostgres::newSchool(const QString& classroomPassword)
{
    const QString name = QStringLiteral("school%1").arg(++m_schools);
    if (!psql(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1").arg(name)))
        return {};
    if (!psqlFile(name, QStringLiteral(GONIOMA_SOURCE_DIR "/share/gonioma/server-setup.sql"),
                  {QStringLiteral("classroom_password=") + classroomPassword}))
        return {};
    return name;
}

server::ServerAddress TempPostgres::address(const QString& database, const QString& user) const
{
    server::ServerAddress address;
    address.user = user;
    address.host = QStringLiteral("127.0.0.1");
    address.port = m_port;
    address.database = database;
    address.sslMode = QStringLiteral("require");
    address.connectTimeoutSeconds = 3;
    return address;
}

TempPostgres& TempPostgres::shared()
{
    static TempPostgres server;
    static const bool started = server.start();
    Q_UNUSED(started);
    return server;
}
