#!/usr/bin/env bash
# The program's options. Help, version and every refused command line end
# without a display, before any window and without the single-instance lock:
# help and version with status 0 on the output, a refusal with status 2 and
# one line on the error output. Under Xvfb, `--exercise frmRuota4 --no-splash`
# opens that exercise alone, `--language` changes the language of the run but
# not LangSetting.ini, and `--windowed` gives a window of 600 x 420.
#
# Usage: command_line.sh path/to/gonioma
TEST_NAME=e2e_command_line
BIN=${1:-}
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma" >&2; exit 2; }
. "$(dirname "$0")/xsession.sh"

copy_program "$BIN" "$WORK/app"

# ---- without a display ------------------------------------------------------
# run NAME STATUS OPTION...: runs the program without a display; fails unless
# it ends with STATUS; its output in $WORK/NAME.out, its errors in NAME.err.
run() {
    local name=$1 want=$2 status
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$APP" "$@" \
        >"$WORK/$name.out" 2>"$WORK/$name.err"
    status=$?
    [ "$status" -eq "$want" ] || { cat "$WORK/$name.err" >&2; fail "$name: status $status, not $want"; }
    sanitizer_clean "$WORK/$name.err" || { cat "$WORK/$name.err" >&2; fail "$name: the sanitizers reported a fault"; }
}

run help 0 --help
grep -q -- '--exercise <name>' "$WORK/help.out" || fail "the help does not name --exercise"
run version 0 --version
grep -qx 'Gonioma [0-9.]*' "$WORK/version.out" || fail "the version reads '$(cat "$WORK/version.out")'"
say "--help and --version print with status 0 without a display"

# refused NAME MENTION OPTION...: status 2, nothing on the output, one line on
# the error output naming MENTION.
refused() {
    local name=$1 mention=$2
    shift 2
    run "$name" 2 "$@"
    [ ! -s "$WORK/$name.out" ] || fail "$name: the refusal wrote on the output"
    [ "$(wc -l <"$WORK/$name.err")" -eq 1 ] || fail "$name: the refusal is not one line: $(cat "$WORK/$name.err")"
    grep -qF -- "$mention" "$WORK/$name.err" || fail "$name: the refusal does not name '$mention'"
}
refused unknown_option "--windowed" --levels 3
refused unknown_exercise "frmRuota4" --exercise frmRuota99
refused unknown_language "Italiano" --language Klingon
refused missing_value "--exercise" --no-splash --exercise
refused unknown_level "default, tens, upright, round" --level hard
! compgen -G "$TMPDIR/gonioma-*.lock" >/dev/null && ! compgen -G "$XDG_RUNTIME_DIR/gonioma-*.lock" >/dev/null \
    || fail "a refused command line took the single-instance lock"
say "refused command lines end with status 2 and one line, without a display or a lock"

printf 'segreto\n' | env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$APP" --hash-password \
    >"$WORK/hash.out" 2>"$WORK/hash.err" || fail "--hash-password failed: $(cat "$WORK/hash.err")"
grep -qx 'TeacherPasswordHash=\$argon2id\$.*' "$WORK/hash.out" || fail "--hash-password printed '$(cat "$WORK/hash.out")'"
say "--hash-password prints the line for the school settings"

# ---- on a display -----------------------------------------------------------
x_start 1280x1024
WAIT=40
SPLASH=$(window_title "$WORK/app" FormAvvio)
EXERCISE=$(window_title "$WORK/app" frmRuota4)
[ -n "$SPLASH" ] && [ -n "$EXERCISE" ] || fail "texts missing from the language file"

# Without options the run begins with the splash alone, as it always has.
start_program plain
wait_for 1 "$SPLASH" "$WAIT" "$STARTED"
[ "$(count_titled "$EXERCISE")" -eq 0 ] || fail "an exercise was opened without being asked for"
kill -TERM "$STARTED" && wait "$STARTED" 2>/dev/null
wait_for 0 "$SPLASH" 10 0
say "without options the splash comes first"

start_program straight --exercise frmRuota4 --no-splash
wait_for 1 "$EXERCISE" "$WAIT" "$STARTED"
[ "$(count_titled "$SPLASH")" -eq 0 ] || fail "the splash was shown despite --no-splash"
kill -TERM "$STARTED" && wait "$STARTED" 2>/dev/null
wait_for 0 "$EXERCISE" 10 0
say "--exercise frmRuota4 --no-splash opens that exercise alone"

# Locked, the exercise comes straight, without the splash.
start_program locked --locked --exercise frmRuota4
wait_for 1 "$EXERCISE" "$WAIT" "$STARTED"
[ "$(count_titled "$SPLASH")" -eq 0 ] || fail "the splash was shown in locked mode with --exercise"
kill -TERM "$STARTED" && wait "$STARTED" 2>/dev/null
wait_for 0 "$EXERCISE" 10 0
say "--locked --exercise frmRuota4 opens that exercise straight away"

SETTINGS=$(cat "$WORK/app/LangSetting.ini")
ENGLISH_MENU=$(ini_value "$WORK/app/English.lng" FormMenu FormMenu.Caption)
[ -n "$ENGLISH_MENU" ] || fail "the English file names no menu"
start_program english --language English --no-splash --windowed
wait_for 1 "$ENGLISH_MENU" "$WAIT" "$STARTED"
[ "$(cat "$WORK/app/LangSetting.ini")" = "$SETTINGS" ] || fail "--language changed LangSetting.ini"
size=$(xwininfo -id "$(windows_titled "$ENGLISH_MENU" | head -n 1)" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 600x420 ] || fail "the windowed menu is $size, not 600x420"
kill -TERM "$STARTED" && wait "$STARTED" 2>/dev/null
say "--language English --windowed shows the English menu at 600x420, the settings as they were"
say "passed"
