#!/usr/bin/env bash
# `cmake --install` into a DESTDIR: the three programs, a desktop entry that opens a level
# named by the file manager (%f) and passes desktop-file-validate, and a MIME type that
# claims *.dnl. Usage: install_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
buildDir=$1
workDir=$2
rm -rf "$workDir"
mkdir -p "$workDir"
fail() {
  echo "FAIL: $*"
  exit 1
}

DESTDIR="$workDir/root" cmake --install "$buildDir" --prefix /usr >"$workDir/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -3 "$workDir/install.log")"
prefix=$workDir/root/usr
for program in dunmoor-viewer dnl-info dnl-sample; do
  [[ -x "$prefix/bin/$program" ]] || fail "$program is not installed in bin"
done
"$prefix/bin/dunmoor-viewer" --version | grep '^dunmoor-viewer [0-9]' >/dev/null ||
  fail "the installed viewer does not tell its version"

entry=$prefix/share/applications/dunmoor-viewer.desktop
[[ -f "$entry" ]] || fail "no desktop entry"
grep -qx 'Exec=dunmoor-viewer %f' "$entry" || fail "the entry does not pass the file to the viewer"
grep -qx 'MimeType=application/x-dunmoor-level;' "$entry" || fail "the entry claims no level type"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
fi

mimeXml=$prefix/share/mime/packages/dunmoor-viewer.xml
[[ -f "$mimeXml" ]] || fail "no MIME type file"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" || fail "update-mime-database rejects the type"
  grep -qx 'application/x-dunmoor-level:\*.dnl' "$prefix/share/mime/globs" ||
    fail "the MIME database has no *.dnl glob for levels"
fi
echo "PASS: installed into $workDir/root"
