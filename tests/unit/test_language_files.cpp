#include "language/LanguageFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using language::listLanguageNames;

namespace {

class LanguageFilesTest : public ::testing::Test {
protected:
    void touch(const QString& name) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write("[Strings]\r\n");
    }

    QTemporaryDir dir;
};

TEST_F(LanguageFilesTest, ListsLanguageFilesOfAnyCaseSortedIgnoringCase)
{
    touch("italiano.lng");
    touch("English.LNG");
    touch("Deutsch.Lng");
    touch("Zulu.lng");

    EXPECT_EQ(listLanguageNames(dir.path()),
              QStringList({"Deutsch", "English", "italiano", "Zulu"}));
}

TEST_F(LanguageFilesTest, OtherFilesFoldersAndNamesWithLineBreaksAreLeftOut)
{
    touch("Italiano.lng");
    touch("note.txt");
    touch("Italiano.lng.bak");
    touch("lng");
    touch("Due\nrighe.lng");
    touch("Ritorno\rcarrello.lng");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Cartella.lng"));

    EXPECT_EQ(listLanguageNames(dir.path()), QStringList({"Italiano"}));
}

TEST_F(LanguageFilesTest, NamesThatWouldNotReadBackFromTheSettingsAreLeftOut)
{
    touch("Italiano.lng");
    touch(" Spazio.lng");
    touch("Spazio .lng");
    touch("\"Virgolette\".lng");
    touch("a..b.lng");
    touch("Barra\\rovescia.lng");
    touch(".lng");

    EXPECT_EQ(listLanguageNames(dir.path()), QStringList({"Italiano"}));
}

TEST_F(LanguageFilesTest, NoLanguageFilesGivesAnEmptyList)
{
    touch("LangSetting.ini");
    EXPECT_TRUE(listLanguageNames(dir.path()).isEmpty());
    EXPECT_TRUE(listLanguageNames(dir.filePath("assente")).isEmpty());
}

} // namespace
