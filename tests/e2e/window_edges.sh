#!/usr/bin/env bash
# The real kzv at its edges, under Xvfb:
#   stopbox REF.png  without data/title.mcg: the stop box shows exactly REF.png (drawn by the
#                    game's own box drawer) centred on the screen, with no window manager;
#                    Enter ends the game with status 1 and one line on stderr
#   nodisplay        no DISPLAY, no Wayland and no SDL_VIDEODRIVER: "cannot open a window",
#                    status 1, and every line on the terminal the game's own ("K.Z.V: ...")
#   fullscreen SIZE [wm]  on a SIZE screen, with or without a window manager: F11 shows the
#                    picture whole (full screen where the desktop can, else the window as it
#                    was), and F11 again gives back the window at its size with its picture
#                    (where it stands is the window manager's to choose)
#   quit             under a window manager, on a busy machine: Escape and the close box each
#                    end the game with status 0 and nothing on stderr, every time; the window
#                    asks for neither maximise nor minimise
#
#   window_edges.sh BUILD_DIR WORK_DIR MODE [REF.png]
# Exit 0: passed; 77: a tool is missing (skip); anything else: failed.
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

build=$1
work=$2
mode=$3
for tool in Xvfb xdotool xprop import compare convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

rm -rf "$work"
mkdir -p "$work/game"
cp -r "$build/data" "$work/game/data"
ln -s "$build/Stools.dll" "$work/game/Stools.dll"
cp "$build/kzv" "$work/game/kzv"

xvfb_pid=
game_pid=
wm_pid=
busy_pids=()
cleanup() {
  for p in "${busy_pids[@]}" ${wm_pid:-}; do kill "$p" 2>/dev/null || true; done
  stop_game_and_xvfb
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

# Waits for the game to end (at most 10 s); sets status.
wait_for_end() {
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the game did not end"
  status=0
  wait "$game_pid" || status=$?
  game_pid=
}

case $mode in
nodisplay)
  (cd "$work/game" && env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR ./kzv \
    >"$work/out.txt" 2>&1) & game_pid=$!
  wait_for_end
  [[ $status == 1 ]] || fail "status $status: $(cat "$work/out.txt")"
  grep -q '^K\.Z\.V: cannot open a window' "$work/out.txt" || fail "no message: $(cat "$work/out.txt")"
  ! grep -v '^K\.Z\.V: ' "$work/out.txt" || fail "a line that is not the game's"
  ;;

fullscreen)
  size=$4
  start_xvfb 141 190 "$size" "$work/xvfb.log" || fail "no free display for Xvfb"
  if [[ ${5:-} == wm ]]; then
    command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
    openbox >"$work/wm.log" 2>&1 & wm_pid=$!
    sleep 1
  fi
  mkdir -p "$work/pictures"
  (cd "$work/game" && XDG_PICTURES_DIR="$work/pictures" exec ./kzv >"$work/out.txt" 2>&1) &
  game_pid=$!
  find_main_window "$game_pid" || fail "no main window: $(cat "$work/out.txt")"
  shoot() {  # $1: file; the window's client area as the screen shows it
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$window_size+$win_x+$win_y" +repage "$1"
  }
  settle() {  # waits until the window stands whole on the screen and two shots agree
    local a b
    for _ in $(seq 20); do
      sleep 0.5
      find_main_window "$game_pid" || fail "the window went"
      shoot "$work/a.png"
      sleep 0.3
      shoot "$work/b.png"
      [[ $(identify -format '%wx%h' "$work/a.png") == "$window_size" ]] || continue
      [[ $(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true) == 0 ]] && return
    done
  }
  settle  # the window manager may still be placing the window
  # The game's own picture of its window, at 1x, from F12.
  xdotool key --window "$window" F12 2>/dev/null || true
  for _ in $(seq 50); do
    picture=$(ls "$work"/pictures/kzv-*.png 2>/dev/null | head -1 || true)
    [[ -n $picture ]] && break
    sleep 0.1
  done
  [[ -n $picture ]] || fail "F12 saved no picture: $(cat "$work/out.txt")"
  before=$window_size
  cp "$work/a.png" "$work/window.png"
  xdotool key --window "$window" F11 2>/dev/null || true
  settle
  read -r screen_w screen_h < <(identify -format '%w %h\n' "$work/screen.png")
  if [[ $window_size == "$before" ]]; then
    # The desktop could not make it full screen: the window shows its picture as it did.
    [[ $(compare -metric AE "$work/a.png" "$work/window.png" null: 2>&1 || true) == 0 ]] ||
      fail "F11 left the window as it was but not its picture"
  else
    [[ $window_size == "${screen_w}x${screen_h}" ]] || fail "F11 gave a window of $window_size"
    # Full screen: the picture at the largest whole scale that fits, centred.
    scale=$((screen_w / 640 < screen_h / 480 ? screen_w / 640 : screen_h / 480))
    pw=$((640 * scale)) ph=$((480 * scale))
    convert "$work/a.png" -crop "${pw}x${ph}+$(((screen_w - pw) / 2))+$(((screen_h - ph) / 2))" \
      +repage -sample 640x480 "$work/full.png"
    [[ $(compare -metric AE "$work/full.png" "$picture" null: 2>&1 || true) == 0 ]] ||
      fail "the full screen does not show the picture whole and centred"
  fi
  xdotool key --window "$window" F11 2>/dev/null || true
  settle
  [[ $window_size == "$before" ]] || fail "F11 again gave a window of $window_size, not $before"
  [[ $(compare -metric AE "$work/a.png" "$work/window.png" null: 2>&1 || true) == 0 ]] ||
    fail "F11 again did not give back the picture"
  xdotool key --window "$window" Escape 2>/dev/null || true
  wait_for_end
  [[ $status == 0 ]] || fail "status $status: $(cat "$work/out.txt")"
  ;;

