#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in an optimised build and
# under AddressSanitizer and UndefinedBehaviorSanitizer, where the window's tests also run on
# an X display; then runs each fuzz target briefly, so that none of them rots
# (scripts/fuzz.sh SECONDS runs them longer).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== optimised build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --parallel "$jobs"
ctest --test-dir build/release --parallel "$jobs"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
# The Python package is tested in the optimised build: Python itself is not instrumented.
# Line tables (-g1) name the file and line of every frame a sanitizer reports, at a fraction
# of the compile time full debug information costs; -O1 is what the sanitizers are made for and
# compiles the instrumented tests in two thirds of the time -O2 takes.
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVELANT_SANITIZE=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DKORVELANT_BENCHMARKS=OFF -DKORVELANT_PYTHON=OFF
cmake --build build/sanitize --parallel "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt
# The tests labelled slow (every labelled tree of 8 vertices, trees of 100,000 vertices, the
# monkey) repeat what the others check on more data; they ran in the optimised build.
ctest --test-dir build/sanitize --parallel "$jobs" -LE slow

echo "== the window's tests on an X display, under the sanitizers"
scripts/window-tests-on-x.sh build/sanitize

echo "== fuzz targets, a few seconds each"
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
scripts/fuzz.sh 5
