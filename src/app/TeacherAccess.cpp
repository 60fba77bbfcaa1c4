#include "app/TeacherAccess.h"

#include "app/WindowCatalog.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "teacher/TeacherPassword.h"
#include "results/CsvWriter.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"
#include "teacherview/StoreClassList.h"
#include "teacherview/frmInsegnante.h"

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

teacherview::TeacherViewSource localTeacherViewSource(const QString& storePath)
{
    // A connection of the view's own on the account's database, while the
    // exercises keep theirs; it closes with the last window that uses it.
    auto store = std::make_shared<results::ResultsStore>(storePath);
    teacherview::TeacherViewSource source;
    source.reader = store;
    if (store->canWrite())
        source.classList = std::make_shared<teacherview::StoreClassList>(store);
    source.exportCsv = [store](const QString& path) {
        return results::exportCsvFile(*store, QString(), path, nullptr);
    };
    source.exercises = teacherViewExercises();
    source.recordingProblem = [] {
        const results::Recording* recording = results::Recording::current();
        return recording ? recording->problem() : QString();
    };
    return source;
}

bool openTeacherView(QWidget* parent)
{
    if (platform::Form::instance<teacherview::frmInsegnante>())
        return platform::Form::show<teacherview::frmInsegnante>() != nullptr;
    if (!teacher::askTeacherPassword(parent))
        return false;
    teacherview::frmInsegnante::setSource(localTeacherViewSource(results::ResultsStore::defaultPath()));
    return platform::Form::show<teacherview::frmInsegnante>() != nullptr;
}

} // namespace app
