#!/usr/bin/env bash
# Builds the Debian package from the build folder BUILD, unpacks it into an empty folder and
# runs the unpacked programs as an installed station would: kivo-demo makes a station, kivo-event
# plays the print host, and `kivo-sales-station --self-test` must pass with the resources of the
# package (not those of the source tree), and fail, saying why, without the host and once the
# images folder is gone.
# Exit 77 (skipped) without cpack or dpkg-deb, and in a sanitized build.
set -euo pipefail
build="$(cd "${1:?usage: run.sh BUILD}" && pwd)"
for tool in cpack dpkg-deb dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

# A package is made from a plain build; a sanitized or fuzzing one is not shipped.
if grep -Eq '^(KIVO_SANITIZE:STRING=.+|KIVO_FUZZ:BOOL=ON)$' "$build/CMakeCache.txt"; then
  echo "skipped: sanitized build"
  exit 77
fi

work="$(mktemp -d)"
host_pid=""
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null && wait "$host_pid" 2>/dev/null
  [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack did not make the package"; }
deb="$(ls "$work"/out/kivo-sales-station_*_amd64.deb 2>/dev/null | head -1)"
[ -n "$deb" ] || fail "no kivo-sales-station_VERSION_amd64.deb in $(ls "$work/out")"
echo "package: $(basename "$deb")"

# Depends comes from dpkg-shlibdeps: the Qt libraries the programs link must be named.
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6dbus6 libcups2 libplist; do
  grep -q "$lib" <<<"$depends" || fail "Depends does not name $lib"
done

root="$work/unpacked"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/kivo-sales-station usr/bin/kivo-find usr/bin/kivo-order usr/bin/kivo-event \
            usr/bin/kivo-crop usr/bin/kivo-demo usr/share/kivo-sales-station/FactoryDefaults.plist \
            usr/share/kivo-sales-station/UIDisplayPackageList.plist \
            usr/share/kivo-sales-station/translations/kivo_sales_station_fr.qm \
            usr/share/kivo-sales-station/translations/kivo_sales_station_es.qm \
            usr/share/applications/kivo-sales-station.desktop \
            usr/share/icons/hicolor/scalable/apps/kivo-sales-station.svg \
            usr/share/man/man1/kivo-sales-station.1.gz usr/lib/systemd/user/kivo-sales-station.service; do
  [ -e "$root/$file" ] || fail "the package lacks /$file"
done
for program in "$root"/usr/bin/*; do
  [ -e "$root/usr/share/man/man1/$(basename "$program").1.gz" ] ||
    fail "no manual page for $(basename "$program")"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/kivo-sales-station.desktop"
fi

# The installed station on a station of its own: nothing from the source tree or the build.
unset KIVO_RESOURCES
# The checks below read the station's English; one of them asks for French.
export LANGUAGE=en
export KIVO_ROOT="$work/station" QT_QPA_PLATFORM=offscreen
"$root/usr/bin/kivo-demo" --root "$KIVO_ROOT" --size 320x240 >/dev/null
settings="$KIVO_ROOT/config/KivoSalesStation.plist"
if ! lpstat -p ReceiptPDF >/dev/null 2>&1; then
  # No test queue here: the receipt check would fail for want of a printer, not of the package.
  /usr/bin/python3 - "$settings" <<'PY'
import plistlib, sys
with open(sys.argv[1], 'rb') as f: s = plistlib.load(f)
s['prefPrintReceipt'] = False
with open(sys.argv[1], 'wb') as f: plistlib.dump(s, f)
PY
fi

# A bus of its own, so the stand-in host owns its name here whatever runs beside the test.
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus"
DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p "$work/bus")"
DBUS_SESSION_BUS_PID="$(sed -n 2p "$work/bus")"
export DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID
# Without the print host the self-test says so and fails.
status=0
out="$("$root/usr/bin/kivo-sales-station" --self-test 2>/dev/null)" || status=$?
[ "$status" -ne 0 ] || fail "the self-test passed without a print host"
grep -qx "Print host: org.kivo.app.KVXq is not on the session bus" <<<"$out" ||
  fail "no reason for the missing print host: $out"
"$root/usr/bin/kivo-event" host >/dev/null 2>&1 &
host_pid=$!
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.kivo.app.KVXq 2>/dev/null | grep -q true && break
  sleep 0.1
done

status=0
out="$("$root/usr/bin/kivo-sales-station" --self-test 2>/dev/null)" || status=$?
echo "$out"
grep -qx "Catalogue: OK (.* from $root/usr/share/kivo-sales-station)" <<<"$out" ||
  fail "the installed station did not read the package's resources"
# The installed station speaks French from the package's own translations.
out_fr="$(LANGUAGE=fr "$root/usr/bin/kivo-sales-station" --self-test 2>/dev/null)" || true
grep -qx "Catalogue: OK (.* forfaits depuis $root/usr/share/kivo-sales-station)" <<<"$out_fr" ||
  fail "the installed station did not speak French: $out_fr"
# The demo keeps the factory codes, which the self-test names (and fails for); all else is OK.
grep -q "^Codes: Factory codes still in use, .*: release code, " <<<"$out" ||
  fail "the factory codes were not named: $out"
[ "$status" -eq 1 ] || fail "the self-test of a station with the factory codes exited $status"
[ "$(grep -c ': OK' <<<"$out")" -eq "$(($(wc -l <<<"$out") - 1))" ] ||
  fail "a line besides the codes is not OK"

# A check that fails is told and sets the exit status.
mv "$KIVO_ROOT/images" "$work/images.away"
status=0
out="$("$root/usr/bin/kivo-sales-station" --self-test 2>/dev/null)" || status=$?
[ "$status" -ne 0 ] || fail "the self-test passed without an images folder"
grep -q "^Images folder: .* is not there$" <<<"$out" || fail "no reason for the images folder: $out"
echo "package test passed"
