#include "platform/services/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace platform {

namespace {
// Whether a lock that could not be taken belongs to a copy still running. A
// killed copy's lock is normally taken over; one that cannot be removed (a
// folder since made read-only) would otherwise keep the program from ever
// starting. A lock that cannot be read may be one being written this moment,
// and one made on another machine cannot be checked: both count as held.
bool heldByARunningCopy(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0)
        return true;
    if (host != QSysInfo::machineHostName())
        return true;
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}
} // namespace

SingleInstance::SingleInstance(QStringList lockFilePaths)
    : m_paths(std::move(lockFilePaths))
{
}

SingleInstance::SingleInstance(const QString& lockFilePath)
    : SingleInstance(QStringList{lockFilePath})
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::previousInstanceRunning()
{
    if (m_checked)
        return m_running;
    m_checked = true;
    for (const QString& path : std::as_const(m_paths)) {
        auto lock = std::make_unique<QLockFile>(path);
        // Only a dead owner makes a lock stale, never its age: the program
        // may stay open all day.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            m_heldPath = path;
            return m_running = false;
        }
        if (lock->error() == QLockFile::LockFailedError && heldByARunningCopy(*lock))
            return m_running = true;
        // No lock can be made here, or only a dead copy's stays: try the next place.
    }
    return m_running = false;
}

QString SingleInstance::heldLockPath() const
{
    return m_heldPath;
}

QStringList SingleInstance::defaultLockFilePaths()
{
    // A temporary directory that does not exist comes back empty: never the
    // root of the file system.
    const QString name = QStringLiteral("gonioma-%1.lock").arg(getuid());
    QStringList paths;
    const QString temp = QDir::tempPath();
    if (!temp.isEmpty())
        paths.append(temp + u'/' + name);
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        paths.append(runtime + u'/' + name);
    const QString home = QDir::homePath();
    if (!home.isEmpty())
        paths.append(home + QStringLiteral("/.") + name);
    paths.removeDuplicates();
    return paths;
}

} // namespace platform
