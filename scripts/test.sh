#!/usr/bin/env bash
# Set-up, build and every test, headless. With --sanitize: the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  flags=(-DNUBERA_SANITIZE=ON -DNUBERA_BENCHMARKS=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
