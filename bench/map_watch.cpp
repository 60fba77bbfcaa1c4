// Times the start of programs from outside, as a pupil sees it: from the
// moment a program is spawned to the first window the X server maps, then reads
// the program's peak memory so far.
//
//   gonioma_map_watch [--runs N] [--settle MS[,MS...]] NAME=PROGRAM ...
//
// The programs run interleaved, one at a time, on the X server that DISPLAY
// names (it should have no other clients starting windows meanwhile); the order
// turns every round and a first round, not counted, warms the caches. Each run
// gets a private TMPDIR (the program keeps its single-copy lock there) and is
// killed after the measure. --settle reads the peak memory again at those
// times after the map, to show what the first window costs once it is drawn,
// and what the resident memory is made of at the last of them.
//
// Prints, per program, the median time with the lowest and highest, the CPU
// time its threads had used by the map (less disturbed than the wall time by
// other work on the machine), the peak RSS (VmHWM) at the map and after each
// settling time, and the ratio of the first program's medians to each other's.
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void sleepMs(double ms)
{
    const auto ns = static_cast<long long>(ms * 1e6);
    timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A "VmHWM:   12345 kB" line of /proc/<pid>/status, in kB; -1 if absent.
long statusKb(pid_t pid, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}

// The CPU time all threads of `pid` have run, in ms, from the scheduler's counts.
double runTimeMs(pid_t pid)
{
    double ns = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

struct Program {
    std::string name;
    std::string path;
    std::vector<double> mapMs;
    std::vector<double> cpuMs;
    std::vector<double> peakAtMapKb;
    std::vector<std::vector<double>> peakSettledKb; // per settling time
    std::vector<double> anonKb, fileKb, shmemKb;    // at the last settling time
    int failures = 0;
};

struct Run {
    pid_t pid = -1;
    std::string tmpdir;
};

// Starts `path` with its own TMPDIR and XDG_RUNTIME_DIR, its output thrown away.
bool spawn(const std::string& path, Run& run, double& startedAt)
{
    std::string dir = (std::filesystem::temp_directory_path() / "gonioma-map-watch-XXXXXX").string();
    if (!mkdtemp(dir.data()))
        return false;
    run.tmpdir = dir;
    const std::string runtime = dir + "/runtime";
    mkdir(runtime.c_str(), 0700);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "TMPDIR=", 7) != 0 && std::strncmp(*e, "XDG_RUNTIME_DIR=", 16) != 0)
            env.emplace_back(*e);
    }
    env.push_back("TMPDIR=" + dir);
    env.push_back("XDG_RUNTIME_DIR=" + runtime);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    startedAt = nowMs();
    const int error = posix_spawn(&run.pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "map_watch: cannot start %s: %s\n", path.c_str(), std::strerror(error));
        run.pid = -1;
        return false;
    }
    return true;
}

void finish(Run& run)
{
    if (run.pid > 0) {
        kill(run.pid, SIGKILL);
        waitpid(run.pid, nullptr, 0);
    }
    if (!run.tmpdir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(run.tmpdir, ignored);
    }
    run = Run{};
}

void dropPendingEvents(xcb_connection_t* c)
{
    while (xcb_generic_event_t* e = xcb_poll_for_event(c))
        std::free(e);
}

// The time of the first MapNotify under the root window; -1 when the program
// ended or nothing was mapped before `deadline`.
double waitForMap(xcb_connection_t* c, pid_t pid, double deadline)
{
    const int fd = xcb_get_file_descriptor(c);
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(e);
            if (mapped)
                return nowMs();
        }
        if (xcb_connection_has_error(c) || nowMs() > deadline)
            return -1;
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return -1;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }
}

