#include "ServerTestSupport.h"

#include "server/ServerReader.h"

#include <QFile>

// The teacher's reader of a whole school against the local store: the same
// answers read through both give the same table, days and answers.
namespace {

using namespace std::chrono_literals;

QString makeTeacher(TempPostgres& pg, const QString& school)
{
    EXPECT_TRUE(pg.psql(school, QStringLiteral("DROP ROLE IF EXISTS bruno; "
                                               "CREATE ROLE bruno LOGIN PASSWORD 'Bruno''s pw' IN ROLE gonioma_teacher")));
    return QStringLiteral("Bruno's pw");
}

} // namespace

TEST(ServerReader, ReadsWhatTheLocalStoreReads)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    LocalResults local;
    const QStringList pupils{QStringLiteral("Ada"), QStringLiteral("Zoë O'Brien"), QStringLiteral("محمد")};
    for (int i = 0; i < 300; ++i) {
        results::AnswerRecord a = madeUpAnswer(i, pupils[i % 3]);
        // Over several days, to the millisecond.
        a.answeredAt = QDateTime(QDate(2026, 11, 1 + i % 9), QTime(7 + i % 12, i % 60, i % 60, i), Qt::UTC);
        local.record(a);
    }
    server::ServerSender sender(pg.address(school), QStringLiteral("classroom"), local.opener(), quickOptions());
    sender.start();
    ASSERT_TRUE(sender.waitUntilSent(20s));
    sender.stop();

    server::ServerReader reader(pg.address(school), QStringLiteral("bruno"), makeTeacher(pg, school));
    ASSERT_TRUE(reader.open()) << reader.serverProblem().toStdString();
    reader.setPageSize(7); // the answers come in many pages
    results::ResultsStore& store = local.store();

    const auto serverSummary = reader.summary();
    const auto localSummary = store.summary();
    ASSERT_EQ(serverSummary.size(), localSummary.size());
    ASSERT_FALSE(localSummary.isEmpty());
    for (qsizetype i = 0; i < localSummary.size(); ++i) {
        SCOPED_TRACE(i);
        // Pupils are ordered by the server's collation, the store's by bytes: compare by key.
        const auto& l = localSummary[i];
        const auto match = std::find_if(serverSummary.begin(), serverSummary.end(), [&](const auto& s) {
            return s.pupil == l.pupil && s.exercise == l.exercise;
        });
        ASSERT_NE(match, serverSummary.end());
        EXPECT_EQ(match->answers, l.answers);
        EXPECT_EQ(match->questions, l.questions);
        EXPECT_EQ(match->rightAtFirstTry, l.rightAtFirstTry);
        EXPECT_EQ(match->lastPractised, l.lastPractised);
    }

    const std::pair<QString, QString> charts[] = {
        {{}, {}}, {pupils[1], {}}, {{}, QStringLiteral("frmRuota3")}, {pupils[2], QStringLiteral("frmRuota2")}};
    for (const auto& [pupil, exercise] : charts) {
        SCOPED_TRACE((pupil + QLatin1Char('/') + exercise).toStdString());
        const auto s = reader.dailyShares(pupil, exercise);
        const auto l = store.dailyShares(pupil, exercise);
        ASSERT_EQ(s.size(), l.size());
        for (qsizetype i = 0; i < l.size(); ++i) {
            EXPECT_EQ(s[i].day, l[i].day);
            EXPECT_EQ(s[i].answers, l[i].answers);
            EXPECT_EQ(s[i].right, l[i].right);
        }
    }

    for (const QString& pupil : {QString(), pupils[1]}) {
        QList<results::AnswerRecord> fromServer, fromStore;
        ASSERT_TRUE(reader.forEachAnswer(pupil, [&](const results::AnswerRecord& a) { fromServer.append(a); }));
        ASSERT_TRUE(store.forEachAnswer(pupil, [&](const results::AnswerRecord& a) { fromStore.append(a); }));
        ASSERT_EQ(fromServer.size(), fromStore.size());
        const auto byId = [](const results::AnswerRecord& a, const results::AnswerRecord& b) { return a.id < b.id; };
        std::sort(fromServer.begin(), fromServer.end(), byId);
        std::sort(fromStore.begin(), fromStore.end(), byId);
        for (qsizetype i = 0; i < fromStore.size(); ++i)
            EXPECT_EQ(fromServer[i], fromStore[i]) << i;
    }
    EXPECT_TRUE(reader.problem().isEmpty());
}

