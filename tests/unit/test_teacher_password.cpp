#include "platform/services/Settings.h"
#include "teacher/TeacherPassword.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(TeacherPasswordTest, AHashMatchesItsPasswordAloneAndIsSaltedEachTime)
{
    const QString password = QStringLiteral("Maestra Già ✓ 'x'; DROP");
    const QByteArray first = teacher::hashPassword(password);
    const QByteArray second = teacher::hashPassword(password);
    ASSERT_TRUE(first.startsWith("$argon2id$")) << first.constData();
    EXPECT_NE(first, second); // a new salt each time
    EXPECT_FALSE(first.contains(password.toUtf8()));
    EXPECT_TRUE(teacher::passwordMatches(first, password));
    EXPECT_TRUE(teacher::passwordMatches(second, password));
    EXPECT_FALSE(teacher::passwordMatches(first, password + QLatin1Char(' ')));
    EXPECT_FALSE(teacher::passwordMatches(first, QString()));
    for (const QByteArray& broken : {QByteArray(), QByteArray("plain text"), first.left(first.size() / 2),
                                     QByteArray(200, '$')})
        EXPECT_FALSE(teacher::passwordMatches(broken, password)) << broken.constData();
}

TEST(TeacherPasswordTest, ThreeWrongTriesMakeTheNextWaitLongerEachTimeUntilARightOne)
{
    auto now = std::chrono::steady_clock::time_point{};
    teacher::PasswordGate gate([&now] { return now; });
    const QByteArray hash = teacher::hashPassword(QStringLiteral("right"));
    using Outcome = teacher::PasswordGate::Outcome;

    EXPECT_EQ(gate.attempt(hash, QStringLiteral("a")), Outcome::Wrong);
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("b")), Outcome::Wrong);
    EXPECT_EQ(gate.secondsToWait(), 0);
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("c")), Outcome::Wrong);
    EXPECT_EQ(gate.secondsToWait(), 5);
    // During the wait even the right password is not checked.
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("right")), Outcome::MustWait);
    now += 5s;
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("d")), Outcome::Wrong);
    EXPECT_EQ(gate.secondsToWait(), 10);
    now += 10s;
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("right")), Outcome::Right);
    // A right try starts the count again: two more wrong ones cost nothing.
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("e")), Outcome::Wrong);
    EXPECT_EQ(gate.attempt(hash, QStringLiteral("f")), Outcome::Wrong);
    EXPECT_EQ(gate.secondsToWait(), 0);
}

TEST(TeacherPasswordTest, TheSchoolsHashWinsOverTheOneChosenOnThisAccount)
{
    QTemporaryDir dir;
    const QByteArray savedConfig = qgetenv("GONIOMA_CONFIG");
    const QByteArray savedHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("GONIOMA_CONFIG", QFile::encodeName(dir.filePath(QStringLiteral("gonioma.conf"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));

    EXPECT_TRUE(teacher::currentPasswordHash().isEmpty());
    ASSERT_TRUE(teacher::choosePassword(QStringLiteral("mine")));
    EXPECT_TRUE(QFileInfo::exists(platform::accountSettingsPath()));
    EXPECT_TRUE(teacher::passwordMatches(teacher::currentPasswordHash(), QStringLiteral("mine")));

    QFile school(dir.filePath(QStringLiteral("gonioma.conf")));
    ASSERT_TRUE(school.open(QIODevice::WriteOnly));
    school.write("[Program]\r\nTeacherPasswordHash=" + teacher::hashPassword(QStringLiteral("school")) + "\r\n");
    school.close();
    EXPECT_TRUE(teacher::passwordMatches(teacher::currentPasswordHash(), QStringLiteral("school")));
    EXPECT_FALSE(teacher::passwordMatches(teacher::currentPasswordHash(), QStringLiteral("mine")));

    // An account folder that cannot be made leaves nothing changed.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(school.fileName())); // a file, not a folder
    EXPECT_FALSE(teacher::choosePassword(QStringLiteral("other")));

    qputenv("GONIOMA_CONFIG", savedConfig);
    qputenv("XDG_CONFIG_HOME", savedHome);
}
