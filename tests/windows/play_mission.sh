#!/usr/bin/env bash
# kzv.exe under Wine in Xvfb, driven by xdotool: the title, a mission of 56 shots in
# instant-charge mode, a Japanese name on the result screen, back to the title, Escape. The
# screens' pictures are compared with kzv-sim's frames where no text is drawn (Windows draws
# text in its own fonts), save.dat is checked byte by byte, the mission's replay plays in the
# Linux kzv-sim to the identical end, and a mission recorded by kzv-sim plays in kzv.exe to its
# recorded end. A missing data file shows the stop box and ends with status 1.
#
#   play_mission.sh WIN64_BUILD NATIVE_BUILD WORK_DIR
# Exit 0: passed; 77: a tool is missing (skip); anything else: failed.
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

win=$1
native=$2
work=$3
for tool in Xvfb xdotool xmodmap import compare convert iconv wine; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[[ -f $win/Stools.dll ]] || { echo "FAIL: $win/Stools.dll is not built"; exit 1; }

rm -rf "$work"
mkdir -p "$work/game" "$work/sim" "$work/shots" "$work/replays"
cp -r "$win/kzv.exe" "$win/Stools.dll" "$win/data" "$work/game/"
ln -s "$native/data" "$work/sim/data"
ln -s "$native/Stools.dll" "$work/sim/Stools.dll"

# A record so low that whatever the mission earns beats it, so the name entry opens.
write_save() {
  printf '"(C)2000 VOREN [KZV 設定ファイル]"\r\n1,-99999999,"日向 澄香",1\r\n' | iconv -f UTF-8 -t CP932 >"$1"
}
write_save "$work/game/save.dat"
write_save "$work/sim/save.dat"

xvfb_pid=
game_pid=
trap stop_game_and_xvfb EXIT
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR
fail() {
  echo "FAIL: $*"
  exit 1
}

