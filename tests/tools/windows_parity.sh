#!/usr/bin/env bash
# The Windows tools (under Wine) do what the Linux ones do: dnl-info prints the same summary
# and JSON, dnl-export writes the same bytes, each with the same messages and status, for the
# sample level in both layouts, the empty edge level and a file that is not a level; dnl-render
# refuses what the Linux one refuses, alike, and draws the sample plain and as a shaded
# thumbnail within the screen comparisons' limit of the Linux picture.
# Usage: windows_parity.sh LINUX_TOOLS_DIR WINDOWS_TOOLS_DIR OUTPUT_DIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../e2e/x_session.sh"
source "$here/../e2e/wine_session.sh"
[[ -n "$wineProgram" ]] || { echo "SKIP: wine is not installed"; exit 77; }
linux=$(realpath "$1") windows=$(realpath "$2") scenario=parity
rm -rf "$3"
mkdir -p "$3"
workDir=$(realpath "$3") work=$(realpath "$3")
"$linux/dnl-sample" "$work/newer.dnl" --layout newer || exit 1
"$linux/dnl-sample" "$work/older.dnl" --layout older || exit 1
"$linux/dnl-sample" "$work/empty.dnl" --edge empty || exit 1
"$linux/dnl-sample" "$work/refused.dnl" --edge too-many-items || exit 1
head -c 3000 /dev/zero >"$work/zeros.dnl"
failures=0

# Runs tool $1 with the other arguments on both systems and compares everything it gives.
same() {
  local system command status
  for system in linux windows; do
    command=("$linux/$1")
    [[ $system == linux ]] || command=("$wineProgram" "$windows/$1.exe")
    status=0
    "${command[@]}" "${@:2}" >"$work/$system" 2>"$work/err" || status=$?
    echo "status $status" >>"$work/$system"
    tr -d '\r' <"$work/err" >>"$work/$system"  # a console's text mode on Windows
    [[ ! -f "$work/x.glb" ]] || cat "$work/x.glb" >>"$work/$system"
    rm -f "$work/x.glb"
  done
  cmp -s "$work/linux" "$work/windows" && return
  echo "FAIL: $* differs on Windows"
  failures=$((failures + 1))
}

for file in newer older empty zeros; do
  same dnl-info "$work/$file.dnl"
  same dnl-info --json "$work/$file.dnl"
  same dnl-export "$work/$file.dnl" "$work/x.glb"
done
if [[ -x "$linux/dnl-render" && -f "$windows/dnl-render.exe" ]]; then
  same dnl-render "$work/refused.dnl" "$work/x.png"
  same dnl-render "$work/newer.dnl" "$work/x.png" --size 0x0
  for options in "" "--shade --thumbnail 256"; do
    "$linux/dnl-render" "$work/newer.dnl" "$work/linux.png" $options
    "$wineProgram" "$windows/dnl-render.exe" "$work/newer.dnl" "$work/windows.png" $options ||
      fail "dnl-render.exe $options failed"
    expectSamePicture "$work/linux.png" "$work/windows.png" "dnl-render $options"
  done
fi
[[ $failures == 0 ]]
