#!/usr/bin/env bash
# The preferences end to end: preferences.py opens the sheet of the demo station with the
# administrator code, changes a setting and continues, through AT-SPI.
#   run-preferences.sh BUILD_DIR
# KIVO_SHOTS names a folder for a picture of the sheet (10-preferences.png).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e-station.sh"
e2e_prepare "$1"
e2e_demo "$work/root"
e2e_run "$E2E_HERE/preferences.py" "$work/root"
