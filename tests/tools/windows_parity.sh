#!/usr/bin/env bash
# The Windows tools (under Wine) do what the Linux ones do: dnl-info prints the same summary
# and JSON, dnl-export writes the same bytes, each with the same messages and status, for the
# sample level in both layouts, the empty edge level and a file that is not a level.
# Usage: windows_parity.sh LINUX_TOOLS_DIR WINDOWS_TOOLS_DIR OUTPUT_DIR
set -euo pipefail
linux=$1 windows=$2 work=$3
source "$(dirname "$0")/../e2e/wine_session.sh"
[[ -n "$wineProgram" ]] || { echo "SKIP: wine is not installed"; exit 77; }
rm -rf "$work"
mkdir -p "$work"
"$linux/dnl-sample" "$work/newer.dnl" --layout newer || exit 1
"$linux/dnl-sample" "$work/older.dnl" --layout older || exit 1
"$linux/dnl-sample" "$work/empty.dnl" --edge empty || exit 1
head -c 3000 /dev/zero >"$work/zeros.dnl"
failures=0

# Runs TOOL with the arguments on both systems; what each prints (stderr's line ends aside),
# its status and the .glb it writes (if any) must be the same.
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
[[ $failures == 0 ]]
