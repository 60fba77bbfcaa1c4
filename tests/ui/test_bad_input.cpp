// Damaged, hostile or missing settings and language files: the program starts,
// shows texts a pupil can read whenever any language file can be used, and
// leaves LangSetting.ini byte for byte as it was unless a language is picked.
#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "app/StartUp.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/services/SingleInstance.h"
#include "support/AppFixture.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

using app::FormMenu;
using platform::Form;

class BadInputTest : public AppFixture {
protected:
    QString path(const QString& name) const { return appDir() + u'/' + name; }

    std::optional<QByteArray> bytesOf(const QString& name) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    }

    QString message(const QString& language, const char* id) const
    {
        return language::ReadIniString(path(language + ".lng"), "Strings", id);
    }

    void start()
    {
        platform::SingleInstance instance(m_lockDir.filePath("gonioma.lock"));
        EXPECT_TRUE(app::StartUp(instance));
        settle();
    }

    // Opens the menu, as "Avvio" would.
    static FormMenu* openMenu()
    {
        Form::show<FormMenu>();
        settle();
        return Form::instance<FormMenu>();
    }

    static QStringList checkedLanguages(const FormMenu* menu)
    {
        QStringList checked;
        for (const QAction* item : menu->mnuLanguage)
            if (item->isChecked())
                checked.append(item->data().toString());
        return checked;
    }

    QTemporaryDir m_lockDir;
};

// The program's folder, as the table below damages it.
struct Folder {
    QString dir;

    QString path(const QString& name) const { return dir + u'/' + name; }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
        file.write(bytes);
    }
    void remove(const QString& name) const { QFile::remove(path(name)); }
    QStringList languageFiles() const { return QDir(dir).entryList({QStringLiteral("*.lng")}, QDir::Files); }
    // Leaves only the named language files, whatever languages are shipped.
    void keepLanguages(const QStringList& names) const
    {
        for (const QString& name : languageFiles()) {
            if (!names.contains(name))
                remove(name);
        }
    }
    void setLanguage(const QByteArray& name) const
    {
        write("LangSetting.ini", "[Language]\r\nCurrentLanguage=" + name + "\r\n");
    }
};

struct BadInput {
    const char* what;
    std::function<void(const Folder&)> damage;
    const char* expectedLanguage; // whose texts the run shows; "" for none
};

QByteArray garbage(qsizetype size)
{
    QRandomGenerator random(20260515);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

const BadInput kBadInputs[] = {
    {"settings file missing", [](const Folder& f) { f.remove("LangSetting.ini"); }, "Italiano"},
    {"settings file empty", [](const Folder& f) { f.write("LangSetting.ini", ""); }, "Italiano"},
    {"settings file without the key",
     [](const Folder& f) { f.write("LangSetting.ini", "[Language]\r\nOther=English\r\n"); }, "Italiano"},
    {"settings file of garbage", [](const Folder& f) { f.write("LangSetting.ini", garbage(3000)); }, "Italiano"},
    {"unknown language", [](const Folder& f) { f.setLanguage("Klingon"); }, "Italiano"},
    {"language name leading out of the folder and back",
     [](const Folder& f) {
         f.setLanguage("../" + QFileInfo(f.path("")).dir().dirName().toUtf8() + "/English");
     },
     "Italiano"},
    {"absolute language path",
     [](const Folder& f) { f.setLanguage(f.path("English").toUtf8()); }, "Italiano"},
    {"language file empty",
     [](const Folder& f) { f.write("Klingon.lng", ""); f.setLanguage("Klingon"); }, "Italiano"},
    {"language file of garbage",
     [](const Folder& f) { f.write("Klingon.lng", garbage(20000)); f.setLanguage("Klingon"); },
     "Italiano"},
    {"language file without messages",
     [](const Folder& f) {
         f.write("Klingon.lng", "[FormMenu]\r\nFormMenu.Caption=\"Menu\"\r\n[Strings]\r\n; none\r\n");
         f.setLanguage("Klingon");
     },
     "Italiano"},
    {"language file is a folder",
     [](const Folder& f) { QDir().mkdir(f.path("Klingon.lng")); f.setLanguage("Klingon"); },
     "Italiano"},
    {"language file is a pipe",
     [](const Folder& f) {
         mkfifo(QFile::encodeName(f.path("Klingon.lng")).constData(), 0600);
         f.setLanguage("Klingon");
     },
     "Italiano"},
    {"unknown language, no Italiano: the first listed that can be used",
     [](const Folder& f) {
         f.keepLanguages({QStringLiteral("English.lng"), QStringLiteral("Français.lng")});
         f.write("Aaa.lng", "");
         f.setLanguage("Klingon");
     },
     "English"},
    {"unknown language, Italiano empty: the first listed that can be used",
     [](const Folder& f) {
         f.keepLanguages({QStringLiteral("English.lng"), QStringLiteral("Français.lng"), QStringLiteral("Italiano.lng")});
         f.write("Italiano.lng", "");
         f.setLanguage("Klingon");
     },
     "English"},
    {"no language file can be used",
     [](const Folder& f) {
         for (const QString& name : f.languageFiles())
             f.write(name, "");
         f.setLanguage("Klingon");
     },
     ""},
    {"5 MB language file",
     [](const Folder& f) {
         QByteArray big = "[FormMenu]\r\n";
         const QByteArray line = "; " + QByteArray(98, '-') + "\r\n";
         while (big.size() < 5 * 1024 * 1024)
             big += line;
         f.write("Grande.lng", big + "[Strings]\r\n0001=\"Uscire?\"\r\n0039=\"Fine?\"\r\n");
         f.setLanguage("Grande");
     },
     "Grande"},
    {"Windows-1252 language file",
     [](const Folder& f) {
         f.write("Vecchio.lng", "[Strings]\r\n0001=\"Perch\xE8 uscire?\"\r\n0039=\"Gi\xE0?\"\r\n");
         f.setLanguage("Vecchio");
     },
     "Vecchio"},
    {"LF-only language file",
     [](const Folder& f) {
         f.write("Unix.lng", "[Strings]\n0001=\"Leave?\"\n0039=\"Quit?\"\n");
         f.setLanguage("Unix");
     },
     "Unix"},
};

class BadInputTable : public BadInputTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputTable, StartsWithReadableTextsAndLeavesTheSettingsAlone)
{
    installShippedLanguages();
    GetParam().damage(Folder{appDir()});
    const std::optional<QByteArray> settingsBefore = bytesOf("LangSetting.ini");
    const QString expected = QString::fromUtf8(GetParam().expectedLanguage);

