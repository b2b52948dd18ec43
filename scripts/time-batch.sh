#!/usr/bin/env bash
# Times whole batch runs and reports their peak memory:
#   all 262,144 labelled trees on 8 vertices (edge lines from Pruefer sequences),
#   all 366,319 alkane skeletons of 20 carbons (nauty-gentreeg -D4 20, sparse6),
#   and with --long, ten million records streamed through a pipe (memory must stay flat).
# Usage: scripts/time-batch.sh [--long] [PATH-TO-korvelant-cli]
set -euo pipefail
cd "$(dirname "$0")/.."

long=false
if [[ ${1:-} == --long ]]; then
  long=true
  shift
fi
cli=${1:-build/release/src/cli/korvelant-cli}
if [[ ! -x $cli ]]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release --parallel "$(nproc)" --target korvelant-cli >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Making the inputs..."
python3 scripts/make-labelled-trees.py 8 >"$work/labelled8.txt"
nauty-gentreeg -q -D4 20 >"$work/alkanes20.s6"
echo "  $(wc -l <"$work/labelled8.txt") labelled trees of 8 vertices"
echo "  $(wc -l <"$work/alkanes20.s6") alkane skeletons of 20 carbons"
echo "  $(nproc) processors"

# Runs the batch once; prints rows, wall and processor seconds, peak memory and the exit
# status. Processor time tells the pipeline's cost apart from other load on the machine.
measure() {
  local label=$1
  shift
  local status=0
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$cli" batch "$@" >"$work/rows" || status=$?
  read -r seconds user system kilobytes <"$work/time"
  printf '  %-40s %7d rows %6.2f s wall %6.2f s cpu %5.1f MB  exit %d\n' "$label" \
    "$(wc -l <"$work/rows")" "$seconds" "$(awk "BEGIN { print $user + $system }")" \
    "$(awk "BEGIN { print $kilobytes / 1024 }")" "$status"
}

echo "Batch runs (rows include the CSV header):"
measure "labelled trees, 8 vertices" "$work/labelled8.txt"
measure "labelled trees, 8 vertices, --jobs 1" --jobs 1 "$work/labelled8.txt"
measure "labelled trees, 8 vertices, jsonl" --format jsonl "$work/labelled8.txt"
measure "alkanes C20, sparse6" --from sparse6 "$work/alkanes20.s6"
measure "alkanes C20, sparse6, --jobs 1" --from sparse6 --jobs 1 "$work/alkanes20.s6"

if $long; then
  echo "Ten million records through a pipe:"
  /usr/bin/time -f "%e %M" -o "$work/time" bash -c \
    "yes '5 1-2,2-3,3-4,3-5 isopentane' | head -n 10000000 | '$cli' batch --from edges | wc -l" \
    >"$work/count"
  read -r seconds kilobytes <"$work/time"
  printf '  %-44s %8d rows %7.2f s %6.1f MB (largest process)\n' "10,000,000 edge lines" \
    "$(cat "$work/count")" "$seconds" "$(awk "BEGIN { print $kilobytes / 1024 }")"
fi
