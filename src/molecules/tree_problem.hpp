#pragma once

#include <string>

#include "model/graph.hpp"

namespace korvelant {

// Why a skeleton is not a tree, in the words the user reads after "not a tree": "1 ring",
// "3 rings", "2 fragments", "1 ring, 2 fragments", or "0 vertices" for a molecule of
// hydrogens only; "" for a tree. Rings are the cycle rank, edges - vertices + fragments,
// so a fused or bridged system counts every ring a chemist would close in its SMILES.
// Expects vertex numbers within 1..vertexCount.
std::string TreeProblem(const Graph& graph);

}  // namespace korvelant
