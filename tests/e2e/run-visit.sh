#!/usr/bin/env bash
# The end-to-end visit: the real station under Xvfb, on a private session bus with the
# accessibility bus, a stand-in print host, and visit.py driving it through AT-SPI.
#   run-visit.sh BUILD_DIR
# KIVO_SCREEN sets the screen's size (1280x1024 by default); KIVO_SHOTS a folder for pictures of
# each screen (see visit.py).
set -euo pipefail
build="$1"
# Without the accessibility bindings or Xvfb the visit cannot run here: skipped, not failed.
if ! /usr/bin/python3 -c "import pyatspi" 2>/dev/null || ! command -v xvfb-run >/dev/null; then
  echo "skipped: needs /usr/bin/python3 with pyatspi and xvfb-run"
  exit 77
fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/tools/kivo-demo/kivo-demo" --root "$work/root" --size 1200x800 >/dev/null
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

exec xvfb-run -a -s "-screen 0 ${KIVO_SCREEN:-1280x1024}x24" dbus-run-session -- bash -c '
  set -u
  build="$1"; here="$2"; work="$3"
  /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
  "$build/tools/kivo-event/kivo-event" host >"$work/host.log" 2>&1 & host=$!
  sleep 0.5
  KIVO_ROOT="$work/root" KIVO_RESOURCES="$here/../../resources" QT_QPA_PLATFORM=xcb \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    "$build/app/kivo-sales-station" >"$work/station.out" 2>&1 & station=$!
  status=0
  /usr/bin/python3 "$here/visit.py" "$work/root" "$work/host.log" || status=$?
  kill -TERM $station 2>/dev/null; wait $station 2>/dev/null
  kill $host $bus 2>/dev/null
  if [ $status -ne 0 ]; then
    echo "--- station log"; tail -n 40 "$work/root/logs/KivoSalesStation.log" 2>/dev/null
    echo "--- host"; cat "$work/host.log"
  fi
  exit $status
' _ "$build" "$here" "$work"
