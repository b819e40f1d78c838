# Sourced by the run-*.sh scripts: the real station under Xvfb, on a private session bus with the
# accessibility bus and a stand-in print host, driven by one Python script through AT-SPI.
#   e2e_prepare BUILD_DIR   skips (exit 77) where the test cannot run; makes $work (removed at
#                           exit), the station's KIVO_ROOT being $work/root
#   e2e_demo DIR            the demo station (photos, folders, settings) under DIR
#   e2e_run SCRIPT ARGS...  starts the station and runs SCRIPT; exits with its status
# KIVO_SCREEN sets the screen's size (1280x800 by default, the size of the demo's kiosks).

e2e_prepare() {
  E2E_BUILD="$1"
  E2E_HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  # Without the accessibility bindings or Xvfb the test cannot run here: skipped, not failed.
  if ! /usr/bin/python3 -c "import pyatspi" 2>/dev/null || ! command -v xvfb-run >/dev/null; then
    echo "skipped: needs /usr/bin/python3 with pyatspi and xvfb-run"
    exit 77
  fi
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
}

e2e_demo() {
  "$E2E_BUILD/tools/kivo-demo/kivo-demo" --root "$1" --size 1200x800 >/dev/null
}

e2e_run() {
  local status=0
  # A display number of its own: the server of the test before may still be going away from
  # :99 when the next one looks for a free number.
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 ${KIVO_SCREEN:-1280x800}x24" \
    dbus-run-session -- bash -c '
    set -u
    build="$1"; work="$2"; resources="$3"; shift 3
    # xvfb-run hands over once the server has started; under load it can still be a moment from
    # answering, and a station that finds no display ends at once.
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || echo "the X server on $DISPLAY does not answer"
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    "$build/tools/kivo-event/kivo-event" host >"$work/host.log" 2>&1 & host=$!
    sleep 0.5
    KIVO_ROOT="$work/root" KIVO_RESOURCES="$resources" QT_QPA_PLATFORM=xcb \
      QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
      "$build/app/kivo-sales-station" >"$work/station.out" 2>&1 & station=$!
    status=0
    PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$@" || status=$?
    kill -TERM $station 2>/dev/null; wait $station 2>/dev/null
    kill $host $bus 2>/dev/null
    if [ $status -ne 0 ]; then
      echo "--- station log"; tail -n 40 "$work/root/logs/KivoSalesStation.log" 2>/dev/null
      echo "--- station output"; tail -n 20 "$work/station.out"
      echo "--- host"; cat "$work/host.log"
    fi
    exit $status
  ' _ "$E2E_BUILD" "$work" "$E2E_HERE/../../resources" "$@" || status=$?
  exit "$status"
}
