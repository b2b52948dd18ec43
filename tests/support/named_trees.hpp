#pragma once

#include <initializer_list>
#include <utility>

#include "model/graph.hpp"
#include "reference/tree_model.hpp"

namespace korvelant::testing {

// A model with `vertices` vertices and the given undirected edges, both orientations set.
TreeModel MakeTree(int vertices, std::initializer_list<std::pair<int, int>> edges);

// The path 1-2-...-n.
TreeModel PathTree(int vertices);

// The star with centre 1 and leaves 2..n.
TreeModel StarTree(int vertices);

// The carbon skeleton of 2,3-dimethylhexane: the chain 1-2-3-4-5-6 with 7 on 2 and 8 on 3.
TreeModel DimethylHexane();

// The graph a model holds: its vertex count and every edge once, smaller vertex first.
Graph GraphOf(const TreeModel& model);

}  // namespace korvelant::testing
