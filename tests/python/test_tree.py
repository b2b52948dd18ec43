"""Trees in every way a notebook makes them, and their matrices against korvelant-cli."""

import decimal
import pickle
import threading

import networkx as nx
import numpy as np
import pytest
from conftest import edge_text, parse_matrix_file, random_tree, run_cli

import korvelant as kv

DIMETHYLHEXANE = [(1, 2), (2, 3), (3, 4), (4, 5), (4, 6), (6, 7), (6, 8)]
TYPES = ["EGM", "PGM", "SVGM", "DVGM"]
INDICES = {"W": "WI", "R": "RI", "Z": "ZI", "H": "HI"}


def cli_blocks(tree):
    done = run_cli("file", "--vertices", str(tree.vertex_count), "--edges",
                   edge_text(tree.edges), "--output", "-")
    assert done.returncode == 0, done.stderr
    return done.stdout, parse_matrix_file(done.stdout)


def assert_matrices_match_file(tree):
    _, blocks = cli_blocks(tree)
    assert len(blocks) == 16
    for type_ in TYPES:
        for letter, prefix in INDICES.items():
            expected = blocks[prefix + type_]
            exact = tree.matrix(type_, letter, exact=True)
            assert exact.shape == (tree.vertex_count, tree.vertex_count)
            assert [[decimal.Decimal(x) for x in row] for row in exact.tolist()] == expected
            numeric = tree.matrix(type_, letter)
            if letter == "R":
                assert numeric.dtype == np.float64
                assert numeric.tolist() == [[float(x) for x in row] for row in expected]
            half = tree.half_sum(type_, letter)
            assert half == sum(sum(row) for row in expected) / 2
            assert isinstance(half, decimal.Decimal if letter == "R" else int)


@pytest.mark.parametrize("n", [1, 2, 3, 8, 13, 31, 64, 65, 100, 128])
def test_every_element_equals_the_cli_file(n, rng):
    assert_matrices_match_file(kv.Tree(n, random_tree(n, rng)))


def test_hosoya_past_64_bits_is_exact():
    path = kv.Tree(100, [(k, k + 1) for k in range(1, 100)])
    egm = path.matrix("egm", "hosoya")
    assert egm.dtype == object
    fib = [0, 1]
    while len(fib) < 103:
        fib.append(fib[-1] + fib[-2])
    # Without the edge k-(k+1) the path falls into paths of k and 100 - k vertices, whose
    # matchings are the Fibonacci numbers F(k + 1) and F(101 - k).
    for k in range(1, 100):
        assert egm[k - 1, k] == fib[k + 1] * fib[101 - k]
    assert path.indices()["H"] == fib[101] == 573147844013817084101
    small = kv.Tree(8, DIMETHYLHEXANE).matrix("PGM", "H")
    assert small.dtype == np.int64


def test_hosoya_past_128_bits_and_past_python_digit_limit_is_exact():
    fib = [0, 1]
    while len(fib) < 25003:
        fib.append(fib[-1] + fib[-2])
    # Matrices past 128 bits: the path of 300, F(301) ~ 2^207.
    n = 300
    pgm = kv.Tree(n, [(k, k + 1) for k in range(1, n)]).matrix("PGM", "H")
    assert pgm.dtype == object
    for i, j in [(1, 2), (1, n), (7, 250), (150, 151), (299, 300)]:
        assert pgm[i - 1, j - 1] == fib[i + 1] * fib[n - j + 2]
    # Half-sums and indices of 25,000 vertices: F(25001) has 5,225 digits, past the 4,300
    # that Python reads from a text.
    n = 25000
    path = kv.Tree(n, [(k, k + 1) for k in range(1, n)])
    assert path.indices()["H"] == fib[n + 1]
    assert path.half_sum("SVGM", "H") == sum(fib[k] * fib[n - k] for k in range(1, n))
    assert path.half_sums()["HIEGM"] == sum(fib[k + 1] * fib[n - k + 1] for k in range(1, n))
    assert path.half_sums()["WIEGM"] == sum((k**3 - k + (n - k) ** 3 - (n - k)) // 6
                                            for k in range(1, n))


def test_half_sums_and_file_text_agree_with_the_cli():
    tree = kv.Tree(8, DIMETHYLHEXANE)
    text, blocks = cli_blocks(tree)
    assert tree.matrix_file() == text
    sums = tree.half_sums()
    assert list(sums) == list(blocks)
    for name, rows in blocks.items():
        assert sums[name] == sum(sum(row) for row in rows) / 2


def test_whole_tree_indices_against_networkx_and_degrees():
    tree = kv.Tree(8, DIMETHYLHEXANE)
    degrees = [0] * 9
    for a, b in DIMETHYLHEXANE:
        degrees[a] += 1
        degrees[b] += 1
    graph = nx.Graph(DIMETHYLHEXANE)
    values = tree.indices()
    assert values["W"] == nx.wiener_index(graph)
    assert values["M1"] == sum(d * d for d in degrees)
    assert values["M2"] == sum(degrees[a] * degrees[b] for a, b in DIMETHYLHEXANE)
    assert values["chi"] == pytest.approx(
        sum((degrees[a] * degrees[b]) ** -0.5 for a, b in DIMETHYLHEXANE))
    lengths = dict(nx.all_pairs_shortest_path_length(graph))
    assert values["WW"] == sum(d + d * d for u in lengths for d in lengths[u].values()) // 4


