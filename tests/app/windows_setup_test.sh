#!/usr/bin/env bash
# The setup as a school's IT runs it on twenty computers, silently, under wine (a CTest test of
# the windows preset; the prefix, its locale and the display come with cmake/wine-run):
#  - `setup.exe /S` installs into C:\juku\calc, with the Start-menu entries and the uninstall
#    entry; `C:\juku\calc\uninstall.exe /S` removes them all again (it hands over to a copy of
#    itself and returns at once, so the test waits for the files to go);
#  - `setup.exe /S /D=C:\学校\calc` installs into the folder given (a Japanese name, as a
#    school's may be), and its uninstaller removes that folder's files alone.
#
#   windows_setup_test.sh SETUP_EXE WINE_RUN
set -euo pipefail
setup=$1 wine_run=$2
if [[ -n ${ZANFOLIO_HEADLESS:-} ]]; then
  # shellcheck disable=SC1090 # written by scripts/headless --start
  . "$ZANFOLIO_HEADLESS"
fi
prefix=${WINEPREFIX:-${ZANFOLIO_CACHE:-$HOME/.cache/zanfolio}/wine-prefix}
c=$prefix/drive_c
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zanfolio"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zanfolio'
fail() { echo "setup: FAIL: $*"; exit 1; }
# What a program folder must hold for the program to start on a computer without Qt.
files=(zanfolio.exe zanfolio-data.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll
       platforms/qwindows.dll styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll
       libwinpthread-1.dll qt.conf translations/qtbase_ja.qm uninstall.exe)

installed() {
  local folder=$1 f
  for f in "${files[@]}"; do [[ -f $folder/$f ]] || fail "no $f in $folder"; done
  [[ -f $menu/Zanfolio.lnk ]] || fail "no Start-menu entry"
  "$wine_run" reg query "$key" /v InstallLocation >"$work/reg" 2>&1 || fail "no uninstall entry"
}
# uninstalled FOLDER: waits for the uninstaller's copy to finish, then nothing may be left.
uninstalled() {
  local folder=$1
  for _ in $(seq 120); do
    [[ -e $folder/uninstall.exe || -e $menu ]] || break
    sleep 0.5
  done
  [[ ! -e $folder ]] || fail "left behind: $(cd "$folder" && find . | head -5 | tr '\n' ' ')"
  [[ ! -e $menu ]] || fail "the Start-menu entries are still there"
  if "$wine_run" reg query "$key" >/dev/null 2>&1; then fail "the uninstall entry is still there"; fi
}

work=$(mktemp -d /tmp/zanfolio-setup.XXXXXX)
trap 'rm -rf "$work"' EXIT
rm -rf "$c/juku" "$c/学校"

"$wine_run" "$setup" /S || fail "setup.exe /S failed"
installed "$c/juku/calc"
grep -qi 'C:\\juku\\calc' "$work/reg" || fail "the uninstall entry names $(cat "$work/reg")"
echo "setup: setup.exe /S installed $(find "$c/juku/calc" -type f | wc -l) files into C:\\juku\\calc"
"$wine_run" 'C:\juku\calc\uninstall.exe' /S || fail "uninstall.exe /S failed"
uninstalled "$c/juku/calc"
echo "setup: uninstall.exe /S removed C:\\juku\\calc, the Start-menu entries and the uninstall entry"

"$wine_run" "$setup" /S '/D=C:\学校\calc' || fail "setup.exe /S /D=C:\\学校\\calc failed"
installed "$c/学校/calc"
[[ ! -e $c/juku/calc ]] || fail "/D was not followed: C:\\juku\\calc exists"
touch "$c/学校/パスデータ.txt"
"$wine_run" 'C:\学校\calc\uninstall.exe' /S || fail "the uninstaller failed"
uninstalled "$c/学校/calc"
[[ -f $c/学校/パスデータ.txt ]] || fail "the folder above the program folder was touched"
rm -rf "$c/学校" "$c/juku"
echo "setup: setup.exe /S /D=C:\\学校\\calc installed there, and its uninstaller removed it"
