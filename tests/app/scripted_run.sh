#!/bin/sh
# A person's first run of the real program on a real X server: start it, add
# files through the "Open File" dialog (a folder path, Enter, the quoted file
# names, Enter), "Convert All", wait for the outputs, quit. The outputs are
# checked with ffprobe. Runs inside run_isolated.sh, so HOME, the settings and
# TMPDIR are the test's own; the power choice stays "None" (never opened).
#
# usage: scripted_run.sh <Morvayne> <closewindow>
# MORVAYNE_SCREENSHOT_DIR, when set, receives a picture of every stage.
set -eu

app=$1
closer=$2

if [ -z "${MORVAYNE_IN_XVFB:-}" ]; then
  exec env MORVAYNE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1400x900x24 -nolisten tcp" sh "$0" "$@"
fi

: "${MORVAYNE_TEST_ROOT:?run through run_isolated.sh}"
case "$HOME" in "$MORVAYNE_TEST_ROOT"/*) ;; *) echo "HOME is not isolated"; exit 2 ;; esac

step() { echo "== $*"; }
fail() {
  echo "FAIL: $*"
  if [ -n "${pid:-}" ]; then
    tail -n 20 "$MORVAYNE_TEST_ROOT/app.log"
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      echo "visible window $w: $(xdotool getwindowname "$w" 2>&1)"
    done
    shot failed
    kill "$pid" 2>/dev/null
  fi
  exit 1
}

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
  limit=$1; shift
  i=0
  while ! "$@" >/dev/null 2>&1; do
    i=$((i + 1))
    [ "$i" -le "$((limit * 2))" ] || return 1
    sleep 0.5
  done
}

shot() {
  [ -n "${MORVAYNE_SCREENSHOT_DIR:-}" ] || return 0
  ffmpeg -loglevel error -y -f x11grab -video_size 1400x900 -i "$DISPLAY" -frames:v 1 \
    "$MORVAYNE_SCREENSHOT_DIR/xvfb-$1.png" || true
}

media="$MORVAYNE_TEST_ROOT/media"
out="$HOME/Documents/Quillfen/Morvayne"
mkdir -p "$media"
step "making clips"
# Camera and phone names: upper-case suffixes the dialog must still offer.
ffmpeg -loglevel error -y -f lavfi -i testsrc=size=160x120:rate=10:duration=1 -f lavfi -i sine=duration=1 \
  -pix_fmt yuv420p -shortest "$media/IMG_0001.MOV"
ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=160x120:rate=10:duration=1 -pix_fmt yuv420p \
  "$media/GX010001.MP4"
ffmpeg -loglevel error -y -f lavfi -i sine=duration=1 "$media/tone.mp3"
echo "not media" > "$media/notes.txt"

step "starting the program"
# In the sanitizer build the X11 stack beneath Qt (D-Bus among it) leaks at
# exit; our own leaks are the business of the offscreen tests.
QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  "$app" > "$MORVAYNE_TEST_ROOT/app.log" 2>&1 &
pid=$!
wait_for 60 xdotool search --onlyvisible --name '^Quillfen Morvayne$' || fail "no main window"
win=$(xdotool search --onlyvisible --name '^Quillfen Morvayne$' | head -n 1)
sleep 1
shot empty

step "adding files through the Open File dialog"
# The header's "+ Add Video" button.
xdotool mousemove --window "$win" 80 47 click 1
wait_for 30 xdotool search --onlyvisible --name '^Open File$' || fail "no Open File dialog"
dialog=$(xdotool search --onlyvisible --name '^Open File$' | head -n 1)
xdotool windowfocus --sync "$dialog"
xdotool type --delay 15 "$media"
xdotool key Return
sleep 1
shot dialog
xdotool type --delay 15 '"IMG_0001.MOV" "GX010001.MP4" "tone.mp3"'
xdotool key Return
gone() { ! xdotool search --onlyvisible --name '^Open File$'; }
wait_for 30 gone || fail "the dialog stayed open"

# Every press converts what is listed by then; a press while converting, or
# on the empty page, does nothing. So press until every output is whole.
step "converting"
whole() {
  for f in IMG_0001.mp4 GX010001.mp4 tone.mp3; do
    ffprobe -loglevel error -show_entries format=duration -of csv=p=0 "$out/$f" > /dev/null || return 1
  done
}
i=0
until whole; do
  i=$((i + 1))
  [ "$i" -le 90 ] || fail "outputs missing: $(ls "$out" 2>&1 | tr '\n' ' ')"
  kill -0 "$pid" 2>/dev/null || fail "the program ended"
  # "Convert All" in the bottom bar.
  xdotool mousemove --window "$win" 1045 640 click 1
  sleep 2
done
sleep 1
shot converted

step "quitting"
# Ended, or a zombie waiting for this script to collect it.
ended() { [ ! -e "/proc/$pid" ] || grep -q '^[0-9]* ([^)]*) Z' "/proc/$pid/stat"; }
# On a loaded machine a request now and then goes unanswered; a person
# would click the close button again.
asked=0
until ended; do
  asked=$((asked + 1))
  [ "$asked" -le 6 ] || fail "the program did not quit"
  "$closer" "$win" || fail "could not ask the window to close"
  wait_for 5 ended || true
done
echo "closed after $asked request(s)"
rc=0
wait "$pid" || rc=$?
pid=
[ "$rc" -eq 0 ] || fail "the program exited with $rc"

step "checking the outputs"
for f in IMG_0001 GX010001; do
  streams=$(ffprobe -loglevel error -show_entries stream=codec_type,width,height -of csv=p=0 "$out/$f.mp4" | sort | tr '\n' ' ')
  case "$f:$streams" in
    IMG_0001:"audio video,160,120 "|GX010001:"video,160,120 ") ;;
    *) fail "$f.mp4 has streams '$streams'" ;;
  esac
done
# A file without pictures stays audio.
streams=$(ffprobe -loglevel error -show_entries stream=codec_type -of csv=p=0 "$out/tone.mp3" | tr '\n' ' ')
[ "$streams" = "audio " ] || fail "tone.mp3 has streams '$streams'"
[ ! -e "$out/notes.mp4" ] || fail "a text file was converted"
ls "$out"
