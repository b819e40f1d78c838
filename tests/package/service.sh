#!/usr/bin/env bash
# The kiosk unit as shipped, under a systemd user manager of its own: the station it starts is
# killed (SIGKILL), then frozen (SIGSTOP, which only the watchdog can notice), and each time a
# new station must be serving within 15 s. "Serving" is what systemd itself knows: the unit is
# active again with a new main process, which a Type=notify unit only becomes after the new
# station's READY=1.
# The manager runs with a runtime and configuration folder of its own; on a machine not booted
# with systemd (a container), in a private mount namespace where /run/systemd/system exists, as
# systemd refuses a user manager otherwise. Nothing of it is seen outside the test.
# Exit 77 (skipped) when this machine cannot start one (not root, no systemd or unshare) and in
# a sanitized build.
#   service.sh BUILD
set -euo pipefail
build="$(cd "${1:?usage: service.sh BUILD}" && pwd)"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
systemd=/lib/systemd/systemd
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root for a private mount namespace"; exit 77; }
for tool in "$systemd" unshare systemctl dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
if grep -Eq '^(KIVO_SANITIZE:STRING=.+|KIVO_FUZZ:BOOL=ON)$' "$build/CMakeCache.txt"; then
  echo "skipped: sanitized build"
  exit 77
fi

# systemd, and systemctl as well, look for /run/systemd/system: everything below runs in a
# private mount namespace where it exists.
if [ ! -d /run/systemd/system ]; then
  [ -z "${KIVO_SERVICE_NAMESPACE:-}" ] || { echo "skipped: no private /run/systemd"; exit 77; }
  mkdir -p /run/systemd
  exec unshare --mount --propagation private env KIVO_SERVICE_NAMESPACE=1 sh -c \
    'mount -t tmpfs kivo-service-test /run/systemd || exit 77; mkdir /run/systemd/system; exec "$0" "$@"' \
    "$0" "$build"
fi

work="$(mktemp -d)"
manager_pid="" host_pid="" bus_pid=""
cleanup() {
  if [ -n "$manager_pid" ]; then
    systemctl --user stop kivo-sales-station.service 2>/dev/null || true
    kill "$manager_pid" 2>/dev/null && wait "$manager_pid" 2>/dev/null
  fi
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null && wait "$host_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  systemctl --user status --no-pager kivo-sales-station.service >&2 || true
  echo "--- station log" >&2
  tail -n 30 "$KIVO_ROOT/logs/KivoSalesStation.log" >&2 2>/dev/null || true
  echo "--- user manager" >&2
  tail -n 30 "$work/manager.log" >&2 2>/dev/null || true
  exit 1
}

# The manager's own folders.
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A station of its own with a print host, so the one systemd starts serves customers.
export KIVO_ROOT="$work/station" KIVO_RESOURCES="$source_dir/resources" QT_QPA_PLATFORM=offscreen
"$build/tools/kivo-demo/kivo-demo" --root "$KIVO_ROOT" --size 320x240 >/dev/null
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus"
DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p "$work/bus")"
bus_pid="$(sed -n 2p "$work/bus")"
export DBUS_SESSION_BUS_ADDRESS
"$build/tools/kivo-event/kivo-event" host >/dev/null 2>&1 &
host_pid=$!

# The shipped unit, with a drop-in that points it at this build and this station.
mkdir -p "$HOME" "$XDG_CONFIG_HOME/systemd/user/kivo-sales-station.service.d"
cp "$source_dir/packaging/systemd/kivo-sales-station.service" "$XDG_CONFIG_HOME/systemd/user/"
station="$build/app/kivo-sales-station"
cat >"$XDG_CONFIG_HOME/systemd/user/kivo-sales-station.service.d/build.conf" <<EOF
[Service]
ExecStartPre=
ExecStartPre=-$station --self-test
ExecStart=
ExecStart=$station
Environment=KIVO_ROOT=$KIVO_ROOT KIVO_RESOURCES=$KIVO_RESOURCES QT_QPA_PLATFORM=offscreen
Environment=DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
EOF

"$systemd" --user >"$work/manager.log" 2>&1 &
manager_pid=$!
for _ in $(seq 100); do
  [ "$(systemctl --user is-system-running 2>/dev/null)" = running ] && break
  kill -0 "$manager_pid" 2>/dev/null || { cat "$work/manager.log"; echo "skipped: no user manager"; exit 77; }
  sleep 0.1
done
[ "$(systemctl --user is-system-running 2>/dev/null)" = running ] ||
  { cat "$work/manager.log"; echo "skipped: the user manager did not come up"; exit 77; }

prop() { systemctl --user show -P "$1" kivo-sales-station.service; }
# Waits until a station other than OLD serves; prints the milliseconds it took.
serving_after() {
  local old="$1" start now pid
  start="$(date +%s%3N)"
  while :; do
    now="$(date +%s%3N)"
    pid="$(prop MainPID)"
    if [ "$(prop ActiveState)" = active ] && [ "$(prop SubState)" = running ] &&
       [[ "$pid" =~ ^[0-9]+$ ]] && [ "$pid" -gt 1 ] && [ "$pid" != "$old" ]; then
      echo $((now - start))
      return 0
    fi
    [ $((now - start)) -le 20000 ] || return 1
    sleep 0.1
  done
}

# The station's process id, once the unit has one. Anything else (0 between two stations, or
# nothing when systemctl fails) must never reach kill: "kill -STOP 0" would freeze this test's
# whole process group, CTest with it.
station_pid() {
  local pid
  for _ in $(seq 100); do
    pid="$(prop MainPID)"
    if [[ "$pid" =~ ^[0-9]+$ ]] && [ "$pid" -gt 1 ]; then
      echo "$pid"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
systemctl --user start kivo-sales-station.service || fail "the unit did not start"
first="$(station_pid)" || fail "the unit started without a station"
[ "$(prop StatusText)" = "Waiting for a customer" ] ||
  fail "the first station says \"$(prop StatusText)\" instead of waiting for a customer"
echo "started: station $first, watchdog $(prop WatchdogUSec)"

check() {
  local signal="$1" old took
  old="$(station_pid)" || fail "no station to send SIG$signal to"
  kill "-$signal" "$old"
  took="$(serving_after "$old")" || fail "no new station within 20 s of SIG$signal"
  echo "SIG$signal on station $old: station $(prop MainPID) serving after ${took} ms"
  [ "$took" -le 15000 ] || fail "SIG$signal: a new station took ${took} ms (limit 15 s)"
}
check KILL
check STOP
echo "service test passed"
