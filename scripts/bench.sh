#!/usr/bin/env bash
# Runs every speed and memory benchmark beside its anchor, in one run, and writes what they print
# to docs/performance.md: each figure with its anchor, the ratio, the machine's load beside it and
# the date. Builds what it runs first (the build folder as scripts/build.sh made it).
#
#   scripts/bench.sh [OUTPUT]       (default docs/performance.md; about 5 to 10 minutes)
#
# The anchors: a minimal Qt Widgets window (start-up and memory), `find -iname 'ID*'` (the photo
# index), and a script that writes three files with fsync (kivo-order). Whole-process timings of
# the order tool go through farm-bench (alternated runs, medians) when it is installed.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KIVO_BUILD_DIR:-$here/build}"
output="${1:-$here/docs/performance.md}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

ninja -C "$build" bench_startup bench_search bench_share bench_selling kivo-order kivo-event \
  kivo-demo >/dev/null

work="$(mktemp -d)"
bus_pid=
host_pid=
cleanup() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2>/dev/null || true; fi
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

load() { cut -d' ' -f1-3 /proc/loadavg; }
# Field N (awk numbering) of the first line of FILE that matches PATTERN.
field() { grep -m1 -E "$2" "$1" | awk -v n="$3" '{ print $n }' || true; }
# The first "NUMBER UNIT" (ms or MiB) of the first line of FILE that matches PATTERN.
figure() { grep -m1 -E "$2" "$1" | grep -oE '[0-9.]+ (ms|MiB)' | head -1 | cut -d' ' -f1 || true; }
# The first number after WORD ("p50", "p99") on the first line of FILE that matches PATTERN
# (the wall-clock figure), and the one after "on-CPU WORD" (the lookup's own processor time).
after() { grep -m1 -E "$2" "$1" | grep -oE "$3 +[0-9.]+ ms" | head -1 | awk '{ print $2 }' || true; }
oncpu() { grep -m1 -E "$2" "$1" | sed -E 's/.*on-CPU//' | grep -oE "$3 +[0-9.]+ ms" | head -1 | awk '{ print $2 }' || true; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3gx", a / b; else print "-" }'; }
# "met" when A <= LIMIT (numbers), else "NOT met".
within() { awk -v a="$1" -v l="$2" 'BEGIN { print (a != "" && a + 0 <= l + 0) ? "met" : "NOT met" }'; }

echo "start-up and memory at ready ..." >&2
load_startup="$(load)"
"$build/bench/startup/bench_startup" 9 >"$work/startup.txt" 2>&1
load_startup="$load_startup / $(load)"

echo "selling screen with 40 photos ..." >&2
load_selling="$(load)"
"$build/bench/selling/bench_selling" 500 >"$work/selling.txt" 2>&1
load_selling="$load_selling / $(load)"

echo "photo index on local disk (200000 files in 2000 folders) ..." >&2
load_search="$(load)"
"$build/bench/search/bench_search" 200000 11 2000 >"$work/search.txt" 2>"$work/search.err"
load_search="$load_search / $(load)"

echo "photo index on the loopback share ..." >&2
load_share="$(load)"
share_status=0
"$build/bench/share/bench_share" >"$work/share.txt" 2>&1 || share_status=$?
load_share="$load_share / $(load)"

echo "kivo-order --write --announce against three files with fsync ..." >&2
root="$work/order-root"
"$build/tools/kivo-demo/kivo-demo" --root "$root" --size 320x240 >/dev/null 2>&1
# The station names its shared order folder at its first start; the tool writes into it.
mkdir -p "$root/shared/KivoSalesStation"
/usr/bin/python3 - "$root" <<'PY'
import plistlib, sys
path = sys.argv[1] + "/config/KivoSalesStation.plist"
with open(path, "rb") as f:
    settings = plistlib.load(f)
settings["prefLocalServerPath"] = sys.argv[1] + "/shared/KivoSalesStation"
with open(path, "wb") as f:
    plistlib.dump(settings, f)
PY
photo="$(find "$root/images" -name '*.jpg' | sort | head -1)"
id="$(basename "$photo" | cut -d_ -f1)"
cat >"$work/basket.plist" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
  <key>customerID</key><string>$id</string>
  <key>photos</key>
  <array><dict><key>path</key><string>$photo</string><key>lines</key><array>
    <dict><key>pkgDisplayName</key><string>8x10 Print</string><key>pkgQty</key><integer>1</integer></dict>
  </array></dict></array>
</dict>
</plist>
EOF
mkdir -p "$work/anchor"
eval "$(dbus-launch --sh-syntax)"
bus_pid="$DBUS_SESSION_BUS_PID"
KIVO_ROOT="$root" "$build/tools/kivo-event/kivo-event" host >/dev/null 2>&1 &
host_pid=$!
sleep 0.5
load_order="$(load)"
if command -v farm-bench >/dev/null; then
  KIVO_ROOT="$root" farm-bench -n 21 --timeout 300 \
    --vs "$here/bench/ordertool/three-files.sh $work/anchor" -- \
    "$build/tools/kivo-order/kivo-order" --basket "$work/basket.plist" --write --announce \
    >"$work/order.txt" 2>&1
else
  echo "farm-bench is not installed: the order tool was not timed" >"$work/order.txt"
fi
load_order="$load_order / $(load)"
fonts="$(KIVO_ROOT="$root" strace -f -e trace=openat "$build/tools/kivo-order/kivo-order" \
  --basket "$work/basket.plist" --write --announce 2>&1 >/dev/null | grep -c fontconfig || true)"

# The figures.
s="$work/startup.txt"
still_ms="$(figure "$s" 'ready, shipped attract')"
movie_ms="$(figure "$s" 'ready, demo')"
window_ms="$(figure "$s" 'minimal Qt Widgets window to ready')"
still_mib="$(figure "$s" 'memory at ready, shipped')"
movie_mib="$(figure "$s" 'memory at ready, demo')"
window_mib="$(figure "$s" 'window peak memory')"
selling_mib="$(figure "$work/selling.txt" 'peak memory with the selling screen')"
q="$work/search.txt"
settled_p50="$(after "$q" 'index lookups, settled' p50)"
settled_p99="$(after "$q" 'index lookups, settled' p99)"
settled_cpu99="$(oncpu "$q" 'index lookups, settled' p99)"
fresh_p50="$(after "$q" 'lookups within 2 s' p50)"
fresh_p99="$(after "$q" 'lookups within 2 s' p99)"
fresh_cpu99="$(oncpu "$q" 'lookups within 2 s' p99)"
w="$work/share.txt"
share_p50="$(after "$w" 'index lookups, settled +share' p50)"
share_p99="$(after "$w" 'index lookups, settled +share' p99)"
share_cpu99="$(after "$w" 'the same, on-CPU time +share' p99)"
share_find="$(figure "$w" "^find -iname.* share")"
find_ms="$(figure "$q" "^find -iname")"
index_ms="$(figure "$q" 'method 1, index \(settled\)')"
shape="$(grep -m1 -E '^[0-9]+ files in [0-9]+ folders' "$q" | cut -d';' -f1 || true)"
order_ms="$(field "$work/order.txt" '^A wall s' 5)"
anchor_ms="$(field "$work/order.txt" '^B wall s' 5)"
order_ratio="$(field "$work/order.txt" '^A/B wall' 4)"
order_exits="$(grep -m1 -oE '^A exit [0-9]+ \([0-9]+ of [0-9]+\)' "$work/order.txt" | cut -c3- || true)"
ms() { awk -v s="$1" 'BEGIN { if (s != "") printf "%.1f", s * 1000 }'; }

{
  echo "# Performance"
  echo
  echo "Made by \`scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) cores"
  echo "($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')), shared with other"
  echo "work; build \`$(grep -m1 CMAKE_CXX_FLAGS_RELWITHDEBINFO: "$build/CMakeCache.txt" | cut -d= -f2)\`."
  echo "Every figure is a median, measured in the same run as its anchor. Load is the machine's"
  echo "load average (1, 5, 15 minutes) before / after the benchmark."
  echo
  echo "| figure | value | anchor | ratio | target | | load |"
  echo "|---|---|---|---|---|---|---|"
  echo "| start to ready, attract screen as shipped (no movie) | $still_ms ms | minimal window $window_ms ms | $(ratio "$still_ms" "$window_ms") | at most 3x | $(within "$(ratio "$still_ms" "$window_ms" | tr -d x)" 3) | $load_startup |"
  echo "| start to ready, demo station (attract movie) | $movie_ms ms | minimal window $window_ms ms | $(ratio "$movie_ms" "$window_ms") | at most 3x | $(within "$(ratio "$movie_ms" "$window_ms" | tr -d x)" 3) | $load_startup |"
  echo "| peak memory at ready, attract screen as shipped | $still_mib MiB | minimal window $window_mib MiB | $(ratio "$still_mib" "$window_mib") | at most 2x | $(within "$(ratio "$still_mib" "$window_mib" | tr -d x)" 2) | $load_startup |"
  echo "| peak memory at ready, demo station (attract movie) | $movie_mib MiB | minimal window $window_mib MiB | $(ratio "$movie_mib" "$window_mib") | at most 2x | $(within "$(ratio "$movie_mib" "$window_mib" | tr -d x)" 2) | $load_startup |"
  echo "| peak memory, selling screen with 40 photos (bench_selling) | $selling_mib MiB | minimal window $window_mib MiB | $(ratio "$selling_mib" "$window_mib") | at most 2.5x | $(within "$(ratio "$selling_mib" "$window_mib" | tr -d x)" 2.5) | $load_selling |"
  echo "| index lookup, settled, p50 ($shape) | $settled_p50 ms | | | under 1 ms | $(within "$settled_p50" 1) | $load_search |"
  echo "| index lookup, settled, p99 | $settled_p99 ms (on-CPU $settled_cpu99 ms) | | | under 3 ms | $(within "$settled_p99" 3) | $load_search |"
  echo "| index lookup within 2 s of a new photo, p50 | $fresh_p50 ms | | | under 1 ms | $(within "$fresh_p50" 1) | $load_search |"
  echo "| index lookup within 2 s of a new photo, p99 | $fresh_p99 ms (on-CPU $fresh_cpu99 ms) | | | under 3 ms | $(within "$fresh_p99" 3) | $load_search |"
  echo "| index lookup on the loopback share, settled, p50 | ${share_p50:-not run} ms | | | under 5 ms | $(within "$share_p50" 5) | $load_share |"
  echo "| index lookup on the loopback share, settled, p99 | ${share_p99:-not run} ms (on-CPU $share_cpu99 ms) | \`find -iname 'ID*'\` on the share $share_find ms | | under 5 ms | $(within "$share_p99" 5) | $load_share |"
  echo "| one ID's photos through the index | $index_ms ms | \`find -iname 'ID*'\` $find_ms ms | $(ratio "$index_ms" "$find_ms") | | | $load_search |"
  echo "| \`kivo-order --write --announce\`, wall | $(ms "$order_ms") ms ($order_exits) | three files with fsync $(ms "$anchor_ms") ms | $(ratio "$order_ms" "$anchor_ms") (pairwise ${order_ratio}x) | at most 2x | $(within "$order_ratio" 2) | $load_order |"
  echo "| font configuration files read by \`kivo-order --write --announce\` | $fonts | | | none | $(within "$fonts" 0) | |"
  echo
  echo "## What the benchmarks printed"
  for part in startup:"bench_startup 9" selling:"bench_selling 500" search:"bench_search 200000 11 2000" \
    share:"bench_share (exit status $share_status; 77: the share cannot start here)" \
    order:"farm-bench -n 21 --vs 'bench/ordertool/three-files.sh DIR' -- kivo-order --basket BASKET --write --announce"; do
    echo
    echo "\`${part#*:}\`:"
    echo
    echo '```'
    cat "$work/${part%%:*}.txt"
    echo '```'
  done
} >"$output"
echo "wrote $output" >&2
