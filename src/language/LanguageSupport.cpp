#include "language/LanguageSupport.h"

#include "platform/widgets/MessageBox.h"

#include "language/IniFile.h"
#include "language/LanguageFiles.h"
#include "platform/services/AppDir.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace language {

QString CurrentLanguageFile;

QString settingsFilePath()
{
    return platform::AppDir::path() + QStringLiteral("/LangSetting.ini");
}

namespace {
std::optional<QString>& unsavedLanguage()
{
    static std::optional<QString> name;
    return name;
}
} // namespace

QString readLanguageSetting()
{
    if (unsavedLanguage())
        return *unsavedLanguage();
    return ReadIniString(settingsFilePath(), QStringLiteral("Language"),
                         QStringLiteral("CurrentLanguage"));
}

bool saveLanguageSetting(const QString& name)
{
    const int saved = WriteIniString(settingsFilePath(), QStringLiteral("Language"),
                                     QStringLiteral("CurrentLanguage"), name);
    if (saved != 0) {
        unsavedLanguage().reset();
        return true;
    }
    unsavedLanguage() = name;
    qWarning("Gonioma: the language could not be saved in %s; it holds until the program ends.",
             qUtf8Printable(QDir::toNativeSeparators(settingsFilePath())));
    return false;
}

void useLanguageForThisRun(const QString& name)
{
    unsavedLanguage() = name;
}

void forgetUnsavedLanguage()
{
    unsavedLanguage().reset();
}

QString languageForTheRun()
{
    const QString setting = readLanguageSetting();
    if (isUsableLanguage(setting))
        return setting;
    QStringList candidates = listLanguageNames(platform::AppDir::path());
    candidates.prepend(QString::fromLatin1(kFallbackLanguage));
    for (const QString& name : std::as_const(candidates)) {
        if (isUsableLanguage(name))
            return name;
    }
    return setting;
}

bool isUsableLanguage(const QString& name)
{
    const QString path = languageFilePathFor(name);
    if (path.isEmpty())
        return false;
    const std::shared_ptr<const IniIndex> index = ReadIniIndex(path);
    return index && index->hasKeys(u"Strings");
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
    return languageFilePathFor(CurrentLanguageFile);
}

QString languageFilePathFor(const QString& name)
{
    if (!isSafeLanguageName(name))
        return {};
    // Paths are joined as plain text: a name is never a pattern, and one that
    // starts with ':' is never taken for a resource.
    const QString dir = platform::AppDir::path() + u'/';
    const QString path = dir + name + QStringLiteral(".lng");
    if (QFileInfo::exists(path))
        return path;
    // The menu lists "Name.LNG" as "Name" too: find the file whatever the
    // case of its extension, as the file systems of old did.
    const QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString& file : files) {
        if (file.size() == path.size() - dir.size() && file.startsWith(name)
            && file.endsWith(QStringLiteral(".lng"), Qt::CaseInsensitive))
            return dir + file;
    }
    return path;
}

QString LookupString(const QString& id)
{
    if (CurrentLanguageFile.isEmpty())
        CurrentLanguageFile = languageForTheRun();
    const QString path = languageFilePath();
    if (path.isEmpty())
        return {};
    return ReadIniString(path, QStringLiteral("Strings"), id);
}

QString LookupString(Message message)
{
    return LookupString(messageNumber(message));
}

void captionMessageButtonsFromLanguage()
{
    platform::MessageBox::setButtonCaptions([](platform::MessageAnswer button) {
        switch (button) {
        case platform::MessageAnswer::Yes: return LookupString(Message::YesButton);
        case platform::MessageAnswer::No: return LookupString(Message::NoButton);
        case platform::MessageAnswer::Ok: return LookupString(Message::OkButton);
        }
        return QString();
    });
}

} // namespace language
