# The harness for the Windows viewer under Wine, sourced after x_session.sh: programs run under
# Wine, the Wine prefix (the caller's WINEPREFIX, else a temporary one made here and removed at
# the end), and Wine's dialog ("Open") and box ("Error") windows.
# Sourced by viewer_wine_e2e.sh, windows_parity.sh (for wineProgram) and scripts/test-windows.

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

# Waits for an "Error" box and clicks its OK button (centred, near the bottom): a box that
# nobody owns does not take the keyboard while no window of its program is active. Returns 1
# when no box came, 2 when one stays (or another comes at once).
dismissErrorBox() {
  waitFor 20 hasWindow Error || return 1
  sleep 0.5
  local x y width height
  windowGeometry "$(windowNamed Error)"
  xdotool mousemove $((x + width / 2)) $((y + height - 22)) click 1
  waitFor 10 noWindow Error || return 2
}
