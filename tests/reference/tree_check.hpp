#pragma once

#include "engine/rooted_tree.hpp"  // the refusal message
#include "reference/command_values.hpp"
#include "reference/tree_model.hpp"

namespace korvelant {

// True when the graph on vertices 1..n has n - 1 edges and every pair is connected.
// Distance must be current (NadjiMatricuUdaljenosti). Leaves the edge count in EdgeCount;
// n = 0 fails, since 0 edges differ from n - 1 = -1.
bool IsTree(const TreeModel& model, CommandValues& values);

}  // namespace korvelant
