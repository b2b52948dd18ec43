#pragma once

#include "engine/graphical_matrices.hpp"
#include "engine/rooted_tree.hpp"

// The graphical matrices the slow way, each element's forest evaluated by a pass of its own
// over the tree (support/forest_evaluator), O(n^3) per tree: the engine's first
// computation, kept as the independent reference of the tests and the baseline of the
// benchmarks. It shares only the rooted tree and the Randic term table with the engine.
namespace korvelant::testing {

GraphicalMatrices ComputeForestByForest(const RootedTree& tree);

}  // namespace korvelant::testing
