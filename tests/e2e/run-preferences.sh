#!/usr/bin/env bash
# The preferences end to end: the real station under Xvfb, on a private session bus with the
# accessibility bus, and preferences.py opening the sheet with the administrator code, changing
# a setting and continuing, through AT-SPI.
#   run-preferences.sh BUILD_DIR
# KIVO_SCREEN sets the screen's size (1280x1024 by default); KIVO_SHOTS a folder for a picture of
# the sheet (10-preferences.png).
set -euo pipefail
build="$1"
# Without the accessibility bindings or Xvfb the test cannot run here: skipped, not failed.
if ! /usr/bin/python3 -c "import pyatspi" 2>/dev/null || ! command -v xvfb-run >/dev/null; then
  echo "skipped: needs /usr/bin/python3 with pyatspi and xvfb-run"
  exit 77
fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/tools/kivo-demo/kivo-demo" --root "$work/root" --size 1200x800 >/dev/null

exec xvfb-run -a -s "-screen 0 ${KIVO_SCREEN:-1280x1024}x24" dbus-run-session -- bash -c '
  set -u
  build="$1"; here="$2"; work="$3"
  /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
  sleep 0.5
  KIVO_ROOT="$work/root" KIVO_RESOURCES="$here/../../resources" QT_QPA_PLATFORM=xcb \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    "$build/app/kivo-sales-station" >"$work/station.out" 2>&1 & station=$!
  status=0
  /usr/bin/python3 "$here/preferences.py" "$work/root" || status=$?
  kill -TERM $station 2>/dev/null; wait $station 2>/dev/null
  kill $bus 2>/dev/null
  if [ $status -ne 0 ]; then
    echo "--- station log"; tail -n 40 "$work/root/logs/KivoSalesStation.log" 2>/dev/null
    echo "--- station output"; tail -n 40 "$work/station.out"
  fi
  exit $status
' _ "$build" "$here" "$work"
