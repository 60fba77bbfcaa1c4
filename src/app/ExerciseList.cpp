#include "app/ExerciseList.h"

#include "app/WindowCatalog.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"

namespace app {

namespace {

// "&Build" shows as "Build" with a mark under the B; "&&" shows one "&".
QString withoutMnemonics(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                shown += text[++i];
            continue;
        }
        shown += text[i];
    }
    return shown;
}

} // namespace

QString shownMenuCaption(const WindowEntry& exercise)
{
    // The menu reads the language the same way when it loads.
    const QString file = language::languageFilePathFor(language::languageForTheRun());
    QString caption = file.isEmpty() ? QString()
                                     : language::ReadIniString(file, QStringLiteral("FormMenu"),
                                                               exercise.menuButton + QStringLiteral(".Caption"));
    if (caption.isEmpty())
        caption = exercise.menuCaption;
    return withoutMnemonics(caption);
}

QString exerciseList()
{
    QString list;
    // A tab inside a caption would split its line: it is shown as a blank.
    for (const WindowEntry& exercise : exerciseWindows())
        list += exercise.name + u'\t' + shownMenuCaption(exercise).replace(u'\t', u' ') + u'\n';
    return list;
}

} // namespace app
