"""Descriptors of many trees or molecules at once, as a pandas DataFrame."""

import io
import math

from . import _native
from ._tree import Tree

_TEXT_COLUMNS = ("name", "smiles", "edges", "error")


def _is_mol(item):
    return type(item).__module__.startswith("rdkit") and hasattr(item, "GetNumAtoms")


def record(item):
    """The batch record that stands for an item: (input format, record text). A Tree travels as
    an edge line, a SMILES as itself, an RDKit Mol as its molfile (atom order kept)."""
    if isinstance(item, Tree):
        return ("edges", item._record)
    if isinstance(item, str):
        return ("smiles", item)
    if item is None or (isinstance(item, float) and math.isnan(item)):
        return ("smiles", "")  # a missing SMILES in a table: a row that says so
    if _is_mol(item):
        from rdkit import Chem

        return ("sdf", Chem.MolToMolBlock(item, kekulize=False))
    raise TypeError(f"descriptors takes SMILES strings, RDKit Mols and korvelant Trees, not {item!r}")


def is_molecule(record):
    return record[0] != "edges"


def frame(csv_text):
    """The DataFrame of CSV text as `batch` writes it. Text columns are str, "" where a row has
    none (`error` is "" for a computed row); whole numbers are int64 while every value fits,
    nullable Int64 where a refused row leaves them empty, Python ints past 64 bits; Randic
    values are float64, NaN where empty."""
    import pandas as pd

    def read(text_columns, **options):
        return pd.read_csv(
            io.StringIO(csv_text),
            keep_default_na=False,
            na_values=[""],
            dtype={name: str for name in text_columns},
            **options,
        )

    # chi is read as text and converted by Python, which reads its shortest digits back to
    # the very double batch wrote; the Randic half-sums have at most five decimals.
    table = read(_TEXT_COLUMNS + ("chi",))
    for name in _TEXT_COLUMNS:
        if name in table:
            table[name] = table[name].fillna("")
    table["chi"] = table["chi"].astype(float)
    for name in table.columns:
        if name in _TEXT_COLUMNS or name.startswith("RI") or name == "chi":
            continue
        column = table[name]
        if column.dtype == "int64":
            continue
        # Empty cells or digits past 64 bits: read the column again as text, exactly.
        digits = read([name], usecols=[name])[name]
        values = [None if isinstance(text, float) else int(text) for text in digits]
        if all(v is None or -(2**63) <= v < 2**63 for v in values):
            table[name] = pd.array(values, dtype="Int64")
        else:
            table[name] = pd.Series(values, dtype=object)
    return table


def descriptors(items, jobs=None):
    """One row per item, in input order, with the columns `korvelant-cli batch` writes: name,
    smiles (when an item is a molecule), vertices, edges, the sixteen half-sums WIEGM ...
    HIDVGM, the whole tree's W, WW, M1, M2, chi and H (Hosoya), and error.

    items: SMILES strings (a name may follow after white space, as in a .smi file), RDKit
    Mols and Trees. An item that is not a tree or cannot be read gets a row with `error` set,
    as in a batch; its line number is its place in `items`, from 1. jobs: threads to compute
    on (default: one per processor)."""
    records = [record(item) for item in items]
    return frame(_native.descriptor_csv(records, jobs))
