#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time over a scratch copy of its kept corpus and
# seed folders, so the kept corpus is only ever added to. Any finding (crash, leak, timeout,
# out of memory) fails the run and its input is copied into the kept corpus, where every
# later run replays it: commit it with the fix.
# usage: run_fuzz.sh <target binary> <scratch folder> <seconds> <kept corpus> <seed folder>...
set -euo pipefail
target=$1 scratch=$2 seconds=$3 kept=$4
shift 4
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$scratch/artifacts"
for seeds in "$kept" "$@"; do
  if [[ -d "$seeds" ]]; then cp -r "$seeds"/. "$scratch/corpus/"; fi
done
status=0
"$target" "$scratch/corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$scratch/artifacts/" -print_final_stats=1 || status=$?
if [[ $status -ne 0 ]]; then
  mkdir -p "$kept"
  for finding in "$scratch"/artifacts/*; do
    [[ -f "$finding" ]] || continue
    cp "$finding" "$kept/"
    echo "kept $(basename "$finding") in $kept"
  done
fi
exit "$status"
