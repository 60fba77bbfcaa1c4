#include "results/ClassList.h"
#include "results/CsvWriter.h"
#include "results/QuestionText.h"
#include "results/ResultsStore.h"
#include "results/Schema.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

#include <unistd.h>

using namespace results;

namespace {

AnswerRecord answer(const QString& pupil, const QString& exercise, bool right, int attempt,
                    const QDateTime& at = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC))
{
    AnswerRecord a;
    a.id = QUuid::createUuid();
    a.answeredAt = at;
    a.pupil = pupil;
    a.exercise = exercise;
    a.question = QStringLiteral("sizes=35,120;target=90");
    a.answer = QStringLiteral("typed=55");
    a.right = right;
    a.attempt = attempt;
    a.secondsShown = 2.5;
    a.language = QStringLiteral("English");
    return a;
}

QList<AnswerRecord> allAnswers(const ResultsReader& reader, const QString& pupil = {})
{
    QList<AnswerRecord> out;
    EXPECT_TRUE(reader.forEachAnswer(pupil, [&](const AnswerRecord& a) { out.append(a); }));
    return out;
}

QByteArray digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A connection of a program of its own, beside the store's.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~OtherProgram()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString& sql)
    {
        QSqlQuery q(m_db);
        const bool ok = q.exec(sql);
        m_lastError = q.lastError().text();
        return ok;
    }
    QVariant value(const QString& sql, int column = 0)
    {
        QSqlQuery q(m_db);
        return q.exec(sql) && q.next() ? q.value(column) : QVariant();
    }
    QSqlDatabase& db() { return m_db; }

private:
    QString m_name = QStringLiteral("other-program-") + QUuid::createUuid().toString();
    QSqlDatabase m_db;
    QString m_lastError;
};

} // namespace

TEST(ResultsSchemaTest, ANewDatabaseGetsTheWholeSchemaAndAVersion1DatabaseIsMigratedKeepingItsAnswers)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh/results.sqlite"));
    {
        ResultsStore store(fresh);
        ASSERT_TRUE(store.canWrite()) << store.problem().toStdString();
        EXPECT_EQ(store.versionFound(), 0);
    }
    {
        OtherProgram check(fresh);
        EXPECT_EQ(check.value(QStringLiteral("PRAGMA user_version")).toInt(), schema::kVersion);
        EXPECT_EQ(check.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    }

    // A database as the first version left it, with one answer in it.
    const QString old = dir.filePath(QStringLiteral("old.sqlite"));
    {
        OtherProgram v1(old);
        QSqlError error;
        ASSERT_TRUE(schema::upgrade(v1.db(), 0, 1, &error)) << error.text().toStdString();
        EXPECT_EQ(v1.value(QStringLiteral("PRAGMA user_version")).toInt(), 1);
        ASSERT_TRUE(v1.exec(QStringLiteral(
            "INSERT INTO answers (uuid, answered_at, pupil, exercise, question, answer, right, attempt, "
            "seconds_shown, language) VALUES ('6c0e3f0a-1111-4a7e-9c38-000000000001', 1772442000000, 'Zoë', "
            "'frmRuota1', 'sizes=35', 'class=acute', 1, 1, 1.25, 'Italiano')")));
        ASSERT_TRUE(v1.exec(QStringLiteral("INSERT INTO pupils (name, position) VALUES ('Zoë', 1)")));
        // The step to version 2 adds what version 1 lacks.
        EXPECT_FALSE(v1.exec(QStringLiteral("SELECT round FROM answers")));
    }
    ResultsStore store(old);
    ASSERT_TRUE(store.canWrite()) << store.problem().toStdString();
    EXPECT_EQ(store.versionFound(), 1);
    EXPECT_EQ(store.pupils(), QStringList{QStringLiteral("Zoë")});
    QList<AnswerRecord> kept = allAnswers(store);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].pupil, QStringLiteral("Zoë"));
    EXPECT_EQ(kept[0].answer, QStringLiteral("class=acute"));
    EXPECT_EQ(kept[0].answeredAt, QDateTime::fromMSecsSinceEpoch(1772442000000, Qt::UTC));
    EXPECT_DOUBLE_EQ(kept[0].secondsShown, 1.25);
    EXPECT_TRUE(kept[0].round.isEmpty());
    AnswerRecord inRound = answer(QStringLiteral("Zoë"), QStringLiteral("frmRuota2"), false, 2);
    inRound.round = QStringLiteral("round-7");
    ASSERT_TRUE(store.record(inRound));
    kept = allAnswers(store);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[1], inRound);
    OtherProgram check(old);
    EXPECT_EQ(check.value(QStringLiteral("PRAGMA user_version")).toInt(), schema::kVersion);
    for (const char* index : {"answers_by_pupil", "answers_by_pupil_and_exercise"})
        EXPECT_EQ(check.value(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = '%1'")
                                  .arg(QLatin1String(index)))
                      .toInt(),
                  1)
            << index;
    // The teacher's table is summed from the index, without reading the rows.
    EXPECT_TRUE(check.value(QStringLiteral("EXPLAIN QUERY PLAN SELECT pupil, exercise, COUNT(*), SUM(attempt = 1), "
                                           "SUM(attempt = 1 AND right <> 0), MAX(answered_at) FROM answers "
                                           "GROUP BY pupil, exercise"),
                            3)
                    .toString()
                    .contains(QStringLiteral("COVERING INDEX answers_by_pupil_and_exercise")));
}

