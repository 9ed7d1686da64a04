# The end-to-end harness: the scenario's arguments, starting the viewer (Linux, or the Windows
# program under Wine once wine_session.sh is sourced) and checking how it ends, the "Error"
# boxes, and the picture checks. Sourced by every scenario script, which runs under
# `set -euo pipefail`; the display itself comes from scripts/x_display.sh.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/x_display.sh"
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
timeoutProgram=$(command -v timeout)
viewerPath=$PATH  # the PATH the viewer looks for its dialog programs in
runner=()         # what runs a program of the viewer's system: nothing, or Wine
# The status line is the bottom 24 rows; its frame rate changes every second.
statusLineCrop=(-crop 640x24+0+456 +repage)

# Ends the scenario as failed with the reason $*, showing the viewer's last output.
fail() {
  echo "FAIL (${scenarioLabel:-${scenario:-}}): $*"
  echo "--- viewer output"
  grep -v -e dconf -e '^$' "$workDir/viewer.log" 2>/dev/null | tail -20 || true
  exit 1
}

# Ends the script as skipped (status 77) unless every program named is installed.
requirePrograms() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
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

# Writes the sample level as file $1 (default sample.dnl, relative to the work folder).
writeSample() {
  (cd "$workDir" && "${runner[@]}" "$sampleWriter" "${1:-sample.dnl}") >/dev/null 2>&1 ||
    fail "no sample level ${1:-}"
}

# The configuration's spelling of folder $1 on the viewer's system.
configFolder() { echo "$1"; }

