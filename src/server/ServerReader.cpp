#include "server/ServerReader.h"

#include "language/LanguageSupport.h"
#include "platform/services/Settings.h"
#include "server/ServerConnection.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

namespace server {

namespace {

// Times leave the server as milliseconds since 1970 (UTC), so no time zone of
// the server or the driver stands between.
QDateTime fromMilliseconds(const QVariant& value)
{
    return QDateTime::fromMSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

// "WHERE class = ?" when a class is chosen, with `more` conditions.
QString whereClause(const QString& className, QStringList more = {})
{
    if (!className.isEmpty())
        more.prepend(QStringLiteral("class = ?"));
    return more.isEmpty() ? QString() : QStringLiteral(" WHERE ") + more.join(QStringLiteral(" AND "));
}

} // namespace

ServerReader::ServerReader(ServerAddress address, const QString& teacher, const QString& password, QString className)
    : m_connection(std::make_unique<ServerConnection>(std::move(address), password, teacher))
    , m_className(std::move(className))
{
}

ServerReader::~ServerReader() = default;

bool ServerReader::open()
{
    if (!m_connection->open()) {
        m_problem = m_connection->problem();
        m_loggedIn = false;
        return false;
    }
    m_loggedIn = true;
    // Reading only, whatever the role may do.
    QSqlQuery(m_connection->database()).exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
    m_problem.clear();
    return true;
}

QStringList ServerReader::pupils() const
{
    QStringList names;
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    // The class lists in the teacher's order, then anyone who answered without being on one.
    const QString sql = QStringLiteral(
        "SELECT pupil FROM (SELECT pupil, min(position) AS position, 0 AS listed FROM gonioma.class_lists%1 GROUP BY pupil "
        "UNION ALL SELECT DISTINCT pupil, 0, 1 FROM gonioma.answers%1) AS p "
        "GROUP BY pupil ORDER BY min(listed), min(position), pupil").arg(whereClause(m_className));
    if (!query.prepare(sql)) {
        m_problem = oneLine(query.lastError().text());
        return names;
    }
    if (!m_className.isEmpty()) {
        query.addBindValue(m_className);
        query.addBindValue(m_className);
    }
    if (!query.exec()) {
        m_problem = oneLine(query.lastError().text());
        return names;
    }
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

QList<results::PupilExerciseSummary> ServerReader::summary() const
{
    QList<results::PupilExerciseSummary> lines;
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral(
        "SELECT pupil, exercise, count(*), count(*) FILTER (WHERE attempt = 1), "
        "count(*) FILTER (WHERE attempt = 1 AND is_right), "
        "(extract(epoch FROM max(answered_at)) * 1000)::bigint "
        "FROM gonioma.answers%1 GROUP BY pupil, exercise ORDER BY pupil, exercise").arg(whereClause(m_className));
    if (!query.prepare(sql)) {
        m_problem = oneLine(query.lastError().text());
        return lines;
    }
    if (!m_className.isEmpty())
        query.addBindValue(m_className);
    if (!query.exec()) {
        m_problem = oneLine(query.lastError().text());
        return lines;
    }
    while (query.next()) {
        results::PupilExerciseSummary line;
        line.pupil = query.value(0).toString();
        line.exercise = query.value(1).toString();
        line.answers = query.value(2).toInt();
        line.questions = query.value(3).toInt();
        line.rightAtFirstTry = query.value(4).toInt();
        line.lastPractised = fromMilliseconds(query.value(5));
        lines.append(line);
    }
    return lines;
}

QList<results::DailyShare> ServerReader::dailyShares(const QString& pupil, const QString& exercise) const
{
    QList<results::DailyShare> days;
    QStringList conditions;
    if (!pupil.isEmpty())
        conditions << QStringLiteral("pupil = ?");
    if (!exercise.isEmpty())
        conditions << QStringLiteral("exercise = ?");
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral(
        "SELECT to_char(answered_at AT TIME ZONE 'UTC', 'YYYY-MM-DD') AS day, count(*), count(*) FILTER (WHERE is_right) "
        "FROM gonioma.answers%1 GROUP BY day ORDER BY day").arg(whereClause(m_className, conditions));
    if (!query.prepare(sql)) {
        m_problem = oneLine(query.lastError().text());
        return days;
    }
    if (!m_className.isEmpty())
        query.addBindValue(m_className);
    if (!pupil.isEmpty())
        query.addBindValue(pupil);
    if (!exercise.isEmpty())
        query.addBindValue(exercise);
    if (!query.exec()) {
        m_problem = oneLine(query.lastError().text());
        return days;
    }
    while (query.next()) {
        results::DailyShare day;
        day.day = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        day.answers = query.value(1).toInt();
        day.right = query.value(2).toInt();
        days.append(day);
    }
    return days;
}

bool ServerReader::forEachAnswer(const QString& pupil, const std::function<void(const results::AnswerRecord&)>& visit) const
{
    // A page at a time, each after the last one's (time, id), so a year of
    // answers never lies whole in memory.
    QString lastTime;
    QString lastId;
    for (;;) {
        QStringList conditions;
        if (!pupil.isEmpty())
            conditions << QStringLiteral("pupil = ?");
        if (!lastId.isEmpty())
            conditions << QStringLiteral("(answered_at, id) > (?::timestamptz, ?::uuid)");
        QSqlQuery query(m_connection->database());
        query.setForwardOnly(true);
        const QString sql = QStringLiteral(
            "SELECT id::text, (extract(epoch FROM answered_at) * 1000)::bigint, pupil, exercise, question, answer, is_right, "
            "attempt, seconds_shown, language, round, answered_at::text FROM gonioma.answers%1 "
            "ORDER BY answered_at, id LIMIT %2").arg(whereClause(m_className, conditions)).arg(m_pageSize);
        bool ok = query.prepare(sql);
        if (ok) {
            if (!m_className.isEmpty())
                query.addBindValue(m_className);
            if (!pupil.isEmpty())
                query.addBindValue(pupil);
            if (!lastId.isEmpty()) {
                query.addBindValue(lastTime);
                query.addBindValue(lastId);
            }
            ok = query.exec();
        }
        if (!ok) {
            m_problem = oneLine(query.lastError().text());
            return false;
        }
        int rows = 0;
        while (query.next()) {
            ++rows;
            results::AnswerRecord answer;
            lastId = query.value(0).toString();
            answer.id = QUuid::fromString(lastId);
            answer.answeredAt = fromMilliseconds(query.value(1));
            answer.pupil = query.value(2).toString();
            answer.exercise = query.value(3).toString();
            answer.question = query.value(4).toString();
            answer.answer = query.value(5).toString();
            answer.right = query.value(6).toBool();
            answer.attempt = query.value(7).toInt();
            answer.secondsShown = query.value(8).toDouble();
            answer.language = query.value(9).toString();
            answer.round = query.value(10).toString();
            lastTime = query.value(11).toString();
            visit(answer);
        }
        if (query.lastError().isValid()) {
            m_problem = oneLine(query.lastError().text());
            return false;
        }
        if (rows < m_pageSize)
            return true;
    }
}

QStringList ServerReader::classes() const
{
    QStringList names;
    QSqlQuery query(m_connection->database());
    if (!query.exec(QStringLiteral("SELECT class FROM gonioma.class_lists UNION SELECT DISTINCT class FROM gonioma.answers "
                                   "ORDER BY 1"))) {
        m_problem = oneLine(query.lastError().text());
        return names;
    }
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

QList<ComputerBacklog> ServerReader::backlogs() const
{
    QList<ComputerBacklog> list;
    QSqlQuery query(m_connection->database());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral(
        "SELECT computer, account, class, unsent, (extract(epoch FROM reported_at) * 1000)::bigint "
        "FROM gonioma.computers%1 ORDER BY unsent DESC, computer, account").arg(whereClause(m_className, {QStringLiteral("unsent > 0")}));
    if (!query.prepare(sql)) {
        m_problem = oneLine(query.lastError().text());
        return list;
    }
    if (!m_className.isEmpty())
        query.addBindValue(m_className);
    if (!query.exec()) {
        m_problem = oneLine(query.lastError().text());
        return list;
    }
    while (query.next())
        list.append(ComputerBacklog{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                    query.value(3).toInt(), fromMilliseconds(query.value(4))});
    return list;
}

QString backlogLine(const ComputerBacklog& backlog)
{
    return messageText(language::Message::ServerComputerBacklog,
                       QStringLiteral("%1 (%2): %3 answers not yet sent; last report at %4"))
        .arg(backlog.computer, backlog.account, QString::number(backlog.unsent),
             QLocale().toString(backlog.reportedAt.toLocalTime(), QLocale::ShortFormat));
}

std::optional<ServerAddress> schoolServerAddress()
{
    const SchoolServerSetting setting = readSchoolServerSetting(platform::schoolSettingsPath());
    if (!setting.settings)
        return std::nullopt;
    return setting.settings->address;
}

std::unique_ptr<ServerReader> openSchoolResults(const QString& teacher, const QString& password, const QString& className)
{
    const std::optional<ServerAddress> address = schoolServerAddress();
    if (!address)
        return nullptr;
    auto reader = std::make_unique<ServerReader>(*address, teacher, password, className);
    reader->open();
    return reader;
}

QString ServerReader::problem() const
{
    if (m_problem.isEmpty())
        return {};
    if (!m_loggedIn)
        return messageText(language::Message::ServerTeacherRefused,
                           QStringLiteral("The school server refused the log-in: %1"))
            .arg(m_problem);
    return messageText(language::Message::ServerReadingFailed,
                       QStringLiteral("The school server could not give the results: %1"))
        .arg(m_problem);
}

} // namespace server
