#include "app/StartUp.h"

#include "app/FormAvvio.h"
#include "app/FormAlunni.h"
#include "app/FormMenu.h"
#include "app/PupilNames.h"
#include "app/WindowCatalog.h"
#include "shared/Modulo1.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/MessageBox.h"
#include "platform/services/Random.h"
#include "platform/services/SingleInstance.h"
#include "platform/services/Settings.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"
#include "server/SchoolSending.h"
#include "server/ServerConnection.h"

#include <QCoreApplication>

#include <cstdio>

namespace app {

namespace {

// When the school settings name a server, this account's answers go there
// from a thread of their own until the program ends; a setting that cannot be
// used is said in one line and the answers stay on this computer.
void startSchoolSending()
{
    QString problem;
    std::unique_ptr<server::SchoolSending> sending =
        server::SchoolSending::start(platform::schoolSettingsPath(), results::ResultsStore::defaultPath(), &problem);
    if (!problem.isEmpty()) {
        const QByteArray line =
            "Gonioma: " + server::messageText(language::Message::ServerSettingsWrong,
                                          QStringLiteral("The school server settings cannot be used: %1")).arg(problem).toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    }
    if (!sending)
        return;
    auto* kept = sending.release();
    if (results::Recording* recording = results::Recording::current())
        recording->onAnswerKept([sender = &kept->sender()] { sender->nudge(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [kept] {
        if (results::Recording* recording = results::Recording::current())
            recording->onAnswerKept({});
        delete kept;
    });
}

} // namespace

bool StartUp(platform::SingleInstance& instance, const FirstWindows& first)
{
    if (instance.previousInstanceRunning()) {
        platform::MessageBox::show({language::LookupString(language::Message::AlreadyRunning), platform::MessageIcon::Critical,
                                    platform::MessageButtons::Ok, language::LookupString(language::Message::AlreadyRunningTitle)});
        return false;
    }
    language::CurrentLanguageFile = language::languageForTheRun();
    shared::loadSharedTexts();
    platform::Random::reseedFromClock();
    shared::SoundsOn = true;
    FormMenu::becomeExercisesHome();
    language::captionMessageButtonsFromLanguage();
    FormAvvio::openAfterSplash(first.exercise);
    startRecording();
    // After the recording has opened (or made) the database the sender reads.
    startSchoolSending();
    if (first.splash)
        platform::Form::show<FormAvvio>();
    else if (!classListNames().isEmpty()) {
        FormAlunni::setNext(&FormAvvio::continueAfterSplash);
        platform::Form::show<FormAlunni>();
    } else if (first.exercise.isEmpty())
        platform::Form::show<FormMenu>();
    else
        openWindow(first.exercise);
    return true;
}

} // namespace app
