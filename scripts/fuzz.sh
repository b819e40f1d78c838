#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, ASan, UBSan) in build-fuzz/ (or
# $KIVO_FUZZ_BUILD_DIR), only they and what they link, and runs each for SECONDS (default 20)
# from its seed corpus in fuzz/corpus/<target>. Any finding (a crash, a sanitizer report, a
# leak, a broken promise of a reader, a hang) fails the run; its input is kept under
# <build>/findings/ and can be replayed with "<build>/fuzz/<target> <input>".
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KIVO_FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds="${1:-20}"
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(fuzz_plist fuzz_settings fuzz_factory_defaults fuzz_basket fuzz_catalogue
           fuzz_order_file fuzz_formatter)
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$here}" CCACHE_NOHASHDIR=1
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKIVO_FUZZ=ON "${launcher[@]}" ${KIVO_CMAKE_ARGS:-} >/dev/null
ninja -C "$build" "${targets[@]}"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
  # New inputs go to a working corpus in the build folder; the checked-in seeds stay as they are.
  work="$build/corpus/$target"
  mkdir -p "$work"
  log="$build/findings/$target.log"
  echo "== $target: ${seconds}s"
  if "$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=25 \
      -rss_limit_mb=2048 -close_fd_mask=3 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$target-" "$work" "$here/fuzz/corpus/$target" \
      >"$log" 2>&1; then
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units)' "$log" || true
  else
    echo "$target: FINDING (log: $log)" >&2
    grep -E 'ERROR:|runtime error|finding:|Test unit written' "$log" >&2 || tail -20 "$log" >&2
    status=1
  fi
done
exit "$status"
