#pragma once

#include <cstdint>
#include <vector>

#include "engine/rooted_tree.hpp"
#include "engine/subgraph_values.hpp"

namespace korvelant {

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

  SubgraphValues Evaluate() const;

 private:
  template <typename Count>
  SubgraphValues Pass() const;

  const RootedTree& tree_;
  std::vector<char> removed_;
  std::vector<int> degree_;
};

// 1 / sqrt(product) taken to the nearest ten-thousandth (halves to even), in ten-thousandths.
std::int64_t RandicTermTicks(int degreeProduct);

}  // namespace korvelant
