"""The tree: a vertex count and its edges, and what the engine computes of it."""

import operator
import os

from . import _native


class NotATreeError(ValueError):
    """The graph is not a tree; `reason` says why ("1 cycle: 1-2-3-1", "2 components";
    "1 ring", "2 fragments" for a molecule)."""

    def __init__(self, reason):
        self.reason = reason
        super().__init__(f"not a tree: {reason}" if reason else "not a tree")


def _vertex_number(value):
    try:
        return operator.index(value)
    except TypeError:
        raise TypeError(f"a vertex number is a whole number, not {value!r}") from None


def _pair(edge):
    try:
        a, b = edge
    except (TypeError, ValueError):
        raise TypeError(f"an edge is a pair of vertex numbers, not {edge!r}") from None
    return _vertex_number(a), _vertex_number(b)


class Tree:
    """A tree on the vertices 1..n, given by its edges.

    Tree(8, [(1, 2), (2, 3), (3, 4), (4, 5), (4, 6), (6, 7), (6, 8)]) is 2,3-dimethylhexane's
    skeleton. Raises NotATreeError for a graph that is not a tree and ValueError for a vertex
    outside 1..n, a loop, an edge given twice or more vertices than the engine takes
    (100,000; its matrices take up to 1,000).
    """

    __slots__ = ("_n", "_edges", "_positions", "_molecule", "_record")

    def __init__(self, vertex_count, edges):
        n = _vertex_number(vertex_count)
        pairs = [_pair(edge) for edge in edges]
        problem = _native.tree_problem(n, pairs)
        if problem:
            raise NotATreeError(problem)
        self._n = n
        self._edges = tuple(sorted((min(a, b), max(a, b)) for a, b in pairs))
        self._positions = None
        self._molecule = None  # ("smiles" or "molblock", text) of a tree read from a molecule
        # The tree as a record of korvelant-cli batch --from edges: how descriptors hands it on.
        edge_list = ",".join(f"{a}-{b}" for a, b in self._edges) or "-"
        self._record = ("edges", f"{n} {edge_list}")

    @classmethod
    def _skeleton(cls, kind, text):
        n, edges, problem, _name = getattr(_native, f"{kind}_skeleton")(text)
        if problem:
            raise NotATreeError(problem)
        tree = cls(n, edges)
        tree._molecule = (kind, text)
        return tree

    def _layout(self):
        """The molecule's own depiction, made when first drawn; None for a tree of edges,
        which draw lays out as a skeleton."""
        if self._molecule is not None:
            kind, text = self._molecule
            self._positions = getattr(_native, f"{kind}_depiction")(text)
            self._molecule = None
        return self._positions

    @classmethod
    def from_smiles(cls, smiles):
        """The hydrogen-suppressed skeleton of a SMILES: its heavy atoms in the order the SMILES
        lists them, as korvelant-cli reads --smiles. A ring or several fragments raise
        NotATreeError; a SMILES that cannot be read, ValueError."""
        return cls._skeleton("smiles", smiles)

    @classmethod
    def from_mol(cls, mol):
        """The skeleton of an RDKit Mol: its heavy atoms in atom order."""
        from rdkit import Chem

        return cls._skeleton("molblock", Chem.MolToMolBlock(mol, kekulize=False))

    @classmethod
    def from_networkx(cls, graph):
        """A NetworkX graph with any hashable nodes: vertex k is the k-th node of G.nodes."""
        numbers = {node: k for k, node in enumerate(graph.nodes, start=1)}
        return cls(len(numbers), [(numbers[a], numbers[b]) for a, b in graph.edges()])

    @property
    def vertex_count(self):
        return self._n

    @property
    def edges(self):
        """The edges as (i, j) pairs, i < j, sorted."""
        return list(self._edges)

    def matrix(self, type, index, exact=False):
        """One graphical matrix as an n x n numpy array, vertex i at row i - 1.

        type: EGM, PGM, SVGM or DVGM; index: W, R, Z, H or Wiener, Randic, Zagreb, Hosoya, in
        any letter case. Wiener and Zagreb are int64, Hosoya too while every element fits
        (else Python ints in an object array); Randic is float64 holding the matrix file's
        four-place values, or with exact=True decimal.Decimal objects. Up to 1,000 vertices;
        ValueError past that."""
        return _native.matrix(self._n, self._edges, type, index, exact)

    def half_sum(self, type, index):
        """Half the sum of a matrix's elements, exact: an int, or a Decimal for Randic."""
        return _native.half_sum(self._n, self._edges, type, index)

    def half_sums(self):
        """All sixteen half-sums, keyed by the matrix file's block names WIEGM ... HIDVGM."""
        return _native.half_sums(self._n, self._edges)

    def indices(self):
        """The whole tree's W (Wiener), WW (hyper-Wiener), M1 and M2 (Zagreb), chi (Randic
        connectivity, unrounded) and H (Hosoya)."""
        return _native.indices(self._n, self._edges)

    def matrix_file(self):
        """The sixteen matrices as the text korvelant-cli file writes (CR LF lines)."""
        return _native.matrix_file(self._n, self._edges)

    def write_matrix_file(self, path):
        """Writes the matrix file safely: an existing file is replaced whole or left as it
        was. Raises OSError with the reason when it cannot be written."""
        _native.write_file(os.fspath(path), self.matrix_file().encode("ascii"))

    def draw(self, type, *, background="white", numbers=True, caption="", width=None,
             height=None, layout="skeleton"):
        """The matrix drawn for a paper, a grid of miniature trees, as korvelant-cli draw
        draws it; the keywords are draw's options."""
        from ._picture import Picture

        return Picture(self, type, background=background, numbers=numbers, caption=caption,
                       width=width, height=height, layout=layout)

    def draw_preview(self, *, background="white", numbers=True, caption="", width=None,
                     height=None, layout="skeleton"):
        """The tree itself, its vertices numbered, as korvelant-cli draw --preview draws it."""
        from ._picture import Picture

        return Picture(self, None, background=background, numbers=numbers, caption=caption,
                       width=width, height=height, layout=layout)

    def __eq__(self, other):
        if not isinstance(other, Tree):
            return NotImplemented
        return self._n == other._n and self._edges == other._edges

    def __hash__(self):
        return hash((self._n, self._edges))

    def __repr__(self):
        return f"Tree({self._n}, {list(self._edges)})"

    def __reduce__(self):
        # A tree travels (to a Dask worker, into a pickle) as its edge list, with its
        # molecule's depiction or the molecule to make it from.
        return (_restore, (self._n, self._edges, self._positions, self._molecule))


def _restore(n, edges, positions, molecule=None):
    tree = Tree(n, edges)
    tree._positions = positions
    tree._molecule = molecule
    return tree
