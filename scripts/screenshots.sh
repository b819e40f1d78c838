#!/usr/bin/env bash
# Renders each screen of a demo visit into docs/screenshots/: the real station under Xvfb, driven
# through the accessibility interface by the end-to-end visit, with a picture of the whole screen
# at the attract screen, the keypad, the selling screen with packages chosen, the order summary,
# the release code, the progress sheet, the marking window with its instructions and the zoomed
# photo, the preferences sheet, and the sheet setting up a new site with the day's report after
# its first sale.
#   scripts/screenshots.sh [BUILD_DIR] [WIDTHxHEIGHT]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${KIVO_BUILD_DIR:-$here/build}}"
size="${2:-1280x800}"
out="$here/docs/screenshots"
mkdir -p "$out"
KIVO_BUILD_DIR="$build" "$here/scripts/build.sh" kivo-sales-station kivo-demo kivo-event
KIVO_SHOTS="$out" KIVO_SCREEN="$size" "$here/tests/e2e/run-visit.sh" "$build"
KIVO_SHOTS="$out" KIVO_SCREEN="$size" "$here/tests/e2e/run-preferences.sh" "$build"
KIVO_SHOTS="$out" KIVO_SCREEN="$size" "$here/tests/e2e/run-setup.sh" "$build"
ls "$out"/*.png
