#!/usr/bin/env bash
# The reliability figures of the README in one run: every fuzz target for a while, the
# monkey test on the window with many events, and every file-writing fault against the
# command-line program. Builds what it needs (build/release and build/fuzz).
#
#   scripts/reliability.sh [FUZZ_SECONDS_PER_TARGET] [MONKEY_EVENTS]   (defaults: 60, 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
events=${2:-100000}

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --parallel "$(nproc)" --target korvelant-cli window_monkey_test

echo "== fuzzing, $seconds s per target"
scripts/fuzz.sh "$seconds"

echo "== the window under $events random events"
QT_QPA_PLATFORM=offscreen KORVELANT_MONKEY_EVENTS=$events \
  build/release/tests/window/window_monkey_test -maxwarnings 0 2>&1 | grep -E "events from seed|^FAIL|^Totals"

echo "== file-writing faults"
scripts/writer-faults.sh build/release/src/cli/korvelant-cli
