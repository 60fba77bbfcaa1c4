#include "app/shared/ModuloColoriSuoni.h"
#include "app/ProgramIcon.h"
#include "app/StartUp.h"
#include "platform/EventYield.h"
#include "platform/SingleInstance.h"
#include "platform/SoundPlayer.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The application's own title, shown by message boxes that give none; not
    // set as a display name, which the platform would append to every title.
    QApplication::setApplicationName(QStringLiteral("Gonioma"));
    QApplication::setWindowIcon(app::programIcon());
    // Windows are unloaded by the program itself; it ends when the last goes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The platform's own texts (the Yes and No of a message box) in the
    // language of the desktop.
    QTranslator platformTexts;
    if (platformTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&platformTexts);
    // The title's comic face, with its free counterpart on Linux.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    // Each yield of a drawing lasts a few milliseconds, so fans open visibly.
    platform::EventYield::setPaceMs(3);
    platform::SoundPlayer::preload(app::allSoundPaths());

    platform::SingleInstance instance;
    if (!app::StartUp(instance))
        return 0;
    const int result = QApplication::exec();
    // Windows unloaded on the way out are deleted before the program ends.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
