#!/usr/bin/env bash
# Starts the real program on a private X server and checks, from outside, what
# a pupil would see: the splash comes up; a second copy shows only its warning
# box and leaves the first alone; a copy that was killed leaves a lock behind
# that does not stop the next start; then a pupil opens every exercise the
# menu offers, leaves each with its "esci", and ends the program from the menu.
#
# Usage: startup.sh path/to/gonioma
# The program runs from its build folder, with its language files beside it.
set -u

fail() {
    echo "e2e_startup: FAILED: $*" >&2
    for log in "${WORK:-/nonexistent}"/*.log; do
        [ -s "$log" ] || continue
        echo "---- $(basename "$log") (last lines)" >&2
        tail -n 20 "$log" >&2
    done
    exit 1
}

BIN=${1:-}
[ -n "$BIN" ] || { echo "usage: $0 path/to/gonioma" >&2; exit 2; }
[ -x "$BIN" ] || fail "no program at '$BIN'"
BIN=$(cd "$(dirname "$BIN")" && pwd)/$(basename "$BIN")
BINDIR=$(dirname "$BIN")
HERE=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xwininfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (packages xvfb, x11-utils)"
done

# The walk finds windows and buttons on the accessibility bus, which is reached
# through a session bus: the whole run gets a session bus of its own, gone
# when the run ends, and no accessibility bus of the desktop is used.
if [ -z "${GONIOMA_E2E_SESSION_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || fail "dbus-run-session is not installed (package dbus-daemon)"
    GONIOMA_E2E_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
unset AT_SPI_BUS_ADDRESS
command -v dbus-send >/dev/null || fail "dbus-send is not installed (package dbus-bin)"
ATSPI_LIBEXEC=/usr/libexec
for tool in at-spi-bus-launcher at-spi2-registryd; do
    [ -x "$ATSPI_LIBEXEC/$tool" ] || fail "$ATSPI_LIBEXEC/$tool is not installed (package at-spi2-core)"
done
# The system's own Python, which the Debian package pyatspi is built for.
PYTHON=/usr/bin/python3
"$PYTHON" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is not installed (package python3-pyatspi)"

# A private temporary folder: the program keeps its lock there, so a real run
# on this machine is neither seen nor disturbed.
WORK=$(mktemp -d) || fail "cannot make a temporary folder"
export TMPDIR="$WORK"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

PIDS=()
XVFB=
HELPERS=()
# stop_helper PID: asks a helper to end, so it tidies up; forces it after 5s.
stop_helper() {
    local i
    kill -TERM "$1" 2>/dev/null || return 0
    for ((i = 0; i < 50; i++)); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    local pid i
    for pid in "${PIDS[@]}"; do
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    # The accessibility services, last started first stopped; the bus launcher
    # takes its bus down with it.
    for ((i = ${#HELPERS[@]} - 1; i >= 0; i--)); do
        stop_helper "${HELPERS[i]}"
    done
    # The X server is asked to stop, so it takes its lock and socket away.
    [ -z "$XVFB" ] || stop_helper "$XVFB"
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# ---- the language texts the windows are titled with -------------------------

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

LANGUAGE_NAME=$(ini_value "$BINDIR/LangSetting.ini" Language CurrentLanguage 2>/dev/null)
[ -n "$LANGUAGE_NAME" ] && [ -f "$BINDIR/$LANGUAGE_NAME.lng" ] || LANGUAGE_NAME=Italiano
LNG="$BINDIR/$LANGUAGE_NAME.lng"
[ -f "$LNG" ] || fail "no language file $LNG beside the program"
# Language files may be in Windows-1252; the X server reports titles in UTF-8.
if ! iconv -f UTF-8 -t UTF-8 "$LNG" >/dev/null 2>&1; then
    iconv -f WINDOWS-1252 -t UTF-8 "$LNG" >"$WORK/language.lng" || fail "cannot read $LNG"
    LNG="$WORK/language.lng"
fi
SPLASH_TITLE=$(ini_value "$LNG" FormAvvio FormAvvio.Caption)
[ -n "$SPLASH_TITLE" ] || SPLASH_TITLE=Gonioma
BOX_TITLE=$(ini_value "$LNG" Strings 0038)
[ -n "$BOX_TITLE" ] || fail "message 0038 is missing from $LNG"
[ "$BOX_TITLE" != "$SPLASH_TITLE" ] || fail "the warning and the splash have the same title"

# ---- a private X server -----------------------------------------------------

# A display is taken while the server named in its lock file lives; the
# server itself clears the lock of one that died.
display_taken() {
    local pid
    [ -e "/tmp/.X$1-lock" ] || return 1
    pid=$(tr -dc '0-9' <"/tmp/.X$1-lock" 2>/dev/null)
    [ -z "$pid" ] || [ -d "/proc/$pid" ]
}

DISPLAY_NUMBER=
for n in 91 92 93 94 95 96 97 98 99; do
    display_taken "$n" && continue
    # -noreset: the server would otherwise reset when its last client goes (the
    # killed copy) and refuse the next one for a moment.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
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
    # Lost a race for this display, or the server failed: try the next one.
    kill -TERM "$XVFB" 2>/dev/null
    wait "$XVFB" 2>/dev/null
    XVFB=
done
[ -n "$DISPLAY_NUMBER" ] || fail "could not start Xvfb on any display from :91 to :99"
export DISPLAY=":$DISPLAY_NUMBER"
# The pointer rests in a corner, where no control shows a tooltip over the windows.
xdotool mousemove 0 0 >/dev/null 2>&1 || true
# The test runner asks for the offscreen platform; here the windows are real.
export QT_QPA_PLATFORM=xcb
# The platform's own texts (the Yes of a message box when the language file
# gives none) stay in English.
export LC_ALL=C.UTF-8
unset LANGUAGE

# ---- the accessibility bus --------------------------------------------------
# Qt shows every window and control on a bus of its own, whose address the bus
# launcher gives on the session bus; the registry there lists the programs.

# name_owned BUS NAME: whether someone answers to NAME on BUS (dbus-send's
# --session or --bus=ADDRESS).
name_owned() {
    dbus-send "$1" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$2" 2>/dev/null | grep -q true
}

# wait_owned BUS NAME PID: until NAME answers on BUS; fails if PID ends first.
wait_owned() {
    local i
    for ((i = 0; i < 200; i++)); do
        name_owned "$1" "$2" && return 0
        kill -0 "$3" 2>/dev/null || fail "$2 ended before it was up"
        sleep 0.05
    done
    fail "$2 did not come up within 10s"
}

"$ATSPI_LIBEXEC/at-spi-bus-launcher" --launch-immediately >"$WORK/at-spi-bus.log" 2>&1 &
HELPERS+=($!)
wait_owned --session org.a11y.Bus "${HELPERS[-1]}"
A11Y_BUS=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    | tr -d ' \t')
[ -n "$A11Y_BUS" ] || fail "the accessibility bus has no address"
# Started here rather than on demand, so it is known and stopped at the end.
"$ATSPI_LIBEXEC/at-spi2-registryd" >"$WORK/at-spi-registry.log" 2>&1 &
HELPERS+=($!)
wait_owned "--bus=$A11Y_BUS" org.a11y.atspi.Registry "${HELPERS[-1]}"
# Every copy shows itself on the bus, whatever the desktop's settings.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# ---- looking at the screen --------------------------------------------------

# Ids of the mapped windows whose title is TITLE (Qt may append the program's
# name after an em dash).
windows_titled() {
    local title=$1 id
    xwininfo -root -tree 2>/dev/null \
        | awk -v a="\"$title\":" -v b="\"$title — " 'index($0, a) || index($0, b) { print $1 }' \
        | while read -r id; do
            xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
        done
}

count_titled() {
    windows_titled "$1" | wc -l
}

# wait_for COUNT TITLE SECONDS PID: until COUNT windows titled TITLE are shown;
# fails at once if the process PID (0: none) ends meanwhile.
wait_for() {
    local want=$1 title=$2 seconds=$3 pid=$4 i
    for ((i = 0; i < seconds * 5; i++)); do
        [ "$(count_titled "$title")" -eq "$want" ] && return 0
        if [ "$pid" -ne 0 ] && ! kill -0 "$pid" 2>/dev/null; then
            fail "the program ended while waiting for $want window(s) titled '$title'"
        fi
        sleep 0.2
    done
    fail "expected $want window(s) titled '$title' within ${seconds}s, found $(count_titled "$title")"
}

start_copy() { # start_copy NAME: starts the program, its pid in STARTED
    "$BIN" >"$WORK/$1.log" 2>&1 &
    STARTED=$!
    PIDS+=("$STARTED")
}

stop_copy() { # stop_copy PID SIGNAL
    kill -0 "$1" 2>/dev/null || fail "process $1 ended before it was stopped"
    kill "-$2" "$1"
    # Neither signal is caught by the program, so this wait is short; waiting
    # at once also keeps the shell from reporting the death.
    wait "$1" 2>/dev/null
}

# ---- the run ----------------------------------------------------------------

# Sanitizer builds start slowly: allow generous waits.
WAIT=40

start_copy first
FIRST=$STARTED
wait_for 1 "$SPLASH_TITLE" "$WAIT" "$FIRST"
echo "e2e_startup: the splash of the first copy is shown"

start_copy second
SECOND=$STARTED
wait_for 1 "$BOX_TITLE" "$WAIT" "$SECOND"
kill -0 "$SECOND" 2>/dev/null || fail "the second copy ended before its warning was answered"
[ "$(count_titled "$SPLASH_TITLE")" -eq 1 ] || fail "the second copy opened a window beside its warning"
echo "e2e_startup: the second copy shows its warning '$BOX_TITLE' and nothing else"

stop_copy "$SECOND" TERM
wait_for 0 "$BOX_TITLE" 10 0
kill -0 "$FIRST" 2>/dev/null || fail "the first copy ended together with the second"
[ "$(count_titled "$SPLASH_TITLE")" -eq 1 ] || fail "the first copy's splash went away"
echo "e2e_startup: the first copy is undisturbed"

stop_copy "$FIRST" KILL
wait_for 0 "$SPLASH_TITLE" 10 0
compgen -G "$WORK/gonioma-*.lock" >/dev/null || fail "the killed copy left no lock behind: nothing stale to test"

start_copy third
THIRD=$STARTED
wait_for 1 "$SPLASH_TITLE" "$WAIT" "$THIRD"
[ "$(count_titled "$BOX_TITLE")" -eq 0 ] || fail "the stale lock of a killed copy was taken for a running one"
echo "e2e_startup: a new copy starts past the lock of the killed one"

# ---- a pupil's walk through it ----------------------------------------------
# Splash, menu, every exercise the menu offers and back, then out: the walk
# finds each window and button by its caption and presses it.

SCREEN=$(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
"$PYTHON" "$HERE/walk.py" --pid "$THIRD" --language "$LNG" --screen "$SCREEN" --seconds "$WAIT" \
    || fail "the walk through the program stopped"
for _ in $(seq 100); do
    kill -0 "$THIRD" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$THIRD" 2>/dev/null && fail "the program did not end after Esci and Yes"
wait "$THIRD"
STATUS=$?
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS"
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$WORK/third.log"; then
    fail "the sanitizers reported a fault during the walk"
fi
echo "e2e_startup: Esci and Yes end the program cleanly"

echo "e2e_startup: passed"
