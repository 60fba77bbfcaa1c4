#include "ServerTestSupport.h"

#include "server/ServerConnection.h"

#include <QSqlError>
#include <QSqlQuery>

// What each role of the set-up script may do, asked of the server itself.
namespace {

struct Statement {
    const char* name;
    const char* sql;
    bool allowed;
};

QString runAs(TempPostgres& pg, const QString& database, const QString& user, const QString& password, const QString& sql)
{
    server::ServerConnection connection(pg.address(database, user), password);
    if (!connection.open())
        return QStringLiteral("no connection: ") + connection.problem();
    QSqlQuery query(connection.database());
    if (!query.exec(sql))
        return query.lastError().nativeErrorCode();
    return QStringLiteral("ok");
}

} // namespace

TEST(ServerRoles, ClassroomMayOnlyAddAnswersAndReadClassLists)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("pupils can read this"));
    ASSERT_FALSE(school.isEmpty()) << pg.problem().toStdString();
    ASSERT_TRUE(pg.psql(school, QStringLiteral(
        "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
        "VALUES ('00000000-0000-0000-0000-000000000001', now(), 'Ada', 'frmRuota1', true, 1);"
        "INSERT INTO gonioma.class_lists VALUES ('4B', 'Ada', 1);")));

    const Statement statements[] = {
        {"insert an answer",
         "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
         "VALUES (gen_random_uuid(), now(), 'Bo', 'frmRuota2', false, 1) ON CONFLICT DO NOTHING", true},
        {"insert the same id again",
         "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
         "VALUES ('00000000-0000-0000-0000-000000000001', now(), 'X', 'Y', false, 1) ON CONFLICT DO NOTHING", true},
        {"read the class lists", "SELECT * FROM gonioma.class_lists", true},
        {"report its unsent answers", "SELECT gonioma.report_unsent('pc', 'pupil', '4B', 3)", true},
        {"read answers", "SELECT pupil FROM gonioma.answers", false},
        {"count answers", "SELECT count(*) FROM gonioma.answers", false},
        {"change an answer", "UPDATE gonioma.answers SET is_right = true", false},
        {"delete answers", "DELETE FROM gonioma.answers", false},
        {"empty the answers", "TRUNCATE gonioma.answers", false},
        {"read back through RETURNING",
         "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
         "VALUES (gen_random_uuid(), now(), 'C', 'D', true, 1) RETURNING pupil", false},
        {"change a class list", "INSERT INTO gonioma.class_lists VALUES ('4B', 'Mallory', 0)", false},
        {"read the computers' counts", "SELECT * FROM gonioma.computers", false},
        {"drop the answers", "DROP TABLE gonioma.answers", false},
        {"make a table", "CREATE TABLE gonioma.mine (x int)", false},
    };
    for (const Statement& s : statements) {
        const QString got = runAs(pg, school, QStringLiteral("gonioma_classroom"), QStringLiteral("pupils can read this"),
                                  QString::fromUtf8(s.sql));
        if (s.allowed)
            EXPECT_EQ(got.toStdString(), "ok") << s.name;
        else
            EXPECT_TRUE(got == QLatin1String("42501") || got == QLatin1String("42P01")) << s.name << ": " << got.toStdString();
    }
    // The refused statements changed nothing: Ada's answer is as it was, Bo's added.
    QString out;
    ASSERT_TRUE(pg.psql(school, QStringLiteral("SELECT string_agg(pupil || ':' || is_right, ',' ORDER BY pupil) FROM gonioma.answers"), &out));
    EXPECT_EQ(out.toStdString(), "Ada:true,Bo:false");
}

TEST(ServerRoles, TeacherReadsEverythingAndAddsNoAnswer)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    ASSERT_FALSE(school.isEmpty()) << pg.problem().toStdString();
    ASSERT_TRUE(pg.psql(school, QStringLiteral(
        "DROP ROLE IF EXISTS anna; CREATE ROLE anna LOGIN PASSWORD 'anna''s secret' IN ROLE gonioma_teacher;"
        "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
        "VALUES (gen_random_uuid(), now(), 'Ada', 'frmRuota1', true, 1);")));
    const Statement statements[] = {
        {"read answers", "SELECT * FROM gonioma.answers", true},
        {"read the computers' counts", "SELECT * FROM gonioma.computers", true},
        {"keep a class list", "INSERT INTO gonioma.class_lists VALUES ('4B', 'Ada', 1)", true},
        {"make up an answer",
         "INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
         "VALUES (gen_random_uuid(), now(), 'Bo', 'frmRuota2', true, 1)", false},
        {"change an answer", "UPDATE gonioma.answers SET is_right = false", false},
    };
    for (const Statement& s : statements) {
        const QString got = runAs(pg, school, QStringLiteral("anna"), QStringLiteral("anna's secret"), QString::fromUtf8(s.sql));
        EXPECT_EQ(got == QLatin1String("ok"), s.allowed) << s.name << ": " << got.toStdString();
    }
}

TEST(ServerRoles, SetUpRunTwiceKeepsTheAnswersAndTakesTheNewPassword)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("first"));
    ASSERT_FALSE(school.isEmpty());
    ASSERT_EQ(runAs(pg, school, QStringLiteral("gonioma_classroom"), QStringLiteral("first"),
                    QStringLiteral("INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, is_right, attempt) "
                                   "VALUES (gen_random_uuid(), now(), 'Ada', 'frmRuota1', true, 1)")).toStdString(), "ok");
    ASSERT_TRUE(pg.psqlFile(school, QStringLiteral(GONIOMA_SOURCE_DIR "/share/gonioma/server-setup.sql"),
                            {QStringLiteral("classroom_password=second")})) << pg.problem().toStdString();
    EXPECT_EQ(serverCount(pg, school), 1);
    EXPECT_TRUE(runAs(pg, school, QStringLiteral("gonioma_classroom"), QStringLiteral("first"), QStringLiteral("SELECT 1"))
                    .startsWith(QLatin1String("no connection")));
    EXPECT_EQ(runAs(pg, school, QStringLiteral("gonioma_classroom"), QStringLiteral("second"), QStringLiteral("SELECT 1")).toStdString(), "ok");
    // Without a password the script stops before changing anything.
    EXPECT_FALSE(pg.psqlFile(school, QStringLiteral(GONIOMA_SOURCE_DIR "/share/gonioma/server-setup.sql"), {}));
    EXPECT_TRUE(pg.problem().contains(QLatin1String("classroom_password"))) << pg.problem().toStdString();
}

TEST(ServerRoles, ConnectionsAskedForTlsUseIt)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("tls"));
    server::ServerConnection connection(pg.address(school), QStringLiteral("tls"));
    ASSERT_TRUE(connection.open()) << connection.problem().toStdString();
    QSqlQuery query(connection.database());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()")));
    ASSERT_TRUE(query.next());
    EXPECT_TRUE(query.value(0).toBool());
    // The test server takes no connection without TLS.
    server::ServerAddress plain = pg.address(school);
    plain.sslMode = QStringLiteral("disable");
    server::ServerConnection refused(plain, QStringLiteral("tls"));
    EXPECT_FALSE(refused.open());
}
