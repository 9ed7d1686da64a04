# Helpers for the desktop end-to-end runs: a window manager (openbox) on the test display,
# and Xorg with the dummy video driver, whose RandR modes can really be switched. Sourced
# after x_session.sh; what they start is stopped when the script ends.

# Starts openbox on $DISPLAY, stopped at the end, and waits until it manages the screen.
startOpenbox() {
  openbox --sm-disable >"$1/openbox.log" 2>&1 &
  openboxPid=$!
  atExit stopProcess openboxPid
  waitFor 10 xprop -root _NET_SUPPORTING_WM_CHECK
}

# Ends the script as skipped unless Xorg with the dummy video driver can be started here.
requireXorgDummy() {
  requirePrograms Xorg xrandr
  [[ $(id -u) == 0 ]] || { echo "SKIP: Xorg with the dummy driver needs root"; exit 77; }
  [[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]] || { echo "SKIP: no dummy video driver"; exit 77; }
}

# Starts Xorg (needs root) with the dummy driver offering 1024x768 (the user's mode) and
# 640x480 at 16 bits, on a display it picks itself, stopped at the end; sets DISPLAY.
startXorgDummy() {
  local workDir=$1
  cat >"$workDir/xorg.conf" <<'CONF'
Section "Monitor"
  Identifier "Monitor0"
  HorizSync 28.0-80.0
  VertRefresh 48.0-75.0
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  Modeline "640x480" 25.18 640 656 752 800 480 490 492 525 -hsync -vsync
EndSection
Section "Device"
  Identifier "Card0"
  Driver "dummy"
  VideoRam 16384
EndSection
Section "Screen"
  Identifier "Screen0"
  Device "Card0"
  Monitor "Monitor0"
  DefaultDepth 16
  SubSection "Display"
    Depth 16
    Modes "1024x768" "640x480"
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
CONF
  rm -f "$workDir/displayfd"
  Xorg -config "$workDir/xorg.conf" -noreset -nolisten tcp -logfile "$workDir/xorg.log" \
    -displayfd 3 3>"$workDir/displayfd" >"$workDir/xorg.out" 2>&1 &
  xorgPid=$!
  atExit stopProcess xorgPid
  useDisplayFrom "$workDir/displayfd"
}

# The mode of the screen's first output, as xrandr shows it: "1024x768".
currentMode() { xrandr 2>/dev/null | awk '/\*/ {print $1; exit}'; }
modeIs() { [[ "$(currentMode)" == "$1" ]]; }

# The "Error" box's window id, in decimal; empty when there is none.
errorBoxWindow() {
  local line
  line=$(errorBoxLine)
  [[ -z "$line" ]] || printf '%d\n' "$(echo "$line" | awk '{print $1}')"
}

# True when window $1 is stacked above window $2 in the window manager's stacking order.
stackedAbove() {
  local order
  [[ -n "$1" && -n "$2" ]] || return 1
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2)
  local upper lower index=0 id
  for id in $order; do
    id=$(printf '%d' "$id")
    ((id != $1)) || upper=$index
    ((id != $2)) || lower=$index
    index=$((index + 1))
  done
  [[ -n "${upper:-}" && -n "${lower:-}" ]] && ((upper > lower))
}

# Screenshot of window $1 alone.
windowShot() { import -window "$1" "$2"; }

# Client size "WxH" and origin "+X+Y" of window $1 on the screen.
clientSize() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
clientOrigin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF}
    /Absolute upper-left Y/ {y = $NF} END {print "+" x "+" y}'
}

# Fails unless window $1's picture fills its client (its right and bottom strips drawn),
# checked in screenshot $2 cut from the screen (a shot of the window alone can lag behind).
checkFills() {
  local shot=$workDir/$2.png size strip
  size=$(clientSize "$1")
  import -window root -crop "$size$(clientOrigin "$1")" +repage "$shot"
  for strip in "100x${size#*x}+$((${size%x*} - 100))+0" "${size%x*}x100+0+$((${size#*x} - 130))"; do
    convert "$shot" -crop "$strip" +repage "$shot.strip.png"
    (($(colourCount "$shot.strip.png") >= 32)) || fail "$2: the picture does not fill $strip"
  done
}
