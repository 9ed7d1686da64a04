#!/usr/bin/env bash
# The Windows dnl-render (under Wine) draws the picture the Linux dnl-render draws, plain and
# shaded, within a normalised RMSE of 0.02, and ends with the same status for a refused level
# and for misuse.
# Usage: dnl_render_parity.sh LINUX_DNL_RENDER LINUX_DNL_SAMPLE WINDOWS_DNL_RENDER OUTPUT_DIR
set -euo pipefail
[[ -x "$1" ]] || { echo "SKIP: no Linux dnl-render"; exit 77; }
here=$(dirname "$(realpath "$0")")
source "$here/../e2e/x_session.sh"
source "$here/../e2e/wine_session.sh"
[[ -n "$wineProgram" ]] || { echo "SKIP: wine is not installed"; exit 77; }
linuxRender=$(realpath "$1") windowsRender=$(realpath "$3")
takeScenarioArguments parity "$1" "$2" "$4"
"$sampleWriter" "$workDir/sample.dnl" >/dev/null
"$sampleWriter" "$workDir/refused.dnl" --edge too-many-items >/dev/null

for options in "" "--shade --thumbnail 256"; do
  # shellcheck disable=SC2086  # the options are words
  "$linuxRender" "$workDir/sample.dnl" "$workDir/linux.png" $options
  # shellcheck disable=SC2086
  "$wineProgram" "$windowsRender" "$workDir/sample.dnl" "$workDir/windows.png" $options ||
    fail "dnl-render.exe $options failed"
  expectSamePicture "$workDir/linux.png" "$workDir/windows.png" "dnl-render $options"
done
for args in "refused.dnl out.png" "sample.dnl out.png --size 0x0"; do
  linuxStatus=0 windowsStatus=0
  # shellcheck disable=SC2086
  (cd "$workDir" && "$linuxRender" $args 2>/dev/null) || linuxStatus=$?
  # shellcheck disable=SC2086
  (cd "$workDir" && "$wineProgram" "$windowsRender" $args 2>/dev/null) || windowsStatus=$?
  [[ $linuxStatus == "$windowsStatus" ]] ||
    fail "dnl-render $args ends with $windowsStatus on Windows, $linuxStatus on Linux"
done
echo "PASS: dnl-render draws the same on both systems"
