#!/usr/bin/env bash
# The attract screen's movie on the real station under Xvfb: attract.py takes screenshots a
# second apart.
#   run-attract.sh BUILD_DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e-station.sh"
e2e_prepare "$1"
e2e_demo "$work/root"
e2e_run "$E2E_HERE/attract.py" "$work/root"
