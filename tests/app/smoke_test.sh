#!/usr/bin/env bash
# End-to-end smoke test of the real program under a virtual display, with a silent PulseAudio
# output: a demonstration installation, a pupil signs in by keyboard and starts level 1, whose
# time-out is set to ten seconds; the run must land in the results file as a time-out, and the
# screenshots are kept in $ZANFOLIO_SCREENSHOT_DIR/program-smoke (without it, in the work
# folder). Every step waits for the screen it needs, within a time limit. The display is larger than the forms' 1024 × 768 and has no
# window manager: the program must fill it by itself. Exit 77 (skipped) when Xvfb or xdotool
# is missing.
set -euo pipefail
program=$1 demo_install=$2 data_tool=$3
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "skipped: Xvfb or xdotool is not installed"; exit 77; }

work=$(mktemp -d /tmp/zanfolio-smoke.XXXXXX)
shots=${ZANFOLIO_SCREENSHOT_DIR:+$ZANFOLIO_SCREENSHOT_DIR/program-smoke}
shots=${shots:-$work/screens}
mkdir -p "$shots"
probe=$work/probe.png
# shellcheck source=../../scripts/headless
. "$(dirname "$0")/../../scripts/headless"
# shellcheck source=screenwait.sh
. "$(dirname "$0")/screenwait.sh"
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
  wait "$program_pid" 2>/dev/null || true
  headless_stop
}
trap cleanup EXIT

"$demo_install" "$work/demo"
cp "$program" "$work/demo/calc/zanfolio"
# Level 1: minimum line 2 s, so the run times out after 10 s.
sed -i '2s/^40,60,/40,2,/' "$work/demo/data/calc/タイム回数データ.txt"
before=$("$data_tool" --program-dir "$work/demo/calc" dump | wc -l)

# A display of its own (no window manager) and a silent PulseAudio output.
headless_start
import -window root "$shots/0-empty.png" || true

unset QT_QPA_PLATFORM
# A sanitizer build: libxkbcommon-x11 hands strndup a string that is not terminated within
# its buffer, which the strndup interceptor reports inside the system library; leaks of the
# X libraries at exit are theirs too.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_strndup=0:detect_leaks=0"
"$work/demo/calc/zanfolio" >"$work/program.log" 2>&1 &
program_pid=$!
failed() { echo "$1"; cat "$work/program.log"; exit 1; }
# The bars beside the design take the season's colour with the screen after the start-up's
# loads: the roster form.
roster_up() {
  screen_now "$probe" && [ "$(pixel "$probe" 640 1015)" != "$(pixel "$shots/0-empty.png" 640 1015)" ]
}
wait_until 60 roster_up || failed "the roster form did not come up"
screen_now "$shots/1-roster.png" || true
xdotool key --delay 150 Down Return
wait_until 30 screen_other_than "$shots/1-roster.png" "$probe" || failed "the menu did not come up"
screen_now "$shots/2-menu.png" || true
xdotool type --delay 150 1
wait_until 30 screen_other_than "$shots/2-menu.png" "$probe" || failed "the drill did not start"
screen_now "$shots/3-drill.png" || true
# The run times out after ten seconds, is recorded, and the evaluation follows.
recorded() { (($("$data_tool" --program-dir "$work/demo/calc" dump | wc -l) > before)); }
wait_until 60 recorded || failed "no new record"
wait_until 30 screen_other_than "$shots/3-drill.png" "$probe" || failed "no evaluation screen"
screen_now "$shots/4-evaluation.png" || true

after=$("$data_tool" --program-dir "$work/demo/calc" dump | wc -l)
last=$("$data_tool" --program-dir "$work/demo/calc" dump | tail -1)
echo "records before: $((before - 1)), after: $((after - 1)); last: $last; screenshots: $shots"
[ "$after" -eq $((before + 1)) ] || { echo "no new record"; cat "$work/program.log"; exit 1; }
[[ "$last" == *,1,1,99999,00123 ]] || { echo "unexpected record: $last"; exit 1; }
for f in 1-roster 2-menu 3-drill 4-evaluation; do [ -s "$shots/$f.png" ] || { echo "missing $f.png"; exit 1; }; done
# The right edge (inside the design, scaled by 1.25) and the bar below it are the program's.
for at in "1275 500" "640 1015"; do
  set -- $at
  [ "$(pixel "$shots/1-roster.png" "$1" "$2")" != "$(pixel "$shots/0-empty.png" "$1" "$2")" ] ||
    { echo "the window does not fill the screen at $1,$2"; exit 1; }
done
rm -rf "$work/demo"
