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

// Evaluates the forests of one tree. `removed[v]` marks the edge from v to its parent as
// taken away. The working arrays live as long as the evaluator, so a tree's thousands of
// subgraphs need no allocation each.
class ForestEvaluator {
 public:
  explicit ForestEvaluator(const RootedTree& tree);

  ForestIndices Evaluate(const std::vector<char>& removed);

 private:
  const RootedTree& tree_;
  std::vector<int> degree_;
  std::vector<std::int64_t> size_;
  std::vector<std::int64_t> componentSize_;
  std::vector<Int128> free_;     // matchings of v's subtree that leave v unmatched
  std::vector<Int128> matched_;  // ... and that match v
};

// 1 / sqrt(product) taken to the nearest ten-thousandth (halves to even), in ten-thousandths.
std::int64_t RandicTermTicks(int degreeProduct);

}  // namespace korvelant