# Starts the viewer in the work folder (for at most 120 s), with a configuration that proposes
# file $1 in folder $dataFolder (default the work folder); further arguments are the viewer's
# command line. Sets viewerPid; the viewer's output is added to viewer.log.
startViewer() {
  local end=$'\n'
  ((${#runner[@]} == 0)) || end=$'\r\n'
  printf "// written by the end-to-end test${end}data_dir=%s${end}data_file=%s${end}" \
    "$(configFolder "${dataFolder:-$workDir}")" "$1" >"$workDir/dunmoor.cfg"
  shift
  (cd "$workDir" && PATH=$viewerPath exec "$timeoutProgram" 120 "${runner[@]}" "$viewer" "$@") \
    >>"$workDir/viewer.log" 2>&1 &
  viewerPid=$!
}

# Sends signal $1 to the viewer process (the child of `timeout`).
signalViewer() { kill "-$1" "$(pgrep -P "$viewerPid" | head -n1)"; }

# Waits at most $1 seconds (default 20) for the viewer to end; sets status to its exit
# status, or to "running" while it has not ended. Once it has ended, status stays.
# A viewer started as a process group leader may leave its mode watcher putting the screen
# back: the next viewer must not meet a screen halfway through that.
waitViewer() {
  [[ -n "$viewerPid" ]] || return 0
  status=running
  waitFor "${1:-20}" noProcess "$viewerPid" || return 0
  status=0
  wait "$viewerPid" || status=$?
  waitFor 5 noProcessGroup "$viewerPid" || true
  viewerPid=""
}
noProcess() { ! kill -0 "$1" 2>/dev/null; }

# Waits at most $3 seconds (default 20) for the viewer to end after $2 (what ended it) and
# fails unless it ended with status $1.
expectEnd() {
  waitViewer "${3:-20}"
  [[ "$status" != running ]] || fail "the viewer did not end within ${3:-20} s after $2"
  [[ "$status" == "$1" ]] || fail "$2 ended with status $status, not $1"
}

# Esc ends the viewer with status 1, a normal end ($1 says when, for the message).
endWithEsc() {
  xdotool key Escape
  expectEnd 1 "${1:-Esc}"
}

# Waits for the viewer window; fails with $1 (or a plain message) when it is not shown.
expectViewerShown() { waitFor 20 viewerShown || fail "${1:-the viewer window was not shown}"; }

# Starts the viewer on the sample level, accepted in the dialog, and waits for its window.
startOnSample() {
  writeSample
  startViewer sample.dnl
  answerDialog Return || fail "the file dialog did not accept the proposed sample level"
  expectViewerShown
}

# The first line of the window tree naming an "Error" box, or nothing.
errorBoxLine() { xwininfo -root -tree | grep '"Error": ()' | head -n1 || true; }
hasErrorBox() { [[ -n "$(errorBoxLine)" ]]; }

# Waits for an "Error" box, gives it the keyboard and dismisses it with Return, the pointer
# over it. A box wider than the screen starts left of it: the pointer goes to its middle.
dismissErrorBox() {
  waitFor 20 hasErrorBox || return 1
  sleep 0.5
  local line top
  line=$(errorBoxLine)
  top=$(echo "$line" | sed -E 's/.*[0-9]+x[0-9]+[+-]-?[0-9]+[+-](-?[0-9]+) .*/\1/')
  xdotool mousemove 320 $((top + 10))
  xdotool windowfocus --sync "$(echo "$line" | awk '{print $1}')" 2>/dev/null || true
  sleep 0.3
  xdotool key Return
}

# Dismisses the "Error" box that must come now; fails with $1 when none comes.
expectErrorBox() { dismissErrorBox || fail "$1"; }

# Number of pixels that differ between two screenshots above the status line.
differingPixels() {
  convert "$1" "$2" -crop 640x456+0+0 +repage -metric AE -compare -format '%[distortion]' info:
}

# Normalised RMSE between two pictures, times 1000 (an integer). compare's status says
# whether they differ at all, which is not the question here.
rmsePermille() {
  { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -E 's/.*\(([0-9.e-]+)\).*/\1/' |
    awk '{printf "%d", $1 * 1000}'
}

# Fails unless picture $1 matches picture $2 within a normalised RMSE of 0.02; $3 names it.
expectSamePicture() {
  local rmse
  rmse=$(rmsePermille "$1" "$2")
  echo "$3: normalised RMSE $rmse/1000"
  ((rmse < 20)) || fail "$3: the pictures differ (normalised RMSE $rmse/1000)"
}

# Number of distinct colours in a screenshot.
colourCount() { identify -format '%k' "$1"; }

# Waits for the viewer window, lets it draw for $1 seconds, and checks in the screenshot
# 1-start.png in $workDir that the level is drawn textured.
checkStartDrawn() {
  expectViewerShown
  sleep "$1"
  screenshot "$workDir/1-start.png"
  local colours
  colours=$(colourCount "$workDir/1-start.png")
  ((colours >= 64)) || fail "the level is not drawn textured ($colours colours)"
}

# The status line's first 120 columns as a row of marks, # where the 4 key took text away
# (the difference between $1, status on, and $2, status off) and . where it did not.
statusColumns() {
  convert "$1" "$2" "${statusLineCrop[@]}" -compose difference -composite -threshold 10% \
    -crop 120x24+0+0 +repage -filter box -resize '120x1!' -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 {printf "%s", ($4 + 0 > 0) ? "#" : "."} END {print ""}'
}

# A flight through the sample level, on either system: the level drawn, key 4 taking only the
# status line away, the help, fog and far-plane keys (each far-plane step given $1 s to
# settle), moving and R, mouse look, and Esc.
checkFlight() {
  startOnSample
  checkStartDrawn 3
  shootAfter 1-no-status key 4
  xdotool key 4
  expectUnchanged 1-start 1-no-status "4 changed more than the status line"
  # "F1=Help FPS=": the first blank of a glyph's width (4 columns or more, wider than the
  # gaps inside the text) comes after the 7th glyph; without its advance the space would
  # leave none before the end of the line.
  local columns text before
  columns=$(statusColumns "$workDir/1-start.png" "$workDir/1-no-status.png")
  echo "status line: $columns"
  text=${columns#*#}
  [[ "$text" != "$columns" ]] || fail "no status line"
  before=${text%%....*}
  ((${#before} > 40 && ${#before} < 64)) ||
    fail "no space after F1=Help (first blank after $((${#before} + 1)) text columns)"
  sleep 1
  checkHelpAndFog "$1"
  checkMoveAndReset
  # Mouse look: a pointer move turns the view, and the viewer puts the pointer back on the
  # centre of its client area, inside the border. Put back anywhere else, the same move back
  # turns by a different amount, or (outside the 1-pixel dead zone) the view keeps turning.
  screenshot "$workDir/look-start.png"
  shootAfter look-right mousemove_relative 40 0
  expectChanged look-start look-right "moving the pointer did not turn the view"
  shootAfter look-back mousemove_relative -- -40 0
  expectUnchanged look-start look-back \
    "the move back did not turn the view back: the pointer is not put back on the client area's centre"
  sleep 1
  screenshot "$workDir/look-still.png"
  expectUnchanged look-back look-still \
    "the view turns on with the pointer at rest: put back outside the dead zone"
  endWithEsc
}

# Runs the xdotool command "$@", lets the viewer draw for $settle seconds (default 1) and
# takes screenshot $1.png in the work folder, of window $shotWindow (default the screen).
shootAfter() {
  local name=$1
  shift
  xdotool "$@"
  sleep "${settle:-1}"
  import -window "${shotWindow:-root}" "$workDir/$name.png"
}

# True when the screen now differs from screenshot $1 (a name in the work folder) in more
# (pictureDiffersFrom) or fewer (pictureSameAs) than $2 pixels above the status line.
pictureDiffersFrom() { screenshot "$workDir/now.png" && (($(differingPixels "$workDir/$1.png" "$workDir/now.png") > $2)); }
pictureSameAs() { screenshot "$workDir/now.png" && (($(differingPixels "$workDir/$1.png" "$workDir/now.png") < $2)); }

# Fails with $3 unless screenshots $1 and $2 (names in the work folder) differ above the
# status line in more than $4 pixels (default 500).
expectChanged() {
  local pixels
  pixels=$(differingPixels "$workDir/$1.png" "$workDir/$2.png")
  ((pixels > ${4:-500})) || fail "$3 ($pixels pixels changed)"
}

# Fails with $3 unless screenshots $1 and $2 differ in fewer than $4 pixels (default 100).
expectUnchanged() {
  local pixels
  pixels=$(differingPixels "$workDir/$1.png" "$workDir/$2.png")
  ((pixels < ${4:-100})) || fail "$3 ($pixels pixels differ)"
}

# F1 shows and hides the help screen; with the far plane brought near (each 9 halves it, a
# rebuild that takes $1 seconds to settle), 2 switches fog on and off; the far plane goes
# back with 0 and the view is as before. Compares with 1-start.png in $workDir.
checkHelpAndFog() {
  shootAfter 2-help key F1
  expectChanged 1-start 2-help "F1 did not bring up the help screen"
  shootAfter 3-help-off key F1
  expectUnchanged 1-start 3-help-off "F1 again did not take the help screen away"
  # Fog starts at 0.8 of the far plane: bring the far plane near (9 halves it) to see it.
  settle=$1 shootAfter 4-near-far-plane key --delay 200 9 9 9
  shootAfter 5-fog key 2
  expectChanged 4-near-far-plane 5-fog "2 (fog) did not change the picture"
  xdotool key 2
  settle=$1 shootAfter 6-far-plane-back key --delay 200 0 0 0
  expectUnchanged 3-help-off 6-far-plane-back \
    "fog off and the far plane back did not restore the view"
}

# Holding Up moves the camera (slowed to the lowest speed first: movement is per frame) and
# R brings back the start view, compared with 3-help-off.png in $workDir.
checkMoveAndReset() {
  xdotool keydown bracketleft
  sleep 1
  xdotool keyup bracketleft
  xdotool keydown Up
  sleep 1
  settle=0.5 shootAfter moved keyup Up
  expectChanged 3-help-off moved "holding Up did not change the picture"
  shootAfter reset key r
  expectUnchanged 3-help-off reset "R did not return to the start view"
}