TEST(ResultsStoreTest, AnswersAreKeptOnceReadBackSummedAndSeenByAnotherStoreOnTheSameFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.sqlite"));
    ResultsStore store(path);
    ResultsStore other(path);
    ASSERT_TRUE(store.canWrite());
    const QDateTime monday(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
    const QDateTime tuesday = monday.addDays(1);
    const QList<AnswerRecord> given = {
        answer(QStringLiteral("Anna"), QStringLiteral("frmRuota1"), false, 1, monday),
        answer(QStringLiteral("Anna"), QStringLiteral("frmRuota1"), true, 2, monday.addSecs(5)),
        answer(QStringLiteral("Anna"), QStringLiteral("frmRuota1"), true, 1, tuesday),
        answer(QStringLiteral("Ben"), QStringLiteral("frmRuota3"), true, 1, tuesday.addSecs(1)),
    };
    for (const AnswerRecord& a : given)
        ASSERT_TRUE(store.record(a)) << store.problem().toStdString();
    // The same answer again (a retry after a crash) is not kept twice.
    EXPECT_TRUE(store.record(given[0]));
    EXPECT_EQ(other.answerCount(), 4);
    EXPECT_EQ(allAnswers(other), given);
    EXPECT_EQ(allAnswers(other, QStringLiteral("Ben")), QList<AnswerRecord>{given[3]});

    const QList<PupilExerciseSummary> rows = other.summary();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].pupil, QStringLiteral("Anna"));
    EXPECT_EQ(rows[0].answers, 3);
    EXPECT_EQ(rows[0].questions, 2);
    EXPECT_EQ(rows[0].rightAtFirstTry, 1);
    EXPECT_EQ(rows[0].lastPractised, tuesday);
    EXPECT_EQ(rows[1].exercise, QStringLiteral("frmRuota3"));

    const QList<DailyShare> anna = other.dailyShares(QStringLiteral("Anna"), {});
    ASSERT_EQ(anna.size(), 2);
    EXPECT_EQ(anna[0].day, monday.date());
    EXPECT_EQ(anna[0].answers, 2);
    EXPECT_EQ(anna[0].right, 1);
    const QList<DailyShare> third = other.dailyShares({}, QStringLiteral("frmRuota3"));
    ASSERT_EQ(third.size(), 1);
    EXPECT_EQ(third[0].right, 1);

    // The school server's sender takes them oldest first and marks them.
    EXPECT_EQ(store.unsentCount(), 4);
    const QList<AnswerRecord> batch = store.unsent(3);
    ASSERT_EQ(batch.size(), 3);
    EXPECT_EQ(batch[0], given[0]);
    ASSERT_TRUE(store.markSent({batch[0].id, batch[1].id, batch[2].id}));
    EXPECT_EQ(other.unsentCount(), 1);
    EXPECT_EQ(other.unsent(10), QList<AnswerRecord>{given[3]});
}

