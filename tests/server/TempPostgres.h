#pragma once

#include "server/ServerSettings.h"

#include <QString>
#include <QTemporaryDir>

// A real PostgreSQL 15 of the test's own (tests/server/pgtemp.sh): made in a
// temporary folder, run by an unprivileged user on a free port of 127.0.0.1
// with TLS, removed at the end.
class TempPostgres {
public:
    TempPostgres();
    ~TempPostgres();
    TempPostgres(const TempPostgres&) = delete;
    TempPostgres& operator=(const TempPostgres&) = delete;

    // Makes and starts the cluster; false with the reason in problem().
    bool start();
    bool stop(const QString& mode = QStringLiteral("fast"));
    bool restart();
    bool running() const { return m_running; }

    int port() const { return m_port; }
    QString dir() const;
    QString problem() const { return m_problem; }

    // Runs psql as the cluster's superuser; the output (tuples only, unaligned)
    // in *out. False when psql fails.
    bool psql(const QString& database, const QString& sql, QString* out = nullptr);
    // Runs a file with psql (ON_ERROR_STOP) with the given -v variables.
    bool psqlFile(const QString& database, const QString& file, const QStringList& variables, QString* out = nullptr);

    // A new database set up with share/gonioma/server-setup.sql; its name.
    QString newSchool(const QString& classroomPassword);
    // The address of a database for `user`, with sslmode=require.
    server::ServerAddress address(const QString& database, const QString& user = QStringLiteral("gonioma_classroom")) const;

    // One server for a whole test program, started on first use.
    static TempPostgres& shared();

private:
    bool run(const QStringList& arguments, QString* out);

    QTemporaryDir m_tmp;
    int m_port = 0;
    bool m_running = false;
    QString m_adminPassword;
    QString m_problem;
    int m_schools = 0;
};

// The PostgreSQL test programs are skipped, with a line saying why, where
// Debian's PostgreSQL 15 is not installed.
bool postgresInstalled();
