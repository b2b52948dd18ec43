#pragma once

#include "reference/tree_model.hpp"

namespace korvelant {

// Adds to MatchCount the number of matchings (the empty one included) of the graph formed
// by the free vertices (Used = 0) and their neighbour lists, and leaves Used as it found it.
// The caller clears Used for 1..n, builds NbrCount and NbrList and resets MatchCount; the
// search for a free vertex stops at the end marker Used(n + 1), which must be 0.
void Izbroji(TreeModel& model);

// The caller's side: clears Used, builds the neighbour lists from SubAdjacency (ascending),
// resets MatchCount and counts.
void CountSubgraphMatchings(TreeModel& model);

}  // namespace korvelant
