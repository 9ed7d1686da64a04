#!/usr/bin/env bash
# The installed thumbnailer entry run as file managers run it: its Exec line with %i %o %s
# filled in; the same inside bubblewrap with the sandbox GNOME's thumbnail factory uses
# (read-only /usr, no network, a minimal /dev, only the input file and the output folder);
# and through tumbler on a private D-Bus session, asked for a level's thumbnail, which must
# then be in the private thumbnail cache under its freedesktop name.
# Usage: thumbnail_test.sh BUILD_DIR WORK_DIR SCENARIO (exec, sandbox or tumbler)
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
  fail "cmake --install failed"
prefix=$workDir/root/usr
entry=$prefix/share/thumbnailers/dnl-render.thumbnailer
[[ -f "$entry" ]] || fail "no thumbnailer entry installed"
grep -qx 'TryExec=dnl-render' "$entry" || fail "the entry has no TryExec for dnl-render"
grep -qx "$(grep '^MimeType=' "$prefix/share/applications/dunmoor-viewer.desktop")" "$entry" ||
  fail "the entry's MIME type is not the one installed for levels"
"$prefix/bin/dnl-sample" "$workDir/level.dnl" >/dev/null || fail "no sample level"

# Runs the entry's Exec line with %i, %o and %s as given, words split as a file manager does.
runExec() {
  local input=$1 output=$2 size=$3 word words=()
  for word in $(sed -n 's/^Exec=//p' "$entry"); do
    word=${word//%i/$input} word=${word//%o/$output} word=${word//%s/$size}
    words+=("$word")
  done
  "${words[@]}"
}

# Fails unless $1 is a PNG of size $2.
expectPicture() {
  [[ -f "$1" ]] || fail "no thumbnail at $1"
  [[ "$(identify -format '%m %wx%h' "$1")" == "PNG $2" ]] || fail "$1 is not a $2 PNG"
}

case "$scenario" in
  exec)
    PATH="$prefix/bin:$PATH" runExec "$workDir/level.dnl" "$workDir/out/thumb.png" 256 ||
      fail "the Exec line failed"
    expectPicture "$workDir/out/thumb.png" 256x192
    ;;
  sandbox)
    skipUnless bwrap
    # A sanitizer build reads its leak suppressions: the one file added to the sandbox.
    supp=$(realpath "$(dirname "$0")/../lsan.supp")
    sandbox=(bwrap --ro-bind /usr /usr --ro-bind "$supp" "$supp" --ro-bind /etc/ld.so.cache /etc/ld.so.cache
      --symlink usr/lib /lib --symlink usr/lib64 /lib64 --symlink usr/bin /bin
      --proc /proc --dev /dev --chdir / --unshare-all --die-with-parent
      --setenv PATH /opt/dunmoor/bin:/usr/bin --ro-bind "$prefix/bin" /opt/dunmoor/bin
      --ro-bind "$workDir/level.dnl" /tmp/file-to-thumbnail.dnl
      --bind "$workDir/out" /tmp/thumbnail-out)
    runExec() {
      "${sandbox[@]}" dnl-render /tmp/file-to-thumbnail.dnl /tmp/thumbnail-out/thumb.png \
        --thumbnail 128
    }
    runExec || fail "dnl-render failed in the sandbox"
    expectPicture "$workDir/out/thumb.png" 128x96
    [[ "$(ls -A "$workDir/out")" == thumb.png ]] || fail "the sandboxed run left other files"
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
esac
echo "PASS ($scenario)"