    QElapsedTimer clock;
    clock.start();
    start();
    if (expected.isEmpty()) {
        EXPECT_EQ(shared::ExitPromptText, "");
    } else {
        EXPECT_EQ(language::CurrentLanguageFile, expected);
        EXPECT_FALSE(shared::ExitPromptText.isEmpty());
        EXPECT_EQ(shared::ExitPromptText, message(expected, "0001"));
        EXPECT_EQ(language::LookupString("0039"), message(expected, "0039"));
    }
    // The menu reads every caption from the file: a hundred reads of 5 MB must
    // not parse it a hundred times (that took most of a minute here).
    FormMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_LT(clock.elapsed(), 20000) << "the start and the menu took " << clock.elapsed() << " ms";
    if (!expected.isEmpty()) {
        EXPECT_EQ(checkedLanguages(menu), QStringList{expected});
    }
    EXPECT_EQ(bytesOf("LangSetting.ini"), settingsBefore) << "the settings file was changed";
}

INSTANTIATE_TEST_SUITE_P(Inputs, BadInputTable, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInput>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

// Makes a file or folder unwritable for as long as it lives: with the
// immutable flag, which holds even for root, or else by its permissions.
class Unwritable {
public:
    explicit Unwritable(QString path)
        : m_path(std::move(path))
    {
        m_flagged = setImmutable(true);
        if (!m_flagged && geteuid() != 0)
            m_chmodded = ::chmod(QFile::encodeName(m_path).constData(), 0555) == 0;
    }
    ~Unwritable()
    {
        if (m_flagged)
            setImmutable(false);
        if (m_chmodded)
            ::chmod(QFile::encodeName(m_path).constData(), 0755);
    }
    bool holds() const { return m_flagged || m_chmodded; }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    QString m_path;
    bool m_flagged = false;
    bool m_chmodded = false;
};

// A language picked while the settings cannot be written holds for the run;
// the settings file is either left as it was or holds the new name, never
// anything in between, and nothing is left behind in the folder.
TEST_F(BadInputTest, APickThatCannotBeStoredHoldsForTheRunAndCorruptsNothing)
{
    const struct {
        const char* what;
        bool folder; // the folder, else the settings file, cannot be written
    } cases[] = {{"read-only folder", true}, {"read-only settings file", false}};
    for (const auto& unwritable : cases) {
        SCOPED_TRACE(unwritable.what);
        installShippedLanguages();
        const QByteArray before = *bytesOf("LangSetting.ini");
        const QStringList filesBefore = QDir(appDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        {
            Unwritable lock(unwritable.folder ? appDir() : path("LangSetting.ini"));
            if (!lock.holds())
                GTEST_SKIP() << "this file system cannot make a file unwritable for this user";
            start();
            FormMenu* menu = openMenu();
            ASSERT_NE(menu, nullptr);
            menu->mnuLanguage_Click(menu->mnuLanguage.indexOf(
                *std::find_if(menu->mnuLanguage.cbegin(), menu->mnuLanguage.cend(),
                              [](const QAction* item) { return item->data().toString() == "English"; })));
            settle();
            EXPECT_EQ(language::CurrentLanguageFile, "English");
            EXPECT_EQ(language::LookupString("0039"), message("English", "0039"));
            menu = openMenu();
            ASSERT_NE(menu, nullptr);
        }
        const QByteArray after = bytesOf("LangSetting.ini").value_or("(missing)");
        EXPECT_TRUE(after == before || after == "[Language]\r\nCurrentLanguage=English\r\n") << after.toStdString();
        EXPECT_EQ(QDir(appDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), filesBefore);
        // As at the end of a run.
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        language::CurrentLanguageFile.clear();
        language::forgetUnsavedLanguage();
    }
}

TEST_F(BadInputTest, ASettingsFileThatIsAFolderOrAPipeIsLeftAlone)
{
    for (const bool pipe : {false, true}) {
        SCOPED_TRACE(pipe ? "pipe" : "folder");
        installShippedLanguages();
        const QString settings = path("LangSetting.ini");
        removeFile("LangSetting.ini");
        if (pipe)
            ASSERT_EQ(mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
        else
            ASSERT_TRUE(QDir(appDir()).mkdir("LangSetting.ini"));
        start();
        EXPECT_EQ(language::CurrentLanguageFile, "Italiano");
        FormMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr);
        menu->mnuLanguage_Click(0); // neither read nor written, and nothing waits
        settle();
        EXPECT_EQ(QFileInfo(settings).isDir(), !pipe);
        EXPECT_FALSE(QFileInfo(settings).isFile());
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        QFile::remove(settings);
        QDir(appDir()).rmdir("LangSetting.ini");
        language::CurrentLanguageFile.clear();
        language::forgetUnsavedLanguage();
    }
}

} // namespace
