#!/usr/bin/env bash
# The Windows viewer under Wine on its own Xvfb: a flight through the sample level (written by
# the Windows dnl-sample), the same as the Linux one, with the dialog starting in the
# configured folder with the configured name, which Return takes.
# Usage: viewer_wine_e2e.sh fly VIEWER_EXE SAMPLE_EXE OUTPUT_DIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/x_session.sh"
source "$here/wine_session.sh"
requirePrograms wineserver Xvfb xdotool xwininfo import compare
takeScenarioArguments "$@"
scenarioLabel="wine $scenario"

startXvfb "$workDir" 640x480x24 || fail "Xvfb did not start"
startWinePrefix || fail "no Wine prefix"
checkFlight 2
echo "PASS (wine $scenario): screenshots in $workDir"
