#!/usr/bin/env bash
# Exports every edge level (and the sample in both layouts), all written by dnl-sample, with the
# default options and with --no-shade --no-items --scale 1, then runs the Khronos glTF validator
# over all the files: no errors and no warnings allowed. RUNNER (e.g. Wine) starts the two
# programs; given another DNL_EXPORT, each file must be byte for byte what that one writes.
# Usage: validate_exports.sh DNL_SAMPLE DNL_EXPORT WORKDIR [RUNNER [OTHER_DNL_EXPORT]]
set -euo pipefail
writer=$1 exporter=$2 work=$3 runner=${4:-} other=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
# shellcheck disable=SC2086  # no runner is no word
run() { $runner "$@"; }
run "$writer" "$work/sample-older.dnl" --layout older
run "$writer" "$work/sample-newer.dnl" --layout newer
for edge in empty pages-only untextured known capacity; do
  run "$writer" "$work/$edge.dnl" --edge "$edge"
done
files=()
for level in "$work"/*.dnl; do
  name=${level%.dnl}
  run "$exporter" "$level" "$name.glb"
  run "$exporter" "$level" "$name-plain.glb" --no-shade --no-items --scale 1
  files+=("$name.glb" "$name-plain.glb")
  if [[ -n $other ]]; then
    "$other" "$level" "$work/other.glb"
    cmp "$name.glb" "$work/other.glb" || { echo "FAIL: $name.glb differs from $other's"; exit 1; }
  fi
done
node "$here/validate.mjs" "${files[@]}"
