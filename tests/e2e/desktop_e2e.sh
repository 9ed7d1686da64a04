#!/usr/bin/env bash
# End-to-end scenarios of the viewer on a real desktop:
#   openbox  under a window manager on a screen without 640x480: the refused mode's boxes sit
#            above the viewer, and the viewer draws and takes keys after them; Esc ends with 1.
#   refused  the same screen with no window manager: the viewer gets the keyboard back.
#   mode     Xorg's dummy driver: the screen is 640x480 while the viewer runs and the user's
#            1024x768 is back after Esc, SIGTERM, SIGKILL, a signal during a box and a failed
#            start-up.
#   dialog   the case-blind filter, a missing configured folder, and F6 after a level named
#            on the command line.
#   window   Xorg's dummy driver with openbox: --window=800x600 is an 800 x 600 client in a
#            frame of the window manager, neither top-most nor override-redirect, the picture
#            fills it and follows a resize; --fullscreen covers the 1024 x 768 screen and F6
#            brings up the dialog there; the screen mode never changes (sampled throughout).
# Usage: desktop_e2e.sh SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR
set -euo pipefail
scenario=$1
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
source "$here/desktop_session.sh"

requirePrograms Xvfb xdotool xwininfo xprop zenity import compare
[[ "$scenario" != openbox ]] || requirePrograms openbox
[[ "$scenario" != mode && "$scenario" != window ]] || requireXorgDummy
[[ "$scenario" != window ]] || requirePrograms openbox
takeScenarioArguments "$@"

