#!/usr/bin/env bash
# Two real stations of one site on the test share (run inside `smb-test-share.sh run`): each with
# its own root, order folder, print host, X server and session bus, both searching the share's
# images folder through their own host's mount and writing into its point-of-sale folder; a camera
# station writes photos on the server's side. two_stations.py drives the site; each station runs
# a step server of it under its own display and bus (station-env.sh).
#   run-two-stations.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${KIVO_SHARE_DIR:?run inside smb-test-share.sh run}"
if ! /usr/bin/python3 -c "import pyatspi" 2>/dev/null || ! command -v xvfb-run >/dev/null ||
  [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "SKIPPED: needs /usr/bin/python3 with pyatspi, xvfb-run and at-spi-bus-launcher"
  exit 77
fi
# Under the sanitizers each station runs several times slower than the steps' limits allow; the
# code this drives is checked under them by the release, journal and lock tests in process.
if grep -Eq '^(KIVO_SANITIZE:STRING=.+|KIVO_FUZZ:BOOL=ON)$' "$build/CMakeCache.txt"; then
  echo "SKIPPED: sanitized build"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The site: the demo's photos as the camera station left them, one invoice folder on the share.
"$build/tools/kivo-demo/kivo-demo" --root "$work/demo" --size 1200x800 >/dev/null || exit 1
site="site-$$-$RANDOM"
mkdir -p "$KIVO_SHARE_SERVER/$site/pos"
cp -r "$work/demo/images" "$KIVO_SHARE_SERVER/$site/images"
find "$KIVO_SHARE_SERVER/$site/images" -name '*.txt' -delete

# Each station's root: the demo's settings with the share as its host mounts it.
for name in a b; do
  "$build/tools/kivo-demo/kivo-demo" --root "$work/$name" --size 1200x800 >/dev/null || exit 1
  rm -rf "$work/$name/images"
done
python3 "$here/two_stations.py" configure "$work/a" "$KIVO_SHARE_A/$site" 1 || exit 1
python3 "$here/two_stations.py" configure "$work/b" "$KIVO_SHARE_B/$site" 0 || exit 1

# The driver starts and ends the stations (station-env.sh) as the steps need them.
PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$here/two_stations.py" site "$build" "$work" "$site"
status=$?
if [ $status -ne 0 ]; then
  for name in a b; do
    echo "--- station $name: steps"; tail -n 20 "$work/$name.steps.log"
    echo "--- station $name: log"; tail -n 30 "$work/$name/logs/KivoSalesStation.log" 2>/dev/null
  done
fi
exit $status
