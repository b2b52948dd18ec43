"""Descriptors of many trees or molecules at once, as a pandas DataFrame."""

import math

from . import _native
from ._tree import Tree


def _is_mol(item):
    return type(item).__module__.startswith("rdkit") and hasattr(item, "GetNumAtoms")


def record(item):
    """The batch record that stands for an item: (input format, record text). A Tree travels as
    an edge line, a SMILES as itself, an RDKit Mol as its molfile (atom order kept)."""
    if isinstance(item, Tree):
        return item._record
    if isinstance(item, str):
        return ("smiles", item)
    if item is None or (isinstance(item, float) and math.isnan(item)):
        return ("smiles", "")  # a missing SMILES in a table: a row that says so
    if _is_mol(item):
        from rdkit import Chem

        return ("sdf", Chem.MolToMolBlock(item, kekulize=False))
    raise TypeError(f"descriptors takes SMILES strings, RDKit Mols and korvelant Trees, not {item!r}")


def records(items):
    """The batch records of a list of items; Trees, the usual case, without a call each."""
    return [item._record if type(item) is Tree else record(item) for item in items]


def is_molecule(record):
    return record[0] != "edges"


def _numbers(values, present):
    """A numeric column: int64 or float64 when every row has a value; nullable Int64 or NaN
    where refused rows have none; exact Python ints (None where missing) past 64 bits."""
    import numpy as np
    import pandas as pd

    if isinstance(values, list):
        return pd.Series([v if p else None for v, p in zip(values, present)], dtype=object)
    if values.dtype.kind == "f" or present.all():
        return values
    return pd.arrays.IntegerArray(values, ~np.asarray(present))


def frame(columns):
    """The DataFrame of the columns descriptor_columns makes. Text columns are str, "" where a
    row has none (`error` is "" for a computed row)."""
    import pandas as pd

    # The arrays are the frame's own: made for it, so not copied again.
    return pd.DataFrame({
        name: column if isinstance(column, list) else _numbers(*column)
        for name, column in columns.items()
    }, copy=False)


def concatenated(parts):
    """The columns of several runs over consecutive items, as one run would make them."""
    import numpy as np

    columns = {}
    for name in parts[0]:
        pieces = [part[name] for part in parts]
        if isinstance(pieces[0], list):
            columns[name] = [text for piece in pieces for text in piece]
            continue
        values = [v for v, _ in pieces]
        if any(isinstance(v, list) for v in values):
            values = [v if isinstance(v, list) else v.tolist() for v in values]
            joined = [x for v in values for x in v]
        else:
            joined = np.concatenate(values)
        columns[name] = (joined, np.concatenate([p for _, p in pieces]))
    return columns


def descriptors(items, jobs=None):
    """One row per item, in input order, with the columns `korvelant-cli batch` writes: name,
    smiles (when an item is a molecule), vertices, edges, the sixteen half-sums WIEGM ...
    HIDVGM, the whole tree's W, WW, M1, M2, chi and H (Hosoya), and error.

    items: SMILES strings (a name may follow after white space, as in a .smi file), RDKit
    Mols and Trees. An item that is not a tree or cannot be read gets a row with `error` set,
    as in a batch; its line number is its place in `items`, from 1. jobs: threads to compute
    on (default: one per processor)."""
    return frame(_native.descriptor_columns(records(items), jobs))