case "$scenario" in
  openbox | refused)
    # A 1024x768 screen that offers no 640x480 mode: both switches are refused and reported.
    startXvfb "$workDir" 1024x768x16 || fail "Xvfb did not start"
    [[ "$scenario" != openbox ]] || startOpenbox "$workDir" || fail "openbox did not start"
    writeSample
    startViewer sample.dnl
    answerDialog Return || fail "the file dialog did not come and go"
    expectErrorBox "no box for the refused mode at start-up"
    expectViewerShown
    waitFor 20 hasErrorBox || fail "no box for the refused mode on activation"
    if [[ "$scenario" == openbox ]]; then
      sleep 0.5
      stackedAbove "$(errorBoxWindow)" "$(viewerWindow)" ||
        fail "the box opened underneath the viewer window"
    fi
    expectErrorBox "the box on activation could not be dismissed"
    sleep 2
    window=$(viewerWindow)
    shotWindow=$window  # the screen is larger than the window
    import -window "$window" "$workDir/1-after-boxes.png"
    colours=$(colourCount "$workDir/1-after-boxes.png")
    ((colours >= 64)) || fail "the viewer does not draw after the boxes ($colours colours)"
    shootAfter 2-help key F1
    expectChanged 1-after-boxes 2-help "the viewer does not take keys after the boxes"
    endWithEsc
    ;;
  mode)
    startXorgDummy "$workDir" || fail "Xorg did not start"
    waitFor 10 modeIs 1024x768 || fail "the user's mode is $(currentMode), not 1024x768"
    writeSample
    for ending in Esc SIGTERM SIGKILL box-signal; do
      startViewer sample.dnl
      answerDialog Return || fail "the file dialog did not come and go ($ending)"
      expectViewerShown "the viewer window was not shown ($ending)"
      waitFor 10 modeIs 640x480 || fail "the screen is $(currentMode) while the viewer runs"
      sleep 1
      case "$ending" in
        Esc) xdotool key Escape ;;
        SIGTERM) signalViewer TERM ;;
        SIGKILL) signalViewer KILL ;;
        box-signal)
          # A signal while a box is open: F6, cancel, and the "Error" box stays up.
          xdotool key F6
          answerDialog Escape || fail "F6 did not bring up the file dialog"
          waitFor 20 hasErrorBox || fail "no box after cancelling the F6 dialog"
          signalViewer TERM
          ;;
      esac
      expected=1
      [[ "$ending" != SIGKILL ]] || expected=137
      expectEnd "$expected" "$ending" 4
      waitFor 5 modeIs 1024x768 || fail "the user's mode is not back after $ending: $(currentMode)"
    done
    # A failed start-up (a named file that is not a level) leaves the user's mode alone.
    head -c 3000 /dev/urandom >"$workDir/notalevel.dnl"
    startViewer sample.dnl notalevel.dnl
    expectErrorBox "no box for a named file that is not a level"
    expectEnd 0 "a failed start-up"
    modeIs 1024x768 || fail "the user's mode is not back after a failed start-up"
    ;;
  dialog)
    startXvfb "$workDir" || fail "Xvfb did not start"
    mkdir -p "$workDir/sub" "$workDir/bin-zenity"
    writeSample LEVEL.DNL
    writeSample sub/Level.Dnl
    # A stand-in for zenity: it records its arguments and chooses LEVEL.DNL.
    printf '#!/bin/bash\nprintf "%%s\\n" "$@" >%q\necho %q\n' "$workDir/zenity-arguments" \
      "$workDir/LEVEL.DNL" >"$workDir/bin-zenity/zenity"
    chmod +x "$workDir/bin-zenity/zenity"

    # The filter is blind to case; a missing folder starts in the working one.
    viewerPath=$workDir/bin-zenity
    dataFolder=/no/such/folder startViewer sample.dnl
    expectViewerShown "the viewer did not start with zenity's choice"
    grep -qx -- "--filename=$workDir/sample.dnl" "$workDir/zenity-arguments" ||
      fail "the dialog did not start in the working folder: $(grep filename "$workDir/zenity-arguments")"
    grep -qxF -- "--file-filter=DNL Files | *.[dD][nN][lL]" "$workDir/zenity-arguments" ||
      fail "zenity was not given the case-blind filter"
    endWithEsc

    # A level named on the command line: no dialog at start, F6 asks in its folder.
    rm -f "$workDir/zenity-arguments"
    startViewer sample.dnl sub/Level.Dnl
    expectViewerShown "the viewer did not start with the named level"
    [[ ! -e "$workDir/zenity-arguments" ]] || fail "a dialog was shown for a named level"
    xdotool key F6
    waitFor 10 test -e "$workDir/zenity-arguments" || fail "F6 did not ask for a level"
    grep -qx -- "--filename=sub/Level.Dnl" "$workDir/zenity-arguments" ||
      fail "F6 did not start in the named level's folder"
    sleep 1
    endWithEsc "Esc after F6"

    ;;
  window)
    startXorgDummy "$workDir" || fail "Xorg did not start"
    waitFor 10 modeIs 1024x768 || fail "the user's mode is $(currentMode), not 1024x768"
    startOpenbox "$workDir" || fail "openbox did not start"
    (while sleep 0.2; do currentMode; done) >"$workDir/modes.txt" 2>/dev/null &
    samplerPid=$!
    atExit stopProcess samplerPid
    writeSample
    startViewer sample.dnl --window=800x600 sample.dnl
    expectViewerShown
    sleep 1
    window=$(viewerWindow)
    [[ $(clientSize "$window") == 800x600 ]] || fail "the client is $(clientSize "$window")"
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')
    [[ -n "$extents" && "$extents" != "0, 0, 0, 0" ]] || fail "no frame: extents '$extents'"
    xwininfo -id "$window" | grep -q "Override Redirect State: no" || fail "override-redirect"
    ! xprop -id "$window" _NET_WM_STATE | grep -q ABOVE || fail "the window is top-most"
    checkFills "$window" 1-at-800x600
    xdotool windowsize --sync "$window" 1000 700
    sleep 1
    [[ $(clientSize "$window") == 1000x700 ]] || fail "resized to $(clientSize "$window")"
    checkFills "$window" 2-at-1000x700
    endWithEsc
    startViewer sample.dnl --fullscreen sample.dnl
    expectViewerShown
    sleep 1
    window=$(viewerWindow)
    [[ "$(clientSize "$window") $(clientOrigin "$window")" == "1024x768 +0+0" ]] ||
      fail "the viewer covers $(clientSize "$window") $(clientOrigin "$window"), not the screen"
    checkFills "$window" 3-desktop
    xdotool key F6  # the dialog over the desktop, then Esc, as in the 640 x 480 mode
    answerDialog Return || fail "F6 on the desktop brought up no file dialog"
    expectViewerShown "the viewer did not come back after F6 on the desktop"
    sleep 1
    endWithEsc "Esc after F6 on the desktop"
    stopProcess samplerPid
    ! grep -v -x 1024x768 "$workDir/modes.txt" || fail "the screen mode changed while it ran"
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "PASS ($scenario): screenshots in $workDir"
