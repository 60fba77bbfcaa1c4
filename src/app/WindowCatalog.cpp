#include "app/WindowCatalog.h"

#include "app/FormAlunni.h"
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
#include "exercises/frmRuota7.h"
#include "exercises/frmRuota8.h"
#include "teacherview/frmInsegnante.h"
#include "teacherview/frmLivelli.h"

#include <QPointer>

#include <utility>

namespace app {

namespace {

template <class T> WindowEntry window(const char* name, const char* description)
{
    return {QString::fromLatin1(name), QString::fromLatin1(description), QString(), QString(),
            []() -> platform::Form* { return platform::Form::load<T>(); },
            [](platform::Form& from) { return from.changeTo<T>(); }};
}

template <class T>
WindowEntry exercise(const char* name, const char* description, const char* menuButton, const char* menuCaption)
{
    WindowEntry entry = window<T>(name, description);
    entry.menuButton = QString::fromLatin1(menuButton);
    entry.menuCaption = QString::fromUtf8(menuCaption);
    return entry;
}

template <class T> WindowEntry teacherWindow(const char* name, const char* description)
{
    WindowEntry entry = window<T>(name, description);
    entry.forTeacher = true;
    return entry;
}

std::optional<QList<WindowEntry>>& exercisesForTesting()
{
    static std::optional<QList<WindowEntry>> exercises;
    return exercises;
}

} // namespace

QList<WindowEntry> allWindows()
{
    using namespace exercises;
    // name, what it is, menu button, the button's built-in caption.
    return {
        window<FormAvvio>("FormAvvio", "Splash: the program's title and the button that opens the menu"),
        window<FormMenu>("FormMenu", "Main menu: a button per exercise, sounds switch, information, end"),
        window<FormAlunni>("FormAlunni", "Pupils' names: the class list on large buttons, a page at a time"),
        teacherWindow<teacherview::frmInsegnante>("frmInsegnante",
                                                  "Teacher's view: results by pupil and exercise, charts, class list"),
        teacherWindow<teacherview::frmLivelli>("frmLivelli",
                                               "Levels: what each exercise asks, checked and saved in the school settings"),
        exercise<frmRuota>("frmRuota", "Build the angle: turn a second arm with step buttons until the asked size",
                           "Command2", "costruisci l'angolo"),
        exercise<frmRuota3>("frmRuota3", "Compare two angles: tell with <, > or = how the left one compares",
                            "Command5", "< > ="),
        exercise<frmRuota4>("frmRuota4", "Find the right angle: click the one right angle among six",
                            "Command6", "riconosci l'angolo retto"),
        exercise<frmRuota1>("frmRuota1", "Acute, right, obtuse or straight: classify one angle with four buttons",
                            "Command3", "acuto - retto - ottuso - piatto"),
        exercise<frmRuota2>("frmRuota2", "Concave or convex: tell whether one angle is more than a straight angle",
                            "Command4", "concavo  -  convesso"),
        exercise<frmRuota5>("frmRuota5", "Complementary angle: type what completes a red angle to 90 degrees",
                            "Command9", "angolo complementare"),
        exercise<frmRuota6>("frmRuota6", "Supplementary angle: type what completes a red angle to 180 degrees",
                            "Command10", "angolo supplementare"),
        exercise<frmRuota1a>("frmRuota1a", "Classification by measure: class an angle shown with its measure",
                             "Command7", "catalogazione in base alle misure"),
        exercise<frmRuota7>("frmRuota7", "Estimate the angle: type about how many degrees an angle measures",
                            "Command11", "stima l'angolo"),
        exercise<frmRuota8>("frmRuota8", "Measure with the protractor: lay it on an angle and type its size",
                            "Command12", "misura con il goniometro"),
    };
}

QList<WindowEntry> exerciseWindows()
{
    if (exercisesForTesting())
        return *exercisesForTesting();
    QList<WindowEntry> exercises;
    for (const WindowEntry& e : allWindows()) {
        if (e.isExercise())
            exercises.append(e);
    }
    return exercises;
}

ExerciseWindowsForTesting::ExerciseWindowsForTesting(QList<WindowEntry> exercises)
    : m_previous(std::exchange(exercisesForTesting(), std::move(exercises)))
{
}

ExerciseWindowsForTesting::~ExerciseWindowsForTesting()
{
    exercisesForTesting() = std::move(m_previous);
}

std::optional<WindowEntry> findWindow(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    for (WindowEntry& entry : allWindows()) {
        if (entry.name == name)
            return std::move(entry);
    }
    return std::nullopt;
}

bool openWindow(const QString& name)
{
    const std::optional<WindowEntry> entry = findWindow(name);
    const QPointer<platform::Form> form = entry ? entry->load() : nullptr;
    if (form)
        form->showForm();
    return form && form->isLoaded();
}

} // namespace app
