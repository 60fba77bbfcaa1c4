#include "language/LanguageSupport.h"

#include "language/IniFile.h"
#include "platform/AppDir.h"

#include <algorithm>

namespace language {

QString CurrentLanguageFile;

QString settingsFilePath()
{
    return platform::AppDir::path() + QStringLiteral("/LangSetting.ini");
}

QString readLanguageSetting()
{
    return ReadIniString(settingsFilePath(), QStringLiteral("Language"),
                         QStringLiteral("CurrentLanguage"));
}

bool isSafeLanguageName(const QString& name)
{
    const bool control = std::any_of(name.cbegin(), name.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control;
    });
    return !control && !name.contains(u'/') && !name.contains(u'\\')
        && !name.contains(QStringLiteral(".."));
}

QString languageFilePath()
{
    if (!isSafeLanguageName(CurrentLanguageFile))
        return {};
    return platform::AppDir::path() + u'/' + CurrentLanguageFile + QStringLiteral(".lng");
}

QString LookupString(const QString& id)
{
    if (CurrentLanguageFile.isEmpty())
        CurrentLanguageFile = readLanguageSetting();
    const QString path = languageFilePath();
    if (path.isEmpty())
        return {};
    return ReadIniString(path, QStringLiteral("Strings"), id);
}

} // namespace language
