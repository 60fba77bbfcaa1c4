#include "language/IniFile.h"
#include "language/LanguageFiles.h"
#include "language/LanguageSupport.h"
#include "platform/services/AppDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using language::CurrentLanguageFile;
using language::LookupString;

namespace {

// The program's directory is a folder "app" inside a temporary folder, so a
// file can be placed just outside it.
class LanguageLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkdir("app"));
        platform::AppDir::setPathForTesting(appDir());
        CurrentLanguageFile.clear();
    }

    void TearDown() override
    {
        CurrentLanguageFile.clear();
        platform::AppDir::setPathForTesting("");
    }

    QString appDir() const { return root.filePath("app"); }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void writeLanguage(const QString& name, const QByteArray& strings) const
    {
        write(appDir() + '/' + name + ".lng", "[FormMenu]\r\n0001=\"not a message\"\r\n[Strings]\r\n"
                  + strings);
    }

    QTemporaryDir root;
};

TEST_F(LanguageLookupTest, PathsLieInTheProgramsDirectory)
{
    EXPECT_EQ(language::settingsFilePath(), appDir() + "/LangSetting.ini");
    CurrentLanguageFile = "English";
    EXPECT_EQ(language::languageFilePath(), appDir() + "/English.lng");
}

TEST_F(LanguageLookupTest, AFileWithAnUpperCaseExtensionIsFoundByItsName)
{
    write(appDir() + "/Deutsch.LNG", "[Strings]\r\n0039=\"Beenden?\"\r\n");
    CurrentLanguageFile = "Deutsch";
    EXPECT_EQ(language::languageFilePath(), appDir() + "/Deutsch.LNG");
    EXPECT_EQ(LookupString("0039"), "Beenden?");
}

TEST_F(LanguageLookupTest, TheSettingIsReadWhileNoLanguageIsKnown)
{
    write(language::settingsFilePath(), "[Language]\r\nCurrentLanguage=English\r\n");
    writeLanguage("English", "0001=\"Do you want to leave?\"\r\n");

    EXPECT_EQ(LookupString("0001"), "Do you want to leave?");
    EXPECT_EQ(CurrentLanguageFile, "English");
    EXPECT_EQ(LookupString("0002"), "");
}

TEST_F(LanguageLookupTest, EveryLookupFollowsTheCurrentLanguageAndFileAtOnce)
{
    write(language::settingsFilePath(), "[Language]\r\nCurrentLanguage=English\r\n");
    writeLanguage("English", "0039=\"Quit?\"\r\n");
    writeLanguage("Italiano", "0039=\"Uscire?\"\r\n");

    EXPECT_EQ(LookupString("0039"), "Quit?");
    CurrentLanguageFile = "Italiano";
    EXPECT_EQ(LookupString("0039"), "Uscire?");

    ASSERT_NE(language::WriteIniString(appDir() + "/Italiano.lng", "Strings", "0039", "Esci?"), 0);
    EXPECT_EQ(LookupString("0039"), "Esci?");
}

TEST_F(LanguageLookupTest, AMissingSettingOrLanguageFileGivesEmptyTexts)
{
    writeLanguage("", "0001=\"from a file named only .lng\"\r\n");
    EXPECT_EQ(language::readLanguageSetting(), "");
    EXPECT_EQ(LookupString("0001"), "from a file named only .lng");

    EXPECT_EQ(CurrentLanguageFile, "");

    // While the name is empty, each lookup asks the settings file again.
    write(language::settingsFilePath(), "[Language]\r\nCurrentLanguage=Klingon\r\n");
    EXPECT_EQ(LookupString("0001"), "");
    EXPECT_EQ(CurrentLanguageFile, "Klingon");
}

TEST_F(LanguageLookupTest, NamesThatLeaveTheProgramsDirectoryAreNeverRead)
{
    write(root.filePath("Outside.lng"), "[Strings]\r\n0001=secret\r\n");
    ASSERT_EQ(language::ReadIniString(appDir() + "/../Outside.lng", "Strings", "0001"), "secret");

    write(language::settingsFilePath(), "[Language]\r\nCurrentLanguage=../Outside\r\n");
    EXPECT_EQ(LookupString("0001"), "");
    EXPECT_EQ(language::languageFilePath(), "");

    for (const QString& name : QStringList{"..\\Outside", root.filePath("Outside"), ".."}) {
        CurrentLanguageFile = name;
        EXPECT_EQ(LookupString("0001"), "") << name.toStdString();
        EXPECT_EQ(language::languageFilePath(), "") << name.toStdString();
    }
}

// Every language the menu lists is found and read by its name as it stands,
// whatever characters the name holds and whatever the case of its extension.
TEST_F(LanguageLookupTest, EveryListedLanguageIsReadByItsLiteralName)
{
    const QStringList names = {"English[UK]", ":Klingon", "star*", "what?", "{a,b}", "caret^", "Tab]le[",
                               "~tilde", "100%", "Esperanto (1887)", "-dash", "back`tick"};
    for (const QString extension : {".lng", ".LNG", ".Lng"}) {
        SCOPED_TRACE(extension.toStdString());
        QDir(appDir()).removeRecursively();
        ASSERT_TRUE(QDir(root.path()).mkdir("app"));
        for (const QString& name : names)
            write(appDir() + '/' + name + extension, "[Strings]\r\n0001=\"" + name.toUtf8() + "\"\r\n");
        // Decoys a pattern would match.
        write(appDir() + "/EnglishU.lng", "[Strings]\r\n0001=\"decoy\"\r\n");
        write(appDir() + "/starry.lng", "[Strings]\r\n0001=\"decoy\"\r\n");

        const QStringList listed = language::listLanguageNames(appDir());
        for (const QString& name : names) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_TRUE(listed.contains(name));
            CurrentLanguageFile = name;
            EXPECT_EQ(LookupString("0001"), name);
        }
    }
}

TEST(LanguageNames, OnlyPlainNamesAreSafe)
{
    for (const QString name : {"English", "Italiano", "Espa\u00f1ol (Am\u00e9rica)", "v1.2", ""})
        EXPECT_TRUE(language::isSafeLanguageName(name)) << name.toStdString();
    const QString unsafe[] = {"a/b", "a\\b", "..", "x..y", "tab\there", "nul" + QString(QChar(0)),
                              "del\x7f", QString("c1") + QChar(0x85), "line\nbreak"};
    for (const QString& name : unsafe)
        EXPECT_FALSE(language::isSafeLanguageName(name)) << name.toStdString();
}

} // namespace
