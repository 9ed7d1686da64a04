#!/usr/bin/env bash
# F12 in the Windows viewer under Wine on its own Xvfb: the window's picture is saved as a PNG
# under the level's name in the Pictures folder, whose path the viewer prints.
# Usage: screenshot_wine_e2e.sh f12 VIEWER_EXE SAMPLE_EXE OUTPUT_DIR
set -u
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
source "$here/wine_session.sh"
requirePrograms wineserver Xvfb xdotool xwininfo import identify
takeScenarioArguments "$@"
scenarioLabel="wine $scenario"
viewerPid=""
trap '[[ -n "$viewerPid" ]] && kill "$viewerPid" 2>/dev/null; stopWinePrefix; stopXvfb' EXIT
viewerShown() { xwininfo -name "Generic OpenGL Sample" 2>/dev/null | grep -q IsViewable; }

startXvfb "$workDir" 640x480x24 || fail "Xvfb did not start"
startWinePrefix || fail "no Wine prefix"
(cd "$workDir" && "$wineProgram" "$sampleWriter" sample.dnl) >/dev/null 2>&1 || fail "no sample level"
(cd "$workDir" && exec timeout 90 "$wineProgram" "$viewer" sample.dnl) >"$workDir/viewer.log" 2>&1 &
viewerPid=$!
checkStartDrawn 3
xdotool key F12
sleep 2
saved=$(tr -d '\r' <"$workDir/viewer.log" | grep -a '\.png$' | tail -n1)
[[ "$saved" == *'\sample-'*.png ]] || fail "F12 printed no picture path named after the level"
[[ "$saved" == *Pictures* || "$saved" == *'My Pictures'* ]] || fail "$saved is not in Pictures"
unixPath=$("$wineProgram" winepath -u "$saved" 2>/dev/null | tr -d '\r')
picture=$(identify -format '%m %w' "$unixPath")
rm -f "$unixPath"  # the prefix's Pictures may be the user's own folder
[[ "$picture" == "PNG 6"[0-9][0-9] ]] || fail "$saved is not a window-wide PNG ($picture)"
xdotool key Escape
waitViewer
[[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
echo "PASS (wine f12)"
