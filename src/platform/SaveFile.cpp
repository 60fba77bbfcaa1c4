#include "platform/SaveFile.h"

#include <QSaveFile>

namespace platform {

bool saveFileBytes(const QString& path, const QByteArray& bytes)
{
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
