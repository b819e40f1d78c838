#!/usr/bin/env bash
# The end-to-end visit: visit.py drives one whole visit of the demo station through AT-SPI.
#   run-visit.sh BUILD_DIR
# KIVO_SHOTS names a folder for pictures of each screen (see visit.py).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e-station.sh"
e2e_prepare "$1"
e2e_demo "$work/root"
# The visit starts in the marking window, and only the photos marked there are sold.
/usr/bin/python3 - "$work/root/config/KivoSalesStation.plist" <<'PY'
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    settings = plistlib.load(f)
settings["prefDoShowWowWindow"] = True
settings["prefSellMarkedPhotosOnly"] = True
with open(sys.argv[1] + ".new", "wb") as f:
    plistlib.dump(settings, f)
PY
mv "$work/root/config/KivoSalesStation.plist.new" "$work/root/config/KivoSalesStation.plist"
e2e_run "$E2E_HERE/visit.py" "$work/root" "$work/host.log"
