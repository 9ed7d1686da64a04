# Helpers for driving the Windows viewer under Wine on a private Xvfb (x_session.sh starts
# it): the Wine prefix (the caller's WINEPREFIX, else a temporary one made here and removed
# again), and the dialog ("Open") and box ("Error") windows.
# Sourced by viewer_wine_e2e.sh and scripts/test.

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's 64-bit loader itself: the "wine" wrapper warns on every start without wine32.
wineProgram=$(command -v /usr/lib/wine/wine64 || command -v wine)

# Uses the caller's prefix, or makes one in a temporary folder (about 12 s and 700 MB). A
# server already running for the prefix is ended first: its desktop process belongs to
# another X display, which the windows of this one must not share.
startWinePrefix() {
  ownPrefix=""
  if [[ -n "${WINEPREFIX:-}" ]]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  else
    ownPrefix=$(mktemp -d)
    export WINEPREFIX=$ownPrefix/prefix
    "$wineProgram" wineboot --init >/dev/null 2>&1 || return 1
  fi
}

stopWinePrefix() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  if [[ -n "${ownPrefix:-}" ]]; then
    rm -rf "$ownPrefix"
    ownPrefix=""
  fi
}

# The Windows spelling of a path on this machine: Wine's drive Z: is the root.
windowsPath() { echo "Z:$1" | tr / '\\'; }

windowNamed() { xdotool search --name "^$1\$" 2>/dev/null | head -n1; }
hasWindow() { [[ -n "$(windowNamed "$1")" ]]; }
noWindow() { [[ -z "$(windowNamed "$1")" ]]; }

# Waits for the "Open" dialog and answers it: Return accepts the proposed file, Escape
# cancels, anything else is a path typed into its name field and accepted.
answerOpenDialog() {
  waitFor 30 hasWindow Open || return 1
  sleep 1
  xdotool windowfocus --sync "$(windowNamed Open)" 2>/dev/null
  case "$1" in
    Return | Escape) xdotool key "$1" ;;
    *)
      xdotool key ctrl+a
      xdotool type --delay 10 "$1"
      xdotool key Return
      ;;
  esac
  waitFor 10 noWindow Open
}

# Waits for an "Error" box and clicks its OK button (centred, near the bottom): a box that
# nobody owns does not take the keyboard while no window of its program is active. Returns 1
# when no box came, 2 when one stays (or another comes at once).
dismissWineErrorBox() {
  waitFor 20 hasWindow Error || return 1
  sleep 0.5
  local x y width height
  eval "$(xdotool getwindowgeometry --shell "$(windowNamed Error)" | grep -E '^(X|Y|WIDTH|HEIGHT)=' |
    tr 'A-Z' 'a-z')"
  xdotool mousemove $((x + width / 2)) $((y + height - 22)) click 1
  waitFor 10 noWindow Error || return 2
}
