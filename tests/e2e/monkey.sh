#!/usr/bin/env bash
# Random input into the real program under Xvfb: clicks anywhere and near the
# controls, keys (Tab, Space, Return, Escape, digits), drags, right clicks and
# window resizes, in batches; after every batch the program must still be
# responding (its main thread gets back to waiting for events). When the
# program ends in the ordinary way (a random "Esci" and Yes) it is started
# again. A crash, a sanitizer report or a program that stops responding fails
# the run and prints the seed and the events since the last start.
#
# Usage: monkey.sh path/to/gonioma [EVENTS] [SEED]
# The same seed gives the same events (their timing may differ).
TEST_NAME=e2e_monkey
BIN=${1:-}
EVENTS=${2:-300}
SEED=${3:-1}
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma [EVENTS] [SEED]" >&2; exit 2; }
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xsession.sh"

# The sanitizers' settings of the test command, when run by hand.
: "${ASAN_OPTIONS:=detect_leaks=1:halt_on_error=1:abort_on_error=1}"
: "${UBSAN_OPTIONS:=print_stacktrace=1:halt_on_error=1}"
: "${LSAN_OPTIONS:=suppressions=$HERE/../lsan.supp:print_suppressions=0}"
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

BATCH=25
# Seconds the program may take to get back to its event loop after a batch
# (a sanitizer build loading a window, a fan being drawn).
RESPONSE_LIMIT=30

copy_program "$BIN" "$WORK/app"
x_start 1024x768
null_audio_start || say "no sound server installed (package pulseaudio): the program plays no sound"
RANDOM=$SEED

# Where the controls stand, in thousandths of the screen: the splash's
# "Avvio"; the menu's buttons, sounds box and language menu; the answer,
# "avanti" and "esci" buttons of the exercises; a message box's buttons.
HOT_SPOTS=(
    500,842
    229,105 229,270 229,430 229,585 229,735 229,900
    750,110 763,270 600,590 763,720 763,900
    30,12 60,45 60,75 60,105 60,135
    828,134 828,234 828,334 828,434 828,761 828,886 330,500
    343,807 500,807 658,807 381,927 618,927 200,300 800,300
    450,540 550,540 500,540
)
KEYS=(Tab Tab space space Return Return Escape 0 1 2 3 4 5 6 7 8 9 BackSpace)

EVENT_LOG="$WORK/events.log"
: >"$EVENT_LOG"
RUN_START_EVENT=0
RESTARTS=0
CHECKS=0

# No subshells in the hot path: each helper leaves its result in a variable.
rnd() { R=$((RANDOM % $1)); }
# Thousandths of the screen to pixels.
at() { PX=$(($1 * SCREEN_W / 1000)) PY=$(($2 * SCREEN_H / 1000)); }

log_event() { echo "$EVENT $*" >>"$EVENT_LOG"; }

report() { # report WHAT: fails with what is needed to reproduce
    echo "$TEST_NAME: $1 after event $EVENT (seed $SEED)" >&2
    echo "$TEST_NAME: rerun: $0 $BIN $EVENTS $SEED" >&2
    echo "---- events since the program last started (event, kind, arguments)" >&2
    awk -v from="$RUN_START_EVENT" '$1 >= from' "$EVENT_LOG" | tail -n 200 >&2
    if command -v gdb >/dev/null && kill -0 "$RUN" 2>/dev/null; then
        echo "---- where the program's main thread is" >&2
        gdb -p "$RUN" -batch -ex 'bt 25' 2>/dev/null | grep -E '^#' >&2
    fi
    fail "$1"
}