TEST(ResultsStoreTest, StoresInSeveralThreadsWriteTheSameFileAndEveryAnswerIsKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.sqlite"));
    ResultsStore main(path, {.busyTimeoutMs = 5000});
    constexpr int kEach = 150;
    std::atomic<int> keptByThreads{0};
    QList<QThread*> threads;
    for (int t = 0; t < 2; ++t) {
        threads.append(QThread::create([&, t] {
            // A store of the thread's own, as the school server's sender has.
            ResultsStore store(path, {.busyTimeoutMs = 5000});
            for (int i = 0; i < kEach; ++i)
                keptByThreads += store.record(answer(QStringLiteral("Thread %1").arg(t), QStringLiteral("frmRuota"), true, 1)) ? 1 : 0;
        }));
        threads.last()->start();
    }
    int keptByMain = 0;
    for (int i = 0; i < kEach; ++i)
        keptByMain += main.record(answer(QStringLiteral("Main"), QStringLiteral("frmRuota"), false, 1)) ? 1 : 0;
    for (QThread* thread : threads) {
        thread->wait();
        delete thread;
    }
    EXPECT_EQ(keptByMain, kEach) << main.problem().toStdString();
    EXPECT_EQ(keptByThreads.load(), 2 * kEach);
    EXPECT_EQ(main.answerCount(), 3 * kEach);
    EXPECT_EQ(main.answerCount(QStringLiteral("Thread 1")), kEach);
}

TEST(ResultsStoreTest, TheClassListIsKeptInOrderAndRenamingCarriesTheAnswersWhileForgettingErasesThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.sqlite"));
    ResultsStore store(path);
    const QStringList names = {QStringLiteral("  Zoë  "), QStringLiteral("O'Brien \"Bob\""), QStringLiteral("مريم"),
                               QStringLiteral("Robert'); DROP TABLE answers;--"), QStringLiteral("Léa 🦊")};
    for (const QString& name : names)
        ASSERT_TRUE(store.addPupil(name)) << store.lastError().toStdString();
    EXPECT_EQ(store.pupils(), (QStringList{QStringLiteral("Zoë"), names[1], names[2], names[3], names[4]}));

    // Refusals say why in one line and change nothing.
    EXPECT_FALSE(store.addPupil(QStringLiteral("Zoë")));
    EXPECT_TRUE(store.lastError().contains(QStringLiteral("Zoë"))) << store.lastError().toStdString();
    EXPECT_FALSE(store.addPupil(QStringLiteral("   ")));
    EXPECT_FALSE(store.addPupil(QString(5000, QLatin1Char('x'))));
    EXPECT_FALSE(store.lastError().isEmpty());
    EXPECT_FALSE(store.lastError().contains(QLatin1Char('\n')));
    EXPECT_LT(store.lastError().size(), 200);
    EXPECT_FALSE(store.renamePupil(QStringLiteral("Nobody"), QStringLiteral("Somebody")));
    EXPECT_FALSE(store.renamePupil(QStringLiteral("Zoë"), names[2]));
    EXPECT_EQ(store.pupils().size(), 5);

    for (const QString& pupil : {QStringLiteral("Zoë"), names[3], names[4]}) {
        ASSERT_TRUE(store.record(answer(pupil, QStringLiteral("frmRuota"), true, 1)));
        ASSERT_TRUE(store.record(answer(pupil, QStringLiteral("frmRuota"), false, 1)));
    }
    ASSERT_TRUE(store.renamePupil(QStringLiteral("Zoë"), QStringLiteral("Zoë B.")));
    EXPECT_EQ(store.answerCount(QStringLiteral("Zoë")), 0);
    EXPECT_EQ(store.answerCount(QStringLiteral("Zoë B.")), 2);
    EXPECT_EQ(store.pupils().first(), QStringLiteral("Zoë B."));

    // Off the list, the answers stay; forgotten, they go too.
    ASSERT_TRUE(store.removePupil(names[4]));
    EXPECT_EQ(store.answerCount(names[4]), 2);
    ASSERT_TRUE(store.forgetPupil(names[3]));
    EXPECT_EQ(store.answerCount(names[3]), 0);
    EXPECT_FALSE(store.pupils().contains(names[3]));
    EXPECT_EQ(store.answerCount(), 4);
    EXPECT_FALSE(store.forgetPupil(QStringLiteral("Nobody")));
    ASSERT_TRUE(store.forgetPupil(names[4]));
    EXPECT_EQ(store.answerCount(), 2);
    // Nothing of the forgotten pupils is left in the file, even in free pages.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains(QStringLiteral("Léa 🦊").toUtf8()));
    EXPECT_FALSE(bytes.contains(QByteArray("DROP TABLE answers")));
}

