#!/usr/bin/env bash
# Builds Vennart and runs every test. With --sanitize, the same suite in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer; with --coverage, the suite in an instrumented
# build, followed by line and branch coverage of src/ per layer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

mode="${1:-}"
build_dir=build
cmake_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "$mode" in
  --sanitize)
    build_dir=build-sanitize
    cmake_options=(-DCMAKE_BUILD_TYPE=Debug -DVENNART_SANITIZE=ON -DVENNART_BENCH=OFF)
    ;;
  --coverage)
    VENNART_PACKAGES+=("${VENNART_COVERAGE_PACKAGES[@]}")
    build_dir=build-coverage
    cmake_options=(-DCMAKE_BUILD_TYPE=Debug -DVENNART_BENCH=OFF -DCMAKE_CXX_FLAGS=--coverage
      -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage)
    ;;
  "") ;;
  *)
    echo "usage: $0 [--sanitize | --coverage]" >&2
    exit 2
    ;;
esac
vennart_install_missing_packages

cmake -S . -B "$build_dir" -G Ninja "${cmake_options[@]}"
cmake --build "$build_dir"
if [ "$mode" = "--coverage" ]; then
  find "$build_dir" -name '*.gcda' -delete
fi
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"

if [ "$mode" = "--coverage" ]; then
  # Branches the compiler adds for exceptions and for code it proved dead say nothing about the
  # tests, so they are left out of the branch figure.
  gcovr --root . --object-directory "$build_dir" --exclude-directories "$build_dir/CMakeFiles" \
    --filter src/ --exclude-throw-branches --exclude-unreachable-branches --json-summary "$build_dir/coverage.json"
  python3 - "$build_dir/coverage.json" <<'PYTHON'
import collections, json, sys
totals = collections.defaultdict(lambda: [0, 0, 0, 0])
for entry in json.load(open(sys.argv[1]))["files"]:
    layer = entry["filename"].split("/")[1] if entry["filename"].count("/") > 1 else "(top)"
    for key in (layer, "src/ in all"):
        row = totals[key]
        row[0] += entry["line_covered"]; row[1] += entry["line_total"]
        row[2] += entry["branch_covered"]; row[3] += entry["branch_total"]
percent = lambda part, whole: 100.0 * part / whole if whole else 100.0
print(f"{'layer':<12} {'lines':>22} {'branches':>22}")
for layer in sorted(totals, key=lambda name: (name == "src/ in all", name)):
    l, lt, b, bt = totals[layer]
    print(f"{layer:<12} {percent(l, lt):6.1f}% ({l:5} of {lt:5}) {percent(b, bt):6.1f}% ({b:5} of {bt:5})")
PYTHON
fi
