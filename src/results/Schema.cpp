#include "results/Schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace results::schema {

namespace {

// What each version adds to the one before it.
QStringList stepTo(int version)
{
    switch (version) {
    case 1:
        return {
            // The class list, in the teacher's order.
            QStringLiteral("CREATE TABLE pupils (name TEXT PRIMARY KEY NOT NULL, position INTEGER NOT NULL)"),
            // One row per judged answer. answered_at is milliseconds since
            // 1970 (UTC); sent tells the school server's sender what is done.
            QStringLiteral("CREATE TABLE answers (uuid TEXT NOT NULL UNIQUE, answered_at INTEGER NOT NULL, "
                           "pupil TEXT NOT NULL, exercise TEXT NOT NULL, question TEXT NOT NULL, "
                           "answer TEXT NOT NULL, right INTEGER NOT NULL, attempt INTEGER NOT NULL, "
                           "seconds_shown REAL NOT NULL, language TEXT NOT NULL, sent INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE INDEX answers_by_time ON answers (answered_at)"),
        };
    case 2:
        return {
            // Answers given within a round of questions carry its id.
            QStringLiteral("ALTER TABLE answers ADD COLUMN round TEXT NOT NULL DEFAULT ''"),
            // One pupil's answers, and those still to send, without a scan.
            QStringLiteral("CREATE INDEX answers_by_pupil ON answers (pupil, answered_at)"),
            QStringLiteral("CREATE INDEX answers_unsent ON answers (sent) WHERE sent = 0"),
        };
    case 3:
        return {
            // The teacher's table (counts by pupil and exercise) read from the
            // index alone: a school year is summed without touching the rows.
            QStringLiteral("CREATE INDEX answers_by_pupil_and_exercise "
                           "ON answers (pupil, exercise, attempt, right, answered_at)"),
        };
    default:
        return {};
    }
}

} // namespace

int versionOf(QSqlDatabase& db, QSqlError* error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        if (error)
            *error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

bool upgrade(QSqlDatabase& db, int from, int to, QSqlError* error)
{
    for (int version = from + 1; version <= to; ++version) {
        const QStringList statements = stepTo(version);
        if (statements.isEmpty()) {
            if (error)
                *error = QSqlError(QStringLiteral("no step to version %1").arg(version), {}, QSqlError::UnknownError);
            return false;
        }
        if (!db.transaction()) {
            if (error)
                *error = db.lastError();
            return false;
        }
        QSqlQuery query(db);
        bool ok = true;
        for (const QString& statement : statements) {
            if (!query.exec(statement)) {
                ok = false;
                break;
            }
        }
        // The pragma cannot take a bound parameter; the version is our own number.
        ok = ok && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
        if (!ok) {
            if (error)
                *error = query.lastError();
            query.finish();
            db.rollback();
            return false;
        }
        query.finish();
        if (!db.commit()) {
            if (error)
                *error = db.lastError();
            db.rollback();
            return false;
        }
    }
    return true;
}

} // namespace results::schema
