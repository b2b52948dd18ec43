"""kv.descriptors against korvelant-cli batch, read back with pandas."""

import io

import pandas as pd
import pytest
from conftest import random_tree, run_cli

import korvelant as kv

SMILES = ["CCCC", "CC(C)C", "C1CC1", "CC(C)(C)C neopentane", "C(C", "CC.CC", "[H][H]",
          "CCCC(C)C(C)C 2,3-dimethylhexane"]


def batch_frame(text, form, *options):
    done = run_cli("batch", "--from", form, "--jobs", "1", *options, stdin=text)
    assert done.returncode in (0, 1), done.stderr
    return done.stdout


def assert_same_rows(frame, csv_text):
    """Each cell of the DataFrame equals the CLI's CSV read by pandas, as text."""
    expected = pd.read_csv(io.StringIO(csv_text), dtype=str, keep_default_na=False)
    assert list(frame.columns) == list(expected.columns)
    assert len(frame) == len(expected)
    for column in expected.columns:
        got = ["" if pd.isna(v) else str(v) for v in frame[column].astype(object)]
        want = list(expected[column])
        if column.startswith("RI") or column == "chi":
            assert [float(x) if x else None for x in got] == [float(x) if x else None for x in want]
        else:
            assert got == want, column


def test_smiles_with_bad_rows_equal_the_batch_csv():
    frame = kv.descriptors(SMILES, jobs=2)
    assert_same_rows(frame, batch_frame("\n".join(SMILES) + "\n", "smiles"))
    assert frame.loc[2, "error"] == "not a tree: 1 ring"
    assert frame.loc[4, "error"].startswith("line 5: ")
    assert frame.loc[0, "error"] == ""
    assert frame["WIPGM"].dtype == "Int64"  # refused rows leave it empty


def test_trees_equal_the_batch_csv_for_any_number_of_jobs(rng):
    trees = [kv.Tree(n, random_tree(n, rng)) for n in list(range(1, 40)) * 3 + [80, 128]]
    lines = "".join(t._record[1] + "\n" for t in trees)
    expected = batch_frame(lines, "edges")
    one = kv.descriptors(trees, jobs=1)
    assert_same_rows(one, expected)
    assert one.equals(kv.descriptors(trees, jobs=3))
    assert one["WIPGM"].dtype == "int64"
    assert one["HIPGM"].dtype == object  # the 128-vertex tree's Hosoya sum passes 64 bits
    assert one["RIPGM"].dtype == "float64"


def test_mols_mixed_with_trees_and_missing_values():
    from rdkit import Chem

    mol = Chem.MolFromSmiles("CCC(C)C")
    mol.SetProp("_Name", "isopentane")
    frame = kv.descriptors([mol, kv.Tree(2, [(1, 2)]), None, "CCO ethanol"])
    assert list(frame["name"]) == ["isopentane", "", "", "ethanol"]
    assert frame.loc[0, "smiles"] == "CCC(C)C"
    assert frame.loc[1, "edges"] == "1-2" and frame.loc[1, "smiles"] == ""
    assert frame.loc[2, "error"] != "" and frame.loc[3, "error"] == ""
    assert frame.loc[0, "WIEGM"] == kv.Tree.from_mol(mol).half_sum("EGM", "W")
    with pytest.raises(TypeError, match="SMILES strings"):
        kv.descriptors([42])


def test_an_empty_list_gives_the_columns_and_no_rows():
    frame = kv.descriptors([])
    assert len(frame) == 0 and "WIEGM" in frame.columns


def test_rdkits_own_python_module_changes_no_reason():
    from rdkit import Chem  # noqa: F401  its import puts RDKit's Python loggers in place

    bad = ["C(C", "C1CC", "CC(C)(C)(C)(C)C"]
    assert_same_rows(kv.descriptors(bad), batch_frame("\n".join(bad) + "\n", "smiles"))
    with pytest.raises(ValueError, match="parenthes"):
        kv.Tree.from_smiles("C(C")
