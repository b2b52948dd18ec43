"""Pictures a notebook shows and a paper takes."""

import os
import pickle
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

import pytest
from conftest import run_cli

import korvelant as kv

SVG = "{http://www.w3.org/2000/svg}"


def test_a_drawn_matrix_is_svg_a_notebook_shows(tmp_path):
    tree = kv.Tree.from_smiles("CCCC(C)C(C)C")
    picture = tree.draw("PGM")
    root = ElementTree.fromstring(picture._repr_svg_())
    assert root.tag == SVG + "svg"
    texts = [t.text for t in root.iter(SVG + "text") if t.text]
    assert texts, "a drawn matrix labels its cells"
    # The same picture korvelant-cli draws of the same molecule.
    target = tmp_path / "cli.svg"
    done = run_cli("draw", "--smiles", "CCCC(C)C(C)C", "--type", "PGM", "--output", str(target))
    assert done.returncode == 0, done.stderr
    assert target.read_text() == picture.svg


def test_save_makes_each_kind_by_its_ending(tmp_path):
    picture = kv.Tree(4, [(1, 2), (2, 3), (2, 4)]).draw_preview()
    picture.save(tmp_path / "t.svg")
    picture.save(tmp_path / "t.png", scale=2)
    picture.save(tmp_path / "t.pdf")
    assert (tmp_path / "t.svg").read_text() == picture.svg
    assert (tmp_path / "t.png").read_bytes().startswith(b"\x89PNG\r\n\x1a\n")
    assert (tmp_path / "t.pdf").read_bytes().startswith(b"%PDF-")
    with pytest.raises(ValueError, match=".svg, .png or .pdf"):
        picture.save(tmp_path / "t.gif")
    with pytest.raises(OSError, match="Cannot write"):
        picture.save(tmp_path / "missing" / "t.svg")


def test_keywords_are_draws_options_and_give_its_bytes(tmp_path):
    edges = [(k, k + 1) for k in range(1, 20)]
    tree = kv.Tree(20, edges)
    picture = tree.draw("PGM", background="none", caption="Figure 3", width=500)
    root = ElementTree.fromstring(picture.svg)
    texts = [t.text for t in root.iter(SVG + "text")]
    assert texts.count("0") == 20
    assert "Figure 3" in texts
    assert all(texts.count(str(k)) == 2 for k in range(1, 21))
    edge_text = ",".join(f"{a}-{b}" for a, b in edges)
    target = tmp_path / "cli.svg"
    done = run_cli("draw", "--vertices", "20", "--edges", edge_text, "--type", "PGM",
                   "--background", "none", "--caption", "Figure 3", "--width", "500",
                   "--output", str(target))
    assert done.returncode == 0, done.stderr
    assert target.read_text() == picture.svg
    preview = tree.draw_preview(layout="circle", numbers=False)
    done = run_cli("draw", "--vertices", "20", "--edges", edge_text, "--preview", "--layout",
                   "circle", "--no-numbers", "--output", str(target))
    assert done.returncode == 0, done.stderr
    assert target.read_text() == preview.svg


def test_bad_option_values_are_refused_with_draws_words():
    tree = kv.Tree(3, [(1, 2), (2, 3)])
    with pytest.raises(ValueError, match='background needs one of white, none, window, not "pink"'):
        tree.draw("EGM", background="pink")
    with pytest.raises(ValueError, match='layout needs one of skeleton, circle, not "spiral"'):
        tree.draw_preview(layout="spiral")
    with pytest.raises(ValueError, match="width must be from 1 to 10000, not 0"):
        tree.draw("EGM", width=0)


def test_a_platform_named_in_the_environment_cannot_end_the_interpreter():
    # A desktop's QT_QPA_PLATFORM (here one that cannot start) must not reach the drawing:
    # Qt would end the whole process, a notebook's kernel with it.
    script = "import korvelant as kv; print(len(kv.Tree(2, [(1, 2)]).draw('EGM').svg) > 0)"
    environment = dict(os.environ, QT_QPA_PLATFORM="no-such-platform", DISPLAY=":99")
    done = subprocess.run([sys.executable, "-c", script], env=environment, capture_output=True,
                          text=True, check=False)
    assert (done.returncode, done.stdout) == (0, "True\n"), done.stderr


def test_drawing_leaves_the_interpreters_locale_as_it_was():
    # Qt's application takes the desktop's language for the C library; other code in the
    # same process would then read and write numbers with a decimal comma.
    script = (
        "import ctypes, korvelant as kv\n"
        "libc = ctypes.CDLL(None); libc.setlocale.restype = ctypes.c_char_p\n"
        "before = libc.setlocale(6, None)\n"
        "kv.Tree(3, [(1, 2), (2, 3)]).draw('PGM')\n"
        "print(libc.setlocale(6, None) == before, libc.setlocale(4, None).decode())\n"
    )
    environment = dict(os.environ, LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
    done = subprocess.run([sys.executable, "-c", script], env=environment, capture_output=True,
                          text=True, check=False)
    assert (done.returncode, done.stdout) == (0, "True C\n"), done.stderr


def test_a_matrix_past_128_vertices_is_refused_and_its_tree_is_drawn():
    path = kv.Tree(129, [(v, v + 1) for v in range(1, 129)])
    with pytest.raises(ValueError, match="matrices of trees of up to 128 vertices"):
        path.draw("PGM")
    assert "<svg" in path.draw_preview().svg


def test_a_molecule_of_any_size_keeps_its_depiction(tmp_path):
    # RDKit orients a depiction by its atoms' kinds, so this one differs from the layout of
    # the same edges as a carbon skeleton.
    smiles = "ClC(Cl)(Cl)CCCCCCC"
    done = run_cli("draw", "--smiles", smiles, "--preview", "--output", str(tmp_path / "c.svg"))
    assert done.returncode == 0, done.stderr
    drawn = (tmp_path / "c.svg").read_text()
    tree = kv.Tree.from_smiles(smiles)
    assert tree.draw_preview().svg == drawn
    assert kv.Tree(tree.vertex_count, tree.edges).draw_preview().svg != drawn
    assert pickle.loads(pickle.dumps(kv.Tree.from_smiles(smiles))).draw_preview().svg == drawn
