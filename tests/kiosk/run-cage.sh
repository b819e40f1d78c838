#!/usr/bin/env bash
# The station as a kiosk without a desktop: in cage (a Wayland kiosk compositor) with its
# headless back end, on Qt's Wayland platform, as an unprivileged user (cage refuses root).
# cage.py, cage's one client, starts the station, waits for its READY=1, drives the start of a
# visit through AT-SPI and checks the screen grim takes of it.
#   run-cage.sh BUILD_DIR
# The screen is kept as BUILD_DIR/kiosk/attract.png and keypad.png.
# Exit 77 (skipped), with the reason, where cage, grim, Qt's Wayland platform, the accessibility
# bindings or an unprivileged user cannot be had.
set -euo pipefail
build="$(cd "${1:?usage: run-cage.sh BUILD_DIR}" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
skip() {
  echo "skipped: $*"
  exit 77
}
for tool in cage grim dbus-run-session convert timeout; do
  command -v "$tool" >/dev/null || skip "no $tool"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no at-spi-bus-launcher"
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || skip "needs /usr/bin/python3 with pyatspi"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  skip "no Qt Wayland platform (qt6-wayland)"

# cage refuses root: as root, the test's part in cage runs as nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || skip "root without setpriv to become an unprivileged user"
  uid="$(id -u nobody 2>/dev/null)" || skip "root without a user nobody"
  gid="$(id -g nobody)"
  as_user=(setpriv --reuid="$uid" --regid="$gid" --clear-groups)
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
"$build/tools/kivo-demo/kivo-demo" --root "$work/root" --size 1200x800 >/dev/null
mkdir -m 700 "$work/run" "$work/home" "$work/shots"
[ ${#as_user[@]} -eq 0 ] || chown -R "$uid:$gid" "$work"
"${as_user[@]}" true 2>/dev/null || skip "cannot run as an unprivileged user here"

status=0
"${as_user[@]}" env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
  timeout -k 5 100 dbus-run-session -- bash -c '
    set -u
    build="$1" here="$2" work="$3"
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    "$build/tools/kivo-event/kivo-event" host >"$work/host.log" 2>&1 & host=$!
    sleep 0.5
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_HEADLESS_OUTPUTS=1 \
      cage -d -- env PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$here/cage.py" \
      "$build/app/kivo-sales-station" "$work" >"$work/cage.log" 2>&1
    kill $host $bus 2>/dev/null
    # cage ends with its client; the client leaves its verdict here.
    status="$(cat "$work/status" 2>/dev/null || echo 1)"
    echo "--- cage"; grep -v "Basic output test failed" "$work/cage.log" | tail -n 60
    if [ "$status" != 0 ]; then
      echo "--- station output"; tail -n 30 "$work/station.out" 2>/dev/null
      echo "--- station log"; tail -n 30 "$work/root/logs/KivoSalesStation.log" 2>/dev/null
    fi
    exit "$status"
  ' _ "$build" "$here" "$work" || status=$?
mkdir -p "$build/kiosk"
cp "$work"/shots/*.png "$work/station.out" "$build/kiosk/" 2>/dev/null || true
exit "$status"
