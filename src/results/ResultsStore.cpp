#include "results/ResultsStore.h"

#include "results/Schema.h"
#include "language/LanguageSupport.h"
#include "platform/services/Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace results {

using language::Message;

namespace {

// SQLite's primary result codes that say something to the pupil.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

QString connectionName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("gonioma-results-%1").arg(next.fetch_add(1));
}

QString englishText(StoreProblem problem)
{
    switch (problem) {
    case StoreProblem::None: return {};
    case StoreProblem::FolderNotWritable: return QStringLiteral("Answers are not being kept: the folder %1 cannot be written.");
    case StoreProblem::DiskFull: return QStringLiteral("Answers are not being kept: the disk is full.");
    case StoreProblem::Locked: return QStringLiteral("Answers are not being kept for now: another program is using %1.");
    case StoreProblem::Damaged:
        return QStringLiteral("The results file was damaged: it was put aside as %1 and a new one begun.");
    case StoreProblem::NewerVersion:
        return QStringLiteral("The results file comes from a newer version of the program: it is only read, never changed.");
    case StoreProblem::Failed: return QStringLiteral("Answers are not being kept: %1");
    }
    return {};
}

Message messageOf(StoreProblem problem)
{
    switch (problem) {
    case StoreProblem::FolderNotWritable: return Message::ResultsFolderNotWritable;
    case StoreProblem::DiskFull: return Message::ResultsDiskFull;
    case StoreProblem::Locked: return Message::ResultsLocked;
    case StoreProblem::Damaged: return Message::ResultsDamaged;
    case StoreProblem::NewerVersion: return Message::ResultsNewerVersion;
    case StoreProblem::None:
    case StoreProblem::Failed: break;
    }
    return Message::ResultsFailed;
}

// A text in the current language, else the English words.
QString lookup(Message message, const QString& english)
{
    const QString text = language::LookupString(message);
    return text.isEmpty() ? english : text;
}

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

constexpr char kAnswerColumns[] = "uuid, answered_at, pupil, exercise, question, answer, right, attempt, "
                                  "seconds_shown, language, round";

// An empty text, never a null one (which SQL keeps as NULL).
QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

AnswerRecord answerFrom(const QSqlQuery& q)
{
    AnswerRecord a;
    a.id = QUuid::fromString(q.value(0).toString());
    a.answeredAt = QDateTime::fromMSecsSinceEpoch(q.value(1).toLongLong(), Qt::UTC);
    a.pupil = q.value(2).toString();
    a.exercise = q.value(3).toString();
    a.question = q.value(4).toString();
    a.answer = q.value(5).toString();
    a.right = q.value(6).toInt() != 0;
    a.attempt = q.value(7).toInt();
    a.secondsShown = q.value(8).toDouble();
    a.language = q.value(9).toString();
    a.round = q.value(10).toString();
    return a;
}

} // namespace

QString problemText(StoreProblem problem, const QString& detail)
{
    if (problem == StoreProblem::None)
        return {};
    QString text = lookup(messageOf(problem), englishText(problem));
    if (text.contains(QStringLiteral("%1")))
        text = text.arg(detail);
    return oneLine(text);
}

QString ResultsStore::defaultPath()
{
    return platform::accountDataDir() + QStringLiteral("/results.sqlite");
}

ResultsStore::ResultsStore(const QString& path, const StoreOptions& options)
    : m_path(path)
    , m_options(options)
    , m_connectionName(connectionName())
{
    open();
}

ResultsStore::~ResultsStore()
{
    closeConnection();
}

bool ResultsStore::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

void ResultsStore::closeConnection()
{
    m_insert.reset();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_writable = false;
}

bool ResultsStore::openConnection(bool readOnly)
{
    closeConnection();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(m_path);
    QString connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(std::max(0, m_options.busyTimeoutMs));
    if (readOnly)
        connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_db.setConnectOptions(connectOptions);
    if (!m_db.open()) {
        const QSqlError error = m_db.lastError();
        closeConnection();
        m_problem = StoreProblem::Failed;
        m_detail = error.text();
        return false;
    }
    m_writable = !readOnly;
    return true;
}

