#!/usr/bin/env bash
# The station's lines in the journal, with the fields an operator filters on: a station started
# by a systemd user manager, on a root without its images folder, reports that it is out of
# service as KIVO_EVENT=out-of-service from its KIVO_STATION, and its plain lines arrive too.
# A journal daemon and a user manager of the test's own run in a private mount namespace (its
# own /run/systemd and /run/log), so nothing reaches the machine's journal.
# Exit 77 (skipped) when this machine cannot start them (not root, no systemd or unshare) and in
# a sanitized build.
#   journal.sh BUILD
set -euo pipefail
build="$(cd "${1:?usage: journal.sh BUILD}" && pwd)"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
systemd=/lib/systemd/systemd
journald=/lib/systemd/systemd-journald
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root for a private mount namespace"; exit 77; }
for tool in "$systemd" "$journald" unshare systemctl systemd-run journalctl dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
if grep -Eq '^(KIVO_SANITIZE:STRING=.+|KIVO_FUZZ:BOOL=ON)$' "$build/CMakeCache.txt"; then
  echo "skipped: sanitized build"
  exit 77
fi
grep -q '^SYSTEMD_FOUND:INTERNAL=1$' "$build/CMakeCache.txt" ||
  { echo "skipped: built without libsystemd (no journal)"; exit 77; }

if [ -z "${KIVO_JOURNAL_NAMESPACE:-}" ]; then
  mkdir -p /run/systemd /run/log
  exec unshare --mount --propagation private env KIVO_JOURNAL_NAMESPACE=1 sh -c \
    'mount -t tmpfs kivo-journal-test /run/systemd && mount -t tmpfs kivo-journal-test /run/log \
       || exit 77; mkdir /run/systemd/system /run/systemd/journal; exec "$0" "$@"' \
    "$0" "$build"
fi

work="$(mktemp -d)"
manager_pid="" journald_pid="" bus_pid=""
cleanup() {
  if [ -n "$manager_pid" ]; then
    systemctl --user stop kivo-journal-test.service 2>/dev/null || true
    kill "$manager_pid" 2>/dev/null && wait "$manager_pid" 2>/dev/null
  fi
  [ -n "$journald_pid" ] && kill "$journald_pid" 2>/dev/null && wait "$journald_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  journalctl -D /run/log/journal --no-pager -n 20 >&2 2>/dev/null || true
  tail -n 20 "$work/manager.log" "$work/journald.log" >&2 2>/dev/null || true
  exit 1
}

"$journald" >"$work/journald.log" 2>&1 &
journald_pid=$!
for _ in $(seq 50); do
  [ -S /run/systemd/journal/socket ] && break
  kill -0 "$journald_pid" 2>/dev/null || { cat "$work/journald.log"; echo "skipped: no journal daemon"; exit 77; }
  sleep 0.1
done
[ -S /run/systemd/journal/socket ] || { echo "skipped: the journal daemon made no socket"; exit 77; }

export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$work/station/config"
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus"
bus_pid="$(sed -n 2p "$work/bus")"

"$systemd" --user >"$work/manager.log" 2>&1 &
manager_pid=$!
for _ in $(seq 100); do
  [ "$(systemctl --user is-system-running 2>/dev/null)" = running ] && break
  kill -0 "$manager_pid" 2>/dev/null || { cat "$work/manager.log"; echo "skipped: no user manager"; exit 77; }
  sleep 0.1
done
[ "$(systemctl --user is-system-running 2>/dev/null)" = running ] ||
  { cat "$work/manager.log"; echo "skipped: the user manager did not come up"; exit 77; }

# The images folder the settings name is not there: the station cannot start a visit.
cat >"$work/station/config/KivoSalesStation.plist" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>prefMainImagesFolder</key><string>$work/station/no-images</string>
</dict></plist>
EOF
systemd-run --user --unit=kivo-journal-test --collect \
  -E KIVO_ROOT="$work/station" -E KIVO_RESOURCES="$source_dir/resources" \
  -E QT_QPA_PLATFORM=offscreen -E KIVO_STATION_NAME=journal-test \
  -E DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p "$work/bus")" \
  "$build/app/kivo-sales-station" >/dev/null 2>&1 || fail "the station did not start"

# FIELD=VALUE of the first entry matching the filters, in journalctl's export format.
field() {
  local name="$1"
  shift
  journalctl -D /run/log/journal --no-pager -o export "$@" 2>/dev/null |
    sed -n "s/^$name=//p" | head -n 1
}
for _ in $(seq 200); do
  [ -n "$(field KIVO_EVENT KIVO_EVENT=out-of-service KIVO_STATION=journal-test)" ] && break
  sleep 0.1
done
[ "$(field PRIORITY KIVO_EVENT=out-of-service KIVO_STATION=journal-test)" = 3 ] ||
  fail "no out-of-service entry of priority 3 from the station"
message="$(field MESSAGE KIVO_EVENT=out-of-service KIVO_STATION=journal-test)"
[[ "$message" == "out of service: "* ]] || fail "the out-of-service entry says \"$message\""
# Its plain lines come as well, without an event.
plain="$(journalctl -D /run/log/journal --no-pager -o export KIVO_STATION=journal-test |
  grep -c '^MESSAGE=Inside ' || true)"
[ "$plain" -gt 0 ] || fail "the station's plain lines are not in the journal"
echo "journal test passed ($plain plain lines; \"$message\")"
