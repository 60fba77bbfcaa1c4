// The teacher's view over one school year of one class: 30 pupils, 180 school
// days, 60 answers a day each (324,000 answers). Prints how long the view
// takes to open and to show a pupil's answers, how much memory it adds and
// how long the CSV export takes; with --shots it also saves the view as PNG
// at 1024x768 and 1920x1080 in Italian and English.
//
// Usage: gonioma_teacher_view_bench [--db FILE] [--shots DIR]
//   --db FILE    the database to read; made with the year's answers when it
//                does not exist (a minute or so), kept for the next run.

#include "app/TeacherAccess.h"
#include "language/LanguageSupport.h"
#include "platform/services/AppDir.h"
#include "platform/services/Screen.h"
#include "results/CsvWriter.h"
#include "results/ResultsStore.h"
#include "teacherview/AnswerListModel.h"
#include "teacherview/PupilPage.h"
#include "teacherview/frmInsegnante.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kPupils = 30;
constexpr int kDays = 180;
constexpr int kAnswersADay = 60;

const char* const kExercises[] = {"frmRuota", "frmRuota3", "frmRuota4", "frmRuota1", "frmRuota1a",
                                  "frmRuota2", "frmRuota5", "frmRuota6", "frmRuota8", "frmRuota7"};

const char* const kNames[kPupils] = {
    "Alessandro", "Beatrice",  "Chiara", "Davide",  "Elena",    "Federico", "Giulia", "Hamza",  "Irene",  "Jacopo",
    "Karim",      "Lucia",     "Matteo", "Nicolò",  "Olga",     "Pietro",   "Rania",  "Sofia",  "Tommaso", "Umberto",
    "Valentina",  "Wang Lei",  "Xenia",  "Yusuf",   "Zoe",      "Aurora",   "Bruno",  "Camilla", "Diego", "Emma"};

long rssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// A year of answers: school days from September, each pupil getting better
// along the year at a pace of his or her own; a wrong first try is tried again.
bool makeYear(const QString& path)
{
    results::ResultsStore store(path);
    if (!store.canWrite())
        return false;
    for (const char* name : kNames)
        store.addPupil(QString::fromUtf8(name));
    QRandomGenerator random(2026);
    QDate day(2025, 9, 15);
    QElapsedTimer timer;
    timer.start();
    for (int d = 0; d < kDays; ++d) {
        while (day.dayOfWeek() > 5)
            day = day.addDays(1);
        for (int p = 0; p < kPupils; ++p) {
            const double skill = 0.45 + 0.4 * d / kDays + 0.1 * ((p % 5) - 2) / 2.0;
            QDateTime when(day, QTime(8, 30).addSecs(p * 97), Qt::UTC);
            int attempt = 1;
            const char* exercise = kExercises[random.bounded(10)];
            int start = random.bounded(360), size = random.bounded(1, 360);
            for (int a = 0; a < kAnswersADay; ++a) {
                results::AnswerRecord r;
                r.id = QUuid::createUuid();
                r.answeredAt = when;
                r.pupil = QString::fromUtf8(kNames[p]);
                r.exercise = QString::fromLatin1(exercise);
                r.question = QStringLiteral("start=%1;size=%2").arg(start).arg(size);
                r.right = random.generateDouble() < qBound(0.05, skill, 0.97);
                r.answer = r.right ? QStringLiteral("typed=%1").arg(size) : QStringLiteral("typed=%1").arg(size + 7);
                r.attempt = attempt;
                r.secondsShown = 1 + random.bounded(200) / 10.0;
                r.language = QStringLiteral("Italiano");
                if (!store.record(r)) {
                    std::fprintf(stderr, "bench: %s\n", qPrintable(store.problem()));
                    return false;
                }
                when = when.addSecs(20);
                if (r.right || attempt == 3) {
                    attempt = 1;
                    if (a % 12 == 11)
                        exercise = kExercises[random.bounded(10)];
                    start = random.bounded(360);
                    size = random.bounded(1, 360);
                } else {
                    ++attempt;
                }
            }
        }
        day = day.addDays(1);
        if (d % 30 == 29)
            std::printf("bench: %d days of %d made (%.0f s)\n", d + 1, kDays, timer.elapsed() / 1000.0);
        std::fflush(stdout);
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QApplication application(argc, argv);
    QStringList args = application.arguments();
    QString db = QDir::temp().filePath(QStringLiteral("gonioma-bench-year.sqlite"));
    QString shots;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--db"))
            db = args[++i];
        else if (args[i] == QLatin1String("--shots"))
            shots = args[++i];
    }
    platform::AppDir::setPathForTesting(QStringLiteral(GONIOMA_SOURCE_DIR "/data"));
    platform::Screen::setSizeForTesting(QSize(1920, 1080));
    language::CurrentLanguageFile = QStringLiteral("Italiano");

    if (!QFile::exists(db)) {
        std::printf("bench: making a year of answers in %s\n", qPrintable(db));
        if (!makeYear(db))
            return 1;
    }
    {
        results::ResultsStore store(db);
        std::printf("bench: %s holds %d answers of %lld pupils\n", qPrintable(db), store.answerCount(),
                    qlonglong(store.pupils().size()));
    }

    // The reader's own share of the time: what the view asks of it on opening
    // and on a pupil's pick, each once.
    {
        QElapsedTimer part;
        part.start();
        results::ResultsStore store(db);
        const qint64 opened = part.restart();
        const int lines = int(store.summary().size());
        const qint64 summary = part.restart();
        const int days = int(store.dailyShares(QString(), QString()).size());
        const qint64 classDays = part.restart();
        store.dailyShares(QString::fromUtf8(kNames[0]), QString());
        const qint64 pupilDays = part.restart();
        int answers = 0;
        store.forEachAnswer(QString::fromUtf8(kNames[0]), [&answers](const results::AnswerRecord&) { ++answers; });
        const qint64 each = part.restart();
        const long beforeModel = rssKiB();
        {
            teacherview::AnswerListModel model;
            model.load(store, QString::fromUtf8(kNames[1]));
            std::printf("answer list model: a pupil's %d answers kept in %.1f MiB\n", model.answerCount(),
                        (rssKiB() - beforeModel) / 1024.0);
        }
        std::printf("store: opened in %lld ms; summary (%d lines) %lld ms; class's %d days %lld ms; "
                    "a pupil's days %lld ms; a pupil's %d answers read in %lld ms\n",
                    qlonglong(opened), lines, qlonglong(summary), days, qlonglong(classDays), qlonglong(pupilDays),
                    answers, qlonglong(each));
    }

    // What any window costs first (fonts, styles, the platform), so it is not
    // counted as the view's.
    {
        QWidget warm;
        warm.resize(200, 200);
        warm.show();
        settle();
        warm.grab();
    }
    settle();
    const long before = rssKiB();

    QElapsedTimer timer;
    timer.start();
    teacherview::frmInsegnante::setSource(app::localTeacherViewSource(db));
    auto* view = platform::Form::show<teacherview::frmInsegnante>();
    if (!view)
        return 1;
    const qint64 built = timer.elapsed(); // made, translated and shown, no results read yet
    QCoreApplication::processEvents(); // the first turn of the loop: laid out, activated, results read
    const qint64 shown = timer.elapsed();
    view->repaint(); // the first painting of everything it shows, into the window's backing store
    const qint64 painted = timer.elapsed();
    settle();
    const long opened = rssKiB();

    timer.restart();
    view->summaryTable()->setCurrentIndex(view->summary()->index(0, 0));
    settle();
    view->repaint();
    const qint64 pupil = timer.elapsed();
    const long withPupil = rssKiB();

    timer.restart();
    for (int i = 0; i < 20 && view->answers()->canFetchMore({}); ++i)
        view->answers()->fetchMore({});
    view->answerTable()->scrollToBottom();
    view->repaint();
    const qint64 scrolled = timer.elapsed();

    std::printf("teacher view: %dx%d, window made and shown in %lld ms, the table filled at %lld ms, "
                "first painted at %lld ms (target <= 300 ms)\n",
                view->width(), view->height(), qlonglong(built), qlonglong(shown), qlonglong(painted));
    std::printf("teacher view: RSS %ld KiB before, +%.1f MiB open, +%.1f MiB with a pupil's %d answers "
                "(target <= 25 MiB; a window of this size needs %.1f MiB of backing store)\n",
                before, (opened - before) / 1024.0, (withPupil - before) / 1024.0, view->answers()->answerCount(),
                view->width() * view->height() * 4 / 1048576.0);
    std::printf("teacher view: a pupil picked (chart and answer list) in %lld ms; 20 more pages scrolled in %lld ms\n",
                qlonglong(pupil), qlonglong(scrolled));

    {
        results::ResultsStore store(db);
        const QString csv = QDir(home.path()).filePath(QStringLiteral("year.csv"));
        timer.restart();
        QString error;
        const bool ok = results::exportCsvFile(store, QString(), csv, &error);
        std::printf("csv export: %s in %lld ms, %.1f MiB\n", ok ? "written" : qPrintable(error),
                    qlonglong(timer.elapsed()), QFileInfo(csv).size() / 1048576.0);
    }

    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        for (const char* lang : {"Italiano", "English"}) {
            language::CurrentLanguageFile = QString::fromLatin1(lang);
            view->unload();
            settle();
            teacherview::frmInsegnante::setSource(app::localTeacherViewSource(db));
            view = platform::Form::show<teacherview::frmInsegnante>();
            settle();
            for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
                view->resize(size);
                view->summaryTable()->setCurrentIndex(view->summary()->index(2, 4));
                settle();
                view->answerTable()->setCurrentIndex(view->answers()->index(1, 0));
                settle();
                const QString file = QDir(shots).filePath(
                    QStringLiteral("teacher-%1-%2x%3.png").arg(QLatin1String(lang)).arg(size.width()).arg(size.height()));
                view->grab().save(file);
                std::printf("shot: %s\n", qPrintable(file));
            }
            // The pupil's page as the PDF lays it out, on an A4 image.
            const QString pdf = QDir(shots).filePath(QStringLiteral("teacher-%1-page.pdf").arg(QLatin1String(lang)));
            view->writePupilPdf(pdf);
            std::printf("page: %s\n", qPrintable(pdf));
            QImage page(1240, 1754, QImage::Format_RGB32);
            page.fill(Qt::white);
            {
                QPainter painter(&page);
                teacherview::PupilPageContent content;
                content.title = QStringLiteral("(PNG of the page) ") + view->pickedPupil();
                content.headers = {QStringLiteral("Exercise"), QStringLiteral("Answers"), QStringLiteral("Share")};
                content.rows = {{QStringLiteral("frmRuota1"), QStringLiteral("120"), QStringLiteral("55%")}};
                content.days = results::ResultsStore(db).dailyShares(view->pickedPupil(), QString());
                content.chartTitle = QStringLiteral("chart");
                content.summary = QStringLiteral("summary line");
                teacherview::paintPupilPage(painter, QRectF(70, 70, 1100, 1614), content);
            }
            page.save(QDir(shots).filePath(QStringLiteral("teacher-%1-page.png").arg(QLatin1String(lang))));
        }
    }
    view->unload();
    settle();
    return 0;
}
