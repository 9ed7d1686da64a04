#!/usr/bin/env bash
# Exports every edge level (and the sample in both layouts), all written by dnl-sample, with the
# default options and with --no-shade --no-items --scale 1, then runs the Khronos glTF validator
# over all the files: no errors and no warnings allowed. RUNNER (e.g. Wine) starts the two
# programs.
# Usage: validate_exports.sh DNL_SAMPLE DNL_EXPORT WORKDIR [RUNNER]
# shellcheck disable=SC2086  # no runner is no word
set -euo pipefail
writer=$1 exporter=$2 work=$3 runner=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
$runner "$writer" "$work/sample-older.dnl" --layout older
$runner "$writer" "$work/sample-newer.dnl" --layout newer
for edge in empty pages-only untextured known capacity; do
  $runner "$writer" "$work/$edge.dnl" --edge "$edge"
done
files=()
for level in "$work"/*.dnl; do
  name=${level%.dnl}
  $runner "$exporter" "$level" "$name.glb"
  $runner "$exporter" "$level" "$name-plain.glb" --no-shade --no-items --scale 1
  files+=("$name.glb" "$name-plain.glb")
done
node "$here/validate.mjs" "${files[@]}"
