#pragma once

#include "TempPostgres.h"

#include "results/AnswerRecord.h"
#include "results/ResultsStore.h"
#include "server/SchoolSending.h"
#include "server/ServerSender.h"

#include <QSet>
#include <QString>
#include <QTemporaryDir>
#include <QUuid>

#include <mutex>

#include <gtest/gtest.h>

// The i-th made-up answer of a pupil, with text a server must keep as given.
inline results::AnswerRecord madeUpAnswer(int i, const QString& pupil = QStringLiteral("Zoë O'Brien \"Z\"; DROP TABLE x; --"))
{
    results::AnswerRecord a;
    a.id = QUuid::createUuid();
    a.answeredAt = QDateTime::currentDateTimeUtc().addSecs(-i);
    a.pupil = pupil;
    a.exercise = QStringLiteral("frmRuota%1").arg(i % 8 + 1);
    a.question = QStringLiteral("sizes=%1,120;target=90").arg(i % 180);
    a.answer = QStringLiteral("typed=%1").arg(i % 360);
    a.right = i % 3 != 0;
    a.attempt = i % 2 + 1;
    a.secondsShown = 1.25 + i % 7;
    a.language = QStringLiteral("العربية");
    return a;
}

// The ids the server holds, and how many rows (one per id when all is well).
struct ServerRows {
    QSet<QUuid> ids;
    int rows = -1;
};
inline ServerRows serverRows(TempPostgres& pg, const QString& database)
{
    ServerRows result;
    QString out;
    if (!pg.psql(database, QStringLiteral("SELECT id FROM gonioma.answers"), &out))
        return result;
    result.rows = 0;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        result.ids.insert(QUuid::fromString(line));
        ++result.rows;
    }
    return result;
}

inline int serverCount(TempPostgres& pg, const QString& database)
{
    QString out;
    return pg.psql(database, QStringLiteral("SELECT count(*) FROM gonioma.answers"), &out) ? out.toInt() : -1;
}

// Quick retries, so a test waits on the server for fractions of a second.
inline server::SenderOptions quickOptions(int batchSize = 200)
{
    server::SenderOptions options;
    options.batchSize = batchSize;
    options.firstRetry = std::chrono::milliseconds(100);
    options.longestRetry = std::chrono::milliseconds(400);
    options.idleLook = std::chrono::milliseconds(500);
    options.computer = QStringLiteral("lab-pc-07");
    options.account = QStringLiteral("pupil");
    options.className = QStringLiteral("4B");
    return options;
}

// This computer's results database, in a folder of the test: the test
// records into it, the sender reads it through a store of its own.
class LocalResults {
public:
    LocalResults() : m_store(path()) {}
    QString path() const { return m_dir.filePath(QStringLiteral("results.sqlite")); }
    void record(const results::AnswerRecord& answer)
    {
        ASSERT_TRUE(m_store.record(answer)) << m_store.problem().toStdString();
        m_all.insert(answer.id);
    }
    QSet<QUuid> allIds() const { return m_all; }
    int waiting() const { return m_store.unsentCount(); }
    server::LocalQueueOpener opener() const
    {
        const QString file = path();
        return [file] { return std::make_unique<server::StoreQueue>(file); };
    }
    results::ResultsStore& store() { return m_store; }

private:
    QTemporaryDir m_dir;
    results::ResultsStore m_store;
    QSet<QUuid> m_all;
};

#define REQUIRE_POSTGRES()                                                                                \
    do {                                                                                                  \
        if (!postgresInstalled())                                                                         \
            GTEST_SKIP() << "PostgreSQL 15 is not installed (Debian package postgresql-15)";              \
        if (!TempPostgres::shared().running())                                                            \
            TempPostgres::shared().restart();                                                             \
        ASSERT_TRUE(TempPostgres::shared().running()) << TempPostgres::shared().problem().toStdString();  \
    } while (false)