TEST(ResultsStoreTest, FaultsNeverCrashAndSayWhyInOneLine)
{
    struct Case {
        const char* name;
        // Prepares the folder; returns the database's path.
        std::function<QString(const QTemporaryDir&)> prepare;
        StoreOptions options;
        StoreProblem expected;
        bool keepsAnswers;
    };
    const auto garbage = [](const QTemporaryDir& d) {
        const QString path = d.filePath(QStringLiteral("results.sqlite"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(8192, '\x5a'));
        return path;
    };
    const auto newer = [](const QTemporaryDir& d) {
        const QString path = d.filePath(QStringLiteral("results.sqlite"));
        { ResultsStore made(path); }
        OtherProgram later(path);
        later.exec(QStringLiteral("PRAGMA user_version = 99"));
        later.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        return path;
    };
    const QList<Case> cases = {
        {"data folder missing, made on first use",
         [](const QTemporaryDir& d) { return d.filePath(QStringLiteral("a/b/c/results.sqlite")); }, {},
         StoreProblem::None, true},
        {"data folder cannot be made (a file is in its way)",
         [](const QTemporaryDir& d) {
             QFile file(d.filePath(QStringLiteral("gonioma")));
             file.open(QIODevice::WriteOnly);
             return d.filePath(QStringLiteral("gonioma/results.sqlite"));
         },
         {}, StoreProblem::FolderNotWritable, false},
        {"damaged file put aside", garbage, {}, StoreProblem::Damaged, true},
        {"file of a newer version", newer, {}, StoreProblem::NewerVersion, false},
        {"disk full", [](const QTemporaryDir& d) { return d.filePath(QStringLiteral("results.sqlite")); },
         StoreOptions{.maxPageCount = 8}, StoreProblem::DiskFull, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = c.prepare(dir);
        const QByteArray before = digest(path);
        ResultsStore store(path, c.options);
        bool kept = true;
        // Enough answers to fill the small "disk".
        for (int i = 0; i < 200 && kept; ++i)
            kept = store.record(answer(QString(5000, QChar(0x00e9)), QStringLiteral("frmRuota"), true, 1));
        EXPECT_EQ(kept, c.keepsAnswers);
        EXPECT_EQ(store.problemKind(), c.expected) << store.problem().toStdString();
        EXPECT_EQ(store.problem().isEmpty(), c.expected == StoreProblem::None);
        EXPECT_FALSE(store.problem().contains(QLatin1Char('\n')));
        // Reading never fails outright.
        store.summary();
        store.pupils();
        if (c.expected == StoreProblem::NewerVersion) {
            EXPECT_EQ(digest(path), before); // never changed
        }
        if (c.expected == StoreProblem::Damaged) {
            const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("results.sqlite.damaged-*")});
            ASSERT_EQ(aside.size(), 1);
            EXPECT_EQ(digest(dir.filePath(aside[0])), before); // nothing kept is lost
        }
    }
}

