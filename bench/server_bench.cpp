// The school server under a school's load, against a PostgreSQL that
// bench/server_bench.sh starts:
//   load PORT DATABASE PASSWORD COMPUTERS RATE SECONDS
//       COMPUTERS simulated classroom computers, each a results database of
//       its own and the program's sender (its own thread and connection),
//       recording RATE answers a second for SECONDS; then waits until all is
//       sent and asks the server what it holds and how late each answer came.
//   unreachable SILENT_PORT ANSWERS
//       records ANSWERS with a sender whose server never answers, and prints
//       what each recording took on the recording thread.
//   reader PORT DATABASE TEACHER PASSWORD
//       opens the teacher's reader and times the table, a chart and a pupil's answers.
#include "results/ResultsStore.h"
#include "server/SchoolSending.h"
#include "server/ServerConnection.h"
#include "server/ServerReader.h"
#include "server/ServerSender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

server::ServerAddress local(int port, const QString& database, const QString& user)
{
    server::ServerAddress address;
    address.host = QStringLiteral("127.0.0.1");
    address.port = port;
    address.database = database;
    address.user = user;
    address.sslMode = QStringLiteral("require");
    return address;
}

results::AnswerRecord answer(int computer, int i)
{
    results::AnswerRecord a;
    a.id = QUuid::createUuid();
    a.answeredAt = QDateTime::currentDateTimeUtc();
    a.pupil = QStringLiteral("Pupil %1-%2").arg(computer).arg(i % 3);
    a.exercise = QStringLiteral("frmRuota%1").arg(i % 8 + 1);
    a.question = QStringLiteral("sizes=%1,120;target=90").arg(i % 180);
    a.answer = QStringLiteral("typed=%1").arg(i % 360);
    a.right = i % 3 != 0;
    a.attempt = 1 + i % 2;
    a.secondsShown = 2.5;
    a.language = QStringLiteral("English");
    return a;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5))];
}

int load(int port, const QString& database, const QString& password, int computers, int rate, int seconds)
{
    QTemporaryDir dir;
    std::vector<std::unique_ptr<server::ServerSender>> senders;
    for (int c = 0; c < computers; ++c) {
        server::SenderOptions options = server::SchoolSending::defaultOptions();
        options.computer = QStringLiteral("lab-%1").arg(c);
        options.className = QStringLiteral("C%1").arg(c / 25);
        const QString file = dir.filePath(QStringLiteral("c%1.sqlite").arg(c));
        senders.push_back(std::make_unique<server::ServerSender>(
            local(port, database, QStringLiteral("gonioma_classroom")), password,
            [file] { return std::make_unique<server::StoreQueue>(file); }, options));
    }
    for (auto& s : senders)
        s->start();
    std::atomic<int> recorded{0};
    std::atomic<int> refused{0};
    std::vector<std::vector<double>> recordMs{size_t(computers)};
    std::vector<std::thread> pupils;
    const auto start = Clock::now();
    const int perComputer = rate * seconds;
    for (int c = 0; c < computers; ++c) {
        pupils.emplace_back([&, c] {
            results::ResultsStore store(dir.filePath(QStringLiteral("c%1.sqlite").arg(c)));
            // Each computer starts at its own moment within the first tenth of a second.
            const auto phase = std::chrono::microseconds(c * 100000 / std::max(computers, 1));
            for (int i = 0; i < perComputer; ++i) {
                std::this_thread::sleep_until(start + phase + std::chrono::microseconds(i * 1000000LL / rate));
                QElapsedTimer t;
                t.start();
                // As in the program: the answer is committed locally; the
                // sender finds it on its next look at the database.
                if (store.record(answer(c, i)))
                    ++recorded;
                else
                    ++refused;
                recordMs[size_t(c)].push_back(double(t.nsecsElapsed()) / 1e6);
            }
        });
    }
    for (auto& t : pupils)
        t.join();
    const double recordingSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    bool allSent = true;
    for (auto& s : senders)
        allSent = s->waitUntilSent(std::chrono::seconds(120)) && allSent;
    const double drainedSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    qint64 failures = 0;
    for (auto& s : senders)
        failures += s->status().failuresTotal;
    for (auto& s : senders)
        s->stop();
    int waiting = 0;
    for (int c = 0; c < computers; ++c)
        waiting += results::ResultsStore(dir.filePath(QStringLiteral("c%1.sqlite").arg(c))).unsentCount();

    std::vector<double> all;
    for (const auto& v : recordMs)
        all.insert(all.end(), v.begin(), v.end());
    std::printf("load: %d computers x %d answers/s x %d s: %d recorded (%d refused) in %.1f s, all sent after %.1f s: %s\n",
                computers, rate, seconds, recorded.load(), refused.load(), recordingSeconds, drainedSeconds,
                allSent ? "yes" : "NO");
    std::printf("load: local recording on each computer: median %.3f ms, p99 %.3f ms, max %.3f ms\n",
                percentile(all, 0.5), percentile(all, 0.99), percentile(all, 1.0));
    std::printf("load: answers still waiting on the computers: %d; sending rounds that failed and were tried again: %lld\n",
                waiting, failures);
    return allSent && waiting == 0 ? 0 : 1;
}

