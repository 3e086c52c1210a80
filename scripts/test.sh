#!/usr/bin/env bash
# Builds Vennart and runs every test. With --sanitize, the same suite in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
vennart_install_missing_packages

build_dir=build
cmake_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  cmake_options=(-DCMAKE_BUILD_TYPE=Debug -DVENNART_SANITIZE=ON -DVENNART_BENCH=OFF)
fi

cmake -S . -B "$build_dir" -G Ninja "${cmake_options[@]}"
cmake --build "$build_dir"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
