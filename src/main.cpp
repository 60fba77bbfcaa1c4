#include "app/ExerciseList.h"
#include "shared/ModuloColoriSuoni.h"
#include "app/ProgramIcon.h"
#include "app/StartUp.h"
#include "exercise/FanDrawing.h"
#include "platform/widgets/Accessibility.h"
#include "platform/services/AppDir.h"
#include "platform/widgets/FocusStyle.h"
#include "platform/services/EventYield.h"
#include "platform/services/SingleInstance.h"
#include "sound/SoundHelper.h"
#include "sound/SoundPlayer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QPixmapCache>
#include <QTimer>

#include <cstdio>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
constexpr int kPixmapCacheKb = 512;
// Sounds are heard only after a pupil's first answer: the sound helper, with
// the sound libraries it loads, is started once the first window is up, not on
// the way to it.
constexpr int kSoundLoadDelayMs = 300;

bool asksForExerciseList(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--list-exercises") == 0)
            return true;
    }
    return false;
}

// `gonioma --list-exercises`: the exercises the menu offers, one a line, and
// the end. No window is made, so it needs no display; and it starts no
// sounds and takes no lock, so it can run beside a copy of the program.
int printExerciseList(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    const QByteArray list = app::exerciseList().toUtf8();
    std::fwrite(list.constData(), 1, size_t(list.size()), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (asksForExerciseList(argc, argv))
        return printExerciseList(argc, argv);
#if defined(__GLIBC__)
    // Each exercise's drawing boxes hold images of several megabytes; mapped
    // on their own, they go back to the system when the exercise closes,
    // instead of staying in the heap for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    QApplication application(argc, argv);
    // The application's own title, shown by message boxes that give none; not
    // set as a display name, which the platform would append to every title.
    QApplication::setApplicationName(QStringLiteral("Gonioma"));
    QApplication::setWindowIcon(app::programIcon());
    // Windows are unloaded by the program itself; it ends when the last goes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The title's comic face, with its free counterpart on Linux.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    QApplication::setStyle(new platform::FocusStyle());
    platform::installAccessibleRoles();
    platform::EventYield::setPaceMs(exercise::kSweepPaceMs);
    // Qt's pixmap cache would otherwise keep up to 10 MB of button faces
    // drawn for windows long closed.
    QPixmapCache::setCacheLimit(kPixmapCacheKb);

    platform::SingleInstance instance;
    if (!app::StartUp(instance))
        return 0;
    QTimer::singleShot(kSoundLoadDelayMs, [] {
        sound::SoundHelper::start(platform::AppDir::path(), [](sound::SoundHelper& helper,
                                                               const sound::protocol::Report& report) {
            switch (report.kind) {
            case sound::protocol::Report::Ready:
                sound::SoundPlayer::useBackend(std::unique_ptr<sound::SoundBackend>(&helper));
                sound::SoundPlayer::preload(shared::allSoundPaths());
                return;
            case sound::protocol::Report::NoOutput:
                sound::SoundPlayer::switchOff();
                qInfo("Gonioma: no audio device, so sounds are off.");
                return;
            case sound::protocol::Report::Unavailable:
            case sound::protocol::Report::Invalid:
                sound::SoundPlayer::switchOff();
                qInfo("Gonioma: the sound helper could not be used (%s), so sounds are off.",
                      qUtf8Printable(report.reason));
                return;
            }
        });
    });
    const int result = QApplication::exec();
    // Windows unloaded on the way out are deleted before the program ends.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
