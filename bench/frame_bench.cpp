// Measures, inside the program's own process on a real X server, what a pupil
// waits for once past the splash:
//   - from the click on a menu button to the exercise window being exposed,
//     and to the first paint of its drawing box that shows a sweep line,
//     flushed to the screen (the first and the median of several rounds);
//   - the work of one sweep line at the screen's size: line() and the repaint
//     it causes, for the first lines of a fan and for lines 170-180;
//   - one 180-degree fan at the real pace, against 180 x the pace, and at
//     pace 0 (the drawing work alone).
//
//   gonioma_frame_bench [rounds [exercise [classroom]]]
//
// With "classroom" the classroom display is on: each degree of the sweep is
// a filled wedge and the arms are smooth and wide.
//
// The exercise is named by its window class (frmRuota1 by default: acute,
// right, obtuse, straight, whose fan is the one the figures speak of).
//
// Run it from the build folder (the language files lie beside it) with DISPLAY
// on an X server and a private TMPDIR; bench/run.sh does both. It prints what
// it measured and fails only when a window never comes.
#include "frame_probe.h"

#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "app/StartUp.h"
#include "app/WindowCatalog.h"
#include "exercise/AngleGeometry.h"
#include "exercise/ExerciseForm.h"
#include "exercise/FanDrawing.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/services/EventYield.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/SingleInstance.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <vector>

namespace {

using namespace bench;

// The CPU time of this process's threads, in ms.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs the event loop until `done` holds or `timeoutMs` has passed. The loop
// blocks on the X connection as the program's does, so events are handled as
// soon as they come.
bool runUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setInterval(1);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();
    return done();
}

void settle(int ms)
{
    runUntil([] { return false; }, ms);
}

[[noreturn]] void giveUp(const char* what)
{
    std::fprintf(stderr, "frame_bench: %s\n", what);
    std::exit(1);
}

// From the click on the menu button, in ms; -1 when not seen.
struct ClickTimes {
    double exposed = -1;
    double sweepDrawn = -1;
    double sweepPainted = -1;
    double firstSweepLine = -1; // on the screen
    double repaints = 0;
    double repaintMs = 0;
    double widgetPaintMs = 0;
};

// Clicks the menu button of `entry` and follows the new window until its
// first sweep line is on the screen and its fan is drawn.
ClickTimes openFromMenu(BenchApplication& application, const app::WindowEntry& entry)
{
    auto* menu = Form::instance<app::FormMenu>();
    if (!runUntil([&] { return isExposed(menu); }, 10000))
        giveUp("the menu never showed");
    settle(200);
    auto* button = qobject_cast<QPushButton*>(menu->control(entry.menuButton));
    if (!button)
        giveUp("the menu has no button for the exercise");

    Probe& probe = application.probe;
    probe = Probe{};
    probe.watching = true;
    const double clickAt = nowMs();
    button->click();
    runUntil([&] { return probe.sweepShownAt >= 0 || (probe.sweepPaintedAt >= 0 && nowMs() > probe.sweepPaintedAt + 200); },
             10000);
    probe.watching = false;
    if (!currentExercise())
        giveUp("the exercise window never opened");
    auto since = [&](double at) { return at >= 0 ? at - clickAt : -1; };
    ClickTimes times;
    times.exposed = since(probe.exposedAt);
    times.sweepDrawn = since(probe.sweepDrawnAt);
    times.sweepPainted = since(probe.sweepPaintedAt);
    times.firstSweepLine = since(probe.sweepShownAt >= 0 ? probe.sweepShownAt : probe.sweepPaintedAt);
    times.repaints = probe.repaintsToSweep;
    times.repaintMs = probe.repaintMsToSweep;
    times.widgetPaintMs = probe.widgetPaintMsToSweep;
    settle(100); // the fan, when the wait above returned before it was drawn
    return times;
}

