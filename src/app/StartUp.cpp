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

namespace app {

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
