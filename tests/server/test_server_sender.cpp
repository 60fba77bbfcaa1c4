#include "ServerTestSupport.h"

#include <QDir>
#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cmath>
#include <functional>

// The sender against a real PostgreSQL, through the faults a school's network
// and server go through. After each: every answer on the server once, none
// left waiting on the computer.
namespace {

using namespace std::chrono_literals;

struct Fault {
    const char* name;
    int answers;
    int batchSize;
    // Runs with the sender started on a fresh school; may stop and start the
    // server, and returns the password the sender should end with.
    std::function<void(TempPostgres&, server::ServerSender&, LocalResults&, const QString& school)> during;
    bool serverDownAtStart = false;
};

void expectAllOnServerOnce(TempPostgres& pg, const QString& school, const LocalResults& queue)
{
    const ServerRows rows = serverRows(pg, school);
    EXPECT_EQ(rows.rows, queue.allIds().size());
    EXPECT_EQ(rows.ids, queue.allIds());
    EXPECT_EQ(queue.waiting(), 0);
}

} // namespace

TEST(ServerSender, EveryAnswerArrivesOnceThroughEachFault)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const Fault faults[] = {
        {"server up all along", 25, 200, nullptr},
        {"server stopped before start-up", 40, 200,
         [](TempPostgres& pg, server::ServerSender& sender, LocalResults& queue, const QString&) {
             EXPECT_FALSE(sender.waitUntilSent(600ms));
             EXPECT_FALSE(sender.status().problem.isEmpty());
             EXPECT_EQ(queue.waiting(), 40);
             ASSERT_TRUE(pg.restart());
         },
         true},
        {"server stopped in the middle of the batches", 3000, 50,
         [](TempPostgres& pg, server::ServerSender&, LocalResults& queue, const QString& school) {
             QElapsedTimer t;
             t.start();
             while (serverCount(pg, school) < 200 && t.elapsed() < 20000) {}
             ASSERT_TRUE(pg.stop(QStringLiteral("immediate")));
             EXPECT_GT(queue.waiting(), 0);
             ASSERT_TRUE(pg.restart());
         }},
        {"server restarted between answers", 30, 200,
         [](TempPostgres& pg, server::ServerSender& sender, LocalResults& queue, const QString& school) {
             ASSERT_TRUE(sender.waitUntilSent(20s));
             ASSERT_TRUE(pg.stop());
             ASSERT_TRUE(pg.restart());
             for (int i = 0; i < 10; ++i) {
                 queue.record(madeUpAnswer(i));
                 sender.nudge();
             }
             Q_UNUSED(school);
         }},
        {"ten thousand answers waiting", 10000, 200, nullptr},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        const QString school = pg.newSchool(QStringLiteral("classroom"));
        ASSERT_FALSE(school.isEmpty()) << pg.problem().toStdString();
        LocalResults queue;
        for (int i = 0; i < fault.answers; ++i)
            queue.record(madeUpAnswer(i, QStringLiteral("Pupil %1").arg(i % 30)));
        if (fault.serverDownAtStart) {
            ASSERT_TRUE(pg.stop());
        }
        server::ServerSender sender(pg.address(school), QStringLiteral("classroom"), queue.opener(), quickOptions(fault.batchSize));
        sender.start();
        if (fault.during)
            fault.during(pg, sender, queue, school);
        ASSERT_TRUE(pg.running());
        EXPECT_TRUE(sender.waitUntilSent(60s)) << sender.status().problem.toStdString();
        sender.stop();
        expectAllOnServerOnce(pg, school, queue);
        EXPECT_TRUE(sender.status().problem.isEmpty()) << sender.status().problem.toStdString();
    }
}

