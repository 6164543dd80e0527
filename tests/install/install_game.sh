#!/usr/bin/env bash
# cmake --install into a temporary prefix, then the installed game as a player starts it: from
# the launcher on the PATH, its own folder not writable. The record must go to the player's
# data folder ($XDG_DATA_HOME/kzv) and nothing may be written beside the program.
#
#   install_game.sh BUILD_DIR WORK_DIR
# Exit 0: passed; 77: Xvfb or a tool is missing (skip); anything else: failed.
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

build=$1
work=$2
for tool in Xvfb xdotool iconv; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() {
  echo "FAIL: $*"
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
chmod 755 "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"

# Where Debian puts games: the program, its sound library and data/ in one folder, a launcher
# in games/, a menu entry and an icon.
game=$prefix/lib/games/kzv
for f in kzv Stools.dll data/map.dat data/title.mcg data/bgm.mid data/opr10.wav; do
  [[ -f $game/$f ]] || fail "not installed: lib/games/kzv/$f"
done
[[ -x $prefix/games/kzv ]] || fail "no launcher in games/"
grep -q "^Exec=kzv" "$prefix/share/applications/kzv.desktop" || fail "the menu entry does not start kzv"
[[ -f $prefix/share/icons/hicolor/32x32/apps/kzv.png ]] || fail "no icon"
[[ -e $game/save.dat ]] && fail "the installation brought a save.dat"

# The player: the program folder is not theirs. Root may write anywhere, so as root the game
# runs as nobody; anyone else gets a read-only copy.
home=$work/home
mkdir -p "$home"
run_as=()
if [[ $(id -u) == 0 ]]; then
  chown -R nobody "$home"
  run_as=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
else
  chmod -R a-w "$game"
fi

xvfb_pid=
game_pid=
cleanup() {
  stop_game_and_xvfb
  chmod -R u+w "$work" 2>/dev/null || true
}
trap cleanup EXIT

start_xvfb 191 240 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

env HOME="$home" XDG_DATA_HOME="$home/.local/share" PATH="$prefix/games:$PATH" \
  "${run_as[@]}" kzv >"$work/kzv.log" 2>&1 &
game_pid=$!

save=$home/.local/share/kzv/save.dat
second_line() { sed -n 2p "$save" 2>/dev/null | iconv -f CP932 -t UTF-8 2>/dev/null || true; }

# The first start writes the default record.
for _ in $(seq 150); do
  [[ $(second_line) == *$'\r' ]] && break
  kill -0 "$game_pid" 2>/dev/null || fail "kzv ended at start: $(cat "$work/kzv.log")"
  sleep 0.1
done
[[ $(second_line) == $'0,150000,"日向 澄香",1\r' ]] || fail "no default record in the data folder: $(second_line)"

find_main_window "$game_pid" || fail "the main window never appeared: $(cat "$work/kzv.log")"
sleep 1

# The sound switch on the title saves the record again, with the sound off.
xdotool mousemove --window "$window" 538 137 click 1
for _ in $(seq 50); do
  [[ $(second_line) == *',0'$'\r' ]] && break
  sleep 0.1
done
[[ $(second_line) == $'1,150000,"日向 澄香",0\r' ]] || fail "the sound switch was not saved: $(second_line)"

quit_with_escape || fail "Escape did not end the program"

leftover=$(find "$game" -newer "$work/install.log" -print | head -1)
[[ -z $leftover ]] || fail "written beside the installed program: $leftover"
echo "PASS"
