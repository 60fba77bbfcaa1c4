#!/usr/bin/env bash
# Builds the Release program with its benchmarks and measures it on a private
# X server of 1920x1080:
#   - start -> first window mapped, for the program and for a bare Qt window
#     with one button, interleaved, and the ratio; peak RSS at the splash;
#   - menu click -> exercise window exposed, and -> first sweep line on screen;
#   - the work of one sweep line at 1920x1080, early and late in a fan;
#   - one 180-degree fan at the real pace;
#   - RSS back at the menu after 1, 5, 10, 20 and 50 open/leave cycles;
#   - the program's CPU while it sits idle at the menu.
# It prints what it measured and fails on no number, only when it cannot run.
#
# Usage: bench/run.sh [runs]   (runs: the start-up and click rounds, 9 by default)
set -euo pipefail

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

WORK=$(mktemp -d)
PROGRAM_PID=
XVFB=
cleanup() {
    if [ -n "$PROGRAM_PID" ]; then
        kill -KILL "$PROGRAM_PID" 2>/dev/null || true
        wait "$PROGRAM_PID" 2>/dev/null || true
    fi
    if [ -n "$XVFB" ]; then
        kill -TERM "$XVFB" 2>/dev/null || true
        wait "$XVFB" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# A display is taken while the server named in its lock file lives.
display_taken() {
    local pid
    [ -e "/tmp/.X$1-lock" ] || return 1
    pid=$(tr -dc '0-9' <"/tmp/.X$1-lock" 2>/dev/null)
    [ -z "$pid" ] || [ -d "/proc/$pid" ]
}

DISPLAY_NUMBER=
for n in $(seq 81 99); do
    display_taken "$n" && continue
    # -noreset: the server would otherwise reset whenever its last client leaves.
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB=$!
    for _ in $(seq 50); do
        if xwininfo -root -display ":$n" >/dev/null 2>&1; then
            DISPLAY_NUMBER=$n
            break
        fi
        kill -0 "$XVFB" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$DISPLAY_NUMBER" ] && break
    kill -TERM "$XVFB" 2>/dev/null || true
    wait "$XVFB" 2>/dev/null || true
    XVFB=
done
[ -n "$DISPLAY_NUMBER" ] || fail "could not start Xvfb on any display from :81 to :99"
export DISPLAY=":$DISPLAY_NUMBER"
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
export TMPDIR="$WORK" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

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

# ---- the real program at the menu: idle CPU and RSS over open/leave cycles ---

# ini_value FILE SECTION KEY: the value with one pair of enclosing quotes dropped.
ini_value() {
    awk -v section="$2" -v key="$3" '
        { sub(/\r$/, "") }
        /^[ \t]*\[/ { line = $0; gsub(/^[ \t]*\[|\][ \t]*$/, "", line); inside = (tolower(line) == tolower(section)); next }
        inside {
            eq = index($0, "=")
            if (eq == 0) next
            name = substr($0, 1, eq - 1); gsub(/^[ \t]+|[ \t]+$/, "", name)
            if (tolower(name) != tolower(key)) next
            value = substr($0, eq + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
            if (value ~ /^".*"$/ && length(value) >= 2) value = substr(value, 2, length(value) - 2)
            print value; exit
        }' "$1"
}

LANGUAGE=$(ini_value "$BUILD/LangSetting.ini" Language CurrentLanguage 2>/dev/null || true)
[ -n "$LANGUAGE" ] && [ -f "$BUILD/$LANGUAGE.lng" ] || LANGUAGE=Italiano
LNG="$BUILD/$LANGUAGE.lng"
if ! iconv -f UTF-8 -t UTF-8 "$LNG" >/dev/null 2>&1; then
    iconv -f WINDOWS-1252 -t UTF-8 "$LNG" >"$WORK/language.lng"
    LNG="$WORK/language.lng"
fi
SPLASH_TITLE=$(ini_value "$LNG" FormAvvio FormAvvio.Caption)
MENU_TITLE=$(ini_value "$LNG" FormMenu FormMenu.Caption)
EXERCISE_TITLE=$(ini_value "$LNG" frmRuota1 frmRuota1.Caption)
QUESTION_TITLE="Esercitazioni sugli gonioma"

# The number of shown windows titled TITLE (Qt may add the program's name).
count_titled() {
    local title=$1 id count=0
    for id in $(xwininfo -root -tree 2>/dev/null \
        | awk -v a="\"$title\":" -v b="\"$title — " 'index($0, a) || index($0, b) { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && count=$((count + 1))
    done
    echo "$count"
}

# wait_for COUNT TITLE: until COUNT windows titled TITLE are shown (20 s at most).
wait_for() {
    local i
    for ((i = 0; i < 400; i++)); do
        [ "$(count_titled "$2")" -eq "$1" ] && return 0
        kill -0 "$PROGRAM_PID" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# click_at FX FY: a click at a fraction of the screen's width and height. With
# no window manager the full-screen windows stand at the top left.
click_at() {
    xdotool mousemove "$(awk -v f="$1" 'BEGIN { printf "%d", f * 1920 }')" \
        "$(awk -v f="$2" 'BEGIN { printf "%d", f * 1080 }')" click 1
}

"$BUILD/gonioma" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
wait_for 1 "$SPLASH_TITLE" || fail "the program showed no splash"
sleep 0.3
click_at 0.5 0.842 # "Avvio"
wait_for 1 "$MENU_TITLE" || fail "Avvio did not open the menu"
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
    click_at 0.229 0.585 # Command3, which opens frmRuota1
    wait_for 1 "$EXERCISE_TITLE" || fail "cycle $cycle: the menu did not open the exercise"
    wait_for 0 "$MENU_TITLE" || fail "cycle $cycle: the menu stayed"
    sleep 0.8 # the first fan opens
    click_at 0.827 0.885 # "esci"
    wait_for 1 "$QUESTION_TITLE" || fail "cycle $cycle: esci asked nothing"
    xdotool key Return # Yes, the default answer
    wait_for 1 "$MENU_TITLE" || fail "cycle $cycle: esci did not bring the menu back"
    wait_for 0 "$EXERCISE_TITLE" || fail "cycle $cycle: the exercise stayed"
    case $cycle in
    1 | 5 | 10 | 20 | 50)
        sleep 0.5
        rss_line "$cycle"
        ;;
    esac
done