def test_every_way_in_gives_the_same_tree():
    from rdkit import Chem

    smiles = "CCCC(C)C(C)C"
    by_edges = kv.Tree(8, [(1, 2), (2, 3), (3, 4), (4, 5), (4, 6), (6, 7), (6, 8)])
    assert kv.Tree.from_smiles(smiles) == by_edges
    assert kv.Tree.from_mol(Chem.MolFromSmiles(smiles)) == by_edges
    assert kv.Tree.from_mol(Chem.AddHs(Chem.MolFromSmiles(smiles))) == by_edges
    graph = nx.Graph()
    graph.add_nodes_from("abcdefgh")
    graph.add_edges_from([("a", "b"), ("b", "c"), ("c", "d"), ("d", "e"), ("d", "f"),
                          ("f", "g"), ("f", "h")])
    assert kv.Tree.from_networkx(graph) == by_edges
    assert kv.Tree(8, [(b, a) for a, b in reversed(by_edges.edges)]) == by_edges
    assert by_edges.vertex_count == 8 and by_edges.edges == sorted(by_edges.edges)
    assert pickle.loads(pickle.dumps(by_edges)) == by_edges


@pytest.mark.parametrize(
    "make, error, words",
    [
        (lambda: kv.Tree(3, [(1, 2), (2, 3), (1, 3)]), kv.NotATreeError, "1 "),
        (lambda: kv.Tree(4, [(1, 2), (3, 4)]), kv.NotATreeError, "2 "),
        (lambda: kv.Tree(0, []), kv.NotATreeError, "vertices"),
        (lambda: kv.Tree(3, [(1, 4), (2, 3)]), ValueError, "numbered 1 to 3"),
        (lambda: kv.Tree(3, [(1, 1), (2, 3)]), ValueError, "itself"),
        (lambda: kv.Tree(3, [(1, 2), (2, 1), (2, 3)]), ValueError, "twice"),
        (lambda: kv.Tree(100001, [(k, k + 1) for k in range(1, 100001)]), ValueError,
         "up to 100,000 vertices; this one has 100001"),
        (lambda: kv.Tree(1001, [(k, k + 1) for k in range(1, 1001)]).matrix("EGM", "H"),
         ValueError, "matrices of trees of up to 1,000 vertices; this one has 1001"),
        (lambda: kv.Tree(3, [(1, 2, 3)]), TypeError, "pair"),
        (lambda: kv.Tree(2, [(1, 2.5)]), TypeError, "whole number"),
        (lambda: kv.Tree.from_smiles("C1CC1"), kv.NotATreeError, "1 ring"),
        (lambda: kv.Tree.from_smiles("CC.CC"), kv.NotATreeError, "2 "),
        (lambda: kv.Tree.from_smiles("C(C"), ValueError, "SMILES"),
        (lambda: kv.Tree(2, [(1, 2)]).matrix("XGM", "W"), ValueError, "EGM, PGM, SVGM or DVGM"),
        (lambda: kv.Tree(2, [(1, 2)]).matrix("EGM", "Q"), ValueError, "W, R, Z or H"),
    ],
)
def test_bad_input_raises_with_the_tools_words(make, error, words):
    with pytest.raises(error, match=words):
        make()


def test_a_ring_is_a_value_error_with_its_reason():
    with pytest.raises(ValueError) as raised:
        kv.Tree.from_smiles("C1CCCCC1")
    assert isinstance(raised.value, kv.NotATreeError)
    assert raised.value.reason == "1 ring"


def test_indices_by_name_or_letter_in_any_case():
    tree = kv.Tree(8, DIMETHYLHEXANE)
    for names in (("PGM", "H"), ("pgm", "hosoya"), ("Pgm", "HOSOYA")):
        assert np.array_equal(tree.matrix(*names), tree.matrix("PGM", "H"))


def test_write_matrix_file_writes_the_cli_bytes_and_reports_failure(tmp_path):
    tree = kv.Tree(8, DIMETHYLHEXANE)
    target = tmp_path / "m.txt"
    tree.write_matrix_file(target)
    assert target.read_bytes() == cli_blocks(tree)[0].encode()
    with pytest.raises(OSError, match="Cannot write"):
        tree.write_matrix_file(tmp_path / "no-such-folder" / "m.txt")


def test_threads_computing_at_once_each_get_their_own_results(rng):
    trees = [kv.Tree(40, random_tree(40, rng)) for _ in range(8)]
    expected = [t.matrix("DVGM", "W") for t in trees]
    results = [None] * len(trees)

    def compute(k):
        for _ in range(5):
            results[k] = trees[k].matrix("DVGM", "W")

    threads = [threading.Thread(target=compute, args=(k,)) for k in range(len(trees))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for got, want in zip(results, expected):
        assert np.array_equal(got, want)