TEST(ServerSender, RefusedUntilTheServerIsSetRightThenEverythingGoes)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    struct Case {
        const char* name;
        const char* problemHas;
        std::function<server::ServerAddress(const QString& school)> wrong;
        QString wrongPassword;
    };
    const Case cases[] = {
        {"wrong password", "password", [&](const QString& school) { return pg.address(school); }, QStringLiteral("guess")},
        {"no such database", "does not exist",
         [&](const QString&) { return pg.address(QStringLiteral("no_such_school")); }, QStringLiteral("classroom")},
        {"unknown role", "gonioma_intruder",
         [&](const QString& school) { return pg.address(school, QStringLiteral("gonioma_intruder")); }, QStringLiteral("classroom")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString school = pg.newSchool(QStringLiteral("classroom"));
        LocalResults queue;
        for (int i = 0; i < 20; ++i)
            queue.record(madeUpAnswer(i));
        {
            server::ServerSender wrong(c.wrong(school), c.wrongPassword, queue.opener(), quickOptions());
            wrong.start();
            EXPECT_FALSE(wrong.waitUntilSent(500ms));
            EXPECT_TRUE(wrong.status().problem.contains(QLatin1String(c.problemHas))) << wrong.status().problem.toStdString();
            EXPECT_GE(wrong.status().failures, 1);
        }
        EXPECT_EQ(queue.waiting(), 20);
        server::ServerSender right(pg.address(school), QStringLiteral("classroom"), queue.opener(), quickOptions());
        right.start();
        EXPECT_TRUE(right.waitUntilSent(20s));
        right.stop();
        expectAllOnServerOnce(pg, school, queue);
    }
}

TEST(ServerSender, SchemaMissingThenSetUp)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    // The roles exist (made by an earlier school) but this database has no tables yet.
    ASSERT_FALSE(pg.newSchool(QStringLiteral("classroom")).isEmpty());
    ASSERT_TRUE(pg.psql(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE bare")));
    LocalResults queue;
    for (int i = 0; i < 15; ++i)
        queue.record(madeUpAnswer(i));
    server::ServerSender sender(pg.address(QStringLiteral("bare")), QStringLiteral("classroom"), queue.opener(), quickOptions());
    sender.start();
    EXPECT_FALSE(sender.waitUntilSent(500ms));
    EXPECT_TRUE(sender.status().problem.contains(QLatin1String("gonioma"))) << sender.status().problem.toStdString();
    EXPECT_EQ(queue.waiting(), 15);
    ASSERT_TRUE(pg.psqlFile(QStringLiteral("bare"), QStringLiteral(GONIOMA_SOURCE_DIR "/share/gonioma/server-setup.sql"),
                            {QStringLiteral("classroom_password=classroom")}));
    EXPECT_TRUE(sender.waitUntilSent(20s)) << sender.status().problem.toStdString();
    sender.stop();
    expectAllOnServerOnce(pg, QStringLiteral("bare"), queue);
}

TEST(ServerSender, AnAddressThatSwallowsPacketsNeverHoldsTheCaller)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    // A port that takes the connection and never says a word, as a server
    // behind a network that drops every answer looks; and an unroutable
    // address (refused at once on some networks, silent on others).
    const int silent = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(silent, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof where;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&where), size), 0);
    ASSERT_EQ(listen(silent, 64), 0);
    ASSERT_EQ(getsockname(silent, reinterpret_cast<sockaddr*>(&where), &size), 0);
    const auto closeSilent = qScopeGuard([silent] { close(silent); });
    const QStringList hosts{QStringLiteral("127.0.0.1"), QStringLiteral("10.255.255.1")};
    LocalResults queue;
    int recorded = 0;
    for (const QString& host : hosts) {
        SCOPED_TRACE(host.toStdString());
        server::ServerAddress blackhole = pg.address(school);
        blackhole.host = host;
        if (host == hosts.first())
            blackhole.port = ntohs(where.sin_port);
        blackhole.connectTimeoutSeconds = 1;
        QElapsedTimer longest;
        qint64 slowestNudgeNs = 0;
        server::ServerSender sender(blackhole, QStringLiteral("classroom"), queue.opener(), quickOptions());
        sender.start();
        for (int i = 0; i < 100; ++i) {
            queue.record(madeUpAnswer(recorded++));
            longest.start();
            sender.nudge();
            slowestNudgeNs = std::max(slowestNudgeNs, longest.nsecsElapsed());
            std::this_thread::sleep_for(5ms);
        }
        EXPECT_FALSE(sender.waitUntilSent(1500ms));
        QElapsedTimer stopping;
        stopping.start();
        sender.stop();
        // At most the one connection attempt under way is waited for.
        EXPECT_LT(stopping.elapsed(), 2500);
        EXPECT_FALSE(sender.status().problem.isEmpty());
        EXPECT_LT(slowestNudgeNs, 50'000'000) << "a nudge waited on the network";
    }
    EXPECT_EQ(queue.waiting(), recorded);
    // The right address: all of them go.
    server::ServerSender sender(pg.address(school), QStringLiteral("classroom"), queue.opener(), quickOptions());
    sender.start();
    EXPECT_TRUE(sender.waitUntilSent(20s));
    sender.stop();
    expectAllOnServerOnce(pg, school, queue);
}

