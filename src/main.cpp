#include "app/ModuloColoriSuoni.h"
#include "app/ProgramIcon.h"
#include "app/StartUp.h"
#include "platform/EventYield.h"
#include "platform/SingleInstance.h"
#include "platform/SoundPlayer.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gonioma"));
    QApplication::setApplicationDisplayName(QStringLiteral("Gonioma"));
    QApplication::setWindowIcon(app::programIcon());
    // Windows are unloaded by the program itself; it ends when the last goes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The title's comic face, with its free counterpart on Linux.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    // Each yield of a drawing lasts a few milliseconds, so fans open visibly.
    platform::EventYield::setPaceMs(3);
    platform::SoundPlayer::preload(app::allSoundPaths());

    platform::SingleInstance instance;
    if (!app::StartUp(instance))
        return 0;
    return QApplication::exec();
}
