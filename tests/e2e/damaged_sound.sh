#!/usr/bin/env bash
# The program ends at once whatever its sounds: with the wrong-answer sound cut
# to 10 bytes, the folder of sounds missing, the sound module or the sound
# helper missing, or the sound helper killed while the pupil answers, a pupil
# answers a few questions (right and wrong), leaves the exercise and ends the
# program with "Esci" and Yes; the process must be gone within 2 seconds, with
# status 0 and no sanitizer report. Without its module or its helper the
# program says once that sounds are off, and nothing else; a killed helper is
# started again at the next sound.
#
# Usage: damaged_sound.sh path/to/gonioma [truncated|missing|module|helper|killed]
BIN=${1:-}
DAMAGE=${2:-truncated}
TEST_NAME="e2e_sound_$DAMAGE"
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma [truncated|missing|module|helper|killed]" >&2; exit 2; }
. "$(dirname "$0")/xsession.sh"

copy_program "$BIN" "$WORK/app"
case "$DAMAGE" in
truncated) head -c 10 "$WORK/app/suoni/no.wav" >"$WORK/no.wav" && mv "$WORK/no.wav" "$WORK/app/suoni/no.wav" \
    && WHAT="the wrong-answer sound cut short" ;;
missing) rm -r "$WORK/app/suoni" && WHAT="the sounds missing" ;;
module) rm "$WORK/app/$SOUND_MODULE" && WHAT="the sound module missing" ;;
helper) rm "$WORK/app/$SOUND_HELPER" && WHAT="the sound helper missing" ;;
killed) WHAT="the sound helper killed twice" ;;
*) fail "unknown damage '$DAMAGE'" ;;
esac
SPLASH=$(window_title "$WORK/app" FormAvvio)
MENU=$(window_title "$WORK/app" FormMenu)
EXERCISE=$(window_title "$WORK/app" frmRuota1)
[ -n "$SPLASH" ] && [ -n "$MENU" ] && [ -n "$EXERCISE" ] || fail "window titles missing from the language file"

x_start 1280x1024
if null_audio_start; then
    AUDIO=device
    say "sounds go to a null sound device"
else
    AUDIO=none
    say "no sound server installed (package pulseaudio): the program finds no device and its sound back end is not used"
fi
# Sanitizer builds start slowly: allow generous waits.
WAIT=40

start_program run
RUN=$STARTED
wait_for 1 "$SPLASH" "$WAIT" "$RUN"
click_at 0.5 0.842 # "Avvio"
wait_for 1 "$MENU" "$WAIT" "$RUN"
click_at 0.229 0.585 # "acuto - retto - ottuso - piatto"
wait_for 1 "$EXERCISE" "$WAIT" "$RUN"

# Three questions, each answered with all four buttons: "retto" first, which is
# seldom right, so nearly every question has a wrong answer before the right
# one (later buttons are locked once the answer is right).
HELPERS_SEEN=()
for question in 1 2 3; do
    sleep 1
    if [ "$DAMAGE" = killed ] && [ "$AUDIO" = device ] && [ "$question" -lt 3 ]; then
        helper=$(pgrep -P "$RUN" -x "$SOUND_HELPER") || fail "no sound helper runs beside the program"
        HELPERS_SEEN+=("$helper")
        kill -KILL "$helper"
        say "killed the sound helper ($helper) before question $question"
    fi
    for row in 0.234 0.434 0.134 0.334; do # retto, piatto, acuto, ottuso
        click_at 0.8275 "$row"
        sleep 0.3
    done
    click_at 0.8275 0.761 # "avanti"
done
say "answered three questions with $WHAT"

click_at 0.827 0.885 # "esci"
wait_for 1 "$QUESTION_TITLE" "$WAIT" "$RUN"
xdotool key Return # Yes
wait_for 1 "$MENU" "$WAIT" "$RUN"
click_at 0.762 0.895 # "Esci"
wait_for 1 "$QUESTION_TITLE" "$WAIT" "$RUN"
xdotool key Return # Yes
ends_within "$RUN" 2 || fail "the program was still running 2 s after Esci and Yes"
MODULE_LINE="Gonioma: the sound module could not be loaded (no file $WORK/app/$SOUND_MODULE), so sounds are off."
if [ "$DAMAGE" = killed ] && [ "$AUDIO" = device ]; then
    [ "${HELPERS_SEEN[0]}" != "${HELPERS_SEEN[1]}" ] || fail "the killed sound helper was not started again"
fi
HELPER_LINE="Gonioma: the sound helper could not be used ($WORK/app/$SOUND_HELPER could not be started), so sounds are off."
if [ "$DAMAGE" = helper ]; then
    [ "$(grep -cxF "$HELPER_LINE" "$WORK/run.log")" -eq 1 ] \
        || fail "the program did not say once that it could not start its sound helper"
    NOISE=$(grep -vxF "$HELPER_LINE" "$WORK/run.log")
    [ -z "$NOISE" ] || fail "the program printed more than the line about its sound helper: $NOISE"
elif [ "$DAMAGE" = module ]; then
    [ "$(grep -cxF "$MODULE_LINE" "$WORK/run.log")" -eq 1 ] \
        || fail "the program did not say once that it could not load its sound module"
    NOISE=$(grep -vxF "$MODULE_LINE" "$WORK/run.log")
    [ -z "$NOISE" ] || fail "the program printed more than the line about its sound module: $NOISE"
elif [ "$AUDIO" = device ] && grep -q 'sounds are off' "$WORK/run.log"; then
    fail "the program turned its sounds off beside the sound server: $(grep 'sounds are off' "$WORK/run.log")"
fi
[ "$ENDED_STATUS" -eq 0 ] || fail "the program ended with status $ENDED_STATUS"
sanitizer_clean "$WORK/run.log" || fail "the sanitizers reported a fault"
say "the program ended ${ENDED_AFTER}s after Esci and Yes"
say "passed"
