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

# Starts Xorg (needs root) with the dummy driver of dummy_xorg.conf, offering 1024x768 (the
# user's mode) and 640x480 at 16 bits, on a display it picks itself, stopped at the end; sets
# DISPLAY.
xorgConfig=$(realpath "$(dirname "${BASH_SOURCE[0]}")/dummy_xorg.conf")
startXorgDummy() {
  local workDir=$1
  rm -f "$workDir/displayfd"
  Xorg -config "$xorgConfig" -noreset -nolisten tcp -logfile "$workDir/xorg.log" \
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
  xprop -root _NET_CLIENT_LIST_STACKING | cut -d'#' -f2 | tr -d ',' | xargs printf '%d\n' |
    awk -v upper="$1" -v lower="$2" '$0 == lower {seen = 1} seen && $0 == upper {found = 1}
      END {exit !found}'
}

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
