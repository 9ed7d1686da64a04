#!/usr/bin/env bash
# dnl-render on every file a thumbnail service may be handed: the edge levels, the loader's
# fuzz corpus, the sample cut short at many points and the sample with bytes overwritten.
# Each must get an answer, a picture (0) or a refusal (1), within 2 s, with no sanitizer
# finding (a finding ends with another status). Prints the slowest answer.
# Usage: render_hostile_test.sh DNL_SAMPLE DNL_RENDER CORPUS_DIR OUTPUT_DIR
set -u
writer=$1 renderer=$2 corpus=$3 work=$4
rm -rf "$work"
mkdir -p "$work/levels"
for edge in empty pages-only untextured known capacity too-many-items; do
  "$writer" "$work/levels/edge-$edge.dnl" --edge "$edge" >/dev/null
done
"$writer" "$work/sample.dnl" >/dev/null
size=$(stat -c %s "$work/sample.dnl")
for cut in 0 1 3 4 7 100 1000 30000 100000 $((size / 2)) $((size - 1)); do
  head -c "$cut" "$work/sample.dnl" >"$work/levels/cut-$cut.dnl"
done
# Counts and offsets near the start overwritten with 0xFF bytes.
for at in 4 6 8 12 16 20 64 1024 4096; do
  cp "$work/sample.dnl" "$work/levels/ff-$at.dnl"
  printf '\xff\xff\xff\xff' | dd of="$work/levels/ff-$at.dnl" bs=1 seek="$at" conv=notrunc \
    2>/dev/null
done
cp "$corpus"/* "$work/levels/"

failures=0
slowest=0
for level in "$work/levels"/*; do
  start=$(date +%s%N)
  timeout 2 "$renderer" "$level" "$work/out.png" --thumbnail 256 --labels 2>"$work/err"
  status=$?
  took=$((($(date +%s%N) - start) / 1000000))
  ((took > slowest)) && slowest=$took slowestName=$(basename "$level")
  if [[ $status != 0 && $status != 1 ]]; then
    echo "FAIL: $(basename "$level"): status $status"
    head -n 20 "$work/err"
    failures=$((failures + 1))
  fi
done
echo "slowest answer: ${slowest} ms (${slowestName:-none})"
echo "$failures failed"
((failures == 0))
