#!/usr/bin/env bash
# End-to-end scenarios of the viewer in a window, on the whole desktop and following edits:
#   desktop  Xorg's dummy driver with openbox: --window=800x600 is an 800 x 600 client in a
#            frame of the window manager, neither top-most nor override-redirect, the
#            picture fills it and follows a resize; --fullscreen covers the 1024 x 768
#            screen; the screen mode never changes (sampled throughout).
#   watch    --watch: an edit written in place and one renamed over the file are shown with
#            the pose kept, a file cut short keeps the picture and says why; Esc ends with
#            1.
# Usage: window_e2e.sh SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR
set -u
scenario=$1
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
source "$here/desktop_session.sh"

requirePrograms Xvfb xdotool xwininfo xprop import compare
if [[ "$scenario" != watch ]]; then
  requirePrograms Xorg xrandr openbox
  [[ $(id -u) == 0 ]] || { echo "SKIP: Xorg with the dummy driver needs root"; exit 77; }
  ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 ||
    { echo "SKIP: no dummy video driver"; exit 77; }
fi
takeScenarioArguments "$@"
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
viewerPid="" samplerPid=""

cleanUp() {
  [[ -n "$samplerPid" ]] && kill "$samplerPid" 2>/dev/null
  [[ -n "$viewerPid" ]] && kill "$viewerPid" 2>/dev/null
  stopOpenbox
  stopXvfb
  stopXorg
}
trap cleanUp EXIT

# Starts the viewer on the sample level in the work folder with the options "$@".
startViewer() {
  (cd "$workDir" && exec timeout 90 "$viewer" "$@" sample.dnl) >>"$workDir/viewer.log" 2>&1 &
  viewerPid=$!
  waitFor 20 viewerShown || fail "the viewer window was not shown"
  sleep 1
  window=$(viewerWindow)
}

# Client width and height of window $1, "WxH".
clientSize() {
  xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}

# Screenshot $2 of window $1's client, cut from the screen (a shot of the window alone can
# lag behind what an OpenGL window shows).
clientShot() { import -window root -crop "$(clientSize "$1")$(clientOrigin "$1")" +repage "$2"; }
clientOrigin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF}
    /Absolute upper-left Y/ {y = $NF} END {print "+" x "+" y}'
}

# Fails unless the window's picture fills its client: its right and bottom strips drawn.
checkFills() {
  local shot=$workDir/$1.png size strip
  clientShot "$window" "$shot"
  size=$(clientSize "$window")
  for strip in "100x${size#*x}+$((${size%x*} - 100))+0" "${size%x*}x100+0+$((${size#*x} - 130))"; do
    convert "$shot" -crop "$strip" +repage "$shot.strip.png"
    (($(colourCount "$shot.strip.png") >= 32)) || fail "$1: the picture does not fill $strip"
  done
}

# The 640 x 480 window stands at the screen's origin (no window manager): its picture above
# the status line differs from screenshot $1 by more (differsFrom) or fewer (sameAs) pixels
# than $2.
differsFrom() { screenshot "$workDir/now.png" && (($(differingPixels "$workDir/$1.png" "$workDir/now.png") > $2)); }
sameAs() { screenshot "$workDir/now.png" && (($(differingPixels "$workDir/$1.png" "$workDir/now.png") < $2)); }
writeLevel() { "$sampleWriter" "$workDir/$1" "${@:2}" >/dev/null || fail "no level $1 written"; }

# Ends the viewer with Esc, which must give status 1.
endWithEsc() {
  xdotool key Escape
  waitViewer 10
  [[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
}

writeLevel sample.dnl
case "$scenario" in
  desktop)
    startXorgDummy "$workDir" || fail "Xorg did not start"
    waitFor 10 modeIs 1024x768 || fail "the user's mode is $(currentMode), not 1024x768"
    startOpenbox "$workDir" || fail "openbox did not start"
    (while sleep 0.2; do currentMode; done) >"$workDir/modes.txt" 2>/dev/null &
    samplerPid=$!
    startViewer --window=800x600
    [[ $(clientSize "$window") == 800x600 ]] || fail "the client is $(clientSize "$window")"
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')
    [[ -n "$extents" && "$extents" != "0, 0, 0, 0" ]] || fail "no frame: extents '$extents'"
    xwininfo -id "$window" | grep -q "Override Redirect State: no" || fail "override-redirect"
    xprop -id "$window" _NET_WM_STATE | grep -q ABOVE && fail "the window is top-most"
    checkFills 1-at-800x600
    xdotool windowsize --sync "$window" 1000 700
    sleep 1
    [[ $(clientSize "$window") == 1000x700 ]] || fail "resized to $(clientSize "$window")"
    checkFills 2-at-1000x700
    endWithEsc
    startViewer --fullscreen
    [[ "$(clientSize "$window") $(clientOrigin "$window")" == "1024x768 +0+0" ]] ||
      fail "the viewer covers $(clientSize "$window") $(clientOrigin "$window"), not the screen"
    checkFills 3-desktop
    endWithEsc
    kill "$samplerPid"
    samplerPid=""
    grep -v -x 1024x768 "$workDir/modes.txt" && fail "the screen mode changed while it ran"
    ;;
  watch)
    startXvfb "$workDir" 1024x768x24 || fail "Xvfb did not start"
    startViewer --window=640x480 --watch
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool keydown Up sleep 0.4 keyup Up  # away from the start pose
    sleep 1
    screenshot "$workDir/1-moved.png"
    writeLevel new.dnl --edge known
    cat "$workDir/new.dnl" >"$workDir/sample.dnl"
    waitFor 10 differsFrom 1-moved 20000 || fail "an edit written in place was not shown"
    writeLevel new.dnl
    mv "$workDir/new.dnl" "$workDir/sample.dnl"
    waitFor 10 sameAs 1-moved 3000 || fail "the level renamed back was not shown at the same pose"
    writeLevel new.dnl --edge known
    head -c 100000 "$workDir/new.dnl" >"$workDir/cut.dnl"
    mv "$workDir/cut.dnl" "$workDir/sample.dnl"
    waitFor 10 grep -q "not reloaded: the file ends before its last section" \
      "$workDir/viewer.log" || fail "a file cut short was not reported"
    sameAs 1-moved 3000 || fail "a file cut short changed the picture"
    hasErrorBox && fail "a box for a file cut short"
    endWithEsc
    ;;
  *) fail "unknown scenario" ;;
esac
echo "PASS: $scenario"
