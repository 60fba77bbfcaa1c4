#pragma once

#include "results/AnswerRecord.h"
#include "results/ClassList.h"
#include "language/Messages.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

class QSqlError;
class QSqlQuery;

namespace results {

// Why results cannot be kept or read, as problem() says it.
enum class StoreProblem {
    None,
    FolderNotWritable, // the data folder is missing and cannot be made, or cannot be written
    DiskFull,
    Locked,            // another program holds the database longer than the busy timeout
    Damaged,           // the file was not a database: put aside, a new one begun
    NewerVersion,      // written by a newer program: read only, never changed
    Failed,            // anything else, in the database's own words
};

struct StoreOptions {
    // How long a write waits for another program's lock before it gives up.
    int busyTimeoutMs = 1000;
    // Opens for reading only (an export): nothing is made, moved or changed.
    bool readOnly = false;
    // Above zero: the most pages the database may grow to, which stands for
    // a full disk in the tests.
    int maxPageCount = 0;
};

// The results of this computer account: every judged answer and the class
// list, in one SQLite database (write-ahead log) through Qt SQL. Each store
// has a connection of its own, so several stores, in several threads, may
// open the same file; a store is used only in the thread that made it.
//
// No fault ends the program: a store that cannot keep answers says why in
// problem() and its record() returns false, so the pupil goes on practising.
class ResultsStore final : public ResultsReader {
public:
    // platform::accountDataDir() + "/results.sqlite".
    static QString defaultPath();

    explicit ResultsStore(const QString& path = defaultPath(), const StoreOptions& options = {});
    ~ResultsStore() override;
    ResultsStore(const ResultsStore&) = delete;
    ResultsStore& operator=(const ResultsStore&) = delete;

    QString path() const { return m_path; }
    bool isOpen() const;
    // False when opened for reading only, or not open.
    bool canWrite() const { return isOpen() && m_writable; }

    // Keeps one answer, committed before it returns. An answer whose id is
    // already kept is not kept twice (and counts as kept). A missing id or
    // time is filled in.
    bool record(const AnswerRecord& answer);
    // Keeps many answers in one transaction: all of them or none.
    bool recordAll(const QList<AnswerRecord>& answers);
    int answerCount(const QString& pupil = {}) const;

    // The class list. Names are cleaned (cleanName) and checked (checkName);
    // a refused change returns false and lastError() says why in one line.
    QStringList pupils() const override;
    bool addPupil(const QString& name);
    // The pupil's answers follow the new name.
    bool renamePupil(const QString& from, const QString& to);
    // Off the list; the answers stay.
    bool removePupil(const QString& name);
    // Off the list with every answer of the pupil, the space they took
    // overwritten. False when there was nothing of the name to forget.
    bool forgetPupil(const QString& name);
    // Adds the names of a text or CSV file; `report` gets one line saying
    // how many were added and left out. False when the file cannot be read
    // or the list cannot be changed.
    bool importPupils(const QString& filePath, QString* report = nullptr);
    QString lastError() const { return m_lastError; }

    QList<PupilExerciseSummary> summary() const override;
    QList<DailyShare> dailyShares(const QString& pupil, const QString& exercise) const override;
    bool forEachAnswer(const QString& pupil, const std::function<void(const AnswerRecord&)>& visit) const override;
    // One line in the current language; reads the language file, so it is
    // asked in the thread of the windows. problemKind() may be asked anywhere.
    QString problem() const override;
    StoreProblem problemKind() const { return m_problem; }

    // For the school server's sender: answers not sent yet, oldest first.
    QList<AnswerRecord> unsent(int limit) const;
    bool markSent(const QList<QUuid>& ids);
    int unsentCount() const;

    // The schema version found on opening (0 for a new database).
    int versionFound() const { return m_versionFound; }

private:
    void open();
    bool openConnection(bool readOnly);
    void closeConnection();
    bool putAsideDamaged();
    // Sets the problem from a failed statement; returns false.
    bool fail(const QSqlError& error) const;
    void clearPassingProblem();
    bool refuse(language::Message message, const QString& detail = {});
    bool ensureWritable();

    // A change to the class list: its fault kept as the line to show; false.
    bool failEdit(const QSqlError& error);
    // Whether the class list may be changed; otherwise why not is kept.
    bool editable();
    // Ends the transaction of a change: committed when every statement went
    // well (`ok`), rolled back with the fault kept otherwise.
    bool commitEdit(QSqlQuery& query, bool ok);

    QString m_path;
    StoreOptions m_options;
    QString m_connectionName;
    QSqlDatabase m_db;
    bool m_writable = false;
    int m_versionFound = 0;
    mutable StoreProblem m_problem = StoreProblem::None;
    mutable QString m_detail;
    QString m_lastError;
    std::unique_ptr<QSqlQuery> m_insert;
};

// The line said for a problem, in the current language (English when the
// language file lacks it).
QString problemText(StoreProblem problem, const QString& detail);

} // namespace results
