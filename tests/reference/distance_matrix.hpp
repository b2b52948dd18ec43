#pragma once

#include "reference/tree_model.hpp"

namespace korvelant {

// Fills Distance for vertices 1..VertexCount from Adjacency: 0 on the diagonal, the number
// of edges on a shortest path, or 9 when no path joins the pair. An edge is followed from j
// to m where Adjacency(j, m) = 1, and any other value, a 1 on the diagonal included, is no
// edge. Entries with an index of 0 or above the vertex count are left as they were.
void NadjiMatricuUdaljenosti(TreeModel& model);

// The same for the subgraph of the element under work: SubDistance from SubAdjacency.
void NadjiPomocnuMatricuUdaljenosti(TreeModel& model);

}  // namespace korvelant
