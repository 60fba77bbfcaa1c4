#include "app/TeacherAccess.h"

#include "app/WindowCatalog.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "teacher/TeacherPassword.h"
#include "teacherview/TeacherWindow.h"

namespace app {

QList<teacherview::ExerciseColumn> teacherViewExercises()
{
    QList<teacherview::ExerciseColumn> columns;
    const QString file = language::languageFilePath();
    for (const WindowEntry& entry : exerciseWindows()) {
        QString caption = file.isEmpty()
            ? QString()
            : language::ReadIniString(file, QStringLiteral("FormMenu"), entry.menuButton + QStringLiteral(".Caption"));
        if (caption.isEmpty())
            caption = entry.menuCaption;
        columns.append({entry.name, caption.remove(u'&').simplified()});
    }
    return columns;
}

bool openTeacherView(QWidget* parent)
{
    if (!teacher::askTeacherPassword(parent))
        return false;
    teacherview::TeacherViewSource source;
    source.exercises = teacherViewExercises();
    // STORE: filled in once the results store is merged.
    teacherview::TeacherWindow::setSource(std::move(source));
    return platform::Form::show<teacherview::TeacherWindow>() != nullptr;
}

} // namespace app
