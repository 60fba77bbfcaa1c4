#include "platform/services/FreedMemory.h"

#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void giveBackFreedMemorySoon()
{
#if defined(__GLIBC__)
    static bool pending = false;
    if (pending)
        return;
    pending = true;
    QTimer::singleShot(0, [] {
        pending = false;
        malloc_trim(0);
    });
#endif
}

} // namespace platform
