#!/usr/bin/env bash
# End-to-end scenarios of the Windows viewer under Wine on its own Xvfb: fly through the
# sample level (written by the Windows dnl-sample) and look around with the pointer, cancel
# the start-up dialog, start on a screen that refuses the viewer's display mode, and show the
# viewer in an 800 x 600 window, saving its picture with F12, and on the whole desktop.
# Usage: viewer_wine_e2e.sh fly|cancel|refused-mode|window VIEWER_EXE SAMPLE_EXE OUTPUT_DIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
source "$here/wine_session.sh"
requirePrograms wineserver Xvfb xdotool xwininfo import compare
takeScenarioArguments "$@"
scenarioLabel="wine $scenario"

screen=640x480x24
[[ "$scenario" != refused-mode && "$scenario" != window ]] || screen=1024x768x24
startXvfb "$workDir" "$screen" || fail "Xvfb did not start"
startWinePrefix || fail "no Wine prefix"

case "$scenario" in
  fly)
    # The dialog starts in the configured folder with the configured name: Return takes it.
    checkFlight 2
    ;;
  cancel)
    startViewer sample.dnl
    answerDialog Escape || fail "the Open dialog did not come and go"
    checkCancelledStartUp
    ;;
  refused-mode)
    # The screen has only its own mode: start-up and the first activation each report the
    # refusal once, and then the level is drawn with no further box.
    writeSample
    startViewer sample.dnl
    answerDialog "$(windowsPath "$workDir/sample.dnl")" || {
      ! hasWindow Error ||
        fail "a box came over the Open dialog: the viewer heard of the activation the dialog took"
      fail "the Open dialog did not take the path"
    }
    for cause in "the start-up's" "the first activation's"; do
      box=0
      dismissErrorBox || box=$?
      case $box in
        1) fail "no box for $cause refused mode" ;;
        2) fail "the box for $cause refused mode stays or comes back: the viewer heard of the activation it took" ;;
      esac
    done
    sleep 3
    ! hasWindow Error || fail "a third box came: the refusal repeats"
    reports=$(grep -c "Error: Return=-2, The graphics mode is not supported." "$workDir/viewer.log" || true)
    [[ "$reports" == 2 ]] || fail "$reports reports of the refused mode, not 2"
    screenshot "$workDir/1-drawn.png"
    convert "$workDir/1-drawn.png" -crop 640x480+0+0 +repage "$workDir/1-window.png"
    colours=$(colourCount "$workDir/1-window.png")
    ((colours >= 64)) || fail "the level is not drawn after the reports ($colours colours)"
    endWithEsc
    ;;
  window)
    # --window=800x600 names the level: an 800 x 600 client inside the window's frame, drawn
    # to its right and bottom edges, and no display-mode box.
    writeSample
    startViewer sample.dnl --window=800x600 sample.dnl
    expectViewerShown
    sleep 3
    windowGeometry "$(viewerWindow)"
    [[ "${width}x${height}" == 800x600 ]] || fail "the client is ${width}x${height}"
    ((x > 0 && y > 0)) || fail "no frame around the client at $x,$y"
    screenshot "$workDir/1-window.png"
    convert "$workDir/1-window.png" -crop "100x100+$((x + 700))+$((y + 470))" +repage \
      "$workDir/1-corner.png"
    (($(colourCount "$workDir/1-corner.png") >= 32)) || fail "the picture does not fill the client"
    ! hasWindow Error || fail "a box in a window"
    # F12 saves the client's picture as a PNG named after the level in the Pictures folder,
    # whose path the viewer prints.
    xdotool key F12
    sleep 2
    saved=$(tr -d '\r' <"$workDir/viewer.log" | grep -a '\.png$' | tail -n1)
    [[ "$saved" == *'\sample-'*.png ]] || fail "F12 printed no picture path named after the level"
    [[ "$saved" == *Pictures* ]] || fail "$saved is not in the Pictures folder"
    unixPath=$("$wineProgram" winepath -u "$saved" 2>/dev/null | tr -d '\r')
    picture=$(identify -format '%m %wx%h' "$unixPath")
    rm -f "$unixPath"  # the prefix's Pictures may be the user's own folder
    [[ "$picture" == "PNG 800x600" ]] || fail "$saved is not the client's 800 x 600 PNG ($picture)"
    endWithEsc
    # --fullscreen: the whole 1024 x 768 screen, without a frame.
    startViewer sample.dnl --fullscreen sample.dnl
    expectViewerShown "the desktop viewer was not shown"
    sleep 2
    windowGeometry "$(viewerWindow)"
    [[ "${width}x${height}+$x+$y" == 1024x768+0+0 ]] || fail "the desktop is ${width}x${height}+$x+$y"
    endWithEsc "Esc on the desktop"
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "PASS (wine $scenario): screenshots in $workDir"
