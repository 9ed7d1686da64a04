#!/usr/bin/env bash
# End-to-end scenarios of the real viewer under its own Xvfb: fly through the sample level,
# rebuild a hundred times, load again with F6, end on SIGTERM, cancel the start-up dialog,
# choose a file that is not a level, and the command line (options, misuse, a named level).
# Usage: viewer_e2e.sh SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR, SCENARIO one of fly, rebuild,
# reload, signal, cancel, not-level, command-line
set -u
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
requirePrograms Xvfb xdotool xwininfo zenity import compare
takeScenarioArguments "$@"
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
viewerPid=""

cleanUp() {
  [[ -n "$viewerPid" ]] && kill "$viewerPid" 2>/dev/null
  stopXvfb
}
trap cleanUp EXIT

# Starts the viewer in the work folder, with a configuration that proposes $1; further
# arguments are the viewer's command line.
startViewer() {
  printf '// written by the end-to-end test\ndata_dir=%s\ndata_file=%s\n' "$workDir" "$1" \
    >"$workDir/dunmoor.cfg"
  shift
  (cd "$workDir" && exec timeout 90 "$viewer" "$@") >"$workDir/viewer.log" 2>&1 &
  viewerPid=$!
}

# Resident memory of the viewer process (the child of `timeout`), in kB.
residentKb() {
  local pid
  pid=$(pgrep -P "$viewerPid" | head -n1)
  awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"
}

startXvfb "$workDir" || fail "Xvfb did not start"

