#!/usr/bin/env bash
# The real kzv in a window under Xvfb, as a player runs it: CPU time over a stretch at the title
# (nothing moves there, so nothing should be drawn) and over a stretch of play (the scope moved
# four times a second, a shot every three seconds), and the resident memory at its peak.
# Sound plays through SDL's disk driver into /dev/null, which keeps a real device's pace.
#
#   window_cpu.sh BUILD_DIR [SECONDS] [SCREEN]
# SECONDS defaults to 30, SCREEN (Xvfb's WIDTHxHEIGHT) to 800x600, where the window has scale 1.
# Prints "name value" lines: title_cpu_percent, play_cpu_percent, peak_rss_mb, window_size.
# With KZV_BENCH_SHOTS=DIR, screenshots of the title and of the play are left in DIR.
# Exit 77 when Xvfb or xdotool is missing.
set -euo pipefail
source "$(dirname "$0")/../tests/support/xvfb.sh"

build=$(cd "$1" && pwd)
seconds=${2:-30}
screen=${3:-800x600}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
done

work=$(mktemp -d /tmp/kzv-window-cpu.XXXXXX)
mkdir -p "$work/game"
ln -s "$build/data" "$work/game/data"
ln -s "$build/Stools.dll" "$work/game/Stools.dll"
cp "$build/kzv" "$work/game/kzv"

xvfb_pid=
game_pid=
cleanup() {
  stop_game_and_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 141 190 "$screen" "$work/xvfb.log" || { echo "no free display for Xvfb" >&2; exit 1; }
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

"$work/game/kzv" >"$work/kzv.log" 2>&1 &
game_pid=$!

find_main_window "$game_pid" || { echo "the main window never appeared: $(cat "$work/kzv.log")" >&2; exit 1; }
size=$window_size
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 3  # the title's music starts and the first frames are drawn

# CPU time of the whole process (every thread), in clock ticks.
shot() {
  [[ -n ${KZV_BENCH_SHOTS:-} ]] && command -v import >/dev/null && import -window root "$KZV_BENCH_SHOTS/$1.png"
  return 0
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
ticks_per_second=$(getconf CLK_TCK)
percent() { awk -v t="$1" -v hz="$ticks_per_second" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}'; }

before=$(cpu_ticks)
sleep "$seconds"
title_ticks=$(($(cpu_ticks) - before))
shot title

# Into a mission: Up from the first item to the last, the start, and Shift.
for k in Up shift; do
  xdotool key --window "$window" "$k"
  sleep 0.3
done
sleep 3  # the opening and the first charge

arrows=(Left Up Right Down)
before=$(cpu_ticks)
end=$((SECONDS + seconds))
step=0
while ((SECONDS < end)); do
  xdotool key --window "$window" "${arrows[step % 4]}"
  ((step % 12 == 11)) && xdotool key --window "$window" shift
  step=$((step + 1))
  sleep 0.25
done
play_ticks=$(($(cpu_ticks) - before))
shot play
kill -0 "$game_pid" 2>/dev/null || { echo "kzv ended during play: $(cat "$work/kzv.log")" >&2; exit 1; }
peak_kb=$(awk '/^VmHWM:/ {print $2}' "/proc/$game_pid/status")

echo "title_cpu_percent $(percent "$title_ticks")"
echo "play_cpu_percent $(percent "$play_ticks")"
echo "peak_rss_mb $(awk -v k="$peak_kb" 'BEGIN {printf "%.1f", k / 1024}')"
echo "window_size $size"
