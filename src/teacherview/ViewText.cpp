#include "teacherview/ViewText.h"

#include "language/LanguageSupport.h"

#include <QHash>

namespace teacherview {

QString viewText(language::Message message)
{
    static QString cachedFor;
    static QHash<int, QString> cache;
    const QString path = language::languageFilePath();
    if (path != cachedFor) {
        cache.clear();
        cachedFor = path;
    }
    const auto found = cache.constFind(int(message));
    if (found != cache.constEnd())
        return *found;
    const QString text = language::LookupString(message);
    cache.insert(int(message), text);
    return text;
}

} // namespace teacherview
