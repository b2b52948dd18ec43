#pragma once

#include <cstdint>
#include <vector>

#include "engine/rooted_tree.hpp"
#include "model/wide_integer.hpp"

namespace korvelant {

// The four indices of one subgraph: the tree with some edges taken away, a forest.
struct ForestIndices {
  Int128 wiener = 0;
  std::int64_t randicTicks = 0;  // in ten-thousandths, each term rounded first
  Int128 zagreb = 0;
  Int128 hosoya = 0;
};

// The forests of one tree: edges are taken away and put back one at a time, each named by
// the vertex that owns it (the edge to its parent), and Evaluate reads the forest left. The
// degrees follow every change, so an evaluation is a single pass from the leaves up.
class ForestEvaluator {
 public:
  explicit ForestEvaluator(const RootedTree& tree);

  // Taking away an edge twice, or putting back one that is there, changes nothing; the root
  // owns no edge.
  void TakeAway(int owner);
  void PutBack(int owner);

  ForestIndices Evaluate() const;

 private:
  template <typename Count>
  ForestIndices Pass() const;

  const RootedTree& tree_;
  std::vector<char> removed_;
  std::vector<int> degree_;
};

// 1 / sqrt(product) taken to the nearest ten-thousandth (halves to even), in ten-thousandths.
std::int64_t RandicTermTicks(int degreeProduct);

}  // namespace korvelant
