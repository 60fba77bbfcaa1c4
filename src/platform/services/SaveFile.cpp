#include "platform/services/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace platform {

namespace {

// A file renamed into place belongs to whoever wrote it.
bool renameKeepsOwnership(const QFileInfo& file)
{
    return !file.exists() || (file.ownerId() == ::geteuid() && file.groupId() == ::getegid());
}

bool writeInPlace(const QString& path, const QByteArray& bytes)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = out.write(bytes) == bytes.size() && out.flush();
    out.close();
    return written && out.error() == QFileDevice::NoError;
}

} // namespace

bool saveFileBytes(const QString& path, const QByteArray& bytes)
{
    if (!renameKeepsOwnership(QFileInfo(path)))
        return writeInPlace(path, bytes);
    QSaveFile out(path);
    // When the folder refuses the file written beside, Qt writes this one in
    // place instead; it also follows a link to its target.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace platform
