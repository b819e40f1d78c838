#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the station's own code (src/, app/,
# tools/) and fails on any finding. It reads the compile commands of a clang build, whose
# precompiled headers it can load (three times quicker than parsing Qt's headers per file):
# build-sanitize/ by default (scripts/sanitize.sh makes it), or the folder given.
#   scripts/tidy.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${KIVO_SANITIZE_BUILD_DIR:-$here/build-sanitize}}"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: no $build/compile_commands.json (build it first, e.g. scripts/sanitize.sh)" >&2
  exit 1
fi
mapfile -t files < <(python3 - "$build/compile_commands.json" "$here" <<'PY'
import json, sys
root = sys.argv[2] + "/"
names = {e["file"] for e in json.load(open(sys.argv[1]))}
for f in sorted(names):
    if any(f.startswith(root + d) for d in ("src/", "app/", "tools/")) and "_autogen" not in f:
        print(f)
PY
)
echo "tidy: ${#files[@]} files"
log="$build/tidy.log"
status=0
run-clang-tidy -p "$build" -j "$(nproc)" -quiet "${files[@]}" >"$log" 2>&1 || status=$?
# Findings with their lines; the progress lines and the counts of suppressed warnings are noise.
# run-clang-tidy colours its output whatever the terminal; the colours go before the search.
if sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error): ' | sort -u; then
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "tidy: findings above (whole output in $log)" >&2
  exit 1
fi
echo "tidy: no findings"