TEST(ServerSender, KeepsEveryFieldAsGivenAndTellsTheServerWhatWaits)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    LocalResults queue;
    results::AnswerRecord a = madeUpAnswer(3);
    a.answeredAt = QDateTime(QDate(2026, 3, 1), QTime(8, 5, 7, 123), Qt::UTC);
    a.round = QStringLiteral("round-7");
    a.secondsShown = 12.5;
    queue.record(a);
    // Fields the server could not keep as they are: the answer still goes.
    results::AnswerRecord odd;
    odd.id = QUuid::createUuid();
    odd.pupil = QStringLiteral("Nul\u0000byte");
    odd.attempt = 0;
    queue.record(odd);
    server::ServerSender sender(pg.address(school), QStringLiteral("classroom"), queue.opener(), quickOptions());
    sender.start();
    ASSERT_TRUE(sender.waitUntilSent(20s));
    sender.stop();
    QString out;
    ASSERT_TRUE(pg.psql(school, QStringLiteral(
        "SELECT concat_ws('|', id, to_char(answered_at AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS.MS'), pupil, exercise, "
        "question, answer, is_right, attempt, seconds_shown, language, round, class, computer) FROM gonioma.answers "
        "WHERE id = '%1'").arg(a.id.toString(QUuid::WithoutBraces)), &out));
    const QStringList expected{a.id.toString(QUuid::WithoutBraces), QStringLiteral("2026-03-01 08:05:07.123"), a.pupil,
                               a.exercise, a.question, a.answer, QStringLiteral("f"), QStringLiteral("2"),
                               QStringLiteral("12.5"), a.language, a.round, QStringLiteral("4B"), QStringLiteral("lab-pc-07")};
    EXPECT_EQ(out, expected.join(QLatin1Char('|')));
    ASSERT_TRUE(pg.psql(school, QStringLiteral("SELECT concat_ws('|', pupil, attempt, seconds_shown, exercise = '') FROM gonioma.answers "
                                               "WHERE id = '%1'").arg(odd.id.toString(QUuid::WithoutBraces)), &out));
    EXPECT_EQ(out.toStdString(), "Nulbyte|1|0|t");
    ASSERT_TRUE(pg.psql(school, QStringLiteral("SELECT concat_ws('|', computer, account, class, unsent) FROM gonioma.computers"), &out));
    EXPECT_EQ(out.toStdString(), "lab-pc-07|pupil|4B|0");
    EXPECT_EQ(sender.status().sent, 2);
}

TEST(ServerSender, StartedBeforeTheLocalDatabaseExists)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("later/results.sqlite"));
    server::ServerSender sender(pg.address(school), QStringLiteral("classroom"),
                                [file] { return std::make_unique<server::StoreQueue>(file); }, quickOptions());
    sender.start();
    // The folder is made only now, as the recording makes it on its first answer.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("later"))));
    results::ResultsStore store(file);
    QSet<QUuid> ids;
    for (int i = 0; i < 20; ++i) {
        const results::AnswerRecord a = madeUpAnswer(i);
        ASSERT_TRUE(store.record(a));
        ids.insert(a.id);
        sender.nudge();
    }
    EXPECT_TRUE(sender.waitUntilSent(20s)) << sender.status().problem.toStdString();
    sender.stop();
    EXPECT_EQ(serverRows(pg, school).ids, ids);
    EXPECT_EQ(store.unsentCount(), 0);
}