bool ResultsStore::putAsideDamaged()
{
    closeConnection();
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = m_path + QStringLiteral(".damaged-") + stamp;
    if (!QFile::rename(m_path, aside))
        return false;
    // The log and index of the damaged file belong with it.
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString part = m_path + QLatin1String(suffix);
        if (QFile::exists(part))
            QFile::rename(part, aside + QLatin1String(suffix));
    }
    m_problem = StoreProblem::Damaged;
    m_detail = QDir::toNativeSeparators(aside);
    return true;
}

void ResultsStore::open()
{
    m_problem = StoreProblem::None;
    m_detail.clear();
    const QFileInfo file(m_path);
    const QString folder = file.absolutePath();
    bool readOnly = m_options.readOnly;
    if (!readOnly) {
        const bool folderUsable = QDir().mkpath(folder) && QFileInfo(folder).isWritable()
                                  && (!file.exists() || file.isWritable());
        if (!folderUsable) {
            m_problem = StoreProblem::FolderNotWritable;
            m_detail = QDir::toNativeSeparators(folder);
            // What is there may still be read.
            if (!file.exists())
                return;
            readOnly = true;
        }
    } else if (!file.exists()) {
        m_problem = StoreProblem::Failed;
        m_detail = QDir::toNativeSeparators(m_path) + QStringLiteral(": ") + QStringLiteral("no such file");
        return;
    }
    const StoreProblem before = m_problem;
    const QString beforeDetail = m_detail;
    if (!openConnection(readOnly)) {
        if (before != StoreProblem::None) {
            m_problem = before;
            m_detail = beforeDetail;
        }
        return;
    }
    m_problem = before;
    m_detail = beforeDetail;

    QSqlError versionError;
    m_versionFound = schema::versionOf(m_db, &versionError);
    const int code = primaryCode(versionError);
    // Not a database at all: put aside, never deleted, and begun anew. A
    // file that is only locked is left alone.
    if (m_versionFound < 0 && !readOnly && (code == kSqliteNotADatabase || code == kSqliteCorrupt)
        && putAsideDamaged()) {
        const StoreProblem damaged = m_problem;
        const QString where = m_detail;
        if (!openConnection(false))
            return;
        m_problem = damaged;
        m_detail = where;
        m_versionFound = schema::versionOf(m_db, &versionError);
    }
    if (m_versionFound < 0) {
        closeConnection();
        fail(versionError);
        return;
    }
    if (m_versionFound > schema::kVersion) {
        m_problem = StoreProblem::NewerVersion;
        m_detail.clear();
        if (!readOnly && !openConnection(true))
            return;
        m_problem = StoreProblem::NewerVersion;
        return;
    }
    QSqlQuery pragma(m_db);
    if (!readOnly) {
        // The log lets the teacher's view read while a pupil answers; a
        // commit survives the program being killed.
        pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        // A forgotten pupil's answers leave nothing behind in the file.
        pragma.exec(QStringLiteral("PRAGMA secure_delete = ON"));
        if (m_options.maxPageCount > 0)
            pragma.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(m_options.maxPageCount));
        QSqlError error;
        if (m_versionFound < schema::kVersion && !schema::upgrade(m_db, m_versionFound, schema::kVersion, &error)) {
            pragma.finish();
            closeConnection();
            fail(error);
            return;
        }
    } else if (m_versionFound < schema::kVersion && m_versionFound != 0) {
        // An older file read as it is: the answers' newer columns are missing.
        m_problem = StoreProblem::Failed;
        m_detail = QStringLiteral("schema version %1").arg(m_versionFound);
    }
}

