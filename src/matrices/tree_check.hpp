#pragma once

#include <string_view>

#include "matrices/command_values.hpp"
#include "model/tree_model.hpp"

namespace korvelant {

inline constexpr std::string_view kNotATreeMessage =
    "Graph is not a tree and this program works only with trees";

// True when the graph on vertices 1..n has n - 1 edges and every pair is connected.
// Distance must be current (NadjiMatricuUdaljenosti). Leaves the edge count in EdgeCount;
// n = 0 fails, since 0 edges differ from n - 1 = -1.
bool IsTree(const TreeModel& model, CommandValues& values);

}  // namespace korvelant