void measure(xcb_connection_t* c, Program& program, const std::vector<double>& settleMs, bool counted)
{
    dropPendingEvents(c);
    Run run;
    double startedAt = 0;
    if (!spawn(program.path, run, startedAt)) {
        finish(run);
        ++program.failures;
        return;
    }
    const double mappedAt = waitForMap(c, run.pid, startedAt + 20000);
    if (mappedAt < 0) {
        std::fprintf(stderr, "map_watch: %s mapped no window\n", program.name.c_str());
        finish(run);
        ++program.failures;
        return;
    }
    const double cpu = runTimeMs(run.pid);
    const long peakAtMap = statusKb(run.pid, "VmHWM");
    std::vector<long> peaks;
    for (const double at : settleMs) {
        sleepMs(mappedAt + at - nowMs());
        peaks.push_back(statusKb(run.pid, "VmHWM"));
    }
    const long anon = statusKb(run.pid, "RssAnon");
    const long file = statusKb(run.pid, "RssFile");
    const long shmem = statusKb(run.pid, "RssShmem");
    finish(run);
    if (!counted)
        return;
    program.mapMs.push_back(mappedAt - startedAt);
    program.cpuMs.push_back(cpu);
    program.peakAtMapKb.push_back(double(peakAtMap));
    program.peakSettledKb.resize(peaks.size());
    for (size_t i = 0; i < peaks.size(); ++i)
        program.peakSettledKb[i].push_back(double(peaks[i]));
    if (!settleMs.empty()) {
        program.anonKb.push_back(double(anon));
        program.fileKb.push_back(double(file));
        program.shmemKb.push_back(double(shmem));
    }
}

int usage()
{
    std::fprintf(stderr, "usage: gonioma_map_watch [--runs N] [--settle MS[,MS...]] NAME=PROGRAM ...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 9;
    std::vector<double> settleMs;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--settle" && i + 1 < argc) {
            for (const char* at = argv[++i]; *at;) {
                char* next = nullptr;
                settleMs.push_back(std::max(0.0, std::strtod(at, &next)));
                if (next == at)
                    return usage();
                at = *next == ',' ? next + 1 : next;
            }
            std::sort(settleMs.begin(), settleMs.end());
        } else if (const size_t eq = arg.find('='); eq != std::string::npos && eq > 0) {
            Program program;
            program.name = arg.substr(0, eq);
            program.path = arg.substr(eq + 1);
            programs.push_back(program);
        } else {
            return usage();
        }
    }
    if (programs.empty())
        return usage();

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "map_watch: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so the mask is in force before the first program starts.
    if (xcb_generic_error_t* error = xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask))) {
        std::fprintf(stderr, "map_watch: cannot watch the root window (error %d)\n", error->error_code);
        std::free(error);
        return 1;
    }

    for (int round = 0; round <= runs; ++round) {
        for (size_t k = 0; k < programs.size(); ++k) {
            // Alternate the order so neither program always follows the other.
            const size_t index = round % 2 ? programs.size() - 1 - k : k;
            measure(c, programs[index], settleMs, round > 0);
            sleepMs(150);
        }
    }
    xcb_disconnect(c);

    std::printf("start -> first window mapped: median of %d interleaved runs (lowest - highest)\n", runs);
    for (const Program& p : programs) {
        if (p.mapMs.empty()) {
            std::printf("  %-8s no measure (%d failed runs)\n", p.name.c_str(), p.failures);
            continue;
        }
        std::printf("  %-8s %6.1f ms (%.1f - %.1f), CPU time by then %.1f ms", p.name.c_str(), median(p.mapMs),
                    *std::min_element(p.mapMs.begin(), p.mapMs.end()),
                    *std::max_element(p.mapMs.begin(), p.mapMs.end()), median(p.cpuMs));
        if (p.failures)
            std::printf("   [%d failed runs]", p.failures);
        std::printf("\n");
    }
    const Program& first = programs.front();
    for (size_t k = 1; k < programs.size(); ++k) {
        if (!first.mapMs.empty() && !programs[k].mapMs.empty())
            std::printf("  %s / %s: %.2f (CPU time %.2f)\n", first.name.c_str(), programs[k].name.c_str(),
                        median(first.mapMs) / median(programs[k].mapMs), median(first.cpuMs) / median(programs[k].cpuMs));
    }
    std::printf("peak RSS (VmHWM), median:\n");
    for (const Program& p : programs) {
        if (p.mapMs.empty())
            continue;
        std::printf("  %-8s at the map %.2f MiB", p.name.c_str(), median(p.peakAtMapKb) / 1024);
        for (size_t i = 0; i < p.peakSettledKb.size(); ++i)
            std::printf(", +%.0f ms %.2f MiB", settleMs[i], median(p.peakSettledKb[i]) / 1024);
        if (!p.anonKb.empty())
            std::printf("   (then resident: anonymous %.1f, files %.1f, shared memory %.1f MiB)", median(p.anonKb) / 1024,
                        median(p.fileKb) / 1024, median(p.shmemKb) / 1024);
        std::printf("\n");
    }
    return 0;
}
