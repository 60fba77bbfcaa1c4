#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace platform {

// Tells whether another copy of the program is running, through a per-user
// lock file. The lock is held for as long as this object lives; a lock left
// behind by a killed copy does not block, even where it cannot be removed.
//
// The lock is made in the first of its places where it can be: the temporary
// directory, then the user's runtime directory, then the home directory. A
// place where no lock can be made (not writable, not a folder) is passed over;
// only when none can be made at all does the program start unguarded.
class SingleInstance {
public:
    explicit SingleInstance(QStringList lockFilePaths = defaultLockFilePaths());
    explicit SingleInstance(const QString& lockFilePath);
    ~SingleInstance();

    bool previousInstanceRunning();

    // Where this copy holds its lock; empty before the check, while another
    // copy runs, or when no lock could be made.
    QString heldLockPath() const;

    static QStringList defaultLockFilePaths();

private:
    QStringList m_paths;
    std::unique_ptr<QLockFile> m_lock;
    QString m_heldPath;
    bool m_checked = false;
    bool m_running = false;
};

} // namespace platform
