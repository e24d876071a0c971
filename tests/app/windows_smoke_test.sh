#!/usr/bin/env bash
# Smoke test of the Windows program under wine on a virtual display, a CTest test of the
# windows preset (the wine prefix, its locale, the display and a silent PulseAudio come with
# the emulator, cmake/wine-run, and the file ZANFOLIO_HEADLESS names):
#  - the Linux zanfolio-demo-install lays out the school's data folder; a "Windows classroom
#    computer" beside it holds パスデータ.txt naming the data folder by its Windows path (Z:\...)
#    and 起動\プログラムメニューc.exe (a stand-in exe that writes launcher.log); the setup
#    installs the program folder calc\ there, silently;
#  - the Windows zanfolio-data reads the same roster and records as the Linux one;
#  - zanfolio.exe starts on the roster form; a pupil signs in by keys, starts level 1 and
#    answers all ten problems (the answers follow from the program's seed); the evaluation
#    screen shows; the one new record, read back by the Linux zanfolio-data, is the run;
#  - "0" on the menu and on the roster form starts the launcher with "001" and ends the program
#    with exit code 0;
#  - the uninstaller removes the program folder's files and leaves パスデータ.txt, 起動\ and
#    the data folder alone.
# Screenshots go to $ZANFOLIO_SCREENSHOT_DIR/windows-smoke (without it, a folder in the work
# folder).
#
#   windows_smoke_test.sh SETUP_EXE WINDOWS_BUILD LINUX_TOOLS_BUILD WINE_RUN
set -euo pipefail
setup=$1 winbuild=$2 tools=$3 wine_run=$4
if [[ -n ${ZANFOLIO_HEADLESS:-} ]]; then
  # shellcheck disable=SC1090 # written by scripts/headless --start
  . "$ZANFOLIO_HEADLESS"
fi
[[ -n ${DISPLAY:-} ]] || { echo "no DISPLAY"; exit 1; }
# A Unix path as the Windows programs see it (drive Z: is the root).
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }

