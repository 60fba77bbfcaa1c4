#include "server/SchoolSending.h"

#include "server/ServerConnection.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"

#include <QFileInfo>
#include <QSysInfo>

namespace server {

namespace {

SchoolSending*& currentSending()
{
    static SchoolSending* sending = nullptr;
    return sending;
}

} // namespace

StoreQueue::StoreQueue(const QString& databasePath)
    : m_path(databasePath)
{
}

StoreQueue::~StoreQueue() = default;

results::ResultsStore* StoreQueue::store() const
{
    if (!m_store || !m_store->isOpen()) {
        m_store.reset();
        m_store = std::make_unique<results::ResultsStore>(m_path);
    }
    return m_store->isOpen() ? m_store.get() : nullptr;
}

QList<results::AnswerRecord> StoreQueue::unsent(int limit) const
{
    results::ResultsStore* s = store();
    return s ? s->unsent(limit) : QList<results::AnswerRecord>();
}

bool StoreQueue::markSent(const QList<QUuid>& ids)
{
    results::ResultsStore* s = store();
    return s && s->markSent(ids);
}

int StoreQueue::unsentCount() const
{
    // No database yet: nothing was recorded, and the recording makes it.
    if (!m_store && !QFileInfo::exists(m_path))
        return 0;
    results::ResultsStore* s = store();
    return s ? s->unsentCount() : -1;
}

SenderOptions SchoolSending::defaultOptions()
{
    SenderOptions options;
    options.computer = QSysInfo::machineHostName();
    options.account = results::accountUserName();
    // The recording and the sender share only the database file: a look at
    // it four times a second (a count over an index of the unsent answers)
    // finds a new answer well within a second.
    options.idleLook = std::chrono::milliseconds(250);
    return options;
}

std::unique_ptr<SchoolSending> SchoolSending::start(const QString& settingsPath, const QString& databasePath,
                                                    QString* problem, SenderOptions options)
{
    const SchoolServerSetting setting = readSchoolServerSetting(settingsPath);
    if (!setting.settings) {
        if (problem)
            *problem = setting.problem;
        return nullptr;
    }
    QString passwordProblem;
    const QString password = readPasswordFile(setting.settings->passwordFile, &passwordProblem);
    if (!passwordProblem.isEmpty()) {
        if (problem)
            *problem = passwordProblem;
        return nullptr;
    }
    options.className = setting.settings->className;
    auto sender = std::make_unique<ServerSender>(
        setting.settings->address, password, [databasePath] { return std::make_unique<StoreQueue>(databasePath); },
        options);
    std::unique_ptr<SchoolSending> sending(new SchoolSending(*setting.settings, std::move(sender)));
    sending->m_sender->start();
    return sending;
}

SchoolSending::SchoolSending(ResultsServerSettings settings, std::unique_ptr<ServerSender> sender)
    : m_settings(std::move(settings))
    , m_sender(std::move(sender))
{
    currentSending() = this;
}

SchoolSending::~SchoolSending()
{
    m_sender->stop();
    if (currentSending() == this)
        currentSending() = nullptr;
}

SchoolSending* SchoolSending::current()
{
    return currentSending();
}

QString SchoolSending::statusLine() const
{
    const ServerSender::Status status = m_sender->status();
    if (status.unsent <= 0 && status.problem.isEmpty())
        return {};
    return unsentLine(status.unsent, status.problem);
}

QString unsentLine(int unsent, const QString& problem)
{
    using language::Message;
    QString line;
    if (unsent > 0)
        line = messageText(Message::ServerUnsentCount, QStringLiteral("%1 answers of this computer are not yet on the school server.")).arg(unsent);
    if (!problem.isEmpty()) {
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        line += messageText(Message::ServerUnreachable, QStringLiteral("The school server cannot be reached: %1")).arg(problem);
    }
    return line;
}

} // namespace server
