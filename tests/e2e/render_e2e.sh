#!/usr/bin/env bash
# dnl-render and F12 against the real viewer under its own Xvfb: with --labels dnl-render
# draws the viewer's frame with the status line off (key 4), with and without shade (key 1),
# and F12 saves that frame into the pictures folder, twice without overwriting, and prints
# where. Pictures are compared by normalised RMSE (under 0.02).
# Usage: render_e2e.sh same-picture VIEWER SAMPLE_WRITER OUTPUT_DIR DNL_RENDER
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
requirePrograms Xvfb xdotool xwininfo import compare
renderer=$(realpath "$5")
takeScenarioArguments "$@"

writeSample
startXvfb "$workDir" 640x480x16 || fail "Xvfb did not start"
export HOME="$workDir/home" XDG_CONFIG_HOME="$workDir/home/.config"
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME"
echo 'XDG_PICTURES_DIR="$HOME/Pictures"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
startViewer sample.dnl sample.dnl
checkStartDrawn 3
shootAfter viewer-plain key 4
"$renderer" "$workDir/sample.dnl" "$workDir/render-plain.png" --labels ||
  fail "dnl-render failed"
expectSamePicture "$workDir/viewer-plain.png" "$workDir/render-plain.png" "start view"
xdotool key F12 F12
sleep 1
mapfile -t saved < <(grep '\.png$' "$workDir/viewer.log")
((${#saved[@]} == 2)) || fail "two F12 did not print two paths (${#saved[@]})"
[[ "${saved[0]}" != "${saved[1]}" ]] || fail "the second F12 wrote over the first"
for path in "${saved[@]}"; do
  [[ "$path" == "$HOME/Pictures/sample-"* ]] || fail "$path is not in the pictures folder"
  [[ -f "$path" ]] || fail "the printed path $path is not a file"
done
expectSamePicture "$workDir/viewer-plain.png" "${saved[0]}" "F12 picture"
settle=2 shootAfter viewer-shade key 1
"$renderer" "$workDir/sample.dnl" "$workDir/render-shade.png" --labels --shade ||
  fail "dnl-render --shade failed"
expectSamePicture "$workDir/viewer-shade.png" "$workDir/render-shade.png" "shaded view"
differ=$(rmsePermille "$workDir/render-plain.png" "$workDir/render-shade.png")
((differ >= 20)) || fail "--shade changed nothing ($differ/1000)"
endWithEsc
echo "PASS ($scenario)"
