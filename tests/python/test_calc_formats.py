"""korvelant-cli calc's tables read back by Python's own readers: the csv and json modules,
and a bmatrix taken apart without LaTeX; each holds the numbers the text format prints."""

import csv
import io
import json
import re

import pytest
from conftest import run_cli

# 2,3-dimethylhexane, as the window draws it.
TREE = ["--vertices", "8", "--edges", "1-2,2-3,3-4,4-5,2-6,3-7,7-8"]


def calc(matrix, index, form):
    done = run_cli("calc", *TREE, "--type", matrix, "--index", index, "--format", form)
    assert done.returncode == 0, done.stderr
    return done.stdout


def text_matrix(matrix, index):
    """The rows and the half-sum of the text format, split as a reader of it would."""
    *rows, last = calc(matrix, index, "text").splitlines()
    assert last.startswith("Half-sum of matrix elements is: ")
    return [[cell.strip() for cell in row.split(", ")] for row in rows], last.split(": ")[1].strip()


@pytest.mark.parametrize("matrix,index", [("EGM", "W"), ("PGM", "R"), ("SVGM", "Z"),
                                          ("DVGM", "H")])
def test_csv_tsv_and_json_hold_the_numbers_of_the_text(matrix, index):
    rows, half_sum = text_matrix(matrix, index)
    n = len(rows)
    for form, dialect in (("csv", csv.excel), ("tsv", csv.excel_tab)):
        table = list(csv.reader(io.StringIO(calc(matrix, index, form), newline=""),
                                dialect=dialect))
        assert table[0] == [""] + [str(j) for j in range(1, n + 1)]
        assert [row[0] for row in table[1:]] == [str(i) for i in range(1, n + 1)]
        assert [row[1:] for row in table[1:]] == rows

    document = json.loads(calc(matrix, index, "json"))
    assert (document["type"], document["index"], document["vertices"]) == (matrix, index, n)
    assert [[str(value) for value in row] for row in document["matrix"]] == rows
    assert str(document["half_sum"]) == half_sum


def test_latex_is_one_bmatrix_of_n_rows_of_n_cells():
    rows, half_sum = text_matrix("PGM", "R")
    latex = calc("PGM", "R", "latex")
    assert latex.count(r"\begin{bmatrix}") == latex.count(r"\end{bmatrix}") == 1
    assert f"half-sum ${half_sum}$" in latex
    body = re.search(r"\\begin\{bmatrix\}\n(.*)\\end\{bmatrix\}", latex, re.S).group(1)
    lines = [line.strip().removesuffix(r"\\").strip() for line in body.strip().splitlines()]
    assert [[cell.strip() for cell in line.split("&")] for line in lines] == rows
