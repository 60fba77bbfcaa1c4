#include "platform/services/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

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

// A killed copy's lock that cannot be removed (made immutable here, which
// holds even for root) is passed over; a running copy's lock still counts.
TEST_F(LockPlaces, AKilledCopysLockThatCannotBeRemovedIsPassedOver)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const QString stale = usable("stale.lock");
    QFile file(stale);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(child) + "\ngonioma\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    file.close();
    if (QProcess::execute("chattr", {"+i", stale}) != 0)
        GTEST_SKIP() << "chattr cannot make a file immutable here";

    const QStringList places = {stale, usable("next.lock")};
    SingleInstance next(places);
    const bool running = next.previousInstanceRunning();
    const bool secondRunning = SingleInstance(places).previousInstanceRunning();
    QProcess::execute("chattr", {"-i", stale});
    EXPECT_FALSE(running);
    EXPECT_EQ(next.heldLockPath(), usable("next.lock"));
    EXPECT_TRUE(secondRunning);
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
