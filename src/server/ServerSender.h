#pragma once

#include "results/AnswerRecord.h"
#include "server/ServerSettings.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace server {

class ServerConnection;

// The answers kept on this computer that the school server has not yet
// acknowledged: the local results database seen from the sender.
class LocalQueue {
public:
    virtual ~LocalQueue() = default;
    // The oldest unsent answers, at most `limit`.
    virtual QList<results::AnswerRecord> unsent(int limit) const = 0;
    // Marks answers as on the server; false when that could not be kept (they
    // are then sent again, which the server ignores).
    virtual bool markSent(const QList<QUuid>& ids) = 0;
    // -1 when unknown.
    virtual int unsentCount() const = 0;
};

// Opens the local queue; called in the sender's thread, so the queue's
// database connection is the sender's own.
using LocalQueueOpener = std::function<std::unique_ptr<LocalQueue>()>;

struct SenderOptions {
    int batchSize = 200;
    // After a failure the next try waits firstRetry, then twice as long each
    // time up to longestRetry; answers recorded meanwhile wait with the rest.
    std::chrono::milliseconds firstRetry{2000};
    std::chrono::milliseconds longestRetry{std::chrono::minutes(5)};
    // With nothing to send, a look at the queue now and then (answers another
    // copy of the program recorded).
    std::chrono::milliseconds idleLook{std::chrono::seconds(30)};
    QString computer;   // this computer's name, kept with each answer
    QString account;    // the computer account, with the computer's unsent count
    QString className;  // the class this computer belongs to, kept with each answer
};

// Sends the local answers to the school server in a thread of its own, with
// its own connections: each batch in one transaction of INSERTs that the server
// ignores for ids it already holds, marked sent locally only after the
// server's commit. While the server cannot be reached it waits longer and
// longer between tries; nothing it does ever waits on the thread that calls
// nudge().
class ServerSender {
public:
    ServerSender(ServerAddress address, QString password, LocalQueueOpener openQueue, SenderOptions options = {});
    ~ServerSender();
    ServerSender(const ServerSender&) = delete;
    ServerSender& operator=(const ServerSender&) = delete;

    void start();
    // Stops the thread: at once when idle, after the connection attempt or the
    // batch under way otherwise (bounded by the address's connect_timeout).
    void stop();

    // An answer was committed locally: send soon (at once unless the server
    // is being waited for). Cheap, from any thread.
    void nudge();

    struct Status {
        qint64 sent = 0;      // answers the server acknowledged since start
        int unsent = -1;      // the local count at the last look, -1 before it
        bool reachable = false;
        QString problem;      // the last failure, empty after a success
        int failures = 0;     // failures of the server in a row
        qint64 failuresTotal = 0; // every failure since start, the local ones too
    };
    Status status() const;

    // Waits until everything recorded before this call is on the server (true)
    // or the time is up (false). For tests and the command-line driver.
    bool waitUntilSent(std::chrono::milliseconds timeout);

private:
    void run();
    bool drain(ServerConnection& connection, LocalQueue& queue);
    // True once the server committed the batch; else false and why not.
    bool sendBatch(ServerConnection& connection, const QList<results::AnswerRecord>& batch, QString* why);
    void reportUnsent(ServerConnection& connection, int unsent);
    void fail(ServerConnection& connection, const QString& problem);
    // The local database failed, not the server: tried again soon.
    void failLocally(const QString& problem);

    const ServerAddress m_address;
    const QString m_password;
    const LocalQueueOpener m_openQueue;
    const SenderOptions m_options;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_progress;
    bool m_stopping = false;
    quint64 m_requested = 0; // raised by each nudge
    quint64 m_served = 0;    // the request count the last complete drain covered
    Status m_status;
    bool m_localFailure = false;
    std::thread m_thread;
};

} // namespace server
