#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time over a scratch copy of its seed folders, so
# the source tree is never written. Any finding (crash, leak, timeout, out of memory) leaves
# its input under the artifact folder and fails the run.
# usage: run_fuzz.sh <target binary> <scratch folder> <seconds> <seed folder>...
set -euo pipefail
target=$1 scratch=$2 seconds=$3
shift 3
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$scratch/artifacts"
for seeds in "$@"; do
  cp -r "$seeds"/. "$scratch/corpus/"
done
exec "$target" "$scratch/corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$scratch/artifacts/" -print_final_stats=1
