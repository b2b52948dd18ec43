#!/usr/bin/env python3
"""Writes every labelled tree on the vertices 1..N as batch edge lines, one per Pruefer
sequence (N^(N-2) of them): "N EDGES NAME", the name being the sequence. With
--random COUNT SEED, COUNT random ones instead (uniform Pruefer sequences, the same for the
same seed)."""
import heapq
import itertools
import random
import sys


def tree_of_code(code, n):
    degree = [1] * (n + 1)
    for vertex in code:
        degree[vertex] += 1
    leaves = [v for v in range(1, n + 1) if degree[v] == 1]
    heapq.heapify(leaves)
    edges = []
    for vertex in code:
        leaf = heapq.heappop(leaves)
        edges.append((leaf, vertex))
        degree[vertex] -= 1
        if degree[vertex] == 1:
            heapq.heappush(leaves, vertex)
    edges.append((heapq.heappop(leaves), heapq.heappop(leaves)))
    return edges


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 8
    out = sys.stdout
    if n == 1:
        out.write("1\n")
        return
    codes = itertools.product(range(1, n + 1), repeat=n - 2)
    if len(sys.argv) > 4 and sys.argv[2] == "--random":
        chooser = random.Random(int(sys.argv[4]))
        codes = ([chooser.randint(1, n) for _ in range(n - 2)] for _ in range(int(sys.argv[3])))
    for code in codes:
        edges = ",".join(f"{min(a, b)}-{max(a, b)}" for a, b in tree_of_code(code, n))
        out.write(f"{n} {edges} P{''.join(map(str, code))}\n")


if __name__ == "__main__":
    main()