void leaveToMenu(ExerciseForm* form)
{
    form->Command7->click(); // the question box answers Yes
    if (!runUntil([] { return isExposed(Form::instance<app::FormMenu>()) && !currentExercise(); }, 10000))
        giveUp("esci did not bring the menu back");
}

void printClickTimes(const std::vector<ClickTimes>& rounds)
{
    auto column = [&](double ClickTimes::*field) {
        std::vector<double> values;
        for (const ClickTimes& t : rounds) {
            if (t.*field >= 0)
                values.push_back(t.*field);
        }
        return values;
    };
    auto line = [&](const char* what, double ClickTimes::*field) {
        std::printf("  %-44s %6.1f ms   (first round %.1f)\n", what, median(column(field)), rounds.front().*field);
    };
    std::printf("menu click -> ..., median of %zu rounds:\n", rounds.size());
    line("exercise window exposed", &ClickTimes::exposed);
    line("first sweep line drawn into the box", &ClickTimes::sweepDrawn);
    line("first paint of the box showing it", &ClickTimes::sweepPainted);
    line("that paint flushed to the screen", &ClickTimes::firstSweepLine);
    std::printf("  %-44s %6.1f      (first round %.0f)\n", "window repaints until then (their count)",
                median(column(&ClickTimes::repaints)), rounds.front().repaints);
    line("time spent in those repaints", &ClickTimes::repaintMs);
    line("  of which in the widgets' paint events", &ClickTimes::widgetPaintMs);
}

