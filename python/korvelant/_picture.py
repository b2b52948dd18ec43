"""Pictures of a tree and its matrices, as korvelant-cli draw makes them."""

import os

from . import _native

_KINDS = {".svg": "svg", ".png": "png", ".pdf": "pdf"}


class Picture:
    """A drawn matrix (or the tree's preview) as the window draws it.

    `svg` holds the picture as SVG text; a notebook shows it. save(path) writes an .svg, .png
    or .pdf file, told by the name's ending."""

    def __init__(self, tree, type=None):
        self._tree = tree
        self._type = type
        self.svg = self._bytes("svg").decode("utf-8")

    def _bytes(self, kind, scale=1):
        tree = self._tree
        return _native.picture(tree._n, tree._edges, tree._positions, self._type, kind, scale)

    def save(self, path, scale=1):
        """Writes the picture safely; `scale` gives a PNG that many pixels per pixel of the
        window's picture (1 to 8)."""
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
