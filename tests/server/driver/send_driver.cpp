// A small program that stands for a classroom computer:
//   gonioma_send_driver fill DATABASE COUNT [PUPIL]
//       records COUNT answers in the local results database, prints nothing
//   gonioma_send_driver send DATABASE [BATCH]
//       sends what waits to the server the school settings ($GONIOMA_CONFIG)
//       name, BATCH answers at a time; exits 0 once everything is on the
//       server, 1 when the settings cannot be used, 2 after 120 s.
#include "results/ResultsStore.h"
#include "server/SchoolSending.h"

#include <QCoreApplication>
#include <QUuid>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("fill")) {
        results::ResultsStore store(args[2]);
        const int count = args[3].toInt();
        const QString pupil = args.value(4, QStringLiteral("Ada"));
        for (int i = 0; i < count; ++i) {
            results::AnswerRecord a;
            a.id = QUuid::createUuid();
            a.answeredAt = QDateTime::currentDateTimeUtc();
            a.pupil = pupil;
            a.exercise = QStringLiteral("frmRuota%1").arg(i % 8 + 1);
            a.question = QStringLiteral("target=%1").arg(i % 180);
            a.answer = QStringLiteral("typed=%1").arg(i % 170);
            a.right = i % 2 == 0;
            if (!store.record(a)) {
                std::fprintf(stderr, "send_driver: %s\n", qPrintable(store.problem()));
                return 1;
            }
        }
        return 0;
    }
    if (args.size() >= 3 && args[1] == QLatin1String("send")) {
        server::SenderOptions options = server::SchoolSending::defaultOptions();
        options.batchSize = args.value(3, QStringLiteral("200")).toInt();
        options.firstRetry = std::chrono::milliseconds(100);
        options.longestRetry = std::chrono::milliseconds(500);
        QString problem;
        const auto sending = server::SchoolSending::start(qEnvironmentVariable("GONIOMA_CONFIG"), args[2], &problem, options);
        if (!sending) {
            std::fprintf(stderr, "send_driver: no sending: %s\n", qPrintable(problem));
            return 1;
        }
        return sending->sender().waitUntilSent(std::chrono::seconds(120)) ? 0 : 2;
    }
    std::fprintf(stderr, "usage: gonioma_send_driver fill DATABASE COUNT [PUPIL] | send DATABASE [BATCH]\n");
    return 64;
}
