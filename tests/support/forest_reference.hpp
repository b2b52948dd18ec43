#pragma once

#include <cstdint>
#include <map>

#include "model/graph.hpp"
#include "model/matrix_kind.hpp"
#include "model/wide_integer.hpp"

// A second computation of matrix elements for trees too large for the brute-force
// reference (up to 128 vertices), sharing no code with the engine: the subgraph from a
// breadth-first path or the edges' ends, Wiener from a breadth-first search per vertex, and
// Hosoya by the edge recurrence Z(F) = Z(F - uv) + Z(F - u - v) on a leaf u, remembered
// per component (a component of a tree with edges taken away is the subtree its vertices
// induce, so its vertex set names it).
namespace korvelant::testing {

struct LargeReferenceValues {
  Int128 wiener = 0;
  std::int64_t randicTicks = 0;
  Int128 zagreb = 0;
  Int128 hosoya = 0;  // 0 for an empty element, as every index
};

class ForestReference {
 public:
  __extension__ using VertexSet = unsigned __int128;

  explicit ForestReference(const Graph& tree);

  LargeReferenceValues Element(int i, int j, MatrixType type);

 private:
  Int128 Hosoya(VertexSet component);
  VertexSet NeighboursIn(int v, VertexSet within) const;

  Graph tree_;
  std::vector<VertexSet> neighbours_;
  std::map<VertexSet, Int128> memo_;
};

}  // namespace korvelant::testing