# Adds one random event to the batch's xdotool command line (CMD); a resize
# is done at once, since it needs the window's id.
one_event() {
    local x y x2 y2 spot id
    rnd 100
    if [ "$R" -lt 45 ]; then
        rnd ${#HOT_SPOTS[@]}; spot=${HOT_SPOTS[$R]}
        rnd 41; x=$((${spot%,*} + R - 20))
        rnd 31; y=$((${spot#*,} + R - 15))
        log_event click-near "$x" "$y"
        at "$x" "$y"; CMD+=(mousemove "$PX" "$PY" click --delay 10 1)
    elif [ "$R" -lt 60 ]; then
        rnd 1000; x=$R; rnd 1000; y=$R
        log_event click "$x" "$y"
        at "$x" "$y"; CMD+=(mousemove "$PX" "$PY" click --delay 10 1)
    elif [ "$R" -lt 82 ]; then
        rnd ${#KEYS[@]}
        log_event key "${KEYS[$R]}"
        CMD+=(key "${KEYS[$R]}")
    elif [ "$R" -lt 88 ]; then
        rnd 1000; x=$R; rnd 1000; y=$R; rnd 1000; x2=$R; rnd 1000; y2=$R
        log_event drag "$x" "$y" "$x2" "$y2"
        at "$x" "$y"; CMD+=(mousemove "$PX" "$PY" mousedown 1)
        at "$x2" "$y2"; CMD+=(mousemove "$PX" "$PY" mouseup 1)
    elif [ "$R" -lt 94 ]; then
        rnd 1000; x=$R; rnd 1000; y=$R
        log_event right-click "$x" "$y"
        at "$x" "$y"; CMD+=(mousemove "$PX" "$PY" click --delay 10 3)
    elif [ "$R" -lt 97 ]; then
        rnd ${#HOT_SPOTS[@]}; spot=${HOT_SPOTS[$R]}
        log_event double-click "${spot%,*}" "${spot#*,}"
        at "${spot%,*}" "${spot#*,}"; CMD+=(mousemove "$PX" "$PY" click --repeat 2 --delay 40 1)
    else
        rnd 701; x=$((300 + R)); rnd 701; y=$((300 + R))
        log_event resize "$x" "$y"
        send_batch
        at "$x" "$y"
        for id in $(xdotool search --onlyvisible --pid "$RUN" 2>/dev/null | head -n 1); do
            xdotool windowsize "$id" "$PX" "$PY" 2>/dev/null
        done
    fi
    CMD+=(sleep 0.02)
}

send_batch() {
    [ ${#CMD[@]} -gt 0 ] && xdotool "${CMD[@]}"
    CMD=()
}

# The main thread waits in poll (7) or ppoll (271) when it is back in its
# event loop.
responding() {
    local i call
    for ((i = 0; i < RESPONSE_LIMIT * 20; i++)); do
        kill -0 "$RUN" 2>/dev/null || return 0
        read -r call _ <"/proc/$RUN/task/$RUN/syscall" 2>/dev/null || return 0
        [ "$call" = 7 ] || [ "$call" = 271 ] && return 0
        sleep 0.05
    done
    return 1
}

start_run() {
    start_program "run-$RESTARTS"
    RUN=$STARTED
    RUN_LOG="$WORK/run-$RESTARTS.log"
    RUN_START_EVENT=$EVENT
    echo "$EVENT start" >>"$EVENT_LOG"
    # The splash is up before the first input.
    for _ in $(seq 300); do
        [ -n "$(xdotool search --onlyvisible --pid "$RUN" 2>/dev/null)" ] && break
        kill -0 "$RUN" 2>/dev/null || break
        sleep 0.1
    done
}

# An ended program: an ordinary end is started again, anything else fails.
check_ended() {
    kill -0 "$RUN" 2>/dev/null && return 0
    wait "$RUN"
    local status=$?
    sanitizer_clean "$RUN_LOG" || report "the sanitizers reported a fault"
    [ "$status" -eq 0 ] || report "the program ended with status $status"
    RESTARTS=$((RESTARTS + 1))
    echo "$EVENT ended" >>"$EVENT_LOG"
    start_run
}

EVENT=0
CLOCK=$(date +%s)
start_run
while [ "$EVENT" -lt "$EVENTS" ]; do
    CMD=()
    for ((b = 0; b < BATCH && EVENT < EVENTS; b++)); do
        EVENT=$((EVENT + 1))
        one_event
    done
    send_batch
    check_ended
    responding || report "the program stopped responding (no return to its event loop within ${RESPONSE_LIMIT}s)"
    CHECKS=$((CHECKS + 1))
    check_ended
    if [ $((CHECKS % 200)) -eq 0 ]; then
        say "progress: $EVENT events in $(($(date +%s) - CLOCK)) s, $RESTARTS restarts, $CHECKS responsiveness checks"
    fi
done

kill -0 "$RUN" 2>/dev/null || check_ended
sanitizer_clean "$RUN_LOG" || report "the sanitizers reported a fault"
kill -TERM "$RUN" 2>/dev/null
wait "$RUN" 2>/dev/null
say "$EVENTS events (seed $SEED) in $(($(date +%s) - CLOCK)) s: $RESTARTS restarts after an ordinary end, $CHECKS responsiveness checks, no crash, no sanitizer report"