TEST(ServerReader, ClassListsClassesAndComputersThatWait)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    ASSERT_TRUE(pg.psql(school, QStringLiteral(
        "INSERT INTO gonioma.class_lists VALUES ('4B', 'Zeno', 1), ('4B', 'Ada', 2), ('5A', 'Carla', 1);"
        "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt, class) VALUES "
        "(gen_random_uuid(), now(), 'Guest', 'frmRuota1', true, 1, '4B'),"
        "(gen_random_uuid(), now(), 'Carla', 'frmRuota1', true, 1, '5A');"
        "SELECT gonioma.report_unsent('lab-3', 'pupil', '4B', 12);"
        "SELECT gonioma.report_unsent('lab-4', 'pupil', '4B', 0);"
        "SELECT gonioma.report_unsent('lab-9', 'pupil', '5A', 40);")));
    const QString password = makeTeacher(pg, school);
    server::ServerReader whole(pg.address(school), QStringLiteral("bruno"), password);
    ASSERT_TRUE(whole.open());
    EXPECT_EQ(whole.classes(), (QStringList{QStringLiteral("4B"), QStringLiteral("5A")}));
    EXPECT_EQ(whole.backlogs().size(), 2);
    EXPECT_EQ(whole.backlogs().value(0).computer.toStdString(), "lab-9");

    server::ServerReader fourB(pg.address(school), QStringLiteral("bruno"), password, QStringLiteral("4B"));
    ASSERT_TRUE(fourB.open());
    // The class list in the teacher's order, then who answered without being on it.
    EXPECT_EQ(fourB.pupils(), (QStringList{QStringLiteral("Zeno"), QStringLiteral("Ada"), QStringLiteral("Guest")}));
    ASSERT_EQ(fourB.summary().size(), 1);
    EXPECT_EQ(fourB.summary().value(0).pupil.toStdString(), "Guest");
    const auto waiting = fourB.backlogs();
    ASSERT_EQ(waiting.size(), 1);
    EXPECT_EQ(waiting[0].computer.toStdString(), "lab-3");
    EXPECT_EQ(waiting[0].unsent, 12);
    EXPECT_TRUE(waiting[0].reportedAt.isValid());
    const QString line = server::backlogLine(waiting[0]);
    EXPECT_TRUE(line.startsWith(QLatin1String("lab-3 (pupil): 12 "))) << line.toStdString();
}

TEST(ServerReader, AWrongTeacherPasswordSaysSoAndReadsNothing)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    makeTeacher(pg, school);
    // The factory the teacher's view calls reads the address from the school settings.
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("gonioma.conf"));
    QFile f(conf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("[Results]\nServer=postgresql://gonioma_classroom@127.0.0.1:%1/%2?sslmode=require\n"
                           "PasswordFile=%3/pw\n").arg(pg.port()).arg(school, dir.path()).toUtf8());
    f.close();
    const QByteArray before = qgetenv("GONIOMA_CONFIG");
    qputenv("GONIOMA_CONFIG", QFile::encodeName(conf));
    const auto wrong = server::openSchoolResults(QStringLiteral("bruno"), QStringLiteral("guess"));
    const auto right = server::openSchoolResults(QStringLiteral("bruno"), QStringLiteral("Bruno's pw"));
    qputenv("GONIOMA_CONFIG", QFile::encodeName(dir.filePath(QStringLiteral("none.conf"))));
    const auto none = server::openSchoolResults(QStringLiteral("bruno"), QStringLiteral("Bruno's pw"));
    qputenv("GONIOMA_CONFIG", before);

    ASSERT_TRUE(wrong);
    EXPECT_TRUE(wrong->serverProblem().contains(QLatin1String("password authentication failed")))
        << wrong->serverProblem().toStdString();
    EXPECT_TRUE(wrong->problem().contains(wrong->serverProblem()));
    EXPECT_TRUE(wrong->summary().isEmpty());
    ASSERT_TRUE(right);
    EXPECT_TRUE(right->problem().isEmpty()) << right->serverProblem().toStdString();
    EXPECT_TRUE(right->summary().isEmpty());
    EXPECT_TRUE(right->problem().isEmpty());
    EXPECT_FALSE(none);
}

TEST(SchoolSending, NothingStartsWithoutTheSettingsAndABadSettingSaysWhy)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("results.sqlite"));
    QString problem;
    EXPECT_FALSE(server::SchoolSending::start(dir.filePath(QStringLiteral("none.conf")), db, &problem));
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_FALSE(QFile::exists(db)) << "the local database was touched without a server";
    const QString conf = dir.filePath(QStringLiteral("gonioma.conf"));
    QFile f(conf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Results]\nServer=postgresql://c@h/g\nPasswordFile=/nonexistent/pw\n");
    f.close();
    EXPECT_FALSE(server::SchoolSending::start(conf, db, &problem));
    EXPECT_TRUE(problem.contains(QLatin1String("/nonexistent/pw"))) << problem.toStdString();
    EXPECT_EQ(server::SchoolSending::current(), nullptr);
}