TEST(ResultsStoreTest, AReadOnlyFolderKeepsNothingButTheAnswersThereCanBeRead)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.sqlite"));
    {
        ResultsStore store(path);
        ASSERT_TRUE(store.record(answer(QStringLiteral("Anna"), QStringLiteral("frmRuota"), true, 1)));
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        ResultsStore store(path);
        EXPECT_FALSE(store.record(answer(QStringLiteral("Anna"), QStringLiteral("frmRuota"), true, 1)));
        EXPECT_EQ(store.problemKind(), StoreProblem::FolderNotWritable);
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(ResultsStoreTest, ALockHeldByAnotherProgramFailsTheAnswerAfterTheBusyTimeoutAndPassesWithIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.sqlite"));
    ResultsStore store(path, {.busyTimeoutMs = 50});
    ASSERT_TRUE(store.record(answer(QStringLiteral("Anna"), QStringLiteral("frmRuota"), true, 1)));
    OtherProgram other(path);
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    EXPECT_FALSE(store.record(answer(QStringLiteral("Anna"), QStringLiteral("frmRuota"), true, 1)));
    EXPECT_EQ(store.problemKind(), StoreProblem::Locked);
    EXPECT_TRUE(store.problem().contains(QStringLiteral("results.sqlite"))) << store.problem().toStdString();
    // The teacher's view may still read what is kept.
    EXPECT_EQ(store.answerCount(), 1);
    ASSERT_TRUE(other.exec(QStringLiteral("COMMIT")));
    EXPECT_TRUE(store.record(answer(QStringLiteral("Anna"), QStringLiteral("frmRuota"), true, 1)));
    EXPECT_EQ(store.problemKind(), StoreProblem::None);
    EXPECT_EQ(store.answerCount(), 2);
}

TEST(ResultsStoreTest, AnExportOpensForReadingOnlyAndMakesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none/results.sqlite"));
    ResultsStore missing(path, {.readOnly = true});
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.problem().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("none"))));
}

TEST(ClassListTest, ImportedNamesDropBlankLinesDuplicatesAndOverlongNames)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool csv;
        QStringList known;
        QStringList names;
        int blank, duplicates, tooLong;
    };
    const QByteArray longName(kMaxNameLength + 1, 'a');
    const QList<Case> cases = {
        {"one a line, CRLF, blanks and spaces", "Anna\r\n\r\n  Ben \r\n   \r\nCarla\r\n", false, {},
         {"Anna", "Ben", "Carla"}, 2, 0, 0},
        {"UTF-8 with a byte order mark, accents, RTL and emoji",
         "\xEF\xBB\xBFZo\xC3\xAB\n\xD9\x85\xD8\xB1\xD9\x8A\xD9\x85\nL\xC3\xA9\x61 \xF0\x9F\xA6\x8A\n", false, {},
         {QStringLiteral("Zoë"), QStringLiteral("مريم"), QStringLiteral("Léa 🦊")}, 0, 0, 0},
        {"Windows-1252", "Jos\xE9\nFran\xE7ois\n", false, {}, {QStringLiteral("José"), QStringLiteral("François")}, 0, 0, 0},
        {"duplicates in the file and in the list", "Anna\nBen\nAnna\nCarla\n", false, {"Ben"}, {"Anna", "Carla"}, 0, 2, 0},
        {"the same accent typed two ways is one name", "Zoe\xCC\x88\nZo\xC3\xAB\n", false, {}, {QStringLiteral("Zoë")}, 0, 1, 0},
        {"a name too long", longName + "\nAnna", false, {}, {"Anna"}, 0, 0, 1},
        {"quotes and SQL stay as written", "O'Brien \"Bob\"\nx'); DROP TABLE pupils;--\n", false, {},
         {"O'Brien \"Bob\"", "x'); DROP TABLE pupils;--"}, 0, 0, 0},
        {"CSV: first column, quoted commas and line breaks",
         "\"Rossi, Mario\",4B\r\nBianchi,4B\r\n,4B\r\n\"Two\r\nLines\",x\r\n", true, {},
         {"Rossi, Mario", "Bianchi", "Two\r\nLines"}, 1, 0, 0},
        {"CSV with semicolons", "Rossi;Mario\nVerdi;Anna\nRossi;Luca\n", true, {}, {"Rossi", "Verdi"}, 0, 1, 0},
        {"CSV with doubled quotes", "\"Bob \"\"the\"\" Kid\",1\n", true, {}, {"Bob \"the\" Kid"}, 0, 0, 0},
        {"empty file", "", false, {}, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ClassListText read = readClassList(c.bytes, c.csv, c.known);
        EXPECT_EQ(read.names, c.names);
        EXPECT_EQ(read.blankLines, c.blank);
        EXPECT_EQ(read.duplicates, c.duplicates);
        EXPECT_EQ(read.tooLong, c.tooLong);
    }
}

