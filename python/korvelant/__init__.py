"""Korvelant: the graphical matrices of trees, in Python.

For every pair of vertices (i, j) of a tree, an element of a graphical matrix stands for a
subgraph the two vertices determine and holds a topological index of it: EGM (the tree
without the edge i-j), PGM (without the edges of the path from i to j), SVGM and DVGM
(without every edge at i or at j), each with the Wiener, Randic, Zagreb or Hosoya index.

    import korvelant as kv
    t = kv.Tree.from_smiles("CCCC(C)C(C)C")
    t.matrix("PGM", "hosoya")        # a numpy array
    t.half_sums()                    # the sixteen half-sums, exact
    kv.descriptors(["CCCC", "CC(C)C"])  # a pandas DataFrame, as `korvelant-cli batch` writes

The engine is korvelant-cli's own; `kv.distributed.descriptors` spreads the work over a Dask
cluster.
"""

from ._descriptors import descriptors
from ._picture import Picture
from ._tree import NotATreeError, Tree

__all__ = ["NotATreeError", "Picture", "Tree", "descriptors", "distributed"]


def __getattr__(name):
    # Dask is imported only by those who use it.
    if name == "distributed":
        import importlib

        return importlib.import_module(".distributed", __name__)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
