#include "language/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The settings file of an installed copy: the folder belongs to the
// administrator, and the file may have been opened up to the pupils. Every
// write runs as an ordinary user: root passes every permission check, so a run
// as root writes from a child process that has become "nobody".

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCouldNotDropRoot = 99;

int asOrdinaryUser(const std::function<int()>& write)
{
    if (geteuid() != 0)
        return write();
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped ? write() : kCouldNotDropRoot);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

ino_t inodeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

bool isLink(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

struct WriteCase {
    const char* name;
    bool folderWritable;
    bool fileExists;
    bool fileWritable;
    bool throughLink; // the program's folder holds a link to the file in `folder`
    bool written;
    bool inPlace; // the same file rewritten, rather than a new one renamed over it
};

class SettingsWriteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid()); }
    void TearDown() override { openFolders(); }

    // The folders go back to writable so the tree can be cleared.
    void openFolders()
    {
        for (const char* name : {"program", "folder"})
            QFile::setPermissions(root.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void clear()
    {
        openFolders();
        for (const char* name : {"program", "folder"}) {
            QDir(root.filePath(name)).removeRecursively();
            ASSERT_TRUE(QDir(root.path()).mkdir(name));
        }
    }

    // Owner rights only; the tree belongs to the user the write runs as.
    void setUp(const WriteCase& c, const QByteArray& contents)
    {
        const QString file = root.filePath("folder/LangSetting.ini");
        if (c.fileExists) {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(contents);
            out.close();
            ASSERT_TRUE(QFile::setPermissions(file, c.fileWritable ? QFile::ReadOwner | QFile::WriteOwner
                                                                   : QFile::ReadOwner));
        }
        if (c.throughLink) {
            ASSERT_TRUE(QFile::link("../folder/LangSetting.ini", root.filePath("program/LangSetting.ini")));
        }
        const QFile::Permissions readOnlyFolder = QFile::ReadOwner | QFile::ExeOwner;
        ASSERT_TRUE(QFile::setPermissions(root.filePath("folder"), c.folderWritable
                                              ? readOnlyFolder | QFile::WriteOwner : readOnlyFolder));
        if (geteuid() == 0) {
            for (const char* name : {"", "program", "folder", "folder/LangSetting.ini", "program/LangSetting.ini"})
                (void)::lchown(QFile::encodeName(root.filePath(name)).constData(), kNobody, kNobody);
        }
    }

    QString settingsPath(const WriteCase& c) const
    {
        return root.filePath(c.throughLink ? "program/LangSetting.ini" : "folder/LangSetting.ini");
    }

    QByteArray target() const
    {
        QFile in(root.filePath("folder/LangSetting.ini"));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Under /tmp when run as root, so the ordinary user can reach it.
    QTemporaryDir root{(geteuid() == 0 ? QStringLiteral("/tmp") : QDir::tempPath())
                       + QStringLiteral("/settings-write-XXXXXX")};
};

TEST_F(SettingsWriteTest, TheFolderDecidesBetweenARenameAndAWriteInPlace)
{
    const WriteCase cases[] = {
        {"writable folder", true, true, true, false, true, false},
        {"read-only folder, writable file", false, true, true, false, true, true},
        {"link to a writable file in a read-only folder", false, true, true, true, true, true},
        {"link to a file in a writable folder", true, true, true, true, true, false},
        {"read-only folder and file", false, true, false, false, false, false},
        {"writable folder, read-only file", true, true, false, false, false, false},
        {"read-only folder without the file", false, false, false, false, false, false},
    };
    // Longer than what replaces it: a write in place must not leave a tail.
    const QByteArray before = "[Language]\r\nCurrentLanguage=Italiano con una coda lunga\r\n";
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        clear();
        setUp(c, before);
        const ino_t inodeBefore = inodeOf(root.filePath("folder/LangSetting.ini"));

        const int result = asOrdinaryUser([&] {
            return language::WriteIniString(settingsPath(c), "Language", "CurrentLanguage", "English");
        });

        ASSERT_NE(result, kCouldNotDropRoot);
        EXPECT_EQ(result != 0, c.written);
        if (c.written) {
            EXPECT_EQ(target(), "[Language]\r\nCurrentLanguage=English\r\n");
            EXPECT_EQ(inodeOf(root.filePath("folder/LangSetting.ini")) == inodeBefore, c.inPlace);
        } else {
            EXPECT_EQ(target(), c.fileExists ? before : QByteArray());
        }
        if (c.throughLink) {
            EXPECT_TRUE(isLink(root.filePath("program/LangSetting.ini")));
        }
        // Nothing is left beside the file, whichever way it went.
        EXPECT_EQ(QDir(root.filePath("folder")).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                  c.fileExists ? 1 : 0);
    }
}

// The administrator opened the file up to the pupils' group and then picks a
// language as root: the file stays theirs.
TEST_F(SettingsWriteTest, AFileOfAnotherUserKeepsItsOwnerAndGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can write a file that belongs to another user";
    clear();
    const QString file = root.filePath("folder/LangSetting.ini");
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("[Language]\r\nCurrentLanguage=Italiano\r\n");
    }
    ASSERT_EQ(::chown(QFile::encodeName(file).constData(), kNobody, kNobody), 0);
    const ino_t inodeBefore = inodeOf(file);

    EXPECT_NE(language::WriteIniString(file, "Language", "CurrentLanguage", "English"), 0);

    EXPECT_EQ(target(), "[Language]\r\nCurrentLanguage=English\r\n");
    EXPECT_EQ(inodeOf(file), inodeBefore);
    const QFileInfo info(file);
    EXPECT_EQ(info.ownerId(), kNobody);
    EXPECT_EQ(info.groupId(), kNobody);
}

} // namespace
