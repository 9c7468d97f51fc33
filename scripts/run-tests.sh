#!/usr/bin/env bash
# Builds everything and runs every test: the normal build (all libraries,
# both programs, GUI tests on the offscreen Qt platform), then the Qt-free
# libraries again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh

export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --no-sandbox}"
jobs=$(nproc)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release -j"$jobs" --output-on-failure

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBQS_SANITIZE=ON
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan -j"$jobs" --output-on-failure

# The fuzz targets as libFuzzer binaries (clang only): the corpus replays,
# then each target for a short while on its seed corpus. A finding (crash,
# sanitizer report, time-out, memory over the limit) fails the run; its
# input is left in build/fuzz/findings/ to be mended and added to
# fuzz/corpus/<target>/.
if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DBQS_FUZZ=ON
  cmake --build build/fuzz -j"$jobs"
  ctest --test-dir build/fuzz -j"$jobs" --output-on-failure
  fuzz_seconds=${BQS_FUZZ_SECONDS:-20}
  mkdir -p build/fuzz/findings
  while read -r target; do
    [ -n "$target" ] || continue
    work="build/fuzz/work/$target"
    mkdir -p "$work"
    echo "fuzzing $target for ${fuzz_seconds}s"
    build/fuzz/bin/"$target" -max_total_time="$fuzz_seconds" -timeout=5 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
      "$work" "fuzz/corpus/$target" > "build/fuzz/$target.log" 2>&1 ||
      { tail -n 60 "build/fuzz/$target.log"; echo "fuzz finding in $target: see build/fuzz/findings/"; exit 1; }
    grep -E "^Done|stat::number_of_executed_units" "build/fuzz/$target.log" | head -2
  done < build/fuzz/fuzz-targets.txt
fi
