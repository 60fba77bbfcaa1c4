#pragma once

#include "TempPostgres.h"

#include "results/AnswerRecord.h"
#include "server/ServerSender.h"

#include <QSet>
#include <QString>
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

// Answers waiting on this computer, shared by the test and the sender's thread.
class MemoryQueue {
public:
    void record(const results::AnswerRecord& answer)
    {
        std::lock_guard lock(m_mutex);
        m_waiting.append(answer);
        m_all.append(answer.id);
    }
    QSet<QUuid> allIds() const
    {
        std::lock_guard lock(m_mutex);
        return QSet<QUuid>(m_all.begin(), m_all.end());
    }
    int waiting() const
    {
        std::lock_guard lock(m_mutex);
        return int(m_waiting.size());
    }
    server::LocalQueueOpener opener()
    {
        return [this] { return std::make_unique<View>(*this); };
    }

private:
    class View : public server::LocalQueue {
    public:
        explicit View(MemoryQueue& q) : m_q(q) {}
        QList<results::AnswerRecord> unsent(int limit) const override
        {
            std::lock_guard lock(m_q.m_mutex);
            return m_q.m_waiting.mid(0, limit);
        }
        bool markSent(const QList<QUuid>& ids) override
        {
            std::lock_guard lock(m_q.m_mutex);
            const QSet<QUuid> sent(ids.begin(), ids.end());
            m_q.m_waiting.removeIf([&](const results::AnswerRecord& a) { return sent.contains(a.id); });
            return true;
        }
        int unsentCount() const override { return m_q.waiting(); }

    private:
        MemoryQueue& m_q;
    };
    mutable std::mutex m_mutex;
    QList<results::AnswerRecord> m_waiting;
    QList<QUuid> m_all;
};

#define REQUIRE_POSTGRES()                                                                                \
    do {                                                                                                  \
        if (!postgresInstalled())                                                                         \
            GTEST_SKIP() << "PostgreSQL 15 is not installed (Debian package postgresql-15)";              \
        if (!TempPostgres::shared().running())                                                            \
            TempPostgres::shared().restart();                                                             \
        ASSERT_TRUE(TempPostgres::shared().running()) << TempPostgres::shared().problem().toStdString();  \
    } while (false)
