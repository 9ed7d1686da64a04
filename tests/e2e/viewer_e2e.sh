#!/usr/bin/env bash
# End-to-end scenarios of the real viewer under its own Xvfb: fly through the sample level,
# load again with F6 and rebuild a hundred times, cancel the start-up dialog, the command line
# (options, misuse, a named level), and --watch: an edit written in place and one renamed
# over the file are shown with the pose kept, a file cut short keeps the picture and says why.
# Usage: viewer_e2e.sh SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR, SCENARIO one of fly, reload,
# cancel, command-line, watch
set -euo pipefail
source "$(dirname "$(realpath "$0")")/x_session.sh"
requirePrograms Xvfb xdotool xwininfo zenity import compare
takeScenarioArguments "$@"

# Resident memory of the viewer process (the child of `timeout`), in kB.
residentKb() { awk '/^VmRSS:/ {print $2}' "/proc/$(pgrep -P "$viewerPid" | head -n1)/status"; }

startXvfb "$workDir" || fail "Xvfb did not start"

case "$scenario" in
  fly)
    checkFlight 1
    ;;
  reload)
    # F6 asks again and loads the chosen level; cancelling that dialog ends the viewer.
    startOnSample
    sleep 1
    screenshot "$workDir/1-start.png"
    xdotool key F6
    answerDialog Return || fail "F6 did not bring up the file dialog"
    expectViewerShown "the viewer window did not come back"
    sleep 2
    screenshot "$workDir/2-reloaded.png"
    expectUnchanged 1-start 2-reloaded "the reloaded level does not start at its start view"
    # Keys 1, 0 and 9 rebuild the rendering state; doing so many times must not grow memory.
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
    screenshot "$workDir/3-rebuilt.png"
    colours=$(colourCount "$workDir/3-rebuilt.png")
    ((colours >= 64)) || fail "the level is not drawn after the rebuilds ($colours colours)"
    xdotool key F6
    answerDialog Escape || fail "F6 did not bring up the file dialog again"
    expectErrorBox "no Error box after cancelling the F6 dialog"
    # The main loop was running, so the quit that follows is a normal end.
    expectEnd 1 "a cancelled F6 dialog"
    ;;
  cancel)
    startViewer sample.dnl
    answerDialog Escape || fail "the file dialog did not come and go"
    checkCancelledStartUp
    ;;
  command-line)
    # The options' statuses are checked in the command-line unit test; here where the texts go.
    [[ $("$viewer" --help) == *"Usage: dunmoor-viewer [OPTIONS] [LEVEL]"* ]] || fail "--help shows no usage"
    [[ $("$viewer" --version) == "dunmoor-viewer "[0-9]* ]] || fail "--version shows no version"
    misuse=$("$viewer" --verbose 2>&1 >/dev/null || true)
    [[ $misuse == *"--verbose"*"Usage: "* ]] || fail "misuse was not named, with the usage, on stderr"
    # A named level starts without the dialog; "--" lets a name start with "-".
    writeSample "$workDir/-sample.dnl"
    startViewer jungle.dnl -- -sample.dnl
    expectViewerShown "the named level was not shown without the dialog"
    ! hasDialog || fail "the dialog came although a level was named"
    endWithEsc
    # A named path too long to keep is reported whole and never loaded cut short.
    long="$workDir/$(printf 'd%.0s' {1..140})/level.dnl"
    startViewer jungle.dnl "$long"
    expectErrorBox "no Error box for a named path too long to load"
    expectEnd 0 "a named path too long"
    grep -qF "Error: Failed to open $long level file" "$workDir/viewer.log" ||
      fail "the box did not name the whole path"
    ;;
  watch)
    writeSample
    startViewer sample.dnl --watch sample.dnl
    checkStartDrawn 1
    xdotool keydown Up sleep 0.4 keyup Up  # away from the start pose
    sleep 1
    screenshot "$workDir/1-moved.png"
    writeSample new.dnl
    "$sampleWriter" "$workDir/known.dnl" --edge known >/dev/null
    cat "$workDir/known.dnl" >"$workDir/sample.dnl"
    waitFor 10 pictureDiffersFrom 1-moved 20000 || fail "an edit written in place was not shown"
    mv "$workDir/new.dnl" "$workDir/sample.dnl"
    waitFor 10 pictureSameAs 1-moved 3000 || fail "the level renamed back was not shown at the same pose"
    head -c 100000 "$workDir/known.dnl" >"$workDir/cut.dnl"
    mv "$workDir/cut.dnl" "$workDir/sample.dnl"
    waitFor 10 grep -q "not reloaded: the file ends before its last section" "$workDir/viewer.log" ||
      fail "a file cut short was not reported"
    pictureSameAs 1-moved 3000 || fail "a file cut short changed the picture"
    ! hasErrorBox || fail "a box for a file cut short"
    endWithEsc
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "PASS ($scenario): screenshots in $workDir"
