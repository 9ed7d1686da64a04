#!/usr/bin/env bash
# dnl-render as a program: its exit status for misuse, a refused level and an unwritable
# output (with nothing left behind), the picture sizes it writes, and that each view option
# changes the picture.
# Usage: render_cli_test.sh DNL_SAMPLE DNL_RENDER OUTPUT_DIR
set -u
writer=$1 renderer=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
"$writer" "$work/sample.dnl" >/dev/null
"$writer" "$work/refused.dnl" --edge too-many-items >/dev/null

# Expected status, then the arguments after LEVEL OUT (LEVEL and OUT given where listed).
while read -r want args; do
  eval "set -- $args"
  "$renderer" "$@" >"$work/out" 2>"$work/err"
  status=$?
  [[ $status == "$want" ]] || fail "dnl-render $args: status $status, expected $want"
  if [[ $want == 2 ]]; then
    grep -q "Usage:" "$work/err" || fail "dnl-render $args: no usage on stderr"
  fi
done <<TABLE
2 $work/sample.dnl
2 $work/sample.dnl $work/x.png extra
2 $work/sample.dnl $work/x.png --size 0x10
2 $work/sample.dnl $work/x.png --size 8193x10
2 $work/sample.dnl $work/x.png --size 10x
2 $work/sample.dnl $work/x.png --thumbnail 0
2 $work/sample.dnl $work/x.png --size 10x10 --thumbnail 10
2 $work/sample.dnl $work/x.png --pose 1,2,3,4,5
2 $work/sample.dnl $work/x.png --far -5
2 $work/sample.dnl $work/x.png --unknown
1 $work/refused.dnl $work/refused.png
1 $work/sample.dnl $work/missing/x.png
TABLE
"$renderer" "$work/refused.dnl" "$work/refused.png" 2>"$work/err"
grep -q "refused.dnl: .*items" "$work/err" || fail "refusal without the file and reason: $(cat "$work/err")"
[[ ! -e "$work/refused.png" ]] || fail "a refused level left a picture"
# The output is a folder: the picture cannot take its place, and its temporary file goes.
mkdir -p "$work/full/taken.png"
"$renderer" "$work/sample.dnl" "$work/full/taken.png" 2>"$work/err"
grep -q "full/taken.png" "$work/err" || fail "an unwritable output is not named"
[[ "$(ls -A "$work/full")" == taken.png ]] || fail "a failed write left a file behind"

# Arguments, then the size the picture must have.
while read -r size args; do
  eval "set -- $args"
  "$renderer" "$work/sample.dnl" "$work/size.png" "$@" || fail "dnl-render $args failed"
  got=$(identify -format '%wx%h' "$work/size.png")
  [[ $got == "$size" ]] || fail "dnl-render $args: $got, expected $size"
done <<'TABLE'
640x480
256x192 --thumbnail 256
1x1 --thumbnail 1
7x3 --size 7x3
1x8192 --size 1x8192
8192x1 --size 8192x1
TABLE

# Each view option changes the picture made without it (left of |).
while IFS='|' read -r base option; do
  eval "set -- $base"
  "$renderer" "$work/sample.dnl" "$work/base.png" "$@"
  eval "set -- $base $option"
  "$renderer" "$work/sample.dnl" "$work/option.png" "$@" || fail "dnl-render $option failed"
  changed=$(compare -metric AE "$work/base.png" "$work/option.png" null: 2>&1 | cut -d' ' -f1)
  ((changed > 50)) || fail "dnl-render $option left the picture as it was ($changed pixels)"
done <<'TABLE'
|--labels
|--shade
|--cull
--far 4000|--fog
|--far 2000
|--pose 1024,-512,1024,45,10,180
TABLE
echo "$failures failed"
((failures == 0))