TEST(ClassListTest, TenThousandNamesAreImportedInOneGoWithALineSayingWhatWasLeftOut)
{
    QTemporaryDir dir;
    QByteArray list;
    for (int i = 0; i < 10000; ++i)
        list += "Pupil " + QByteArray::number(i) + "\r\n";
    list += "\r\nPupil 7\r\n";
    QFile file(dir.filePath(QStringLiteral("class.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(list);
    file.close();
    ResultsStore store(dir.filePath(QStringLiteral("results.sqlite")));
    QString report;
    ASSERT_TRUE(store.importPupils(file.fileName(), &report)) << store.lastError().toStdString();
    EXPECT_EQ(store.pupils().size(), 10000);
    EXPECT_EQ(store.pupils().last(), QStringLiteral("Pupil 9999"));
    EXPECT_TRUE(report.contains(QStringLiteral("10000"))) << report.toStdString();
    EXPECT_FALSE(report.contains(QLatin1Char('\n')));
    EXPECT_FALSE(store.importPupils(dir.filePath(QStringLiteral("missing.txt")), &report));
    EXPECT_FALSE(store.lastError().isEmpty());
}

TEST(CsvWriterTest, FieldsAreQuotedAsRfc4180Says)
{
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral("plain"), QStringLiteral("plain")},
        {QString(), QString()},
        {QStringLiteral("a,b"), QStringLiteral("\"a,b\"")},
        {QStringLiteral("say \"hi\""), QStringLiteral("\"say \"\"hi\"\"\"")},
        {QStringLiteral("two\nlines"), QStringLiteral("\"two\nlines\"")},
        {QStringLiteral("cr\rhere"), QStringLiteral("\"cr\rhere\"")},
        {QStringLiteral(" padded "), QStringLiteral("\" padded \"")},
        {QStringLiteral("sizes=35,120;target=90"), QStringLiteral("\"sizes=35,120;target=90\"")},
        {QStringLiteral("O'Brien"), QStringLiteral("O'Brien")},
        {QStringLiteral("مريم 🦊"), QStringLiteral("مريم 🦊")},
    };
    for (const auto& [field, written] : cases)
        EXPECT_EQ(csvField(field), written) << field.toStdString();
    EXPECT_EQ(csvRow({QStringLiteral("a"), QStringLiteral("b,c"), QString()}), QByteArray("a,\"b,c\",\r\n"));
}

TEST(CsvWriterTest, AnExportHasAHeaderAndOneRowPerAnswerInUtf8)
{
    QTemporaryDir dir;
    ResultsStore store(dir.filePath(QStringLiteral("results.sqlite")));
    AnswerRecord first = answer(QStringLiteral("Zoë \"Z\", B."), QStringLiteral("frmRuota1"), true, 1);
    first.id = QUuid(QStringLiteral("{6c0e3f0a-1111-4a7e-9c38-000000000001}"));
    first.answeredAt = QDateTime(QDate(2026, 3, 2), QTime(8, 15, 30, 250), Qt::UTC);
    ASSERT_TRUE(store.record(first));
    ASSERT_TRUE(store.record(answer(QStringLiteral("Ben"), QStringLiteral("frmRuota2"), false, 3)));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeCsv(store, {}, buffer));
    const QList<QByteArray> lines = buffer.data().split('\n');
    ASSERT_EQ(lines.size(), 4); // header, two rows, and what follows the last CRLF
    EXPECT_EQ(lines[0], QByteArray("id,answered_at_utc,pupil,exercise,question,answer,right,attempt,seconds_shown,"
                                   "language,round\r"));
    EXPECT_EQ(QString::fromUtf8(lines[1]),
              QStringLiteral("6c0e3f0a-1111-4a7e-9c38-000000000001,2026-03-02T08:15:30.250Z,\"Zoë \"\"Z\"\", B.\","
                             "frmRuota1,\"sizes=35,120;target=90\",typed=55,1,1,2.500,English,\r"));
    EXPECT_TRUE(lines[2].contains(",Ben,frmRuota2,"));
    EXPECT_TRUE(lines[3].isEmpty());

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    QString error;
    ASSERT_TRUE(exportCsvFile(store, QStringLiteral("Ben"), out, &error)) << error.toStdString();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 2);
    EXPECT_FALSE(exportCsvFile(store, {}, dir.filePath(QStringLiteral("no/such/folder/out.csv")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(CsvWriterTest, TheExportWritesEachRowAsItsFieldsSayWhateverTheTime)
{
    QTemporaryDir dir;
    ResultsStore store(dir.filePath(QStringLiteral("results.sqlite")));
    const QList<QDateTime> times = {
        QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59, 999), Qt::UTC),
        QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC),
        QDateTime(QDate(2026, 3, 1), QTime(23, 59, 59, 999), Qt::UTC),
        QDateTime(QDate(2026, 3, 2), QTime(0, 0, 0, 1), Qt::UTC),
        QDateTime(QDate(2028, 2, 29), QTime(12, 30, 5, 40), Qt::UTC),
    };
    QList<AnswerRecord> kept;
    for (const QDateTime& at : times) {
        AnswerRecord a = answer(QStringLiteral(" Zoë, \"Z\" "), QStringLiteral("frmRuota7"), kept.size() % 2, 3, at);
        a.answer = QStringLiteral("typed=1\n2");
        a.secondsShown = 12.3456;
        a.round = QStringLiteral("r,1");
        ASSERT_TRUE(store.record(a));
        kept.append(a);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeCsv(store, {}, buffer));
    QByteArray expected = csvRow(csvHeader());
    for (const AnswerRecord& a : kept)
        expected += csvRow(csvFields(a));
    EXPECT_EQ(buffer.data(), expected);
}

