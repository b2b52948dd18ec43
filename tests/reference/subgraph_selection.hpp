#pragma once

#include "model/matrix_kind.hpp"
#include "reference/tree_model.hpp"

namespace korvelant {

// Every element (i, j) of a graphical matrix stands for the tree with some edges taken away:
//   EGM   the edge {i, j} alone;            empty when i and j are not joined
//   PGM   every edge on the path i..j;      empty on the diagonal only
//   SVGM  every edge at i or at j;          empty when i and j are not joined
//   DVGM  every edge at i or at j;          empty on the diagonal only
// Elements (i, j) and (j, i) always stand for the same subgraph.

// True when element (i, j) has no subgraph: its value is 0 and a drawing shows "0".
bool IsEmptyElement(const TreeModel& model, Int16 i, Int16 j, MatrixType type);

// True when the tree edge (k, l) is taken away in the subgraph of the non-empty element
// (i, j). Both orientations of an edge get the same answer. PGM reads Distance.
bool IsRemovedEdge(const TreeModel& model, Int16 i, Int16 j, Int16 k, Int16 l, MatrixType type);

// Fills rows and columns 1..n of SubAdjacency with the subgraph of element (i, j), i != j:
// 1 for a kept tree edge, 0 elsewhere; all 0 for an empty element. PGM reads Distance,
// which must be current.
void SelectSubgraph(TreeModel& model, Int16 i, Int16 j, MatrixType type);

}  // namespace korvelant
