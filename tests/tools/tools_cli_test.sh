#!/usr/bin/env bash
# The tools as programs: dnl-sample writes each edge level it names and refuses unknown names,
# dnl-info counts the faces that point outside the tables, dnl-info and dnl-export end with
# status 0 on a level and 1 with the loader's reason on a refused one, and dnl-export refuses
# bad arguments.
# Usage: tools_cli_test.sh DNL_SAMPLE DNL_INFO DNL_EXPORT OUTPUT_DIR
set -u
writer=$1 info=$2 exporter=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Runs "$@" with stdout in $work/out and stderr in $work/err; sets status.
run() {
  "$@" >"$work/out" 2>"$work/err"
  status=$?
}

# Fails with message $2 unless the last run ended with status $1.
expectStatus() {
  [[ $status == "$1" ]] || fail "$2: status $status, expected $1 ($(head -c 200 "$work/err"))"
}

# dnl-sample: every edge level holds what tools/edge_levels.h describes, read back by dnl-info.
# name, texture pages, quads, triangles, items
while read -r name pages quads triangles items; do
  run "$writer" "$work/$name.dnl" --edge "$name"
  expectStatus 0 "dnl-sample --edge $name"
  run "$info" "$work/$name.dnl"
  for field in "texture pages:$pages" "quads:$quads" "triangles:$triangles" "items:$items"; do
    label=${field%:*} want=${field##*:}
    got=$(sed -n "s/^$label: *//p" "$work/out")
    [[ $got == "$want" ]] || fail "dnl-sample --edge $name: $label $got, expected $want"
  done
done <<'TABLE'
empty 0 0 0 0
pages-only 2 0 0 0
untextured 0 1 1 0
known 1 1 2 2
capacity 16 13881 5612 248
TABLE
run "$writer" "$work/x.dnl" --edge unknown
expectStatus 1 "dnl-sample --edge with an unknown name"
run "$writer" "$work/x.dnl" --layout unknown
expectStatus 1 "dnl-sample --layout with an unknown name"

run "$writer" "$work/sample.dnl"
expectStatus 0 "dnl-sample writing the sample"
run "$writer" "$work/refused.dnl" --edge too-many-items
expectStatus 0 "dnl-sample --edge too-many-items"

# dnl-info, with its count of faces pointing outside the tables by the table they miss.
run "$info" "$work/sample.dnl"
expectStatus 0 "dnl-info on the sample"
grep -q "ends early" "$work/out" && fail "dnl-info on the whole sample: says it ends early"
while read -r name counts; do
  run "$info" "$work/$name.dnl"
  got=$(sed -n 's/^faces pointing outside the loaded tables: //p' "$work/out")
  [[ $got == "$counts" ]] || fail "dnl-info on $name: faces outside '$got', expected '$counts'"
done <<'TABLE'
sample 0 (vertex 0, object texture 0, page 0)
known 2 (vertex 1, object texture 0, page 1)
untextured 2 (vertex 0, object texture 1, page 2)
TABLE
run "$info" "$work/refused.dnl"
expectStatus 1 "dnl-info on a level with too many items"
grep -q "more than 248 items" "$work/err" ||
  fail "dnl-info on a level with too many items: reason '$(cat "$work/err")'"
run "$info"
expectStatus 1 "dnl-info without a file"
head -c 100000 "$work/sample.dnl" >"$work/cut.dnl"
run "$info" "$work/cut.dnl"
expectStatus 0 "dnl-info on a file cut short"
grep -q "^file ends early: the loader read [1-9][0-9]* bytes past its end$" "$work/out" ||
  fail "dnl-info on a file cut short: no line saying how far it read past the end"

# dnl-export
run "$exporter" "$work/refused.dnl" "$work/refused.glb"
expectStatus 1 "dnl-export on a level with too many items"
want="dnl-export: $work/refused.dnl: more than 248 items"
[[ $(cat "$work/err") == "$want" ]] ||
  fail "dnl-export on a level with too many items: message '$(cat "$work/err")', expected '$want'"
for scale in 0 nan 1x; do
  run "$exporter" "$work/sample.dnl" "$work/x.glb" --scale "$scale"
  expectStatus 1 "dnl-export --scale $scale"
done
run "$exporter" "$work/sample.dnl"
expectStatus 1 "dnl-export without an output path"
run "$exporter" "$work/sample.dnl" "$work/all.glb" --scale 0.5 --no-shade --no-items
expectStatus 0 "dnl-export with every option"
[[ -s "$work/all.glb" ]] || fail "dnl-export with every option: no file written"

[[ $failures == 0 ]] && echo "PASS: the tools' exit status and messages"
[[ $failures == 0 ]]
