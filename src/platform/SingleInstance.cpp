#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>

#include <unistd.h>

namespace platform {

SingleInstance::SingleInstance(const QString& lockFilePath)
    : m_lock(std::make_unique<QLockFile>(lockFilePath))
{
    // Only a dead owner makes a lock stale, never its age: the program may
    // stay open all day.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::previousInstanceRunning()
{
    if (!m_checked) {
        m_checked = true;
        m_running = !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError;
    }
    return m_running;
}

QString SingleInstance::defaultLockFilePath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("gonioma-%1.lock").arg(getuid()));
}

} // namespace platform