bool ResultsStore::fail(const QSqlError& error) const
{
    switch (primaryCode(error)) {
    case kSqliteBusy:
    case kSqliteLocked:
        m_problem = StoreProblem::Locked;
        m_detail = QDir::toNativeSeparators(m_path);
        break;
    case kSqliteFull:
        m_problem = StoreProblem::DiskFull;
        m_detail.clear();
        break;
    case kSqliteReadOnly:
    case kSqliteCantOpen:
        m_problem = StoreProblem::FolderNotWritable;
        m_detail = QDir::toNativeSeparators(QFileInfo(m_path).absolutePath());
        break;
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
    default:
        m_problem = StoreProblem::Failed;
        m_detail = error.text();
        break;
    }
    return false;
}

void ResultsStore::clearPassingProblem()
{
    // A lock, a full disk or a failed write pass; the other problems stay.
    if (m_problem == StoreProblem::Locked || m_problem == StoreProblem::DiskFull || m_problem == StoreProblem::Failed) {
        m_problem = StoreProblem::None;
        m_detail.clear();
    }
}

bool ResultsStore::ensureWritable()
{
    if (canWrite())
        return true;
    // A folder that could not be written may be by now; a newer file never is.
    if (m_options.readOnly || m_problem == StoreProblem::NewerVersion)
        return false;
    open();
    return canWrite();
}

QString ResultsStore::problem() const
{
    return problemText(m_problem, m_detail);
}

bool ResultsStore::recordAll(const QList<AnswerRecord>& answers)
{
    if (!ensureWritable())
        return false;
    if (!m_db.transaction())
        return fail(m_db.lastError());
    for (const AnswerRecord& answer : answers) {
        if (!record(answer)) {
            m_db.rollback();
            return false;
        }
    }
    if (!m_db.commit()) {
        const QSqlError error = m_db.lastError();
        m_db.rollback();
        return fail(error);
    }
    return true;
}

bool ResultsStore::record(const AnswerRecord& answer)
{
    if (!ensureWritable())
        return false;
    if (!m_insert) {
        m_insert = std::make_unique<QSqlQuery>(m_db);
        // Only an answer already kept is passed over: any other refusal is a fault.
        if (!m_insert->prepare(QStringLiteral("INSERT INTO answers (%1, sent) "
                                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0) "
                                              "ON CONFLICT (uuid) DO NOTHING")
                                   .arg(QLatin1String(kAnswerColumns)))) {
            const QSqlError error = m_insert->lastError();
            m_insert.reset();
            return fail(error);
        }
    }
    const QUuid id = answer.id.isNull() ? QUuid::createUuid() : answer.id;
    const QDateTime when = answer.answeredAt.isValid() ? answer.answeredAt : QDateTime::currentDateTimeUtc();
    QSqlQuery& q = *m_insert;
    q.addBindValue(id.toString(QUuid::WithoutBraces));
    q.addBindValue(when.toMSecsSinceEpoch());
    q.addBindValue(text(answer.pupil));
    q.addBindValue(text(answer.exercise));
    q.addBindValue(text(answer.question));
    q.addBindValue(text(answer.answer));
    q.addBindValue(answer.right ? 1 : 0);
    q.addBindValue(answer.attempt);
    q.addBindValue(answer.secondsShown);
    q.addBindValue(text(answer.language));
    q.addBindValue(text(answer.round));
    // One statement outside a transaction is its own transaction: committed
    // when exec() returns.
    if (!q.exec()) {
        const QSqlError error = q.lastError();
        q.finish();
        return fail(error);
    }
    q.finish();
    clearPassingProblem();
    return true;
}

int ResultsStore::answerCount(const QString& pupil) const
{
    if (!isOpen())
        return 0;
    QSqlQuery q(m_db);
    if (pupil.isEmpty()) {
        q.prepare(QStringLiteral("SELECT COUNT(*) FROM answers"));
    } else {
        q.prepare(QStringLiteral("SELECT COUNT(*) FROM answers WHERE pupil = ?"));
        q.addBindValue(pupil);
    }
    if (!q.exec() || !q.next()) {
        fail(q.lastError());
        return 0;
    }
    return q.value(0).toInt();
}

