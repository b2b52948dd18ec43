#pragma once

#include <optional>
#include <string>

#include "drawing/drawing.hpp"
#include "matrices/matrix_kind.hpp"
#include "model/graph.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// What the display options ask for: a drawing, or the numbers of one index.
using DisplayChoice = std::optional<TopologicalIndex>;  // std::nullopt: "Draw matrix"

// The Draw/Calculate command: clears `picture`, refuses a graph that is not a tree, then
// draws or calculates the matrix of `type`. Returns the new text of the remarks label (the
// not-a-tree message or the half-sum), or nothing to leave it as it is.
std::optional<std::string> RunDrawCalculateCommand(const Graph& graph,
                                                   const VertexPositions& positions,
                                                   DisplayChoice display, MatrixType type,
                                                   Drawing& picture);

}  // namespace korvelant
