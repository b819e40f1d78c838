#!/usr/bin/env bash
# Builds everything and runs the whole test suite: CTest inside a private D-Bus session bus,
# with a CUPS scheduler and a PDF printer queue for the receipt tests when this machine can
# start one (as root).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KIVO_BUILD_DIR:-$here/build}"
"$here/scripts/build.sh"

started_cups=""
if [ -x "$here/scripts/cups-test-queue.sh" ] && [ "$(id -u)" -eq 0 ]; then
  if "$here/scripts/cups-test-queue.sh" start; then started_cups=1; fi
fi
cleanup() { if [ -n "$started_cups" ]; then "$here/scripts/cups-test-queue.sh" stop || true; fi; }
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
cd "$build"
dbus-run-session -- ctest --output-on-failure -j2 --timeout 300 "$@"
