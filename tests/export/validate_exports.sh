#!/usr/bin/env bash
# Exports every edge level (and the sample in both layouts) with the default options and with
# --no-shade --no-items --scale 1, then runs the Khronos glTF validator over all the files:
# no errors and no warnings allowed. Usage: validate_exports.sh EDGE_LEVELS DNL_EXPORT WORKDIR
set -euo pipefail
edge_levels=$1 exporter=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
"$edge_levels" "$work"
files=()
for level in "$work"/*.dnl; do
  name=${level%.dnl}
  "$exporter" "$level" "$name.glb"
  "$exporter" "$level" "$name-plain.glb" --no-shade --no-items --scale 1
  files+=("$name.glb" "$name-plain.glb")
done
node "$here/validate.mjs" "${files[@]}"
