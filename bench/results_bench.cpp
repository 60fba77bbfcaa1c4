// The results' benchmarks, run by bench/results.sh (not part of the tests):
//
//   gonioma_results_bench generate FILE [pupils days answers]
//       one school year of one class into FILE (30 x 180 x 60 by default);
//   gonioma_results_bench record FILE [answers]
//       the time the frame adds on the UI thread to a judged answer (median,
//       and the 90th and 99th centiles), on FILE as it is;
//   gonioma_results_bench export FILE OUT
//       the CSV export of everything in FILE to OUT;
//   gonioma_results_bench kill FILE [rounds]
//       SIGKILL at random moments while answers are recorded, `rounds` times;
//       after each the database must open, pass PRAGMA integrity_check, hold
//       every answer acknowledged (at most the one being written missing) and
//       none twice.
// It prints what it measured.

#include "app/WindowCatalog.h"
#include "exercises/frmRuota1.h"
#include "language/LanguageSupport.h"
#include "platform/services/AppDir.h"
#include "platform/services/EventYield.h"
#include "platform/services/Random.h"
#include "platform/widgets/Form.h"
#include "results/CsvWriter.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"
#include "shared/Modulo1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

QStringList arguments;

double centile(QList<double> values, double share)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min<qsizetype>(values.size() - 1, qsizetype(share * double(values.size())))];
}

const QStringList kExercises = {"frmRuota", "frmRuota1", "frmRuota1a", "frmRuota2", "frmRuota3",
                                "frmRuota4", "frmRuota5", "frmRuota6", "frmRuota7", "frmRuota8"};

int generate(const QString& path, int pupils, int days, int perDay)
{
    QFile::remove(path);
    QFile::remove(path + "-wal");
    QFile::remove(path + "-shm");
    QDir().mkpath(QFileInfo(path).absolutePath());
    results::ResultsStore store(path);
    if (!store.canWrite()) {
        std::fprintf(stderr, "generate: %s\n", qUtf8Printable(store.problem()));
        return 1;
    }
    QRandomGenerator random(20260901);
    QStringList names;
    for (int p = 0; p < pupils; ++p) {
        names.append(QStringLiteral("Pupil %1").arg(p + 1, 2, 10, QLatin1Char('0')));
        store.addPupil(names.last());
    }
    QElapsedTimer timer;
    timer.start();
    const QDate firstDay(2025, 9, 15);
    qint64 total = 0;
    for (int d = 0; d < days; ++d) {
        const QDateTime morning(firstDay.addDays(d + (d / 5) * 2), QTime(8, 0), Qt::UTC); // school days
        QList<results::AnswerRecord> day;
        day.reserve(pupils * perDay);
        for (int p = 0; p < pupils; ++p) {
            const double skill = 0.5 + 0.4 * double(p) / pupils + 0.1 * double(d) / days;
            int attempt = 1;
            for (int a = 0; a < perDay; ++a) {
                results::AnswerRecord r;
                r.id = QUuid::createUuid();
                r.answeredAt = morning.addMSecs(qint64(p) * 600000 + qint64(a) * 9000 + random.bounded(5000));
                r.pupil = names[p];
                r.exercise = kExercises[(a / 10 + d) % kExercises.size()];
                const int size = random.bounded(1, 180);
                r.question = QStringLiteral("start=%1;size=%2").arg(random.bounded(360)).arg(size);
                r.right = random.generateDouble() < skill;
                r.answer = QStringLiteral("typed=%1").arg(r.right ? size : size + random.bounded(1, 40));
                r.attempt = attempt;
                attempt = r.right ? 1 : attempt + 1;
                r.secondsShown = 2.0 + random.generateDouble() * 20.0;
                r.language = QStringLiteral("Italiano");
                day.append(r);
            }
        }
        if (!store.recordAll(day)) {
            std::fprintf(stderr, "generate: %s\n", qUtf8Printable(store.problem()));
            return 1;
        }
        total += day.size();
    }
    std::printf("generate: %lld answers of %d pupils over %d days in %.1f s into %s (%.1f MiB)\n",
                static_cast<long long>(total), pupils, days, double(timer.elapsed()) / 1000.0, qUtf8Printable(path),
                double(QFileInfo(path).size()) / (1024.0 * 1024.0));
    return 0;
}

