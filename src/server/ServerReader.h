#pragma once

#include "results/AnswerRecord.h"
#include "server/ServerSettings.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

namespace server {

// What a classroom computer last said about the answers it had not sent.
struct ComputerBacklog {
    QString computer;
    QString account;
    QString className;
    int unsent = 0;
    QDateTime reportedAt; // UTC
};

// The results of a whole school, read from its server with a teacher's own
// role. The connection lives in the thread that made the reader (the
// teacher's view). An empty class means every class.
class ServerReader : public results::ResultsReader {
public:
    ServerReader(ServerAddress address, const QString& teacher, const QString& password, QString className = {});
    ~ServerReader() override;

    // Connects; false with problem() set when the server refuses or cannot be reached.
    bool open();

    QStringList pupils() const override;
    QList<results::PupilExerciseSummary> summary() const override;
    QList<results::DailyShare> dailyShares(const QString& pupil, const QString& exercise) const override;
    bool forEachAnswer(const QString& pupil, const std::function<void(const results::AnswerRecord&)>& visit) const override;
    // One line in the current language, empty when all went well.
    QString problem() const override;
    // The same in the server's own words.
    QString serverProblem() const { return m_problem; }

    // The classes answers were sent from, and those with a class list.
    QStringList classes() const;
    // The class read from now on; empty for every class.
    void setClassName(const QString& className) { m_className = className; }
    const QString& className() const { return m_className; }
    // Answers read by forEachAnswer at a time (2000).
    void setPageSize(int rows) { m_pageSize = std::max(rows, 1); }

    // Computers that last reported answers not yet sent, most first.
    QList<ComputerBacklog> backlogs() const;

private:
    std::unique_ptr<class ServerConnection> m_connection;
    QString m_className;
    int m_pageSize = 2000;
    mutable QString m_problem;
    bool m_loggedIn = false; // a failure after the log-in is a failed reading, not a refusal
};

// "lab-3 (pupil): 12 answers not yet sent; last report at 09:41", in the current language.
QString backlogLine(const ComputerBacklog& backlog);

// The address of the school's server when the school settings name one; the
// teacher's view offers to read from it with the teacher's own role.
std::optional<ServerAddress> schoolServerAddress();

// Opens the school's results for the teacher's view: the server named in the
// school settings, as `teacher` with `password` (typed in the view and kept
// nowhere). Null when the settings name no server; otherwise a reader whose
// problem() says why it cannot be read, when it cannot.
std::unique_ptr<ServerReader> openSchoolResults(const QString& teacher, const QString& password,
                                                const QString& className = {});

} // namespace server
