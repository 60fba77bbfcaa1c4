#include "app/WindowCatalog.h"

#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota1a.h"
#include "exercises/frmRuota2.h"
#include "exercises/frmRuota3.h"
#include "exercises/frmRuota4.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota6.h"

namespace app {

namespace {

// Loading builds the window's controls and translates them, without activating
// the window or starting a question.
template <class T> WindowEntry entry(const char* name, const char* menuButton = "")
{
    return {QString::fromLatin1(name), QString::fromLatin1(menuButton),
            []() -> platform::Form* { return platform::Form::load<T>(); },
            [](platform::Form& from) { return from.changeTo<T>(); }};
}

} // namespace

QList<WindowEntry> allWindows()
{
    // The menu's eight exercise buttons: Command2 build the angle, Command5
    // compare, Command6 find the right angle, Command3 acute-right-obtuse-
    // straight, Command4 concave-convex, Command9 complementary, Command10
    // supplementary, Command7 classification by measure. A button without a
    // window here is shown disabled.
    return {
        entry<FormAvvio>("FormAvvio"),
        entry<FormMenu>("FormMenu"),
        entry<exercises::frmRuota>("frmRuota", "Command2"),
        entry<exercises::frmRuota1>("frmRuota1", "Command3"),
        entry<exercises::frmRuota2>("frmRuota2", "Command4"),
        entry<exercises::frmRuota1a>("frmRuota1a", "Command7"),
        entry<exercises::frmRuota3>("frmRuota3", "Command5"),
        entry<exercises::frmRuota4>("frmRuota4", "Command6"),
        entry<exercises::frmRuota5>("frmRuota5", "Command9"),
        entry<exercises::frmRuota6>("frmRuota6", "Command10"),
    };
}

QList<WindowEntry> exerciseWindows()
{
    QList<WindowEntry> exercises;
    for (const WindowEntry& e : allWindows()) {
        if (!e.menuButton.isEmpty())
            exercises.append(e);
    }
    return exercises;
}

} // namespace app