TEST(QuestionTextTest, KeysAndValuesComeBackAsTheyWereWritten)
{
    const QuestionText question =
        QuestionText().add(QStringLiteral("sizes"), QList<int>{35, 120}).add(QStringLiteral("target"), 90);
    EXPECT_EQ(question.format(), QStringLiteral("sizes=35,120;target=90"));
    const QuestionText read = QuestionText::parse(QStringLiteral("sizes=35,120;target=90"));
    EXPECT_EQ(read, question);
    EXPECT_EQ(read.numbers(QStringLiteral("sizes")), (QList<int>{35, 120}));
    EXPECT_EQ(read.numbers(QStringLiteral("target")), QList<int>{90});
    EXPECT_TRUE(read.numbers(QStringLiteral("missing")).isEmpty());

    const QList<QuestionText> awkward = {
        QuestionText(),
        QuestionText().add(QStringLiteral("class"), QStringLiteral("acute")),
        QuestionText().add(QStringLiteral("text"), QStringLiteral("a;b=c%3B%")),
        QuestionText().add(QStringLiteral("k=ey;"), QString()).add(QStringLiteral("é"), QStringLiteral("🦊")),
        QuestionText().add(QStringLiteral("box"), 3).add(QStringLiteral("box"), 4),
    };
    for (const QuestionText& text : awkward)
        EXPECT_EQ(QuestionText::parse(text.format()), text) << text.format().toStdString();
    EXPECT_EQ(QuestionText::parse(QStringLiteral("flag")).value(QStringLiteral("flag")), QString());
    EXPECT_TRUE(QuestionText::parse(QStringLiteral("flag")).has(QStringLiteral("flag")));
}