case "$scenario" in
  fly)
    "$sampleWriter" "$workDir/sample.dnl" >/dev/null || fail "no sample level"
    startViewer sample.dnl
    answerDialog Return || fail "the file dialog did not come and go"
    checkStartDrawn 3
    # The status line is the bottom text row; 4 takes it away and leaves the rest as it was.
    xdotool key 4
    sleep 1
    screenshot "$workDir/1-no-status.png"
    convert "$workDir/1-start.png" -crop 640x24+0+456 +repage "$workDir/status-on.png"
    convert "$workDir/1-no-status.png" -crop 640x24+0+456 +repage "$workDir/status-off.png"
    status=$(compare -metric AE "$workDir/status-on.png" "$workDir/status-off.png" null: 2>&1 |
      cut -d' ' -f1)
    ((status > 300)) || fail "no status line ($status pixels of text)"
    rest=$(differingPixels "$workDir/1-start.png" "$workDir/1-no-status.png")
    ((rest < 100)) || fail "4 changed more than the status line ($rest pixels)"
    xdotool key 4
    sleep 1

    checkHelpAndFog 1
    sleep 1
    screenshot "$workDir/6-far-plane-back.png"
    same=$(differingPixels "$workDir/3-help-off.png" "$workDir/6-far-plane-back.png")
    ((same < 100)) || fail "fog off and the far plane back did not restore the view ($same)"

    checkMoveAndReset

    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
    ;;
  reload)
    # F6 asks again and loads the chosen level; cancelling that dialog ends the viewer.
    "$sampleWriter" "$workDir/sample.dnl" >/dev/null || fail "no sample level"
    startViewer sample.dnl
    answerDialog Return || fail "the file dialog did not come and go"
    waitFor 20 viewerShown || fail "the viewer window was not shown"
    sleep 1
    screenshot "$workDir/1-start.png"
    xdotool key F6
    answerDialog Return || fail "F6 did not bring up the file dialog"
    waitFor 20 viewerShown || fail "the viewer window did not come back"
    sleep 2
    screenshot "$workDir/2-reloaded.png"
    same=$(differingPixels "$workDir/1-start.png" "$workDir/2-reloaded.png")
    ((same < 100)) || fail "the reloaded level does not start at its start view ($same)"
    xdotool key F6
    answerDialog Escape || fail "F6 did not bring up the file dialog again"
    dismissErrorBox || fail "no Error box after cancelling the F6 dialog"
    waitViewer
    # The main loop was running, so the quit that follows is a normal end.
    [[ "$status" == 1 ]] || fail "a cancelled F6 dialog ended with status $status, not 1"
    ;;
  signal)
    # SIGTERM while drawing ends the viewer the way closing its window does.
    "$sampleWriter" "$workDir/sample.dnl" >/dev/null || fail "no sample level"
    startViewer sample.dnl
    answerDialog Return || fail "the file dialog did not come and go"
    waitFor 20 viewerShown || fail "the viewer window was not shown"
    sleep 1
    kill -TERM "$(pgrep -P "$viewerPid" | head -n1)"
    waitViewer
    [[ "$status" == 1 ]] || fail "SIGTERM ended with status $status, not 1"
    ;;
  cancel)
    startViewer sample.dnl
    answerDialog Escape || fail "the file dialog did not come and go"
    dismissErrorBox || fail "no Error box"
    checkCancelledStartUp
    ;;
  not-level)
    head -c 3000 /dev/urandom >"$workDir/notalevel.dnl"
    startViewer notalevel.dnl
    answerDialog Return || fail "the file dialog did not come and go"
    dismissErrorBox || fail "no Error box"
    waitViewer
    [[ "$status" == 0 ]] || fail "a file that is not a level ended with status $status, not 0"
    expected="Error: Failed to open $workDir/notalevel.dnl level file or the data file is invalid/corrupted"
    grep -qF "$expected" "$workDir/viewer.log" || fail "the box did not name the chosen file"
    ;;
  rebuild)
    # Keys 1, 0 and 9 rebuild the rendering state; doing so many times must not grow memory.
    "$sampleWriter" "$workDir/sample.dnl" >/dev/null || fail "no sample level"
    startViewer sample.dnl
    answerDialog Return || fail "the file dialog did not come and go"
    waitFor 20 viewerShown || fail "the viewer window was not shown"
    sleep 1
    xdotool key --delay 30 --repeat 20 1
    sleep 1
    before=$(residentKb)
    xdotool key --delay 30 --repeat 50 1
    xdotool key --delay 30 --repeat 25 0
    xdotool key --delay 30 --repeat 25 9
    sleep 2
    after=$(residentKb)
    echo "resident memory after 20 rebuilds: $before kB, after 120: $after kB"
    ((after - before < 16384)) || fail "memory grew by $((after - before)) kB over 100 rebuilds"
    screenshot "$workDir/rebuilt.png"
    colours=$(colourCount "$workDir/rebuilt.png")
    ((colours >= 64)) || fail "the level is not drawn after the rebuilds ($colours colours)"
    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
    ;;
  command-line)
    # The options' statuses are checked in the command-line unit test; here where the texts go.
    "$viewer" --help | grep -q "^Usage: dunmoor-viewer \[OPTIONS\] \[LEVEL\]" || fail "--help shows no usage"
    "$viewer" --version | grep -q "^dunmoor-viewer [0-9]" || fail "--version shows no version"
    "$viewer" --verbose 2>&1 >/dev/null | grep -q "^Usage: " || fail "misuse wrote no usage to stderr"
    # A named level starts without the dialog; "--" lets a name start with "-".
    "$sampleWriter" "$workDir/-sample.dnl" >/dev/null || fail "no sample level"
    startViewer jungle.dnl -- -sample.dnl
    waitFor 20 viewerShown || fail "the named level was not shown without the dialog"
    hasZenity && fail "the dialog came although a level was named"
    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
    # A named path too long to keep is reported whole and never loaded cut short.
    long="$workDir/$(printf 'd%.0s' {1..140})/level.dnl"
    startViewer jungle.dnl "$long"
    dismissErrorBox || fail "no Error box for a named path too long to load"
    waitViewer
    [[ "$status" == 0 ]] || fail "a named path too long ended with status $status, not 0"
    grep -qF "Error: Failed to open $long level file" "$workDir/viewer.log" ||
      fail "the box did not name the whole path"
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "PASS ($scenario): screenshots in $workDir"