QStringList ResultsStore::pupils() const
{
    QStringList names;
    if (!isOpen())
        return names;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT name FROM pupils ORDER BY position, rowid"))) {
        fail(q.lastError());
        return names;
    }
    while (q.next())
        names.append(q.value(0).toString());
    return names;
}

bool ResultsStore::failEdit(const QSqlError& error)
{
    fail(error);
    m_lastError = problem();
    return false;
}

bool ResultsStore::editable()
{
    if (ensureWritable())
        return true;
    m_lastError = problem();
    return false;
}

bool ResultsStore::commitEdit(QSqlQuery& query, bool ok)
{
    const QSqlError error = query.lastError();
    query.finish();
    if (ok && m_db.commit())
        return true;
    const QSqlError failure = ok ? m_db.lastError() : error;
    m_db.rollback();
    return failEdit(failure);
}

bool ResultsStore::refuse(Message message, const QString& detail)
{
    QString english;
    switch (message) {
    case Message::PupilNameEmpty: english = QStringLiteral("A name cannot be empty."); break;
    case Message::PupilNameTooLong: english = QStringLiteral("A name may have at most %1 characters."); break;
    case Message::PupilNameTaken: english = QStringLiteral("This name is already in the class list: %1"); break;
    case Message::PupilNameUnknown: english = QStringLiteral("This name is not in the class list: %1"); break;
    case Message::PupilImportUnreadable: english = QStringLiteral("The file %1 cannot be read."); break;
    default: english = QStringLiteral("%1"); break;
    }
    QString text = lookup(message, english);
    if (text.contains(QStringLiteral("%1")))
        text = text.arg(detail);
    m_lastError = oneLine(text);
    return false;
}

namespace {
// A name as it is shown in a line: a long one cut short.
QString shownName(const QString& name)
{
    return name.size() > 60 ? name.left(59) + QChar(0x2026) : name;
}
} // namespace

bool ResultsStore::addPupil(const QString& name)
{
    m_lastError.clear();
    const QString clean = cleanName(name);
    switch (checkName(clean)) {
    case NameFault::Empty: return refuse(Message::PupilNameEmpty);
    case NameFault::TooLong: return refuse(Message::PupilNameTooLong, QString::number(kMaxNameLength));
    case NameFault::None: break;
    }
    if (!editable())
        return false;
    if (pupils().contains(clean))
        return refuse(Message::PupilNameTaken, shownName(clean));
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("INSERT INTO pupils (name, position) "
                             "VALUES (?, (SELECT COALESCE(MAX(position), 0) + 1 FROM pupils))"));
    q.addBindValue(clean);
    if (!q.exec())
        return failEdit(q.lastError());
    clearPassingProblem();
    return true;
}

bool ResultsStore::renamePupil(const QString& from, const QString& to)
{
    m_lastError.clear();
    const QString oldName = cleanName(from);
    const QString newName = cleanName(to);
    switch (checkName(newName)) {
    case NameFault::Empty: return refuse(Message::PupilNameEmpty);
    case NameFault::TooLong: return refuse(Message::PupilNameTooLong, QString::number(kMaxNameLength));
    case NameFault::None: break;
    }
    if (!editable())
        return false;
    const QStringList names = pupils();
    if (!names.contains(oldName))
        return refuse(Message::PupilNameUnknown, shownName(oldName));
    if (oldName == newName)
        return true;
    if (names.contains(newName))
        return refuse(Message::PupilNameTaken, shownName(newName));
    if (!m_db.transaction())
        return failEdit(m_db.lastError());
    QSqlQuery q(m_db);
    bool ok = q.prepare(QStringLiteral("UPDATE pupils SET name = ? WHERE name = ?"));
    q.addBindValue(newName);
    q.addBindValue(oldName);
    ok = ok && q.exec();
    ok = ok && q.prepare(QStringLiteral("UPDATE answers SET pupil = ? WHERE pupil = ?"));
    q.addBindValue(newName);
    q.addBindValue(oldName);
    ok = ok && q.exec();
    if (!commitEdit(q, ok))
        return false;
    clearPassingProblem();
    return true;
}

