#include "app/WindowCatalog.h"

#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota3.h"

namespace app {

namespace {

// Loading is enough: it builds the window's controls and translates them,
// without activating the window or starting a question.
template <class T> WindowEntry entry(const char* name)
{
    return {QString::fromLatin1(name), []() -> platform::Form& { return platform::Form::load<T>(); }};
}

} // namespace

QList<WindowEntry> allWindows()
{
    return {
        entry<FormAvvio>("FormAvvio"),
        entry<FormMenu>("FormMenu"),
        entry<exercises::frmRuota1>("frmRuota1"),
        entry<exercises::frmRuota3>("frmRuota3"),
    };
}

} // namespace app
