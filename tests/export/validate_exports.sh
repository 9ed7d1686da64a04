#!/usr/bin/env bash
# Exports every edge level (and the sample in both layouts), all written by dnl-sample, with the
# default options and with --no-shade --no-items --scale 1, then runs the Khronos glTF validator
# over all the files: no errors and no warnings allowed.
# Usage: validate_exports.sh DNL_SAMPLE DNL_EXPORT WORKDIR
set -euo pipefail
writer=$1 exporter=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
"$writer" "$work/sample-older.dnl" --layout older
"$writer" "$work/sample-newer.dnl" --layout newer
for edge in empty pages-only untextured known capacity; do
  "$writer" "$work/$edge.dnl" --edge "$edge"
done
files=()
for level in "$work"/*.dnl; do
  name=${level%.dnl}
  "$exporter" "$level" "$name.glb"
  "$exporter" "$level" "$name-plain.glb" --no-shade --no-items --scale 1
  files+=("$name.glb" "$name-plain.glb")
done
node "$here/validate.mjs" "${files[@]}"
