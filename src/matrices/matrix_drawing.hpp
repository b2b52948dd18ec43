#pragma once

#include "drawing/drawing.hpp"
#include "engine/rooted_tree.hpp"
#include "model/matrix_kind.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// Draws the graphical matrix of `type` into `picture`, cell by cell (i outer, j inner): a
// non-empty cell holds the whole tree in miniature, vertex circles 1 pixel wide, kept edges
// 5 pixels wide and removed edges 1 pixel wide, no vertex numbers; an empty cell holds "0",
// 60 twips into an edge-type cell and a third of a cell into a path-type one. Every edge is
// drawn from both of its ends, as (k, l) and (l, k). Does not clear the picture.
void DrawMatrix(const RootedTree& tree, const VertexPositions& positions, MatrixType type,
                Drawing& picture);

}  // namespace korvelant
