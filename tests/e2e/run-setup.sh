#!/usr/bin/env bash
# A new site set up end to end: the station starts with an empty settings file, and setup.py sets
# it up through the preferences sheet alone and sells a visit with those settings, through AT-SPI.
#   run-setup.sh BUILD_DIR
# The receipt printer is set only when the suite's CUPS queue runs (scripts/cups-test-queue.sh).
# KIVO_SHOTS names a folder for pictures of the sheet and the day's report.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e-station.sh"
e2e_prepare "$1"
e2e_demo "$work/demo"
# The site's own folders, the photos copied from the demo; a settings file with nothing in it.
mkdir -p "$work/site/orders" "$work/site/invoices" "$work/root/config"
cp -r "$work/demo/images" "$work/site/photos"
cat >"$work/root/config/KivoSalesStation.plist" <<'PLIST'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict/>
</plist>
PLIST
printer=""
if "$E2E_HERE/../../scripts/cups-test-queue.sh" status 2>/dev/null; then
  printer="${KIVO_CUPS_QUEUE:-ReceiptPDF}"
fi
e2e_run "$E2E_HERE/setup.py" "$work/root" "$work/site" "$printer"