// The frame's part of a judged answer, with and without a recorder: the
// wrong-answer button of the first choice window is pressed again and again.
int recordTime(const QString& path, int answers)
{
    int argc = 1;
    char name[] = "gonioma_results_bench";
    char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    platform::EventYield::setPaceMs(0);
    language::CurrentLanguageFile = language::languageForTheRun();
    shared::loadSharedTexts();
    results::Recording recording(path);
    const int before = recording.store().answerCount();

    // The bare store, as the frame calls it.
    QList<double> storeMs;
    for (int i = 0; i < answers; ++i) {
        results::AnswerRecord r;
        r.id = QUuid::createUuid();
        r.answeredAt = QDateTime::currentDateTimeUtc();
        r.pupil = QStringLiteral("Bench");
        r.exercise = QStringLiteral("frmRuota1");
        r.question = QStringLiteral("start=10;size=120");
        r.answer = QStringLiteral("class=acute");
        QElapsedTimer t;
        t.start();
        recording.record(r);
        storeMs.append(double(t.nsecsElapsed()) / 1e6);
    }

    // The whole judged answer in the window, without and then with the recorder.
    platform::Form::show<exercises::frmRuota1>();
    QCoreApplication::processEvents();
    auto* w = platform::Form::instance<exercises::frmRuota1>();
    if (!w) {
        std::fprintf(stderr, "record: the window did not open\n");
        return 1;
    }
    QList<double> bare, recorded;
    for (int round = 0; round < 2; ++round) {
        results::AnswerRecorder::install(round == 0 ? nullptr : &recording);
        for (int i = 0; i < answers; ++i) {
            // A button that is wrong for the angle on the screen.
            QPushButton* wrong = w->AngleSize < 90 ? w->Command3 : w->Command8;
            QElapsedTimer t;
            t.start();
            wrong->click();
            (round == 0 ? bare : recorded).append(double(t.nsecsElapsed()) / 1e6);
        }
    }
    results::AnswerRecorder::install(nullptr);
    const int after = recording.store().answerCount();
    std::printf("record: %d answers in a file of %d (%s)\n", after - before, before, qUtf8Printable(path));
    std::printf("record: the store's record() on the UI thread: median %.3f ms, 90%% %.3f ms, 99%% %.3f ms\n",
                centile(storeMs, 0.5), centile(storeMs, 0.9), centile(storeMs, 0.99));
    std::printf("record: a wrong answer judged in frmRuota1: median %.3f ms without recording, %.3f ms with it: "
                "%.3f ms added (target <= 1 ms)\n",
                centile(bare, 0.5), centile(recorded, 0.5), centile(recorded, 0.5) - centile(bare, 0.5));
    w->unload();
    QCoreApplication::processEvents();
    return recording.problem().isEmpty() ? 0 : 1;
}

int exportTime(const QString& path, const QString& out)
{
    QElapsedTimer timer;
    timer.start();
    results::ResultsStore store(path, {.readOnly = true});
    {
        // The reading alone, for the share of the time it takes.
        QElapsedTimer reading;
        reading.start();
        qint64 rows = 0;
        store.forEachAnswer({}, [&](const results::AnswerRecord&) { ++rows; });
        std::printf("export: reading %lld answers alone took %.3f s\n", static_cast<long long>(rows),
                    double(reading.elapsed()) / 1000.0);
        timer.restart();
    }
    QString error;
    const bool ok = results::exportCsvFile(store, {}, out, &error);
    const qint64 ms = timer.elapsed();
    if (!ok) {
        std::fprintf(stderr, "export: %s\n", qUtf8Printable(error));
        return 1;
    }
    std::printf("export: %d answers to CSV in %.3f s, %.1f MiB (target <= 2 s)\n", store.answerCount(),
                double(ms) / 1000.0, double(QFileInfo(out).size()) / (1024.0 * 1024.0));
    return 0;
}

const QUuid kNamespace(QStringLiteral("{4d1f6c36-7c0b-4d63-9f0e-6a8f2a1b7c55}"));

