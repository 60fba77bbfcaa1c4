#!/usr/bin/env bash
# A pupil's answers, from the real program under Xvfb to the teacher's CSV:
# with a class list in the school settings, "Avvio" shows the names; the pupil
# picks one with the keyboard, answers in the exercise the run opens, and
# `gonioma --export-results` then shows those answers under that name, which
# `gonioma --forget-pupil` erases again.
#
# Usage: pupil_results.sh path/to/gonioma
TEST_NAME=e2e_pupil_results

BIN=${1:-}
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma" >&2; exit 2; }
BIN=$(cd "$(dirname "$BIN")" && pwd)/$(basename "$BIN")
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/xsession.sh"

APP=$BIN
LNG="$(dirname "$BIN")/English.lng"
[ -f "$LNG" ] || fail "no English.lng beside the program"
SPLASH_TITLE=$(ini_value "$LNG" FormAvvio FormAvvio.Caption)
[ -n "$SPLASH_TITLE" ] || SPLASH_TITLE=Gonioma
NAMES_TITLE=$(ini_value "$LNG" FormAlunni FormAlunni.Caption)
EXERCISE_TITLE=$(ini_value "$LNG" frmRuota1 frmRuota1.Caption)
[ -n "$NAMES_TITLE" ] && [ -n "$EXERCISE_TITLE" ] || fail "the window titles are missing from $LNG"

# The school settings and the account's folders of this run alone.
mkdir -p "$WORK/school"
printf 'Zo\xc3\xab\r\nLuca\r\n' >"$WORK/school/class.txt"
printf '[Program]\nPupils=class.txt\n' >"$WORK/school/gonioma.conf"
# (xsession.sh points GONIOMA_CONFIG, XDG_DATA_HOME and XDG_CONFIG_HOME into $WORK.)

x_start 1024x768
xdotool mousemove 0 0 >/dev/null 2>&1 || true
WAIT=40

start_program pupil --exercise frmRuota1 --language English
PUPIL=$STARTED
wait_for 1 "$SPLASH_TITLE" "$WAIT" "$PUPIL"
sleep 0.5
xdotool key Return # "Avvio" has the focus
wait_for 1 "$NAMES_TITLE" "$WAIT" "$PUPIL"
say "Avvio shows the class list's names"
sleep 0.5
xdotool key Return # the first name, Zoë, has the focus
wait_for 1 "$EXERCISE_TITLE" "$WAIT" "$PUPIL"
say "the name picked, the exercise opens"
sleep 1
# Digits press the four answers in order: until the right one, each is judged.
for key in 1 2 3 4; do
    xdotool key "$key"
    sleep 0.3
done
sleep 0.5
kill -TERM "$PUPIL"
wait "$PUPIL" 2>/dev/null
sanitizer_clean "$WORK/pupil.log" || fail "the sanitizers reported a fault"

"$APP" --export-results "$WORK/answers.csv" >"$WORK/export.log" 2>&1 || fail "--export-results failed: $(cat "$WORK/export.log")"
head -1 "$WORK/answers.csv" | grep -q '^id,answered_at_utc,pupil,exercise,question,answer,right,attempt' \
    || fail "the CSV has no header row"
ROWS=$(grep -c ',Zoë,frmRuota1,' "$WORK/answers.csv")
[ "$ROWS" -ge 1 ] || fail "the export shows no answer of Zoë: $(cat "$WORK/answers.csv")"
[ "$(($(wc -l <"$WORK/answers.csv") - 1))" -eq "$ROWS" ] || fail "the export holds answers of someone else"
grep ',Zoë,frmRuota1,' "$WORK/answers.csv" | grep -q ',English,' || fail "the answers do not name their language"
[ "$(grep -c ',1,[0-9]*,[0-9.]*,English,' "$WORK/answers.csv")" -le 1 ] || fail "more than one right answer to one question"
say "the export shows Zoë's $ROWS answers"

"$APP" --forget-pupil Zoë >"$WORK/forget.log" 2>&1 || fail "--forget-pupil failed: $(cat "$WORK/forget.log")"
"$APP" --export-results - >"$WORK/after.csv" 2>"$WORK/export2.log" || fail "the second export failed"
[ "$(wc -l <"$WORK/after.csv")" -eq 1 ] || fail "Zoë's answers are still there after --forget-pupil"
say "--forget-pupil erased them"
say "passed"
