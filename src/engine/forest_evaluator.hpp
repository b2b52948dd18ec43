#pragma once

#include <array>
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
  void TakeAway(int owner) {
    const int k = position_[owner];
    if (k == 0 || removed_[k]) return;
    removed_[k] = 1;
    --degree_[k];
    --degree_[parentAt_[k]];
  }
  void PutBack(int owner) {
    const int k = position_[owner];
    if (!removed_[k]) return;
    removed_[k] = 0;
    ++degree_[k];
    ++degree_[parentAt_[k]];
  }

  SubgraphValues Evaluate() const;

 private:
  template <typename Count>
  SubgraphValues Pass() const;

  // Everything the pass reads is kept by breadth-first position (the root at 0), so the
  // pass walks its arrays in order instead of jumping by vertex number.
  // The arrays have room for the largest tree, so that an evaluator costs no allocation;
  // only the first n entries (n + 1 by vertex number) are set.
  const RootedTree& tree_;
  const std::int64_t* randicTerm_;                  // by degree product, RandicTermTicks
  std::array<int, kMaxTreeVertices + 1> position_;  // by vertex number
  std::array<int, kMaxTreeVertices> parentAt_;      // the parent's position; -1 for the root
  std::array<char, kMaxTreeVertices> removed_;      // the edge up from here is taken away
  std::array<int, kMaxTreeVertices> degree_;        // kept edges at this position
};

// 1 / sqrt(product) taken to the nearest ten-thousandth (halves to even), in ten-thousandths.
std::int64_t RandicTermTicks(int degreeProduct);

}  // namespace korvelant
