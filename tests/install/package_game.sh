#!/usr/bin/env bash
# The Debian package as a player gets it: cpack builds it from the build folder, its control
# fields and files are checked, lintian must find no error, and the game unpacked from it is
# started from its launcher. Its folder is writable here (as root, or as the user who unpacked
# it), yet the record must go to the player's data folder ($XDG_DATA_HOME/kzv) and nothing may be
# written beside the program.
#
#   package_game.sh BUILD_DIR WORK_DIR
# Exit 0: passed; 77: Xvfb or a tool is missing (skip); anything else: failed.
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

build=$1
work=$2
for tool in cpack dpkg-deb dpkg-shlibdeps Xvfb xdotool iconv identify; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() {
  echo "FAIL: $*"
  exit 1
}

rm -rf "$work"
mkdir -p "$work/pkg"
(cd "$work/pkg" && cpack -G DEB --config "$build/CPackConfig.cmake") >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/pkg/*.deb)
((${#debs[@]} == 1)) || fail "cpack made ${#debs[@]} packages"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(basename "$deb") == "kzv_$(field Version)_amd64.deb" ]] || fail "package named $(basename "$deb")"
[[ $(field Package) == kzv && $(field Architecture) == amd64 && $(field Section) == games ]] ||
  fail "control fields: $(dpkg-deb -f "$deb")"
# What the game needs at run time: the libraries it and Stools.dll link, the SoundFont for the
# music and the Japanese fonts, which it only finds at run time.
depends=$(field Depends)
for p in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libfluidsynth3 \
  libfontconfig1 timgm6mb-soundfont fonts-ipafont-gothic fonts-ipafont-mincho; do
  [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "does not depend on $p: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[[ -z $outside ]] || fail "files outside /usr: $outside"
game=$root/usr/lib/games/kzv
for f in kzv Stools.dll installed data/map.dat data/title.mcg data/page5.mcg data/bgm.mid data/opr20.wav \
  data/se17.wav; do
  [[ -f $game/$f ]] || fail "not in the package: /usr/lib/games/kzv/$f"
done
[[ -e $game/save.dat ]] && fail "the package brings a save.dat"
share=$root/usr/share
for f in applications/kzv.desktop metainfo/kzv.metainfo.xml man/man6/kzv.6.gz doc/kzv/copyright \
  doc/kzv/changelog.gz; do
  [[ -f $share/$f ]] || fail "not in the package: /usr/share/$f"
done
[[ -x $root/usr/games/kzv ]] || fail "no launcher in /usr/games"
grep -qx "Exec=kzv" "$share/applications/kzv.desktop" || fail "the menu entry does not start kzv"
grep -qx "Icon=kzv" "$share/applications/kzv.desktop" || fail "the menu entry names no icon kzv"
for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/kzv.png
  [[ -f $icon ]] || fail "no ${size}x${size} icon"
  [[ $(identify -format '%wx%h' "$icon") == "${size}x${size}" ]] || fail "the ${size}x${size} icon is $(identify "$icon")"
done
zcat "$share/man/man6/kzv.6.gz" | grep -q '^\.TH KZV 6' || fail "kzv.6.gz is no manual page of section 6"
if command -v appstream-util >/dev/null; then
  appstream-util validate-relax "$share/metainfo/kzv.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    fail "appstream-util: $(cat "$work/appstream.log")"
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
fi

# The player starts the unpacked game from its launcher.
home=$work/home
mkdir -p "$home"
xvfb_pid=
game_pid=
trap stop_game_and_xvfb EXIT

start_xvfb 191 240 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

env HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_PICTURES_DIR="$work/pictures" \
  PATH="$root/usr/games:$PATH" kzv >"$work/kzv.log" 2>&1 &
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

# F12 saves the frame in the pictures folder and says where; the title does not see the key.
xdotool key --window "$window" F12
for _ in $(seq 50); do
  grep -q "screenshot saved to" "$work/kzv.log" && break
  sleep 0.1
done
shots=("$work"/pictures/kzv-*.png)
[[ -f ${shots[0]} ]] || fail "F12 saved no screenshot: $(cat "$work/kzv.log")"
grep -qF "screenshot saved to ${shots[0]}" "$work/kzv.log" || fail "F12 did not say where: $(cat "$work/kzv.log")"
[[ $(identify -format '%wx%h' "${shots[0]}") == 640x480 ]] || fail "the screenshot is $(identify "${shots[0]}")"
[[ $(basename "${shots[0]}") =~ ^kzv-[0-9]{8}-[0-9]{6}\.png$ ]] || fail "screenshot named $(basename "${shots[0]}")"

quit_with_escape || fail "Escape did not end the program"

leftover=$(find "$game" -newer "$work/cpack.log" -print | head -1)
[[ -z $leftover ]] || fail "written beside the installed program: $leftover"
echo "PASS"
