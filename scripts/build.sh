#!/usr/bin/env bash
# Configures and builds the station, its tools and its tests in build/ (or $KIVO_BUILD_DIR).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KIVO_BUILD_DIR:-$here/build}"
# ccache, when present, shares compiled objects between build folders (several checkouts or
# sanitizer builds of the same sources).
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$here}" CCACHE_NOHASHDIR=1
fi
# KIVO_OPTIMIZE replaces the optimisation and debug-information flags ("-O2 -g"), e.g. "-O1 -g1"
# for a quicker sanitized build whose reports still name file and line.
optimize=()
if [ -n "${KIVO_OPTIMIZE:-}" ]; then
  optimize=("-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$KIVO_OPTIMIZE -DNDEBUG")
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  "${optimize[@]}" ${KIVO_CMAKE_ARGS:-} >/dev/null
ninja -C "$build" "$@"
