# Driving the viewer on a private X server, shared by scripts/run and the end-to-end tests: a
# private Xvfb, waiting for windows, answering the file dialog, screenshots, and stopping what
# was started when the script ends (sourcing this sets the EXIT trap). Safe under
# `set -euo pipefail`: a helper that asks a question returns its answer as its status.

viewerTitle="Generic OpenGL Sample"
viewerPid=""
exitSteps=()

# Adds the command "$@" to what runs when the script ends: the viewer is stopped first, then the
# steps, the last added first.
atExit() { exitSteps=("$(printf '%q ' "$@")" "${exitSteps[@]}"); }
runExitSteps() {
  local step
  stopProcess viewerPid
  for step in "${exitSteps[@]}"; do eval "$step" || true; done
}
trap runExitSteps EXIT

# Stops the process whose id the variable named $1 holds (its whole process group when $2 is
# "group"), waits for it to end and empties the variable.
stopProcess() {
  local pid=${!1:-}
  [[ -n "$pid" ]] || return 0
  if [[ "${2:-}" == group ]]; then
    kill -- "-$pid" 2>/dev/null || true
    waitFor 5 noProcessGroup "$pid" || true
  else
    kill "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
  printf -v "$1" ''
}
noProcessGroup() { ! kill -0 -- "-$1" 2>/dev/null; }

# Runs "$@" every 0.2 s until it succeeds, for at most $1 seconds.
waitFor() {
  local tries=$(($1 * 5))
  shift
  until "$@" >/dev/null 2>&1; do
    ((tries-- > 0)) || return 1
    sleep 0.2
  done
}

# Starts Xvfb at 640 x 480 x 16 (or the screen $2 gives) on a display it picks itself, stopped
# at the end; sets DISPLAY and xvfbPid. Its log and display number go into folder $1.
startXvfb() {
  rm -f "$1/displayfd"
  Xvfb -displayfd 3 -screen 0 "${2:-640x480x16}" -nolisten tcp 3>"$1/displayfd" \
    >"$1/xvfb.log" 2>&1 &
  xvfbPid=$!
  atExit stopProcess xvfbPid
  useDisplayFrom "$1/displayfd"
}

# Waits (at most 10 s) until the X server just started writes its display number to file
# $1, then sets DISPLAY to it.
useDisplayFrom() {
  waitFor 10 test -s "$1" || return 1
  export DISPLAY=":$(head -n1 "$1")"
}

# The first window whose name is exactly $1, or nothing.
windowNamed() { xdotool search --name "^$1\$" 2>/dev/null | head -n1 || true; }
viewerWindow() { windowNamed "$viewerTitle"; }
viewerShown() { xwininfo -name "$viewerTitle" 2>/dev/null | grep IsViewable >/dev/null; }

# The open-file dialog's window (zenity's here; the Wine helpers name Wine's "Open").
dialogWindow() { xdotool search --onlyvisible --class zenity 2>/dev/null | head -n1 || true; }
hasDialog() { [[ -n "$(dialogWindow)" ]]; }
noDialog() { [[ -z "$(dialogWindow)" ]]; }

# Waits for the file dialog, gives it the keyboard (as a window manager would) and answers:
# Return accepts the proposed file, Escape cancels, anything else is a path typed into its
# name field and accepted. Fails when no dialog came or it stays.
answerDialog() {
  waitFor 30 hasDialog || return 1
  sleep 1  # let the dialog fill its file list
  xdotool windowfocus --sync "$(dialogWindow)" 2>/dev/null || true
  case "$1" in
    Return | Escape) xdotool key "$1" ;;
    *)
      xdotool key ctrl+a
      xdotool type --delay 10 "$1"
      xdotool key Return
      ;;
  esac
  waitFor 10 noDialog
}

screenshot() { import -window root "$1"; }
