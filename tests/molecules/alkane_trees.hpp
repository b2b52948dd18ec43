#pragma once

#include <string>
#include <vector>

#include "model/graph.hpp"

namespace korvelant::testing {

// Each tree of a file of parent arrays (as nauty-gentreeg -p writes them; '#' starts a
// comment): entry v is the parent of vertex v, 0 for the root.
std::vector<Graph> TreesFromParentArrays(const std::string& path);

// A tree written as the SMILES of the alkane with that carbon skeleton: depth first from
// vertex 1, neighbours in increasing order, the last one unbranched. `atomVertex[k]` is
// the tree vertex written as the k-th atom.
struct TreeSmiles {
  std::string smiles;
  std::vector<int> atomVertex;
};
TreeSmiles WriteTreeSmiles(const Graph& tree);

// What reading `written` must give: the tree renumbered in the SMILES's atom order, each
// atom's bond to the atom it hangs from listed when the atom is written.
Graph ExpectedSkeleton(const Graph& tree, const TreeSmiles& written);

// Random trees of maximum degree 4 on 1..maxVertices vertices, each vertex hung from a
// random earlier one with room left; reproducible for a seed.
std::vector<Graph> RandomAlkaneTrees(int count, int maxVertices, unsigned seed);

}  // namespace korvelant::testing
