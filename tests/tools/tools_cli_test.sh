#!/usr/bin/env bash
# The tools as programs: dnl-sample writes each edge level it names, dnl-info counts the faces
# that point outside the tables and says when a file ends early, dnl-info and dnl-export end
# with status 0 on a level and 1 with the loader's reason on a refused one, and every tool
# follows the command-line convention: --help and --version on stdout with 0, misuse named on
# stderr with 2.
# Usage: tools_cli_test.sh DNL_SAMPLE DNL_INFO DNL_EXPORT OUTPUT_DIR
set -euo pipefail
writer=$1 info=$2 exporter=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
failures=0

fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

# Runs "$@" with stdout in $work/out and stderr in $work/err; sets status.
run() {
  status=0
  "$@" >"$work/out" 2>"$work/err" || status=$?
}

# Each level dnl-sample writes (the edge levels as tools/edge_levels.h describes them), read
# back by dnl-info: texture pages, quads, triangles, items and the faces pointing outside the
# tables by the table they miss. An empty field is not checked.
while IFS='|' read -r name args pages quads triangles items outside; do
  # shellcheck disable=SC2086  # the arguments are words
  run "$writer" "$work/$name.dnl" $args
  run "$info" "$work/$name.dnl"
  for field in "texture pages:$pages" "quads:$quads" "triangles:$triangles" "items:$items" \
    "faces pointing outside the loaded tables:$outside"; do
    label=${field%:*} want=${field##*:}
    got=$(sed -n "s/^$label: *//p" "$work/out")
    [[ -z $want || $got == "$want" ]] || fail "dnl-info on $name: $label $got, expected $want"
  done
done <<'TABLE'
empty|--edge empty|0|0|0|0|0 (vertex 0, object texture 0, page 0)
pages-only|--edge pages-only|2|0|0|0|
untextured|--edge untextured|0|1|1|0|2 (vertex 0, object texture 1, page 2)
known|--edge known|1|1|2|2|2 (vertex 1, object texture 0, page 1)
capacity|--edge capacity|16|13881|5612|248|
sample||||||0 (vertex 0, object texture 0, page 0)
refused|--edge too-many-items|||||
TABLE

# A file cut short still loads, with a line saying how far the loader read past its end; a
# whole file has no such line.
head -c 100000 "$work/sample.dnl" >"$work/cut.dnl"
run "$info" "$work/cut.dnl"
[[ $status == 0 ]] || fail "dnl-info on a file cut short: status $status"
grep -q "^file ends early: the loader read [1-9][0-9]* bytes past its end$" "$work/out" ||
  fail "dnl-info on a file cut short: no line saying how far it read past the end"
run "$info" "$work/sample.dnl"
! grep -q "ends early" "$work/out" || fail "dnl-info on the whole sample: says it ends early"

# Each failing run: its status, what stderr must hold, the tool and its arguments. A refused
# or unwritable file ends with 1; misuse with 2, followed by the usage.
while IFS='|' read -r want named tool args; do
  # shellcheck disable=SC2086  # the arguments are words
  run "${!tool}" $args
  [[ $status == "$want" ]] || fail "$tool $args: status $status, expected $want"
  grep -qF -- "$named" "$work/err" || fail "$tool $args: '$named' not on stderr"
  [[ $want == 1 ]] || grep -q "^Usage: " "$work/err" || fail "$tool $args: no usage on stderr"
done <<TABLE
1|dnl-info: $work/refused.dnl: more than 248 items|info|$work/refused.dnl
1|dnl-export: $work/refused.dnl: more than 248 items|exporter|$work/refused.dnl $work/x.glb
1|dnl-export: $work/none/x.glb: cannot write|exporter|$work/sample.dnl $work/none/x.glb
1|dnl-sample: $work/none/x.dnl: cannot write|writer|$work/none/x.dnl
2|--edge|writer|$work/x.dnl --edge unknown
2|--layout|writer|$work/x.dnl --layout unknown
2|OUT|writer|--edge known
2|FILE|info|--json
2|--bogus|info|$work/sample.dnl --bogus
2|--scale|exporter|$work/sample.dnl $work/x.glb --scale 0
2|--scale|exporter|$work/sample.dnl $work/x.glb --scale nan
2|--scale|exporter|$work/sample.dnl $work/x.glb --scale 1x
2|OUT|exporter|$work/sample.dnl
2|y.glb|exporter|$work/sample.dnl $work/x.glb $work/y.glb
TABLE
for tool in writer info exporter; do
  for flag in --help --version; do
    run "${!tool}" "$flag"
    [[ $status == 0 ]] || fail "$tool $flag: status $status"
    [[ -s "$work/out" && ! -s "$work/err" ]] || fail "$tool $flag: not on stdout alone"
  done
done
grep -qx "dnl-export [0-9.]*" "$work/out" || fail "dnl-export --version: '$(cat "$work/out")'"

[[ $failures == 0 ]]
