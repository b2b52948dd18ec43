#!/usr/bin/env bash
# Times whole batch runs and reports their peak memory:
#   all 262,144 labelled trees on 8 vertices (edge lines from Pruefer sequences),
#   all 366,319 alkane skeletons of 20 carbons (nauty-gentreeg -D4 20, sparse6),
#   and with --long, ten million records through a pipe (memory must stay flat).
#
# With --old, the same work on one core side by side with the forest-by-forest engine, in
# alternating rounds, twice each (this build five times a round), with the ratio of
# processor times: the half-sums of the C20
# alkanes, and 50 random trees of 128 vertices with all their matrices as JSON lines. That
# engine is the program as it was at commit 854bbb6 (main before the O(n^2) engine came),
# exported with `git archive` and built once into build/old-engine-854bbb6-pic (Release,
# without the window, tests or Python, but compiled as position-independent code as the
# release build is for its Python module, so that both programs come from the same compiler
# flags). Both programs get the same input files, and their outputs are compared byte for
# byte.
#
# Usage: scripts/time-batch.sh [--long] [--old] [PATH-TO-korvelant-cli]
set -euo pipefail
cd "$(dirname "$0")/.."

long=false
old=false
while [[ ${1:-} == --long || ${1:-} == --old ]]; do
  [[ $1 == --long ]] && long=true
  [[ $1 == --old ]] && old=true
  shift
done
cli=${1:-build/release/src/cli/korvelant-cli}
if [[ ! -x $cli ]]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release --parallel "$(nproc)" --target korvelant-cli >/dev/null
fi

old_commit=854bbb6
old_dir=build/old-engine-$old_commit-pic
old_cli=$old_dir/build/src/cli/korvelant-cli
if $old && [[ ! -x $old_cli ]]; then
  echo "Building the forest-by-forest engine of $old_commit into $old_dir..."
  rm -rf "$old_dir"
  mkdir -p "$old_dir/source"
  git archive "$old_commit" | tar -x -C "$old_dir/source"
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$old_dir/source" -B "$old_dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKORVELANT_WINDOW=OFF -DKORVELANT_TESTS=OFF -DKORVELANT_BENCHMARKS=OFF \
    -DKORVELANT_PYTHON=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
    -DCMAKE_CXX_FLAGS=-fno-semantic-interposition "${launcher[@]}" >/dev/null
  cmake --build "$old_dir/build" --parallel "$(nproc)" --target korvelant-cli >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Making the inputs..."
python3 scripts/make-labelled-trees.py 8 >"$work/labelled8.txt"
python3 scripts/make-labelled-trees.py 128 --random 50 20261209 >"$work/random128.txt"
nauty-gentreeg -q -D4 20 >"$work/alkanes20.s6"
echo "  $(wc -l <"$work/labelled8.txt") labelled trees of 8 vertices"
echo "  $(wc -l <"$work/random128.txt") random trees of 128 vertices"
echo "  $(wc -l <"$work/alkanes20.s6") alkane skeletons of 20 carbons"
echo "  $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# Runs one batch of program $1; prints rows, wall and processor seconds, peak memory and
# the exit status, and leaves the processor seconds in $cpu and the rows in $work/rows.
# Processor time tells the pipeline's cost apart from other load on the machine.
measure() {
  local program=$1 label=$2
  shift 2
  local status=0
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$program" batch "$@" >"$work/rows" || status=$?
  read -r seconds user system kilobytes <"$work/time"
  cpu=$(awk "BEGIN { print $user + $system }")
  printf '  %-46s %7d rows %6.2f s wall %6.2f s cpu %5.1f MB  exit %d\n' "$label" \
    "$(wc -l <"$work/rows")" "$seconds" "$cpu" "$(awk "BEGIN { print $kilobytes / 1024 }")" \
    "$status"
}

echo "Batch runs (rows include the CSV header):"
measure "$cli" "labelled trees, 8 vertices" "$work/labelled8.txt"
measure "$cli" "labelled trees, 8 vertices, --jobs 1" --jobs 1 "$work/labelled8.txt"
measure "$cli" "labelled trees, 8 vertices, jsonl" --format jsonl "$work/labelled8.txt"
measure "$cli" "alkanes C20, sparse6" --from sparse6 "$work/alkanes20.s6"
measure "$cli" "alkanes C20, sparse6, --jobs 1" --from sparse6 --jobs 1 "$work/alkanes20.s6"
measure "$cli" "alkanes C20, --columns name,WIPGM,HIPGM, --jobs 1" --from sparse6 --jobs 1 \
  --columns name,WIPGM,HIPGM "$work/alkanes20.s6"

# The same work by both engines, new then old, twice; the ratio of processor times. This
# build runs five times a round and its mean is taken: one run of it lasts a tenth of the
# old engine's, and a run that short took the machine's slow spells whole, moving the
# ratio by a fifth from one round to the next.
versus() {
  local label=$1
  shift
  echo "$label"
  local round repeat
  for round in 1 2; do
    local new_total=0
    for repeat in 1 2 3 4 5; do
      measure "$cli" "this build (round $round, run $repeat)" "$@"
      new_total=$(awk "BEGIN { print $new_total + $cpu }")
    done
    local new_cpu
    new_cpu=$(awk "BEGIN { print $new_total / 5 }")
    mv "$work/rows" "$work/rows.new"
    measure "$old_cli" "forest-by-forest engine, $old_commit (round $round)" "$@"
    local same="the same bytes"
    if ! cmp -s "$work/rows" "$work/rows.new"; then
      # JSON lines of 854bbb6 give "edges" as text, not yet as pairs: all else must agree.
      same=$(python3 -c 'import json, sys
strip = lambda path: [{k: v for k, v in json.loads(line).items() if k != "edges"}
                      for line in open(path)]
print("the same values but edges" if strip(sys.argv[1]) == strip(sys.argv[2])
      else "THE OUTPUTS DIFFER")' "$work/rows" "$work/rows.new" 2>/dev/null ||
        echo "THE OUTPUTS DIFFER")
    fi
    printf "  %-46s %.1f times faster (this build %.2f s cpu on average), %s\n" "" \
      "$(awk "BEGIN { print $cpu / $new_cpu }")" "$new_cpu" "$same"
  done
}

if $old; then
  echo "Against the forest-by-forest engine, one core:"
  versus "alkanes C20, sparse6, --jobs 1 (half-sums):" --from sparse6 --jobs 1 \
    "$work/alkanes20.s6"
  versus "50 random trees of 128 vertices, --matrices --format jsonl --jobs 1:" --matrices \
    --format jsonl --jobs 1 "$work/random128.txt"
fi

if $long; then
  echo "Ten million records through a pipe:"
  /usr/bin/time -f "%e %M" -o "$work/time" bash -c \
    "yes '5 1-2,2-3,3-4,3-5 isopentane' | head -n 10000000 | '$cli' batch --from edges | wc -l" \
    >"$work/count"
  read -r seconds kilobytes <"$work/time"
  printf '  %-44s %8d rows %7.2f s %6.1f MB (largest process)\n' "10,000,000 edge lines" \
    "$(cat "$work/count")" "$seconds" "$(awk "BEGIN { print $kilobytes / 1024 }")"
fi
