"""Shared fixtures: the command-line tool beside the package, and trees to compute."""

import os
import random
import re
import subprocess
import decimal
from decimal import Decimal

import pytest

decimal.getcontext().prec = 100  # sums of Hosoya counts past 28 digits stay exact

CLI = os.environ.get("KORVELANT_CLI", "build/release/src/cli/korvelant-cli")


def run_cli(*arguments, stdin=None):
    """Runs korvelant-cli; its output is decoded as it is, CR LF line ends kept."""
    done = subprocess.run(
        [CLI, *arguments], input=None if stdin is None else stdin.encode(), capture_output=True,
        check=False)
    done.stdout, done.stderr = done.stdout.decode(), done.stderr.decode()
    return done


def random_tree(n, rng):
    """A uniformly random labelled tree from a random Pruefer sequence."""
    if n == 1:
        return []
    sequence = [rng.randint(1, n) for _ in range(n - 2)]
    degree = [1] * (n + 1)
    for v in sequence:
        degree[v] += 1
    edges = []
    for v in sequence:
        leaf = min(u for u in range(1, n + 1) if degree[u] == 1)
        edges.append((leaf, v))
        degree[leaf] -= 1
        degree[v] -= 1
    a, b = (u for u in range(1, n + 1) if degree[u] == 1)
    edges.append((a, b))
    return edges


def parse_matrix_file(text):
    """The sixteen blocks of a matrix file, each a list of rows of Decimals."""
    blocks = {}
    for name, body in re.findall(r"([WRZH]I(?:EGM|PGM|SVGM|DVGM))\s*=\s*(\{.*?\} \})", text, re.S):
        rows = re.findall(r"\{([^{}]*)\}", body)
        blocks[name] = [[Decimal(x) for x in row.split(",")] for row in rows]
    return blocks


@pytest.fixture
def rng():
    return random.Random(20261208)


def edge_text(edges):
    return ",".join(f"{a}-{b}" for a, b in edges)
