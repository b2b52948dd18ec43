#pragma once

#include <optional>
#include <string>

#include "drawing/drawing.hpp"
#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"
#include "model/graph.hpp"
#include "model/matrix_kind.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// What the display options ask for: a drawing, or the numbers of one index.
using DisplayChoice = std::optional<TopologicalIndex>;  // std::nullopt: "Draw matrix"

// What the Draw/Calculate command made, beside its picture.
struct DrawCalculateOutcome {
  // The new text of the remarks label (the not-a-tree message or the half-sum), or nothing
  // to leave it as it is.
  std::optional<std::string> remarks;
  std::optional<RootedTree> tree;         // the tree drawn or calculated; none when refused
  std::optional<GraphicalMatrix> matrix;  // the numbers calculated; none for a drawing
};

// The Draw/Calculate command: clears `picture`, refuses a graph that is not a tree, then
// draws or calculates the matrix of `type`.
DrawCalculateOutcome RunDrawCalculate(const Graph& graph, const VertexPositions& positions,
                                      DisplayChoice display, MatrixType type, Drawing& picture);

// The same, for callers that need only the remarks.
std::optional<std::string> RunDrawCalculateCommand(const Graph& graph,
                                                   const VertexPositions& positions,
                                                   DisplayChoice display, MatrixType type,
                                                   Drawing& picture);

}  // namespace korvelant
