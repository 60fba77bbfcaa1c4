#!/usr/bin/env bash
# Builds the Release program with its benchmarks and measures it on a private
# X server of 1920x1080:
#   - start -> first window mapped, for the program and for a bare Qt window
#     with one button, interleaved, and the ratio; peak RSS at the splash;
#   - menu click -> exercise window exposed, and -> first sweep line on screen;
#   - the work of one sweep line at 1920x1080, early and late in a fan;
#   - one 180-degree fan at the real pace;
#   - the last two again with the classroom display on;
#   - RSS back at the menu after 1, 5, 10, 20 and 50 open/leave cycles;
#   - the program's CPU while it sits idle at the menu.
# It prints what it measured and fails on no number, only when it cannot run.
#
# Usage: bench/run.sh [runs]   (runs: the start-up and click rounds, 9 by default)
set -u

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/bench"
RUNS=${1:-9}

fail() {
    echo "bench: $*" >&2
    exit 1
}

for tool in cmake ninja Xvfb xwininfo xdotool pkg-config; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run ./dev test once, it installs what the project needs"
done

# ---- the build ---------------------------------------------------------------

echo "bench: building the Release program and the benchmarks in $BUILD"
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
mkdir -p "$BUILD"
LOG="$BUILD/bench-build.log"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGONIOMA_TESTS=OFF >"$LOG" 2>&1 \
    || { cat "$LOG" >&2; fail "cmake could not configure the build"; }
cmake --build "$BUILD" -j "$(nproc 2>/dev/null || echo 2)" \
    --target gonioma gonioma_bare_window gonioma_frame_bench gonioma_map_watch >>"$LOG" 2>&1 \
    || { tail -n 40 "$LOG" >&2; fail "the build failed (is libxcb1-dev installed?)"; }

# ---- a private X server ------------------------------------------------------

# The end-to-end tests' session: a private work folder, X server and clean-up.
TEST_NAME=bench
. "$ROOT/tests/e2e/xsession.sh"
x_start 1920x1080
echo "bench: Xvfb $DISPLAY at 1920x1080; $(nproc 2>/dev/null || echo '?') cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# ---- start-up ----------------------------------------------------------------

# 150 ms after the map the splash has been drawn at full screen; after 1 s the
# program has also loaded its sounds.
"$BUILD/gonioma_map_watch" --runs "$RUNS" --settle 150,1000 \
    "gonioma=$BUILD/gonioma" "bare=$BUILD/gonioma_bare_window" \
    || echo "bench: the start-up measure did not finish"
echo

# ---- menu, sweep and fan, in the program's own process -----------------------

(cd "$BUILD" && ./gonioma_frame_bench "$RUNS" frmRuota1) || echo "bench: the window and drawing measure did not finish"
echo
# The same with the classroom display on: a filled wedge for each degree.
(cd "$BUILD" && ./gonioma_frame_bench "$RUNS" frmRuota1 classroom) \
    || echo "bench: the classroom display's drawing measure did not finish"
echo

# ---- the real program at the menu: idle CPU and RSS over open/leave cycles ---

SPLASH_TITLE=$(window_title "$BUILD" FormAvvio)
MENU_TITLE=$(window_title "$BUILD" FormMenu)
EXERCISE_TITLE=$(window_title "$BUILD" frmRuota1)

APP="$BUILD/gonioma"
start_program program
PROGRAM_PID=$STARTED
wait_for 1 "$SPLASH_TITLE" 20 "$PROGRAM_PID"
sleep 0.3
click_at 0.5 0.842 # "Avvio"
wait_for 1 "$MENU_TITLE" 20 "$PROGRAM_PID"
sleep 2 # the sounds are loaded, the menu drawn

# Idle CPU: the program's user and system time (/proc/<pid>/stat), and, over
# all its threads, the run time and the wake-ups as the scheduler counts them,
# over a few seconds at the menu.
IDLE_SECONDS=5
TICKS=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$PROGRAM_PID/stat"; }
run_ns() { cat /proc/"$PROGRAM_PID"/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f", s }'; }
wakeups() { cat /proc/"$PROGRAM_PID"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" { s += $2 } END { print s }'; }
THREADS=$(ls "/proc/$PROGRAM_PID/task" | wc -l)
CPU0=$(cpu_ticks) RUN0=$(run_ns) WAKE0=$(wakeups)
sleep "$IDLE_SECONDS"
CPU1=$(cpu_ticks) RUN1=$(run_ns) WAKE1=$(wakeups)
awk -v c0="$CPU0" -v c1="$CPU1" -v r0="$RUN0" -v r1="$RUN1" -v hz="$TICKS" -v s="$IDLE_SECONDS" \
    -v w0="$WAKE0" -v w1="$WAKE1" -v t="$THREADS" 'BEGIN {
        printf "idle at the menu over %d s: CPU %.1f %% (%d ticks of 1/%d s in /proc/<pid>/stat);", s, 100 * (c1 - c0) / hz / s, c1 - c0, hz
        printf " %d threads ran %.2f ms in all (%.3f %%) and woke %d times\n", t, (r1 - r0) / 1e6, 100 * (r1 - r0) / 1e9 / s, w1 - w0
    }'
echo

# Open/leave cycles of the first exercise through the real controls.
echo "RSS at the menu after open/leave cycles of $EXERCISE_TITLE (each waits for the fan):"
rss_line() { # rss_line CYCLES: the program's resident memory and what it is made of
    awk -v n="$1" '{ v[$1] = $2 / 1024 } END {
        printf "  after %2d cycles: %5.1f MiB  (anonymous %.1f, files %.1f, shared memory %.1f; peak %.1f)\n",
            n, v["VmRSS:"], v["RssAnon:"], v["RssFile:"], v["RssShmem:"], v["VmHWM:"]
    }' "/proc/$PROGRAM_PID/status"
}
rss_line 0
for cycle in $(seq 1 50); do
    # Command3, which opens frmRuota1: the fourth exercise, reached from the
    # keyboard since its place depends on how many exercises the menu holds.
    xdotool key Tab Tab Tab space
    wait_for 1 "$EXERCISE_TITLE" 20 "$PROGRAM_PID"
    wait_for 0 "$MENU_TITLE" 20 "$PROGRAM_PID"
    sleep 0.8 # the first fan opens
    click_at 0.827 0.885 # "esci"
    wait_for 1 "$QUESTION_TITLE" 20 "$PROGRAM_PID"
    xdotool key Return # Yes, the default answer
    wait_for 1 "$MENU_TITLE" 20 "$PROGRAM_PID"
    wait_for 0 "$EXERCISE_TITLE" 20 "$PROGRAM_PID"
    case $cycle in
    1 | 5 | 10 | 20 | 50)
        sleep 0.5
        rss_line "$cycle"
        ;;
    esac
done
