#!/usr/bin/env bash
# Start-up of the Windows program under wine beside the Linux program, on the same machine and
# the same school of 25 000 records (a demonstration installation whose weeks of runs are
# repeated back in time): from the start of the program to its roster form, and from Enter on
# a pupil of the roster form to the results menu. Both programs are optimised builds of the
# same sources (the Linux one built for the purpose in LINUX_TOOLS_BUILD).
#
#   startup_figures.sh WINDOWS_BUILD LINUX_TOOLS_BUILD WINE_RUN     (ctest --preset windows-startup)
#
# Each screen is recognised by a picture of it, taken after a first untimed run has settled on
# it; a timed run polls the display until it shows that picture again (within 1 % of the
# pixels, for the blinking caret). A figure is the median of STARTUP_RUNS runs (default 3); a
# poll takes about a tenth of a second, which bounds the resolution.
set -euo pipefail
winbuild=$1 tools=$2 wine_run=$3
runs=${STARTUP_RUNS:-3}
records=25000
if [[ -n ${ZANFOLIO_HEADLESS:-} ]]; then
  # shellcheck disable=SC1090 # written by scripts/headless --start
  . "$ZANFOLIO_HEADLESS"
fi
[[ -n ${DISPLAY:-} ]] || { echo "no DISPLAY"; exit 1; }
work=$(mktemp -d /tmp/zanfolio-startup.XXXXXX)
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }

cmake --build "$tools" --target zanfolio >/dev/null
cmake --install "$winbuild" --prefix "$work/windows/calc" --strip >/dev/null

# One school: the Linux installation's data folder, which the Windows one names by its Windows
# path. The demo's runs are copied back in time, block by block, to 25 000 records.
linux=$work/linux
"$tools/src/tools/zanfolio-demo-install" "$linux" >/dev/null
cp "$tools/zanfolio" "$linux/calc/zanfolio"
results=$linux/data/calc/成績累積データ.dat
perl -e '
  my ($file, $want) = @ARGV;
  open my $in, "<:raw", $file or die; local $/; my $demo = <$in>; close $in;
  my $n = length($demo) / 44;
  my ($first) = unpack "d<", $demo; my ($last) = unpack "d<", substr($demo, -44);
  my $span = int($last - $first) + 1;
  my $copies = int(($want + $n - 1) / $n);
  my $out = "";
  for (my $c = $copies - 1; $c >= 0; --$c) {
    for (my $i = 0; $i < $n; ++$i) {
      my $r = substr($demo, 44 * $i, 44);
      substr($r, 0, 8) = pack "d<", unpack("d<", $r) - $c * $span;
      $out .= $r;
    }
  }
  $out = substr($out, -44 * $want);
  open my $o, ">:raw", $file or die; print $o $out; close $o;' "$results" "$records"
(($(stat -c %s "$results") == records * 44)) || { echo "could not lay out $records records"; exit 1; }
mkdir -p "$work/windows"
printf '"%s\\"\r\n0,0,0,0,0,0,0,0,0\r\n' "$(windows_path "$linux/data")" >"$work/windows/パスデータ.txt"

now() { printf '%s' "$EPOCHREALTIME"; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
grab() { import -window root "$1" 2>/dev/null; }
# like PICTURE: fewer than 1 % of the pixels differ.
like() {
  local differ
  differ=$(compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1) || true
  differ=${differ%% *}
  [[ $differ =~ ^[0-9.e+]+$ ]] && awk -v d="$differ" 'BEGIN { exit !(d < 1280 * 1024 / 100) }'
}
# await PICTURE SINCE LIMIT: seconds from SINCE until the display shows PICTURE (the middle of
# the poll that saw it).
await() {
  local picture=$1 since=$2 limit=$3 before after
  while :; do
    before=$(now)
    grab "$work/poll.png"
    after=$(now)
    if like "$work/poll.png" "$picture"; then
      seconds "$since" "$(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.6f", (a + b) / 2 }')"
      return 0
    fi
    if awk -v a="$since" -v b="$after" -v l="$limit" 'BEGIN { exit !(b - a > l) }'; then
      echo "timeout"
      return 1
    fi
  done
}
focus() {
  local class=$1 window=
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --class "$class" 2>/dev/null | tail -1) || true
    [[ -n $window ]] && break
    sleep 0.25
  done
  [[ -n $window ]] && xdotool windowfocus --sync "$window" 2>/dev/null || true
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# figures NAME CLASS COMMAND...: the program's figures, printed as one line.
figures() {
  local name=$1 class=$2 start t up=() menu=()
  shift 2
  local roster_pic=$work/$name-roster.png menu_pic=$work/$name-menu.png
  # The untimed run: the pictures of the two screens.
  "$@" >"$work/$name.log" 2>&1 &
  program_pid=$!
  focus "$class"
  sleep 15
  grab "$roster_pic"
  xdotool key --delay 150 Down Down
  sleep 1
  xdotool key Return
  sleep 15
  grab "$menu_pic"
  kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null || true
  for ((run = 1; run <= runs; run++)); do
    sleep 2
    start=$(now)
    "$@" >"$work/$name.log" 2>&1 &
    program_pid=$!
    t=$(await "$roster_pic" "$start" 60) || { cat "$work/$name.log"; echo "$name: no roster form"; exit 1; }
    up+=("$t")
    focus "$class"
    xdotool key --delay 150 Down Down
    sleep 1
    start=$(now)
    xdotool key Return
    t=$(await "$menu_pic" "$start" 60) || { echo "$name: no menu"; exit 1; }
    menu+=("$t")
    kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null || true
    program_pid=
  done
  echo "$name $(median "${up[@]}") $(median "${menu[@]}") (runs: start-up ${up[*]}; roster to menu ${menu[*]})"
}

linux_line=$(figures linux zanfolio "$linux/calc/zanfolio")
windows_line=$(figures windows zanfolio.exe "$wine_run" "$work/windows/calc/zanfolio.exe")
read -r _ linux_up linux_menu _ <<<"$linux_line"
read -r _ windows_up windows_menu _ <<<"$windows_line"
ratio() { awk -v w="$1" -v l="$2" 'BEGIN { printf "%.1f", w / l }'; }
echo "startup: $records records, median of $runs runs, seconds"
echo "startup:                    start-up to the roster form   roster form to the menu"
printf 'startup: Linux              %28s %25s\n' "$linux_up" "$linux_menu"
printf 'startup: Windows under wine %28s %25s\n' "$windows_up" "$windows_menu"
printf 'startup: Windows / Linux    %27sx %24sx\n' "$(ratio "$windows_up" "$linux_up")" \
  "$(ratio "$windows_menu" "$linux_menu")"
echo "startup: ${linux_line#linux }"
echo "startup: ${windows_line#windows }"