// Sweep lines drawn straight into the box at pace 0, each followed by the
// event processing that repaints it, as the sweep does.
void measureLineWork(BenchApplication& application, ExerciseForm* form)
{
    PictureBox* box = form->parts().drawingBoxes.first();
    constexpr int kFans = 7;
    constexpr int kLines = 180;
    std::vector<std::vector<double>> lineUs(kLines + 1), repaintUs(kLines + 1), totalUs(kLines + 1);
    std::vector<double> paints;
    Probe& probe = application.probe;
    for (int fan = 0; fan < kFans; ++fan) {
        box->clear();
        QCoreApplication::processEvents();
        exercise::drawArm(box, 0);
        QCoreApplication::processEvents();
        for (int n = 1; n <= kLines; ++n) {
            probe.repaintMs = 0;
            probe.boxPaints = 0;
            const double start = nowMs();
            exercise::drawDegree(box, n, exercise::kFillColor);
            const double drawn = nowMs();
            QCoreApplication::processEvents();
            const double done = nowMs();
            lineUs[n].push_back((drawn - start) * 1000);
            repaintUs[n].push_back(probe.repaintMs * 1000);
            totalUs[n].push_back((done - start) * 1000);
            paints.push_back(probe.boxPaints);
        }
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("work per sweep %s at %dx%d (window %dx%d, drawing box %dx%d), pace 0, median of %d fans:\n",
                platform::ClassroomDisplay::isOn() ? "degree (a filled wedge)" : "line", screen.width(),
                screen.height(), form->width(), form->height(), box->width(), box->height(), kFans);
    std::printf("  line   line()   repaint    total  (microseconds)\n");
    auto row = [&](int n) {
        std::printf("  %4d  %7.1f  %8.1f  %7.1f\n", n, median(lineUs[n]), median(repaintUs[n]), median(totalUs[n]));
    };
    auto group = [&](int from, int to) {
        std::vector<double> all;
        for (int n = from; n <= to; ++n)
            all.insert(all.end(), totalUs[n].begin(), totalUs[n].end());
        const double mean = std::accumulate(all.begin(), all.end(), 0.0) / double(all.size());
        std::printf(" lines %d-%d: median %.1f us, mean %.1f us;", from, to, median(all), mean);
    };
    for (int n = 1; n <= 10; ++n)
        row(n);
    std::printf("   ...\n");
    for (int n = 170; n <= kLines; ++n)
        row(n);
    std::printf(" ");
    group(1, 10);
    group(170, kLines);
    std::printf(" box repaints per line: %.1f\n", median(paints));
}

void measureFans(ExerciseForm* form)
{
    PictureBox* box = form->parts().drawingBoxes.first();
    constexpr int kFans = 5;
    std::vector<double> cpu;
    auto fanMs = [&](int paceMs) {
        platform::EventYield::setPaceMs(paceMs);
        std::vector<double> durations;
        cpu.clear();
        for (int fan = 0; fan < kFans; ++fan) {
            box->clear();
            QCoreApplication::processEvents();
            const exercise::DrawingGuard guard(form);
            const double start = nowMs();
            const double startCpu = cpuMs();
            if (!exercise::drawAngle(box, 0, 180, guard))
                giveUp("the fan was abandoned");
            durations.push_back(nowMs() - start);
            cpu.push_back(cpuMs() - startCpu);
        }
        return durations;
    };
    const std::vector<double> paced = fanMs(exercise::kSweepPaceMs);
    const double pacedCpu = median(cpu);
    const std::vector<double> unpaced = fanMs(0);
    const double unpacedCpu = median(cpu);
    platform::EventYield::setPaceMs(exercise::kSweepPaceMs);
    std::printf("one 180-degree fan at the real pace (%d ms a line): median %.1f ms (%.1f - %.1f) over %d fans; "
                "180 x pace = %d ms\n",
                exercise::kSweepPaceMs, median(paced), *std::min_element(paced.begin(), paced.end()),
                *std::max_element(paced.begin(), paced.end()), kFans, 180 * exercise::kSweepPaceMs);
    std::printf("  the program's CPU time in it: %.1f ms\n", pacedCpu);
    std::printf("one 180-degree fan at pace 0 (the drawing work alone): median %.1f ms, %.2f ms a line;"
                " the program's CPU time in it %.1f ms, %.2f ms a line\n",
                median(unpaced), median(unpaced) / 180, unpacedCpu, unpacedCpu / 180);
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    platform::ClassroomDisplay::setOn(argc > 3 && QLatin1String(argv[3]) == QLatin1String("classroom"));
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        std::fprintf(stderr, "frame_bench: running on '%s', not on an X server: these are not screen figures\n",
                     qPrintable(QGuiApplication::platformName()));

    // Set up as the program sets itself up.
    QApplication::setApplicationName(QStringLiteral("Gonioma"));
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    platform::EventYield::setPaceMs(exercise::kSweepPaceMs);
    // esci's question is answered Yes.
    platform::MessageBox::setHandlerForTesting(
        [](const platform::MessageRequest& request) {
            return request.buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                                       : platform::MessageAnswer::Ok;
        });
    platform::SingleInstance instance;
    if (!app::StartUp(instance))
        giveUp("another copy holds the lock in TMPDIR");

    const QString wanted = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("frmRuota1");
    const QList<app::WindowEntry> exercises = app::exerciseWindows();
    const auto found = std::find_if(exercises.begin(), exercises.end(),
                                    [&](const app::WindowEntry& e) { return e.name == wanted; });
    if (found == exercises.end())
        giveUp("no such exercise is registered");
    const app::WindowEntry& entry = *found;

    if (!runUntil([] { return isExposed(Form::instance<app::FormAvvio>()); }, 10000))
        giveUp("the splash never showed");
    settle(200);
    Form::instance<app::FormAvvio>()->BottoneAvvio->click();

    std::printf("exercise %s, opened by the menu's %s; classroom display %s\n", qPrintable(entry.name),
                qPrintable(entry.menuButton), platform::ClassroomDisplay::isOn() ? "on" : "off");
    std::vector<ClickTimes> times;
    for (int round = 0; round < rounds; ++round) {
        times.push_back(openFromMenu(application, entry));
        if (round + 1 < rounds)
            leaveToMenu(currentExercise());
    }
    printClickTimes(times);

    ExerciseForm* form = currentExercise();
    measureLineWork(application, form);
    measureFans(form);
    leaveToMenu(form);
    return 0;
}
