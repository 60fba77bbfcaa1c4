#!/usr/bin/env bash
# The program ends at once whatever its sounds: with the wrong-answer sound cut
# to 10 bytes, the folder of sounds missing, the sound helper missing, the
# helper's sound library (Qt Multimedia) unloadable so that the helper ends
# before it reports, or the sound helper killed while the pupil answers, a
# pupil answers a few questions (right and wrong), leaves the exercise and ends
# the program with "Esci" and Yes; the process must be gone within 2 seconds,
# with status 0 and no sanitizer report. Without a usable helper the program
# says once that sounds are off, and nothing else but the system's own word on
# the library; a killed helper is started again at the next sound.
#
# Usage: damaged_sound.sh path/to/gonioma [truncated|missing|helper|library|killed]
BIN=${1:-}
DAMAGE=${2:-truncated}
TEST_NAME="e2e_sound_$DAMAGE"
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma [truncated|missing|helper|library|killed]" >&2; exit 2; }
. "$(dirname "$0")/xsession.sh"

copy_program "$BIN" "$WORK/app"
case "$DAMAGE" in
truncated) head -c 10 "$WORK/app/suoni/no.wav" >"$WORK/no.wav" && mv "$WORK/no.wav" "$WORK/app/suoni/no.wav" \
    && WHAT="the wrong-answer sound cut short" ;;
missing) rm -r "$WORK/app/suoni" && WHAT="the sounds missing" ;;
helper) rm "$WORK/app/$SOUND_HELPER" && WHAT="the sound helper missing" ;;
library)
    # An empty file by the name of the helper's Qt Multimedia library, found
    # first on the library path: the system cannot load the helper. The
    # program itself does not need that library and starts as usual.
    SOUND_LIBRARY=$(readelf -d "$WORK/app/$SOUND_HELPER" | sed -n 's/.*(NEEDED).*\[\(libQt6Multimedia\.[^]]*\)\]/\1/p')
    [ -n "$SOUND_LIBRARY" ] || fail "the sound helper does not link Qt Multimedia"
    mkdir "$WORK/lib" && : >"$WORK/lib/$SOUND_LIBRARY" && SHADOW_LIBS="$WORK/lib" \
        && WHAT="the sound helper's library unloadable" ;;
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

if [ -n "${SHADOW_LIBS:-}" ]; then
    LD_LIBRARY_PATH="$SHADOW_LIBS" start_program run
else
    start_program run
fi
RUN=$STARTED
wait_for 1 "$SPLASH" "$WAIT" "$RUN"
click_at 0.5 0.842 # "Avvio"
wait_for 1 "$MENU" "$WAIT" "$RUN"
# "acuto - retto - ottuso - piatto", the fourth exercise of the menu, from the
# keyboard: the first one has the focus, and its place depends on how many
# exercises the menu holds.
xdotool key Tab Tab Tab space
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
if [ "$DAMAGE" = killed ] && [ "$AUDIO" = device ]; then
    [ "${HELPERS_SEEN[0]}" != "${HELPERS_SEEN[1]}" ] || fail "the killed sound helper was not started again"
fi
HELPER_LINE="Gonioma: the sound helper could not be used ($WORK/app/$SOUND_HELPER could not be started), so sounds are off."
if [ "$DAMAGE" = helper ]; then
    [ "$(grep -cxF "$HELPER_LINE" "$WORK/run.log")" -eq 1 ] \
        || fail "the program did not say once that it could not start its sound helper"
    NOISE=$(grep -vxF "$HELPER_LINE" "$WORK/run.log")
    [ -z "$NOISE" ] || fail "the program printed more than the line about its sound helper: $NOISE"
elif [ "$DAMAGE" = library ]; then
    ENDED_LINE="Gonioma: the sound helper could not be used ($WORK/app/$SOUND_HELPER ended before it reported), so sounds are off."
    [ "$(grep -cxF "$ENDED_LINE" "$WORK/run.log")" -eq 1 ] \
        || fail "the program did not say once that its sound helper ended before it reported"
    # The system's loader says why the helper could not run.
    NOISE=$(grep -vxF "$ENDED_LINE" "$WORK/run.log" | grep -vF "$SOUND_HELPER: error while loading shared libraries: $WORK/lib/$SOUND_LIBRARY")
    [ -z "$NOISE" ] || fail "the program printed more than the line about its sound helper: $NOISE"
elif [ "$AUDIO" = device ] && grep -q 'sounds are off' "$WORK/run.log"; then
    fail "the program turned its sounds off beside the sound server: $(grep 'sounds are off' "$WORK/run.log")"
fi
[ "$ENDED_STATUS" -eq 0 ] || fail "the program ended with status $ENDED_STATUS"
sanitizer_clean "$WORK/run.log" || fail "the sanitizers reported a fault"
say "the program ended ${ENDED_AFTER}s after Esci and Yes"
say "passed"
