#include "server/ServerSender.h"

#include "server/ServerConnection.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

namespace server {

namespace {

constexpr int kColumns = 13;
constexpr std::chrono::milliseconds kLocalRetry{250};

QString insertStatement(int rows)
{
    QString sql = QStringLiteral(
        "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, question, answer, is_right, attempt, "
        "seconds_shown, language, round, class, computer) VALUES ");
    const QString row = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    sql.reserve(sql.size() + rows * (row.size() + 1) + 32);
    for (int i = 0; i < rows; ++i) {
        if (i > 0)
            sql += QLatin1Char(',');
        sql += row;
    }
    // The one unique key is the id: an answer sent twice is kept once. (The
    // classroom role may not read the table, which naming the conflict's
    // column would need.)
    sql += QStringLiteral(" ON CONFLICT DO NOTHING");
    return sql;
}

// Text as the server keeps it: never NULL (the columns refuse it), without
// the NUL characters PostgreSQL's text cannot hold.
QString serverText(const QString& text)
{
    if (text.isNull())
        return QStringLiteral("");
    if (!text.contains(QChar(0)))
        return text;
    QString kept = text;
    return kept.remove(QChar(0));
}

} // namespace

ServerSender::ServerSender(ServerAddress address, QString password, LocalQueueOpener openQueue, SenderOptions options)
    : m_address(std::move(address))
    , m_password(std::move(password))
    , m_openQueue(std::move(openQueue))
    , m_options(std::move(options))
{
}

ServerSender::~ServerSender()
{
    stop();
}

void ServerSender::start()
{
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable())
        return;
    m_stopping = false;
    ++m_requested; // look at the queue at once: answers may wait from before
    m_thread = std::thread([this] { run(); });
}

void ServerSender::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_progress.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void ServerSender::nudge()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_requested;
    }
    m_wake.notify_one();
}

ServerSender::Status ServerSender::status() const
{
    std::lock_guard lock(m_mutex);
    return m_status;
}

bool ServerSender::waitUntilSent(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    const quint64 wanted = ++m_requested;
    m_wake.notify_one();
    return m_progress.wait_for(lock, timeout, [&] { return m_served >= wanted || m_stopping; }) && m_served >= wanted;
}

void ServerSender::run()
{
    std::unique_ptr<LocalQueue> queue;
    ServerConnection connection(m_address, m_password);
    std::chrono::steady_clock::time_point retryAt{};
    quint64 served = 0;
    for (;;) {
        quint64 serving = 0;
        {
            std::unique_lock lock(m_mutex);
            if (retryAt != std::chrono::steady_clock::time_point{}) {
                // Waiting for the server: new answers do not shorten the wait.
                m_wake.wait_until(lock, retryAt, [&] { return m_stopping; });
            } else {
                m_wake.wait_for(lock, m_options.idleLook, [&] { return m_stopping || m_requested != served; });
            }
            if (m_stopping)
                break;
            serving = m_requested;
        }
        if (!queue)
            queue = m_openQueue();
        bool drained = false;
        if (!queue)
            failLocally(QStringLiteral("the local results cannot be opened"));
        else
            drained = drain(connection, *queue);
        std::lock_guard lock(m_mutex);
        if (drained) {
            served = serving;
            m_served = serving;
            m_status.failures = 0;
            m_status.problem.clear();
            retryAt = {};
            m_progress.notify_all();
        } else if (m_localFailure) {
            // The local database was busy (the recording holds it): soon again,
            // the server's wait untouched.
            m_localFailure = false;
            ++m_status.failuresTotal;
            retryAt = std::chrono::steady_clock::now() + kLocalRetry;
        } else {
            ++m_status.failuresTotal;
            const int failures = ++m_status.failures;
            auto wait = m_options.firstRetry;
            for (int i = 1; i < failures && wait < m_options.longestRetry; ++i)
                wait *= 2;
            wait = std::min(wait, m_options.longestRetry);
            // A little spread, so a room of computers does not knock all at once.
            wait += std::chrono::milliseconds(QRandomGenerator::global()->bounded(qint64(wait.count() / 4 + 1)));
            retryAt = std::chrono::steady_clock::now() + wait;
        }
    }
}

