# Shared by the scripts that run the real kzv under Xvfb; source it.

# Their checks are of the Japanese game, whatever language the machine's locale asks for.
export KZV_LANGUAGE=ja

# start_xvfb FIRST LAST SCREEN LOG: an Xvfb on the first free display number in FIRST..LAST with
# one screen of SCREEN (WIDTHxHEIGHT, 24-bit); sets DISPLAY and xvfb_pid. False when none starts.
# KZV_XVFB_DISPLAYS="FIRST LAST" takes the place of the range (one person's share of a machine).
start_xvfb() {
  local first=$1 last=$2 screen=$3 log=$4 n
  [[ -n ${KZV_XVFB_DISPLAYS:-} ]] && read -r first last <<<"$KZV_XVFB_DISPLAYS"
  for n in $(seq "$first" "$last"); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 "${screen}x24" -nolisten tcp -noreset >"$log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [[ -e /tmp/.X11-unix/X$n ]] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  return 1
}

# find_main_window PID: waits up to 15 s for kzv's main window (named K.Z.V, 640 or more pixels
# wide: the launcher is small); sets window, win_x, win_y and window_size. False when it does
# not come, or the program ends first.
find_main_window() {
  local pid=$1 id
  window=
  for _ in $(seq 150); do
    for id in $(xdotool search --name '^K\.Z\.V' 2>/dev/null); do
      # A window that has just gone answers nothing: no size may stay from the one before.
      local WIDTH=0 HEIGHT=0 X=0 Y=0
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
      if ((WIDTH >= 640)); then
        window=$id
        win_x=$X
        win_y=$Y
        window_size="${WIDTH}x${HEIGHT}"
      fi
    done
    [[ -n $window ]] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Ends the game (game_pid) and the Xvfb (xvfb_pid) a script started, whichever are running.
stop_game_and_xvfb() {
  [[ -n ${game_pid:-} ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}

# Escape to the main window; true, and game_pid cleared, when the game ends within 5 s.
quit_with_escape() {
  # A window that has only just appeared may not have the focus yet, and a key sent to it then
  # is lost: focus it and give it a moment first.
  xdotool windowfocus "$window" 2>/dev/null || true
  sleep 0.5
  # The window may be gone before xdotool sends the key's release.
  xdotool key --window "$window" Escape 2>/dev/null || true
  for _ in $(seq 50); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      game_pid=
      # Without its release the X server keeps Escape held, and the next window to take the
      # focus would be told of a key-down.
      xdotool keyup Escape 2>/dev/null || true
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# A mission in instant-charge mode shot to its end. The first charge runs down in 1.25 s;
# Shifts beyond the 56th shot, or sent while the gun still charges, do nothing, so a few more
# than 56 make the scripts immune to a slow start.
shoot_the_mission_out() {
  xdotool mousemove 0 0
  sleep 2
  for _ in $(seq 70); do
    xdotool key --window "$window" shift
    sleep 0.08
  done
}