start_xvfb 141 190 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
# One Wine prefix for the build folder: made once (some 20 s), then reused.
export WINEPREFIX=${WINEPREFIX:-$win/wine-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[[ -d $WINEPREFIX ]] || wineboot -i >/dev/null 2>&1 || fail "wineboot could not make $WINEPREFIX"
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

# Frames of the same states from the headless driver.
{
  echo "wait 1000"
  echo "shot $work/shots/sim-title.png"
  echo "key 38"; echo "key 40"; echo "key 16"
  echo "set HiddenMode 2"
  echo "wait 1500"
  for _ in $(seq 56); do echo "key 16"; echo "wait 40"; done
  echo "wait 200"
  echo "shot $work/shots/sim-result.png"
  echo "quit"
} | "$native/kzv-sim" --app-dir "$work/sim" >"$work/sim.log"
[[ -s $work/shots/sim-title.png && -s $work/shots/sim-result.png ]] || fail "kzv-sim made no frames"

(cd "$work/game" && exec wine ./kzv.exe --record "Z:$work/replays" >"$work/kzv.log" 2>&1) &
game_pid=$!
find_main_window "$game_pid" || fail "the main window never appeared: $(cat "$work/kzv.log")"
[[ $window_size == 640x480 ]] || fail "the main window is $window_size"
xdotool windowfocus "$window" 2>/dev/null || true
sleep 1

grab() {
  import -window root "$work/shots/screen.png"
  convert "$work/shots/screen.png" -crop "640x480+$win_x+$win_y" +repage "$work/shots/$1.png"
}
# Windows' JPEG decoder rounds some edge pixels of the title and end pictures otherwise than
# libjpeg does, by up to a sixth of the range: such differences do not count.
differing() {
  convert "$work/shots/$1.png" -crop "$3" +repage "$work/shots/a.png"
  convert "$work/shots/$2.png" -crop "$3" +repage "$work/shots/b.png"
  compare -fuzz 20% -metric AE "$work/shots/a.png" "$work/shots/b.png" null: 2>&1 || true
}
wait_screen() {
  local want=$1 name=$2 ref=$3 region=$4 diff
  for _ in $(seq 30); do
    grab "$name"
    diff=$(differing "$name" "$ref" "$region")
    if [[ $want == same && $diff == 0 ]] || [[ $want == differ && $diff != 0 ]]; then break; fi
    sleep 0.5
  done
  echo "$diff"
}
key() {
  xdotool key --window "$window" "$@"
  sleep 0.25
}

# The title above the record line is all pictures: the same pixels as kzv-sim's.
diff=$(wait_screen same title sim-title 640x460+0+0)
[[ $diff == 0 ]] || fail "the title differs from kzv-sim's in $diff pixels"

key Up
key shift
key shift
key Down
key shift
diff=$(wait_screen differ play title 640x480+0+0)
[[ $diff != 0 ]] || fail "the mission did not start"

xdotool mousemove --window "$window" 166 35 click 1
sleep 0.3
xdotool mousemove --window "$window" 166 35 click 1
sleep 0.3
name=$(xdotool getwindowname "$window")
[[ $name == "K.Z.V（即時充電）" ]] || fail "the hidden mode did not switch: caption $name"
shoot_the_mission_out
diff=$(wait_screen same result sim-result 640x85+0+0)
[[ $diff == 0 ]] || fail "the result screen differs from kzv-sim's in $diff pixels"

before=$(md5sum <"$work/game/save.dat")
bind_spare_keys() {
  local LC_ALL=C.UTF-8 text=$1 keys i sym
  keys=($(xmodmap -pke | awk 'NF == 3 && $2 > 8 {print $2}' | head -n ${#text}))
  ((${#keys[@]} == ${#text})) || fail "no spare keys for the characters of $text"
  for ((i = 0; i < ${#text}; i++)); do
    printf -v sym 'U%04X' "'${text:i:1}"
    xmodmap -e "keycode ${keys[i]} = $sym"
  done
}
bind_spare_keys "スナイパー太郎"
sleep 0.5
xdotool type --window "$window" --delay 100 "スナイパー太郎"
sleep 0.5
key Return
for _ in $(seq 30); do
  [[ $(md5sum <"$work/game/save.dat") != "$before" ]] && break
  sleep 0.5
done
# save.dat byte for byte: the header, the reward the mission earned and the name, in CP932.
reward=$(sed -n 2p "$work/game/save.dat" | cut -d, -f2)
[[ $reward =~ ^-?[0-9]+$ ]] || fail "save.dat holds no reward: $(sed -n 2p "$work/game/save.dat" | iconv -f CP932 -t UTF-8)"
printf '"(C)2000 VOREN [KZV 設定ファイル]"\r\n1,%s,"スナイパー太郎",1\r\n' "$reward" | iconv -f UTF-8 -t CP932 >"$work/want.dat"
cmp "$work/want.dat" "$work/game/save.dat" || fail "save.dat is not what the game writes: $(iconv -f CP932 -t UTF-8 <"$work/game/save.dat")"

diff=$(wait_screen same title2 sim-title 640x460+0+0)
[[ $diff == 0 ]] || fail "the title after the name differs from kzv-sim's in $diff pixels"
saved=$(md5sum <"$work/game/save.dat")
quit_with_escape || fail "Escape did not end the program"
[[ $(md5sum <"$work/game/save.dat") == "$saved" ]] || fail "Escape wrote save.dat"

# The Windows mission's replay in the Linux kzv-sim: every delivery took the recorded clock
# readings and the end is the recorded one.
replays=("$work"/replays/*.replay)
[[ ${#replays[@]} == 1 && -s ${replays[0]} ]] || fail "no replay was written: ${replays[*]}"
"$native/kzv-sim" --app-dir "$work/sim" --replay "${replays[0]}" </dev/null >"$work/replay.log" 2>"$work/replay.err" ||
  fail "kzv-sim's replay of the Windows mission went otherwise: $(cat "$work/replay.err")"
head -1 "$work/replay.log" | grep -q "\"RecordReward\":$reward,\"RecordHolder\":\"スナイパー太郎\"" ||
  fail "kzv-sim's replay ends with another record than save.dat's $reward"
echo "windows replay in kzv-sim: $(stat -c %s "${replays[0]}") bytes, as recorded"

# A mission kzv-sim recorded on Linux, played in kzv.exe fifty times as fast.
write_save "$work/sim/save.dat"
mkdir -p "$work/sim-replays"
{
  echo "wait 1000"; echo "key 38"; echo "key 40"; echo "key 16"
  echo "click 166 35"; echo "click 166 35"
  echo "wait 1500"
  for _ in $(seq 56); do echo "key 16"; echo "wait 40"; done
  echo "wait 500"; echo "type 狙撃手"; echo "key 13"; echo "wait 500"
  echo "quit"
} | "$native/kzv-sim" --app-dir "$work/sim" --record "$work/sim-replays" >/dev/null
linux=("$work"/sim-replays/*.replay)
[[ ${#linux[@]} == 1 && -s ${linux[0]} ]] || fail "kzv-sim wrote no replay"
write_save "$work/game/save.dat"
: >"$work/watch.log"
(cd "$work/game" && exec wine ./kzv.exe --replay "Z:${linux[0]}" --replay-speed 50 >"$work/watch.log" 2>&1) &
game_pid=$!
for _ in $(seq 120); do
  grep -q "went as it was recorded" "$work/watch.log" && break
  grep -q "K.Z.V: Z:" "$work/watch.log" && break
  sleep 0.5
done
grep -q "went as it was recorded" "$work/watch.log" || fail "kzv.exe's replay of the Linux mission: $(cat "$work/watch.log")"
find_main_window "$game_pid" || fail "the replay's window went"
quit_with_escape || fail "Escape did not end the replay"
echo "linux replay in kzv.exe: as recorded"

# Without title.mcg: the stop box, and status 1 once it is closed.
mv "$work/game/data/title.mcg" "$work/game/data/title.hidden"
: >"$work/stop.log"
(cd "$work/game" && exec wine ./kzv.exe >"$work/stop.log" 2>&1) &
game_pid=$!
box=
for _ in $(seq 100); do
  box=$(xdotool search --name '^K\.Z\.V$' 2>/dev/null | head -1 || true)
  if [[ -n $box ]] && grep -q "title.mcg" "$work/stop.log"; then break; fi
  sleep 0.1
done
grep -q "ファイル【title.mcg】が存在しません。" "$work/stop.log" || fail "no missing-file message: $(cat "$work/stop.log")"
sleep 1
grab stopbox
xdotool key --window "$box" Return 2>/dev/null || true
status=0
wait "$game_pid" || status=$?
game_pid=
[[ $status == 1 ]] || fail "the missing-file stop ended with status $status"
echo "PASS"
