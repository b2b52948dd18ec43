#pragma once

#include <string>

#include "model/graph.hpp"

namespace korvelant {

// Whose words say why a graph is not a tree: a graph given by its edges has cycles,
// components and vertices without an edge; a molecule's skeleton has rings and fragments,
// as a chemist reading a batch's error column says it.
enum class TreeWording { kGraph, kMolecule };

// Why a graph is not a tree, in the words the user reads after "not a tree"; empty for a
// tree. First what makes it no graph at all: "no vertices" ("0 vertices" for a molecule),
// "vertex 9 outside 1..8", "a loop at vertex 3", "edge 1-2 given twice". Then its shape:
//  * kGraph: "1 cycle: 2-3-4-2" (the vertices of one cycle, the count of independent
//    ones before), "vertex 5 has no edge" (two components, one of them that vertex) or
//    "3 components", both joined by "; " when both hold;
//  * kMolecule: "1 ring", "2 fragments", "2 rings, 3 fragments".
// Cycles and rings are counted as the cyclomatic number, edges - vertices + components,
// which for a molecule is the ring count chemists use (SSSR size).
std::string TreeProblem(const Graph& graph, TreeWording wording = TreeWording::kGraph);

// "not a tree: " and the problem, as a batch row's error and the Python package say it; "not
// a tree" alone when there is no problem to name.
std::string NotATreeText(const std::string& problem);

}  // namespace korvelant
