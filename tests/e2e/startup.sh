#!/usr/bin/env bash
# Starts the real program on a private X server and checks, from outside, what
# a pupil would see: the splash comes up; a second copy shows only its warning
# box and leaves the first alone; a copy that was killed leaves a lock behind
# that does not stop the next start; then a pupil opens every exercise the
# menu offers, leaves each with its "esci", and ends the program from the menu.
#
# Usage: startup.sh path/to/gonioma
# The program runs from its build folder, with its language files beside it.
TEST_NAME=e2e_startup

BIN=${1:-}
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma" >&2; exit 2; }
BIN=$(cd "$(dirname "$BIN")" && pwd)/$(basename "$BIN")
HERE=$(cd "$(dirname "$0")" && pwd)

# The walk finds windows and buttons on the accessibility bus, which is reached
# through a session bus: the whole run gets a session bus of its own, gone
# when the run ends, and no accessibility bus of the desktop is used.
if [ -z "${GONIOMA_E2E_SESSION_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "$TEST_NAME: dbus-run-session is not installed (package dbus-daemon)" >&2; exit 1; }
    GONIOMA_E2E_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
. "$HERE/xsession.sh"
unset AT_SPI_BUS_ADDRESS LANGUAGE
command -v dbus-send >/dev/null || fail "dbus-send is not installed (package dbus-bin)"
ATSPI_LIBEXEC=/usr/libexec
for tool in at-spi-bus-launcher at-spi2-registryd; do
    [ -x "$ATSPI_LIBEXEC/$tool" ] || fail "$ATSPI_LIBEXEC/$tool is not installed (package at-spi2-core)"
done
# The system's own Python, which the Debian package pyatspi is built for.
PYTHON=/usr/bin/python3
"$PYTHON" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is not installed (package python3-pyatspi)"

# The program runs from its build folder, with its language files beside it.
APP=$BIN
LNG=$(language_text "$(dirname "$BIN")") || exit 1
SPLASH_TITLE=$(ini_value "$LNG" FormAvvio FormAvvio.Caption)
[ -n "$SPLASH_TITLE" ] || SPLASH_TITLE=Gonioma
BOX_TITLE=$(ini_value "$LNG" Strings 0038)
[ -n "$BOX_TITLE" ] || fail "message 0038 is missing from $LNG"
[ "$BOX_TITLE" != "$SPLASH_TITLE" ] || fail "the warning and the splash have the same title"

x_start 1280x1024
# The pointer rests in a corner, where no control shows a tooltip over the windows.
xdotool mousemove 0 0 >/dev/null 2>&1 || true

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

start_program first
FIRST=$STARTED
wait_for 1 "$SPLASH_TITLE" "$WAIT" "$FIRST"
say "the splash of the first copy is shown"

start_program second
SECOND=$STARTED
wait_for 1 "$BOX_TITLE" "$WAIT" "$SECOND"
kill -0 "$SECOND" 2>/dev/null || fail "the second copy ended before its warning was answered"
[ "$(count_titled "$SPLASH_TITLE")" -eq 1 ] || fail "the second copy opened a window beside its warning"
say "the second copy shows its warning '$BOX_TITLE' and nothing else"

stop_copy "$SECOND" TERM
wait_for 0 "$BOX_TITLE" 10 0
kill -0 "$FIRST" 2>/dev/null || fail "the first copy ended together with the second"
[ "$(count_titled "$SPLASH_TITLE")" -eq 1 ] || fail "the first copy's splash went away"
say "the first copy is undisturbed"

stop_copy "$FIRST" KILL
wait_for 0 "$SPLASH_TITLE" 10 0
compgen -G "$WORK/gonioma-*.lock" >/dev/null || fail "the killed copy left no lock behind: nothing stale to test"

start_program third
THIRD=$STARTED
wait_for 1 "$SPLASH_TITLE" "$WAIT" "$THIRD"
[ "$(count_titled "$BOX_TITLE")" -eq 0 ] || fail "the stale lock of a killed copy was taken for a running one"
say "a new copy starts past the lock of the killed one"

# ---- a pupil's walk through it ----------------------------------------------
# Splash, menu, every exercise the program lists and back, then out: the walk
# asks the program for its exercises, finds each window and button by its
# caption and presses it.

"$PYTHON" "$HERE/walk.py" --pid "$THIRD" --program "$APP" --language "$LNG" --screen "${SCREEN_W}x$SCREEN_H" --seconds "$WAIT" \
    || fail "the walk through the program stopped"
for _ in $(seq 100); do
    kill -0 "$THIRD" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$THIRD" 2>/dev/null && fail "the program did not end after Esci and Yes"
wait "$THIRD"
STATUS=$?
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS"
sanitizer_clean "$WORK/third.log" || fail "the sanitizers reported a fault during the walk"
say "Esci and Yes end the program cleanly"

say "passed"
