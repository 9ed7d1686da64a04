# Helpers for driving the real viewer under a private Xvfb: start the server on a free
# display, wait for windows, answer the file dialog and the "Error" boxes, take screenshots.
# Sourced by the end-to-end tests and by scripts/run.

# Starts Xvfb at 640 x 480 x 16 (or the screen $2 gives) on a display it picks itself; sets
# DISPLAY and xvfbPid.
startXvfb() {
  local workDir=$1
  rm -f "$workDir/displayfd"
  Xvfb -displayfd 3 -screen 0 "${2:-640x480x16}" -nolisten tcp 3>"$workDir/displayfd" \
    >"$workDir/xvfb.log" 2>&1 &
  xvfbPid=$!
  local tries=0
  while [[ ! -s "$workDir/displayfd" ]]; do
    ((tries++ < 100)) || return 1
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$workDir/displayfd")"
}

stopXvfb() {
  if [[ -n "${xvfbPid:-}" ]]; then
    kill "$xvfbPid" 2>/dev/null
    wait "$xvfbPid" 2>/dev/null
    xvfbPid=""
  fi
}

# Runs "$@" every 0.2 s until it succeeds, for at most $1 seconds.
waitFor() {
  local seconds=$1
  shift
  local tries=$((seconds * 5))
  until "$@" >/dev/null 2>&1; do
    ((tries-- > 0)) || return 1
    sleep 0.2
  done
}

zenityWindow() { xdotool search --onlyvisible --class zenity 2>/dev/null | head -n1; }
hasZenity() { [[ -n "$(zenityWindow)" ]]; }
noZenity() { [[ -z "$(zenityWindow)" ]]; }
hasErrorBox() { xwininfo -root -tree | grep -q '"Error": ()'; }
viewerShown() { xwininfo -name "Generic OpenGL Sample" | grep -q "IsViewable"; }

# Waits for the file dialog, gives it the keyboard (as a window manager would) and presses
# $1 (Return accepts the proposed file, Escape cancels).
answerDialog() {
  local key=$1
  waitFor 20 hasZenity || return 1
  sleep 1  # let the dialog fill its file list
  local window
  window=$(zenityWindow)
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key "$key"
  waitFor 10 noZenity
}

# Waits for an "Error" box, gives it the keyboard and dismisses it with Return, the pointer
# over it. A box wider than the screen starts left of it: the pointer goes to its middle.
dismissErrorBox() {
  waitFor 20 hasErrorBox || return 1
  sleep 0.5
  local line window top
  line=$(xwininfo -root -tree | grep '"Error": ()' | head -n1)
  window=$(echo "$line" | awk '{print $1}')
  top=$(echo "$line" | sed -E 's/.*[0-9]+x[0-9]+[+-]-?[0-9]+[+-](-?[0-9]+) .*/\1/')
  xdotool mousemove 320 $((top + 10))
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 0.3
  xdotool key Return
}

screenshot() { import -window root "$1"; }

# Number of pixels that differ between two screenshots above the status line (the bottom
# 24 rows, whose frame rate changes every second).
differingPixels() {
  convert "$1" -crop 640x456+0+0 +repage "$1.body.png"
  convert "$2" -crop 640x456+0+0 +repage "$2.body.png"
  compare -metric AE "$1.body.png" "$2.body.png" null: 2>&1 | cut -d' ' -f1
}

# Number of distinct colours in a screenshot.
colourCount() { identify -format '%k' "$1"; }
