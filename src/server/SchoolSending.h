#pragma once

#include "server/ServerSender.h"

#include <QString>

#include <memory>

namespace results {
class ResultsStore;
}

namespace server {

// The local results database as the sender's queue: a store of its own,
// opened in the sender's thread.
class StoreQueue final : public LocalQueue {
public:
    explicit StoreQueue(const QString& databasePath);
    ~StoreQueue() override;
    QList<results::AnswerRecord> unsent(int limit) const override;
    bool markSent(const QList<QUuid>& ids) override;
    // -1 while the database cannot be opened.
    int unsentCount() const override;

private:
    // A store that could not be opened (the file being made by the recording
    // at that moment, a lock) is opened again at the next look.
    results::ResultsStore* store() const;

    QString m_path;
    mutable std::unique_ptr<results::ResultsStore> m_store;
};

// This computer account's answers on their way to the school server, when
// the school settings name one: started with the program, stopped with it.
class SchoolSending {
public:
    // Null when the school settings name no server. When they name one that
    // cannot be used (a wrong address, an unreadable password file), null too,
    // with the reason in *problem.
    static std::unique_ptr<SchoolSending> start(const QString& settingsPath, const QString& databasePath,
                                                QString* problem, SenderOptions options = defaultOptions());
    static SenderOptions defaultOptions();
    ~SchoolSending();

    ServerSender& sender() { return *m_sender; }
    const ResultsServerSettings& settings() const { return m_settings; }

    // The sending of this run, once started (nullptr before or without it).
    static SchoolSending* current();

    // One line for the teacher, in the current language: how many answers of
    // this computer wait for the server and why; empty when none waits.
    QString statusLine() const;

private:
    SchoolSending(ResultsServerSettings settings, std::unique_ptr<ServerSender> sender);
    ResultsServerSettings m_settings;
    std::unique_ptr<ServerSender> m_sender;
};

// The line said for answers that wait: the count and, when known, why.
QString unsentLine(int unsent, const QString& problem);

} // namespace server
