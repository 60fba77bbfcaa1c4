#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::SingleInstance;

namespace {

// Places where no lock can be made whoever runs the test (root included): a
// folder that does not exist, and a "folder" that is a regular file.
class LockPlaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile file(dir.filePath("a-file"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QString missingFolder() const { return dir.filePath("missing/gonioma.lock"); }
    QString underAFile() const { return dir.filePath("a-file/gonioma.lock"); }
    QString usable(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(LockPlaces, TheFirstPlaceWhereALockCanBeMadeHoldsIt)
{
    const QStringList places = {missingFolder(), underAFile(), usable("runtime.lock"), usable("home.lock")};
    SingleInstance first(places);
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_EQ(first.heldLockPath(), usable("runtime.lock"));

    SingleInstance second(places);
    EXPECT_TRUE(second.previousInstanceRunning());
    EXPECT_EQ(second.heldLockPath(), "");
    EXPECT_TRUE(second.previousInstanceRunning()); // asked again, same answer
}

TEST_F(LockPlaces, ALockIsFreeAgainOnceItsCopyEnds)
{
    const QStringList places = {underAFile(), usable("runtime.lock")};
    {
        SingleInstance first(places);
        ASSERT_FALSE(first.previousInstanceRunning());
    }
    SingleInstance next(places);
    EXPECT_FALSE(next.previousInstanceRunning());
    EXPECT_EQ(next.heldLockPath(), usable("runtime.lock"));
}

TEST_F(LockPlaces, WithNoPlaceForALockTheProgramStartsAnyway)
{
    const QStringList places = {missingFolder(), underAFile()};
    SingleInstance first(places);
    SingleInstance second(places);
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_FALSE(second.previousInstanceRunning());
    EXPECT_EQ(first.heldLockPath(), "");
    EXPECT_FALSE(SingleInstance(QStringList{}).previousInstanceRunning());
}

TEST(LockPlacesByDefault, TemporaryThenRuntimeThenHomeDirectory)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", "/run/user/test");
    const QStringList places = SingleInstance::defaultLockFilePaths();
    if (runtime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", runtime);

    ASSERT_EQ(places.size(), 3);
    EXPECT_TRUE(places[0].startsWith(QDir::tempPath() + "/gonioma-"));
    EXPECT_TRUE(places[1].startsWith("/run/user/test/gonioma-"));
    EXPECT_TRUE(places[2].startsWith(QDir::homePath() + "/.gonioma-"));
}

TEST(LockPlacesByDefault, AMissingTemporaryDirectoryIsNotTheRootFolder)
{
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/no/such/folder/anywhere");
    const QStringList places = SingleInstance::defaultLockFilePaths();
    if (tmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmp);
    for (const QString& place : places)
        EXPECT_NE(QFileInfo(place).absolutePath(), "/") << place.toStdString();
}

} // namespace
