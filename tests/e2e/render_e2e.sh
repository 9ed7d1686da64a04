#!/usr/bin/env bash
# dnl-render and F12 against the real viewer under its own Xvfb. same-picture: with --labels
# dnl-render draws the viewer's frame with the status line off (key 4), with and without
# shade (key 1). f12: F12 saves that frame into the pictures folder, twice without
# overwriting, and prints where. Pictures are compared by normalised RMSE (under 0.02).
# Usage: render_e2e.sh SCENARIO VIEWER SAMPLE_WRITER OUTPUT_DIR DNL_RENDER
set -u
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
requirePrograms Xvfb xdotool xwininfo import compare
renderer=$(realpath "$5")
takeScenarioArguments "$@"
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
viewerPid=""
trap '[[ -n "$viewerPid" ]] && kill "$viewerPid" 2>/dev/null; stopXvfb' EXIT

# Normalised RMSE between two pictures, times 1000 (an integer).
rmsePermille() {
  compare -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/' |
    awk '{printf "%d", $1 * 1000}'
}

# Fails unless picture $1 matches picture $2 within 0.02; $3 names the check.
expectSamePicture() {
  local rmse
  rmse=$(rmsePermille "$1" "$2")
  echo "$3: normalised RMSE $rmse/1000"
  ((rmse < 20)) || fail "$3: the pictures differ (normalised RMSE $rmse/1000)"
}

"$sampleWriter" "$workDir/sample.dnl" >/dev/null || fail "no sample level"
startXvfb "$workDir" || fail "Xvfb did not start"
case "$scenario" in
  same-picture)
    (cd "$workDir" && exec timeout 90 "$viewer" sample.dnl) >"$workDir/viewer.log" 2>&1 &
    viewerPid=$!
    checkStartDrawn 3
    xdotool key 4
    sleep 1
    screenshot "$workDir/viewer-plain.png"
    "$renderer" "$workDir/sample.dnl" "$workDir/render-plain.png" --labels ||
      fail "dnl-render failed"
    expectSamePicture "$workDir/viewer-plain.png" "$workDir/render-plain.png" "start view"
    xdotool key 1
    sleep 2
    screenshot "$workDir/viewer-shade.png"
    "$renderer" "$workDir/sample.dnl" "$workDir/render-shade.png" --labels --shade ||
      fail "dnl-render --shade failed"
    expectSamePicture "$workDir/viewer-shade.png" "$workDir/render-shade.png" "shaded view"
    differ=$(rmsePermille "$workDir/render-plain.png" "$workDir/render-shade.png")
    ((differ >= 20)) || fail "--shade changed nothing ($differ/1000)"
    ;;
  f12)
    export HOME="$workDir/home" XDG_CONFIG_HOME="$workDir/home/.config"
    mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME"
    echo 'XDG_PICTURES_DIR="$HOME/Pictures"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
    (cd "$workDir" && exec timeout 90 "$viewer" sample.dnl) >"$workDir/viewer.log" 2>&1 &
    viewerPid=$!
    checkStartDrawn 3
    xdotool key F12 F12
    sleep 1
    screenshot "$workDir/screen.png"
    mapfile -t saved < <(grep '\.png$' "$workDir/viewer.log")
    ((${#saved[@]} == 2)) || fail "two F12 did not print two paths (${#saved[@]})"
    [[ "${saved[0]}" != "${saved[1]}" ]] || fail "the second F12 wrote over the first"
    for path in "${saved[@]}"; do
      [[ "$path" == "$HOME/Pictures/sample-"* ]] || fail "$path is not in the pictures folder"
      [[ -f "$path" ]] || fail "the printed path $path is not a file"
    done
    # The status line shows the frame rate, which changes: the frame above it is compared.
    convert "${saved[0]}" -crop 640x456+0+0 +repage "$workDir/saved-body.png"
    convert "$workDir/screen.png" -crop 640x456+0+0 +repage "$workDir/screen-body.png"
    expectSamePicture "$workDir/screen-body.png" "$workDir/saved-body.png" "F12 picture"
    ;;
esac
xdotool key Escape
waitViewer
[[ "$status" == 1 ]] || fail "Esc ended with status $status, not 1"
echo "PASS ($scenario)"
