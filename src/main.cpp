#include "app/CommandLine.h"
#include "app/ExerciseList.h"
#include "app/ResultsCommands.h"
#include "app/WindowCatalog.h"
#include "language/LanguageFiles.h"
#include "language/LanguageSupport.h"
#include "shared/ModuloColoriSuoni.h"
#include "app/ProgramIcon.h"
#include "app/StartUp.h"
#include "exercise/FanDrawing.h"
#include "platform/widgets/Accessibility.h"
#include "platform/services/AppDir.h"
#include "platform/widgets/FocusStyle.h"
#include "platform/services/EventYield.h"
#include "platform/services/Screen.h"
#include "platform/services/SingleInstance.h"
#include "sound/SoundHelper.h"
#include "sound/SoundPlayer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QPixmapCache>
#include <QTimer>

#include <cstdio>
#include <variant>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
constexpr int kPixmapCacheKb = 512;
// Sounds are heard only after a pupil's first answer: the sound helper, with
// the sound libraries it loads, is started once the first window is up, not on
// the way to it.
constexpr int kSoundLoadDelayMs = 300;
// `--windowed`: three quarters of the exercises' design size.
constexpr QSize kWindowedSize(800 * 3 / 4, 560 * 3 / 4);

// Writes the text on the output (the help, the version, the exercises) or,
// for a command-line error, the error output; returns the exit status.
int print(const QString& text, FILE* stream, int status)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream) ? status : 1;
}

// Reads the command line with a bare core application: the help, the version,
// `--list-exercises` and every error end here, with no window made, so they
// need no display; and they start no sounds and take no lock, so they can run
// beside a copy of the program. Otherwise returns what the run asks for.
std::variant<app::CommandLineOptions, int> readCommandLine(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    QStringList exercises;
    for (const app::WindowEntry& exercise : app::exerciseWindows())
        exercises += exercise.name;
    const auto parsed = app::parseCommandLine(QCoreApplication::arguments(), exercises,
                                              language::listLanguageNames(platform::AppDir::path()));
    if (const auto* error = std::get_if<app::CommandLineError>(&parsed))
        return print(error->message + u'\n', stderr, app::kCommandLineErrorStatus);
    const app::CommandLineOptions options = std::get<app::CommandLineOptions>(parsed);
    if (!options.language.isEmpty())
        language::useLanguageForThisRun(options.language);
    switch (options.action) {
    case app::CommandLineOptions::Action::ShowHelp: return print(app::commandLineHelp(), stdout, 0);
    case app::CommandLineOptions::Action::ShowVersion: return print(app::commandLineVersion(), stdout, 0);
    case app::CommandLineOptions::Action::ListExercises: return print(app::exerciseList(), stdout, 0);
    case app::CommandLineOptions::Action::ForgetPupil:
    case app::CommandLineOptions::Action::ExportResults:
        // The results' own lines come in the language of the run.
        language::CurrentLanguageFile = language::languageForTheRun();
        return options.action == app::CommandLineOptions::Action::ForgetPupil
                   ? app::forgetPupilCommand(options.forgetPupil, stdout, stderr)
                   : app::exportResultsCommand(options.exportPath, stdout, stderr);
    case app::CommandLineOptions::Action::Run: break;
    }
    return options;
}
} // namespace

int main(int argc, char** argv)
{
    const std::variant<app::CommandLineOptions, int> commandLine = readCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&commandLine))
        return *status;
    const app::CommandLineOptions& options = std::get<app::CommandLineOptions>(commandLine);
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

    if (options.windowed)
        platform::Screen::useWindow(kWindowedSize);

    platform::SingleInstance instance;
    if (!app::StartUp(instance, {!options.noSplash, options.exercise}))
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
