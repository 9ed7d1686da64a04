# The harness for the Windows viewer under Wine, sourced after x_session.sh: programs run under
# Wine, the Wine prefix (the caller's WINEPREFIX, else a temporary one made here and removed at
# the end), and Wine's dialog window ("Open").
# Sourced by viewer_wine_e2e.sh and scripts/test-windows.

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's 64-bit loader itself: the "wine" wrapper warns on every start without wine32.
wineProgram=$(command -v /usr/lib/wine/wine64 || command -v wine || true)
runner=("$wineProgram")

# Uses the caller's prefix, or makes one in a temporary folder (about 12 s and 700 MB). A
# server already running for the prefix is ended first: its desktop process belongs to
# another X display, which the windows of this one must not share. Either is ended at the end.
startWinePrefix() {
  local ownPrefix=""
  if [[ -z "${WINEPREFIX:-}" ]]; then
    ownPrefix=$(mktemp -d)
    atExit rm -rf "$ownPrefix"
    export WINEPREFIX=$ownPrefix/prefix
  fi
  atExit stopWineServer
  stopWineServer
  [[ -z "$ownPrefix" ]] || "$wineProgram" wineboot --init >/dev/null 2>&1
}
stopWineServer() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# The Windows spelling of a path on this machine: Wine's drive Z: is the root.
windowsPath() { echo "Z:$1" | tr / '\\'; }
configFolder() { windowsPath "$1"; }

dialogWindow() { windowNamed Open; }

