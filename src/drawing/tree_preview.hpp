#pragma once

#include "drawing/drawing.hpp"
#include "model/graph.hpp"
#include "model/vertex_positions.hpp"

namespace korvelant {

// The tree preview: clears `picture`, then draws a circle of radius 50 twips per vertex
// with its number printed 300 twips above the centre, then every edge as a line (each
// edge is stored both ways and drawn twice). Circles come first, so lines lie over them.
// Vertex i stands at (150 x + 250, 150 (20 - y) + 250): larger grid values lie higher.
void DrawTreePreview(const Graph& graph, const VertexPositions& positions, Drawing& picture);

// The centre of a vertex in the preview, in twips.
TwipPoint PreviewPoint(GridPosition position);

}  // namespace korvelant
