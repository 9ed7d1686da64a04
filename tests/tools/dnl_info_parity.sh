#!/usr/bin/env bash
# The Windows dnl-info (under Wine) prints exactly what the Linux dnl-info prints, summary and
# JSON, and ends with the same status, for the sample level in both layouts and for a file
# that is not one.
# Usage: dnl_info_parity.sh LINUX_DNL_INFO LINUX_DNL_SAMPLE WINDOWS_DNL_INFO OUTPUT_DIR
set -euo pipefail
linuxInfo=$1
sampleWriter=$2
windowsInfo=$3
outDir=$4
source "$(dirname "$0")/../e2e/wine_session.sh"
[[ -n "$wineProgram" ]] || { echo "SKIP: wine is not installed"; exit 77; }
rm -rf "$outDir"
mkdir -p "$outDir"

"$sampleWriter" "$outDir/newer.dnl" --layout newer >/dev/null || exit 1
"$sampleWriter" "$outDir/older.dnl" --layout older >/dev/null || exit 1
head -c 3000 /dev/zero >"$outDir/zeros.dnl"
failures=0
for file in newer older zeros; do
  for mode in --json ""; do
    # shellcheck disable=SC2086  # an empty mode is no argument
    linuxStatus=0
    "$linuxInfo" $mode "$outDir/$file.dnl" >"$outDir/$file$mode.linux" 2>/dev/null || linuxStatus=$?
    windowsStatus=0
    # shellcheck disable=SC2086
    "$wineProgram" "$windowsInfo" $mode "$outDir/$file.dnl" >"$outDir/$file$mode.windows" \
      2>/dev/null || windowsStatus=$?
    if ! cmp -s "$outDir/$file$mode.linux" "$outDir/$file$mode.windows"; then
      echo "FAIL: dnl-info $mode $file.dnl prints differently on Windows"
      failures=$((failures + 1))
    fi
    if [[ $linuxStatus != "$windowsStatus" ]]; then
      echo "FAIL: dnl-info $mode $file.dnl ends with $windowsStatus on Windows, $linuxStatus on Linux"
      failures=$((failures + 1))
    fi
  done
done
[[ $failures == 0 ]] && echo "PASS: dnl-info prints the same on both systems"
[[ $failures == 0 ]]
