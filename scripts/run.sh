#!/usr/bin/env bash
# Starts build/win/Quorbell.exe under Wine in the user's own prefix (WINEPREFIX, or Wine's default)
# as Japanese Windows. With a display it runs there. Without one it starts a private virtual
# display, opens the program's tray menu once with a right click on its icon (so that the picture
# shows what the program offers, not an empty screen with a tiny icon), saves a screenshot of the
# display to build/screenshot.png, closes the menu with Escape and keeps the program running until
# Ctrl-C, which ends the program and the display.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/winebed.sh
source "$ROOT/scripts/winebed.sh"

EXE=${QB_EXE:-$ROOT/build/win/Quorbell.exe}
SCREENSHOT=$ROOT/build/screenshot.png
SCREENSHOT_DELAY=${QB_SCREENSHOT_DELAY:-5}
PREFIX_DIR=${WINEPREFIX:-$HOME/.wine}

[[ -f $EXE ]] || { echo "run.sh: $EXE is missing (make build)" >&2; exit 1; }

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts when Wine creates the prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# The program's working directory is its own folder, as when it is started from Explorer.
cd "$(dirname "$EXE")" || exit 1

# A new prefix is created by the first Wine call; do it before the program so that the start-up
# (and the screenshot) is not spent on it.
prepare_prefix() {
  [[ -f $PREFIX_DIR/system.reg ]] && return 0
  echo "Creating the Wine prefix $PREFIX_DIR (about 15 s)"
  bed_env ja timeout -k 5 300 wineboot -i >/dev/null 2>&1
  timeout -k 5 120 wineserver -w
}

program_pid=""
stop_all() {
  trap - EXIT INT TERM
  if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
    # Close it as Windows would (WM_CLOSE to its windows), so it removes its tray icon and
    # cleans up; kill it only if that does not end it.
    bed_env ja timeout -k 2 10 wine taskkill /im "$(basename "$EXE")" >/dev/null 2>&1
    for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$program_pid" 2>/dev/null; then
      kill -9 "$program_pid" 2>/dev/null
      echo "Quorbell.exe did not close; killed it"
    else
      wait "$program_pid"
      echo "Quorbell.exe closed (exit code $?)"
    fi
  fi
  bed_stop_xvfb "${QB_XVFB_PID:-}"
}
trap stop_all EXIT
trap 'echo; echo "Stopping"; exit 130' INT TERM

own_display=0
if [[ -z ${DISPLAY:-} ]]; then
  bed_start_xvfb || exit 1
  export DISPLAY=$QB_DISPLAY
  own_display=1
fi
prepare_prefix
if ((own_display)); then
  echo "No display: Quorbell.exe runs on a private virtual display $DISPLAY (prefix $PREFIX_DIR)"
else
  echo "Starting Quorbell.exe on $DISPLAY (prefix $PREFIX_DIR)"
fi
# Not through a shell function: the pid must be Wine's own, to end it later. In a session of its
# own, so that Ctrl-C reaches only this script, which then closes the program properly. Wine's
# chatter (a desktop process losing the display at the end) goes to a log.
mkdir -p "$ROOT/build"
setsid env LANG=$QB_JA_LOCALE LC_ALL=$QB_JA_LOCALE wine "$EXE" </dev/null >"$ROOT/build/run-wine.log" 2>&1 &
program_pid=$!

# Right-clicks the program's icon as a user would. Without a window manager Wine shows the
# notification area as a small X window of its own, "Wine System Tray", the icons from its left
# edge on; the program's is the only one. False when there is no such window (a prefix set to a
# virtual desktop keeps its icons in the desktop's own task bar).
open_tray_menu() {
  local tray X Y WIDTH HEIGHT SCREEN
  for _ in $(seq 120); do
    tray=$(xdotool search --name "Wine System Tray" 2>/dev/null | head -n 1)
    [[ -n $tray ]] && break
    sleep 0.25
  done
  [[ -n $tray ]] || return 1
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove "$((X + 9))" "$((Y + 10))" click 3
}

if ((own_display)); then
  sleep "$SCREENSHOT_DELAY"
  menu_open=0
  if kill -0 "$program_pid" 2>/dev/null && open_tray_menu; then
    menu_open=1
    sleep 1.5  # drawn
  elif kill -0 "$program_pid" 2>/dev/null; then
    echo "No tray window found; the screenshot shows the desktop without the menu"
  fi
  if kill -0 "$program_pid" 2>/dev/null; then
    if import -display "$DISPLAY" -window root "$SCREENSHOT" 2>/dev/null ||
      { xwd -display "$DISPLAY" -root -silent | convert xwd:- "$SCREENSHOT"; } 2>/dev/null; then
      echo "Screenshot saved to $SCREENSHOT"
    else
      echo "Could not save a screenshot"
    fi
  fi
  # The menu closes as a user closes it; the program keeps running.
  ((menu_open)) && xdotool key Escape
fi
echo "Quorbell.exe is running; press Ctrl-C to stop it."
wait "$program_pid"
rc=$?
program_pid=""
echo "Quorbell.exe ended (exit code $rc)"
