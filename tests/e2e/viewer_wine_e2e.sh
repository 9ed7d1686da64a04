#!/usr/bin/env bash
# End-to-end scenarios of the Windows viewer under Wine on its own Xvfb: fly through the
# sample level (written by the Windows dnl-sample) and look around with the pointer, cancel
# the start-up dialog, choose a file that is not a level, and start on a screen that refuses
# the viewer's display mode; and the viewer in an 800 x 600 window and on the whole desktop.
# Usage: viewer_wine_e2e.sh fly|cancel|not-level|refused-mode|window VIEWER_EXE SAMPLE_EXE OUTPUT_DIR
set -u
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
source "$here/wine_session.sh"
requirePrograms wineserver Xvfb xdotool xwininfo import compare
takeScenarioArguments "$@"
scenarioLabel="wine $scenario"
viewerPid=""

cleanUp() {
  [[ -n "$viewerPid" ]] && kill "$viewerPid" 2>/dev/null
  stopWinePrefix
  stopXvfb
}
trap cleanUp EXIT

# Starts the viewer in the work folder, with a configuration that proposes $1.
startViewer() {
  printf '// written by the end-to-end test\r\ndata_dir=%s\r\ndata_file=%s\r\n' \
    "$(windowsPath "$workDir")" "$1" >"$workDir/dunmoor.cfg"
  (cd "$workDir" && exec timeout 90 "$wineProgram" "$viewer") >"$workDir/viewer.log" 2>&1 &
  viewerPid=$!
}

viewerShown() { xwininfo -name "Generic OpenGL Sample" 2>/dev/null | grep -q IsViewable; }

writeSample() {
  (cd "$workDir" && "$wineProgram" "$sampleWriter" sample.dnl) >/dev/null 2>&1 || fail "no sample level"
}

# The status line's first 120 columns as a row of marks, # where the 4 key took text away
# (the difference between $1, status on, and $2, status off) and . where it did not.
statusColumns() {
  convert "$1" "$2" -crop 640x24+0+456 +repage -compose difference -composite -threshold 10% \
    -crop 120x24+0+0 +repage -filter box -resize '120x1!' -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 {printf "%s", ($4 + 0 > 0) ? "#" : "."} END {print ""}'
}

screen=640x480x24
[[ "$scenario" == refused-mode || "$scenario" == window ]] && screen=1024x768x24
startXvfb "$workDir" "$screen" || fail "Xvfb did not start"
startWinePrefix || fail "no Wine prefix"

