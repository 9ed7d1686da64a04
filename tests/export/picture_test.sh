#!/usr/bin/env bash
# The sample level's export drawn by three.js in headless Chromium from the file's camera,
# against dnl-render's picture of the same level from its start view (the viewer's own frame
# without the status line): plain, with culling on and with shading on. Pictures are
# compared as 160 x 120 greyscale by ImageMagick's normalised RMSE and must agree within
# TOLERANCE. The pictures stay in WORKDIR.
# Usage: picture_test.sh DNL_SAMPLE DNL_EXPORT DNL_RENDER WORKDIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/x_session.sh"
requirePrograms convert compare chromium python3
takeScenarioArguments picture "$3" "$1" "$4"
exporter=$2 work=$workDir
tolerance=0.04

mkdir -p "$work/profile"
writeSample
# The plain export has no shade, as the first frame; the shaded one is compared with the
# frame drawn with shading on.
"$exporter" "$work/sample.dnl" "$work/model.glb" --no-shade
"$exporter" "$work/sample.dnl" "$work/model-shaded.glb"
"$viewer" "$work/sample.dnl" "$work/viewer.png"
"$viewer" "$work/sample.dnl" "$work/viewer-cull.png" --cull
"$viewer" "$work/sample.dnl" "$work/viewer-shade.png" --shade

# The page, three.js and the exports served from the work folder; the page logs its pictures
# as data URLs on the browser's console, which the browser writes to its log.
ln -sf "$here/picture.html" "$here/picture.mjs" "$here/node_modules" "$work/"
python3 -u -m http.server --bind 127.0.0.1 --directory "$work" 0 >"$work/serve.log" 2>&1 &
server=$!
atExit stopProcess server
waitFor 5 grep -q ' port ' "$work/serve.log" || fail "the picture server did not start"
port=$(sed -nE 's/.* port ([0-9]+) .*/\1/p' "$work/serve.log")

# Its own session and process group, so that stopping it stops its helper processes too.
setsid chromium --headless --no-sandbox --disable-gpu --use-angle=swiftshader \
  --enable-unsafe-swiftshader --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" \
  --enable-logging=stderr --v=0 --window-size=640,480 "http://127.0.0.1:$port/picture.html" \
  >"$work/chromium.log" 2>&1 &
browser=$!
# Its helpers leave with it; the profile is removed once the whole group has gone.
atExit rm -rf "$work/profile"
atExit stopProcess browser group
waitFor 90 grep -aq '"done ' "$work/chromium.log" || fail "the page did not finish in time"
grep -a CONSOLE "$work/chromium.log" | grep -av '"picture ' || true
grep -aq '"done ok"' "$work/chromium.log" || fail "the page did not draw the export"
grep -ao '"picture [a-z-]* data:image/png;base64,[A-Za-z0-9+/=]*' "$work/chromium.log" |
  while read -r _ name data; do base64 -d <<<"${data#*,}" >"$work/$name.png"; done
for name in plain front shaded; do
  [[ -s "$work/$name.png" ]] || fail "the page logged no picture $name"
done

failed=0
# Compares PICTURE with VIEWER_PICTURE by their normalised RMSE as 160 x 120 greyscale.
check() {  # NAME PICTURE VIEWER_PICTURE
  local value
  value=$(convert "$work/$2" "$work/$3" -colorspace Gray -resize '160x120!' -metric RMSE \
    -compare -format '%[distortion]' info:)
  if awk -v v="$value" -v l="$tolerance" 'BEGIN { exit !(v < l) }'; then
    echo "ok   $1: difference $value, below $tolerance"
  else
    echo "FAIL $1: difference $value, not below $tolerance"
    failed=1
  fi
}
check "export as the viewer draws it" plain.png viewer.png
check "front faces as the viewer keeps them with culling" front.png viewer-cull.png
check "shaded export as the viewer shades it" shaded.png viewer-shade.png
[[ $failed -eq 0 ]] || echo "pictures kept in $work"
exit $failed
