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
  useDisplayFrom "$workDir/displayfd"
}

# Waits (at most 10 s) until the X server just started writes its display number to file
# $1, then sets DISPLAY to it.
useDisplayFrom() {
  local tries=0
  while [[ ! -s "$1" ]]; do
    ((tries++ < 100)) || return 1
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$1")"
}

stopXvfb() {
  if [[ -n "${xvfbPid:-}" ]]; then
    kill "$xvfbPid" 2>/dev/null
    wait "$xvfbPid" 2>/dev/null
    xvfbPid=""
  fi
}

# Ends the scenario as failed with the reason $*, showing the viewer's last output (the
# scenario is named by scenarioLabel, or else scenario).
fail() {
  echo "FAIL (${scenarioLabel:-${scenario:-}}): $*"
  echo "--- viewer output"
  grep -v -e dconf -e '^$' "$workDir/viewer.log" 2>/dev/null | tail -20
  exit 1
}

# Waits at most $1 seconds (default 20) for the viewer ($viewerPid) to end; sets status to
# its exit status, or to "running" while it has not ended. Once it has ended, status stays.
# A viewer started as a process group leader may leave its mode watcher putting the screen
# back: the next viewer must not meet a screen halfway through that.
waitViewer() {
  [[ -n "$viewerPid" ]] || return
  local tries=$((${1:-20} * 5))
  status=running
  while kill -0 "$viewerPid" 2>/dev/null; do
    ((tries-- > 0)) || return
    sleep 0.2
  done
  wait "$viewerPid"
  status=$?
  tries=25
  while pgrep -g "$viewerPid" >/dev/null && ((tries-- > 0)); do sleep 0.2; done
  viewerPid=""
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

# Waits for the viewer window, lets it draw for $1 seconds, and checks in the screenshot
# 1-start.png in $workDir that the level is drawn textured.
checkStartDrawn() {
  waitFor 20 viewerShown || fail "the viewer window was not shown"
  sleep "$1"
  screenshot "$workDir/1-start.png"
  local colours
  colours=$(colourCount "$workDir/1-start.png")
  ((colours >= 64)) || fail "the level is not drawn textured ($colours colours)"
}

# After the start-up dialog was cancelled and its box dismissed: the viewer ends with status
# 0, having said that no level file was selected.
checkCancelledStartUp() {
  waitViewer
  [[ "$status" == 0 ]] || fail "a cancelled dialog ended with status $status, not 0"
  grep -q "Error: Failed to select a DNM level file" "$workDir/viewer.log" ||
    fail "the box did not say that no level file was selected"
}

# F1 shows and hides the help screen; with the far plane brought near (each 9 halves it, a
# rebuild that takes $1 seconds to settle), 2 switches fog on and off; the far plane goes
# back with 0. Compares with the screenshot 1-start.png in $workDir.
checkHelpAndFog() {
  xdotool key F1
  sleep 1
  screenshot "$workDir/2-help.png"
  help=$(differingPixels "$workDir/1-start.png" "$workDir/2-help.png")
  ((help > 500)) || fail "F1 did not bring up the help screen ($help pixels changed)"
  xdotool key F1
  sleep 1
  screenshot "$workDir/3-help-off.png"
  same=$(differingPixels "$workDir/1-start.png" "$workDir/3-help-off.png")
  ((same < 100)) || fail "F1 again did not take the help screen away ($same pixels changed)"

  # Fog starts at 0.8 of the far plane: bring the far plane near (9 halves it) to see it.
  xdotool key --delay 200 9 9 9
  sleep "$1"
  screenshot "$workDir/4-near-far-plane.png"
  xdotool key 2
  sleep 1
  screenshot "$workDir/5-fog.png"
  fog=$(differingPixels "$workDir/4-near-far-plane.png" "$workDir/5-fog.png")
  ((fog > 500)) || fail "2 (fog) did not change the picture ($fog pixels changed)"
  xdotool key 2
  xdotool key --delay 200 0 0 0
}

# Holding Up moves the camera (slowed to the lowest speed first: movement is per frame) and
# R brings back the start view, compared with 3-help-off.png in $workDir.
checkMoveAndReset() {
  xdotool keydown bracketleft
  sleep 1
  xdotool keyup bracketleft
  xdotool keydown Up
  sleep 1
  xdotool keyup Up
  sleep 0.5
  screenshot "$workDir/moved.png"
  moved=$(differingPixels "$workDir/3-help-off.png" "$workDir/moved.png")
  ((moved > 500)) || fail "holding Up did not change the picture ($moved pixels changed)"
  xdotool key r
  sleep 1
  screenshot "$workDir/reset.png"
  reset=$(differingPixels "$workDir/3-help-off.png" "$workDir/reset.png")
  ((reset < 100)) || fail "R did not return to the start view ($reset pixels differ)"
}

# Takes a scenario script's arguments (SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR): sets
# scenario, viewer, sampleWriter and workDir, the output folder emptied.
takeScenarioArguments() {
  scenario=$1
  viewer=$(realpath "$2")
  sampleWriter=$(realpath "$3")
  rm -rf "$4"
  mkdir -p "$4"
  workDir=$(realpath "$4")
}

# Ends the script as skipped (status 77) unless every program named is installed.
requirePrograms() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}
