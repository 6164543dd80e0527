#!/usr/bin/env bash
# The Windows installer under Wine: installed for the player alone with a Start-menu entry, the
# installed game keeps its record in %APPDATA%\K.Z.V, and uninstalling removes the game and its
# entry but leaves the record. The portable zip holds the program, its library, data and texts.
#
#   installer.sh PACKAGE_DIR VERSION WORK_DIR
# Exit 0: passed; 77: a tool is missing (skip); anything else: failed.
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

packages=$1
version=$2
work=$3
for tool in Xvfb xdotool wine unzip; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
fail() {
  echo "FAIL: $*"
  exit 1
}
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR
xvfb_pid=
game_pid=
trap stop_game_and_xvfb EXIT

zip=$packages/K.Z.V-$version-win64.zip
setup=$packages/K.Z.V-$version-setup.exe
[[ -s $zip && -s $setup ]] || fail "the packages are not made: $zip $setup"
listed=$(unzip -Z1 "$zip")
for f in kzv.exe Stools.dll README.txt LICENSE.txt data/title.mcg data/map.dat data/bgm.mid data/opr20.wav; do
  grep -qx "K.Z.V-$version-win64/$f" <<<"$listed" || fail "the zip lacks $f"
done
grep -q installed <<<"$listed" && fail "the portable zip must not be marked as installed"

rm -rf "$work"
mkdir -p "$work"
start_xvfb 141 190 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
# A prefix of its own: the player's folders start empty.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || fail "wineboot could not make $WINEPREFIX"
user=$WINEPREFIX/drive_c/users/$(id -un)
program=$user/AppData/Local/Programs/K.Z.V
entry="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/K.Z.V.lnk"
record=$user/AppData/Roaming/K.Z.V/save.dat

wine "$setup" /S || fail "the installer failed"
wineserver -w
[[ -f $program/kzv.exe && -f $program/data/title.mcg && -f $program/uninstall.exe ]] || fail "not installed in $program"
[[ -f $entry ]] || fail "no Start-menu entry"

(cd "$work" && exec wine "$program/kzv.exe" >"$work/kzv.log" 2>&1) &
game_pid=$!
find_main_window "$game_pid" || fail "the installed game showed no window: $(cat "$work/kzv.log")"
quit_with_escape || fail "Escape did not end the installed game"
[[ -s $record ]] || fail "the installed game kept no record in %APPDATA%\\K.Z.V"
[[ ! -e $program/save.dat ]] || fail "the installed game wrote into its own folder"

wine "$program/uninstall.exe" /S || fail "the uninstaller failed"
wineserver -w
for _ in $(seq 50); do
  [[ -e $program ]] || break
  sleep 0.2
done
[[ ! -e $program ]] || fail "the uninstaller left $(ls "$program")"
[[ ! -e $entry ]] || fail "the uninstaller left the Start-menu entry"
[[ -s $record ]] || fail "the uninstaller took the record"
echo "PASS"
