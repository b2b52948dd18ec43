#!/usr/bin/python3
"""Fails when an #include runs up the layers of src/ (and python/native/).

Each folder may include itself and the folders listed for it here, nothing else. The core
(model, engine, drawing, matrices, output, input) knows neither Qt nor RDKit; molecules is
the one RDKit layer; cli, window and the Python package sit on top.

Usage: scripts/check-layers.py [CHECKOUT]   exits 1 and names every include out of place.
"""
import pathlib
import re
import sys

CORE = {"model", "engine", "drawing", "matrices", "output", "input"}
ALLOWED = {
    "model": set(),
    "engine": {"model"},
    "drawing": {"model"},
    "input": {"model"},
    "matrices": {"model", "engine", "drawing"},
    "output": {"model", "engine", "matrices"},
    "molecules": {"model", "input", "drawing"},
    "session": CORE,
    "render": {"model", "engine", "drawing", "matrices"},
    "cli": CORE | {"molecules", "render"},
    "window": CORE | {"molecules", "render", "session"},
    "native": CORE | {"molecules", "render", "cli"},
}
# Libraries only their own layer may include.
FOREIGN = {
    "Qt": (re.compile(r"#include\s*<Q"), {"render", "window", "cli", "native"}),
    "RDKit": (re.compile(r"#include\s*<(GraphMol|RDGeneral|Geometry)/"), {"molecules"}),
}
PROJECT_INCLUDE = re.compile(r'#include\s*"([a-z_]+)/')


def folder_of(path, root):
    parts = path.relative_to(root).parts
    return parts[1] if parts[0] == "src" else parts[-2]


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    sources = [p for p in (root / "src").rglob("*") if p.suffix in {".cpp", ".hpp", ".c", ".h"}]
    sources += sorted((root / "python" / "native").glob("*.[ch]pp"))
    problems = []
    for path in sorted(sources):
        layer = folder_of(path, root)
        if layer not in ALLOWED:
            problems.append(f"{path.relative_to(root)}: the folder {layer} has no layer here")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = PROJECT_INCLUDE.match(line.strip())
            if match and match.group(1) != layer and match.group(1) not in ALLOWED[layer]:
                problems.append(f"{path.relative_to(root)}:{number}: {layer} includes "
                                f"{match.group(1)}/, a layer above or beside it")
            for library, (pattern, users) in FOREIGN.items():
                if pattern.match(line.strip()) and layer not in users:
                    problems.append(f"{path.relative_to(root)}:{number}: {layer} includes "
                                    f"{library}, which only {', '.join(sorted(users))} may")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
