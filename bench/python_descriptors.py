"""Times kv.descriptors against korvelant-cli batch --jobs 1 on the same trees, and the
package's import.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python_descriptors.py [CARBONS]

The trees are every alkane skeleton of CARBONS carbons (default 18: 60,523 distinct trees),
from nauty-gentreeg. The two are timed in alternating rounds, so that a slow spell of the
machine weighs on both; the figure to read is the ratio of their medians.
"""

import csv
import os
import statistics
import subprocess
import sys
import tempfile
import time

import korvelant as kv

CLI = os.environ.get("KORVELANT_CLI", "build/release/src/cli/korvelant-cli")
ROUNDS = 5


def skeletons(carbons):
    """The trees, as edge lines the CLI reads and as korvelant Trees."""
    sparse6 = subprocess.run(["nauty-gentreeg", "-q", "-D4", str(carbons)], check=True,
                             capture_output=True, text=True).stdout
    edges = subprocess.run([CLI, "batch", "--from", "sparse6", "--no-header"], input=sparse6,
                           check=True, capture_output=True, text=True).stdout
    trees = []
    for row in csv.reader(edges.splitlines()):
        n, edge_text = row[1:3]
        pairs = [tuple(map(int, e.split("-"))) for e in edge_text.split(",") if e]
        trees.append(kv.Tree(int(n), pairs))
    return trees


def seconds(action):
    start = time.perf_counter()
    action()
    return time.perf_counter() - start


def main():
    carbons = int(sys.argv[1]) if len(sys.argv) > 1 else 18
    trees = skeletons(carbons)
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as lines:
        lines.write("".join(t._record[1] + "\n" for t in trees))
        lines.flush()
        cli, package = [], []
        for _ in range(ROUNDS):
            cli.append(seconds(lambda: subprocess.run(
                [CLI, "batch", "--from", "edges", "--jobs", "1", lines.name], check=True,
                stdout=subprocess.DEVNULL)))
            package.append(seconds(lambda: kv.descriptors(trees, jobs=1)))
    imports = [seconds(lambda: subprocess.run([sys.executable, "-c", "import korvelant"],
                                              check=True)) for _ in range(ROUNDS)]
    bare = [seconds(lambda: subprocess.run([sys.executable, "-c", "pass"], check=True))
            for _ in range(ROUNDS)]
    print(f"{len(trees)} alkane skeletons of {carbons} carbons, medians of {ROUNDS} rounds")
    print(f"  korvelant-cli batch --jobs 1   {statistics.median(cli):7.2f} s")
    print(f"  kv.descriptors(trees, jobs=1)  {statistics.median(package):7.2f} s"
          f"   ratio {statistics.median(package) / statistics.median(cli):.2f}")
    print(f"  import korvelant               "
          f"{statistics.median(imports) - statistics.median(bare):7.3f} s beyond Python's start")


if __name__ == "__main__":
    main()