bool ResultsStore::removePupil(const QString& name)
{
    m_lastError.clear();
    const QString clean = cleanName(name);
    if (!editable())
        return false;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM pupils WHERE name = ?"));
    q.addBindValue(clean);
    if (!q.exec())
        return failEdit(q.lastError());
    if (q.numRowsAffected() == 0)
        return refuse(Message::PupilNameUnknown, shownName(clean));
    clearPassingProblem();
    return true;
}

bool ResultsStore::forgetPupil(const QString& name)
{
    m_lastError.clear();
    // Answers are kept under the name as given; the list holds it cleaned.
    const QString clean = cleanName(name);
    if (!editable())
        return false;
    if (!m_db.transaction())
        return failEdit(m_db.lastError());
    QSqlQuery q(m_db);
    int forgotten = 0;
    bool ok = q.prepare(QStringLiteral("DELETE FROM answers WHERE pupil = ? OR pupil = ?"));
    q.addBindValue(name);
    q.addBindValue(clean);
    ok = ok && q.exec();
    forgotten += ok ? q.numRowsAffected() : 0;
    ok = ok && q.prepare(QStringLiteral("DELETE FROM pupils WHERE name = ?"));
    q.addBindValue(clean);
    ok = ok && q.exec();
    forgotten += ok ? q.numRowsAffected() : 0;
    if (!commitEdit(q, ok))
        return false;
    // The log may still hold the pages: moved into the file and emptied.
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    q.finish();
    clearPassingProblem();
    if (forgotten == 0)
        return refuse(Message::PupilNameUnknown, shownName(clean));
    return true;
}

bool ResultsStore::importPupils(const QString& filePath, QString* report)
{
    m_lastError.clear();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(Message::PupilImportUnreadable, QDir::toNativeSeparators(filePath));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(Message::PupilImportUnreadable, QDir::toNativeSeparators(filePath));
    if (!editable())
        return false;
    const ClassListText read = readClassList(bytes, isCsvFileName(filePath), pupils());
    if (!m_db.transaction())
        return failEdit(m_db.lastError());
    QSqlQuery q(m_db);
    bool ok = q.exec(QStringLiteral("SELECT COALESCE(MAX(position), 0) FROM pupils")) && q.next();
    qint64 position = ok ? q.value(0).toLongLong() : 0;
    ok = ok && q.prepare(QStringLiteral("INSERT INTO pupils (name, position) VALUES (?, ?)"));
    for (const QString& name : read.names) {
        if (!ok)
            break;
        q.addBindValue(name);
        q.addBindValue(++position);
        ok = q.exec();
    }
    if (!commitEdit(q, ok))
        return false;
    clearPassingProblem();
    if (report) {
        const QString text = lookup(Message::PupilImportDone,
                                    QStringLiteral("%1 names added; left out: %2 blank lines, %3 repeated names, "
                                                   "%4 names too long."));
        *report = oneLine(text.arg(read.names.size()).arg(read.blankLines).arg(read.duplicates).arg(read.tooLong));
    }
    return true;
}