int unreachable(int silentPort, int answers)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("r.sqlite"));
    server::ServerAddress address = local(silentPort, QStringLiteral("gonioma"), QStringLiteral("gonioma_classroom"));
    address.connectTimeoutSeconds = 2;
    server::ServerSender sender(address, QStringLiteral("x"), [file] { return std::make_unique<server::StoreQueue>(file); },
                                server::SchoolSending::defaultOptions());
    sender.start();
    results::ResultsStore store(file);
    std::vector<double> ms;
    for (int i = 0; i < answers; ++i) {
        QElapsedTimer t;
        t.start();
        store.record(answer(0, i));
        sender.nudge();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::printf("unreachable: %d answers recorded with the server silent (%s): record + nudge median %.3f ms, "
                "p99 %.3f ms, max %.3f ms; waiting locally: %d\n",
                answers, qPrintable(sender.status().problem.left(60)), percentile(ms, 0.5), percentile(ms, 0.99),
                percentile(ms, 1.0), store.unsentCount());
    QElapsedTimer stopping;
    stopping.start();
    sender.stop();
    std::printf("unreachable: stopping the sender took %lld ms\n", stopping.elapsed());
    return 0;
}

int reader(int port, const QString& database, const QString& teacher, const QString& password)
{
    QElapsedTimer t;
    t.start();
    server::ServerReader reader(local(port, database, teacher), teacher, password);
    if (!reader.open()) {
        std::printf("reader: %s\n", qPrintable(reader.serverProblem()));
        return 1;
    }
    const qint64 connected = t.elapsed();
    const auto table = reader.summary();
    const qint64 summarised = t.elapsed();
    const QStringList pupils = reader.pupils();
    const qint64 listed = t.elapsed();
    const auto days = reader.dailyShares({}, {});
    const qint64 charted = t.elapsed();
    int answers = 0;
    reader.forEachAnswer(pupils.value(0), [&](const results::AnswerRecord&) { ++answers; });
    const qint64 pupilRead = t.elapsed();
    qint64 total = 0;
    for (const auto& line : table)
        total += line.answers;
    std::printf("reader: connected in %lld ms; summary of %lld answers (%lld lines) in %lld ms after it "
                "(open + summary %lld ms)\n", connected, total, qlonglong(table.size()), summarised - connected, summarised);
    std::printf("reader: %lld pupils in %lld ms; the whole school's chart (%lld days) in %lld ms; "
                "one pupil's %d answers in %lld ms\n", qlonglong(pupils.size()), listed - summarised,
                qlonglong(days.size()), charted - listed, answers, pupilRead - charted);
    return reader.problem().isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() == 8 && a[1] == QLatin1String("load"))
        return load(a[2].toInt(), a[3], a[4], a[5].toInt(), a[6].toInt(), a[7].toInt());
    if (a.size() == 4 && a[1] == QLatin1String("unreachable"))
        return unreachable(a[2].toInt(), a[3].toInt());
    if (a.size() == 6 && a[1] == QLatin1String("reader"))
        return reader(a[2].toInt(), a[3], a[4], a[5]);
    std::fprintf(stderr, "usage: see bench/server_bench.sh\n");
    return 64;
}
