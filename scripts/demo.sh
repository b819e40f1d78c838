#!/usr/bin/env bash
# Starts the station on its built-in demo: builds what is needed, makes the demo station once
# under demo-root/ (photos, catalogue, folders, settings), and runs kivo-sales-station with
# KIVO_ROOT set to it. Without a display the station runs under Xvfb for a short while and a
# screenshot is saved.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KIVO_BUILD_DIR:-$here/build}"
root="${KIVO_DEMO_ROOT:-$here/demo-root}"
"$here/scripts/build.sh" kivo-sales-station kivo-demo kivo-find kivo-order kivo-event

if [ ! -f "$root/config/KivoSalesStation.plist" ]; then
  echo "Making the demo station under $root (camera-size photos take a few seconds)..."
  "$build/tools/kivo-demo/kivo-demo" --root "$root"
fi

export KIVO_ROOT="$root"
export KIVO_RESOURCES="$here/resources"
cat <<MSG

Kivo Sales Station demo
  demo root:    $root
  photo IDs:    100001 (4 photos), 100002 (3, portrait), 100003 (2), 100005 (2),
                100004 (3, in today's day folder: switch on the daily subfolder search)
  release code: 3582      quit from the keypad: *5281#
  attract movie: $root/attract/attract.avi (made by kivo-demo with gst-launch-1.0)
  log:          $root/logs/KivoSalesStation.log
MSG

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${KIVO_DEMO_HEADLESS:-}" ]; then
  exec "$build/app/kivo-sales-station"
fi

# No display: run under Xvfb, take a screenshot, then end the station as its service manager would.
shot="$root/screenshot.png"
seconds="${KIVO_DEMO_SECONDS:-8}"
echo "No display: running the station under Xvfb for ${seconds}s..."
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & station=$!
  sleep "$3"
  import -window root "$2" 2>/dev/null || xwd -root -silent | convert xwd:- "$2"
  kill -TERM $station
  wait $station
' _ "$build/app/kivo-sales-station" "$shot" "$seconds"
echo "Screenshot of the station saved to $shot"
