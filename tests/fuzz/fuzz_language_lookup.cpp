// The language files in a scratch folder, named from the input: every listed
// language is written to the settings file, read back, found and looked up;
// and no name, listed or not, ever leads a path out of the folder.
#include "FuzzInput.h"
#include "language/IniFile.h"
#include "language/LanguageFiles.h"
#include "language/LanguageSupport.h"
#include "platform/services/AppDir.h"

#include <QFileInfo>

namespace {

const QString Outside = QStringLiteral("outside the folder");

// A scratch program folder "app" inside the run's own folder, emptied each
// time, with a language file just outside it.
QString freshAppDir()
{
    const QString root = fuzz::scratchDir();
    const QString app = root + QStringLiteral("/app");
    QDir(app).removeRecursively();
    QDir().mkpath(app);
    fuzz::writeFile(root + QStringLiteral("/Outside.lng"), "[Strings]\r\n0001=\"" + Outside.toUtf8() + "\"\r\n");
    return app;
}

bool staysInside(const QString& path, const QString& app)
{
    return path.isEmpty() || QFileInfo(QDir::cleanPath(path)).absolutePath() == app;
}

const char* const Extensions[] = {".lng", ".LNG", ".Lng", ".lnG"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString app = freshAppDir();
    platform::AppDir::setPathForTesting(app);

    // Each part names a language; its first byte picks the case of the extension.
    const QList<QByteArray> names = fuzz::parts(data, size, 6);
    QStringList written;
    for (const QByteArray& raw : names) {
        if (raw.isEmpty())
            continue;
        const QString name = QString::fromUtf8(raw.sliced(1));
        const QString fileName = name + QString::fromLatin1(Extensions[uchar(raw[0]) % 4]);
        const QString file = app + u'/' + fileName;
        // Only names that are one file's name in the folder, as it stands.
        if (name.isEmpty() || QFileInfo(QDir::cleanPath(file)).fileName() != fileName
            || !staysInside(file, app) || QFileInfo::exists(file))
            continue;
        QFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write("[Strings]\r\n0001=\"" + name.toUtf8() + "\"\r\n");
            written.append(name);
        }
    }

    const QStringList listed = language::listLanguageNames(app);
    const QString settings = language::settingsFilePath();
    for (const QString& name : listed) {
        if (!written.contains(name))
            fuzz::broken("a language was listed that was never written", fuzz::show(name));
        if (!language::WriteIniString(settings, QStringLiteral("Language"), QStringLiteral("CurrentLanguage"), name))
            fuzz::broken("a listed language cannot be stored", fuzz::show(name));
        if (language::readLanguageSetting() != name)
            fuzz::broken("a listed language does not read back from the settings", fuzz::show(name));
        language::CurrentLanguageFile.clear();
        if (language::LookupString(QStringLiteral("0001")) != name || language::CurrentLanguageFile != name)
            fuzz::broken("a listed language is not looked up", fuzz::show(name));
        if (!staysInside(language::languageFilePath(), app))
            fuzz::broken("a listed language's path leaves the folder", language::languageFilePath());
    }

    // Any name at all, as a settings file might hold it.
    for (const QByteArray& raw : names) {
        language::CurrentLanguageFile = QString::fromUtf8(raw);
        if (!staysInside(language::languageFilePath(), app))
            fuzz::broken("a path leaves the folder", fuzz::show(language::CurrentLanguageFile));
        if (language::LookupString(QStringLiteral("0001")) == Outside)
            fuzz::broken("a file outside the folder was read", fuzz::show(language::CurrentLanguageFile));
    }
    language::CurrentLanguageFile.clear();
    return 0;
}
