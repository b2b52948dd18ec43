#pragma once

#include <vector>

#include "engine/rooted_tree.hpp"
#include "model/matrix_kind.hpp"

namespace korvelant {

// Every element (i, j) of a graphical matrix stands for the tree with some edges taken away:
//   EGM   the edge {i, j} alone;            empty when i and j are not joined
//   PGM   every edge on the path i..j;      empty on the diagonal only
//   SVGM  every edge at i or at j;          empty when i and j are not joined
//   DVGM  every edge at i or at j;          empty on the diagonal only
// Elements (i, j) and (j, i) stand for the same subgraph. An empty element is 0 for every
// index and is drawn as "0".
bool IsEmptyElement(const RootedTree& tree, int i, int j, MatrixType type);

// removed[v] for each vertex v but the root: whether the edge {v, parent[v]} is taken away
// in the subgraph of element (i, j); false everywhere for an empty element.
std::vector<bool> RemovedEdgesByOwner(const RootedTree& tree, int i, int j, MatrixType type);

// The same, indexed like tree.graph.edges: what the drawing of a cell needs.
std::vector<bool> RemovedEdges(const RootedTree& tree, int i, int j, MatrixType type);

}  // namespace korvelant
