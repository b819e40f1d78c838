#!/usr/bin/env bash
# One station of the site under its own X server and session bus, with its print host and the
# accessibility bus: the real station of root WORK/NAME, and two_stations.py serving the steps
# asked of it in WORK/ctl until told to quit (or left without steps), when all of it ends.
#   station-env.sh BUILD_DIR WORK NAME
set -u
build=$1 work=$2 name=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x800x24" \
  dbus-run-session -- bash -c '
  set -u
  build="$1"; work="$2"; name="$3"; here="$4"
  # xvfb-run hands over once the server has started; it can still be a moment from answering.
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
  "$build/tools/kivo-event/kivo-event" host >>"$work/$name.host.log" 2>&1 & host=$!
  sleep 0.5
  KIVO_ROOT="$work/$name" KIVO_RESOURCES="$here/../../resources" QT_QPA_PLATFORM=xcb \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    "$build/app/kivo-sales-station" >>"$work/$name.station.out" 2>&1 & station=$!
  PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$here/two_stations.py" serve "$work/ctl" "$name" \
    >>"$work/$name.steps.log" 2>&1
  kill -TERM $station 2>/dev/null; wait $station 2>/dev/null
  kill $host $bus 2>/dev/null
' _ "$build" "$work" "$name" "$here"