// The killed side: records numbered answers, writing each number once its
// answer is committed.
int killedRecorder(const QString& path)
{
    results::ResultsStore store(path);
    int next = store.answerCount();
    for (;; ++next) {
        results::AnswerRecord r;
        r.id = QUuid::createUuidV5(kNamespace, QString::number(next));
        r.pupil = QStringLiteral("Killed");
        r.exercise = QStringLiteral("frmRuota1");
        r.question = QStringLiteral("n=%1").arg(next);
        r.answer = QStringLiteral("n=%1").arg(next);
        if (!store.record(r)) {
            std::fprintf(stderr, "killed: %s\n", qUtf8Printable(store.problem()));
            return 1;
        }
        const QByteArray ack = QByteArray::number(next) + '\n';
        if (::write(1, ack.constData(), size_t(ack.size())) != ack.size())
            return 1;
    }
}

int killRounds(const QString& path, int rounds)
{
    QFile::remove(path);
    QFile::remove(path + "-wal");
    QFile::remove(path + "-shm");
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString acks = path + ".acks";
    QRandomGenerator random(7);
    int failures = 0;
    int lostInFlight = 0;
    int killedEarly = 0;
    qint64 kept = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.setStandardOutputFile(acks);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("killed"), path});
        if (!child.waitForStarted()) {
            std::fprintf(stderr, "kill: the recorder did not start\n");
            return 1;
        }
        QThread::msleep(40 + random.bounded(160));
        child.kill(); // SIGKILL
        child.waitForFinished();

        QFile ackFile(acks);
        ackFile.open(QIODevice::ReadOnly);
        int lastAck = -1;
        bool anyAck = false;
        for (const QByteArray& line : ackFile.readAll().split('\n')) {
            bool ok = false;
            const int n = line.toInt(&ok);
            if (ok) {
                lastAck = std::max(lastAck, n);
                anyAck = true;
            }
        }

        if (!anyAck)
            ++killedEarly;
        const QString connection = QStringLiteral("check-%1").arg(round);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            bool good = db.open();
            QSqlQuery q(db);
            good = good && q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next()
                   && q.value(0).toString() == QLatin1String("ok");
            QSet<int> numbers;
            int rows = 0;
            if (good && q.exec(QStringLiteral("SELECT answer FROM answers"))) {
                while (q.next()) {
                    ++rows;
                    numbers.insert(q.value(0).toString().mid(2).toInt());
                }
            }
            // None twice; every answer acknowledged, and every one of the
            // rounds before, is there; at most the one being written is more.
            const int lower = std::max(int(kept), lastAck + 1);
            const bool contiguous = numbers.size() == rows && (rows == 0 || *std::max_element(numbers.begin(), numbers.end()) == rows - 1);
            const bool acknowledged = rows >= lower && rows <= lower + 1;
            if (!good || !contiguous || !acknowledged) {
                ++failures;
                std::printf("kill: round %d: open+integrity %s, %d rows, %lld distinct, last acknowledged %d, %lld before\n", round,
                            good ? "ok" : "FAILED", rows, static_cast<long long>(numbers.size()), lastAck,
                            static_cast<long long>(kept));
            }
            if (rows == lower + 1)
                ++lostInFlight; // committed, killed before it said so: kept, not lost
            kept = rows;
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }
    std::printf("kill: %d rounds of SIGKILL while recording, %lld answers kept in all; %d failed checks; "
                "%d rounds were killed between a commit and its acknowledgement (kept once); %d before the first answer\n",
                rounds, static_cast<long long>(kept), failures, lostInFlight, killedEarly);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s generate|record|export|kill FILE [...]\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    auto number = [&](int index, int fallback) { return argc > index ? std::atoi(argv[index]) : fallback; };
    if (mode == QLatin1String("record"))
        return recordTime(path, number(3, 500));
    QCoreApplication application(argc, argv);
    if (mode == QLatin1String("generate"))
        return generate(path, number(3, 30), number(4, 180), number(5, 60));
    if (mode == QLatin1String("export") && argc > 3)
        return exportTime(path, QString::fromLocal8Bit(argv[3]));
    if (mode == QLatin1String("kill"))
        return killRounds(path, number(3, 200));
    if (mode == QLatin1String("killed"))
        return killedRecorder(path);
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
}
