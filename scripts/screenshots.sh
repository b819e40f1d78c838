#!/usr/bin/env bash
# Renders each screen of a demo visit into docs/screenshots/: the real station under Xvfb, driven
# through the accessibility interface by the end-to-end scripts, with a picture of the whole screen
# at the attract screen, the keypad, the selling screen with packages chosen, the order summary,
# the release code, the progress sheet, the marking window with its instructions and the zoomed
# photo, the preferences sheet with its Status page and the crop editor, and the sheet setting up
# a new site with the day's report after its first sale.
#   scripts/screenshots.sh [BUILD_DIR] [WIDTHxHEIGHT...]
# By default at 1280x800 (into docs/screenshots/ itself), 1024x768, 1920x1080 and 1080x1920
# (portrait; each into docs/screenshots/WIDTHxHEIGHT/).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${KIVO_BUILD_DIR:-$here/build}}"
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x800 1024x768 1920x1080 1080x1920)
KIVO_BUILD_DIR="$build" "$here/scripts/build.sh" kivo-sales-station kivo-demo kivo-event
for size in "${sizes[@]}"; do
  out="$here/docs/screenshots"
  [ "$size" = 1280x800 ] || out="$out/$size"
  mkdir -p "$out"
  rm -f "$out/failed.png"
  for run in visit preferences setup; do
    KIVO_SHOTS="$out" KIVO_SCREEN="$size" "$here/tests/e2e/run-$run.sh" "$build"
  done
  ls "$out"/*.png
done