bool ServerSender::drain(ServerConnection& connection, LocalQueue& queue)
{
    const int waiting = queue.unsentCount();
    {
        std::lock_guard lock(m_mutex);
        m_status.unsent = waiting;
    }
    if (waiting == 0)
        return true;
    if (waiting < 0) {
        // Nothing can be said sent while the local results cannot be read.
        failLocally(QStringLiteral("the local results cannot be read"));
        return false;
    }
    if (!connection.isOpen()) {
        if (!connection.open()) {
            fail(connection, connection.problem());
            return false;
        }
        // An answer is marked sent only once it is safe on the server's disk,
        // whatever the server does for others.
        QSqlQuery durable(connection.database());
        if (!durable.exec(QStringLiteral("SET synchronous_commit TO on"))) {
            const QString problem = oneLine(durable.lastError().text());
            durable.finish();
            fail(connection, problem);
            return false;
        }
    }
    {
        std::lock_guard lock(m_mutex);
        m_status.reachable = true;
    }
    if (waiting > m_options.batchSize)
        reportUnsent(connection, waiting);
    for (;;) {
        QList<results::AnswerRecord> batch = queue.unsent(m_options.batchSize);
        // None read though some wait (the count taken after, so an answer
        // recorded in between is read on the second try): the local reading failed.
        if (batch.isEmpty() && queue.unsentCount() != 0) {
            batch = queue.unsent(m_options.batchSize);
            if (batch.isEmpty()) {
                failLocally(QStringLiteral("the local results cannot be read"));
                return false;
            }
        }
        if (batch.isEmpty())
            break;
        if (QString problem; !sendBatch(connection, batch, &problem)) {
            fail(connection, problem);
            return false;
        }
        QList<QUuid> ids;
        ids.reserve(batch.size());
        for (const results::AnswerRecord& answer : batch)
            ids.append(answer.id);
        if (!queue.markSent(ids)) {
            // Sent again later, which the server ignores.
            failLocally(QStringLiteral("the answers sent cannot be marked in the local results"));
            return false;
        }
        std::lock_guard lock(m_mutex);
        m_status.sent += batch.size();
    }
    const int left = queue.unsentCount();
    reportUnsent(connection, std::max(left, 0));
    std::lock_guard lock(m_mutex);
    m_status.unsent = left;
    return true;
}

bool ServerSender::sendBatch(ServerConnection& connection, const QList<results::AnswerRecord>& batch, QString* why)
{
    // A failure may come without an error text (a connection the driver has
    // already closed): whatever is not a success is a failure.
    const auto failed = [why](const QSqlError& error) {
        *why = oneLine(error.text());
        if (why->isEmpty())
            *why = QStringLiteral("the connection to the server was lost");
        return false;
    };
    QSqlDatabase& db = connection.database();
    if (!db.isOpen() || !db.transaction())
        return failed(db.lastError());
    bool sent = false;
    QSqlError problem;
    {
        QSqlQuery insert(db);
        if (!insert.prepare(insertStatement(int(batch.size())))) {
            problem = insert.lastError();
        } else {
            int i = 0;
            for (const results::AnswerRecord& a : batch) {
                insert.bindValue(i++, a.id.toString(QUuid::WithoutBraces));
                const QDateTime when = a.answeredAt.isValid() ? a.answeredAt : QDateTime::currentDateTimeUtc();
                insert.bindValue(i++, when.toUTC().toString(Qt::ISODateWithMs));
                insert.bindValue(i++, serverText(a.pupil));
                insert.bindValue(i++, serverText(a.exercise));
                insert.bindValue(i++, serverText(a.question));
                insert.bindValue(i++, serverText(a.answer));
                insert.bindValue(i++, a.right);
                insert.bindValue(i++, std::max(a.attempt, 1));
                insert.bindValue(i++, std::isfinite(a.secondsShown) ? a.secondsShown : 0.0);
                insert.bindValue(i++, serverText(a.language));
                insert.bindValue(i++, serverText(a.round));
                insert.bindValue(i++, serverText(m_options.className));
                insert.bindValue(i++, serverText(m_options.computer));
            }
            Q_ASSERT(i == kColumns * batch.size());
            sent = insert.exec();
            if (!sent)
                problem = insert.lastError();
        }
    }
    if (!sent) {
        db.rollback();
        return failed(problem);
    }
    // When the commit's answer is lost, whether the server kept the batch is
    // not known: it is sent again, and kept once.
    if (!db.isOpen() || !db.commit())
        return failed(db.lastError());
    return true;
}

void ServerSender::reportUnsent(ServerConnection& connection, int unsent)
{
    QSqlQuery report(connection.database());
    if (report.prepare(QStringLiteral("SELECT gonioma.report_unsent(?, ?, ?, ?)"))) {
        report.addBindValue(m_options.computer);
        report.addBindValue(m_options.account);
        report.addBindValue(m_options.className);
        report.addBindValue(unsent);
        report.exec(); // a server set up without the table loses only this count
    }
}

void ServerSender::failLocally(const QString& problem)
{
    std::lock_guard lock(m_mutex);
    m_localFailure = true;
    m_status.problem = problem;
}

void ServerSender::fail(ServerConnection& connection, const QString& problem)
{
    // After any failure the connection is opened afresh: one that broke in the
    // middle of a batch cannot be trusted.
    connection.close();
    if (qEnvironmentVariableIsSet("GONIOMA_DEBUG_SENDER"))
        qWarning("sender: %s", qPrintable(problem));
    std::lock_guard lock(m_mutex);
    m_status.problem = problem.isEmpty() ? QStringLiteral("the server did not answer") : problem;
    m_status.reachable = false;
}

} // namespace server
