#pragma once

#include <string>
#include <vector>

#include "engine/graphical_matrices.hpp"
#include "model/graph.hpp"
#include "model/matrix_kind.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// What the pictures show, in words, for screen readers and for the clipboard: the same
// facts the drawing records, without the drawing.

// The preview: "3 vertices, 1 at (2, 10), 2 at (18, 10), 3 at (10, 18); edges 1–2, 2–3."
// with the grid values the coordinate lists show; "No vertices." for the empty tree.
std::string DescribePreview(const Graph& graph, const VertexPositions& positions);

// A drawn matrix: what each element keeps of the tree, each pair once ("element 1–3:
// keeps 1–2, 2–3"; "element 1–1: empty, shows 0"). The graph must be a tree.
std::string DescribeDrawnMatrix(const RootedTree& tree, MatrixType type);

// A calculated matrix, row by row, and its half-sum.
std::string DescribeCalculatedMatrix(const GraphicalMatrix& matrix, MatrixType type,
                                     TopologicalIndex index);

}  // namespace korvelant
