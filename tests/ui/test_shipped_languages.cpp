#include "support/AppFixture.h"

#include "app/WindowCatalog.h"
#include "exercise/ExerciseForm.h"
#include "language/IniFile.h"
#include "language/Messages.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/Properties.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <utility>

// The language files that ship with the program must give every window and
// every control a caption and hold every message the program shows. The
// windows come from the catalog and the messages from the program's table of
// named messages, so a window or a message added later is checked without
// touching this file.

namespace {

using platform::Form;

QString sourceText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList sourceFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(GONIOMA_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

// Window classes declared in the sources: the classes that derive, directly or
// through a base, from platform::Form and are not themselves a base (the
// exercise frame is one).
QStringList declaredWindowClasses()
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(class\s+(\w+)\s*(?:final\s*)?:\s*public\s+(?:\w+::)*(\w+))"));
    QMap<QString, QString> baseOf;
    for (const QString& file : sourceFiles()) {
        auto it = declaration.globalMatch(sourceText(file));
        while (it.hasNext()) {
            const auto m = it.next();
            baseOf.insert(m.captured(1), m.captured(2));
        }
    }
    const QSet<QString> bases(baseOf.cbegin(), baseOf.cend());
    QStringList windows;
    for (auto it = baseOf.cbegin(); it != baseOf.cend(); ++it) {
        QString base = it.value();
        while (base != QLatin1String("Form") && baseOf.contains(base))
            base = baseOf.value(base);
        if (base == QLatin1String("Form") && !bases.contains(it.key()))
            windows.append(it.key());
    }
    return windows;
}

// Captions that the program writes itself once the window is up, so a
// language file has nothing to give them: the score counts, the language
// names of the menu (the file names), and in exercise windows the labels that
// show measures and questions, which carry their own name as design caption
// ("Label1"). A Label2 with a real design caption is translated as usual.
bool captionSetAtRunTime(const Form& window, const QObject* control)
{
    static const QStringList alwaysAtRunTime = {QStringLiteral("EtichettaEsatti"), QStringLiteral("EtichettaErrati"),
                                                QStringLiteral("mnuLanguage")};
    static const QStringList measureLabels = {QStringLiteral("Label1"), QStringLiteral("Label2"),
                                              QStringLiteral("Label5")};
    const QString name = control->objectName();
    if (alwaysAtRunTime.contains(name))
        return true;
    const auto caption = platform::controlProperty(const_cast<QObject*>(control), QStringLiteral("Caption"));
    return qobject_cast<const exercise::ExerciseForm*>(&window) && measureLabels.contains(name) && caption
        && caption->toString() == name;
}

// The caption keys one window needs, as TranslateForm builds them.
QStringList captionKeys(const Form& window)
{
    QStringList keys;
    if (!window.windowTitle().isEmpty())
        keys.append(window.objectName() + QStringLiteral(".Caption"));
    for (QObject* control : window.controls()) {
        const auto caption = platform::controlProperty(control, QStringLiteral("Caption"));
        if (!caption || caption->toString().isEmpty() || captionSetAtRunTime(window, control))
            continue;
        const int index = platform::controlIndex(control);
        keys.append(control->objectName() + (index >= 0 ? QStringLiteral("(%1)").arg(index) : QString())
                    + QStringLiteral(".Caption"));
    }
    return keys;
}

// The keys a section of an INI file holds, empty values included.
QSet<QString> keysOfSection(const QString& path, const QString& section)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> keys;
    bool inSection = false;
    for (const QString& rawLine : language::decodeText(file.readAll()).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'[')) {
            inSection = line.compare(u'[' + section + u']', Qt::CaseInsensitive) == 0;
        } else if (inSection && line.contains(u'=')) {
            keys.insert(line.section(u'=', 0, 0).trimmed());
        }
    }
    return keys;
}

class ShippedLanguagesTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        for (const QString& file : QDir(appDir()).entryList({QStringLiteral("*.lng")}, QDir::Files))
            m_languages.append(QDir(appDir()).filePath(file));
        ASSERT_FALSE(m_languages.isEmpty());
    }

    // Loads every window in its design state (the setting names no language
    // file) and gathers the caption keys each one needs.
    QList<std::pair<QString, QStringList>> neededCaptionKeys()
    {
        writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=nessuna\r\n");
        QList<std::pair<QString, QStringList>> needed;
        for (const app::WindowEntry& entry : app::allWindows()) {
            const Form* window = entry.load();
            if (!window) {
                ADD_FAILURE() << entry.name.toStdString() << " did not load";
                continue;
            }
            EXPECT_EQ(window->objectName(), entry.name);
            needed.append({entry.name, captionKeys(*window)});
        }
        return needed;
    }

    QStringList m_languages;
};

TEST_F(ShippedLanguagesTest, TheCatalogHoldsEveryWindowClassOnce)
{
    QStringList catalogued;
    for (const app::WindowEntry& entry : app::allWindows())
        catalogued.append(entry.name);
    QStringList declared = declaredWindowClasses();
    declared.sort();
    ASSERT_FALSE(declared.isEmpty());
    catalogued.sort();
    EXPECT_EQ(catalogued, declared);
}

TEST_F(ShippedLanguagesTest, EveryFileCaptionsEveryWindowAndControl)
{
    const auto needed = neededCaptionKeys();
    EXPECT_TRUE(asked().isEmpty());
    for (const QString& file : m_languages) {
        for (const auto& [window, keys] : needed) {
            EXPECT_FALSE(keys.isEmpty()) << window.toStdString();
            for (const QString& key : keys) {
                EXPECT_FALSE(language::ReadIniString(file, window, key).isEmpty())
                    << QFileInfo(file).fileName().toStdString() << ": [" << window.toStdString() << "] "
                    << key.toStdString();
            }
        }
    }
}

TEST_F(ShippedLanguagesTest, EveryFileHoldsEveryMessageTheProgramShows)
{
    const QSet<QString> italianKeys = keysOfSection(QDir(appDir()).filePath(QStringLiteral("Italiano.lng")),
                                                    QStringLiteral("Strings"));
    QSet<QString> numbers;
    for (const language::MessageEntry& entry : language::kMessages) {
        const QString id = QString::fromLatin1(entry.number);
        EXPECT_FALSE(numbers.contains(id)) << id.toStdString() << " names two messages";
        numbers.insert(id);
        // An optional message may be left out of a translation, never out of
        // the Italian file every translation starts from.
        EXPECT_TRUE(italianKeys.contains(id)) << "Italiano.lng: " << id.toStdString();
        if (entry.optional)
            continue;
        for (const QString& file : m_languages) {
            EXPECT_FALSE(language::ReadIniString(file, QStringLiteral("Strings"), id).isEmpty())
                << QFileInfo(file).fileName().toStdString() << ": " << id.toStdString();
        }
    }
}

} // namespace
