#include "shared/Modulo1.h"

#include "language/LanguageSupport.h"
#include "resize/clsResize.h"

#include <limits>

namespace shared {

QString ExitPromptText;
QString CorrectLabelText;
QString WrongLabelText;
bool SoundsOn = false;
qint16 CorrectCount = 0;
qint16 WrongCount = 0;
std::unique_ptr<resize::clsResize> SharedResizer;

void bindSharedResizer(platform::Form* form)
{
    SharedResizer = std::make_unique<resize::clsResize>();
    SharedResizer->setSourceForm(form);
    SharedResizer->SizeFormToScreen(75);
}

void resizeWithSharedResizer()
{
    if (SharedResizer)
        SharedResizer->ResizeControls();
}

void releaseSharedResizer()
{
    SharedResizer.reset();
}

void loadSharedTexts()
{
    ExitPromptText = language::LookupString(language::Message::LeaveExercisePrompt);
    CorrectLabelText = language::LookupString(language::Message::CorrectCaption);
    WrongLabelText = language::LookupString(language::Message::WrongCaption);
}

QString messageBoxTitle()
{
    const QString title = language::LookupString(language::Message::MessageBoxTitle);
    return title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title;
}

void addOne(qint16& counter)
{
    if (counter < std::numeric_limits<qint16>::max())
        ++counter;
}

QString countText(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

void resetGlobals()
{
    ExitPromptText.clear();
    CorrectLabelText.clear();
    WrongLabelText.clear();
    SoundsOn = false;
    CorrectCount = 0;
    WrongCount = 0;
    SharedResizer.reset();
}

} // namespace shared