stopbox)
  # stopbox REF FILE MESSAGE [LOCALE]: data/FILE taken away, the desktop's locale LOCALE.
  ref=$4 file=$5 message=$6 locale=${7:-}
  start_xvfb 141 190 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
  rm "$work/game/data/$file"
  if [[ -n $locale ]]; then
    (cd "$work/game" && exec env -u KZV_LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale" ./kzv >"$work/out.txt" 2>&1) &
  else
    (cd "$work/game" && exec ./kzv >"$work/out.txt" 2>&1) &
  fi
  game_pid=$!
  read -r w h < <(identify -format '%w %h\n' "$ref")
  box=
  for _ in $(seq 150); do
    for id in $(xdotool search --name '^K\.Z\.V$' 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      ((WIDTH == w && HEIGHT == h)) && box=$id
    done
    [[ -n $box ]] && break
    sleep 0.1
  done
  [[ -n $box ]] || fail "no ${w}x${h} box appeared: $(cat "$work/out.txt")"
  x=$(((800 - w) / 2)) y=$(((600 - h) / 2))
  differ=1
  for _ in $(seq 20); do  # until the box has been drawn
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "${w}x${h}+$x+$y" +repage "$work/box.png"
    differ=$(compare -metric AE "$work/box.png" "$ref" null: 2>&1 || true)
    [[ $differ == 0 ]] && break
    sleep 0.25
  done
  [[ $differ == 0 ]] || fail "the screen at +$x+$y differs from the box in $differ pixels"
  kill -0 "$game_pid" || fail "the game ended with the box"
  xdotool key --window "$box" Return 2>/dev/null || true
  wait_for_end
  [[ $status == 1 ]] || fail "status $status after the box"
  [[ $(cat "$work/out.txt") == "K.Z.V: $message" ]] ||
    fail "stderr: $(cat "$work/out.txt")"
  ;;

quit)
  command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
  start_xvfb 141 190 800x600 "$work/xvfb.log" || fail "no free display for Xvfb"
  openbox >"$work/wm.log" 2>&1 & wm_pid=$!
  # A busy machine: the window manager and the game race each other more.
  for _ in 1 2; do
    (while :; do :; done) & busy_pids+=($!)
  done
  for round in $(seq 10); do
    for how in escape close; do
      (cd "$work/game" && exec ./kzv >"$work/out.txt" 2>&1) & game_pid=$!
      find_main_window "$game_pid" || fail "no main window: $(cat "$work/out.txt")"
      if [[ $round == 1 && $how == escape ]]; then
        hints=$(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //')
        IFS=', ' read -r flags functions _ <<<"$hints"
        ((flags & 1)) || fail "no functions asked of the window manager: $hints"
        ((functions & (1 | 2 | 8 | 16))) && fail "the window may be resized, minimised or maximised: $hints"
      fi
      if [[ $how == escape ]]; then
        xdotool key --window "$window" Escape 2>/dev/null || true
        xdotool keyup Escape 2>/dev/null || true
      else
        # The window manager's close: the window is asked to close, not destroyed.
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        xdotool key alt+F4 2>/dev/null || true
      fi
      wait_for_end
      [[ $status == 0 ]] || fail "round $round, $how: status $status: $(cat "$work/out.txt")"
      [[ ! -s $work/out.txt ]] || fail "round $round, $how: $(cat "$work/out.txt")"
    done
  done
  ;;
*)
  fail "unknown mode $mode"
  ;;
esac
echo "PASS"
