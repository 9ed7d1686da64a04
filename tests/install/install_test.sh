#!/usr/bin/env bash
# `cmake --install` into a DESTDIR, then one of:
#   entries  the programs, a desktop entry that opens a level named by the file manager (%f)
#            and passes desktop-file-validate, and a MIME type that claims *.dnl;
#   tumbler  tumbler on a private D-Bus session, asked for a level's thumbnail, runs the
#            installed thumbnailer entry's Exec line: the thumbnail must then be in the private cache under its
#            freedesktop name.
# Usage: install_test.sh BUILD_DIR WORK_DIR SCENARIO
set -u
buildDir=$1 workDir=$2 scenario=$3
rm -rf "$workDir"
mkdir -p "$workDir/out"
fail() {
  echo "FAIL ($scenario): $*"
  exit 1
}
skipUnless() {
  command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }
}

DESTDIR="$workDir/root" cmake --install "$buildDir" --prefix /usr >"$workDir/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -3 "$workDir/install.log")"
prefix=$workDir/root/usr
"$prefix/bin/dnl-sample" "$workDir/level.dnl" >/dev/null || fail "no sample level"

expectPicture() {
  [[ -f "$1" ]] || fail "no thumbnail at $1"
  [[ "$(identify -format '%m %wx%h' "$1")" == "PNG $2" ]] || fail "$1 is not a $2 PNG"
}

case "$scenario" in
  entries)
    for program in dunmoor-viewer dnl-sample dnl-info dnl-export dnl-render; do
      [[ -x "$prefix/bin/$program" ]] || fail "$program is not installed in bin"
    done
    entry=$prefix/share/applications/dunmoor-viewer.desktop
    grep -qx 'Exec=dunmoor-viewer %f' "$entry" || fail "the entry does not pass the file to the viewer"
    grep -qx 'MimeType=application/x-dunmoor-level;' "$entry" || fail "the entry claims no level type"
    skipUnless desktop-file-validate
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
    skipUnless update-mime-database
    update-mime-database "$prefix/share/mime" || fail "update-mime-database rejects the type"
    grep -qx 'application/x-dunmoor-level:\*.dnl' "$prefix/share/mime/globs" ||
      fail "the MIME database has no *.dnl glob for levels"
    ;;
  tumbler)
    skipUnless dbus-run-session
    skipUnless gdbus
    tumblerd=$(ls /usr/lib/*/tumbler-1/tumblerd 2>/dev/null | head -n1)
    [[ -x "$tumblerd" ]] || { echo "SKIP: tumbler is not installed"; exit 77; }
    update-mime-database "$prefix/share/mime" 2>/dev/null || fail "update-mime-database failed"
    export HOME="$workDir/home" XDG_CACHE_HOME="$workDir/home/.cache"
    export XDG_DATA_DIRS="$prefix/share:/usr/share" PATH="$prefix/bin:$PATH"
    mkdir -p "$HOME"
    uri="file://$workDir/level.dnl"
    cached="$XDG_CACHE_HOME/thumbnails/normal/$(printf '%s' "$uri" | md5sum | cut -d' ' -f1).png"
    # tumblerd serves the session bus; Queue returns a handle, the picture comes later.
    dbus-run-session -- bash -c '
      "$1" >"$2/tumbler.log" 2>&1 &
      for _ in $(seq 50); do
        gdbus call --session --dest org.freedesktop.thumbnails.Thumbnailer1 \
          --object-path /org/freedesktop/thumbnails/Thumbnailer1 \
          --method org.freedesktop.thumbnails.Thumbnailer1.Queue "[\"$3\"]" \
          "[\"application/x-dunmoor-level\"]" normal default 0 >/dev/null 2>&1 && break
        sleep 0.2
      done
      for _ in $(seq 100); do [[ -s "$4" ]] && break; sleep 0.2; done
      kill $! 2>/dev/null' _ "$tumblerd" "$workDir" "$uri" "$cached"
    expectPicture "$cached" 128x96
    ;;
  *)
    fail "unknown scenario"
    ;;
esac
echo "PASS ($scenario)"