case "$scenario" in
  fly)
    # The dialog starts in the configured folder with the configured name: Return takes it.
    writeSample
    startViewer sample.dnl
    answerOpenDialog Return || fail "the Open dialog did not accept the proposed file"
    checkStartDrawn 3
    xdotool key 4
    sleep 1
    screenshot "$workDir/1-no-status.png"
    xdotool key 4
    # "F1=Help FPS=": the first blank of a glyph's width (4 columns or more, wider than the
    # gaps inside the text) comes after the 7th glyph; without its advance the space would
    # leave none before the end of the line.
    columns=$(statusColumns "$workDir/1-start.png" "$workDir/1-no-status.png")
    echo "status line: $columns"
    text=${columns#*#}
    [[ "$text" != "$columns" ]] || fail "no status line"
    before=${text%%....*}
    ((${#before} > 40 && ${#before} < 64)) ||
      fail "no space after F1=Help (first blank after $((${#before} + 1)) text columns)"
    sleep 1

    checkHelpAndFog 2
    sleep 2

    checkMoveAndReset

    # Mouse-look: a pointer move turns the view, and the viewer puts the pointer back on the
    # centre of its client area, inside the border. Put back anywhere else, the same move back
    # turns by a different amount, or (outside the 1-pixel dead zone) the view keeps turning.
    screenshot "$workDir/look-start.png"
    xdotool mousemove_relative 40 0
    sleep 1
    screenshot "$workDir/look-right.png"
    turned=$(differingPixels "$workDir/look-start.png" "$workDir/look-right.png")
    ((turned > 500)) || fail "moving the pointer did not turn the view ($turned pixels changed)"
    xdotool mousemove_relative -- -40 0
    sleep 1
    screenshot "$workDir/look-back.png"
    back=$(differingPixels "$workDir/look-start.png" "$workDir/look-back.png")
    ((back < 100)) ||
      fail "the move back did not turn the view back ($back pixels differ): the pointer is not put back on the client area's centre"
    sleep 1
    screenshot "$workDir/look-still.png"
    still=$(differingPixels "$workDir/look-back.png" "$workDir/look-still.png")
    ((still < 100)) ||
      fail "the view turns on with the pointer at rest ($still pixels changed): put back outside the dead zone"

    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
    ;;
  cancel)
    startViewer sample.dnl
    answerOpenDialog Escape || fail "the Open dialog did not come and go"
    dismissWineErrorBox || fail "no Error box"
    checkCancelledStartUp
    ;;
  not-level)
    head -c 3000 /dev/urandom >"$workDir/notalevel.dnl"
    chosen=$(windowsPath "$workDir/notalevel.dnl")
    startViewer notalevel.dnl
    answerOpenDialog "$chosen" || fail "the Open dialog did not take the path"
    dismissWineErrorBox || fail "no Error box"
    waitViewer
    [[ "$status" == 0 ]] || fail "a file that is not a level ended with status $status, not 0"
    expected="Error: Failed to open $chosen level file or the data file is invalid/corrupted"
    grep -qiF "$expected" "$workDir/viewer.log" || fail "the box did not name the chosen file"
    ;;
  refused-mode)
    # The screen has only its own mode: start-up and the first activation each report the
    # refusal once, and then the level is drawn with no further box.
    writeSample
    startViewer sample.dnl
    answerOpenDialog "$(windowsPath "$workDir/sample.dnl")" || {
      hasWindow Error && fail "a box came over the Open dialog: the viewer heard of the activation the dialog took"
      fail "the Open dialog did not take the path"
    }
    for cause in "the start-up's" "the first activation's"; do
      dismissWineErrorBox
      case $? in
        1) fail "no box for $cause refused mode" ;;
        2) fail "the box for $cause refused mode stays or comes back: the viewer heard of the activation it took" ;;
      esac
    done
    sleep 3
    hasWindow Error && fail "a third box came: the refusal repeats"
    reports=$(grep -c "Error: Return=-2, The graphics mode is not supported." "$workDir/viewer.log")
    [[ "$reports" == 2 ]] || fail "$reports reports of the refused mode, not 2"
    screenshot "$workDir/1-drawn.png"
    convert "$workDir/1-drawn.png" -crop 640x480+0+0 +repage "$workDir/1-window.png"
    colours=$(colourCount "$workDir/1-window.png")
    ((colours >= 64)) || fail "the level is not drawn after the reports ($colours colours)"
    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
    ;;
  window)
    # --window=800x600 names the level: an 800 x 600 client inside the window's frame, drawn
    # to its right and bottom edges, and no display-mode box.
    writeSample
    (cd "$workDir" && exec timeout 90 "$wineProgram" "$viewer" --window=800x600 sample.dnl) \
      >"$workDir/viewer.log" 2>&1 &
    viewerPid=$!
    waitFor 30 viewerShown || fail "the viewer window was not shown"
    sleep 3
    eval "$(xdotool getwindowgeometry --shell "$(windowNamed "Generic OpenGL Sample")" |
      grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr 'A-Z' 'a-z')"
    [[ "${width}x${height}" == 800x600 ]] || fail "the client is ${width}x${height}"
    ((x > 0 && y > 0)) || fail "no frame around the client at $x,$y"
    screenshot "$workDir/1-window.png"
    convert "$workDir/1-window.png" -crop "100x100+$((x + 700))+$((y + 470))" +repage \
      "$workDir/1-corner.png"
    (($(colourCount "$workDir/1-corner.png") >= 32)) || fail "the picture does not fill the client"
    hasWindow Error && fail "a box in a window"
    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
    # --fullscreen: the whole 1024 x 768 screen, without a frame.
    (cd "$workDir" && exec timeout 90 "$wineProgram" "$viewer" --fullscreen sample.dnl) \
      >"$workDir/viewer.log" 2>&1 &
    viewerPid=$!
    waitFor 30 viewerShown || fail "the desktop viewer was not shown"
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$(windowNamed "Generic OpenGL Sample")" |
      grep -E '^(X|Y|WIDTH|HEIGHT)=' | tr 'A-Z' 'a-z')"
    [[ "${width}x${height}+$x+$y" == 1024x768+0+0 ]] || fail "the desktop is ${width}x${height}+$x+$y"
    xdotool key Escape
    waitViewer
    [[ "$status" == 1 ]] || fail "Esc on the desktop ended with status $status, not 1"
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "PASS (wine $scenario): screenshots in $workDir"
