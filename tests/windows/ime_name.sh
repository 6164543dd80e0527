#!/usr/bin/env bash
# A record name typed through a Japanese input method: kzv.exe under Wine in Xvfb on a Japanese
# desktop (ja_JP.UTF-8), with uim's XIM server and its anthy converter. On the result screen the
# input method is switched on, "nihon" typed, converted and committed, then Enter: save.dat must
# hold 日本, which only the input method can have made of those keys. While it composes, the
# text being composed must show in the game's own name box.
#
#   ime_name.sh WIN64_BUILD WORK_DIR
# Exit 0: passed; 77: a tool or the locale is missing (skip); anything else: failed.
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

win=$1
work=$2
for tool in Xvfb xdotool wine uim-xim iconv import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
locale -a | grep -qi '^ja_JP\.utf-\?8$' || { echo "SKIP: the ja_JP.UTF-8 locale is not generated"; exit 77; }
fail() {
  echo "FAIL: $*"
  exit 1
}

rm -rf "$work"
mkdir -p "$work/game" "$work/home"
cp -r "$win/kzv.exe" "$win/Stools.dll" "$win/data" "$work/game/"
# A record so low that whatever the mission earns beats it, so the name entry opens.
printf '"(C)2000 VOREN [KZV 設定ファイル]"\r\n1,-99999999,"日向 澄香",1\r\n' | iconv -f UTF-8 -t CP932 >"$work/game/save.dat"

xvfb_pid=
game_pid=
uim_pid=
trap 'kill ${uim_pid:-} 2>/dev/null || true; stop_game_and_xvfb' EXIT
start_xvfb 141 190 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
export HOME=$work/home LC_ALL=ja_JP.UTF-8 XMODIFIERS=@im=uim
printf "(define default-im-name 'anthy-utf8)\n(define enabled-im-list '(anthy-utf8))\n" >"$HOME/.uim"
uim-xim >"$work/uim.log" 2>&1 &
uim_pid=$!
sleep 1
kill -0 "$uim_pid" 2>/dev/null || fail "uim-xim did not start: $(cat "$work/uim.log")"

export WINEPREFIX=${WINEPREFIX:-$win/wine-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
[[ -d $WINEPREFIX ]] || wineboot -i >/dev/null 2>&1 || fail "wineboot could not make $WINEPREFIX"
(cd "$work/game" && exec wine ./kzv.exe >"$work/kzv.log" 2>&1) &
game_pid=$!
find_main_window "$game_pid" || fail "the main window never appeared: $(cat "$work/kzv.log")"
xdotool windowfocus "$window" 2>/dev/null || true
sleep 1.5
key() {
  xdotool key --window "$window" "$@"
  sleep 0.25
}
# The start item, then the instant-charge mode (two clicks on the hidden switch) and 56 shots.
key Up
key shift
key shift
key Down
key shift
sleep 0.5
for _ in 1 2; do
  xdotool mousemove --window "$window" 166 35 click 1
  sleep 0.3
done
shoot_the_mission_out
sleep 1

# The pixels of the text colour in the name box (185 x 22 at 335, 325 of the window).
ink() {
  import -window root -crop "185x22+$((win_x + 335))+$((win_y + 325))" png:- |
    convert png:- -fill black +opaque '#80FF80' -fill white -opaque '#80FF80' -format '%[fx:int(mean*w*h+0.5)]' info:
}

before=$(md5sum <"$work/game/save.dat")
empty=$(ink)
# Each step is given a second: the keys go through the XIM server and Wine before the game.
xdotool key shift+space  # the input method on
sleep 1
xdotool type --delay 150 nihon
sleep 1
composing=$(ink)
echo "the name box: $empty pixels of text colour before, $composing while composing"
# The caret alone is 21 pixels; the composed text and its underline are many more.
((composing > empty + 60)) || fail "the text being composed does not show in the name box"
xdotool key space  # convert
sleep 1
xdotool key Return  # commit the conversion
sleep 1
xdotool key shift+space  # the input method off: Enter is the game's again
sleep 1
xdotool key Return
for _ in $(seq 30); do
  [[ $(md5sum <"$work/game/save.dat") != "$before" ]] && break
  sleep 0.5
done
holder=$(sed -n 2p "$work/game/save.dat" | iconv -f CP932 -t UTF-8 | cut -d, -f3)
[[ $holder == '"日本"' ]] || fail "save.dat holds the name $holder, not the input method's 日本"
echo "the input method's 日本 is the record name"
quit_with_escape || fail "Escape did not end the program"
