"""Pictures of a tree and its matrices, as korvelant-cli draw makes them."""

import os

from . import _native

_KINDS = {".svg": "svg", ".png": "png", ".pdf": "pdf"}


class Picture:
    """A drawn matrix (or the tree itself) for a paper, as korvelant-cli draw makes it.

    `svg` holds the picture as SVG text; a notebook shows it. save(path) writes an .svg, .png
    or .pdf file, told by the name's ending. The options are draw's: background "white",
    "none" or "window"; numbers; caption; width and height (pixels in a PNG, points in SVG
    and PDF); layout "skeleton" or "circle"."""

    def __init__(self, tree, type=None, **options):
        self._tree = tree
        self._type = type
        self._options = options
        self.svg = self._bytes("svg").decode("utf-8")

    def _bytes(self, kind, scale=1):
        tree = self._tree
        return _native.picture(
            tree._n, tree._edges, tree._layout(), self._type, kind, scale, **self._options
        )

    def save(self, path, scale=1):
        """Writes the picture safely; `scale` gives a PNG that many pixels per pixel of its
        size (1 to 8)."""
        path = os.fspath(path)
        kind = _KINDS.get(os.path.splitext(path)[1].lower())
        if kind is None:
            raise ValueError(
                f"{path!r}: the name must end in .svg, .png or .pdf, the kind of picture to make"
            )
        if not 1 <= scale <= 8:
            raise ValueError(f"scale must be from 1 to 8, not {scale!r}")
        data = self.svg.encode("utf-8") if kind == "svg" else self._bytes(kind, scale)
        _native.write_file(path, data)

    def _repr_svg_(self):
        return self.svg

    def __repr__(self):
        what = f"{self._type} matrix" if self._type else "preview"
        return f"<korvelant.Picture: {what} of {self._tree!r}>"
