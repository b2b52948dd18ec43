"""The 18 octanes: graphical half-sums against boiling points.

Run from the project folder after building:
    PYTHONPATH=build/release/python /usr/bin/python3 docs/octanes.py
It prints the best correlations as a Markdown table and saves docs/octanes-boiling-points.png.
"""

import matplotlib

matplotlib.use("Agg")  # a file, no display
import matplotlib.pyplot as plt
import numpy as np

import korvelant as kv

# Normal boiling points in degrees Celsius, CRC Handbook of Chemistry and Physics (the
# octane data set of the QSPR literature, e.g. Randic, Trinajstic and co-workers).
OCTANES = [
    ("n-octane", "CCCCCCCC", 125.7),
    ("2-methylheptane", "CC(C)CCCCC", 117.6),
    ("3-methylheptane", "CCC(C)CCCC", 118.9),
    ("4-methylheptane", "CCCC(C)CCC", 117.7),
    ("3-ethylhexane", "CCC(CC)CCC", 118.5),
    ("2,2-dimethylhexane", "CC(C)(C)CCCC", 106.8),
    ("2,3-dimethylhexane", "CC(C)C(C)CCC", 115.6),
    ("2,4-dimethylhexane", "CC(C)CC(C)CC", 109.4),
    ("2,5-dimethylhexane", "CC(C)CCC(C)C", 109.1),
    ("3,3-dimethylhexane", "CCC(C)(C)CCC", 111.9),
    ("3,4-dimethylhexane", "CCC(C)C(C)CC", 117.7),
    ("3-ethyl-2-methylpentane", "CC(C)C(CC)CC", 115.6),
    ("3-ethyl-3-methylpentane", "CCC(C)(CC)CC", 118.2),
    ("2,2,3-trimethylpentane", "CC(C)(C)C(C)CC", 109.8),
    ("2,2,4-trimethylpentane", "CC(C)(C)CC(C)C", 99.2),
    ("2,3,3-trimethylpentane", "CC(C)C(C)(C)CC", 114.7),
    ("2,3,4-trimethylpentane", "CC(C)C(C)C(C)C", 113.5),
    ("2,2,3,3-tetramethylbutane", "CC(C)(C)C(C)(C)C", 106.5),
]

frame = kv.descriptors([f"{smiles} {name}" for name, smiles, _ in OCTANES])
frame["bp"] = [bp for _, _, bp in OCTANES]

# Every half-sum and whole-tree index that varies among the octanes.
candidates = [c for c in frame.columns[4:-2] if frame[c].astype(float).std() > 0]
r = {c: np.corrcoef(frame[c].astype(float), frame["bp"])[0, 1] for c in candidates}
best = sorted(r, key=lambda c: -abs(r[c]))[:6]

print("| descriptor | r | r² |")
print("|---|---|---|")
for c in best:
    print(f"| {c} | {r[c]:+.3f} | {r[c] ** 2:.3f} |")

top = best[0]
x = frame[top].astype(float)
slope, intercept = np.polyfit(x, frame["bp"], 1)
figure, axes = plt.subplots(figsize=(6, 4.2), dpi=120)
axes.scatter(x, frame["bp"], color="#1f5f8b")
line = np.linspace(x.min(), x.max(), 2)
axes.plot(line, slope * line + intercept, color="#c0392b",
          label=f"bp = {slope:.3f} · {top} + {intercept:.1f}   (r = {r[top]:+.3f})")
for (name, _, bp), value in zip(OCTANES, x):
    if name in ("n-octane", "2,2,4-trimethylpentane", "2,2,3,3-tetramethylbutane"):
        axes.annotate(name, (value, bp), textcoords="offset points", xytext=(5, -10), fontsize=8)
axes.set_xlabel(f"{top} (half-sum)")
axes.set_ylabel("normal boiling point (°C)")
axes.set_title("The 18 octanes")
axes.legend(loc="lower right", fontsize=8)
figure.tight_layout()
figure.savefig("docs/octanes-boiling-points.png")
