#!/usr/bin/env bash
# End-to-end scenarios of the real viewer under its own Xvfb: fly through the sample level,
# cancel the start-up dialog, the command line (options, misuse, a named level), and --watch:
# an edit written in place and one renamed over the file are shown with the pose kept, a file
# cut short keeps the picture and says why.
# Usage: viewer_e2e.sh SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR, SCENARIO one of fly, cancel,
# command-line, watch
set -euo pipefail
source "$(dirname "$(realpath "$0")")/x_session.sh"
requirePrograms Xvfb xdotool xwininfo zenity import compare
takeScenarioArguments "$@"

startXvfb "$workDir" || fail "Xvfb did not start"

case "$scenario" in
  fly)
    checkFlight 1
    ;;
  cancel)
    startViewer sample.dnl
    answerDialog Escape || fail "the file dialog did not come and go"
    # A box says that no level file was selected and, dismissed, the viewer ends with 0.
    expectErrorBox "no Error box"
    expectEnd 0 "a cancelled dialog"
    grep -q "Error: Failed to select a DNM level file" "$workDir/viewer.log" ||
      fail "the box did not say that no level file was selected"
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