QList<PupilExerciseSummary> ResultsStore::summary() const
{
    QList<PupilExerciseSummary> rows;
    if (!isOpen())
        return rows;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT pupil, exercise, COUNT(*), SUM(attempt = 1), SUM(attempt = 1 AND right <> 0), "
                               "MAX(answered_at) FROM answers GROUP BY pupil, exercise ORDER BY pupil, exercise"))) {
        fail(q.lastError());
        return rows;
    }
    while (q.next()) {
        PupilExerciseSummary row;
        row.pupil = q.value(0).toString();
        row.exercise = q.value(1).toString();
        row.answers = q.value(2).toInt();
        row.questions = q.value(3).toInt();
        row.rightAtFirstTry = q.value(4).toInt();
        row.lastPractised = QDateTime::fromMSecsSinceEpoch(q.value(5).toLongLong(), Qt::UTC);
        rows.append(row);
    }
    return rows;
}

QList<DailyShare> ResultsStore::dailyShares(const QString& pupil, const QString& exercise) const
{
    QList<DailyShare> days;
    if (!isOpen())
        return days;
    QString where;
    if (!pupil.isEmpty())
        where += QStringLiteral(" AND pupil = :pupil");
    if (!exercise.isEmpty())
        where += QStringLiteral(" AND exercise = :exercise");
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT date(answered_at / 1000, 'unixepoch') AS day, COUNT(*), SUM(right <> 0) "
                             "FROM answers WHERE 1%1 GROUP BY day ORDER BY day")
                  .arg(where));
    if (!pupil.isEmpty())
        q.bindValue(QStringLiteral(":pupil"), pupil);
    if (!exercise.isEmpty())
        q.bindValue(QStringLiteral(":exercise"), exercise);
    if (!q.exec()) {
        fail(q.lastError());
        return days;
    }
    while (q.next())
        days.append({QDate::fromString(q.value(0).toString(), Qt::ISODate), q.value(1).toInt(), q.value(2).toInt()});
    return days;
}

bool ResultsStore::forEachAnswer(const QString& pupil, const std::function<void(const AnswerRecord&)>& visit) const
{
    if (!isOpen())
        return false;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (pupil.isEmpty()) {
        q.prepare(QStringLiteral("SELECT %1 FROM answers ORDER BY answered_at, rowid").arg(QLatin1String(kAnswerColumns)));
    } else {
        q.prepare(QStringLiteral("SELECT %1 FROM answers WHERE pupil = ? ORDER BY answered_at, rowid")
                      .arg(QLatin1String(kAnswerColumns)));
        q.addBindValue(pupil);
    }
    if (!q.exec())
        return fail(q.lastError());
    while (q.next())
        visit(answerFrom(q));
    // A read that stopped part way says so.
    if (q.lastError().isValid())
        return fail(q.lastError());
    return true;
}

QList<AnswerRecord> ResultsStore::unsent(int limit) const
{
    QList<AnswerRecord> answers;
    if (!isOpen() || limit <= 0)
        return answers;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM answers WHERE sent = 0 ORDER BY rowid LIMIT ?")
                  .arg(QLatin1String(kAnswerColumns)));
    q.addBindValue(limit);
    if (!q.exec()) {
        fail(q.lastError());
        return answers;
    }
    while (q.next())
        answers.append(answerFrom(q));
    return answers;
}

bool ResultsStore::markSent(const QList<QUuid>& ids)
{
    if (ids.isEmpty())
        return true;
    if (!ensureWritable())
        return false;
    if (!m_db.transaction())
        return fail(m_db.lastError());
    QSqlQuery q(m_db);
    bool ok = q.prepare(QStringLiteral("UPDATE answers SET sent = 1 WHERE uuid = ?"));
    for (const QUuid& id : ids) {
        if (!ok)
            break;
        q.addBindValue(id.toString(QUuid::WithoutBraces));
        ok = q.exec();
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (!ok || !m_db.commit()) {
        const QSqlError failure = ok ? m_db.lastError() : error;
        m_db.rollback();
        return fail(failure);
    }
    clearPassingProblem();
    return true;
}

int ResultsStore::unsentCount() const
{
    if (!isOpen())
        return 0;
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM answers WHERE sent = 0")) || !q.next()) {
        fail(q.lastError());
        return 0;
    }
    return q.value(0).toInt();
}

} // namespace results