work=$(mktemp -d /tmp/zanfolio-winsmoke.XXXXXX)
shots=${ZANFOLIO_SCREENSHOT_DIR:+$ZANFOLIO_SCREENSHOT_DIR/windows-smoke}
shots=${shots:-$work/screens}
rm -rf "$shots" && mkdir -p "$shots"
data_tool=$tools/src/tools/zanfolio-data
program_pid=
cleanup() { [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null; return 0; }
trap cleanup EXIT
fail() { echo "smoke: FAIL: $*"; exit 1; }
shot() { import -window root "$shots/$1.png"; echo "smoke: screenshot $shots/$1.png"; }

"$tools/src/tools/zanfolio-demo-install" "$work/demo" >/dev/null
pc=$work/pc
mkdir -p "$pc/起動"
cp "$winbuild/tests/app/standin-launcher.exe" "$pc/起動/プログラムメニューc.exe"
printf '"%s\\"\r\n0,0,0,0,0,0,0,0,0\r\n' "$(windows_path "$work/demo/data")" >"$pc/パスデータ.txt"
cp "$pc/パスデータ.txt" "$work/path-file-before"
# /S: silent, /D: the folder (last, unquoted).
"$wine_run" "$setup" /S "/D=$(windows_path "$pc/calc")" || fail "the setup failed"
for f in zanfolio.exe zanfolio-data.exe Qt6Widgets.dll platforms/qwindows.dll \
  styles/qwindowsvistastyle.dll translations/qtbase_ja.qm qt.conf uninstall.exe; do
  [[ -f $pc/calc/$f ]] || fail "the setup did not install $f"
done
echo "smoke: the setup installed $(find "$pc/calc" -type f | wc -l) files into $(windows_path "$pc/calc")"

# The same data through both programs: code page 932 and the records read alike.
linux() { "$data_tool" --program-dir "$work/demo/calc" "$@"; }
windows() { "$wine_run" "$pc/calc/zanfolio-data.exe" --program-dir "$(windows_path "$pc/calc")" "$@"; }
for command in roster dump "runs --view all --pupil 14" "ranking --level 1 --kind total --pupil 14"; do
  # shellcheck disable=SC2086 # the command's words
  diff <(linux $command 2>&1) <(windows $command 2>&1 | tr -d '\r') >"$work/diff" ||
    { head -20 "$work/diff"; fail "zanfolio-data $command differs between Linux and Windows"; }
done
echo "smoke: zanfolio-data roster, dump, runs and ranking read the same on Linux and under wine"
# Exit codes come back through wine: a usage error is 2.
rc=0; windows append --pupil 0 >/dev/null 2>&1 || rc=$?
[[ $rc == 2 ]] || fail "zanfolio-data.exe usage error gave exit code $rc, not 2"

results=$work/demo/data/calc/成績累積データ.dat
cp "$results" "$work/before.dat"
seed=4242
mapfile -t answers < <("$tools/tests/app/zanfolio-drill-answers" "$seed" 1)
((${#answers[@]} == 10)) || fail "no answers for seed $seed"

ZANFOLIO_RANDOM_SEED=$seed "$wine_run" "$pc/calc/zanfolio.exe" >"$work/program.log" 2>&1 &
program_pid=$!
window=
for _ in $(seq 120); do
  window=$(xdotool search --onlyvisible --class 'zanfolio.exe' 2>/dev/null | tail -1) || true
  [[ -n $window ]] && break
  sleep 0.5
done
[[ -n $window ]] || { cat "$work/program.log"; fail "no window of zanfolio.exe"; }
sleep 4 # the splash, then the roster form
xdotool windowfocus --sync "$window" 2>/dev/null || true
shot 1-roster
key() { xdotool key --delay 150 "$@"; }

key Down Down Return # the second pupil of the list
sleep 3
shot 2-menu
key 1 # level 1
sleep 3
shot 3-drill
for ((i = 0; i < 10; i++)); do
  xdotool type --delay 120 "${answers[i]}"
  sleep 1.5 # the correct-answer sound plays to its end
  ((i == 4)) && shot 4-drill-half
done
sleep 5
shot 5-evaluation

# Exactly one record more, the old ones untouched; the new one is level 1 in a real time.
size_before=$(stat -c %s "$work/before.dat")
size_after=$(stat -c %s "$results")
((size_after == size_before + 44)) || fail "results file grew by $((size_after - size_before)) bytes, not 44"
cmp -n "$size_before" "$work/before.dat" "$results" || fail "the old records changed"
linux check >/dev/null || fail "zanfolio-data check finds faults"
last=$(linux dump | tail -1)
IFS=, read -r _ date time pupil level seconds school <<<"$last"
echo "smoke: new record: $last"
[[ $level == 1 && $school == 00123 ]] || fail "unexpected record: $last"
((seconds >= 5 && seconds < 99999)) || fail "the run was not completed: $last"
[[ $date == $(date +%Y/%m/%d) || $date == $(date +%F) ]] || echo "smoke: note: date $date"

# Back to the menu, to the roster form, and out to the school's program menu.
key Return # メニューへ (the focused button)
sleep 3
shot 6-menu-after-run
key 0
sleep 3
shot 7-roster-again
key 0
for _ in $(seq 40); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.5
done
rc=0
wait "$program_pid" || rc=$?
program_pid=
for _ in $(seq 20); do [[ -s $pc/起動/launcher.log ]] && break; sleep 0.5; done
[[ -s $pc/起動/launcher.log ]] || fail "the launcher was not started"
echo "smoke: launcher.log: $(cat "$pc/起動/launcher.log")"
grep -q 'started with: 001;' "$pc/起動/launcher.log" || fail "the launcher did not get 001"
[[ $rc == 0 ]] || fail "zanfolio.exe ended with exit code $rc"
echo "smoke: zanfolio.exe ended with exit code 0; pupil $pupil ran level 1 in $seconds s"

# _?=: the uninstaller runs in place and is waited for (it is left behind itself then).
cp "$results" "$work/results-before-uninstall"
"$wine_run" "$pc/calc/uninstall.exe" /S "_?=$(windows_path "$pc/calc")" || fail "the uninstaller failed"
left=$(cd "$pc/calc" && find . -type f ! -name uninstall.exe | wc -l)
((left == 0)) || fail "the uninstaller left $left files"
cmp -s "$pc/パスデータ.txt" "$work/path-file-before" || fail "パスデータ.txt changed"
[[ -f $pc/起動/プログラムメニューc.exe ]] || fail "起動 was touched"
cmp -s "$results" "$work/results-before-uninstall" || fail "the results file changed"
echo "smoke: the uninstaller removed the program's files and left パスデータ.txt, 起動 and the data"
rm -rf "$work"
