#pragma once

#include <string>

#include "model/graph.hpp"

namespace korvelant {

// Why a graph is not a tree, for a chemist reading a batch's error column: "no vertices",
// "vertex 9 outside 1..8", "a loop at vertex 3", "edge 1-2 given twice", or the count of
// independent rings and of fragments ("1 ring", "2 fragments", "2 rings, 3 fragments").
// Empty for a tree. Rings are counted as the cyclomatic number, edges - vertices +
// fragments, which for a molecule is the ring count chemists use (SSSR size).
std::string TreeProblem(const Graph& graph);

}  // namespace korvelant
