#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Replaces a file's contents with `bytes`. Where the file's folder is writable
// the new contents are written beside it and renamed over it, so a crash or a
// full disk never leaves half a file behind. Where only the file itself is
// writable (a folder owned by the administrator holding a file opened up to
// the users), or where the file belongs to another user or group than the
// writer's (a rename would hand it over to the writer and lock the others
// out), it is rewritten in place. A link is followed to the file it names.
// Returns false when the file could not be written.
bool saveFileBytes(const QString& path, const QByteArray& bytes);

} // namespace platform
