#include "ServerTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>

// A classroom computer killed (SIGKILL) while it sends, three times, then
// started again: the server holds every answer once, nothing waits locally.
TEST(ServerSender, KilledWhileSendingLosesAndDoublesNothing)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom password"));
    ASSERT_FALSE(school.isEmpty());
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("results.sqlite"));
    const QString passwordFile = dir.filePath(QStringLiteral("classroom-password"));
    const QString settings = dir.filePath(QStringLiteral("gonioma.conf"));
    QFile password(passwordFile);
    ASSERT_TRUE(password.open(QIODevice::WriteOnly));
    password.write("classroom password\n");
    password.close();
    QFile conf(settings);
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("[Results]\nServer=postgresql://gonioma_classroom@127.0.0.1:%1/%2?sslmode=require\n"
                              "PasswordFile=%3\nClass=4B\n").arg(pg.port()).arg(school, passwordFile).toUtf8());
    conf.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GONIOMA_CONFIG"), settings);
    const auto driver = [&](const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(GONIOMA_SEND_DRIVER), arguments);
        return process;
    };
    constexpr int kAnswers = 4000;
    {
        auto fill = driver({QStringLiteral("fill"), database, QString::number(kAnswers)});
        ASSERT_TRUE(fill->waitForFinished(120000));
        ASSERT_EQ(fill->exitCode(), 0);
    }
    int lastCount = 0;
    for (int kill = 1; kill <= 3; ++kill) {
        auto send = driver({QStringLiteral("send"), database, QStringLiteral("50")});
        ASSERT_TRUE(send->waitForStarted());
        // Killed once the server has taken some more of the answers.
        QElapsedTimer waited;
        waited.start();
        int count = serverCount(pg, school);
        while (count < lastCount + 300 && count < kAnswers && waited.elapsed() < 60000) {
            QThread::msleep(20);
            count = serverCount(pg, school);
        }
        ::kill(pid_t(send->processId()), SIGKILL);
        ASSERT_TRUE(send->waitForFinished(10000));
        EXPECT_EQ(send->exitStatus(), QProcess::CrashExit) << "kill " << kill << " came after the end";
        lastCount = serverCount(pg, school);
    }
    EXPECT_LT(lastCount, kAnswers) << "the kills did not come while sending";
    auto finish = driver({QStringLiteral("send"), database, QStringLiteral("50")});
    ASSERT_TRUE(finish->waitForFinished(120000));
    EXPECT_EQ(finish->exitCode(), 0);

    const ServerRows rows = serverRows(pg, school);
    EXPECT_EQ(rows.rows, kAnswers);
    results::ResultsStore store(database);
    QSet<QUuid> local;
    store.forEachAnswer({}, [&](const results::AnswerRecord& a) { local.insert(a.id); });
    EXPECT_EQ(rows.ids, local);
    EXPECT_EQ(store.unsentCount(), 0);
}
