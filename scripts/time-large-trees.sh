#!/usr/bin/env bash
# Half-sums of single large trees with `korvelant-cli batch`: distinct random trees of
# 10,000 and 100,000 vertices, and the path and the star of 100,000, one tree a run, each
# with its wall time and peak memory (/usr/bin/time -v). The baseline, timed on the same
# file in the same run, is `batch --matrices`, which reads the tree and refuses it (past
# the matrices' 1,000 vertices): the time of reading, so that the ratio is the computing's.
#   scripts/time-large-trees.sh [build/release/src/cli/korvelant-cli] [random trees a size]
set -euo pipefail
cli=${1:-build/release/src/cli/korvelant-cli}
count=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One edge line: a random tree (each vertex k joined to a random earlier one, then the
# numbers shuffled), a path or a star.
make_tree() {  # shape n seed file
  python3 - "$@" <<'PY'
import random, sys
shape, n, seed, path = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
rng = random.Random(seed)
if shape == "random":
    label = list(range(1, n + 1))
    rng.shuffle(label)
    edges = [(label[rng.randrange(k)], label[k]) for k in range(1, n)]
elif shape == "path":
    edges = [(k, k + 1) for k in range(1, n)]
else:
    edges = [(1, k) for k in range(2, n + 1)]
with open(path, "w") as out:
    out.write(f"{n} " + ",".join(f"{a}-{b}" for a, b in edges) + f" {shape}{n}\n")
PY
}

# Seconds and peak KiB of one run, on one line.
measure() {
  /usr/bin/time -v "$@" > /dev/null 2> "$work/time" || true
  awk -F': ' '/Elapsed \(wall clock\)/ { split($2, t, ":"); s = t[1] * 60 + t[2] }
              /Maximum resident/ { kb = $2 } END { printf "%.2f %d\n", s, kb }' "$work/time"
}

printf '%-16s %10s %12s %12s %8s\n' tree "half-sums" "peak memory" "read only" ratio
run() {  # label file
  read -r seconds kb < <(measure "$cli" batch --from edges --jobs 1 "$2")
  read -r base _ < <(measure "$cli" batch --from edges --jobs 1 --matrices "$2")
  printf '%-16s %9ss %9d MB %11ss %8s\n' "$1" "$seconds" $((kb / 1024)) "$base" \
    "$(awk -v a="$seconds" -v b="$base" 'BEGIN { printf (b > 0 ? "%.0f" : "-"), a / b }')"
}
for n in 10000 100000; do
  for seed in $(seq 1 "$count"); do
    make_tree random "$n" "$seed" "$work/tree"
    run "random $n #$seed" "$work/tree"
  done
done
for shape in path star; do
  make_tree "$shape" 100000 0 "$work/tree"
  run "$shape 100000" "$work/tree"
done
