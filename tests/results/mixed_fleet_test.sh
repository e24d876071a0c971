#!/usr/bin/env bash
# A mixed fleet on one data folder: Linux and Windows computers append to the same results file
# at the same time. Four Linux writers (the Linux zanfolio-data append, one process a record,
# pupils 101..104, level 2) and four Windows writers under wine (results_concurrency_test.exe
# --child append, pupils 1..4, level 1), 200 records each. The Linux side locks with
# F_OFD_SETLK; wine's server turns each LockFileEx into a POSIX fcntl lock on the same bytes,
# and the two kinds exclude each other, so nothing may be lost, doubled or torn. The test also
# counts how often the file switches between the two sides, to show that they did overlap.
# A CTest test of the windows preset: the wine prefix, its locale and the display come with
# the emulator (cmake/wine-run).
#
#   mixed_fleet_test.sh CONCURRENCY_TEST_EXE LINUX_TOOLS_BUILD WINE_RUN
set -euo pipefail
writer_exe=$1 tools=$2 wine_run=$3
# A Unix path as the Windows programs see it (drive Z: is the root).
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }

writers=4
runs=200
work=$(mktemp -d /tmp/zanfolio-fleet.XXXXXX)
"$tools/src/tools/zanfolio-demo-install" "$work/demo" >/dev/null
results=$work/demo/data/calc/成績累積データ.dat
: >"$results"
linux() { "$tools/src/tools/zanfolio-data" --program-dir "$work/demo/calc" "$@"; }
fail() { echo "fleet: FAIL: $*"; exit 1; }

pids=()
t0=$SECONDS
for ((w = 1; w <= writers; w++)); do
  # A pause of 15 ms between appends keeps the Windows writers going as long as the Linux ones.
  "$wine_run" "$writer_exe" --child append \
    "$(windows_path "$results")" "$w" "$runs" 15 &
  pids+=($!)
done
for ((w = 1; w <= writers; w++)); do
  (
    failures=0
    for ((i = 1; i <= runs; i++)); do
      linux append --pupil $((100 + w)) --level 2 --seconds "$i" >/dev/null || failures=$((failures + 1))
    done
    exit $((failures > 0))
  ) &
  pids+=($!)
done
bad=0
for p in "${pids[@]}"; do wait "$p" || bad=$((bad + 1)); done
elapsed=$((SECONDS - t0))
((bad == 0)) || fail "$bad writer(s) reported failed appends"

size=$(stat -c %s "$results")
((size % 44 == 0)) || fail "a torn record: $size bytes"
linux check >/dev/null || fail "zanfolio-data check finds faults"
linux dump | tail -n +2 | awk -F, -v writers="$writers" -v runs="$runs" '
  { key = $4 "/" $6; if (seen[key]++) dup++
    side = ($4 > 100) ? "L" : "W"
    if ($4 > 100 && $5 != 2) bad++
    if ($4 <= 100 && $5 != 1) bad++
    if (side != last) switches++
    last = side; n[side]++ }
  END { printf "fleet: %d Linux and %d Windows records, %d duplicated, %d wrong, %d switches between the sides\n",
               n["L"], n["W"], dup, bad, switches
        exit !(n["L"] == writers * runs && n["W"] == writers * runs && dup == 0 && bad == 0 && switches >= 10) }' ||
  fail "records lost, doubled or mixed, or the sides did not overlap"
echo "fleet: $((2 * writers)) writers, $((size / 44)) records in $elapsed s"
rm -rf "$work"
