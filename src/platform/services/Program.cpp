#include "platform/services/Program.h"

#include "platform/widgets/Form.h"

#include <QCoreApplication>

namespace platform {

namespace {
bool& ended()
{
    static bool value = false;
    return value;
}
} // namespace

void Program::end()
{
    ended() = true;
    for (Form* form : Form::loadedForms())
        form->unload();
    QCoreApplication::exit(0);
}

bool Program::endedForTesting()
{
    return ended();
}

void Program::resetForTesting()
{
    ended() = false;
}

} // namespace platform
