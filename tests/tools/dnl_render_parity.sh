#!/usr/bin/env bash
# The Windows dnl-render (under Wine) draws the picture the Linux dnl-render draws, plain and
# shaded, within a normalised RMSE of 0.02, and ends with the same status for a refused level
# and for misuse.
# Usage: dnl_render_parity.sh LINUX_DNL_RENDER LINUX_DNL_SAMPLE WINDOWS_DNL_RENDER OUTPUT_DIR
set -u
[[ -x "$1" ]] || { echo "SKIP: no Linux dnl-render"; exit 77; }
linuxRender=$(realpath "$1") sampleWriter=$(realpath "$2") windowsRender=$(realpath "$3")
outDir=$4
wineProgram=$(command -v /usr/lib/wine/wine64 || command -v wine) ||
  { echo "SKIP: wine is not installed"; exit 77; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$outDir"
mkdir -p "$outDir"
"$sampleWriter" "$outDir/sample.dnl" >/dev/null || exit 1
"$sampleWriter" "$outDir/refused.dnl" --edge too-many-items >/dev/null || exit 1
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for options in "" "--shade --thumbnail 256"; do
  # shellcheck disable=SC2086  # the options are words
  "$linuxRender" "$outDir/sample.dnl" "$outDir/linux.png" $options
  # shellcheck disable=SC2086
  "$wineProgram" "$windowsRender" "$outDir/sample.dnl" "$outDir/windows.png" $options ||
    fail "dnl-render.exe $options failed"
  rmse=$(compare -metric RMSE "$outDir/linux.png" "$outDir/windows.png" null: 2>&1 |
    sed -E 's/.*\(([0-9.e-]+)\).*/\1/' | awk '{printf "%d", $1 * 1000}')
  echo "dnl-render $options: normalised RMSE $rmse/1000"
  ((rmse < 20)) || fail "dnl-render.exe $options draws another picture ($rmse/1000)"
done
for args in "refused.dnl out.png" "sample.dnl out.png --size 0x0"; do
  # shellcheck disable=SC2086
  (cd "$outDir" && "$linuxRender" $args 2>/dev/null)
  linuxStatus=$?
  # shellcheck disable=SC2086
  (cd "$outDir" && "$wineProgram" "$windowsRender" $args 2>/dev/null)
  windowsStatus=$?
  [[ $linuxStatus == "$windowsStatus" ]] ||
    fail "dnl-render $args ends with $windowsStatus on Windows, $linuxStatus on Linux"
done
[[ $failures == 0 ]] && echo "PASS: dnl-render draws the same on both systems"
[[ $failures == 0 ]]
