#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// Tells whether another copy of the program is running, through a per-user
// lock file in the temporary directory. The lock is held for as long as this
// object lives; a lock left behind by a killed copy does not block.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockFilePath = defaultLockFilePath());
    ~SingleInstance();

    bool previousInstanceRunning();

    static QString defaultLockFilePath();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_checked = false;
    bool m_running = false;
};

} // namespace platform
